#include "BenchPicture.h"
#include "HeifWriter.h"
#include "batch/BatchCommandLine.h"
#include "batch/BatchOptions.h"
#include "batch/BatchProgram.h"
#include "batch/PhotoSource.h"

#include <QBuffer>
#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <benchmark/benchmark.h>

namespace {

constexpr int kPhotoWidth = 4032;
constexpr int kPhotoHeight = 3024;
constexpr int kPhotoCount = 12;
constexpr int kJpegQuality = 90;
constexpr int kHeicQuality = 60; // a phone's: some 2.2 MB for 12 MP of CameraPhoto
constexpr int kHeicCount = 12;

void Quiet(QtMsgType, const QMessageLogContext&, const QString&) {}

// Twelve 12 MP JPEGs, written once per process and removed when it ends.
const QTemporaryDir& Photos() {
    static const QTemporaryDir folder;
    static const bool written = [] {
        const QImage photo = BenchPhoto(kPhotoWidth, kPhotoHeight);
        for (int i = 0; i < kPhotoCount; ++i) {
            photo.save(folder.filePath(QStringLiteral("photo%1.jpg").arg(i)), "jpeg", kJpegQuality);
        }
        return true;
    }();
    (void)written;
    return folder;
}

// Twelve 12 MP phone HEICs: one encoded as a phone would (it takes seconds),
// copied; removed when the process ends.
const QTemporaryDir& Heics() {
    static const QTemporaryDir folder;
    static const bool written = [] {
        HeifWriter::Options options;
        options.quality = kHeicQuality;
        options.fast = false;
        const QByteArray bytes =
            HeifWriter::Encoded(CameraPhoto(kPhotoWidth, kPhotoHeight), options);
        for (int i = 0; i < kHeicCount; ++i) {
            QFile file(folder.filePath(QStringLiteral("phone%1.heic").arg(i)));
            if (file.open(QIODevice::WriteOnly)) {
                file.write(bytes);
            }
        }
        return true;
    }();
    (void)written;
    return folder;
}

// Every look and a text line for the photos of a folder, files replaced.
BatchOptions EveryLook(const QString& folder, int jobs) {
    BatchOptions options;
    options.pictures = {folder};
    options.looks.set();
    options.text.text = QStringLiteral("Jane Doe");
    options.jobs = jobs > 0 ? jobs : BatchCommandLine::DefaultJobs();
    options.force = true;
    options.quiet = true;
    return options;
}

// trellica-batch with those options into a scratch folder, once an iteration.
void TimeRuns(benchmark::State& state, BatchOptions options, int photos) {
    QTemporaryDir out;
    options.outFolder = out.path();
    QBuffer input;
    input.open(QIODevice::ReadOnly);
    BatchProgram::HoldFreedMemory();
    // The renderer's log lines stay out of the figures, as trellica-batch keeps them out.
    const QtMessageHandler previous = qInstallMessageHandler(Quiet);
    for (auto _ : state) {
        benchmark::DoNotOptimize(BatchProgram::Run(options, input, stderr));
    }
    qInstallMessageHandler(previous);
    state.SetItemsProcessed(state.iterations() * photos);
    state.SetLabel("items_per_second = photos per second");
}

// trellica-batch over the twelve photos: every look, a text line, six TIFF
// files each (2012), or 17 JPEGs and the whole picture at 1024 (today). The
// first argument is the number of jobs, 0 for the default; the second 1 for today's set.
void BM_BatchTwelveMegapixelJpegs(benchmark::State& state) {
    BatchOptions options = EveryLook(Photos().path(), int(state.range(0)));
    if (state.range(1) == 1) {
        options.set = NetworkSets::Today().set;
        options.networks = options.set.Ids();
        options.format = QStringLiteral("jpg");
    }
    TimeRuns(state, options, kPhotoCount);
}
BENCHMARK(BM_BatchTwelveMegapixelJpegs)
    ->Args({0, 0})
    ->Args({1, 0})
    ->Args({0, 1})
    ->Unit(benchmark::kMillisecond)
    ->UseRealTime();

// trellica-batch over the twelve HEICs with the default jobs: every look, a text
// line, six TIFF files each.
void BM_BatchTwelveMegapixelHeics(benchmark::State& state) {
    TimeRuns(state, EveryLook(Heics().path(), 0), kHeicCount);
}
BENCHMARK(BM_BatchTwelveMegapixelHeics)->Unit(benchmark::kMillisecond)->UseRealTime();

// Reading one 12 MP JPEG for its centred square: decoded at 1/4 (argument 1)
// or, for a selection under 1,024 pixels, whole (argument 0).
void BM_ReadTwelveMegapixelJpeg(benchmark::State& state) {
    BatchOptions options;
    if (state.range(0) == 0) {
        options.selection = SelectionChoice::Rectangle;
        options.rectangle = PhotoRectangle{1500, 1000, 1000, 1000};
    }
    const QString path = Photos().filePath(QStringLiteral("photo0.jpg"));
    for (auto _ : state) {
        benchmark::DoNotOptimize(PhotoSource::Load(path, options).picture.width());
    }
}
BENCHMARK(BM_ReadTwelveMegapixelJpeg)->Arg(0)->Arg(1)->Unit(benchmark::kMillisecond);

} // namespace
