#!/usr/bin/env bash
# House style, checked by make test:
#   lint.sh format SOURCE_DIR             every C and C++ file follows .clang-format
#   lint.sh tidy SOURCE_DIR BUILD_DIR     every library passes .clang-tidy's checks
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
    # Every library, as this platform builds it (the Windows files are checked by their build).
    mapfile -t files < <(find src -name "*.cpp" ! -name "*_win32.cpp" ! -name "*_none.cpp" | sort)
    clang-tidy -p "$3" --quiet "${files[@]}"
    echo "PASS: ${#files[@]} files" ;;
  *) echo "usage: $0 format|tidy SOURCE_DIR [BUILD_DIR]" >&2; exit 2 ;;
esac
