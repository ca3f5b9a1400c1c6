#include "app/TouchTextField.h"

#include "app/AppController.h"

#include <QMouseEvent>

TouchTextField::TouchTextField(QWidget* parent) : ImageView(parent) {
    // Looks like a link wherever it is drawn.
    setCursor(Qt::PointingHandCursor);
    setFocusPolicy(Qt::ClickFocus);
}

void TouchTextField::SetClickDelegate(AppController* delegate) {
    _click_delegate = delegate;
}

void TouchTextField::mousePressEvent(QMouseEvent* event) {
    event->accept();
}

void TouchTextField::mouseReleaseEvent(QMouseEvent* event) {
    event->accept();
    if (_click_delegate) {
        _click_delegate->LabelTouched(this);
    }
}
