#pragma once

#include "batch/BatchOptions.h"
#include "render/ProfileFiles.h"

#include <QIODevice>
#include <QList>
#include <QString>
#include <QStringList>

// One picture to make: the photo and the files it gives.
struct BatchJob {
    QString path;               // as given, or a folder's path joined with the file's name
    QStringList files;          // the files written, in order, as paths in the output folder
    QList<PlannedFile> planned; // what each file holds, as the file plan made it
    // Not empty: "PHOTO: FILE", an earlier photo of the run that writes a file of this one.
    QString clash;
};

// The pictures of a run, from the arguments in their order.
class JobList {
public:
    JobList() = delete;

    // Files as given, a folder's picture files sorted by name (not its
    // subfolders), and for "-" the paths read from input, one per line.
    static QList<BatchJob> Collect(const BatchOptions& options, QIODevice& input);
    // The stem a photo's files are named after: its file name up to its last dot.
    static QString Stem(const QString& path);
};
