#!/usr/bin/env bash
# A game whose window loses the keyboard focus waits: under a window manager another window
# takes the focus, PAUSED stands over the board, and while the game's clock runs on the
# picture stays the same to the byte, no frame is drawn and the snake does not step. With the
# focus back the game counts 3, 2, 1 a second each, then the snake steps again; the game that
# waited is recorded as the same steps, and its check matches. Without a window manager, from
# the server's own focus, the game takes the focus with the pointer outside its window; a short
# keyboard grab costs nothing, a long one and another client's focus make it wait, and a
# window unmapped and mapped again gets back the focus the game had given itself.
source "$(dirname "$0")/lib.sh"
for tool in openbox wmctrl xlogo; do
  command -v "$tool" >/dev/null 2>&1 || skip "$tool is not installed (make test installs it)"
done
start_xvfb
openbox >"$WORK/openbox.log" 2>&1 &
OTHER_PIDS+=($!)
wait_until "openbox manages the screen" 'xprop -root _NET_SUPPORTING_WM_CHECK 2>/dev/null | grep -q "window id"'
start_game ORVEL_SEED=$SEED
key Return
step  # eats the berry above the spawn cell: a burst, which must stand still too
"$XPROBE" wait-cell 10 11 green 5000 || fail "the snake did not step up"

# The notice over the board's middle: none in play, PAUSED three units wide, a digit less than
# one (text's pure yellow: the burst beside it is never as bright).
notice() { "$XPROBE" text-span -2.5 -0.6 2.8 0.9; }
notice_is() { notice | awk -v want="$1" '{
  if ($1 == "none") exit want != "none"
  exit !(want == "PAUSED" ? $2 - $1 > 2.5 : want == "digit" && $1 > -0.5 && $2 < 0.9) }'; }
notice_is none || fail "a notice over the board in play: $(notice)"

shot() { pixels "$WORK/$1"; }
same_picture() { cmp -s "$WORK/before" "$WORK/after"; }

# Away from the board and the line above it.
xlogo -geometry 64x64+0+480 &
OTHER_PIDS+=($!)
wait_until "another window appears" 'wmctrl -l | grep -q xlogo'
wmctrl -a xlogo
wait_until "the other window takes the focus" '[ "$(xdotool getactivewindow getwindowname)" = xlogo ]'
wait_until "PAUSED stands over the board" 'notice_is PAUSED'
screenshot window-away
seam advance 1  # once the game has looked at a later time, the frame that drew PAUSED is counted
seam time-read
frames=$(seam_count frames)
shot before
seam advance 1000
seam time-read
shot after
same_picture || fail "the picture moved while the game waited"
[ "$(seam_count frames)" = "$frames" ] || fail "the waiting game drew $(($(seam_count frames) - frames)) frames"
"$XPROBE" wait-cell 10 12 dark 100 || fail "the snake stepped while the game waited"

# The focus comes back: 3 at once, 2 and 1 as the seconds pass, no step meanwhile.
xdotool search --name '^ORVEL$' windowactivate
wait_until "the game has the focus back" game_has_focus
wait_until "the count begins" 'notice_is digit'
for _ in 2 1; do
  shot before
  frames=$(seam_count frames)
  seam advance 1000
  wait_until "the count moves on" '[ "$(seam_count frames)" -gt "$frames" ]'
  notice_is digit || fail "no count over the board: $(notice)"
  shot after
  ! same_picture || fail "the count did not move on"
  "$XPROBE" wait-cell 10 12 dark 100 || fail "the snake stepped during the count"
done
seam advance 1000  # the count ends
seam frames 2
notice_is none || fail "the notice stays over the board after the count: $(notice)"
step
"$XPROBE" wait-cell 10 12 green 5000 || fail "the snake did not step after the count"
key Escape
wait_until "Escape returns to the main menu" '[ "$(menu_marker 4)" = 1 ]'
kill -TERM "$GAME_PID"
expect_exit 0
XDG_DATA_HOME="$DATA" "$ORVEL_BIN" --check-replay last >"$OUT" ||
  fail "the game that waited does not match its recording: $(cat "$OUT")"
grep -q ": matches (score 1, 2 steps" "$OUT" || fail "--check-replay last: $(cat "$OUT")"

# Without a window manager the server's own focus stands at start: PointerRoot, the keys going
# to the window under the pointer. The game takes it for its --windowed window with the pointer
# outside it.
stop_xvfb
start_xvfb 1920x1080
export XPROBE_SCREEN=1280x1024  # the window, at the screen's top left
xdotool mousemove 1900 1060
[ "$("$XPROBE" focus)" = pointer-root ] || fail "a new server's focus is $("$XPROBE" focus)"
start_game ORVEL_SEED=$SEED -- --windowed
key Return
step
"$XPROBE" wait-cell 10 11 green 5000 || fail "the keys did not reach the game with the pointer outside it"

# Another program's keyboard grab: one under a second stands the game without a word and costs
# nothing more; a longer one is a wait like any other.
mkfifo "$WORK/hold"
grab() {
  "$XPROBE" grab <"$WORK/hold" >"$WORK/grabbed" &
  GRAB_PID=$!
  exec 7>"$WORK/hold"
  wait_until "the keyboard is grabbed" '[ -s "$WORK/grabbed" ]'
  seam advance 1
  seam frames 3
}
release() {
  exec 7>&-
  wait "$GRAB_PID" || fail "the grab did not end"
}
grab
seam advance 500
seam frames 3
"$XPROBE" wait-cell 10 12 dark 100 || fail "the snake stepped during a grab"
notice_is none || fail "a short grab shows $(notice)"
release
seam frames 3
notice_is none || fail "the end of a short grab shows $(notice)"
step
"$XPROBE" wait-cell 10 12 green 5000 || fail "the game did not go on at once after a short grab"
grab
seam advance 1000
wait_until "a long grab makes the game wait" 'notice_is PAUSED'
release
wait_until "the count begins after a long grab" 'notice_is digit'
seam advance 3000
seam frames 2

# Another client's window given the focus makes the game wait, and the game never takes it
# back (each look that reads a new time is one call of keepKeyboardFocus, which looks at the
# focus every 15th); once that window is gone, the focus is nowhere again and the game takes it.
xlogo -geometry 64x64+1800+900 &
OTHER_PIDS+=($!)
wait_until "another window appears" 'xdotool search --name "^xlogo$" >/dev/null'
xdotool windowfocus --sync "$(xdotool search --name '^xlogo$')"
wait_until "another client's focus makes the game wait" 'notice_is PAUSED'
for _ in $(seq 16); do
  seam advance 1
  seam time-read
done
[ "$("$XPROBE" focus)" = xlogo ] || fail "the game took the focus from another client: $("$XPROBE" focus)"
kill "${OTHER_PIDS[-1]}"
wait_until "the game takes the focus back" game_has_focus
wait_until "the count begins once the game has the focus" 'notice_is digit'
seam advance 3000
seam frames 2
notice_is none || fail "the count did not end: $(notice)"

# Its window unmapped and mapped again (the focus falls to the root window meanwhile) gets it
# back too.
window=$(xdotool search --name '^ORVEL$')
xdotool windowunmap --sync "$window"
seam advance 1
xdotool windowmap --sync "$window"
wait_until "the game takes the focus back once its window is mapped" game_has_focus
wait_until "the count begins once the window is back" 'notice_is digit'
echo "PASS"
