#include "views/ImageView.h"

#include "support/TestPictures.h"

#include <QTest>
#include <gtest/gtest.h>

namespace {

TEST(ImageViewTest, DrawsThePictureScaledAndCentredAndFollowsTheViewSize) {
    ImageView view;
    view.resize(300, 300);
    view.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&view));
    const QImage empty = view.grab().toImage();
    view.setImage(TestPictures::Solid(40, 30, Qt::red)); // scaled up
    EXPECT_EQ(view.FittedRect(), QRectF(0, 37.5, 300, 225));
    const QImage shot = view.grab().toImage();
    EXPECT_EQ(shot.pixelColor(150, 40), QColor(Qt::red));
    EXPECT_EQ(shot.pixelColor(150, 20), empty.pixelColor(150, 20)); // margins untouched
    EXPECT_EQ(shot.pixelColor(150, 280), empty.pixelColor(150, 280));
    view.resize(600, 300);
    EXPECT_EQ(view.FittedRect(), QRectF(100, 0, 400, 300));
    view.setImage(QImage());
    EXPECT_TRUE(view.FittedRect().isEmpty());
    EXPECT_EQ(view.grab().toImage().pixelColor(150, 150), empty.pixelColor(150, 150));
}

} // namespace
