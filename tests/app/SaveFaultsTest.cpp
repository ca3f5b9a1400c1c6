// Saving when the disk says no: a read-only folder, a full file system, a file
// size limit. Every failed file says "didn't work!", no partial file is ever left
// behind, and every file that could be written is whole.
#include "AppHarness.h"
#include "support/LogCapture.h"
#include "support/TestPictures.h"

#include <QDir>
#include <QFile>
#include <QImageReader>
#include <QProcess>
#include <csignal>
#include <gtest/gtest.h>
#include <sys/mount.h>
#include <sys/resource.h>
#include <unistd.h>

namespace {

const QString kFailed = QStringLiteral("didn't work!");
const QStringList kAllFiles = {"me_facebook.tif", "me_skype.tif",   "me_google.tif",
                               "me_linkedin.tif", "me_twitter.tif", "me.tif"};

// A window that has made one full run over a 300 x 300 picture, saving into
// a folder of the test's choosing.
class SaveFaults : public ::testing::Test {
protected:
    void SetUp() override {
        app.Open(TestPictures::Gradient(300, 300));
        app.Click("resetButton");
        ASSERT_TRUE(QDir().mkpath(Target()));
    }
    QString Target() const { return QDir(app.Folder()).filePath(QStringLiteral("out")); }
    void Save() { app.Controller().sfilePanelDidEnd(QDir(Target()).filePath("me"), 1); }

    // Whatever is in the target folder: each entry a whole TIFF file; the number
    // of entries that are missing equals the number of failures logged.
    void ExpectWholeFilesOrNone(const LogCapture& log) {
        const QStringList present =
            QDir(Target()).entryList(QDir::AllEntries | QDir::NoDotAndDotDot);
        for (const QString& name : present) {
            EXPECT_TRUE(kAllFiles.contains(name)) << "left behind: " << name.toStdString();
            QImageReader reader(QDir(Target()).filePath(name), "tiff");
            EXPECT_FALSE(reader.read().isNull()) << "not a whole picture: " << name.toStdString();
        }
        EXPECT_EQ(log.Count(kFailed), int(kAllFiles.size() - present.size()));
    }

    AppHarness app;
};

// Mounts a small tmpfs on the folder for the test's life (needs root).
class SmallFileSystem {
public:
    SmallFileSystem(const QString& folder, const char* options) : _folder(folder) {
        _mounted = geteuid() == 0 &&
                   mount("tmpfs", QFile::encodeName(folder).constData(), "tmpfs", 0, options) == 0;
    }
    ~SmallFileSystem() {
        if (_mounted) {
            umount2(QFile::encodeName(_folder).constData(), MNT_DETACH);
        }
    }
    bool Mounted() const { return _mounted; }

private:
    QString _folder;
    bool _mounted = false;
};

TEST_F(SaveFaults, ReadOnlyFolderFailsEveryFileAndLeavesNothing) {
    // Root writes through permission bits, so as root the folder becomes a
    // read-only file system instead.
    SmallFileSystem readOnly(Target(), "size=1m");
    if (readOnly.Mounted()) {
        ASSERT_EQ(mount(nullptr, QFile::encodeName(Target()).constData(), nullptr,
                        MS_REMOUNT | MS_RDONLY, nullptr),
                  0);
    } else if (geteuid() == 0) {
        GTEST_SKIP() << "this machine lets root neither mount nor be refused";
    } else {
        ASSERT_TRUE(QFile::setPermissions(Target(), QFile::ReadOwner | QFile::ExeOwner));
    }
    LogCapture log;
    Save();
    EXPECT_EQ(log.Count(kFailed), 6);
    EXPECT_TRUE(QDir(Target()).isEmpty());
    QFile::setPermissions(Target(), QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
}

TEST_F(SaveFaults, FullFileSystemLeavesOnlyWholeFiles) {
    // Room for the two smallest pictures at most: the others run out of space mid-file.
    SmallFileSystem small(Target(), "size=64k");
    if (!small.Mounted()) {
        GTEST_SKIP() << "mounting a small file system needs root";
    }
    LogCapture log;
    Save();
    EXPECT_GE(log.Count(kFailed), 3);
    ExpectWholeFilesOrNone(log);
}

TEST_F(SaveFaults, FileSizeLimitFailsTheLargeFilesOnly) {
    // The process may write no file larger than the limit: the write fails midway,
    // exactly as on a full disk, on any machine and for any user.
    constexpr rlim_t kLimit = 60 * 1024;
    rlimit before{};
    ASSERT_EQ(getrlimit(RLIMIT_FSIZE, &before), 0);
    const auto previousHandler = std::signal(SIGXFSZ, SIG_IGN);
    rlimit limited = before;
    limited.rlim_cur = kLimit;
    ASSERT_EQ(setrlimit(RLIMIT_FSIZE, &limited), 0);
    LogCapture log;
    Save();
    setrlimit(RLIMIT_FSIZE, &before);
    std::signal(SIGXFSZ, previousHandler);

    ExpectWholeFilesOrNone(log);
    const QStringList present = QDir(Target()).entryList(QDir::Files);
    EXPECT_FALSE(present.contains("me_facebook.tif")); // 200 x 200 does not fit
    EXPECT_FALSE(present.contains("me.tif"));          // 512 x 512 does not fit
    EXPECT_TRUE(present.contains("me_twitter.tif"));   // 73 x 73 does
}

TEST_F(SaveFaults, ExistingFileSurvivesAFailedReplacement) {
    const QString facebook = QDir(Target()).filePath("me_facebook.tif");
    {
        QFile old(facebook);
        ASSERT_TRUE(old.open(QIODevice::WriteOnly));
        old.write("the previous file");
    }
    rlimit before{};
    ASSERT_EQ(getrlimit(RLIMIT_FSIZE, &before), 0);
    const auto previousHandler = std::signal(SIGXFSZ, SIG_IGN);
    rlimit limited = before;
    limited.rlim_cur = 60 * 1024;
    ASSERT_EQ(setrlimit(RLIMIT_FSIZE, &limited), 0);
    Save();
    setrlimit(RLIMIT_FSIZE, &before);
    std::signal(SIGXFSZ, previousHandler);

    QFile kept(facebook);
    ASSERT_TRUE(kept.open(QIODevice::ReadOnly));
    EXPECT_EQ(kept.readAll(), QByteArray("the previous file"));
}

} // namespace
