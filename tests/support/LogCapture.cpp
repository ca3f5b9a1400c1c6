#include "support/LogCapture.h"

#include <QMutex>

namespace {

QMutex gMutex;
QStringList gLines;

void Collect(QtMsgType, const QMessageLogContext&, const QString& message) {
    QMutexLocker lock(&gMutex);
    gLines << message;
}

} // namespace

LogCapture::LogCapture() {
    Clear();
    _previous = qInstallMessageHandler(Collect);
}

LogCapture::~LogCapture() {
    qInstallMessageHandler(_previous);
}

QStringList LogCapture::Lines() const {
    QMutexLocker lock(&gMutex);
    return gLines;
}

bool LogCapture::Contains(const QString& line) const {
    return Count(line) > 0;
}

int LogCapture::Count(const QString& line) const {
    QMutexLocker lock(&gMutex);
    return int(gLines.count(line));
}

void LogCapture::Clear() {
    QMutexLocker lock(&gMutex);
    gLines.clear();
}
