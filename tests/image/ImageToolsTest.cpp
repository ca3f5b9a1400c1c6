#include "image/ImageTools.h"
#include "support/TestPictures.h"

#include <QApplication>
#include <cmath>
#include <gtest/gtest.h>
#include <limits>

namespace {

using TestPictures::PixelAt;

// A picture fitted into a box keeps its aspect, truncating the other side; the sizes of the
// targets (512 x 512, 200 x 300, 96 x 96) with pictures wider, taller, smaller and larger.
TEST(ImageToolsScale, FitsInsideTheBoxKeepingAspect) {
    const int cases[][6] = {{800, 600, 512, 512, 512, 384},  {600, 800, 512, 512, 384, 512},
                            {1000, 333, 512, 512, 512, 170}, {3, 7, 512, 512, 219, 512},
                            {384, 512, 200, 300, 200, 266},  {256, 512, 200, 300, 150, 300},
                            {512, 512, 200, 300, 200, 200},  {512, 256, 96, 96, 96, 48}};
    for (const auto& c : cases) {
        const QImage scaled = ImageTools::ScaleImage(TestPictures::Solid(c[0], c[1], Qt::red),
                                                     {float(c[2]), float(c[3])});
        EXPECT_EQ(scaled.size(), QSize(c[4], c[5])) << c[0] << "x" << c[1] << " in " << c[2];
    }
}

// Boxes and rectangles that are empty, negative, not finite or far too large give no picture.
TEST(ImageToolsScale, NothingToFitOrCutGivesNoPicture) {
    const QImage picture = TestPictures::Solid(10, 10, Qt::red);
    const float nan = std::numeric_limits<float>::quiet_NaN();
    const float inf = std::numeric_limits<float>::infinity();
    for (FloatSize box :
         {FloatSize{0, 10}, FloatSize{-5, 10}, FloatSize{nan, 10}, FloatSize{10, inf}}) {
        EXPECT_TRUE(ImageTools::ScaleImage(picture, box).isNull())
            << box.width << "x" << box.height;
    }
    EXPECT_TRUE(ImageTools::ScaleImage(QImage(), {10, 10}).isNull());
    EXPECT_TRUE(ImageTools::ScaleImage(TestPictures::Solid(1, 1000, Qt::red), {512, 512}).isNull());
    for (FloatRect r :
         {FloatRect{0, 0, 0, 5}, FloatRect{0, 0, 5, -1}, FloatRect{0, 0, nan, 5},
          FloatRect{0, 0, 5, inf}, FloatRect{nan, 0, 5, 5}, FloatRect{0, inf, 5, 5},
          FloatRect{0, 0, 1e9f, 1e9f}, FloatRect{0, 0, 1.55e25f, 5}, FloatRect{0, 0, 5, -1e30f}}) {
        EXPECT_TRUE(ImageTools::CutOutImage(picture, r).isNull());
        EXPECT_TRUE(
            ImageTools::CutOutImagePlusText(picture, r, "x", QFont(), 0, 0, Qt::black, QColor())
                .isNull());
    }
}

TEST(ImageToolsCut, RectangleIsMeasuredFromTheLowerLeftCorner) {
    const QImage picture = TestPictures::Gradient(400, 300);
    const QImage cut = ImageTools::CutOutImage(picture, {100, 50, 200, 100});
    ASSERT_EQ(cut.size(), QSize(200, 100));
    // Lower-left pixel of the cut = the input's pixel 100 from the left, 50 from the bottom.
    EXPECT_EQ(PixelAt(cut, 0, 99), PixelAt(picture, 100, 300 - 1 - 50));
    EXPECT_EQ(PixelAt(cut, 199, 0), PixelAt(picture, 299, 300 - 150));
    const QImage whole = ImageTools::CutOutImage(picture, {0, 0, 400, 300});
    EXPECT_EQ(whole.convertToFormat(QImage::Format_RGB32), picture);
}

TEST(ImageToolsCut, PartsBeyondThePictureStayTransparent) {
    const QImage picture = TestPictures::Solid(100, 50, Qt::blue);
    const QImage cut = ImageTools::CutOutImage(picture, {40, 0, 80, 50});
    ASSERT_EQ(cut.size(), QSize(80, 50));
    EXPECT_EQ(PixelAt(cut, 59, 25), QColor(Qt::blue));
    EXPECT_EQ(PixelAt(cut, 60, 25).alpha() + PixelAt(cut, 79, 0).alpha(), 0);
    for (FloatRect far : {FloatRect{-500, -500, 10, 10}, FloatRect{1e30f, -1e30f, 10, 10}}) {
        const QImage outside = ImageTools::CutOutImage(picture, far);
        ASSERT_EQ(outside.size(), QSize(10, 10));
        EXPECT_EQ(PixelAt(outside, 5, 5).alpha(), 0);
    }
}

QFont PixelFont(float pixels) {
    QFont font = QApplication::font();
    font.setPointSizeF(pixels);
    return font;
}

// The rows and columns of the picture holding the given colour exactly.
QRect AreaOf(const QImage& picture, QColor colour) {
    QRect area;
    for (int y = 0; y < picture.height(); ++y) {
        for (int x = 0; x < picture.width(); ++x) {
            if (PixelAt(picture, x, y) == colour) {
                area |= QRect(x, y, 1, 1);
            }
        }
    }
    return area;
}

TEST(ImageToolsText, BackgroundBoxStartsAtTheLowerLeftAnchorInTheInputsCoordinates) {
    const QImage picture = TestPictures::Solid(200, 100, Qt::white);
    for (const FloatRect rect : {FloatRect{0, 0, 200, 100}, FloatRect{10, 20, 190, 80}}) {
        const QImage result = ImageTools::CutOutImagePlusText(
            picture, rect, "Hi", PixelFont(20), rect.x, rect.y, Qt::black, QColor(Qt::blue));
        ASSERT_EQ(result.size(), QSize(int(rect.width), int(rect.height)));
        const QRect box = AreaOf(result, Qt::blue);
        EXPECT_EQ(box.left(), 0);
        EXPECT_EQ(box.bottom(), result.height() - 1);
        EXPECT_GE(box.height(), 20);
        EXPECT_LE(box.height(), 30);
        EXPECT_GT(AreaOf(result, Qt::black).height(), 5); // glyphs drawn over the box
    }
}

} // namespace
