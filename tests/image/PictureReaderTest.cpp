#include "image/PictureReader.h"

#include <gtest/gtest.h>

TEST(PictureReader, HoldsLargePhotosWithinTheBudgetAtAnExactScale) {
    // 2^25 pixels are held as they are; odd sides round down, so that the JPEG
    // decoder scales by exactly 1/2 or 1/4.
    EXPECT_EQ(PictureReader::HeldSize({8192, 4096}), QSize(8192, 4096));
    EXPECT_EQ(PictureReader::HeldSize({8193, 4096}), QSize(4096, 2048));
    EXPECT_EQ(PictureReader::HeldSize({16321, 12241}), QSize(4080, 3060));
}
