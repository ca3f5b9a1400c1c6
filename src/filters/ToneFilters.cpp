#include "filters/Filters.h"

#include "filters/RowBands.h"
#include "filters/ToneMath.h"
#include "filters/WideKernel.h"
#include "image/PixelMath.h"
#include "image/QuorelImage.h"

#include <algorithm>

// Tone filters: each pixel from its own colour alone, one pass over the
// front colour planes (on a large picture two bands of it at once); alpha and
// back buffer are never touched.

namespace {

using PixelMath::TruncateCap;
using PixelMath::TruncateCapFloor;

using ToneMath::ContrastRun;
using ToneMath::Grey;
using ToneMath::GreyRun;
using ToneMath::kContrastDown;
using ToneMath::kContrastUp;

constexpr float kSepiaRed = 1.1f;
constexpr float kSepiaGreen = 0.95f;
constexpr float kSepiaBlue = 0.65f;

constexpr float kPosterStep = 0.01f;
constexpr int32_t kPosterLevel = 100;

// Fused looks run their steps over runs of this many pixels, one simple loop per
// step: each loop vectorises, and the run stays in the first-level cache.
constexpr int32_t kRun = 256;

struct ColourPlanes {
    int32_t* red;
    int32_t* green;
    int32_t* blue;
    int32_t count;
};

ColourPlanes Front(QuorelImage& image, int32_t count) {
    return {image.Red(), image.Green(), image.Blue(), count};
}

// The pass over the first count pixels; on a large picture (count all of its
// pixels) in two bands of rows at once, each band its own pixels.
template <typename Pass> void InBands(QuorelImage& image, int32_t count, const Pass& pass) {
    const ColourPlanes all = Front(image, count);
    const int32_t w = image.Width();
    const bool whole = w > 0 && int64_t(w) * image.Height() == count;
    const int32_t rows = whole ? image.Height() : 1;
    RowBands::Run(rows, whole ? RowBands::Split(rows, count) : rows, [&](int32_t from, int32_t to) {
        const int32_t begin = whole ? from * w : 0;
        const int32_t end = whole ? to * w : count;
        pass(ColourPlanes{all.red + begin, all.green + begin, all.blue + begin, end - begin});
    });
}

TRELLICA_WIDE_KERNEL void TintRun(const int32_t* __restrict grey, int32_t* __restrict plane,
                                  int32_t count, float component) {
    for (int32_t i = 0; i < count; ++i) {
        plane[i] = TruncateCapFloor(static_cast<float>(grey[i]) * component);
    }
}

TRELLICA_WIDE_KERNEL void DesaturizePlanes(ColourPlanes p) {
    int32_t* __restrict r = p.red;
    int32_t* __restrict g = p.green;
    int32_t* __restrict b = p.blue;
    for (int32_t i = 0; i < p.count; ++i) {
        const int32_t y = Grey(r[i], g[i], b[i]);
        r[i] = y;
        g[i] = y;
        b[i] = y;
    }
}

void ContrastPlanes(ColourPlanes p, float factor) {
    ContrastRun(p.red, p.count, factor);
    ContrastRun(p.green, p.count, factor);
    ContrastRun(p.blue, p.count, factor);
}

TRELLICA_WIDE_KERNEL void SepiaPlanes(ColourPlanes p) {
    int32_t* __restrict r = p.red;
    int32_t* __restrict g = p.green;
    int32_t* __restrict b = p.blue;
    for (int32_t i = 0; i < p.count; ++i) {
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

// Desaturize and the tint in one pass: each pixel's steps are its own, so the
// values are those of two passes.
void ColorizePlanes(ColourPlanes p, float cr, float cg, float cb) {
    int32_t grey[kRun];
    for (int32_t start = 0; start < p.count; start += kRun) {
        const int32_t n = std::min(kRun, p.count - start);
        GreyRun(p.red + start, p.green + start, p.blue + start, grey, n);
        TintRun(grey, p.red + start, n, cr);
        TintRun(grey, p.green + start, n, cg);
        TintRun(grey, p.blue + start, n, cb);
    }
}

// Desaturize, then the contrast step twice, in one pass.
void ArtsyPlanes(ColourPlanes p) {
    int32_t grey[kRun];
    for (int32_t start = 0; start < p.count; start += kRun) {
        const int32_t n = std::min(kRun, p.count - start);
        GreyRun(p.red + start, p.green + start, p.blue + start, grey, n);
        ContrastRun(grey, n, kContrastUp);
        ContrastRun(grey, n, kContrastUp);
        for (int32_t* plane : {p.red, p.green, p.blue}) {
            std::copy(grey, grey + n, plane + start);
        }
    }
}

} // namespace

void Filters::Desaturize(QuorelImage* image) {
    if (image == nullptr) {
        return;
    }
    InBands(*image, image->DataSize() / 4, DesaturizePlanes);
}

void Filters::IncreaseContrast(QuorelImage* image) {
    if (image == nullptr) {
        return;
    }
    InBands(*image, image->DataSize() / 4, [](ColourPlanes p) { ContrastPlanes(p, kContrastUp); });
}

void Filters::DecreaseContrast(QuorelImage* image) {
    if (image == nullptr) {
        return;
    }
    InBands(*image, image->DataSize() / 4,
            [](ColourPlanes p) { ContrastPlanes(p, kContrastDown); });
}

void Filters::Sepia(QuorelImage* image) {
    if (image == nullptr) {
        return;
    }
    InBands(*image, image->DataSize() / 4, SepiaPlanes);
}

void Filters::Posterize(QuorelImage* image) {
    if (image == nullptr) {
        return;
    }
    InBands(*image, image->PixelCount(), [](ColourPlanes p) {
        PosterizePlane(p.red, p.count);
        PosterizePlane(p.green, p.count);
        PosterizePlane(p.blue, p.count);
    });
}

void Filters::Colorize(QuorelImage* image, const QColor& colour) {
    if (image == nullptr || !colour.isValid()) {
        return;
    }
    const float cr = static_cast<float>(colour.redF());
    const float cg = static_cast<float>(colour.greenF());
    const float cb = static_cast<float>(colour.blueF());
    InBands(*image, image->DataSize() / 4,
            [cr, cg, cb](ColourPlanes p) { ColorizePlanes(p, cr, cg, cb); });
}

void Filters::ArtsyFilter(QuorelImage* image) {
    if (image == nullptr) {
        return;
    }
    InBands(*image, image->DataSize() / 4, ArtsyPlanes);
}
