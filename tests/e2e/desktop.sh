#!/usr/bin/env bash
# What the desktop sees of the game: the command line is answered before any window or file,
# no display is one clear line, and the window carries its title, class and icon, without a
# warning from GLUT about the display mode.
source "$(dirname "$0")/lib.sh"
command -v xprop >/dev/null 2>&1 || skip "xprop is not installed (make test installs it)"

"$ORVEL_BIN" --version >"$OUT" || fail "--version failed"
grep -qx 'orvel [0-9]*\.[0-9]*\.[0-9]*' "$OUT" || fail "--version printed: $(cat "$OUT")"
"$ORVEL_BIN" --help >"$OUT" || fail "--help failed"
grep -q '^Usage: orvel' "$OUT" && grep -q 'XDG_DATA_HOME' "$OUT" || fail "--help printed no usage"
status=0
XDG_DATA_HOME="$DATA" DISPLAY=:0 "$ORVEL_BIN" -geometry 800x600 >"$OUT" 2>"$ERR" || status=$?
[ "$status" = 2 ] || fail "an unknown option gave status $status, not 2"
printf "orvel: unknown option '-geometry'\nTry 'orvel --help' for more information.\n" |
  cmp -s - "$ERR" || fail "not the two lines naming the option and --help: $(cat "$ERR")"
status=0
env -u DISPLAY XDG_DATA_HOME="$DATA" "$ORVEL_BIN" >"$OUT" 2>"$ERR" || status=$?
[ "$status" = 3 ] || fail "no display gave status $status, not 3"
[ "$(wc -l <"$ERR")" = 1 ] && grep -q 'DISPLAY' "$ERR" || fail "no one-line DISPLAY error: $(cat "$ERR")"
[ ! -e "$SCORES" ] || fail "a refused start touched the high-score file"

start_xvfb
start_game
[ ! -s "$ERR" ] || fail "the start printed to standard error: $(cat "$ERR")"
properties=$(xprop -name ORVEL WM_CLASS WM_NAME)
grep -q '^WM_CLASS(STRING) = "orvel", "orvel"$' <<<"$properties" || fail "WM_CLASS: $properties"
grep -q '^WM_NAME(STRING) = "ORVEL"$' <<<"$properties" || fail "WM_NAME: $properties"
xprop -name ORVEL _NET_WM_ICON >"$WORK/icon"
grep -q 'Icon (48 x 48)' "$WORK/icon" || fail "no 48 x 48 _NET_WM_ICON"
desktop="$(dirname "$0")/../../data/io.github.orvelgame.orvel.desktop"
grep -qx 'StartupWMClass=orvel' "$desktop" || fail "the menu entry does not name the window class"
kill -TERM "$GAME_PID"
expect_exit 0
echo "PASS"
