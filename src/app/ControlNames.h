#pragma once

#include "render/MoreLooks.h"
#include "render/ProfileTargets.h"

#include <array>

// The window's controls for the rows of the renderer's tables: their
// objectNames in MainWindow.ui, row by row.
class ControlNames {
public:
    ControlNames() = delete;

    // The preview of each target, by its row in ProfileTargets::Targets().
    static const std::array<const char*, ProfileTargets::kTargetCount>& Previews();
    // The button of each look, by its row in ProfileTargets::Looks().
    static const std::array<const char*, ProfileTargets::kLookCount>& LookButtons();
    // The checkable action of each of the more looks, look_<key>, by its row
    // in MoreLooks::Rows().
    static const std::array<const char*, MoreLooks::kCount>& MoreLookActions();
    // The check box of each save box, by its row in ProfileTargets::SaveBoxes().
    static const std::array<const char*, ProfileTargets::kSaveBoxCount>& SaveBoxes();
};
