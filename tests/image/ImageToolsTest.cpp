#include "image/ImageTools.h"
#include "support/TestPictures.h"

#include <QApplication>
#include <cmath>
#include <gtest/gtest.h>

namespace {

using TestPictures::PixelAt;

// A picture fitted into a box keeps its aspect, truncating the other side; the sizes of the
// targets (512 x 512, 200 x 300, 96 x 96) with pictures wider, taller, smaller and larger.
TEST(ImageToolsScale, FitsInsideTheBoxKeepingAspect) {
    const int cases[][6] = {{1000, 333, 512, 512, 512, 170},
                            {3, 7, 512, 512, 219, 512},
                            {384, 512, 200, 300, 200, 266},
                            {512, 256, 96, 96, 96, 48}};
    for (const auto& c : cases) {
        const QImage scaled = ImageTools::ScaleImage(TestPictures::Solid(c[0], c[1], Qt::red),
                                                     {float(c[2]), float(c[3])});
        EXPECT_EQ(scaled.size(), QSize(c[4], c[5])) << c[0] << "x" << c[1] << " in " << c[2];
    }
}

// Boxes and rectangles that are empty, negative, not finite or far too large give no picture.
TEST(ImageToolsScale, NothingToFitOrCutGivesNoPicture) {
    const QImage picture = TestPictures::Solid(10, 10, Qt::red);
    for (FloatSize box : {FloatSize{0, 10}, FloatSize{-5, 10}, FloatSize{NAN, 10}}) {
        EXPECT_TRUE(ImageTools::ScaleImage(picture, box).isNull()) << box.width;
    }
    EXPECT_TRUE(ImageTools::ScaleImage(QImage(), {10, 10}).isNull() &&
                ImageTools::ScaleImage(TestPictures::Solid(1, 1000, Qt::red), {512, 512}).isNull());
    for (FloatRect r :
         {FloatRect{0, 0, 5, -1}, FloatRect{0, 0, NAN, 5}, FloatRect{0, INFINITY, 5, 5},
          FloatRect{0, 0, 1e9f, 1e9f}, FloatRect{0, 0, 1.55e25f, 5}}) {
        EXPECT_TRUE(ImageTools::CutOutImage(picture, r).isNull() &&
                    ImageTools::CutOutImagePlusText(picture, r, "x", {}, 0, 0, {}, {}).isNull());
    }
}

TEST(ImageToolsCut, RectangleIsMeasuredFromTheLowerLeftCorner) {
    const QImage picture = TestPictures::Gradient(400, 300);
    const QImage cut = ImageTools::CutOutImage(picture, {100, 50, 200, 100});
    ASSERT_EQ(cut.size(), QSize(200, 100));
    // Lower-left pixel of the cut = the input's pixel 100 from the left, 50 from the bottom.
    EXPECT_EQ(PixelAt(cut, 0, 99), PixelAt(picture, 100, 300 - 1 - 50));
    EXPECT_EQ(PixelAt(cut, 199, 0), PixelAt(picture, 299, 300 - 150));
    // Parts beyond the picture stay transparent.
    const QImage edge = ImageTools::CutOutImage(picture, {360, 0, 80, 50});
    EXPECT_EQ(PixelAt(edge, 39, 25), PixelAt(picture, 399, 275));
    EXPECT_EQ(PixelAt(edge, 40, 25).alpha() + PixelAt(edge, 79, 0).alpha(), 0);
    EXPECT_EQ(PixelAt(ImageTools::CutOutImage(picture, {1e30f, -1e30f, 10, 10}), 5, 5).alpha(), 0);
}

// The rows and columns of the picture holding the given colour exactly.
QRect AreaOf(const QImage& picture, QColor colour) {
    QRect area;
    for (int y = 0; y < picture.height(); ++y) {
        for (int x = 0; x < picture.width(); ++x) {
            area |= PixelAt(picture, x, y) == colour ? QRect(x, y, 1, 1) : QRect();
        }
    }
    return area;
}

TEST(ImageToolsText, BackgroundBoxStartsAtTheLowerLeftAnchorInTheInputsCoordinates) {
    QFont font = QApplication::font();
    font.setPointSizeF(20);
    const QImage result =
        ImageTools::CutOutImagePlusText(TestPictures::Solid(200, 100, Qt::white), {10, 20, 190, 80},
                                        "Hi", font, 10, 20, Qt::black, QColor(Qt::blue));
    ASSERT_EQ(result.size(), QSize(190, 80));
    const QRect box = AreaOf(result, Qt::blue);
    EXPECT_EQ(box.bottomLeft(), QPoint(0, 79));
    EXPECT_TRUE(box.height() >= 20 && box.height() <= 30) << box.height();
    EXPECT_GT(AreaOf(result, Qt::black).height(), 5); // glyphs drawn over the box
}

} // namespace
