#include "filters/Filters.h"
#include "image/QuorelImage.h"
#include "support/LogCapture.h"
#include "support/TestPictures.h"

#include <array>
#include <cmath>
#include <gtest/gtest.h>

namespace {

using Rgb = std::array<int32_t, 3>;

Rgb PixelOf(QuorelImage& image, int i = 0) {
    return {image.Red()[i], image.Green()[i], image.Blue()[i]};
}

Rgb IncreaseSaturationOf(Rgb in) {
    auto image = TestPictures::FlatImage(1, 1, in[0], in[1], in[2]);
    Filters::IncreaseSaturation(image.get());
    return PixelOf(*image);
}

Rgb ChangeSaturationOf(Rgb in, float k, float shift) {
    auto image = TestPictures::FlatImage(1, 1, in[0], in[1], in[2]);
    Filters::ChangeSaturation(image.get(), k, shift);
    return PixelOf(*image);
}

} // namespace

TEST(SaturationFilters, IncreaseSaturationValues) {
    const struct {
        Rgb in, out;
    } cases[] = {{{64, 128, 200}, {162, 197, 237}},
                 {{10, 20, 30}, {9, 30, 50}},
                 {{128, 64, 64}, {191, 64, 64}},
                 {{255, 0, 0}, {255, 255, 255}},
                 {{0, 0, 0}, {0, 0, 0}},
                 {{77, 77, 77}, {77, 77, 77}},
                 {{255, 255, 255}, {255, 255, 255}}};
    for (const auto& c : cases) {
        EXPECT_EQ(IncreaseSaturationOf(c.in), c.out) << c.in[0] << "," << c.in[1] << "," << c.in[2];
    }
}

TEST(SaturationFilters, IncreaseSaturationLogsEveryThousandthPixel) {
    auto image = TestPictures::FlatImage(50, 61, 128, 64, 64); // 3050 pixels
    LogCapture log;
    Filters::IncreaseSaturation(image.get());
    // (128, 64, 64) packed with opaque alpha is 0xFF404080.
    EXPECT_EQ(log.Count(QStringLiteral("Color: -12566400 (128)")), 3);
    EXPECT_EQ(log.Lines().size(), 3);
}

TEST(SaturationFilters, IncreaseSaturationStopsLoggingAfterAGreyThousandthPixel) {
    auto image = TestPictures::FlatImage(50, 61, 128, 64, 64);
    for (int32_t* plane : {image->Red(), image->Green(), image->Blue()}) {
        plane[999] = 40;
    }
    LogCapture log;
    Filters::IncreaseSaturation(image.get());
    EXPECT_EQ(log.Lines(), QStringList{QStringLiteral("Color: -14145496 (40)")});
    EXPECT_EQ(PixelOf(*image, 999), (Rgb{40, 40, 40}));
    EXPECT_EQ(PixelOf(*image, 3049), (Rgb{191, 64, 64}));
}

struct ChangeCase {
    Rgb in;
    float k, shift;
    Rgb out;
};

class SaturationFiltersChange : public ::testing::TestWithParam<ChangeCase> {};

TEST_P(SaturationFiltersChange, GivesTheStatedColour) {
    const ChangeCase& c = GetParam();
    EXPECT_EQ(ChangeSaturationOf(c.in, c.k, c.shift), c.out);
}

INSTANTIATE_TEST_SUITE_P(
    SaturationFilters, SaturationFiltersChange,
    ::testing::Values(ChangeCase{{128, 64, 64}, 1, 0, {128, 64, 64}},
                      ChangeCase{{128, 64, 64}, 2, 0, {128, 0, 0}},
                      ChangeCase{{128, 64, 64}, 0, 0, {128, 128, 128}},
                      ChangeCase{{128, 64, 64}, -1, 0, {128, 128, 128}},
                      ChangeCase{{255, 0, 0}, 1, 120, {0, 255, 0}},
                      ChangeCase{{200, 100, 50}, 1, -30, {200, 50, 74}},
                      ChangeCase{{200, 100, 50}, 0.5f, 0, {200, 150, 125}},
                      ChangeCase{{200, 100, 50}, 1, 360 * 3 + 120, {50, 200, 99}},
                      // the grey levels whose value runs through floats one lower
                      ChangeCase{{45, 45, 45}, 1, 0, {44, 44, 44}},
                      ChangeCase{{53, 53, 53}, 1, 0, {52, 52, 52}},
                      ChangeCase{{99, 99, 99}, 1, 0, {98, 98, 98}},
                      ChangeCase{{253, 253, 253}, 1, 0, {252, 252, 252}},
                      ChangeCase{{255, 255, 255}, 1, 0, {255, 255, 255}},
                      ChangeCase{{0, 0, 0}, 1, 0, {0, 0, 0}},
                      // a hue shift that is not a number leaves the pixel as it is
                      ChangeCase{{200, 100, 50}, 1, NAN, {200, 100, 50}}));

TEST(SaturationFilters, NineteenGreyLevelsLoseOne) {
    int lower = 0;
    for (int v = 0; v < 256; ++v) {
        const Rgb out = ChangeSaturationOf({v, v, v}, 1, 0);
        EXPECT_TRUE(out == (Rgb{v, v, v}) || out == (Rgb{v - 1, v - 1, v - 1})) << v;
        lower += out[0] != v;
    }
    EXPECT_EQ(lower, 19);
}

TEST(SaturationFilters, HueRoundingToAFullTurnLeavesThePixel) {
    // Pure red has hue 0; 0 + (-1e-6) wraps to -1e-6 + 360, which is 360 in floats.
    EXPECT_EQ(ChangeSaturationOf({255, 0, 0}, 1, -1e-6f), (Rgb{255, 0, 0}));
    EXPECT_EQ(ChangeSaturationOf({255, 0, 0}, 1, -1e-3f), (Rgb{255, 0, 0}));
    EXPECT_EQ(ChangeSaturationOf({200, 100, 50}, 0.5f, -1e-6f), (Rgb{200, 150, 125}));
}

TEST(SaturationFilters, NullImageDoesNothing) {
    Filters::IncreaseSaturation(nullptr);
    Filters::ChangeSaturation(nullptr, 2, 30);
}
