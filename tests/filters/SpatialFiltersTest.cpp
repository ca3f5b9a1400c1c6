#include "filters/Filters.h"
#include "image/QuorelImage.h"
#include "support/TestPictures.h"

#include <array>
#include <gtest/gtest.h>
#include <vector>

namespace {

using Rgb = std::array<int32_t, 3>;

Rgb PixelAt(QuorelImage& image, int x, int y) {
    const int i = y * image.Width() + x;
    return {image.Red()[i], image.Green()[i], image.Blue()[i]};
}

// r = 10 * x + y, g = r + 1, b = r + 2, alpha = 100 + r.
std::unique_ptr<QuorelImage> Numbered(int width, int height) {
    auto image = QuorelImage::InitEmpty(width, height);
    for (int i = 0; i < width * height; ++i) {
        const int r = 10 * (i % width) + i / width;
        image->Red()[i] = r;
        image->Green()[i] = r + 1;
        image->Blue()[i] = r + 2;
        image->Alpha()[i] = 100 + r;
    }
    return image;
}

Rgb NumberAt(int x, int y) {
    return {10 * x + y, 10 * x + y + 1, 10 * x + y + 2};
}

TEST(SpatialFilters, BlurLeavesEveryUniformLevelAndKeepsThePictureBehind) {
    for (int k = 0; k < 256; ++k) {
        auto image = TestPictures::FlatImage(36, 40, k, k, k);
        const int32_t* front = image->Red();
        Filters::Blur(image.get());
        ASSERT_EQ(std::vector<int32_t>(image->Red(), image->Red() + 1440),
                  std::vector<int32_t>(1440, k));
        ASSERT_EQ(image->Red_Backbuffer(), front);
    }
}

TEST(SpatialFilters, RotateCWTransposesAndTwiceRestores) {
    auto image = Numbered(3, 2);
    Filters::RotateCW(image.get());
    ASSERT_EQ(image->Width(), 2);
    ASSERT_EQ(image->Height(), 3);
    EXPECT_EQ(PixelAt(*image, 1, 2), NumberAt(2, 1));
    Filters::RotateCW(image.get());
    ASSERT_EQ(image->Width(), 3);
    for (int i = 0; i < 6; ++i) {
        EXPECT_EQ(PixelAt(*image, i % 3, i / 3), NumberAt(i % 3, i / 3));
        EXPECT_EQ(image->Alpha()[i], 100 + 10 * (i % 3) + i / 3);
    }
}

// The top-right corner comes to the top left, the top-left to the bottom left.
TEST(SpatialFilters, RotateCCWTurnsCounterClockwise) {
    auto image = Numbered(3, 2);
    Filters::RotateCCW(image.get());
    ASSERT_EQ(image->Width(), 2);
    ASSERT_EQ(image->Height(), 3);
    EXPECT_EQ(PixelAt(*image, 0, 0), NumberAt(2, 0));
    EXPECT_EQ(PixelAt(*image, 0, 2), NumberAt(0, 0));
    EXPECT_EQ(PixelAt(*image, 1, 2), NumberAt(0, 1));
    EXPECT_EQ(image->Alpha()[5], 101); // alpha turns along
}

TEST(SpatialFilters, ReliefRunsAlongEachRowAndCaps) {
    auto image = TestPictures::FlatImage(6, 3, 100, 7, 9);
    Filters::ReliefImage(image.get());
    for (int x = 0; x < 6; ++x) {
        const int32_t v = x == 0 ? 100 : (x % 2 == 1 ? 0 : 100);
        EXPECT_EQ(image->Red()[6 + x], v) << x;
    }
    auto extreme = TestPictures::FlatImage(3, 2, 0, 0, 0);
    extreme->Red()[3] = -300;
    extreme->Red()[4] = INT32_MAX;
    extreme->Red()[5] = 10;
    Filters::ReliefImage(extreme.get());
    EXPECT_EQ(extreme->Red()[4], 255);
    EXPECT_EQ(extreme->Red()[5], 245);
}

TEST(SpatialFilters, NeonLightAndGlassButtonNeverLowerAValue) {
    for (auto filter : {Filters::NeonLight, Filters::GlassButton}) {
        for (auto [w, h] : {std::pair{64, 48}, {17, 90}, {1, 1}}) {
            auto image = TestPictures::RandomImage(w, h, 6);
            const std::vector<int32_t> before(image->Green(), image->Green() + w * h);
            filter(image.get());
            for (int i = 0; i < w * h; ++i) {
                ASSERT_TRUE(image->Green()[i] >= before[i] && image->Green()[i] <= 255);
            }
        }
    }
}

} // namespace
