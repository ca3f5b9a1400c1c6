#include "render/SafeFile.h"
#include "support/TestPictures.h"

#include <QDir>
#include <QTemporaryDir>
#include <gtest/gtest.h>

namespace {

using TestPictures::Bytes;

// Where the file system has no unnamed temporaries: a killed writer's ".NAME.part" goes, a
// living writer's stays; a taken name is refused, and a withdrawal spares another's file.
TEST(SafeFile, NamedTemporariesAndTakenNames) {
    QTemporaryDir dir;
    const QString path = dir.filePath("me.tif");
    TestPictures::Written(dir.filePath(".me.tif.part"), "left by a killed run");
    SafeFile first(path, "first", SafeFile::Temporary::Named);
    {
        SafeFile second(path, "second", SafeFile::Temporary::Named);
        ASSERT_TRUE(first.IsReady() && second.IsReady());
        EXPECT_EQ(Bytes(dir.filePath(".me.tif.part")), "first");
        EXPECT_EQ(first.ClaimName(), SafeFile::Claim::Made);
        EXPECT_EQ(second.ClaimName(), SafeFile::Claim::Taken);
        EXPECT_EQ(second.Reason(), "File exists");
    }
    EXPECT_EQ(QDir(dir.path()).entryList(QDir::Files | QDir::Hidden), QStringList{"me.tif"});
    QString reason;
    ASSERT_TRUE(SafeFile::Write(path, "another's", &reason));
    EXPECT_FALSE(first.Withdraw());
    EXPECT_EQ(Bytes(path), "another's");
    EXPECT_FALSE(SafeFile::Create(dir.filePath(QString(300, 'x')), "x", &reason));
    EXPECT_EQ(reason, "File name too long");
}

} // namespace
