#include "batch/PictureJob.h"

#include "batch/PhotoSource.h"
#include "render/ProfileFiles.h"

#include <QFileInfo>
#include <QGuiApplication>

PictureJob::PictureJob(const BatchOptions& options, const FaceFinder* finder)
    : _options(options), _finder(finder) {}

QString PictureJob::Refusal(const BatchJob& job) const {
    if (!job.clash.isEmpty()) {
        return QStringLiteral("same file name as %1").arg(job.clash);
    }
    if (!_options.force) {
        for (const QString& file : job.files) {
            if (QFileInfo::exists(file)) {
                return QStringLiteral("%1 exists (--force replaces it)").arg(file);
            }
        }
    }
    return QString();
}

RenderRequest PictureJob::Request(const QImage& picture, const FloatRect& selection) const {
    RenderRequest request;
    request.source = picture;
    request.selection = selection;
    request.looks = _options.looks;
    request.colorize = _options.colorize;
    request.text = _options.text;
    request.text.font = QGuiApplication::font(); // the window's interface font
    return request;
}

JobOutcome PictureJob::Run(const BatchJob& job) {
    JobOutcome outcome;
    outcome.error = Refusal(job);
    if (!outcome.error.isEmpty()) {
        return outcome;
    }
    SourcePicture source = PhotoSource::Load(job.path, _options, _finder);
    if (source.picture.isNull()) {
        outcome.error = source.error;
        return outcome;
    }
    outcome.warning = source.warning;
    // Every photo is a full run; nothing is kept from the one before.
    _renderer.Invalidate();
    RenderRequest request = Request(source.picture, source.selection);
    const RenderResult result = _renderer.Render(request);
    // The photo's memory goes before the files are encoded.
    source.picture = QImage();
    request.source = QImage();
    const auto& rows = ProfileTargets::Targets();
    for (qsizetype i = 0; i < job.files.size(); ++i) {
        const ProfileTarget* target = job.targets[i];
        const QImage picture = target ? result.targets[size_t(target - rows.data())]
                                      : _renderer.WholePicture(request.text);
        QString reason;
        if (picture.isNull()) {
            reason = QStringLiteral("the selection gives no picture");
        } else if (!ProfileFiles::WritePicture(job.files[i], picture, _options.format, &reason)) {
            reason = QStringLiteral("%1: %2").arg(job.files[i], reason);
        } else {
            ++outcome.files;
            continue;
        }
        outcome.error = reason;
        break;
    }
    _renderer.Invalidate();
    return outcome;
}
