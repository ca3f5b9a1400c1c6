#include "views/PositionView.h"

#include "views/ViewGeometry.h"

#include <QDebug>
#include <QMouseEvent>
#include <QPainter>

namespace {

constexpr float kCrossHairThickness = 1.0f;

} // namespace

PositionView::PositionView(QWidget* parent) : ImageView(parent) {
    setAccessibleName(tr("Text position"));
    setAccessibleDescription(tr("A click places the lower-left corner of the text line."));
}

float PositionView::NormalizedLeftPosition() const {
    return ViewGeometry::PickerFraction(_left);
}

float PositionView::NormalizedTopPosition() const {
    return ViewGeometry::PickerFraction(_top);
}

void PositionView::SetPosition(ViewGeometry::ViewPoint point) {
    _left = point.x;
    _top = point.y;
    update();
}

void PositionView::SetFractions(float left, float top) {
    SetPosition({left * ViewGeometry::kPickerSize, top * ViewGeometry::kPickerSize});
}

void PositionView::paintEvent(QPaintEvent* event) {
    ImageView::paintEvent(event);
    using ViewGeometry::kPickerSize;
    const float h = static_cast<float>(height());
    QPainter painter(this);
    painter.setCompositionMode(QPainter::CompositionMode_Source);
    painter.fillRect(ViewGeometry::ToWidgetRect({_left, 0.0f, kCrossHairThickness, kPickerSize}, h),
                     Qt::black);
    painter.fillRect(ViewGeometry::ToWidgetRect({0.0f, _top, kPickerSize, kCrossHairThickness}, h),
                     Qt::black);
}

void PositionView::mousePressEvent(QMouseEvent*) {
    // Pressing does nothing: only the release counts as a click.
}

void PositionView::mouseReleaseEvent(QMouseEvent* event) {
    if (event->button() != Qt::LeftButton) {
        return;
    }
    qInfo().noquote() << "POSITION IMAGE VIEW";
    const ViewGeometry::ViewPoint p =
        ViewGeometry::ToViewPoint(event->position(), static_cast<float>(height()));
    _left = p.x;
    _top = p.y;
    update();
    emit ChangedTextPosition(NormalizedLeftPosition(), NormalizedTopPosition());
}
