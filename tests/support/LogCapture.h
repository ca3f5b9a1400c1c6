#pragma once

#include <QMutex>
#include <QString>
#include <QStringList>
#include <QtMessageHandler>

// Collects the log lines written while it lives (all levels), from any thread.
class LogCapture {
public:
    LogCapture() {
        Clear();
        _previous =
            qInstallMessageHandler([](QtMsgType, const QMessageLogContext&, const QString& line) {
                QMutexLocker lock(&Mutex());
                Store() << line;
            });
    }
    ~LogCapture() { qInstallMessageHandler(_previous); }
    LogCapture(const LogCapture&) = delete;
    LogCapture& operator=(const LogCapture&) = delete;

    QStringList Lines() const {
        QMutexLocker lock(&Mutex());
        return Store();
    }
    int Count(const QString& line) const { return int(Lines().count(line)); }
    bool Contains(const QString& line) const { return Count(line) > 0; }
    void Clear() {
        QMutexLocker lock(&Mutex());
        Store().clear();
    }

private:
    static QMutex& Mutex() {
        static QMutex mutex;
        return mutex;
    }
    static QStringList& Store() {
        static QStringList lines;
        return lines;
    }
    QtMessageHandler _previous;
};
