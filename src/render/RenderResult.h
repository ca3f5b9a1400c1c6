#pragma once

#include "render/ProfileTargets.h"

#include <QImage>
#include <array>

// What one run of the renderer gives: the processed picture (the selection
// fitted to 512 x 512 with the looks applied, without text) and the thirteen
// target pictures in the order of ProfileTargets::Targets(), text included.
struct RenderResult {
    QImage processed;
    std::array<QImage, ProfileTargets::kTargetCount> targets;
    bool fullRun = false; // whether the processed picture was made anew
};
