#pragma once

#include <QElapsedTimer>
#include <QString>
#include <QStringList>
#include <cstdio>
#include <mutex>

// What trellica-batch tells on standard error while it works: the error lines
// of each failed picture; on a terminal one line that keeps updating (done/total,
// photos per second, time left); at the end a summary line. Safe to call from
// any thread.
class ProgressLine {
public:
    ProgressLine(FILE* stream, int total, bool terminal, bool quiet);

    // One picture is done: files written, a line for each error (none when it
    // succeeded), or skipped whole because its files were all there.
    void Done(const QString& name, int files, const QStringList& errors, bool skipped = false);
    // A picture's files were written, but not quite as asked: one line, not a failure.
    void Warn(const QString& name, const QString& warning);
    // "240 pictures, 1,440 files, 2 failed, 14.8 s", after the updating line;
    // with ", 12 skipped" after the files when pictures were skipped.
    void Finish();

    int Failed() const { return _failed; }

    // Whether the stream is a terminal.
    static bool IsTerminal(FILE* stream);

private:
    void Show(const QString& text);
    void Redraw();

    std::mutex _mutex;
    FILE* _stream;
    int _total;
    bool _terminal;
    bool _quiet;
    int _done = 0;
    int _files = 0;
    int _failed = 0;
    int _skipped = 0;
    qint64 _lastDrawn = -1;
    QElapsedTimer _clock;
};
