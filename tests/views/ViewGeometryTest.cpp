#include "views/ViewGeometry.h"

#include <cstdint>
#include <gtest/gtest.h>
#include <limits>

using namespace ViewGeometry;

namespace {

TEST(CropGestureGeometry, TruncationSaturatesInsteadOfOverflowing) {
    struct Case {
        float value;
        int32_t expected;
    };
    const Case cases[] = {{120.7f, 120},
                          {120.2f, 120},
                          {-2.5f, -2},
                          {-0.9f, 0},
                          {2147483520.0f, 2147483520}, // the largest float below 2^31
                          {2147483648.0f, INT32_MAX},
                          {-2147483648.0f, INT32_MIN},
                          {-3e9f, INT32_MIN},
                          {std::numeric_limits<float>::infinity(), INT32_MAX},
                          {-std::numeric_limits<float>::infinity(), INT32_MIN},
                          {std::numeric_limits<float>::quiet_NaN(), 0}};
    for (const Case& c : cases) {
        EXPECT_EQ(TruncateToInt32(c.value), c.expected) << c.value;
    }
}

TEST(CropGestureGeometry, FlipsBetweenWidgetAndViewCoordinates) {
    // A click on the widget's row 250 of 300 is 50 points above the bottom.
    const ViewPoint p = ToViewPoint(QPointF(40, 250), 300.0f);
    EXPECT_EQ(p.x, 40.0f);
    EXPECT_EQ(p.y, 50.0f);
    EXPECT_EQ(ToViewPoint(QPointF(0, 0), 300.0f).y, 300.0f);

    struct Case {
        ViewRect view;
        QRectF widget;
    };
    const Case cases[] = {
        {{50, 50, 100, 100}, {50, 150, 100, 100}}, {{0, 0, 300, 300}, {0, 0, 300, 300}},
        {{0, 49.5f, 300, 1}, {0, 249.5, 300, 1}}, // a guide line
        {{10, 0, 1, 300}, {10, 0, 1, 300}},        {{-5, 35.5f, 310, 229}, {-5, 35.5, 310, 229}},
        {{0, 10, -20, 30}, {0, 260, -20, 30}}, // negative sizes pass through
    };
    for (const Case& c : cases) {
        EXPECT_EQ(ToWidgetRect(c.view, 300.0f), c.widget);
    }
}

TEST(CropGestureGeometry, CropFractionsAreUnclampedAndSafeWithoutAFit) {
    EXPECT_EQ(CropFraction(37.5f, 37.5f, 225.0f), 0.0f);
    EXPECT_EQ(CropFraction(262.5f, 37.5f, 225.0f), 1.0f);
    EXPECT_LT(CropFraction(20.0f, 37.5f, 225.0f), 0.0f);
    EXPECT_GT(CropFraction(400.0f, 0.0f, 300.0f), 1.0f);
    EXPECT_EQ(CropFraction(50.0f, 0.0f, 0.0f), 0.0f);
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
        {{0, 37.5f, 300, 225}, "(0, 37)", {0, 262.5f}, "(300, 262)", {300, 37.5f}},
        {{-5.5f, 35.5f, 310, 229}, "(-5, 35)", {-5.5f, 264.5f}, "(304, 264)", {304.5f, 35.5f}},
    };
    for (const Case& c : cases) {
        const auto labels = CornerLabels(c.selection, 300.0f);
        EXPECT_EQ(labels[0].text, c.topLeft);
        EXPECT_EQ(labels[0].at.x, c.topLeftAt.x);
        EXPECT_EQ(labels[0].at.y, c.topLeftAt.y);
        EXPECT_EQ(labels[1].text, c.bottomRight);
        EXPECT_EQ(labels[1].at.x, c.bottomRightAt.x);
        EXPECT_EQ(labels[1].at.y, c.bottomRightAt.y);
    }
    const float huge = 3e38f;
    EXPECT_EQ(CornerLabels({huge, -huge, huge, 1}, 300.0f)[1].text, "(2147483647, 2147483647)");
}

TEST(ImageViewFit, LargestCentredRectangleOfThePicturesAspect) {
    struct Case {
        float w, h, viewW, viewH;
        QRectF expected;
    };
    const Case cases[] = {{400, 300, 300, 300, {0, 37.5, 300, 225}},
                          {300, 400, 600, 300, {187.5, 0, 225, 300}},
                          {10, 10, 300, 200, {50, 0, 200, 200}}, // scaled up
                          {4032, 3024, 512, 512, {0, 64, 512, 384}},
                          {0, 10, 300, 300, {}},
                          {10, 10, 0, 300, {}}};
    for (const Case& c : cases) {
        EXPECT_EQ(FitInside(c.w, c.h, c.viewW, c.viewH), c.expected) << c.w << "x" << c.h;
    }
}

TEST(PositionViewFraction, DividesByFiftyUnclamped) {
    const float cases[][2] = {{0, 0}, {25, 0.5f}, {40, 0.8f}, {50, 1}, {75, 1.5f}, {-10, -0.2f}};
    for (const auto& c : cases) {
        EXPECT_FLOAT_EQ(PickerFraction(c[0]), c[1]);
    }
}

} // namespace
