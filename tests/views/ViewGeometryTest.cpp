#include "views/ViewGeometry.h"

#include <cstdint>
#include <gtest/gtest.h>
#include <limits>

using namespace ViewGeometry;

namespace {

TEST(CropGestureGeometry, TruncationSaturatesInsteadOfOverflowing) {
    constexpr float kInf = std::numeric_limits<float>::infinity();
    const std::pair<float, int32_t> cases[] = {{120.7f, 120},
                                               {-2.5f, -2},
                                               {-0.9f, 0},
                                               {2147483520.0f, 2147483520}, // largest below 2^31
                                               {2147483648.0f, INT32_MAX},
                                               {-3e9f, INT32_MIN},
                                               {kInf, INT32_MAX},
                                               {-kInf, INT32_MIN},
                                               {std::numeric_limits<float>::quiet_NaN(), 0}};
    for (const auto& [value, expected] : cases) {
        EXPECT_EQ(TruncateToInt32(value), expected) << value;
    }
}

TEST(CropGestureGeometry, CornerLabelsCountYDownFromTheTop) {
    struct Case {
        ViewRect selection;
        const char* topLeft;
        ViewPoint topLeftAt;
        const char* bottomRight;
        ViewPoint bottomRightAt;
    };
    const Case cases[] = {
        {{10, 20, 100, 50}, "(10, 230)", {10, 70}, "(110, 280)", {110, 20}},
        {{-5.5f, 35.5f, 310, 229}, "(-5, 35)", {-5.5f, 264.5f}, "(304, 264)", {304.5f, 35.5f}},
    };
    for (const Case& c : cases) {
        const auto labels = CornerLabels(c.selection, 300.0f);
        EXPECT_EQ(labels[0].text, c.topLeft);
        EXPECT_EQ(labels[1].text, c.bottomRight);
        EXPECT_EQ(labels[0].at.x, c.topLeftAt.x);
        EXPECT_EQ(labels[0].at.y, c.topLeftAt.y);
        EXPECT_EQ(labels[1].at.x, c.bottomRightAt.x);
        EXPECT_EQ(labels[1].at.y, c.bottomRightAt.y);
    }
    EXPECT_EQ(CropFraction(50.0f, 0.0f, 0.0f), 0.0f); // no fit yet: no division by zero
    EXPECT_EQ(CornerLabels({3e38f, -3e38f, 3e38f, 1}, 300.0f)[1].text, "(2147483647, 2147483647)");
}

TEST(ImageViewFit, LargestCentredRectangleOfThePicturesAspect) {
    struct Case {
        float w, h, viewW, viewH;
        QRectF expected;
    };
    const Case cases[] = {{300, 400, 600, 300, {187.5, 0, 225, 300}},
                          {10, 10, 300, 200, {50, 0, 200, 200}}, // scaled up
                          {0, 10, 300, 300, {}},
                          {10, 10, 0, 300, {}}};
    for (const Case& c : cases) {
        EXPECT_EQ(FitInside(c.w, c.h, c.viewW, c.viewH), c.expected) << c.w << "x" << c.h;
    }
}

} // namespace
