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
    // Centre to centre; Qt's y points down, so counter-clockwise is a negative
    // angle. Brought into 0..360 so that Qt turns quarter turns exactly.
    double qtAngle = std::fmod(-double(degrees), 360.0);
    if (qtAngle < 0.0) {
        qtAngle += 360.0;
    }
    // Quarter turns move whole pixels: no filtering, so they copy them exactly.
    painter.setRenderHint(QPainter::SmoothPixmapTransform, std::fmod(qtAngle, 90.0) != 0.0);
    QTransform transform;
    transform.translate(h / 2.0, w / 2.0);
    transform.rotate(qtAngle);
    transform.translate(-w / 2.0, -h / 2.0);
    painter.setTransform(transform);
    painter.drawImage(0, 0, picture);
    return turned;
}
