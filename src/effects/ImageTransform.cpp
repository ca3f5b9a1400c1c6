#include "effects/ImageTransform.h"

#include <QPainter>
#include <QTransform>
#include <cmath>

QImage imageRotatedByDegrees(const QImage& picture, float degrees) {
    if (picture.isNull()) {
        return QImage();
    }
    const int w = picture.width();
    const int h = picture.height();
    QImage turned(h, w, QImage::Format_ARGB32_Premultiplied);
    if (turned.isNull()) {
        return QImage();
    }
    turned.fill(Qt::transparent);
    if (!std::isfinite(degrees)) {
        return turned;
    }
    QPainter painter(&turned);
    painter.setCompositionMode(QPainter::CompositionMode_Source);
    painter.setRenderHint(QPainter::SmoothPixmapTransform);
    // Centre to centre; Qt's y points down, so counter-clockwise is a negative angle.
    QTransform transform;
    transform.translate(h / 2.0, w / 2.0);
    transform.rotate(-double(degrees));
    transform.translate(-w / 2.0, -h / 2.0);
    painter.setTransform(transform);
    painter.drawImage(0, 0, picture);
    return turned;
}
