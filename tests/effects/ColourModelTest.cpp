#include "effects/zmathe.h"
#include "image/ImageTools.h"

#include <array>
#include <cmath>
#include <gtest/gtest.h>
#include <random>
#include <thread>

namespace {

using Triple = std::array<float, 3>;

uint32_t Pack(int r, int g, int b) {
    return uint32_t(r) | (uint32_t(g) << 8) | (uint32_t(b) << 16);
}

uint32_t Opaque(int r, int g, int b) {
    return Pack(r, g, b) | 0xFF000000u;
}

TEST(ColourModel, HueGivesHueSaturationBrightness) {
    const struct {
        uint32_t colour;
        bool hasHue;
        Triple hsb;
    } cases[] = {{Pack(255, 0, 0), true, {0, 255, 255}},
                 {Pack(0, 0, 255), true, {240, 255, 255}},
                 {Pack(0, 255, 0), true, {120, 255, 255}},
                 {Pack(255, 0, 128), true, {329.882355f, 255, 255}},
                 {Pack(128, 128, 128), false, {0, 0, 128}},
                 {Pack(0, 0, 0), false, {0, 0, 0}},
                 {Pack(128, 64, 64), true, {0, 127.5f, 128}},
                 {0xAB0000FFu, true, {0, 255, 255}}}; // bits 24 to 31 are not colour
    for (const auto& c : cases) {
        zvektor t(-1, -1, -1);
        EXPECT_EQ(ImageTools::Hue(c.colour, t), c.hasHue) << std::hex << c.colour;
        EXPECT_NEAR(t.x, c.hsb[0], 0.001) << std::hex << c.colour;
        EXPECT_EQ((Triple{t.y, t.z}), (Triple{c.hsb[1], c.hsb[2]})) << std::hex << c.colour;
    }
}

TEST(ColourModel, ColorFromHsbGivesRedGreenBlue) {
    const struct {
        Triple hsl, rgb;
    } cases[] = {{{0, 1, 0.5f}, {1, 0, 0}},
                 {{120, 1, 0.5f}, {0, 1, 0}},
                 {{240, 1, 0.5f}, {0, 0, 1}},
                 {{60, 1, 0.5f}, {1, 1, 0}},
                 {{30, 0.5f, 0.25f}, {0.375f, 0.25f, 0.125f}},
                 {{0, 0, 0.5f}, {127.5f, 127.5f, 127.5f}},
                 {{180, 1, 0.5f}, {0, 1, 1}},
                 {{300, 1, 0.5f}, {1, 0, 1}},
                 {{330, 1, 0.75f}, {1, 0.5f, 0.75f}},
                 // l = 0.5 takes the lower formulas, which differ in the last bit
                 {{0, 0.001f, 0.5f}, {0.500499964f, 0.499500006f, 0.499500006f}}};
    for (const auto& c : cases) {
        zvektor t(c.hsl[0], c.hsl[1], c.hsl[2]);
        EXPECT_EQ(&ImageTools::ColorFromHsb(t), &t);
        EXPECT_NEAR(t.x, c.rgb[0], 1e-6) << c.hsl[0] << " " << c.hsl[1] << " " << c.hsl[2];
        EXPECT_NEAR(t.y, c.rgb[1], 1e-6) << c.hsl[0] << " " << c.hsl[1] << " " << c.hsl[2];
        EXPECT_EQ(t.z, c.rgb[2]) << c.hsl[0] << " " << c.hsl[1] << " " << c.hsl[2];
    }
}

// The three-argument conversion leaves whole numbers 0..255 in fBuffer: hue
// taken modulo 360, saturation and brightness held in 0..1, anything not
// finite counted as 0.
TEST(ColourModel, HsbToRgbLeavesRedGreenBlueInTheBuffer) {
    const struct {
        double h, s, b;
        Triple rgb;
    } cases[] = {
        {0, 1, 1, {255, 0, 0}},    {120, 1, 1, {0, 255, 0}},      {240, 1, 0.5, {0, 0, 128}},
        {60, 1, 1, {255, 255, 0}}, {30, 0.5, 1, {255, 191, 128}}, {0, 0, 0.5, {128, 128, 128}},
        {-120, 1, 1, {0, 0, 255}}, {480, 1, 1, {0, 255, 0}},      {0, 2, 1, {255, 0, 0}},
        {0, 1, 7, {255, 0, 0}},    {0, -1, 0.5, {128, 128, 128}}, {0, 1, -1, {0, 0, 0}},
        {NAN, 1, 1, {255, 0, 0}},  {INFINITY, 1, 1, {255, 0, 0}}, {0, NAN, 1, {255, 255, 255}},
        {0, 1, NAN, {0, 0, 0}}};
    for (const auto& c : cases) {
        ImageTools::ColorFromHsb(c.h, c.s, c.b);
        const float* buffer = ImageTools::fBuffer();
        EXPECT_EQ((Triple{buffer[0], buffer[1], buffer[2]}), c.rgb)
            << c.h << " " << c.s << " " << c.b;
    }
}

TEST(ColourModel, ConvertToTargetHueAndIncreaseSaturation) {
    EXPECT_EQ(ImageTools::ConvertToTargetHue(Pack(255, 0, 0), 120.0f), Opaque(0, 255, 0));
    EXPECT_EQ(ImageTools::ConvertToTargetHue(Pack(200, 100, 50), 200.0f), Opaque(50, 150, 200));
    EXPECT_EQ(ImageTools::ConvertToTargetHue(Pack(90, 90, 90), 77.0f), Opaque(90, 90, 90));
    EXPECT_EQ(ImageTools::ConvertToTargetHue(0x5500FF00u, 0.0f), Opaque(255, 0, 0));
    // An earlier call leaves its red in fBuffer[0]; the colour's own hue is used.
    EXPECT_EQ(ImageTools::IncreaseSaturation(Pack(64, 128, 64), 2.0f), Opaque(0, 128, 0));
    EXPECT_EQ(ImageTools::IncreaseSaturation(Pack(128, 64, 64), 0.5f), Opaque(128, 96, 96));
    EXPECT_EQ(ImageTools::IncreaseSaturation(Pack(128, 64, 64), -3.0f), Opaque(128, 128, 128));
    std::mt19937 random(11);
    for (int k = 0; k < 20000; ++k) {
        const uint32_t c = random() & 0xFFFFFFu;
        zvektor t;
        ImageTools::Hue(c, t);
        ASSERT_EQ(ImageTools::ConvertToTargetHue(c, t.x), c | 0xFF000000u) << std::hex << c;
        ASSERT_EQ(ImageTools::IncreaseSaturation(c, 1.0f), c | 0xFF000000u) << std::hex << c;
    }
}

TEST(ColourModel, EachThreadHasItsOwnBuffer) {
    ImageTools::ConvertToTargetHue(Pack(255, 0, 0), 120.0f);
    const float* mine = ImageTools::fBuffer();
    const float* theirs = nullptr;
    std::thread other([&] {
        ImageTools::ConvertToTargetHue(Pack(255, 0, 0), 240.0f);
        theirs = ImageTools::fBuffer();
    });
    other.join();
    EXPECT_NE(mine, theirs);
    EXPECT_EQ((Triple{mine[0], mine[1], mine[2]}), (Triple{0, 255, 0}));
}

} // namespace
