#!/usr/bin/env bash
# The desktop entry and the software-centre entry validate, and the manual page renders
# without warnings.
set -euo pipefail
data="$(dirname "$0")/../../data"
for tool in desktop-file-validate groff appstreamcli; do
  command -v "$tool" >/dev/null || { echo "SKIP: $tool is missing (make test installs it)"; exit 77; }
done
desktop-file-validate "$data/io.github.orvelgame.orvel.desktop"
appstreamcli validate --no-net --pedantic "$data/io.github.orvelgame.orvel.metainfo.xml"
warnings=$(groff -man -ww -z "$data/orvel.6" 2>&1)
[ -z "$warnings" ] || { echo "FAIL: the manual page has warnings:"; echo "$warnings"; exit 1; }
if command -v man >/dev/null; then
  warnings=$(MANWIDTH=80 man --warnings -l "$data/orvel.6" 2>&1 >/dev/null)
  [ -z "$warnings" ] || { echo "FAIL: man reports:"; echo "$warnings"; exit 1; }
fi
echo "PASS"
