#include "app/ControlNames.h"

#include <QByteArray>

const std::array<const char*, ProfileTargets::kTargetCount>& ControlNames::Previews() {
    static const std::array<const char*, ProfileTargets::kTargetCount> names{
        "facebook200", "facebook50", "twitter73",  "twitter48", "twitter31",
        "twitter24",   "linkedin40", "linkedin80", "skype48",   "skype96",
        "google40",    "google82",   "google96",
    };
    return names;
}

const std::array<const char*, ProfileTargets::kLookCount>& ControlNames::LookButtons() {
    static const std::array<const char*, ProfileTargets::kLookCount> names{
        "buttonBlurfocus", "buttonPosterize", "buttonSepia",     "buttonToycam", "buttonColorize",
        "buttonPopart",    "buttonSharpen",   "buttonSoften",    "buttonBW",     "buttonFrame",
        "buttonInstant",   "buttonPhotomat",  "buttonFilmStrip",
    };
    return names;
}

const std::array<const char*, MoreLooks::kCount>& ControlNames::MoreLookActions() {
    static const std::array<QByteArray, MoreLooks::kCount> kept = [] {
        std::array<QByteArray, MoreLooks::kCount> names;
        for (size_t row = 0; row < MoreLooks::kCount; ++row) {
            names[row] = QByteArray("look_") + MoreLooks::Rows()[row].key;
        }
        return names;
    }();
    static const std::array<const char*, MoreLooks::kCount> names = [] {
        std::array<const char*, MoreLooks::kCount> pointers{};
        for (size_t row = 0; row < MoreLooks::kCount; ++row) {
            pointers[row] = kept[row].constData();
        }
        return pointers;
    }();
    return names;
}

const std::array<const char*, ProfileTargets::kSaveBoxCount>& ControlNames::SaveBoxes() {
    static const std::array<const char*, ProfileTargets::kSaveBoxCount> names{
        "check_skype",  "check_facebook", "check_linkedin",
        "check_google", "check_twitter",  "check_original",
    };
    return names;
}
