#include "effects/zmathe.h"
#include "image/ColourModel.h"
#include "image/ImageTools.h"

#include <algorithm>
#include <cmath>

namespace {

using ColourModel::kByteMax;
using ColourModel::kFullTurn;

constexpr uint32_t kOpaque = 0xFF000000u;
constexpr float kTwoTo32 = 4294967296.0f;

struct Channels {
    float r;
    float g;
    float b;
    float max;
    float min;
};

Channels ChannelsOf(uint32_t colour) {
    Channels c;
    c.r = static_cast<float>(colour & 0xFFu);
    c.g = static_cast<float>((colour >> 8) & 0xFFu);
    c.b = static_cast<float>((colour >> 16) & 0xFFu);
    c.max = std::max(std::max(c.r, c.g), c.b);
    c.min = std::min(std::min(c.r, c.g), c.b);
    return c;
}

// The spread relative to the largest channel, 0..255.
float Saturation(const Channels& c) {
    return c.max > 0.0f ? (c.max - c.min) * kByteMax / c.max : 0.0f;
}

// Hue in degrees, 0 up to below 360; only for colours whose channels differ.
float HueDegrees(const Channels& c) {
    float h = ColourModel::HueDegrees(ColourModel::HueDifference(c.r, c.g, c.b, c.max),
                                      c.max - c.min, ColourModel::SectorOffset(c.r, c.g, c.max));
    if (h < 0.0f) {
        h = h + kFullTurn;
    }
    return h;
}

// A float at least 0 as an unsigned integer, all ones from 2^32 on.
uint32_t ToUnsigned(float v) {
    if (!(v > 0.0f)) {
        return 0u;
    }
    return v >= kTwoTo32 ? 0xFFFFFFFFu : static_cast<uint32_t>(v);
}

// Hue, saturation 0..1 and brightness 0..1 of the colour into fBuffer.
void LoadHsb(uint32_t colour, float* buffer) {
    const Channels c = ChannelsOf(colour);
    buffer[0] = c.max == c.min ? 0.0f : HueDegrees(c);
    buffer[2] = c.max;
    buffer[1] = Saturation(c);
    buffer[1] = buffer[1] / kByteMax;
    buffer[2] = buffer[2] / kByteMax;
}

uint32_t PackBuffer(const float* buffer) {
    return ToUnsigned(buffer[0]) | (ToUnsigned(buffer[1]) << 8) | (ToUnsigned(buffer[2]) << 16) |
           kOpaque;
}

double Clamp01(double v) {
    return v > 0.0 ? std::min(v, 1.0) : 0.0; // NaN becomes 0
}

} // namespace

bool ImageTools::Hue(uint32_t colour, zvektor& hsb) {
    const Channels c = ChannelsOf(colour);
    hsb.z = c.max;
    hsb.y = Saturation(c);
    if (c.max == c.min) {
        hsb.x = 0.0f;
        return false;
    }
    hsb.x = HueDegrees(c);
    return true;
}

zvektor& ImageTools::ColorFromHsb(zvektor& hsl) {
    float rgb[3];
    ColourModel::FromLightness(hsl.x, hsl.y, hsl.z, rgb);
    hsl.Set(rgb[0], rgb[1], rgb[2]);
    return hsl;
}

// Hue-saturation-brightness to red, green and blue in fBuffer, each a whole
// number 0..255 (rounded, so that a colour converted to its own hue comes back
// unchanged). The hue is taken modulo 360, saturation and brightness are held
// in 0..1, and anything not finite counts as 0.
void ImageTools::ColorFromHsb(double hue, double saturation, double brightness) {
    double h = std::isfinite(hue) ? std::fmod(hue, 360.0) : 0.0;
    if (h < 0.0) {
        h += 360.0;
    }
    if (h >= 360.0) {
        h = 0.0;
    }
    const double s = Clamp01(saturation);
    const double v = Clamp01(brightness);
    const double sector = std::floor(h / 60.0);
    const double f = h / 60.0 - sector;
    double rgb[3];
    ColourModel::Hexcone(std::min(static_cast<int32_t>(sector), 5), v,
                         ColourModel::CornersOf(-s, f, v), rgb[0], rgb[1], rgb[2]);
    float* buffer = fBuffer();
    for (int k = 0; k < 3; ++k) {
        buffer[k] = static_cast<float>(std::round(rgb[k] * 255.0));
    }
}

uint32_t ImageTools::ConvertToTargetHue(uint32_t colour, float targetHue) {
    float* buffer = fBuffer();
    LoadHsb(colour, buffer);
    ColorFromHsb(double(targetHue), double(buffer[1]), double(buffer[2]));
    return PackBuffer(buffer);
}

uint32_t ImageTools::IncreaseSaturation(uint32_t colour, float factor) {
    float* buffer = fBuffer();
    LoadHsb(colour, buffer);
    ColorFromHsb(double(buffer[0]), double(factor * buffer[1]), double(buffer[2]));
    return PackBuffer(buffer);
}

float* ImageTools::fBuffer() {
    thread_local float buffer[3] = {0.0f, 0.0f, 0.0f};
    return buffer;
}
