#pragma once

#include <cstddef>
#include <cstdint>
#include <vector>

// The radial weight the toy camera and the blur focus share:
// 1 - (dx * dx + dy * dy) * k, with dx = W * 0.5 - x, dy = H * 0.5 - y and
// k = 1 / (cx * cx + cy * cy), all in float in that order. It is 1 at the
// pixel (W / 2, H / 2) and about 0 at the corners.
class RadialFalloff {
public:
    RadialFalloff(int32_t width, int32_t height);

    // dy * dy of row y; two rows with equal squares have equal weights.
    float RowSquare(int32_t y) const;
    // dx * dx of column x.
    float ColumnSquare(int32_t x) const { return _dx2[static_cast<std::size_t>(x)]; }
    // The weights of row y into out[0..width).
    void Row(int32_t y, float* out) const { Row(y, 0, _width, out); }
    // Those of columns from..from+count-1 into out[0..count).
    void Row(int32_t y, int32_t from, int32_t count, float* out) const;
    int32_t Width() const { return _width; }
    // The weight at (x, y) for a row square from RowSquare.
    float At(int32_t x, float rowSquare) const {
        return 1.0f - (_dx2[static_cast<std::size_t>(x)] + rowSquare) * _k;
    }

private:
    int32_t _width;
    float _cy;
    float _k;
    std::vector<float> _dx2;
};
