#include "effects/ImageEffectSet.h"
#include "image/ImageTools.h"
#include "image/QuorelImage.h"
#include "support/TestPictures.h"

#include <cmath>
#include <gtest/gtest.h>
#include <vector>

namespace {

using TestPictures::PixelAt;

const QColor kGrey = QColor::fromRgbF(0.5f, 0.5f, 0.5f), kRed = Qt::red, kWhite = Qt::white,
             kBlue = Qt::blue, kBrick = QColor(200, 40, 0);

constexpr int kShadow = 1, kStrip = 2, kFrame = 4, kReflect = 8;

ImageEffectSet Flags(int flags) {
    ImageEffectSet set = ImageEffectSet::InitEmpty();
    set.setDropShadow(flags & kShadow);
    set.setPhotomat(flags & kStrip);
    set.setHasFrame(flags & kFrame);
    set.setReflection(flags & kReflect);
    return set;
}

// A pixel whose colour (alpha aside) the layout fixes.
struct Probe {
    int x, y;
    QColor colour;
};

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

TEST(FinalEffects, CanvasLayouts) {
    for (const Layout& l : kLayouts) {
        const QImage out = ImageTools::DoFinalEffects(
            TestPictures::Solid(l.picture.width(), l.picture.height(), l.colour), Flags(l.flags));
        ASSERT_EQ(out.size(), l.canvas) << l.name;
        for (const Probe& p : l.probes) {
            EXPECT_EQ(PixelAt(out, p.x, p.y).rgb(), p.colour.rgb())
                << l.name << " " << p.x << "," << p.y;
        }
    }
}

TEST(FinalEffects, KeepsTheAlphaOfATransparentPicture) {
    const QImage out = ImageTools::DoFinalEffects(TestPictures::HalfTransparent(40, 40), Flags(0));
    EXPECT_TRUE(out.hasAlphaChannel());
    EXPECT_EQ(PixelAt(out, 5, 5), kRed);
}

TEST(FinalEffects, AnyStripShiftAndAnySmallPictureIsSafe) {
    for (float d : {NAN, INFINITY, -INFINITY, 1e30f, -1e30f, -300.0f, 0.0f}) {
        ImageEffectSet set = ImageEffectSet::InitEmpty();
        set.setPhotomatDelta(d);
        const QImage out = ImageTools::DoFinalEffects(TestPictures::Solid(64, 64, Qt::red), set);
        EXPECT_EQ(out.size(), QSize(64, 64)) << d;
    }
    for (int flags = 0; flags < 16; ++flags) {
        ImageEffectSet set = Flags(flags);
        set.setBGRed(NAN); // a background colour out of range is held in it
        for (QSize size : {QSize(1, 1), QSize(1, 7), QSize(9, 1), QSize(3, 30), QSize(600, 400)}) {
            const QImage out = ImageTools::DoFinalEffects(
                TestPictures::Solid(size.width(), size.height(), Qt::green), set);
            EXPECT_FALSE(out.isNull()) << flags;
        }
    }
}
