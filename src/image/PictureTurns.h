#pragma once

#include "image/Geometry.h"

#include <QImage>
#include <QSize>

// Turning a whole picture before the crop: exact quarter turns and the mirror,
// and straightening by a few degrees. Each returns a new picture and leaves
// its input alone; the metadata QImage::copy keeps (resolution, colour space,
// text) goes along, the resolution's two axes swapped by a quarter turn.
class PictureTurns {
public:
    PictureTurns() = delete;

    // The exact edits: every pixel lands on one pixel, nothing is resampled.
    enum class Turn {
        Right,    // a quarter turn clockwise (90°)
        HalfTurn, // 180°
        Left,     // a quarter turn anticlockwise (270° clockwise)
        Flip,     // mirrored left to right
    };
    // The picture turned; null stays null. Pictures below 8 bits a pixel
    // (masks, palettes) come out as 32-bit pictures of the same colours.
    static QImage Turned(const QImage& picture, Turn turn);
    // Where a rectangle on the picture (picture coordinates: y up, origin at
    // the lower-left corner) lies on the turned picture: cropping the turned
    // picture there gives the turned crop.
    static FloatRect TurnedRect(const FloatRect& rect, FloatSize picture, Turn turn);

    // Straightening is limited to this many degrees either way.
    static constexpr float kMaxStraighten = 45.0f;
    // The picture turned by `degrees` (clockwise as seen, held in ±45) about
    // its centre, resampled bilinearly, and cut to the largest rectangle of its
    // own aspect that lies wholly inside the turned picture, centred: no pixel
    // of the result lies outside the photo, so no empty corner is left. Exactly
    // the picture for 0; null for a null picture or a non-finite angle.
    static QImage Straightened(const QImage& picture, float degrees);
    // The size Straightened gives a picture of that size.
    static QSize StraightenedSize(QSize picture, float degrees);
};
