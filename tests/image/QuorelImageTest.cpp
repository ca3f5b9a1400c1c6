#include "image/QuorelImage.h"
#include "support/LogCapture.h"
#include "support/TestPictures.h"

#include <QDir>
#include <QTemporaryDir>
#include <algorithm>
#include <gtest/gtest.h>

namespace {

using TestPictures::PixelAt;

// The image's pixel i as (red, green, blue, alpha).
QColor Planes(QuorelImage& image, int i) {
    return QColor(image.Red()[i], image.Green()[i], image.Blue()[i], image.Alpha()[i]);
}

std::unique_ptr<QuorelImage> FrontBack(int32_t front, int32_t back) {
    auto image = QuorelImage::InitEmpty(1, 1);
    for (int32_t* p : {image->Red(), image->Green(), image->Blue()}) {
        p[0] = front;
    }
    for (int32_t* p :
         {image->Red_Backbuffer(), image->Green_Backbuffer(), image->Blue_Backbuffer()}) {
        p[0] = back;
    }
    return image;
}

TEST(QuorelImage, OnePixelPictureGivesOneValuePerPlane) {
    auto image = QuorelImage::InitWithNSImage(TestPictures::Solid(1, 1, QColor(10, 20, 30)));
    ASSERT_NE(image, nullptr);
    EXPECT_EQ(image->PixelCount(), 1);
    EXPECT_EQ(image->DataSize(), 4);
    EXPECT_EQ(QSize(image->Width(), image->Height()), QSize(1, 1));
    EXPECT_EQ(Planes(*image, 0), QColor(10, 20, 30));
}

TEST(QuorelImage, OpaquePictureArrivesUnchangedAndComesBackUnchanged) {
    const QImage picture = TestPictures::Gradient(37, 23);
    auto image = QuorelImage::InitWithNSImage(picture);
    ASSERT_NE(image, nullptr);
    for (int i = 0; i < 37 * 23; ++i) {
        ASSERT_EQ(Planes(*image, i), PixelAt(picture, i % 37, i / 37)) << i;
    }
    EXPECT_EQ(image->Preview().convertToFormat(QImage::Format_RGB32), picture);
}

TEST(QuorelImage, TransparentAreaStandsOnHalfWhiteWithAShadowBesideTheOpaquePart) {
    auto image = QuorelImage::InitWithNSImage(TestPictures::HalfTransparent(200, 100));
    ASSERT_NE(image, nullptr);
    EXPECT_EQ(Planes(*image, 50 * 200 + 190), QColor(128, 128, 128, 128)); // beyond the shadow
    EXPECT_EQ(Planes(*image, 50 * 200 + 10), QColor(255, 0, 0));
    EXPECT_EQ(PixelAt(image->Preview(), 190, 50), QColor(128, 128, 128, 255));
    const int nearEdge = 50 * 200 + 104;
    EXPECT_LT(image->Red()[nearEdge], 128);
    EXPECT_EQ(image->Red()[nearEdge], image->Green()[nearEdge]);
}

TEST(QuorelImage, GreyAndMaskPicturesBecomePlanesLikeAnyOther) {
    auto grey = QuorelImage::InitWithNSImage(TestPictures::Grey(9, 5));
    ASSERT_NE(grey, nullptr);
    ASSERT_EQ(grey->PixelCount(), 45);
    const int value = (4 * 7 + 3 * 3) % 256; // at (4, 3)
    EXPECT_EQ(Planes(*grey, 3 * 9 + 4), QColor(value, value, value));
    auto solidMask = QuorelImage::InitWithNSImage(TestPictures::Mask(4, 4, 255));
    ASSERT_NE(solidMask, nullptr);
    EXPECT_EQ(Planes(*solidMask, 5), QColor(0, 0, 0, 255));
}

TEST(QuorelImage, PreparationLogsItsSteps) {
    LogCapture log;
    auto image = QuorelImage::InitWithNSImage(TestPictures::Solid(3, 2, Qt::blue));
    ASSERT_NE(image, nullptr);
    EXPECT_EQ(log.Lines(),
              QStringList({"Try prepare image data...", "Does not have alpha",
                           "Image size is 3 x 2", "Copying _data to _dataOriginal (size = 24)"}));
    QuorelImage::InitWithNSImage(TestPictures::HalfTransparent(4, 4));
    EXPECT_TRUE(log.Contains("Has Alpha..."));
    EXPECT_EQ(QuorelImage::InitWithNSImage(QImage()), nullptr);
    EXPECT_TRUE(log.Contains("Image is Null"));
}

struct BlendCase {
    int32_t mode;
    int32_t front;
    int32_t back;
    int32_t expected;
};

class QuorelImageBlend : public testing::TestWithParam<BlendCase> {};

TEST_P(QuorelImageBlend, CombinesBackIntoFront) {
    const BlendCase c = GetParam();
    auto image = FrontBack(c.front, c.back);
    image->BlendBackBuffer(c.mode);
    EXPECT_EQ(image->Red()[0], c.expected);
    EXPECT_EQ(image->Blue()[0], c.expected);
    EXPECT_EQ(image->Red_Backbuffer()[0], c.back);
    EXPECT_EQ(image->Alpha()[0], 255);
}

INSTANTIATE_TEST_SUITE_P(Modes, QuorelImageBlend,
                         testing::Values(BlendCase{2, 200, 100, 255}, BlendCase{1, 3, 4, 3},
                                         BlendCase{3, 255, 255, 254}, BlendCase{0, 7, 100, 7},
                                         BlendCase{4, 7, 100, 7}, BlendCase{2, -10, 5, -5},
                                         BlendCase{1, 255, 255, 255}, BlendCase{3, 128, 2, 1},
                                         BlendCase{2, INT32_MAX, INT32_MAX, 255},
                                         BlendCase{1, INT32_MIN, -1, INT32_MIN / 2}));

struct LerpCase {
    float t;
    int32_t front;
    int32_t back;
    int32_t expected;
};

class QuorelImageLerp : public testing::TestWithParam<LerpCase> {};

TEST_P(QuorelImageLerp, MixesFrontAndBack) {
    const LerpCase c = GetParam();
    auto image = FrontBack(c.front, c.back);
    image->LerpBackBuffer(c.t);
    EXPECT_EQ(image->Red()[0], c.expected);
    EXPECT_EQ(image->Blue()[0], c.expected);
    EXPECT_EQ(image->Red_Backbuffer()[0], c.back);
}

INSTANTIATE_TEST_SUITE_P(Weights, QuorelImageLerp,
                         testing::Values(LerpCase{2.0f, 100, 7, 100}, LerpCase{1.0f, 300, 7, 255},
                                         LerpCase{2.0f, 300, 7, 255}, LerpCase{0.0f, 5, 300, 255},
                                         LerpCase{0.0f, 5, 77, 77}, LerpCase{0.5f, 3, 4, 3},
                                         LerpCase{-1.0f, 10, 20, 30}));

TEST(QuorelImage, SwapBackBufferExchangesAllFourPlanes) {
    auto image = QuorelImage::InitEmpty(2, 2);
    const auto planes = [&] {
        return std::vector<int32_t*>({image->Red(), image->Green(), image->Blue(), image->Alpha(),
                                      image->Red_Backbuffer(), image->Green_Backbuffer(),
                                      image->Blue_Backbuffer(), image->Alpha_Backbuffer()});
    };
    const std::vector<int32_t*> first = planes();
    image->SwapBackBuffer();
    std::vector<int32_t*> swapped = planes();
    std::rotate(swapped.begin(), swapped.begin() + 4, swapped.end()); // front and back again
    EXPECT_EQ(swapped, first);
    image->SwapBackBuffer();
    EXPECT_EQ(planes(), first);
}

TEST(QuorelImage, SwapImageDimensionsMovesNoPixel) {
    auto image = QuorelImage::InitWithNSImage(TestPictures::Gradient(512, 384));
    ASSERT_NE(image, nullptr);
    image->SwapImageDimensions();
    EXPECT_EQ(QSize(image->Width(), image->Height()), QSize(384, 512));
    EXPECT_EQ(image->PixelCount(), 512 * 384);
    EXPECT_EQ(image->Preview().size(), QSize(512, 384));
}

TEST(QuorelImage, InitEmptyMakesBlackOpaquePlanesWithoutPreview) {
    auto image = QuorelImage::InitEmpty(3, 2);
    ASSERT_NE(image, nullptr);
    EXPECT_EQ(image->DataSize(), 24);
    for (int i = 0; i < 6; ++i) {
        EXPECT_EQ(Planes(*image, i), QColor(0, 0, 0, 255));
        EXPECT_EQ(image->Blue_Backbuffer()[i], 0);
        EXPECT_EQ(image->Alpha_Backbuffer()[i], 255);
    }
    LogCapture log;
    EXPECT_TRUE(image->Preview().isNull());
    EXPECT_TRUE(log.Contains("Context == NULL"));
    EXPECT_TRUE(log.Contains("Data == NULL"));
    EXPECT_EQ(QuorelImage::InitEmpty(0, 5)->PixelCount(), 0);
    EXPECT_EQ(QuorelImage::InitEmpty(-1, 5), nullptr);
    EXPECT_EQ(QuorelImage::InitEmpty(100000, 100000), nullptr);
}

TEST(QuorelImage, PreviewSaturatesAndIsIndependentOfLaterChanges) {
    auto image = QuorelImage::InitWithNSImage(TestPictures::Solid(2, 1, QColor(50, 60, 70)));
    ASSERT_NE(image, nullptr);
    const QImage before = image->Preview();
    image->Red()[0] = 300;
    image->Green()[0] = -5;
    image->Blue()[0] = 65536 + 7;
    const QImage picture = image->Preview();
    EXPECT_EQ(PixelAt(picture, 0, 0), QColor(255, 0, 255));
    EXPECT_EQ(PixelAt(picture, 1, 0), QColor(50, 60, 70));
    EXPECT_EQ(PixelAt(before, 0, 0), QColor(50, 60, 70));
}

TEST(QuorelImage, SecondPreparationGivesTheSamePlanes) {
    auto image = QuorelImage::InitWithNSImage(TestPictures::Gradient(16, 8));
    image->Red()[3] = 999;
    ASSERT_TRUE(image->ReallyPrepareImageData());
    EXPECT_EQ(image->Red()[3], 3);
}

TEST(QuorelImage, BackgroundPreparationNeverRacesDestruction) {
    for (int round = 0; round < 20; ++round) {
        auto image = QuorelImage::InitWithNSImage(TestPictures::HalfTransparent(64, 48));
        ASSERT_NE(image, nullptr);
        image->PrepareImageData();
        image.reset(); // waits for the preparation
    }
}

TEST(QuorelImage, InertOperationsChangeNothingAndWriteNothing) {
    QTemporaryDir dir;
    auto image = QuorelImage::InitWithNSImage(TestPictures::Solid(2, 2, QColor(9, 8, 7)));
    image->Reset();
    image->SaveJPEGToFile(dir.filePath("out.jpg"));
    EXPECT_EQ(image->CreateCutout(0, 0, 1, 1), nullptr);
    EXPECT_EQ(image->Red()[0], 9);
    EXPECT_TRUE(QDir(dir.path()).isEmpty());
    EXPECT_FALSE(image->IsLoaded());
}

} // namespace
