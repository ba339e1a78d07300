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
  "$XKEYS" press "${codes[@]}"
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
"$XKEYS" press "$(place us_z)"  # AZERTY's w
wait_until "the letter w moves the marker up" '[ "$(menu_marker 4)" = 4 ]' 2
key w  # a z on AZERTY
sleep 0.5
[ "$(menu_marker 4)" = 4 ] || fail "the US w place, a z on AZERTY, moved the marker"
kill -TERM "$GAME_PID"
expect_exit 0

on_layout -layout ru
"$XKEYS" caps on
start_game
key s
sleep 0.5
[ "$(menu_marker 4)" = 1 ] || fail "a capital (Caps Lock) moved the marker"
kill -TERM "$GAME_PID"
expect_exit 0

on_layout -layout ru
start_game
rows=""
"$XKEYS" hold "$(place s)" 1000 &
holder=$!
start=$(date +%s%N)
while [ $(( ($(date +%s%N) - start) / 1000000 )) -lt 1000 ]; do
  rows+="$(menu_marker 4)"
done
wait "$holder"
moves=$(($(echo "$rows" | fold -w1 | uniq | wc -l) - 1))
[ "$moves" -ge 2 ] && [ "$moves" -le 6 ] ||
  fail "holding the S place for a second moved the marker $moves times (rows seen: $rows)"
kill -TERM "$GAME_PID"
expect_exit 0
echo "PASS"
