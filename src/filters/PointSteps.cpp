#include "filters/PointSteps.h"

#include "filters/RowBands.h"
#include "image/QuorelImage.h"

#include <algorithm>

namespace {

constexpr int32_t kRun = 1024;

} // namespace

void PointSteps::MakeRows(Convolution3x3::RowStep maker) {
    _steps.clear();
    AddRows(std::move(maker));
}

bool PointSteps::ByRowsOnly() const {
    return std::any_of(_steps.begin(), _steps.end(),
                       [](const Held& s) { return s.row != nullptr; });
}

void PointSteps::operator()(const ColourRun& run) const {
    for (int32_t start = 0; start < run.count; start += kRun) {
        const ColourRun part{run.red + start, run.green + start, run.blue + start,
                             std::min(kRun, run.count - start)};
        for (const Held& step : _steps) {
            step.run(part);
        }
    }
}

Convolution3x3::RowStep PointSteps::Before(int32_t w, const Convolution3x3::RowStep& after) const {
    if (Empty()) {
        return after;
    }
    return [steps = _steps, w, after](int32_t y, const std::array<int32_t*, 3>& rows) {
        for (const Held& step : steps) {
            if (step.row) {
                step.row(y, rows);
            } else {
                step.run(ColourRun{rows[0], rows[1], rows[2], w});
            }
        }
        if (after) {
            after(y, rows);
        }
    };
}

void PointSteps::Flush(QuorelImage& image) {
    FlushRows(image, 1, image.Height());
}

void PointSteps::FlushRows(QuorelImage& image, int32_t every, int32_t count) {
    const int32_t w = image.Width();
    const int32_t h = image.Height();
    if (!Empty() && w > 0 && h > 0 && every > 0) {
        const Convolution3x3::RowStep step = Before(w, nullptr);
        const int32_t rows = std::min(count, (h - 1) / every + 1);
        RowBands::Run(rows, RowBands::Split(rows, int64_t(w) * rows * every),
                      [&](int32_t from, int32_t to) {
                          for (int32_t k = from; k < to; ++k) {
                              const int32_t y = k * every;
                              const int64_t at = int64_t(y) * w;
                              step(y, {image.Red() + at, image.Green() + at, image.Blue() + at});
                          }
                      });
    }
    _steps.clear();
}
