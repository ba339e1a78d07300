#!/usr/bin/env bash
# A player's configuration (make run, make install, make package) never looks for the test
# and benchmark libraries: with GoogleTest and Google Benchmark hidden it still configures.
set -euo pipefail
work=$(mktemp -d "${TMPDIR:-/tmp}/orvel-config.XXXXXX")
trap 'rm -rf "$work"' EXIT
if ! cmake -S "$(dirname "$0")/../.." -B "$work" -DCMAKE_DISABLE_FIND_PACKAGE_GTest=ON \
     -DCMAKE_DISABLE_FIND_PACKAGE_benchmark=ON >"$work.log" 2>&1; then
  cat "$work.log"; rm -f "$work.log"
  echo "FAIL: the default configuration needs a test or benchmark library"; exit 1
fi
rm -f "$work.log"
grep -q '^ORVEL_TESTS:BOOL=OFF' "$work/CMakeCache.txt" || { echo "FAIL: tests are on by default"; exit 1; }
echo "PASS"
