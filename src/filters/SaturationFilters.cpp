#include "effects/zmathe.h"
#include "filters/Filters.h"
#include "image/ColourModel.h"
#include "image/ImageTools.h"
#include "image/PixelMath.h"
#include "image/QuorelImage.h"

#include <QDebug>
#include <QString>
#include <algorithm>
#include <cmath>

using ColourModel::kByteMax;
using ColourModel::kDegreesPerSector;
using ColourModel::kPercent;
using PixelMath::Cap;
using PixelMath::CapFloor;
using PixelMath::Truncate;

namespace {

// --- IncreaseSaturation -------------------------------------------------------

constexpr int32_t kLogEvery = 1000;
constexpr uint32_t kOpaque = 0xFF000000u;

// The pixel packed the way the colour operations read it (red in the low byte).
uint32_t Packed(int32_t r, int32_t g, int32_t b) {
    return (uint32_t(b) << 16) | uint32_t(r) | (uint32_t(g) << 8) | kOpaque;
}

void IncreaseSaturationKernel(int32_t* red, int32_t* green, int32_t* blue, int32_t n) {
    zvektor triple;
    int32_t counter = 0;
    for (int32_t i = 0; i < n; ++i) {
        counter = counter + 1;
        const uint32_t c = Packed(red[i], green[i], blue[i]);
        if (counter == kLogEvery) {
            qInfo().noquote() << QStringLiteral("Color: %1 (%2)").arg(int32_t(c)).arg(red[i]);
        }
        if (!ImageTools::Hue(c, triple)) {
            continue; // greys keep their values
        }
        triple.y = triple.y / kByteMax;
        triple.z = triple.z / kByteMax;
        ImageTools::ColorFromHsb(triple);
        if (counter == kLogEvery) {
            counter = 0;
        }
        red[i] = Cap(Truncate(triple.x * kByteMax));
        green[i] = Cap(Truncate(triple.y * kByteMax));
        blue[i] = Cap(Truncate(kByteMax * triple.z));
    }
}

// --- ChangeSaturation ---------------------------------------------------------

constexpr double kTurn = 360.0;

struct Hsv {
    float h; // degrees
    float s; // percent
    float v; // percent
};

Hsv HsvOf(int32_t r, int32_t g, int32_t b) {
    const int32_t max = std::max(std::max(r, g), b);
    const int32_t min = std::min(std::min(r, g), b);
    // Differences in 64 bits: plane values far outside 0..255 must not overflow.
    const float spread = static_cast<float>(int64_t(max) - min);
    Hsv hsv{0.0f, 0.0f, 0.0f};
    if (max != min) {
        hsv.h = ColourModel::HueDegrees(
            static_cast<float>(ColourModel::HueDifference<int64_t>(r, g, b, max)), spread,
            ColourModel::SectorOffset(r, g, max));
    }
    if (max != 0) {
        hsv.s = spread / static_cast<float>(max) * kPercent;
        hsv.v = (static_cast<float>(max) / kByteMax) * kPercent;
    }
    return hsv;
}

// The pixel from hue h (0..360), saturation s and value v (percent); false
// when the hue falls outside the six sectors and the pixel keeps its values.
bool FromHsv(float h, float s, float v100, int32_t out[3]) {
    const float h6 = h / kDegreesPerSector;
    const float sector = std::floor(h6);
    if (!(sector >= 0.0f && sector <= 5.0f)) {
        return false;
    }
    const float f = h6 - sector;
    const float n = s / -kPercent;
    const float v = v100 / kPercent;
    float rgb[3];
    ColourModel::Hexcone(static_cast<int32_t>(sector), v, ColourModel::CornersOf(n, f, v), rgb[0],
                         rgb[1], rgb[2]);
    for (int c = 0; c < 3; ++c) {
        out[c] = CapFloor(Truncate(rgb[c] * kByteMax));
    }
    return true;
}

// std::fmod(v, 360) in double. The remainder is exact, so within two turns of 0
// it is v itself or v less (or plus) one turn, which saves the library call.
double RemainderOfTurn(double v) {
    if (v > -kTurn && v < kTurn) {
        return v;
    }
    if (v >= kTurn && v < 2.0 * kTurn) {
        return v - kTurn;
    }
    if (v <= -kTurn && v > -2.0 * kTurn) {
        return v + kTurn;
    }
    return std::fmod(v, kTurn);
}

void ChangeSaturationKernel(int32_t* red, int32_t* green, int32_t* blue, int32_t n, float factor,
                            float hueShift) {
    for (int32_t i = 0; i < n; ++i) {
        const Hsv hsv = HsvOf(red[i], green[i], blue[i]);
        float h = static_cast<float>(RemainderOfTurn(static_cast<double>(hsv.h + hueShift)));
        if (h < 0.0f) {
            h = h + static_cast<float>(kTurn);
        }
        float s = factor * hsv.s;
        if (s < 0.0f || s == 0.0f) {
            red[i] = green[i] = blue[i] = CapFloor(Truncate(hsv.v / kPercent * kByteMax));
            continue;
        }
        if (s > kPercent) {
            s = kPercent;
        }
        int32_t rgb[3];
        if (FromHsv(h, s, hsv.v, rgb)) {
            red[i] = rgb[0];
            green[i] = rgb[1];
            blue[i] = rgb[2];
        }
    }
}

} // namespace

void Filters::IncreaseSaturation(QuorelImage* image) {
    if (!image) {
        return;
    }
    IncreaseSaturationKernel(image->Red(), image->Green(), image->Blue(), image->DataSize() / 4);
}

void Filters::ChangeSaturation(QuorelImage* image, float factor, float hueShift) {
    if (!image) {
        return;
    }
    ChangeSaturationKernel(image->Red(), image->Green(), image->Blue(), image->PixelCount(), factor,
                           hueShift);
}
