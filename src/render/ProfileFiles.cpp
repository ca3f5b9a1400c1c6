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

// The picture on white, without alpha: JPEG has no transparency.
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

QByteArray EncodeWithQt(const QImage& picture, const char* format, int quality) {
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    QImageWriter writer(&buffer, format);
    writer.setQuality(quality);
    return writer.write(picture) ? bytes : QByteArray();
}

QByteArray Encode(const QImage& picture, const QString& format) {
    if (picture.isNull()) {
        return QByteArray();
    }
    if (format == QLatin1String("png")) {
        return EncodeWithQt(picture, "png", -1);
    }
    if (format == QLatin1String("jpg")) {
        return EncodeWithQt(OnWhite(picture), "jpeg", kLossyQuality);
    }
    if (format == QLatin1String("webp")) {
        return EncodeWithQt(picture, "webp", kLossyQuality);
    }
    return format == QLatin1String("tif") ? BitmapSurface::EncodeTiff(picture) : QByteArray();
}

// Start of the extension in path, or -1: the last dot of the last component.
qsizetype ExtensionStart(const QString& path) {
    const qsizetype slash = path.lastIndexOf(QLatin1Char('/'));
    const qsizetype dot = path.lastIndexOf(QLatin1Char('.'));
    return dot > slash ? dot : -1;
}

} // namespace

const QStringList& ProfileFiles::AdmittedTypes() {
    static const QStringList types{QStringLiteral("jpg"),  QStringLiteral("png"),
                                   QStringLiteral("bmp"),  QStringLiteral("tif"),
                                   QStringLiteral("tiff"), QStringLiteral("jpeg"),
                                   QStringLiteral("gif"),  QString()};
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
    static const QStringList formats{QStringLiteral("tif"), QStringLiteral("png"),
                                     QStringLiteral("jpg"), QStringLiteral("webp")};
    return formats;
}

bool ProfileFiles::WritePicture(const QString& path, const QImage& picture, const QString& format,
                                QString* reason) {
    // Encoded in memory first: the encoder does not notice a short write (a full
    // disk), so the bytes are counted here and a file is committed only whole.
    const QByteArray bytes = Encode(picture, format);
    if (bytes.isEmpty()) {
        *reason = format == QLatin1String("tif")
                      ? QStringLiteral("The picture could not be encoded as TIFF")
                      : QStringLiteral("The picture could not be encoded as %1").arg(format);
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
