#include "filters/ScaledLooks.h"

#include "filters/Filters.h"
#include "filters/LookScale.h"
#include "filters/PointSteps.h"
#include "filters/ToneRuns.h"

#include <array>
#include <cstring>

namespace {

using Apply = void (*)(QuorelImage*, const QColor&, float);
// A look that sets each pixel from its own colour alone, as a step on runs
// (none: it does nothing with that colour).
using Point = PointSteps::Step (*)(const QColor&);
// A look that takes what is held, doing it first on what it reads, or holds
// itself as well.
using Reading = void (*)(QuorelImage&, const LookScale&, PointSteps&);

// A look without a count of pixels: the operation at any size.
template <void (*Operation)(QuorelImage*)> void AnySize(QuorelImage* image, const QColor&, float) {
    Operation(image);
}

template <void (*Operation)(QuorelImage*, float)>
void Counted(QuorelImage* image, const QColor&, float scale) {
    Operation(image, scale);
}

void ColorizeWith(QuorelImage* image, const QColor& colour, float) {
    Filters::Colorize(image, colour);
}

template <void (*Step)(const ColourRun&)> PointSteps::Step Steps(const QColor&) {
    return Step;
}

PointSteps::Step ColorizeSteps(const QColor& colour) {
    if (!colour.isValid()) {
        return nullptr;
    }
    const float r = static_cast<float>(colour.redF());
    const float g = static_cast<float>(colour.greenF());
    const float b = static_cast<float>(colour.blueF());
    return [r, g, b](const ColourRun& run) { ToneRuns::Colorize(run, r, g, b); };
}

struct Look {
    const char* key;
    Apply apply;
    Point point = nullptr;
    Reading reading = nullptr;
};

constexpr std::array<Look, ScaledLooks::kLookCount> kLooks{{
    {"blurfocus", &Counted<&ScaledLooks::CenterFocus>},
    {"posterize", &AnySize<&Filters::Posterize>, &Steps<&ToneRuns::Posterize>},
    {"sepia", &AnySize<&Filters::Sepia>, &Steps<&ToneRuns::Sepia>},
    {"toycam", &Counted<&ScaledLooks::ToyCam>, nullptr, &ScaledLooks::ToyCam},
    {"colorize", &ColorizeWith, &ColorizeSteps},
    {"popart", &AnySize<&Filters::PopArtPoster2>, nullptr, &ScaledLooks::PopArtPoster2},
    {"sharpen", &Counted<&ScaledLooks::Sharpen>, nullptr, &ScaledLooks::Sharpen},
    {"soften", &Counted<&ScaledLooks::Soften>, nullptr, &ScaledLooks::Soften},
    {"bw", &AnySize<&Filters::ArtsyFilter>, &Steps<&ToneRuns::Artsy>},
    {"frame", &Counted<&ScaledLooks::ClassicFrame>, nullptr, &ScaledLooks::ClassicFrame},
    {"instant", &Counted<&ScaledLooks::PolaroidFilter>, nullptr, &ScaledLooks::PolaroidFilter},
    {"photomat", &Counted<&ScaledLooks::Photomat>, nullptr, &ScaledLooks::Photomat},
    {"filmstrip", &Counted<&ScaledLooks::FilmStripFilter>, nullptr, &ScaledLooks::FilmStripFilter},
}};

} // namespace

const char* ScaledLooks::Key(size_t row) {
    return row < kLookCount ? kLooks[row].key : nullptr;
}

int ScaledLooks::LookIndex(const char* key) {
    for (size_t row = 0; row < kLookCount && key != nullptr; ++row) {
        if (std::strcmp(kLooks[row].key, key) == 0) {
            return static_cast<int>(row);
        }
    }
    return -1;
}

void ScaledLooks::Apply(size_t row, QuorelImage* image, const QColor& colorize, float scale) {
    if (row < kLookCount && image != nullptr) {
        kLooks[row].apply(image, colorize, scale);
    }
}

void ScaledLooks::ApplyChosen(const Chosen& chosen, QuorelImage* image, const QColor& colorize,
                              float scale) {
    if (image == nullptr) {
        return;
    }
    const LookScale at(scale);
    PointSteps held;
    for (size_t row = 0; row < kLookCount; ++row) {
        const Look& look = kLooks[row];
        if (!chosen[row]) {
            continue;
        }
        if (at.IsOne()) {
            look.apply(image, colorize, scale); // as stated, nothing held
        } else if (look.point != nullptr) {
            if (PointSteps::Step step = look.point(colorize)) {
                held.Add(std::move(step));
            }
        } else if (look.reading != nullptr) {
            look.reading(*image, at, held);
        } else {
            held.Flush(*image);
            look.apply(image, colorize, scale);
        }
    }
    held.Flush(*image);
}
