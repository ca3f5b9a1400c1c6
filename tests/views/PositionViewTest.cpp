#include "views/PositionView.h"

#include "support/LogCapture.h"
#include "support/TestPictures.h"

#include <QSignalSpy>
#include <QTest>
#include <gtest/gtest.h>

namespace {

// A left release gives fractions of 50 points, unclamped, counting upward from the bottom edge
// of the real view, and reports each time, the same point again too. (The window test places
// text where (25, 10) says.)
TEST(PositionView, LeftReleasesGiveFractionsOfFiftyPointsAndMoveTheFiftyLongCrossHair) {
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
    LogCapture log;
    QTest::mousePress(&view, Qt::LeftButton, Qt::NoModifier, QPoint(25, 25));
    QTest::mouseRelease(&view, Qt::LeftButton, Qt::NoModifier, QPoint(75, 10)); // y up: 40
    QTest::mouseClick(&view, Qt::RightButton, Qt::NoModifier, QPoint(10, 10));
    EXPECT_FLOAT_EQ(view.NormalizedLeftPosition(), 1.5f);
    EXPECT_FLOAT_EQ(view.NormalizedTopPosition(), 0.8f);
    EXPECT_TRUE(black(75, 30) && black(75, 0) && black(20, 9) && black(49, 9));
    EXPECT_FALSE(black(60, 9) || black(20, 30)); // 50 long, not the view's width
    view.resize(50, 100);
    QTest::mouseClick(&view, Qt::LeftButton, Qt::NoModifier, QPoint(10, 90));
    QTest::mouseClick(&view, Qt::LeftButton, Qt::NoModifier, QPoint(10, 90));
    EXPECT_FLOAT_EQ(view.NormalizedLeftPosition(), 0.2f);
    EXPECT_FLOAT_EQ(view.NormalizedTopPosition(), 0.2f);
    EXPECT_EQ(changed.count(), 3); // not on the press or the right button
    EXPECT_EQ(log.Lines(), QStringList(3, "POSITION IMAGE VIEW"));
}

} // namespace
