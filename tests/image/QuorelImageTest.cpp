#include "image/QuorelImage.h"
#include "support/LogCapture.h"
#include "support/TestPictures.h"

#include <climits>
#include <gtest/gtest.h>

namespace {

using TestPictures::PixelAt;

// The image's pixel i as (red, green, blue, alpha).
QColor Planes(QuorelImage& image, int i) {
    return QColor(image.Red()[i], image.Green()[i], image.Blue()[i], image.Alpha()[i]);
}

TEST(QuorelImage, OpaquePictureArrivesUnchangedAndComesBackUnchanged) {
    const QImage picture = TestPictures::Gradient(37, 23);
    auto image = QuorelImage::InitWithNSImage(picture);
    ASSERT_NE(image, nullptr);
    for (int i = 0; i < 37 * 23; ++i) {
        ASSERT_EQ(Planes(*image, i), PixelAt(picture, i % 37, i / 37)) << i;
    }
    EXPECT_EQ(image->Preview().convertToFormat(QImage::Format_RGB32), picture);
    image->Red()[0] = 300; // out of range saturates in the preview
    image->Green()[0] = -5;
    EXPECT_EQ(PixelAt(image->Preview(), 0, 0), QColor(255, 0, 0));
}

TEST(QuorelImage, TransparentAreaStandsOnHalfWhiteWithAShadowBesideTheOpaquePart) {
    auto image = QuorelImage::InitWithNSImage(TestPictures::HalfTransparent(200, 100));
    ASSERT_NE(image, nullptr);
    EXPECT_EQ(Planes(*image, 50 * 200 + 190), QColor(128, 128, 128, 128)); // beyond the shadow
    EXPECT_EQ(Planes(*image, 50 * 200 + 10), QColor(255, 0, 0));
    const int nearEdge = 50 * 200 + 104;
    EXPECT_LT(image->Red()[nearEdge], 128);
    EXPECT_EQ(image->Red()[nearEdge], image->Green()[nearEdge]);
}

TEST(QuorelImage, PreparationLogsItsStepsAndRefusesPicturesOverTheBound) {
    LogCapture log;
    auto image = QuorelImage::InitWithNSImage(TestPictures::Solid(3, 2, Qt::blue));
    ASSERT_NE(image, nullptr);
    EXPECT_EQ(log.Lines(),
              QStringList({"Try prepare image data...", "Does not have alpha",
                           "Image size is 3 x 2", "Copying _data to _dataOriginal (size = 24)"}));
    QuorelImage::InitWithNSImage(TestPictures::HalfTransparent(4, 4));
    EXPECT_TRUE(log.Contains("Has Alpha..."));
    EXPECT_EQ(QuorelImage::InitWithNSImage(QImage()), nullptr);
    EXPECT_TRUE(log.Contains("Image is Null"));
    EXPECT_EQ(QuorelImage::InitEmpty(0, 5)->PixelCount(), 0);
    for (auto [w, h] : {std::pair{-1, 5}, {8193, 8192}, {100000, 100000}}) {
        EXPECT_EQ(QuorelImage::InitEmpty(w, h), nullptr);
        EXPECT_TRUE(log.Contains(QStringLiteral("Invalid image size %1 x %2").arg(w).arg(h)));
    }
}

struct MixCase {
    const char* name;
    int32_t mode; // BlendBackBuffer's mode, or -1 for LerpBackBuffer(t)
    float t;
    int32_t front, back, expected;
    friend void PrintTo(const MixCase& c, std::ostream* out) { *out << c.name; }
};

class QuorelImageMix : public testing::TestWithParam<MixCase> {};

TEST_P(QuorelImageMix, CombinesBackIntoFront) {
    const MixCase c = GetParam();
    auto image = QuorelImage::InitEmpty(1, 1);
    image->Red()[0] = image->Blue()[0] = c.front;
    image->Red_Backbuffer()[0] = image->Blue_Backbuffer()[0] = c.back;
    c.mode < 0 ? image->LerpBackBuffer(c.t) : image->BlendBackBuffer(c.mode);
    EXPECT_EQ(std::pair(image->Red()[0], image->Blue()[0]), std::pair(c.expected, c.expected));
    EXPECT_EQ(std::pair(image->Red_Backbuffer()[0], image->Alpha()[0]), std::pair(c.back, 255));
}

// Add and Average in 0..255 are also the references' GaussBlur and NeonLight.
// clang-format off
const MixCase kMixes[] = {
    {"Multiply", 3, 0, 255, 255, 254}, {"MultiplySmall", 3, 0, 128, 2, 1},
    {"ModeZero", 0, 0, 7, 100, 7}, {"ModeFour", 4, 0, 7, 100, 7},
    {"AddNegative", 2, 0, -10, 5, -5}, {"AddAtInt32Max", 2, 0, INT32_MAX, INT32_MAX, 255},
    {"AverageAtInt32Min", 1, 0, INT32_MIN, -1, INT32_MIN / 2},
    {"LerpFront", -1, 2.0f, 100, 7, 100}, {"LerpCaps", -1, 1.0f, 300, 7, 255},
    {"LerpBack", -1, 0.0f, 5, 77, 77}, {"LerpNegative", -1, -1.0f, 10, 20, 30}};
// clang-format on

INSTANTIATE_TEST_SUITE_P(Modes, QuorelImageMix, testing::ValuesIn(kMixes),
                         [](const auto& info) { return std::string(info.param.name); });

TEST(QuorelImage, BackgroundPreparationNeverRacesDestruction) {
    for (int round = 0; round < 20; ++round) {
        auto image = QuorelImage::InitWithNSImage(TestPictures::HalfTransparent(64, 48));
        ASSERT_NE(image, nullptr);
        image->PrepareImageData();
        image.reset(); // waits for the preparation
    }
}

} // namespace
