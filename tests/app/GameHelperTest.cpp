#include "app/GameHelper.h"
#include "AppHarness.h"

#include <QSignalSpy>
#include <QTest>

#include <gtest/gtest.h>

namespace {

constexpr int kPatienceMs = 20000; // a passing test never waits this long
// Long enough that reaching the end of a check proves the timeout was not what ended it.
constexpr std::chrono::milliseconds kNeverTimesOut = std::chrono::minutes(2);
using Mode = LocalVersionServer::Mode;

// The application's side: records each NewVersionFound and the thread it ran on.
class VersionDelegate : public QObject {
    Q_OBJECT
public:
    Q_INVOKABLE void NewVersionFound() { ++calls, callThread = QThread::currentThread(); }
    int calls = 0;
    QThread* callThread = nullptr; // of the last call
};

struct ReplyCase {
    const char* name;
    Mode mode;
    QByteArray reply;
    bool newer; // the delegate is told
    friend void PrintTo(const ReplyCase& c, std::ostream* out) { *out << c.name; }
};

class GameHelperReplies : public testing::TestWithParam<ReplyCase> {};

TEST_P(GameHelperReplies, TellsTheDelegateOnTheMainThreadOnlyOfANewerVersion) {
    const ReplyCase& c = GetParam();
    LocalVersionServer server(c.mode, c.reply);
    VersionDelegate delegate;
    GameHelper helper(&delegate, server.Url());
    // A silent server must end the check by the timeout, nothing else by it.
    helper.SetTransferTimeout(c.mode == Mode::Stall ? std::chrono::milliseconds(200)
                                                    : kNeverTimesOut);
    QSignalSpy finished(&helper, &GameHelper::CheckFinished);
    helper.CheckForNewVersionAvailable();
    ASSERT_TRUE(QTest::qWaitFor([&] { return finished.count() > 0; }, kPatienceMs));
    EXPECT_EQ(finished.count(), 1);
    EXPECT_EQ(delegate.calls, c.newer ? 1 : 0);
    EXPECT_EQ(delegate.callThread, c.newer ? qApp->thread() : nullptr);
    EXPECT_EQ(GameHelper::RunningChecks(), 0);
}

ReplyCase Ok(const char* name, const QByteArray& body, bool newer) {
    return {name, Mode::Answer, HttpReply(200, body), newer};
}

const QByteArray kTenMegabytesAfter111 = "111" + QByteArray(10 * 1024 * 1024, 'x');

INSTANTIATE_TEST_SUITE_P(
    GameHelper, GameHelperReplies,
    testing::Values(Ok("Newer", "111", true), Ok("Same", "110", false), Ok("Older", "109", false),
                    Ok("BlanksThenNumberThenWord", "  120 beta", true), Ok("Word", "beta", false),
                    Ok("Empty", "", false), Ok("LineEnd", "111\r\n", true),
                    Ok("Fraction", "12.9", false), Ok("Negative", "-1", false),
                    Ok("BeyondSixtyFourBits", "99999999999999999999", true),
                    Ok("NegativeBeyondSixtyFourBits", "-99999999999999999999", false),
                    Ok("BinaryAfterDigits", QByteArray("200\xff\xfe\x00\x01", 7), false),
                    Ok("TenMegabytesAfterANewerNumber", kTenMegabytesAfter111, true),
                    ReplyCase{"ErrorStatusWithNumber", Mode::Answer, HttpReply(404, "999"), false},
                    ReplyCase{"ClosedBeforeTheBodyEnds", Mode::Answer,
                              "HTTP/1.1 200 OK\r\nContent-Length: 10\r\n\r\n111", false},
                    ReplyCase{"ClosedPort", Mode::Closed, {}, false},
                    ReplyCase{"SilentServerTimesOut", Mode::Stall, {}, false}),
    [](const testing::TestParamInfo<ReplyCase>& info) { return info.param.name; });

TEST(GameHelperNetwork, MainLoopKeepsTurningWhileTheServerStallsAndQuitLeavesNoThread) {
    LocalVersionServer server(Mode::Stall);
    VersionDelegate delegate;
    for (const bool waitForRequest : {false, true}) {
        auto helper = std::make_unique<GameHelper>(&delegate, server.Url());
        helper->SetTransferTimeout(kNeverTimesOut);
        const int before = server.Requests();
        helper->CheckForNewVersionAvailable();
        // Returned at once: the server, on this thread, has not even seen the request yet; it
        // does while this thread's loop turns.
        EXPECT_EQ(server.Requests(), before);
        if (waitForRequest) {
            ASSERT_TRUE(QTest::qWaitFor([&] { return server.Requests() > before; }, kPatienceMs));
            EXPECT_EQ(GameHelper::RunningChecks(), 1);
        }
        helper.reset(); // as at quit
        EXPECT_EQ(GameHelper::RunningChecks(), 0) << waitForRequest;
    }
    QCoreApplication::processEvents();
    EXPECT_EQ(delegate.calls, 0);
}

TEST(GameHelperLifetime, DelegateGoneBeforeTheAnswerIsNotCalled) {
    LocalVersionServer server(Mode::Answer, HttpReply(200, "111"));
    auto delegate = std::make_unique<VersionDelegate>();
    GameHelper helper(delegate.get(), server.Url());
    QSignalSpy finished(&helper, &GameHelper::CheckFinished);
    helper.CheckForNewVersionAvailable();
    delegate.reset();
    EXPECT_TRUE(QTest::qWaitFor([&] { return finished.count() == 1; }, kPatienceMs));
}

} // namespace

#include "GameHelperTest.moc"
