// Opening what cameras write and what they don't: large photos are held at a
// reduced scale yet keep their aspect and report their own size; pipes,
// folders and devices are refused at once (a blocking open would hang here);
// the status bar says what happened.
#include "AppHarness.h"
#include "image/PictureReader.h"
#include "support/TestPictures.h"
#include "views/CropImageView.h"

#include <QDir>
#include <QImageWriter>
#include <QLabel>
#include <QPainter>
#include <QTest>
#include <QUndoStack>
#include <gtest/gtest.h>
#include <sys/stat.h>

namespace {

// Files made once per run and kept for every test that asks for them.
QString In(const char* name) {
    static const QTemporaryDir folder;
    return folder.filePath(QString::fromLatin1(name));
}

// A photo of that size, left half red and right half blue, as a JPEG of low
// quality so that even 108 MP stay small on disk.
QString Photo(const char* name, int width, int height) {
    if (!QFileInfo::exists(In(name))) {
        QImage picture(width, height, QImage::Format_RGB32);
        picture.fill(Qt::red);
        QPainter(&picture).fillRect(width / 2, 0, width - width / 2, height, Qt::blue);
        QImageWriter writer(In(name), "jpeg");
        writer.setQuality(5);
        EXPECT_TRUE(writer.write(picture)) << writer.errorString().toStdString();
    }
    return In(name);
}

struct FileCase {
    const char* name;
    QString (*make)();
    const char* status;
    QSize photo; // empty when the file is refused
    friend void PrintTo(const FileCase& c, std::ostream* out) { *out << c.name; }
};

// clang-format off
const FileCase kFiles[] = {
    {"FullFrame45MP", [] { return Photo("full frame.jpg", 8192, 5464); },
     "full frame.jpg — 8192 × 5464 pixels", {8192, 5464}},
    {"Phone108MP", [] { return Photo("phone.jpg", 12000, 9000); },
     "phone.jpg — 12000 × 9000 pixels", {12000, 9000}},
    {"NamedPipe", [] { mkfifo(QFile::encodeName(In("pipe.jpg")).constData(), 0600); return In("pipe.jpg"); },
     "Could not open pipe.jpg: not a picture file", {}},
    {"Folder", [] { QDir().mkpath(In("folder.png")); return In("folder.png"); },
     "Could not open folder.png: not a picture file", {}},
    {"DevZero", [] { return QStringLiteral("/dev/zero"); }, "Could not open zero: not a picture file", {}},
    {"Text", [] { return TestPictures::Written(In("notes"), "just some words\n"); },
     "Could not open notes: unsupported type", {}},
    {"CutShort", [] { return TestPictures::Written(In("cut.jpg"), QByteArray("\xFF\xD8\xFF\xE0", 4)); },
     "Could not open cut.jpg: damaged file", {}},
};
// clang-format on

class OpeningFiles : public ::testing::TestWithParam<FileCase> {};

TEST_P(OpeningFiles, ShowThePhotoOrSayWhyNot) {
    const FileCase& c = GetParam();
    AppHarness app;
    app.OpenFile(c.make());
    EXPECT_EQ(app.Status(), QString::fromUtf8(c.status));
    const QImage shown = app.Find<CropImageView>("baseImageView")->image();
    if (c.photo.isEmpty()) {
        EXPECT_TRUE(shown.isNull() && app.Controller().theImage().isNull());
        return;
    }
    const double aspect = double(c.photo.width()) / c.photo.height();
    EXPECT_NEAR(double(shown.width()) / shown.height(), aspect, 0.001);
    EXPECT_LE(qint64(shown.width()) * shown.height(), PictureReader::kPixelBudget);
    app.Click("resetButton");
    const QImage preview = app.Preview("facebook200");
    EXPECT_NEAR(double(preview.width()) / preview.height(), aspect, 0.02);
    EXPECT_EQ(TestPictures::PixelAt(preview, preview.width() / 4, preview.height() / 2).hue(), 0);
    EXPECT_EQ(TestPictures::PixelAt(preview, 3 * preview.width() / 4, 10).hue(), 240);
    // Half the view's width, square in points: half the photo's width each way.
    QWidget* view = app.Find<QWidget>("baseImageView");
    QTest::mouseClick(view, Qt::LeftButton, {}, QPoint(0, 100));
    QTest::mouseMove(view, QPoint(view->width() / 2, 100 + view->width() / 2));
    QTest::mouseClick(view, Qt::LeftButton, {}, QPoint(view->width() / 2, 100 + view->width() / 2));
    const QString half = QString::number(c.photo.width() / 2);
    EXPECT_EQ(app.Find<QLabel>("photoPixels")->text(),
              QStringLiteral("%1 × %1 px of the photo").arg(half));
}

INSTANTIATE_TEST_SUITE_P(Files, OpeningFiles, ::testing::ValuesIn(kFiles),
                         [](const auto& info) { return std::string(info.param.name); });

// The sheet's completion returns while the photo is read; a second open
// supersedes the first, which leaves no picture and no undo step behind.
TEST(Opening, ReadsOffTheWindowAndTheLaterOpenWins) {
    AppHarness app;
    const int steps = app.Controller().UndoStack()->count();
    app.Controller().filePanelDidEnd(Photo("big.jpg", 8000, 6000), 1);
    EXPECT_EQ(app.Status(), QStringLiteral("Opening big.jpg…"));
    app.Controller().filePanelDidEnd(Photo("small.jpg", 64, 48), 1);
    ASSERT_TRUE(app.ReadingDone());
    EXPECT_EQ(app.Status(), QStringLiteral("small.jpg — 64 × 48 pixels"));
    EXPECT_EQ(app.Controller().theImage().size(), QSize(64, 48));
    EXPECT_EQ(app.Controller().UndoStack()->count(), steps + 1);
}

TEST(SaveStatus, CountsTheFilesWrittenAndNamesEachFailure) {
    AppHarness app;
    app.Open(TestPictures::Gradient(300, 200));
    app.Click("resetButton");
    app.Controller().sfilePanelDidEnd(app.Folder() + QStringLiteral("/me"), 1);
    EXPECT_EQ(app.Status(), QStringLiteral("Saved 6 files to ") + app.Folder());
    // A folder in the way of one file: that one fails, the others are written.
    const QString out = app.Folder() + QStringLiteral("/out");
    ASSERT_TRUE(QDir().mkpath(out + QStringLiteral("/me_skype.tif")));
    app.Controller().sfilePanelDidEnd(out + QStringLiteral("/me"), 1);
    EXPECT_TRUE(
        app.Status().startsWith(QStringLiteral("Could not save me_skype.tif: Is a directory · ")));
    EXPECT_TRUE(app.Status().endsWith(QStringLiteral(" · Saved 5 files to ") + out));
}

} // namespace
