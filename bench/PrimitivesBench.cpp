#include "BenchPicture.h"
#include "filters/Filters.h"
#include "image/ImageTools.h"
#include "image/QuorelImage.h"

#include <QApplication>
#include <QColor>
#include <QFont>
#include <QImage>
#include <QtMessageHandler>
#include <algorithm>
#include <benchmark/benchmark.h>
#include <memory>

// A run's picture operations without any window, in the order a run makes
// them: the cut and fit of a 2268 x 2268 selection of a 4032 x 3024 photo, the
// pixel image, all thirteen looks, the processed picture, then the thirteen
// targets with a line of text. Each step also runs alone on the previous
// step's output, so the figures show where a run's time goes.

namespace {

constexpr int kPhotoWidth = 4032;
constexpr int kPhotoHeight = 3024;
constexpr float kSelectionSide = 2268.0f;
constexpr float kProcessedSide = 512.0f;
// The text line as a run draws it: slider at 8, black on white, at the
// picker's lower-left corner.
constexpr float kTextSize = 8.0f;
constexpr float kUpperSquareSide = 200.0f;

struct Target {
    float size;
    FloatSize box;
    bool fromUpperSquare; // the upper 200 x 200 square of the first target's picture
};

const Target kTargets[] = {
    {200, {200, 300}, false}, {50, {50, 50}, true},  {73, {73, 73}, false}, {48, {48, 48}, false},
    {31, {31, 31}, false},    {24, {24, 24}, false}, {40, {40, 40}, false}, {80, {80, 80}, false},
    {48, {48, 48}, false},    {96, {96, 96}, false}, {40, {40, 40}, false}, {82, {82, 82}, false},
    {96, {96, 96}, false},
};

void Quiet(QtMsgType, const QMessageLogContext&, const QString&) {}

const QImage& Photo() {
    static const QImage photo = BenchPhoto(kPhotoWidth, kPhotoHeight);
    return photo;
}

FloatRect Selection() {
    return FloatRect{(kPhotoWidth - kSelectionSide) / 2, (kPhotoHeight - kSelectionSide) / 2,
                     kSelectionSide, kSelectionSide};
}

QImage Cut() {
    return ImageTools::CutOutImage(Photo(), Selection());
}

QImage Fit(const QImage& cut) {
    return ImageTools::ScaleImage(cut, {kProcessedSide, kProcessedSide});
}

// What a run does: the cut and the fit in one, without copying the cut.
QImage CutAndFit() {
    return ImageTools::ScaleCutOut(Photo(), Selection(), {kProcessedSide, kProcessedSide});
}

void ApplyLooks(QuorelImage* image) {
    Filters::CenterFocus(image);
    Filters::Posterize(image);
    Filters::Sepia(image);
    Filters::ToyCam(image);
    Filters::Colorize(image, QColor(Qt::red));
    Filters::PopArtPoster2(image);
    Filters::Sharpen(image);
    Filters::Soften(image);
    Filters::ArtsyFilter(image);
    Filters::ClassicFrame(image);
    Filters::PolaroidFilter(image);
    Filters::Photomat(image);
    Filters::FilmStripFilter(image);
}

QImage Process(const QImage& fitted) {
    const std::unique_ptr<QuorelImage> image = QuorelImage::InitWithNSImage(fitted);
    ApplyLooks(image.get());
    return image->Preview();
}

QImage WithText(const QImage& scaled, float size) {
    // The font size in the order a run computes it: T / 9 * (S / 512 * 100).
    QFont font = QApplication::font();
    font.setPointSizeF((kTextSize / 9.0f) * ((size * 0.001953125f) * 100.0f));
    const FloatRect whole{0.0f, 0.0f, float(scaled.width()), float(scaled.height())};
    return ImageTools::CutOutImagePlusText(scaled, whole, QStringLiteral("Trellica"), font, 0.0f,
                                           0.0f, QColor(Qt::black), QColor(Qt::white));
}

QImage UpperSquare(const QImage& first) {
    const float y = std::max(0.0f, float(first.height()) - kUpperSquareSide);
    return ImageTools::CutOutImage(first, {0.0f, y, kUpperSquareSide, kUpperSquareSide});
}

// The thirteen targets; withText false leaves out the text line.
void Targets(const QImage& processed, bool withText) {
    QImage first;
    for (const Target& target : kTargets) {
        const QImage& source = target.fromUpperSquare ? UpperSquare(first) : processed;
        QImage picture = ImageTools::ScaleImage(source, target.box);
        if (withText) {
            picture = WithText(picture, target.size);
        }
        if (first.isNull()) {
            first = picture;
        }
        benchmark::DoNotOptimize(picture.constBits());
    }
}

const QImage& Fitted() {
    static const QImage fitted = CutAndFit();
    return fitted;
}

const QImage& Processed() {
    static const QImage processed = Process(Fitted());
    return processed;
}

// The pixel image logs a few lines each time it is made; the figures are wanted.
class QuietScope {
public:
    QuietScope() : _previous(qInstallMessageHandler(Quiet)) {}
    ~QuietScope() { qInstallMessageHandler(_previous); }

private:
    QtMessageHandler _previous;
};

// Wall time, and the CPU time of every thread: Qt's smooth scaling farms work
// out to its thread pool.
void Measured(benchmark::internal::Benchmark* b) {
    b->Unit(benchmark::kMillisecond)->MeasureProcessCPUTime()->UseRealTime();
}

void BM_Primitives_FullRun(benchmark::State& state) {
    const QuietScope quiet;
    for (auto _ : state) {
        Targets(Process(CutAndFit()), true);
    }
}
BENCHMARK(BM_Primitives_FullRun)->Apply(Measured);

void BM_Primitives_CachedRun(benchmark::State& state) {
    const QuietScope quiet;
    const QImage& processed = Processed();
    for (auto _ : state) {
        Targets(processed, true);
    }
}
BENCHMARK(BM_Primitives_CachedRun)->Apply(Measured);

void BM_Primitives_Cut(benchmark::State& state) {
    const QuietScope quiet;
    Photo();
    for (auto _ : state) {
        QImage cut = Cut();
        benchmark::DoNotOptimize(cut.constBits());
    }
}
BENCHMARK(BM_Primitives_Cut)->Apply(Measured);

void BM_Primitives_Fit(benchmark::State& state) {
    const QuietScope quiet;
    const QImage cut = Cut();
    for (auto _ : state) {
        QImage fitted = Fit(cut);
        benchmark::DoNotOptimize(fitted.constBits());
    }
}
BENCHMARK(BM_Primitives_Fit)->Apply(Measured);

void BM_Primitives_CutThenFit(benchmark::State& state) {
    const QuietScope quiet;
    Photo();
    for (auto _ : state) {
        QImage fitted = Fit(Cut());
        benchmark::DoNotOptimize(fitted.constBits());
    }
}
BENCHMARK(BM_Primitives_CutThenFit)->Apply(Measured);

void BM_Primitives_ScaleCutOut(benchmark::State& state) {
    const QuietScope quiet;
    Photo();
    for (auto _ : state) {
        QImage fitted = CutAndFit();
        benchmark::DoNotOptimize(fitted.constBits());
    }
}
BENCHMARK(BM_Primitives_ScaleCutOut)->Apply(Measured);

void BM_Primitives_InitWithNSImage(benchmark::State& state) {
    const QuietScope quiet;
    const QImage& fitted = Fitted();
    for (auto _ : state) {
        auto image = QuorelImage::InitWithNSImage(fitted);
        benchmark::DoNotOptimize(image.get());
    }
}
BENCHMARK(BM_Primitives_InitWithNSImage)->Apply(Measured);

void BM_Primitives_Looks(benchmark::State& state) {
    const QuietScope quiet;
    const std::unique_ptr<QuorelImage> image = QuorelImage::InitWithNSImage(Fitted());
    for (auto _ : state) {
        ApplyLooks(image.get());
        benchmark::ClobberMemory();
    }
}
BENCHMARK(BM_Primitives_Looks)->Apply(Measured);

void BM_Primitives_Preview(benchmark::State& state) {
    const QuietScope quiet;
    const std::unique_ptr<QuorelImage> image = QuorelImage::InitWithNSImage(Fitted());
    for (auto _ : state) {
        QImage picture = image->Preview();
        benchmark::DoNotOptimize(picture.constBits());
    }
}
BENCHMARK(BM_Primitives_Preview)->Apply(Measured);

void BM_Primitives_TargetScales(benchmark::State& state) {
    const QuietScope quiet;
    const QImage& processed = Processed();
    for (auto _ : state) {
        Targets(processed, false);
    }
}
BENCHMARK(BM_Primitives_TargetScales)->Apply(Measured);

void BM_Primitives_TargetTexts(benchmark::State& state) {
    const QuietScope quiet;
    QImage scaled[std::size(kTargets)];
    for (size_t i = 0; i < std::size(kTargets); ++i) {
        scaled[i] = ImageTools::ScaleImage(Processed(), kTargets[i].box);
    }
    for (auto _ : state) {
        for (size_t i = 0; i < std::size(kTargets); ++i) {
            QImage picture = WithText(scaled[i], kTargets[i].size);
            benchmark::DoNotOptimize(picture.constBits());
        }
    }
}
BENCHMARK(BM_Primitives_TargetTexts)->Apply(Measured);

} // namespace
