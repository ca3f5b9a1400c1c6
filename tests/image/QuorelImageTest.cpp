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

TEST(QuorelImage, PicturesArriveAsTheyShowAndOpaqueOnesComeBackUnchanged) {
    const QImage picture = TestPictures::Gradient(37, 23);
    LogCapture log;
    auto image = QuorelImage::InitWithNSImage(picture);
    ASSERT_NE(image, nullptr);
    for (int i = 0; i < 37 * 23; ++i) {
        ASSERT_EQ(Planes(*image, i), PixelAt(picture, i % 37, i / 37)) << i;
    }
    EXPECT_TRUE(log.Contains("Does not have alpha") && log.Contains("Image size is 37 x 23") &&
                log.Contains("Copying _data to _dataOriginal (size = 3404)"));
    EXPECT_EQ(image->Preview().convertToFormat(QImage::Format_RGB32), picture);
    image->Red()[0] = 300; // out of range saturates in the preview
    image->Green()[0] = -5;
    EXPECT_EQ(PixelAt(image->Preview(), 0, 0), QColor(255, 0, 0));
    // A transparent area stands on half white, with a shadow beside the opaque part.
    image = QuorelImage::InitWithNSImage(TestPictures::HalfTransparent(200, 100));
    ASSERT_NE(image, nullptr);
    EXPECT_TRUE(log.Contains("Has Alpha..."));
    EXPECT_EQ(Planes(*image, 50 * 200 + 190), QColor(128, 128, 128, 128)); // beyond the shadow
    EXPECT_EQ(Planes(*image, 50 * 200 + 10), QColor(255, 0, 0));
    EXPECT_TRUE(image->Red()[10104] < 128 && image->Red()[10104] == image->Green()[10104]);
    for (int round = 0; round < 20; ++round) { // background preparation never races destruction
        QuorelImage::InitWithNSImage(TestPictures::HalfTransparent(64, 48))->PrepareImageData();
    }
}

// No picture, or a size that is negative or over the bound, gives no image.
TEST(QuorelImage, NoPictureOrASizeOverTheBoundGivesNoImage) {
    LogCapture log;
    EXPECT_TRUE(!QuorelImage::InitWithNSImage(QImage()) && log.Contains("Image is Null"));
    EXPECT_EQ(QuorelImage::InitEmpty(0, 5)->PixelCount(), 0);
    for (auto [w, h] : {std::pair{-1, 5}, {8193, 8192}, {100000, 100000}}) {
        EXPECT_EQ(QuorelImage::InitEmpty(w, h), nullptr);
        EXPECT_TRUE(log.Contains(QStringLiteral("Invalid image size %1 x %2").arg(w).arg(h)));
    }
}

// BlendBackBuffer's mode, or -1 for LerpBackBuffer(t); front, back and the result. Add and
// Average in 0..255 are also the references' GaussBlur and NeonLight.
TEST(QuorelImage, MixesCombineBackIntoFront) {
    // clang-format off
    const std::tuple<const char*, int32_t, float, int32_t, int32_t, int32_t> mixes[] = {
        {"multiply", 3, 0, 128, 2, 1}, {"mode 0", 0, 0, 7, 100, 7}, {"mode 4", 4, 0, 7, 100, 7},
        {"add at int32 max", 2, 0, INT32_MAX, INT32_MAX, 255},
        {"average at int32 min", 1, 0, INT32_MIN, -1, INT32_MIN / 2},
        {"lerp front", -1, 2.0f, 100, 7, 100}, {"lerp caps", -1, 1.0f, 300, 7, 255},
        {"lerp negative", -1, -1.0f, 10, 20, 30}};
    // clang-format on
    for (const auto& [name, mode, t, front, back, expected] : mixes) {
        auto image = QuorelImage::InitEmpty(1, 1);
        image->Red()[0] = image->Blue()[0] = front;
        image->Red_Backbuffer()[0] = image->Blue_Backbuffer()[0] = back;
        mode < 0 ? image->LerpBackBuffer(t) : image->BlendBackBuffer(mode);
        EXPECT_EQ(std::pair(image->Red()[0], image->Blue()[0]), std::pair(expected, expected))
            << name;
    }
}

} // namespace
