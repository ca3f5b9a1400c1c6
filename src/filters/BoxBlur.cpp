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

// Column sums of the rows y - r..y + r (clamped) for row y: row 0 stands for
// the rows above the picture, row h - 1 for those below it, the rows between
// count once.
template <typename Acc>
void InitColumns(const int32_t* src, int32_t w, int32_t h, int64_t r, int32_t y, Acc* col) {
    const int64_t low = std::max<int64_t>(0, y - r);
    const int64_t high = std::min<int64_t>(h - 1, y + r);
    const Acc above = static_cast<Acc>(std::max<int64_t>(0, r - y));
    const Acc below = static_cast<Acc>(std::max<int64_t>(0, y + r - (h - 1)));
    const int32_t* last = src + int64_t(h - 1) * w;
    for (int32_t x = 0; x < w; ++x) {
        col[x] = above * static_cast<Acc>(src[x]) + below * static_cast<Acc>(last[x]);
    }
    for (int64_t j = low; j <= high; ++j) {
        const int32_t* row = src + j * w;
        for (int32_t x = 0; x < w; ++x) {
            col[x] += static_cast<Acc>(row[x]);
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

// Rows from next up to last as done.
void Report(const BoxBlur::RowDone& done, int32_t& next, int64_t last) {
    for (; done && next <= last; ++next) {
        done(next);
    }
}

// Every value's magnitude at most bound.
bool AllWithin(const int32_t* src, int64_t n, uint32_t bound) {
    return BoxBlur::Magnitude(src, n) <= bound;
}

// Output rows y from..to-1, col holding row from's column sums. Past row y,
// src's rows up to y - r have been read for the last time (row 0 stands for
// the rows above the picture until then; row h - 1, for the rows below it, is
// read to the end). When checked, each row is looked at just before it first
// enters the sums: at the first with a value outside 0..255 the run stops and
// returns the row it was at, col still holding its sums; else it returns to.
template <typename Acc>
int32_t Run(const int32_t* src, const BoxBlur::RowOut& dst, int32_t w, int32_t h, int64_t r,
            float scale, Acc* col, Acc* prefix, const BoxBlur::RowDone& done, int32_t from,
            int32_t to, int32_t& next, bool checked, uint32_t bound = 0) {
    for (int32_t y = from; y < to; ++y) {
        const bool advance = y + 1 < to;
        const bool fresh = y + r + 1 <= h - 1; // a row the sums have not had yet
        if (checked && advance && fresh && !AllWithin(src + (y + r + 1) * w, w, bound)) {
            return y;
        }
        BlurRow(col, prefix, dst(y), w, r, scale);
        if (advance) {
            AdvanceColumns(ClampedRow(src, y - r, w, h), ClampedRow(src, y + r + 1, w, h), col, w);
            Report(done, next, std::min<int64_t>(y - r, h - 2));
        }
    }
    Report(done, next, to - 1);
    return to;
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

bool BoxBlur::FitsInt32(const int32_t* src, int32_t from) const {
    if (_columns.empty()) {
        return false;
    }
    // The rows the first sums take; later rows are looked at as they enter.
    const int64_t low = std::max<int64_t>(0, from - _radius);
    const int64_t high = std::min<int64_t>(_height - 1, from + _radius);
    return AllWithin(src + low * _width, (high - low + 1) * _width, Int32Bound());
}

uint32_t BoxBlur::Int32Bound() const {
    // A prefix along a row and the whole window each add at most this many
    // values: with no magnitude above the bound no sum leaves int32.
    const int64_t side = 2 * int64_t(_radius) + 1;
    return uint32_t(INT32_MAX / ((int64_t(_width) + side + 1) * side));
}

void BoxBlur::Apply(const int32_t* src, int32_t* dst, const RowDone& done, int32_t from,
                    int32_t to) {
    const size_t w = static_cast<size_t>(_width);
    Apply(
        src, [dst, w](int32_t y) { return dst + static_cast<size_t>(y) * w; }, done, from, to);
}

void BoxBlur::Apply(const int32_t* src, const RowOut& dst, const RowDone& done, int32_t from,
                    int32_t to) {
    to = std::clamp(to, 0, _height);
    from = std::clamp(from, 0, to);
    int32_t next = from;
    if (_radius < 0 || _width == 0 || from == to) {
        Report(done, next, int64_t(to) - 1);
        return;
    }
    // In int32 while every row's values are small enough; from a row that is
    // not, on in 128 bits, the sums carried over (exact so far).
    std::vector<Int128> columns;
    if (FitsInt32(src, from)) {
        InitColumns(src, _width, _height, _radius, from, _columns.data());
        from = Run<int32_t>(src, dst, _width, _height, _radius, _scale, _columns.data(),
                            _prefix.data(), done, from, to, next, true, Int32Bound());
        if (from == to) {
            return;
        }
        columns.assign(_columns.begin(), _columns.end());
    } else {
        columns.resize(static_cast<size_t>(_width));
        InitColumns(src, _width, _height, _radius, from, columns.data());
    }
    std::vector<Int128> prefix(static_cast<size_t>(_width) + 1);
    Run<Int128>(src, dst, _width, _height, _radius, _scale, columns.data(), prefix.data(), done,
                from, to, next, false);
}
