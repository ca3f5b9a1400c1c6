#include "filters/Filters.h"

#include "filters/BoxBlur.h"
#include "filters/Convolution3x3.h"
#include "filters/LookScale.h"
#include "filters/RadialFalloff.h"
#include "filters/ScaledConvolution.h"
#include "filters/ScaledLooks.h"
#include "filters/WideKernel.h"
#include "image/PixelMath.h"
#include "image/QuorelImage.h"

#include <algorithm>
#include <cmath>
#include <vector>

// Neighbourhood filters: each pixel from the front planes around it, written
// into the back buffer, which is then swapped in (Soften, Sharpen) or blended
// with the front (CenterFocus); and the same looks on larger pictures.

namespace {

constexpr int32_t kFocusRadius = 20;
constexpr float kFocusPower = 4.0f;

// Blend weights m = (falloff)^4 and 1 - m of row y. Mirrored columns (x and
// W - x) have equal squares and so equal weights: one power call serves both.
void FocusWeights(const RadialFalloff& falloff, int32_t w, int32_t y, float* keep, float* blur) {
    const float dy2 = falloff.RowSquare(y);
    for (int32_t x = 0; x < w; ++x) {
        const int32_t mirror = w - x;
        if (mirror < x && falloff.ColumnSquare(mirror) == falloff.ColumnSquare(x)) {
            keep[x] = keep[mirror];
        } else {
            keep[x] = std::pow(falloff.At(x, dy2), kFocusPower);
        }
    }
    for (int32_t x = 0; x < w; ++x) {
        blur[x] = 1.0f - keep[x];
    }
}

// front = truncate(front * m + back * (1 - m)); no cap, no floor.
TRELLICA_WIDE_KERNEL void FocusRow(int32_t* __restrict front, const int32_t* __restrict back,
                                   const float* __restrict keep, const float* __restrict blur,
                                   int32_t w) {
    for (int32_t x = 0; x < w; ++x) {
        front[x] = PixelMath::TruncateFinite(static_cast<float>(front[x]) * keep[x] +
                                             static_cast<float>(back[x]) * blur[x]);
    }
}

void FocusBlend(QuorelImage& image) {
    const int32_t w = image.Width();
    const int32_t h = image.Height();
    if (w <= 0 || h <= 0) {
        return;
    }
    int32_t* front[3] = {image.Red(), image.Green(), image.Blue()};
    const int32_t* back[3] = {image.Red_Backbuffer(), image.Green_Backbuffer(),
                              image.Blue_Backbuffer()};
    const RadialFalloff falloff(w, h);
    std::vector<float> keep(static_cast<size_t>(w));
    std::vector<float> blur(static_cast<size_t>(w));
    auto blendRow = [&](int32_t y) {
        const ptrdiff_t row = static_cast<ptrdiff_t>(y) * w;
        for (int c = 0; c < 3; ++c) {
            FocusRow(front[c] + row, back[c] + row, keep.data(), blur.data(), w);
        }
    };
    // Row y and its mirror H - y share their weights when their squares agree.
    for (int32_t y = 0; y <= h / 2; ++y) {
        FocusWeights(falloff, w, y, keep.data(), blur.data());
        blendRow(y);
        const int32_t mirror = h - y;
        if (mirror > y && mirror < h) {
            if (falloff.RowSquare(mirror) != falloff.RowSquare(y)) {
                FocusWeights(falloff, w, mirror, keep.data(), blur.data());
            }
            blendRow(mirror);
        }
    }
}

// The box blur of the focus's radius at the scale, then the blend.
void Focus(QuorelImage& image, const LookScale& scale) {
    Filters::GaussBlurToBackBuffer(&image, scale.Count(kFocusRadius));
    FocusBlend(image);
}

} // namespace

void Filters::Soften(QuorelImage* image) {
    if (image == nullptr) {
        return;
    }
    ScaledConvolution::Apply(*image, Convolution3x3::Soften(), LookScale(1.0f));
}

void Filters::Sharpen(QuorelImage* image) {
    if (image == nullptr) {
        return;
    }
    ScaledConvolution::Apply(*image, Convolution3x3::Sharpen(), LookScale(1.0f));
}

void Filters::GaussBlurToBackBuffer(QuorelImage* image, int32_t radius) {
    if (image == nullptr || radius < 0) {
        return;
    }
    BoxBlur blur(image->Width(), image->Height(), radius);
    blur.Apply(image->Red(), image->Red_Backbuffer());
    blur.Apply(image->Green(), image->Green_Backbuffer());
    blur.Apply(image->Blue(), image->Blue_Backbuffer());
}

void Filters::CenterFocus(QuorelImage* image) {
    if (image == nullptr) {
        return;
    }
    Focus(*image, LookScale(1.0f));
}

void ScaledLooks::CenterFocus(QuorelImage* image, float scale) {
    LookScale::Run(image, scale, &Filters::CenterFocus, &Focus);
}

void ScaledLooks::Soften(QuorelImage* image, float scale) {
    LookScale::Run(image, scale, &Filters::Soften, [](QuorelImage& i, const LookScale& at) {
        ScaledConvolution::Apply(i, Convolution3x3::Soften(), at);
    });
}

void ScaledLooks::Sharpen(QuorelImage* image, float scale) {
    LookScale::Run(image, scale, &Filters::Sharpen, [](QuorelImage& i, const LookScale& at) {
        ScaledConvolution::Apply(i, Convolution3x3::Sharpen(), at);
    });
}
