#include "image/ImageTools.h"
#include "support/TestPictures.h"

#include <QApplication>
#include <cmath>
#include <gtest/gtest.h>
#include <limits>
#include <string>

namespace {

using TestPictures::PixelAt;

struct ScaleCase {
    int width, height;
    float boxWidth, boxHeight;
    int expectedWidth, expectedHeight;
    friend void PrintTo(const ScaleCase& c, std::ostream* out) {
        *out << c.width << "x" << c.height;
    }
};

class ImageToolsScale : public testing::TestWithParam<ScaleCase> {};

TEST_P(ImageToolsScale, FitsInsideTheBoxKeepingAspect) {
    const ScaleCase c = GetParam();
    const QImage scaled = ImageTools::ScaleImage(TestPictures::Solid(c.width, c.height, Qt::red),
                                                 {c.boxWidth, c.boxHeight});
    ASSERT_FALSE(scaled.isNull());
    EXPECT_EQ(scaled.size(), QSize(c.expectedWidth, c.expectedHeight));
}

INSTANTIATE_TEST_SUITE_P(
    Sizes, ImageToolsScale,
    testing::Values(
        ScaleCase{800, 600, 512, 512, 512, 384}, ScaleCase{600, 800, 512, 512, 384, 512},
        ScaleCase{512, 512, 512, 512, 512, 512}, ScaleCase{1000, 333, 512, 512, 512, 170},
        ScaleCase{3, 7, 512, 512, 219, 512}, ScaleCase{512, 512, 200, 300, 200, 200},
        ScaleCase{384, 512, 200, 300, 200, 266}, ScaleCase{512, 384, 200, 300, 200, 150},
        ScaleCase{512, 384, 96, 96, 96, 72}, ScaleCase{256, 512, 200, 300, 150, 300},
        ScaleCase{400, 500, 200, 300, 200, 250}, ScaleCase{512, 256, 96, 96, 96, 48}),
    [](const testing::TestParamInfo<ScaleCase>& info) {
        const ScaleCase& c = info.param;
        return std::to_string(c.width) + "x" + std::to_string(c.height) + "_in_" +
               std::to_string(int(c.boxWidth)) + "x" + std::to_string(int(c.boxHeight));
    });

TEST(ImageToolsScale, NothingToFitGivesNoPicture) {
    const QImage picture = TestPictures::Solid(10, 10, Qt::red);
    const float nan = std::numeric_limits<float>::quiet_NaN();
    const float inf = std::numeric_limits<float>::infinity();
    for (FloatSize box : {FloatSize{0, 10}, FloatSize{10, 0}, FloatSize{-5, 10}, FloatSize{nan, 10},
                          FloatSize{10, inf}, FloatSize{inf, inf}}) {
        EXPECT_TRUE(ImageTools::ScaleImage(picture, box).isNull())
            << box.width << "x" << box.height;
    }
    EXPECT_TRUE(ImageTools::ScaleImage(QImage(), {10, 10}).isNull());
    EXPECT_TRUE(ImageTools::ScaleImage(TestPictures::Solid(1, 1000, Qt::red), {512, 512}).isNull());
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

TEST(ImageToolsCut, EmptyOrNonFiniteRectanglesGiveNoPicture) {
    const QImage picture = TestPictures::Solid(10, 10, Qt::red);
    const float nan = std::numeric_limits<float>::quiet_NaN();
    const float inf = std::numeric_limits<float>::infinity();
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

TEST(ImageToolsCut, ScaleCutOutGivesTheScaledCut) {
    const QImage gradient = TestPictures::Gradient(300, 200);
    const QImage translucent = TestPictures::HalfTransparent(300, 200).convertToFormat(
        QImage::Format_ARGB32_Premultiplied);
    for (const QImage& picture : {gradient, translucent, TestPictures::HalfTransparent(300, 200)}) {
        for (FloatRect r : {FloatRect{17, 9, 251, 163}, FloatRect{0, 0, 300, 200},
                            FloatRect{150, 50, 200, 100}, FloatRect{10, 10, 40, 60}}) {
            for (FloatSize box : {FloatSize{64, 64}, FloatSize{251, 300}, FloatSize{512, 512}}) {
                const QImage fused = ImageTools::ScaleCutOut(picture, r, box);
                EXPECT_EQ(fused.format(), QImage::Format_ARGB32_Premultiplied);
                EXPECT_EQ(fused, ImageTools::ScaleImage(ImageTools::CutOutImage(picture, r), box))
                    << picture.format() << " " << r.x << "," << r.y << " " << box.width;
            }
        }
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
