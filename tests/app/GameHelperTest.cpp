#include "app/GameHelper.h"
#include "AppHarness.h"

#include <QCoreApplication>
#include <QSignalSpy>
#include <QTest>
#include <QThread>
#include <QTimer>

#include <gtest/gtest.h>

#include <limits>
#include <memory>

using namespace std::chrono_literals;

namespace {

// How long a test waits for something that should happen; a passing test never waits this long.
constexpr int kPatienceMs = 20000;
// Long enough that reaching the end of a check proves the timeout was not what ended it.
constexpr std::chrono::milliseconds kNeverTimesOut = 120s;
constexpr std::chrono::milliseconds kShortTimeout = 200ms;
constexpr qsizetype kTenMegabytes = 10 * 1024 * 1024;

using Mode = LocalVersionServer::Mode;
using VersionServer = LocalVersionServer;

// The application's side: records each NewVersionFound and the thread it ran on.
class VersionDelegate : public QObject {
    Q_OBJECT
public:
    Q_INVOKABLE void NewVersionFound() {
        ++calls;
        callThread = QThread::currentThread();
    }
    int calls = 0;
    QThread* callThread = nullptr;
};

struct ReadingCase {
    QString text;
    int64_t number;
};

void PrintTo(const ReadingCase& c, std::ostream* out) {
    *out << '"' << c.text.toUtf8().toPercentEncoding(" +-").constData() << '"';
}

class GameHelperReading : public testing::TestWithParam<ReadingCase> {};

TEST_P(GameHelperReading, ReadsLikeStrtol) {
    EXPECT_EQ(GameHelper::ReadVersionNumber(GetParam().text), GetParam().number);
}

constexpr int64_t kMax = std::numeric_limits<int64_t>::max();
constexpr int64_t kMin = std::numeric_limits<int64_t>::min();

// The replies the check must read, an empty body, a line end, and numbers beyond 64 bits.
INSTANTIATE_TEST_SUITE_P(GameHelper, GameHelperReading,
                         testing::Values(ReadingCase{"111", 111}, ReadingCase{"110", 110},
                                         ReadingCase{"  120 beta", 120}, ReadingCase{"beta", 0},
                                         ReadingCase{"-1", -1}, ReadingCase{"", 0},
                                         ReadingCase{"111\r\n", 111}, ReadingCase{"12.9", 12},
                                         ReadingCase{"99999999999999999999", kMax},
                                         ReadingCase{"-99999999999999999999", kMin}));

struct ReplyCase {
    const char* name;
    Mode mode;
    QByteArray reply;
    bool newer;
};

void PrintTo(const ReplyCase& c, std::ostream* out) {
    *out << c.name;
}

class GameHelperReplies : public testing::TestWithParam<ReplyCase> {};

TEST_P(GameHelperReplies, TellsTheDelegateOnTheMainThreadOnlyOfANewerVersion) {
    const ReplyCase& c = GetParam();
    VersionServer server(c.mode, c.reply);
    VersionDelegate delegate;
    GameHelper helper(&delegate, server.Url());
    // A silent server must end the check by the timeout, nothing else by it.
    helper.SetTransferTimeout(c.mode == Mode::Stall ? kShortTimeout : kNeverTimesOut);
    QSignalSpy finished(&helper, &GameHelper::CheckFinished);
    helper.CheckForNewVersionAvailable();
    ASSERT_TRUE(QTest::qWaitFor([&] { return finished.count() > 0; }, kPatienceMs));
    EXPECT_EQ(finished.count(), 1);
    EXPECT_EQ(delegate.calls, c.newer ? 1 : 0);
    if (c.newer) {
        EXPECT_EQ(delegate.callThread, qApp->thread());
    }
    EXPECT_EQ(GameHelper::RunningChecks(), 0);
}

QByteArray TenMegabytesAfter(const QByteArray& start) {
    return start + QByteArray(kTenMegabytes - start.size(), 'x');
}

INSTANTIATE_TEST_SUITE_P(
    GameHelper, GameHelperReplies,
    testing::Values(ReplyCase{"Newer", Mode::Answer, HttpReply(200, "111"), true},
                    ReplyCase{"Same", Mode::Answer, HttpReply(200, "110"), false},
                    ReplyCase{"BlanksThenNumberThenWord", Mode::Answer,
                              HttpReply(200, "  120 beta"), true},
                    ReplyCase{"Word", Mode::Answer, HttpReply(200, "beta"), false},
                    ReplyCase{"Negative", Mode::Answer, HttpReply(200, "-1"), false},
                    ReplyCase{"ErrorStatusWithNumber", Mode::Answer, HttpReply(404, "999"), false},
                    ReplyCase{"BinaryAfterDigits", Mode::Answer,
                              HttpReply(200, QByteArray("200\xff\xfe\x00\x01", 7)), false},
                    ReplyCase{"TenMegabytesAfterANewerNumber", Mode::Answer,
                              HttpReply(200, TenMegabytesAfter("111")), true},
                    ReplyCase{"ClosedBeforeTheBodyEnds", Mode::Answer,
                              "HTTP/1.1 200 OK\r\nContent-Length: 10\r\n\r\n111", false},
                    ReplyCase{"ClosedPort", Mode::Closed, {}, false},
                    ReplyCase{"SilentServerTimesOut", Mode::Stall, {}, false}),
    [](const testing::TestParamInfo<ReplyCase>& info) { return info.param.name; });

TEST(GameHelperNetwork, MainLoopKeepsTurningWhileTheServerIsSilent) {
    VersionServer server(Mode::Stall);
    VersionDelegate delegate;
    GameHelper helper(&delegate, server.Url());
    helper.SetTransferTimeout(kNeverTimesOut);
    QSignalSpy finished(&helper, &GameHelper::CheckFinished);
    int ticks = 0;
    QTimer timer;
    QObject::connect(&timer, &QTimer::timeout, [&] { ++ticks; });
    timer.start(5);

    helper.CheckForNewVersionAvailable();
    // Returned at once: the server, on this thread, has not even seen the request yet.
    EXPECT_EQ(server.Requests(), 0);
    ASSERT_TRUE(QTest::qWaitFor([&] { return server.Requests() == 1; }, kPatienceMs));
    const int ticksAtRequest = ticks;
    EXPECT_TRUE(QTest::qWaitFor([&] { return ticks >= ticksAtRequest + 5; }, kPatienceMs));
    EXPECT_EQ(finished.count(), 0);
    EXPECT_EQ(GameHelper::RunningChecks(), 1);
}

TEST(GameHelperLifetime, DestroyedBeforeOrWhileTheServerStallsLeavesNoThread) {
    VersionServer server(Mode::Stall);
    VersionDelegate delegate;
    for (const bool waitForRequest : {false, true}) {
        auto helper = std::make_unique<GameHelper>(&delegate, server.Url());
        helper->SetTransferTimeout(kNeverTimesOut);
        helper->CheckForNewVersionAvailable();
        if (waitForRequest) {
            ASSERT_TRUE(QTest::qWaitFor([&] { return server.Requests() == 1; }, kPatienceMs));
        }
        helper.reset();
        EXPECT_EQ(GameHelper::RunningChecks(), 0) << waitForRequest;
    }
    QCoreApplication::processEvents();
    EXPECT_EQ(delegate.calls, 0);
}

TEST(GameHelperLifetime, DelegateGoneBeforeTheAnswerIsNotCalled) {
    VersionServer server(Mode::Answer, HttpReply(200, "111"));
    auto delegate = std::make_unique<VersionDelegate>();
    GameHelper helper(delegate.get(), server.Url());
    QSignalSpy finished(&helper, &GameHelper::CheckFinished);
    helper.CheckForNewVersionAvailable();
    delegate.reset();
    EXPECT_TRUE(QTest::qWaitFor([&] { return finished.count() == 1; }, kPatienceMs));
}

} // namespace

#include "GameHelperTest.moc"
