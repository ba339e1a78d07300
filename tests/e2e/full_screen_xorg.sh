#!/usr/bin/env bash
# Full screen on a real X server, where a video mode switch is tried. A desktop smaller than
# 1280x1024 that lists that mode (the switch fails with an X error) gets a full-screen window;
# a 1920x1080 desktop with a window manager gets the game's picture over the whole screen,
# whether the mode changed or not, and its own mode back after Exit and after SIGTERM. The
# fallback window is the window manager's: another window can take the focus from it.
source "$(dirname "$0")/lib.sh"
for tool in openbox wmctrl xlogo xwininfo; do
  command -v "$tool" >/dev/null 2>&1 || skip "$tool is not installed (make test installs it)"
done

# The game's window covers the whole visible screen: the video mode, whatever it is now.
covers_screen() {
  local shown geometry
  shown=$(video_mode)
  geometry=$(xwininfo -name ORVEL | awk '/Absolute upper-left X/ { x = $NF } /Absolute upper-left Y/ { y = $NF }
    /Width:/ { w = $2 } /Height:/ { h = $2 } END { print x "," y "," w "x" h }')
  [ "$geometry" = "0,0,$shown" ] || fail "the game's window is $geometry on a $shown screen"
  export XPROBE_SCREEN=$shown
}

# Starts the game and waits for its main menu on the screen as it now is.
start_full_screen_game() {
  launch_game "$@"
  wait_until "the window covers the screen: $(tail -n 3 "$WORK/covers.log" 2>/dev/null)" covers_screen_quietly
  covers_screen
  wait_until "the main menu is drawn" '[ "$(menu_marker 4)" = 1 ]'
}
covers_screen_quietly() { (covers_screen) >>"$WORK/covers.log" 2>&1; }

start_openbox() {
  openbox >"$WORK/openbox.log" 2>&1 &
  OTHER_PIDS+=($!)
  wait_until "openbox manages the screen" 'xprop -root _NET_SUPPORTING_WM_CHECK 2>/dev/null | grep -q "window id"'
}

# A 1368x768 desktop whose monitor also lists 1280x1024, no window manager.
start_xorg 1368x768 1280x1024
start_full_screen_game
[ "$(video_mode)" = 1368x768 ] || fail "the mode changed to $(video_mode)"
key w Return  # Exit
expect_exit 0
! grep -q "X Error" "$ERR" || fail "an X error reached standard error: $(cat "$ERR")"
stop_xvfb

# The same with openbox: the fallback is a window it manages, which gives the focus away.
start_xorg 1368x768 1280x1024
start_openbox
start_full_screen_game
xprop -name ORVEL _NET_WM_STATE | grep -q _NET_WM_STATE_FULLSCREEN ||
  fail "the fallback window is not the window manager's full-screen window"
xlogo &
OTHER_PIDS+=($!)
wait_until "another window appears" 'wmctrl -l | grep -q xlogo'
wmctrl -a xlogo
wait_until "the other window takes the focus" '[ "$(xdotool getactivewindow getwindowname)" = xlogo ]'
kill -TERM "$GAME_PID"
expect_exit 0
stop_xvfb

# A 1920x1080 desktop with openbox: the mode comes back after Exit, and after SIGTERM in play.
start_xorg 1920x1080 1280x1024
start_openbox
start_full_screen_game
key w Return  # Exit
expect_exit 0
[ "$(video_mode)" = 1920x1080 ] || fail "the desktop's mode was not restored after Exit"
unset XPROBE_SCREEN
start_full_screen_game
switched=$(video_mode)
key Return
step
"$XPROBE" wait-cell 10 11 green 5000 || fail "no game started"
kill -TERM "$GAME_PID"
expect_exit 0
[ "$(video_mode)" = 1920x1080 ] || fail "the desktop's mode was not restored after SIGTERM"
echo "PASS (the game ran at $switched on the 1920x1080 desktop)"
