#include "effects/zmathe.h"
#include "image/ImageTools.h"

#include <cmath>
#include <gtest/gtest.h>
#include <random>
#include <thread>

namespace {

uint32_t Pack(int r, int g, int b) {
    return uint32_t(r) | (uint32_t(g) << 8) | (uint32_t(b) << 16);
}

uint32_t Opaque(int r, int g, int b) {
    return Pack(r, g, b) | 0xFF000000u;
}

// The textbook hue-saturation-lightness conversion, in double.
void TextbookHsl(double h, double s, double l, double rgb[3]) {
    const double c = (1 - std::fabs(2 * l - 1)) * s;
    const double hp = h / 60.0;
    const double x = c * (1 - std::fabs(std::fmod(hp, 2.0) - 1));
    const double m = l - c / 2;
    const double table[6][3] = {{c, x, 0}, {x, c, 0}, {0, c, x}, {0, x, c}, {x, 0, c}, {c, 0, x}};
    const int sector = std::min(5, int(hp));
    for (int k = 0; k < 3; ++k) {
        rgb[k] = table[sector][k] + m;
    }
}

} // namespace

struct HueCase {
    uint32_t colour;
    bool hasHue;
    float h, s, b;
};

class ColourModelHue : public ::testing::TestWithParam<HueCase> {};

TEST_P(ColourModelHue, GivesHueSaturationBrightness) {
    const HueCase& c = GetParam();
    zvektor t(-1, -1, -1);
    EXPECT_EQ(ImageTools::Hue(c.colour, t), c.hasHue);
    EXPECT_NEAR(t.x, c.h, 0.005);
    EXPECT_FLOAT_EQ(t.y, c.s);
    EXPECT_FLOAT_EQ(t.z, c.b);
}

INSTANTIATE_TEST_SUITE_P(ColourModel, ColourModelHue,
                         ::testing::Values(HueCase{Pack(255, 0, 0), true, 0, 255, 255},
                                           HueCase{Pack(0, 0, 255), true, 240, 255, 255},
                                           HueCase{Pack(0, 255, 0), true, 120, 255, 255},
                                           HueCase{Pack(255, 0, 128), true, 329.88f, 255, 255},
                                           HueCase{Pack(128, 128, 128), false, 0, 0, 128},
                                           HueCase{Pack(0, 0, 0), false, 0, 0, 0},
                                           // (128, 64, 64): spread 64 of 128 is half the scale
                                           HueCase{Pack(128, 64, 64), true, 0, 127.5f, 128},
                                           // bits 24 to 31 are not part of the colour
                                           HueCase{0xAB0000FFu, true, 0, 255, 255}));

struct HslCase {
    float h, s, l;
    float r, g, b;
};

class ColourModelColorFromHsb : public ::testing::TestWithParam<HslCase> {};

TEST_P(ColourModelColorFromHsb, GivesRedGreenBlue) {
    const HslCase& c = GetParam();
    zvektor t(c.h, c.s, c.l);
    zvektor& same = ImageTools::ColorFromHsb(t);
    EXPECT_EQ(&same, &t);
    EXPECT_FLOAT_EQ(t.x, c.r);
    EXPECT_FLOAT_EQ(t.y, c.g);
    EXPECT_FLOAT_EQ(t.z, c.b);
}

INSTANTIATE_TEST_SUITE_P(
    ColourModel, ColourModelColorFromHsb,
    ::testing::Values(HslCase{0, 1, 0.5f, 1, 0, 0}, HslCase{120, 1, 0.5f, 0, 1, 0},
                      HslCase{240, 1, 0.5f, 0, 0, 1}, HslCase{60, 1, 0.5f, 1, 1, 0},
                      HslCase{30, 0.5f, 0.25f, 0.375f, 0.25f, 0.125f},
                      HslCase{0, 0, 0.5f, 127.5f, 127.5f, 127.5f}, HslCase{180, 1, 0.5f, 0, 1, 1},
                      HslCase{300, 1, 0.5f, 1, 0, 1}, HslCase{330, 1, 0.75f, 1, 0.5f, 0.75f}));

TEST(ColourModel, LightnessOneHalfTakesTheLowerFormulas) {
    // At l = 0.5 and s = 0.001 the two formulas for m1 differ in the last bit.
    zvektor t(0, 0.001f, 0.5f);
    ImageTools::ColorFromHsb(t);
    EXPECT_EQ(t.z, 0.499500006f);
    EXPECT_NE(t.z, 0.499500036f);
}

TEST(ColourModel, ColorFromHsbAgreesWithTheTextbookInEverySector) {
    std::mt19937 random(7);
    std::uniform_real_distribution<float> hue(0.0f, 359.99f);
    std::uniform_real_distribution<float> unit(0.01f, 1.0f);
    for (int k = 0; k < 2000; ++k) {
        const float h = hue(random), s = unit(random), l = unit(random);
        zvektor t(h, s, l);
        ImageTools::ColorFromHsb(t);
        double want[3];
        TextbookHsl(h, s, l, want);
        EXPECT_NEAR(t.x, want[0], 1e-5) << h << " " << s << " " << l;
        EXPECT_NEAR(t.y, want[1], 1e-5) << h << " " << s << " " << l;
        EXPECT_NEAR(t.z, want[2], 1e-5) << h << " " << s << " " << l;
    }
}

struct HsbCase {
    double h, s, b;
    float r, g, bl;
};

class ColourModelHsbToRgb : public ::testing::TestWithParam<HsbCase> {};

// The three-argument conversion leaves whole numbers 0..255 in fBuffer.
TEST_P(ColourModelHsbToRgb, LeavesRedGreenBlueInTheBuffer) {
    const HsbCase& c = GetParam();
    ImageTools::ColorFromHsb(c.h, c.s, c.b);
    const float* buffer = ImageTools::fBuffer();
    EXPECT_EQ(buffer[0], c.r);
    EXPECT_EQ(buffer[1], c.g);
    EXPECT_EQ(buffer[2], c.bl);
}

INSTANTIATE_TEST_SUITE_P(
    ColourModel, ColourModelHsbToRgb,
    ::testing::Values(HsbCase{0, 1, 1, 255, 0, 0}, HsbCase{120, 1, 1, 0, 255, 0},
                      HsbCase{240, 1, 0.5, 0, 0, 128}, HsbCase{60, 1, 1, 255, 255, 0},
                      HsbCase{30, 0.5, 1, 255, 191, 128}, HsbCase{0, 0, 0.5, 128, 128, 128},
                      // hue taken modulo 360, saturation and brightness held in 0..1
                      HsbCase{-120, 1, 1, 0, 0, 255}, HsbCase{480, 1, 1, 0, 255, 0},
                      HsbCase{0, 2, 1, 255, 0, 0}, HsbCase{0, 1, 7, 255, 0, 0},
                      HsbCase{0, -1, 0.5, 128, 128, 128}, HsbCase{0, 1, -1, 0, 0, 0},
                      // anything not finite counts as 0
                      HsbCase{NAN, 1, 1, 255, 0, 0}, HsbCase{INFINITY, 1, 1, 255, 0, 0},
                      HsbCase{0, NAN, 1, 255, 255, 255}, HsbCase{0, 1, NAN, 0, 0, 0}));

TEST(ColourModel, ConvertToTargetHueTurnsTheHue) {
    EXPECT_EQ(ImageTools::ConvertToTargetHue(Pack(255, 0, 0), 120.0f), Opaque(0, 255, 0));
    EXPECT_EQ(ImageTools::ConvertToTargetHue(Pack(255, 0, 0), 240.0f), Opaque(0, 0, 255));
    EXPECT_EQ(ImageTools::ConvertToTargetHue(Pack(200, 100, 50), 200.0f), Opaque(50, 150, 200));
    // A grey has no saturation: any hue leaves it grey.
    EXPECT_EQ(ImageTools::ConvertToTargetHue(Pack(90, 90, 90), 77.0f), Opaque(90, 90, 90));
    // Bits 24 to 31 of the input are ignored, and set in the result.
    EXPECT_EQ(ImageTools::ConvertToTargetHue(0x5500FF00u, 0.0f), Opaque(255, 0, 0));
}

TEST(ColourModel, EveryColourTurnedToItsOwnHueComesBackUnchanged) {
    std::mt19937 random(11);
    for (int k = 0; k < 20000; ++k) {
        const uint32_t c = random() & 0xFFFFFFu;
        zvektor t;
        ImageTools::Hue(c, t);
        ASSERT_EQ(ImageTools::ConvertToTargetHue(c, t.x), c | 0xFF000000u) << std::hex << c;
        ASSERT_EQ(ImageTools::IncreaseSaturation(c, 1.0f), c | 0xFF000000u) << std::hex << c;
    }
}

TEST(ColourModel, IncreaseSaturationKeepsTheColoursOwnHue) {
    // An earlier call leaves its red in fBuffer[0]; the colour's own hue is used.
    ImageTools::ConvertToTargetHue(Pack(200, 10, 10), 0.0f);
    EXPECT_EQ(ImageTools::IncreaseSaturation(Pack(64, 128, 64), 2.0f), Opaque(0, 128, 0));
    EXPECT_EQ(ImageTools::IncreaseSaturation(Pack(128, 64, 64), 2.0f), Opaque(128, 0, 0));
    EXPECT_EQ(ImageTools::IncreaseSaturation(Pack(128, 64, 64), 0.0f), Opaque(128, 128, 128));
    EXPECT_EQ(ImageTools::IncreaseSaturation(Pack(128, 64, 64), 0.5f), Opaque(128, 96, 96));
    EXPECT_EQ(ImageTools::IncreaseSaturation(Pack(128, 64, 64), -3.0f), Opaque(128, 128, 128));
}

TEST(ColourModel, EachThreadHasItsOwnBuffer) {
    ImageTools::ConvertToTargetHue(Pack(255, 0, 0), 120.0f);
    const float* mine = ImageTools::fBuffer();
    const float* theirs = nullptr;
    float theirGreen = -1;
    std::thread other([&] {
        ImageTools::ConvertToTargetHue(Pack(255, 0, 0), 240.0f);
        theirs = ImageTools::fBuffer();
        theirGreen = theirs[1];
    });
    other.join();
    EXPECT_NE(mine, theirs);
    EXPECT_EQ(theirGreen, 0.0f);
    EXPECT_EQ(mine[0], 0.0f);
    EXPECT_EQ(mine[1], 255.0f);
    EXPECT_EQ(mine[2], 0.0f);
}
