#!/usr/bin/env bash
# The desktop entry passes desktop-file-validate and the manual page renders without warnings.
set -euo pipefail
data="$(dirname "$0")/../../data"
command -v desktop-file-validate >/dev/null || { echo "SKIP: desktop-file-utils missing"; exit 77; }
command -v groff >/dev/null || { echo "SKIP: groff missing"; exit 77; }
desktop-file-validate "$data/orvel.desktop"
warnings=$(groff -man -ww -z "$data/orvel.6" 2>&1)
[ -z "$warnings" ] || { echo "FAIL: the manual page has warnings:"; echo "$warnings"; exit 1; }
if command -v man >/dev/null; then
  warnings=$(MANWIDTH=80 man --warnings -l "$data/orvel.6" 2>&1 >/dev/null)
  [ -z "$warnings" ] || { echo "FAIL: man reports:"; echo "$warnings"; exit 1; }
fi
echo "PASS"
