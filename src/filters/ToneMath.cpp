#include "filters/ToneMath.h"

#include "filters/WideKernel.h"

namespace ToneMath {

TRELLICA_WIDE_KERNEL void ContrastRun(int32_t* __restrict values, int32_t count, float factor) {
    for (int32_t i = 0; i < count; ++i) {
        values[i] = Contrast(values[i], factor);
    }
}

TRELLICA_WIDE_KERNEL void GreyRun(const int32_t* __restrict r, const int32_t* __restrict g,
                                  const int32_t* __restrict b, int32_t* __restrict grey,
                                  int32_t count) {
    for (int32_t i = 0; i < count; ++i) {
        grey[i] = Grey(r[i], g[i], b[i]);
    }
}

} // namespace ToneMath
