#pragma once

#include <QLineEdit>

// The text line: every change of its text, typed or set, is reported as Edited.
class ForwardingTextField : public QLineEdit {
    Q_OBJECT

public:
    explicit ForwardingTextField(QWidget* parent = nullptr);

signals:
    void Edited(const QString& text);
};
