#include "effects/ImageEffectSet.h"
#include "effects/ImageTransform.h"
#include "effects/Op.h"
#include "image/ImageTools.h"
#include "image/QuorelImage.h"
#include "support/LogCapture.h"
#include "support/TestPictures.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <cmath>
#include <gtest/gtest.h>

namespace {

using TestPictures::PixelAt;

ImageEffectSet Flags(bool dropShadow, bool photomat, bool frame, bool reflection) {
    ImageEffectSet set = ImageEffectSet::InitEmpty();
    set.setDropShadow(dropShadow);
    set.setPhotomat(photomat);
    set.setHasFrame(frame);
    set.setReflection(reflection);
    return set;
}

QColor Grey() {
    return QColor::fromRgbF(0.5f, 0.5f, 0.5f);
}

bool Same(const QColor& a, const QColor& b) {
    return a.red() == b.red() && a.green() == b.green() && a.blue() == b.blue();
}

int Brightness(const QColor& c) {
    return c.red() + c.green() + c.blue();
}

QImage Equal(const QImage& a) {
    return a.convertToFormat(QImage::Format_ARGB32);
}

} // namespace

TEST(FinalEffects, DefaultsAndSetters) {
    const ImageEffectSet set = ImageEffectSet::InitEmpty();
    EXPECT_FALSE(set.DropShadow());
    EXPECT_EQ(set.DropShadowX(), -15.0f);
    EXPECT_EQ(set.DropShadowY(), 15.0f);
    EXPECT_EQ(set.DropShadowSoftness(), 5.0f);
    EXPECT_FALSE(set.HasFrame());
    EXPECT_EQ(set.BGRed() + set.BGGreen() + set.BGBlue(), 1.5f);
    EXPECT_FALSE(set.Reflection());
    EXPECT_TRUE(set.Photomat());
    EXPECT_EQ(set.PhotomatDelta(), 100.0f);
    ImageEffectSet other;
    other.setPhotomatDelta(3.0f);
    other.setBGGreen(0.25f);
    other.BaseInit();
    EXPECT_EQ(other.PhotomatDelta(), 100.0f);
    EXPECT_EQ(other.BGGreen(), 0.5f);
}

TEST(FinalEffects, SettingsFilesAreNeitherReadNorWritten) {
    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    const QString existing = dir.filePath(QStringLiteral("settings.fx"));
    QFile file(existing);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write("photomat=1 bg=1,1,1\n");
    file.close();
    const ImageEffectSet read = ImageEffectSet::InitFromFile(existing);
    EXPECT_FALSE(read.Photomat());
    EXPECT_EQ(read.BGRed() + read.BGGreen() + read.BGBlue(), 0.0f);
    EXPECT_EQ(read.PhotomatDelta(), 0.0f);

    ImageEffectSet::InitEmpty().SaveToFile(dir.filePath(QStringLiteral("saved.fx")));
    EXPECT_EQ(QDir(dir.path()).entryList(QDir::Files), QStringList{QStringLiteral("settings.fx")});
}

TEST(FinalEffects, OpNodeIsInert) {
    Op op;
    EXPECT_EQ(&op.InitWith(10, 4), &op);
    EXPECT_EQ(op.Priority(), 0);
    EXPECT_EQ(op.Type(), 0);
    op.DoIt(nullptr);
    Op next;
    op.setNext(&next);
    next.setPrev(&op);
    EXPECT_EQ(op.Next()->Prev(), &op);
}

TEST(FinalEffects, DefaultPhotoStrip) {
    LogCapture log;
    const QImage out = ImageTools::DoFinalEffects(TestPictures::Solid(512, 512, Qt::red),
                                                  ImageEffectSet::InitEmpty());
    ASSERT_EQ(out.size(), QSize(512, 512));
    EXPECT_EQ(log.Lines(), (QStringList{QStringLiteral("Doing Final Effects"),
                                        QStringLiteral("Does not have alpha"),
                                        QStringLiteral("Image size is 512 x 512")}));
    // Strip from x = 128.6 to 332.2, copies from 153.6 to 307.2.
    for (int y : {5, 100, 300, 505}) {
        EXPECT_TRUE(Same(PixelAt(out, 126, y), Grey())) << y;
        EXPECT_TRUE(Same(PixelAt(out, 140, y), Qt::white)) << y;
        EXPECT_TRUE(Same(PixelAt(out, 320, y), Qt::white)) << y;
        EXPECT_TRUE(Same(PixelAt(out, 334, y), Grey())) << y;
    }
    // y-up bands: copies at -100..53.6, 78.6..232.2, 257.2..410.8, 435.8..589.4.
    const struct {
        int yUp;
        bool copy;
    } rows[] = {{10, true},  {66, false},  {150, true}, {245, false},
                {330, true}, {423, false}, {480, true}};
    for (const auto& r : rows) {
        const QColor c = PixelAt(out, 230, 511 - r.yUp);
        EXPECT_TRUE(Same(c, r.copy ? QColor(Qt::red) : QColor(Qt::white))) << r.yUp;
    }
}

TEST(FinalEffects, DropShadowOnly) {
    const QImage out = ImageTools::DoFinalEffects(TestPictures::Solid(500, 400, Qt::blue),
                                                  Flags(true, false, false, false));
    ASSERT_EQ(out.size(), QSize(600, 480));
    EXPECT_TRUE(Same(PixelAt(out, 50, 40), Qt::blue));
    EXPECT_TRUE(Same(PixelAt(out, 549, 439), Qt::blue));
    EXPECT_FALSE(Same(PixelAt(out, 49, 240), Qt::blue));
    EXPECT_FALSE(Same(PixelAt(out, 300, 440), Qt::blue));
    EXPECT_TRUE(Same(PixelAt(out, 5, 5), Grey()));
    EXPECT_TRUE(Same(PixelAt(out, 596, 477), Grey()));
    // The shadow falls 5 pixels right and down: darker there than on the opposite side.
    EXPECT_LT(Brightness(PixelAt(out, 552, 240)), Brightness(PixelAt(out, 47, 240)));
    EXPECT_LT(Brightness(PixelAt(out, 300, 442)), Brightness(PixelAt(out, 300, 37)));
    EXPECT_LT(Brightness(PixelAt(out, 47, 240)), Brightness(Grey()));
}

TEST(FinalEffects, ReflectionBelowThePicture) {
    LogCapture log;
    const QImage picture = TestPictures::Solid(512, 512, QColor(200, 40, 0));
    const QImage out = ImageTools::DoFinalEffects(picture, Flags(false, false, false, true));
    ASSERT_EQ(out.size(), QSize(512, 1024));
    EXPECT_TRUE(log.Contains(QStringLiteral("Image size is 512 x 1024")));
    EXPECT_TRUE(log.Contains(QStringLiteral("bla... 512, 140")));
    for (int y : {0, 300, 511}) {
        EXPECT_TRUE(Same(PixelAt(out, 200, y), QColor(200, 40, 0))) << y;
    }
    // The band starts as the picture at its edge and fades to the background.
    EXPECT_TRUE(Same(PixelAt(out, 200, 512), QColor(200, 40, 0)));
    for (int y = 522; y < 652; y += 10) {
        EXPECT_GT(PixelAt(out, 200, y).green(), PixelAt(out, 200, y - 10).green()) << y;
    }
    EXPECT_LT(PixelAt(out, 200, 651).red(), 140);
    for (int y : {700, 1023}) {
        EXPECT_TRUE(Same(PixelAt(out, 200, y), Grey())) << y;
    }
}

TEST(FinalEffects, ReflectionMirrorsThePicturesLowestRows) {
    const QImage picture = TestPictures::Gradient(64, 200); // green = row
    const QImage out = ImageTools::DoFinalEffects(picture, Flags(false, false, false, true));
    ASSERT_EQ(out.size(), QSize(64, 400));
    // The band (55 rows) shows row 199 at its top, row 198 under it, ...
    EXPECT_EQ(PixelAt(out, 10, 199).green(), 199);
    EXPECT_EQ(PixelAt(out, 10, 200).green(), 199);
    EXPECT_NEAR(PixelAt(out, 10, 201).green(), 198, 3);
    EXPECT_NEAR(PixelAt(out, 10, 205).green(), 194 * 0.93 + 128 * 0.07, 4);
}

TEST(FinalEffects, DropShadowWithReflectionDrawsNoBand) {
    LogCapture log;
    const QImage out = ImageTools::DoFinalEffects(TestPictures::Solid(500, 400, Qt::blue),
                                                  Flags(true, false, false, true));
    ASSERT_EQ(out.size(), QSize(600, 960));
    for (const QString& line : log.Lines()) {
        EXPECT_FALSE(line.startsWith(QStringLiteral("bla..."))) << line.toStdString();
    }
    EXPECT_TRUE(Same(PixelAt(out, 50, 40), Qt::blue));
    EXPECT_TRUE(Same(PixelAt(out, 549, 439), Qt::blue));
    for (int y : {500, 600, 959}) {
        EXPECT_TRUE(Same(PixelAt(out, 300, y), Grey())) << y;
    }
}

TEST(FinalEffects, FrameAlongThePictureEdges) {
    const QImage out = ImageTools::DoFinalEffects(TestPictures::Solid(200, 200, Qt::red),
                                                  Flags(false, false, true, false));
    ASSERT_EQ(out.size(), QSize(200, 200));
    for (auto [x, y] :
         {std::pair{0, 0}, {24, 100}, {100, 24}, {175, 100}, {100, 175}, {199, 199}}) {
        EXPECT_TRUE(Same(PixelAt(out, x, y), Qt::white)) << x << "," << y;
    }
    for (auto [x, y] : {std::pair{25, 100}, {100, 25}, {174, 100}, {100, 174}}) {
        EXPECT_TRUE(Same(PixelAt(out, x, y), Qt::red)) << x << "," << y;
    }
}

TEST(FinalEffects, FrameMovesWithTheDropShadow) {
    const QImage out = ImageTools::DoFinalEffects(TestPictures::Solid(200, 200, Qt::red),
                                                  Flags(true, false, true, false));
    ASSERT_EQ(out.size(), QSize(240, 240));
    EXPECT_TRUE(Same(PixelAt(out, 20, 20), Qt::white));
    EXPECT_TRUE(Same(PixelAt(out, 44, 120), Qt::white));
    EXPECT_TRUE(Same(PixelAt(out, 45, 120), Qt::red));
    EXPECT_TRUE(Same(PixelAt(out, 219, 219), Qt::white));
    EXPECT_FALSE(Same(PixelAt(out, 19, 120), Qt::white));
}

TEST(FinalEffects, NoFrameOnAPhotoStrip) {
    const QImage picture = TestPictures::Gradient(300, 200);
    for (bool shadow : {false, true}) {
        const QImage framed = ImageTools::DoFinalEffects(picture, Flags(shadow, true, true, false));
        const QImage plain = ImageTools::DoFinalEffects(picture, Flags(shadow, true, false, false));
        EXPECT_EQ(Equal(framed), Equal(plain)) << shadow;
    }
}

TEST(FinalEffects, PhotoStripWithDropShadow) {
    const QImage out = ImageTools::DoFinalEffects(TestPictures::Solid(500, 500, Qt::red),
                                                  Flags(true, true, false, false));
    ASSERT_EQ(out.size(), QSize(600, 600));
    // Strip from x = 50 + 150 - 25 = 175 to 375; copies from 200 to 350.
    EXPECT_TRUE(Same(PixelAt(out, 185, 300), Qt::white));
    EXPECT_TRUE(
        Same(PixelAt(out, 270, 599 - 200), Qt::red)); // y-up 200: 0.3H + 50 + 25 - 100 = 125..275
    EXPECT_TRUE(Same(PixelAt(out, 170, 300), Grey()) == false); // the strip's shadow, left of it
}

TEST(FinalEffects, BackgroundColourIsHeldInRange) {
    ImageEffectSet set = Flags(false, false, false, true);
    set.setBGRed(2.0f);
    set.setBGGreen(-1.0f);
    set.setBGBlue(NAN);
    const QImage out = ImageTools::DoFinalEffects(TestPictures::Solid(100, 100, Qt::white), set);
    ASSERT_EQ(out.size(), QSize(100, 200));
    EXPECT_TRUE(Same(PixelAt(out, 50, 199), QColor(255, 0, 0))); // below the band
}

TEST(FinalEffects, AlphaDecidesTheCanvasLayout) {
    LogCapture log;
    const QImage out = ImageTools::DoFinalEffects(TestPictures::HalfTransparent(40, 40),
                                                  Flags(false, false, false, false));
    EXPECT_TRUE(log.Contains(QStringLiteral("Has Alpha...")));
    EXPECT_TRUE(out.hasAlphaChannel());
    EXPECT_TRUE(Same(PixelAt(out, 5, 5), Qt::red));
    EXPECT_EQ(PixelAt(out, 5, 5).alpha(), 255);
}

TEST(FinalEffects, NoPictureGivesNoPicture) {
    LogCapture log;
    EXPECT_TRUE(ImageTools::DoFinalEffects(QImage(), ImageEffectSet::InitEmpty()).isNull());
    EXPECT_EQ(log.Lines(), (QStringList{QStringLiteral("Doing Final Effects"),
                                        QStringLiteral("Image is Null")}));
}

TEST(FinalEffects, PixelImageFeedsItsPreview) {
    auto image = QuorelImage::InitWithNSImage(TestPictures::Gradient(120, 80));
    ASSERT_NE(image, nullptr);
    LogCapture log;
    EXPECT_TRUE(image->DoFinalEffects(nullptr).isNull());
    EXPECT_TRUE(log.Lines().isEmpty());
    const ImageEffectSet set = Flags(true, false, true, true);
    const QImage direct = ImageTools::DoFinalEffects(image->Preview(), set);
    EXPECT_EQ(Equal(image->DoFinalEffects(&set)), Equal(direct));
    EXPECT_EQ(direct.size(), QSize(144, 192));
}

TEST(FinalEffects, AnyStripShiftAndAnySmallPictureIsSafe) {
    for (float d : {NAN, INFINITY, -INFINITY, 1e30f, -1e30f, -300.0f, 0.0f}) {
        ImageEffectSet set = ImageEffectSet::InitEmpty();
        set.setPhotomatDelta(d);
        const QImage out = ImageTools::DoFinalEffects(TestPictures::Solid(64, 64, Qt::red), set);
        EXPECT_EQ(out.size(), QSize(64, 64)) << d;
    }
    for (int flags = 0; flags < 16; ++flags) {
        const ImageEffectSet set = Flags(flags & 1, flags & 2, flags & 4, flags & 8);
        for (QSize size : {QSize(1, 1), QSize(1, 7), QSize(9, 1), QSize(3, 30), QSize(600, 400)}) {
            const QImage out = ImageTools::DoFinalEffects(
                TestPictures::Solid(size.width(), size.height(), Qt::green), set);
            EXPECT_FALSE(out.isNull()) << flags;
        }
    }
}

TEST(FinalEffects, ReflectedImageIsTheMirroredFadingBand) {
    const QImage picture = TestPictures::Gradient(30, 100);
    const QImage band = ImageTools::reflectedImage(picture, 20);
    ASSERT_EQ(band.size(), QSize(30, 20));
    EXPECT_EQ(band.format(), QImage::Format_ARGB32_Premultiplied);
    EXPECT_EQ(PixelAt(band, 7, 0), PixelAt(picture, 7, 99));
    EXPECT_EQ(PixelAt(band, 7, 19).alpha(), 0);
    int previous = 256;
    for (int y = 0; y < 20; ++y) {
        const QColor c = PixelAt(band, 7, y);
        EXPECT_LT(c.alpha(), previous);
        previous = c.alpha();
        if (c.alpha() > 100) {
            EXPECT_NEAR(c.green(), 99 - y, 2) << y; // row 99 - y of the picture
        }
    }
}

TEST(FinalEffects, ReflectedImageBeyondThePictureIsTransparent) {
    const QImage band = ImageTools::reflectedImage(TestPictures::Solid(5, 4, Qt::red), 10);
    ASSERT_EQ(band.size(), QSize(5, 10));
    EXPECT_EQ(PixelAt(band, 2, 0), QColor(Qt::red));
    EXPECT_EQ(PixelAt(band, 2, 5).alpha(), 0);
    EXPECT_TRUE(ImageTools::reflectedImage(TestPictures::Solid(5, 4, Qt::red), 0).isNull());
    EXPECT_TRUE(ImageTools::reflectedImage(QImage(), 10).isNull());
    EXPECT_TRUE(
        ImageTools::reflectedImage(TestPictures::Solid(5, 4, Qt::red), 0xFFFFFFFFu).isNull());
}

TEST(FinalEffects, GradientRunsFromWhiteOnTopToBlackAtTheBottom) {
    const QImage g = ImageTools::CreateGradientImage(3, 140);
    ASSERT_EQ(g.size(), QSize(3, 140));
    EXPECT_EQ(g.format(), QImage::Format_Grayscale8);
    EXPECT_EQ(g.constScanLine(0)[0], 255);
    EXPECT_EQ(g.constScanLine(139)[2], 0);
    for (int y = 1; y < 140; ++y) {
        EXPECT_LT(g.constScanLine(y)[1], g.constScanLine(y - 1)[1]);
    }
    EXPECT_EQ(ImageTools::CreateGradientImage(2, 1).constScanLine(0)[1], 255);
    for (auto [w, h] : {std::pair{0, 3}, {3, 0}, {-1, 4}, {4, -1}}) {
        EXPECT_TRUE(ImageTools::CreateGradientImage(w, h).isNull());
    }
}

TEST(FinalEffects, BitmapContextIsATransparentSurface) {
    const QImage s = ImageTools::MyCreateBitmapContext(10, 20);
    ASSERT_EQ(s.size(), QSize(10, 20));
    EXPECT_EQ(s.format(), QImage::Format_ARGB32_Premultiplied);
    EXPECT_EQ(PixelAt(s, 9, 19).alpha(), 0);
    EXPECT_TRUE(ImageTools::MyCreateBitmapContext(0, 5).isNull());
    EXPECT_TRUE(ImageTools::MyCreateBitmapContext(5, -5).isNull());
}

TEST(ImageTransform, QuarterTurnExchangesTheSides) {
    const QImage picture = TestPictures::Gradient(300, 200);
    const QImage turned = imageRotatedByDegrees(picture, 90.0f);
    ASSERT_EQ(turned.size(), QSize(200, 300));
    // Counter-clockwise: (x, y) goes to (y, w - 1 - x).
    for (auto [x, y] : {std::pair{0, 0}, {299, 0}, {0, 199}, {299, 199}, {123, 45}}) {
        EXPECT_EQ(PixelAt(turned, y, 299 - x), PixelAt(picture, x, y)) << x << "," << y;
    }
}

TEST(ImageTransform, ContentStaysCentred) {
    const QImage picture = TestPictures::Gradient(300, 200);
    const QImage still = imageRotatedByDegrees(picture, 0.0f);
    ASSERT_EQ(still.size(), QSize(200, 300));
    // The 300 x 200 content centred on 200 x 300: offset (-50, 50).
    EXPECT_EQ(PixelAt(still, 100, 40).alpha(), 0);
    EXPECT_EQ(PixelAt(still, 100, 60), PixelAt(picture, 150, 10));
    EXPECT_EQ(PixelAt(still, 0, 50), PixelAt(picture, 50, 0));
    EXPECT_EQ(PixelAt(still, 199, 249), PixelAt(picture, 249, 199));
    EXPECT_EQ(PixelAt(still, 199, 250).alpha(), 0);

    const QImage square = TestPictures::Gradient(4, 4);
    const QImage half = imageRotatedByDegrees(square, 180.0f);
    for (int y = 0; y < 4; ++y) {
        for (int x = 0; x < 4; ++x) {
            EXPECT_EQ(PixelAt(half, x, y), PixelAt(square, 3 - x, 3 - y));
        }
    }
}

TEST(ImageTransform, NoPictureAndNoAngle) {
    EXPECT_TRUE(imageRotatedByDegrees(QImage(), 90.0f).isNull());
    const QImage none = imageRotatedByDegrees(TestPictures::Solid(30, 20, Qt::red), NAN);
    ASSERT_EQ(none.size(), QSize(20, 30));
    EXPECT_EQ(PixelAt(none, 10, 15).alpha(), 0);
}
