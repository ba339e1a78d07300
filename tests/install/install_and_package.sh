#!/usr/bin/env bash
# Installing into a prefix puts every file where a desktop looks for it, and the installed
# game runs like build/orvel; the Debian package, built with the distribution's hardening
# flags, is the same to the byte when built again, holds the same files, depends on the
# libraries the game links, and lintian finds neither an error nor a warning in it.
#   install_and_package.sh BUILD_DIR
set -euo pipefail
build=$1
here=$(cd "$(dirname "$0")" && pwd)
work=$(mktemp -d "${TMPDIR:-/tmp}/orvel-install.XXXXXX")
trap 'rm -rf "$work"' EXIT
fail() { echo "FAIL: $*" >&2; exit 1; }

files=(games/orvel share/applications/io.github.orvelgame.orvel.desktop
       share/metainfo/io.github.orvelgame.orvel.metainfo.xml
       share/icons/hicolor/scalable/apps/orvel.svg share/man/man6/orvel.6.gz
       share/doc/orvel/copyright share/doc/orvel/changelog.gz)
for size in 16 24 32 48 64 128 256; do
  files+=("share/icons/hicolor/${size}x${size}/apps/orvel.png")
done

prefix="$work/prefix"
cmake --install "$build" --prefix "$prefix" >/dev/null
for file in "${files[@]}"; do
  [ -s "$prefix/$file" ] || fail "$file was not installed"
done
[ -x "$prefix/games/orvel" ] || fail "games/orvel is not executable"
for size in 16 24 32 48 64 128 256; do
  file -b "$prefix/share/icons/hicolor/${size}x${size}/apps/orvel.png" |
    grep -q "^PNG image data, $size x $size," || fail "the ${size}x${size} icon is not a PNG of that size"
done
zcat "$prefix/share/man/man6/orvel.6.gz" | grep -q '^\.TH ORVEL 6' || fail "the manual page is not ORVEL's"
echo "installed into a prefix: ok"

# The installed binary behaves like the built one: the start-up end-to-end test against it.
if command -v Xvfb >/dev/null; then
  ORVEL_BIN="$prefix/games/orvel" ARTIFACTS="$work/shots" bash "$here/../e2e/startup.sh" ||
    fail "the installed game did not start and save like build/orvel"
fi

for tool in dpkg-deb dpkg-shlibdeps dpkg-buildflags lintian; do
  command -v "$tool" >/dev/null || { echo "SKIP: $tool is missing, no package built"; exit 77; }
done
package() {
  ORVEL_PACKAGE_BUILD="$build/package-build" "$here/../../scripts/build-package.sh" "$work" ||
    fail "scripts/build-package.sh could not build the package"
}
deb=$(package)
# Packed again a second later from newer files under another umask, the package is the same to
# the byte: its timestamps are the last commit's, its folders' modes its own.
mv "$deb" "$work/first.deb"
sleep 1
touch "$build/package-build/orvel"
deb=$(umask 077 && package)
cmp "$work/first.deb" "$deb" || fail "two builds of the package from one commit differ"
# A tarball unpacked inside another repository takes the changelog's date, not that
# repository's last commit, and says so (the build itself is stood in for: only the date is asked).
root=$(cd "$here/../.." && pwd)
mkdir -p "$work/outer/orvel/scripts" "$work/outer/orvel/data/debian" "$work/outer/b" "$work/bin"
git -C "$work/outer" init -q
GIT_COMMITTER_DATE=@1000000000 git -C "$work/outer" -c user.name=t -c user.email=t@t \
  commit -q --allow-empty -m outer
cp "$root/scripts/build-package.sh" "$work/outer/orvel/scripts/"
cp "$root/data/debian/changelog" "$work/outer/orvel/data/debian/"
printf '#!/bin/sh\nexit 0\n' >"$work/bin/cmake"
printf '#!/bin/sh\nmkdir -p cpack && : >cpack/orvel_0_all.deb\n' >"$work/bin/cpack"
chmod +x "$work/bin/cmake" "$work/bin/cpack"
said=$(PATH="$work/bin:$PATH" ORVEL_PACKAGE_BUILD="$work/outer/b" \
  "$work/outer/orvel/scripts/build-package.sh" "$work/outer" 2>&1 >/dev/null)
date=$(dpkg-parsechangelog -l "$root/data/debian/changelog" -S Timestamp)
grep -q "timestamps: $(date -u -d "@$date" +%Y-%m-%dT%H:%M:%SZ) (data/debian/changelog" <<<"$said" ||
  fail "a tarball inside another repository did not take the changelog's date: $said"
contents=$(dpkg-deb -c "$deb" | awk '{ print $NF }')
for file in "${files[@]}"; do
  grep -q -x -F "./usr/$file" <<<"$contents" || fail "the package lacks /usr/$file"
done
[ "$(dpkg-deb -f "$deb" Package)" = orvel ] || fail "the package is not named orvel"
depends=$(dpkg-deb -f "$deb" Depends)
echo "Depends: $depends"
# OpenGL comes through GLVND (libopengl0 and libglx0) or as the classic libgl1.
for library in libglut libglu1 'libopengl0\|libgl1' 'libglx0\|libgl1' libx11-6; do
  grep -q "$library" <<<"$depends" || fail "the package does not depend on $library"
done
# One lintian run: its report shown (less the advice on running it as root), its status judged.
lintian_status=0
lintian --fail-on error,warning "$deb" >"$work/lintian" 2>&1 || lintian_status=$?
grep -v 'not recommended' "$work/lintian" || true
[ "$lintian_status" = 0 ] || fail "lintian reports errors or warnings"
echo "PASS"
