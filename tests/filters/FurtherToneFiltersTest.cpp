#include "filters/Filters.h"
#include "image/QuorelImage.h"
#include "support/TestPictures.h"

#include <array>
#include <gtest/gtest.h>
#include <vector>

namespace {

using Rgb = std::array<int32_t, 3>;
using Filter = void (*)(QuorelImage*);

Rgb PixelOf(QuorelImage& image, int i = 0) {
    return {image.Red()[i], image.Green()[i], image.Blue()[i]};
}

Rgb Apply(Filter filter, Rgb in) {
    auto image = TestPictures::FlatImage(1, 1, in[0], in[1], in[2]);
    filter(image.get());
    return PixelOf(*image);
}

std::vector<int32_t> Planes(QuorelImage& image) {
    std::vector<int32_t> all;
    for (int32_t* plane : {image.Red(), image.Green(), image.Blue(), image.Alpha()}) {
        all.insert(all.end(), plane, plane + image.PixelCount());
    }
    return all;
}

struct ToneCase {
    const char* name;
    Filter filter;
    Rgb in, out;
};

void PrintTo(const ToneCase& c, std::ostream* os) {
    *os << c.name;
}

} // namespace

class FurtherToneFiltersValues : public ::testing::TestWithParam<ToneCase> {};

TEST_P(FurtherToneFiltersValues, MapThePixel) {
    EXPECT_EQ(Apply(GetParam().filter, GetParam().in), GetParam().out);
}

INSTANTIATE_TEST_SUITE_P(
    FurtherToneFilters, FurtherToneFiltersValues,
    ::testing::Values(
        ToneCase{"ExposureUp127", Filters::IncreaseExposureX2, {127, 127, 127}, {254, 254, 254}},
        ToneCase{"ExposureUp128", Filters::IncreaseExposureX2, {128, 0, 1}, {255, 0, 2}},
        ToneCase{"ExposureUpNoFloor", Filters::IncreaseExposureX2, {-3, 0, 0}, {-6, 0, 0}},
        ToneCase{"ExposureDown", Filters::DecreaseExposureX2, {255, 1, 0}, {127, 0, 0}},
        ToneCase{"ExposureDownNegative", Filters::DecreaseExposureX2, {-3, 3, 2}, {-1, 1, 1}},
        ToneCase{"Hot", Filters::IncreaseHotColors, {204, 100, 100}, {255, 100, 75}},
        ToneCase{"HotRedJustBelowCap", Filters::IncreaseHotColors, {204, 0, 1}, {255, 0, 0}},
        ToneCase{"HotRed203", Filters::IncreaseHotColors, {203, 0, 255}, {253, 0, 191}},
        ToneCase{"Cold", Filters::IncreaseColdColors, {100, 100, 204}, {75, 100, 255}},
        ToneCase{"ColdBlue203", Filters::IncreaseColdColors, {255, 7, 203}, {191, 7, 253}},
        ToneCase{"VergilbenGrey", Filters::Vergilben, {200, 200, 200}, {200, 200, 130}},
        ToneCase{"VergilbenColour", Filters::Vergilben, {255, 0, 0}, {255, 0, 49}},
        ToneCase{"VergilbenCapsTheGrey", Filters::Vergilben, {400, 400, 400}, {400, 400, 165}}));

TEST(FurtherToneFilters, VergilbenKeepsRedAndGreen) {
    auto image = TestPictures::RandomImage(31, 17, 3);
    const std::vector<int32_t> before = Planes(*image);
    Filters::Vergilben(image.get());
    const std::vector<int32_t> after = Planes(*image);
    const size_t n = size_t(image->PixelCount());
    EXPECT_TRUE(std::equal(before.begin(), before.begin() + 2 * n, after.begin()));
    EXPECT_TRUE(std::equal(before.begin() + 3 * n, before.end(), after.begin() + 3 * n));
}

TEST(FurtherToneFilters, NoiseGivesTheSameGrainEveryTime) {
    auto a = TestPictures::RandomImage(40, 30, 5);
    auto b = TestPictures::RandomImage(40, 30, 5);
    const std::vector<int32_t> before = Planes(*a);
    Filters::Noise(a.get());
    Filters::Noise(b.get());
    EXPECT_EQ(Planes(*a), Planes(*b));
    EXPECT_NE(Planes(*a), before);
}

TEST(FurtherToneFilters, NoiseDarkensByAtMostFifteenPercent) {
    auto image = TestPictures::FlatImage(100, 100, 255, 100, 0);
    Filters::Noise(image.get());
    std::vector<int> reds;
    for (int i = 0; i < image->PixelCount(); ++i) {
        const Rgb p = PixelOf(*image, i);
        ASSERT_LE(p[0], 254); // the factor stays below 1
        ASSERT_GE(p[0], 216); // 255 * 0.85
        ASSERT_LE(p[1], 99);
        ASSERT_GE(p[1], 85);
        ASSERT_EQ(p[2], 0);
        reds.push_back(p[0]);
    }
    std::sort(reds.begin(), reds.end());
    EXPECT_LT(reds.front(), 220); // the whole range of grain turns up
    EXPECT_GT(reds.back(), 250);
}

TEST(FurtherToneFilters, PopArtPosterOnWhite) {
    auto image = TestPictures::FlatImage(8, 6, 255, 255, 255);
    Filters::PopArtPoster(image.get());
    const struct {
        int x, y;
        Rgb colour;
    } quadrants[] = {{0, 0, {200, 0, 0}},   {3, 2, {200, 0, 0}}, {4, 0, {200, 200, 0}},
                     {7, 2, {200, 200, 0}}, {0, 3, {0, 0, 200}}, {3, 5, {0, 0, 200}},
                     {4, 3, {0, 200, 0}},   {7, 5, {0, 200, 0}}};
    for (const auto& q : quadrants) {
        EXPECT_EQ(PixelOf(*image, q.y * 8 + q.x), q.colour) << q.x << "," << q.y;
    }
}

TEST(FurtherToneFilters, PopArtPosterCopiesAreHalfSize) {
    // Each quadrant shows every second pixel of every second row: the top-left
    // quadrant's (x, y) is the posterized red at (2x, 2y).
    auto image = TestPictures::RandomImage(10, 8, 8);
    auto grey = TestPictures::RandomImage(10, 8, 8);
    Filters::Desaturize(grey.get());
    Filters::Posterize(grey.get());
    Filters::PopArtPoster(image.get());
    for (int y = 0; y < 4; ++y) {
        for (int x = 0; x < 5; ++x) {
            EXPECT_EQ(image->Red()[y * 10 + x], grey->Red()[2 * y * 10 + 2 * x]);
            EXPECT_EQ(image->Green()[(y + 4) * 10 + x + 5], grey->Green()[2 * y * 10 + 2 * x]);
        }
    }
}

TEST(FurtherToneFilters, OldTimeFilterIsYellowedGrey) {
    auto image = TestPictures::RandomImage(40, 30, 12);
    Filters::OldTimeFilter(image.get());
    for (int i = 0; i < image->PixelCount(); ++i) {
        const Rgb p = PixelOf(*image, i);
        ASSERT_EQ(p[0], p[1]) << i; // red and green stay one grey
        ASSERT_LE(p[2], p[0]) << i; // blue is held back: yellowed
        ASSERT_GE(p[0], 0);
        ASSERT_LE(p[0], 223); // flattened contrast, then darkened grain
    }
}

TEST(FurtherToneFilters, PhotomatOldIsAFramedGrey) {
    auto image = TestPictures::RandomImage(512, 512, 13);
    Filters::Photomat_old(image.get());
    EXPECT_EQ(PixelOf(*image, 100 * 512 + 24), (Rgb{255, 255, 255}));
    EXPECT_EQ(PixelOf(*image, 100 * 512 + 488), (Rgb{255, 255, 255}));
    for (int i = 0; i < image->PixelCount(); ++i) {
        const Rgb p = PixelOf(*image, i);
        ASSERT_TRUE(p[0] == p[1] && p[1] == p[2]) << i;
    }
    // Inside the frame: the grey with its contrast raised.
    auto plain = TestPictures::RandomImage(512, 512, 13);
    Filters::Desaturize(plain.get());
    Filters::IncreaseContrast(plain.get());
    EXPECT_EQ(PixelOf(*image, 100 * 512 + 487), PixelOf(*plain, 100 * 512 + 487));
}

TEST(FurtherToneFilters, TestFilterIsTheBlurFocus) {
    auto image = TestPictures::RandomImage(64, 48, 14);
    auto focus = TestPictures::RandomImage(64, 48, 14);
    Filters::TestFilter(image.get());
    Filters::CenterFocus(focus.get());
    EXPECT_EQ(Planes(*image), Planes(*focus));
}

TEST(FurtherToneFilters, PriorityOfOperationTypes) {
    EXPECT_EQ(Filters::Priority(4), 10);
    for (int32_t type : {0, 3, 5, -1, INT32_MIN, INT32_MAX}) {
        EXPECT_EQ(Filters::Priority(type), 10000000) << type;
    }
}

TEST(FurtherToneFilters, NullImageDoesNothing) {
    for (Filter f :
         {Filters::IncreaseHotColors, Filters::IncreaseColdColors, Filters::IncreaseExposureX2,
          Filters::DecreaseExposureX2, Filters::Noise, Filters::Vergilben, Filters::OldTimeFilter,
          Filters::PopArtPoster, Filters::Photomat_old, Filters::TestFilter}) {
        f(nullptr);
    }
}
