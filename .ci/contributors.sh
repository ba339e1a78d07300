#!/usr/bin/env bash
# The tests whose result depends on who runs them (ctest label user: the storage and permission
# tests, the e2e tests that switch users or start Xorg or a compositor, the package) as an
# ordinary user, from a fresh clone in that user's own home folder (mode 700), when CI runs as
# root: a throwaway account. Run as anyone else, make test has already run them as that user.
# Only what those tests need is built.
set -euo pipefail
repo=$(cd "$(dirname "$0")/.." && pwd)
if [ "$(id -u)" != 0 ]; then
  echo "== the tests labelled user already ran as $(id -un) in make test"
  exit 0
fi
jobs=$(nproc 2>/dev/null || echo 2)
source "$(dirname "$0")/account.sh"
rm -rf "$CONTRIBUTOR_HOME/orvel"
git clone -q "$repo" "$CONTRIBUTOR_HOME/orvel"
chown -R "$CONTRIBUTOR:" "$CONTRIBUTOR_HOME/orvel"
trap 'rm -rf "$CONTRIBUTOR_HOME/orvel"' EXIT
echo "== the tests labelled user as $CONTRIBUTOR, in $CONTRIBUTOR_HOME (mode $(stat -c %a "$CONTRIBUTOR_HOME"))"
as_contributor "cd orvel && cmake --preset test >/dev/null &&
  cmake --build build -j $jobs --target user_tests >/dev/null &&
  ctest --test-dir build --output-on-failure -j $jobs -L user"
