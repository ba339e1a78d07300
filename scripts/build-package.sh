#!/usr/bin/env bash
# Builds the Debian package the way a distribution would: a Release build of its own
# (build-package/) with the hardening flags that dpkg-buildflags gives, then CPack. The package
# is reproducible: its timestamps are SOURCE_DATE_EPOCH, by default the last commit's time (the
# changelog's date outside a git checkout), as Debian's reproducible builds take them, and its
# folders' modes come from umask 022, as under dpkg-buildpackage (CMake makes folders by the
# umask, and 077 made a package whose /usr only root could read).
#   scripts/build-package.sh [OUTPUT_FOLDER]   (default: this folder); prints the .deb's path
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
out=$(mkdir -p "${1:-.}" && cd "${1:-.}" && pwd)
build="${ORVEL_PACKAGE_BUILD:-$root/build-package}"
umask 022
export DEB_BUILD_MAINT_OPTIONS=hardening=+all
if [ -z "${SOURCE_DATE_EPOCH:-}" ]; then
  SOURCE_DATE_EPOCH=$(git -c safe.directory="$root" -C "$root" log -1 --format=%ct 2>/dev/null ||
    dpkg-parsechangelog -l "$root/data/debian/changelog" -S Timestamp)
fi
export SOURCE_DATE_EPOCH
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
