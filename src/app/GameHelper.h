#pragma once

#include "ProductInfo.h"
#include "app/WebAddresses.h"

#include <QObject>
#include <QPointer>
#include <QThread>
#include <QUrl>

#include <chrono>
#include <cstdint>
#include <memory>

// Asks the maker's version endpoint for the newest release number and tells the delegate when it
// is greater than this build's. The request runs on a worker thread of its own, so the window is
// usable at once; the delegate hears of a newer version through a queued call of its invokable
// NewVersionFound() on the main thread.
class QNetworkReply;

class GameHelper : public QObject {
    Q_OBJECT
public:
    static constexpr uint32_t kVersionCode = ProductInfo::kVersionCode;
    // A stalled server must not keep a worker thread busy for the whole run.
    static constexpr std::chrono::milliseconds kTransferTimeout{10000};
    // The body is a handful of digits; anything beyond this is never read.
    static constexpr int64_t kMaxBodyBytes = 64;

    static uint32_t VersionCode() { return kVersionCode; }

    // Holds the delegate (a QObject with an invokable NewVersionFound()) for its lifetime.
    explicit GameHelper(
        QObject* delegate,
        const QUrl& endpoint = QUrl(QString::fromLatin1(WebAddresses::kVersionEndpoint)),
        QObject* parent = nullptr);
    // Abandons a running check and waits for its worker thread, which ends promptly.
    ~GameHelper() override;

    // Starts the check on a worker thread and returns at once. Does nothing while a check runs.
    void CheckForNewVersionAvailable();
    // For the next check; without a transfer for this long the request is abandoned.
    void SetTransferTimeout(std::chrono::milliseconds timeout) { _transferTimeout = timeout; }
    // Worker threads that have not yet ended, over all helpers.
    static int RunningChecks();

signals:
    // Emitted on the main thread when a check has ended, newer or not, after the delegate's
    // NewVersionFound() (if any) has been delivered.
    void CheckFinished();

private:
    // On the worker thread, once the reply has ended: reads it and hands the answer back.
    void AsyncVersionCheck(QNetworkReply* reply, QByteArray body);
    // Back on the main thread.
    void CheckEnded(bool newer);

    QPointer<QObject> _delegate;
    QUrl _endpoint;
    std::chrono::milliseconds _transferTimeout = kTransferTimeout;
    std::unique_ptr<QThread> _thread;
};
