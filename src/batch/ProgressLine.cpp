#include "batch/ProgressLine.h"

#include <QCoreApplication>
#include <QLocale>
#include <unistd.h>

namespace {

// The updating line is drawn at most this often.
constexpr qint64 kRedrawMs = 100;
constexpr double kMsPerSecond = 1000.0;

QString Count(int n) {
    return QLocale(QLocale::English).toString(n);
}

// "1 picture", "1,440 files".
QString Counted(int n, const char* noun) {
    return QStringLiteral("%1 %2%3").arg(Count(n), QLatin1String(noun),
                                         n == 1 ? QString() : QStringLiteral("s"));
}

QString Clock(double seconds) {
    const int s = int(seconds + 0.5);
    return QStringLiteral("%1:%2").arg(s / 60).arg(s % 60, 2, 10, QLatin1Char('0'));
}

} // namespace

ProgressLine::ProgressLine(FILE* stream, int total, bool terminal, bool quiet)
    : _stream(stream), _total(total), _terminal(terminal), _quiet(quiet) {
    _clock.start();
}

bool ProgressLine::IsTerminal(FILE* stream) {
    return isatty(fileno(stream)) != 0;
}

void ProgressLine::Done(const QString& name, int files, const QStringList& errors, bool skipped) {
    const std::lock_guard<std::mutex> lock(_mutex);
    ++_done;
    _files += files;
    _skipped += skipped ? 1 : 0;
    _failed += errors.isEmpty() ? 0 : 1;
    for (const QString& error : errors) {
        Show(QStringLiteral("%1: %2: %3\n").arg(QCoreApplication::applicationName(), name, error));
    }
    if (_terminal && !_quiet && (_clock.elapsed() - _lastDrawn >= kRedrawMs || _done == _total)) {
        Redraw();
    }
}

void ProgressLine::Warn(const QString& name, const QString& warning) {
    const std::lock_guard<std::mutex> lock(_mutex);
    Show(QStringLiteral("%1: %2: warning: %3\n")
             .arg(QCoreApplication::applicationName(), name, warning));
}

void ProgressLine::Show(const QString& text) {
    // An error line replaces the updating line, which is drawn again below it.
    const QByteArray bytes =
        ((_terminal && !_quiet ? QStringLiteral("\r\033[K") : QString()) + text).toLocal8Bit();
    std::fputs(bytes.constData(), _stream);
    std::fflush(_stream);
    _lastDrawn = -kRedrawMs;
}

void ProgressLine::Redraw() {
    _lastDrawn = _clock.elapsed();
    const double seconds = double(_lastDrawn) / kMsPerSecond;
    const double rate = seconds > 0.0 ? _done / seconds : 0.0;
    const QString left = rate > 0.0 ? Clock((_total - _done) / rate) : QStringLiteral("-:--");
    const QString line = QStringLiteral("\r\033[K%1/%2 pictures, %3 per second, %4 left")
                             .arg(Count(_done), Count(_total))
                             .arg(rate, 0, 'f', 1)
                             .arg(left);
    std::fputs(line.toLocal8Bit().constData(), _stream);
    std::fflush(_stream);
}

void ProgressLine::Finish() {
    const std::lock_guard<std::mutex> lock(_mutex);
    if (_quiet) {
        return;
    }
    const double seconds = double(_clock.elapsed()) / kMsPerSecond;
    const QString skipped =
        _skipped > 0 ? QStringLiteral(", %1 skipped").arg(Count(_skipped)) : QString();
    const QString summary =
        QStringLiteral("%1%2, %3%4, %5 failed, %6 s\n")
            .arg(_terminal ? QStringLiteral("\r\033[K") : QString())
            .arg(Counted(_total, "picture"), Counted(_files, "file"), skipped, Count(_failed))
            .arg(seconds, 0, 'f', 1);
    std::fputs(summary.toLocal8Bit().constData(), _stream);
    std::fflush(_stream);
}
