#pragma once

#include <QRectF>

// Picture geometry in the picture's own units (one unit = one pixel), 32-bit
// floats, origin at the lower-left corner, y upward. Qt counts y downward from
// the top; the two helpers below are the only place where one becomes the other.

struct FloatSize {
    float width;
    float height;
};

struct FloatRect {
    float x;
    float y;
    float width;
    float height;
};

// A y-up rectangle on a container of the given height, as a y-down Qt rectangle.
inline QRectF ToQtRect(const FloatRect& r, double containerHeight) {
    return QRectF(r.x, containerHeight - (double(r.y) + r.height), r.width, r.height);
}

// A y-down Qt rectangle on a container of the given height, as a y-up rectangle.
inline FloatRect FromQtRect(const QRectF& r, double containerHeight) {
    return FloatRect{float(r.x()), float(containerHeight - r.bottom()), float(r.width()),
                     float(r.height())};
}
