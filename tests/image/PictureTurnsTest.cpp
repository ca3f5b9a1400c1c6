#include "image/PictureTurns.h"
#include "image/ImageTools.h"
#include "support/TestPictures.h"

#include <gtest/gtest.h>

namespace {

using Turn = PictureTurns::Turn;

// The photo turned by plain pixel copies, as another program would have saved it.
QImage PreTurned(const QImage& photo, Turn turn) {
    const int w = photo.width();
    const int h = photo.height();
    const bool quarter = turn == Turn::Right || turn == Turn::Left;
    QImage turned = quarter ? photo.copy(0, 0, h, w) : photo.copy(); // the metadata, swapped
    turned.setDotsPerMeterX(quarter ? photo.dotsPerMeterY() : photo.dotsPerMeterX());
    turned.setDotsPerMeterY(quarter ? photo.dotsPerMeterX() : photo.dotsPerMeterY());
    for (int y = 0; y < h; ++y) {
        for (int x = 0; x < w; ++x) {
            const QPoint to = turn == Turn::Right  ? QPoint(h - 1 - y, x)
                              : turn == Turn::Left ? QPoint(y, w - 1 - x)
                              : turn == Turn::Flip ? QPoint(w - 1 - x, y)
                                                   : QPoint(w - 1 - x, h - 1 - y);
            turned.setPixel(to, photo.pixel(x, y));
        }
    }
    return turned;
}

// Turning in Trellica, then cropping, gives the bytes of cropping a pre-turned copy, and
// of turning the crop; the selection follows the turn.
TEST(PictureTurns, TurningThenCroppingEqualsCroppingAPreTurnedCopy) {
    QImage photo = TestPictures::Gradient(40, 30);
    photo.setDotsPerMeterX(3000);
    const FloatRect selection{5, 3, 20, 15}; // y up
    for (const Turn turn : {Turn::Right, Turn::HalfTurn, Turn::Left, Turn::Flip}) {
        const FloatRect turned = PictureTurns::TurnedRect(selection, {40, 30}, turn);
        const QImage ours =
            ImageTools::ScaleCutOut(PictureTurns::Turned(photo, turn), turned, {12, 12});
        EXPECT_EQ(ours, ImageTools::ScaleCutOut(PreTurned(photo, turn), turned, {12, 12}));
        EXPECT_EQ(ours, ImageTools::ScaleImage(
                            PictureTurns::Turned(ImageTools::CutOutImage(photo, selection), turn),
                            {12, 12}));
        EXPECT_EQ(ours.dotsPerMeterX(), PreTurned(photo, turn).dotsPerMeterX()) << int(turn);
    }
}

// A straightened photo has no empty pixel, not even partly empty along its edges, and is as large
// as its aspect allows; 0° leaves the photo as it is.
TEST(PictureTurns, StraighteningLeavesNoEmptyEdge) {
    const QImage photo =
        TestPictures::Solid(300, 200, Qt::white).convertToFormat(QImage::Format_ARGB32);
    EXPECT_EQ(PictureTurns::Straightened(photo, 0.0f).cacheKey(), photo.cacheKey());
    EXPECT_EQ(PictureTurns::StraightenedSize({300, 200}, 10.0f), QSize(240, 160));
    EXPECT_EQ(PictureTurns::StraightenedSize({200, 200}, -45.0f), QSize(141, 141));
    for (const float degrees : {0.1f, -3.0f, 12.5f, 45.0f, -45.0f}) {
        const QImage straight = PictureTurns::Straightened(photo, degrees);
        ASSERT_EQ(straight.size(), PictureTurns::StraightenedSize(photo.size(), degrees));
        // White all over: no pixel reaches beyond the photo, not even partly.
        EXPECT_EQ(straight, TestPictures::Solid(straight.width(), straight.height(), Qt::white)
                                .convertToFormat(straight.format()))
            << degrees;
    }
}

} // namespace
