#include "effects/zmathe.h"
#include "image/ImageTools.h"

#include <array>
#include <cmath>
#include <gtest/gtest.h>
#include <thread>

namespace {

// The three-argument conversion leaves whole numbers 0..255 in fBuffer: hue taken modulo 360,
// saturation and brightness held in 0..1, anything not finite counted as 0. In range, every
// colour turned to its own hue comes back, on two threads at once (fBuffer is each thread's
// own); Hue and the one-argument form have a reference.
TEST(ColourModel, OutOfRangeIsHeldAndEveryColourComesBackOnEveryThread) {
    // hue, saturation, brightness -> 0xRRGGBB
    const std::array<double, 4> cases[] = {
        {-120, 1, 1, 0x0000FF}, {480, 2, 7, 0x00FF00}, {0, -1, 0.5, 0x808080}, {0, 1, -1, 0},
        {NAN, 1, 1, 0xFF0000},  {0, NAN, 1, 0xFFFFFF}, {0, 1, NAN, 0}};
    for (const float* p = ImageTools::fBuffer(); const auto& c : cases) {
        ImageTools::ColorFromHsb(c[0], c[1], c[2]);
        EXPECT_EQ(p[0] * 65536 + p[1] * 256 + p[2], c[3]) << c[0] << " " << c[1] << " " << c[2];
    }
    EXPECT_EQ(ImageTools::ConvertToTargetHue(0x003264C8u, 200.0f), 0xFFC89632u);
    EXPECT_EQ(ImageTools::IncreaseSaturation(0x00404080u, 0.5f), 0xFF606080u);
    const auto roundTrip = [](uint32_t first) {
        for (uint32_t c = first; c <= 0xFFFFFFu; c += 839) { // about 20000 colours each
            zvektor t;
            ImageTools::Hue(c, t);
            ASSERT_EQ(ImageTools::ConvertToTargetHue(c, t.x), c | 0xFF000000u) << c;
            ASSERT_EQ(ImageTools::IncreaseSaturation(c, 1.0f), c | 0xFF000000u) << c;
        }
    };
    std::thread other(roundTrip, 400);
    roundTrip(11);
    other.join();
}

} // namespace
