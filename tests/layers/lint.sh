#!/usr/bin/env bash
# House style, checked by make test:
#   lint.sh format SOURCE_DIR             every C and C++ file follows .clang-format
#   lint.sh tidy SOURCE_DIR BUILD_DIR     the logic library passes .clang-tidy's checks
set -euo pipefail
what=$1 src=$2
cd "$src"
case "$what" in
  format)
    command -v clang-format >/dev/null || { echo "SKIP: clang-format is missing"; exit 77; }
    mapfile -t files < <(find src tests bench \( -name '*.cpp' -o -name '*.h' -o -name '*.c' \) | sort)
    clang-format --dry-run -Werror "${files[@]}"
    echo "PASS: ${#files[@]} files formatted" ;;
  tidy)
    command -v clang-tidy >/dev/null || { echo "SKIP: clang-tidy is missing"; exit 77; }
    mapfile -t files < <(find src/game src/objects src/scores -name '*.cpp' | sort)
    clang-tidy -p "$3" --quiet "${files[@]}"
    echo "PASS: ${#files[@]} logic files" ;;
  *) echo "usage: $0 format|tidy SOURCE_DIR [BUILD_DIR]" >&2; exit 2 ;;
esac
