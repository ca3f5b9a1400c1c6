#include "image/BitmapSurface.h"
#include "image/ImageTools.h"
#include "image/PixelMath.h"
#include "image/QuorelImage.h"

#include <QDebug>
#include <QPainter>
#include <algorithm>
#include <cmath>
#include <exception>

namespace {

constexpr double kShadowCanvasScale = 1.2; // canvas with a drop shadow, 64-bit
constexpr float kShadowMargin = 0.1f;      // picture offset on that canvas
constexpr float kStripScale = 0.3f;        // photomat copies
constexpr float kStripBorder = 25.0f;      // white around and between copies
constexpr float kStripHeight = 1.2f;       // strip height, times H
constexpr float kFrameBar = 25.0f;         // frame bar width
constexpr float kReflectionShare = 0.275f; // reflection band, times H

void Log(const QString& line) {
    qInfo().noquote() << line;
}

QColor Background(const ImageEffectSet& set) {
    // Components outside 0..1 (or not numbers) are held to the nearest end.
    auto unit = [](float v) { return v > 0.0f ? std::min(v, 1.0f) : 0.0f; };
    return QColor::fromRgbF(unit(set.BGRed()), unit(set.BGGreen()), unit(set.BGBlue()));
}

// Draws on the canvas in y-up canvas coordinates. With a reflection the canvas
// is twice as high and the picture's arrangement stands in its upper half:
// lift moves every y-up rectangle up by that half.
struct Canvas {
    QRectF bounds;
    QPainter* painter;
    float lift;

    float Width() const { return static_cast<float>(bounds.width()); }
    QRectF Place(const FloatRect& r) const {
        return ToQtRect(FloatRect{r.x, r.y + lift, r.width, r.height}, bounds.height());
    }
    // Only rectangles that meet the canvas are drawn: keeps every coordinate
    // the painter sees within reach of the canvas, whatever the settings.
    bool Shows(const QRectF& target) const { return target.intersects(bounds); }
    void Draw(const QImage& bitmap, const FloatRect& r, bool shadow) const {
        const QRectF target = Place(r);
        if (!Shows(target)) {
            return;
        }
        if (shadow) {
            BitmapSurface::DrawWithDropShadow(*painter, bitmap, target);
        } else {
            painter->drawImage(target, bitmap);
        }
    }
    void FillWhite(const FloatRect& r, bool shadow) const {
        QImage white(1, 1, BitmapSurface::kOpaqueFormat);
        white.fill(Qt::white);
        Draw(white, r, shadow);
    }
};

// The copies in drawing order: lower edge at (share * H + y0) + gap - d.
struct StripCopy {
    float share;
    float gap;
};
constexpr StripCopy kStripCopies[4] = {{0.9f, 75.0f}, {0.0f, 0.0f}, {0.3f, 25.0f}, {0.6f, 50.0f}};
constexpr float kStripExtraWidth = 50.0f;          // the border on both sides
constexpr float kStripExtraHeight = 25.0f;         // without a drop shadow
constexpr float kStripExtraHeightShadowed = 75.0f; // with one

// The four photo-strip copies and the white strip behind them, at the strip's
// left edge x0 and the arrangement's lower edge y0 (0, or 0.1H with a shadow).
// With a drop shadow the strip casts one.
void DrawPhotomat(const Canvas& canvas, const QImage& bitmap, float W, float H, float x0, float y0,
                  float d, bool shadowed) {
    const float sw = kStripScale * W;
    const float sh = kStripScale * H;
    const float extra = shadowed ? kStripExtraHeightShadowed : kStripExtraHeight;
    canvas.FillWhite({(x0 + sw) - kStripBorder, (y0 - kStripBorder) - d, sw + kStripExtraWidth,
                      kStripHeight * H + extra},
                     shadowed);
    for (const StripCopy& copy : kStripCopies) {
        const float y = ((copy.share * H + y0) + copy.gap) - d;
        canvas.Draw(bitmap, {x0 + sw, y, sw, sh}, false);
    }
}

void DrawFrame(const Canvas& canvas, float W, float H, float x0, float y0) {
    const FloatRect bars[4] = {{x0, y0, W, kFrameBar},
                               {x0, (y0 + H) - kFrameBar, W, kFrameBar},
                               {x0, y0, kFrameBar, H},
                               {(x0 + W) - kFrameBar, y0, kFrameBar, H}};
    for (const FloatRect& bar : bars) {
        canvas.FillWhite(bar, false);
    }
}

void DrawReflection(const Canvas& canvas, const QImage& picture, float H, bool shadow) {
    const float share = std::max(0.0f, H * kReflectionShare);
    const uint32_t h = static_cast<uint32_t>(PixelMath::Truncate(share));
    const QImage band = ImageTools::reflectedImage(picture, h);
    Log(QStringLiteral("bla... %1, %2").arg(band.width()).arg(band.height()));
    if (band.isNull()) {
        return;
    }
    // Right under the picture's lower edge, which stands at the lift; the band's
    // shadow stays below that edge, off the picture.
    canvas.painter->save();
    canvas.painter->setClipRect(canvas.Place({0.0f, -canvas.lift, canvas.Width(), canvas.lift}));
    canvas.Draw(band, {0.0f, -float(band.height()), float(band.width()), float(band.height())},
                shadow);
    canvas.painter->restore();
}

// A canvas side times 1.2 in 64-bit, truncated; held within int32 (a side that
// large is refused as too large a moment later anyway).
int32_t Enlarged(int32_t side) {
    const double scaled = static_cast<double>(side) * kShadowCanvasScale;
    return scaled < static_cast<double>(INT32_MAX) ? static_cast<int32_t>(scaled) : INT32_MAX;
}

QImage Composite(const QImage& picture, const QImage& bitmap, const ImageEffectSet& set) {
    const float W = static_cast<float>(bitmap.width());
    const float H = static_cast<float>(bitmap.height());
    int32_t cw = PixelMath::Truncate(W);
    int32_t ch = PixelMath::Truncate(H);
    if (set.DropShadow()) {
        cw = Enlarged(cw);
        ch = Enlarged(ch);
    }
    const int32_t arrangementHeight = ch;
    if (set.Reflection()) {
        ch = PixelMath::Truncate(static_cast<float>(ch) + static_cast<float>(ch));
    }
    Log(QStringLiteral("Image size is %1 x %2").arg(cw).arg(ch));
    if (!BitmapSurface::IsAllocatable(cw, ch)) {
        Log(QStringLiteral("Canvas too large: %1 x %2").arg(cw).arg(ch));
        return QImage();
    }
    QImage image(cw, ch,
                 BitmapSurface::HasAlpha(bitmap) ? BitmapSurface::kAlphaFormat
                                                 : BitmapSurface::kOpaqueFormat);
    if (image.isNull()) {
        return QImage();
    }
    image.fill(Background(set));
    QPainter painter(&image);
    painter.setRenderHint(QPainter::SmoothPixmapTransform);
    const Canvas canvas{QRectF(image.rect()), &painter, static_cast<float>(ch - arrangementHeight)};
    const float x0 = set.DropShadow() ? kShadowMargin * W : 0.0f;
    const float y0 = set.DropShadow() ? kShadowMargin * H : 0.0f;
    if (set.Photomat()) {
        DrawPhotomat(canvas, bitmap, W, H, x0, y0, set.PhotomatDelta(), set.DropShadow());
    } else {
        canvas.Draw(bitmap, {x0, y0, W, H}, true);
    }
    if (!set.DropShadow() && set.Reflection()) {
        DrawReflection(canvas, picture, H, !set.Photomat());
    }
    if (set.HasFrame() && !set.Photomat()) {
        DrawFrame(canvas, W, H, x0, y0);
    }
    painter.end();
    return image;
}

} // namespace

QImage ImageTools::DoFinalEffects(const QImage& picture, const ImageEffectSet& set) {
    Log(QStringLiteral("Doing Final Effects"));
    try {
        const QImage bitmap = BitmapSurface::ToBitmap(picture);
        if (bitmap.isNull()) {
            Log(QStringLiteral("Image is Null"));
            return QImage();
        }
        Log(BitmapSurface::HasAlpha(bitmap) ? QStringLiteral("Has Alpha...")
                                            : QStringLiteral("Does not have alpha"));
        return Composite(picture, bitmap, set);
    } catch (const std::exception& e) {
        Log(QString::fromLocal8Bit(e.what()));
        return QImage();
    }
}

QImage ImageTools::reflectedImage(const QImage& picture, uint32_t height) {
    if (picture.isNull() || height > uint32_t(INT32_MAX)) {
        return QImage();
    }
    QImage band = MyCreateBitmapContext(picture.width(), static_cast<int32_t>(height));
    if (band.isNull()) {
        return QImage();
    }
    {
        // The picture's lowest rows, mirrored: the band's top row is the
        // picture's bottom row.
        const QImage mirrored = BitmapSurface::ToBitmap(picture).mirrored(false, true);
        QPainter painter(&band);
        painter.setCompositionMode(QPainter::CompositionMode_Source);
        painter.drawImage(QPoint(0, 0), mirrored, QRect(0, 0, band.width(), band.height()));
    }
    // Each grey value of the one-pixel-wide mask is the alpha of its row.
    const QImage mask = CreateGradientImage(1, static_cast<int32_t>(height));
    for (int y = 0; y < band.height(); ++y) {
        const uint32_t a = mask.constScanLine(y)[0];
        uchar* row = band.scanLine(y);
        for (qsizetype k = 0; k < qsizetype(band.width()) * 4; ++k) {
            row[k] = static_cast<uchar>((row[k] * a + 127) / 255);
        }
    }
    return band;
}

QImage ImageTools::CreateGradientImage(int32_t width, int32_t height) {
    if (!BitmapSurface::IsAllocatable(width, height)) {
        return QImage();
    }
    QImage gradient(width, height, QImage::Format_Grayscale8);
    if (gradient.isNull()) {
        return QImage();
    }
    // White along the top row, black along the bottom row, linear between.
    for (int y = 0; y < height; ++y) {
        const double level = height == 1 ? 1.0 : double(height - 1 - y) / double(height - 1);
        std::fill_n(gradient.scanLine(y), width, static_cast<uchar>(std::lround(255.0 * level)));
    }
    return gradient;
}

QImage ImageTools::MyCreateBitmapContext(int32_t width, int32_t height) {
    if (!BitmapSurface::IsAllocatable(width, height)) {
        return QImage();
    }
    // Alpha first, premultiplied, in a native 32-bit word: blue, green, red,
    // alpha in memory on the machines Trellica runs on.
    QImage surface(width, height, QImage::Format_ARGB32_Premultiplied);
    if (!surface.isNull()) {
        surface.fill(Qt::transparent);
    }
    return surface;
}

QImage QuorelImage::DoFinalEffects(const ImageEffectSet* set) {
    if (!set) {
        return QImage();
    }
    return ImageTools::DoFinalEffects(Preview(), *set);
}
