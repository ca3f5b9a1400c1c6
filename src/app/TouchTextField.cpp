#include "app/TouchTextField.h"

#include <QMouseEvent>

TouchTextField::TouchTextField(QWidget* parent) : ImageView(parent) {
    // Looks like a link wherever it is drawn.
    setCursor(Qt::PointingHandCursor);
    setFocusPolicy(Qt::ClickFocus);
}

void TouchTextField::mousePressEvent(QMouseEvent* event) {
    event->accept();
}

void TouchTextField::mouseReleaseEvent(QMouseEvent* event) {
    event->accept();
    emit Clicked();
}
