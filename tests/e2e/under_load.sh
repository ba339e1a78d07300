#!/usr/bin/env bash
# The end-to-end tests on a busy machine, as a contributor's often is: four CPU hogs
# (stress-ng --cpu 4) run while ctest runs every e2e test of an already built tree, side by side
# as make test runs them (those that need the machine to themselves still run alone).
#   tests/e2e/under_load.sh BUILD_DIR
set -euo pipefail
build=${1:?usage: $0 BUILD_DIR}
command -v stress-ng >/dev/null 2>&1 || { echo "stress-ng is missing (scripts/install-deps.sh load)" >&2; exit 1; }
stress-ng --cpu 4 --timeout 3600 >/dev/null 2>&1 &
hogs=$!
trap 'kill "$hogs" 2>/dev/null; wait "$hogs" 2>/dev/null || true' EXIT
echo "== e2e tests with four CPU hogs on $(nproc) cores"
ctest --test-dir "$build" --output-on-failure -j "$(nproc 2>/dev/null || echo 2)" -L e2e
