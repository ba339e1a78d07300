#!/usr/bin/env bash
# A key held on a menu moves the marker once at once and then once per cooldown, not at the
# keyboard's repeat rate: while the game's clock stands still, the keyboard's repeats move
# nothing; each time 200 ms pass for the game, the next repeat moves the marker once.
source "$(dirname "$0")/lib.sh"
start_xvfb
start_game
before=$(seam_count presses)
xdotool keydown s
seam presses-read $((before + 1))
[ "$(menu_marker 4)" = 2 ] || fail "the first press did not move the marker"
seam presses-read $((before + 6))  # five repeats
[ "$(menu_marker 4)" = 2 ] || fail "a repeat moved the marker before the cooldown ran out"
for row in 3 4 1; do
  pass_time 200
  read=$(seam_count presses)
  seam presses-read $((read + 1))
  [ "$(menu_marker 4)" = "$row" ] || fail "the first repeat after the cooldown did not move the marker to $row"
  seam presses-read $((read + 3))
  [ "$(menu_marker 4)" = "$row" ] || fail "more than one repeat moved the marker within a cooldown"
done
xdotool keyup s
kill -TERM "$GAME_PID"
expect_exit 0
echo "PASS"
