#include "effects/punkt.h"

#include <algorithm>
#include <cstdint>

namespace {

constexpr float kHasHueAbove = -1.0f;

// A coordinate toward zero, saturating beyond int32 and 0 for NaN: the pixel
// planes' truncation, restated here because the effect library sits below the
// image code and includes none of it.
int32_t Coordinate(float v) {
    if (v != v) {
        return 0;
    }
    return v >= 2147483648.0f ? INT32_MAX
                              : (v <= -2147483648.0f ? INT32_MIN : static_cast<int32_t>(v));
}

// One coordinate moved back by half the difference of the full and the cut
// size (halved toward zero), kept inside 0..cut-1. In 64 bits, so that no
// pair of sizes can overflow.
int32_t Centred(int32_t value, int32_t full, int32_t cut) {
    int64_t moved = std::max<int64_t>(0, int64_t(value) - (int64_t(full) - cut) / 2);
    if (moved >= cut) {
        moved = int64_t(cut) - 1;
    }
    return static_cast<int32_t>(std::clamp<int64_t>(moved, INT32_MIN, INT32_MAX));
}

} // namespace

punkt& punkt::initWithPoint(QPointF point) {
    x = Coordinate(static_cast<float>(point.x()));
    y = Coordinate(static_cast<float>(point.y()));
    hue = kNoHue;
    targetHue = kNoHue;
    return *this;
}

punkt& punkt::initWithCoords(int32_t px, int32_t py) {
    x = px;
    y = py;
    hue = kNoHue;
    return *this;
}

bool punkt::HasHue() const {
    return hue > kHasHueAbove;
}

QPointF punkt::Position() const {
    return QPointF(static_cast<float>(x), static_cast<float>(y));
}

void punkt::Scale(float sx, float sy) {
    x = Coordinate(static_cast<float>(x) * sx);
    y = Coordinate(static_cast<float>(y) * sy);
}

void punkt::Transform(int32_t w, int32_t h, int32_t cw, int32_t ch) {
    if (cw < ch) {
        x = Centred(x, w, cw);
    } else {
        y = Centred(y, h, ch);
    }
}

void punkt::SetOriginalImageCoords(float ox, float oy) {
    _oriX = ox;
    _oriY = oy;
}

QPointF punkt::OriginalPosition() const {
    return QPointF(_oriX, _oriY);
}
