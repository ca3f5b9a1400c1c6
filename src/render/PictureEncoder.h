#pragma once

#include <QByteArray>
#include <QImage>
#include <QString>
#include <QStringList>

// The bytes PictureEncoder made of one picture, and how.
struct EncodedPicture {
    QByteArray bytes;     // the file's contents; empty when it failed
    QString format;       // extension of the bytes: the asked one, or "jpg" after fitting
    int quality = -1;     // the lossy quality used, -1 for a lossless format
    bool changed = false; // quality or format differ from what was asked, to fit the limit
    QString reason;       // why there are no bytes
};

// The file formats a picture may be written in, and the encoding of a picture
// in one of them, made to fit a byte limit when it has one.
class PictureEncoder {
public:
    PictureEncoder() = delete;

    // Lossy formats start here: high enough that text edges stay clean on
    // small pictures. A file above its limit steps down to the lowest.
    static constexpr int kQuality = 90;
    static constexpr int kLowestQuality = 50;
    static constexpr int kQualityStep = 5;
    // What a lossless picture above its limit is written as.
    static constexpr char kFitFormat[] = "jpg";

    // The formats by extension, the window's first: "tif", "png", "jpg"
    // (transparency flattened on white) and "webp".
    static const QStringList& Formats();
    // The format's name for people ("TIFF", "PNG", ...); empty for an unknown one.
    static QString FormatName(const QString& extension);

    // The picture in the format. With maxBytes > 0, a file above it is made
    // again: JPEG and WebP at quality 85, 80, ... 50, a PNG or TIFF as JPEG
    // from quality 90 down; the first that fits is kept. No bytes and a reason
    // when the format is unknown, the picture can't be encoded or nothing fits.
    static EncodedPicture Encode(const QImage& picture, const QString& format, qint64 maxBytes = 0);
};
