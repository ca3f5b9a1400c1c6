#include "effects/ImageEffectSet.h"
#include "effects/ImageTransform.h"
#include "image/ImageTools.h"
#include "image/QuorelImage.h"
#include "support/LogCapture.h"
#include "support/TestPictures.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <cmath>
#include <gtest/gtest.h>
#include <vector>

namespace {

using TestPictures::PixelAt;

const QColor kGrey = QColor::fromRgbF(0.5f, 0.5f, 0.5f);
const QColor kRed = QColor(Qt::red);
const QColor kWhite = QColor(Qt::white);
const QColor kBlue = QColor(Qt::blue);
const QColor kBrick = QColor(200, 40, 0);

constexpr int kShadow = 1, kStrip = 2, kFrame = 4, kReflect = 8;

ImageEffectSet Flags(int flags) {
    ImageEffectSet set = ImageEffectSet::InitEmpty();
    set.setDropShadow(flags & kShadow);
    set.setPhotomat(flags & kStrip);
    set.setHasFrame(flags & kFrame);
    set.setReflection(flags & kReflect);
    return set;
}

bool Same(const QColor& a, const QColor& b) {
    return a.red() == b.red() && a.green() == b.green() && a.blue() == b.blue();
}

struct Probe {
    int x, y;
    QColor colour;
};

// Each probe is a pixel whose colour (alpha aside) the layout fixes.
void ExpectAt(const QImage& out, const std::vector<Probe>& probes) {
    for (const Probe& p : probes) {
        EXPECT_TRUE(Same(PixelAt(out, p.x, p.y), p.colour)) << p.x << "," << p.y;
    }
}

int Brightness(const QColor& c) {
    return c.red() + c.green() + c.blue();
}

QImage Argb(const QImage& a) {
    return a.convertToFormat(QImage::Format_ARGB32);
}

struct Layout {
    const char* name;
    QSize picture;
    QColor colour;
    int flags;
    QSize canvas;
    std::vector<Probe> probes;
};

// Canvas rows count from the top; the comments give heights from the bottom (y up).
// clang-format off
const Layout kLayouts[] = {
    // Strip x 128.6..332.2; copies x 153.6..307.2, y -100..53.6, 78.6..232.2, 257.2..410.8, ...
    {"strip", {512, 512}, kRed, kStrip, {512, 512},
     {{126, 5, kGrey}, {140, 100, kWhite}, {320, 300, kWhite}, {334, 505, kGrey},
      {230, 511 - 10, kRed}, {230, 511 - 66, kWhite}, {230, 511 - 150, kRed},
      {230, 511 - 245, kWhite}, {230, 511 - 330, kRed}, {230, 511 - 423, kWhite},
      {230, 511 - 480, kRed}}},
    {"shadow", {500, 400}, kBlue, kShadow, {600, 480},
     {{50, 40, kBlue}, {549, 439, kBlue}, {5, 5, kGrey}, {596, 477, kGrey}}},
    // The picture on top; the band starts as the picture at its edge, the background below.
    {"reflection", {512, 512}, kBrick, kReflect, {512, 1024},
     {{200, 0, kBrick}, {200, 511, kBrick}, {200, 512, kBrick}, {200, 700, kGrey},
      {200, 1023, kGrey}}},
    {"shadow, no band", {500, 400}, kBlue, kShadow | kReflect, {600, 960},
     {{50, 40, kBlue}, {549, 439, kBlue}, {300, 500, kGrey}, {300, 959, kGrey}}},
    {"frame", {200, 200}, kRed, kFrame, {200, 200},
     {{0, 0, kWhite}, {24, 100, kWhite}, {100, 24, kWhite}, {175, 100, kWhite},
      {199, 199, kWhite}, {25, 100, kRed}, {100, 25, kRed}, {174, 100, kRed}, {100, 174, kRed}}},
    {"frame, shadow", {200, 200}, kRed, kFrame | kShadow, {240, 240},
     {{20, 20, kWhite}, {44, 120, kWhite}, {45, 120, kRed}, {219, 219, kWhite}}},
    // Strip x 175..375; copies x 200..350, one of them at y 125..275.
    {"strip, shadow", {500, 500}, kRed, kStrip | kShadow, {600, 600},
     {{185, 300, kWhite}, {270, 599 - 200, kRed}}},
};
// clang-format on

} // namespace

TEST(FinalEffects, DefaultsAndBaseInit) {
    ImageEffectSet set;
    set.setPhotomatDelta(3.0f);
    set.setBGGreen(0.25f);
    set.BaseInit();
    EXPECT_FALSE(set.DropShadow() || set.HasFrame() || set.Reflection());
    EXPECT_TRUE(set.Photomat());
    EXPECT_EQ(set.PhotomatDelta(), 100.0f);
    EXPECT_EQ(set.BGRed() + set.BGGreen() + set.BGBlue(), 1.5f);
    EXPECT_EQ(set.DropShadowX() + set.DropShadowY() + set.DropShadowSoftness(), 5.0f);
}

TEST(FinalEffects, SettingsFilesAreNeitherReadNorWritten) {
    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    QFile file(dir.filePath(QStringLiteral("settings.fx")));
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write("photomat=1 bg=1,1,1\n");
    file.close();
    const ImageEffectSet read = ImageEffectSet::InitFromFile(file.fileName());
    EXPECT_FALSE(read.Photomat());
    EXPECT_EQ(read.BGRed() + read.BGGreen() + read.BGBlue() + read.PhotomatDelta(), 0.0f);
    ImageEffectSet::InitEmpty().SaveToFile(dir.filePath(QStringLiteral("saved.fx")));
    EXPECT_EQ(QDir(dir.path()).entryList(QDir::Files), QStringList{QStringLiteral("settings.fx")});
}

TEST(FinalEffects, CanvasLayouts) {
    for (const Layout& l : kLayouts) {
        SCOPED_TRACE(l.name);
        const QImage out = ImageTools::DoFinalEffects(
            TestPictures::Solid(l.picture.width(), l.picture.height(), l.colour), Flags(l.flags));
        ASSERT_EQ(out.size(), l.canvas);
        ExpectAt(out, l.probes);
    }
}

TEST(FinalEffects, LogLinesAndAlpha) {
    LogCapture log;
    EXPECT_TRUE(ImageTools::DoFinalEffects(QImage(), ImageEffectSet::InitEmpty()).isNull());
    ImageTools::DoFinalEffects(TestPictures::Solid(512, 512, Qt::red), ImageEffectSet::InitEmpty());
    EXPECT_EQ(
        log.Lines(),
        (QStringList{QStringLiteral("Doing Final Effects"), QStringLiteral("Image is Null"),
                     QStringLiteral("Doing Final Effects"), QStringLiteral("Does not have alpha"),
                     QStringLiteral("Image size is 512 x 512")}));
    ImageTools::DoFinalEffects(TestPictures::Solid(512, 512, Qt::red), Flags(kReflect));
    EXPECT_TRUE(log.Contains(QStringLiteral("bla... 512, 140")));
    log.Clear();
    ImageTools::DoFinalEffects(TestPictures::Solid(50, 40, Qt::red), Flags(kReflect | kShadow));
    EXPECT_TRUE(log.Lines().filter(QStringLiteral("bla...")).isEmpty());
    const QImage out = ImageTools::DoFinalEffects(TestPictures::HalfTransparent(40, 40), Flags(0));
    EXPECT_TRUE(log.Contains(QStringLiteral("Has Alpha...")));
    EXPECT_TRUE(out.hasAlphaChannel());
    EXPECT_EQ(PixelAt(out, 5, 5), kRed);
}

TEST(FinalEffects, ShadowFallsRightAndDown) {
    const QImage out =
        ImageTools::DoFinalEffects(TestPictures::Solid(500, 400, Qt::blue), Flags(kShadow));
    EXPECT_LT(Brightness(PixelAt(out, 552, 240)), Brightness(PixelAt(out, 47, 240)));
    EXPECT_LT(Brightness(PixelAt(out, 300, 442)), Brightness(PixelAt(out, 300, 37)));
    EXPECT_LT(Brightness(PixelAt(out, 47, 240)), Brightness(kGrey));
    const QImage strip =
        ImageTools::DoFinalEffects(TestPictures::Solid(500, 500, Qt::red), Flags(kStrip | kShadow));
    EXPECT_FALSE(Same(PixelAt(strip, 170, 300), kGrey)); // the strip's shadow, left of it
}

TEST(FinalEffects, ReflectionMirrorsThePicturesLowestRowsAndFades) {
    const QImage out = ImageTools::DoFinalEffects(TestPictures::Gradient(64, 200), // green = row
                                                  Flags(kReflect));
    ASSERT_EQ(out.size(), QSize(64, 400));
    // The band (55 rows) shows row 199 at its top, row 198 under it, ...
    EXPECT_EQ(PixelAt(out, 10, 199).green(), 199);
    EXPECT_EQ(PixelAt(out, 10, 200).green(), 199);
    EXPECT_NEAR(PixelAt(out, 10, 201).green(), 198, 3);
    EXPECT_NEAR(PixelAt(out, 10, 205).green(), 194 * 0.93 + 128 * 0.07, 4);
    const QImage red =
        ImageTools::DoFinalEffects(TestPictures::Solid(512, 512, kBrick), Flags(kReflect));
    for (int y = 522; y < 652; y += 10) {
        EXPECT_GT(PixelAt(red, 200, y).green(), PixelAt(red, 200, y - 10).green()) << y;
    }
    EXPECT_LT(PixelAt(red, 200, 651).red(), 140);
}

TEST(FinalEffects, NoFrameOnAPhotoStrip) {
    const QImage picture = TestPictures::Gradient(300, 200);
    for (int shadow : {0, kShadow}) {
        EXPECT_EQ(Argb(ImageTools::DoFinalEffects(picture, Flags(shadow | kStrip | kFrame))),
                  Argb(ImageTools::DoFinalEffects(picture, Flags(shadow | kStrip))))
            << shadow;
    }
}

TEST(FinalEffects, BackgroundColourIsHeldInRange) {
    ImageEffectSet set = Flags(kReflect);
    set.setBGRed(2.0f);
    set.setBGGreen(-1.0f);
    set.setBGBlue(NAN);
    const QImage out = ImageTools::DoFinalEffects(TestPictures::Solid(100, 100, Qt::white), set);
    ASSERT_EQ(out.size(), QSize(100, 200));
    ExpectAt(out, {{50, 199, QColor(255, 0, 0)}}); // below the band
}

TEST(FinalEffects, PixelImageFeedsItsPreview) {
    auto image = QuorelImage::InitWithNSImage(TestPictures::Gradient(120, 80));
    ASSERT_NE(image, nullptr);
    LogCapture log;
    EXPECT_TRUE(image->DoFinalEffects(nullptr).isNull());
    EXPECT_TRUE(log.Lines().isEmpty());
    const ImageEffectSet set = Flags(kShadow | kFrame | kReflect);
    const QImage direct = ImageTools::DoFinalEffects(image->Preview(), set);
    EXPECT_EQ(Argb(image->DoFinalEffects(&set)), Argb(direct));
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
        const ImageEffectSet set = Flags(flags);
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
    int previous = 256;
    for (int y = 0; y < 20; ++y) {
        const QColor c = PixelAt(band, 7, y);
        EXPECT_LT(c.alpha(), previous);
        previous = c.alpha();
        if (c.alpha() > 100) {
            EXPECT_NEAR(c.green(), 99 - y, 2) << y; // row 99 - y of the picture
        }
    }
    EXPECT_EQ(previous, 0);
    // Rows beyond a short picture stay transparent; no height or no picture, no band.
    const QImage red = TestPictures::Solid(5, 4, Qt::red);
    EXPECT_EQ(PixelAt(ImageTools::reflectedImage(red, 10), 2, 5).alpha(), 0);
    for (uint32_t h : {0u, 0xFFFFFFFFu}) {
        EXPECT_TRUE(ImageTools::reflectedImage(red, h).isNull()) << h;
    }
    EXPECT_TRUE(ImageTools::reflectedImage(QImage(), 10).isNull());
}

TEST(FinalEffects, GradientAndBitmapSurfaces) {
    const QImage g = ImageTools::CreateGradientImage(3, 140);
    ASSERT_EQ(g.size(), QSize(3, 140));
    EXPECT_EQ(g.format(), QImage::Format_Grayscale8);
    EXPECT_EQ(g.constScanLine(0)[0], 255); // white on top, black at the bottom
    EXPECT_EQ(g.constScanLine(139)[2], 0);
    for (int y = 1; y < 140; ++y) {
        EXPECT_LT(g.constScanLine(y)[1], g.constScanLine(y - 1)[1]);
    }
    EXPECT_EQ(ImageTools::CreateGradientImage(2, 1).constScanLine(0)[1], 255);
    const QImage s = ImageTools::MyCreateBitmapContext(10, 20);
    ASSERT_EQ(s.size(), QSize(10, 20));
    EXPECT_EQ(s.format(), QImage::Format_ARGB32_Premultiplied);
    EXPECT_EQ(PixelAt(s, 9, 19).alpha(), 0);
    for (auto [w, h] : {std::pair{0, 3}, {3, 0}, {-1, 4}, {4, -1}}) {
        EXPECT_TRUE(ImageTools::CreateGradientImage(w, h).isNull());
        EXPECT_TRUE(ImageTools::MyCreateBitmapContext(w, h).isNull());
    }
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
    for (auto [x, y] : {std::pair{100, 60}, {0, 50}, {199, 249}}) {
        EXPECT_EQ(PixelAt(still, x, y), PixelAt(picture, x + 50, y - 50)) << x << "," << y;
    }
    EXPECT_EQ(PixelAt(still, 100, 40).alpha() + PixelAt(still, 199, 250).alpha(), 0);
    const QImage square = TestPictures::Gradient(4, 4);
    const QImage half = imageRotatedByDegrees(square, 180.0f);
    for (int i = 0; i < 16; ++i) {
        EXPECT_EQ(PixelAt(half, i % 4, i / 4), PixelAt(square, 3 - i % 4, 3 - i / 4));
    }
    EXPECT_TRUE(imageRotatedByDegrees(QImage(), 90.0f).isNull());
    const QImage none = imageRotatedByDegrees(TestPictures::Solid(30, 20, Qt::red), NAN);
    ASSERT_EQ(none.size(), QSize(20, 30));
    EXPECT_EQ(PixelAt(none, 10, 15).alpha(), 0); // no angle, nothing drawn
}
