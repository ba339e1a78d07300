#!/usr/bin/env bash
# make test-windows: plays the Windows zip under Wine on a private Xvfb display, driven by key
# events as the Linux end-to-end tests are: the window appears, a new game runs a few steps,
# Escape, the high scores are Reset while another program holds the table for a second
# (waited out), Reset again while it holds it for six (a failed save, said on standard error,
# the game goes on), and Exit ends the game with status 0, "Saving: " lines on standard output
# and the 80-byte CR LF table in %APPDATA%\ORVEL in the Wine prefix; the game's recording then
# plays back by itself with "orvel.exe --replay last" and matches; last, a game ended by Ctrl+C
# while another game holds the lock for a moment waits for it and saves. (Windows ends standard
# output's lines with CR LF too, so lines are compared without the CR.)
#   play_under_wine.sh ZIP
source "$(dirname "$0")/wine_lib.sh"
x86_64-w64-mingw32-gcc -O2 -o "$work/hold_table.exe" "$(dirname "$0")/hold_table.c" ||
  fail "cannot build the table holder"

# Another program holds the table (with "lock": its lock) for MILLISECONDS; waits until it has it.
hold_table() {
  : >"$work/held"
  (cd "$work" && exec wine "$work/hold_table.exe" "$@" >"$work/held" 2>&1) &
  wait_until "the other program holds the table" 'grep -q held "$work/held"' 30
}

(cd "$work" && exec wine "$exe" >"$work/out" 2>"$work/err") &
game=$!
wait_until "the game window appears" 'xdotool search --name "^ORVEL$" >/dev/null 2>&1' 60
wait_until "the table is loaded" 'grep -q "^Loading: " "$work/out"' 30
sleep 2  # the first frames under Wine and llvmpipe
key() { xdotool key --delay 150 "$@"; sleep 0.5; }

key Return  # New Game
wait_until "a new game places its berries" '[ "$(grep -c "^Placing berry at: " "$work/out")" -ge 10 ]' 20
sleep 1.5   # a few steps
key Escape
hold_table 1000
key s Return  # High Scores
key s Return  # Reset, once the other program lets go
wait_until "Reset reports" 'tr -d "\r" <"$work/out" | grep -q -x "Cleared File."' 20
grep -q "cannot save" "$work/err" && fail "a table held for a second was not waited out"
hold_table 6000
key Return  # Reset again: the table stays held too long
wait_until "the failed save is said" 'grep -q "cannot save the high-score table to" "$work/err"' 20
kill -0 "$game" 2>/dev/null || fail "the game ended when the table was held"
[ "$(tr -d '\r' <"$work/out" | grep -c -x "Cleared File.")" = 1 ] || fail "a failed Reset said Cleared File."
wait_until "the other program lets go" '! pgrep -f hold_table.exe >/dev/null' 20
key w Return  # Back
key s s s Return  # Exit
status=0
wait_until "the game ends" '! kill -0 "$game" 2>/dev/null' 30
wait "$game" || status=$?
game=""
[ "$status" = 0 ] || fail "exit status $status, not 0"
saves=$(tr -d '\r' <"$work/out" | grep -c -x "Saving: AAA : 0" || true)
[ "$saves" = 20 ] || fail "$saves \"Saving: \" lines, not 20 (Reset and Exit)"
table=$(find "$work/prefix/drive_c/users" -path '*/AppData/Roaming/ORVEL/highScores.txt' | head -n1)
[ -n "$table" ] || fail "no table in %APPDATA%\\ORVEL"
cmp -s "$table" <(for _ in $(seq 10); do printf 'AAA\r\n0\r\n'; done) ||
  fail "the table is not ten CR LF filler rows: $(od -c "$table" | head -n 3)"
[ "$(stat -c %s "$table")" = 80 ] || fail "the table is not 80 bytes"

# The game it played was recorded; it plays back by itself and matches.
recording=$(find "$work/prefix/drive_c/users" -path '*/AppData/Roaming/ORVEL/replays/*.orvel-replay' | head -n1)
[ -n "$recording" ] || fail "no recording in %APPDATA%\\ORVEL\\replays"
(cd "$work" && exec wine "$exe" --replay last >"$work/out" 2>"$work/err") &
game=$!
wait_until "the replay plays and ends by itself" '! kill -0 "$game" 2>/dev/null' 90
status=0
wait "$game" || status=$?
game=""
[ "$status" = 0 ] || fail "the replay ended with status $status"
tr -d '\r' <"$work/out" | grep -q "^replay .* matches: score [0-9]* in [0-9]* steps$" ||
  fail "the replay did not say it matched"

# Ctrl+C (Wine hands the game SIGINT as Windows' console does) while another game holds the
# table's lock for a moment: the last save waits for it rather than give up at once.
(cd "$work" && exec wine "$exe" >"$work/out" 2>"$work/err") &
game=$!
wait_until "the table is loaded again" 'grep -q "^Loading: " "$work/out"' 60
hold_table 1500 lock
kill -INT "$game"
wait_until "the game ends on Ctrl+C" '! kill -0 "$game" 2>/dev/null' 30
status=0
wait "$game" || status=$?
game=""
[ "$status" = 0 ] || fail "Ctrl+C with the lock held for a moment: exit status $status, not 0"
[ "$(tr -d '\r' <"$work/out" | grep -c -x "Saving: AAA : 0")" = 10 ] || fail "Ctrl+C did not save"
echo "PASS: orvel.exe under $(wine --version) played, reset, saved on Ctrl+C and saved $table"
