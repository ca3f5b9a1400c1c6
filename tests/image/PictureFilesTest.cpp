#include "image/QuorelImage.h"
#include "support/LogCapture.h"
#include "support/TestPictures.h"

#include <QImageWriter>
#include <QTemporaryDir>
#include <QUrl>
#include <QtEndian>
#include <gtest/gtest.h>

namespace {

// Missing, empty, cut short, not a picture, or claiming far more pixels than the bound: no image,
// from a path, a local address or a remote one, and "Image is Null" in the log.
TEST(PictureFiles, BadFilesGiveNoImageAndATaggedPhotoStandsUpright) {
    QByteArray huge = TestPictures::Encoded(TestPictures::Solid(1, 1, Qt::red), "bmp");
    qToLittleEndian<quint64>(100000 * 0x100000001ull, huge.data() + 18); // 100000 x 100000
    const QByteArray cut = TestPictures::Encoded(TestPictures::Gradient(64, 64), "png").left(60);
    // clang-format off
    const std::pair<const char*, QByteArray> files[] = {
        {"missing.png", QByteArray()}, {"empty.png", ""}, {"notes.jpg", "just some words\n"},
        {"cut.png", cut}, {"huge.bmp", huge}};
    // clang-format on
    QTemporaryDir dir;
    for (const auto& [name, contents] : files) {
        const QString path = dir.filePath(name); // the missing one is not written
        EXPECT_TRUE(contents.isNull() || !TestPictures::Written(path, contents).isEmpty());
        LogCapture log;
        EXPECT_TRUE(!QuorelImage::InitWithPath(path) && log.Contains("Image is Null")) << name;
        EXPECT_EQ(QuorelImage::InitWithURL(QUrl::fromLocalFile(path)), nullptr) << name;
    }
    LogCapture log;
    EXPECT_TRUE(!QuorelImage::InitWithURL(QUrl("http://127.0.0.1:9/picture.png")) &&
                log.Contains("Image is Null"));
    EXPECT_TRUE(!QuorelImage::InitWithPath(QString()) && !QuorelImage::InitWithURL(QUrl()));
    // A photo tagged as turned stands upright.
    QImageWriter writer(dir.filePath("phone.jpg"), "jpg");
    writer.setTransformation(QImageIOHandler::TransformationRotate90);
    ASSERT_TRUE(writer.write(TestPictures::Solid(40, 20, Qt::green)));
    auto photo = QuorelImage::InitWithURL(QUrl::fromLocalFile(dir.filePath("phone.jpg")));
    EXPECT_EQ(photo ? QSize(photo->Width(), photo->Height()) : QSize(), QSize(20, 40));
}

} // namespace
