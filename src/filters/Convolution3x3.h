#pragma once

#include <cstdint>

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

// count from 1 to 9 taps, each offset within -1..1.
void Apply(QuorelImage& image, const Tap* taps, int count);

} // namespace Convolution3x3
