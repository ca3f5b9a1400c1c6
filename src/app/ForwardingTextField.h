#pragma once

#include <QLineEdit>
#include <QPointer>

class AppController;

// The text line: every change of its text goes straight to the controller.
class ForwardingTextField : public QLineEdit {
    Q_OBJECT

public:
    explicit ForwardingTextField(QWidget* parent = nullptr);
    void SetController(AppController* controller);

private:
    void ForwardChange(const QString& text);

    QPointer<AppController> _controller;
};
