#!/usr/bin/env bash
# On the main menu "w" wraps the marker from "New Game" to "Exit", and Enter there saves the
# table and ends the game with status 0.
source "$(dirname "$0")/lib.sh"
start_xvfb
start_game
key w
[ "$(menu_marker 4)" = 4 ] || fail "the marker does not stand on Exit"
screenshot menu-exit-selected
key s
[ "$(menu_marker 4)" = 1 ] || fail "the marker did not wrap back to New Game"
key w Return
expect_exit 0
[ "$(count_lines "Saving: AAA : 0")" = 10 ] || fail "Exit did not print ten Saving lines"
cmp -s "$SCORES" <(filler_table) || fail "Exit did not save ten filler rows"
echo "PASS"
