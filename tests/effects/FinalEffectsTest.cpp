#include "image/ImageTools.h"
#include "support/TestPictures.h"

#include <cmath>
#include <gtest/gtest.h>

const QColor kGrey = QColor::fromRgbF(0.5f, 0.5f, 0.5f), kRed = Qt::red, kWhite = Qt::white;

constexpr int kShadow = 1, kStrip = 2, kFrame = 4, kReflect = 8;

static ImageEffectSet Flags(int flags) {
    ImageEffectSet set = ImageEffectSet::InitEmpty();
    set.setDropShadow(flags & kShadow);
    set.setPhotomat(flags & kStrip);
    set.setHasFrame(flags & kFrame);
    set.setReflection(flags & kReflect);
    return set;
}

// A red picture of the given size and effects; the canvas size and pixels whose colour (alpha
// aside) the layout fixes. Canvas rows count from the top; comments give heights from the bottom.
// name, picture, effects, canvas, probes (x, y, colour)
using Case = std::tuple<const char*, QSize, int, QSize, std::vector<std::tuple<int, int, QColor>>>;

// clang-format off
const Case kLayouts[] = {
    // Strip x 128.6..332.2; copies x 153.6..307.2, y -100..53.6, 78.6..232.2, 257.2..410.8, ...
    {"strip", {512, 512}, kStrip, {512, 512}, {{99, 5, kGrey}, {140, 9, kWhite}, {230, 501, kRed}}},
    // The picture on top; the band starts as the picture at its edge, the background below.
    {"reflection", {512, 512}, kReflect, {512, 1024}, {{200, 512, kRed}, {200, 1023, kGrey}}},
    {"shadow, no band", {500, 400}, kShadow | kReflect, {600, 960}, {{300, 500, kGrey}}},
    {"frame, shadow", {200, 200}, kFrame | kShadow, {240, 240},
     {{44, 120, kWhite}, {45, 120, kRed}}}};
// Sizes and strip shifts
const std::tuple<int, int, float> kOdd[] = {{1, 1, NAN}, {1, 7, INFINITY}, {9, 1, -INFINITY},
                                            {3, 30, 1e30f}, {600, 400, -1e30f}, {64, 64, -300.0f}};
// clang-format on

TEST(FinalEffects, CanvasLayoutsAndAnyOddInputIsSafe) {
    for (const auto& [name, picture, flags, canvas, probes] : kLayouts) {
        const QImage out = ImageTools::DoFinalEffects(
            TestPictures::Solid(picture.width(), picture.height(), kRed), Flags(flags));
        ASSERT_EQ(out.size(), canvas) << name;
        for (const auto& [x, y, colour] : probes) {
            EXPECT_EQ(TestPictures::PixelAt(out, x, y).rgb(), colour.rgb())
                << name << " " << x << "," << y;
        }
    }
    const QImage out = ImageTools::DoFinalEffects(TestPictures::HalfTransparent(40, 40), Flags(0));
    EXPECT_TRUE(out.hasAlphaChannel() &&
                TestPictures::PixelAt(out, 5, 5) == kRed); // keeps a picture's alpha
    // Any strip shift, background colour (held in range) and small or odd picture size is safe.
    for (int i = 0; i < 16 * 6; ++i) { // every effect with every odd size and shift
        const auto [w, h, shift] = kOdd[i % 6];
        ImageEffectSet set = Flags(i / 6);
        set.setBGRed(NAN); // held in range
        set.setPhotomatDelta(shift);
        EXPECT_FALSE(ImageTools::DoFinalEffects(TestPictures::Solid(w, h, kRed), set).isNull())
            << "effects " << i / 6 << ", " << w << "x" << h << ", shift " << shift;
    }
}
