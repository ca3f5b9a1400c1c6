#include "filters/Filters.h"

#include "filters/BoxBlur.h"
#include "filters/Convolution3x3.h"
#include "filters/FocusWeights.h"
#include "filters/LookScale.h"
#include "filters/PointSteps.h"
#include "filters/RowBands.h"
#include "filters/ScaledConvolution.h"
#include "filters/ScaledLooks.h"
#include "filters/WideKernel.h"
#include "image/PixelMath.h"
#include "image/QuorelImage.h"

#include <algorithm>
#include <cstddef>
#include <vector>

// Neighbourhood filters: each pixel from the front planes around it, written
// into the back buffer, which is then swapped in (Soften, Sharpen) or blended
// with the front (CenterFocus); and the same looks on larger pictures.

namespace {

constexpr int32_t kFocusRadius = 20;

// front = truncate(front * m + back * (1 - m)); no cap, no floor.
TRELLICA_WIDE_KERNEL void FocusRow(int32_t* __restrict front, const int32_t* __restrict blurred,
                                   const float* __restrict keep, int32_t w) {
    for (int32_t x = 0; x < w; ++x) {
        front[x] = PixelMath::TruncateFinite(static_cast<float>(front[x]) * keep[x] +
                                             static_cast<float>(blurred[x]) * (1.0f - keep[x]));
    }
}

// Where the blurred rows go. The stated look leaves the blurred picture in the
// back buffer. A scaled one does not touch it (no later look reads it), which
// saves a whole set of planes' traffic on a large picture: each band blurs
// into a ring of rows, enough for a row to wait until the blur is done with
// it, and the rows both bands read go to rows of their own.
class BlurredRows {
public:
    BlurredRows(QuorelImage& image, bool intoBackBuffer, int64_t zoneBegin, int64_t zoneEnd,
                int32_t radius)
        : _w(static_cast<size_t>(image.Width())), _zoneBegin(zoneBegin), _zoneEnd(zoneEnd),
          _ringRows(static_cast<size_t>(radius) + 2), _back{image.Red_Backbuffer(),
                                                            image.Green_Backbuffer(),
                                                            image.Blue_Backbuffer()},
          _intoBackBuffer(intoBackBuffer),
          _zone(intoBackBuffer ? 0 : 3 * static_cast<size_t>(zoneEnd - zoneBegin) * _w) {}
    bool InZone(int32_t y) const { return y >= _zoneBegin && y < _zoneEnd; }
    // A band's ring (empty when the rows go to the back buffer).
    std::vector<int32_t> Ring() const {
        return std::vector<int32_t>(_intoBackBuffer ? 0 : _ringRows * _w);
    }
    int32_t* Row(int c, int32_t y, std::vector<int32_t>& ring) {
        const size_t at = static_cast<size_t>(y);
        if (_intoBackBuffer) {
            return _back[c] + at * _w;
        }
        if (InZone(y)) {
            const size_t rows = static_cast<size_t>(_zoneEnd - _zoneBegin);
            return _zone.data() + (size_t(c) * rows + at - size_t(_zoneBegin)) * _w;
        }
        return ring.data() + (at % _ringRows) * _w;
    }

private:
    size_t _w;
    int64_t _zoneBegin;
    int64_t _zoneEnd;
    size_t _ringRows;
    int32_t* _back[3];
    bool _intoBackBuffer;
    std::vector<int32_t> _zone;
};

// The box blur of the focus's radius at the scale, then the blend, plane by
// plane: each row is blended as soon as the blur is done with it, while the row
// and its blurred copy are still in the cache. A large picture goes in two
// bands of rows at once; the rows both bands' blurs read are blended once both
// are done.
void Focus(QuorelImage& image, const LookScale& scale) {
    const int32_t w = image.Width();
    const int32_t h = image.Height();
    if (w <= 0 || h <= 0) {
        return;
    }
    const FocusWeights& weights = FocusWeights::For(w, h);
    const int32_t radius = scale.Count(kFocusRadius);
    int32_t* front[3] = {image.Red(), image.Green(), image.Blue()};
    const int32_t split = RowBands::Split(h, int64_t(w) * h);
    const int64_t zoneBegin = split < h ? std::max<int64_t>(0, int64_t(split) - radius - 1) : h;
    const int64_t zoneEnd = split < h ? std::min<int64_t>(h, int64_t(split) + radius + 1) : h;
    BlurredRows blurred(image, scale.IsOne(), zoneBegin, zoneEnd, radius);
    const auto blend = [&](int c, int32_t y, std::vector<int32_t>& ring) {
        FocusRow(front[c] + static_cast<ptrdiff_t>(y) * w, blurred.Row(c, y, ring), weights.Row(y),
                 w);
    };
    RowBands::Run(h, split, [&](int32_t from, int32_t to) {
        BoxBlur blur(w, h, radius);
        std::vector<int32_t> ring = blurred.Ring();
        for (int c = 0; c < 3; ++c) {
            blur.Apply(
                front[c], [&](int32_t y) { return blurred.Row(c, y, ring); },
                [&](int32_t y) {
                    if (!blurred.InZone(y)) {
                        blend(c, y, ring);
                    }
                },
                from, to);
        }
    });
    const int32_t zone = static_cast<int32_t>(zoneEnd - zoneBegin);
    RowBands::Run(zone, zone / 2, [&](int32_t from, int32_t to) {
        std::vector<int32_t> none;
        for (int32_t y = from; y < to; ++y) {
            for (int c = 0; c < 3; ++c) {
                blend(c, static_cast<int32_t>(zoneBegin) + y, none);
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

void ScaledLooks::Soften(QuorelImage& image, const LookScale& scale, PointSteps& held) {
    ScaledConvolution::Apply(image, Convolution3x3::Soften(), scale,
                             held.Take().Before(image.Width(), nullptr));
}

void ScaledLooks::Sharpen(QuorelImage& image, const LookScale& scale, PointSteps& held) {
    ScaledConvolution::Apply(image, Convolution3x3::Sharpen(), scale,
                             held.Take().Before(image.Width(), nullptr));
}
