#include "views/CropGesture.h"

#include <QDebug>
#include <algorithm>

using ViewGeometry::CropFraction;
using ViewGeometry::TruncateToInt32;
using ViewGeometry::ViewRect;

namespace {

constexpr float kHalf = 0.5f;

// Where a fraction of the old fitted span lies on the new one.
float Remap(float value, float oldOrigin, float oldSpan, float newOrigin, float newSpan) {
    return newOrigin + CropFraction(value, oldOrigin, oldSpan) * newSpan;
}

// The smallest side a key leaves, in view points.
constexpr float kLeastKeyedSide = 1.0f;

// One axis of a key edit: the span [origin, origin + length] moved by `shift`
// and resized by `growth` about its centre, then kept within [low, high], or
// no further outside it than it already was.
void KeyAxis(float& origin, float& length, float shift, float growth, float low, float high) {
    if (length < 0.0f) { // scaled past its opposite edge: the same span, upright
        origin += length;
        length = -length;
    }
    const float grown = growth >= 0.0f
                            ? std::max(length, std::min(length + growth, high - low))
                            : std::max(length + growth, std::min(length, kLeastKeyedSide));
    const float lowest = std::min(low, origin);
    const float highest = std::max(high, origin + length);
    const float moved = origin + shift - kHalf * (grown - length);
    origin = std::max(lowest, std::min(moved, highest - grown));
    length = grown;
}

} // namespace

CropGesture::CropGesture(float viewWidth, float viewHeight)
    : imageRect{0.0f, 0.0f, viewWidth, viewHeight} {}

CropGesture::Reaction CropGesture::Fit(float pictureWidth, float pictureHeight, float viewWidth,
                                       float viewHeight) {
    const ViewRect fitted =
        ViewGeometry::FitByAspect(pictureWidth, pictureHeight, viewWidth, viewHeight);
    qInfo().noquote() << QString::asprintf("Image Size: %f, %f", fitted.width, fitted.height);
    realImageWidth = fitted.width;
    realImageHeight = fitted.height;
    leftMargin = fitted.x;
    topMargin = fitted.y;
    qInfo().noquote() << QString::asprintf("Margins: %f, %f", leftMargin, topMargin);
    selectionPosition = fitted;
    _cropCoordsLeft = 0.0f;
    _cropCoordsTop = 0.0f;
    _cropCoordsRight = 1.0f;
    _cropCoordsBottom = 1.0f;
    _fitted = true;
    _pictureWidth = pictureWidth;
    _pictureHeight = pictureHeight;
    return SizeShown();
}

CropGesture::Reaction CropGesture::Refit(float viewWidth, float viewHeight) {
    if (!_fitted) {
        return {};
    }
    const ViewRect fitted =
        ViewGeometry::FitByAspect(_pictureWidth, _pictureHeight, viewWidth, viewHeight);
    if (fitted == FittedRect()) {
        return {}; // the same place: leave the selection exactly as the user made it
    }
    _startX = Remap(_startX, leftMargin, realImageWidth, fitted.x, fitted.width);
    _startY = Remap(_startY, topMargin, realImageHeight, fitted.y, fitted.height);
    realImageWidth = fitted.width;
    realImageHeight = fitted.height;
    leftMargin = fitted.x;
    topMargin = fitted.y;
    const float left = leftMargin + _cropCoordsLeft * realImageWidth;
    const float right = leftMargin + _cropCoordsRight * realImageWidth;
    const float lower = topMargin + _cropCoordsTop * realImageHeight;
    const float upper = topMargin + _cropCoordsBottom * realImageHeight;
    selectionPosition = {left, lower, right - left, upper - lower};
    return SizeShown();
}

CropGesture::Reaction CropGesture::Select(float left, float right, float lower, float upper) {
    if (!_fitted) {
        return {};
    }
    _cropCoordsLeft = left;
    _cropCoordsRight = right;
    _cropCoordsTop = lower;
    _cropCoordsBottom = upper;
    const float x0 = leftMargin + left * realImageWidth;
    const float y0 = topMargin + lower * realImageHeight;
    selectionPosition = {x0, y0, leftMargin + right * realImageWidth - x0,
                         topMargin + upper * realImageHeight - y0};
    _currentWidth = TruncateToInt32(selectionPosition.width);
    _currentHeight = TruncateToInt32(selectionPosition.height);
    return SizeShown();
}

CropGesture::Reaction CropGesture::Click(float x, float y, bool shift, bool control) {
    // The first matching row decides; the order matters (a Control-click while
    // selecting or shifting starts scaling on top of it).
    if (_scaling) {
        _scaling = false;
        return EndGesture();
    }
    if (control) {
        SetAnchor(x, y);
        _scaling = true;
        return {};
    }
    if (_shifting) {
        _shifting = false;
        return EndGesture();
    }
    if (shift) {
        SetAnchor(x, y);
        _shifting = true;
        return {};
    }
    if (_clickState == 0) {
        SetAnchor(x, y);
        isMouseDown = true;
        _clickState = 1;
        return {};
    }
    if (_clickState == 1) {
        SpanFromAnchor(x, y);
        UpdateCropCoords();
        Reaction reaction = SizeShown();
        reaction.ended = EndGesture().ended;
        return reaction;
    }
    return {};
}

CropGesture::Reaction CropGesture::Move(float x, float y) {
    if (_scaling) {
        ScaleFromAnchor(x, y);
    } else if (_shifting) {
        ShiftFromAnchor(x, y);
    } else if (_clickState == 1) {
        SpanFromAnchor(x, y);
    } else {
        return {};
    }
    return AfterMovement();
}

CropGesture::Reaction CropGesture::Key(float dx, float dy, float dw, float dh) {
    if (!_fitted || PointerGesture()) {
        return {};
    }
    ViewRect& s = selectionPosition;
    KeyAxis(s.x, s.width, dx, dw, leftMargin, leftMargin + realImageWidth);
    KeyAxis(s.y, s.height, dy, dh, topMargin, topMargin + realImageHeight);
    Reaction reaction = AfterMovement();
    reaction.ended = true;
    reaction.keyed = true;
    return reaction;
}

QRectF CropGesture::CropCoords(float width, float height) const {
    // Differences of the two products, not width * (right - left): the edges
    // then land on the same values whichever edge is asked for.
    const float left = width * _cropCoordsLeft;
    const float right = width * _cropCoordsRight;
    const float lower = height * _cropCoordsTop;
    const float upper = height * _cropCoordsBottom;
    return QRectF(left, lower, right - left, upper - lower);
}

ViewRect CropGesture::FittedRect() const {
    return {leftMargin, topMargin, realImageWidth, realImageHeight};
}

void CropGesture::SpanFromAnchor(float x, float y) {
    const float left = std::min(_startX, x);
    const float right = std::max(_startX, x);
    const float lower = std::min(_startY, y);
    const float upper = std::max(_startY, y);
    selectionPosition = {left, lower, right - left, upper - lower};
}

void CropGesture::ShiftFromAnchor(float x, float y) {
    const float dx = x - _startX;
    const float dy = y - _startY;
    selectionPosition.x += dx;
    selectionPosition.y += dy;
    SetAnchor(x, y);
}

void CropGesture::ScaleFromAnchor(float x, float y) {
    // Half of the change goes to each side, so the centre stays in place.
    const float dx = x - _startX;
    const float dy = y - _startY;
    selectionPosition.width += dx;
    selectionPosition.height += dy;
    selectionPosition.x += -kHalf * dx;
    selectionPosition.y += -kHalf * dy;
    SetAnchor(x, y);
}

void CropGesture::SetAnchor(float x, float y) {
    _startX = x;
    _startY = y;
}

void CropGesture::UpdateCropCoords() {
    const ViewRect& s = selectionPosition;
    _cropCoordsLeft = CropFraction(s.x, leftMargin, realImageWidth);
    _cropCoordsRight = CropFraction(s.x + s.width, leftMargin, realImageWidth);
    _cropCoordsTop = CropFraction(s.y, topMargin, realImageHeight);
    _cropCoordsBottom = CropFraction(s.y + s.height, topMargin, realImageHeight);
}

CropGesture::Reaction CropGesture::AfterMovement() {
    _currentWidth = TruncateToInt32(selectionPosition.width);
    _currentHeight = TruncateToInt32(selectionPosition.height);
    UpdateCropCoords();
    // The labels show the same truncated values that decide the guide colour.
    return SizeShown();
}

CropGesture::Reaction CropGesture::EndGesture() {
    isMouseDown = false;
    _clickState = 0;
    Reaction reaction;
    reaction.ended = true;
    return reaction;
}

CropGesture::Reaction CropGesture::SizeShown() const {
    Reaction reaction;
    reaction.repaint = true;
    reaction.showSize = true;
    reaction.sizeWidth = TruncateToInt32(selectionPosition.width);
    reaction.sizeHeight = TruncateToInt32(selectionPosition.height);
    return reaction;
}
