#pragma once

#include "image/PixelMath.h"

#include <cstdint>

// The per-pixel formulas of the grey and contrast steps, shared by the tone
// filters and the looks that fuse them into passes of their own. The formulas
// are inline, so that the loops calling them vectorise.
namespace ToneMath {

constexpr float kRedWeight = 0.3f;
constexpr float kGreenWeight = 0.59f;
constexpr float kBlueWeight = 0.11f;

constexpr float kMidGrey = 127.5f;
constexpr float kContrastUp = 1.25f;
constexpr float kContrastDown = 0.75f;

// (R * 0.3 + G * 0.59) + B * 0.11, truncated and capped (no floor).
inline int32_t Grey(int32_t r, int32_t g, int32_t b) {
    const float y = (static_cast<float>(r) * kRedWeight + static_cast<float>(g) * kGreenWeight) +
                    static_cast<float>(b) * kBlueWeight;
    return PixelMath::TruncateCap(y);
}

// (c - 127.5) * factor + 127.5, truncated, capped, floored.
inline int32_t Contrast(int32_t c, float factor) {
    return PixelMath::TruncateCapFloor((static_cast<float>(c) - kMidGrey) * factor + kMidGrey);
}

// The greys of count pixels.
void GreyRun(const int32_t* r, const int32_t* g, const int32_t* b, int32_t* grey, int32_t count);

// Contrast of count values in place.
void ContrastRun(int32_t* values, int32_t count, float factor);

} // namespace ToneMath
