#include "filters/RadialFalloff.h"

namespace {

constexpr float kHalf = 0.5f;

} // namespace

RadialFalloff::RadialFalloff(int32_t width, int32_t height)
    : _width(width < 0 ? 0 : width), _cy(static_cast<float>(height) * kHalf),
      _dx2(static_cast<std::size_t>(_width)) {
    const float cx = static_cast<float>(width) * kHalf;
    const float halfDiagonal2 = cx * cx + _cy * _cy;
    _k = halfDiagonal2 > 0.0f ? 1.0f / halfDiagonal2 : 0.0f; // 0 x 0: no pixel to weigh
    for (int32_t x = 0; x < _width; ++x) {
        const float dx = cx - static_cast<float>(x);
        _dx2[static_cast<std::size_t>(x)] = dx * dx;
    }
}

float RadialFalloff::RowSquare(int32_t y) const {
    const float dy = _cy - static_cast<float>(y);
    return dy * dy;
}

void RadialFalloff::Row(int32_t y, int32_t from, int32_t count, float* __restrict out) const {
    const float dy2 = RowSquare(y);
    const float* __restrict dx2 = _dx2.data() + from;
    for (int32_t x = 0; x < count; ++x) {
        out[x] = 1.0f - (dx2[x] + dy2) * _k;
    }
}
