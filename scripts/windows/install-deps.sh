#!/usr/bin/env bash
# Installs what the Windows build needs, from Debian's packages only, and fetches freeglut's
# Debian source package for it.
#   scripts/windows/install-deps.sh build   MinGW-w64 and freeglut's source (in build-windows/)
#   scripts/windows/install-deps.sh test    that, plus Wine, Xvfb and xdotool to play it
# freeglut's source comes through a deb-src entry for the Debian archive this machine already
# uses, added (once) for this purpose only. Nothing already present is fetched again.
set -euo pipefail
root=$(cd "$(dirname "$0")/../.." && pwd)
build=(cmake make g++-mingw-w64-x86-64-posix binutils-mingw-w64-x86-64 dpkg-dev xz-utils ccache)
test=(wine wine64 xvfb xdotool x11-apps)
case "${1:-build}" in
  build) wanted=("${build[@]}") ;;
  test) wanted=("${build[@]}" "${test[@]}") ;;
  *) echo "usage: $0 [build|test]" >&2; exit 2 ;;
esac

as_root() {
  if [ "$(id -u)" -ne 0 ] || ! command -v apt-get >/dev/null 2>&1; then
    echo "Run as root (or install by hand): $*" >&2
    exit 1
  fi
  "$@"
}

missing=()
for package in "${wanted[@]}"; do
  dpkg-query -W -f='${Status}' "$package" 2>/dev/null | grep -q "install ok installed" ||
    missing+=("$package")
done
if [ ${#missing[@]} -gt 0 ]; then
  echo "Installing: ${missing[*]}"
  export DEBIAN_FRONTEND=noninteractive
  as_root apt-get update -qq
  as_root apt-get install -y -qq --no-install-recommends "${missing[@]}"
fi

source_dir="$root/build-windows/freeglut-source"
[ -d "$source_dir" ] && exit 0

# A deb-src entry for the archive and release the machine's own deb entries name.
if ! apt-get source --print-uris freeglut >/dev/null 2>&1; then
  . /etc/os-release
  uri=$(grep -h -E '^(URIs:|deb )' /etc/apt/sources.list.d/*.sources /etc/apt/sources.list 2>/dev/null |
        grep -o -E 'https?://[^ ]*/debian/?' | grep -v security | head -n1 || true)
  cat >/tmp/orvel-deb-src.sources <<SOURCES
Types: deb-src
URIs: ${uri:-http://deb.debian.org/debian}
Suites: $VERSION_CODENAME
Components: main
Signed-By: /usr/share/keyrings/debian-archive-keyring.gpg
SOURCES
  as_root install -m 644 /tmp/orvel-deb-src.sources /etc/apt/sources.list.d/orvel-deb-src.sources
  as_root apt-get update -qq
fi
work=$(mktemp -d)
(cd "$work" && apt-get source -qq freeglut 2>&1 | grep -v -E 'unsandboxed|^dpkg-source: info' || true)
mkdir -p "$root/build-windows"
mv "$work"/freeglut-*/ "$source_dir"
rm -rf "$work"
echo "freeglut source: $(sed -n '1s/ .*//p;1q' "$source_dir/debian/changelog") $(sed -n '1s/.*(\(.*\)).*/\1/p;1q' "$source_dir/debian/changelog")"
