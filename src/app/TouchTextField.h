#pragma once

#include "views/ImageView.h"

// An image view that reports a click: the maker's logo.
class TouchTextField : public ImageView {
    Q_OBJECT

public:
    explicit TouchTextField(QWidget* parent = nullptr);

signals:
    void Clicked();

protected:
    // The press is swallowed; the release is the click.
    void mousePressEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
};
