#!/usr/bin/env bash
# Builds the Debian package and checks what it ships with the desktop's own
# validators: desktop-file-validate, appstreamcli and lintian (no errors), the
# icon at every size, and the packaged trellica-batch --version once there is one.
set -euo pipefail
cd "$(dirname "$0")/.."

package=$(scripts/package.sh)
version=$(dpkg-deb -f "$package" Version)
unpacked=$(mktemp -d)
trap 'rm -rf "$unpacked"' EXIT
dpkg-deb -x "$package" "$unpacked"
share="$unpacked/usr/share"

echo "== $package"
desktop-file-validate "$share"/applications/*.desktop
appstreamcli validate --no-net "$share"/metainfo/*.metainfo.xml
lintian --fail-on error "$package"

id=$(basename "$share"/applications/*.desktop .desktop)
for size in 16 32 48 64 128 256; do
  file "$share/icons/hicolor/${size}x$size/apps/$id.png" | grep -q "$size x $size" ||
    { echo "no ${size}px icon for $id" >&2; exit 1; }
done
[ -f "$share/icons/hicolor/scalable/apps/$id.svg" ] || { echo "no scalable icon for $id" >&2; exit 1; }

batch="$unpacked/usr/bin/trellica-batch"
if [ -x "$batch" ]; then
  printed=$("$batch" --version)
  echo "$printed"
  [[ "$printed" == *"$version"* ]] || { echo "trellica-batch says it is not $version" >&2; exit 1; }
fi
echo "== package checks passed"
