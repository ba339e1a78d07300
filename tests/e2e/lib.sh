# Shared steps of the end-to-end tests: a private Xvfb display, the real game on it with its
# own high-score folder, key presses through XTEST, and looking at the screen.
# Expects ORVEL_BIN, XPROBE, SEAM_TOOL, SEAM_LIB and ARTIFACTS in the environment (set by CTest).
#
# Nothing here depends on how fast the machine is. The game runs with the seam preloaded
# (seam_preload.cpp): its clock stands still until the test moves it, so the snake steps only
# when the test says (step), and the test knows when the game has read its keys and shown the
# result (key). A test that needs the real clock sets REAL_CLOCK=1 before launching.
set -euo pipefail

skip() { echo "SKIP: $*"; exit 77; }
for tool in Xvfb xdotool xwd; do
  command -v "$tool" >/dev/null 2>&1 || skip "$tool is not installed (make test installs it)"
done

WORK=$(mktemp -d "${TMPDIR:-/tmp}/orvel-e2e.XXXXXX")
DATA="$WORK/data"
SCORES="$DATA/orvel/highScores.txt"
OUT="$WORK/stdout"
ERR="$WORK/stderr"
GAME_PID=""
XVFB_PID=""
OTHER_PIDS=()  # further games and displays a test keeps running
PLAYER=()      # a command that runs the game as another user (see become_player)
SEAM=""        # the seam page of the game launched last; empty when it runs on the real clock
LAUNCHES=0
mkdir -p "$DATA" "$ARTIFACTS"

cleanup() {
  convert_screenshots || true
  [ -n "$GAME_PID" ] && kill -9 "$GAME_PID" 2>/dev/null || true
  local pid
  for pid in "${OTHER_PIDS[@]}"; do kill -9 "$pid" 2>/dev/null || true; done
  # Wait for the server to go, so that it cannot remove the socket of the next one.
  [ -n "$XVFB_PID" ] && { kill "$XVFB_PID" 2>/dev/null; wait "$XVFB_PID" 2>/dev/null; } || true
  # A test may have taken its own folders' write permission away.
  chmod -R u+rwX "$WORK" 2>/dev/null || true
  rm -rf "$WORK"
}
trap cleanup EXIT

fail() {
  echo "FAIL: $*" >&2
  if [ -f "$OUT" ]; then
    echo "--- game's standard output (last lines)" >&2; tail -n 30 "$OUT" >&2
    echo "--- game's standard error" >&2; cat "$ERR" >&2
  fi
  screenshot "failure-$(basename "$0" .sh)" || true
  exit 1
}

# A display of our own: Xvfb picks a free number and tells it through a file descriptor.
#   start_xvfb [WIDTHxHEIGHT]   (default 1280x1024)
start_xvfb() {
  : >"$WORK/display"
  Xvfb -displayfd 3 -screen 0 "${1:-1280x1024}x24" -nolisten tcp -noreset 3>"$WORK/display" 2>"$WORK/xvfb.log" &
  XVFB_PID=$!
  await_display Xvfb "$WORK/xvfb.log"
}

# await_display NAME LOG: waits for the server just started (XVFB_PID) to write its display
# number into $WORK/display and to accept connections; DISPLAY names it.
await_display() {
  for _ in $(seq 100); do
    [ -s "$WORK/display" ] && break
    kill -0 "$XVFB_PID" 2>/dev/null || fail "$1 did not start: $(tail -n 20 "$2")"
    sleep 0.1
  done
  [ -s "$WORK/display" ] || fail "$1 did not start: $(tail -n 20 "$2")"
  export DISPLAY=":$(head -n1 "$WORK/display")"
  # The number can arrive a moment before connections are accepted.
  wait_until "display $DISPLAY accepts connections" '"$XPROBE" yellow 0 0 0 0 >/dev/null 2>&1'
}

# Starts the game (extra environment as NAME=VALUE arguments, then the game's own options
# after --) and waits for its first frame. Nothing gives it the keyboard focus: the keys go where
# a keyboard's go, to the window that has the focus.
launch_game() {
  local environment=()
  while [ $# -gt 0 ] && [ "$1" != -- ]; do environment+=("$1"); shift; done
  [ $# -gt 0 ] && shift
  prepare_seam
  env XDG_DATA_HOME="$DATA" "${SEAM_ENV[@]}" "${environment[@]}" "${PLAYER[@]}" "$ORVEL_BIN" "$@" \
    >"$OUT" 2>"$ERR" &
  GAME_PID=$!
  wait_until "the game shows its first frame" first_frame_shown
  wait_until "the keyboard focus reaches the game" game_has_focus
}

# Keys typed now reach the game: the focus is its window's (a window manager gave it, or the
# game took it from the server's own focus where none runs).
game_has_focus() {
  case "$("$XPROBE" focus)" in
    ORVEL | "ORVEL replay") return 0 ;;
    *) return 1 ;;
  esac
}

# A new seam page for the game about to start, and the environment that preloads the seam
# (SEAM_ENV), unless REAL_CLOCK is set.
prepare_seam() {
  SEAM="" SEAM_ENV=()
  [ -z "${REAL_CLOCK:-}" ] || return 0
  LAUNCHES=$((LAUNCHES + 1))
  SEAM="$WORK/seam.$LAUNCHES"
  "$SEAM_TOOL" "$SEAM" init || fail "cannot make the seam page $SEAM"
  chmod 666 "$SEAM"  # a game root starts may become the player whose folder it plays in
  SEAM_ENV=(LD_PRELOAD="$SEAM_LIB" ORVEL_TEST_SEAM="$SEAM")
}

first_frame_shown() {
  kill -0 "$GAME_PID" 2>/dev/null || fail "the game ended at start-up"
  if [ -n "$SEAM" ]; then
    [ "$("$SEAM_TOOL" "$SEAM" count frames)" -gt 0 ]
  else
    xdotool search --name '^ORVEL$' >/dev/null 2>&1
  fi
}

# Starts the game as launch_game does and waits for its main menu.
start_game() {
  launch_game "$@"
  wait_until "the main menu is drawn" '[ "$(menu_marker 4)" = 1 ]'
}

# Root reads and writes any file whatever its mode, so a test of a file the player can't read
# or write runs the game as uid 65534 when it runs as root: from a copy of the game in a folder
# that user may enter (the checkout may be in a private one), with PLAYER as the command prefix
# and the test's folders handed to that user. As anyone else the game runs as that user.
become_player() {
  [ "$(id -u)" = 0 ] || return 0
  command -v setpriv >/dev/null 2>&1 || skip "setpriv is not installed"
  mkdir -p "$WORK/bin"
  cp "$ORVEL_BIN" "$SEAM_LIB" "$WORK/bin/"
  ORVEL_BIN="$WORK/bin/$(basename "$ORVEL_BIN")"
  SEAM_LIB="$WORK/bin/$(basename "$SEAM_LIB")"
  chmod 755 "$WORK" "$WORK/bin" "$ORVEL_BIN" "$SEAM_LIB"
  chown -R 65534:65534 "$DATA"
  PLAYER=(setpriv --reuid=65534 --regid=65534 --clear-groups)
  "${PLAYER[@]}" test -x "$ORVEL_BIN" ||
    skip "uid 65534 cannot reach $WORK (is TMPDIR in a private folder?)"
}

# A real X server of our own: Xorg with the dummy video driver, which switches video modes and
# takes keyboard maps as a desktop's server does (Xvfb does neither). It needs root.
#   start_xorg MODE...   the modes its monitor offers, the first one the desktop's
start_xorg() {
  [ "$(id -u)" = 0 ] || skip "Xorg with the dummy video driver needs root (CI runs this test as root)"
  for tool in Xorg xvidtune; do
    command -v "$tool" >/dev/null 2>&1 || skip "$tool is not installed (make test installs it)"
  done
  [ -e /usr/lib/xorg/modules/drivers/dummy_drv.so ] ||
    skip "xserver-xorg-video-dummy is not installed (make test installs it)"
  local modes="" lines="" mode
  for mode in "$@"; do
    modes+=" \"$mode\""
    lines+="  Modeline \"$mode\" $(modeline "$mode")"$'\n'
  done
  mkdir -p "$WORK/xorg.d"
  cat >"$WORK/xorg.conf" <<CONF
Section "ServerFlags"
  Option "AutoAddDevices" "false"
  Option "AutoEnableDevices" "false"
EndSection
Section "Device"
  Identifier "dummy"
  Driver "dummy"
  VideoRam 256000
EndSection
Section "Monitor"
  Identifier "monitor"
  HorizSync 5.0-1000.0
  VertRefresh 5.0-200.0
$lines
EndSection
Section "Screen"
  Identifier "screen"
  Device "dummy"
  Monitor "monitor"
  DefaultDepth 24
  SubSection "Display"
    Depth 24
    Modes $modes
  EndSubSection
EndSection
CONF
  : >"$WORK/display"
  Xorg -displayfd 3 -config "$WORK/xorg.conf" -configdir "$WORK/xorg.d" -logfile "$WORK/xorg.log" \
    -nolisten tcp -noreset -novtswitch 3>"$WORK/display" >/dev/null 2>&1 &
  XVFB_PID=$!
  await_display Xorg "$WORK/xorg.log"
}

# The timings of a 60 Hz mode line for the modes the tests use.
modeline() {
  case "$1" in
    1280x1024) echo "108.00 1280 1328 1440 1688 1024 1025 1028 1066 +hsync +vsync" ;;
    1368x768) echo "85.25 1368 1440 1576 1784 768 771 781 798 -hsync +vsync" ;;
    1920x1080) echo "148.50 1920 2008 2052 2200 1080 1084 1089 1125 +hsync +vsync" ;;
    *) fail "no mode line for $1" ;;
  esac
}

# The video mode the display shows now, as WIDTHxHEIGHT.
video_mode() { xvidtune -show | awk 'NF > 7 { print $3 "x" $7; exit }'; }

# Ends the private display, so that the next start_xvfb can have another screen size.
stop_xvfb() {
  kill "$XVFB_PID" 2>/dev/null; wait "$XVFB_PID" 2>/dev/null || true
  XVFB_PID=""
}

# wait_until DESCRIPTION CONDITION [SECONDS]: a limit for a game that is stuck, not a guess at
# the machine's speed.
wait_until() {
  local deadline=$((SECONDS + ${3:-30}))
  until eval "$2"; do
    [ $SECONDS -lt $deadline ] || fail "timed out waiting until $1"
    sleep 0.05
  done
}

# seam ARGUMENTS: the seam of the game launched last (see seam.cpp); seam_count presses|frames.
seam() { "$SEAM_TOOL" "$SEAM" "$@" || fail "seam $*"; }
seam_count() { "$SEAM_TOOL" "$SEAM" count "$1"; }

# press_through COUNT COMMAND...: runs COMMAND, which presses COUNT keys through XTEST, and with
# the seam returns once the game has read them all and shown the result.
press_through() {
  local count=$1 before=0
  shift
  [ -z "$SEAM" ] || before=$(seam_count presses)
  "$@" || fail "$1 could not press the keys"
  [ -z "$SEAM" ] || seam presses-read $((before + count))
}

key() { press_through $# xdotool key --delay 60 "$@"; }

# One snake step, when the test says: the game's clock moves on by a second, which is one step
# at every difficulty (a frame takes at most one), and the step is shown.
step() {
  seam advance 1000
  seam frames 3
}

# Time passes for the game (a menu's cooldown runs out), and it has shown a frame since.
pass_time() {
  seam advance "$1"
  seam frames 2
}

# The menu row (1..rows) that the tilde marks on screen.
menu_marker() { "$XPROBE" marker "$1"; }

# Waits for the game to end by itself and checks its exit status.
expect_exit() {
  local want=$1 status=0
  wait_until "the game exits" '! kill -0 "$GAME_PID" 2>/dev/null'
  wait "$GAME_PID" || status=$?
  GAME_PID=""
  [ "$status" = "$want" ] || fail "exit status $status, expected $want"
}

# Seed 7 puts berry 10 right above the spawn cell and no berry on the cells the snake turns on.
SEED=7

# One life: from the head just stepped up onto (10,11), turn left, down, then right into the
# body (the crash itself is the caller's next step).
lose_a_life() {
  key a
  step
  "$XPROBE" wait-cell 9 11 green 5000 || fail "the snake did not turn left"
  key s
  step
  "$XPROBE" wait-cell 9 10 green 5000 || fail "the snake did not turn down"
  key d
}

# "GAME OVER" is on screen, with no menu marker yet.
game_over_shows() {
  [ "$("$XPROBE" yellow -4 -1 1.6 -0.3)" -gt 200 ] && [ "$(menu_marker 2)" = 0 ]
}

# Plays a game started with ORVEL_SEED=$SEED from its first step to the high-score screen:
# the first step eats the berry above the spawn cell (score 1), then three lives are lost.
# Keys pressed during the last crash pause and during GAME OVER's hold are dropped: the game
# stops itself at those two moments (see seam.cpp) while the test presses them.
play_to_game_over() {
  step
  grep -q -x "creating an emitter at: 10,11" "$OUT" ||
    fail "the snake did not eat the berry above the spawn cell"
  screenshot game-with-burst  # the burst stands still with the clock
  lose_a_life
  for _ in 2 3; do
    step  # into its body: a one-second pause, and a new snake on the spawn cell
    "$XPROBE" wait-cell 9 11 dark 5000 || fail "no new snake after a lost life"
    step
    "$XPROBE" wait-cell 10 11 green 5000 || fail "the new snake did not step up"
    lose_a_life
  done
  local before
  before=$(seam_count presses)
  seam advance 1000 stop  # the last crash: the game stops as it reads the time of that step
  seam stopped
  xdotool key s  # still steering, inside the last crash pause
  seam stop-after-step
  kill -CONT "$GAME_PID"
  seam stopped  # "GAME OVER" is on screen, its one-second hold to come
  game_over_shows || fail "no GAME OVER after the last life"
  screenshot game-over
  xdotool key s  # during the hold
  kill -CONT "$GAME_PID"
  seam presses-read $((before + 2))
  wait_until "the high-score screen shows" \
    '[ "$(menu_marker 2)" = 1 ] && [ "$("$XPROBE" yellow -3.2 2.9 2.5 3.6)" -gt 200 ]'
  [ "$(menu_marker 2)" = 1 ] || fail "a key from the crash pause or GAME OVER's hold moved the marker"
}

# Chooses the difficulty on the settings screen (1..4, from the start-up 2) and returns to the
# main menu.
choose_difficulty() {
  key s s Return
  wait_until "the settings screen shows" '[ "$(menu_marker 4)" = 1 ]'
  key s s
  for _ in $(seq $((($1 + 2) % 4))); do key Return; done
  key w w Return
  wait_until "the main menu is back" '[ "$(menu_marker 4)" = 1 ]'
}

# Screenshots are taken raw (fast enough to run beside the game) and turned into PNG files
# when the test ends: this test's own, and only those that were taken whole.
SHOTS=()
screenshot() {
  SHOTS+=("$ARTIFACTS/$1.xwd")
  xwd -root -silent >"$ARTIFACTS/$1.xwd"
}

# The screen's pixels alone (the end of an xwd dump, 4 bytes a pixel) into FILE: the dump's
# colour table has pad bytes xwd never sets, so two dumps of one picture can differ.
#   pixels FILE
pixels() {
  local size
  read -r -a size <<<"$(xdotool getdisplaygeometry)"
  xwd -root -silent | tail -c $((size[0] * size[1] * 4)) >"$1"
}

convert_screenshots() {
  command -v convert >/dev/null 2>&1 || return 0
  local raw
  for raw in "${SHOTS[@]}"; do
    [ -s "$raw" ] && convert "xwd:$raw" "${raw%.xwd}.png" || true
    rm -f "$raw"
  done
}

# Opens descriptor 5 on a pipe that is full and that nobody reads (a reader that has stopped).
open_full_pipe() {
  mkfifo "$WORK/pipe"
  sleep 1000 <"$WORK/pipe" >/dev/null 2>&1 &
  OTHER_PIDS+=($!)
  exec 5>"$WORK/pipe"
  head -c 65536 /dev/zero >&5
}

# The table as ten filler rows, the way Reset and a fresh first Exit leave it.
filler_table() { for _ in $(seq 10); do printf 'AAA\r\n0\r\n'; done; }

count_lines() { grep -c -x -F -- "$1" "$OUT" || true; }
