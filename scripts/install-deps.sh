#!/usr/bin/env bash
# Installs the Debian packages that ORVEL needs and that are missing.
#   scripts/install-deps.sh run    what building and playing need
#   scripts/install-deps.sh test   that, plus what the tests need (and ccache, which CMake uses
#                                  whenever it is installed)
#   scripts/install-deps.sh check  that, plus GoogleTest and ccache (make check: the unit tests alone)
#   scripts/install-deps.sh load   that, plus stress-ng (the e2e tests on a busy machine)
#   scripts/install-deps.sh bench  that, plus what the benchmarks need
#   scripts/install-deps.sh package  that, plus what building the Debian package needs
# Asks apt-get only for what is missing; where it can't (not root, no apt-get) it prints the
# exact command to run and exits non-zero.
set -euo pipefail

build=(cmake make g++ pkg-config freeglut3-dev libglu1-mesa-dev libgl-dev libx11-dev libxxf86vm-dev
       libxrandr-dev)
tests=(libgtest-dev xvfb xdotool x11-apps imagemagick clang libclang-rt-14-dev
       desktop-file-utils groff-base man-db dpkg-dev file lintian appstream x11-utils
       clang-format clang-tidy xserver-xorg-core xserver-xorg-video-dummy openbox wmctrl
       x11-xserver-utils x11-xkb-utils libxtst-dev
       sway xwayland grim kwin-wayland dbus python3-dbus python3 ccache)
check=(libgtest-dev ccache)
load=(stress-ng)
bench=(libbenchmark-dev xvfb xdotool x11-apps)
package=(dpkg-dev file)

case "${1:-run}" in
  run) wanted=("${build[@]}") ;;
  test) wanted=("${build[@]}" "${tests[@]}") ;;
  check) wanted=("${build[@]}" "${check[@]}") ;;
  load) wanted=("${build[@]}" "${tests[@]}" "${load[@]}") ;;
  bench) wanted=("${build[@]}" "${bench[@]}") ;;
  package) wanted=("${build[@]}" "${package[@]}") ;;
  *) echo "usage: $0 [run|test|check|load|bench|package]" >&2; exit 2 ;;
esac

missing=()
for package in "${wanted[@]}"; do
  if ! dpkg-query -W -f='${Status}' "$package" 2>/dev/null | grep -q "install ok installed"; then
    missing+=("$package")
  fi
done
[ ${#missing[@]} -eq 0 ] && exit 0

command="apt-get install -y --no-install-recommends ${missing[*]}"
if [ "$(id -u)" -ne 0 ] || ! command -v apt-get >/dev/null 2>&1; then
  echo "Missing packages: ${missing[*]}" >&2
  echo "Install them with:  sudo apt-get update && sudo $command" >&2
  exit 1
fi
echo "Installing: ${missing[*]}"
export DEBIAN_FRONTEND=noninteractive
apt-get update -qq
apt-get install -y -qq --no-install-recommends "${missing[@]}"
