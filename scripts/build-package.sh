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
# Only this checkout's own history counts: a tarball unpacked inside some other repository
# takes the changelog's date, not that repository's last commit.
top=$(git -c safe.directory="$root" -C "$root" rev-parse --show-toplevel 2>/dev/null || true)
if [ -n "${SOURCE_DATE_EPOCH:-}" ]; then
  source="SOURCE_DATE_EPOCH as given"
elif [ -n "$top" ] && [ "$(cd "$top" && pwd -P)" = "$(cd "$root" && pwd -P)" ] &&
  SOURCE_DATE_EPOCH=$(git -c safe.directory="$root" -C "$root" log -1 --format=%ct 2>/dev/null) &&
  [ -n "$SOURCE_DATE_EPOCH" ]; then
  source="the last commit"
  git -c safe.directory="$root" -C "$root" diff --quiet HEAD 2>/dev/null ||
    source="the last commit; the changes not committed are packed with that date"
else
  SOURCE_DATE_EPOCH=$(dpkg-parsechangelog -l "$root/data/debian/changelog" -S Timestamp)
  source="data/debian/changelog, no git history here"
fi
export SOURCE_DATE_EPOCH
echo "package timestamps: $(date -u -d "@$SOURCE_DATE_EPOCH" +%Y-%m-%dT%H:%M:%SZ) ($source)" >&2
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
