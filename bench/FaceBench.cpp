#include "app/Artwork.h"
#include "render/FaceFinder.h"
#include "render/SelectionProposals.h"

#include <QImage>
#include <benchmark/benchmark.h>

namespace {

// Real photographs from Debian's opencv-doc, scaled up to a 12 MP camera's
// 4032 x 3024: one with a person, one without.
QImage Photo12MP(const char* name) {
    const QImage photo(QStringLiteral("/usr/share/doc/opencv-doc/examples/data/") + name);
    return photo.scaled(4032, 3024, Qt::IgnoreAspectRatio, Qt::SmoothTransformation)
        .convertToFormat(QImage::Format_RGB32);
}

const FaceFinder& Finder() {
    static const FaceFinder finder;
    return finder;
}

// What the face proposal makes of a picture, for the benchmark's label.
std::string Found(const QImage& picture) {
    const std::optional<QRect> face = Finder().LargestFace(picture);
    if (!face) {
        return Finder().IsAvailable() ? "no face" : Finder().UnavailableReason().toStdString();
    }
    const QRect square = SelectionProposals::FaceSquare(*face, picture.size()).pixels;
    return QStringLiteral("face %1,%2 %3x%4 -> square %5,%6 %7x%7")
        .arg(face->x())
        .arg(face->y())
        .arg(face->width())
        .arg(face->height())
        .arg(square.x())
        .arg(square.y())
        .arg(square.width())
        .toStdString();
}

void FindFace(benchmark::State& state, const QImage& picture) {
    for (auto _ : state) {
        benchmark::DoNotOptimize(Finder().LargestFace(picture));
    }
    state.SetLabel(Found(picture));
}

void BM_FaceFind12MPPerson(benchmark::State& state) {
    FindFace(state, Photo12MP("basketball1.png"));
}
BENCHMARK(BM_FaceFind12MPPerson)
    ->Unit(benchmark::kMillisecond)
    ->MeasureProcessCPUTime()
    ->UseRealTime();

void BM_FaceFind12MPNoPerson(benchmark::State& state) {
    FindFace(state, Photo12MP("building.jpg"));
}
BENCHMARK(BM_FaceFind12MPNoPerson)
    ->Unit(benchmark::kMillisecond)
    ->MeasureProcessCPUTime()
    ->UseRealTime();

void BM_FaceFindDefaultPicture(benchmark::State& state) {
    FindFace(state, Artwork::DefaultPicture());
}
BENCHMARK(BM_FaceFindDefaultPicture)
    ->Unit(benchmark::kMillisecond)
    ->MeasureProcessCPUTime()
    ->UseRealTime();

} // namespace
