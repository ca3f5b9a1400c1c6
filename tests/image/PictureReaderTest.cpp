#include "image/PictureReader.h"
#include "HeifWriter.h"
#include "support/CaseName.h"
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

TEST(PictureReader, RefusesASideBeyondAnyCameraBeforeDecoding) {
    // A 56-byte BMP that claims 1048577 x 1 pixels: Qt's scaled read of it crashed.
    const QByteArray bmp = QByteArray::fromBase64(
        "Qk06AAAAAAAAADYAAAAoAAAAAQAQAAEAAAABABgAAAAAAAQAIgAAxA4AAMQOAQB/rgAAAAAAAAA=");
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("strip.bmp"));
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly) && file.write(bmp) == bmp.size());
    file.close();
    PictureReader reader(path);
    const PictureReader::Result read = reader.Decode(4);
    EXPECT_EQ(read.failure, PictureReader::Failure::TooLarge);
    EXPECT_EQ(read.reason, QStringLiteral("Picture too large: 1048577 x 1"));
}

namespace {

using Failure = PictureReader::Failure;

// One HEIF file made by libheif's encoders from a 64 x 32 gradient, read back: the
// reader must make of it the gradient turned as the file says, in sRGB.
struct HeifCase {
    friend void PrintTo(const HeifCase& c, std::ostream* os) { *os << c.name; }
    const char* name;
    const char* file; // the name it is written under
    HeifWriter::Options options;
    bool alpha;      // half transparent instead
    QTransform turn; // the file's rotation or mirror
    int tolerance;   // lossy HEIC (x265, 4:2:0) is near; lossless is exact
    Failure failure; // Damaged: only the file's first half written
};

// The largest difference of any channel, alpha included; 256 for another size.
int MaxDifference(const QImage& a, const QImage& b) {
    const QImage x = a.convertToFormat(QImage::Format_RGBA8888);
    const QImage y = b.convertToFormat(QImage::Format_RGBA8888);
    int most = a.size() == b.size() ? 0 : 256;
    for (qsizetype i = 0; most < 256 && i < x.sizeInBytes(); ++i)
        most = std::max(most, std::abs(x.constBits()[i] - y.constBits()[i]));
    return most;
}

class HeifFiles : public ::testing::TestWithParam<HeifCase> {};

TEST_P(HeifFiles, StandUprightInSrgbOrAreRefused) {
    const HeifCase& c = GetParam();
    const QImage source =
        c.alpha ? TestPictures::HalfTransparent(64, 32) : TestPictures::Gradient(64, 32);
    const QByteArray bytes = HeifWriter::Encoded(source, c.options);
    ASSERT_FALSE(bytes.isEmpty());
    QTemporaryDir dir;
    const bool cut = c.failure == Failure::Damaged;
    PictureReader reader(
        TestPictures::Written(dir.filePath(c.file), bytes.left(bytes.size() / (cut ? 2 : 1))));
    const PictureReader::Result read = reader.Decode(1);
    ASSERT_EQ(read.failure, c.failure) << read.reason.toStdString();
    if (!cut) {
        QImage upright = source.transformed(c.turn);
        if (!c.options.icc.isEmpty()) {
            upright.setColorSpace(QColorSpace::fromIccProfile(c.options.icc));
            upright.convertToColorSpace(QColorSpace(QColorSpace::SRgb));
        }
        EXPECT_EQ(QSize(reader.PhotoSize()), upright.size());
        EXPECT_EQ(read.photoSize, upright.size());
        EXPECT_EQ(read.picture.hasAlphaChannel(), c.alpha);
        EXPECT_LE(MaxDifference(read.picture, upright), c.tolerance);
    }
}

const HeifWriter::Options kAvif{.avif = true, .lossless = true};
const QTransform kUpright;
constexpr int kNear = 4;

// clang-format off
INSTANTIATE_TEST_SUITE_P(PictureReader, HeifFiles, ::testing::Values(
    HeifCase{"Heic", "photo.heic", {}, false, kUpright, kNear, Failure::None},
    HeifCase{"HeicTurnedLeft", "photo.HEIC", {.orientation = 8}, false, QTransform().rotate(270), kNear, Failure::None},
    HeifCase{"Avif", "photo.avif", kAvif, false, kUpright, 0, Failure::None},
    HeifCase{"AvifTurnedRight", "photo.avif", {.avif = true, .lossless = true, .orientation = 6}, false,
             QTransform().rotate(90), 0, Failure::None},
    HeifCase{"AvifMirrored", "photo.avif", {.avif = true, .lossless = true, .orientation = 2}, false,
             QTransform().scale(-1, 1), 0, Failure::None},
    HeifCase{"AvifAlpha", "photo.avif", kAvif, true, kUpright, 0, Failure::None},
    HeifCase{"HeicAlpha", "photo.heic", {}, true, kUpright, kNear, Failure::None},
    HeifCase{"Heic10Bit", "photo.heic", {.lossless = true, .bits = 10}, false, kUpright, 0, Failure::None},
    HeifCase{"AvifDisplayP3", "photo.avif",
             {.avif = true, .lossless = true, .icc = QColorSpace(QColorSpace::DisplayP3).iccProfile()},
             false, kUpright, 0, Failure::None},
    HeifCase{"HeicNamedJpg", "photo.jpg", {}, false, kUpright, kNear, Failure::None},
    HeifCase{"HeicCutShort", "cut.heic", {}, false, kUpright, 0, Failure::Damaged},
    HeifCase{"AvifCutShort", "cut", kAvif, false, kUpright, 0, Failure::Damaged}), CaseName());
// clang-format on

} // namespace
