#include "BenchPicture.h"
#include "effects/ImageEffectSet.h"
#include "filters/Filters.h"
#include "image/ImageTools.h"
#include "image/QuorelImage.h"

#include <QImage>
#include <QtMessageHandler>
#include <benchmark/benchmark.h>

namespace {

constexpr int kSide = 512;

// Each filter runs again and again on the same pixel image; its cost does not
// depend on the values it finds.
template <typename Filter> void RunFilter(benchmark::State& state, Filter filter) {
    auto image = QuorelImage::InitWithNSImage(BenchPhoto(kSide, kSide));
    for (auto _ : state) {
        filter(image.get());
        benchmark::DoNotOptimize(image->Red());
        benchmark::ClobberMemory();
    }
}

void BM_Blur(benchmark::State& state) {
    RunFilter(state, Filters::Blur);
}
BENCHMARK(BM_Blur)->Unit(benchmark::kMillisecond);

void BM_NeonLight(benchmark::State& state) {
    RunFilter(state, Filters::NeonLight);
}
BENCHMARK(BM_NeonLight)->Unit(benchmark::kMillisecond);

void BM_GlassButton(benchmark::State& state) {
    RunFilter(state, Filters::GlassButton);
}
BENCHMARK(BM_GlassButton)->Unit(benchmark::kMillisecond);

void BM_ChangeSaturation(benchmark::State& state) {
    RunFilter(state, [](QuorelImage* image) { Filters::ChangeSaturation(image, 1.2f, 10.0f); });
}
BENCHMARK(BM_ChangeSaturation)->Unit(benchmark::kMillisecond);

void Quiet(QtMsgType, const QMessageLogContext&, const QString&) {}

void BM_DoFinalEffects(benchmark::State& state, bool dropShadow, bool photomat, bool frame,
                       bool reflection) {
    // The compositor logs a few lines a call; the figures are wanted, not the lines.
    const QtMessageHandler previous = qInstallMessageHandler(Quiet);
    const QImage picture = BenchPhoto(kSide, kSide);
    ImageEffectSet set = ImageEffectSet::InitEmpty();
    set.setDropShadow(dropShadow);
    set.setPhotomat(photomat);
    set.setHasFrame(frame);
    set.setReflection(reflection);
    for (auto _ : state) {
        QImage out = ImageTools::DoFinalEffects(picture, set);
        benchmark::DoNotOptimize(out.constBits());
    }
    qInstallMessageHandler(previous);
}
BENCHMARK_CAPTURE(BM_DoFinalEffects, Defaults, false, true, false, false)
    ->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(BM_DoFinalEffects, DropShadowFrame, true, false, true, false)
    ->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(BM_DoFinalEffects, Reflection, false, false, false, true)
    ->Unit(benchmark::kMillisecond);

} // namespace
