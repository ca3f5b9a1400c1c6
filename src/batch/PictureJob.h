#pragma once

#include "batch/BatchOptions.h"
#include "batch/JobList.h"
#include "render/NetworkSetFiles.h"
#include "render/Renderer.h"
#include "render/SafeFile.h"

#include <QString>
#include <QStringList>
#include <memory>
#include <set>
#include <vector>

class FaceFinder;

// What became of one picture.
struct JobOutcome {
    int files = 0;        // files written and left in place
    bool skipped = false; // with --skip-existing: every file was there already
    // Why the picture failed: a line for each file refused or failed ("FILE: reason"),
    // or one for the picture. Empty when it didn't fail.
    QStringList errors;
    QString warning; // what went otherwise than asked; the files are written all the same
};

// Makes the files of one photo after another: reads it, renders it as the
// window would, writes its files and keeps nothing of it afterwards. A
// picture's files are all encoded and written into temporaries first, then
// named one after another; when another run has one of the names, the names
// already given are taken back, so that no picture mixes two runs' files. One
// per worker thread.
class PictureJob {
public:
    // The identities of a run's photos, which no file of the run may replace.
    using Photos = std::set<SafeFile::Identity>;

    // finder, shared by every job, finds faces for --select face.
    PictureJob(const BatchOptions& options, const Photos& photos,
               const FaceFinder* finder = nullptr);

    JobOutcome Run(const BatchJob& job);

    // The photos of a run's jobs.
    static Photos PhotosOf(const QList<BatchJob>& jobs);

private:
    using Files = std::vector<std::unique_ptr<SafeFile>>;

    QStringList Refusals(const BatchJob& job) const;
    RenderRequest Request(const QImage& picture, const FloatRect& selection) const;
    struct Bytes {
        QString path;
        QByteArray bytes; // empty: the file can't be made
        QString reason;
        QString fit; // how it was changed to fit its network's limit; empty when as asked
    };
    Bytes Encoded(const BatchJob& job, qsizetype i, const RenderResult& result,
                  NetworkSetFiles& networkFiles) const;
    Files Prepare(const BatchJob& job, const QList<qsizetype>& wanted, const RenderResult& result,
                  const TextLine& text, QStringList* errors, QStringList* fits);
    int Keep(const BatchJob& job, Files& files, QStringList* errors) const;

    const BatchOptions& _options;
    const Photos& _photos;
    const FaceFinder* _finder;
    Renderer _renderer;
};
