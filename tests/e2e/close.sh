#!/usr/bin/env bash
# Closing the window through the window manager, Ctrl+C and a terminate signal all save the
# table exactly once and end with status 0, as Exit does.
source "$(dirname "$0")/lib.sh"
start_xvfb
check_saved_once() {
  [ "$(count_lines "Saving: AAA : 0")" = 10 ] || fail "$1 did not save the table exactly once"
  cmp -s "$SCORES" <(filler_table) || fail "$1 left no saved table"
}
start_game
"$XPROBE" close ORVEL || fail "could not send the close message"
expect_exit 0
check_saved_once "closing the window"

for signal in TERM INT; do
  rm -f "$SCORES"
  start_game
  kill -"$signal" "$GAME_PID"
  expect_exit 0
  check_saved_once "SIG$signal"
done

# A terminate request in the middle of a game.
rm -f "$SCORES"
start_game
key Return
"$XPROBE" wait-cell 10 11 green 3000 || fail "no game started"
kill -TERM "$GAME_PID"
expect_exit 0
check_saved_once "SIGTERM while playing"
echo "PASS"
