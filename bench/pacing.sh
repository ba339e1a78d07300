#!/usr/bin/env bash
# Pacing and CPU of the real game under Xvfb (part of make bench; needs build-bench and the
# e2e tools). For each way frames can be paced it plays at difficulty 4 and times the snake's
# steps from the screen; then it measures the CPU each screen uses over 10 s, and that of the
# main menu, a game and a replay while their window is hidden (nothing is drawn for it).
#   swap waits 60 Hz  swaps wait for the next 1/60 s (a desktop with vsync), by preload
#   rests             no swap control, as Xvfb is: the game rests between frames
#   ORVEL_VSYNC=0     frames as fast as the machine draws them
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
export ORVEL_BIN="${ORVEL_BIN:-$root/build-bench/orvel}" XPROBE="$root/build-bench/bench/xprobe"
export ARTIFACTS=$(mktemp -d)
export REAL_CLOCK=1  # the game exactly as shipped: its own clock is what is measured
source "$root/tests/e2e/lib.sh"
preload="$root/build-bench/bench/swap_at_60hz.so"
start_xvfb

# hidden_cpu TITLE: the game's CPU over 10 s while its window (named TITLE) is unmapped, as a
# minimised one is; then the window is mapped again.
hidden_cpu() {
  local window
  window=$(xdotool search --name "^$1\$")
  xdotool windowunmap --sync "$window"; sleep 0.5
  cpu_percent 10
  xdotool windowmap --sync "$window"; sleep 0.5
}

cpu_ticks() { awk '{ print $14 + $15 }' "/proc/$GAME_PID/stat"; }
# cpu_percent SECONDS: the game's CPU use, in % of one core
cpu_percent() {
  local before after
  before=$(cpu_ticks); sleep "$1"; after=$(cpu_ticks)
  awk -v ticks=$((after - before)) -v hz="$(getconf CLK_TCK)" -v s="$1" \
    'BEGIN { printf "%.1f", ticks * 100 / hz / s }'
}

steps() {  # steps LABEL ENV...: difficulty 4, seed 1 (no berry in column 10)
  local label=$1; shift
  start_game ORVEL_SEED=1 "$@"
  choose_difficulty 4
  key Return
  "$XPROBE" wait-cell 10 11 green 3000 >/dev/null
  "$XPROBE" step-times 10 121 20000 >"$WORK/times" || fail "the snake stopped stepping"
  awk -v label="$label" 'NR > 1 { d = $1 - last; sum += d; n++; if (d > max) max = d; if (min == "" || d < min) min = d }
       { last = $1 }
       END { printf "%-18s %6.1f ms   %5.1f .. %5.1f ms   (%d steps)\n", label, sum / n, min, max, n }' "$WORK/times"
  kill -TERM "$GAME_PID"; expect_exit 0
}

echo "# pacing on $(date -u +%Y-%m-%d): real game, Xvfb + llvmpipe, difficulty 4 (40 ms intended)"
echo "# step interval from the screen: average, shortest .. longest"
steps "swap waits 60 Hz" LD_PRELOAD="$preload"
steps "rests" 
steps "ORVEL_VSYNC=0" ORVEL_VSYNC=0
stop_xvfb
start_xvfb 3840x2160
steps "rests, 3840x2160"
stop_xvfb
start_xvfb

echo
echo "# CPU over 10 s, % of one core"
for pacing in rests ORVEL_VSYNC=0; do
  environment=(); [ "$pacing" = rests ] || environment=("$pacing")
  start_game "${environment[@]}"
  menu=$(cpu_percent 10)
  hidden_menu=$(hidden_cpu ORVEL)
  key s s Return; sleep 0.5
  settings=$(cpu_percent 10)
  key w w Return; sleep 0.5
  key s Return; sleep 0.5
  scores=$(cpu_percent 10)
  # A new game from a fresh start (the keys above leave the menus where they leave them).
  kill -TERM "$GAME_PID"; expect_exit 0
  start_game "${environment[@]}"
  key Return; sleep 0.5
  grep -q "^Placing berry at" "$OUT" || fail "no game started"
  # A new game waits while its window is hidden; shown again, it counts 3 s and plays on.
  waiting=$(hidden_cpu ORVEL); sleep 3
  playing=$(cpu_percent 10)
  kill -TERM "$GAME_PID"; expect_exit 0
  # The replay of that game stands still while hidden.
  env XDG_DATA_HOME="$DATA" "${environment[@]}" "$ORVEL_BIN" --replay last >"$OUT" 2>"$ERR" &
  GAME_PID=$!
  wait_until "the replay's window shows" 'xdotool search --name "^ORVEL replay$" >/dev/null'
  hidden_replay=$(hidden_cpu "ORVEL replay")
  kill -TERM "$GAME_PID"; expect_exit 0
  printf '%-14s main menu %5.1f%%   settings %5.1f%%   high scores %5.1f%%   playing %5.1f%%   waiting %4.1f%%   hidden main menu %4.1f%%   hidden replay %4.1f%%\n' \
    "$pacing" "$menu" "$settings" "$scores" "$playing" "$waiting" "$hidden_menu" "$hidden_replay"
done
