#!/usr/bin/env bash
# On a portrait screen and on a wide one the whole board and the score and lives stay in view,
# and the background fills a wide one through its swing;
# --windowed plays in a 1280 x 1024 window instead of filling a larger screen, and in one that
# fits a smaller desktop's work area.
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

# The swinging background fills a 16:9 screen as it fills a 5:4 one: at every moment of a whole
# swing (about 3.14 s of the game's clock) the left and right 15% of the screen show its lines in
# a quarter of their rows or more (a third at the far ends of the swing, all of them halfway).
# Laid out for 5:4 alone, it left those strips bare for most of the swing.
start_xvfb 1920x1080
start_game
for time in $(seq 262 262 3144); do
  pass_time 262
  for strip in "0 0.15" "0.85 1"; do
    rows=$("$XPROBE" line-rows $strip)
    [ "$rows" -ge 25 ] || fail "at $time ms the background shows in $rows% of the rows of the strip $strip"
  done
done
screenshot background-1920x1080
kill -TERM "$GAME_PID"
expect_exit 0
stop_xvfb

start_xvfb 1920x1080
launch_game -- --windowed
geometry=$(xwininfo -name ORVEL | awk '/Width:/ { w = $2 } /Height:/ { h = $2 } END { print w "x" h }')
[ "$geometry" = 1280x1024 ] || fail "the --windowed window is $geometry, not 1280x1024"
kill -TERM "$GAME_PID"
expect_exit 0
stop_xvfb

# On a 1366x768 desktop, with a window manager's frame around it, the --windowed window fits the
# work area, and the keys reach it once the window manager has given it the focus.
if command -v openbox >/dev/null 2>&1; then
  start_xvfb 1366x768
  openbox >"$WORK/openbox.log" 2>&1 &
  OTHER_PIDS+=($!)
  wait_until "openbox manages the screen" 'xprop -root _NET_SUPPORTING_WM_CHECK 2>/dev/null | grep -q "window id"'
  launch_game -- --windowed
  wait_until "openbox has framed the window" 'xprop -name ORVEL _NET_FRAME_EXTENTS | grep -q "="'
  read -r left right top bottom < <(xprop -name ORVEL _NET_FRAME_EXTENTS | tr -d ',' | awk '{ print $3, $4, $5, $6 }')
  read -r areaX areaY areaW areaH < <(xprop -root _NET_WORKAREA | tr -d ',' | awk '{ print $3, $4, $5, $6 }')
  read -r x y w h < <(xwininfo -name ORVEL | awk '/Absolute upper-left X/ { x = $NF } /Absolute upper-left Y/ { y = $NF }
    /Width:/ { w = $2 } /Height:/ { h = $2 } END { print x, y, w, h }')
  echo "--windowed on 1366x768: ${w}x${h} at $x,$y, frame $left $right $top $bottom"
  [ $((x - left)) -ge "$areaX" ] && [ $((y - top)) -ge "$areaY" ] &&
    [ $((x + w + right)) -le $((areaX + areaW)) ] && [ $((y + h + bottom)) -le $((areaY + areaH)) ] ||
    fail "the --windowed window and its frame reach past the work area ${areaW}x${areaH}+$areaX+$areaY"
  [ "$w" = 1280 ] || fail "the --windowed window is $w wide where 1280 fits"
  key w Return  # Exit
  expect_exit 0
else
  echo "openbox is not installed: the --windowed check on a small desktop is skipped"
fi
echo "PASS"
