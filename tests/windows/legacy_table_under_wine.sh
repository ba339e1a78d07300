#!/usr/bin/env bash
# A standard user's C:\ under Wine: C:\highScores.txt can be read and written, but no new file
# can be made beside it (no lock, no save's temporary file). The game keeps its table in
# %APPDATA%\ORVEL instead, says so once, carries the old rows over, and Exit saves them there.
# Root writes anywhere, so this runs as an ordinary user.
#   legacy_table_under_wine.sh ZIP
set -euo pipefail
[ "$(id -u)" != 0 ] || { echo "SKIP: root may create files in any folder; run as an ordinary user"; exit 77; }
source "$(dirname "$0")/wine_lib.sh"
wineserver -w

# Two rows: a short table's last row read is padded away at load, as in any table.
printf 'Kept\r\n42\r\nPadded\r\n1\r\n' >"$work/prefix/drive_c/highScores.txt"
chmod 555 "$work/prefix/drive_c"
(cd "$work" && exec wine "$exe" >"$work/out" 2>"$work/err") &
game=$!
wait_until "the game window appears" 'xdotool search --name "^ORVEL$" >/dev/null 2>&1' 60
wait_until "the table is loaded" 'tr -d "\r" <"$work/out" | grep -q -x "Loading: Kept : 42"' 30
[ "$(grep -c "can't be saved in place" "$work/err")" = 1 ] || fail "the move to %APPDATA% was not said once"
sleep 2
xdotool key --delay 150 w Return  # Exit
wait_until "the game ends" '! kill -0 "$game" 2>/dev/null' 30
status=0
wait "$game" || status=$?
game=""
[ "$status" = 0 ] || fail "exit status $status, not 0"
table=$(find "$work/prefix/drive_c/users" -path '*/AppData/Roaming/ORVEL/highScores.txt' | head -n1)
[ -n "$table" ] || fail "no table in %APPDATA%\\ORVEL"
head -c 10 "$table" | cmp -s - <(printf 'Kept\r\n42\r\n') || fail "the old rows were not carried over: $(od -c "$table" | head -n 3)"
echo "PASS: C:\\highScores.txt moved to $table"
