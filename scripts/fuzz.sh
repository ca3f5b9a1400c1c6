#!/usr/bin/env bash
# Builds the libFuzzer targets with clang (ASan + UBSan) and runs each for a
# bounded time: scripts/fuzz.sh [seconds per target, default 60].
# A finding stops the run with a non-zero exit; the input lands in build/fuzz/runs/<target>/.
set -euo pipefail
cd "$(dirname "$0")/.."
seconds=${1:-60}

scripts/install-deps.sh
cmake -S . -B build/fuzz -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo -DTRELLICA_FUZZ=ON \
  -DCMAKE_CXX_COMPILER=clang++
cmake --build build/fuzz -j "$(nproc)"

runs=build/fuzz/runs
rm -rf "$runs"
mkdir -p "$runs"
# x265, which makes the HEIC seeds, keeps memory to the end: no leak check there.
ASAN_OPTIONS=detect_leaks=0 QT_QPA_PLATFORM=offscreen build/fuzz/trellica_fuzz_seeds "$runs/seeds"

export ASAN_OPTIONS="detect_leaks=1:allocator_may_return_null=1"
export LSAN_OPTIONS="suppressions=$PWD/scripts/lsan.supp:print_suppressions=0"
export UBSAN_OPTIONS="print_stacktrace=1:halt_on_error=1"
status=0
for fuzzer in build/fuzz/*Fuzzer; do
  name=$(basename "$fuzzer")
  mkdir -p "$runs/$name/corpus"
  seeds="$runs/seeds/$name"
  mkdir -p "$seeds"
  echo "== $name: ${seconds}s"
  if ! "$fuzzer" -max_total_time="$seconds" -rss_limit_mb=4096 -timeout=60 -print_final_stats=1 \
      -artifact_prefix="$runs/$name/" "$runs/$name/corpus" "$seeds" >"$runs/$name.log" 2>&1; then
    status=1
    tail -n 60 "$runs/$name.log"
    echo "== $name: FINDING (input in $runs/$name/)"
  fi
  grep -E 'stat::number_of_executed_units|stat::peak_rss_mb' "$runs/$name.log" | sed "s/^/   /"
done
exit $status
