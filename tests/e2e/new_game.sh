#!/usr/bin/env bash
# New Game shows the walled board and the head-up display; Escape returns to the menu.
source "$(dirname "$0")/lib.sh"
start_xvfb
# Seed 1 puts no berry in column 10, so the snake eats nothing: a burst of yellow particles
# would look like a menu marker to the check below.
start_game ORVEL_SEED=1
key Return
"$XPROBE" wait-cell 1 1 green 5000 || fail "the game screen shows no walls"
screenshot new-game
for i in $(seq 1 20); do
  for cell in "$i 1" "$i 20" "1 $i" "20 $i"; do
    "$XPROBE" wait-cell $cell green 500 2>/dev/null || fail "no wall dot on cell $cell"
  done
done
[ "$("$XPROBE" yellow -4.6 2.4 -4.0 3.0)" -gt 20 ] || fail "no score at the upper left"
[ "$("$XPROBE" yellow 3.8 2.4 4.4 3.0)" -gt 20 ] || fail "no lives at the upper right"
[ "$("$XPROBE" yellow -5.1 -4.1 -3.5 -3.7)" -gt 20 ] || fail "no frame rate at the lower left"
[ "$("$XPROBE" yellow 1.9 -4.1 4.5 -3.7)" -gt 40 ] || fail "no credit line at the lower right"
[ "$(menu_marker 4)" = 0 ] || fail "a menu is still drawn during play"
key Escape
wait_until "Escape returns to the main menu" '[ "$(menu_marker 4)" = 1 ]'
kill -TERM "$GAME_PID"
expect_exit 0
echo "PASS"
