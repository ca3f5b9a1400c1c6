#pragma once

#include "document/ProfileDocument.h"
#include "image/PictureReader.h"

#include <QList>
#include <QSize>
#include <QString>

// The lines the window's status bar shows after an open or a save, in the
// user's words. They stand beside the log lines, which stay as they are.
class StatusLines {
public:
    StatusLines() = delete;

    // "NAME — W × H pixels", the photo's own size.
    static QString Opened(const QString& path, QSize photoSize);
    // "Opening NAME…", while it is read.
    static QString Opening(const QString& path);
    // "Pasted picture — W × H pixels".
    static QString Pasted(QSize photoSize);
    // "Could not open NAME: reason".
    static QString OpenFailed(const QString& path, PictureReader::Failure failure);
    // "Saved N files to FOLDER", after a "Could not save NAME: reason" for each
    // file that failed and before "Made smaller to fit: NAME (JPEG quality 80),
    // ..." when files were changed to fit their network's limit.
    static QString Saved(const QString& chosenPath, const QList<ProfileDocument::SavedFile>& files);
};
