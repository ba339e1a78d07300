#!/usr/bin/env bash
# The logic layer (src/game, src/objects, src/scores) stays free of drawing, the operating
# system and the shell: none of its files includes a GL, GLU, GLUT, X11 or Windows header, or
# one of render/, platform/ or app/.
#   check_includes.sh SRC_FOLDER
set -euo pipefail
src=$1
found=$(grep -n -E '^[[:space:]]*#[[:space:]]*include[[:space:]]*[<"]((GL|GLUT|X11|OpenGL)/|windows\.h|(render|platform|app)/)' \
  "$src"/game/* "$src"/objects/* "$src"/scores/* || true)
if [ -n "$found" ]; then
  echo "FAIL: logic files include drawing, platform or shell headers:"
  echo "$found"
  exit 1
fi
echo "PASS: $(ls "$src"/game/* "$src"/objects/* "$src"/scores/* | wc -l) logic files include none"
