#include "views/ImageView.h"

#include "views/ViewGeometry.h"

#include <QAccessibleWidget>
#include <QPainter>
#include <QPainterPath>
#include <mutex>
#include <algorithm>

namespace {

// Image views and the views built on them, as screen readers should see them.
QAccessibleInterface* AccessibleImageView(const QString& className, QObject* object) {
    if (className != QLatin1String(ImageView::staticMetaObject.className()) ||
        !object->isWidgetType()) {
        return nullptr;
    }
    return new QAccessibleWidget(static_cast<QWidget*>(object), QAccessible::Graphic);
}

} // namespace

ImageView::ImageView(QWidget* parent) : QWidget(parent) {
    static std::once_flag once;
    std::call_once(once, [] { QAccessible::installFactory(AccessibleImageView); });
}

QImage ImageView::image() const {
    return _image;
}

void ImageView::setImage(const QImage& image) {
    _image = image;
    update();
}

QRectF ImageView::FittedRect() const {
    if (_image.isNull()) {
        return QRectF();
    }
    return ViewGeometry::FitInside(static_cast<float>(_image.width()),
                                   static_cast<float>(_image.height()), static_cast<float>(width()),
                                   static_cast<float>(height()));
}

void ImageView::SetShape(Shape shape) {
    _shape = shape;
    update();
}

void ImageView::paintEvent(QPaintEvent*) {
    const QRectF target = FittedRect();
    if (_image.isNull() || target.isEmpty()) {
        return;
    }
    QPainter painter(this);
    painter.setRenderHint(QPainter::SmoothPixmapTransform);
    if (_shape != Shape::Square) {
        QPainterPath outline;
        if (_shape == Shape::Circle) {
            outline.addEllipse(target);
        } else {
            const double radius = std::min(target.width(), target.height()) * kCornerShare;
            outline.addRoundedRect(target, radius, radius);
        }
        painter.setRenderHint(QPainter::Antialiasing);
        painter.setClipPath(outline);
    }
    painter.drawImage(target, _image);
}
