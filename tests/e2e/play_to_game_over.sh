#!/usr/bin/env bash
# A seeded game played to its end by key events alone, on difficulty $DIFFICULTY (1 unless set):
# the ten berries land where the seed predicts, the snake eats the berry above the spawn cell,
# crashes into its own body three times (left, down, right), the high-score screen appears,
# and Exit saves the table with the new entry.
source "$(dirname "$0")/lib.sh"
# Seed 7 puts berry 10 right above the spawn cell and no berry on the cells the snake turns on.
SEED=7
DIFFICULTY=${DIFFICULTY:-1}
NAMES=("" "1 - Anaconda" "2 - Python" "3 - Viper" "4 - Black Mamba")
ENTRY="Player 1 - ${NAMES[$DIFFICULTY]}"
start_xvfb
start_game ORVEL_SEED=$SEED

# Settings, row 3 "Difficulty", Enter until it shows the difficulty wanted; back to the menu.
key s s Return
wait_until "the settings screen shows" '[ "$(menu_marker 4)" = 1 ]'
key s s
for _ in $(seq $(((DIFFICULTY + 2) % 4))); do key Return; done
key w w Return
wait_until "the main menu is back" '[ "$(menu_marker 4)" = 1 ]'
: >"$OUT.mark"
key Return
wait_until "a new game has placed its berries" '[ "$(grep -c "^Placing berry at: " "$OUT")" -ge 10 ]'
diff <(grep "^Placing berry at: " "$OUT" | head -n 10) <("$PREDICT_BERRIES" $SEED) >&2 ||
  fail "the berries are not where seed $SEED puts them"

# One life: from the head moving up column 10, turn left, down, then right into the body.
lose_a_life() {
  local row
  key a
  row=$("$XPROBE" first-green 9 11 17 3000) || fail "the snake did not turn left"
  key s
  "$XPROBE" wait-cell 9 $((row - 1)) green 3000 || fail "the snake did not turn down"
  key d
}

# Life 1: the first step eats berry 10 on (10, 11) and bursts there.
wait_until "the snake eats the berry above the spawn cell" \
  'grep -q -x "creating an emitter at: 10,11" "$OUT"' 5
(sleep 0.05; screenshot game-with-burst) &
grep -q -x "Berry index infront: 10" "$OUT" || fail "no \"Berry index infront: 10\" line"
lose_a_life
for life in 2 3; do
  # After the one-second pause the new snake stands on the spawn cell, then steps up.
  "$XPROBE" wait-cell 9 11 dark 5000 || fail "no new snake after a lost life"
  "$XPROBE" wait-cell 10 11 green 3000 || fail "the new snake did not step up"
  lose_a_life
done
wait_until "the high-score screen shows" '[ "$(menu_marker 2)" = 1 ] && [ "$("$XPROBE" yellow -3.2 2.9 2.5 3.6)" -gt 200 ]' 10
screenshot game-over-high-scores
kill -0 "$GAME_PID" || fail "the game ended at game over"

key Return w Return  # Back, then Exit
expect_exit 0
grep -q -x "Saving: $ENTRY : 1" "$OUT" || fail "the new entry was not saved"
expected="$ENTRY"$'\r\n1\r\n'
head -c ${#expected} "$SCORES" | cmp -s - <(printf '%s' "$expected") ||
  fail "row 1 of the saved file is not the new entry"
echo "PASS"
