// Saving the profile pictures, and saving when the disk says no: every failed
// file says "didn't work!", no partial file is left behind, an existing file
// survives a failed replacement and every file that could be written is whole.
#include "AppHarness.h"
#include "support/LogCapture.h"
#include "support/TestPictures.h"

#include <QDir>
#include <QRegularExpression>
#include <csignal>
#include <gtest/gtest.h>
#include <sys/resource.h>

namespace {

const QString kFailed = QStringLiteral("didn't work!");
const QStringList kAll = {"me.tif",          "me_facebook.tif", "me_google.tif",
                          "me_linkedin.tif", "me_skype.tif",    "me_twitter.tif"};

// The file's (or the picture's) pixels, comparable.
QImage Pixels(const QImage& picture) {
    return picture.convertToFormat(QImage::Format_ARGB32);
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

    AppHarness app;
};

TEST_F(Saving, WritesEachLargestTargetAsShownInOrderAndTheWholePicture) {
    const QStringList previews{"facebook200", "skype96", "google96", "linkedin80", "twitter73"};
    LogCapture log;
    Save();
    QStringList written;
    for (const QString& preview : previews) {
        written << Out("me_" + QString(preview).remove(QRegularExpression("\\d")) + ".tif");
        EXPECT_EQ(Pixels(QImage(written.last())), Pixels(app.Preview(preview.toLatin1())));
    }
    EXPECT_EQ(log.Lines().filter(app.Folder()), written); // the whole picture goes unlogged
    EXPECT_EQ(Files(), kAll);
    EXPECT_EQ(QImage(Out("me.tif")).size(), QSize(512, 512));
}

// Names come from the chosen name; only ticked boxes are written, nothing when cancelled.
TEST_F(Saving, OnlyTheTickedBoxesAreWrittenUnderTheChosenName) {
    for (const char* box :
         {"check_facebook", "check_skype", "check_google", "check_linkedin", "check_original"}) {
        app.Click(box);
    }
    app.Controller().sfilePanelDidEnd(Out("me"), 0);
    EXPECT_TRUE(Files().isEmpty());
    Save();
    EXPECT_EQ(Files(), QStringList{"me_twitter.tif"});
    Save(QStringLiteral("my.photo.jpg"));
    EXPECT_FALSE(QImage(Out("my.photo_twitter.tif")).isNull());
}

TEST_F(Saving, FailedFilesAreLoggedAndDoNotStopTheOthers) {
    ASSERT_TRUE(QDir(Out()).mkdir("me_skype.tif"));
    LogCapture log;
    Save();
    EXPECT_EQ(log.Count(kFailed), 1);
    EXPECT_EQ(Files(), kAll);
}

TEST_F(Saving, ADiskFullMidwayLeavesOnlyWholeFilesAndKeepsTheOldOnes) {
    QFile old(Out("me_facebook.tif"));
    ASSERT_TRUE(old.open(QIODevice::WriteOnly) && old.write("the previous file") > 0);
    old.close();
    LogCapture log;
    rlimit before{}; // no file beyond 60 KiB, as on a disk that fills midway
    ASSERT_EQ(getrlimit(RLIMIT_FSIZE, &before), 0);
    const auto previous = std::signal(SIGXFSZ, SIG_IGN);
    rlimit limited{60 * 1024, before.rlim_max};
    ASSERT_EQ(setrlimit(RLIMIT_FSIZE, &limited), 0);
    Save();
    setrlimit(RLIMIT_FSIZE, &before);
    std::signal(SIGXFSZ, previous);
    EXPECT_EQ(log.Count(kFailed), 2); // 200 x 200 and 512 x 512 do not fit
    EXPECT_TRUE(app.Status().startsWith("Could not save me_facebook.tif: File too large · "));
    EXPECT_EQ(Files(), kAll.mid(1));
    for (const QString& name : Files().mid(1)) {
        EXPECT_FALSE(QImage(Out(name)).isNull()) << name.toStdString();
    }
    ASSERT_TRUE(old.open(QIODevice::ReadOnly));
    EXPECT_EQ(old.readAll(), QByteArray("the previous file"));
}

} // namespace
