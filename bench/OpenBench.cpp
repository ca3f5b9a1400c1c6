// Opening a camera's JPEG, a phone's HEIC and a web AVIF as the window does.
// Each open runs in a child process of this program, so its peak resident
// memory is that of an open alone, not of making the photo.
#include "OpenBench.h"

#include "BenchPicture.h"
#include "HeifWriter.h"
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
// A phone's HEIC and a web AVIF: some 2.5 MB and 0.8 MB for 12 MP of CameraPhoto.
constexpr int kHeicQuality = 60;
constexpr int kAvifQuality = 85;

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

// Made once per run of the benchmarks, as a camera would (not the encoders'
// fastest settings) up to 12 MP; larger ones with the fastest, which take
// minutes otherwise.
QString HeifFile(int width, int height, bool avif) {
    static const QTemporaryDir folder;
    const QString path = folder.filePath(
        QStringLiteral("%1x%2.%3").arg(width).arg(height).arg(avif ? "avif" : "heic"));
    if (!QFileInfo::exists(path)) {
        HeifWriter::Options options;
        options.avif = avif;
        options.quality = avif ? kAvifQuality : kHeicQuality;
        options.fast = qint64(width) * height > 12'500'000;
        QFile file(path);
        if (file.open(QIODevice::WriteOnly)) {
            file.write(HeifWriter::Encoded(CameraPhoto(width, height), options));
        }
    }
    return path;
}

// Opens the photo in child processes, one an iteration; the time is that of the open.
void OpenInChildren(benchmark::State& state, const QString& path) {
    double processor = 0.0;
    double before = 0.0;
    double peak = 0.0;
    QString held;
    for (auto _ : state) {
        QProcess child;
        child.start(QCoreApplication::applicationFilePath(),
                    {QString::fromLatin1(kOpenArgument) + path});
        child.waitForFinished(-1);
        const QList<QByteArray> figures = child.readAllStandardOutput().trimmed().split(' ');
        if (figures.size() != 5) {
            state.SkipWithError("the child could not open the photo");
            return;
        }
        state.SetIterationTime(figures[0].toDouble());
        processor += figures[1].toDouble() * 1e3 / double(state.max_iterations);
        before = figures[2].toDouble();
        peak = std::max(peak, figures[3].toDouble());
        held = QString::fromLatin1(figures[4]);
    }
    state.counters["cpu_ms"] = processor;
    state.counters["before_MB"] = before;
    state.counters["peak_MB"] = peak;
    state.counters["file_MB"] = double(QFileInfo(path).size()) / (1 << 20);
    state.SetLabel(QStringLiteral("held at %1").arg(held).toStdString());
}

void BM_OpenJpeg(benchmark::State& state) {
    OpenInChildren(state, PhotoFile(int(state.range(0)), int(state.range(1))));
}
// 50 MP (8160 x 6120), 108 MP (12000 x 9000) and 200 MP (16320 x 12240) phones.
BENCHMARK(BM_OpenJpeg)
    ->Args({8160, 6120})
    ->Args({12000, 9000})
    ->Args({16320, 12240})
    ->UseManualTime()
    ->Iterations(3)
    ->Unit(benchmark::kMillisecond);

// Arguments: width, height, 1 for AVIF. A 12 MP phone's HEIC and a web AVIF of
// that size; a 48 MP phone's HEIC, held at 1/2.
void BM_OpenHeif(benchmark::State& state) {
    OpenInChildren(state, HeifFile(int(state.range(0)), int(state.range(1)), state.range(2) != 0));
}
BENCHMARK(BM_OpenHeif)
    ->Args({4032, 3024, 0})
    ->Args({4032, 3024, 1})
    ->Args({8064, 6048, 0})
    ->UseManualTime()
    ->Iterations(5)
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
        std::printf("%.4f %.4f %.1f %.1f %dx%d\n", seconds, processor, before, MemoryMB("VmHWM:"),
                    read.picture.width(), read.picture.height());
    }
    return true;
}
