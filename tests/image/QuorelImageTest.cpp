#include "image/QuorelImage.h"
#include "support/LogCapture.h"
#include "support/TestPictures.h"

#include <gtest/gtest.h>

TEST(QuorelImage, OnePixelPictureGivesOneValuePerPlane) {
    auto image = QuorelImage::InitWithNSImage(TestPictures::Solid(1, 1, QColor(10, 20, 30)));
    ASSERT_NE(image, nullptr);
    EXPECT_EQ(image->PixelCount(), 1);
    EXPECT_EQ(image->DataSize(), 4);
    EXPECT_EQ(image->Red()[0], 10);
    EXPECT_EQ(image->Green()[0], 20);
    EXPECT_EQ(image->Blue()[0], 30);
}
