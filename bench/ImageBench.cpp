#include "BenchPicture.h"
#include "image/ImageTools.h"
#include "image/PictureTurns.h"
#include "image/QuorelImage.h"

#include <QImage>
#include <benchmark/benchmark.h>

namespace {

// The pipeline hands over a cut-out, which carries alpha.
QImage CutPhoto(int size) {
    return ImageTools::CutOutImage(BenchPhoto(size, size), {0, 0, float(size), float(size)});
}

void BM_InitWithNSImage(benchmark::State& state) {
    const QImage picture = CutPhoto(512);
    for (auto _ : state) {
        auto image = QuorelImage::InitWithNSImage(picture);
        benchmark::DoNotOptimize(image.get());
    }
}
BENCHMARK(BM_InitWithNSImage)->Unit(benchmark::kMillisecond);

void BM_Preview(benchmark::State& state) {
    auto image = QuorelImage::InitWithNSImage(CutPhoto(512));
    for (auto _ : state) {
        QImage picture = image->Preview();
        benchmark::DoNotOptimize(picture.constBits());
    }
}
BENCHMARK(BM_Preview)->Unit(benchmark::kMillisecond);

void BM_ScaleImage_512_to_200(benchmark::State& state) {
    const QImage picture = CutPhoto(512);
    for (auto _ : state) {
        QImage scaled = ImageTools::ScaleImage(picture, {200, 300});
        benchmark::DoNotOptimize(scaled.constBits());
    }
}
BENCHMARK(BM_ScaleImage_512_to_200)->Unit(benchmark::kMillisecond);

void BM_ScaleImage_4000x3000_to_512(benchmark::State& state) {
    const QImage picture = BenchPhoto(4000, 3000);
    for (auto _ : state) {
        QImage scaled = ImageTools::ScaleImage(picture, {512, 512});
        benchmark::DoNotOptimize(scaled.constBits());
    }
}
BENCHMARK(BM_ScaleImage_4000x3000_to_512)->Unit(benchmark::kMillisecond);

// A 2268 x 2268 selection of a 4032 x 3024 photo fitted into 512 x 512: cut
// out first (a 20 MB copy), or fitted straight from the photo's own pixels.
void BM_CutThenFit(benchmark::State& state) {
    const QImage photo = BenchPhoto(4032, 3024);
    const FloatRect selection{882, 378, 2268, 2268};
    for (auto _ : state) {
        QImage fitted =
            state.range(0) == 0
                ? ImageTools::ScaleImage(ImageTools::CutOutImage(photo, selection), {512, 512})
                : ImageTools::ScaleCutOut(photo, selection, {512, 512});
        benchmark::DoNotOptimize(fitted.constBits());
    }
}
BENCHMARK(BM_CutThenFit)
    ->ArgName("without_copy")
    ->Arg(0)
    ->Arg(1)
    ->Unit(benchmark::kMillisecond)
    ->UseRealTime();

// A 12 MP photo turned a quarter (exact) or straightened by 3.5° (bilinear).
void BM_TurnPhoto(benchmark::State& state) {
    const QImage photo = BenchPhoto(4032, 3024);
    for (auto _ : state) {
        QImage turned = state.range(0) == 0 ? PictureTurns::Turned(photo, PictureTurns::Turn::Right)
                                            : PictureTurns::Straightened(photo, 3.5f);
        benchmark::DoNotOptimize(turned.constBits());
    }
}
BENCHMARK(BM_TurnPhoto)
    ->ArgName("straighten")
    ->Arg(0)
    ->Arg(1)
    ->Unit(benchmark::kMillisecond)
    ->UseRealTime();

} // namespace
