#include "filters/Filters.h"
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

// The plane is one run of values: the window of index i is the 18 runs of 18
// values starting at i + dy * W - 9, dy = -9..8. runs[j] holds the run sum
// around j, and each window sum is the column sum of 18 runs, kept running
// down each column. Integer sums are exact, so the result is that of adding
// the 324 values one by one.
void BlurPlane(const int32_t* src, int32_t* dst, int64_t W, int64_t n, std::vector<int64_t>& runs,
               std::vector<int64_t>& windows) {
    std::copy(src, src + n, dst); // pixels whose window leaves the plane keep their values
    const int64_t first = kBlurBefore * W + kBlurBefore;
    const int64_t last = n - 1 - kBlurAfter * W - kBlurAfter;
    if (first > last) {
        return;
    }
    // Run sums for j in 9..n-9, all that the windows reach.
    runs.assign(static_cast<size_t>(n), 0);
    int64_t run = 0;
    for (int64_t k = 0; k < kBlurSide; ++k) {
        run += src[k];
    }
    runs[kBlurBefore] = run;
    for (int64_t j = kBlurBefore + 1; j + kBlurAfter < n; ++j) {
        run += int64_t(src[j + kBlurAfter]) - src[j - kBlurBefore - 1];
        runs[static_cast<size_t>(j)] = run;
    }
    windows.assign(static_cast<size_t>(W), 0);
    for (int64_t i = first, column = 0; i <= last; ++i) {
        int64_t& sum = windows[static_cast<size_t>(column)];
        if (i < first + W) {
            for (int64_t dy = -kBlurBefore; dy <= kBlurAfter; ++dy) {
                sum += runs[static_cast<size_t>(i + dy * W)];
            }
        } else {
            sum += runs[static_cast<size_t>(i + kBlurAfter * W)] -
                   runs[static_cast<size_t>(i - (kBlurBefore + 1) * W)];
        }
        dst[i] = Truncate(static_cast<float>(sum) * kBlurScale);
        column = column + 1 == W ? 0 : column + 1;
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

void GlassButtonKernel(int32_t* red, int32_t* green, int32_t* blue, int32_t W, int32_t H) {
    const float fH = static_cast<float>(H);
    const float R = kGlassRadius * fH;
    const float cx = kGlassCentre * static_cast<float>(W);
    for (int32_t y = 0; y < H; ++y) {
        for (int32_t x = 0; x < W; ++x) {
            const float dx = static_cast<float>(x) - cx;
            const float dy1 = static_cast<float>(y) + kGlassAbove * fH;
            const float d1 = std::sqrt(dx * dx + dy1 * dy1);
            int32_t value = 0;
            if (d1 <= R) {
                const float t = R - d1;
                const float h = kHighlightTop - ((R - t) / R) * kHighlightTop;
                value = h <= kHighlightMax ? Truncate(h) : 0;
            }
            const float dy2 = static_cast<float>(y) - fH;
            const float d2 = std::sqrt(dx * dx + dy2 * dy2);
            value += Truncate(std::max(0.0f, R - d2) / R * kGlowMax);
            const int64_t i = int64_t(y) * W + x;
            red[i] = green[i] = blue[i] = value;
        }
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

// The light before blurring: the bar at 255 plus twice the truncated glow.
void NeonLightKernel(int32_t* red, int32_t* green, int32_t* blue, int32_t W, int32_t H) {
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
        for (int32_t x = 0; x < W; ++x) {
            const int64_t i = int64_t(y) * W + x;
            const bool inBar = xLo < x && x < xHi && yLo < y && y < yHi;
            const float dx = static_cast<float>(x) - cx;
            const float dy = static_cast<float>(y) - cy;
            const float d = std::sqrt(dx * dx + dy * dy);
            const int32_t glow = 2 * Truncate(std::max(0.0f, rho - d) / rho * kNeonGlow);
            const int32_t value = (inBar ? kBarLight : red[i]) + glow;
            red[i] = green[i] = blue[i] = value;
        }
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
    std::vector<int64_t> runs;
    std::vector<int64_t> windows;
    const int32_t* front[3] = {image->Red(), image->Green(), image->Blue()};
    int32_t* back[3] = {image->Red_Backbuffer(), image->Green_Backbuffer(),
                        image->Blue_Backbuffer()};
    for (int c = 0; c < 3; ++c) {
        BlurPlane(front[c], back[c], image->Width(), image->PixelCount(), runs, windows);
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
    const std::unique_ptr<QuorelImage> light =
        QuorelImage::InitEmpty(image->Width(), image->Height());
    if (!light || light->PixelCount() != image->PixelCount()) {
        return;
    }
    NeonLightKernel(light->Red(), light->Green(), light->Blue(), light->Width(), light->Height());
    GaussBlurToBackBuffer(light.get(), kNeonBlurRadius);
    const int32_t* lit[3] = {light->Red_Backbuffer(), light->Green_Backbuffer(),
                             light->Blue_Backbuffer()};
    int32_t* back[3] = {image->Red_Backbuffer(), image->Green_Backbuffer(),
                        image->Blue_Backbuffer()};
    for (int c = 0; c < 3; ++c) {
        for (int32_t i = 0; i < image->PixelCount(); ++i) {
            back[c][i] = 2 * lit[c][i]; // the blur leaves 0..255: no overflow
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
