#!/usr/bin/env bash
# make test's tests as contributors run them: from a fresh clone inside a private folder
# (mode 700, as mktemp -d and many home folders are), once as root and once as an ordinary
# user in that user's own home folder (a throwaway account when CI runs as root). The packages
# make test installed are reused; each clone builds and runs ctest on its own.
set -euo pipefail
repo=$(cd "$(dirname "$0")/.." && pwd)
jobs=$(nproc 2>/dev/null || echo 2)
tests="cmake --preset test >/dev/null && cmake --build build -j $jobs >/dev/null &&
       ctest --test-dir build --output-on-failure -j $jobs"

private=$(mktemp -d)
trap 'rm -rf "$private"' EXIT
git clone -q "$repo" "$private/orvel"
echo "== make test's tests as $(id -un), in a folder of mode $(stat -c %a "$private")"
(cd "$private/orvel" && bash -c "$tests")

[ "$(id -u)" = 0 ] || exit 0
source "$(dirname "$0")/account.sh"
rm -rf "$CONTRIBUTOR_HOME/orvel"
git clone -q "$repo" "$CONTRIBUTOR_HOME/orvel"
chown -R "$CONTRIBUTOR:" "$CONTRIBUTOR_HOME/orvel"
echo "== make test's tests as $CONTRIBUTOR, in $CONTRIBUTOR_HOME (mode $(stat -c %a "$CONTRIBUTOR_HOME"))"
as_contributor "cd orvel && $tests"
rm -rf "$CONTRIBUTOR_HOME/orvel"
