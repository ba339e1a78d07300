#!/usr/bin/env bash
# A seeded game played to its end by key events alone, on difficulty $DIFFICULTY (1 unless set):
# the ten berries land where the seed predicts, the snake eats the berry above the spawn cell,
# crashes into its own body three times (left, down, right), the high-score screen appears,
# and the new entry is saved at once; a steering key from the last crash pause does not move
# the marker, and Exit saves the table again.
source "$(dirname "$0")/lib.sh"
DIFFICULTY=${DIFFICULTY:-1}
NAMES=("" "1 - Anaconda" "2 - Python" "3 - Viper" "4 - Black Mamba")
ENTRY="Player 1 - ${NAMES[$DIFFICULTY]}"
start_xvfb
start_game ORVEL_SEED=$SEED

choose_difficulty "$DIFFICULTY"
: >"$OUT.mark"
key Return
wait_until "a new game has placed its berries" '[ "$(grep -c "^Placing berry at: " "$OUT")" -ge 10 ]'
diff <(grep "^Placing berry at: " "$OUT" | head -n 10) <("$PREDICT_BERRIES" $SEED) >&2 ||
  fail "the berries are not where seed $SEED puts them"

play_to_game_over
grep -q -x "Berry index infront: 10" "$OUT" || fail "no \"Berry index infront: 10\" line"
screenshot game-over-high-scores
grep -q -x "Saving: $ENTRY : 1" "$OUT" || fail "the new entry was not saved at game over"
kill -0 "$GAME_PID" || fail "the game ended at game over"

key Return w Return  # Back, then Exit
expect_exit 0
[ "$(count_lines "Saving: $ENTRY : 1")" = 2 ] || fail "the entry was not saved at game over and Exit"
expected="$ENTRY"$'\r\n1\r\n'
head -c ${#expected} "$SCORES" | cmp -s - <(printf '%s' "$expected") ||
  fail "row 1 of the saved file is not the new entry"
echo "PASS"
