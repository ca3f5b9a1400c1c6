#!/usr/bin/env bash
# Installs the Debian packages Trellica needs to build, test, benchmark, fuzz and package.
# Idempotent: packages already present are left alone.
set -euo pipefail

packages=(
  g++ cmake ninja-build pkg-config
  qt6-base-dev qt6-base-dev-tools qt6-image-formats-plugins libgl-dev
  googletest libgtest-dev libgmock-dev libbenchmark-dev
  fonts-dejavu-core xvfb xauth imagemagick
  clang libclang-rt-14-dev
  dpkg-dev file desktop-file-utils appstream lintian
  libopencv-objdetect-dev opencv-data opencv-doc
  libheif-dev libavcodec-dev
)

missing=()
for p in "${packages[@]}"; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || missing+=("$p")
done
[ ${#missing[@]} -eq 0 ] && exit 0

sudo=""
[ "$(id -u)" -ne 0 ] && sudo="sudo"
export DEBIAN_FRONTEND=noninteractive
$sudo apt-get update -q
$sudo apt-get install -y -q --no-install-recommends "${missing[@]}"
