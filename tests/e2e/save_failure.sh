#!/usr/bin/env bash
# A table that can't be saved during play does not end the session: at game over the player is
# told in one line which file and why, and the game goes on with the result in memory. Exit,
# whose save still fails, says so again and ends with status 1; the file is left as it was.
source "$(dirname "$0")/lib.sh"
start_xvfb
become_player
start_game ORVEL_SEED=$SEED
cp "$SCORES" "$WORK/before"
chmod 555 "$(dirname "$SCORES")"  # read-only: no new table can be written beside the old one

key Return
play_to_game_over
wait_until "the failed save is reported" \
  'grep -q "^orvel: cannot save the high-score table to .*highScores.txt: " "$ERR"'
kill -0 "$GAME_PID" || fail "the game ended when the save failed"
[ "$(grep -c "high-score table" "$ERR")" = 1 ] || fail "the failure took more than one line"
! grep -q "^Saving: " "$OUT" || fail "a failed save printed its Saving: lines"

key Return w Return  # Back, then Exit
expect_exit 1
[ "$(grep -c "cannot save the high-score table" "$ERR")" = 2 ] || fail "Exit did not report its failed save"
cmp -s "$SCORES" "$WORK/before" || fail "the table was changed"
echo "PASS"
