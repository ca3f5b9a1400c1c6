#include "batch/JobList.h"

#include "render/ProfileFiles.h"

#include <QDir>
#include <QFileInfo>
#include <QHash>
#include <QSet>

namespace {

// The names of a photo's files in the window's order of saving, and what each
// holds (nullptr: the whole picture, or its card after it).
QList<PlannedFile> OutputNames(const QString& stem, const BatchOptions& options) {
    QList<PlannedFile> files =
        ProfileFiles::Plan(stem, options.set, options.networks, options.whole, options.format);
    if (options.card) {
        files << ProfileFiles::CardFile(stem, options.format);
    }
    return files;
}

// A folder's files less those that this run would write for another picture
// beside them (me_facebook.tif, and me.tif beside me.jpg): results of an
// earlier run into the folder, not photos. A file that is its own whole
// picture (me.tif, format tif) stays a photo.
QStringList WithoutResults(const QStringList& names, const BatchOptions& options) {
    QSet<QString> results;
    for (const QString& name : names) {
        for (const PlannedFile& output : OutputNames(JobList::Stem(name), options)) {
            if (output.path != name) {
                results.insert(output.path);
            }
        }
    }
    QStringList photos;
    for (const QString& name : names) {
        if (!results.contains(name)) {
            photos << name;
        }
    }
    return photos;
}

// The picture files of a folder, sorted by name: the types the window opens,
// without the extensionless files a folder is full of, nor earlier results.
QStringList FolderPictures(const QString& folder, const BatchOptions& options) {
    QStringList names;
    const QDir dir(folder);
    for (const QString& name : dir.entryList(QDir::Files, QDir::Name)) {
        if (ProfileFiles::IsAdmitted(name) && ProfileFiles::RemoveExtension(name) != name) {
            names << name;
        }
    }
    QStringList pictures;
    for (const QString& name : WithoutResults(names, options)) {
        pictures << dir.filePath(name);
    }
    return pictures;
}

QStringList Lines(QIODevice& input) {
    QStringList lines;
    while (!input.atEnd()) {
        QString line = QString::fromLocal8Bit(input.readLine());
        while (line.endsWith(QLatin1Char('\n')) || line.endsWith(QLatin1Char('\r'))) {
            line.chop(1);
        }
        if (!line.trimmed().isEmpty()) {
            lines << line;
        }
    }
    return lines;
}

QStringList Paths(const BatchOptions& options, QIODevice& input) {
    QStringList paths;
    for (const QString& picture : options.pictures) {
        if (picture == QLatin1String("-")) {
            paths << Lines(input);
        } else if (QFileInfo(picture).isDir()) {
            paths << FolderPictures(picture, options);
        } else {
            paths << picture;
        }
    }
    return paths;
}

// The files of one photo in the window's order of saving, and their pictures.
void NameFiles(BatchJob& job, const BatchOptions& options) {
    const QDir out(options.outFolder);
    for (const PlannedFile& file : OutputNames(JobList::Stem(job.path), options)) {
        job.files << out.filePath(file.path);
        job.planned << file;
    }
}

} // namespace

QList<BatchJob> JobList::Collect(const BatchOptions& options, QIODevice& input) {
    QList<BatchJob> jobs;
    QHash<QString, QString> claimedBy; // file -> the photo that writes it
    for (const QString& path : Paths(options, input)) {
        BatchJob job{path, {}, {}, {}};
        NameFiles(job, options);
        for (const QString& file : job.files) {
            const auto earlier = claimedBy.constFind(file);
            if (earlier != claimedBy.constEnd() && job.clash.isEmpty()) {
                job.clash = QStringLiteral("%1: %2").arg(*earlier, QFileInfo(file).fileName());
            }
        }
        if (job.clash.isEmpty()) {
            for (const QString& file : job.files) {
                claimedBy.insert(file, path);
            }
        }
        jobs << job;
    }
    return jobs;
}

QString JobList::Stem(const QString& path) {
    return ProfileFiles::RemoveExtension(QFileInfo(path).fileName());
}
