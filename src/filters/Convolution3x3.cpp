#include "filters/Convolution3x3.h"

#include "filters/ByteMath.h"
#include "image/QuorelImage.h"

#include <algorithm>
#include <array>
#include <vector>

namespace Convolution3x3 {
namespace {

constexpr int kMaxTaps = 9;
constexpr int kRows = 3; // rows y - 1, y, y + 1

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

// A tap's product front * weight depends only on the pixel and the weight, so
// each row's products are formed once per distinct weight and every tap reads
// them: the same float products, in the same order of addition.
struct Products {
    std::array<float, kMaxTaps> weights{}; // the distinct weights
    int count = 0;
    std::array<int, kMaxTaps> ofTap{}; // each tap's index into weights

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

void Multiply(const int32_t* __restrict src, float weight, float* __restrict dst, int32_t w) {
    for (int32_t x = 0; x < w; ++x) {
        dst[x] = static_cast<float>(src[x]) * weight;
    }
}

// One row of output from the product rows of each tap; N known at compile time,
// so the tap loop unrolls and the column loop vectorises.
template <int N>
void Row(const std::array<const float*, kMaxTaps>& at, const Tap* taps, int32_t* __restrict out,
         int32_t w) {
    std::array<int32_t, N> dx;
    for (int k = 0; k < N; ++k) {
        dx[size_t(k)] = taps[k].dx;
    }
    for (int32_t x = 1; x < w - 1; ++x) {
        float sum = at[0][x + dx[0]];
        for (int k = 1; k < N; ++k) {
            sum += at[size_t(k)][x + dx[size_t(k)]];
        }
        out[x] = ByteMath::TruncateCapFloor(sum);
    }
}

template <int N>
void Plane(const int32_t* src, int32_t* dst, int32_t w, int32_t h, const Tap* taps,
           const Products& products, std::vector<float>& scratch) {
    // Row r's products with weight d live at ring slot r % 3 of weight d.
    auto slot = [&](int d, int32_t r) {
        return scratch.data() + (size_t(d) * kRows + size_t(r % kRows)) * size_t(w);
    };
    auto multiplyRow = [&](int32_t r) {
        for (int d = 0; d < products.count; ++d) {
            Multiply(src + size_t(r) * w, products.weights[size_t(d)], slot(d, r), w);
        }
    };
    multiplyRow(0);
    multiplyRow(1);
    for (int32_t y = 1; y < h - 1; ++y) {
        multiplyRow(y + 1);
        std::array<const float*, kMaxTaps> at{};
        for (int k = 0; k < N; ++k) {
            at[size_t(k)] = slot(products.ofTap[size_t(k)], y + taps[k].dy);
        }
        Row<N>(at, taps, dst + size_t(y) * w, w);
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
    const Products products(all.data(), count == 5 ? 5 : kMaxTaps);
    std::vector<float> scratch(size_t(products.count) * kRows * size_t(w));
    const int32_t* front[3] = {image.Red(), image.Green(), image.Blue()};
    int32_t* back[3] = {image.Red_Backbuffer(), image.Green_Backbuffer(), image.Blue_Backbuffer()};
    for (int c = 0; c < 3; ++c) {
        CopyBorder(front[c], back[c], w, h);
        if (w < 3 || h < 3) {
            continue;
        }
        if (count == 5) {
            Plane<5>(front[c], back[c], w, h, all.data(), products, scratch);
        } else {
            Plane<kMaxTaps>(front[c], back[c], w, h, all.data(), products, scratch);
        }
    }
}

} // namespace Convolution3x3
