#include "filters/ToneRuns.h"

#include "filters/ToneMath.h"
#include "filters/WideKernel.h"
#include "image/PixelMath.h"

#include <algorithm>

namespace ToneRuns {
namespace {

using PixelMath::TruncateCap;
using PixelMath::TruncateCapFloor;

constexpr float kSepiaRed = 1.1f;
constexpr float kSepiaGreen = 0.95f;
constexpr float kSepiaBlue = 0.65f;

constexpr float kPosterStep = 0.01f;
constexpr int32_t kPosterLevel = 100;

// Fused steps run over runs of this many pixels, one simple loop per step: each
// loop vectorises, and the run stays in the first-level cache.
constexpr int32_t kRun = 256;

TRELLICA_WIDE_KERNEL void TintRun(const int32_t* __restrict grey, int32_t* __restrict plane,
                                  int32_t count, float component) {
    for (int32_t i = 0; i < count; ++i) {
        plane[i] = TruncateCapFloor(static_cast<float>(grey[i]) * component);
    }
}

TRELLICA_WIDE_KERNEL void DesaturizeRun(int32_t* __restrict r, int32_t* __restrict g,
                                        int32_t* __restrict b, int32_t count) {
    for (int32_t i = 0; i < count; ++i) {
        const int32_t y = ToneMath::Grey(r[i], g[i], b[i]);
        r[i] = y;
        g[i] = y;
        b[i] = y;
    }
}

TRELLICA_WIDE_KERNEL void SepiaRun(int32_t* __restrict r, int32_t* __restrict g,
                                   int32_t* __restrict b, int32_t count) {
    for (int32_t i = 0; i < count; ++i) {
        // Factors below 1 keep |product| below 2^31: the plain conversion is safe.
        r[i] = TruncateCap(static_cast<float>(r[i]) * kSepiaRed);
        g[i] = static_cast<int32_t>(static_cast<float>(g[i]) * kSepiaGreen);
        b[i] = static_cast<int32_t>(static_cast<float>(b[i]) * kSepiaBlue);
    }
}

TRELLICA_WIDE_KERNEL void PosterizePlane(int32_t* __restrict plane, int32_t count) {
    for (int32_t i = 0; i < count; ++i) {
        // |c * 0.01| rounds to at most 21474836 for any int32 c: the conversion is
        // safe and the product with 100 stays within int32.
        plane[i] = static_cast<int32_t>(static_cast<float>(plane[i]) * kPosterStep) * kPosterLevel;
    }
}

} // namespace

void Desaturize(const ColourRun& run) {
    DesaturizeRun(run.red, run.green, run.blue, run.count);
}

void Contrast(const ColourRun& run, float factor) {
    ToneMath::ContrastRun(run.red, run.count, factor);
    ToneMath::ContrastRun(run.green, run.count, factor);
    ToneMath::ContrastRun(run.blue, run.count, factor);
}

void Sepia(const ColourRun& run) {
    SepiaRun(run.red, run.green, run.blue, run.count);
}

void Posterize(const ColourRun& run) {
    PosterizePlane(run.red, run.count);
    PosterizePlane(run.green, run.count);
    PosterizePlane(run.blue, run.count);
}

// Desaturize and the tint in one pass: each pixel's steps are its own, so the
// values are those of two passes.
void Colorize(const ColourRun& run, float red, float green, float blue) {
    int32_t grey[kRun];
    for (int32_t start = 0; start < run.count; start += kRun) {
        const int32_t n = std::min(kRun, run.count - start);
        ToneMath::GreyRun(run.red + start, run.green + start, run.blue + start, grey, n);
        TintRun(grey, run.red + start, n, red);
        TintRun(grey, run.green + start, n, green);
        TintRun(grey, run.blue + start, n, blue);
    }
}

void Artsy(const ColourRun& run) {
    int32_t grey[kRun];
    for (int32_t start = 0; start < run.count; start += kRun) {
        const int32_t n = std::min(kRun, run.count - start);
        ToneMath::GreyRun(run.red + start, run.green + start, run.blue + start, grey, n);
        ToneMath::ContrastRun(grey, n, ToneMath::kContrastUp);
        ToneMath::ContrastRun(grey, n, ToneMath::kContrastUp);
        for (int32_t* plane : {run.red, run.green, run.blue}) {
            std::copy(grey, grey + n, plane + start);
        }
    }
}

} // namespace ToneRuns
