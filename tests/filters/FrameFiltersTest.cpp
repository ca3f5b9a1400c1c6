#include "filters/Filters.h"
#include "image/QuorelImage.h"
#include "support/TestPictures.h"

#include <gtest/gtest.h>

#include <vector>

namespace {

bool IsWhite(QuorelImage& image, int32_t x, int32_t y) {
    const int32_t i = y * image.Width() + x;
    return image.Red()[i] == 255 && image.Green()[i] == 255 && image.Blue()[i] == 255;
}

// A dark picture, so that only the frame is white.
std::unique_ptr<QuorelImage> Dark(int32_t w, int32_t h) {
    return TestPictures::RandomImage(w, h, 13, 0, 200);
}

TEST(FrameFilters, ClassicFrameOn512) {
    auto image = Dark(512, 512);
    Filters::ClassicFrame(image.get());
    EXPECT_FALSE(IsWhite(*image, 487, 100));
    EXPECT_TRUE(IsWhite(*image, 488, 100));
    EXPECT_TRUE(IsWhite(*image, 24, 100));
    auto twice = Dark(512, 512);
    Filters::ClassicFrame(twice.get());
    Filters::ClassicFrame(twice.get());
    EXPECT_TRUE(std::equal(image->Red(), image->Red() + 512 * 512, twice->Red()));
}

TEST(FrameFilters, PolaroidBottomBandIsFourFramesHigh) {
    auto image = Dark(512, 512);
    Filters::PolaroidFilter(image.get());
    EXPECT_TRUE(IsWhite(*image, 0, 411));
    EXPECT_FALSE(IsWhite(*image, 100, 411) || IsWhite(*image, 487, 411));
    EXPECT_TRUE(IsWhite(*image, 0, 412) && IsWhite(*image, 1, 412) && IsWhite(*image, 300, 412));
}

TEST(FrameFilters, FramesTouchOnlyTheFrontColourPlanes) {
    for (auto filter : {Filters::ClassicFrame, Filters::PolaroidFilter, Filters::Photomat}) {
        auto image = Dark(40, 30);
        std::fill(image->Red_Backbuffer(), image->Red_Backbuffer() + 1200, 9);
        filter(image.get());
        EXPECT_EQ(std::vector<int32_t>(image->Alpha(), image->Alpha() + 1200),
                  std::vector<int32_t>(1200, 255));
        EXPECT_EQ(std::vector<int32_t>(image->Red_Backbuffer(), image->Red_Backbuffer() + 1200),
                  std::vector<int32_t>(1200, 9));
    }
}

TEST(FrameFilters, PhotomatOn512StacksFourFramesInTheCentre) {
    auto image = TestPictures::RandomImage(512, 512, 17);
    Filters::Photomat(image.get());
    auto at = [&](int32_t x, int32_t y) { return image->Green()[y * 512 + x]; };
    for (int32_t y = 0; y < 512; ++y) {
        ASSERT_EQ(at(191, y), 0) << y;
        ASSERT_EQ(at(321, y), 0) << y;
    }
    EXPECT_TRUE(IsWhite(*image, 192, 0));
    for (int32_t y = 0; y < 384; ++y) {
        for (int32_t x = 0; x <= 128; ++x) {
            ASSERT_EQ(at(192 + x, y), at(192 + x, y + 128)) << x << ", " << y;
        }
    }
    for (int32_t i = 0; i < 512 * 512; ++i) {
        ASSERT_TRUE(image->Red()[i] == image->Green()[i] && image->Blue()[i] == image->Green()[i]);
    }
}

// Every width, narrow ones included: the strip (columns 0..W/4 of the small
// copies) stands intact at truncate(W / 4 * 1.5), cut at the right edge, and
// everything else is black. Narrower than 16, the strip's new place overlaps
// its old one; it still moves as a whole and stays inside the planes.
TEST(FrameFilters, PhotomatMovesTheStripIntactForEveryWidth) {
    for (int32_t w = 1; w <= 40; ++w) {
        for (int32_t h : {1, 3, 4, 9, 16}) {
            auto image = TestPictures::RandomImage(w, h, 100 + w);
            auto framed = TestPictures::RandomImage(w, h, 100 + w);
            Filters::Desaturize(framed.get());
            Filters::IncreaseContrast(framed.get());
            Filters::ClassicFrame(framed.get());
            Filters::Photomat(image.get());
            const int32_t qw = w / 4, qh = h / 4, shift = int32_t(float(qw) * 1.5f);
            for (int32_t y = 0; y < h; ++y) {
                // Rows before H / 4 take every fourth pixel of every fourth
                // row; later rows repeat the row H / 4 above.
                const int32_t row = qh > 0 ? 4 * (y % qh) : y;
                for (int32_t x = 0; x < w; ++x) {
                    const int32_t k = x - shift, column = qh > 0 ? (4 * k) % w : k;
                    const int32_t want = k >= 0 && k <= qw ? framed->Red()[row * w + column] : 0;
                    ASSERT_EQ(image->Red()[y * w + x], want) << x << ", " << y << " of " << w;
                }
            }
        }
    }
}

} // namespace
