#include "views/ColorWell.h"

#include <QColorDialog>
#include <QPainter>

namespace {

constexpr int kSwatchInset = 5;
constexpr QSize kWellSize(44, 24);

} // namespace

ColorWell::ColorWell(QWidget* parent) : QPushButton(parent), _color(Qt::white) {
    setAutoDefault(false);
    connect(this, &QPushButton::clicked, this, &ColorWell::OpenDialog);
}

QColor ColorWell::color() const {
    return _color;
}

void ColorWell::setColor(const QColor& colour) {
    _color = colour;
    setToolTip(colour.isValid() ? colour.name(QColor::HexArgb) : QString());
    update();
}

QColorDialog* ColorWell::Dialog() const {
    return _dialog;
}

QSize ColorWell::sizeHint() const {
    return kWellSize.expandedTo(QPushButton::sizeHint());
}

void ColorWell::paintEvent(QPaintEvent* event) {
    QPushButton::paintEvent(event);
    if (!_color.isValid()) {
        return;
    }
    QPainter painter(this);
    const QRect swatch = rect().adjusted(kSwatchInset, kSwatchInset, -kSwatchInset, -kSwatchInset);
    painter.fillRect(swatch, _color);
    painter.setPen(palette().color(QPalette::Dark));
    painter.drawRect(swatch.adjusted(0, 0, -1, -1));
}

void ColorWell::OpenDialog() {
    if (_dialog) {
        _dialog->raise();
        _dialog->activateWindow();
        return;
    }
    _dialog = new QColorDialog(_color, this);
    _dialog->setAttribute(Qt::WA_DeleteOnClose);
    _dialog->setWindowModality(Qt::WindowModal);
    connect(_dialog, &QColorDialog::colorSelected, this, &ColorWell::Picked);
    _dialog->open();
}

void ColorWell::Picked(const QColor& colour) {
    setColor(colour);
    emit colorChanged(colour);
}
