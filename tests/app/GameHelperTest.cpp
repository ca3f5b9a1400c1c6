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

QByteArray HttpReply(int status, const QByteArray& body) {
    return "HTTP/1.1 " + QByteArray::number(status) +
           " X\r\nContent-Type: text/plain\r\nConnection: close\r\nContent-Length: " +
           QByteArray::number(body.size()) + "\r\n\r\n" + body;
}

// Stands in for the maker's version endpoint on 127.0.0.1: once a request's header is in, it
// answers with fixed bytes and closes, or never answers. Closed: nothing listens at the address.
enum class Mode { Answer, Stall, Closed };

class VersionServer {
public:
    explicit VersionServer(Mode mode, QByteArray answer = {})
        : _mode(mode), _answer(std::move(answer)) {
        _server.listen(QHostAddress::LocalHost, 0);
        _port = _server.serverPort();
        if (mode == Mode::Closed) {
            _server.close();
        }
        QObject::connect(&_server, &QTcpServer::newConnection, &_server, [this] {
            while (QTcpSocket* socket = _server.nextPendingConnection()) {
                auto header = std::make_shared<QByteArray>();
                QObject::connect(socket, &QTcpSocket::readyRead, socket, [this, socket, header] {
                    const bool complete = header->contains("\r\n\r\n");
                    *header += socket->readAll();
                    if (complete || !header->contains("\r\n\r\n")) {
                        return;
                    }
                    ++_requests;
                    if (_mode == Mode::Answer) {
                        socket->write(_answer);
                        socket->disconnectFromHost();
                    }
                });
            }
        });
    }

    QUrl Url() const { return QUrl(QStringLiteral("http://127.0.0.1:%1/version.txt").arg(_port)); }
    int Requests() const { return _requests; }

private:
    QTcpServer _server;
    Mode _mode;
    QByteArray _answer;
    quint16 _port = 0;
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

INSTANTIATE_TEST_SUITE_P(GameHelper, GameHelperReading,
                         testing::Values(ReadingCase{"111", 111}, ReadingCase{"110", 110},
                                         ReadingCase{"109", 109}, ReadingCase{"  120 beta", 120},
                                         ReadingCase{"beta", 0}, ReadingCase{"-1", -1},
                                         ReadingCase{"", 0}, ReadingCase{"+7", 7},
                                         ReadingCase{"\n42\r\n", 42}, ReadingCase{"- 5", 0},
                                         ReadingCase{"12.9", 12},
                                         ReadingCase{"99999999999999999999", kMax},
                                         ReadingCase{"-99999999999999999999", kMin},
                                         ReadingCase{QString::fromUtf8("\u00a0"
                                                                       "120"),
                                                     0},
                                         ReadingCase{QString::fromUtf8("\u0661\u0662\u0663"), 0}));

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
