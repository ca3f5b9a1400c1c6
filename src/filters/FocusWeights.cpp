#include "filters/FocusWeights.h"

#include "filters/RadialFalloff.h"

#include <cmath>
#include <memory>

namespace {

constexpr float kFocusPower = 4.0f;

// The weights of row y; mirrored columns (x and W - x) with equal squares share.
void RowWeights(const RadialFalloff& falloff, int32_t w, int32_t y, float* keep) {
    const float dy2 = falloff.RowSquare(y);
    for (int32_t x = 0; x < w; ++x) {
        const int32_t mirror = w - x;
        if (mirror < x && falloff.ColumnSquare(mirror) == falloff.ColumnSquare(x)) {
            keep[x] = keep[mirror];
        } else {
            keep[x] = std::pow(falloff.At(x, dy2), kFocusPower);
        }
    }
}

} // namespace

FocusWeights::FocusWeights(int32_t width, int32_t height)
    : _width(static_cast<size_t>(width > 0 ? width : 0)), _height(height > 0 ? height : 0),
      _rowOf(static_cast<size_t>(_height)) {
    const RadialFalloff falloff(width, height);
    int32_t rows = 0;
    for (int32_t y = 0; y < _height; ++y) {
        // Rows below the middle reuse their mirror H - y when the squares agree.
        const int32_t mirror = _height - y;
        if (y > _height / 2 && falloff.RowSquare(mirror) == falloff.RowSquare(y)) {
            _rowOf[static_cast<size_t>(y)] = _rowOf[static_cast<size_t>(mirror)];
            continue;
        }
        _rowOf[static_cast<size_t>(y)] = rows++;
        _keep.resize(static_cast<size_t>(rows) * _width);
        RowWeights(falloff, static_cast<int32_t>(_width), y,
                   _keep.data() + static_cast<size_t>(rows - 1) * _width);
    }
}

const FocusWeights& FocusWeights::For(int32_t width, int32_t height) {
    thread_local std::unique_ptr<FocusWeights> last;
    if (!last || last->_width != static_cast<size_t>(width > 0 ? width : 0) ||
        last->_height != (height > 0 ? height : 0)) {
        last.reset(); // the old table goes before the new one is made
        last.reset(new FocusWeights(width, height));
    }
    return *last;
}
