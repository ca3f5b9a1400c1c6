#include "filters/Filters.h"
#include "image/QuorelImage.h"
#include "support/TestPictures.h"

#include <gtest/gtest.h>

#include <array>
#include <climits>
#include <vector>

namespace {

constexpr int32_t kStale = 777; // what a back buffer holds before a filter runs

std::vector<int32_t> Plane(const int32_t* plane, int32_t count) {
    return std::vector<int32_t>(plane, plane + count);
}

void FillBackBuffer(QuorelImage& image) {
    for (int32_t* plane : {image.Red_Backbuffer(), image.Green_Backbuffer(),
                           image.Blue_Backbuffer(), image.Alpha_Backbuffer()}) {
        std::fill(plane, plane + image.PixelCount(), kStale);
    }
}

// Centre c with its four edge neighbours e; the corners are 0.
TEST(NeighbourhoodFilters, SharpenFloorsDarkAndCapsBrightPixels) {
    for (auto [centre, edge, want] : {std::array{0, 255, 0}, {255, 0, 255}, {100, 90, 140}}) {
        auto image = TestPictures::FlatImage(3, 3, 0, 0, 0);
        for (int32_t i : {1, 3, 5, 7}) {
            image->Red()[i] = edge;
        }
        image->Red()[4] = centre;
        Filters::Sharpen(image.get());
        EXPECT_EQ(image->Red()[4], want) << centre << ", " << edge;
    }
}

// The border is not convolved: it keeps the picture's own values, never what
// the back buffer held. The back buffer then holds the picture as it was, and
// alpha is the former back-buffer alpha.
TEST(NeighbourhoodFilters, ConvolutionKeepsTheBorderAndSwapsAllFourPlanes) {
    for (auto filter : {Filters::Soften, Filters::Sharpen}) {
        for (auto [w, h] : {std::pair{6, 5}, {1, 1}, {1, 4}, {4, 1}, {2, 2}, {2, 5}, {3, 3}}) {
            auto image = TestPictures::RandomImage(w, h, 11);
            FillBackBuffer(*image);
            const std::vector<int32_t> before = Plane(image->Red(), w * h);
            filter(image.get());
            EXPECT_EQ(Plane(image->Red_Backbuffer(), w * h), before);
            EXPECT_EQ(Plane(image->Alpha(), w * h), std::vector<int32_t>(w * h, kStale));
            for (int32_t i = 0; i < w * h; ++i) {
                const int32_t x = i % w, y = i / w;
                if (x == 0 || y == 0 || x == w - 1 || y == h - 1) {
                    ASSERT_EQ(image->Red()[i], before[i]) << x << ", " << y << " of " << w;
                }
            }
        }
    }
}

// truncate(v * (2r + 1)^2 / ((2r + 1)^2 - 2)), capped; sums that do not fit
// in 32 bits (huge radii or values) are still exact and never overflow.
TEST(NeighbourhoodFilters, BoxBlurOfAFlatPicture) {
    const struct {
        int32_t v, r, want;
    } cases[] = {{255, 20, 255},       {100, 20, 100},     {100, 1, 128},
                 {255, 1, 255},        {30, 2, 32},        {200, 0, 0},
                 {-1, 0, 1},           {100, 1400, 100},   {100, 1500, 100},
                 {INT32_MAX, 20, 255}, {INT32_MIN, 20, 0}, {INT32_MAX, INT32_MAX, 255}};
    for (const auto& c : cases) {
        auto image = TestPictures::FlatImage(9, 7, c.v, c.v, c.v);
        Filters::GaussBlurToBackBuffer(image.get(), c.r);
        EXPECT_EQ(image->Red_Backbuffer()[30], c.want) << c.v << " radius " << c.r;
    }
    auto image = TestPictures::FlatImage(9, 7, 100, 100, 100);
    Filters::GaussBlurToBackBuffer(image.get(), INT32_MAX);
    EXPECT_NEAR(image->Red_Backbuffer()[30], 100, 1);
}

// Radius 0 fills the colour planes of the back buffer with 0 (the divisor is
// -1); a negative radius leaves everything alone.
TEST(NeighbourhoodFilters, BoxBlurWithRadiusZeroOrBelow) {
    for (int32_t r : {0, -1, INT32_MIN}) {
        auto image = TestPictures::RandomImage(8, 5, 2);
        FillBackBuffer(*image);
        const std::vector<int32_t> front = Plane(image->Red(), 40);
        Filters::GaussBlurToBackBuffer(image.get(), r);
        EXPECT_EQ(Plane(image->Red(), 40), front);
        EXPECT_EQ(Plane(image->Blue_Backbuffer(), 40), std::vector<int32_t>(40, r ? kStale : 0));
        EXPECT_EQ(Plane(image->Alpha_Backbuffer(), 40), std::vector<int32_t>(40, kStale));
    }
}

TEST(NeighbourhoodFilters, CenterFocusKeepsTheCentreAndBlursTheCorner) {
    for (auto [w, h] : {std::pair{64, 48}, {10, 30}}) {
        auto image = TestPictures::RandomImage(w, h, 8);
        auto blurred = TestPictures::RandomImage(w, h, 8);
        Filters::GaussBlurToBackBuffer(blurred.get(), 20);
        const int32_t centre = (h / 2) * w + w / 2, before = image->Green()[centre];
        Filters::CenterFocus(image.get());
        EXPECT_EQ(image->Green()[centre], before);
        EXPECT_EQ(image->Green()[0], blurred->Green_Backbuffer()[0]);
    }
}

} // namespace
