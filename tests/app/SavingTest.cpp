// Saving the profile pictures, and saving when the disk says no: every failed
// file says "didn't work!", no partial file is left behind, an existing file
// survives a failed replacement and every file that could be written is whole.
#include "AppHarness.h"
#include "support/LogCapture.h"
#include "support/TestPictures.h"

#include <QDir>
#include <QImageReader>
#include <QImageWriter>
#include <csignal>
#include <gtest/gtest.h>
#include <sys/resource.h>

namespace {

const QString kFailed = QStringLiteral("didn't work!");
const QStringList kAll = {"me.tif",          "me_facebook.tif", "me_google.tif",
                          "me_linkedin.tif", "me_skype.tif",    "me_twitter.tif"};

// The file's picture, decoded as TIFF whatever its name says.
QImage ReadTiff(const QString& path) {
    QImageReader reader(path, "tiff");
    reader.setDecideFormatFromContent(false);
    return reader.read().convertToFormat(QImage::Format_ARGB32);
}

// A window that has made one full run over a 300 x 300 picture, with text.
class Saving : public ::testing::Test {
protected:
    void SetUp() override {
        app.Open(TestPictures::Gradient(300, 300));
        app.Type(QStringLiteral("Hi"));
        ASSERT_TRUE(QDir().mkpath(Out()));
    }
    QString Out(const QString& name = {}) const { return app.Folder() + "/out/" + name; }
    void Save(const QString& name = "me") { app.Controller().sfilePanelDidEnd(Out(name), 1); }
    QStringList Files() const { return TestPictures::Entries(Out()); }
    QImage Shown(const char* preview) const {
        return app.Preview(preview).convertToFormat(QImage::Format_ARGB32);
    }
    // Runs a save with no file allowed beyond 60 KiB, as on a disk that fills midway.
    void SaveWithFileSizeLimit() {
        rlimit before{};
        ASSERT_EQ(getrlimit(RLIMIT_FSIZE, &before), 0);
        const auto previous = std::signal(SIGXFSZ, SIG_IGN);
        rlimit limited = before;
        limited.rlim_cur = 60 * 1024;
        ASSERT_EQ(setrlimit(RLIMIT_FSIZE, &limited), 0);
        Save();
        setrlimit(RLIMIT_FSIZE, &before);
        std::signal(SIGXFSZ, previous);
    }

    AppHarness app;
};

TEST_F(Saving, WritesEachLargestTargetAsShownInOrderAndTheWholePicture) {
    const std::pair<const char*, const char*> files[] = {{"me_facebook.tif", "facebook200"},
                                                         {"me_skype.tif", "skype96"},
                                                         {"me_google.tif", "google96"},
                                                         {"me_linkedin.tif", "linkedin80"},
                                                         {"me_twitter.tif", "twitter73"}};
    LogCapture log;
    Save();
    QStringList written;
    for (const auto& [file, preview] : files) {
        EXPECT_EQ(ReadTiff(Out(file)), Shown(preview)) << file;
        written << Out(file);
    }
    EXPECT_EQ(log.Lines().filter(app.Folder()), written); // the whole picture goes unlogged
    EXPECT_EQ(Files(), kAll);
    EXPECT_EQ(ReadTiff(Out("me.tif")).size(), QSize(512, 512));
    EXPECT_TRUE(QImageWriter::supportedImageFormats().contains("tiff"));
}

TEST_F(Saving, NamesComeFromTheChosenName) {
    for (const char* chosen : {"a.png", "my.photo.jpg"}) {
        Save(QLatin1String(chosen));
        EXPECT_EQ(QImageReader(Out(chosen)).format(), QByteArray("tiff")) << chosen;
    }
    EXPECT_FALSE(ReadTiff(Out("my.photo_facebook.tif")).isNull());
    EXPECT_EQ(Files().size(), 12);
}

TEST_F(Saving, OnlyTheTickedBoxesAreWrittenAndNothingWhenCancelled) {
    for (const char* box :
         {"check_facebook", "check_skype", "check_google", "check_linkedin", "check_original"}) {
        app.Click(box);
    }
    app.Controller().sfilePanelDidEnd(Out("me"), 0);
    EXPECT_TRUE(Files().isEmpty());
    Save();
    EXPECT_EQ(Files(), QStringList{"me_twitter.tif"});
}

TEST_F(Saving, FailedFilesAreLoggedAndDoNotStopTheOthers) {
    ASSERT_TRUE(QDir(Out()).mkdir("me_skype.tif"));
    LogCapture log;
    Save();
    EXPECT_EQ(log.Count(kFailed), 1);
    EXPECT_EQ(Files(), kAll);
    app.Controller().sfilePanelDidEnd(Out("me.tif") + "/me", 1); // a file as folder
    EXPECT_EQ(log.Count(kFailed), 7);
}

TEST_F(Saving, ADiskFullMidwayLeavesOnlyWholeFilesAndKeepsTheOldOnes) {
    QFile old(Out("me_facebook.tif"));
    ASSERT_TRUE(old.open(QIODevice::WriteOnly) && old.write("the previous file") > 0);
    old.close();
    LogCapture log;
    SaveWithFileSizeLimit();
    EXPECT_EQ(log.Count(kFailed), 2); // 200 x 200 and 512 x 512 do not fit
    EXPECT_EQ(Files(), kAll.mid(1));
    for (const QString& name : Files().mid(1)) {
        EXPECT_FALSE(ReadTiff(Out(name)).isNull()) << name.toStdString();
    }
    ASSERT_TRUE(old.open(QIODevice::ReadOnly));
    EXPECT_EQ(old.readAll(), QByteArray("the previous file"));
}

} // namespace
