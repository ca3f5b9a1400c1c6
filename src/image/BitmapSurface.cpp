#include "image/BitmapSurface.h"

#include <QBuffer>
#include <QImageReader>
#include <QImageWriter>
#include <QPainter>
#include <algorithm>
#include <vector>

namespace {

constexpr int kShadowOffset = 5;
// Three box passes of this radius approximate a Gaussian blur of radius 25.
constexpr int kShadowBoxRadius = 12;
constexpr int kShadowPasses = 3;
constexpr int kShadowSpread = kShadowBoxRadius * kShadowPasses;

// One box pass along a line of n values spaced by stride; outside is 0.
void BoxPass(int32_t* line, int n, int stride, std::vector<int32_t>& scratch) {
    const int r = kShadowBoxRadius;
    const int d = 2 * r + 1;
    scratch.assign(static_cast<size_t>(n), 0);
    int32_t sum = 0;
    for (int i = 0; i < std::min(r, n); ++i) {
        sum += line[i * stride];
    }
    for (int i = 0; i < n; ++i) {
        if (i + r < n) {
            sum += line[(i + r) * stride];
        }
        scratch[static_cast<size_t>(i)] = sum / d;
        if (i - r >= 0) {
            sum -= line[(i - r) * stride];
        }
    }
    for (int i = 0; i < n; ++i) {
        line[i * stride] = scratch[static_cast<size_t>(i)];
    }
}

// The bitmap's alpha on a grid with room for the blur's spread, blurred.
std::vector<int32_t> BlurredAlpha(const QImage& bitmap, int gw, int gh) {
    std::vector<int32_t> grid(static_cast<size_t>(gw) * gh, 0);
    for (int y = 0; y < bitmap.height(); ++y) {
        const QRgb* row = reinterpret_cast<const QRgb*>(bitmap.constScanLine(y));
        int32_t* out = grid.data() + static_cast<size_t>(y + kShadowSpread) * gw + kShadowSpread;
        for (int x = 0; x < bitmap.width(); ++x) {
            out[x] = qAlpha(row[x]);
        }
    }
    std::vector<int32_t> scratch;
    for (int pass = 0; pass < kShadowPasses; ++pass) {
        for (int y = 0; y < gh; ++y) {
            BoxPass(grid.data() + static_cast<size_t>(y) * gw, gw, 1, scratch);
        }
        for (int x = 0; x < gw; ++x) {
            BoxPass(grid.data() + x, gh, gw, scratch);
        }
    }
    return grid;
}

QImage ShadowOf(const QImage& picture) {
    const QImage bitmap = picture.convertToFormat(QImage::Format_ARGB32);
    const int gw = bitmap.width() + 2 * kShadowSpread;
    const int gh = bitmap.height() + 2 * kShadowSpread;
    const std::vector<int32_t> grid = BlurredAlpha(bitmap, gw, gh);
    QImage shadow(gw, gh, QImage::Format_ARGB32_Premultiplied);
    for (int y = 0; y < gh; ++y) {
        QRgb* row = reinterpret_cast<QRgb*>(shadow.scanLine(y));
        for (int x = 0; x < gw; ++x) {
            row[x] = qRgba(0, 0, 0, grid[static_cast<size_t>(y) * gw + x] / 3);
        }
    }
    return shadow;
}

} // namespace

bool BitmapSurface::HasAlpha(const QImage& picture) {
    return picture.hasAlphaChannel();
}

QImage BitmapSurface::ToBitmap(const QImage& picture) {
    if (picture.isNull()) {
        return QImage();
    }
    const QImage::Format target = HasAlpha(picture) ? kAlphaFormat : kOpaqueFormat;
    return picture.format() == target ? picture : picture.convertToFormat(target);
}

void BitmapSurface::DrawWithDropShadow(QPainter& painter, const QImage& bitmap,
                                       const QRectF& target) {
    if (bitmap.isNull()) {
        return;
    }
    const QImage scaled = (target.size().toSize() == bitmap.size())
                              ? bitmap
                              : bitmap.scaled(target.size().toSize(), Qt::IgnoreAspectRatio,
                                              Qt::SmoothTransformation);
    const QImage shadow = ShadowOf(scaled);
    const QPointF shadowAt =
        target.topLeft() + QPointF(kShadowOffset - kShadowSpread, kShadowOffset - kShadowSpread);
    painter.drawImage(shadowAt, shadow);
    painter.drawImage(target, bitmap);
}

QImage BitmapSurface::DecodeFile(const QString& path, QString* reason) {
    QImageReader reader(path);
    reader.setAutoTransform(true);
    const QSize size = reader.size();
    if (size.isValid() && !IsAllocatable(size.width(), size.height())) {
        if (reason) {
            *reason =
                QStringLiteral("Picture too large: %1 x %2").arg(size.width()).arg(size.height());
        }
        return QImage();
    }
    QImage picture = reader.read();
    if (picture.isNull() && reason) {
        *reason = reader.errorString();
    }
    return picture;
}

QByteArray BitmapSurface::EncodeTiff(const QImage& picture) {
    QByteArray bytes;
    if (picture.isNull()) {
        return bytes;
    }
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    QImageWriter writer(&buffer, "tiff");
    if (!writer.write(picture)) {
        return QByteArray();
    }
    return bytes;
}

bool BitmapSurface::IsAllocatable(qint64 width, qint64 height) {
    return width > 0 && height > 0 && width <= kMaxPixels && height <= kMaxPixels &&
           width * height <= kMaxPixels;
}
