#include "views/ViewGeometry.h"

#include <array>
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
                                               {2147483520.0f, 2147483520},
                                               {2147483648.0f, INT32_MAX},
                                               {-3e9f, INT32_MIN},
                                               {kInf, INT32_MAX},
                                               {-kInf, INT32_MIN},
                                               {std::numeric_limits<float>::quiet_NaN(), 0}};
    for (const auto& [value, expected] : cases) {
        EXPECT_EQ(TruncateToInt32(value), expected) << value;
    }
}

// The labels count y down from the top of a 300-point view and sit at the selection's corners.
TEST(CropGestureGeometry, CornerLabelsCountYDownFromTheTop) {
    const struct {
        ViewRect selection;
        const char *topLeft, *bottomRight;
        float at[4]; // top left x, y, bottom right x, y
    } cases[] = {
        {{10, 20, 100, 50}, "(10, 230)", "(110, 280)", {10, 70, 110, 20}},
        {{-5.5f, 35.5f, 310, 229}, "(-5, 35)", "(304, 264)", {-5.5f, 264.5f, 304.5f, 35.5f}}};
    for (const auto& c : cases) {
        const auto labels = CornerLabels(c.selection, 300.0f);
        EXPECT_EQ(labels[0].text, c.topLeft);
        EXPECT_EQ(labels[1].text, c.bottomRight);
        EXPECT_EQ((std::array{labels[0].at.x, labels[0].at.y, labels[1].at.x, labels[1].at.y}),
                  (std::array{c.at[0], c.at[1], c.at[2], c.at[3]}));
    }
    EXPECT_EQ(CropFraction(50.0f, 0.0f, 0.0f), 0.0f); // no fit yet: no division by zero
    EXPECT_EQ(CornerLabels({3e38f, -3e38f, 3e38f, 1}, 300.0f)[1].text, "(2147483647, 2147483647)");
}

TEST(ImageViewFit, LargestCentredRectangleOfThePicturesAspect) {
    EXPECT_EQ(FitInside(300, 400, 600, 300), QRectF(187.5, 0, 225, 300));
    EXPECT_EQ(FitInside(10, 10, 300, 200), QRectF(50, 0, 200, 200)); // scaled up
    EXPECT_EQ(FitInside(0, 10, 300, 300), QRectF());
    EXPECT_EQ(FitInside(10, 10, 0, 300), QRectF());
}

} // namespace
