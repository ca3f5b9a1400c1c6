#pragma once

#include <QByteArray>
#include <QImage>
#include <QRectF>
#include <QString>

class QPainter;

// The bitmap helpers every picture operation shares: decoding, bringing any
// picture into one of the two surface layouts, the drop shadow, TIFF encoding.
class BitmapSurface {
public:
    BitmapSurface() = delete;

    // Surface layouts: 8-bit RGBA bytes, premultiplied with alpha, alpha byte
    // unused (255) without.
    static constexpr QImage::Format kAlphaFormat = QImage::Format_RGBA8888_Premultiplied;
    static constexpr QImage::Format kOpaqueFormat = QImage::Format_RGBX8888;

    // Largest picture any operation accepts (pixels), from decoding to the
    // planes of a QuorelImage; keeps memory bounded whatever a file or a
    // selection asks for. Larger photos are decoded at a reduced scale.
    static constexpr qint64 kMaxPixels = qint64(1) << 26;

    // Whether the picture carries alpha (by its format, not its values).
    static bool HasAlpha(const QImage& picture);
    // The picture as one bitmap in a surface layout; masks and grey pictures
    // become RGBA like any other. Null stays null.
    static QImage ToBitmap(const QImage& picture);

    // Draws the bitmap into target with a drop shadow under it: 5 right, 5 down,
    // blurred over about 25 pixels, black at one third opacity.
    static void DrawWithDropShadow(QPainter& painter, const QImage& bitmap, const QRectF& target);

    // Reads a picture file, standing upright as its orientation tag says. Null on
    // failure, with the decoder's reason in *reason.
    static QImage DecodeFile(const QString& path, QString* reason);
    // The picture as TIFF bytes; empty when it can't be encoded.
    static QByteArray EncodeTiff(const QImage& picture);

    // Whether a width and height make a picture a pixel operation may allocate.
    static bool IsAllocatable(qint64 width, qint64 height);
};
