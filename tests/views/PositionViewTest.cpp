#include "views/PositionView.h"

#include "support/LogCapture.h"
#include "support/TestPictures.h"

#include <QSignalSpy>
#include <QTest>
#include <gtest/gtest.h>

namespace {

// Clicks on pickers of several sizes: the fractions divide by 50 points, unclamped, count
// upward from the bottom edge of the real view, and each click reports, the same point again
// too. (The window test places text where (25, 10) says.)
TEST(PositionView, ClicksGiveFractionsOfFiftyPointsAndReportEachTime) {
    const struct {
        QSize view;
        QPoint click; // widget position, y down
        float left, top;
    } cases[] = {{{50, 50}, {0, 50}, 0.0f, 0.0f},
                 {{100, 50}, {75, 25}, 1.5f, 0.5f},
                 {{50, 100}, {10, 90}, 0.2f, 0.2f}};
    for (const auto& c : cases) {
        PositionView view;
        view.resize(c.view);
        view.show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(&view));
        QSignalSpy changed(&view, &PositionView::ChangedTextPosition);
        LogCapture log;
        QTest::mouseClick(&view, Qt::LeftButton, Qt::NoModifier, c.click);
        QTest::mouseClick(&view, Qt::LeftButton, Qt::NoModifier, c.click);
        EXPECT_FLOAT_EQ(view.NormalizedLeftPosition(), c.left);
        EXPECT_FLOAT_EQ(view.NormalizedTopPosition(), c.top);
        EXPECT_EQ(changed.count(), 2);
        EXPECT_EQ(log.Lines(), QStringList({"POSITION IMAGE VIEW", "POSITION IMAGE VIEW"}));
    }
}

TEST(PositionView, CrossHairIsFiftyLongAndOnlyTheLeftReleaseClicks) {
    PositionView view;
    view.resize(100, 50);
    view.setImage(TestPictures::Solid(100, 50, Qt::white));
    view.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&view));
    const auto black = [&view](int x, int yDown) {
        return view.grab().toImage().pixelColor(x, yDown) == QColor(Qt::black);
    };
    EXPECT_TRUE(black(0, 20) && black(20, 49) && !black(20, 20)); // starts at the bottom left
    QSignalSpy changed(&view, &PositionView::ChangedTextPosition);
    QTest::mousePress(&view, Qt::LeftButton, Qt::NoModifier, QPoint(25, 25));
    EXPECT_EQ(view.NormalizedLeftPosition(), 0.0f);
    QTest::mouseRelease(&view, Qt::LeftButton, Qt::NoModifier, QPoint(75, 10)); // y up: 40
    QTest::mouseClick(&view, Qt::RightButton, Qt::NoModifier, QPoint(10, 10));
    EXPECT_FLOAT_EQ(view.NormalizedLeftPosition(), 1.5f);
    EXPECT_EQ(changed.count(), 1);
    EXPECT_TRUE(black(75, 30) && black(75, 0) && black(20, 9) && black(49, 9));
    EXPECT_FALSE(black(60, 9) || black(20, 30)); // 50 long, not the view's width
}

} // namespace
