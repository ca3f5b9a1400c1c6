#include "filters/Filters.h"
#include "image/QuorelImage.h"
#include "support/TestPictures.h"

#include <QColor>
#include <gtest/gtest.h>

#include <ostream>

#include <climits>
#include <functional>
#include <string>
#include <vector>

// Every look on every shape of picture, down to 0 x 0, and on plane values
// anywhere in int32: nothing may read or write outside the planes or overflow
// (the sanitizer build proves it), and pictures of values 0..255 stay in
// 0..255, which turning the planes back into a picture relies on.

namespace {

struct NamedLook {
    std::string name;
    std::function<void(QuorelImage*)> look;
};

std::vector<NamedLook> AllLooks() {
    return {
        {"Desaturize", Filters::Desaturize},
        {"IncreaseContrast", Filters::IncreaseContrast},
        {"DecreaseContrast", Filters::DecreaseContrast},
        {"Sepia", Filters::Sepia},
        {"Posterize", Filters::Posterize},
        {"Colorize", [](QuorelImage* i) { Filters::Colorize(i, QColor(40, 200, 90)); }},
        {"ArtsyFilter", Filters::ArtsyFilter},
        {"Soften", Filters::Soften},
        {"Sharpen", Filters::Sharpen},
        {"BlurRadius1", [](QuorelImage* i) { Filters::GaussBlurToBackBuffer(i, 1); }},
        {"BlurRadius20", [](QuorelImage* i) { Filters::GaussBlurToBackBuffer(i, 20); }},
        {"CenterFocus", Filters::CenterFocus},
        {"PopArtPoster2", Filters::PopArtPoster2},
        {"ToyCam", Filters::ToyCam},
        {"FilmStripFilter", Filters::FilmStripFilter},
        {"ClassicFrame", Filters::ClassicFrame},
        {"PolaroidFilter", Filters::PolaroidFilter},
        {"Photomat", Filters::Photomat},
    };
}

struct Size {
    int w, h;
};

const Size kSizes[] = {{0, 0},  {0, 3},  {3, 0},   {1, 1},   {1, 2},   {2, 1},  {1, 7},
                       {7, 1},  {2, 2},  {3, 2},   {2, 3},   {5, 5},   {15, 1}, {1, 15},
                       {16, 2}, {2, 16}, {21, 19}, {600, 1}, {1, 600}, {37, 41}};

void PrintTo(const NamedLook& c, std::ostream* os) {
    *os << c.name;
}

class LooksReferenceSizes : public ::testing::TestWithParam<NamedLook> {};

TEST_P(LooksReferenceSizes, KeepValuesInByteRangeOnEveryShape) {
    for (const Size& size : kSizes) {
        auto image = TestPictures::RandomImage(size.w, size.h, 5u + size.w * 31u + size.h);
        GetParam().look(image.get());
        for (const int32_t* plane :
             {image->Red(), image->Green(), image->Blue(), image->Red_Backbuffer(),
              image->Green_Backbuffer(), image->Blue_Backbuffer()}) {
            for (int32_t i = 0; i < image->PixelCount(); ++i) {
                ASSERT_GE(plane[i], 0) << size.w << " x " << size.h;
                ASSERT_LE(plane[i], 255) << size.w << " x " << size.h;
            }
        }
    }
}

TEST_P(LooksReferenceSizes, SurviveAnyInt32Values) {
    for (const Size& size : kSizes) {
        for (auto [lo, hi] : {std::pair{INT32_MIN, INT32_MAX},
                              {INT32_MAX - 3, INT32_MAX},
                              {INT32_MIN, INT32_MIN + 3},
                              {-300, 600}}) {
            auto image = TestPictures::RandomImage(size.w, size.h, 9u + size.h, lo, hi);
            GetParam().look(image.get());
            GetParam().look(image.get());
        }
    }
    SUCCEED();
}

INSTANTIATE_TEST_SUITE_P(LooksReference, LooksReferenceSizes, ::testing::ValuesIn(AllLooks()),
                         [](const auto& info) { return info.param.name; });

} // namespace
