#include "app/GameHelper.h"

#include <QDebug>
#include <QNetworkAccessManager>
#include <QNetworkReply>
#include <QStringDecoder>

#include <atomic>
#include <cstdlib>
#include <exception>
#include <memory>

namespace {

std::atomic<int> runningChecks{0};

} // namespace

GameHelper::GameHelper(QObject* delegate, const QUrl& endpoint, QObject* parent)
    : QObject(parent), _delegate(delegate), _endpoint(endpoint) {}

GameHelper::~GameHelper() {
    if (_thread) {
        _thread->quit(); // its objects, the request among them, go with its event loop
        _thread->wait();
    }
}

void GameHelper::CheckForNewVersionAvailable() {
    if (_thread) {
        return;
    }
    _thread = std::make_unique<QThread>();
    _thread->setObjectName(QStringLiteral("version check"));
    auto* manager = new QNetworkAccessManager;
    manager->moveToThread(_thread.get());
    connect(_thread.get(), &QThread::finished, manager, &QObject::deleteLater);
    connect(_thread.get(), &QThread::finished, [] { --runningChecks; });
    connect(_thread.get(), &QThread::started, manager,
            [this, manager, endpoint = _endpoint, timeout = _transferTimeout] {
                QNetworkRequest request(endpoint);
                request.setTransferTimeout(static_cast<int>(timeout.count()));
                // Plain bytes: a compressed body could grow without bound when inflated.
                request.setRawHeader("Accept-Encoding", "identity");
                QNetworkReply* reply = manager->get(request);
                reply->setReadBufferSize(kMaxBodyBytes);
                auto body = std::make_shared<QByteArray>();
                // Keeps the first kMaxBodyBytes and abandons the rest, so an endless reply costs
                // nothing.
                connect(reply, &QNetworkReply::readyRead, reply, [reply, body] {
                    *body += reply->read(kMaxBodyBytes - body->size());
                    if (body->size() == kMaxBodyBytes) {
                        reply->abort();
                    }
                });
                connect(reply, &QNetworkReply::finished, reply,
                        [this, reply, body] { AsyncVersionCheck(reply, *body); });
            });
    ++runningChecks;
    _thread->start();
}

// The number of a success status's UTF-8 body, read as strtol reads (leading white space, an
// optional sign, digits up to the first other character; no digits 0, overflow saturating).
// Signed on purpose: a negative reply is no version at all, so it is never newer.
void GameHelper::AsyncVersionCheck(QNetworkReply* reply, QByteArray body) {
    bool newer = false;
    try {
        const bool cutOff = body.size() == kMaxBodyBytes;
        body += reply->read(kMaxBodyBytes - body.size());
        const int status = reply->attribute(QNetworkRequest::HttpStatusCodeAttribute).toInt();
        QStringDecoder utf8(QStringDecoder::Utf8);
        const QString text = utf8(body); // a character cut in two by the cap is pending, no error
        newer = (cutOff || reply->error() == QNetworkReply::NoError) && status >= 200 &&
                status <= 299 && !utf8.hasError() &&
                std::strtoll(body.constData(), nullptr, 10) > int64_t{kVersionCode};
    } catch (const std::exception& failure) {
        qInfo().noquote() << failure.what();
    } catch (...) {
        qInfo().noquote() << "Version check failed for an unknown reason";
    }
    QMetaObject::invokeMethod(
        this, [this, newer] { CheckEnded(newer); }, Qt::QueuedConnection);
    QThread::currentThread()->quit();
}

void GameHelper::CheckEnded(bool newer) {
    _thread->wait(); // it has handed over its answer and is ending
    _thread.reset();
    if (newer && _delegate) {
        QMetaObject::invokeMethod(_delegate.data(), "NewVersionFound", Qt::QueuedConnection);
    }
    // Queued behind NewVersionFound, so listeners see the delegate already told.
    QMetaObject::invokeMethod(this, &GameHelper::CheckFinished, Qt::QueuedConnection);
}

int GameHelper::RunningChecks() {
    return runningChecks.load();
}
