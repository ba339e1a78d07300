#!/usr/bin/env bash
# The layers, as the includes show them. Each rule: a folder, and the includes its files may
# not have.
#   logic (game/, scores/)  no GL, GLU, GLUT, X11 or Windows header; nothing of render/,
#                           platform/ or app/; and scores/ (the lower) nothing of game/
#   render/                 nothing of platform/ or app/
#   platform/               nothing of game/, scores/, render/ or app/
#   check_includes.sh SRC_FOLDER
set -euo pipefail
src=$1
include='^[[:space:]]*#[[:space:]]*include[[:space:]]*[<"]'
failed=0
forbid() {  # forbid FOLDER PATTERN WHAT
  local found
  found=$(grep -n -E "$include($2)" "$src/$1"/* || true)
  if [ -n "$found" ]; then
    echo "FAIL: $1/ includes $3:"
    echo "$found"
    failed=1
  fi
}
system='(GL|GLUT|X11|OpenGL)/|windows\.h'
forbid game "$system|(render|platform|app)/" "drawing, platform or shell headers"
forbid scores "$system|(game|render|platform|app)/" "headers from above it"
forbid render '(platform|app)/' "platform or shell headers"
forbid platform '(game|scores|render|app)/' "game, drawing or shell headers"
[ "$failed" = 0 ] || exit 1
echo "PASS: $(ls "$src"/game/* "$src"/scores/* "$src"/render/* "$src"/platform/* | wc -l) files keep to their layers"
