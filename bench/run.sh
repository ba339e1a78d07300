#!/usr/bin/env bash
# make bench: the frame benchmark on a private 1280 x 1024 Xvfb display (and the crowded board
# again on 1920 x 1080 and 3840 x 2160 ones), then the logic benchmarks, the simulated pacing
# benchmark, and the real game's pacing and CPU. Writes bench/results/frames.txt, logic.txt,
# pacing.txt, cpu.txt and replay.txt, which docs/performance.md quotes. Each file is replaced
# only by a complete result: a benchmark that fails or is stopped leaves the last one standing.
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/install-deps.sh bench
cmake --preset bench >/dev/null
cmake --build build-bench -j "$(nproc)" \
  --target orvel frame_bench logic_bench pacing_bench replay_bench swap_at_60hz xprobe
mkdir -p bench/results

work=$(mktemp -d)
xvfb=""
trap '[ -z "$xvfb" ] || kill $xvfb 2>/dev/null; wait 2>/dev/null; rm -rf "$work" bench/results/.*.part' EXIT
# publish NAME: shows the finished result $work/NAME and puts it in bench/results whole (a copy
# beside it, then a rename).
publish() {
  cat "$work/$1"
  cp "$work/$1" "bench/results/.$1.part"
  mv -f "bench/results/.$1.part" "bench/results/$1"
}
# A private Xvfb display of the size given; DISPLAY names it.
display() {
  [ -z "$xvfb" ] || { kill "$xvfb"; wait "$xvfb" 2>/dev/null || true; }
  : >"$work/display"
  Xvfb -displayfd 3 -screen 0 "$1x24" -nolisten tcp 3>"$work/display" >/dev/null 2>"$work/xvfb.log" &
  xvfb=$!
  for _ in $(seq 100); do [ -s "$work/display" ] && break; sleep 0.1; done
  export DISPLAY=":$(head -n1 "$work/display")"
  sleep 1
}
display 1280x1024

machine="$(nproc) cores, $(grep -m1 'model name' /proc/cpuinfo | cut -d: -f2 | sed 's/^ //'), Xvfb + Mesa llvmpipe"
# Each size on a display of its own, switched here rather than in a pipeline's subshell.
{
  echo "# frame_bench $(date -u +%Y-%m-%d) on $machine"
  build-bench/frame_bench "$@" 2>/dev/null
} >"$work/frames.txt"
for size in 1920x1080 3840x2160; do
  display "$size"
  { echo; build-bench/frame_bench --size "$size" "$@" 2>/dev/null; } >>"$work/frames.txt"
done
display 1280x1024
publish frames.txt
{
  echo "# logic_bench $(date -u +%Y-%m-%d) on $machine"
  build-bench/bench/logic_bench --benchmark_repetitions=5 --benchmark_report_aggregates_only=true 2>/dev/null
} >"$work/logic.txt"
publish logic.txt
{
  echo "# pacing_bench $(date -u +%Y-%m-%d): the frame driver under a simulated display"
  build-bench/bench/pacing_bench 2>&1
} >"$work/pacing.txt"
publish pacing.txt
{
  echo "# on $machine"
  bench/pacing.sh
} >"$work/cpu.txt"
publish cpu.txt
{
  echo "# orvel --check-replay of a 100,000-step recording, $(date -u +%Y-%m-%d) on $machine"
  build-bench/bench/replay_bench "$work/long.orvel-replay"
  echo "# recording: $(stat -c %s "$work/long.orvel-replay") bytes"
  for run in 1 2 3 4 5; do
    start=$(date +%s%N)
    build-bench/orvel --check-replay "$work/long.orvel-replay" >/dev/null
    echo "run $run: $(( ($(date +%s%N) - start) / 1000000 )) ms"
  done
} >"$work/replay.txt"
publish replay.txt
