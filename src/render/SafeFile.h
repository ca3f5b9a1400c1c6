#pragma once

#include <QByteArray>
#include <QString>
#include <compare>

// One file written whole or not at all, for the window's saving and for
// trellica-batch. The bytes first go into a temporary in the file's own folder
// and are flushed to disk; only then does the file get its name, in one step:
// either only where nothing has that name (Claim: an existing file is refused,
// never replaced) or in place of the file there (Replace). The temporary has no
// name at all where the file system allows it (O_TMPFILE), so a killed program
// leaves nothing behind; elsewhere it is ".NAME.part", locked while its writer
// lives, and the next writer of NAME removes one whose writer is gone. Every
// failure carries the system's reason in its own words ("No space left on
// device"). Not for sharing between threads; one object per file.
class SafeFile {
public:
    // Where the bytes wait: unnamed where the file system can, else in
    // ".NAME.part"; or always named, as on a file system without unnamed files.
    enum class Temporary { Unnamed, Named };
    // What a claim did: the file has its name, another file had it, or it failed.
    enum class Claim { Made, Taken, Failed };

    // A file's identity, the same for every name of it (links followed).
    struct Identity {
        quint64 device = 0;
        quint64 inode = 0; // 0: no such file
        auto operator<=>(const Identity&) const = default;
    };

    // Writes the bytes into a temporary beside path; nothing is named yet.
    SafeFile(const QString& path, const QByteArray& bytes,
             Temporary temporary = Temporary::Unnamed);
    // Removes what is left of the temporary; a file that has its name stays.
    ~SafeFile();
    SafeFile(const SafeFile&) = delete;
    SafeFile& operator=(const SafeFile&) = delete;

    const QString& Path() const { return _path; }
    // Whether the bytes are written and waiting for a name.
    bool IsReady() const { return _ready; }
    // The system's words for the last failure (also "File exists" for a taken name).
    const QString& Reason() const { return _reason; }

    // Gives the file its name only where no file (nor link, nor folder) has it.
    Claim ClaimName();
    // Gives the file its name, atomically in place of any file there: a reader
    // sees the old file or the whole new one.
    bool ReplaceName();
    // Takes the name away again, but only while it still names this very file:
    // what another program has put there since stays. True when removed.
    bool Withdraw();

    // A new file at path, never over an existing one; false with the reason.
    static bool Create(const QString& path, const QByteArray& bytes, QString* reason);
    // The file at path, replacing any existing one atomically; false with the reason.
    static bool Write(const QString& path, const QByteArray& bytes, QString* reason);
    // The identity of the file at path; an empty one when there is none.
    static Identity IdentityOf(const QString& path);

private:
    void Fail(int error);
    bool NameTemporary();

    QString _path;
    QByteArray _name;      // the last component of the path, as the system spells it
    QByteArray _temporary; // the temporary's name while it has one
    int _folder = -1;
    int _file = -1;
    bool _ready = false;
    bool _named = false; // the file has its name, through this object
    QString _reason;
};
