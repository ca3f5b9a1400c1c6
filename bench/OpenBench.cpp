// Opening a camera's JPEG as the window does. Each open runs in a child process
// of this program, so its peak resident memory is that of an open alone, not of
// making the photo.
#include "OpenBench.h"

#include "BenchPicture.h"
#include "image/PictureReader.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QFile>
#include <QFileInfo>
#include <QImageWriter>
#include <QProcess>
#include <QTemporaryDir>
#include <benchmark/benchmark.h>
#include <cstdio>
#include <ctime>

namespace {

constexpr char kOpenArgument[] = "--open-photo=";
// A camera's own setting; the texture of the bench photo makes it a heavy file.
constexpr int kCameraQuality = 90;

// A resident-memory figure of this process from /proc, in MB.
double MemoryMB(const char* field) {
    QFile status(QStringLiteral("/proc/self/status"));
    if (!status.open(QIODevice::ReadOnly)) {
        return -1.0;
    }
    for (const QByteArray& line : status.readAll().split('\n')) {
        if (line.startsWith(field)) {
            return line.mid(qsizetype(qstrlen(field))).trimmed().split(' ').value(0).toDouble() /
                   1024.0;
        }
    }
    return -1.0;
}

// This process's processor time in seconds: on a busy machine it shows what
// the open costs apart from waiting for a core.
double ProcessorSeconds() {
    timespec now{};
    clock_gettime(CLOCK_PROCESS_CPUTIME_ID, &now);
    return double(now.tv_sec) + double(now.tv_nsec) * 1e-9;
}

// Made once per run of the benchmarks.
QString PhotoFile(int width, int height) {
    static const QTemporaryDir folder;
    const QString path = folder.filePath(QStringLiteral("%1x%2.jpg").arg(width).arg(height));
    if (!QFileInfo::exists(path)) {
        QImageWriter writer(path, "jpeg");
        writer.setQuality(kCameraQuality);
        writer.write(BenchPhoto(width, height));
    }
    return path;
}

void BM_OpenJpeg(benchmark::State& state) {
    const QString path = PhotoFile(int(state.range(0)), int(state.range(1)));
    double processor = 0.0;
    double before = 0.0;
    double peak = 0.0;
    for (auto _ : state) {
        QProcess child;
        child.start(QCoreApplication::applicationFilePath(),
                    {QString::fromLatin1(kOpenArgument) + path});
        child.waitForFinished(-1);
        const QList<QByteArray> figures = child.readAllStandardOutput().trimmed().split(' ');
        if (figures.size() != 4) {
            state.SkipWithError("the child could not open the photo");
            return;
        }
        state.SetIterationTime(figures[0].toDouble());
        processor += figures[1].toDouble() * 1e3 / double(state.max_iterations);
        before = figures[2].toDouble();
        peak = std::max(peak, figures[3].toDouble());
    }
    state.counters["cpu_ms"] = processor;
    state.counters["before_MB"] = before;
    state.counters["peak_MB"] = peak;
    state.counters["file_MB"] = double(QFileInfo(path).size()) / (1 << 20);
}
// 50 MP (8160 x 6120), 108 MP (12000 x 9000) and 200 MP (16320 x 12240) phones.
BENCHMARK(BM_OpenJpeg)
    ->Args({8160, 6120})
    ->Args({12000, 9000})
    ->Args({16320, 12240})
    ->UseManualTime()
    ->Iterations(3)
    ->Unit(benchmark::kMillisecond);

} // namespace

bool RunOpenChild(int argc, char** argv) {
    const QByteArray argument = argc == 2 ? QByteArray(argv[1]) : QByteArray();
    if (!argument.startsWith(kOpenArgument)) {
        return false;
    }
    const QString path = QString::fromLocal8Bit(argument.mid(qsizetype(qstrlen(kOpenArgument))));
    const double before = MemoryMB("VmRSS:");
    QElapsedTimer timer;
    timer.start();
    const double processorStart = ProcessorSeconds();
    const PictureReader::Result read = PictureReader::Read(path);
    const double seconds = double(timer.nsecsElapsed()) * 1e-9;
    const double processor = ProcessorSeconds() - processorStart;
    if (!read.picture.isNull()) {
        std::printf("%.4f %.4f %.1f %.1f\n", seconds, processor, before, MemoryMB("VmHWM:"));
    }
    return true;
}
