#include "image/ImageTools.h"

#include "image/BitmapSurface.h"

#include <QColorSpace>
#include <QFontMetricsF>
#include <QPainter>
#include <algorithm>
#include <cmath>

namespace {

// Text bigger than this shows at most a piece of one glyph on any picture the
// system makes; capping it keeps rasterising bounded.
constexpr double kMaxFontPixels = 16384.0;

bool IsFinite(float v) {
    return std::isfinite(v);
}

// A crop rectangle snapped to whole pixels (so pixels are copied, never
// resampled), in Qt's y-down coordinates of the given picture. Empty when the
// rectangle is not a positive finite size or is too large to allocate.
QRect PixelRect(const QImage& picture, const FloatRect& rect) {
    if (!IsFinite(rect.x) || !IsFinite(rect.y) || !IsFinite(rect.width) || !IsFinite(rect.height) ||
        !(rect.width > 0.0f) || !(rect.height > 0.0f)) {
        return QRect();
    }
    const double w = std::round(double(rect.width));
    const double h = std::round(double(rect.height));
    // Compared as doubles first: a size beyond int64 has no integer value.
    if (w > double(BitmapSurface::kMaxPixels) || h > double(BitmapSurface::kMaxPixels) ||
        !BitmapSurface::IsAllocatable(qint64(w), qint64(h))) {
        return QRect();
    }
    // A rectangle far away from the picture stays far away, within int range.
    constexpr double kFar = 1e9;
    const double x = std::clamp(std::round(double(rect.x)), -kFar, kFar);
    const double top = std::clamp(picture.height() - (std::round(double(rect.y)) + h), -kFar, kFar);
    return QRect(int(x), int(top), int(w), int(h));
}

// A transparent picture of the rectangle's size holding the picture's pixels
// under it.
QImage CutOut(const QImage& picture, const QRect& area) {
    const QRect inside = area.intersected(picture.rect());
    if (inside == area) {
        return picture.copy(area).convertToFormat(QImage::Format_ARGB32_Premultiplied);
    }
    QImage result(area.size(), QImage::Format_ARGB32_Premultiplied);
    if (result.isNull()) {
        return QImage();
    }
    result.fill(Qt::transparent);
    if (!inside.isEmpty()) {
        QPainter painter(&result);
        painter.setCompositionMode(QPainter::CompositionMode_Source);
        painter.drawImage(inside.topLeft() - area.topLeft(), picture, inside);
    }
    return result;
}

// The area of the picture as an image over the picture's own pixels, for
// formats whose cut scales to the same pixels as the picture's (an opaque RGB32
// cut gains alpha 255, which its scaling keeps); null otherwise. The view must
// not outlive the picture.
QImage InsideView(const QImage& picture, const QRect& area) {
    const QImage::Format format = picture.format();
    if (area.intersected(picture.rect()) != area ||
        (format != QImage::Format_RGB32 && format != QImage::Format_ARGB32_Premultiplied)) {
        return QImage();
    }
    const uchar* first = picture.constScanLine(area.top()) + qsizetype(area.left()) * 4;
    return QImage(first, area.width(), area.height(), picture.bytesPerLine(), format);
}

// The metadata QImage::copy carries along, which a view onto the picture's own
// pixels lacks (a TIFF file records the resolution).
void CopyMetadata(const QImage& from, QImage& to) {
    to.setDotsPerMeterX(from.dotsPerMeterX());
    to.setDotsPerMeterY(from.dotsPerMeterY());
    to.setDevicePixelRatio(from.devicePixelRatio());
    to.setOffset(from.offset());
    to.setColorSpace(from.colorSpace());
    for (const QString& key : from.textKeys()) {
        to.setText(key, from.text(key));
    }
}

// The font at the given size in pixels on the picture, expressed for the device.
QFont FontInPixels(const QFont& font, double pixels, const QPaintDevice& device) {
    QFont f(font);
    f.setPointSizeF(std::min(pixels, kMaxFontPixels) * 72.0 / device.logicalDpiY());
    return f;
}

// The size a font given to CutOutImagePlusText stands for, in pixels.
double PixelsOf(const QFont& font) {
    return font.pointSizeF() > 0 ? font.pointSizeF() : font.pixelSize();
}

// One line of text whose line box has its lower-left corner at anchor (y-down
// device coordinates), on a box of the background colour when it is valid.
void DrawTextLine(QPainter& painter, QImage& device, const QString& text, const QFont& font,
                  double pixels, const QPointF& anchor, const QColor& colour,
                  const QColor& background) {
    const QFont f = FontInPixels(font, pixels, device);
    const QFontMetricsF metrics(f, &device);
    if (background.isValid()) {
        const double advance = metrics.horizontalAdvance(text);
        painter.fillRect(
            QRectF(anchor.x(), anchor.y() - metrics.height(), advance, metrics.height()),
            background);
    }
    painter.setFont(f);
    painter.setPen(colour);
    painter.drawText(QPointF(anchor.x(), anchor.y() - metrics.descent()), text);
}

// CutOutImagePlusText with the text's size in pixels given apart.
QImage CutOutWithText(const QImage& picture, const FloatRect& rect, const QString& text,
                      const QFont& font, double pixels, float textX, float textY,
                      const QColor& textColour, const QColor& background) {
    if (picture.isNull()) {
        return QImage();
    }
    const QRect area = PixelRect(picture, rect);
    if (area.isEmpty()) {
        return QImage();
    }
    QImage result = CutOut(picture, area);
    if (result.isNull() || text.isEmpty() || !std::isfinite(pixels) || !(pixels > 0) ||
        !IsFinite(textX) || !IsFinite(textY)) {
        return result;
    }
    QPainter painter(&result);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setRenderHint(QPainter::TextAntialiasing);
    painter.translate(-area.topLeft());
    const QPointF anchor(textX, double(picture.height()) - double(textY));
    DrawTextLine(painter, result, text, font, pixels, anchor, textColour, background);
    return result;
}

} // namespace

QImage ImageTools::CutOutImage(const QImage& picture, const FloatRect& rect) {
    if (picture.isNull()) {
        return QImage();
    }
    const QRect area = PixelRect(picture, rect);
    return area.isEmpty() ? QImage() : CutOut(picture, area);
}

QImage ImageTools::ScaleImage(const QImage& picture, FloatSize target) {
    if (picture.isNull() || !IsFinite(target.width) || !IsFinite(target.height) ||
        !(target.width > 0.0f) || !(target.height > 0.0f)) {
        return QImage();
    }
    const float a = static_cast<float>(picture.width()) / static_cast<float>(picture.height());
    const float t = target.width / target.height;
    float fittedWidth = 0.0f;
    float fittedHeight = 0.0f;
    if (a > t) {
        fittedWidth = target.width;
        fittedHeight = target.width / a;
    } else {
        fittedWidth = target.height * a;
        fittedHeight = target.height;
    }
    // Compare before converting: a float beyond int range has no integer value.
    if (!(fittedWidth >= 1.0f) || !(fittedHeight >= 1.0f) ||
        !BitmapSurface::IsAllocatable(qint64(std::min(fittedWidth, 1e12f)),
                                      qint64(std::min(fittedHeight, 1e12f)))) {
        return QImage();
    }
    const QSize size(static_cast<int>(fittedWidth), static_cast<int>(fittedHeight));
    if (size == picture.size()) {
        return picture.copy();
    }
    return picture.scaled(size, Qt::IgnoreAspectRatio, Qt::SmoothTransformation);
}

QImage ImageTools::ScaleCutOut(const QImage& picture, const FloatRect& rect, FloatSize target) {
    if (picture.isNull()) {
        return QImage();
    }
    const QRect area = PixelRect(picture, rect);
    if (area.isEmpty()) {
        return QImage();
    }
    const QImage view = InsideView(picture, area);
    if (view.isNull()) {
        return ScaleImage(CutOut(picture, area), target);
    }
    QImage fitted = ScaleImage(view, target).convertToFormat(QImage::Format_ARGB32_Premultiplied);
    CopyMetadata(picture, fitted);
    return fitted;
}

QImage ImageTools::CutOutImagePlusText(const QImage& picture, const FloatRect& rect,
                                       const QString& text, const QFont& font, float textX,
                                       float textY, const QColor& textColour,
                                       const QColor& background) {
    return CutOutWithText(picture, rect, text, font, PixelsOf(font), textX, textY, textColour,
                          background);
}

QImage ImageTools::CutOutImagePlusText(const QImage& picture, const FloatRect& rect,
                                       const QString& text, const QFont& font, float fontPixels,
                                       float textX, float textY, const QColor& textColour,
                                       const QColor& background) {
    return CutOutWithText(picture, rect, text, font, double(fontPixels), textX, textY, textColour,
                          background);
}
