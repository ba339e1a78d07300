#!/usr/bin/env bash
# Steering on any keyboard layout, on Xorg with the dummy driver (Xvfb ignores keymap changes).
# Keys are pressed by keycode, where a US keyboard has them. With a Russian layout, alone or
# as the second group, the places of w, a, s and d work the menus and steer; with AZERTY the
# letter w works where it is printed and the US w place (a z there) does nothing; Caps Lock
# makes the S place a capital, which does nothing; a held S place moves the marker at the
# cooldown's pace.
source "$(dirname "$0")/lib.sh"
command -v setxkbmap >/dev/null 2>&1 || skip "setxkbmap is not installed (make test installs it)"

# The evdev keycodes of the keys where a US keyboard has these.
place() {
  case "$1" in
    w) echo 25 ;; a) echo 38 ;; s) echo 39 ;; d) echo 40 ;;
    Return) echo 36 ;; Escape) echo 9 ;; us_z) echo 52 ;;
    *) fail "no place for $1" ;;
  esac
}
# Every key press of this test, including those of lib.sh's helpers, is a physical key.
key() {
  local codes=() name
  for name in "$@"; do codes+=("$(place "$name")"); done
  press_through ${#codes[@]} "$XKEYS" press "${codes[@]}"
}

on_layout() {  # on_layout SETXKBMAP ARGUMENTS...: a server of its own with that keymap
  [ -n "$XVFB_PID" ] && stop_xvfb
  start_xorg 1280x1024
  setxkbmap "$@" || fail "setxkbmap $* failed"
}

on_layout -layout ru
start_game ORVEL_SEED=$SEED
key s s s Return
expect_exit 0
start_game ORVEL_SEED=$SEED
key Return
play_to_game_over  # steered by the a, s and d places
grep -q -x "Saving: Player 1 - 2 - Python : 1" "$OUT" || fail "the game steered on ru did not end as seeded"
kill -TERM "$GAME_PID"
expect_exit 0

on_layout -layout us,ru
"$XKEYS" group 1
start_game
key s s s Return
expect_exit 0

on_layout -layout fr
start_game
key us_z  # AZERTY's w
[ "$(menu_marker 4)" = 4 ] || fail "the letter w did not move the marker up"
key w  # a z on AZERTY
[ "$(menu_marker 4)" = 4 ] || fail "the US w place, a z on AZERTY, moved the marker"
kill -TERM "$GAME_PID"
expect_exit 0

on_layout -layout ru
"$XKEYS" caps on
start_game
key s
[ "$(menu_marker 4)" = 1 ] || fail "a capital (Caps Lock) moved the marker"
kill -TERM "$GAME_PID"
expect_exit 0

# Held, the S place repeats; while the game's clock stands still its repeats move nothing, and
# once the cooldown's 200 ms have passed the next one moves the marker.
on_layout -layout ru
start_game
before=$(seam_count presses)
"$XKEYS" down "$(place s)"
seam presses-read $((before + 4))  # the press and three repeats
[ "$(menu_marker 4)" = 2 ] || fail "holding the S place did not move the marker just once"
pass_time 200
read=$(seam_count presses)
seam presses-read $((read + 3))
"$XKEYS" up "$(place s)"
[ "$(menu_marker 4)" = 3 ] || fail "the S place held past the cooldown did not move the marker once more"
kill -TERM "$GAME_PID"
expect_exit 0
echo "PASS"
