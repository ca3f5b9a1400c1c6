#include "BenchPicture.h"
#include "app/AppController.h"
#include "render/ProfileTargets.h"
#include "views/CropImageView.h"

#include <QAbstractButton>
#include <QApplication>
#include <QImageWriter>
#include <QLineEdit>
#include <QMainWindow>
#include <QMouseEvent>
#include <QTcpServer>
#include <QTemporaryDir>
#include <benchmark/benchmark.h>
#include <memory>

namespace {

constexpr int kPhotoWidth = 4032;
constexpr int kPhotoHeight = 3024;
constexpr int kSelectionSide = 2268;

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

// A launched window with a 4032 x 3024 photo open, a centred 2268 x 2268
// selection, every look on and a line of text.
class PipelineWindow {
public:
    PipelineWindow() : controller(NowhereEndpoint()) {
        qInstallMessageHandler(Quiet);
        controller.window()->show();
        controller.applicationDidFinishLaunching();
        const QString path = folder.filePath(QStringLiteral("photo.bmp"));
        QImageWriter(path, "bmp").write(BenchPhoto(kPhotoWidth, kPhotoHeight));
        controller.filePanelDidEnd(path, 1);
        Select();
        for (const ProfileLook& look : ProfileTargets::Looks()) {
            controller.window()
                ->findChild<QAbstractButton*>(QLatin1String(look.buttonName))
                ->click();
        }
        controller.window()
            ->findChild<QLineEdit*>(QStringLiteral("theTextField"))
            ->setText(QStringLiteral("Trellica"));
    }

    float SelectionWidth() const {
        return float(crop()->CropCoords(kPhotoWidth, kPhotoHeight).width());
    }

    AppController controller;

private:
    CropImageView* crop() const {
        return controller.window()->findChild<CropImageView*>(QStringLiteral("baseImageView"));
    }
    void Select() {
        const QRectF fitted = crop()->FittedRect();
        const double scale = fitted.width() / kPhotoWidth;
        const QPointF first(fitted.left() + (kPhotoWidth - kSelectionSide) / 2 * scale,
                            fitted.top() + (kPhotoHeight - kSelectionSide) / 2 * scale);
        ClickAt(crop(), first);
        ClickAt(crop(), first + QPointF(kSelectionSide * scale, kSelectionSide * scale));
    }

    QTemporaryDir folder;
};

PipelineWindow& Window() {
    static PipelineWindow window;
    return window;
}

void BM_PipelineFullRun(benchmark::State& state) {
    PipelineWindow& window = Window();
    for (auto _ : state) {
        window.controller.SetChangeFlag();
        window.controller.FinishCropping();
    }
    state.counters["selection"] = window.SelectionWidth();
}
BENCHMARK(BM_PipelineFullRun)->Unit(benchmark::kMillisecond);

void BM_PipelineCachedRun(benchmark::State& state) {
    PipelineWindow& window = Window();
    window.controller.FinishCropping();
    for (auto _ : state) {
        window.controller.FinishCropping();
    }
}
BENCHMARK(BM_PipelineCachedRun)->Unit(benchmark::kMillisecond);

} // namespace
