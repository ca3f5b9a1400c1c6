#include "filters/ScaledConvolution.h"

#include "filters/LookScale.h"
#include "filters/RowBands.h"
#include "filters/WideKernel.h"
#include "image/PixelMath.h"
#include "image/QuorelImage.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <utility>
#include <vector>

namespace ScaledConvolution {
namespace {

using Convolution3x3::Kernel;

constexpr int32_t kWhole = 64; // weight of a pixel wholly inside a side
constexpr int32_t kByteMax = 255;
constexpr float kByteMaxF = 255.0f;
constexpr double kSpan = 3.0; // the kernel's side, in stated pixels
constexpr double kTiles = 9.0;
constexpr double kBarTiles = 3.0;
// The rings' rows lie this many values (one cache line) further apart than
// their width, so that rows a power of two wide do not all fall into the same
// cache sets.
constexpr size_t kSkew = 16;

// A centred run along one axis: pixels -half..half whole, the two beyond them
// by edge / kWhole.
struct Side {
    int32_t half = 0;
    int32_t edge = 0;
    int32_t Reach() const { return half + 1; }
    double Weight() const { return double(kWhole) * (2 * half + 1) + 2.0 * edge; }
};

Side SideOf(double pixels) {
    const double side = std::max(pixels, 1.0);
    Side s;
    s.half = static_cast<int32_t>(std::floor((side - 1.0) / 2.0));
    s.edge = static_cast<int32_t>(std::lround((side - (2.0 * s.half + 1.0)) / 2.0 * kWhole));
    if (s.edge == kWhole) {
        ++s.half;
        s.edge = 0;
    }
    return s;
}

float TapWeight(const Kernel& kernel, int32_t dx, int32_t dy) {
    for (int k = 0; k < kernel.count; ++k) {
        const Convolution3x3::Tap& tap = kernel.taps[size_t(k)];
        if (tap.dx == dx && tap.dy == dy) {
            return tap.weight;
        }
    }
    return 0.0f;
}

// The sides and the terms' weights, each divided by its rectangle's weight sum
// (in double, rounded to float once).
struct Plan {
    Side small; // s
    Side large; // 3s
    float centre;
    float square; // 3s x 3s
    float bars;   // 3s x s and s x 3s
    float middle; // s x s
    int32_t border;
};

Plan PlanOf(const Kernel& kernel, const LookScale& scale) {
    Plan p{};
    p.small = SideOf(scale.Factor());
    p.large = SideOf(kSpan * scale.Factor());
    const double c = TapWeight(kernel, 0, 0);
    const double e = TapWeight(kernel, 1, 0);
    const double k = TapWeight(kernel, 1, 1);
    const double ws = p.small.Weight();
    const double wl = p.large.Weight();
    p.centre = static_cast<float>(c);
    p.square = static_cast<float>(kTiles * k / (wl * wl));
    p.bars = static_cast<float>(kBarTiles * (e - k) / (wl * ws));
    p.middle = static_cast<float>((k - 2.0 * e) / (ws * ws));
    p.border = std::max(1, scale.Count(1));
    return p;
}

// --- row kernels ----------------------------------------------------------------

// The row clamped to 0..255 from padded[reach] on, its end pixels repeated
// reach times on each side.
TRELLICA_WIDE_KERNEL void PadRow(const int32_t* __restrict in, int32_t w, int32_t reach,
                                 int32_t* __restrict padded) {
    for (int32_t x = 0; x < w; ++x) {
        padded[reach + x] = std::min(std::max(in[x], 0), kByteMax);
    }
    const int32_t first = padded[reach];
    const int32_t last = padded[reach + w - 1];
    for (int32_t x = 0; x < reach; ++x) {
        padded[x] = first;
    }
    for (int32_t x = reach + w; x < 2 * reach + w; ++x) {
        padded[x] = last;
    }
}

// The sums of a side of 2 * kHalf + 1 whole pixels along a padded row (centre
// at its first pixel): the whole pixels, then the two beyond them by edge. The
// half known at compile time, the taps unroll and the columns vectorise.
template <int32_t kHalf>
TRELLICA_WIDE_KERNEL void SumAlongHalf(const int32_t* __restrict centre, int32_t edge,
                                       int32_t* __restrict out, int32_t w) {
    for (int32_t x = 0; x < w; ++x) {
        int32_t sum = 0;
        for (int32_t j = -kHalf; j <= kHalf; ++j) {
            sum += centre[x + j];
        }
        out[x] = kWhole * sum + edge * (centre[x - kHalf - 1] + centre[x + kHalf + 1]);
    }
}

TRELLICA_WIDE_KERNEL void AddRow(int32_t* __restrict sum, const int32_t* __restrict row,
                                 int32_t w) {
    for (int32_t x = 0; x < w; ++x) {
        sum[x] += row[x];
    }
}

// Any half: a pass per whole pixel.
void SumAlongAny(const int32_t* centre, Side side, int32_t* out, int32_t w) {
    std::fill(out, out + w, 0);
    for (int32_t j = -side.half; j <= side.half; ++j) {
        AddRow(out, centre + j, w);
    }
    for (int32_t x = 0; x < w; ++x) {
        out[x] =
            kWhole * out[x] + side.edge * (centre[x - side.Reach()] + centre[x + side.Reach()]);
    }
}

// SumAlongHalf for the first of the halves that is the side's; false for none.
template <int32_t... kHalves>
bool SumAlongFixed(std::integer_sequence<int32_t, kHalves...>, const int32_t* centre, Side side,
                   int32_t* out, int32_t w) {
    return (
        (side.half == kHalves ? (SumAlongHalf<kHalves>(centre, side.edge, out, w), true) : false) ||
        ...);
}

// Halves 0 to 7: every side up to 15 pixels, 3s for S up to 2560.
constexpr int32_t kFixedHalves = 8;

void SumAlong(const int32_t* centre, Side side, int32_t* out, int32_t w) {
    if (!SumAlongFixed(std::make_integer_sequence<int32_t, kFixedHalves>(), centre, side, out, w)) {
        SumAlongAny(centre, side, out, w);
    }
}

// One rectangle's rows for an output row: the whole rows' sums (moved down a
// row in place), the row entering them and the row leaving them, which is also
// the outer row above; the outer row below is high.
struct Moving {
    int32_t* whole;
    const int32_t* entering;
    const int32_t* leaving;
    const int32_t* high;
    int32_t edge;
};

inline int32_t Slide(const Moving& m, int32_t x) {
    const int32_t w = (m.whole[x] + m.entering[x]) - m.leaving[x];
    m.whole[x] = w;
    return kWhole * w + m.edge * (m.leaving[x] + m.high[x]);
}

// The result from the pixel and the rectangles of the terms present, into out,
// which may be the pixel's own row (each pixel is read before it is written).
// The other rows are distinct arrays, or equal rows only read (ivdep: no
// iteration writes what another reads).
template <bool kSquare, bool kBars, bool kMiddle>
TRELLICA_WIDE_KERNEL void Combine(const int32_t* front, const std::array<Moving, 4>& terms,
                                  const Plan& plan, int32_t* out, int32_t from, int32_t to) {
    const Moving square = terms[0];
    const Moving across = terms[1];
    const Moving down = terms[2];
    const Moving middle = terms[3];
    const float c = plan.centre;
    const float ws = plan.square;
    const float wb = plan.bars;
    const float wm = plan.middle;
    TRELLICA_IVDEP
    for (int32_t x = from; x < to; ++x) {
        // Clamped as a float, the same as clamping the integer: conversion is
        // monotone and keeps 0 and 255.
        float acc = c * std::min(kByteMaxF, std::max(0.0f, static_cast<float>(front[x])));
        if constexpr (kSquare) {
            acc = acc + ws * static_cast<float>(Slide(square, x));
        }
        if constexpr (kBars) {
            // Each below 2^30: the sum is exact.
            acc = acc + wb * static_cast<float>(Slide(across, x) + Slide(down, x));
        }
        if constexpr (kMiddle) {
            acc = acc + wm * static_cast<float>(Slide(middle, x));
        }
        out[x] = PixelMath::TruncateCapFloor(acc);
    }
}

using CombineRow = void (*)(const int32_t*, const std::array<Moving, 4>&, const Plan&, int32_t*,
                            int32_t, int32_t);

template <bool kSquare, bool kBars> CombineRow CombineFor(bool middle) {
    return middle ? &Combine<kSquare, kBars, true> : &Combine<kSquare, kBars, false>;
}

CombineRow CombineFor(const Plan& plan) {
    const bool middle = plan.middle != 0.0f;
    if (plan.square != 0.0f) {
        return plan.bars != 0.0f ? CombineFor<true, true>(middle) : CombineFor<true, false>(middle);
    }
    return plan.bars != 0.0f ? CombineFor<false, true>(middle) : CombineFor<false, false>(middle);
}

// --- one plane ----------------------------------------------------------------------

// Row sums of one side, kept in a ring for the rows the column sums reach.
struct RowRing {
    Side side;
    bool on;
    std::vector<int32_t> rows;
};

// Column sums of one rectangle: a column side over a ring of row sums (its
// index), carried down the picture a row at a time.
struct ColumnSum {
    size_t ring;
    Side side;
    bool on;
    std::vector<int32_t> whole;
};

// One colour plane, a row at a time: rows enter (their row sums formed) before
// the output rows that reach them.
class PlanePass {
public:
    PlanePass(const Plan& plan, int32_t w, int32_t h, int32_t* plane);
    // How many rows above and below an output row it reads.
    int32_t Reach() const { return _reach; }
    // Whether row y is computed (else it keeps its values).
    bool Computes(int32_t y) const {
        return _interior && y >= _plan.border && y < _h - _plan.border;
    }
    void Enter(int32_t r);
    // Computed row y into out (the plane's own row or any other); first for the
    // first row a pass computes.
    void Output(int32_t y, bool first, int32_t* out);

private:
    int32_t Clamped(int32_t r) const { return std::clamp(r, 0, _h - 1); }
    const int32_t* Row(const ColumnSum& column, int32_t r) const {
        return _rings[column.ring].rows.data() + size_t(Clamped(r) % _capacity) * _stride;
    }
    void Start(ColumnSum& column, int32_t y);

    Plan _plan;
    int32_t _w;
    int32_t _h;
    bool _interior; // any pixel beyond the border
    int32_t _reach;
    int32_t _capacity;
    size_t _stride; // of the rings' rows
    int32_t* _plane;
    CombineRow _combine;
    std::array<RowRing, 2> _rings;     // small, large
    std::array<ColumnSum, 4> _columns; // square, bar across, bar down, middle
    std::vector<int32_t> _padded;
};

PlanePass::PlanePass(const Plan& plan, int32_t w, int32_t h, int32_t* plane)
    : _plan(plan), _w(w), _h(h),
      _interior(w > 2 * int64_t(plan.border) && h > 2 * int64_t(plan.border)),
      _reach(std::max(plan.small.Reach(), plan.large.Reach())), _capacity(2 * _reach + 2),
      _stride(size_t(w) + kSkew), _plane(plane), _combine(CombineFor(plan)) {
    const bool bars = plan.bars != 0.0f;
    _rings[0] = {plan.small, _interior && (bars || plan.middle != 0.0f), {}};
    _rings[1] = {plan.large, _interior && (bars || plan.square != 0.0f), {}};
    for (RowRing& ring : _rings) {
        if (ring.on) {
            ring.rows.resize(size_t(_capacity) * _stride);
        }
    }
    _columns[0] = {1, plan.large, _rings[1].on && plan.square != 0.0f, {}};
    _columns[1] = {1, plan.small, _interior && bars, {}};
    _columns[2] = {0, plan.large, _interior && bars, {}};
    _columns[3] = {0, plan.small, _rings[0].on && plan.middle != 0.0f, {}};
    for (ColumnSum& column : _columns) {
        if (column.on) {
            column.whole.resize(size_t(w));
        }
    }
    _padded.resize(size_t(w) + 2 * size_t(_reach));
}

void PlanePass::Enter(int32_t r) {
    if (!_interior) {
        return;
    }
    PadRow(_plane + size_t(r) * size_t(_w), _w, _reach, _padded.data());
    for (RowRing& ring : _rings) {
        if (ring.on) {
            int32_t* out = ring.rows.data() + size_t(r % _capacity) * _stride;
            SumAlong(_padded.data() + _reach, ring.side, out, _w);
        }
    }
}

// The whole rows' sums of the row above y, from which Combine moves to row y.
void PlanePass::Start(ColumnSum& column, int32_t y) {
    std::fill(column.whole.begin(), column.whole.end(), 0);
    for (int32_t j = -column.side.half; j <= column.side.half; ++j) {
        AddRow(column.whole.data(), Row(column, y - 1 + j), _w);
    }
}

void PlanePass::Output(int32_t y, bool first, int32_t* out) {
    std::array<Moving, 4> terms{};
    for (size_t t = 0; t < _columns.size(); ++t) {
        ColumnSum& column = _columns[t];
        if (column.on) {
            if (first) {
                Start(column, y);
            }
            const int32_t half = column.side.half;
            terms[t] = {column.whole.data(), Row(column, y + half), Row(column, y - half - 1),
                        Row(column, y + half + 1), column.side.edge};
        }
    }
    const int32_t d = _plan.border;
    _combine(_plane + size_t(y) * size_t(_w), terms, _plan, out, d, _w - d);
}

// --- the picture -----------------------------------------------------------------------

// The rows both bands read: stepped before the bands start, and computed into
// rows of their own, copied into the planes once both bands are done.
class Zone {
public:
    Zone(int32_t split, int32_t reach, int32_t w, int32_t h)
        : _begin(std::clamp(split - reach - 1, 0, h)), _end(std::clamp(split + reach + 1, 0, h)),
          _w(size_t(w)), _rows(3 * size_t(_end - _begin) * _w) {}
    bool Holds(int32_t y) const { return y >= _begin && y < _end; }
    int32_t Begin() const { return _begin; }
    int32_t End() const { return _end; }
    int32_t* Row(size_t plane, int32_t y) {
        return _rows.data() + (plane * size_t(_end - _begin) + size_t(y - _begin)) * _w;
    }

private:
    int32_t _begin;
    int32_t _end;
    size_t _w;
    std::vector<int32_t> _rows;
};

using Planes = std::array<int32_t*, 3>;

void StepRow(const Convolution3x3::RowStep& step, const Planes& planes, int32_t w, int32_t y) {
    if (step) {
        const size_t at = size_t(y) * size_t(w);
        step(y, {planes[0] + at, planes[1] + at, planes[2] + at});
    }
}

// Rows from..to-1 of the three planes, which go down together, so that the
// step changes each row just before its first reader, while it is still in
// the cache. A row is read into its row sums on entering, so each output row
// can replace its own; rows of the zone go to its own rows instead.
void Band(const Plan& plan, const Planes& planes, int32_t w, int32_t h,
          const Convolution3x3::RowStep& step, Zone& zone, int32_t from, int32_t to) {
    std::vector<PlanePass> passes;
    for (int32_t* plane : planes) {
        passes.emplace_back(plan, w, h, plane);
    }
    // From the first row the first output reads, and at least from the band's first row.
    const int32_t reach = passes[0].Reach();
    int32_t entered = std::max(std::min(from, std::max(from, plan.border) - reach) - 1, -1);
    bool first = true;
    for (int32_t y = from; y < to; ++y) {
        if (!passes[0].Computes(y)) {
            continue;
        }
        for (const int32_t last = std::min(h - 1, y + reach); entered < last;) {
            ++entered;
            if (!zone.Holds(entered)) {
                StepRow(step, planes, w, entered);
            }
            for (PlanePass& pass : passes) {
                pass.Enter(entered);
            }
        }
        for (size_t c = 0; c < passes.size(); ++c) {
            int32_t* own = planes[c] + size_t(y) * size_t(w);
            passes[c].Output(y, first, zone.Holds(y) ? zone.Row(c, y) : own);
        }
        first = false;
    }
    // Rows no output reached (the borders of a picture without an interior).
    for (int32_t y = std::max(entered + 1, from); y < to; ++y) {
        if (!zone.Holds(y)) {
            StepRow(step, planes, w, y);
        }
    }
}

} // namespace

void Apply(QuorelImage& image, const Kernel& kernel, const LookScale& scale,
           const Convolution3x3::RowStep& step) {
    if (scale.IsOne()) {
        Convolution3x3::Apply(image, kernel, step);
        image.SwapBackBuffer();
        return;
    }
    const int32_t w = image.Width();
    const int32_t h = image.Height();
    if (w <= 0 || h <= 0) {
        return;
    }
    const Planes planes = {image.Red(), image.Green(), image.Blue()};
    const Plan plan = PlanOf(kernel, scale);
    const int32_t split = RowBands::Split(h, int64_t(w) * h);
    Zone zone(split, std::max(plan.small.Reach(), plan.large.Reach()), w, split < h ? h : 0);
    for (int32_t y = zone.Begin(); y < zone.End(); ++y) {
        StepRow(step, planes, w, y);
    }
    RowBands::Run(h, split, [&](int32_t from, int32_t to) {
        Band(plan, planes, w, h, step, zone, from, to);
    });
    for (int32_t y = zone.Begin(); y < zone.End(); ++y) {
        for (size_t c = 0; c < planes.size(); ++c) {
            const int32_t* computed = zone.Row(c, y);
            const int32_t d = plan.border;
            if (w > 2 * d && y >= d && y < h - d) {
                std::copy(computed + d, computed + w - d, planes[c] + size_t(y) * size_t(w) + d);
            }
        }
    }
}

} // namespace ScaledConvolution
