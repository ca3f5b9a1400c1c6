#include "effects/zmathe.h"
#include "image/ImageTools.h"

#include <array>
#include <cmath>
#include <gtest/gtest.h>
#include <random>
#include <thread>

namespace {

using Triple = std::array<float, 3>;

// The three-argument conversion leaves whole numbers 0..255 in fBuffer: hue taken modulo 360,
// saturation and brightness held in 0..1, anything not finite counted as 0. (In range, the
// round trip below covers it; Hue and the one-argument form have a reference.)
TEST(ColourModel, HsbToRgbHoldsWhatIsOutOfRange) {
    const struct {
        double h, s, b;
        Triple rgb;
    } cases[] = {
        {240, 1, 0.5, {0, 0, 128}},    {30, 0.5, 1, {255, 191, 128}}, {-120, 1, 1, {0, 0, 255}},
        {480, 1, 1, {0, 255, 0}},      {0, 2, 1, {255, 0, 0}},        {0, 1, 7, {255, 0, 0}},
        {0, -1, 0.5, {128, 128, 128}}, {0, 1, -1, {0, 0, 0}},         {NAN, 1, 1, {255, 0, 0}},
        {INFINITY, 1, 1, {255, 0, 0}}, {0, NAN, 1, {255, 255, 255}},  {0, 1, NAN, {0, 0, 0}},
        {359.99, 1, 1, {255, 0, 0}}};
    for (const auto& c : cases) {
        ImageTools::ColorFromHsb(c.h, c.s, c.b);
        const float* buffer = ImageTools::fBuffer();
        EXPECT_EQ((Triple{buffer[0], buffer[1], buffer[2]}), c.rgb)
            << c.h << " " << c.s << " " << c.b;
    }
}

TEST(ColourModel, EveryColourTurnedToItsOwnHueComesBackOnEveryThread) {
    EXPECT_EQ(ImageTools::ConvertToTargetHue(0x003264C8u, 200.0f), 0xFFC89632u);
    EXPECT_EQ(ImageTools::IncreaseSaturation(0x00404080u, 0.5f), 0xFF606080u);
    const auto roundTrip = [](uint32_t seed, int* failures) {
        std::mt19937 random(seed);
        for (int k = 0; k < 20000; ++k) {
            const uint32_t c = random() & 0xFFFFFFu;
            zvektor t;
            ImageTools::Hue(c, t);
            *failures += ImageTools::ConvertToTargetHue(c, t.x) != (c | 0xFF000000u);
            *failures += ImageTools::IncreaseSaturation(c, 1.0f) != (c | 0xFF000000u);
        }
    };
    int mine = 0, theirs = 0;
    std::thread other(roundTrip, 12, &theirs); // fBuffer is each thread's own
    roundTrip(11, &mine);
    other.join();
    EXPECT_EQ(mine + theirs, 0);
}

} // namespace
