#include "filters/PointSteps.h"

#include "filters/RowBands.h"
#include "image/QuorelImage.h"

#include <algorithm>

namespace {

constexpr int32_t kRun = 1024;

} // namespace

void PointSteps::operator()(const ColourRun& run) const {
    for (int32_t start = 0; start < run.count; start += kRun) {
        const ColourRun part{run.red + start, run.green + start, run.blue + start,
                             std::min(kRun, run.count - start)};
        for (const Step& step : _steps) {
            step(part);
        }
    }
}

void PointSteps::MakeRows(Convolution3x3::RowStep maker) {
    _steps.clear();
    _maker = std::move(maker);
}

Convolution3x3::RowStep PointSteps::Before(int32_t w, const Convolution3x3::RowStep& after) const {
    if (Empty()) {
        return after;
    }
    return [steps = *this, w, after](int32_t y, const std::array<int32_t*, 3>& rows) {
        if (steps._maker) {
            steps._maker(y, rows);
        }
        steps(ColourRun{rows[0], rows[1], rows[2], w});
        if (after) {
            after(y, rows);
        }
    };
}

void PointSteps::Flush(QuorelImage& image) {
    const int32_t w = image.Width();
    const int32_t h = image.Height();
    if (!Empty() && w > 0 && h > 0) {
        const Convolution3x3::RowStep step = Before(w, nullptr);
        RowBands::Run(h, RowBands::Split(h, int64_t(w) * h), [&](int32_t from, int32_t to) {
            for (int32_t y = from; y < to; ++y) {
                const int64_t at = int64_t(y) * w;
                step(y, {image.Red() + at, image.Green() + at, image.Blue() + at});
            }
        });
    }
    *this = PointSteps();
}
