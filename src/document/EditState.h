#pragma once

#include "image/Orientation.h"
#include "render/ProfileTargets.h"
#include "render/RenderRequest.h"

#include <QColor>
#include <QImage>
#include <QSize>
#include <array>

// The selection as fractions of the picture: its edges from the left and from
// the bottom (y up), as the crop view keeps them.
struct CropFractions {
    float left = 0.0f;
    float right = 1.0f;
    float lower = 0.0f;
    float upper = 1.0f;

    // In the units of a picture of that size, origin lower-left, y up. The
    // differences of the two products, not width * (right - left): the edges
    // land on the same values whichever edge is asked for.
    FloatRect OnPicture(float width, float height) const {
        const float x0 = width * left;
        const float y0 = height * lower;
        return FloatRect{x0, y0, width * right - x0, height * upper - y0};
    }
    friend bool operator==(const CropFractions&, const CropFractions&) = default;
};

// Everything a user edits, as one value: what a render request is made of. An
// undo step keeps the value before and after one edit.
struct EditState {
    QImage picture;          // as opened or pasted
    QSize photoSize;         // the photo's own size; the picture may be a reduced copy
    Orientation orientation; // how the picture is turned before the crop
    CropFractions crop;
    LookSet looks;
    MoreLookSet moreLooks;
    QColor colorize;
    TextLine text; // its font is not an edit: it stays the interface's
    // Not edits, but part of "how it was": whether a run is cached and, when
    // not, what the previews held.
    bool rendered = false;
    std::array<QImage, ProfileTargets::kTargetCount> previews;

    // Whether an edit happened between the two: the previews and the cache
    // follow from the rest. Pictures compare by identity, not by pixels.
    bool SameEdits(const EditState& other) const {
        const TextLine& a = text;
        const TextLine& b = other.text;
        return picture.cacheKey() == other.picture.cacheKey() && photoSize == other.photoSize &&
               orientation == other.orientation && crop == other.crop && looks == other.looks &&
               moreLooks == other.moreLooks && colorize == other.colorize && a.text == b.text &&
               a.size == b.size && a.colour == b.colour && a.background == b.background &&
               a.useBackground == b.useBackground && a.left == b.left && a.top == b.top;
    }
};
