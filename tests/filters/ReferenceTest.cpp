// Every filter against its plain reference (Reference.h) on random pictures of
// many shapes, pixel for pixel. (Plane values anywhere in int32 and sizes up to
// 600 x 600 are the filter fuzzer's.)
#include "filters/Reference.h"
#include "effects/zmathe.h"
#include "filters/Filters.h"
#include "image/ImageTools.h"
#include "support/LogCapture.h"
#include "support/TestPictures.h"

#include <QColor>
#include <gtest/gtest.h>

#include <array>
#include <climits>
#include <functional>
#include <random>
#include <string>
#include <vector>

using namespace Reference;

namespace {

void ExpectSame(QuorelImage& image, const Pic& want, const Case& c, int seed) {
    const Pic got = Snapshot(image);
    ASSERT_EQ(got.W, want.W);
    ASSERT_EQ(got.H, want.H);
    for (int plane = 0; plane < 8; ++plane) {
        if (c.looks && plane % 4 == 3) {
            break;
        }
        const auto& g = plane < 4 ? got.f[plane] : got.b[plane - 4];
        const auto& w = plane < 4 ? want.f[plane] : want.b[plane - 4];
        for (int i = 0; i < want.N(); ++i) {
            ASSERT_EQ(g[i], w[i]) << "plane " << plane << " at (" << i % want.W << ", "
                                  << i / want.W << ") of " << want.W << " x " << want.H << ", seed "
                                  << seed;
        }
    }
}

class ReferenceFilter : public ::testing::TestWithParam<Case> {};

TEST_P(ReferenceFilter, AgreesPixelForPixelOnRandomPictures) {
    const Case& c = GetParam();
    c.library(nullptr); // no image: nothing to do
    const std::pair<int, int> sizes[] = {{1, 1},   {1, 9},   {9, 1},   {2, 2},   {3, 2},
                                         {5, 4},   {16, 16}, {17, 13}, {18, 35}, {37, 53},
                                         {64, 33}, {33, 64}, {64, 48}};
    for (auto [w, h] : sizes) {
        for (int seed = w * 100 + h; seed < w * 100 + h + 2 && w >= c.minWidth; ++seed) {
            auto image = TestPictures::RandomImage(w, h, uint32_t(seed));
            Pic want = Snapshot(*image);
            c.reference(want);
            c.library(image.get());
            ExpectSame(*image, want, c, seed);
        }
    }
}

INSTANTIATE_TEST_SUITE_P(Reference, ReferenceFilter, ::testing::ValuesIn(AllCases()),
                         [](const auto& info) { return info.param.name; });

// Rows far outside 0..255 in the middle, at the foot and at the top of a plane
// (2^24: past int32 once summed, within what the reference converts safely):
// the blur's sums go on in 128 bits from there, as exact as before.
TEST(ReferenceBlurToBack, RowsOutsideBytesAnywhereAgree) {
    for (const Case& c : AllCases()) {
        if (c.name.rfind("BlurToBackRadius", 0) != 0) {
            continue;
        }
        auto image = TestPictures::RandomImage(37, 53, 9);
        for (int x = 0; x < 37; ++x) {
            image->Red()[30 * 37 + x] = (1 << 24) - x;
            image->Green()[52 * 37 + x] = x - (1 << 24);
            image->Blue()[x] = -x * 1000;
        }
        Pic want = Snapshot(*image);
        c.reference(want);
        c.library(image.get());
        ExpectSame(*image, want, c, 9);
    }
}

TEST(ReferenceColour, ConversionsAgreeBitForBit) {
    std::mt19937 random(5);
    std::uniform_real_distribution<float> hue(-30.0f, 420.0f), unit(0.0f, 1.0f);
    for (int k = 0; k < 100000; ++k) {
        const uint32_t colour = random();
        zvektor got;
        float want[3];
        ASSERT_EQ(ImageTools::Hue(colour, got), RefHue(colour, want));
        ASSERT_EQ((std::array{got.x, got.y, got.z}), (std::array{want[0], want[1], want[2]}));
        float hsl[3] = {hue(random), k % 10 == 0 ? 0.0f : unit(random), unit(random)};
        zvektor in(hsl[0], hsl[1], hsl[2]);
        RefColorFromHsb(hsl);
        ImageTools::ColorFromHsb(in);
        ASSERT_EQ((std::array{in.x, in.y, in.z}), (std::array{hsl[0], hsl[1], hsl[2]})) << k;
    }
}

// Every thousandth pixel is logged, a grey one too, which then stops the count.
TEST(ReferenceLog, IncreaseSaturationLogsEveryThousandthPixelUntilAGreyOne) {
    for (const bool grey : {false, true}) {
        LogCapture quiet;
        auto image = QuorelImage::InitWithNSImage(TestPictures::Solid(50, 61, QColor(128, 64, 64)));
        for (int32_t* plane : {image->Red(), image->Green(), image->Blue()}) {
            plane[999] = grey ? 40 : plane[999];
        }
        LogCapture log;
        Filters::IncreaseSaturation(image.get());
        // (128, 64, 64) packed with opaque alpha is 0xFF404080.
        EXPECT_EQ(log.Lines(), grey ? QStringList{"Color: -14145496 (40)"}
                                    : QStringList(3, "Color: -12566400 (128)"));
    }
}

} // namespace
