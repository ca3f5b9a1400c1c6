#pragma once

#include "render/ProfileTargets.h"
#include "render/RenderRequest.h"
#include "views/ViewGeometry.h"

#include <QColor>
#include <QImage>
#include <QSize>
#include <QString>
#include <array>

// Everything a user edits in the window, as one value: what a render request
// is made of and the state of the controls, plus what the previews showed. An
// undo step keeps the value before and after one edit.
struct EditState {
    QImage picture;
    QSize photoSize;
    std::array<float, 4> crop{}; // selection as fractions: left, right, lower, upper (y up)
    LookSet looks;
    QColor colorize;
    QColor textColour;
    QColor textBackground;
    QString text;
    int textSize = 0; // the slider's value
    bool useBackground = true;
    ViewGeometry::ViewPoint position;
    // Not edits, but part of "how it was": whether a run is cached and, when
    // not, what the previews held.
    bool rendered = false;
    std::array<QImage, ProfileTargets::kTargetCount> previews;

    // Whether an edit happened between the two: the previews and the cache
    // follow from the rest. Pictures compare by identity, not by pixels.
    bool SameEdits(const EditState& other) const {
        return picture.cacheKey() == other.picture.cacheKey() && photoSize == other.photoSize &&
               crop == other.crop && looks == other.looks && colorize == other.colorize &&
               textColour == other.textColour && textBackground == other.textBackground &&
               text == other.text && textSize == other.textSize &&
               useBackground == other.useBackground && position.x == other.position.x &&
               position.y == other.position.y;
    }
};
