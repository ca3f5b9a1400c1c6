#include "image/PictureTurns.h"

#include <QColorSpace>
#include <QPainter>
#include <QTransform>
#include <algorithm>
#include <cmath>

namespace {

constexpr double kRadiansPerDegree = 3.14159265358979323846 / 180.0;

// The turn as Qt's exact 90° rotations see it.
QTransform QuarterTurns(PictureTurns::Turn turn) {
    switch (turn) {
    case PictureTurns::Turn::Right:
        return QTransform().rotate(90);
    case PictureTurns::Turn::HalfTurn:
        return QTransform().rotate(180);
    default:
        return QTransform().rotate(270);
    }
}

// Qt remaps pictures of 8 bits a pixel and more exactly; lower depths go through
// a painter, so they are widened first.
QImage Remappable(const QImage& picture) {
    if (picture.depth() >= 8) {
        return picture;
    }
    return picture.convertToFormat(picture.hasAlphaChannel() ? QImage::Format_ARGB32
                                                             : QImage::Format_RGB32);
}

// The fraction of the side that the largest centred rectangle of the picture's
// aspect keeps when the picture is turned by `radians`: its turned corners must
// stay within the picture, so its bounding box after turning back fits.
double KeptFraction(QSize picture, double radians) {
    const double w = picture.width();
    const double h = picture.height();
    const double c = std::abs(std::cos(radians));
    const double s = std::abs(std::sin(radians));
    return std::min(w / (w * c + h * s), h / (w * s + h * c));
}

} // namespace

QImage PictureTurns::Turned(const QImage& picture, Turn turn) {
    if (picture.isNull()) {
        return QImage();
    }
    const QImage source = Remappable(picture);
    if (turn == Turn::Flip) {
        return source.mirrored(true, false);
    }
    QImage turned = source.transformed(QuarterTurns(turn));
    if (turn != Turn::HalfTurn) { // the resolution's axes change places
        turned.setDotsPerMeterX(source.dotsPerMeterY());
        turned.setDotsPerMeterY(source.dotsPerMeterX());
    }
    return turned;
}

FloatRect PictureTurns::TurnedRect(const FloatRect& r, FloatSize picture, Turn turn) {
    // In y-up picture coordinates a clockwise quarter turn takes (x, y) to
    // (y, width - x); the rectangle's far corner comes first where an axis reverses.
    switch (turn) {
    case Turn::Right:
        return {r.y, picture.width - (r.x + r.width), r.height, r.width};
    case Turn::HalfTurn:
        return {picture.width - (r.x + r.width), picture.height - (r.y + r.height), r.width,
                r.height};
    case Turn::Left:
        return {picture.height - (r.y + r.height), r.x, r.height, r.width};
    case Turn::Flip:
        return {picture.width - (r.x + r.width), r.y, r.width, r.height};
    }
    return r;
}

QSize PictureTurns::StraightenedSize(QSize picture, float degrees) {
    const double radians =
        double(std::clamp(degrees, -kMaxStraighten, kMaxStraighten)) * kRadiansPerDegree;
    const double kept = KeptFraction(picture, radians);
    // Rounded down: the result lies inside the exact rectangle.
    return QSize(std::max(1, int(std::floor(picture.width() * kept))),
                 std::max(1, int(std::floor(picture.height() * kept))));
}

QImage PictureTurns::Straightened(const QImage& picture, float degrees) {
    if (picture.isNull() || !std::isfinite(degrees)) {
        return QImage();
    }
    const float angle = std::clamp(degrees, -kMaxStraighten, kMaxStraighten);
    if (angle == 0.0f) {
        return picture;
    }
    const QSize size = StraightenedSize(picture.size(), angle);
    const bool alpha = picture.hasAlphaChannel();
    QImage result(size, alpha ? QImage::Format_ARGB32_Premultiplied : QImage::Format_RGB32);
    if (result.isNull()) {
        return QImage();
    }
    result.fill(Qt::transparent);
    result.setDotsPerMeterX(picture.dotsPerMeterX());
    result.setDotsPerMeterY(picture.dotsPerMeterY());
    result.setColorSpace(picture.colorSpace());
    for (const QString& key : picture.textKeys()) {
        result.setText(key, picture.text(key));
    }
    // Every pixel centre of the result lies at least half a pixel inside the
    // turned photo, so bilinear sampling never reaches beyond its edge.
    QPainter painter(&result);
    painter.setRenderHint(QPainter::SmoothPixmapTransform);
    painter.setCompositionMode(QPainter::CompositionMode_Source);
    painter.translate(size.width() / 2.0, size.height() / 2.0);
    painter.rotate(double(angle));
    painter.translate(-picture.width() / 2.0, -picture.height() / 2.0);
    painter.drawImage(0, 0, picture);
    return result;
}
