#include "filters/Filters.h"
#include "image/QuorelImage.h"
#include "support/TestPictures.h"

#include <QColor>
#include <gtest/gtest.h>

#include <ostream>

#include <array>
#include <climits>
#include <functional>
#include <string>
#include <vector>

namespace {

using Rgb = std::array<int32_t, 3>;
using Tone = std::function<void(QuorelImage*)>;

// The filter applied to one pixel of the given colour.
Rgb OnePixel(const Tone& tone, Rgb in) {
    auto image = TestPictures::FlatImage(1, 1, in[0], in[1], in[2]);
    tone(image.get());
    return {image->Red()[0], image->Green()[0], image->Blue()[0]};
}

int32_t OnGrey(const Tone& tone, int32_t grey) {
    return OnePixel(tone, {grey, grey, grey})[0];
}

std::vector<int32_t> Plane(const int32_t* plane, int32_t count) {
    return std::vector<int32_t>(plane, plane + count);
}

struct Case {
    std::string name;
    Tone tone;
    Rgb in;
    Rgb out;
};

void PrintTo(const Case& c, std::ostream* os) {
    *os << c.name;
}

class ToneFiltersValues : public ::testing::TestWithParam<Case> {};

TEST_P(ToneFiltersValues, GiveTheStatedColour) {
    const Case& c = GetParam();
    EXPECT_EQ(OnePixel(c.tone, c.in), c.out) << c.name;
}

const Tone kColorizeOrange = [](QuorelImage* i) {
    Filters::Colorize(i, QColor::fromRgbF(1.0f, 0.5f, 0.0f));
};

INSTANTIATE_TEST_SUITE_P(
    ToneFilters, ToneFiltersValues,
    ::testing::Values(
        Case{"DesaturizeWhite", Filters::Desaturize, {255, 255, 255}, {255, 255, 255}},
        Case{"DesaturizeRed", Filters::Desaturize, {255, 0, 0}, {76, 76, 76}},
        Case{"DesaturizeGreen", Filters::Desaturize, {0, 255, 0}, {150, 150, 150}},
        Case{"DesaturizeBlue", Filters::Desaturize, {0, 0, 255}, {28, 28, 28}},
        Case{"DesaturizeGrey7FallsBelow", Filters::Desaturize, {7, 7, 7}, {6, 6, 6}},
        Case{"DesaturizeHasNoFloor", Filters::Desaturize, {-100, -100, -100}, {-100, -100, -100}},
        Case{"DesaturizeCaps", Filters::Desaturize, {400, 400, 400}, {255, 255, 255}},
        Case{"IncreaseContrastPerChannel", Filters::IncreaseContrast, {0, 26, 27}, {0, 0, 1}},
        Case{"IncreaseContrastMiddle", Filters::IncreaseContrast, {127, 128, 230}, {126, 128, 255}},
        Case{"IncreaseContrastOutOfRange",
             Filters::IncreaseContrast,
             {-50, 1000, 255},
             {0, 255, 255}},
        Case{"DecreaseContrastLow", Filters::DecreaseContrast, {0, 127, 128}, {31, 127, 127}},
        Case{"DecreaseContrastWhite", Filters::DecreaseContrast, {255, 255, 255}, {223, 223, 223}},
        Case{"SepiaWhite", Filters::Sepia, {255, 255, 255}, {255, 242, 165}},
        Case{"SepiaRedBelowCap", Filters::Sepia, {231, 0, 0}, {254, 0, 0}},
        Case{"SepiaRedCapped", Filters::Sepia, {232, 0, 0}, {255, 0, 0}},
        Case{"SepiaGrey", Filters::Sepia, {100, 100, 100}, {110, 95, 65}},
        Case{"SepiaPassesNegatives", Filters::Sepia, {-100, -100, -100}, {-110, -95, -65}},
        Case{"PosterizeLow", Filters::Posterize, {0, 99, 100}, {0, 0, 100}},
        Case{"PosterizeHigh", Filters::Posterize, {199, 200, 255}, {100, 200, 200}},
        Case{"PosterizePassesNegatives", Filters::Posterize, {-150, 300, -99}, {-100, 300, 0}},
        Case{"ColorizeWhiteOrange", kColorizeOrange, {255, 255, 255}, {255, 127, 0}},
        Case{"ArtsyDark", Filters::ArtsyFilter, {47, 47, 47}, {0, 0, 0}},
        Case{"Artsy48", Filters::ArtsyFilter, {48, 48, 48}, {3, 3, 3}},
        Case{"ArtsyMiddle", Filters::ArtsyFilter, {128, 128, 128}, {128, 128, 128}},
        Case{"Artsy209", Filters::ArtsyFilter, {209, 209, 209}, {254, 254, 254}},
        Case{"Artsy210", Filters::ArtsyFilter, {210, 210, 210}, {255, 255, 255}}),
    [](const auto& info) { return info.param.name; });

TEST(ToneFilters, DesaturizeTakes48GreysOneLower) {
    int lower = 0;
    for (int32_t v = 0; v < 256; ++v) {
        const int32_t y = OnGrey(Filters::Desaturize, v);
        EXPECT_TRUE(y == v || y == v - 1) << v;
        lower += y == v - 1;
    }
    EXPECT_EQ(lower, 48);
}

TEST(ToneFilters, DecreaseContrastStaysWithin31To223) {
    for (int32_t v = 0; v < 256; ++v) {
        const int32_t c = OnGrey(Filters::DecreaseContrast, v);
        EXPECT_GE(c, 31) << v;
        EXPECT_LE(c, 223) << v;
    }
}

TEST(ToneFilters, ArtsyIsBlackAtOrBelow47AndWhiteFrom210) {
    for (int32_t v = 0; v < 256; ++v) {
        const int32_t a = OnGrey(Filters::ArtsyFilter, v);
        if (v <= 47) {
            EXPECT_EQ(a, 0) << v;
        }
        if (v >= 210) {
            EXPECT_EQ(a, 255) << v;
        }
    }
}

TEST(ToneFilters, ArtsyCarriesTheFirstContrastTruncationIntoTheSecond) {
    for (int32_t v : {30, 61, 99, 150, 200}) {
        auto image = TestPictures::FlatImage(1, 1, v, v, v);
        Filters::Desaturize(image.get());
        Filters::IncreaseContrast(image.get());
        Filters::IncreaseContrast(image.get());
        EXPECT_EQ(OnGrey(Filters::ArtsyFilter, v), image->Red()[0]) << v;
    }
}

TEST(ToneFilters, ColorizeWithWhiteEqualsDesaturize) {
    auto tinted = TestPictures::RandomImage(23, 11, 5);
    auto grey = TestPictures::RandomImage(23, 11, 5);
    Filters::Colorize(tinted.get(), QColor::fromRgbF(1.0f, 1.0f, 1.0f));
    Filters::Desaturize(grey.get());
    const int32_t n = grey->PixelCount();
    EXPECT_EQ(Plane(tinted->Red(), n), Plane(grey->Red(), n));
    EXPECT_EQ(Plane(tinted->Green(), n), Plane(grey->Green(), n));
    EXPECT_EQ(Plane(tinted->Blue(), n), Plane(grey->Blue(), n));
}

TEST(ToneFilters, ColorizeWithAnInvalidColourDoesNotEvenDesaturate) {
    auto image = TestPictures::FlatImage(2, 2, 200, 10, 60);
    Filters::Colorize(image.get(), QColor());
    EXPECT_EQ(image->Red()[3], 200);
    EXPECT_EQ(image->Green()[3], 10);
    EXPECT_EQ(image->Blue()[3], 60);
}

TEST(ToneFilters, NullImageDoesNothing) {
    Filters::Desaturize(nullptr);
    Filters::IncreaseContrast(nullptr);
    Filters::DecreaseContrast(nullptr);
    Filters::Sepia(nullptr);
    Filters::Posterize(nullptr);
    Filters::Colorize(nullptr, QColor(Qt::red));
    Filters::ArtsyFilter(nullptr);
    SUCCEED();
}

// Tone filters read and write the front colour planes only.
TEST(ToneFilters, LeaveAlphaAndBackBufferAsTheyWere) {
    const std::vector<std::pair<std::string, Tone>> tones = {
        {"Desaturize", Filters::Desaturize},
        {"IncreaseContrast", Filters::IncreaseContrast},
        {"DecreaseContrast", Filters::DecreaseContrast},
        {"Sepia", Filters::Sepia},
        {"Posterize", Filters::Posterize},
        {"Colorize", kColorizeOrange},
        {"ArtsyFilter", Filters::ArtsyFilter}};
    for (const auto& [name, tone] : tones) {
        auto image = TestPictures::RandomImage(9, 7, 3);
        const int32_t n = image->PixelCount();
        for (int32_t i = 0; i < n; ++i) {
            image->Alpha()[i] = i;
            image->Red_Backbuffer()[i] = 1000 + i;
            image->Green_Backbuffer()[i] = 2000 + i;
            image->Blue_Backbuffer()[i] = 3000 + i;
            image->Alpha_Backbuffer()[i] = 4000 + i;
        }
        const int32_t* alpha = image->Alpha();
        tone(image.get());
        EXPECT_EQ(image->Alpha(), alpha) << name;
        for (int32_t i = 0; i < n; ++i) {
            ASSERT_EQ(image->Alpha()[i], i) << name;
            ASSERT_EQ(image->Red_Backbuffer()[i], 1000 + i) << name;
            ASSERT_EQ(image->Green_Backbuffer()[i], 2000 + i) << name;
            ASSERT_EQ(image->Blue_Backbuffer()[i], 3000 + i) << name;
            ASSERT_EQ(image->Alpha_Backbuffer()[i], 4000 + i) << name;
        }
    }
}

// Plane values far outside 0..255 must not overflow anywhere (the sanitizer
// build checks); the capping and flooring filters bring them back into range.
TEST(ToneFilters, ExtremeValuesAreCappedAndFlooredWhereStated) {
    const Rgb extremes[] = {{INT32_MAX, INT32_MAX, INT32_MAX},
                            {INT32_MIN, INT32_MIN, INT32_MIN},
                            {INT32_MAX, INT32_MIN, INT32_MAX}};
    for (const Rgb& in : extremes) {
        for (int32_t v : OnePixel(Filters::IncreaseContrast, in)) {
            EXPECT_TRUE(v == 0 || v == 255);
        }
        for (int32_t v : OnePixel(Filters::ArtsyFilter, in)) {
            EXPECT_TRUE(v == 0 || v == 255);
        }
        for (int32_t v : OnePixel(kColorizeOrange, in)) {
            EXPECT_TRUE(v >= 0 && v <= 255);
        }
        EXPECT_LE(OnePixel(Filters::Desaturize, in)[0], 255);
        EXPECT_LE(OnePixel(Filters::Sepia, in)[0], 255);
        OnePixel(Filters::Posterize, in);
        OnePixel(Filters::DecreaseContrast, in);
    }
    EXPECT_EQ(OnePixel(Filters::Posterize, {INT32_MAX, INT32_MIN, 0}),
              (Rgb{2147483600, -2147483600, 0}));
}

} // namespace
