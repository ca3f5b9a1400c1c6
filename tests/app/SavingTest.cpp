#include "AppHarness.h"
#include "app/ProfileFiles.h"
#include "app/ProfileTargets.h"
#include "image/ImageTools.h"
#include "support/LogCapture.h"
#include "support/TestPictures.h"

#include <QDir>
#include <QFileDialog>
#include <QImageReader>
#include <QImageWriter>
#include <QSlider>
#include <QTest>
#include <gtest/gtest.h>

namespace {

const QString kFailed = QStringLiteral("didn't work!");

// The folder's entries, sorted, as one line (readable when a test fails).
std::string FilesIn(const QString& folder) {
    return QDir(folder)
        .entryList(QDir::Files | QDir::Dirs | QDir::NoDotAndDotDot, QDir::Name)
        .join(QLatin1Char(' '))
        .toStdString();
}

std::string Sorted(QStringList names) {
    names.sort();
    return names.join(QLatin1Char(' ')).toStdString();
}

// The files a test makes in a folder that held only the opened picture.
QStringList Opened(const QString& folder) {
    return QDir(folder).entryList(QDir::Files | QDir::NoDotAndDotDot);
}

// The file's picture, decoded as TIFF whatever its name says.
QImage ReadTiff(const QString& path) {
    QImageReader reader(path, "tiff");
    reader.setDecideFormatFromContent(false);
    return reader.read();
}

bool SamePixels(const QImage& a, const QImage& b) {
    return a.convertToFormat(QImage::Format_ARGB32) == b.convertToFormat(QImage::Format_ARGB32);
}

// A window that has made one full run over a 300 x 300 picture.
class SavingWindow : public ::testing::Test {
protected:
    void SetUp() override {
        app.Open(TestPictures::Gradient(300, 300));
        app.Click("resetButton");
    }
    QString In(const QString& name) const { return QDir(app.Folder()).filePath(name); }
    void Save(const QString& name) { app.Controller().sfilePanelDidEnd(In(name), 1); }

    AppHarness app;
};

TEST(Saving, QtOffersATiffWriterAndReader) {
    EXPECT_TRUE(QImageWriter::supportedImageFormats().contains("tiff"));
    EXPECT_TRUE(QImageReader::supportedImageFormats().contains("tiff"));
}

TEST_F(SavingWindow, WritesEachLargestTargetAndTheWholePicture) {
    QStringList names = Opened(app.Folder());
    LogCapture log;
    Save(QStringLiteral("me"));
    const struct {
        const char* file;
        const char* preview;
        int side;
    } expected[] = {{"me_facebook.tif", "facebook200", 200},
                    {"me_skype.tif", "skype96", 96},
                    {"me_google.tif", "google96", 96},
                    {"me_linkedin.tif", "linkedin80", 80},
                    {"me_twitter.tif", "twitter73", 73}};
    int previous = -1;
    for (const auto& file : expected) {
        names << QLatin1String(file.file);
        const QImage written = ReadTiff(In(QLatin1String(file.file)));
        EXPECT_EQ(written.size(), QSize(file.side, file.side)) << file.file;
        EXPECT_TRUE(SamePixels(written, app.Preview(file.preview))) << file.file;
        const int at = int(log.Lines().indexOf(In(QLatin1String(file.file))));
        EXPECT_GT(at, previous) << file.file << " logged out of order";
        previous = at;
    }
    EXPECT_EQ(log.Lines().indexOf(In(QStringLiteral("me.tif"))), -1); // not logged, only written
    names << QStringLiteral("me.tif");
    EXPECT_EQ(FilesIn(app.Folder()), Sorted(names));
    const QImage whole = ReadTiff(In(QStringLiteral("me.tif")));
    EXPECT_EQ(whole.size(), QSize(512, 512));
    EXPECT_TRUE(SamePixels(whole, app.Controller().croppedImage()));
    EXPECT_EQ(log.Count(kFailed), 0);
}

struct NameCase {
    const char* chosen;
    const char* facebook;
    const char* whole;
};

class SavingNames : public SavingWindow, public ::testing::WithParamInterface<NameCase> {};

TEST_P(SavingNames, NamesComeFromTheChosenName) {
    Save(QLatin1String(GetParam().chosen));
    EXPECT_FALSE(ReadTiff(In(QLatin1String(GetParam().facebook))).isNull());
    QImageReader whole(In(QLatin1String(GetParam().whole)));
    EXPECT_EQ(whole.format(), QByteArray("tiff")) << "the whole picture holds TIFF data";
    EXPECT_EQ(Opened(app.Folder()).size(), 6 + 1); // and the opened picture
}

INSTANTIATE_TEST_SUITE_P(Chosen, SavingNames,
                         ::testing::Values(NameCase{"me", "me_facebook.tif", "me.tif"},
                                           NameCase{"me.png", "me_facebook.tif", "me.png"},
                                           NameCase{"my.photo.jpg", "my.photo_facebook.tif",
                                                    "my.photo.jpg"}));

TEST(Saving, ExtensionIsTheLastDotOfTheLastComponent) {
    EXPECT_EQ(ProfileFiles::RemoveExtension("/d/me"), "/d/me");
    EXPECT_EQ(ProfileFiles::RemoveExtension("/d/me.png"), "/d/me");
    EXPECT_EQ(ProfileFiles::RemoveExtension("/d/my.photo.jpg"), "/d/my.photo");
    EXPECT_EQ(ProfileFiles::RemoveExtension("/d.old/me"), "/d.old/me");
    EXPECT_EQ(ProfileFiles::OriginalPath("/d/me"), "/d/me.tif");
    EXPECT_EQ(ProfileFiles::OriginalPath("/d/me.png"), "/d/me.png");
    EXPECT_EQ(ProfileFiles::OriginalPath("/d.old/me"), "/d.old/me.tif");
}

TEST_F(SavingWindow, OnlyTheTickedNetworksAreWritten) {
    for (const char* box :
         {"check_facebook", "check_skype", "check_google", "check_linkedin", "check_original"}) {
        app.Click(box);
    }
    QStringList expected = Opened(app.Folder());
    Save(QStringLiteral("me"));
    expected << QStringLiteral("me_twitter.tif");
    EXPECT_EQ(FilesIn(app.Folder()), Sorted(expected));
    EXPECT_EQ(ReadTiff(In(QStringLiteral("me_twitter.tif"))).size(), QSize(73, 73));
}

TEST_F(SavingWindow, CancelledSheetWritesNothing) {
    const std::string before = FilesIn(app.Folder());
    app.Controller().sfilePanelDidEnd(In(QStringLiteral("me")), 0);
    EXPECT_EQ(FilesIn(app.Folder()), before);
}

TEST_F(SavingWindow, UnwritableFolderFailsEveryFileAloud) {
    const QString notAFolder =
        app.WriteFile(QStringLiteral("plain"), TestPictures::Solid(1, 1, Qt::red));
    LogCapture log;
    app.Controller().sfilePanelDidEnd(notAFolder + QStringLiteral("/me"), 1);
    EXPECT_EQ(log.Count(kFailed), 6);
}

TEST_F(SavingWindow, FailedFileDoesNotStopTheOthers) {
    ASSERT_TRUE(QDir(app.Folder()).mkdir(QStringLiteral("me_skype.tif")));
    LogCapture log;
    Save(QStringLiteral("me"));
    EXPECT_EQ(log.Count(kFailed), 1);
    for (const char* name :
         {"me_facebook.tif", "me_google.tif", "me_linkedin.tif", "me_twitter.tif", "me.tif"}) {
        EXPECT_FALSE(ReadTiff(In(QLatin1String(name))).isNull()) << name;
    }
}

TEST(Saving, NothingIsWrittenBeforeTheFirstRun) {
    AppHarness app;
    const QString chosen = QDir(app.Folder()).filePath(QStringLiteral("me"));
    app.Controller().sfilePanelDidEnd(chosen, 1);
    EXPECT_EQ(FilesIn(app.Folder()), "");
}

TEST(Saving, WholePictureCarriesTheTextInProportionToItsWidth) {
    AppHarness app;
    app.Open(TestPictures::Solid(400, 300, QColor(30, 90, 30))); // 512 x 384 processed
    app.Find<QSlider>("textSizeSlider")->setValue(90);           // 9 pt
    QTest::mouseClick(app.Find<QWidget>("positionView"), Qt::LeftButton, {}, QPoint(25, 10));
    app.Type(QStringLiteral("Hi"));
    const QString chosen = QDir(app.Folder()).filePath(QStringLiteral("me"));
    app.Controller().sfilePanelDidEnd(chosen, 1);
    // At 409.6 up on a picture 384 high the text lies wholly above it.
    EXPECT_TRUE(
        SamePixels(ReadTiff(chosen + QStringLiteral(".tif")), app.Controller().croppedImage()));
}

TEST_F(SavingWindow, NetworkFilesCarryTheTextAsPreviewed) {
    app.Type(QStringLiteral("Hi"));
    Save(QStringLiteral("me"));
    const QImage preview = app.Preview("facebook200");
    EXPECT_TRUE(SamePixels(ReadTiff(In(QStringLiteral("me_facebook.tif"))), preview));
    EXPECT_FALSE(
        SamePixels(preview, ImageTools::ScaleImage(app.Controller().croppedImage(), {200, 300})));
}

TEST_F(SavingWindow, SaveButtonOpensAWindowModalSheet) {
    app.Click("saveButton");
    auto* sheet = app.Window()->findChild<QFileDialog*>();
    ASSERT_NE(sheet, nullptr);
    EXPECT_TRUE(sheet->isVisible());
    EXPECT_EQ(sheet->windowModality(), Qt::WindowModal);
    EXPECT_EQ(sheet->acceptMode(), QFileDialog::AcceptSave);
    sheet->selectFile(In(QStringLiteral("sheet")));
    QMetaObject::invokeMethod(sheet, "accept");
    EXPECT_FALSE(ReadTiff(In(QStringLiteral("sheet_google.tif"))).isNull());
    EXPECT_FALSE(ReadTiff(In(QStringLiteral("sheet.tif"))).isNull());
}

} // namespace
