#include "filters/Filters.h"
#include "filters/Mt19937.h"
#include "filters/ToneMath.h"
#include "filters/WideKernel.h"
#include "image/PixelMath.h"
#include "image/QuorelImage.h"

#include <algorithm>

using PixelMath::Cap;
using PixelMath::Truncate;

namespace {

// --- tone shifts ----------------------------------------------------------------

constexpr float kWarmUp = 1.25f;
constexpr float kWarmDown = 0.75f;

// Scales red by redFactor and blue by blueFactor; the raised channel is capped
// (red when capRed, else blue), the lowered one is not.
void ShiftKernel(int32_t* red, int32_t* blue, int32_t n, float redFactor, float blueFactor,
                 bool capRed) {
    for (int32_t i = 0; i < n; ++i) {
        const int32_t r = Truncate(static_cast<float>(red[i]) * redFactor);
        const int32_t b = Truncate(static_cast<float>(blue[i]) * blueFactor);
        red[i] = capRed ? Cap(r) : r;
        blue[i] = capRed ? b : Cap(b);
    }
}

constexpr float kHalf = 0.5f;

void DoubleKernel(int32_t* plane, int32_t n) {
    for (int32_t i = 0; i < n; ++i) {
        plane[i] = Cap(PixelMath::Saturate(int64_t(plane[i]) * 2));
    }
}

void HalveKernel(int32_t* plane, int32_t n) {
    for (int32_t i = 0; i < n; ++i) {
        plane[i] = Truncate(static_cast<float>(plane[i]) * kHalf);
    }
}

// --- grain ------------------------------------------------------------------------

constexpr uint32_t kNoiseSeed = 0;
constexpr uint32_t kNoiseSteps = 1500;
constexpr float kNoiseStep = 10000.0f;
constexpr float kNoiseFloor = 0.85f;

// Numbers are drawn a batch at a time, then the batch's pixels are darkened
// together. f is below 1, so every product lies within int32, where Truncate
// is the plain conversion.
constexpr int32_t kNoiseBatch = 1024;

TRELLICA_WIDE_KERNEL void GrainBatch(int32_t* __restrict red, int32_t* __restrict green,
                                     int32_t* __restrict blue, const uint32_t* __restrict drawn,
                                     int32_t n) {
    for (int32_t i = 0; i < n; ++i) {
        const int32_t r = static_cast<int32_t>(drawn[i] % kNoiseSteps);
        const float f = static_cast<float>(r) / kNoiseStep + kNoiseFloor;
        red[i] = static_cast<int32_t>(static_cast<float>(red[i]) * f);
        green[i] = static_cast<int32_t>(static_cast<float>(green[i]) * f);
        blue[i] = static_cast<int32_t>(static_cast<float>(blue[i]) * f);
    }
}

void NoiseKernel(int32_t* red, int32_t* green, int32_t* blue, int32_t n) {
    // A generator of the call's own, restarted every call: the same picture
    // always gets the same grain, and no other thread's numbers are disturbed.
    // It is std::mt19937's sequence.
    Mt19937 generator(kNoiseSeed);
    uint32_t drawn[kNoiseBatch];
    for (int32_t i = 0; i < n; i += kNoiseBatch) {
        const int32_t count = std::min(kNoiseBatch, n - i);
        generator.Draw(drawn, count);
        GrainBatch(red + i, green + i, blue + i, drawn, count);
    }
}

// --- yellowing --------------------------------------------------------------------

constexpr float kYellowBlue = 0.65f;

// The grey is at most 255, so its product lies within int32. Taken as two
// loops over a run of greys: fused, the compiler branches and vectorises neither.
constexpr int32_t kYellowRun = 1024;

TRELLICA_WIDE_KERNEL void YellowRun(const int32_t* __restrict grey, int32_t* __restrict blue,
                                    int32_t n) {
    for (int32_t i = 0; i < n; ++i) {
        blue[i] = static_cast<int32_t>(static_cast<float>(grey[i]) * kYellowBlue);
    }
}

void VergilbenKernel(const int32_t* red, const int32_t* green, int32_t* blue, int32_t n) {
    int32_t grey[kYellowRun];
    for (int32_t i = 0; i < n; i += kYellowRun) {
        const int32_t count = std::min(kYellowRun, n - i);
        ToneMath::GreyRun(red + i, green + i, blue + i, grey, count);
        YellowRun(grey, blue + i, count);
    }
}

// --- earlier pop-art variant ------------------------------------------------------

// Which channels each quadrant keeps: top left, top right, bottom left, bottom right.
constexpr bool kQuadrantKeeps[4][3] = {
    {true, false, false}, {true, true, false}, {false, false, true}, {false, true, false}};

// Back (x, y) = the front pixel ((2x) mod W, (2y) mod H) with the quadrant's
// channels kept and the others 0.
void PopArtKernel(int32_t* const front[3], int32_t* const back[3], int64_t W, int64_t H) {
    const int64_t hw = W / 2;
    const int64_t hh = H / 2;
    for (int64_t y = 0; y < H; ++y) {
        for (int64_t x = 0; x < W; ++x) {
            const int64_t source = ((2 * y) % H) * W + ((2 * x) % W);
            const bool* keeps = kQuadrantKeeps[(y >= hh ? 2 : 0) + (x >= hw ? 1 : 0)];
            for (int c = 0; c < 3; ++c) {
                back[c][y * W + x] = keeps[c] ? front[c][source] : 0;
            }
        }
    }
}

// --- priority ---------------------------------------------------------------------

constexpr int32_t kUrgentType = 4;
constexpr int32_t kUrgentPriority = 10;
constexpr int32_t kOtherPriority = 10000000;

} // namespace

void Filters::IncreaseHotColors(QuorelImage* image) {
    if (!image) {
        return;
    }
    ShiftKernel(image->Red(), image->Blue(), image->PixelCount(), kWarmUp, kWarmDown, true);
}

void Filters::IncreaseColdColors(QuorelImage* image) {
    if (!image) {
        return;
    }
    ShiftKernel(image->Red(), image->Blue(), image->PixelCount(), kWarmDown, kWarmUp, false);
}

void Filters::IncreaseExposureX2(QuorelImage* image) {
    if (!image) {
        return;
    }
    for (int32_t* plane : {image->Red(), image->Green(), image->Blue()}) {
        DoubleKernel(plane, image->DataSize() / 4);
    }
}

void Filters::DecreaseExposureX2(QuorelImage* image) {
    if (!image) {
        return;
    }
    for (int32_t* plane : {image->Red(), image->Green(), image->Blue()}) {
        HalveKernel(plane, image->DataSize() / 4);
    }
}

void Filters::Noise(QuorelImage* image) {
    if (!image) {
        return;
    }
    NoiseKernel(image->Red(), image->Green(), image->Blue(), image->DataSize() / 4);
}

void Filters::Vergilben(QuorelImage* image) {
    if (!image) {
        return;
    }
    VergilbenKernel(image->Red(), image->Green(), image->Blue(), image->DataSize() / 4);
}

void Filters::OldTimeFilter(QuorelImage* image) {
    if (!image) {
        return;
    }
    ArtsyFilter(image);
    Vergilben(image);
    DecreaseContrast(image);
    Noise(image);
    Soften(image);
}

void Filters::PopArtPoster(QuorelImage* image) {
    if (!image) {
        return;
    }
    Desaturize(image);
    Posterize(image);
    int32_t* const front[3] = {image->Red(), image->Green(), image->Blue()};
    int32_t* const back[3] = {image->Red_Backbuffer(), image->Green_Backbuffer(),
                              image->Blue_Backbuffer()};
    PopArtKernel(front, back, image->Width(), image->Height());
    image->SwapBackBuffer();
}

void Filters::Photomat_old(QuorelImage* image) {
    if (!image) {
        return;
    }
    Desaturize(image);
    IncreaseContrast(image);
    ClassicFrame(image);
}

void Filters::TestFilter(QuorelImage* image) {
    if (!image) {
        return;
    }
    CenterFocus(image);
}

int32_t Filters::Priority(int32_t operationType) {
    return operationType == kUrgentType ? kUrgentPriority : kOtherPriority;
}
