#pragma once

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

} // namespace PixelMath
