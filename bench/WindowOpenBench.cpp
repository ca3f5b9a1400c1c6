// Opening a very large photo in the window: the window must keep painting and
// answering while the photo is read. Measures the longest pause of the event
// loop from the sheet's completion until the photo is shown.
#include "app/AppController.h"

#include <QElapsedTimer>
#include <QEventLoop>
#include <QFileInfo>
#include <QImageWriter>
#include <QMainWindow>
#include <QPainter>
#include <QTemporaryDir>
#include <QTimer>
#include <benchmark/benchmark.h>

namespace {

// A picture of that size in bands of colour: cheap to make, and a PNG decoder
// still has every row to inflate and filter.
QString BandedPng(int width, int height) {
    static const QTemporaryDir folder;
    const QString path = folder.filePath(QStringLiteral("%1x%2.png").arg(width).arg(height));
    if (!QFileInfo::exists(path)) {
        QImage picture(width, height, QImage::Format_RGB32);
        QPainter painter(&picture);
        for (int y = 0; y < height; y += 64) {
            painter.fillRect(0, y, width, 64, QColor::fromHsv((y / 64 * 37) % 360, 160, 220));
        }
        painter.end();
        QImageWriter(path, "png").write(picture);
    }
    return path;
}

void BM_WindowOpensHugePng(benchmark::State& state) {
    const QString path = BandedPng(int(state.range(0)), int(state.range(1)));
    AppController controller(QUrl(QStringLiteral("http://127.0.0.1:9/")));
    controller.window()->show();
    controller.applicationDidFinishLaunching();
    qint64 longestPause = 0;
    for (auto _ : state) {
        QEventLoop reading;
        QObject::connect(&controller.Document(), &ProfileDocument::Opened, &reading,
                         &QEventLoop::quit);
        QElapsedTimer clock;
        qint64 last = 0;
        QTimer tick;
        QObject::connect(&tick, &QTimer::timeout, [&] {
            longestPause = std::max(longestPause, clock.elapsed() - last);
            last = clock.elapsed();
            controller.window()->update(); // and it paints meanwhile
        });
        clock.start();
        tick.start(5);
        controller.filePanelDidEnd(path, 1);
        longestPause = std::max(longestPause, clock.elapsed()); // the completion itself
        last = clock.elapsed();
        reading.exec();
        QEventLoop settle; // the first paint of the new picture
        QTimer::singleShot(200, &settle, &QEventLoop::quit);
        settle.exec();
    }
    state.counters["longest_pause_ms"] = double(longestPause);
}
// 196 MP.
BENCHMARK(BM_WindowOpensHugePng)
    ->Args({16170, 12120})
    ->Iterations(1)
    ->Unit(benchmark::kMillisecond)
    ->UseRealTime();

} // namespace
