#pragma once

#include <QPointF>
#include <cstdint>

// An integer pixel position tagged with a hue (-2 meaning "none") and the hue
// wanted for it, plus where the point lies in the original picture.
//
// The initialisers work on the object they are called on and return it, so a
// fresh point is made as punkt().initWithCoords(x, y).
class punkt {
public:
    static constexpr float kNoHue = -2.0f;

    // x, y = the coordinates truncated toward zero; hue = targetHue = none.
    punkt& initWithPoint(QPointF point);
    // x, y; hue = none; targetHue is left as it is.
    punkt& initWithCoords(int32_t x, int32_t y);

    int32_t X() const { return x; }
    int32_t Y() const { return y; }
    void setX(int32_t value) { x = value; }
    void setY(int32_t value) { y = value; }
    float Hue() const { return hue; }
    void SetHue(float value) { hue = value; }
    float TargetHue() const { return targetHue; }
    void setTargetHue(float value) { targetHue = value; }

    // True when the point carries a hue (above -1).
    bool HasHue() const;
    QPointF Position() const;

    // x = truncate(x * sx), y = truncate(y * sy).
    void Scale(float sx, float sy);
    // Moves the point from a w x h picture into the centred cw x ch cut of it:
    // when cw < ch only x moves (by half the width difference, kept in 0..cw-1),
    // otherwise only y.
    void Transform(int32_t w, int32_t h, int32_t cw, int32_t ch);

    void SetOriginalImageCoords(float ox, float oy);
    QPointF OriginalPosition() const;

private:
    int32_t x = 0;
    int32_t y = 0;
    float hue = 0.0f;
    float targetHue = 0.0f;
    float _oriX = 0.0f;
    float _oriY = 0.0f;
};
