#include "render/PictureEncoder.h"

#include "image/BitmapSurface.h"

#include <QBuffer>
#include <QImageWriter>
#include <QLocale>
#include <QPainter>

namespace {

// The formats a picture may be written in; the first is the window's.
struct FileFormat {
    const char* extension;
    const char* writer; // Qt's name of the format
    const char* name;   // for people and for the reason of a failure
    bool lossy;         // written at a quality, which may step down to fit
    bool opaque;        // no transparency in the format: flattened on white
};
constexpr FileFormat kFormats[] = {
    {"tif", "tiff", "TIFF", false, false},
    {"png", "png", "PNG", false, false},
    {"jpg", "jpeg", "JPEG", true, true},
    {"webp", "webp", "WebP", true, false},
};

const FileFormat* FormatOf(const QString& extension) {
    for (const FileFormat& format : kFormats) {
        if (extension == QLatin1String(format.extension)) {
            return &format;
        }
    }
    return nullptr;
}

QImage OnWhite(const QImage& picture) {
    if (!picture.hasAlphaChannel()) {
        return picture;
    }
    QImage flat(picture.size(), QImage::Format_RGB32);
    flat.fill(Qt::white);
    QPainter painter(&flat);
    painter.drawImage(0, 0, picture);
    return flat;
}

// The picture (already flattened where the format needs it) in the format.
QByteArray Bytes(const QImage& picture, const FileFormat& format, int quality) {
    if (&format == &kFormats[0]) {
        return BitmapSurface::EncodeTiff(picture);
    }
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    QImageWriter writer(&buffer, format.writer);
    writer.setQuality(quality);
    return writer.write(picture) ? bytes : QByteArray();
}

EncodedPicture Failed(const QString& reason) {
    EncodedPicture failed;
    failed.reason = reason;
    return failed;
}

EncodedPicture NotEncoded(const FileFormat& format) {
    return Failed(
        QStringLiteral("The picture could not be encoded as %1").arg(QLatin1String(format.name)));
}

// Steps the quality down in the fitting format until the bytes fit.
EncodedPicture Fit(const QImage& picture, const FileFormat& asked, qint64 maxBytes) {
    const FileFormat& fitting = asked.lossy ? asked : *FormatOf(PictureEncoder::kFitFormat);
    const QImage source = fitting.opaque ? OnWhite(picture) : picture;
    const int first = asked.lossy ? PictureEncoder::kQuality - PictureEncoder::kQualityStep
                                  : PictureEncoder::kQuality;
    for (int quality = first; quality >= PictureEncoder::kLowestQuality;
         quality -= PictureEncoder::kQualityStep) {
        QByteArray bytes = Bytes(source, fitting, quality);
        if (bytes.isEmpty()) {
            return NotEncoded(fitting);
        }
        if (bytes.size() <= maxBytes) {
            return EncodedPicture{std::move(bytes), QLatin1String(fitting.extension), quality, true,
                                  QString()};
        }
    }
    return Failed(QStringLiteral("does not fit in %1 bytes even at %2 quality %3")
                      .arg(QLocale(QLocale::English).toString(maxBytes),
                           QLatin1String(fitting.name),
                           QString::number(PictureEncoder::kLowestQuality)));
}

} // namespace

const QStringList& PictureEncoder::Formats() {
    static const QStringList extensions = [] {
        QStringList list;
        for (const FileFormat& format : kFormats) {
            list << QLatin1String(format.extension);
        }
        return list;
    }();
    return extensions;
}

QString PictureEncoder::FormatName(const QString& extension) {
    const FileFormat* format = FormatOf(extension);
    return format ? QLatin1String(format->name) : QString();
}

EncodedPicture PictureEncoder::Encode(const QImage& picture, const QString& format,
                                      qint64 maxBytes) {
    const FileFormat* asked = FormatOf(format);
    if (asked == nullptr) {
        return Failed(QStringLiteral("No such file format: %1").arg(format));
    }
    if (picture.isNull()) {
        return NotEncoded(*asked);
    }
    const int quality = asked->lossy ? kQuality : -1;
    QByteArray bytes = Bytes(asked->opaque ? OnWhite(picture) : picture, *asked, quality);
    if (bytes.isEmpty()) {
        return NotEncoded(*asked);
    }
    if (maxBytes > 0 && bytes.size() > maxBytes) {
        return Fit(picture, *asked, maxBytes);
    }
    return EncodedPicture{std::move(bytes), format, quality, false, QString()};
}
