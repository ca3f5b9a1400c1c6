#include "render/ProfileFiles.h"

#include "image/BitmapSurface.h"

#include <QBuffer>
#include <QFileInfo>
#include <QImageWriter>
#include <QPainter>
#include <QSaveFile>

namespace {

constexpr char kTiffSuffix[] = ".tif";
// Lossy formats: high enough that text edges stay clean on small pictures.
constexpr int kLossyQuality = 90;

// The formats a picture may be written in; the first is the window's.
struct FileFormat {
    const char* extension;
    const char* writer; // Qt's name of the format
    const char* name;   // for the reason of a failure
    int quality;        // -1: the writer's default
    bool opaque;        // no transparency in the format: flattened on white
};
constexpr FileFormat kFormats[] = {
    {"tif", "tiff", "TIFF", -1, false},
    {"png", "png", "PNG", -1, false},
    {"jpg", "jpeg", "JPEG", kLossyQuality, true},
    {"webp", "webp", "WebP", kLossyQuality, false},
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

QByteArray Encode(const QImage& picture, const FileFormat& format) {
    if (picture.isNull()) {
        return QByteArray();
    }
    if (&format == &kFormats[0]) {
        return BitmapSurface::EncodeTiff(picture);
    }
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    QImageWriter writer(&buffer, format.writer);
    writer.setQuality(format.quality);
    return writer.write(format.opaque ? OnWhite(picture) : picture) ? bytes : QByteArray();
}

// Start of the extension in path, or -1: the last dot of the last component.
qsizetype ExtensionStart(const QString& path) {
    const qsizetype slash = path.lastIndexOf(QLatin1Char('/'));
    const qsizetype dot = path.lastIndexOf(QLatin1Char('.'));
    return dot > slash ? dot : -1;
}

} // namespace

const QStringList& ProfileFiles::AdmittedTypes() {
    static const QStringList types =
        QStringLiteral("jpg png bmp tif tiff jpeg gif heic heif avif").split(QLatin1Char(' '))
        << QString();
    return types;
}

bool ProfileFiles::IsAdmitted(const QString& fileName) {
    const QString name = QFileInfo(fileName).fileName();
    if (name.isEmpty()) {
        return false;
    }
    const qsizetype start = ExtensionStart(name);
    const QString type = start < 0 ? QString() : name.mid(start + 1).toLower();
    return AdmittedTypes().contains(type);
}

QString ProfileFiles::RemoveExtension(const QString& path) {
    const qsizetype start = ExtensionStart(path);
    return start < 0 ? path : path.left(start);
}

QString ProfileFiles::OriginalPath(const QString& chosenPath) {
    return RemoveExtension(chosenPath) == chosenPath ? chosenPath + QLatin1String(kTiffSuffix)
                                                     : chosenPath;
}

bool ProfileFiles::WriteTiff(const QString& path, const QImage& picture, QString* reason) {
    return WritePicture(path, picture, QStringLiteral("tif"), reason);
}

const QStringList& ProfileFiles::WritableFormats() {
    static const QStringList extensions = [] {
        QStringList list;
        for (const FileFormat& format : kFormats) {
            list << QLatin1String(format.extension);
        }
        return list;
    }();
    return extensions;
}

QString ProfileFiles::FormatName(const QString& extension) {
    const FileFormat* format = FormatOf(extension);
    return format ? QLatin1String(format->name) : QString();
}

bool ProfileFiles::WritePicture(const QString& path, const QImage& picture, const QString& format,
                                QString* reason) {
    const FileFormat* chosen = FormatOf(format);
    if (chosen == nullptr) {
        *reason = QStringLiteral("No such file format: %1").arg(format);
        return false;
    }
    // Encoded in memory first: the encoder does not notice a short write (a full
    // disk), so the bytes are counted here and a file is committed only whole.
    const QByteArray bytes = Encode(picture, *chosen);
    if (bytes.isEmpty()) {
        *reason = QStringLiteral("The picture could not be encoded as %1")
                      .arg(QLatin1String(chosen->name));
        return false;
    }
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly)) {
        *reason = file.errorString();
        return false;
    }
    if (file.write(bytes) != bytes.size() || !file.flush()) {
        *reason = file.errorString();
        file.cancelWriting();
        return false;
    }
    if (!file.commit()) {
        *reason = file.errorString();
        return false;
    }
    return true;
}
