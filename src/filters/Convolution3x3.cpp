#include "filters/Convolution3x3.h"

#include "filters/WideKernel.h"
#include "image/PixelMath.h"
#include "image/QuorelImage.h"

#include <algorithm>
#include <array>
#include <vector>

namespace Convolution3x3 {
namespace {

constexpr int kMaxTaps = 9;

// The looks' taps in summation order, with their unscaled weights.
struct LookTap {
    int32_t dx;
    int32_t dy;
    float soften;
    float sharpen;
};
constexpr std::array<LookTap, kMaxTaps> kLookTaps = {{
    {-1, -1, 8.0f, 0.0f},
    {0, -1, 8.0f, -1.0f},
    {+1, -1, 8.0f, 0.0f},
    {-1, 0, 8.0f, -1.0f},
    {0, 0, 1.0f, 5.0f},
    {+1, 0, 8.0f, -1.0f},
    {+1, +1, 8.0f, 0.0f},
    {0, +1, 8.0f, -1.0f},
    {-1, +1, 8.0f, 0.0f},
}};

// s = 1 / (the weights summed in tap order); each weight becomes s * weight.
Kernel Scaled(float LookTap::*weight) {
    float sum = 0.0f;
    for (const LookTap& tap : kLookTaps) {
        sum += tap.*weight;
    }
    const float s = 1.0f / sum;
    Kernel kernel{};
    for (const LookTap& tap : kLookTaps) {
        if (tap.*weight != 0.0f) {
            kernel.taps[size_t(kernel.count++)] = {tap.dx, tap.dy, s * tap.*weight};
        }
    }
    return kernel;
}

constexpr int kRows = 3; // rows y - 1, y, y + 1

// Rows 0 and H - 1 and columns 0 and W - 1, which the convolution leaves alone,
// keep the picture's own values rather than stale back-buffer memory.
void CopyBorderRow(const int32_t* src, int32_t* dst, int32_t w, bool whole) {
    if (whole) {
        std::copy(src, src + w, dst);
    } else {
        dst[0] = src[0];
        dst[w - 1] = src[w - 1];
    }
}

// A tap's product front * weight depends only on the pixel and the weight, so
// each row's products are formed once per distinct weight and every tap reads
// them: the same float products, in the same order of addition.
struct Products {
    std::array<float, kMaxTaps> weights{}; // the distinct weights
    int count = 0;
    std::array<int, kMaxTaps> ofTap{}; // each tap's index into weights

    Products() = default;
    Products(const Tap* taps, int tapCount) {
        for (int k = 0; k < tapCount; ++k) {
            int d = 0;
            while (d < count && weights[size_t(d)] != taps[k].weight) {
                ++d;
            }
            if (d == count) {
                weights[size_t(count++)] = taps[k].weight;
            }
            ofTap[size_t(k)] = d;
        }
    }
};

TRELLICA_WIDE_KERNEL void Multiply(const int32_t* __restrict src, float weight,
                                   float* __restrict dst, int32_t w) {
    for (int32_t x = 0; x < w; ++x) {
        dst[x] = static_cast<float>(src[x]) * weight;
    }
}

// Both kernels of the looks have two distinct weights: one conversion serves both.
TRELLICA_WIDE_KERNEL void MultiplyTwo(const int32_t* __restrict src, float first, float second,
                                      float* __restrict firstOut, float* __restrict secondOut,
                                      int32_t w) {
    for (int32_t x = 0; x < w; ++x) {
        const float v = static_cast<float>(src[x]);
        firstOut[x] = v * first;
        secondOut[x] = v * second;
    }
}

// One row of output from the product rows of each tap; N known at compile time,
// so the tap loop unrolls and the column loop vectorises.
template <int N>
TRELLICA_WIDE_KERNEL void Row(const std::array<const float*, kMaxTaps>& at, const Tap* taps,
                              int32_t* __restrict out, int32_t w) {
    std::array<int32_t, N> dx;
    for (int k = 0; k < N; ++k) {
        dx[size_t(k)] = taps[k].dx;
    }
    for (int32_t x = 1; x < w - 1; ++x) {
        float sum = at[0][x + dx[0]];
        for (int k = 1; k < N; ++k) {
            sum += at[size_t(k)][x + dx[size_t(k)]];
        }
        out[x] = PixelMath::TruncateCapFloor(sum);
    }
}

// The pass over all three colour planes, row by row: a row enters (the step,
// its border, its products) just before the first output row that reads it.
class Pass {
public:
    Pass(QuorelImage& image, const Tap* taps, int count, const RowStep& step);
    void Run();

private:
    float* Slot(int c, int d, int32_t r) {
        const size_t ring = (size_t(c) * size_t(_products.count) + size_t(d)) * kRows;
        return _scratch.data() + (ring + size_t(r % kRows)) * size_t(_w);
    }
    void Enter(int32_t r);
    template <int N> void Convolve();

    int32_t _w;
    int32_t _h;
    bool _interior; // at least 3 x 3
    std::array<Tap, kMaxTaps> _taps{};
    int _count;
    Products _products;
    const RowStep& _step;
    std::array<int32_t*, 3> _front;
    std::array<int32_t*, 3> _back;
    std::vector<float> _scratch;
};

Pass::Pass(QuorelImage& image, const Tap* taps, int count, const RowStep& step)
    : _w(image.Width()), _h(image.Height()), _interior(_w >= 3 && _h >= 3),
      _count(std::clamp(count, 1, kMaxTaps)),
      _step(step), _front{image.Red(), image.Green(), image.Blue()}, _back{
                                                                         image.Red_Backbuffer(),
                                                                         image.Green_Backbuffer(),
                                                                         image.Blue_Backbuffer()} {
    std::copy(taps, taps + _count, _taps.begin()); // the rest weigh 0
    _products = Products(_taps.data(), _count == 5 ? 5 : kMaxTaps);
    if (_interior) {
        _scratch.resize(3 * size_t(_products.count) * kRows * size_t(_w));
    }
}

void Pass::Enter(int32_t r) {
    const size_t at = size_t(r) * size_t(_w);
    const std::array<int32_t*, 3> rows = {_front[0] + at, _front[1] + at, _front[2] + at};
    if (_step) {
        _step(r, rows);
    }
    const bool whole = !_interior || r == 0 || r == _h - 1;
    for (int c = 0; c < 3; ++c) {
        CopyBorderRow(rows[size_t(c)], _back[size_t(c)] + at, _w, whole);
        if (_interior) {
            if (_products.count == 2) {
                MultiplyTwo(rows[size_t(c)], _products.weights[0], _products.weights[1],
                            Slot(c, 0, r), Slot(c, 1, r), _w);
                continue;
            }
            for (int d = 0; d < _products.count; ++d) {
                Multiply(rows[size_t(c)], _products.weights[size_t(d)], Slot(c, d, r), _w);
            }
        }
    }
}

template <int N> void Pass::Convolve() {
    Enter(0);
    Enter(1);
    for (int32_t y = 1; y < _h - 1; ++y) {
        Enter(y + 1);
        for (int c = 0; c < 3; ++c) {
            std::array<const float*, kMaxTaps> at{};
            for (int k = 0; k < N; ++k) {
                at[size_t(k)] = Slot(c, _products.ofTap[size_t(k)], y + _taps[size_t(k)].dy);
            }
            Row<N>(at, _taps.data(), _back[size_t(c)] + size_t(y) * size_t(_w), _w);
        }
    }
}

void Pass::Run() {
    if (_w <= 0 || _h <= 0) {
        return;
    }
    if (!_interior) {
        for (int32_t r = 0; r < _h; ++r) {
            Enter(r);
        }
    } else if (_count == 5) {
        Convolve<5>();
    } else {
        // Fewer taps are padded with taps of weight 0 (their products change no sum).
        Convolve<kMaxTaps>();
    }
}

} // namespace

const Kernel& Soften() {
    static const Kernel kernel = Scaled(&LookTap::soften);
    return kernel;
}

const Kernel& Sharpen() {
    static const Kernel kernel = Scaled(&LookTap::sharpen);
    return kernel;
}

void Apply(QuorelImage& image, const Kernel& kernel, const RowStep& step) {
    Pass(image, kernel.taps.data(), kernel.count, step).Run();
}

} // namespace Convolution3x3
