#!/usr/bin/env bash
# Game over decides on the table as it stands on disk, not on the game's own copy: game A
# loads a table of ten 50s, game B resets it, and A's score of 1 then enters the table.
source "$(dirname "$0")/lib.sh"
mkdir -p "$(dirname "$SCORES")"
for _ in $(seq 10); do printf 'Old\r\n50\r\n'; done >"$SCORES"

# Game B, on a display of its own, waits on its main menu.
start_xvfb
start_game
B_DISPLAY=$DISPLAY B_SEAM=$SEAM
OTHER_PIDS+=("$GAME_PID" "$XVFB_PID")
mv "$OUT" "$WORK/B.out"
GAME_PID="" XVFB_PID=""

# Game A loads the table of 50s.
start_xvfb
start_game ORVEL_SEED=$SEED

# B opens High Scores and presses Reset.
(
  export DISPLAY=$B_DISPLAY
  SEAM=$B_SEAM
  key s Return
  [ "$(menu_marker 2)" = 1 ] || fail "B's high-score screen does not show"
  key s Return
) || fail "game B could not reach Reset"
wait_until "B's Reset is on disk" 'cmp -s "$SCORES" <(filler_table)'

# A scores 1 and loses its three lives.
key Return
play_to_game_over
expected="Player 1 - 2 - Python"$'\r\n1\r\n'
head -c ${#expected} "$SCORES" | cmp -s - <(printf '%s' "$expected") ||
  fail "A's result did not enter the table B had reset: $(head -c 80 "$SCORES" | od -c | head -n 3)"
key Return w Return  # Back, then Exit
expect_exit 0
head -c ${#expected} "$SCORES" | cmp -s - <(printf '%s' "$expected") || fail "A's Exit lost its result"
echo "PASS"
