#include "views/ViewGeometry.h"

namespace ViewGeometry {

int32_t TruncateToInt32(float v) {
    if (v > -2147483648.0f && v < 2147483648.0f) {
        return static_cast<int32_t>(v);
    }
    if (v != v) {
        return 0;
    }
    return v > 0.0f ? INT32_MAX : INT32_MIN;
}

ViewPoint ToViewPoint(QPointF widgetPosition, float viewHeight) {
    return {static_cast<float>(widgetPosition.x()),
            viewHeight - static_cast<float>(widgetPosition.y())};
}

QRectF ToWidgetRect(const ViewRect& rect, float viewHeight) {
    const float top = viewHeight - (rect.y + rect.height);
    return QRectF(rect.x, top, rect.width, rect.height);
}

ViewRect FitByAspect(float pictureWidth, float pictureHeight, float viewWidth, float viewHeight) {
    const float aspect = pictureWidth / pictureHeight;
    float fittedWidth = 0.0f;
    float fittedHeight = 0.0f;
    if (pictureWidth >= pictureHeight) {
        fittedWidth = viewWidth;
        fittedHeight = viewWidth / aspect;
    } else {
        fittedHeight = viewHeight;
        fittedWidth = aspect * viewHeight;
    }
    return {(viewWidth - fittedWidth) * 0.5f, (viewHeight - fittedHeight) * 0.5f, fittedWidth,
            fittedHeight};
}

QRectF FitInside(float pictureWidth, float pictureHeight, float viewWidth, float viewHeight) {
    if (!(pictureWidth > 0.0f && pictureHeight > 0.0f && viewWidth > 0.0f && viewHeight > 0.0f)) {
        return QRectF();
    }
    // The side that limits is filled exactly; the other is one product and one
    // quotient, so whole-number sizes give whole numbers where they can.
    float width = viewWidth;
    float height = viewHeight;
    if (viewWidth * pictureHeight <= viewHeight * pictureWidth) {
        height = pictureHeight * viewWidth / pictureWidth;
    } else {
        width = pictureWidth * viewHeight / pictureHeight;
    }
    return QRectF((viewWidth - width) * 0.5f, (viewHeight - height) * 0.5f, width, height);
}

float CropFraction(float value, float origin, float span) {
    if (span == 0.0f) {
        return 0.0f;
    }
    return (value - origin) / span;
}

float PickerFraction(float value) {
    return value / kPickerSize;
}

std::array<CornerLabel, 2> CornerLabels(const ViewRect& selection, float viewHeight) {
    const float right = selection.x + selection.width;
    const float upper = selection.y + selection.height;
    const auto label = [](float x, float y) {
        return QString::asprintf("(%d, %d)", TruncateToInt32(x), TruncateToInt32(y));
    };
    return {CornerLabel{label(selection.x, viewHeight - upper), {selection.x, upper}},
            CornerLabel{label(right, viewHeight - selection.y), {right, selection.y}}};
}

} // namespace ViewGeometry
