#include "filters/Filters.h"
#include "image/QuorelImage.h"
#include "support/TestPictures.h"

#include <gtest/gtest.h>

#include <climits>
#include <vector>

namespace {

constexpr int32_t kStale = 777; // what a back buffer holds before a filter runs

std::vector<int32_t> Plane(const int32_t* plane, int32_t count) {
    return std::vector<int32_t>(plane, plane + count);
}

void FillBackBuffer(QuorelImage& image, int32_t value) {
    for (int32_t* plane : {image.Red_Backbuffer(), image.Green_Backbuffer(),
                           image.Blue_Backbuffer(), image.Alpha_Backbuffer()}) {
        std::fill(plane, plane + image.PixelCount(), value);
    }
}

// The interior pixel of a flat 3 x 3 picture after the filter.
int32_t FlatCentre(void (*filter)(QuorelImage*), int32_t v) {
    auto image = TestPictures::FlatImage(3, 3, v, v, v);
    filter(image.get());
    return image->Red()[4];
}

TEST(NeighbourhoodFilters, SoftenOfAFlatPictureTakes60ValuesOneLower) {
    int lower = 0;
    for (int32_t v = 0; v < 256; ++v) {
        const int32_t s = FlatCentre(Filters::Soften, v);
        EXPECT_TRUE(s == v || s == v - 1) << v;
        lower += s == v - 1;
    }
    EXPECT_EQ(lower, 60);
    for (auto [v, want] : {std::pair{127, 126},
                           {254, 253},
                           {255, 254},
                           {0, 0},
                           {1, 1},
                           {100, 100},
                           {128, 128},
                           {200, 200}}) {
        EXPECT_EQ(FlatCentre(Filters::Soften, v), want) << v;
    }
}

TEST(NeighbourhoodFilters, SharpenKeepsAFlatInterior) {
    for (int32_t v = 0; v < 256; ++v) {
        EXPECT_EQ(FlatCentre(Filters::Sharpen, v), v);
    }
}

// Centre c with its four edge neighbours e; the corners are 0.
int32_t SharpenCross(int32_t centre, int32_t edge) {
    auto image = TestPictures::FlatImage(3, 3, 0, 0, 0);
    for (int32_t i : {1, 3, 5, 7}) {
        image->Red()[i] = edge;
    }
    image->Red()[4] = centre;
    Filters::Sharpen(image.get());
    return image->Red()[4];
}

TEST(NeighbourhoodFilters, SharpenFloorsDarkAndCapsBrightPixels) {
    EXPECT_EQ(SharpenCross(0, 255), 0);
    EXPECT_EQ(SharpenCross(255, 0), 255);
    EXPECT_EQ(SharpenCross(100, 90), 140);
}

TEST(NeighbourhoodFilters, SoftenWeighsNeighboursEightTimesTheCentre) {
    auto image = TestPictures::FlatImage(3, 3, 0, 0, 0);
    image->Red()[4] = 65;
    image->Green()[0] = 65;
    Filters::Soften(image.get());
    EXPECT_EQ(image->Red()[4], 1);
    EXPECT_EQ(image->Green()[4], 8);
}

// The border is not convolved: it keeps the picture's own values, never what
// the back buffer held. The back buffer then holds the picture as it was, and
// alpha is the former back-buffer alpha.
TEST(NeighbourhoodFilters, ConvolutionKeepsTheBorderAndSwapsAllFourPlanes) {
    for (auto filter : {Filters::Soften, Filters::Sharpen}) {
        for (auto [w, h] : {std::pair{6, 5}, {1, 1}, {1, 4}, {4, 1}, {2, 2}, {2, 5}, {3, 3}}) {
            auto image = TestPictures::RandomImage(w, h, 11);
            FillBackBuffer(*image, kStale);
            const int32_t n = image->PixelCount();
            const std::vector<int32_t> before = Plane(image->Red(), n);
            int32_t* oldFront = image->Red();
            filter(image.get());
            EXPECT_EQ(image->Red_Backbuffer(), oldFront);
            EXPECT_EQ(Plane(image->Red_Backbuffer(), n), before);
            EXPECT_EQ(Plane(image->Alpha(), n), std::vector<int32_t>(size_t(n), kStale));
            for (int32_t y = 0; y < h; ++y) {
                for (int32_t x = 0; x < w; ++x) {
                    if (x == 0 || y == 0 || x == w - 1 || y == h - 1) {
                        ASSERT_EQ(image->Red()[y * w + x], before[y * w + x])
                            << x << ", " << y << " of " << w << " x " << h;
                    }
                }
            }
        }
    }
}

int32_t FlatBlur(int32_t v, int32_t r) {
    auto image = TestPictures::FlatImage(9, 7, v, v, v);
    Filters::GaussBlurToBackBuffer(image.get(), r);
    return image->Red_Backbuffer()[30];
}

// truncate(v * (2r + 1)^2 / ((2r + 1)^2 - 2)), capped.
TEST(NeighbourhoodFilters, BoxBlurOfAFlatPictureDividesByTwoLessThanTheArea) {
    EXPECT_EQ(FlatBlur(255, 20), 255);
    EXPECT_EQ(FlatBlur(100, 20), 100);
    EXPECT_EQ(FlatBlur(100, 1), 128); // 900 / 7
    EXPECT_EQ(FlatBlur(255, 1), 255); // 327, capped
    EXPECT_EQ(FlatBlur(30, 2), 32);   // 750 / 23
    EXPECT_EQ(FlatBlur(200, 0), 0);   // the divisor is -1
}

TEST(NeighbourhoodFilters, BoxBlurWithRadiusZeroFillsTheBackBufferWithZero) {
    auto image = TestPictures::RandomImage(8, 5, 2);
    FillBackBuffer(*image, kStale);
    Filters::GaussBlurToBackBuffer(image.get(), 0);
    const int32_t n = image->PixelCount();
    const std::vector<int32_t> zeros(size_t(n), 0);
    EXPECT_EQ(Plane(image->Red_Backbuffer(), n), zeros);
    EXPECT_EQ(Plane(image->Green_Backbuffer(), n), zeros);
    EXPECT_EQ(Plane(image->Blue_Backbuffer(), n), zeros);
    EXPECT_EQ(Plane(image->Alpha_Backbuffer(), n), std::vector<int32_t>(size_t(n), kStale));
}

TEST(NeighbourhoodFilters, BoxBlurWithANegativeRadiusDoesNothing) {
    auto image = TestPictures::RandomImage(8, 5, 2);
    FillBackBuffer(*image, kStale);
    const int32_t n = image->PixelCount();
    const std::vector<int32_t> front = Plane(image->Red(), n);
    for (int32_t r : {-1, INT32_MIN}) {
        Filters::GaussBlurToBackBuffer(image.get(), r);
        EXPECT_EQ(Plane(image->Red_Backbuffer(), n), std::vector<int32_t>(size_t(n), kStale));
        EXPECT_EQ(Plane(image->Red(), n), front);
    }
}

// Sums that cannot be held in 32 bits (large radii, values far outside
// 0..255) are still exact and never overflow.
TEST(NeighbourhoodFilters, BoxBlurHandlesHugeRadiiAndValues) {
    EXPECT_EQ(FlatBlur(100, 1400), 100);
    EXPECT_EQ(FlatBlur(100, 1500), 100);
    const int32_t huge = FlatBlur(100, INT32_MAX);
    EXPECT_TRUE(huge == 99 || huge == 100) << huge;
    EXPECT_EQ(FlatBlur(INT32_MAX, 20), 255);
    EXPECT_EQ(FlatBlur(INT32_MIN, 20), 0);
    EXPECT_EQ(FlatBlur(INT32_MAX, INT32_MAX), 255);
    EXPECT_EQ(FlatBlur(-1, 0), 1); // -1 * -1
}

TEST(NeighbourhoodFilters, CenterFocusKeepsTheCentreAndBlursTheCorner) {
    for (auto [w, h] : {std::pair{64, 48}, {40, 40}, {10, 30}}) {
        auto image = TestPictures::RandomImage(w, h, 8);
        auto blurred = TestPictures::RandomImage(w, h, 8);
        Filters::GaussBlurToBackBuffer(blurred.get(), 20);
        const int32_t centre = (h / 2) * w + w / 2;
        const int32_t before = image->Green()[centre];
        Filters::CenterFocus(image.get());
        EXPECT_EQ(image->Green()[centre], before);
        EXPECT_EQ(image->Green()[0], blurred->Green_Backbuffer()[0]);
        // The back buffer keeps the blurred picture.
        const int32_t n = image->PixelCount();
        EXPECT_EQ(Plane(image->Blue_Backbuffer(), n), Plane(blurred->Blue_Backbuffer(), n));
    }
}

TEST(NeighbourhoodFilters, NullImageDoesNothing) {
    Filters::Soften(nullptr);
    Filters::Sharpen(nullptr);
    Filters::GaussBlurToBackBuffer(nullptr, 3);
    Filters::CenterFocus(nullptr);
    SUCCEED();
}

} // namespace
