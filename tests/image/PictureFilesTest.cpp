#include "image/QuorelImage.h"
#include "support/LogCapture.h"
#include "support/TestPictures.h"

#include <QBuffer>
#include <QFile>
#include <QImageWriter>
#include <QTemporaryDir>
#include <QUrl>
#include <QtEndian>
#include <functional>
#include <gtest/gtest.h>

namespace {

QByteArray Encoded(const QImage& picture, const char* format) {
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    picture.save(&buffer, format);
    return bytes;
}

quint32 Crc32(const QByteArray& data) {
    quint32 crc = 0xFFFFFFFFu;
    for (char ch : data) {
        crc ^= quint8(ch);
        for (int k = 0; k < 8; ++k) {
            crc = (crc >> 1) ^ (0xEDB88320u & (0u - (crc & 1u)));
        }
    }
    return ~crc;
}

// A PNG whose header claims a picture of the given size, with no pixel data.
QByteArray PngHeaderClaiming(quint32 width, quint32 height) {
    QByteArray ihdr("IHDR");
    char size[8];
    qToBigEndian(width, size);
    qToBigEndian(height, size + 4);
    ihdr.append(size, 8);
    ihdr.append("\x08\x02\x00\x00\x00", 5); // 8-bit RGB
    char length[4], crc[4];
    qToBigEndian(quint32(13), length);
    qToBigEndian(Crc32(ihdr), crc);
    return QByteArray("\x89PNG\r\n\x1a\n", 8) + QByteArray(length, 4) + ihdr + QByteArray(crc, 4);
}

struct BadFile {
    const char* name;
    const char* fileName;
    std::function<QByteArray()> contents; // null: the file is not created
};

class PictureFilesBad : public testing::TestWithParam<BadFile> {};

TEST_P(PictureFilesBad, GiveNoImageAndSayImageIsNull) {
    QTemporaryDir dir;
    const BadFile c = GetParam();
    const QString path = dir.filePath(c.fileName);
    if (c.contents) {
        QFile file(path);
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
        file.write(c.contents());
    }
    LogCapture log;
    EXPECT_EQ(QuorelImage::InitWithPath(path), nullptr);
    EXPECT_TRUE(log.Contains("Image is Null")) << log.Lines().join("\n").toStdString();
    EXPECT_EQ(QuorelImage::InitWithURL(QUrl::fromLocalFile(path)), nullptr);
}

INSTANTIATE_TEST_SUITE_P(
    Inputs, PictureFilesBad,
    testing::Values(
        BadFile{"Missing", "missing.png", nullptr},
        BadFile{"Empty", "empty.png", [] { return QByteArray(); }},
        BadFile{"TruncatedPng", "cut.png",
                [] { return Encoded(TestPictures::Gradient(64, 64), "png").left(60); }},
        BadFile{"TruncatedJpeg", "cut.jpg",
                [] { return Encoded(TestPictures::Gradient(64, 64), "jpg").left(100); }},
        BadFile{"TextNamedJpeg", "notes.jpg", [] { return QByteArray("just some words\n"); }},
        BadFile{"HugePngHeader", "huge.png", [] { return PngHeaderClaiming(100000, 100000); }}),
    [](const testing::TestParamInfo<BadFile>& info) { return std::string(info.param.name); });

TEST(PictureFiles, NoPathOrUrlOrARemoteOneGivesNoImage) {
    EXPECT_EQ(QuorelImage::InitWithPath(QString()), nullptr);
    EXPECT_EQ(QuorelImage::InitWithURL(QUrl()), nullptr);
    LogCapture log;
    EXPECT_EQ(QuorelImage::InitWithURL(QUrl("http://127.0.0.1:9/picture.png")), nullptr);
    EXPECT_TRUE(log.Contains("Image is Null"));
}

TEST(PictureFiles, PngBecomesPlanesAndATaggedPhotoStandsUpright) {
    QTemporaryDir dir;
    const QString path = dir.filePath("picture.png");
    ASSERT_TRUE(TestPictures::Gradient(20, 10).save(path));
    for (const auto& image :
         {QuorelImage::InitWithPath(path), QuorelImage::InitWithURL(QUrl::fromLocalFile(path))}) {
        ASSERT_NE(image, nullptr);
        EXPECT_EQ(QSize(image->Width(), image->Height()), QSize(20, 10));
        EXPECT_EQ(image->Red()[5 * 20 + 7], 7);
        EXPECT_EQ(image->Green()[5 * 20 + 7], 5);
    }
    QImageWriter writer(dir.filePath("phone.jpg"), "jpg");
    writer.setTransformation(QImageIOHandler::TransformationRotate90);
    ASSERT_TRUE(writer.write(TestPictures::Solid(40, 20, Qt::green)));
    auto photo = QuorelImage::InitWithPath(dir.filePath("phone.jpg"));
    ASSERT_NE(photo, nullptr);
    EXPECT_EQ(QSize(photo->Width(), photo->Height()), QSize(20, 40));
}

} // namespace
