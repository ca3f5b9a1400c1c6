#include "views/ViewGeometry.h"

#include <array>
#include <cmath>
#include <cstdint>
#include <gtest/gtest.h>

using namespace ViewGeometry;

namespace {

TEST(CropGestureGeometry, TruncationSaturatesInsteadOfOverflowing) {
    const std::pair<float, int32_t> cases[] = {
        {120.7f, 120},      {-2.5f, -2},           {2147483648.0f, INT32_MAX},
        {-3e9f, INT32_MIN}, {INFINITY, INT32_MAX}, {NAN, 0}};
    for (const auto& [value, expected] : cases) {
        EXPECT_EQ(TruncateToInt32(value), expected) << value;
    }
}

// The labels count y down from the top of a 300-point view and sit at the selection's corners.
TEST(CropGestureGeometry, CornerLabelsCountYDownFromTheTop) {
    const auto labels = CornerLabels({-5.5f, 35.5f, 310, 229}, 300.0f);
    EXPECT_EQ(labels[0].text, "(-5, 35)");
    EXPECT_EQ(labels[1].text, "(304, 264)");
    EXPECT_EQ((std::array{labels[0].at.x, labels[0].at.y, labels[1].at.x, labels[1].at.y}),
              (std::array{-5.5f, 264.5f, 304.5f, 35.5f}));
    EXPECT_EQ(CropFraction(50.0f, 0.0f, 0.0f), 0.0f); // no fit yet: no division by zero
    EXPECT_EQ(CornerLabels({3e38f, -3e38f, 3e38f, 1}, 300.0f)[1].text, "(2147483647, 2147483647)");
}

TEST(ImageViewFit, LargestCentredRectangleOfThePicturesAspect) {
    EXPECT_EQ(FitInside(300, 400, 600, 300), QRectF(187.5, 0, 225, 300));
    EXPECT_EQ(FitInside(10, 10, 300, 200), QRectF(50, 0, 200, 200)); // scaled up
    EXPECT_TRUE(FitInside(0, 10, 300, 300).isNull() && FitInside(10, 10, 0, 300).isNull());
}

} // namespace
