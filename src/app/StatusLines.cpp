#include "app/StatusLines.h"

#include <QDir>
#include <QFileInfo>
#include <QStringList>

namespace {

struct FailureText {
    PictureReader::Failure failure;
    const char* text;
};

constexpr FailureText kFailureTexts[] = {
    {PictureReader::Failure::NotAPictureFile, "not a picture file"},
    {PictureReader::Failure::Unsupported, "unsupported type"},
    {PictureReader::Failure::Damaged, "damaged file"},
    {PictureReader::Failure::TooLarge, "too large to open"},
    {PictureReader::Failure::Unreadable, "the file could not be read"},
};

QString NameOf(const QString& path) {
    return QFileInfo(path).fileName();
}

} // namespace

QString StatusLines::Opened(const QString& path, QSize photoSize) {
    return QStringLiteral("%1 — %2 × %3 pixels")
        .arg(NameOf(path), QString::number(photoSize.width()), QString::number(photoSize.height()));
}

QString StatusLines::Opening(const QString& path) {
    return QStringLiteral("Opening %1…").arg(NameOf(path));
}

QString StatusLines::Pasted(QSize photoSize) {
    return Opened(QStringLiteral("Pasted picture"), photoSize);
}

QString StatusLines::OpenFailed(const QString& path, PictureReader::Failure failure) {
    QString reason = QStringLiteral("damaged file");
    for (const FailureText& entry : kFailureTexts) {
        if (entry.failure == failure) {
            reason = QString::fromUtf8(entry.text);
        }
    }
    return QStringLiteral("Could not open %1: %2").arg(NameOf(path), reason);
}

QString StatusLines::Saved(const QString& chosenPath,
                           const QList<ProfileDocument::SavedFile>& files) {
    QStringList parts;
    QStringList fitted;
    qsizetype written = 0;
    for (const ProfileDocument::SavedFile& file : files) {
        if (file.reason.isEmpty()) {
            ++written;
        } else {
            parts << QStringLiteral("Could not save %1: %2").arg(NameOf(file.path), file.reason);
        }
        if (file.reason.isEmpty() && !file.fitted.isEmpty()) {
            fitted << QStringLiteral("%1 (%2)").arg(NameOf(file.path), file.fitted);
        }
    }
    const QString folder = QDir::toNativeSeparators(QFileInfo(chosenPath).absolutePath());
    parts << (written == 1
                  ? QStringLiteral("Saved 1 file to %1").arg(folder)
                  : QStringLiteral("Saved %1 files to %2").arg(QString::number(written), folder));
    if (!fitted.isEmpty()) {
        parts << QStringLiteral("Made smaller to fit: %1").arg(fitted.join(QStringLiteral(", ")));
    }
    return parts.join(QStringLiteral(" · "));
}
