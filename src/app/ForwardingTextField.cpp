#include "app/ForwardingTextField.h"

ForwardingTextField::ForwardingTextField(QWidget* parent) : QLineEdit(parent) {
    connect(this, &QLineEdit::textChanged, this, &ForwardingTextField::Edited);
}
