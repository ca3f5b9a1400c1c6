#include "app/GameHelper.h"

#include <QCoreApplication>
#include <QHostAddress>
#include <QSignalSpy>
#include <QTcpServer>
#include <QTcpSocket>
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
constexpr qsizetype kStreamChunk = 64 * 1024;

template <size_t N> QByteArray Bytes(const char (&text)[N]) {
    return QByteArray(text, N - 1);
}

QByteArray HttpReply(int status, const QByteArray& body) {
    return "HTTP/1.1 " + QByteArray::number(status) +
           " X\r\nContent-Type: text/plain\r\nConnection: close\r\nContent-Length: " +
           QByteArray::number(body.size()) + "\r\n\r\n" + body;
}

// Stands in for the maker's version endpoint on 127.0.0.1. Once a request's header is in, it
// answers with fixed bytes and closes, never answers, or streams digits without end.
class VersionServer {
public:
    enum class Mode { Answer, Stall, Endless };

    explicit VersionServer(Mode mode, QByteArray answer = {})
        : _mode(mode), _answer(std::move(answer)) {
        _server.listen(QHostAddress::LocalHost, 0);
        QObject::connect(&_server, &QTcpServer::newConnection, &_server, [this] {
            while (QTcpSocket* socket = _server.nextPendingConnection()) {
                Serve(socket);
            }
        });
    }

    QUrl Url() const {
        return QUrl(QStringLiteral("http://127.0.0.1:%1/version.txt").arg(_server.serverPort()));
    }
    int Requests() const { return _requests; }

private:
    void Serve(QTcpSocket* socket) {
        auto header = std::make_shared<QByteArray>();
        QObject::connect(socket, &QTcpSocket::readyRead, socket, [this, socket, header] {
            const bool complete = header->contains("\r\n\r\n");
            *header += socket->readAll();
            if (!complete && header->contains("\r\n\r\n")) {
                ++_requests;
                Respond(socket);
            }
        });
    }

    void Respond(QTcpSocket* socket) {
        if (_mode == Mode::Answer) {
            socket->write(_answer);
            socket->disconnectFromHost();
        } else if (_mode == Mode::Endless) {
            socket->write(
                "HTTP/1.1 200 OK\r\nContent-Type: text/plain\r\nConnection: close\r\n\r\n");
            const QByteArray chunk(kStreamChunk, '9');
            socket->write(chunk);
            QObject::connect(socket, &QTcpSocket::bytesWritten, socket, [socket, chunk] {
                if (socket->state() == QAbstractSocket::ConnectedState &&
                    socket->bytesToWrite() < chunk.size()) {
                    socket->write(chunk);
                }
            });
        }
    }

    QTcpServer _server;
    Mode _mode;
    QByteArray _answer;
    int _requests = 0;
};

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

struct CheckOutcome {
    bool finished = false;
    int alerts = 0;
    QThread* alertThread = nullptr;
};

CheckOutcome RunCheck(const QUrl& endpoint, std::chrono::milliseconds timeout = kNeverTimesOut) {
    VersionDelegate delegate;
    GameHelper helper(&delegate, endpoint);
    helper.SetTransferTimeout(timeout);
    QSignalSpy finished(&helper, &GameHelper::CheckFinished);
    helper.CheckForNewVersionAvailable();
    const bool ended = QTest::qWaitFor([&] { return finished.count() > 0; }, kPatienceMs);
    return {ended && finished.count() == 1, delegate.calls, delegate.callThread};
}

// --- reading the reply -----------------------------------------------------

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

INSTANTIATE_TEST_SUITE_P(
    GameHelper, GameHelperReading,
    testing::Values(ReadingCase{"111", 111}, ReadingCase{"110", 110}, ReadingCase{"109", 109},
                    ReadingCase{"  120 beta", 120}, ReadingCase{"beta", 0}, ReadingCase{"-1", -1},
                    ReadingCase{"", 0}, ReadingCase{"+7", 7}, ReadingCase{"\n42\r\n", 42},
                    ReadingCase{"\t\v\f 5", 5}, ReadingCase{"- 5", 0}, ReadingCase{"+-3", 0},
                    ReadingCase{"12.9", 12}, ReadingCase{"0000000000000000000000000111", 111},
                    ReadingCase{"9223372036854775807", kMax},
                    ReadingCase{"9223372036854775808", kMax},
                    ReadingCase{"99999999999999999999", kMax},
                    ReadingCase{"-9223372036854775808", kMin},
                    ReadingCase{"-99999999999999999999", kMin},
                    ReadingCase{QString::fromLatin1(Bytes("\x00"
                                                          "5\xff\x01")),
                                0},
                    ReadingCase{QString::fromLatin1(Bytes("7\x00"
                                                          "8")),
                                7},
                    ReadingCase{QString::fromUtf8("\u00a0"
                                                  "120"),
                                0},
                    ReadingCase{QString::fromUtf8("\u0661\u0662\u0663"), 0}));

TEST(GameHelperVersion, CodeIs110) {
    EXPECT_EQ(GameHelper::VersionCode(), 110u);
}

// --- whole checks against a local server ---------------------------------------

struct ReplyCase {
    const char* name;
    QByteArray reply;
    bool newer;
};

void PrintTo(const ReplyCase& c, std::ostream* out) {
    *out << c.name;
}

class GameHelperReplies : public testing::TestWithParam<ReplyCase> {};

TEST_P(GameHelperReplies, TellsTheDelegateOnTheMainThreadOnlyOfANewerVersion) {
    VersionServer server(VersionServer::Mode::Answer, GetParam().reply);
    const CheckOutcome outcome = RunCheck(server.Url());
    ASSERT_TRUE(outcome.finished);
    EXPECT_GE(server.Requests(), 1); // Qt repeats a request whose connection closed unanswered
    EXPECT_EQ(outcome.alerts, GetParam().newer ? 1 : 0);
    if (GetParam().newer) {
        EXPECT_EQ(outcome.alertThread, qApp->thread());
    }
    EXPECT_EQ(GameHelper::RunningChecks(), 0);
}

QByteArray TenMegabytesAfter(const QByteArray& start) {
    return start + QByteArray(kTenMegabytes - start.size(), 'x');
}

INSTANTIATE_TEST_SUITE_P(
    GameHelper, GameHelperReplies,
    testing::Values(
        ReplyCase{"Newer", HttpReply(200, "111"), true},
        ReplyCase{"Same", HttpReply(200, "110"), false},
        ReplyCase{"Older", HttpReply(200, "109"), false},
        ReplyCase{"BlanksThenNumberThenWord", HttpReply(200, "  120 beta"), true},
        ReplyCase{"Word", HttpReply(200, "beta"), false},
        ReplyCase{"Negative", HttpReply(200, "-1"), false},
        ReplyCase{"Empty", HttpReply(200, ""), false},
        ReplyCase{"Huge", HttpReply(200, "99999999999999999999"), true},
        ReplyCase{"LineEnd", HttpReply(200, "111\r\n"), true},
        ReplyCase{"ErrorStatusWithNumber", HttpReply(404, "999"), false},
        ReplyCase{"ServerErrorWithNumber", HttpReply(500, "999"), false},
        ReplyCase{"BinaryAfterDigits", HttpReply(200, Bytes("200\xff\xfe\x00\x01")), false},
        ReplyCase{"TenMegabytesAfterANewerNumber", HttpReply(200, TenMegabytesAfter("111")), true},
        ReplyCase{"TenMegabytesAfterAnOlderNumber", HttpReply(200, TenMegabytesAfter("109")),
                  false},
        ReplyCase{"ClosedBeforeTheBodyEnds", "HTTP/1.1 200 OK\r\nContent-Length: 10\r\n\r\n111",
                  false},
        ReplyCase{"ClosedWithoutAnswer", "", false}, ReplyCase{"NotHttp", "111\r\n", false}),
    [](const testing::TestParamInfo<ReplyCase>& info) { return info.param.name; });

// --- unreachable, silent and endless servers -------------------------------------

TEST(GameHelperNetwork, ClosedPortEndsTheCheckWithoutAlert) {
    QUrl endpoint;
    {
        VersionServer closed(VersionServer::Mode::Stall);
        endpoint = closed.Url();
    }
    const CheckOutcome outcome = RunCheck(endpoint);
    EXPECT_TRUE(outcome.finished);
    EXPECT_EQ(outcome.alerts, 0);
}

TEST(GameHelperNetwork, SilentServerEndsTheCheckAtTheTimeout) {
    VersionServer server(VersionServer::Mode::Stall);
    const CheckOutcome outcome = RunCheck(server.Url(), kShortTimeout);
    EXPECT_TRUE(outcome.finished);
    EXPECT_EQ(server.Requests(), 1);
    EXPECT_EQ(outcome.alerts, 0);
    EXPECT_EQ(GameHelper::RunningChecks(), 0);
}

TEST(GameHelperNetwork, MainLoopKeepsTurningWhileTheServerIsSilent) {
    VersionServer server(VersionServer::Mode::Stall);
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

TEST(GameHelperNetwork, EndlessBodyIsCutOffAfterItsFirstBytes) {
    VersionServer server(VersionServer::Mode::Endless);
    const CheckOutcome outcome = RunCheck(server.Url());
    ASSERT_TRUE(outcome.finished);
    // The first bytes are all nines: the number saturates and counts as newer.
    EXPECT_EQ(outcome.alerts, 1);
}

// --- lifetime ------------------------------------------------------------------

TEST(GameHelperLifetime, DestroyedRightAfterStartingLeavesNoThread) {
    VersionServer server(VersionServer::Mode::Stall);
    VersionDelegate delegate;
    for (int round = 0; round < 10; ++round) {
        auto helper = std::make_unique<GameHelper>(&delegate, server.Url());
        helper->SetTransferTimeout(kNeverTimesOut);
        helper->CheckForNewVersionAvailable();
        helper.reset();
        EXPECT_EQ(GameHelper::RunningChecks(), 0) << "round " << round;
    }
    QCoreApplication::processEvents();
    EXPECT_EQ(delegate.calls, 0);
}

TEST(GameHelperLifetime, DestroyedWhileTheServerStallsLeavesNoThread) {
    VersionServer server(VersionServer::Mode::Stall);
    VersionDelegate delegate;
    auto helper = std::make_unique<GameHelper>(&delegate, server.Url());
    helper->SetTransferTimeout(kNeverTimesOut);
    helper->CheckForNewVersionAvailable();
    ASSERT_TRUE(QTest::qWaitFor([&] { return server.Requests() == 1; }, kPatienceMs));
    ASSERT_EQ(GameHelper::RunningChecks(), 1);
    helper.reset();
    EXPECT_EQ(GameHelper::RunningChecks(), 0);
}

TEST(GameHelperLifetime, DelegateGoneBeforeTheAnswerIsNotCalled) {
    VersionServer server(VersionServer::Mode::Answer, HttpReply(200, "111"));
    auto delegate = std::make_unique<VersionDelegate>();
    GameHelper helper(delegate.get(), server.Url());
    QSignalSpy finished(&helper, &GameHelper::CheckFinished);
    helper.CheckForNewVersionAvailable();
    delegate.reset();
    EXPECT_TRUE(QTest::qWaitFor([&] { return finished.count() == 1; }, kPatienceMs));
}

TEST(GameHelperLifetime, SecondCheckAfterTheFirstAsksAgain) {
    VersionServer server(VersionServer::Mode::Answer, HttpReply(200, "111"));
    VersionDelegate delegate;
    GameHelper helper(&delegate, server.Url());
    QSignalSpy finished(&helper, &GameHelper::CheckFinished);
    helper.CheckForNewVersionAvailable();
    helper.CheckForNewVersionAvailable(); // ignored: one check at a time
    ASSERT_TRUE(QTest::qWaitFor([&] { return finished.count() == 1; }, kPatienceMs));
    helper.CheckForNewVersionAvailable();
    ASSERT_TRUE(QTest::qWaitFor([&] { return finished.count() == 2; }, kPatienceMs));
    EXPECT_EQ(server.Requests(), 2);
    EXPECT_EQ(delegate.calls, 2);
}

} // namespace

#include "GameHelperTest.moc"
