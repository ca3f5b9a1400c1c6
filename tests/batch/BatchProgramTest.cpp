#include "app/AppHarness.h"
#include "render/NetworkSets.h"
#include "support/CaseName.h"
#include "support/TestPictures.h"

#include <QDeadlineTimer>
#include <QDir>
#include <QProcess>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <QThread>
#include <csignal>
#include <gtest/gtest.h>
#include <memory>
#include <random>
#include <sys/resource.h>

// trellica-batch run as a user runs it: a process, its exit status, its stderr.
namespace {

struct Finished {
    int status = -1;
    QString errors;
};

// Started, with no file beyond fileLimit bytes when it is given (a disk that fills up).
std::unique_ptr<QProcess> Start(const QStringList& arguments, rlim_t fileLimit = 0) {
    auto process = std::make_unique<QProcess>();
    if (fileLimit > 0) {
        process->setChildProcessModifier([fileLimit] {
            const rlimit limit{fileLimit, fileLimit};
            setrlimit(RLIMIT_FSIZE, &limit);
        });
    }
    process->start(QStringLiteral(TRELLICA_BATCH_PROGRAM), arguments);
    return process;
}

Finished Batch(const QStringList& arguments, const QByteArray& input = {}, rlim_t fileLimit = 0) {
    const auto process = Start(arguments, fileLimit);
    process->write(input);
    process->closeWriteChannel();
    process->waitForFinished(120000);
    return {process->exitCode(), QString::fromLocal8Bit(process->readAllStandardError())};
}

// The files a run's summary counts.
int FilesCounted(const QString& errors) {
    return QRegularExpression(", ([0-9]+) files?, ").match(errors).captured(1).toInt();
}

using namespace TestPictures;

// Every entry, hidden ones (temporaries) too.
QStringList All(const QString& folder) {
    return QDir(folder).entryList(QDir::AllEntries | QDir::Hidden | QDir::NoDotAndDotDot);
}

// Both folders hold the same count of files, byte for byte the same, and nothing else.
void ExpectSameFiles(const QString& a, const QString& b, int count) {
    ASSERT_EQ(All(a).size(), count);
    ASSERT_EQ(All(a), All(b));
    for (const QString& name : All(a))
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
    UsageCase{"NetworkNotInTheSet", {"-o", "OUT", "PHOTO", "--set", "today", "--networks", "skype"},
              "unknown network 'skype' in the set today: give facebook, x,"},
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

// Today's set: each network's file at its upload size and within its byte limit,
// the whole picture at the largest of them, JPEG unless asked otherwise.
TEST_F(BatchRun, TodaysSetWritesEachNetworkAtItsSizeWithinItsLimit) {
    const QString out = In("out");
    const QStringList chosen{"x", "gitlab", "slack"};
    ASSERT_EQ(Batch({"-o", out, "--set", "today", "--networks", chosen.join(','), "--looks",
                     "frame", Photo("me.jpg", 2400, 1800)})
                  .status,
              0);
    const NetworkSet today = NetworkSets::Today().set;
    for (const QString& id : chosen) {
        const Network& network = *today.Find(id);
        const QString path = out + "/me_" + id + ".jpg";
        EXPECT_EQ(QImage(path).size(), QSize(network.size, network.size)) << path.toStdString();
        EXPECT_TRUE(network.maxBytes == 0 || QFileInfo(path).size() <= network.maxBytes);
    }
    EXPECT_EQ(QImage(out + "/me.jpg").size(), QSize(1024, 1024));
    EXPECT_EQ(All(out).size(), 4);
}

// A PNG above its network's limit is written as a JPEG, and the run says so.
TEST_F(BatchRun, AFileMadeSmallerToFitItsLimitIsNamed) {
    const QString photo = In("noise.png");
    QImage noise(600, 600, QImage::Format_RGB32);
    std::mt19937 random(7);
    for (int y = 0; y < noise.height(); ++y)
        for (int x = 0; x < noise.width(); ++x)
            noise.setPixel(x, y, random() & 0xffffffu);
    ASSERT_TRUE(noise.save(photo));
    // Written last before the run and removed right after it, so that no other test sees it.
    const QString userFile = NetworkSets::UserFilePath();
    QDir().mkpath(QFileInfo(userFile).path());
    Written(userFile,
            R"({"networks": [{"id": "tiny", "name": "Tiny", "size": 400, "shape": "circle",
        "maxBytes": 200000, "formats": ["jpg", "png"], "source": "a test"}]})");
    const QString out = In("out");
    const Finished run =
        Batch({"-o", out, "--set", "today", "--networks", "tiny", "--format", "png", photo});
    QFile::remove(userFile);
    EXPECT_EQ(run.status, 0) << run.errors.toStdString();
    EXPECT_TRUE(run.errors.contains("warning: made smaller to fit: noise_tiny.jpg (JPEG quality"))
        << run.errors.toStdString();
    EXPECT_LE(QFileInfo(out + "/noise_tiny.jpg").size(), 200000);
    EXPECT_TRUE(QFileInfo::exists(out + "/noise.png"));
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

// What no run may do to a file: $OUT is the output folder, $IN holds the photo $PHOTO,
// $LINK is a link to it and $GONE a photo of that name that is missing.
struct SafetyCase {
    friend void PrintTo(const SafetyCase& c, std::ostream* os) { *os << c.name; }
    const char* name;
    QStringList before; // a first run, when not empty
    QStringList arguments;
    QStringList says; // each is in standard error
    int status;
    int files; // entries of the -o folder afterwards, hidden ones too
    const char* input = "";
    rlim_t fileLimit = 0;
};

class Safety : public BatchRun, public ::testing::WithParamInterface<SafetyCase> {
protected:
    QStringList Placed(QStringList texts) const {
        for (const auto& [name, path] : {std::pair{"$OUT", "out"},
                                         {"$IN", "in"},
                                         {"$PHOTO", "in/me.jpg"},
                                         {"$LINK", "link/me.jpg"},
                                         {"$GONE", "gone/me.jpg"}})
            texts.replaceInStrings(QLatin1String(name), In(QLatin1String(path)));
        return texts;
    }
};

TEST_P(Safety, EveryFileIsWholeAndNoPhotoIsLost) {
    const QByteArray photo = Bytes(Photo("in/me.jpg"));
    ASSERT_TRUE(QDir().mkpath(In("link")) && QFile::link(In("in/me.jpg"), In("link/me.jpg")));
    const SafetyCase& c = GetParam();
    if (!c.before.isEmpty()) {
        ASSERT_EQ(Batch(Placed(c.before)).status, 0);
    }
    const QStringList arguments = Placed(c.arguments);
    const Finished run = Batch(arguments, Placed({c.input}).first().toLocal8Bit(), c.fileLimit);
    EXPECT_EQ(run.status, c.status);
    for (const QString& says : Placed(c.says))
        EXPECT_TRUE(run.errors.contains(says)) << says.toStdString() << " in:\n"
                                               << run.errors.toStdString();
    EXPECT_EQ(All(arguments[1]).size(), c.files) << All(arguments[1]).join(' ').toStdString();
    EXPECT_EQ(Bytes(In("in/me.jpg")), photo);
}

// clang-format off
INSTANTIATE_TEST_SUITE_P(Batch, Safety, ::testing::Values(
    SafetyCase{"ForceNeitherReplacesThePhotoNorTakesResultsForPhotos",
        {"-o", "$IN", "--no-whole", "--format", "jpg", "$IN"},
        {"-o", "$IN", "--force", "--format", "jpg", "$IN"},
        {"$PHOTO is a photo of this run, never replaced", "1 picture, 0 files, 1 failed"}, 1, 6},
    SafetyCase{"NorThroughALink", {}, {"-o", "$IN", "--force", "--format", "jpg", "$LINK"},
        {"$PHOTO is a photo of this run"}, 1, 1},
    SafetyCase{"ASelectionFarOutsideMisses", {},
        {"-o", "$OUT", "--select", "2147483647,2147483647,10,10", "$PHOTO"},
        {"misses the photo (600 x 450)"}, 1, 0},
    SafetyCase{"AsDoesOneThatWouldOverflow", {},
        {"-o", "$OUT", "--select", "2147483000,0,1000,1000", "$PHOTO"}, {"misses the photo"}, 1, 0},
    SafetyCase{"OrStartAtTheLeastNumber", {},
        {"-o", "$OUT", "--select", "-2147483648,0,100,100", "$PHOTO"}, {"misses the photo"}, 1, 0},
    SafetyCase{"ASelectionFarBeyondThePhotoIsMade", {},
        {"-o", "$OUT", "--select", "0,0,100000,100000", "$PHOTO"}, {"1 picture, 6 files, 0 failed"},
        0, 6},
    SafetyCase{"AFullDiskNamesEachFailedFileAndKeepsNone", {}, {"-o", "$OUT", "$PHOTO"},
        {"$OUT/me_facebook.tif: File too large", "$OUT/me.tif: File too large",
         "1 picture, 0 files, 1 failed"}, 1, 0, "", 60 * 1024},
    SafetyCase{"EachExistingFileIsNamed", {"-o", "$OUT", "--networks", "twitter", "$PHOTO"},
        {"-o", "$OUT", "$PHOTO"}, {"$OUT/me_twitter.tif exists", "$OUT/me.tif exists"}, 1, 2},
    SafetyCase{"SkipExistingWritesOnlyTheMissingFiles",
        {"-o", "$OUT", "--networks", "twitter", "$PHOTO"}, {"-o", "$OUT", "--skip-existing", "$PHOTO"},
        {"1 picture, 4 files, 0 failed"}, 0, 6},
    SafetyCase{"AndCountsThePicturesSkippedWhole", {"-o", "$OUT", "$PHOTO"},
        {"-o", "$OUT", "--skip-existing", "$PHOTO"}, {"1 picture, 0 files, 1 skipped, 0 failed"}, 0, 6},
    SafetyCase{"AMissingPhotoIsMissingWhateverIsInTheFolder", {"-o", "$OUT", "$PHOTO"},
        {"-o", "$OUT", "$GONE"}, {"$GONE: no such file"}, 1, 6},
    SafetyCase{"BlankLinesAreNoPictures", {}, {"-o", "$OUT", "-"},
        {"1 picture, 6 files, 0 failed"}, 0, 6, "\n  \n$PHOTO\n\t\n"}), CaseName());
// clang-format on

// Two runs of photos of the same names into one folder at once, as two processes: each
// picture is whole and from one run, and the runs count exactly the files they left.
TEST_F(BatchRun, TwoRunsIntoOneFolderNeverMixTheirPictures) {
    constexpr int kPhotos = 12;
    for (int i = 0; i < kPhotos; ++i) {
        Photo(QStringLiteral("a/p%1.jpg").arg(i));
        Photo(QStringLiteral("b/p%1.png").arg(i), 450, 600);
    }
    for (const char* run : {"a", "b"})
        ASSERT_EQ(Batch({"-o", In(run + QStringLiteral("1")), In(run)}).status, 0);
    const auto a = Start({"-o", In("out"), "-j", "1", In("a")});
    const auto b = Start({"-o", In("out"), "-j", "1", In("b")});
    ASSERT_TRUE(a->waitForFinished(120000) && b->waitForFinished(120000));
    EXPECT_EQ(FilesCounted(a->readAllStandardError()) + FilesCounted(b->readAllStandardError()),
              kPhotos * 6);
    ASSERT_EQ(All(In("out")).size(), kPhotos * 6);
    for (int i = 0; i < kPhotos; ++i) {
        const QStringList files =
            All(In("out")).filter(QRegularExpression(QStringLiteral("^p%1[_.]").arg(i)));
        const QString from =
            Bytes(In("out/") + files[0]) == Bytes(In("a1/") + files[0]) ? "a1" : "b1";
        for (const QString& file : files)
            EXPECT_EQ(Bytes(In("out/") + file), Bytes(In(from + '/') + file)) << file.toStdString();
    }
}

// Killed after its first files and run again with --skip-existing, a run leaves exactly
// the files of a run that went through, and no temporary.
TEST_F(BatchRun, AKilledRunIsFinishedBySkipExisting) {
    for (int i = 0; i < 24; ++i)
        Photo(QStringLiteral("in/p%1.jpg").arg(i), 1600, 1200);
    const QStringList run{"-j", "1", "--looks", "soften,frame", In("in")};
    ASSERT_EQ(Batch(QStringList{"-o", In("through")} + run).status, 0);
    const auto killed = Start(QStringList{"-o", In("out")} + run);
    const QDeadlineTimer bound(60000);
    while (All(In("out")).isEmpty() && killed->state() != QProcess::NotRunning &&
           !bound.hasExpired())
        QThread::msleep(1);
    ::kill(pid_t(killed->processId()), SIGKILL);
    killed->waitForFinished();
    EXPECT_EQ(Batch(QStringList{"-o", In("out"), "--skip-existing"} + run).status, 0);
    ExpectSameFiles(In("through"), In("out"), 24 * 6);
}

} // namespace
