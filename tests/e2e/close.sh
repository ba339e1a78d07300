#!/usr/bin/env bash
# Closing the window through the window manager, Ctrl+C and a terminate signal all save the
# table exactly once and end with status 0, as Exit does, however early the signal comes.
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

# A terminate request during start-up (the table just created, the display not yet open), or
# as soon as the window appears, ends the game at its first frame as cleanly as at any time.
for _ in 1 2 3; do
  rm -f "$SCORES"
  # Emptied first: the line looked for below must be this game's, not the last one's still in
  # the file while a loaded machine has not yet started the new game.
  : >"$OUT"
  XDG_DATA_HOME="$DATA" "$ORVEL_BIN" >"$OUT" 2>"$ERR" &
  GAME_PID=$!
  # Looked for without a pause: the display opens within milliseconds of this line.
  deadline=$((SECONDS + 10))
  until grep -q "^Created new file.$" "$OUT"; do
    [ $SECONDS -lt $deadline ] || fail "the game did not create the table"
  done
  kill -TERM "$GAME_PID"
  expect_exit 0
  check_saved_once "SIGTERM during start-up"

  rm -f "$SCORES"
  launch_game
  kill -TERM "$GAME_PID"
  expect_exit 0
  check_saved_once "SIGTERM as the window appears"
done

# A terminate request in the middle of a game.
rm -f "$SCORES"
start_game
key Return
step
"$XPROBE" wait-cell 10 11 green 5000 || fail "no game started"
kill -TERM "$GAME_PID"
expect_exit 0
check_saved_once "SIGTERM while playing"
echo "PASS"
