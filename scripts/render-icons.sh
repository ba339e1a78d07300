#!/usr/bin/env bash
# Renders data/orvel.svg into the hicolor PNG sizes that desktops and software centres pick
# from (data/icons/NxN/orvel.png), and into the pixels the game hands the window manager
# (src/platform/window_icon.h), and the Windows icon (data/windows/orvel.ico). The results are
# committed; run this after changing the SVG.
# Needs rsvg-convert (librsvg2-bin), ImageMagick and python3.
set -euo pipefail
cd "$(dirname "$0")/.."
svg=data/orvel.svg
for size in 16 24 32 48 64 128 256; do
  mkdir -p "data/icons/${size}x${size}"
  rsvg-convert -w "$size" -h "$size" "$svg" -o "data/icons/${size}x${size}/orvel.png"
done

# The Windows icon, embedded in orvel.exe by data/windows/orvel.rc.
convert data/icons/{16x16,24x24,32x32,48x48,64x64,256x256}/orvel.png data/windows/orvel.ico

header=src/platform/window_icon.h
{
  echo "// The game's icon as the window manager takes it (_NET_WM_ICON): for each size its width,"
  echo "// its height, then its pixels as 0xAARRGGBB, row by row. Generated from data/orvel.svg by"
  echo "// scripts/render-icons.sh; do not edit."
  echo "#pragma once"
  echo
  echo "#include <cstdint>"
  echo
  echo "// clang-format off"
  echo "inline constexpr uint32_t kWindowIcon[] = {"
  for size in 16 32 48; do
    convert "data/icons/${size}x${size}/orvel.png" -depth 8 rgba:- |
      python3 -c '
import sys
size = int(sys.argv[1])
data = sys.stdin.buffer.read()
words = [size, size] + [(data[i+3] << 24) | (data[i] << 16) | (data[i+1] << 8) | data[i+2]
                        for i in range(0, len(data), 4)]
for start in range(0, len(words), 8):
    print("    " + " ".join("0x%08x," % w for w in words[start:start + 8]))
' "$size"
  done
  echo "};"
  echo "// clang-format on"
} >"$header"
ls -l data/icons/*/orvel.png "$header"
