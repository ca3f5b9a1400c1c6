#include "app/GameHelper.h"

#include <QDebug>
#include <QEventLoop>
#include <QNetworkAccessManager>
#include <QNetworkReply>
#include <QNetworkRequest>
#include <QStringDecoder>
#include <QThread>

#include <atomic>
#include <exception>
#include <limits>
#include <optional>

namespace {

constexpr int kFirstSuccessStatus = 200;
constexpr int kLastSuccessStatus = 299;
constexpr int64_t kDecimalBase = 10;
constexpr char kUnknownFailure[] = "Version check failed for an unknown reason";
constexpr char kThreadName[] = "version check";

std::atomic<int> runningChecks{0};

// The C locale's white space, as strtol skips it.
bool IsSpace(QChar c) {
    switch (c.unicode()) {
    case u' ':
    case u'\t':
    case u'\n':
    case u'\v':
    case u'\f':
    case u'\r':
        return true;
    default:
        return false;
    }
}

bool IsDigit(QChar c) {
    return c >= u'0' && c <= u'9';
}

bool IsSuccessStatus(const QVariant& status) {
    bool ok = false;
    const int code = status.toInt(&ok);
    return ok && code >= kFirstSuccessStatus && code <= kLastSuccessStatus;
}

// One GET on the calling thread's own event loop. Keeps at most kMaxBodyBytes of the body and
// abandons the transfer once it has them, so an endless reply costs nothing. Gives nothing on a
// network failure, an error status, or when the helper is being destroyed (QThread::quit).
std::optional<QByteArray> FetchBody(const QUrl& endpoint, std::chrono::milliseconds timeout) {
    constexpr int64_t kMax = GameHelper::kMaxBodyBytes;
    QNetworkAccessManager manager;
    QNetworkRequest request(endpoint);
    request.setTransferTimeout(static_cast<int>(timeout.count()));
    // Plain bytes: a compressed body could grow without bound when inflated.
    request.setRawHeader("Accept-Encoding", "identity");
    const std::unique_ptr<QNetworkReply> reply(manager.get(request));
    reply->setReadBufferSize(kMax);

    QByteArray body;
    bool cutOff = false;
    QEventLoop loop;
    QObject::connect(reply.get(), &QNetworkReply::readyRead, &loop, [&] {
        body += reply->read(kMax - body.size());
        if (body.size() >= kMax && !cutOff) {
            cutOff = true;
            reply->abort();
        }
    });
    QObject::connect(reply.get(), &QNetworkReply::finished, &loop, &QEventLoop::quit);
    if (!reply->isFinished() && !QThread::currentThread()->isInterruptionRequested()) {
        loop.exec();
    }
    if (!reply->isFinished()) {
        reply->abort();
        return std::nullopt;
    }
    const bool transferred = cutOff || reply->error() == QNetworkReply::NoError;
    if (!cutOff && transferred) {
        body += reply->read(kMax - body.size());
    }
    if (!transferred ||
        !IsSuccessStatus(reply->attribute(QNetworkRequest::HttpStatusCodeAttribute))) {
        return std::nullopt;
    }
    return body;
}

// The body as text, or nothing when it is not UTF-8. A character cut in two by the size limit
// is not an error: the decoder keeps its first bytes pending.
std::optional<QString> BodyText(const QByteArray& body) {
    QStringDecoder decoder(QStringDecoder::Utf8);
    QString text = decoder(body);
    if (decoder.hasError()) {
        return std::nullopt;
    }
    return text;
}

} // namespace

uint32_t GameHelper::VersionCode() {
    return kVersionCode;
}

GameHelper::GameHelper(QObject* delegate, const QUrl& endpoint, QObject* parent)
    : QObject(parent), _delegate(delegate), _endpoint(endpoint) {}

GameHelper::~GameHelper() {
    if (!_thread) {
        return;
    }
    // Leaves the worker's event loop; the worker then aborts its request on its own thread.
    _thread->requestInterruption();
    _thread->quit();
    _thread->wait();
}

void GameHelper::SetTransferTimeout(std::chrono::milliseconds timeout) {
    _transferTimeout = timeout;
}

void GameHelper::CheckForNewVersionAvailable() {
    if (_thread) {
        return;
    }
    _thread.reset(QThread::create([this, endpoint = _endpoint, timeout = _transferTimeout] {
        bool newer = false;
        try {
            newer = AsyncVersionCheck(endpoint, timeout);
        } catch (const std::exception& failure) {
            qInfo().noquote() << failure.what();
        } catch (...) {
            qInfo().noquote() << kUnknownFailure;
        }
        if (!QThread::currentThread()->isInterruptionRequested()) {
            QMetaObject::invokeMethod(
                this, [this, newer] { CheckEnded(newer); }, Qt::QueuedConnection);
        }
        --runningChecks;
    }));
    _thread->setObjectName(QString::fromLatin1(kThreadName));
    ++runningChecks;
    _thread->start();
}

bool GameHelper::AsyncVersionCheck(const QUrl& endpoint, std::chrono::milliseconds timeout) {
    const std::optional<QByteArray> body = FetchBody(endpoint, timeout);
    const std::optional<QString> text = body ? BodyText(*body) : std::nullopt;
    return IsNewerVersion(ReadVersionNumber(text.value_or(QString())));
}

void GameHelper::CheckEnded(bool newer) {
    if (_thread) {
        _thread->wait(); // the worker has posted its answer and is ending
        _thread.reset();
    }
    if (newer && _delegate) {
        QMetaObject::invokeMethod(_delegate.data(), "NewVersionFound", Qt::QueuedConnection);
    }
    // Queued behind NewVersionFound, so listeners see the delegate already told.
    QMetaObject::invokeMethod(
        this, [this] { emit CheckFinished(); }, Qt::QueuedConnection);
}

int64_t GameHelper::ReadVersionNumber(QStringView text) {
    qsizetype i = 0;
    while (i < text.size() && IsSpace(text[i])) {
        ++i;
    }
    bool negative = false;
    if (i < text.size() && (text[i] == u'+' || text[i] == u'-')) {
        negative = text[i] == u'-';
        ++i;
    }
    // The magnitude is capped at the limit of its sign: overflow saturates as strtol's does.
    const uint64_t limit = negative ? uint64_t{1} << 63 : std::numeric_limits<int64_t>::max();
    uint64_t magnitude = 0;
    for (; i < text.size() && IsDigit(text[i]); ++i) {
        const auto digit = static_cast<uint64_t>(text[i].unicode() - u'0');
        if (magnitude > (limit - digit) / kDecimalBase) {
            magnitude = limit;
            break;
        }
        magnitude = magnitude * kDecimalBase + digit;
    }
    if (!negative) {
        return static_cast<int64_t>(magnitude);
    }
    return magnitude == limit ? std::numeric_limits<int64_t>::min()
                              : -static_cast<int64_t>(magnitude);
}

bool GameHelper::IsNewerVersion(int64_t number) {
    return number > static_cast<int64_t>(kVersionCode);
}

int GameHelper::RunningChecks() {
    return runningChecks.load();
}
