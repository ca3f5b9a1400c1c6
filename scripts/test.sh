#!/usr/bin/env bash
# Builds and runs every test: a Release build; the reference tests once more
# against the baseline (non-AVX2) pixel loops; then the same tests under
# AddressSanitizer + UndefinedBehaviorSanitizer in a third build folder.
set -euo pipefail
cd "$(dirname "$0")/.."

scripts/install-deps.sh

jobs=$(nproc)
export QT_QPA_PLATFORM=offscreen

cmake -S . -B build/release -G Ninja -DCMAKE_BUILD_TYPE=Release
cmake --build build/release -j "$jobs"
(cd build/release && ctest --output-on-failure -j "$jobs")

# The Debian package and the desktop files it ships, through their validators.
scripts/check-package.sh

# The wide (AVX2) loops must give what the baseline ones give; on a machine with
# AVX2 the release build runs only the wide ones.
cmake -S . -B build/baseline -G Ninja -DCMAKE_BUILD_TYPE=Release -DTRELLICA_NO_WIDE_KERNELS=ON
cmake --build build/baseline -j "$jobs" --target trellica_tests
build/baseline/trellica_tests --gtest_brief=1 --gtest_filter='Reference*'

cmake -S . -B build/asan -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo -DTRELLICA_SANITIZE=ON
cmake --build build/asan -j "$jobs" --target trellica_tests
export ASAN_OPTIONS="detect_leaks=1:abort_on_error=0:strict_string_checks=1"
export LSAN_OPTIONS="suppressions=$PWD/scripts/lsan.supp:print_suppressions=0"
export UBSAN_OPTIONS="print_stacktrace=1:halt_on_error=1"
(cd build/asan && ctest --output-on-failure -j "$jobs")

# Every fuzz target for one minute.
scripts/fuzz.sh 60
