#include "app/AppHarness.h"
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

using TestPictures::Bytes;
using TestPictures::Entries;

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
    const char* name;
    QStringList arguments; // after "-o out photo.jpg", unless bare
    const char* says;
    bool bare = false;
    friend void PrintTo(const UsageCase& c, std::ostream* out) { *out << c.name; }
};

class UsageErrors : public BatchRun, public ::testing::WithParamInterface<UsageCase> {};

TEST_P(UsageErrors, ExitTwoWithTheReasonAndAHint) {
    const QString out = In(QStringLiteral("out"));
    const QString photo = Photo(QStringLiteral("me.jpg"));
    QStringList arguments = GetParam().bare ? QStringList() : QStringList{"-o", out, photo};
    for (const QString& argument : GetParam().arguments) {
        arguments << (argument == "OUT" ? out : argument == "PHOTO" ? photo : argument);
    }
    const Finished run = Batch(arguments);
    EXPECT_EQ(run.status, 2);
    EXPECT_TRUE(run.errors.startsWith(QStringLiteral("trellica-batch: ")))
        << run.errors.toStdString();
    EXPECT_TRUE(run.errors.contains(QLatin1String(GetParam().says))) << run.errors.toStdString();
    EXPECT_TRUE(run.errors.contains(QLatin1String("--help")));
    EXPECT_FALSE(QFileInfo::exists(out));
}

// clang-format off
const UsageCase kUsageErrors[] = {
    {"UnknownLook", {"--looks", "sepia,glow"}, "unknown look 'glow'"},
    {"UnknownNetwork", {"--networks", "myspace"}, "unknown network"},
    {"BadColour", {"--text-color", "greenish"}, "bad colour"},
    {"ShortRectangle", {"--select", "1,2,3"}, "bad rectangle"},
    {"EmptyRectangle", {"--select", "0,0,0,9"}, "bad rectangle"},
    {"UnknownFormat", {"--format", "gif"}, "unknown format"},
    {"TextTooLarge", {"--text-size", "73"}, "bad text size"},
    {"PositionOutside", {"--text-position", "0.5,2"}, "bad text position"},
    {"NoJobs", {"-j", "0"}, "bad number of jobs"},
    {"NothingToWrite", {"--networks", "", "--no-whole"}, "nothing"},
    {"UnknownOption", {"--frobnicate"}, "frobnicate"},
    {"NoOutputFolder", {"PHOTO"}, "no output folder", true},
    {"NoPicture", {"-o", "OUT"}, "no picture given", true}};
// clang-format on

INSTANTIATE_TEST_SUITE_P(Batch, UsageErrors, ::testing::ValuesIn(kUsageErrors),
                         [](const auto& info) { return std::string(info.param.name); });

TEST_F(BatchRun, BadPicturesFailAloneAndTheGoodOnesAreWritten) {
    Photo(QStringLiteral("in/a.jpg"));
    Photo(QStringLiteral("in/b.png"), 300, 500);
    TestPictures::Written(In(QStringLiteral("in/garbage.jpg")), {});
    const QByteArray jpeg = Bytes(In(QStringLiteral("in/a.jpg")));
    TestPictures::Written(In(QStringLiteral("in/truncated.jpg")), jpeg.left(jpeg.size() / 2));
    const QString out = In(QStringLiteral("out"));
    const Finished run =
        Batch({QStringLiteral("-o"), out, In(QStringLiteral("in")), QStringLiteral("-")},
              In(QStringLiteral("missing.jpg")).toLocal8Bit() + "\n");
    EXPECT_EQ(run.status, 1);
    const QStringList lines = run.errors.split(QLatin1Char('\n'), Qt::SkipEmptyParts);
    ASSERT_EQ(lines.size(), 4) << run.errors.toStdString();
    for (const char* bad : {"garbage.jpg: ", "truncated.jpg: ", "missing.jpg: no such file"}) {
        EXPECT_EQ(lines.filter(QLatin1String(bad)).size(), 1) << bad;
    }
    EXPECT_EQ(lines.last(), QStringLiteral("5 pictures, 12 files, 3 failed, ") +
                                lines.last().section(QLatin1String(", "), 3));
    EXPECT_EQ(Entries(out),
              QStringList({"a.tif", "a_facebook.tif", "a_google.tif", "a_linkedin.tif",
                           "a_skype.tif", "a_twitter.tif", "b.tif", "b_facebook.tif",
                           "b_google.tif", "b_linkedin.tif", "b_skype.tif", "b_twitter.tif"}));
    const Finished missed =
        Batch({QStringLiteral("-o"), out, QStringLiteral("--force"), QStringLiteral("--select"),
               QStringLiteral("600,0,10,10"), In(QStringLiteral("in/a.jpg"))});
    EXPECT_EQ(missed.status, 1);
    EXPECT_TRUE(missed.errors.contains(QLatin1String("misses the photo (600 x 450)")));
}

TEST_F(BatchRun, AnyNumberOfJobsGivesTheSameBytes) {
    QStringList arguments{"--looks",         "blurfocus,posterize,colorize,frame",
                          "--text",          "Jo",
                          "--text-position", "0.1,0.2",
                          "--format",        "png"};
    for (int i = 0; i < 4; ++i) {
        arguments << Photo(QStringLiteral("p%1.jpg").arg(i), 1200 + 300 * i, 1100);
    }
    const QString one = In(QStringLiteral("one")), two = In(QStringLiteral("two"));
    ASSERT_EQ(Batch(arguments + QStringList{"-j", "1", "-o", one}).status, 0);
    ASSERT_EQ(Batch(arguments + QStringList{"-j", "2", "-o", two}).status, 0);
    ASSERT_EQ(Entries(one).size(), 24);
    ASSERT_EQ(Entries(one), Entries(two));
    for (const QString& name : Entries(one)) {
        EXPECT_EQ(Bytes(one + '/' + name), Bytes(two + '/' + name)) << name.toStdString();
    }
}

TEST_F(BatchRun, NothingIsReplacedWithoutForceNorByAnotherPhotoOfTheSameName) {
    const QString out = In(QStringLiteral("out"));
    const QString first = Photo(QStringLiteral("a/me.jpg"));
    const QString second = Photo(QStringLiteral("b/me.png"), 400, 400);
    const Finished clash = Batch({"-o", out, first, second});
    EXPECT_EQ(clash.status, 1);
    EXPECT_TRUE(clash.errors.contains(second + QStringLiteral(": same file name as ") + first))
        << clash.errors.toStdString();
    const QByteArray whole = Bytes(out + QStringLiteral("/me.tif"));
    EXPECT_FALSE(whole.isEmpty());

    const Finished again = Batch({"-o", out, second});
    EXPECT_EQ(again.status, 1);
    EXPECT_TRUE(again.errors.contains(QStringLiteral("me_facebook.tif exists (--force")));
    EXPECT_EQ(Bytes(out + QStringLiteral("/me.tif")), whole);
    EXPECT_EQ(Batch({"-o", out, "--force", second}).status, 0);
    EXPECT_NE(Bytes(out + QStringLiteral("/me.tif")), whole);
}

// The window's save and the command line write the same bytes for the same photo and settings
// (a photo small enough that it is decoded at full size).
TEST_F(BatchRun, WritesWhatTheWindowSaves) {
    const QString photo = Photo(QStringLiteral("me.jpg"), 640, 480);
    AppHarness app;
    app.Controller().filePanelDidEnd(photo, 1);
    app.Click("resetButton");
    app.Click("buttonSepia");
    app.Click("buttonFrame");
    app.Type(QStringLiteral("Jo"));
    const QString window = In(QStringLiteral("window"));
    QDir().mkpath(window);
    app.Controller().sfilePanelDidEnd(window + QStringLiteral("/me"), 1);

    const QString out = In(QStringLiteral("out"));
    ASSERT_EQ(Batch({"-o", out, "--select", "0,0,640,480", "--looks", "frame,sepia", "--text", "Jo",
                     photo})
                  .status,
              0);
    ASSERT_EQ(Entries(window).size(), 6);
    ASSERT_EQ(Entries(out), Entries(window));
    for (const QString& name : Entries(window)) {
        EXPECT_EQ(Bytes(out + '/' + name), Bytes(window + '/' + name)) << name.toStdString();
    }
}

} // namespace
