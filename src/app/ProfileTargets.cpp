#include "app/ProfileTargets.h"

#include "app/AppController.h"
#include "filters/Filters.h"

namespace {

using C = AppController;
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
        {"facebook",
         200,
         {200, 300},
         "facebook200",
         &C::_facebook200,
         Source::ProcessedPicture,
         &C::_save_facebook,
         "_facebook.tif",
         1},
        {"facebook",
         50,
         {50, 50},
         "facebook50",
         &C::_facebook50,
         Source::UpperSquareOfFirst,
         nullptr,
         nullptr,
         0},
        {"twitter",
         73,
         {73, 73},
         "twitter73",
         &C::_twitter73,
         Source::ProcessedPicture,
         &C::_save_twitter,
         "_twitter.tif",
         5},
        {"twitter",
         48,
         {48, 48},
         "twitter48",
         &C::_twitter48,
         Source::ProcessedPicture,
         nullptr,
         nullptr,
         0},
        {"twitter",
         31,
         {31, 31},
         "twitter31",
         &C::_twitter31,
         Source::ProcessedPicture,
         nullptr,
         nullptr,
         0},
        {"twitter",
         24,
         {24, 24},
         "twitter24",
         &C::_twitter24,
         Source::ProcessedPicture,
         nullptr,
         nullptr,
         0},
        {"linkedin",
         40,
         {40, 40},
         "linkedin40",
         &C::_linkedin40,
         Source::ProcessedPicture,
         nullptr,
         nullptr,
         0},
        {"linkedin",
         80,
         {80, 80},
         "linkedin80",
         &C::_linkedin80,
         Source::ProcessedPicture,
         &C::_save_linked,
         "_linkedin.tif",
         4},
        {"skype",
         48,
         {48, 48},
         "skype48",
         &C::_skype48,
         Source::ProcessedPicture,
         nullptr,
         nullptr,
         0},
        {"skype",
         96,
         {96, 96},
         "skype96",
         &C::_skype96,
         Source::ProcessedPicture,
         &C::_save_skype,
         "_skype.tif",
         2},
        {"google",
         40,
         {40, 40},
         "google40",
         &C::_google40,
         Source::ProcessedPicture,
         nullptr,
         nullptr,
         0},
        {"google",
         82,
         {82, 82},
         "google82",
         &C::_google82,
         Source::ProcessedPicture,
         nullptr,
         nullptr,
         0},
        {"google",
         96,
         {96, 96},
         "google96",
         &C::_google96,
         Source::ProcessedPicture,
         &C::_save_google,
         "_google.tif",
         3},
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
        {"Blur focus", &C::_option_Blurfocus, "buttonBlurfocus", &C::_buttonBlurfocus,
         &Plain<&Filters::CenterFocus>},
        {"Posterize", &C::_option_Posterize, "buttonPosterize", &C::_buttonPosterize,
         &Plain<&Filters::Posterize>},
        {"Sepia", &C::_option_Sepia, "buttonSepia", &C::_buttonSepia, &Plain<&Filters::Sepia>},
        {"Toy camera", &C::_option_Toycam, "buttonToycam", &C::_buttonToycam,
         &Plain<&Filters::ToyCam>},
        {"Colorize", &C::_option_Colorize, "buttonColorize", &C::_buttonColorize, &ColorizeWith},
        {"Pop art", &C::_option_Popart, "buttonPopart", &C::_buttonPopart,
         &Plain<&Filters::PopArtPoster2>},
        {"Sharpen", &C::_option_sharpen, "buttonSharpen", &C::_buttonSharpen,
         &Plain<&Filters::Sharpen>},
        {"Soften", &C::_option_soften, "buttonSoften", &C::_buttonSoften, &Plain<&Filters::Soften>},
        {"Black and white", &C::_option_bw, "buttonBW", &C::_buttonBW,
         &Plain<&Filters::ArtsyFilter>},
        {"Frame", &C::_option_frame, "buttonFrame", &C::_buttonFrame,
         &Plain<&Filters::ClassicFrame>},
        {"Instant", &C::_option_Instant, "buttonInstant", &C::_buttonInstant,
         &Plain<&Filters::PolaroidFilter>},
        {"Photomat", &C::_option_Photomat, "buttonPhotomat", &C::_buttonPhotomat,
         &Plain<&Filters::Photomat>},
        {"Film strip", &C::_option_FilmStrip, "buttonFilmStrip", &C::_buttonFilmStrip,
         &Plain<&Filters::FilmStripFilter>},
    }};
    return looks;
}

const std::array<SaveBox, ProfileTargets::kSaveBoxCount>& ProfileTargets::SaveBoxes() {
    static const std::array<SaveBox, kSaveBoxCount> boxes{{
        {"check_skype", &C::_check_skype, &C::_save_skype},
        {"check_facebook", &C::_check_facebook, &C::_save_facebook},
        {"check_linkedin", &C::_check_linkedin, &C::_save_linked},
        {"check_google", &C::_check_google, &C::_save_google},
        {"check_twitter", &C::_check_twitter, &C::_save_twitter},
        {"check_original", &C::_check_original, &C::_save_original},
    }};
    return boxes;
}

TextPlacement ProfileTargets::PlaceText(float sliderValue, float size, float normalizedLeft,
                                        float normalizedTop) {
    // Evaluated in this order so every target gets exactly T * S / 46.08.
    const float fontSize = (sliderValue / kSliderPerSize) * ((size * kPerPixelOf512) * kPercent);
    return TextPlacement{fontSize, size * normalizedLeft, size * normalizedTop};
}

const ProfileTarget* ProfileTargets::TargetForView(const AppController& controller,
                                                   const ImageView* view) {
    for (const ProfileTarget& target : Targets()) {
        if (view != nullptr && controller.*(target.view) == view) {
            return &target;
        }
    }
    return nullptr;
}
