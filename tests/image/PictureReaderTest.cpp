#include "image/PictureReader.h"

#include <gtest/gtest.h>

namespace {

struct HeldCase {
    const char* name;
    QSize photo;
    QSize held;
};

// The budget is exact: a photo of 2^25 pixels is held as it is, one more
// column halves it; odd sides round down so the JPEG decoder scales exactly.
const HeldCase kHeld[] = {
    {"AtTheBudget", {8192, 4096}, {8192, 4096}},
    {"OneColumnMore", {8193, 4096}, {4096, 2048}},
    {"Odd", {8161, 6121}, {4080, 3060}},
    {"Phone200MP", {16320, 12240}, {4080, 3060}},
};

class PictureReaderHeld : public ::testing::TestWithParam<HeldCase> {};

TEST_P(PictureReaderHeld, HalvesUntilWithinTheBudget) {
    EXPECT_EQ(PictureReader::HeldSize(GetParam().photo), GetParam().held);
}

INSTANTIATE_TEST_SUITE_P(Sizes, PictureReaderHeld, ::testing::ValuesIn(kHeld),
                         [](const auto& info) { return std::string(info.param.name); });

} // namespace
