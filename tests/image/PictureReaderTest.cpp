#include "image/PictureReader.h"
#include "support/LogCapture.h"
#include "support/TestPictures.h"

#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>
#include <gtest/gtest.h>

TEST(PictureReader, HoldsLargePhotosWithinTheBudgetAtAnExactScale) {
    // 2^25 pixels are held as they are; odd sides round down, so that the JPEG
    // decoder scales by exactly 1/2 or 1/4. A smaller scale asked for is kept.
    EXPECT_EQ(PictureReader::HeldSize({8192, 4096}), QSize(8192, 4096));
    EXPECT_EQ(PictureReader::HeldSize({8193, 4096}), QSize(4096, 2048));
    EXPECT_EQ(PictureReader::HeldSize({16321, 12241}), QSize(4080, 3060));
    EXPECT_EQ(PictureReader::HeldSize({16321, 12241}, 2), QSize(4080, 3060));
    EXPECT_EQ(PictureReader::HeldSize({4033, 3024}, 8), QSize(504, 378));
}

TEST(PictureReader, AJpegCutShortIsDamagedNotHalfGrey) {
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("cut.jpg"));
    ASSERT_TRUE(TestPictures::Gradient(256, 256).save(path));
    ASSERT_TRUE(QFile::resize(path, QFileInfo(path).size() / 2));
    EXPECT_EQ(PictureReader::Read(path).failure, PictureReader::Failure::Damaged);
    const LogCapture log; // a handler installed after the reader's must not blind it
    EXPECT_EQ(PictureReader::Read(path).failure, PictureReader::Failure::Damaged);
}
