#include "filters/Filters.h"
#include "filters/ScaledLooks.h"
#include "image/QuorelImage.h"
#include "render/MoreLooks.h"

#include <QColor>
#include <QImage>
#include <QPainter>
#include <QRadialGradient>
#include <benchmark/benchmark.h>
#include <cstring>
#include <vector>

// The thirteen looks on the pipeline's largest pixel image, 512 x 512, and at
// 1024 x 1024 through ScaledLooks (BM_Looks1024_...), and the more looks at 512.
// Every iteration first restores the front colour planes from a saved copy (a
// memcpy of three planes, measured alone by BM_Looks_RefillPlanes), so each look
// always sees the same picture; at 1024 the copy is not timed.

namespace {

constexpr int kSide = 512;
constexpr int kLargeSide = 1024;
constexpr float kLargeScale = 2.0f;

// Smooth gradients, hard edges, flat areas and fine texture, in colour.
QImage VariedPicture() {
    QImage picture(kSide, kSide, QImage::Format_RGB32);
    for (int y = 0; y < kSide; ++y) {
        QRgb* row = reinterpret_cast<QRgb*>(picture.scanLine(y));
        for (int x = 0; x < kSide; ++x) {
            const int texture = ((x * 7919 + y * 104729) >> 3) & 31;
            row[x] = qRgb((x / 2 + texture) & 255, (y / 2 + texture) & 255, ((x + y) / 4) & 255);
        }
    }
    QPainter painter(&picture);
    painter.setRenderHint(QPainter::Antialiasing);
    QRadialGradient glow(QPointF(200, 220), 180);
    glow.setColorAt(0, QColor(250, 230, 200));
    glow.setColorAt(1, QColor(40, 60, 120, 0));
    painter.setBrush(glow);
    painter.setPen(Qt::NoPen);
    painter.drawEllipse(QPointF(200, 220), 180, 180);
    painter.fillRect(320, 40, 150, 120, QColor(20, 160, 60));
    painter.fillRect(60, 380, 120, 100, Qt::white);
    painter.fillRect(300, 360, 160, 110, Qt::black);
    return picture;
}

class Subject {
public:
    explicit Subject(int side = kSide)
        : _image(QuorelImage::InitWithNSImage(VariedPicture().scaled(
              side, side, Qt::IgnoreAspectRatio, Qt::SmoothTransformation))) {
        for (int c = 0; c < 3; ++c) {
            const int32_t* plane = Plane(c);
            _saved[c].assign(plane, plane + _image->PixelCount());
        }
    }
    void Refill() {
        const size_t bytes = static_cast<size_t>(_image->DataSize());
        for (int c = 0; c < 3; ++c) {
            std::memcpy(Plane(c), _saved[c].data(), bytes);
        }
    }
    QuorelImage* image() { return _image.get(); }

private:
    int32_t* Plane(int c) {
        return c == 0 ? _image->Red() : (c == 1 ? _image->Green() : _image->Blue());
    }
    std::unique_ptr<QuorelImage> _image;
    std::vector<int32_t> _saved[3];
};

using Look = void (*)(QuorelImage*);

void ColorizeRed(QuorelImage* image) {
    Filters::Colorize(image, QColor(Qt::red));
}

// The pipeline's order of the looks.
struct NamedLook {
    const char* name;
    Look look;
};
const NamedLook kLooks[] = {
    {"CenterFocus", &Filters::CenterFocus},
    {"Posterize", &Filters::Posterize},
    {"Sepia", &Filters::Sepia},
    {"ToyCam", &Filters::ToyCam},
    {"ColorizeRed", &ColorizeRed},
    {"PopArtPoster2", &Filters::PopArtPoster2},
    {"Sharpen", &Filters::Sharpen},
    {"Soften", &Filters::Soften},
    {"ArtsyFilter", &Filters::ArtsyFilter},
    {"ClassicFrame", &Filters::ClassicFrame},
    {"PolaroidFilter", &Filters::PolaroidFilter},
    {"Photomat", &Filters::Photomat},
    {"FilmStripFilter", &Filters::FilmStripFilter},
};

void BM_Looks_RefillPlanes(benchmark::State& state) {
    Subject subject(static_cast<int>(state.range(0)));
    for (auto _ : state) {
        subject.Refill();
        benchmark::ClobberMemory();
    }
}
BENCHMARK(BM_Looks_RefillPlanes)->Arg(kSide)->Arg(kLargeSide)->Unit(benchmark::kMillisecond);

void RunLook(benchmark::State& state, Look look) {
    Subject subject;
    for (auto _ : state) {
        subject.Refill();
        look(subject.image());
        benchmark::ClobberMemory();
    }
}

void BM_Looks_GaussBlurToBackBuffer20(benchmark::State& state) {
    Subject subject;
    for (auto _ : state) {
        Filters::GaussBlurToBackBuffer(subject.image(), 20);
        benchmark::ClobberMemory();
    }
}
BENCHMARK(BM_Looks_GaussBlurToBackBuffer20)->Unit(benchmark::kMillisecond);

void BM_Looks_AllThirteen(benchmark::State& state) {
    Subject subject;
    for (auto _ : state) {
        subject.Refill();
        for (const NamedLook& look : kLooks) {
            look.look(subject.image());
        }
        benchmark::ClobberMemory();
    }
}
BENCHMARK(BM_Looks_AllThirteen)->Unit(benchmark::kMillisecond);

// The looks of the rows (all when row is past the last), at 1024 x 1024, as a
// run applies them.
void RunLarge(benchmark::State& state, size_t row) {
    Subject subject(kLargeSide);
    const size_t first = row < ScaledLooks::kLookCount ? row : 0;
    const size_t end = row < ScaledLooks::kLookCount ? row + 1 : ScaledLooks::kLookCount;
    ScaledLooks::Chosen chosen;
    for (size_t r = first; r < end; ++r) {
        chosen.set(r);
    }
    for (auto _ : state) {
        // At this size the refill is a fifth of the cheaper looks: it is left out.
        state.PauseTiming();
        subject.Refill();
        state.ResumeTiming();
        ScaledLooks::ApplyChosen(chosen, subject.image(), QColor(Qt::red), kLargeScale);
        benchmark::ClobberMemory();
    }
}

// One registration per look, named after its filter; the more looks after
// their keys, each exactly what a run applies.
const bool kRegistered = [] {
    for (const NamedLook& look : kLooks) {
        benchmark::RegisterBenchmark((std::string("BM_Looks_") + look.name).c_str(), RunLook,
                                     look.look)
            ->Unit(benchmark::kMillisecond);
    }
    for (const MoreLook& look : MoreLooks::Rows()) {
        benchmark::RegisterBenchmark((std::string("BM_MoreLooks_") + look.key).c_str(), RunLook,
                                     look.apply)
            ->Unit(benchmark::kMillisecond);
    }
    benchmark::RegisterBenchmark("BM_Looks1024_AllThirteen", RunLarge, ScaledLooks::kLookCount)
        ->Unit(benchmark::kMillisecond);
    for (size_t row = 0; row < ScaledLooks::kLookCount; ++row) {
        benchmark::RegisterBenchmark((std::string("BM_Looks1024_") + kLooks[row].name).c_str(),
                                     RunLarge, row)
            ->Unit(benchmark::kMillisecond);
    }
    return true;
}();

} // namespace
