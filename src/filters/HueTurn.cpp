#include "filters/HueTurn.h"

#include "filters/WideKernel.h"
#include "image/ColourModel.h"
#include "image/PixelMath.h"

#include <algorithm>

// The values lie in 0..255 (the caller raises the contrast first, which caps
// and floors them), and that makes these shortcuts exact:
// - a divisor of 0 is made 1; its quotient is then 0 (max = min means g - b = 0,
//   and max = 0 means max - min = 0), the hue and saturation of the grey case;
// - the turned hue lies in 30..570, where the double remainder modulo 360 is
//   hue - 360 in float exactly when that is not negative, and never negative;
// - min(s * 1.5, 100) / -100 equals max(s * 1.5 / -100, -1) (division by -100
//   is monotone), so no branch follows the cap at 100;
// - a raised saturation of 0 gives p = q = t = v / 100 in every sector, which is
//   the grey value, so the grey case needs no branch of its own.
// Each stage is one simple loop, so that each vectorises: in a single loop the
// compiler keeps the float selects as branches.

namespace {

using ColourModel::kByteMax;
using ColourModel::kDegreesPerSector;
using ColourModel::kFullTurn;
using ColourModel::kPercent;
constexpr float kSaturationBoost = 1.5f;

// Turn works on runs of this many pixels, kept in the first-level cache.
constexpr int32_t kRun = 256;

struct Run {
    float sector[kRun]; // turned hue / 60
    int32_t n[kRun];    // its sector, 0..5
    float p[kRun];
    float q[kRun];
    float t[kRun];
};

TRELLICA_WIDE_KERNEL void Sectors(const float* __restrict hue, int32_t count, float angle,
                                  float* __restrict sector) {
    for (int32_t i = 0; i < count; ++i) {
        const float turned = hue[i] + angle;
        const float wrapped = turned - kFullTurn;
        sector[i] = (wrapped < 0.0f ? turned : wrapped) / kDegreesPerSector;
    }
}

TRELLICA_WIDE_KERNEL void Corners(const float* __restrict sn, const float* __restrict vn,
                                  int32_t count, Run& run) {
    const float* __restrict sector = run.sector;
    int32_t* __restrict n = run.n;
    float* __restrict p = run.p;
    float* __restrict q = run.q;
    float* __restrict t = run.t;
    for (int32_t i = 0; i < count; ++i) {
        const int32_t whole = static_cast<int32_t>(sector[i]); // >= 0: truncation is the floor
        const float f = sector[i] - static_cast<float>(whole);
        const ColourModel::Corners<float> c = ColourModel::CornersOf(sn[i], f, vn[i]);
        n[i] = whole;
        p[i] = c.p;
        q[i] = c.q;
        t[i] = c.t;
    }
}

// Sectors 0..5: (v, t, p) (q, v, p) (p, v, t) (p, q, v) (t, p, v) (v, p, q), each
// times 255, truncated, clamped to 0..255.
TRELLICA_WIDE_KERNEL void Pick(const Run& run, const float* __restrict vn, int32_t count,
                               int32_t* __restrict red, int32_t* __restrict green,
                               int32_t* __restrict blue) {
    for (int32_t i = 0; i < count; ++i) {
        float r;
        float g;
        float b;
        ColourModel::Hexcone(run.n[i], vn[i], {run.p[i], run.q[i], run.t[i]}, r, g, b);
        red[i] = PixelMath::TruncateCapFloor(r * kByteMax);
        green[i] = PixelMath::TruncateCapFloor(g * kByteMax);
        blue[i] = PixelMath::TruncateCapFloor(b * kByteMax);
    }
}

// h: 0 when max = min; else (g - b) / (max - min) * 60 when max = r, else
// ((b - r) / (max - min) + 2) * 60 when max = g, else ((r - g) / (max - min) + 4)
// * 60, the integer differences converted before the division. s = (max - min)
// / max * 100 (0 when max = 0), v = 100 * (max / 255).
TRELLICA_WIDE_KERNEL void AnalyseRun(const int32_t* __restrict red, const int32_t* __restrict green,
                                     const int32_t* __restrict blue, int32_t count,
                                     float* __restrict hue, float* __restrict sn,
                                     float* __restrict vn) {
    for (int32_t i = 0; i < count; ++i) {
        const int32_t r = red[i];
        const int32_t g = green[i];
        const int32_t b = blue[i];
        const int32_t mx = std::max(r, std::max(g, b));
        const int32_t delta = mx - std::min(r, std::min(g, b));
        hue[i] = ColourModel::HueDegrees(
            static_cast<float>(ColourModel::HueDifference(r, g, b, mx)),
            static_cast<float>(delta + (delta == 0)), ColourModel::SectorOffset(r, g, mx));
        const float saturation =
            (static_cast<float>(delta) / static_cast<float>(mx + (mx == 0))) * kPercent;
        sn[i] = std::max(saturation * kSaturationBoost / -kPercent, -1.0f);
        vn[i] = (kPercent * (static_cast<float>(mx) / kByteMax)) / kPercent;
    }
}

} // namespace

HueTurn::HueTurn(int32_t width)
    : _red(static_cast<size_t>(std::max(width, 0))), _green(_red.size()), _blue(_red.size()),
      _hue(_red.size()), _saturation(_red.size()), _value(_red.size()) {}

void HueTurn::Analyse(int32_t count) {
    AnalyseRun(_red.data(), _green.data(), _blue.data(), count, _hue.data(), _saturation.data(),
               _value.data());
}

// h' = (h + angle) mod 360; hs = h' / 60, n = floor(hs), f = hs - n; sn = s' / -100,
// vn = v / 100; p = (sn + 1) * vn, q = (sn * f + 1) * vn, t = ((1 - f) * sn + 1) * vn.
void HueTurn::Turn(int32_t from, int32_t count, float angle, int32_t* red, int32_t* green,
                   int32_t* blue) const {
    Run run;
    for (int32_t start = 0; start < count; start += kRun) {
        const int32_t n = std::min(kRun, count - start);
        const size_t at = static_cast<size_t>(from + start);
        Sectors(_hue.data() + at, n, angle, run.sector);
        Corners(_saturation.data() + at, _value.data() + at, n, run);
        Pick(run, _value.data() + at, n, red + start, green + start, blue + start);
    }
}
