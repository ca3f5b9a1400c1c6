#include "render/SafeFile.h"

#include <QCryptographicHash>
#include <QFile>
#include <QFileInfo>
#include <QRandomGenerator>
#include <cerrno>
#include <climits>
#include <cstdio>
#include <cstring>
#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

namespace {

constexpr char kPartSuffix[] = ".part";
// Names tried for a named temporary: ".NAME.part", then with a random tail
// while other writers of the same name hold those.
constexpr int kAttempts = 8;
constexpr int kRandomLetters = 6;
// A name too long to take the suffix keeps its start and this much of a hash.
constexpr qsizetype kHashDigits = 16;
constexpr mode_t kNewFileMode = 0666; // less the umask, as any new file
constexpr mode_t kPermissionBits = 07777;

QString SystemReason(int error) {
    char buffer[256];
    return QString::fromLocal8Bit(strerror_r(error, buffer, sizeof buffer));
}

QByteArray RandomLetters() {
    static constexpr char kLetters[] = "abcdefghijklmnopqrstuvwxyz0123456789";
    QByteArray letters(kRandomLetters, '\0');
    for (char& letter : letters) {
        letter = kLetters[QRandomGenerator::global()->bounded(int(sizeof kLetters) - 1)];
    }
    return letters;
}

// The temporary of a file name: ".NAME.part" on the first attempt, with a
// random tail after it on the others. The same for every program that writes
// NAME, so that any of them finds what a killed one left.
QByteArray TemporaryName(const QByteArray& name, int attempt) {
    const QByteArray tail =
        attempt == 0 ? QByteArray(kPartSuffix) : kPartSuffix + ('-' + RandomLetters());
    const qsizetype room = NAME_MAX - 1 - tail.size();
    if (name.size() <= room) {
        return '.' + name + tail;
    }
    const QByteArray hash =
        QCryptographicHash::hash(name, QCryptographicHash::Sha1).toHex().left(kHashDigits);
    return '.' + name.left(room - kHashDigits - 1) + '~' + hash + tail;
}

bool SameFile(const struct stat& a, const struct stat& b) {
    return a.st_dev == b.st_dev && a.st_ino == b.st_ino;
}

// Whether name in the folder is (still) the file open as file.
bool Names(int folder, const QByteArray& name, int file) {
    struct stat named {};
    struct stat open {};
    return fstatat(folder, name.constData(), &named, AT_SYMLINK_NOFOLLOW) == 0 &&
           fstat(file, &open) == 0 && SameFile(named, open);
}

// Locks the open temporary for as long as it stays open. A file system without
// locks writes unlocked: no writer can then take a temporary for a stale one.
bool Lock(int file) {
    return flock(file, LOCK_EX | LOCK_NB) == 0 || errno == ENOLCK || errno == EOPNOTSUPP ||
           errno == EINVAL;
}

// Removes the temporary when no living writer holds it: its writer was killed.
void RemoveIfStale(int folder, const QByteArray& temporary) {
    const int file =
        openat(folder, temporary.constData(), O_RDWR | O_CLOEXEC | O_NOFOLLOW | O_NONBLOCK);
    if (file < 0) {
        return;
    }
    struct stat status {};
    if (fstat(file, &status) == 0 && S_ISREG(status.st_mode) &&
        flock(file, LOCK_EX | LOCK_NB) == 0 && Names(folder, temporary, file)) {
        unlinkat(folder, temporary.constData(), 0);
    }
    close(file);
}

// A new named temporary for name, locked; -1 with errno when none can be made.
int OpenNamedTemporary(int folder, const QByteArray& name, QByteArray* temporary) {
    for (int attempt = 0; attempt < kAttempts; ++attempt) {
        *temporary = TemporaryName(name, attempt);
        if (attempt == 0) {
            RemoveIfStale(folder, *temporary);
        }
        const int file = openat(folder, temporary->constData(),
                                O_CREAT | O_EXCL | O_RDWR | O_CLOEXEC | O_NOFOLLOW, kNewFileMode);
        if (file < 0 && errno != EEXIST) {
            return -1;
        }
        // Another writer's stale check may take a new file before it is locked.
        if (file >= 0 && Lock(file) && Names(folder, *temporary, file)) {
            return file;
        }
        if (file >= 0) {
            close(file);
        }
    }
    temporary->clear();
    errno = EEXIST;
    return -1;
}

// Whether a failed O_TMPFILE means the file system has no unnamed files.
bool NoUnnamedFiles(int error) {
    return error == EOPNOTSUPP || error == EISDIR || error == EINVAL;
}

bool WriteAll(int file, const QByteArray& bytes) {
    const char* next = bytes.constData();
    qsizetype left = bytes.size();
    while (left > 0) {
        const ssize_t written = write(file, next, size_t(left));
        if (written < 0 && errno == EINTR) {
            continue;
        }
        if (written <= 0) {
            errno = written == 0 ? ENOSPC : errno;
            return false;
        }
        next += written;
        left -= written;
    }
    return fsync(file) == 0;
}

// Gives an unnamed file a name where none is; 0, or -1 with errno.
int LinkUnnamed(int file, int folder, const QByteArray& name) {
    const QByteArray self = "/proc/self/fd/" + QByteArray::number(file);
    if (linkat(AT_FDCWD, self.constData(), folder, name.constData(), AT_SYMLINK_FOLLOW) == 0) {
        return 0;
    }
    if (errno != ENOENT || access("/proc/self/fd", F_OK) == 0) {
        return -1;
    }
    return linkat(file, "", folder, name.constData(), AT_EMPTY_PATH);
}

// Renames from to to only where nothing has that name; a file system without
// the flag (NFS, CIFS) makes a hard link instead, which never replaces either.
bool RenameNoReplace(int folder, const QByteArray& from, const QByteArray& to) {
    if (renameat2(folder, from.constData(), folder, to.constData(), RENAME_NOREPLACE) == 0) {
        return true;
    }
    if (errno != EINVAL && errno != ENOSYS && errno != EOPNOTSUPP) {
        return false;
    }
    if (linkat(folder, from.constData(), folder, to.constData(), 0) != 0) {
        return false;
    }
    unlinkat(folder, from.constData(), 0);
    return true;
}

} // namespace

SafeFile::SafeFile(const QString& path, const QByteArray& bytes, Temporary temporary)
    : _path(path) {
    const QFileInfo info(path);
    _name = QFile::encodeName(info.fileName());
    if (_name.isEmpty()) {
        Fail(EISDIR);
        return;
    }
    _folder = open(QFile::encodeName(info.path()).constData(), O_PATH | O_DIRECTORY | O_CLOEXEC);
    if (_folder < 0) {
        Fail(errno);
        return;
    }
    if (temporary == Temporary::Unnamed) {
        RemoveIfStale(_folder, TemporaryName(_name, 0));
        _file = openat(_folder, ".", O_TMPFILE | O_RDWR | O_CLOEXEC, kNewFileMode);
        if (_file >= 0) {
            Lock(_file);
        }
    }
    if (_file < 0 && (temporary == Temporary::Named || NoUnnamedFiles(errno))) {
        _file = OpenNamedTemporary(_folder, _name, &_temporary);
    }
    if (_file < 0 || !WriteAll(_file, bytes)) {
        Fail(errno);
        return;
    }
    _ready = true;
}

SafeFile::~SafeFile() {
    if (!_temporary.isEmpty() && Names(_folder, _temporary, _file)) {
        unlinkat(_folder, _temporary.constData(), 0);
    }
    if (_file >= 0) {
        close(_file);
    }
    if (_folder >= 0) {
        close(_folder);
    }
}

void SafeFile::Fail(int error) {
    _ready = false;
    _reason = SystemReason(error);
}

SafeFile::Claim SafeFile::ClaimName() {
    if (!_ready) {
        return Claim::Failed;
    }
    const bool named = _temporary.isEmpty() ? LinkUnnamed(_file, _folder, _name) == 0
                                            : RenameNoReplace(_folder, _temporary, _name);
    if (!named) {
        const int error = errno;
        Fail(error);
        return error == EEXIST ? Claim::Taken : Claim::Failed;
    }
    _temporary.clear();
    _ready = false;
    _named = true;
    return Claim::Made;
}

// An unnamed file gets a temporary name to be renamed from (a stale one is
// gone since the file was made).
bool SafeFile::NameTemporary() {
    for (int attempt = 0; attempt < kAttempts; ++attempt) {
        const QByteArray temporary = TemporaryName(_name, attempt);
        if (LinkUnnamed(_file, _folder, temporary) == 0) {
            _temporary = temporary;
            return true;
        }
        if (errno != EEXIST) {
            return false;
        }
    }
    errno = EEXIST;
    return false;
}

bool SafeFile::ReplaceName() {
    if (!_ready) {
        return false;
    }
    // The replaced file's permissions stay.
    struct stat replaced {};
    if (fstatat(_folder, _name.constData(), &replaced, 0) == 0 && S_ISREG(replaced.st_mode)) {
        fchmod(_file, replaced.st_mode & kPermissionBits);
    }
    if ((_temporary.isEmpty() && !NameTemporary()) ||
        renameat(_folder, _temporary.constData(), _folder, _name.constData()) != 0) {
        Fail(errno);
        return false;
    }
    _temporary.clear();
    _ready = false;
    _named = true;
    return true;
}

bool SafeFile::Withdraw() {
    if (!_named || !Names(_folder, _name, _file)) {
        return false;
    }
    _named = false;
    return unlinkat(_folder, _name.constData(), 0) == 0;
}

bool SafeFile::Create(const QString& path, const QByteArray& bytes, QString* reason) {
    SafeFile file(path, bytes);
    if (file.ClaimName() == Claim::Made) {
        return true;
    }
    *reason = file.Reason();
    return false;
}

bool SafeFile::Write(const QString& path, const QByteArray& bytes, QString* reason) {
    SafeFile file(path, bytes);
    if (file.ReplaceName()) {
        return true;
    }
    *reason = file.Reason();
    return false;
}

SafeFile::Identity SafeFile::IdentityOf(const QString& path) {
    struct stat status {};
    if (stat(QFile::encodeName(path).constData(), &status) != 0) {
        return Identity();
    }
    return Identity{quint64(status.st_dev), quint64(status.st_ino)};
}
