#!/usr/bin/env bash
# Several games on one data folder lose none of each other's results, however they end:
# game C only sits on the main menu; game A plays to game over and stays on the high-score
# screen; game B plays to game over and loses its X server (saved, status 3); then A
# gets SIGHUP (saved, status 0) and C a terminate request. Every result is in the file.
source "$(dirname "$0")/lib.sh"
A_ENTRY="Player 1 - 1 - Anaconda"
B_ENTRY="Player 1 - 2 - Python"

# Each game on a display of its own, so that keys and pixels are its alone.
own_display() {
  [ -n "$XVFB_PID" ] && OTHER_PIDS+=("$XVFB_PID")
  start_xvfb
}
keep_running() {  # the game goes on in the background; its output moves to $WORK/$1.out
  OTHER_PIDS+=("$GAME_PID")
  mv "$OUT" "$WORK/$1.out"
  mv "$ERR" "$WORK/$1.err"
  eval "${1}_PID=$GAME_PID"
  GAME_PID=""
}
entries() { grep -c -x -F -e "$A_ENTRY"$'\r' -e "$B_ENTRY"$'\r' "$SCORES" || true; }

own_display
start_game
keep_running C

own_display
start_game ORVEL_SEED=$SEED
choose_difficulty 1
key Return
play_to_game_over
grep -q -x -F "$A_ENTRY"$'\r' "$SCORES" || fail "game A's result is not on disk at its game over"
keep_running A

own_display
start_game ORVEL_SEED=$SEED
key Return  # difficulty 2
play_to_game_over
[ "$(entries)" = 2 ] || fail "game B's save lost game A's result"
B_DISPLAY=$XVFB_PID
XVFB_PID=""
kill "$B_DISPLAY"
expect_exit 3
grep -q "lost the connection to the X display" "$ERR" || fail "no line about the lost display"
[ "$(entries)" = 2 ] || fail "losing the display lost a result"

kill -HUP "$A_PID"
wait_until "game A ends on SIGHUP" '! kill -0 "$A_PID" 2>/dev/null'
status=0; wait "$A_PID" || status=$?
[ "$status" = 0 ] || fail "game A ended with status $status after SIGHUP"
[ "$(entries)" = 2 ] || fail "game A, saving last, lost game B's result"

kill -TERM "$C_PID"
wait_until "game C ends" '! kill -0 "$C_PID" 2>/dev/null'
status=0; wait "$C_PID" || status=$?
[ "$status" = 0 ] || fail "game C ended with status $status"
[ "$(entries)" = 2 ] || fail "game C, which only sat on the menu, wrote back a stale table"
grep -q -x "Saving: $B_ENTRY : 1" "$WORK/C.out" || fail "game C did not save the table as on disk"
echo "PASS"
