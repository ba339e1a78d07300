#!/usr/bin/env bash
# Enter on "Difficulty" changes the difficulty line ("2 - Python" to "3 - Viper"), and four
# presses bring it back.
source "$(dirname "$0")/lib.sh"
start_xvfb
start_game
key s s Return
[ "$(menu_marker 4)" = 1 ] || fail "the settings screen does not show"
key s s
[ "$(menu_marker 4)" = 3 ] || fail "the marker does not stand on Difficulty"
line() { "$XPROBE" right-edge 0.9 1.15 5.1 1.45; }
screenshot settings-python
python=$(line)
key Return
screenshot settings-viper
viper=$(line)
echo "right end of the difficulty line: 2 - Python $python, 3 - Viper $viper"
# "Difficulty: 3 - Viper" is shorter than "Difficulty: 2 - Python".
awk -v p="$python" -v v="$viper" 'BEGIN { exit !(p > v + 0.1 && v > 1.5) }' ||
  fail "the difficulty line did not change to the shorter \"3 - Viper\""
key Return Return Return
[ "$(line)" = "$python" ] || fail "four presses did not bring back \"2 - Python\""
kill -TERM "$GAME_PID"
expect_exit 0
echo "PASS"
