#include "effects/punkt.h"

#include <climits>
#include <gtest/gtest.h>

// Scaling truncates toward zero and saturates; moving into a cut stays inside it, even with
// sizes at the ends of int32.
TEST(Punkt, ScaleAndTransformSaturateInsteadOfOverflowing) {
    punkt p = punkt().initWithCoords(7, -7);
    p.Scale(0.5f, 0.5f);
    EXPECT_EQ(std::pair(p.X(), p.Y()), std::pair(3, -3));
    p.Scale(NAN, -1e30f);
    EXPECT_EQ(std::pair(p.X(), p.Y()), std::pair(0, INT32_MAX));
    const int32_t cases[][8] = {
        // x, y, w, h, cw, ch, then the wanted x, y
        {100, 50, 640, 640, 480, 640, 20, 50},
        {10, 50, 640, 640, 480, 640, 0, 50},
        {600, 50, 640, 640, 480, 640, 479, 50},
        {100, 600, 640, 640, 640, 480, 100, 479},
        {100, 0, 641, 0, 480, 640, 20, 0},
        {INT32_MAX, 0, INT32_MIN, 0, INT32_MAX - 1, INT32_MAX, INT32_MAX - 2, 0},
        {5, 0, INT32_MAX, 0, INT32_MIN, INT32_MAX, INT32_MIN, 0}};
    for (const auto& c : cases) {
        p = punkt().initWithCoords(c[0], c[1]);
        p.Transform(c[2], c[3], c[4], c[5]);
        EXPECT_EQ(std::pair(p.X(), p.Y()), std::pair(c[6], c[7])) << c[0] << "," << c[2];
    }
}
