#!/usr/bin/env bash
# Builds the Debian package of Trellica (Release, CPack DEB) and prints its path:
#   scripts/package.sh  ->  build/release/trellica_<version>_amd64.deb
set -euo pipefail
cd "$(dirname "$0")/.."

scripts/install-deps.sh >&2

build=build/release
cmake -S . -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=Release >&2
cmake --build "$build" -j "$(nproc)" --target trellica_installed_parts >&2
(cd "$build" && cpack -G DEB >&2)

version=$(sed -n 's/^CMAKE_PROJECT_VERSION:STATIC=//p' "$build/CMakeCache.txt")
package="$build/trellica_${version}_$(dpkg --print-architecture).deb"
[ -f "$package" ] || { echo "package.sh: $package was not made" >&2; exit 1; }
echo "$package"
