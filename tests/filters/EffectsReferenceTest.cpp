// Plain reference computations of the further tone, spatial and colour-model
// formulas, each written the straightforward way (no running sums, no tables),
// compared pixel for pixel with the library on random pictures.
#include "filters/EffectsReference.h"
#include "effects/zmathe.h"
#include "filters/Filters.h"
#include "image/ImageTools.h"
#include "image/QuorelImage.h"
#include "support/TestPictures.h"

#include <functional>
#include <gtest/gtest.h>
#include <random>
#include <vector>

using namespace EffectsReference;

namespace {

void ExpectSame(QuorelImage& image, const Pic& want, const char* what) {
    const Pic got = Snapshot(image);
    ASSERT_EQ(got.W, want.W) << what;
    ASSERT_EQ(got.H, want.H) << what;
    static const char* names[4] = {"red", "green", "blue", "alpha"};
    for (int c = 0; c < 4; ++c) {
        for (int i = 0; i < want.N(); ++i) {
            ASSERT_EQ(got.f[c][i], want.f[c][i]) << what << " front " << names[c] << " at " << i;
            ASSERT_EQ(got.b[c][i], want.b[c][i]) << what << " back " << names[c] << " at " << i;
        }
    }
}

struct Case {
    const char* name;
    std::function<void(QuorelImage*)> library;
    std::function<void(Pic&)> reference;
};

const std::vector<Case>& Cases() {
    static const std::vector<Case> cases = {
        {"IncreaseHotColors", Filters::IncreaseHotColors, RefHot},
        {"IncreaseColdColors", Filters::IncreaseColdColors, RefCold},
        {"IncreaseExposureX2", Filters::IncreaseExposureX2, RefExposureUp},
        {"DecreaseExposureX2", Filters::DecreaseExposureX2, RefExposureDown},
        {"Noise", Filters::Noise, RefNoise},
        {"Vergilben", Filters::Vergilben, RefVergilben},
        {"Blur", Filters::Blur, RefBlur},
        {"BlendWithColor", [](QuorelImage* i) { Filters::BlendWithColor(i, 1.3f, 0.7f, -0.4f); },
         [](Pic& p) { RefBlendWithColor(p, 1.3f, 0.7f, -0.4f); }},
        {"RotateCW", Filters::RotateCW, RefRotateCW},
        {"RotateCCW", Filters::RotateCCW, RefRotateCCW},
        {"GlassButton", Filters::GlassButton, RefGlassButton},
        {"ReliefImage", Filters::ReliefImage, RefRelief},
        {"IncreaseSaturation", Filters::IncreaseSaturation, RefIncreaseSaturation},
        {"ChangeSaturation", [](QuorelImage* i) { Filters::ChangeSaturation(i, 1.7f, 47.5f); },
         [](Pic& p) { RefChangeSaturation(p, 1.7f, 47.5f); }},
        {"OldTimeFilter", Filters::OldTimeFilter, RefOldTime},
        {"PopArtPoster", Filters::PopArtPoster, RefPopArtPoster},
        {"Photomat_old", Filters::Photomat_old, RefPhotomatOld},
        {"TestFilter", Filters::TestFilter, RefCenterFocus},
        {"GaussBlur", [](QuorelImage* i) { Filters::GaussBlur(i, 3); },
         [](Pic& p) { RefGaussBlur(p, 3); }},
        {"GaussBlurRadius0", [](QuorelImage* i) { Filters::GaussBlur(i, 0); },
         [](Pic& p) { RefGaussBlur(p, 0); }},
        {"NeonLight", Filters::NeonLight, RefNeonLight},
        {"ChangeSaturationManyTurns",
         [](QuorelImage* i) { Filters::ChangeSaturation(i, 1.1f, 1000.5f); },
         [](Pic& p) { RefChangeSaturation(p, 1.1f, 1000.5f); }},
        {"ChangeSaturationBackwards",
         [](QuorelImage* i) { Filters::ChangeSaturation(i, 0.6f, -400.25f); },
         [](Pic& p) { RefChangeSaturation(p, 0.6f, -400.25f); }},
    };
    return cases;
}

} // namespace

TEST(EffectsReference, FiltersAgreeWithPlainComputationOnRandomPictures) {
    const std::pair<int, int> sizes[] = {{64, 48}, {37, 53}, {1, 40}, {40, 1}, {18, 35}, {3, 2}};
    uint32_t seed = 100;
    for (const Case& c : Cases()) {
        for (auto [w, h] : sizes) {
            auto image = TestPictures::RandomImage(w, h, ++seed);
            Pic want = Snapshot(*image);
            c.reference(want);
            c.library(image.get());
            ExpectSame(*image, want, c.name);
        }
    }
}

TEST(EffectsReference, ColourConversionsAgreeBitForBit) {
    std::mt19937 random(5);
    for (int k = 0; k < 100000; ++k) {
        const uint32_t colour = random();
        zvektor got;
        float want[3];
        ASSERT_EQ(ImageTools::Hue(colour, got), RefHue(colour, want));
        ASSERT_EQ(got.x, want[0]);
        ASSERT_EQ(got.y, want[1]);
        ASSERT_EQ(got.z, want[2]);
    }
    std::uniform_real_distribution<float> hue(-30.0f, 420.0f);
    std::uniform_real_distribution<float> unit(0.0f, 1.0f);
    for (int k = 0; k < 100000; ++k) {
        float want[3] = {hue(random), unit(random), unit(random)};
        if (k % 10 == 0) {
            want[1] = 0.0f;
        }
        zvektor got(want[0], want[1], want[2]);
        RefColorFromHsb(want);
        ImageTools::ColorFromHsb(got);
        ASSERT_EQ(got.x, want[0]) << k;
        ASSERT_EQ(got.y, want[1]) << k;
        ASSERT_EQ(got.z, want[2]) << k;
    }
}

// Every operation on every size from nothing to 600 x 600 and on plane values
// anywhere in int32: run under the sanitizers, nothing may overflow or stray.
TEST(EffectsReference, AnyPlaneValuesAndSizesAreSafe) {
    const std::pair<int, int> sizes[] = {{0, 0},   {0, 7},     {7, 0},    {1, 1},
                                         {1, 600}, {600, 1},   {2, 3},    {17, 35},
                                         {18, 35}, {600, 400}, {600, 600}};
    uint32_t seed = 900;
    for (const Case& c : Cases()) {
        for (auto [w, h] : sizes) {
            for (auto [lo, hi] : {std::pair{INT32_MIN, INT32_MAX}, {0, 255}}) {
                auto image = TestPictures::RandomImage(w, h, ++seed, lo, hi);
                c.library(image.get());
                const int64_t n = int64_t(image->Width()) * image->Height();
                EXPECT_EQ(n, image->PixelCount()) << c.name;
            }
        }
    }
}
