#include "render/ProfileTargets.h"

#include "filters/Filters.h"
#include "filters/ScaledLooks.h"

#include <cstring>

namespace {

using Source = TargetSource;

// A look whose filter takes no colour.
template <void (*Filter)(QuorelImage*)> void Plain(QuorelImage* image, const QColor&) {
    Filter(image);
}

void ColorizeWith(QuorelImage* image, const QColor& colour) {
    Filters::Colorize(image, colour);
}

} // namespace

const std::array<ProfileTarget, ProfileTargets::kTargetCount>& ProfileTargets::Targets() {
    // The first target's picture may be up to half as tall again as wide.
    static const std::array<ProfileTarget, kTargetCount> targets{{
        {"facebook", 200, {200, 300}, Source::ProcessedPicture, 1},
        {"facebook", 50, {50, 50}, Source::UpperSquareOfFirst, 0},
        {"twitter", 73, {73, 73}, Source::ProcessedPicture, 5},
        {"twitter", 48, {48, 48}, Source::ProcessedPicture, 0},
        {"twitter", 31, {31, 31}, Source::ProcessedPicture, 0},
        {"twitter", 24, {24, 24}, Source::ProcessedPicture, 0},
        {"linkedin", 40, {40, 40}, Source::ProcessedPicture, 0},
        {"linkedin", 80, {80, 80}, Source::ProcessedPicture, 4},
        {"skype", 48, {48, 48}, Source::ProcessedPicture, 0},
        {"skype", 96, {96, 96}, Source::ProcessedPicture, 2},
        {"google", 40, {40, 40}, Source::ProcessedPicture, 0},
        {"google", 82, {82, 82}, Source::ProcessedPicture, 0},
        {"google", 96, {96, 96}, Source::ProcessedPicture, 3},
    }};
    return targets;
}

const std::array<const ProfileTarget*, ProfileTargets::kSavedTargetCount>&
ProfileTargets::SavedTargets() {
    static const std::array<const ProfileTarget*, kSavedTargetCount> saved = [] {
        std::array<const ProfileTarget*, kSavedTargetCount> inOrder{};
        for (const ProfileTarget& target : Targets()) {
            if (target.saveOrder > 0) {
                inOrder[static_cast<size_t>(target.saveOrder - 1)] = &target;
            }
        }
        return inOrder;
    }();
    return saved;
}

const std::array<ProfileLook, ProfileTargets::kLookCount>& ProfileTargets::Looks() {
    static const std::array<ProfileLook, kLookCount> looks{{
        {"Blur focus", "blurfocus", &Plain<&Filters::CenterFocus>, "_option_Blurfocus"},
        {"Posterize", "posterize", &Plain<&Filters::Posterize>, "_option_Posterize"},
        {"Sepia", "sepia", &Plain<&Filters::Sepia>, "_option_Sepia"},
        {"Toy camera", "toycam", &Plain<&Filters::ToyCam>, "_option_Toycam"},
        {"Colorize", "colorize", &ColorizeWith, "_option_Colorize"},
        {"Pop art", "popart", &Plain<&Filters::PopArtPoster2>, "_option_Popart"},
        {"Sharpen", "sharpen", &Plain<&Filters::Sharpen>, "_option_sharpen"},
        {"Soften", "soften", &Plain<&Filters::Soften>, "_option_soften"},
        {"Black and white", "bw", &Plain<&Filters::ArtsyFilter>, "_option_bw"},
        {"Frame", "frame", &Plain<&Filters::ClassicFrame>, "_option_frame"},
        {"Instant", "instant", &Plain<&Filters::PolaroidFilter>, "_option_Instant"},
        {"Photomat", "photomat", &Plain<&Filters::Photomat>, "_option_Photomat"},
        {"Film strip", "filmstrip", &Plain<&Filters::FilmStripFilter>, "_option_FilmStrip"},
    }};
    return looks;
}

const std::array<SaveBox, ProfileTargets::kSaveBoxCount>& ProfileTargets::SaveBoxes() {
    static const std::array<SaveBox, kSaveBoxCount> boxes{{
        {"skype", "_save_skype"},
        {"facebook", "_save_facebook"},
        {"linkedin", "_save_linked"},
        {"google", "_save_google"},
        {"twitter", "_save_twitter"},
        {nullptr, "_save_original"},
    }};
    return boxes;
}

const ProfileTarget* ProfileTargets::SavedTarget(const char* network) {
    for (const ProfileTarget* target : SavedTargets()) {
        if (network != nullptr && std::strcmp(target->network, network) == 0) {
            return target;
        }
    }
    return nullptr;
}

int ProfileTargets::LookIndex(const char* key) {
    for (size_t i = 0; i < kLookCount; ++i) {
        if (key != nullptr && std::strcmp(Looks()[i].key, key) == 0) {
            return static_cast<int>(i);
        }
    }
    return -1;
}

void ProfileTargets::ApplyLooks(const std::bitset<kLookCount>& looks, QuorelImage* image,
                                const QColor& colour, float scale) {
    // The one place the looks learn their scale: at 512 the stated operations,
    // at any other side their pixel counts scaled, found by their short names.
    if (scale == 1.0f) {
        for (size_t row = 0; row < kLookCount; ++row) {
            if (looks[row]) {
                Looks()[row].apply(image, colour);
            }
        }
        return;
    }
    ScaledLooks::Chosen chosen;
    for (size_t row = 0; row < kLookCount; ++row) {
        const int scaled = ScaledLooks::LookIndex(Looks()[row].key);
        if (looks[row] && scaled >= 0) {
            chosen.set(size_t(scaled));
        }
    }
    ScaledLooks::ApplyChosen(chosen, image, colour, scale);
}

TextPlacement ProfileTargets::PlaceText(float sliderValue, float size, float normalizedLeft,
                                        float normalizedTop) {
    // Evaluated in this order so every target gets exactly T * S / 46.08.
    const float fontSize = (sliderValue / kSliderPerSize) * ((size * kPerPixelOf512) * kPercent);
    return TextPlacement{fontSize, size * normalizedLeft, size * normalizedTop};
}
