#include "render/ProfileTargets.h"

#include "filters/Filters.h"

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
        {"facebook", 200, {200, 300}, "facebook200", Source::ProcessedPicture, "_facebook.tif", 1},
        {"facebook", 50, {50, 50}, "facebook50", Source::UpperSquareOfFirst, nullptr, 0},
        {"twitter", 73, {73, 73}, "twitter73", Source::ProcessedPicture, "_twitter.tif", 5},
        {"twitter", 48, {48, 48}, "twitter48", Source::ProcessedPicture, nullptr, 0},
        {"twitter", 31, {31, 31}, "twitter31", Source::ProcessedPicture, nullptr, 0},
        {"twitter", 24, {24, 24}, "twitter24", Source::ProcessedPicture, nullptr, 0},
        {"linkedin", 40, {40, 40}, "linkedin40", Source::ProcessedPicture, nullptr, 0},
        {"linkedin", 80, {80, 80}, "linkedin80", Source::ProcessedPicture, "_linkedin.tif", 4},
        {"skype", 48, {48, 48}, "skype48", Source::ProcessedPicture, nullptr, 0},
        {"skype", 96, {96, 96}, "skype96", Source::ProcessedPicture, "_skype.tif", 2},
        {"google", 40, {40, 40}, "google40", Source::ProcessedPicture, nullptr, 0},
        {"google", 82, {82, 82}, "google82", Source::ProcessedPicture, nullptr, 0},
        {"google", 96, {96, 96}, "google96", Source::ProcessedPicture, "_google.tif", 3},
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
        {"Blur focus", "buttonBlurfocus", "blurfocus", &Plain<&Filters::CenterFocus>,
         "_option_Blurfocus"},
        {"Posterize", "buttonPosterize", "posterize", &Plain<&Filters::Posterize>,
         "_option_Posterize"},
        {"Sepia", "buttonSepia", "sepia", &Plain<&Filters::Sepia>, "_option_Sepia"},
        {"Toy camera", "buttonToycam", "toycam", &Plain<&Filters::ToyCam>, "_option_Toycam"},
        {"Colorize", "buttonColorize", "colorize", &ColorizeWith, "_option_Colorize"},
        {"Pop art", "buttonPopart", "popart", &Plain<&Filters::PopArtPoster2>, "_option_Popart"},
        {"Sharpen", "buttonSharpen", "sharpen", &Plain<&Filters::Sharpen>, "_option_sharpen"},
        {"Soften", "buttonSoften", "soften", &Plain<&Filters::Soften>, "_option_soften"},
        {"Black and white", "buttonBW", "bw", &Plain<&Filters::ArtsyFilter>, "_option_bw"},
        {"Frame", "buttonFrame", "frame", &Plain<&Filters::ClassicFrame>, "_option_frame"},
        {"Instant", "buttonInstant", "instant", &Plain<&Filters::PolaroidFilter>,
         "_option_Instant"},
        {"Photomat", "buttonPhotomat", "photomat", &Plain<&Filters::Photomat>, "_option_Photomat"},
        {"Film strip", "buttonFilmStrip", "filmstrip", &Plain<&Filters::FilmStripFilter>,
         "_option_FilmStrip"},
    }};
    return looks;
}

const std::array<SaveBox, ProfileTargets::kSaveBoxCount>& ProfileTargets::SaveBoxes() {
    static const std::array<SaveBox, kSaveBoxCount> boxes{{
        {"check_skype", "skype", "_save_skype"},
        {"check_facebook", "facebook", "_save_facebook"},
        {"check_linkedin", "linkedin", "_save_linked"},
        {"check_google", "google", "_save_google"},
        {"check_twitter", "twitter", "_save_twitter"},
        {"check_original", nullptr, "_save_original"},
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

TextPlacement ProfileTargets::PlaceText(float sliderValue, float size, float normalizedLeft,
                                        float normalizedTop) {
    // Evaluated in this order so every target gets exactly T * S / 46.08.
    const float fontSize = (sliderValue / kSliderPerSize) * ((size * kPerPixelOf512) * kPercent);
    return TextPlacement{fontSize, size * normalizedLeft, size * normalizedTop};
}
