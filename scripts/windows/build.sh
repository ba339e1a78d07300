#!/usr/bin/env bash
# make windows: cross-builds orvel.exe with MinGW-w64, freeglut linked in statically from
# Debian's freeglut source, and packs orvel-<version>-win64.zip in this folder with the
# README, the licence and the icon. Everything lands in build-windows/.
set -euo pipefail
root=$(cd "$(dirname "$0")/../.." && pwd)
out="$root/build-windows"
toolchain="$root/cmake/mingw-w64.cmake"
jobs=$(nproc 2>/dev/null || echo 2)
"$root/scripts/windows/install-deps.sh" build

# freeglut, once: a static library for the target (through ccache when it is installed, as
# the game's own build is, so a fresh clone builds it from the cache).
freeglut="$out/freeglut"
if [ ! -f "$freeglut/lib/libfreeglut_static.a" ]; then
  launcher=()
  command -v ccache >/dev/null 2>&1 &&
    launcher=(-DCMAKE_C_COMPILER_LAUNCHER="cmake;-E;env;CCACHE_BASEDIR=$root;ccache")
  cmake -S "$out/freeglut-source" -B "$out/freeglut-build" -DCMAKE_TOOLCHAIN_FILE="$toolchain" \
    "${launcher[@]}" \
    -DCMAKE_BUILD_TYPE=Release -DFREEGLUT_BUILD_SHARED_LIBS=OFF -DFREEGLUT_BUILD_STATIC_LIBS=ON \
    -DFREEGLUT_BUILD_DEMOS=OFF -DCMAKE_INSTALL_PREFIX="$freeglut" >/dev/null
  cmake --build "$out/freeglut-build" -j "$jobs" >/dev/null
  cmake --install "$out/freeglut-build" >/dev/null
fi

# The game, with the same warnings as errors as the Linux build.
cmake -S "$root" -B "$out/orvel" -DCMAKE_TOOLCHAIN_FILE="$toolchain" -DCMAKE_BUILD_TYPE=Release \
  -DORVEL_WERROR=ON -DORVEL_TESTS=OFF -DGLUT_INCLUDE_DIR="$freeglut/include" \
  -DGLUT_glut_LIBRARY_RELEASE="$freeglut/lib/libfreeglut_static.a" >/dev/null
cmake --build "$out/orvel" -j "$jobs" --target orvel
exe="$out/orvel/orvel.exe"
x86_64-w64-mingw32-strip "$exe"

# Nothing but Windows' own DLLs may be needed.
system_dlls='^(ADVAPI32|GDI32|GLU32|KERNEL32|msvcrt|OPENGL32|USER32|WINMM|SHELL32|ole32)\.dll$'
needed=$(x86_64-w64-mingw32-objdump -p "$exe" | sed -n 's/^\s*DLL Name: //p')
unexpected=$(grep -v -i -E "$system_dlls" <<<"$needed" || true)
if [ -n "$unexpected" ]; then
  echo "orvel.exe needs DLLs that Windows does not have: $unexpected" >&2
  exit 1
fi

version=$(sed -n 's/^project(orvel VERSION \([0-9.]*\).*/\1/p' "$root/CMakeLists.txt")
name="orvel-$version-win64"
stage="$out/$name"
rm -rf "$stage" && mkdir -p "$stage"
cp "$exe" "$stage/orvel.exe"
sed 's/$/\r/' "$root/data/windows/README.txt" >"$stage/README.txt"
sed 's/$/\r/' "$root/LICENSE" >"$stage/LICENSE.txt"
cp "$root/data/windows/orvel.ico" "$stage/orvel.ico"
rm -f "$root/$name.zip"
(cd "$out" && cmake -E tar cf "$root/$name.zip" --format=zip "$name")
echo "$root/$name.zip: $(cd "$out" && ls "$name" | tr '\n' ' ')"
