#!/usr/bin/env bash
# Builds Trellica (Release) and starts it.
set -euo pipefail
cd "$(dirname "$0")/.."

# First, so that the hint below works on a fresh machine: it needs xvfb-run.
scripts/install-deps.sh

if [ -z "${DISPLAY:-}" ] && [ -z "${WAYLAND_DISPLAY:-}" ] && [ -z "${QT_QPA_PLATFORM:-}" ]; then
  echo "No display found (DISPLAY and WAYLAND_DISPLAY are unset)." >&2
  echo "Start Trellica on a virtual display instead:" >&2
  echo "  xvfb-run -a scripts/run.sh" >&2
  exit 1
fi

cmake -S . -B build/release -G Ninja -DCMAKE_BUILD_TYPE=Release
cmake --build build/release -j "$(nproc)" --target trellica
exec build/release/trellica "$@"
