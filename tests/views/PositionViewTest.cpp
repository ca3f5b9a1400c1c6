#include "views/PositionView.h"

#include "support/LogCapture.h"
#include "support/TestPictures.h"

#include <QSignalSpy>
#include <QTest>
#include <gtest/gtest.h>
#include <string>

namespace {

struct ClickCase {
    const char* name;
    int viewWidth, viewHeight;
    QPoint click; // widget position, y down
    float left, top;
};

class PositionViewClick : public ::testing::TestWithParam<ClickCase> {};

TEST_P(PositionViewClick, GivesUnclampedFractionsOfFiftyPoints) {
    const ClickCase& c = GetParam();
    PositionView view;
    view.resize(c.viewWidth, c.viewHeight);
    view.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&view));
    QSignalSpy changed(&view, &PositionView::ChangedTextPosition);
    LogCapture log;
    QTest::mouseClick(&view, Qt::LeftButton, Qt::NoModifier, c.click);
    EXPECT_FLOAT_EQ(view.NormalizedLeftPosition(), c.left);
    EXPECT_FLOAT_EQ(view.NormalizedTopPosition(), c.top);
    EXPECT_EQ(changed.count(), 1);
    EXPECT_EQ(log.Lines(), QStringList({"POSITION IMAGE VIEW"}));
    // The same point again reports again.
    QTest::mouseClick(&view, Qt::LeftButton, Qt::NoModifier, c.click);
    EXPECT_EQ(changed.count(), 2);
    EXPECT_EQ(log.Count("POSITION IMAGE VIEW"), 2);
}

INSTANTIATE_TEST_SUITE_P(
    PositionView, PositionViewClick,
    ::testing::Values(ClickCase{"Middle", 50, 50, {25, 10}, 0.5f, 0.8f},
                      ClickCase{"BottomLeft", 50, 50, {0, 50}, 0.0f, 0.0f},
                      ClickCase{"BeyondFiftyInAWideView", 100, 50, {75, 25}, 1.5f, 0.5f},
                      // Counted upward from the bottom of the real view.
                      ClickCase{"TallView", 50, 100, {10, 90}, 0.2f, 0.2f}),
    [](const auto& info) { return std::string(info.param.name); });

class PositionViewTest : public ::testing::Test {
protected:
    void Show(int width, int height) {
        view.resize(width, height);
        view.setImage(TestPictures::Solid(width, height, Qt::white));
        view.show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(&view));
    }
    PositionView view;
};

TEST_F(PositionViewTest, StartsAtTheBottomLeftCorner) {
    Show(50, 50);
    EXPECT_EQ(view.NormalizedLeftPosition(), 0.0f);
    EXPECT_EQ(view.NormalizedTopPosition(), 0.0f);
    const QImage shot = view.grab().toImage();
    EXPECT_EQ(shot.pixelColor(0, 20), QColor(Qt::black));  // along the left edge
    EXPECT_EQ(shot.pixelColor(20, 49), QColor(Qt::black)); // along the bottom edge
    EXPECT_EQ(shot.pixelColor(20, 20), QColor(Qt::white));
}

TEST_F(PositionViewTest, CrossHairCrossesAtTheClickAndIsFiftyLong) {
    Show(100, 50);
    QTest::mouseClick(&view, Qt::LeftButton, Qt::NoModifier, QPoint(75, 10)); // y up: 40
    const QImage shot = view.grab().toImage();
    EXPECT_EQ(shot.pixelColor(75, 30), QColor(Qt::black)); // vertical line at x 75
    EXPECT_EQ(shot.pixelColor(75, 0), QColor(Qt::black));
    EXPECT_EQ(shot.pixelColor(20, 9), QColor(Qt::black)); // horizontal line at y 40
    EXPECT_EQ(shot.pixelColor(49, 9), QColor(Qt::black));
    EXPECT_EQ(shot.pixelColor(60, 9), QColor(Qt::white)); // 50 long, not the view's width
    EXPECT_EQ(shot.pixelColor(20, 30), QColor(Qt::white));
}

TEST_F(PositionViewTest, PressAndOtherButtonsChangeNothing) {
    Show(50, 50);
    QSignalSpy changed(&view, &PositionView::ChangedTextPosition);
    QTest::mousePress(&view, Qt::LeftButton, Qt::NoModifier, QPoint(25, 25));
    EXPECT_EQ(view.NormalizedLeftPosition(), 0.0f);
    QTest::mouseRelease(&view, Qt::LeftButton, Qt::NoModifier, QPoint(30, 25));
    EXPECT_FLOAT_EQ(view.NormalizedLeftPosition(), 0.6f); // the release is the click
    QTest::mouseClick(&view, Qt::RightButton, Qt::NoModifier, QPoint(10, 10));
    EXPECT_FLOAT_EQ(view.NormalizedLeftPosition(), 0.6f);
    EXPECT_EQ(changed.count(), 1);
}

} // namespace
