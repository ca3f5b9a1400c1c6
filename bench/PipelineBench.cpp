#include "BenchPicture.h"
#include "app/AppController.h"
#include "app/ControlNames.h"
#include "render/ProfileTargets.h"
#include "render/Renderer.h"
#include "views/CropImageView.h"

#include <QAbstractButton>
#include <QAction>
#include <QApplication>
#include <QEventLoop>
#include <QDir>
#include <QImageWriter>
#include <QLineEdit>
#include <QMainWindow>
#include <QMouseEvent>
#include <QTcpServer>
#include <QTemporaryDir>
#include <benchmark/benchmark.h>

namespace {

constexpr int kPhotoWidth = 4032;
constexpr int kPhotoHeight = 3024;
constexpr int kSelectionSide = 2268;
const QString kText = QStringLiteral("Trellica");

const QImage& Photo() {
    static const QImage photo = BenchPhoto(kPhotoWidth, kPhotoHeight);
    return photo;
}

// A centred 2268 x 2268 selection, every look on and a line of text at the
// window's starting size, colours and position.
RenderRequest FullRequest() {
    RenderRequest request;
    request.source = Photo();
    request.selection =
        FloatRect{(kPhotoWidth - kSelectionSide) / 2.0f, (kPhotoHeight - kSelectionSide) / 2.0f,
                  float(kSelectionSide), float(kSelectionSide)};
    request.looks.set();
    request.colorize = Qt::red;
    request.text = TextLine{kText, 8.0f, Qt::black, Qt::white, true, 0.0f, 0.0f, QFont()};
    return request;
}

// Every run a new selection (one pixel to and fro), so every run cuts and fits.
void BM_RendererFullRun(benchmark::State& state) {
    Renderer renderer;
    RenderRequest request = FullRequest();
    const float x = request.selection.x;
    for (auto _ : state) {
        request.selection.x = request.selection.x == x ? x + 1.0f : x;
        benchmark::DoNotOptimize(renderer.Render(request));
    }
}
BENCHMARK(BM_RendererFullRun)->Unit(benchmark::kMillisecond)->UseRealTime();

// A full run after a look was switched: the same selection, looks and targets anew.
void BM_RendererLookRun(benchmark::State& state) {
    Renderer renderer;
    const RenderRequest request = FullRequest();
    for (auto _ : state) {
        renderer.Invalidate();
        benchmark::DoNotOptimize(renderer.Render(request));
    }
}
BENCHMARK(BM_RendererLookRun)->Unit(benchmark::kMillisecond)->UseRealTime();

void BM_RendererCachedRun(benchmark::State& state) {
    Renderer renderer;
    const RenderRequest request = FullRequest();
    renderer.Render(request);
    for (auto _ : state) {
        benchmark::DoNotOptimize(renderer.Render(request));
    }
}
BENCHMARK(BM_RendererCachedRun)->Unit(benchmark::kMillisecond)->UseRealTime();

void Quiet(QtMsgType, const QMessageLogContext&, const QString&) {}

QUrl NowhereEndpoint() {
    QTcpServer probe;
    probe.listen(QHostAddress::LocalHost);
    return QUrl(QStringLiteral("http://127.0.0.1:%1/").arg(probe.serverPort()));
}

// One click (a button release) at a point of the crop view.
void ClickAt(QWidget* view, QPointF at) {
    QMouseEvent move(QEvent::MouseMove, at, view->mapToGlobal(at), Qt::NoButton, Qt::NoButton,
                     Qt::NoModifier);
    QApplication::sendEvent(view, &move);
    QMouseEvent release(QEvent::MouseButtonRelease, at, view->mapToGlobal(at), Qt::LeftButton,
                        Qt::NoButton, Qt::NoModifier);
    QApplication::sendEvent(view, &release);
}

// A launched window with the photo open, the same selection, every look on
// and the same line of text.
class PipelineWindow {
public:
    PipelineWindow() : controller(NowhereEndpoint()) {
        const QtMessageHandler previous = qInstallMessageHandler(Quiet);
        controller.window()->show();
        controller.applicationDidFinishLaunching();
        const QString path = folder.filePath(QStringLiteral("photo.bmp"));
        QImageWriter(path, "bmp").write(Photo());
        QEventLoop reading;
        QObject::connect(&controller.Document(), &ProfileDocument::Opened, &reading,
                         &QEventLoop::quit);
        controller.filePanelDidEnd(path, 1);
        reading.exec();
        Select();
        for (const char* name : ControlNames::LookButtons()) {
            Find<QAbstractButton>(name)->click();
        }
        Find<QLineEdit>("theTextField")->setText(kText);
        qInstallMessageHandler(previous);
    }

    AppController controller;
    QString Folder() const { return folder.path(); }

private:
    template <class T> T* Find(const char* name) const {
        return controller.window()->findChild<T*>(QLatin1String(name));
    }
    void Select() {
        auto* crop = Find<CropImageView>("baseImageView");
        const QRectF fitted = crop->FittedRect();
        const double scale = fitted.width() / kPhotoWidth;
        const QPointF first(fitted.left() + (kPhotoWidth - kSelectionSide) / 2 * scale,
                            fitted.top() + (kPhotoHeight - kSelectionSide) / 2 * scale);
        ClickAt(crop, first);
        ClickAt(crop, first + QPointF(kSelectionSide * scale, kSelectionSide * scale));
    }

    QTemporaryDir folder;
};

// The window's cost on top of the renderer's: reading the controls, fading
// and showing the previews. The window lives only as long as the benchmark.
void BM_WindowFullRun(benchmark::State& state) {
    PipelineWindow window;
    for (auto _ : state) {
        window.controller.SetChangeFlag();
        window.controller.FinishCropping();
    }
    state.counters["selection"] = window.controller.Request().selection.width;
}
BENCHMARK(BM_WindowFullRun)->Unit(benchmark::kMillisecond)->UseRealTime();

// Saving today's set from the window with every network and the whole picture
// ticked: one run at 1024 (Slack's side) and a JPEG file per network, each
// within its network's limit, and the whole picture.
void BM_WindowTodaySave(benchmark::State& state) {
    PipelineWindow window;
    window.controller.window()->findChild<QAction*>(QStringLiteral("todayNetworks"))->trigger();
    const QString chosen = window.Folder() + QStringLiteral("/me");
    for (auto _ : state) {
        window.controller.sfilePanelDidEnd(chosen, 1);
    }
    state.counters["files"] = double(QDir(window.Folder()).entryList({"me*"}).size());
}
BENCHMARK(BM_WindowTodaySave)->Unit(benchmark::kMillisecond)->UseRealTime();

} // namespace
