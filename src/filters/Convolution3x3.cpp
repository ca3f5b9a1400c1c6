#include "filters/Convolution3x3.h"

#include "filters/ByteMath.h"
#include "image/QuorelImage.h"

#include <algorithm>
#include <array>
#include <vector>

namespace Convolution3x3 {
namespace {

constexpr int kMaxTaps = 9;
constexpr int kRows = 3; // rows y - 1, y, y + 1 as floats

// Rows 0 and H - 1 and columns 0 and W - 1, which the convolution leaves alone,
// keep the picture's own values rather than stale back-buffer memory.
void CopyBorder(const int32_t* src, int32_t* dst, int32_t w, int32_t h) {
    const size_t width = static_cast<size_t>(w);
    std::copy(src, src + width, dst);
    const size_t last = static_cast<size_t>(h - 1) * width;
    std::copy(src + last, src + last + width, dst + last);
    for (int32_t y = 1; y < h - 1; ++y) {
        const size_t row = static_cast<size_t>(y) * width;
        dst[row] = src[row];
        dst[row + width - 1] = src[row + width - 1];
    }
}

void ToFloat(const int32_t* __restrict src, float* __restrict dst, int32_t w) {
    for (int32_t x = 0; x < w; ++x) {
        dst[x] = static_cast<float>(src[x]);
    }
}

// One row of output from three float rows; N known at compile time, so the tap
// loop unrolls and the column loop vectorises.
template <int N>
void Row(const std::array<const float*, kRows>& rows, const Tap* taps, int32_t* __restrict out,
         int32_t w) {
    std::array<const float*, N> row;
    std::array<int32_t, N> dx;
    std::array<float, N> weight;
    for (int k = 0; k < N; ++k) {
        row[k] = rows[static_cast<size_t>(taps[k].dy + 1)];
        dx[k] = taps[k].dx;
        weight[k] = taps[k].weight;
    }
    for (int32_t x = 1; x < w - 1; ++x) {
        float sum = row[0][x + dx[0]] * weight[0];
        for (int k = 1; k < N; ++k) {
            sum += row[k][x + dx[k]] * weight[k];
        }
        out[x] = ByteMath::TruncateCapFloor(sum);
    }
}

template <int N>
void Plane(const int32_t* src, int32_t* dst, int32_t w, int32_t h, const Tap* taps,
           std::vector<float>& scratch) {
    float* ring[kRows] = {scratch.data(), scratch.data() + w, scratch.data() + 2 * size_t(w)};
    ToFloat(src, ring[0], w);
    ToFloat(src + w, ring[1], w);
    for (int32_t y = 1; y < h - 1; ++y) {
        // Ring entry (y + 1) % 3 takes row y + 1; rows y - 1 and y are already there.
        ToFloat(src + size_t(y + 1) * w, ring[(y + 1) % kRows], w);
        const std::array<const float*, kRows> rows = {ring[(y - 1) % kRows], ring[y % kRows],
                                                      ring[(y + 1) % kRows]};
        Row<N>(rows, taps, dst + size_t(y) * w, w);
    }
}

} // namespace

void Apply(QuorelImage& image, const Tap* taps, int count) {
    const int32_t w = image.Width();
    const int32_t h = image.Height();
    if (w <= 0 || h <= 0) {
        return;
    }
    std::array<Tap, kMaxTaps> all{};
    std::copy(taps, taps + std::min(count, kMaxTaps), all.begin()); // unused taps weigh 0
    std::vector<float> scratch(size_t(kRows) * w);
    const int32_t* front[3] = {image.Red(), image.Green(), image.Blue()};
    int32_t* back[3] = {image.Red_Backbuffer(), image.Green_Backbuffer(), image.Blue_Backbuffer()};
    for (int c = 0; c < 3; ++c) {
        CopyBorder(front[c], back[c], w, h);
        if (w < 3 || h < 3) {
            continue;
        }
        if (count == 5) {
            Plane<5>(front[c], back[c], w, h, all.data(), scratch);
        } else {
            Plane<kMaxTaps>(front[c], back[c], w, h, all.data(), scratch);
        }
    }
}

} // namespace Convolution3x3
