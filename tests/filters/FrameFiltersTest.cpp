#include "filters/Filters.h"
#include "image/QuorelImage.h"
#include "support/TestPictures.h"

#include <gtest/gtest.h>

#include <vector>

namespace {

constexpr int32_t kWhite = 255;

std::vector<int32_t> Plane(const int32_t* plane, int32_t count) {
    return std::vector<int32_t>(plane, plane + count);
}

bool IsWhite(QuorelImage& image, int32_t x, int32_t y) {
    const int32_t i = y * image.Width() + x;
    return image.Red()[i] == kWhite && image.Green()[i] == kWhite && image.Blue()[i] == kWhite;
}

// A dark picture, so that only the frame is white.
std::unique_ptr<QuorelImage> Dark(int32_t w, int32_t h) {
    return TestPictures::RandomImage(w, h, 13, 0, 200);
}

TEST(FrameFilters, ClassicFrameOn512IsWiderLeftThanRight) {
    auto image = Dark(512, 512);
    Filters::ClassicFrame(image.get());
    for (int32_t y = 0; y < 512; ++y) {
        for (int32_t x = 0; x < 512; ++x) {
            const bool band = x <= 24 || x >= 488 || y <= 24 || y >= 488 || (y == 487 && x > 0);
            ASSERT_EQ(IsWhite(*image, x, y), band) << x << ", " << y;
        }
    }
    EXPECT_FALSE(IsWhite(*image, 487, 100));
    EXPECT_TRUE(IsWhite(*image, 488, 100));
    EXPECT_TRUE(IsWhite(*image, 24, 100));
}

TEST(FrameFilters, ClassicFrameTwiceEqualsOnce) {
    auto once = TestPictures::RandomImage(61, 47, 3);
    auto twice = TestPictures::RandomImage(61, 47, 3);
    Filters::ClassicFrame(once.get());
    Filters::ClassicFrame(twice.get());
    Filters::ClassicFrame(twice.get());
    EXPECT_EQ(Plane(once->Red(), once->PixelCount()), Plane(twice->Red(), twice->PixelCount()));
}

// b = truncate(((W + H) / 2) * 0.05) is 0 below a mean side of 20.
TEST(FrameFilters, FramesLeaveSmallPicturesUnchanged) {
    for (auto filter : {Filters::ClassicFrame, Filters::PolaroidFilter}) {
        for (auto [w, h] : {std::pair{1, 1}, {1, 9}, {9, 1}, {2, 2}, {19, 20}, {38, 1}}) {
            auto image = Dark(w, h);
            const std::vector<int32_t> before = Plane(image->Blue(), w * h);
            filter(image.get());
            EXPECT_EQ(Plane(image->Blue(), w * h), before) << w << " x " << h;
        }
    }
}

// (20 + 20) / 2 * 0.05 = 1: one column left, none right (x > W - 1 never
// holds), one row at the top, and the bottom row from its second pixel.
TEST(FrameFilters, ClassicFrameOfWidthOne) {
    auto image = Dark(20, 20);
    Filters::ClassicFrame(image.get());
    EXPECT_TRUE(IsWhite(*image, 0, 10));
    EXPECT_FALSE(IsWhite(*image, 19, 10));
    EXPECT_TRUE(IsWhite(*image, 19, 0));
    EXPECT_TRUE(IsWhite(*image, 1, 19));
    EXPECT_FALSE(IsWhite(*image, 5, 18));
}

TEST(FrameFilters, PolaroidBottomBandIsFourFramesHigh) {
    auto image = Dark(512, 512);
    Filters::PolaroidFilter(image.get());
    for (int32_t y = 0; y < 512; ++y) {
        for (int32_t x = 0; x < 512; ++x) {
            const bool band = x <= 24 || x >= 488 || y <= 24 || y >= 413 || (y == 412 && x > 0);
            ASSERT_EQ(IsWhite(*image, x, y), band) << x << ", " << y;
        }
    }
}

TEST(FrameFilters, FramesTouchOnlyTheFrontColourPlanes) {
    for (auto filter : {Filters::ClassicFrame, Filters::PolaroidFilter, Filters::Photomat}) {
        auto image = Dark(40, 30);
        const int32_t n = image->PixelCount();
        std::fill(image->Red_Backbuffer(), image->Red_Backbuffer() + n, 9);
        const int32_t* alpha = image->Alpha();
        filter(image.get());
        EXPECT_EQ(image->Alpha(), alpha);
        EXPECT_EQ(Plane(image->Alpha(), n), std::vector<int32_t>(size_t(n), 255));
        EXPECT_EQ(Plane(image->Red_Backbuffer(), n), std::vector<int32_t>(size_t(n), 9));
    }
}

TEST(FrameFilters, PhotomatOn512StacksFourFramesInTheCentre) {
    auto image = TestPictures::RandomImage(512, 512, 17);
    Filters::Photomat(image.get());
    auto at = [&](int32_t x, int32_t y) { return image->Green()[y * 512 + x]; };
    for (int32_t y = 0; y < 512; ++y) {
        ASSERT_EQ(at(191, y), 0) << y;
        ASSERT_EQ(at(321, y), 0) << y;
        ASSERT_NE(at(320, y), 0) << y; // the strip reaches column 320
    }
    EXPECT_TRUE(IsWhite(*image, 192, 0));
    for (int32_t y = 0; y < 384; ++y) {
        for (int32_t x = 0; x <= 128; ++x) {
            ASSERT_EQ(at(192 + x, y), at(192 + x, y + 128)) << x << ", " << y;
        }
    }
    for (int32_t i = 0; i < 512 * 512; ++i) {
        ASSERT_EQ(image->Red()[i], image->Green()[i]);
        ASSERT_EQ(image->Blue()[i], image->Green()[i]);
    }
}

// What the strip shows at column k of the small copy, row y: rows before H / 4
// take every fourth pixel of every fourth row of the framed grey picture, later
// rows repeat the row H / 4 above.
int32_t StripValue(const QuorelImage& framed, int32_t k, int32_t y) {
    const int32_t w = framed.Width(), h = framed.Height();
    const int32_t qh = h / 4;
    while (y >= qh && qh > 0) {
        y -= qh;
    }
    const int32_t row = qh > 0 ? 4 * y : y;
    const int32_t column = qh > 0 ? (4 * k) % w : k;
    return const_cast<QuorelImage&>(framed).Red()[row * w + column];
}

// Every width, narrow ones included: the strip (columns 0..W/4 of the small
// copies) stands intact at truncate(W / 4 * 1.5), cut at the right edge, and
// everything else is black. Narrower than 16, the strip's new place overlaps
// its old one; it still moves as a whole.
TEST(FrameFilters, PhotomatMovesTheStripIntactForEveryWidth) {
    for (int32_t w = 1; w <= 40; ++w) {
        for (int32_t h : {1, 3, 4, 9, 16}) {
            auto image = TestPictures::RandomImage(w, h, 100 + w);
            auto framed = TestPictures::RandomImage(w, h, 100 + w);
            Filters::Desaturize(framed.get());
            Filters::IncreaseContrast(framed.get());
            Filters::ClassicFrame(framed.get());
            Filters::Photomat(image.get());
            const int32_t qw = w / 4;
            const int32_t shift = int32_t(float(qw) * 1.5f);
            for (int32_t y = 0; y < h; ++y) {
                for (int32_t x = 0; x < w; ++x) {
                    const int32_t k = x - shift;
                    const int32_t want = k >= 0 && k <= qw ? StripValue(*framed, k, y) : 0;
                    ASSERT_EQ(image->Red()[y * w + x], want)
                        << "(" << x << ", " << y << ") of " << w << " x " << h;
                }
            }
        }
    }
}

TEST(FrameFilters, NullImageDoesNothing) {
    Filters::ClassicFrame(nullptr);
    Filters::PolaroidFilter(nullptr);
    Filters::Photomat(nullptr);
    SUCCEED();
}

} // namespace
