#pragma once

#include "render/CardStyle.h"
#include "render/NetworkSet.h"
#include "render/ProfileTargets.h"
#include "render/RenderRequest.h"

#include <QImage>
#include <QList>
#include <QString>
#include <QStringList>
#include <array>

struct FittedFile;

// Writes the files of one save and keeps what became of each: log lines as
// the window always wrote them, "didn't work!" for each failure, and the
// system's reason.
class ProfileSaver {
public:
    // One file a save tried to write; an empty reason means it was written.
    struct SavedFile {
        QString path;
        QString reason;
        // How it was changed to fit its network's byte limit ("JPEG quality
        // 80"); empty when written as asked.
        QString fitted = {};
    };

    // Files in this format (an extension of ProfileFiles::WritableFormats()).
    explicit ProfileSaver(QString format = QStringLiteral("tif"));

    // A network's largest picture, named from base.
    void SaveTarget(const QString& base, const ProfileTarget& target, const QImage& picture);
    // The whole picture under the chosen name.
    void SaveWhole(const QString& chosenPath, const QImage& picture);
    // The networks of 2012 under the chosen name: each chosen network's
    // largest picture as the previews hold it, the whole picture (when whole
    // and not null) and, with a card style, the card of the whole picture.
    void SaveClassic(const QString& chosenPath, const NetworkChoice& networks, bool whole,
                     const std::array<QImage, ProfileTargets::kTargetCount>& previews,
                     const QImage& wholePicture, const CardStyle* card);
    // The presentation card of the whole picture (ProfileFiles::CardFile).
    void SaveCard(const QString& base, const CardStyle& style, const QImage& whole);
    // Today's set: one run of the request at the side its chosen networks
    // need, each file fitted to its network's byte limit and formats; then,
    // with a card style, the card of that run's whole picture.
    void SaveToday(const QString& chosenPath, const NetworkSet& set, const QStringList& chosen,
                   bool whole, const RenderRequest& request, const CardStyle* card = nullptr);
    // A failure that stopped the save before this file.
    void Failed(const QString& path, const QString& reason);

    const QList<SavedFile>& Files() const { return _files; }

private:
    void Write(const QString& path, const QImage& picture);
    void WriteFitted(const FittedFile& file);

    QString _format;
    QList<SavedFile> _files;
};
