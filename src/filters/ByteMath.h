#pragma once

#include <algorithm>
#include <cstdint>

// Truncation toward zero, alone or followed by the cap (and floor) of the
// filters, done as float clamps before one conversion. For every argument that
// is not NaN the results equal PixelMath::Truncate(v), PixelMath::Cap(
// PixelMath::Truncate(v)) and PixelMath::CapFloor(PixelMath::Truncate(v)) bit for
// bit (truncation is monotone, and no value between the clamp bounds changes),
// but loops of them vectorise into a few instructions per lane instead of a
// cascade of selects. The arguments here come from int32 plane values through
// finite products and sums, so they are never NaN.
namespace ByteMath {

constexpr float kBelow256 = 0x1.fffffep7f;     // 255.99998..., the float just below 256
constexpr float kInt32Lowest = -2147483648.0f; // -2^31, exact
constexpr float kInt32Highest = 2147483520.0f; // the float just below 2^31

// Truncate(v), saturating to INT32_MIN and INT32_MAX beyond int32.
inline int32_t Truncate(float v) {
    const int32_t t = static_cast<int32_t>(std::min(kInt32Highest, std::max(kInt32Lowest, v)));
    return v > kInt32Highest ? INT32_MAX : t;
}

// Cap(Truncate(v)): at most 255, no floor; below -2^31 saturates to INT32_MIN.
inline int32_t TruncateCap(float v) {
    return static_cast<int32_t>(std::min(kBelow256, std::max(kInt32Lowest, v)));
}

// CapFloor(Truncate(v)): 0..255.
inline int32_t TruncateCapFloor(float v) {
    return static_cast<int32_t>(std::min(kBelow256, std::max(0.0f, v)));
}

} // namespace ByteMath
