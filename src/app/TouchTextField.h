#pragma once

#include "views/ImageView.h"

#include <QPointer>

class AppController;

// An image view that reports a click to the controller: the maker's logo.
class TouchTextField : public ImageView {
    Q_OBJECT

public:
    explicit TouchTextField(QWidget* parent = nullptr);
    // The object that receives LabelTouched with this view as sender.
    void SetClickDelegate(AppController* delegate);

protected:
    // The press is swallowed; the release is the click.
    void mousePressEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;

private:
    QPointer<AppController> _click_delegate;
};
