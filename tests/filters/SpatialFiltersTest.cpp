#include "filters/Filters.h"
#include "image/QuorelImage.h"
#include "support/TestPictures.h"

#include <array>
#include <gtest/gtest.h>
#include <vector>

namespace {

using Rgb = std::array<int32_t, 3>;
using Plane = std::vector<int32_t>;

Rgb PixelAt(QuorelImage& image, int x, int y) {
    const int i = y * image.Width() + x;
    return {image.Red()[i], image.Green()[i], image.Blue()[i]};
}

Plane Copy(const int32_t* plane, int n) {
    return Plane(plane, plane + n);
}

// A picture whose pixels all differ: r = 10 * x + y, g = r + 1, b = r + 2, alpha = 100 + r.
std::unique_ptr<QuorelImage> Numbered(int width, int height) {
    auto image = QuorelImage::InitEmpty(width, height);
    for (int y = 0; y < height; ++y) {
        for (int x = 0; x < width; ++x) {
            const int i = y * width + x;
            image->Red()[i] = 10 * x + y;
            image->Green()[i] = 10 * x + y + 1;
            image->Blue()[i] = 10 * x + y + 2;
            image->Alpha()[i] = 100 + 10 * x + y;
        }
    }
    return image;
}

Rgb NumberAt(int x, int y) {
    return {10 * x + y, 10 * x + y + 1, 10 * x + y + 2};
}

bool NoValueLowered(const Plane& before, const int32_t* after) {
    for (size_t i = 0; i < before.size(); ++i) {
        if (after[i] < before[i] || after[i] > 255) {
            return false;
        }
    }
    return true;
}

} // namespace

TEST(SpatialFilters, BlurLeavesEveryUniformLevel) {
    for (int k = 0; k < 256; ++k) {
        auto image = TestPictures::FlatImage(36, 40, k, k, k);
        const int32_t* front = image->Red();
        Filters::Blur(image.get());
        ASSERT_EQ(Copy(image->Red(), image->PixelCount()), Plane(size_t(36 * 40), k)) << k;
        ASSERT_EQ(image->Red_Backbuffer(), front); // the picture before the call
    }
}

TEST(SpatialFilters, BlurKeepsThePixelsWhoseWindowLeavesThePlane) {
    const int W = 30, H = 40, n = W * H;
    auto image = TestPictures::RandomImage(W, H, 21);
    const Plane before = Copy(image->Green(), n);
    Filters::Blur(image.get());
    const int32_t* after = image->Green();
    int kept = 0;
    for (int i = 0; i < n; ++i) {
        if (i < 9 * W + 9 || i > n - 1 - 8 * W - 8) {
            ASSERT_EQ(after[i], before[i]) << i;
            ++kept;
        }
    }
    EXPECT_EQ(kept, 9 * W + 9 + 8 * W + 8);
    EXPECT_EQ(Copy(image->Green_Backbuffer(), n), before);
}

TEST(SpatialFilters, BlurOnPlanesTooSmallForAnyWindowChangesNothing) {
    // A window needs at least 17 rows and 18 more pixels: 5 x 20 has none.
    for (auto [w, h] : {std::pair{5, 20}, {1, 34}, {100, 17}, {1, 1}, {0, 0}}) {
        auto image = TestPictures::RandomImage(w, h, 2);
        const Plane before = Copy(image->Blue(), image->PixelCount());
        Filters::Blur(image.get());
        EXPECT_EQ(Copy(image->Blue(), image->PixelCount()), before) << w << "x" << h;
    }
}

TEST(SpatialFilters, BlendWithColorValues) {
    const struct {
        float r, g, b;
        Rgb in, out;
    } cases[] = {{1, 1, 1, {200, 101, 50}, {200, 101, 50}},
                 {2, 0.5f, 0, {200, 101, 50}, {255, 50, 0}},
                 {-1, 1, 1, {200, 101, 50}, {-200, 101, 50}},
                 {1.5f, 1.5f, 1.5f, {170, 171, 1}, {255, 255, 1}}};
    for (const auto& c : cases) {
        auto image = TestPictures::FlatImage(2, 1, c.in[0], c.in[1], c.in[2]);
        Filters::BlendWithColor(image.get(), c.r, c.g, c.b);
        EXPECT_EQ(PixelAt(*image, 1, 0), c.out) << c.r << " " << c.g << " " << c.b;
        EXPECT_EQ(image->Alpha()[1], 255);
    }
}

TEST(SpatialFilters, RotateCWTransposes) {
    auto image = Numbered(3, 2);
    Filters::RotateCW(image.get());
    ASSERT_EQ(image->Width(), 2);
    ASSERT_EQ(image->Height(), 3);
    EXPECT_EQ(PixelAt(*image, 1, 2), NumberAt(2, 1));
    for (int r = 0; r < 3; ++r) {
        for (int c = 0; c < 2; ++c) {
            EXPECT_EQ(PixelAt(*image, c, r), NumberAt(r, c));
        }
    }
}

TEST(SpatialFilters, RotateCWTwiceRestoresImageSizeAndAlpha) {
    auto image = Numbered(3, 2);
    const Plane red = Copy(image->Red(), 6);
    const Plane alpha = Copy(image->Alpha(), 6);
    const int32_t* alphaPlane = image->Alpha();
    Filters::RotateCW(image.get());
    Filters::RotateCW(image.get());
    EXPECT_EQ(image->Width(), 3);
    EXPECT_EQ(image->Height(), 2);
    EXPECT_EQ(Copy(image->Red(), 6), red);
    EXPECT_EQ(image->Alpha(), alphaPlane);
    EXPECT_EQ(Copy(image->Alpha(), 6), alpha);
}

TEST(SpatialFilters, RotateCCWTurnsCounterClockwise) {
    auto image = Numbered(3, 2);
    Filters::RotateCCW(image.get());
    ASSERT_EQ(image->Width(), 2);
    ASSERT_EQ(image->Height(), 3);
    // The top-right corner comes to the top left, the top-left to the bottom left.
    EXPECT_EQ(PixelAt(*image, 0, 0), NumberAt(2, 0));
    EXPECT_EQ(PixelAt(*image, 0, 2), NumberAt(0, 0));
    EXPECT_EQ(PixelAt(*image, 1, 2), NumberAt(0, 1));
    for (int x = 0; x < 3; ++x) {
        for (int y = 0; y < 2; ++y) {
            const int i = (2 - x) * 2 + y;
            EXPECT_EQ(PixelAt(*image, y, 2 - x), NumberAt(x, y));
            EXPECT_EQ(image->Alpha()[i], 100 + 10 * x + y); // alpha turns along
        }
    }
}

TEST(SpatialFilters, RotateCCWFourTimesRestoresEverything) {
    auto image = Numbered(5, 3);
    const Plane blue = Copy(image->Blue(), 15);
    const Plane alpha = Copy(image->Alpha(), 15);
    for (int k = 0; k < 4; ++k) {
        Filters::RotateCCW(image.get());
        EXPECT_EQ(image->Width(), k % 2 == 0 ? 3 : 5);
    }
    EXPECT_EQ(Copy(image->Blue(), 15), blue);
    EXPECT_EQ(Copy(image->Alpha(), 15), alpha);
}

TEST(SpatialFilters, ReliefRunsAlongEachRow) {
    auto image = TestPictures::FlatImage(6, 3, 100, 7, 9);
    const Plane backRed = Copy(image->Red_Backbuffer(), 18);
    Filters::ReliefImage(image.get());
    for (int y = 0; y < 3; ++y) {
        for (int x = 0; x < 6; ++x) {
            const int i = y * 6 + x;
            if (y == 0 || x == 0) {
                EXPECT_EQ(PixelAt(*image, x, y), (Rgb{100, 7, 9}));
                EXPECT_EQ(image->Red_Backbuffer()[i], backRed[i]);
                continue;
            }
            const int32_t v = x % 2 == 1 ? 0 : 100;
            EXPECT_EQ(PixelAt(*image, x, y), (Rgb{v, v, v})) << x << "," << y;
            EXPECT_EQ(image->Blue_Backbuffer()[i], v);
        }
    }
}

TEST(SpatialFilters, ReliefCapsLargeDifferences) {
    auto image = TestPictures::FlatImage(3, 2, 0, 0, 0);
    image->Red()[3] = -300;
    image->Red()[4] = INT32_MAX;
    image->Red()[5] = 10;
    Filters::ReliefImage(image.get());
    EXPECT_EQ(image->Red()[4], 255);
    EXPECT_EQ(image->Red()[5], 245);
}

TEST(SpatialFilters, GlassButtonLightsTheBottomCentre) {
    auto image = TestPictures::FlatImage(512, 512, 0, 0, 0);
    Filters::GlassButton(image.get());
    EXPECT_EQ(PixelAt(*image, 256, 0), (Rgb{0, 0, 0}));      // inside the ring: no highlight
    EXPECT_EQ(PixelAt(*image, 256, 511), (Rgb{49, 49, 49})); // one pixel from the glow centre
    EXPECT_EQ(PixelAt(*image, 0, 0)[0], 38);                 // on the ring: 150 - 286.2 / 384 * 150
    EXPECT_EQ(PixelAt(*image, 0, 200)[0], 0);                // beyond the ring and the glow
    EXPECT_GT(PixelAt(*image, 256, 300)[0], 0);              // on the ring's band
}

TEST(SpatialFilters, GlassButtonNeverLowersAValue) {
    for (auto [w, h] : {std::pair{64, 48}, {17, 90}, {1, 1}}) {
        auto image = TestPictures::RandomImage(w, h, 4);
        const Plane red = Copy(image->Red(), w * h);
        const Plane blue = Copy(image->Blue(), w * h);
        Filters::GlassButton(image.get());
        EXPECT_TRUE(NoValueLowered(red, image->Red()));
        EXPECT_TRUE(NoValueLowered(blue, image->Blue()));
    }
}

TEST(SpatialFilters, GaussBlurIsTheMeanOfPictureAndBlur) {
    for (int v : {0, 100, 255}) {
        auto image = TestPictures::FlatImage(50, 40, v, v, v);
        Filters::GaussBlur(image.get(), 20);
        EXPECT_EQ(PixelAt(*image, 25, 20), (Rgb{v, v, v}));
        EXPECT_EQ(PixelAt(*image, 0, 0), (Rgb{v, v, v}));
    }
    // Radius 0 blurs to 0 (the divisor is -1): the mean halves the picture.
    auto image = TestPictures::FlatImage(5, 5, 100, 7, 255);
    Filters::GaussBlur(image.get(), 0);
    EXPECT_EQ(PixelAt(*image, 2, 2), (Rgb{50, 3, 127}));
}

TEST(SpatialFilters, NeonLightGlowsNearTheLastRows) {
    auto image = TestPictures::FlatImage(512, 512, 0, 0, 0);
    Filters::NeonLight(image.get());
    const int bar = PixelAt(*image, 256, 469)[0];
    EXPECT_GT(bar, PixelAt(*image, 256, 420)[0]);
    EXPECT_GT(bar, PixelAt(*image, 30, 469)[0]);
    EXPECT_GT(PixelAt(*image, 256, 420)[0], 0);
    EXPECT_EQ(PixelAt(*image, 0, 0), (Rgb{0, 0, 0}));
    EXPECT_EQ(PixelAt(*image, 256, 100), (Rgb{0, 0, 0})); // beyond glow and blur
    const Rgb p = PixelAt(*image, 256, 469);
    EXPECT_TRUE(p[0] == p[1] && p[1] == p[2]); // white light
}

TEST(SpatialFilters, NeonLightNeverLowersAValue) {
    for (auto [w, h] : {std::pair{64, 48}, {20, 90}, {1, 1}}) {
        auto image = TestPictures::RandomImage(w, h, 6);
        const Plane green = Copy(image->Green(), w * h);
        Filters::NeonLight(image.get());
        EXPECT_TRUE(NoValueLowered(green, image->Green()));
    }
}

TEST(SpatialFilters, NullImageDoesNothing) {
    Filters::Blur(nullptr);
    Filters::GaussBlur(nullptr, 5);
    Filters::NeonLight(nullptr);
    Filters::BlendWithColor(nullptr, 2, 2, 2);
    Filters::RotateCW(nullptr);
    Filters::RotateCCW(nullptr);
    Filters::GlassButton(nullptr);
    Filters::ReliefImage(nullptr);
}
