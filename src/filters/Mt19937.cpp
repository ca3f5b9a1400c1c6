#include "filters/Mt19937.h"

#include "filters/WideKernel.h"

#include <algorithm>

namespace {

// The generator's parameters, as the C++ standard gives them for mt19937.
constexpr int32_t kShift = 397;
constexpr uint32_t kInitMultiplier = 1812433253u;
constexpr uint32_t kMatrix = 0x9908b0dfu;
constexpr uint32_t kUpper = 0x80000000u;
constexpr uint32_t kLower = 0x7fffffffu;
constexpr uint32_t kTemperB = 0x9d2c5680u;
constexpr uint32_t kTemperC = 0xefc60000u;

inline uint32_t Mixed(uint32_t upper, uint32_t lower, uint32_t shifted) {
    const uint32_t y = (upper & kUpper) | (lower & kLower);
    return shifted ^ (y >> 1) ^ ((y & 1u) * kMatrix);
}

// The state's new words from..to - 1, in the standard's order: each from its
// own old word, its successor's old one and the word Offset on, which is old
// ahead of it and already new behind it (a fixed distance, so the loop vectorises).
template <int32_t Offset>
TRELLICA_WIDE_KERNEL void TwistRun(uint32_t* state, int32_t from, int32_t to) {
    for (int32_t i = from; i < to; ++i) {
        state[i] = Mixed(state[i], state[i + 1], state[i + Offset]);
    }
}

TRELLICA_WIDE_KERNEL void Temper(const uint32_t* __restrict state, uint32_t* __restrict out,
                                 int32_t count) {
    for (int32_t i = 0; i < count; ++i) {
        uint32_t y = state[i];
        y ^= y >> 11;
        y ^= (y << 7) & kTemperB;
        y ^= (y << 15) & kTemperC;
        out[i] = y ^ (y >> 18);
    }
}

} // namespace

Mt19937::Mt19937(uint32_t seed) {
    _state[0] = seed;
    for (int32_t i = 1; i < kStateSize; ++i) {
        const uint32_t previous = _state[size_t(i - 1)];
        _state[size_t(i)] = kInitMultiplier * (previous ^ (previous >> 30)) + uint32_t(i);
    }
}

void Mt19937::Twist() {
    uint32_t* s = _state.data();
    constexpr int32_t kSplit = kStateSize - kShift; // from here the word ahead wraps round
    TwistRun<kShift>(s, 0, kSplit);
    TwistRun<kShift - kStateSize>(s, kSplit, kStateSize - 1);
    s[kStateSize - 1] = Mixed(s[kStateSize - 1], s[0], s[kShift - 1]);
    _next = 0;
}

void Mt19937::Draw(uint32_t* out, int32_t count) {
    while (count > 0) {
        if (_next == kStateSize) {
            Twist();
        }
        const int32_t n = std::min(count, kStateSize - _next);
        Temper(_state.data() + _next, out, n);
        _next += n;
        out += n;
        count -= n;
    }
}
