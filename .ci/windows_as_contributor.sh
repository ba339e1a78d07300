#!/usr/bin/env bash
# The Windows check that needs an ordinary user (a C:\ that takes no new files), run as the
# throwaway account when CI runs as root. Expects make windows to have built the zip.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
zip=$(ls "$root"/orvel-*-win64.zip)
if [ "$(id -u)" != 0 ]; then
  exec bash "$root/tests/windows/legacy_table_under_wine.sh" "$zip"
fi
source "$(dirname "$0")/account.sh"
shared=$(mktemp -d)
trap 'rm -rf "$shared"' EXIT
cp "$zip" "$root/tests/windows/legacy_table_under_wine.sh" "$root/tests/windows/wine_lib.sh" "$shared/"
chmod 755 "$shared"
chmod 644 "$shared"/*
echo "== the Windows zip under Wine as $CONTRIBUTOR: a C:\\ that takes no new files"
as_contributor "bash $shared/legacy_table_under_wine.sh $shared/$(basename "$zip")"
