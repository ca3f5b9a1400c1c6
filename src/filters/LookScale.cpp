#include "filters/LookScale.h"

#include <algorithm>
#include <cmath>

LookScale::LookScale(float factor)
    : _factor(std::isnan(factor) ? 1.0f : std::clamp(factor, kMinFactor, kMaxFactor)) {}

LookScale LookScale::ForSide(int32_t side) {
    return LookScale(static_cast<float>(side) / kStatedSide);
}

int32_t LookScale::Count(int32_t count) const {
    // In double: exact for every int32 count and factor, so a factor of 1 is exact.
    const int64_t scaled = std::llround(static_cast<double>(count) * _factor);
    return static_cast<int32_t>(std::clamp<int64_t>(scaled, INT32_MIN, INT32_MAX));
}

int32_t LookScale::StatedSide(int32_t side) const {
    const int64_t stated = std::llround(static_cast<double>(side) / _factor);
    return static_cast<int32_t>(std::clamp<int64_t>(stated, side >= 1 ? 1 : side, INT32_MAX));
}

void LookScale::Run(QuorelImage* image, float factor, Stated stated, Scaled scaled) {
    const LookScale scale(factor);
    if (image == nullptr || scale.IsOne()) {
        stated(image);
        return;
    }
    scaled(*image, scale);
}
