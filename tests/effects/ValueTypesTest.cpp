#include "effects/punkt.h"

#include <climits>
#include <gtest/gtest.h>

TEST(Punkt, ScaleTruncatesTowardZeroAndSaturates) {
    punkt p = punkt().initWithCoords(7, -7);
    p.Scale(0.5f, 0.5f);
    EXPECT_EQ(std::pair(p.X(), p.Y()), std::pair(3, -3));
    p.Scale(1e30f, -1e30f);
    EXPECT_EQ(std::pair(p.X(), p.Y()), std::pair(INT32_MAX, INT32_MAX));
    p.Scale(NAN, -1e30f);
    EXPECT_EQ(std::pair(p.X(), p.Y()), std::pair(0, INT32_MIN));
}

TEST(Punkt, TransformMovesOneCoordinateIntoTheCut) {
    const struct {
        int32_t x, y, w, h, cw, ch, wantX, wantY;
    } cases[] = {
        {100, 50, 640, 640, 480, 640, 20, 50},
        {10, 50, 640, 640, 480, 640, 0, 50},
        {600, 50, 640, 640, 480, 640, 479, 50},
        {100, 600, 640, 640, 640, 480, 100, 479},
        {100, 0, 641, 0, 480, 640, 20, 0}, // halving toward zero: (641 - 480) / 2 = 80
        // sizes at the ends of int32 neither overflow nor escape the cut
        {INT32_MAX, 0, INT32_MIN, 0, INT32_MAX - 1, INT32_MAX, INT32_MAX - 2, 0},
        {5, 0, INT32_MAX, 0, INT32_MIN, INT32_MAX, INT32_MIN, 0},
    };
    for (const auto& c : cases) {
        punkt p = punkt().initWithCoords(c.x, c.y);
        p.Transform(c.w, c.h, c.cw, c.ch);
        EXPECT_EQ(std::pair(p.X(), p.Y()), std::pair(c.wantX, c.wantY)) << c.x << "," << c.w;
    }
}
