#include "filters/ScaledLooks.h"

#include "filters/Filters.h"

#include <array>
#include <cstring>

namespace {

using Apply = void (*)(QuorelImage*, const QColor&, float);

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

struct Look {
    const char* key;
    Apply apply;
};

constexpr std::array<Look, ScaledLooks::kLookCount> kLooks{{
    {"blurfocus", &Counted<&ScaledLooks::CenterFocus>},
    {"posterize", &AnySize<&Filters::Posterize>},
    {"sepia", &AnySize<&Filters::Sepia>},
    {"toycam", &Counted<&ScaledLooks::ToyCam>},
    {"colorize", &ColorizeWith},
    {"popart", &AnySize<&Filters::PopArtPoster2>},
    {"sharpen", &Counted<&ScaledLooks::Sharpen>},
    {"soften", &Counted<&ScaledLooks::Soften>},
    {"bw", &AnySize<&Filters::ArtsyFilter>},
    {"frame", &Counted<&ScaledLooks::ClassicFrame>},
    {"instant", &Counted<&ScaledLooks::PolaroidFilter>},
    {"photomat", &Counted<&ScaledLooks::Photomat>},
    {"filmstrip", &Counted<&ScaledLooks::FilmStripFilter>},
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
