#pragma once

// Marks a hot pixel loop to be compiled twice on x86-64, once for AVX2 and once
// for the baseline, the processor choosing at load time. Both run the same IEEE
// single-precision operations in the same order (no fused multiply-add: AVX2
// does not imply FMA, and contraction is off), so the results are bit-identical;
// the wide one only does eight lanes at a time instead of four. Elsewhere it
// does nothing, and TRELLICA_NO_WIDE_KERNELS turns it off (to test the baseline
// code on a processor that has AVX2).
#if defined(__x86_64__) && defined(__GNUC__) && !defined(__clang__) && defined(__linux__) &&       \
    !defined(TRELLICA_NO_WIDE_KERNELS)
#define TRELLICA_WIDE_KERNEL __attribute__((target_clones("avx2", "default")))
#else
#define TRELLICA_WIDE_KERNEL
#endif

// Before a loop whose pointers may not all be declared __restrict: no iteration
// writes what another reads through a different pointer. Nothing on clang: its
// only form of it also demands the vectorisation and warns where it declines,
// and the wide kernels are GCC's anyway.
#if defined(__clang__)
#define TRELLICA_IVDEP
#elif defined(__GNUC__)
#define TRELLICA_IVDEP _Pragma("GCC ivdep")
#else
#define TRELLICA_IVDEP
#endif
