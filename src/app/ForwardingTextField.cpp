#include "app/ForwardingTextField.h"

#include "app/AppController.h"

ForwardingTextField::ForwardingTextField(QWidget* parent) : QLineEdit(parent) {
    connect(this, &QLineEdit::textChanged, this, &ForwardingTextField::ForwardChange);
}

void ForwardingTextField::SetController(AppController* controller) {
    _controller = controller;
}

void ForwardingTextField::ForwardChange(const QString& text) {
    if (_controller) {
        _controller->textDidChange(text);
    }
}
