#include "filters/Filters.h"
#include "filters/HueTurn.h"
#include "image/QuorelImage.h"
#include "support/TestPictures.h"

#include <gtest/gtest.h>

#include <array>
#include <vector>

namespace {

using Rgb = std::array<int32_t, 3>;

Rgb At(QuorelImage& image, int32_t x, int32_t y) {
    const int32_t i = y * image.Width() + x;
    return {image.Red()[i], image.Green()[i], image.Blue()[i]};
}

// Pop art of flat pictures: top left, top right, bottom left, bottom right.
TEST(PosterFilters, PopArtTurnsEachQuadrantsHue) {
    const struct {
        Rgb in; // before the contrast step
        std::array<Rgb, 4> out;
    } cases[] = {
        {{255, 0, 0}, {{{127, 0, 255}, {127, 255, 0}, {0, 255, 63}, {0, 255, 255}}}},
        // (186, 106, 66) is (200, 100, 50) after the contrast step.
        {{186, 106, 66}, {{{166, 0, 200}, {33, 200, 0}, {0, 200, 116}, {0, 133, 200}}}},
        {{0, 0, 0}, {{{0, 0, 0}, {0, 0, 0}, {0, 0, 0}, {0, 0, 0}}}},
        {{255, 255, 255}, {{{255, 255, 255}, {255, 255, 255}, {255, 255, 255}, {255, 255, 255}}}},
        // 62 is 45 after the contrast step; its conversion gives 44.
        {{62, 62, 62}, {{{44, 44, 44}, {44, 44, 44}, {44, 44, 44}, {44, 44, 44}}}},
        {{128, 128, 128}, {{{128, 128, 128}, {128, 128, 128}, {128, 128, 128}, {128, 128, 128}}}}};
    for (const auto& c : cases) {
        auto image = TestPictures::FlatImage(8, 6, c.in[0], c.in[1], c.in[2]);
        Filters::PopArtPoster2(image.get());
        const std::array<Rgb, 4> got = {At(*image, 0, 0), At(*image, 7, 0), At(*image, 0, 5),
                                        At(*image, 7, 5)};
        EXPECT_EQ(got, c.out) << c.in[0] << ", " << c.in[1] << ", " << c.in[2];
    }
}

// The colour step alone on every grey value: 19 of the 256 come back one lower
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
            ASSERT_TRUE((r[v] == v || r[v] == v - 1) && g[v] == r[v] && b[v] == r[v]) << v;
            lower += r[v] == v - 1;
        }
        EXPECT_EQ(lower, 19) << turn;
    }
}

// One white pixel at (2a, 2b) on black shows up once in each quadrant, at
// (a, b) shifted by the quadrant's corner; (0, 0) also shows at (W / 2, 0).
TEST(PosterFilters, PopArtShowsThePictureAtHalfSizeInEachQuadrant) {
    for (auto [w, h, a, b] : {std::array{10, 8, 2, 1}, {10, 8, 0, 0}, {4, 4, 1, 1}}) {
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
        EXPECT_EQ(white, (std::vector<int32_t>{b * w + a, b * w + a + hw, (b + hh) * w + a,
                                               (b + hh) * w + a + hw}))
            << w << " x " << h;
    }
}

TEST(PosterFilters, PopArtLeavesTheContrastRaisedPictureInTheBackBuffer) {
    auto image = TestPictures::RandomImage(7, 5, 21);
    auto raised = TestPictures::RandomImage(7, 5, 21);
    Filters::IncreaseContrast(raised.get());
    Filters::PopArtPoster2(image.get());
    for (int32_t i = 0; i < image->PixelCount(); ++i) {
        ASSERT_EQ(image->Red_Backbuffer()[i], raised->Red()[i]);
    }
}

TEST(PosterFilters, ToyCamKeepsTheCentreAndBlackensTheCorner) {
    auto image = TestPictures::FlatImage(512, 512, 255, 200, 100);
    Filters::ToyCam(image.get());
    EXPECT_EQ(At(*image, 0, 0), (Rgb{0, 0, 0}));
    EXPECT_GT(At(*image, 256, 256)[0], 250); // only the softening touches it
}

TEST(PosterFilters, FilmStripHolesBandsAndRimOn512) {
    auto image = TestPictures::RandomImage(512, 512, 4);
    auto toy = TestPictures::RandomImage(512, 512, 4);
    Filters::DecreaseContrast(toy.get());
    Filters::ToyCam(toy.get());
    Filters::FilmStripFilter(image.get());
    EXPECT_EQ(At(*image, 20, 15), (Rgb{255, 255, 255})); // a hole over the black band
    EXPECT_EQ(At(*image, 20, 45), (Rgb{0, 0, 0}));       // between holes
    EXPECT_EQ(At(*image, 10, 15), (Rgb{200, 200, 200})); // a hole's side
    EXPECT_EQ(At(*image, 51, 100)[0], toy->Red()[100 * 512 + 51] / 2);
}

} // namespace
