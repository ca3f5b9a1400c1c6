#pragma once

#include <QString>
#include <QStringList>
#include <QtMessageHandler>

// Collects the log lines written while it lives (all levels).
class LogCapture {
public:
    LogCapture();
    ~LogCapture();
    LogCapture(const LogCapture&) = delete;
    LogCapture& operator=(const LogCapture&) = delete;

    QStringList Lines() const;
    bool Contains(const QString& line) const;
    int Count(const QString& line) const;
    void Clear();

private:
    QtMessageHandler _previous;
};
