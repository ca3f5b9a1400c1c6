#pragma once

#include <algorithm>
#include <cstdint>

// Conversions every plane operation shares. Within the range of int32 they are
// the plain C++ conversions, bit for bit; beyond it (possible only for plane
// values already far outside 0..255) they saturate instead of being undefined.
namespace PixelMath {

// float -> int32, toward zero.
inline int32_t Truncate(float v) {
    if (v > -2147483648.0f && v < 2147483648.0f) {
        return static_cast<int32_t>(v);
    }
    if (v != v) {
        return 0;
    }
    return v > 0.0f ? INT32_MAX : INT32_MIN;
}

// 256 or more becomes 255.
inline int32_t Cap(int32_t v) {
    return v > 255 ? 255 : v;
}
// Negative becomes 0.
inline int32_t Floor(int32_t v) {
    return v < 0 ? 0 : v;
}
inline int32_t CapFloor(int32_t v) {
    return Floor(Cap(v));
}

// int64 -> int32, saturating (sums and products of two plane values).
inline int32_t Saturate(int64_t v) {
    return v > INT32_MAX ? INT32_MAX : (v < INT32_MIN ? INT32_MIN : static_cast<int32_t>(v));
}

// The same truncations done as float clamps before one conversion, for hot
// loops: for every argument that is not NaN, TruncateFinite(v), TruncateCap(v)
// and TruncateCapFloor(v) equal Truncate(v), Cap(Truncate(v)) and
// CapFloor(Truncate(v)) bit for bit (truncation is monotone, and no value
// between the clamp bounds changes), but they vectorise into a few instructions
// per lane instead of a cascade of selects. Their callers' arguments come from
// int32 plane values through finite products and sums, so they are never NaN.
constexpr float kBelow256 = 0x1.fffffep7f;     // 255.99998..., the float just below 256
constexpr float kInt32Lowest = -2147483648.0f; // -2^31, exact
constexpr float kInt32Highest = 2147483520.0f; // the float just below 2^31

inline int32_t TruncateFinite(float v) {
    const int32_t t = static_cast<int32_t>(std::min(kInt32Highest, std::max(kInt32Lowest, v)));
    return v > kInt32Highest ? INT32_MAX : t;
}
inline int32_t TruncateCap(float v) {
    return static_cast<int32_t>(std::min(kBelow256, std::max(kInt32Lowest, v)));
}
inline int32_t TruncateCapFloor(float v) {
    return static_cast<int32_t>(std::min(kBelow256, std::max(0.0f, v)));
}

} // namespace PixelMath
