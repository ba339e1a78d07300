#!/usr/bin/env bash
# On a portrait screen and on a wide one the whole board and the score and lives stay in view;
# --windowed plays in a 1280 x 1024 window instead of filling a larger screen.
source "$(dirname "$0")/lib.sh"

for size in 768x1024 1920x1080; do
  start_xvfb "$size"
  rm -f "$SCORES"
  start_game
  key Return
  step
  "$XPROBE" wait-cell 10 11 green 5000 || fail "no game started on $size"
  for corner in "1 1" "1 20" "20 1" "20 20"; do
    "$XPROBE" wait-cell $corner green 1000 || fail "board corner $corner is not on a $size screen"
  done
  [ "$("$XPROBE" yellow -4.6 2.4 -3.8 3.3)" -gt 20 ] || fail "no score on a $size screen"
  [ "$("$XPROBE" yellow 3.8 2.4 4.6 3.3)" -gt 20 ] || fail "no lives on a $size screen"
  screenshot "screen-$size"
  kill -TERM "$GAME_PID"
  expect_exit 0
  stop_xvfb
done

start_xvfb 1920x1080
XDG_DATA_HOME="$DATA" "$ORVEL_BIN" --windowed >"$OUT" 2>"$ERR" &
GAME_PID=$!
wait_until "the --windowed window appears" 'xwininfo -name ORVEL >/dev/null 2>&1'
geometry=$(xwininfo -name ORVEL | awk '/Width:/ { w = $2 } /Height:/ { h = $2 } END { print w "x" h }')
[ "$geometry" = 1280x1024 ] || fail "the --windowed window is $geometry, not 1280x1024"
kill -TERM "$GAME_PID"
expect_exit 0
echo "PASS"
