#include "document/ProfileSaver.h"

#include "render/NetworkSetFiles.h"
#include "render/ProfileFiles.h"
#include "render/Renderer.h"

#include <QDebug>

namespace {

void Log(const QString& line) {
    qInfo().noquote() << line;
}

void LogFailed(const QString& reason) {
    Log(reason);
    Log(QStringLiteral("didn't work!"));
}

// The picture's representation, in Qt's own words.
QString Describe(const QImage& picture) {
    QString description;
    QDebug(&description).nospace() << picture;
    return description;
}

} // namespace

ProfileSaver::ProfileSaver(QString format) : _format(std::move(format)) {}

void ProfileSaver::SaveTarget(const QString& base, const ProfileTarget& target,
                              const QImage& picture) {
    if (base.isEmpty() || target.saveOrder == 0 || picture.isNull()) {
        return;
    }
    NetworkChoice only;
    only.set(size_t(target.saveOrder - 1));
    const QString path = ProfileFiles::Plan(base, only, false, _format).first().path;
    try {
        Log(path);
        Log(Describe(picture));
        Write(path, picture);
    } catch (const std::exception& e) {
        Log(QString::fromLocal8Bit(e.what()));
        Failed(path, QString::fromLocal8Bit(e.what()));
    }
}

void ProfileSaver::SaveWhole(const QString& chosenPath, const QImage& picture) {
    if (!chosenPath.isEmpty()) {
        Write(ProfileFiles::PlanForChosenName(chosenPath, {}, true, _format).first().path, picture);
    }
}

void ProfileSaver::SaveClassic(const QString& chosenPath, const NetworkChoice& networks, bool whole,
                               const std::array<QImage, ProfileTargets::kTargetCount>& previews,
                               const QImage& wholePicture, const CardStyle* card) {
    const QString base = ProfileFiles::RemoveExtension(chosenPath);
    for (const PlannedFile& file :
         ProfileFiles::PlanForChosenName(chosenPath, networks, whole, _format)) {
        if (file.target != nullptr) {
            SaveTarget(base, *file.target,
                       previews[size_t(file.target - ProfileTargets::Targets().data())]);
        } else if (!wholePicture.isNull()) {
            SaveWhole(chosenPath, wholePicture);
        }
    }
    if (card != nullptr && !wholePicture.isNull()) {
        SaveCard(base, *card, wholePicture);
    }
}

void ProfileSaver::SaveCard(const QString& base, const CardStyle& style, const QImage& whole) {
    if (!base.isEmpty()) {
        Write(ProfileFiles::CardFile(base, _format).path, style.Card(whole));
    }
}

void ProfileSaver::SaveToday(const QString& chosenPath, const NetworkSet& set,
                             const QStringList& chosen, bool whole, const RenderRequest& request,
                             const CardStyle* card) {
    Renderer renderer; // the window's keeps its 512 picture for the next edit
    if (chosenPath.isEmpty() ||
        renderer.Process(NetworkSetFiles::AtSide(request, set, chosen)).isNull()) {
        return;
    }
    const QString base = ProfileFiles::RemoveExtension(chosenPath);
    NetworkSetFiles files(renderer, set, request.text);
    for (const PlannedFile& file : ProfileFiles::Plan(base, set, chosen, whole, _format)) {
        WriteFitted(files.Encode(file));
    }
    if (card != nullptr) {
        SaveCard(base, *card, files.WholePicture());
    }
}

void ProfileSaver::Failed(const QString& path, const QString& reason) {
    _files.append({path, reason});
}

void ProfileSaver::WriteFitted(const FittedFile& file) {
    Log(file.path);
    QString reason = file.encoded.reason;
    if (reason.isEmpty()) {
        ProfileFiles::WriteBytes(file.path, file.encoded.bytes, &reason);
    }
    if (!reason.isEmpty()) {
        LogFailed(reason);
    }
    _files.append({file.path, reason, file.FitNote()});
}

void ProfileSaver::Write(const QString& path, const QImage& picture) {
    QString reason;
    if (!ProfileFiles::WritePicture(path, picture, _format, &reason)) {
        LogFailed(reason);
    }
    _files.append({path, reason});
}
