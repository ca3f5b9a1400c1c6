#include "image/QuorelImage.h"
#include "support/LogCapture.h"
#include "support/TestPictures.h"

#include <QImageWriter>
#include <QTemporaryDir>
#include <QUrl>
#include <QtEndian>
#include <functional>
#include <gtest/gtest.h>

namespace {

using TestPictures::Encoded;

// A picture file whose header claims 100000 x 100000 pixels, far over the bound.
QByteArray HugeBmpHeader() {
    QByteArray bmp = Encoded(TestPictures::Solid(1, 1, Qt::red), "bmp");
    qToLittleEndian<qint32>(100000, bmp.data() + 18); // width, then height
    qToLittleEndian<qint32>(100000, bmp.data() + 22);
    return bmp;
}

struct BadFile {
    const char* name;
    const char* fileName;
    std::function<QByteArray()> contents; // null: the file is not created
    friend void PrintTo(const BadFile& c, std::ostream* out) { *out << c.name; }
};

class PictureFilesBad : public testing::TestWithParam<BadFile> {};

TEST_P(PictureFilesBad, GiveNoImageAndSayImageIsNull) {
    QTemporaryDir dir;
    const BadFile c = GetParam();
    const QString path = dir.filePath(c.fileName);
    if (c.contents) {
        TestPictures::Written(path, c.contents());
    }
    LogCapture log;
    EXPECT_EQ(QuorelImage::InitWithPath(path), nullptr);
    EXPECT_TRUE(log.Contains("Image is Null")) << log.Lines().join("\n").toStdString();
    EXPECT_EQ(QuorelImage::InitWithURL(QUrl::fromLocalFile(path)), nullptr);
}

INSTANTIATE_TEST_SUITE_P(
    Inputs, PictureFilesBad,
    testing::Values(BadFile{"Missing", "missing.png", nullptr},
                    BadFile{"Empty", "empty.png", [] { return QByteArray(); }},
                    BadFile{"TruncatedPng", "cut.png",
                            [] { return Encoded(TestPictures::Gradient(64, 64), "png").left(60); }},
                    BadFile{"TextNamedJpeg", "notes.jpg",
                            [] { return QByteArray("just some words\n"); }},
                    BadFile{"HugeHeader", "huge.bmp", HugeBmpHeader}),
    [](const testing::TestParamInfo<BadFile>& info) { return std::string(info.param.name); });

TEST(PictureFiles, NoPathOrARemoteUrlGivesNoImageAndATaggedPhotoStandsUpright) {
    EXPECT_EQ(QuorelImage::InitWithPath(QString()), QuorelImage::InitWithURL(QUrl()));
    LogCapture log;
    EXPECT_EQ(QuorelImage::InitWithURL(QUrl("http://127.0.0.1:9/picture.png")), nullptr);
    EXPECT_TRUE(log.Contains("Image is Null"));
    QTemporaryDir dir;
    QImageWriter writer(dir.filePath("phone.jpg"), "jpg");
    writer.setTransformation(QImageIOHandler::TransformationRotate90);
    ASSERT_TRUE(writer.write(TestPictures::Solid(40, 20, Qt::green)));
    auto photo = QuorelImage::InitWithURL(QUrl::fromLocalFile(dir.filePath("phone.jpg")));
    ASSERT_NE(photo, nullptr);
    EXPECT_EQ(QSize(photo->Width(), photo->Height()), QSize(20, 40));
}

} // namespace
