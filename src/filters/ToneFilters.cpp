#include "filters/Filters.h"

#include "filters/RowBands.h"
#include "filters/ToneMath.h"
#include "filters/ToneRuns.h"
#include "image/QuorelImage.h"

// Tone filters: each pixel from its own colour alone, one pass over the
// front colour planes (on a large picture two bands of it at once); alpha and
// back buffer are never touched.

namespace {

// The pass over the first count pixels; on a large picture (count all of its
// pixels) in two bands of rows at once, each band its own pixels.
template <typename Pass> void InBands(QuorelImage& image, int32_t count, const Pass& pass) {
    const ColourRun all{image.Red(), image.Green(), image.Blue(), count};
    const int32_t w = image.Width();
    const bool whole = w > 0 && int64_t(w) * image.Height() == count;
    const int32_t rows = whole ? image.Height() : 1;
    RowBands::Run(rows, whole ? RowBands::Split(rows, count) : rows, [&](int32_t from, int32_t to) {
        const int32_t begin = whole ? from * w : 0;
        const int32_t end = whole ? to * w : count;
        pass(ColourRun{all.red + begin, all.green + begin, all.blue + begin, end - begin});
    });
}

} // namespace

void Filters::Desaturize(QuorelImage* image) {
    if (image == nullptr) {
        return;
    }
    InBands(*image, image->DataSize() / 4, ToneRuns::Desaturize);
}

void Filters::IncreaseContrast(QuorelImage* image) {
    if (image == nullptr) {
        return;
    }
    InBands(*image, image->DataSize() / 4,
            [](const ColourRun& run) { ToneRuns::Contrast(run, ToneMath::kContrastUp); });
}

void Filters::DecreaseContrast(QuorelImage* image) {
    if (image == nullptr) {
        return;
    }
    InBands(*image, image->DataSize() / 4,
            [](const ColourRun& run) { ToneRuns::Contrast(run, ToneMath::kContrastDown); });
}

void Filters::Sepia(QuorelImage* image) {
    if (image == nullptr) {
        return;
    }
    InBands(*image, image->DataSize() / 4, ToneRuns::Sepia);
}

void Filters::Posterize(QuorelImage* image) {
    if (image == nullptr) {
        return;
    }
    InBands(*image, image->PixelCount(), ToneRuns::Posterize);
}

void Filters::Colorize(QuorelImage* image, const QColor& colour) {
    if (image == nullptr || !colour.isValid()) {
        return;
    }
    const float cr = static_cast<float>(colour.redF());
    const float cg = static_cast<float>(colour.greenF());
    const float cb = static_cast<float>(colour.blueF());
    InBands(*image, image->DataSize() / 4,
            [cr, cg, cb](const ColourRun& run) { ToneRuns::Colorize(run, cr, cg, cb); });
}

void Filters::ArtsyFilter(QuorelImage* image) {
    if (image == nullptr) {
        return;
    }
    InBands(*image, image->DataSize() / 4, ToneRuns::Artsy);
}
