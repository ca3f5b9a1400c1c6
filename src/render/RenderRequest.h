#pragma once

#include "image/Geometry.h"
#include "render/MoreLooks.h"
#include "render/ProfileTargets.h"

#include <QColor>
#include <QFont>
#include <QImage>
#include <QString>
#include <bitset>

// Which looks are on, by their row in ProfileTargets::Looks().
using LookSet = std::bitset<ProfileTargets::kLookCount>;

// The line of text drawn on every target.
struct TextLine {
    QString text;              // empty: no text
    float size = 0.0f;         // the size control's value in points (T)
    QColor colour;             // the text's colour
    QColor background;         // the colour of the box behind it...
    bool useBackground = true; // ...drawn only when this is on
    float left = 0.0f;         // the picked position as fractions of the picture,
    float top = 0.0f;          // top counted upward from the bottom edge
    QFont font;                // its family; the size follows from `size` and the picture
};

// Everything one run of the renderer needs; it reads nothing else.
struct RenderRequest {
    QImage source;       // the opened picture
    FloatRect selection; // in picture coordinates: y up, origin lower-left
    LookSet looks;
    QColor colorize; // the colour the Colorize look tints with
    TextLine text;
    // The selection is fitted into this square before the looks; they run at
    // processedSide / 512.
    float processedSide = ProfileTargets::kLookSide;
    // Applied after the looks, on the same pixel image, as they are at any side.
    MoreLookSet moreLooks = {};
};
