#pragma once

#include <array>
#include <cstdint>
#include <functional>

class QuorelImage;

// 3 x 3 convolution of the front colour planes into the back buffer (no swap).
// Interior pixels (rows and columns 1..size-2) get the taps' products added in
// the given order, starting from the first product, truncated, capped and
// floored; the one-pixel border keeps the picture's own values. Taps of weight 0
// may be left out: adding a zero product changes no sum (only, at most, the sign
// of a zero sum, which truncation ignores).
namespace Convolution3x3 {

struct Tap {
    int32_t dx;
    int32_t dy;
    float weight;
};

// A per-pixel step fused into the pass: called once for each row y, in order,
// with that row of the red, green and blue front planes, before anything reads
// the row; it may change the row in place. The result is the same as running
// the step over the whole picture first.
using RowStep = std::function<void(int32_t y, const std::array<int32_t*, 3>& rows)>;

// Up to nine taps in summation order, each offset within -1..1.
struct Kernel {
    std::array<Tap, 9> taps;
    int count = 0;
};

// The two kernels of the looks, their weights scaled by 1 / (the sum of the
// unscaled weights in tap order), taps of weight 0 left out. Taps in order:
// (-1,-1) (0,-1) (+1,-1) (-1,0) (0,0) (+1,0) (+1,+1) (0,+1) (-1,+1).
// Soften: centre 1, the others 8, so 1/65 and 8/65.
const Kernel& Soften();
// Sharpen: centre 5, the four edge neighbours -1, the corners 0.
const Kernel& Sharpen();

void Apply(QuorelImage& image, const Kernel& kernel, const RowStep& step = nullptr);

} // namespace Convolution3x3
