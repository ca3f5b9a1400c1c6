#include "AppHarness.h"
#include "render/ProfileFiles.h"
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

// The folder's files, sorted, plus the given names (readable when a test fails).
QStringList FilesIn(const QString& folder, QStringList more = {}) {
    more << QDir(folder).entryList(QDir::Files | QDir::Dirs | QDir::NoDotAndDotDot);
    more.sort();
    return more;
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

TEST_F(SavingWindow, WritesEachLargestTargetInOrderAndTheWholePicture) {
    const struct {
        const char* file;
        const char* preview;
        int side;
    } expected[] = {{"me_facebook.tif", "facebook200", 200},
                    {"me_skype.tif", "skype96", 96},
                    {"me_google.tif", "google96", 96},
                    {"me_linkedin.tif", "linkedin80", 80},
                    {"me_twitter.tif", "twitter73", 73}};
    QStringList names{QStringLiteral("me.tif")};
    for (const auto& file : expected) {
        names << QLatin1String(file.file);
    }
    const QStringList after = FilesIn(app.Folder(), names);
    LogCapture log;
    Save(QStringLiteral("me"));
    QStringList written;
    for (const auto& file : expected) {
        const QImage picture = ReadTiff(In(QLatin1String(file.file)));
        EXPECT_EQ(picture.size(), QSize(file.side, file.side)) << file.file;
        EXPECT_TRUE(SamePixels(picture, app.Preview(file.preview))) << file.file;
        written << In(QLatin1String(file.file));
    }
    EXPECT_EQ(log.Lines().filter(app.Folder()),
              written); // in this order; the whole picture is written unlogged
    EXPECT_EQ(FilesIn(app.Folder()), after);
    const QImage whole = ReadTiff(In(QStringLiteral("me.tif")));
    EXPECT_EQ(whole.size(), QSize(512, 512));
    EXPECT_TRUE(SamePixels(whole, app.Controller().croppedImage()));
}

struct NameCase {
    const char* chosen;
    const char* facebook;
    const char* whole;
};

class SavingNames : public SavingWindow, public ::testing::WithParamInterface<NameCase> {};

TEST_P(SavingNames, NamesComeFromTheChosenName) {
    const QStringList before = FilesIn(app.Folder());
    Save(QLatin1String(GetParam().chosen));
    EXPECT_FALSE(ReadTiff(In(QLatin1String(GetParam().facebook))).isNull());
    QImageReader whole(In(QLatin1String(GetParam().whole)));
    EXPECT_EQ(whole.format(), QByteArray("tiff")) << "the whole picture holds TIFF data";
    EXPECT_EQ(FilesIn(app.Folder()).size(), before.size() + 6);
}

INSTANTIATE_TEST_SUITE_P(Chosen, SavingNames,
                         ::testing::Values(NameCase{"me", "me_facebook.tif", "me.tif"},
                                           NameCase{"me.png", "me_facebook.tif", "me.png"},
                                           NameCase{"my.photo.jpg", "my.photo_facebook.tif",
                                                    "my.photo.jpg"}));

// A missing image plugin must fail loudly, not write empty files.
TEST(Saving, QtOffersATiffWriter) {
    EXPECT_TRUE(QImageWriter::supportedImageFormats().contains("tiff"));
}

TEST(Saving, ADotInTheFolderIsNoExtension) {
    EXPECT_EQ(ProfileFiles::RemoveExtension("/d.old/me"), "/d.old/me");
    EXPECT_EQ(ProfileFiles::OriginalPath("/d.old/me"), "/d.old/me.tif");
}

TEST_F(SavingWindow, OnlyTheTickedNetworksAreWritten) {
    for (const char* box :
         {"check_facebook", "check_skype", "check_google", "check_linkedin", "check_original"}) {
        app.Click(box);
    }
    const QStringList expected = FilesIn(app.Folder(), {QStringLiteral("me_twitter.tif")});
    Save(QStringLiteral("me"));
    EXPECT_EQ(FilesIn(app.Folder()), expected);
    EXPECT_EQ(ReadTiff(In(QStringLiteral("me_twitter.tif"))).size(), QSize(73, 73));
}

TEST_F(SavingWindow, FailedFilesAreLoggedAndDoNotStopTheOthers) {
    const QString notAFolder =
        app.WriteFile(QStringLiteral("plain"), TestPictures::Solid(1, 1, Qt::red));
    LogCapture log;
    app.Controller().sfilePanelDidEnd(notAFolder + QStringLiteral("/me"), 1);
    EXPECT_EQ(log.Count(kFailed), 6);

    ASSERT_TRUE(QDir(app.Folder()).mkdir(QStringLiteral("me_skype.tif")));
    log.Clear();
    Save(QStringLiteral("me"));
    EXPECT_EQ(log.Count(kFailed), 1);
    for (const char* name :
         {"me_facebook.tif", "me_google.tif", "me_linkedin.tif", "me_twitter.tif", "me.tif"}) {
        EXPECT_FALSE(ReadTiff(In(QLatin1String(name))).isNull()) << name;
    }
}

TEST(Saving, NothingIsWrittenBeforeTheFirstRunOrWhenCancelled) {
    AppHarness app;
    const QString chosen = QDir(app.Folder()).filePath(QStringLiteral("me"));
    app.Controller().sfilePanelDidEnd(chosen, 1);
    EXPECT_TRUE(FilesIn(app.Folder()).isEmpty());
    app.Open(TestPictures::Gradient(30, 30));
    app.Click("resetButton");
    const QStringList before = FilesIn(app.Folder());
    app.Controller().sfilePanelDidEnd(chosen, 0);
    EXPECT_EQ(FilesIn(app.Folder()), before);
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
