#pragma once

#include "render/NetworkSet.h"
#include "render/ProfileTargets.h"

#include <QImage>
#include <QList>
#include <QString>
#include <QStringList>

// One file of a save: its path and what it holds.
struct PlannedFile {
    // A network of 2012: its largest target; nullptr for any other network and
    // for the whole picture.
    const ProfileTarget* target;
    QString path;
    QString network;   // the network's id; empty for the whole picture
    QString format;    // the extension its bytes are asked in
    bool card = false; // the presentation card of the whole picture
};

// File names and file writing of the profile pictures, and the picture files
// the open sheet admits.
class ProfileFiles {
public:
    ProfileFiles() = delete;

    // The admitted types in the open sheet's order; "" stands for files
    // without an extension.
    static const QStringList& AdmittedTypes();
    // Whether a file of this name may be opened (its extension, any case).
    static bool IsAdmitted(const QString& fileName);

    // The path with the extension of its last component (from the last dot
    // on) removed; a name without extension stays as it is.
    static QString RemoveExtension(const QString& path);
    // Where the whole picture goes: the chosen path when it has an extension,
    // else the chosen path + ".tif".
    static QString OriginalPath(const QString& chosenPath);

    // The presentation card's file beside the others: base + "_card." + format.
    static PlannedFile CardFile(const QString& base, const QString& format);

    // The files one save of a network set writes, in the order they are
    // written: for each chosen network in the set's order base + "_<id>." + the
    // format the network takes for the chosen one (Network::FormatFor), then
    // (when whole) the whole picture at base + "." + format. Ids not in the set
    // are left out.
    static QList<PlannedFile> Plan(const QString& base, const NetworkSet& set,
                                   const QStringList& chosenIds, bool whole, const QString& format);
    // The same for the networks of 2012, chosen by their row in
    // ProfileTargets::SavedTargets().
    static QList<PlannedFile> Plan(const QString& base, const NetworkChoice& networks, bool whole,
                                   const QString& format);
    // The same for a name chosen in the save sheet: the networks' files are
    // named from it without its extension; a TIFF whole picture keeps the chosen
    // name when it has an extension (OriginalPath).
    static QList<PlannedFile> PlanForChosenName(const QString& chosen,
                                                const NetworkChoice& networks, bool whole,
                                                const QString& format);

    // Writes the picture as TIFF, atomically: a reader sees the old file or
    // the whole new one, which replaces it. False, with the reason, when
    // anything failed: the system's own words ("No space left on device").
    static bool WriteTiff(const QString& path, const QImage& picture, QString* reason);

    // The file formats a picture may be written in, by their extension: "tif"
    // (the window's), "png", "jpg" (quality 90, transparency flattened on
    // white) and "webp" (quality 90).
    static const QStringList& WritableFormats();
    // The format's name for people ("TIFF", "PNG", ...); empty for an unknown one.
    static QString FormatName(const QString& extension);
    // Writes the picture in one of WritableFormats(), atomically as WriteTiff.
    static bool WritePicture(const QString& path, const QImage& picture, const QString& format,
                             QString* reason);
    // The picture's bytes in one of WritableFormats(), for a SafeFile; empty,
    // with the reason, when it can't be encoded.
    static QByteArray Encoded(const QImage& picture, const QString& format, QString* reason);
    // Writes the bytes as the file at path, atomically as WriteTiff, replacing
    // what is there.
    static bool WriteBytes(const QString& path, const QByteArray& bytes, QString* reason);
};
