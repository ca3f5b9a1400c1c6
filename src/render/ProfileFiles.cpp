#include "render/ProfileFiles.h"

#include "render/NetworkSets.h"
#include "render/PictureEncoder.h"
#include "render/SafeFile.h"

#include <QFileInfo>

namespace {

constexpr char kTiffSuffix[] = ".tif";

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

PlannedFile ProfileFiles::CardFile(const QString& base, const QString& format) {
    return {nullptr, base + QLatin1String("_card.") + format, QString(), format, true};
}

QList<PlannedFile> ProfileFiles::Plan(const QString& base, const NetworkSet& set,
                                      const QStringList& chosenIds, bool whole,
                                      const QString& format) {
    QList<PlannedFile> files;
    for (const Network& network : set.networks) {
        if (chosenIds.contains(network.id)) {
            const QString taken = network.FormatFor(format);
            const QByteArray id = network.id.toLatin1();
            files.append({ProfileTargets::SavedTarget(id.constData()),
                          base + QLatin1Char('_') + network.id + QLatin1Char('.') + taken,
                          network.id, taken});
        }
    }
    if (whole) {
        files.append({nullptr, base + QLatin1Char('.') + format, QString(), format});
    }
    return files;
}

QList<PlannedFile> ProfileFiles::Plan(const QString& base, const NetworkChoice& networks,
                                      bool whole, const QString& format) {
    static const NetworkSet classic = NetworkSets::Classic();
    QStringList chosen;
    for (size_t row = 0; row < networks.size(); ++row) {
        if (networks[row]) {
            chosen << classic.networks[qsizetype(row)].id;
        }
    }
    return Plan(base, classic, chosen, whole, format);
}

QList<PlannedFile> ProfileFiles::PlanForChosenName(const QString& chosen,
                                                   const NetworkChoice& networks, bool whole,
                                                   const QString& format) {
    QList<PlannedFile> files = Plan(RemoveExtension(chosen), networks, whole, format);
    if (whole && format == PictureEncoder::Formats().first()) {
        files.last().path = OriginalPath(chosen);
    }
    return files;
}

bool ProfileFiles::WriteTiff(const QString& path, const QImage& picture, QString* reason) {
    return WritePicture(path, picture, QStringLiteral("tif"), reason);
}

const QStringList& ProfileFiles::WritableFormats() {
    return PictureEncoder::Formats();
}

QString ProfileFiles::FormatName(const QString& extension) {
    return PictureEncoder::FormatName(extension);
}

QByteArray ProfileFiles::Encoded(const QImage& picture, const QString& format, QString* reason) {
    // Encoded in memory first: the encoder does not notice a short write (a full
    // disk), so the bytes are counted when written and a file is named only whole.
    EncodedPicture encoded = PictureEncoder::Encode(picture, format);
    if (encoded.bytes.isEmpty()) {
        *reason = encoded.reason;
    }
    return encoded.bytes;
}

bool ProfileFiles::WritePicture(const QString& path, const QImage& picture, const QString& format,
                                QString* reason) {
    const QByteArray bytes = Encoded(picture, format, reason);
    return !bytes.isEmpty() && WriteBytes(path, bytes, reason);
}

bool ProfileFiles::WriteBytes(const QString& path, const QByteArray& bytes, QString* reason) {
    return SafeFile::Write(path, bytes, reason);
}
