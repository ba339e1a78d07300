#!/usr/bin/env bash
# The Windows check that needs an ordinary user (a C:\ that takes no new files), run as the
# throwaway account when CI runs as root. Expects make windows to have built the zip.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
zip=$(ls "$root"/orvel-*-win64.zip)
if [ "$(id -u)" != 0 ]; then
  [ -n "${WINE_PREFIX_SPARE:-}" ] && [ -d "$WINE_PREFIX_SPARE" ] && export WINE_PREFIX_GIVEN=$WINE_PREFIX_SPARE
  unset WINE_PREFIX_SPARE
  exec bash "$root/tests/windows/legacy_table_under_wine.sh" "$zip"
fi
source "$(dirname "$0")/account.sh"
shared=$(mktemp -d)
trap 'rm -rf "$shared"' EXIT
cp "$zip" "$root/tests/windows/legacy_table_under_wine.sh" "$root/tests/windows/wine_lib.sh" "$shared/"
chmod 755 "$shared"
chmod 644 "$shared"/*
# The fresh Wine prefix make test-windows left (WINE_PREFIX_SPARE), handed over to the account.
given=""
if [ -n "${WINE_PREFIX_SPARE:-}" ] && [ -d "$WINE_PREFIX_SPARE" ]; then
  mkdir "$shared/wine"
  mv "$WINE_PREFIX_SPARE" "$shared/wine/prefix"
  chown -R "$CONTRIBUTOR:" "$shared/wine"
  given="WINE_PREFIX_GIVEN=$shared/wine/prefix"
fi
echo "== the Windows zip under Wine as $CONTRIBUTOR: a C:\\ that takes no new files"
as_contributor "$given bash $shared/legacy_table_under_wine.sh $shared/$(basename "$zip")"
