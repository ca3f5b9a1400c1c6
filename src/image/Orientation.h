#pragma once

#include "image/PictureTurns.h"

#include <QImage>
#include <QSize>

// How the opened picture is turned before the crop: first a number of quarter
// turns and a mirror (exact), then straightened by a few degrees. Kept as
// numbers, not pictures, so that an undo step holds only the opened picture.
struct Orientation {
    int quarterTurns = 0;    // clockwise, 0 to 3
    bool mirrored = false;   // after the quarter turns, left to right
    float straighten = 0.0f; // degrees clockwise as seen, after both

    // This orientation followed by the turn: the straightening stays on the
    // picture as the user sees it (a mirror turns its sense).
    Orientation Then(PictureTurns::Turn turn) const;
    // The picture so turned.
    QImage Apply(const QImage& picture) const;
    // The size a picture (or the photo it was read from) of that size turns to.
    QSize Apply(QSize size) const;
    friend bool operator==(const Orientation&, const Orientation&) = default;
};
