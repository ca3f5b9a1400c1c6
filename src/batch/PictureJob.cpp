#include "batch/PictureJob.h"

#include "batch/PhotoSource.h"
#include "render/NetworkSetFiles.h"
#include "render/ProfileFiles.h"

#include <QDir>
#include <QFileInfo>
#include <QGuiApplication>

namespace {

// Whether anything has that name: a file, a folder, a link even to nothing.
bool Exists(const QString& path) {
    const QFileInfo info(path);
    return info.exists() || info.isSymLink();
}

QString Refused(const QString& file) {
    return QStringLiteral("%1 exists (--force replaces it, --skip-existing keeps it)").arg(file);
}

QString Failed(const QString& file, const QString& reason) {
    return QStringLiteral("%1: %2").arg(file, reason);
}

} // namespace

PictureJob::PictureJob(const BatchOptions& options, const Photos& photos, const FaceFinder* finder)
    : _options(options), _photos(photos), _finder(finder) {}

PictureJob::Photos PictureJob::PhotosOf(const QList<BatchJob>& jobs) {
    Photos photos;
    for (const BatchJob& job : jobs) {
        const SafeFile::Identity photo = SafeFile::IdentityOf(job.path);
        if (photo.inode != 0) {
            photos.insert(photo);
        }
    }
    return photos;
}

// Why the picture is not made at all, told before its photo is read.
QStringList PictureJob::Refusals(const BatchJob& job) const {
    if (!QFileInfo::exists(job.path)) {
        return {QStringLiteral("no such file")};
    }
    if (!job.clash.isEmpty()) {
        return {QStringLiteral("same file name as %1").arg(job.clash)};
    }
    QStringList refusals;
    for (const QString& file : job.files) {
        if (_photos.count(SafeFile::IdentityOf(file)) > 0) {
            refusals << QStringLiteral("%1 is a photo of this run, never replaced").arg(file);
        } else if (!_options.force && !_options.skipExisting && Exists(file)) {
            // Spares the work only: the names are claimed atomically all the same.
            refusals << Refused(file);
        }
    }
    return refusals;
}

RenderRequest PictureJob::Request(const QImage& picture, const FloatRect& selection) const {
    RenderRequest request;
    request.processedSide = float(_options.set.ProcessedSide(_options.networks));
    request.source = picture;
    request.selection = selection;
    request.looks = _options.looks;
    request.moreLooks = _options.moreLooks;
    request.colorize = _options.colorize;
    request.text = _options.text;
    request.text.font = QGuiApplication::font(); // the window's interface font
    return request;
}

// The wanted files encoded and written into their temporaries, none named
// yet; each one that fails is named in errors.
PictureJob::Files PictureJob::Prepare(const BatchJob& job, const QList<qsizetype>& wanted,
                                      const RenderResult& result, const TextLine& text,
                                      QStringList* errors, QStringList* fits) {
    Files files;
    NetworkSetFiles networkFiles(_renderer, _options.set, text);
    for (const qsizetype i : wanted) {
        Bytes file = Encoded(job, i, result, networkFiles);
        if (!file.bytes.isEmpty()) {
            files.push_back(std::make_unique<SafeFile>(file.path, file.bytes));
            if (!file.fit.isEmpty()) {
                fits->append(
                    QStringLiteral("%1 (%2)").arg(QFileInfo(file.path).fileName(), file.fit));
            }
            if (files.back()->IsReady()) {
                continue;
            }
            file.reason = files.back()->Reason();
        }
        errors->append(Failed(file.path, file.reason));
    }
    return files;
}

// One file's bytes and where they go: 2012's targets as the window shows
// them, today's networks from the run at S, each within its byte limit (a
// PNG made JPEG to fit is named .jpg).
PictureJob::Bytes PictureJob::Encoded(const BatchJob& job, qsizetype i, const RenderResult& result,
                                      NetworkSetFiles& networkFiles) const {
    const PlannedFile& file = job.planned[i];
    const QString noPicture = QStringLiteral("the selection gives no picture");
    if (file.card) {
        const QImage card = _options.card->Card(networkFiles.WholePicture());
        QString reason = noPicture;
        const QByteArray bytes =
            card.isNull() ? QByteArray() : ProfileFiles::Encoded(card, _options.format, &reason);
        return {job.files[i], bytes, reason, {}};
    }
    if (_options.set.key != QLatin1String(NetworkSets::kClassicKey)) {
        if (networkFiles.Picture(file).isNull()) {
            return {job.files[i], {}, noPicture, {}};
        }
        const FittedFile fitted = networkFiles.Encode(file);
        const QString path =
            QFileInfo(job.files[i]).dir().filePath(QFileInfo(fitted.path).fileName());
        return {path, fitted.encoded.bytes, fitted.encoded.reason, fitted.FitNote()};
    }
    const auto& rows = ProfileTargets::Targets();
    const QImage picture = file.target ? result.targets[size_t(file.target - rows.data())]
                                       : networkFiles.WholePicture();
    QString reason = noPicture;
    const QByteArray bytes =
        picture.isNull() ? QByteArray() : ProfileFiles::Encoded(picture, _options.format, &reason);
    return {job.files[i], bytes, reason, {}};
}

// Names the files; the count left. With --force each replaces what is there.
// Otherwise each is named only where nothing has its name, and when another
// run has one, the names given so far are taken back: the picture is refused.
int PictureJob::Keep(const BatchJob& job, Files& files, QStringList* errors) const {
    int kept = 0;
    for (const auto& file : files) {
        if (_options.force) {
            if (file->ReplaceName()) {
                ++kept;
            } else {
                errors->append(Failed(file->Path(), file->Reason()));
            }
            continue;
        }
        const SafeFile::Claim claim = file->ClaimName();
        if (claim == SafeFile::Claim::Made) {
            ++kept;
        }
        if (claim == SafeFile::Claim::Made ||
            (claim == SafeFile::Claim::Taken && _options.skipExisting)) {
            continue; // a name taken meanwhile is as good as an existing file
        }
        for (const auto& mine : files) {
            mine->Withdraw();
        }
        if (claim == SafeFile::Claim::Failed) {
            errors->append(Failed(file->Path(), file->Reason()));
            return 0;
        }
        for (const QString& name : job.files) {
            if (Exists(name)) {
                errors->append(Refused(name));
            }
        }
        if (errors->isEmpty()) {
            errors->append(Refused(file->Path()));
        }
        return 0;
    }
    return kept;
}

JobOutcome PictureJob::Run(const BatchJob& job) {
    JobOutcome outcome;
    outcome.errors = Refusals(job);
    if (!outcome.errors.isEmpty()) {
        return outcome;
    }
    QList<qsizetype> wanted;
    for (qsizetype i = 0; i < job.files.size(); ++i) {
        if (!_options.skipExisting || !Exists(job.files[i])) {
            wanted << i;
        }
    }
    outcome.skipped = wanted.isEmpty();
    if (outcome.skipped) {
        return outcome;
    }
    SourcePicture source = PhotoSource::Load(job.path, _options, _finder);
    if (source.picture.isNull()) {
        outcome.errors << source.error;
        return outcome;
    }
    outcome.warning = source.warning;
    // Every photo is a full run; nothing is kept from the one before.
    _renderer.Invalidate();
    RenderRequest request = Request(source.picture, source.selection);
    // Today's networks come from the processed picture alone; 2012's targets
    // are the window's thirteen.
    const bool classic = _options.set.key == QLatin1String(NetworkSets::kClassicKey);
    const RenderResult result = classic ? _renderer.Render(request) : RenderResult{};
    if (!classic) {
        _renderer.Process(request);
    }
    // The photo's memory goes before the files are encoded.
    source.picture = QImage();
    request.source = QImage();
    QStringList fits;
    Files files = Prepare(job, wanted, result, request.text, &outcome.errors, &fits);
    _renderer.Invalidate();
    if (outcome.errors.isEmpty()) {
        outcome.files = Keep(job, files, &outcome.errors);
    }
    if (outcome.files > 0 && !fits.isEmpty()) {
        const QString made =
            QStringLiteral("made smaller to fit: %1").arg(fits.join(QStringLiteral(", ")));
        outcome.warning =
            outcome.warning.isEmpty() ? made : outcome.warning + QStringLiteral("; ") + made;
    }
    return outcome;
}
