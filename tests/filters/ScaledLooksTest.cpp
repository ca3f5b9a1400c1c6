// The looks at larger sizes: at scale 1 each row is the renderer's own look, and
// on real photos the looks at S look like the looks at 512 where the unscaled
// operations do not (the full table: trellica_measure_looks).
#include "filters/ScaledLooks.h"
#include "filters/LookLikeness.h"
#include "filters/Reference.h"
#include "filters/RowBands.h"
#include "render/ProfileTargets.h"
#include "support/CaseName.h"
#include "support/LogCapture.h"
#include "support/TestPictures.h"

#include <algorithm>
#include <gtest/gtest.h>
#include <memory>
#include <numeric>
#include <ostream>
#include <string>
#include <utility>
#include <vector>

namespace {

TEST(ScaledLooks, AtScaleOneAreTheRenderersLooksRowByRow) {
    for (size_t row = 0; row < ProfileTargets::kLookCount; ++row) {
        const ProfileLook& look = ProfileTargets::Looks()[row];
        ASSERT_EQ(ScaledLooks::LookIndex(look.key), int(row)) << look.key;
        auto stated = TestPictures::RandomImage(37, 29, uint32_t(row));
        auto scaled = TestPictures::RandomImage(37, 29, uint32_t(row));
        look.apply(stated.get(), QColor(Qt::red));
        ScaledLooks::Apply(row, scaled.get(), QColor(Qt::red), 1.0f);
        const Reference::Pic a = Reference::Snapshot(*stated);
        const Reference::Pic b = Reference::Snapshot(*scaled);
        for (int c = 0; c < 3; ++c) {
            EXPECT_EQ(a.f[c], b.f[c]) << look.key << ", channel " << c;
        }
    }
}

// A copy of the picture's colour planes.
std::unique_ptr<QuorelImage> Copy(QuorelImage& picture) {
    auto copy = QuorelImage::InitEmpty(picture.Width(), picture.Height());
    for (auto plane : {&QuorelImage::Red, &QuorelImage::Green, &QuorelImage::Blue}) {
        std::copy((picture.*plane)(), (picture.*plane)() + picture.PixelCount(),
                  ((*copy).*plane)());
    }
    return copy;
}

// Planes above 512 x 512 go in two bands of rows at once: look by look, at the
// stated scale and larger ones, on even and odd sizes, the planes of one band.
TEST(ScaledLooks, InTwoBandsAreTheLooksInOne) {
    const int64_t unsplit = RowBands::LargestUnsplit();
    for (const auto& [w, h] : {std::pair{600, 470}, std::pair{601, 459}}) {
        const auto picture = TestPictures::RandomImage(w, h, uint32_t(w));
        for (const float scale : {1.0f, 1.5625f, 2.0f}) {
            for (size_t row = 0; row < ScaledLooks::kLookCount; ++row) {
                const auto two = Copy(*picture);
                const auto one = Copy(*picture);
                ScaledLooks::Apply(row, two.get(), QColor(Qt::red), scale);
                RowBands::SetLargestUnsplit(INT64_MAX);
                ScaledLooks::Apply(row, one.get(), QColor(Qt::red), scale);
                RowBands::SetLargestUnsplit(unsplit);
                const Reference::Pic a = Reference::Snapshot(*two);
                const Reference::Pic b = Reference::Snapshot(*one);
                for (int c = 0; c < 3; ++c) {
                    ASSERT_EQ(a.f[c], b.f[c]) << ScaledLooks::Key(row) << " at " << scale << ", "
                                              << w << " x " << h << ", channel " << c;
                }
            }
        }
    }
}

struct Chain {
    std::string name;
    std::vector<const char*> looks; // none: all thirteen
    friend void PrintTo(const Chain& c, std::ostream* out) { *out << c.name; }
};

class HeldSteps : public ::testing::TestWithParam<Chain> {};

// The colour looks travel with the next look that reads the picture (or go in
// a pass of their own); the values must be those of the looks one by one.
TEST_P(HeldSteps, GiveTheLooksOneByOne) {
    ScaledLooks::Chosen chosen;
    for (const char* key : GetParam().looks) {
        chosen.set(size_t(ScaledLooks::LookIndex(key)));
    }
    if (GetParam().looks.empty()) {
        chosen.set();
    }
    for (const auto& [w, h] : {std::pair{600, 470}, std::pair{601, 459}}) {
        const auto picture = TestPictures::RandomImage(w, h, uint32_t(h));
        for (const float scale : {1.0f, 1.5625f, 2.0f}) {
            const auto together = Copy(*picture);
            const auto apart = Copy(*picture);
            ScaledLooks::ApplyChosen(chosen, together.get(), QColor(Qt::red), scale);
            for (size_t row = 0; row < ScaledLooks::kLookCount; ++row) {
                if (chosen[row]) {
                    ScaledLooks::Apply(row, apart.get(), QColor(Qt::red), scale);
                }
            }
            const Reference::Pic a = Reference::Snapshot(*together);
            const Reference::Pic b = Reference::Snapshot(*apart);
            for (int c = 0; c < 3; ++c) {
                ASSERT_EQ(a.f[c], b.f[c])
                    << "at " << scale << ", " << w << " x " << h << ", channel " << c;
            }
        }
    }
}

INSTANTIATE_TEST_SUITE_P(
    Runs, HeldSteps,
    ::testing::Values(Chain{"AllThirteen", {}},
                      Chain{"IntoToyCam", {"posterize", "sepia", "toycam"}},
                      Chain{"IntoPopArt", {"colorize", "popart"}},
                      Chain{"IntoSharpenThenSoften", {"bw", "sharpen", "soften"}},
                      Chain{"IntoFilmStrip", {"sepia", "filmstrip"}},
                      Chain{"BeforeAFrame", {"posterize", "bw", "frame"}},
                      Chain{"AtTheEnd", {"blurfocus", "sepia", "colorize"}},
                      Chain{"StripRowsIntoFilmStrip", {"bw", "photomat", "filmstrip"}},
                      Chain{"StripRowsAtTheEnd", {"sepia", "photomat"}},
                      Chain{"FramesIntoTheStrip", {"bw", "frame", "instant", "photomat"}},
                      Chain{"FrameIntoFilmStrip", {"sepia", "frame", "filmstrip"}}),
    CaseName());

struct Likeness {
    std::string name;
    const char* photo;
    std::vector<const char*> looks; // none: all thirteen
    int32_t side;
    friend void PrintTo(const Likeness& c, std::ostream* out) { *out << c.name; }
};

class LooksAtSize : public ::testing::TestWithParam<Likeness> {};

// Each case fails without the scaling (by 7 to 8 levels).
TEST_P(LooksAtSize, LookLikeTheLooksAt512) {
    const Likeness& c = GetParam();
    const QImage photo(QStringLiteral("/usr/share/doc/opencv-doc/examples/data/") + c.photo);
    ASSERT_FALSE(photo.isNull()) << "missing " << c.photo << ": install opencv-doc";
    std::vector<size_t> rows(ScaledLooks::kLookCount);
    std::iota(rows.begin(), rows.end(), size_t(0));
    if (!c.looks.empty()) {
        rows.clear();
        for (const char* key : c.looks) {
            rows.push_back(size_t(ScaledLooks::LookIndex(key)));
        }
    }
    const LogCapture quiet;
    const FloatRect whole{0.0f, 0.0f, float(photo.width()), float(photo.height())};
    const LookLikeness::Channels d =
        LookLikeness::Measure(photo, whole, c.side, rows, QColor(Qt::red));
    EXPECT_LE(d.Largest(), LookLikeness::kAlike)
        << "red " << d.red << ", green " << d.green << ", blue " << d.blue;
}

INSTANTIATE_TEST_SUITE_P(
    Photos, LooksAtSize,
    ::testing::Values(Likeness{"BlurFocusAt1024", "messi5.jpg", {"blurfocus"}, 1024},
                      Likeness{"SharpenAt2048", "baboon.jpg", {"sharpen"}, 2048},
                      Likeness{"FilmStripAt800", "baboon.jpg", {"filmstrip"}, 800},
                      Likeness{"AllThirteenAt800", "baboon.jpg", {}, 800}),
    CaseName());

} // namespace
