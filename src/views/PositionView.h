#pragma once

#include "views/ImageView.h"
#include "views/ViewGeometry.h"

// The small view in which a click picks where the text line goes. It keeps the
// click point, marks it with a black cross-hair and reports each click. The
// view is taken to be 50 points square whatever its real size: the fractions
// divide by 50, unclamped.
class PositionView : public ImageView {
    Q_OBJECT

public:
    explicit PositionView(QWidget* parent = nullptr);

    // x of the last click / 50.
    float NormalizedLeftPosition() const;
    // y of the last click / 50, counted upward from the bottom edge.
    float NormalizedTopPosition() const;
    // The picked point in view coordinates (y up), and setting it without a click.
    ViewGeometry::ViewPoint Position() const { return {_left, _top}; }
    void SetPosition(ViewGeometry::ViewPoint point);
    // Puts the cross-hair where those fractions of the picker are.
    void SetFractions(float left, float top);

signals:
    // A click picked a position: NormalizedLeftPosition(), NormalizedTopPosition().
    void ChangedTextPosition(float left, float top);

protected:
    void paintEvent(QPaintEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;

private:
    float _left = 0.0f; // view coordinates, y up
    float _top = 0.0f;
};
