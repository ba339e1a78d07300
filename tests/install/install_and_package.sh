#!/usr/bin/env bash
# Installing into a prefix puts every file where a desktop looks for it, and the installed
# game runs like build/orvel; the Debian package holds the same files and depends on the
# libraries the game links.
#   install_and_package.sh BUILD_DIR
set -euo pipefail
build=$1
here=$(cd "$(dirname "$0")" && pwd)
work=$(mktemp -d "${TMPDIR:-/tmp}/orvel-install.XXXXXX")
trap 'rm -rf "$work"' EXIT
fail() { echo "FAIL: $*" >&2; exit 1; }

prefix="$work/prefix"
cmake --install "$build" --prefix "$prefix" >/dev/null
for file in bin/orvel share/applications/orvel.desktop share/icons/hicolor/scalable/apps/orvel.svg \
            share/icons/hicolor/256x256/apps/orvel.png share/man/man6/orvel.6.gz; do
  [ -s "$prefix/$file" ] || fail "$file was not installed"
done
[ -x "$prefix/bin/orvel" ] || fail "bin/orvel is not executable"
[ "$(file -b --mime-type "$prefix/share/icons/hicolor/256x256/apps/orvel.png")" = image/png ] ||
  fail "the 256 x 256 icon is not a PNG"
file -b "$prefix/share/icons/hicolor/256x256/apps/orvel.png" | grep -q "256 x 256" ||
  fail "the PNG icon is not 256 x 256"
zcat "$prefix/share/man/man6/orvel.6.gz" | grep -q '^\.TH ORVEL 6' || fail "the manual page is not ORVEL's"
echo "installed into a prefix: ok"

# The installed binary behaves like the built one: the start-up end-to-end test against it.
if command -v Xvfb >/dev/null; then
  ORVEL_BIN="$prefix/bin/orvel" ARTIFACTS="$work/shots" bash "$here/../e2e/startup.sh" ||
    fail "the installed game did not start and save like build/orvel"
fi

if ! command -v dpkg-deb >/dev/null || ! command -v dpkg-shlibdeps >/dev/null; then
  echo "SKIP: dpkg-dev is missing, no package built"; exit 77
fi
(cd "$build" && cpack -G DEB -B "$work/package" >/dev/null) || fail "cpack could not build the package"
deb=$(ls "$work"/package/orvel_*.deb)
contents=$(dpkg-deb -c "$deb" | awk '{ print $NF }')
for file in ./usr/bin/orvel ./usr/share/applications/orvel.desktop \
            ./usr/share/icons/hicolor/scalable/apps/orvel.svg \
            ./usr/share/icons/hicolor/256x256/apps/orvel.png ./usr/share/man/man6/orvel.6.gz; do
  grep -q -x -F "$file" <<<"$contents" || fail "the package lacks $file"
done
[ "$(dpkg-deb -f "$deb" Package)" = orvel ] || fail "the package is not named orvel"
depends=$(dpkg-deb -f "$deb" Depends)
echo "Depends: $depends"
# OpenGL comes through GLVND (libopengl0 and libglx0) or as the classic libgl1.
for library in libglut libglu1 'libopengl0\|libgl1' 'libglx0\|libgl1' libx11-6; do
  grep -q "$library" <<<"$depends" || fail "the package does not depend on $library"
done
echo "PASS"
