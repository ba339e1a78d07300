#!/usr/bin/env bash
# Builds the Debian package the way a distribution would: a Release build of its own
# (build-package/) with the hardening flags that dpkg-buildflags gives, then CPack.
#   scripts/build-package.sh [OUTPUT_FOLDER]   (default: this folder); prints the .deb's path
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
out=$(mkdir -p "${1:-.}" && cd "${1:-.}" && pwd)
build="${ORVEL_PACKAGE_BUILD:-$root/build-package}"
export DEB_BUILD_MAINT_OPTIONS=hardening=+all
flags() { dpkg-buildflags --get "$1"; }
CFLAGS="$(flags CFLAGS) $(flags CPPFLAGS)" CXXFLAGS="$(flags CXXFLAGS) $(flags CPPFLAGS)" \
  LDFLAGS="$(flags LDFLAGS)" \
  cmake -S "$root" -B "$build" -DCMAKE_BUILD_TYPE=Release -DORVEL_TESTS=OFF -DORVEL_BENCH=OFF \
    >/dev/null
cmake --build "$build" -j "$(nproc)" >/dev/null
(cd "$build" && cpack -G DEB -B "$build/cpack" >/dev/null)
deb=$(ls "$build"/cpack/orvel_*.deb)
cp "$deb" "$out/"
echo "$out/$(basename "$deb")"
