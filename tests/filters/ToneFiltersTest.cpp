#include "filters/Filters.h"
#include "image/QuorelImage.h"
#include "support/LogCapture.h"
#include "support/TestPictures.h"

#include <QColor>
#include <gtest/gtest.h>

#include <array>
#include <climits>
#include <cmath>
#include <functional>
#include <ostream>
#include <string>
#include <vector>

namespace {

using Rgb = std::array<int32_t, 3>;
using Tone = std::function<void(QuorelImage*)>;

Rgb PixelOf(QuorelImage& image, int i) {
    return {image.Red()[i], image.Green()[i], image.Blue()[i]};
}

// The centre of a flat 3 x 3 picture after the filter.
Rgb OnePixel(const Tone& tone, Rgb in) {
    auto image = TestPictures::FlatImage(3, 3, in[0], in[1], in[2]);
    tone(image.get());
    return PixelOf(*image, 4);
}

Tone Colorize(float r, float g, float b) {
    return [=](QuorelImage* i) { Filters::Colorize(i, QColor::fromRgbF(r, g, b)); };
}
Tone Blend(float r, float g, float b) {
    return [=](QuorelImage* i) { Filters::BlendWithColor(i, r, g, b); };
}
Tone ChangeSat(float k, float delta) {
    return [=](QuorelImage* i) { Filters::ChangeSaturation(i, k, delta); };
}

struct Case {
    std::string name;
    Tone tone;
    Rgb in, out;
};

void PrintTo(const Case& c, std::ostream* os) {
    *os << c.name;
}

class ToneFiltersValues : public ::testing::TestWithParam<Case> {};

TEST_P(ToneFiltersValues, GiveTheStatedColour) {
    EXPECT_EQ(OnePixel(GetParam().tone, GetParam().in), GetParam().out);
}

INSTANTIATE_TEST_SUITE_P(
    ToneFilters, ToneFiltersValues,
    ::testing::Values(
        Case{"DesaturizeWhite", Filters::Desaturize, {255, 255, 255}, {255, 255, 255}},
        Case{"DesaturizeRed", Filters::Desaturize, {255, 0, 0}, {76, 76, 76}},
        Case{"DesaturizeGreen", Filters::Desaturize, {0, 255, 0}, {150, 150, 150}},
        Case{"DesaturizeBlue", Filters::Desaturize, {0, 0, 255}, {28, 28, 28}},
        Case{"DesaturizeGrey7", Filters::Desaturize, {7, 7, 7}, {6, 6, 6}},
        Case{"DesaturizeCaps", Filters::Desaturize, {400, 400, 400}, {255, 255, 255}},
        Case{"DesaturizeNoFloor", Filters::Desaturize, {-100, -100, -100}, {-100, -100, -100}},
        Case{"IncreaseContrastLow", Filters::IncreaseContrast, {0, 26, 27}, {0, 0, 1}},
        Case{"IncreaseContrastHigh", Filters::IncreaseContrast, {127, 128, 230}, {126, 128, 255}},
        Case{"IncreaseContrastOutside", Filters::IncreaseContrast, {-50, 1000, 255}, {0, 255, 255}},
        Case{"DecreaseContrastLow", Filters::DecreaseContrast, {0, 127, 128}, {31, 127, 127}},
        Case{"DecreaseContrastWhite", Filters::DecreaseContrast, {255, 255, 255}, {223, 223, 223}},
        Case{"SepiaWhite", Filters::Sepia, {255, 255, 255}, {255, 242, 165}},
        Case{"SepiaRed231", Filters::Sepia, {231, 0, 0}, {254, 0, 0}},
        Case{"SepiaRed232", Filters::Sepia, {232, 0, 0}, {255, 0, 0}},
        Case{"SepiaGrey", Filters::Sepia, {100, 100, 100}, {110, 95, 65}},
        Case{"SepiaNegatives", Filters::Sepia, {-100, -100, -100}, {-110, -95, -65}},
        Case{"PosterizeLow", Filters::Posterize, {0, 99, 100}, {0, 0, 100}},
        Case{"PosterizeHigh", Filters::Posterize, {199, 200, 255}, {100, 200, 200}},
        Case{"PosterizeNegatives", Filters::Posterize, {-150, 300, -99}, {-100, 300, 0}},
        Case{"PosterizeExtremes",
             Filters::Posterize,
             {INT32_MAX, INT32_MIN, 0},
             {2147483600, -2147483600, 0}},
        Case{"ColorizeOrange", Colorize(1, 0.5f, 0), {255, 255, 255}, {255, 127, 0}},
        Case{"Artsy48", Filters::ArtsyFilter, {48, 48, 48}, {3, 3, 3}},
        Case{"Artsy128", Filters::ArtsyFilter, {128, 128, 128}, {128, 128, 128}},
        Case{"Artsy209", Filters::ArtsyFilter, {209, 209, 209}, {254, 254, 254}},
        Case{"ExposureUp127", Filters::IncreaseExposureX2, {127, 127, 127}, {254, 254, 254}},
        Case{"ExposureUp128", Filters::IncreaseExposureX2, {128, 0, -3}, {255, 0, -6}},
        Case{"ExposureDown", Filters::DecreaseExposureX2, {255, 1, -3}, {127, 0, -1}},
        Case{"Hot", Filters::IncreaseHotColors, {204, 100, 100}, {255, 100, 75}},
        Case{"Hot203", Filters::IncreaseHotColors, {203, 0, 255}, {253, 0, 191}},
        Case{"Cold", Filters::IncreaseColdColors, {100, 100, 204}, {75, 100, 255}},
        Case{"Cold203", Filters::IncreaseColdColors, {255, 7, 203}, {191, 7, 253}},
        Case{"VergilbenGrey", Filters::Vergilben, {200, 200, 200}, {200, 200, 130}},
        Case{"VergilbenCapsTheGrey", Filters::Vergilben, {400, 400, 400}, {400, 400, 165}},
        Case{"BlendOnes", Blend(1, 1, 1), {200, 101, 50}, {200, 101, 50}},
        Case{"BlendMixed", Blend(2, 0.5f, 0), {200, 101, 50}, {255, 50, 0}},
        Case{"BlendNegated", Blend(-1, 1, 1), {200, 101, 50}, {-200, 101, 50}},
        Case{"SoftenFlat127", Filters::Soften, {127, 254, 255}, {126, 253, 254}},
        Case{"SoftenFlatKept", Filters::Soften, {0, 1, 100}, {0, 1, 100}},
        Case{"SoftenFlatKept2", Filters::Soften, {128, 200, 0}, {128, 200, 0}},
        Case{"SaturationUp", Filters::IncreaseSaturation, {64, 128, 200}, {162, 197, 237}},
        Case{"SaturationUpDark", Filters::IncreaseSaturation, {10, 20, 30}, {9, 30, 50}},
        Case{"SaturationUpRed", Filters::IncreaseSaturation, {255, 0, 0}, {255, 255, 255}},
        Case{"SaturationUpGrey", Filters::IncreaseSaturation, {77, 77, 77}, {77, 77, 77}},
        Case{"ChangeSatSame", ChangeSat(1, 0), {128, 64, 64}, {128, 64, 64}},
        Case{"ChangeSatDouble", ChangeSat(2, 0), {128, 64, 64}, {128, 0, 0}},
        Case{"ChangeSatZero", ChangeSat(0, 0), {128, 64, 64}, {128, 128, 128}},
        Case{"ChangeSatNegative", ChangeSat(-1, 0), {128, 64, 64}, {128, 128, 128}},
        Case{"ChangeSatRedToGreen", ChangeSat(1, 120), {255, 0, 0}, {0, 255, 0}},
        Case{"ChangeSatBack30", ChangeSat(1, -30), {200, 100, 50}, {200, 50, 74}},
        Case{"ChangeSatHalf", ChangeSat(0.5f, 0), {200, 100, 50}, {200, 150, 125}},
        Case{"ChangeSatTurns", ChangeSat(1, 360 * 3 + 120), {200, 100, 50}, {50, 200, 99}},
        Case{"ChangeSatGrey45", ChangeSat(1, 0), {45, 45, 45}, {44, 44, 44}},
        Case{"ChangeSatGrey253", ChangeSat(1, 0), {253, 253, 253}, {252, 252, 252}},
        // h + delta rounds to a full turn: sector 6 leaves the pixel.
        Case{"ChangeSatFullTurn", ChangeSat(1, -1e-6f), {255, 0, 0}, {255, 0, 0}},
        Case{"ChangeSatFullTurn2", ChangeSat(1, -1e-3f), {255, 0, 0}, {255, 0, 0}},
        Case{"ChangeSatNaN", ChangeSat(1, NAN), {200, 100, 50}, {200, 100, 50}}),
    [](const auto& info) { return info.param.name; });

// Single-precision sums fall just below v for some grey levels v: they come
// out one lower, and exactly so many of them.
TEST(ToneFilters, GreyLevelsThatComeOutOneLower) {
    const std::pair<Tone, int> cases[] = {{Filters::Desaturize, 48},
                                          {ChangeSat(1, 0), 19},
                                          {Filters::Soften, 60},
                                          {Filters::Sharpen, 0}};
    for (const auto& [tone, count] : cases) {
        int lower = 0;
        for (int32_t v = 0; v < 256; ++v) {
            const Rgb out = OnePixel(tone, {v, v, v});
            ASSERT_TRUE(out == (Rgb{v, v, v}) || out == (Rgb{v - 1, v - 1, v - 1})) << v;
            lower += out[0] != v;
        }
        EXPECT_EQ(lower, count);
    }
}

TEST(ToneFilters, ArtsyIsBlackAtOrBelow47AndWhiteFrom210) {
    for (int32_t v = 0; v < 256; ++v) {
        const int32_t a = OnePixel(Filters::ArtsyFilter, {v, v, v})[0];
        EXPECT_TRUE(v > 47 || a == 0) << v;
        EXPECT_TRUE(v < 210 || a == 255) << v;
    }
}

TEST(ToneFilters, ColorizeWithWhiteIsDesaturizeAndWithAnInvalidColourNothing) {
    auto tinted = TestPictures::RandomImage(23, 11, 5);
    auto grey = TestPictures::RandomImage(23, 11, 5);
    Colorize(1, 1, 1)(tinted.get());
    Filters::Desaturize(grey.get());
    for (int32_t i = 0; i < grey->PixelCount(); ++i) {
        ASSERT_EQ(PixelOf(*tinted, i), PixelOf(*grey, i));
    }
    auto image = TestPictures::FlatImage(2, 2, 200, 10, 60);
    Filters::Colorize(image.get(), QColor());
    EXPECT_EQ(PixelOf(*image, 3), (Rgb{200, 10, 60}));
}

// The tone filters read and write the front colour planes only.
TEST(ToneFilters, LeaveAlphaAndBackBufferAsTheyWere) {
    for (Tone tone : {Tone(Filters::Desaturize), Tone(Filters::IncreaseContrast),
                      Tone(Filters::DecreaseContrast), Tone(Filters::Sepia),
                      Tone(Filters::Posterize), Colorize(1, 0.5f, 0), Tone(Filters::ArtsyFilter)}) {
        auto image = TestPictures::RandomImage(9, 7, 3);
        int32_t* planes[5] = {image->Alpha(), image->Red_Backbuffer(), image->Green_Backbuffer(),
                              image->Blue_Backbuffer(), image->Alpha_Backbuffer()};
        for (int k = 0; k < 5; ++k) {
            for (int32_t i = 0; i < 63; ++i) {
                planes[k][i] = 1000 * k + i;
            }
        }
        tone(image.get());
        ASSERT_EQ(image->Alpha(), planes[0]);
        for (int k = 0; k < 5; ++k) {
            for (int32_t i = 0; i < 63; ++i) {
                ASSERT_EQ(planes[k][i], 1000 * k + i);
            }
        }
    }
}

TEST(ToneFilters, NoiseIsTheSameGrainEveryTimeAndNeverRaisesAValue) {
    auto a = TestPictures::FlatImage(100, 100, 255, 100, 0);
    auto b = TestPictures::FlatImage(100, 100, 255, 100, 0);
    Filters::Noise(a.get());
    Filters::Noise(b.get());
    int lowest = 255, highest = 0;
    for (int i = 0; i < a->PixelCount(); ++i) {
        const Rgb p = PixelOf(*a, i);
        ASSERT_EQ(p, PixelOf(*b, i));
        ASSERT_TRUE(p[0] >= 216 && p[0] <= 254 && p[1] >= 85 && p[1] <= 99 && p[2] == 0) << i;
        lowest = std::min(lowest, p[0]);
        highest = std::max(highest, p[0]);
    }
    EXPECT_LT(lowest, 220); // the whole range of grain turns up
    EXPECT_GT(highest, 250);
}

TEST(ToneFilters, IncreaseSaturationLogsEveryThousandthPixelUntilAGreyOne) {
    auto image = TestPictures::FlatImage(50, 61, 128, 64, 64); // 3050 pixels
    {
        LogCapture log;
        Filters::IncreaseSaturation(image.get());
        // (128, 64, 64) packed with opaque alpha is 0xFF404080.
        EXPECT_EQ(log.Lines(), QStringList(3, QStringLiteral("Color: -12566400 (128)")));
    }
    image = TestPictures::FlatImage(50, 61, 128, 64, 64);
    for (int32_t* plane : {image->Red(), image->Green(), image->Blue()}) {
        plane[999] = 40;
    }
    LogCapture log;
    Filters::IncreaseSaturation(image.get());
    EXPECT_EQ(log.Lines(), QStringList{QStringLiteral("Color: -14145496 (40)")});
    EXPECT_EQ(PixelOf(*image, 999), (Rgb{40, 40, 40}));
    EXPECT_EQ(PixelOf(*image, 3049), (Rgb{191, 64, 64}));
}

TEST(ToneFilters, PriorityOfOperationTypes) {
    EXPECT_EQ(Filters::Priority(4), 10);
    for (int32_t type : {0, 3, 5, -1, INT32_MIN, INT32_MAX}) {
        EXPECT_EQ(Filters::Priority(type), 10000000) << type;
    }
}

TEST(ToneFilters, EveryFilterGivenNoImageDoesNothing) {
    for (auto f : {Filters::Desaturize,
                   Filters::IncreaseContrast,
                   Filters::DecreaseContrast,
                   Filters::Sepia,
                   Filters::Posterize,
                   Filters::ArtsyFilter,
                   Filters::Soften,
                   Filters::Sharpen,
                   Filters::CenterFocus,
                   Filters::PopArtPoster2,
                   Filters::ToyCam,
                   Filters::FilmStripFilter,
                   Filters::ClassicFrame,
                   Filters::PolaroidFilter,
                   Filters::Photomat,
                   Filters::IncreaseHotColors,
                   Filters::IncreaseColdColors,
                   Filters::IncreaseExposureX2,
                   Filters::DecreaseExposureX2,
                   Filters::Noise,
                   Filters::Vergilben,
                   Filters::OldTimeFilter,
                   Filters::PopArtPoster,
                   Filters::Photomat_old,
                   Filters::TestFilter,
                   Filters::Blur,
                   Filters::NeonLight,
                   Filters::RotateCW,
                   Filters::RotateCCW,
                   Filters::GlassButton,
                   Filters::ReliefImage,
                   Filters::IncreaseSaturation}) {
        f(nullptr);
    }
    Filters::Colorize(nullptr, QColor(Qt::red));
    Filters::GaussBlurToBackBuffer(nullptr, 3);
    Filters::GaussBlur(nullptr, 5);
    Filters::BlendWithColor(nullptr, 2, 2, 2);
    Filters::ChangeSaturation(nullptr, 2, 30);
}

} // namespace
