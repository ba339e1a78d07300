#!/usr/bin/env bash
# Full screen on Wayland desktops, through XWayland: sway and KWin, each headless at 1920x1080.
# XWayland would only pretend to switch to 1280x1024 and the compositor stretch the picture, so
# the game asks for no mode and opens a window the compositor manages at the output's size. In
# the compositor's own screenshot the board is square (within 5%), whole and centred; the
# window covers the output; the compositor gives it the keyboard focus, keys reach the game,
# and Exit ends it with status 0. A compositor that can't start here is skipped with a message;
# the test is skipped when none can.
source "$(dirname "$0")/lib.sh"
for tool in convert xhost; do
  command -v "$tool" >/dev/null 2>&1 || skip "$tool is not installed (make test installs it)"
done
SIZE=1920x1080
# The compositors refuse root (sway) or want a private session: as root they run as 65534.
DESKTOP_USER=()
[ "$(id -u)" = 0 ] && DESKTOP_USER=(setpriv --reuid=65534 --regid=65534 --clear-groups)
chmod 755 "$WORK"
ran=()

# A folder of the desktop user's own, mode 700, as XDG_RUNTIME_DIR wants.
private_folder() {
  mkdir -p "$1"
  [ "$(id -u)" = 0 ] && chown 65534:65534 "$1"
  chmod 700 "$1"
}

# Waits for the compositor (COMPOSITOR_PID) to write its XWayland display into $1, then lets
# this test's user (root, the game's) onto it; DISPLAY names it. False, with a reason in
# $WORK/why, when it does not come up.
await_xwayland() {
  local deadline=$((SECONDS + 30))
  until [ -s "$1" ]; do
    kill -0 "$COMPOSITOR_PID" 2>/dev/null || { echo "it exited: $(tail -n 3 "$2")" >"$WORK/why"; return 1; }
    [ $SECONDS -lt $deadline ] || { echo "no XWayland display after 30 s" >"$WORK/why"; return 1; }
    sleep 0.2
  done
  export DISPLAY
  DISPLAY=$(head -n 1 "$1")
  "${DESKTOP_USER[@]}" env DISPLAY="$DISPLAY" xhost "+si:localuser:$(id -un)" >/dev/null 2>&1 ||
    { echo "xhost failed on $DISPLAY" >"$WORK/why"; return 1; }
}

start_sway() {
  command -v sway >/dev/null 2>&1 && command -v grim >/dev/null 2>&1 ||
    { echo "sway or grim is not installed (make test installs them)" >"$WORK/why"; return 1; }
  local home="$WORK/sway"
  private_folder "$home"
  cat >"$WORK/sway.conf" <<CONF
xwayland enable
output HEADLESS-1 resolution $SIZE
exec sh -c 'echo "\$DISPLAY" >$home/display'
CONF
  chmod 644 "$WORK/sway.conf"
  "${DESKTOP_USER[@]}" env -i PATH="$PATH" XDG_RUNTIME_DIR="$home" WLR_BACKENDS=headless \
    WLR_LIBINPUT_NO_DEVICES=1 WLR_RENDERER=pixman sway -c "$WORK/sway.conf" >"$WORK/sway.log" 2>&1 &
  COMPOSITOR_PID=$!
  await_xwayland "$home/display" "$WORK/sway.log"
}

sway_screenshot() {
  "${DESKTOP_USER[@]}" env XDG_RUNTIME_DIR="$WORK/sway" WAYLAND_DISPLAY=wayland-1 grim - >"$1"
}

start_kwin() {
  command -v kwin_wayland >/dev/null 2>&1 && command -v dbus-daemon >/dev/null 2>&1 ||
    { echo "kwin_wayland or dbus-daemon is not installed (make test installs them)" >"$WORK/why"; return 1; }
  /usr/bin/python3 -c 'import dbus' 2>/dev/null ||
    { echo "python3-dbus is not installed (make test installs it)" >"$WORK/why"; return 1; }
  local home="$WORK/kwin"
  private_folder "$home"
  # The installed binary carries a file capability that a test's user may not take up.
  cp "$(command -v kwin_wayland)" "$home/kwin_wayland"
  "${DESKTOP_USER[@]}" dbus-daemon --session --fork --print-address=1 --print-pid=1 >"$home/bus"
  OTHER_PIDS+=("$(sed -n 2p "$home/bus")")
  KWIN_BUS=$(head -n 1 "$home/bus")
  "${DESKTOP_USER[@]}" env -i PATH="$PATH" XDG_RUNTIME_DIR="$home" \
    DBUS_SESSION_BUS_ADDRESS="$KWIN_BUS" KWIN_SCREENSHOT_NO_PERMISSION_CHECKS=1 \
    "$home/kwin_wayland" --virtual --width "${SIZE%x*}" --height "${SIZE#*x}" --xwayland \
    --socket orvel-kwin "sh -c 'echo \$\$ >$home/waiter; echo \$DISPLAY >$home/display; exec sleep 100000'" \
    >"$WORK/kwin.log" 2>&1 &
  COMPOSITOR_PID=$!
  await_xwayland "$home/display" "$WORK/kwin.log" || return 1
  OTHER_PIDS+=("$(cat "$home/waiter")")  # what KWin started to learn its display
}

kwin_screenshot() {
  local shape
  # A copy the desktop user can read: the checkout may be in a private folder.
  cp "$(dirname "$0")/kwin_screenshot.py" "$WORK/kwin_screenshot.py"
  shape=$("${DESKTOP_USER[@]}" env DBUS_SESSION_BUS_ADDRESS="$KWIN_BUS" \
    /usr/bin/python3 "$WORK/kwin_screenshot.py" "$WORK/kwin/shot.raw" "${SIZE%x*}" "${SIZE#*x}") ||
    return 1
  [ "$shape" = "$SIZE 6" ] || [ "$shape" = "$SIZE 5" ] || [ "$shape" = "$SIZE 4" ] ||
    fail "KWin's screenshot is $shape, not $SIZE in a 32-bit format"
  convert -size "$SIZE" -depth 8 "bgra:$WORK/kwin/shot.raw" "png:$1"
}

# The box (WxH+X+Y) of the bright green in a picture: the board, walls outermost.
green_box() {
  convert "$1" \( -clone 0 -channel G -separate +channel -threshold 35% \) \
    \( -clone 0 -channel R -separate +channel -threshold 55% -negate \) -delete 0 \
    -compose multiply -composite -format "%@" info:
}

# The compositor's screenshot (for play_on's name) shows the board square, whole and centred;
# box is where it found the bright green.
board_in_place() {
  "${name}_screenshot" "$WORK/$name.png" 2>"$WORK/shot.err" || fail "$name: no screenshot: $(tail -n 3 "$WORK/shot.err")"
  cp "$WORK/$name.png" "$ARTIFACTS/wayland-$name.png"
  box=$(green_box "$WORK/$name.png")
  awk -v box="$box" -v size="$SIZE" 'BEGIN {
      split(box, b, /[x+]/); split(size, s, "x")
      square = b[2] > 0 ? b[1] / b[2] : 0; centre = (b[3] + b[1] / 2) / s[1]
      exit !(square > 0.95 && square < 1.05 && centre > 0.48 && centre < 0.52 && b[2] > s[2] / 2) }'
}

play_on() {  # play_on NAME: a new game's board on the compositor's screen, then Exit
  local name=$1 box geometry
  launch_game  # XWayland's root window holds no picture: only the compositor's screenshots do
  geometry=$(xwininfo -name ORVEL | awk '/Absolute upper-left X/ { x = $NF } /Absolute upper-left Y/ { y = $NF }
    /Width:/ { w = $2 } /Height:/ { h = $2 } END { print w "x" h "+" x "+" y }')
  [ "$geometry" = "$SIZE+0+0" ] || fail "$name: the game's window is $geometry, not the output's $SIZE+0+0"
  key Return
  # The game has shown the board; the compositor puts it on its output a moment later (on a
  # busy machine, several), so its screenshots are taken until one holds the board.
  local deadline=$((SECONDS + 30))
  until board_in_place; do
    [ $SECONDS -lt $deadline ] || fail "$name: the board is $box on a $SIZE output, not square, whole and centred"
    sleep 0.5
  done
  echo "$name: the board on the output is $box"
  key Escape w Return
  expect_exit 0
}

for desktop in sway kwin; do
  if ! "start_$desktop"; then
    echo "SKIP $desktop: it could not start here: $(cat "$WORK/why")"
    [ -n "${COMPOSITOR_PID:-}" ] && kill "$COMPOSITOR_PID" 2>/dev/null
    COMPOSITOR_PID=""
    continue
  fi
  OTHER_PIDS+=("$COMPOSITOR_PID")
  play_on "$desktop"
  kill "$COMPOSITOR_PID" 2>/dev/null
  wait "$COMPOSITOR_PID" 2>/dev/null || true
  ran+=("$desktop")
done
[ ${#ran[@]} -gt 0 ] || skip "no Wayland compositor could start here"
echo "PASS on ${ran[*]}"
