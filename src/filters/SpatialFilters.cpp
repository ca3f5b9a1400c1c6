#include "filters/BoxBlur.h"
#include "filters/Filters.h"
#include "filters/WideKernel.h"
#include "image/PixelMath.h"
#include "image/QuorelImage.h"

#include <algorithm>
#include <cmath>
#include <memory>
#include <vector>

using PixelMath::Cap;
using PixelMath::Truncate;

namespace {

// --- Blur ---------------------------------------------------------------------------

constexpr int64_t kBlurBefore = 9; // window reach before the pixel, each direction
constexpr int64_t kBlurAfter = 8;  // and after it
constexpr int64_t kBlurSide = kBlurBefore + kBlurAfter + 1;
constexpr float kBlurScale = 0.0030864198f; // nearest float to 1/324
// Up to this magnitude no window sum leaves int32, nor one with the next run added.
constexpr uint32_t kBlurNarrowMagnitude = INT32_MAX / (kBlurSide * (kBlurSide + 1));

// The plane is one run of values: the window of index i is the 18 runs of 18
// values starting at i + dy * W - 9, dy = -9..8. runs[j] holds the run sum
// around j, and each window sum is the column sum of 18 runs, kept running
// down each column a row of indices at a time. Integer sums are exact, so the
// result is that of adding the 324 values one by one; Acc is int32 when no sum
// can exceed it, else int64.
template <typename Acc>
TRELLICA_WIDE_KERNEL void BlurRow(const Acc* __restrict entering, const Acc* __restrict leaving,
                                  Acc* __restrict windows, int32_t* __restrict dst, int64_t count) {
    for (int64_t k = 0; k < count; ++k) {
        windows[k] = (windows[k] + entering[k]) - leaving[k];
        dst[k] = PixelMath::TruncateFinite(static_cast<float>(windows[k]) * kBlurScale);
    }
}

template <typename Acc>
void BlurPlane(const int32_t* src, int32_t* dst, int64_t W, int64_t n, std::vector<Acc>& runs,
               std::vector<Acc>& windows) {
    const int64_t first = kBlurBefore * W + kBlurBefore;
    const int64_t last = n - 1 - kBlurAfter * W - kBlurAfter;
    if (first > last) {
        std::copy(src, src + n, dst); // no window inside the plane: every pixel keeps its value
        return;
    }
    std::copy(src, src + first, dst);
    std::copy(src + last + 1, src + n, dst + last + 1);
    // Run sums for j in 9..n-9, all that the windows reach.
    runs.resize(static_cast<size_t>(n));
    Acc run = 0;
    for (int64_t k = 0; k < kBlurSide; ++k) {
        run += src[k];
    }
    runs[kBlurBefore] = run;
    for (int64_t j = kBlurBefore + 1; j + kBlurAfter < n; ++j) {
        run += Acc(src[j + kBlurAfter]) - src[j - kBlurBefore - 1];
        runs[static_cast<size_t>(j)] = run;
    }
    // The first row of indices sums its windows whole; each later one moves them down.
    windows.assign(static_cast<size_t>(W), 0);
    for (int64_t k = 0; k < W && first + k <= last; ++k) {
        Acc sum = 0;
        for (int64_t dy = -kBlurBefore; dy <= kBlurAfter; ++dy) {
            sum += runs[static_cast<size_t>(first + k + dy * W)];
        }
        windows[static_cast<size_t>(k)] = sum;
        dst[first + k] = PixelMath::TruncateFinite(static_cast<float>(sum) * kBlurScale);
    }
    const Acc* r = runs.data();
    for (int64_t i = first + W; i <= last; i += W) {
        BlurRow(r + i + kBlurAfter * W, r + i - (kBlurBefore + 1) * W, windows.data(), dst + i,
                std::min(W, last + 1 - i));
    }
}

// --- BlendWithColor -----------------------------------------------------------------

void ScalePlane(int32_t* plane, int32_t n, float factor) {
    for (int32_t i = 0; i < n; ++i) {
        plane[i] = Cap(Truncate(static_cast<float>(plane[i]) * factor));
    }
}

// --- quarter turns --------------------------------------------------------------------

// Back-buffer pixel at x * H + y = front pixel (x, y): the transposition.
void TransposePlane(const int32_t* src, int32_t* dst, int64_t W, int64_t H) {
    for (int64_t y = 0; y < H; ++y) {
        for (int64_t x = 0; x < W; ++x) {
            dst[x * H + y] = src[y * W + x];
        }
    }
}

// Front pixel (x, y) to (y, W - 1 - x) of the H-wide result: a counter-clockwise
// quarter turn.
void TurnPlaneLeft(const int32_t* src, int32_t* dst, int64_t W, int64_t H) {
    for (int64_t y = 0; y < H; ++y) {
        for (int64_t x = 0; x < W; ++x) {
            dst[(W - 1 - x) * H + y] = src[y * W + x];
        }
    }
}

// --- GlassButton ----------------------------------------------------------------------

constexpr float kGlassRadius = 0.75f;   // times H
constexpr float kGlassCentre = 0.5f;    // times W
constexpr float kGlassAbove = 0.25f;    // highlight centre before row 0, times H
constexpr float kHighlightTop = 150.0f; // highlight ramp
constexpr float kHighlightMax = 50.0f;  // brightest highlight kept
constexpr float kGlowMax = 50.0f;       // glow at the bottom centre
constexpr int32_t kBlendAdd = 2;        // BlendBackBuffer: front + back, capped
constexpr int32_t kBlendAverage = 1;    // BlendBackBuffer: (front + back) * 0.5

// Every value converted lies in 0..150, where Truncate is the plain
// conversion; the highlight's value is chosen before it is converted.
TRELLICA_WIDE_KERNEL void GlassButtonRow(int32_t* __restrict row, int32_t W, float y, float fH,
                                         float R, float cx) {
    const float dy1 = y + kGlassAbove * fH;
    const float dy2 = y - fH;
    for (int32_t x = 0; x < W; ++x) {
        const float dx = static_cast<float>(x) - cx;
        const float d1 = std::sqrt(dx * dx + dy1 * dy1);
        const float t = R - d1;
        const float h = kHighlightTop - ((R - t) / R) * kHighlightTop;
        const bool kept = (d1 <= R) & (h <= kHighlightMax); // both tested: no branch
        const float highlight = kept ? h : 0.0f;
        const float d2 = std::sqrt(dx * dx + dy2 * dy2);
        row[x] = static_cast<int32_t>(highlight) +
                 static_cast<int32_t>(std::max(0.0f, R - d2) / R * kGlowMax);
    }
}

void GlassButtonKernel(int32_t* red, int32_t* green, int32_t* blue, int32_t W, int32_t H) {
    const float fH = static_cast<float>(H);
    const float R = kGlassRadius * fH;
    const float cx = kGlassCentre * static_cast<float>(W);
    for (int32_t y = 0; y < H; ++y) {
        const int64_t start = int64_t(y) * W;
        GlassButtonRow(red + start, W, static_cast<float>(y), fH, R, cx);
        std::copy(red + start, red + start + W, green + start);
        std::copy(red + start, red + start + W, blue + start);
    }
}

// --- NeonLight -----------------------------------------------------------------------

constexpr float kNeonCentreX = 0.5f;  // times W
constexpr float kNeonCentreY = 0.92f; // times H
constexpr float kNeonRadius = 0.5f;   // times H
constexpr float kBarLeft = 0.1f;      // times W
constexpr float kBarRight = 0.9f;     // times W
constexpr float kBarTop = 0.9125f;    // times H
constexpr int32_t kBarLight = 255;
constexpr float kNeonGlow = 50.0f;
constexpr int32_t kNeonBlurRadius = 45;

// One row of the light, the bar where xLo < x < xHi. The glow converted lies in
// 0..50, where Truncate is the plain conversion.
TRELLICA_WIDE_KERNEL void NeonLightRow(int32_t* __restrict row, int32_t W, float dy, float cx,
                                       float rho, int32_t xLo, int32_t xHi) {
    for (int32_t x = 0; x < W; ++x) {
        const float dx = static_cast<float>(x) - cx;
        const float d = std::sqrt(dx * dx + dy * dy);
        const int32_t glow = 2 * static_cast<int32_t>(std::max(0.0f, rho - d) / rho * kNeonGlow);
        row[x] = (((xLo < x) & (x < xHi)) ? kBarLight : 0) + glow;
    }
}

// The light before blurring, on a plane of 0s (InitEmpty's colour planes): the
// bar at 255 plus twice the truncated glow. The light is grey, so one plane
// stands for its red, green and blue.
void NeonLightKernel(int32_t* light, int32_t W, int32_t H) {
    const float fW = static_cast<float>(W);
    const float fH = static_cast<float>(H);
    const float cx = kNeonCentreX * fW;
    const float cy = kNeonCentreY * fH;
    const float rho = kNeonRadius * fH;
    const int32_t xLo = Truncate(kBarLeft * fW);
    const int32_t xHi = Truncate(kBarRight * fW);
    const int32_t yLo = Truncate(kBarTop * fH);
    const int32_t yHi = Truncate(cy);
    for (int32_t y = 0; y < H; ++y) {
        const bool barRow = yLo < y && y < yHi;
        NeonLightRow(light + int64_t(y) * W, W, static_cast<float>(y) - cy, cx, rho,
                     barRow ? xLo : W, barRow ? xHi : 0);
    }
}

// --- ReliefImage -------------------------------------------------------------------------

void ReliefKernel(int32_t* front[3], int32_t* back[3], int32_t W, int32_t H) {
    int32_t* red = front[0];
    for (int64_t y = 1; y < H; ++y) {
        for (int64_t x = 1; x < W; ++x) {
            const int64_t i = y * W + x;
            const int64_t difference = int64_t(red[i]) - red[i - 1]; // left one already done
            const int32_t v = Cap(PixelMath::Saturate(difference < 0 ? -difference : difference));
            for (int c = 0; c < 3; ++c) {
                back[c][i] = v;
                front[c][i] = v;
            }
        }
    }
}

} // namespace

void Filters::Blur(QuorelImage* image) {
    if (!image) {
        return;
    }
    const int32_t* front[3] = {image->Red(), image->Green(), image->Blue()};
    int32_t* back[3] = {image->Red_Backbuffer(), image->Green_Backbuffer(),
                        image->Blue_Backbuffer()};
    const int64_t n = image->PixelCount();
    uint32_t largest = 0;
    for (const int32_t* plane : front) {
        largest = std::max(largest, BoxBlur::Magnitude(plane, n));
    }
    std::vector<int32_t> runs;
    std::vector<int32_t> windows;
    std::vector<int64_t> wideRuns;
    std::vector<int64_t> wideWindows;
    for (int c = 0; c < 3; ++c) {
        if (largest <= kBlurNarrowMagnitude) {
            BlurPlane(front[c], back[c], image->Width(), n, runs, windows);
        } else {
            BlurPlane(front[c], back[c], image->Width(), n, wideRuns, wideWindows);
        }
    }
    image->SwapBackBuffer();
}

void Filters::GaussBlur(QuorelImage* image, int32_t radius) {
    if (!image) {
        return;
    }
    GaussBlurToBackBuffer(image, radius);
    image->BlendBackBuffer(kBlendAverage);
}

void Filters::BlendWithColor(QuorelImage* image, float red, float green, float blue) {
    if (!image) {
        return;
    }
    ScalePlane(image->Red(), image->PixelCount(), red);
    ScalePlane(image->Green(), image->PixelCount(), green);
    ScalePlane(image->Blue(), image->PixelCount(), blue);
}

void Filters::RotateCW(QuorelImage* image) {
    if (!image) {
        return;
    }
    TransposePlane(image->Red(), image->Red_Backbuffer(), image->Width(), image->Height());
    TransposePlane(image->Green(), image->Green_Backbuffer(), image->Width(), image->Height());
    TransposePlane(image->Blue(), image->Blue_Backbuffer(), image->Width(), image->Height());
    image->SwapBackBuffer();
    image->SwapImageDimensions();
}

void Filters::RotateCCW(QuorelImage* image) {
    if (!image) {
        return;
    }
    // A real turn carries the alpha plane along as well.
    TurnPlaneLeft(image->Red(), image->Red_Backbuffer(), image->Width(), image->Height());
    TurnPlaneLeft(image->Green(), image->Green_Backbuffer(), image->Width(), image->Height());
    TurnPlaneLeft(image->Blue(), image->Blue_Backbuffer(), image->Width(), image->Height());
    TurnPlaneLeft(image->Alpha(), image->Alpha_Backbuffer(), image->Width(), image->Height());
    image->SwapBackBuffer();
    image->SwapImageDimensions();
}

void Filters::NeonLight(QuorelImage* image) {
    if (!image) {
        return;
    }
    const int32_t W = image->Width();
    const int32_t H = image->Height();
    const int32_t n = image->PixelCount();
    if (n == 0 || int64_t(W) * H != n) {
        return; // no light image of the picture's size
    }
    // The three planes of the light are equal, and so are their blurs: one is blurred.
    std::vector<int32_t> light;
    std::vector<int32_t> blurred;
    try {
        light.resize(static_cast<size_t>(n));
        blurred.resize(static_cast<size_t>(n));
    } catch (const std::bad_alloc&) {
        return; // as when no light image can be made
    }
    NeonLightKernel(light.data(), W, H);
    BoxBlur(W, H, kNeonBlurRadius).Apply(light.data(), blurred.data());
    for (int32_t* back :
         {image->Red_Backbuffer(), image->Green_Backbuffer(), image->Blue_Backbuffer()}) {
        for (int32_t i = 0; i < n; ++i) {
            back[i] = 2 * blurred[i]; // the blur leaves 0..255: no overflow
        }
    }
    image->BlendBackBuffer(kBlendAdd);
}

void Filters::GlassButton(QuorelImage* image) {
    if (!image) {
        return;
    }
    GlassButtonKernel(image->Red_Backbuffer(), image->Green_Backbuffer(), image->Blue_Backbuffer(),
                      image->Width(), image->Height());
    image->BlendBackBuffer(kBlendAdd);
}

void Filters::ReliefImage(QuorelImage* image) {
    if (!image) {
        return;
    }
    int32_t* front[3] = {image->Red(), image->Green(), image->Blue()};
    int32_t* back[3] = {image->Red_Backbuffer(), image->Green_Backbuffer(),
                        image->Blue_Backbuffer()};
    ReliefKernel(front, back, image->Width(), image->Height());
}
