#include "filters/Filters.h"

#include "filters/BoxBlur.h"
#include "filters/Convolution3x3.h"
#include "filters/FocusWeights.h"
#include "filters/LookScale.h"
#include "filters/RowBands.h"
#include "filters/ScaledConvolution.h"
#include "filters/ScaledLooks.h"
#include "filters/WideKernel.h"
#include "image/PixelMath.h"
#include "image/QuorelImage.h"

#include <algorithm>
#include <cstddef>

// Neighbourhood filters: each pixel from the front planes around it, written
// into the back buffer, which is then swapped in (Soften, Sharpen) or blended
// with the front (CenterFocus); and the same looks on larger pictures.

namespace {

constexpr int32_t kFocusRadius = 20;

// front = truncate(front * m + back * (1 - m)); no cap, no floor.
TRELLICA_WIDE_KERNEL void FocusRow(int32_t* __restrict front, const int32_t* __restrict back,
                                   const float* __restrict keep, int32_t w) {
    for (int32_t x = 0; x < w; ++x) {
        front[x] = PixelMath::TruncateFinite(static_cast<float>(front[x]) * keep[x] +
                                             static_cast<float>(back[x]) * (1.0f - keep[x]));
    }
}

// The box blur of the focus's radius at the scale into the back buffer, then
// the blend, plane by plane: each row is blended as soon as the blur is done
// with it, while the row and its blurred copy are still in the cache. A large
// picture goes in two bands of rows at once; the rows both bands' blurs read
// are blended once both are done.
void Focus(QuorelImage& image, const LookScale& scale) {
    const int32_t w = image.Width();
    const int32_t h = image.Height();
    if (w <= 0 || h <= 0) {
        return;
    }
    const FocusWeights& weights = FocusWeights::For(w, h);
    const int32_t radius = scale.Count(kFocusRadius);
    int32_t* front[3] = {image.Red(), image.Green(), image.Blue()};
    int32_t* back[3] = {image.Red_Backbuffer(), image.Green_Backbuffer(), image.Blue_Backbuffer()};
    const auto blend = [&](int c, int32_t y) {
        const ptrdiff_t row = static_cast<ptrdiff_t>(y) * w;
        FocusRow(front[c] + row, back[c] + row, weights.Row(y), w);
    };
    const int32_t split = RowBands::Split(h, int64_t(w) * h);
    const int64_t zoneBegin = split < h ? std::max<int64_t>(0, int64_t(split) - radius - 1) : h;
    const int64_t zoneEnd = split < h ? std::min<int64_t>(h, int64_t(split) + radius + 1) : h;
    RowBands::Run(h, split, [&](int32_t from, int32_t to) {
        BoxBlur blur(w, h, radius);
        for (int c = 0; c < 3; ++c) {
            const auto done = [&](int32_t y) {
                if (y < zoneBegin || y >= zoneEnd) {
                    blend(c, y);
                }
            };
            blur.Apply(front[c], back[c], done, from, to);
        }
    });
    const int32_t zone = static_cast<int32_t>(zoneEnd - zoneBegin);
    RowBands::Run(zone, zone / 2, [&](int32_t from, int32_t to) {
        for (int32_t y = from; y < to; ++y) {
            for (int c = 0; c < 3; ++c) {
                blend(c, static_cast<int32_t>(zoneBegin) + y);
            }
        }
    });
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
