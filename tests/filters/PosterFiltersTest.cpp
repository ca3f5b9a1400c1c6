#include "filters/Filters.h"
#include "filters/HueTurn.h"
#include "image/QuorelImage.h"
#include "support/TestPictures.h"

#include <gtest/gtest.h>

#include <ostream>

#include <array>
#include <string>
#include <vector>

namespace {

using Rgb = std::array<int32_t, 3>;

Rgb At(QuorelImage& image, int32_t x, int32_t y) {
    const int32_t i = y * image.Width() + x;
    return {image.Red()[i], image.Green()[i], image.Blue()[i]};
}

// Pop art of a flat picture: the colour of each quadrant (top left, top right,
// bottom left, bottom right).
std::array<Rgb, 4> PopArtQuadrants(Rgb colour) {
    auto image = TestPictures::FlatImage(8, 6, colour[0], colour[1], colour[2]);
    Filters::PopArtPoster2(image.get());
    return {At(*image, 0, 0), At(*image, 7, 0), At(*image, 0, 5), At(*image, 7, 5)};
}

struct QuadrantCase {
    std::string name;
    Rgb in; // before the contrast step
    std::array<Rgb, 4> out;
};

void PrintTo(const QuadrantCase& c, std::ostream* os) {
    *os << c.name;
}

class PosterFiltersPopArt : public ::testing::TestWithParam<QuadrantCase> {};

TEST_P(PosterFiltersPopArt, TurnsEachQuadrantsHue) {
    EXPECT_EQ(PopArtQuadrants(GetParam().in), GetParam().out);
}

INSTANTIATE_TEST_SUITE_P(
    PosterFilters, PosterFiltersPopArt,
    ::testing::Values(
        QuadrantCase{
            "PureRed", {255, 0, 0}, {{{127, 0, 255}, {127, 255, 0}, {0, 255, 63}, {0, 255, 255}}}},
        // (186, 106, 66) is (200, 100, 50) after the contrast step.
        QuadrantCase{
            "Brown", {186, 106, 66}, {{{166, 0, 200}, {33, 200, 0}, {0, 200, 116}, {0, 133, 200}}}},
        QuadrantCase{"Black", {0, 0, 0}, {{{0, 0, 0}, {0, 0, 0}, {0, 0, 0}, {0, 0, 0}}}},
        QuadrantCase{"White",
                     {255, 255, 255},
                     {{{255, 255, 255}, {255, 255, 255}, {255, 255, 255}, {255, 255, 255}}}},
        // 62 is 45 after the contrast step; its conversion gives 44.
        QuadrantCase{
            "Grey45", {62, 62, 62}, {{{44, 44, 44}, {44, 44, 44}, {44, 44, 44}, {44, 44, 44}}}},
        QuadrantCase{"Grey128",
                     {128, 128, 128},
                     {{{128, 128, 128}, {128, 128, 128}, {128, 128, 128}, {128, 128, 128}}}}),
    [](const auto& info) { return info.param.name; });

// A grey value g (after the contrast step) comes back as g or g - 1.
TEST(PosterFilters, PopArtKeepsGreysGrey) {
    for (int32_t v = 0; v < 256; ++v) {
        auto raised = TestPictures::FlatImage(1, 1, v, v, v);
        Filters::IncreaseContrast(raised.get());
        const int32_t g = raised->Red()[0];
        auto image = TestPictures::FlatImage(2, 2, v, v, v);
        Filters::PopArtPoster2(image.get());
        for (int32_t i = 0; i < 4; ++i) {
            const Rgb out = At(*image, i % 2, i / 2);
            EXPECT_TRUE(out[0] == g || out[0] == g - 1) << v;
            EXPECT_EQ(out[1], out[0]);
            EXPECT_EQ(out[2], out[0]);
        }
    }
}

// The colour step alone, on every grey value: 19 of the 256 come back one lower
// (the truncation of v / 100 * 255), the others unchanged, in every quadrant.
TEST(PosterFilters, HueTurnTakes19GreysOneLower) {
    HueTurn hues(256);
    for (int32_t v = 0; v < 256; ++v) {
        hues.Red()[v] = hues.Green()[v] = hues.Blue()[v] = v;
    }
    hues.Analyse(256);
    for (float turn : {270.0f, 90.0f, 135.0f, 180.0f}) {
        std::vector<int32_t> r(256), g(256), b(256);
        hues.Turn(0, 256, turn, r.data(), g.data(), b.data());
        int lower = 0;
        for (int32_t v = 0; v < 256; ++v) {
            EXPECT_TRUE(r[v] == v || r[v] == v - 1) << v;
            EXPECT_EQ(g[v], r[v]);
            EXPECT_EQ(b[v], r[v]);
            lower += r[v] == v - 1;
        }
        EXPECT_EQ(lower, 19) << turn;
        EXPECT_EQ(r[45], 44);
        EXPECT_EQ(r[128], 128);
    }
}

// One white pixel at (2a, 2b) on black shows up once in each quadrant, at
// (a, b) shifted by the quadrant's corner: each quadrant takes every second
// pixel of every second row.
TEST(PosterFilters, PopArtShowsThePictureAtHalfSizeInEachQuadrant) {
    for (auto [w, h, a, b] :
         {std::array{10, 8, 2, 1}, {10, 8, 0, 0}, {12, 6, 4, 2}, {4, 4, 1, 1}}) {
        auto image = TestPictures::FlatImage(w, h, 0, 0, 0);
        const int32_t source = 2 * b * w + 2 * a;
        image->Red()[source] = image->Green()[source] = image->Blue()[source] = 255;
        Filters::PopArtPoster2(image.get());
        std::vector<int32_t> white;
        for (int32_t i = 0; i < w * h; ++i) {
            if (image->Red()[i] == 255) {
                white.push_back(i);
            }
        }
        const int32_t hw = w / 2, hh = h / 2;
        const std::vector<int32_t> want = {b * w + a, b * w + a + hw, (b + hh) * w + a,
                                           (b + hh) * w + a + hw};
        EXPECT_EQ(white, want) << w << " x " << h << " from (" << 2 * a << ", " << 2 * b << ")";
    }
}

// Odd sizes: the right half starts at column W / 2, which reads column W - 1.
TEST(PosterFilters, PopArtSplitsOddPicturesAtTheIntegerHalf) {
    auto image = TestPictures::FlatImage(5, 3, 0, 0, 0);
    image->Red()[4] = image->Green()[4] = image->Blue()[4] = 255; // (4, 0)
    Filters::PopArtPoster2(image.get());
    EXPECT_EQ(At(*image, 2, 0), (Rgb{255, 255, 255})); // 2 * 2 mod 5 = 4
    EXPECT_EQ(At(*image, 2, 1), (Rgb{0, 0, 0}));       // row 2, a bottom-row source
    EXPECT_EQ(At(*image, 2, 2), (Rgb{0, 0, 0}));       // row 4 mod 3 = 1
    EXPECT_EQ(At(*image, 0, 0), (Rgb{0, 0, 0}));
}

TEST(PosterFilters, PopArtLeavesTheContrastRaisedPictureInTheBackBuffer) {
    auto image = TestPictures::RandomImage(7, 5, 21);
    auto raised = TestPictures::RandomImage(7, 5, 21);
    Filters::IncreaseContrast(raised.get());
    int32_t* oldBackAlpha = image->Alpha_Backbuffer();
    Filters::PopArtPoster2(image.get());
    EXPECT_EQ(image->Alpha(), oldBackAlpha);
    for (int32_t i = 0; i < image->PixelCount(); ++i) {
        ASSERT_EQ(image->Red_Backbuffer()[i], raised->Red()[i]);
        ASSERT_EQ(image->Blue_Backbuffer()[i], raised->Blue()[i]);
    }
}

TEST(PosterFilters, ToyCamTurnsTheTopLeftCornerBlack) {
    auto image = TestPictures::FlatImage(512, 512, 255, 200, 100);
    Filters::ToyCam(image.get());
    EXPECT_EQ(At(*image, 0, 0), (Rgb{0, 0, 0}));
    EXPECT_GT(At(*image, 256, 256)[0], 250);
    EXPECT_LT(At(*image, 1, 1)[0], 5);
}

// --- film strip on 512 x 512 ---------------------------------------------------------------

enum class Strip { Picture, Black, Rim, White, Grey };

bool In(int32_t v, int32_t lo, int32_t hi) {
    return v >= lo && v <= hi;
}

// What each pixel of a 512 x 512 film strip shows: t = 12, s = 51, L = 30, o = 10.
Strip Expected512(int32_t x, int32_t y) {
    const bool holes = (y / 30) % 2 == 0;
    if (holes && (In(x, 11, 39) || In(x, 472, 500))) {
        return Strip::White;
    }
    if (holes && (x == 10 || x == 40 || x == 471 || x == 501)) {
        return Strip::Grey;
    }
    if (x <= 50 || x >= 462 || y <= 11 || y >= 501 || (y == 500 && x > 0)) {
        return Strip::Black;
    }
    if (x <= 52 || x >= 460 || y <= 13 || y >= 499 || (y == 498 && x > 0)) {
        return Strip::Rim;
    }
    return Strip::Picture;
}

TEST(PosterFilters, FilmStripDrawsBandsRimAndHolesOn512) {
    auto image = TestPictures::RandomImage(512, 512, 4);
    auto toy = TestPictures::RandomImage(512, 512, 4);
    Filters::DecreaseContrast(toy.get());
    Filters::ToyCam(toy.get());
    Filters::FilmStripFilter(image.get());
    for (int32_t y = 0; y < 512; ++y) {
        for (int32_t x = 0; x < 512; ++x) {
            const int32_t i = y * 512 + x;
            const int32_t before = toy->Green()[i];
            const int32_t want[] = {before, 0, before / 2, 255, 200};
            ASSERT_EQ(image->Green()[i], want[int(Expected512(x, y))]) << x << ", " << y;
        }
    }
    EXPECT_EQ(At(*image, 20, 15), (Rgb{255, 255, 255}));
    EXPECT_EQ(At(*image, 20, 45), (Rgb{0, 0, 0}));
    EXPECT_EQ(At(*image, 10, 15), (Rgb{200, 200, 200}));
    EXPECT_EQ(At(*image, 51, 100)[0], toy->Red()[100 * 512 + 51] / 2);
}

// With L = 0 the holes never switch off; every size stays inside the planes.
TEST(PosterFilters, FilmStripOnSmallPictures) {
    for (auto [w, h] : {std::pair{1, 1}, {1, 6}, {6, 1}, {2, 2}, {9, 9}, {20, 3}, {3, 20}}) {
        auto image = TestPictures::RandomImage(w, h, 9);
        Filters::FilmStripFilter(image.get());
        for (int32_t i = 0; i < w * h; ++i) {
            ASSERT_GE(image->Red()[i], 0);
            ASSERT_LE(image->Red()[i], 255);
        }
    }
}

// (10 + 28) / 2 = 19: s = 1, L = 0, o = 0, so the holes' grey sides stand in
// columns 0 and 9 of every row.
TEST(PosterFilters, FilmStripWithoutHoleLengthKeepsTheHolesOn) {
    auto image = TestPictures::RandomImage(10, 28, 6);
    Filters::FilmStripFilter(image.get());
    for (int32_t y = 0; y < 28; ++y) {
        EXPECT_EQ(At(*image, 0, y), (Rgb{200, 200, 200})) << y;
        EXPECT_EQ(At(*image, 9, y), (Rgb{200, 200, 200})) << y;
    }
}

TEST(PosterFilters, NullImageDoesNothing) {
    Filters::PopArtPoster2(nullptr);
    Filters::ToyCam(nullptr);
    Filters::FilmStripFilter(nullptr);
    SUCCEED();
}

} // namespace
