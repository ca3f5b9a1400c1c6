#include "batch/JobList.h"

#include "render/ProfileFiles.h"

#include <QDir>
#include <QFileInfo>
#include <QHash>

namespace {

// The picture files of a folder, sorted by name: the types the window opens,
// without the extensionless files a folder is full of.
QStringList FolderPictures(const QString& folder) {
    QStringList pictures;
    const QDir dir(folder);
    for (const QString& name : dir.entryList(QDir::Files, QDir::Name)) {
        if (ProfileFiles::IsAdmitted(name) && ProfileFiles::RemoveExtension(name) != name) {
            pictures << dir.filePath(name);
        }
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
        if (!line.isEmpty()) {
            lines << line;
        }
    }
    return lines;
}

QStringList Paths(const QStringList& pictures, QIODevice& input) {
    QStringList paths;
    for (const QString& picture : pictures) {
        if (picture == QLatin1String("-")) {
            paths << Lines(input);
        } else if (QFileInfo(picture).isDir()) {
            paths << FolderPictures(picture);
        } else {
            paths << picture;
        }
    }
    return paths;
}

// The files of one photo in the window's order of saving, and their pictures.
void NameFiles(BatchJob& job, const BatchOptions& options) {
    const QString base = QDir(options.outFolder).filePath(JobList::Stem(job.path));
    for (const PlannedFile& file :
         ProfileFiles::Plan(base, options.networks, options.whole, options.format)) {
        job.files << file.path;
        job.targets << file.target;
    }
}

} // namespace

QList<BatchJob> JobList::Collect(const BatchOptions& options, QIODevice& input) {
    QList<BatchJob> jobs;
    QHash<QString, QString> claimedBy; // file -> the photo that writes it
    for (const QString& path : Paths(options.pictures, input)) {
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
