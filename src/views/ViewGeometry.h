#pragma once

#include <QPointF>
#include <QRectF>
#include <QString>
#include <array>
#include <cstdint>

// Geometry shared by the editing views, free of widgets so that it can be
// tested on its own.
//
// The views think in their own coordinates: points, origin at the view's
// lower-left corner, x to the right, y upward, every value a 32-bit float.
// Qt counts y downward from the top; the two meet only in ToViewPoint and
// ToWidgetRect.
namespace ViewGeometry {

struct ViewPoint {
    float x = 0.0f;
    float y = 0.0f;
};

struct ViewRect {
    float x = 0.0f;
    float y = 0.0f;
    float width = 0.0f;
    float height = 0.0f;

    QRectF ToQRectF() const { return QRectF(x, y, width, height); }
    friend bool operator==(const ViewRect&, const ViewRect&) = default;
};

// float -> int32 toward zero. Beyond int32 it saturates and NaN gives 0, where
// the plain conversion would be undefined.
int32_t TruncateToInt32(float v);

// A y-down widget position -> a y-up view point, in a view of the given height.
ViewPoint ToViewPoint(QPointF widgetPosition, float viewHeight);
// A y-up view rectangle -> the y-down widget rectangle covering the same area.
QRectF ToWidgetRect(const ViewRect& rect, float viewHeight);

// The crop view's fitting: only the picture's aspect decides. A picture at
// least as wide as tall fills the view's width, any other fills its height;
// centred, so the margins are equal on both sides. In a square view the
// picture fits exactly; in other views it may reach beyond the view.
// Result: (leftMargin, topMargin, fitted width, fitted height).
ViewRect FitByAspect(float pictureWidth, float pictureHeight, float viewWidth, float viewHeight);

// The image view's fitting: the largest rectangle of the picture's aspect
// inside the view, centred (widget coordinates). Empty unless both sizes are
// positive.
QRectF FitInside(float pictureWidth, float pictureHeight, float viewWidth, float viewHeight);

// Where value lies on the span starting at origin: 0 at origin, 1 at its end.
// Not clamped. A span of 0 (nothing fitted yet) gives 0 instead of a division
// by zero.
float CropFraction(float value, float origin, float span);

// The position picker is taken to be this many points square, whatever its
// real size: fractions divide by it and the cross-hair lines are this long.
constexpr float kPickerSize = 50.0f;
float PickerFraction(float value);

// The crop view's two corner labels, "(%d, %d)" with y counted downward from
// the top of the view, each with the lower-left corner of its text (y-up).
struct CornerLabel {
    QString text;
    ViewPoint at;
};
std::array<CornerLabel, 2> CornerLabels(const ViewRect& selection, float viewHeight);

} // namespace ViewGeometry
