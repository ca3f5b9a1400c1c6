#include "filters/ToneMath.h"

#include "filters/WideKernel.h"

namespace ToneMath {

TRELLICA_WIDE_KERNEL void ContrastRun(int32_t* __restrict values, int32_t count, float factor) {
    for (int32_t i = 0; i < count; ++i) {
        values[i] = Contrast(values[i], factor);
    }
}

} // namespace ToneMath
