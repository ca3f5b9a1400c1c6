// Every filter against its plain reference (Reference.h) on random pictures of
// many shapes, pixel for pixel; and every filter on every shape and on plane
// values anywhere in int32, for the sanitizer build.
#include "filters/Reference.h"
#include "effects/zmathe.h"
#include "filters/Filters.h"
#include "image/ImageTools.h"
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

struct Case {
    std::string name;
    std::function<void(QuorelImage*)> library;
    std::function<void(Pic&)> reference;
    bool looks = false; // compare the front colour planes only; results stay in 0..255
    int minWidth = 0;   // the literal reference writes past narrower planes
};

using Fn = void (*)(QuorelImage*);
using Ref = void (*)(Pic&);

Case Look(const char* name, Fn library, Ref reference, int minWidth = 0) {
    return {name, library, reference, true, minWidth};
}

std::vector<Case> Cases() {
    std::vector<Case> cases = {
        Look("Desaturize", Filters::Desaturize, RefDesaturize),
        {"IncreaseContrast", Filters::IncreaseContrast, [](Pic& p) { RefContrast(p, 1.25f); },
         true},
        {"DecreaseContrast", Filters::DecreaseContrast, [](Pic& p) { RefContrast(p, 0.75f); },
         true},
        Look("Sepia", Filters::Sepia, RefSepia),
        Look("Posterize", Filters::Posterize, RefPosterize),
        {"Colorize",
         [](QuorelImage* i) { Filters::Colorize(i, QColor::fromRgbF(0.9f, 0.45f, 0.2f)); },
         [](Pic& p) { RefColorize(p, 0.9f, 0.45f, 0.2f); }, true},
        Look("ArtsyFilter", Filters::ArtsyFilter, RefArtsy),
        Look("Soften", Filters::Soften, RefSoften),
        Look("Sharpen", Filters::Sharpen, RefSharpen),
        Look("CenterFocus", Filters::CenterFocus, RefCenterFocus),
        Look("PopArtPoster2", Filters::PopArtPoster2, RefPopArt),
        Look("ToyCam", Filters::ToyCam, RefToyCam),
        Look("FilmStripFilter", Filters::FilmStripFilter, RefFilmStrip),
        {"ClassicFrame", Filters::ClassicFrame, [](Pic& p) { RefFrame(p, 1); }, true},
        {"PolaroidFilter", Filters::PolaroidFilter, [](Pic& p) { RefFrame(p, 4); }, true},
        Look("Photomat", Filters::Photomat, RefPhotomat, 16),
        {"IncreaseHotColors", Filters::IncreaseHotColors, RefHot},
        {"IncreaseColdColors", Filters::IncreaseColdColors, RefCold},
        {"IncreaseExposureX2", Filters::IncreaseExposureX2, RefExposureUp},
        {"DecreaseExposureX2", Filters::DecreaseExposureX2, RefExposureDown},
        {"Noise", Filters::Noise, RefNoise},
        {"Vergilben", Filters::Vergilben, RefVergilben},
        {"Blur", Filters::Blur, RefBlur},
        {"BlendWithColor", [](QuorelImage* i) { Filters::BlendWithColor(i, 1.3f, 0.7f, -0.4f); },
         [](Pic& p) {
             Scale(p, 0, 1.3f, Cap);
             Scale(p, 1, 0.7f, Cap);
             Scale(p, 2, -0.4f, Cap);
         }},
        {"RotateCW", Filters::RotateCW, RefRotateCW},
        {"RotateCCW", Filters::RotateCCW, RefRotateCCW},
        {"GlassButton", Filters::GlassButton, RefGlassButton},
        {"ReliefImage", Filters::ReliefImage, RefRelief},
        {"IncreaseSaturation", Filters::IncreaseSaturation, RefIncreaseSaturation},
        {"OldTimeFilter", Filters::OldTimeFilter, RefOldTime},
        {"PopArtPoster", Filters::PopArtPoster, RefPopArtPoster},
        {"Photomat_old", Filters::Photomat_old, RefPhotomatOld},
        {"TestFilter", Filters::TestFilter, RefCenterFocus},
        {"NeonLight", Filters::NeonLight, RefNeonLight},
    };
    // Radius 0 divides by -1; radii past the picture clamp every read.
    for (int r : {0, 1, 2, 3, 20, 40}) {
        const std::string radius = std::to_string(r);
        cases.push_back({"BlurToBackRadius" + radius,
                         [r](QuorelImage* i) { Filters::GaussBlurToBackBuffer(i, r); },
                         [r](Pic& p) { RefBlurToBack(p, r); }});
        cases.push_back({"GaussBlurRadius" + radius,
                         [r](QuorelImage* i) { Filters::GaussBlur(i, r); },
                         [r](Pic& p) { RefGaussBlur(p, r); }});
    }
    // Saturation raised, lowered, hue turned forwards many times and backwards.
    for (auto [k, d] : {std::pair{1.7f, 47.5f}, {1.1f, 1000.5f}, {0.6f, -400.25f}}) {
        cases.push_back({"ChangeSaturation" + std::to_string(cases.size()),
                         [k, d](QuorelImage* i) { Filters::ChangeSaturation(i, k, d); },
                         [k, d](Pic& p) { RefChangeSaturation(p, k, d); }});
    }
    return cases;
}

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

// Every size from nothing to 600 x 400 and plane values anywhere in int32:
// nothing may overflow or stray (the sanitizer build proves it); looks keep
// pictures of 0..255 in 0..255, which turning the planes into a picture needs.
TEST_P(ReferenceFilter, AnyPlaneValuesAndSizesAreSafe) {
    const Case& c = GetParam();
    const std::pair<int, int> sizes[] = {
        {0, 0},  {0, 3},  {3, 0},  {1, 1},  {1, 2},   {2, 1},   {2, 2},   {3, 2},   {2, 3},
        {15, 1}, {1, 15}, {16, 2}, {2, 16}, {17, 35}, {18, 35}, {1, 600}, {600, 1}, {600, 400}};
    const std::pair<int, int> ranges[] = {
        {0, 255}, {INT32_MIN, INT32_MAX}, {INT32_MAX - 3, INT32_MAX}, {INT32_MIN, INT32_MIN + 3}};
    for (auto [w, h] : sizes) {
        for (auto [lo, hi] : ranges) {
            auto image = TestPictures::RandomImage(w, h, uint32_t(w * 31 + h), lo, hi);
            c.library(image.get());
            ASSERT_EQ(int64_t(image->Width()) * image->Height(), image->PixelCount());
            if (!c.looks || lo != 0) {
                continue;
            }
            const Pic p = Snapshot(*image);
            for (const auto* plane : {&p.f[0], &p.f[1], &p.f[2], &p.b[0], &p.b[1], &p.b[2]}) {
                for (int32_t v : *plane) {
                    ASSERT_TRUE(v >= 0 && v <= 255) << v << " on " << w << " x " << h;
                }
            }
        }
    }
}

INSTANTIATE_TEST_SUITE_P(Reference, ReferenceFilter, ::testing::ValuesIn(Cases()),
                         [](const auto& info) { return info.param.name; });

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

} // namespace
