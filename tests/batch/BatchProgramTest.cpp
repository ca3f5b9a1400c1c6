#include "app/AppHarness.h"
#include "support/CaseName.h"
#include "support/TestPictures.h"

#include <QDir>
#include <QProcess>
#include <QTemporaryDir>
#include <gtest/gtest.h>

// trellica-batch run as a user runs it: a process, its exit status, its stderr.
namespace {

struct Finished {
    int status = -1;
    QString errors;
};

Finished Batch(const QStringList& arguments, const QByteArray& input = {}) {
    QProcess process;
    process.start(QStringLiteral(TRELLICA_BATCH_PROGRAM), arguments);
    process.write(input);
    process.closeWriteChannel();
    process.waitForFinished(120000);
    return {process.exitCode(), QString::fromLocal8Bit(process.readAllStandardError())};
}

using namespace TestPictures;

// Both folders hold the same count of files, byte for byte the same.
void ExpectSameFiles(const QString& a, const QString& b, int count) {
    ASSERT_EQ(Entries(a).size(), count);
    ASSERT_EQ(Entries(a), Entries(b));
    for (const QString& name : Entries(a))
        EXPECT_EQ(Bytes(a + '/' + name), Bytes(b + '/' + name)) << name.toStdString();
}

class BatchRun : public ::testing::Test {
protected:
    QString In(const QString& name) const { return _dir.filePath(name); }
    QString Photo(const QString& name, int width = 600, int height = 450) {
        QDir().mkpath(QFileInfo(In(name)).path());
        EXPECT_TRUE(TestPictures::Gradient(width, height).save(In(name)));
        return In(name);
    }
    QTemporaryDir _dir;
};

struct UsageCase {
    friend void PrintTo(const UsageCase& c, std::ostream* os) { *os << c.name; }
    const char* name;
    QStringList arguments; // OUT and PHOTO stand for a folder and a photo
    const char* says;
};

class UsageErrors : public BatchRun, public ::testing::WithParamInterface<UsageCase> {};

TEST_P(UsageErrors, ExitTwoWithTheReasonAndAHint) {
    const QString out = In("out");
    const QString photo = Photo("me.jpg");
    QStringList args = GetParam().arguments;
    const Finished run = Batch(args.replaceInStrings("OUT", out).replaceInStrings("PHOTO", photo));
    EXPECT_TRUE(run.status == 2 && run.errors.startsWith("trellica-batch: ") &&
                run.errors.contains("--help") &&
                run.errors.contains(QLatin1String(GetParam().says)))
        << run.errors.toStdString();
    EXPECT_FALSE(QFileInfo::exists(out));
}

// One row for each kind of mistake.
// clang-format off
INSTANTIATE_TEST_SUITE_P(Batch, UsageErrors, ::testing::Values(
    UsageCase{"UnknownName", {"-o", "OUT", "PHOTO", "--looks", "glow"}, "unknown look 'glow'"},
    UsageCase{"BadColour", {"-o", "OUT", "PHOTO", "--text-color", "greenish"}, "bad colour"},
    UsageCase{"BadRectangle", {"-o", "OUT", "PHOTO", "--select", "1,2,3"}, "bad rectangle"},
    UsageCase{"NumberOutOfRange", {"-o", "OUT", "PHOTO", "--text-size", "73"}, "bad text size"},
    UsageCase{"NothingToWrite", {"-o", "OUT", "PHOTO", "--networks", "", "--no-whole"}, "nothing"},
    UsageCase{"UnknownOption", {"-o", "OUT", "PHOTO", "--frobnicate"}, "frobnicate"},
    UsageCase{"MissingOperand", {"PHOTO"}, "no output folder"}), CaseName());
// clang-format on

TEST_F(BatchRun, BadPicturesFailAloneAndTheGoodOnesAreWritten) {
    Photo("in/a.jpg");
    Photo("in/b.png", 300, 500);
    TestPictures::Written(In("in/garbage.jpg"), {});
    const QString out = In("out");
    const Finished run = Batch({"-o", out, In("in"), "-"}, In("missing.jpg").toLocal8Bit() + "\n");
    EXPECT_EQ(run.status, 1);
    const QStringList lines = run.errors.split(QLatin1Char('\n'), Qt::SkipEmptyParts);
    ASSERT_EQ(lines.size(), 3) << run.errors.toStdString();
    for (const char* bad : {"garbage.jpg: ", "missing.jpg: no such file"})
        EXPECT_EQ(lines.filter(QLatin1String(bad)).size(), 1) << bad;
    EXPECT_TRUE(lines.last().startsWith("4 pictures, 12 files, 2 failed, "));
    EXPECT_EQ(Entries(out).size(), 12);
    const Finished missed =
        Batch({"-o", out, "--force", "--select", "600,0,10,10", In("in/a.jpg")});
    EXPECT_EQ(missed.status, 1);
    EXPECT_TRUE(missed.errors.contains(QLatin1String("misses the photo (600 x 450)")));
}

TEST_F(BatchRun, AnyNumberOfJobsGivesTheSameBytes) {
    QStringList arguments{
        "--looks", "blurfocus,posterize,colorize,frame", "--text", "Jo", "--format", "png"};
    for (int i = 0; i < 4; ++i)
        arguments << Photo(QStringLiteral("p%1.jpg").arg(i), 1200 + 300 * i, 1100);
    const QString one = In("one"), two = In("two");
    ASSERT_EQ(Batch(arguments + QStringList{"-j", "1", "-o", one}).status, 0);
    ASSERT_EQ(Batch(arguments + QStringList{"-j", "2", "-o", two}).status, 0);
    ExpectSameFiles(one, two, 24);
}

TEST_F(BatchRun, NothingIsReplacedWithoutForceNorByAnotherPhotoOfTheSameName) {
    const QString out = In("out");
    const QString first = Photo("a/me.jpg");
    const QString second = Photo("b/me.png", 400, 400);
    const Finished clash = Batch({"-o", out, first, second});
    EXPECT_EQ(clash.status, 1);
    EXPECT_TRUE(clash.errors.contains(second + ": same file name as " + first));
    const QByteArray whole = Bytes(out + "/me.tif");
    EXPECT_FALSE(whole.isEmpty());

    const Finished again = Batch({"-o", out, second});
    EXPECT_EQ(again.status, 1);
    EXPECT_TRUE(again.errors.contains("me_facebook.tif exists (--force"));
    EXPECT_EQ(Bytes(out + "/me.tif"), whole);
    EXPECT_EQ(Batch({"-o", out, "--force", second}).status, 0);
    EXPECT_NE(Bytes(out + "/me.tif"), whole);
}

// The window's save and the command line write the same bytes for the same photo and settings
// (a photo small enough that it is decoded at full size).
TEST_F(BatchRun, WritesWhatTheWindowSaves) {
    const QString photo = Photo("me.jpg", 640, 480);
    AppHarness app;
    app.OpenFile(photo);
    for (const char* button : {"resetButton", "buttonSepia", "buttonFrame"})
        app.Click(button);
    app.Type("Jo");
    QDir().mkpath(In("window"));
    app.Controller().sfilePanelDidEnd(In("window") + "/me", 1);

    const QStringList settings{"--select", "0,0,640,480", "--looks", "frame,sepia", "--text", "Jo"};
    ASSERT_EQ(Batch(QStringList{"-o", In("out"), photo} + settings).status, 0);
    ExpectSameFiles(In("window"), In("out"), 6);
}

} // namespace
