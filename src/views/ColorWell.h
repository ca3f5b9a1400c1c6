#pragma once

#include <QColor>
#include <QPointer>
#include <QPushButton>

class QColorDialog;

// A colour well: a button showing its colour. A click opens a window-modal
// colour dialog; a colour picked there becomes the well's colour and is
// reported. Setting the colour in code reports nothing.
class ColorWell : public QPushButton {
    Q_OBJECT

public:
    explicit ColorWell(QWidget* parent = nullptr);

    QColor color() const;
    // Sets and repaints; emits nothing.
    void setColor(const QColor& colour);
    // The dialog while it is open, else nullptr.
    QColorDialog* Dialog() const;

    QSize sizeHint() const override;

signals:
    // Only when the user picks a colour.
    void colorChanged(const QColor& colour);

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    void OpenDialog();
    void Picked(const QColor& colour);

    QColor _color;
    QPointer<QColorDialog> _dialog;
};
