#include "filters/BoxBlur.h"

#include "filters/WideKernel.h"
#include "image/PixelMath.h"

#include <algorithm>

namespace {

__extension__ typedef __int128 Int128;

// (2r + 1)^2 * 255 exceeds int32 beyond this radius anyway.
constexpr int64_t kInt32RadiusLimit = 1 << 12;

const int32_t* ClampedRow(const int32_t* src, int64_t j, int32_t w, int32_t h) {
    const int64_t row = j < 0 ? 0 : (j >= h ? h - 1 : j);
    return src + row * w;
}

template <typename Acc> inline int32_t Finish(Acc sum, float scale) {
    return PixelMath::TruncateCapFloor(scale * static_cast<float>(sum));
}

// Column sums of the rows -r..r (clamped) for row 0: row 0 stands for the r + 1
// rows -r..0, rows 1..min(r, h - 1) count once, row h - 1 for any row beyond.
template <typename Acc>
void InitColumns(const int32_t* src, int32_t w, int32_t h, int64_t r, Acc* col) {
    const Acc first = static_cast<Acc>(r + 1);
    for (int32_t x = 0; x < w; ++x) {
        col[x] = first * static_cast<Acc>(src[x]);
    }
    const int64_t last = std::min<int64_t>(r, h - 1);
    for (int64_t j = 1; j <= last; ++j) {
        const int32_t* row = src + j * w;
        for (int32_t x = 0; x < w; ++x) {
            col[x] += static_cast<Acc>(row[x]);
        }
    }
    if (r > h - 1) {
        const Acc extra = static_cast<Acc>(r - (h - 1));
        const int32_t* row = src + int64_t(h - 1) * w;
        for (int32_t x = 0; x < w; ++x) {
            col[x] += extra * static_cast<Acc>(row[x]);
        }
    }
}

template <typename Acc>
TRELLICA_WIDE_KERNEL void AdvanceColumns(const int32_t* __restrict leaving,
                                         const int32_t* __restrict entering, Acc* __restrict col,
                                         int32_t w) {
    for (int32_t x = 0; x < w; ++x) {
        col[x] = (col[x] - static_cast<Acc>(leaving[x])) + static_cast<Acc>(entering[x]);
    }
}

// Window sum at a column whose window reaches past either end of the row.
template <typename Acc>
Acc EdgeWindow(const Acc* col, const Acc* prefix, int32_t w, int64_t r, int64_t x) {
    const int64_t lo = x - r;
    const int64_t hi = x + r;
    Acc sum = prefix[std::min<int64_t>(hi, w - 1) + 1] - prefix[std::max<int64_t>(lo, 0)];
    if (lo < 0) {
        sum += static_cast<Acc>(-lo) * col[0];
    }
    if (hi > w - 1) {
        sum += static_cast<Acc>(hi - (w - 1)) * col[w - 1];
    }
    return sum;
}

// prefix[k] = col[0] + ... + col[k - 1]. Blocks of four are summed apart from
// the carry, so that only one addition per block waits for the one before.
template <typename Acc> void Prefix(const Acc* __restrict col, Acc* __restrict prefix, int32_t w) {
    constexpr int32_t kBlock = 4;
    Acc carry = 0;
    prefix[0] = 0;
    int32_t x = 0;
    for (; x + kBlock <= w; x += kBlock) {
        const Acc a = col[x];
        const Acc b = a + col[x + 1];
        const Acc c = b + col[x + 2];
        const Acc d = c + col[x + 3];
        prefix[x + 1] = carry + a;
        prefix[x + 2] = carry + b;
        prefix[x + 3] = carry + c;
        prefix[x + 4] = carry + d;
        carry += d;
    }
    for (; x < w; ++x) {
        carry += col[x];
        prefix[x + 1] = carry;
    }
}

template <typename Acc>
TRELLICA_WIDE_KERNEL void BlurRow(const Acc* __restrict col, Acc* __restrict prefix,
                                  int32_t* __restrict out, int32_t w, int64_t r, float scale) {
    Prefix(col, prefix, w);
    // Columns r..w-1-r have their whole window inside the row.
    const int32_t midBegin = static_cast<int32_t>(std::min<int64_t>(r, w));
    const int32_t midEnd = static_cast<int32_t>(std::max<int64_t>(midBegin, w - r));
    for (int32_t x = 0; x < midBegin; ++x) {
        out[x] = Finish(EdgeWindow(col, prefix, w, r, x), scale);
    }
    const int32_t ri = static_cast<int32_t>(std::min<int64_t>(r, w));
    for (int32_t x = midBegin; x < midEnd; ++x) {
        out[x] = Finish<Acc>(prefix[x + ri + 1] - prefix[x - ri], scale);
    }
    for (int32_t x = midEnd; x < w; ++x) {
        out[x] = Finish(EdgeWindow(col, prefix, w, r, x), scale);
    }
}

template <typename Acc>
void Run(const int32_t* src, int32_t* dst, int32_t w, int32_t h, int64_t r, float scale, Acc* col,
         Acc* prefix) {
    InitColumns(src, w, h, r, col);
    for (int32_t y = 0; y < h; ++y) {
        BlurRow(col, prefix, dst + int64_t(y) * w, w, r, scale);
        if (y + 1 < h) {
            AdvanceColumns(ClampedRow(src, y - r, w, h), ClampedRow(src, y + r + 1, w, h), col, w);
        }
    }
}

} // namespace

TRELLICA_WIDE_KERNEL uint32_t BoxBlur::Magnitude(const int32_t* src, int64_t n) {
    uint32_t largest = 0;
    for (int64_t i = 0; i < n; ++i) {
        const uint32_t v = static_cast<uint32_t>(src[i]);
        largest = std::max(largest, src[i] < 0 ? 0u - v : v);
    }
    return largest;
}

BoxBlur::BoxBlur(int32_t width, int32_t height, int32_t radius)
    : _width(width < 0 ? 0 : width), _height(height < 0 ? 0 : height), _radius(radius) {
    // 1 / ((2r + 1)^2 - 2), the divisor an integer converted to float.
    const Int128 side = 2 * static_cast<Int128>(_radius) + 1;
    _scale = 1.0f / static_cast<float>(side * side - 2);
    if (_radius >= 0 && _width > 0 && _radius <= kInt32RadiusLimit) {
        _columns.resize(static_cast<size_t>(_width));
        _prefix.resize(static_cast<size_t>(_width) + 1);
    }
}

bool BoxBlur::FitsInt32(const int32_t* src) const {
    if (_columns.empty()) {
        return false;
    }
    // Largest magnitudes: a prefix along a row and the whole window, each at
    // most that many values of the largest magnitude.
    const int64_t side = 2 * _radius + 1;
    const int64_t terms = (int64_t(_width) + side + 1) * side;
    return int64_t(Magnitude(src, int64_t(_width) * _height)) <= INT32_MAX / terms;
}

void BoxBlur::Apply(const int32_t* src, int32_t* dst) {
    if (_radius < 0 || _width == 0 || _height == 0) {
        return;
    }
    if (FitsInt32(src)) {
        Run<int32_t>(src, dst, _width, _height, _radius, _scale, _columns.data(), _prefix.data());
        return;
    }
    std::vector<Int128> columns(static_cast<size_t>(_width));
    std::vector<Int128> prefix(static_cast<size_t>(_width) + 1);
    Run<Int128>(src, dst, _width, _height, _radius, _scale, columns.data(), prefix.data());
}
