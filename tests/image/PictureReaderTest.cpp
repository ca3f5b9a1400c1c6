#include "image/PictureReader.h"
#include "support/CaseName.h"
#include "support/HeifWriter.h"
#include "support/LogCapture.h"
#include "support/TestPictures.h"

#include <QColorSpace>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>
#include <QTransform>
#include <gtest/gtest.h>

TEST(PictureReader, HoldsLargePhotosWithinTheBudgetAtAnExactScale) {
    // 2^25 pixels are held as they are; odd sides round down, so that the JPEG
    // decoder scales by exactly 1/2 or 1/4. A smaller scale asked for is kept.
    EXPECT_EQ(PictureReader::HeldSize({8192, 4096}), QSize(8192, 4096));
    EXPECT_EQ(PictureReader::HeldSize({8193, 4096}), QSize(4096, 2048));
    EXPECT_EQ(PictureReader::HeldSize({16321, 12241}), QSize(4080, 3060));
    EXPECT_EQ(PictureReader::HeldSize({16321, 12241}, 2), QSize(4080, 3060));
    EXPECT_EQ(PictureReader::HeldSize({4033, 3024}, 8), QSize(504, 378));
}

TEST(PictureReader, AJpegCutShortIsDamagedNotHalfGrey) {
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("cut.jpg"));
    ASSERT_TRUE(TestPictures::Gradient(256, 256).save(path));
    ASSERT_TRUE(QFile::resize(path, QFileInfo(path).size() / 2));
    EXPECT_EQ(PictureReader::Read(path).failure, PictureReader::Failure::Damaged);
    const LogCapture log; // a handler installed after the reader's must not blind it
    EXPECT_EQ(PictureReader::Read(path).failure, PictureReader::Failure::Damaged);
}

namespace {

using Failure = PictureReader::Failure;

// One HEIF file made by libheif's encoders from a 64 x 32 gradient, read back.
struct HeifCase {
    friend void PrintTo(const HeifCase& c, std::ostream* os) { *os << c.name; }
    const char* name;
    const char* file; // the name it is written under
    HeifWriter::Options options;
    bool alpha;                       // the gradient with varying alpha
    QImage (*upright)(const QImage&); // what the reader must make of the gradient
    int tolerance;                    // lossy HEIC (x265, 4:2:0) is near; lossless exact
    bool cut;                         // only its first half written
    Failure failure;
};

QImage Same(const QImage& p) {
    return p;
}
QImage Right(const QImage& p) {
    return p.transformed(QTransform().rotate(90));
}
QImage Left(const QImage& p) {
    return p.transformed(QTransform().rotate(270));
}
QImage Mirrored(const QImage& p) {
    return p.mirrored(true, false);
}
QImage FromDisplayP3(const QImage& p) {
    QImage tagged = p;
    tagged.setColorSpace(QColorSpace(QColorSpace::DisplayP3));
    return tagged.convertedToColorSpace(QColorSpace(QColorSpace::SRgb));
}

// The largest difference of any channel, alpha included; 256 for other sizes.
int MaxDifference(const QImage& a, const QImage& b) {
    if (a.size() != b.size()) {
        return 256;
    }
    const QImage x = a.convertToFormat(QImage::Format_RGBA8888);
    const QImage y = b.convertToFormat(QImage::Format_RGBA8888);
    int most = 0;
    for (int row = 0; row < x.height(); ++row) {
        for (int i = 0; i < x.width() * 4; ++i) {
            most = std::max(most, std::abs(x.constScanLine(row)[i] - y.constScanLine(row)[i]));
        }
    }
    return most;
}

class HeifFiles : public ::testing::TestWithParam<HeifCase> {};

TEST_P(HeifFiles, StandUprightInSrgbOrAreRefused) {
    const HeifCase& c = GetParam();
    QImage source = TestPictures::Gradient(64, 32);
    if (c.alpha) {
        source = source.convertToFormat(QImage::Format_ARGB32);
        for (int x = 0; x < source.width(); ++x)
            for (int y = 0; y < source.height(); ++y)
                source.setPixel(x, y, (source.pixel(x, y) & 0xffffffu) | uint(255 - 3 * x) << 24);
    }
    QByteArray bytes = HeifWriter::Encoded(source, c.options);
    ASSERT_FALSE(bytes.isEmpty());
    QTemporaryDir dir;
    PictureReader reader(
        TestPictures::Written(dir.filePath(c.file), c.cut ? bytes.left(bytes.size() / 2) : bytes));
    const PictureReader::Result read = reader.Decode(1);
    ASSERT_EQ(read.failure, c.failure) << read.reason.toStdString();
    if (c.failure == Failure::None) {
        const QImage upright = c.upright(source);
        EXPECT_EQ(QSize(reader.PhotoSize()), upright.size());
        EXPECT_EQ(read.photoSize, upright.size());
        EXPECT_EQ(read.picture.hasAlphaChannel(), c.alpha);
        EXPECT_LE(MaxDifference(read.picture, upright), c.tolerance);
    }
}

const HeifWriter::Options kHeic{};
const HeifWriter::Options kAvif{.avif = true, .lossless = true};
constexpr int kHeicTolerance = 4;

// clang-format off
INSTANTIATE_TEST_SUITE_P(PictureReader, HeifFiles, ::testing::Values(
    HeifCase{"Heic", "photo.heic", kHeic, false, Same, kHeicTolerance, false, Failure::None},
    HeifCase{"HeicTurnedLeft", "photo.HEIC", {.orientation = 8}, false, Left, kHeicTolerance, false,
             Failure::None},
    HeifCase{"Avif", "photo.avif", kAvif, false, Same, 0, false, Failure::None},
    HeifCase{"AvifTurnedRight", "photo.avif", {.avif = true, .lossless = true, .orientation = 6},
             false, Right, 0, false, Failure::None},
    HeifCase{"AvifMirrored", "photo.avif", {.avif = true, .lossless = true, .orientation = 2},
             false, Mirrored, 0, false, Failure::None},
    HeifCase{"AvifAlpha", "photo.avif", kAvif, true, Same, 0, false, Failure::None},
    HeifCase{"Heic10Bit", "photo.heic", {.lossless = true, .bits = 10}, false, Same, 0, false,
             Failure::None},
    HeifCase{"AvifDisplayP3", "photo.avif",
             {.avif = true, .lossless = true, .icc = QColorSpace(QColorSpace::DisplayP3).iccProfile()},
             false, FromDisplayP3, 0, false, Failure::None},
    HeifCase{"HeicNamedJpg", "photo.jpg", kHeic, false, Same, kHeicTolerance, false, Failure::None},
    HeifCase{"HeicCutShort", "cut.heic", kHeic, false, Same, 0, true, Failure::Damaged},
    HeifCase{"AvifCutShort", "cut", kAvif, false, Same, 0, true, Failure::Damaged}), CaseName());
// clang-format on

} // namespace
