#!/usr/bin/env bash
# make bench: the frame benchmark on a private 1280 x 1024 Xvfb display, then the logic
# benchmarks. Writes bench/results/frames.txt and bench/results/logic.txt, which
# docs/performance.md quotes.
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/install-deps.sh bench
cmake -S . -B build-bench -DCMAKE_BUILD_TYPE=Release -DORVEL_BENCH=ON -DORVEL_TESTS=OFF >/dev/null
cmake --build build-bench -j "$(nproc)" --target frame_bench logic_bench
mkdir -p bench/results

work=$(mktemp -d)
Xvfb -displayfd 3 -screen 0 1280x1024x24 -nolisten tcp 3>"$work/display" 2>"$work/xvfb.log" &
xvfb=$!
trap 'kill $xvfb 2>/dev/null; wait $xvfb 2>/dev/null; rm -rf "$work"' EXIT
for _ in $(seq 100); do [ -s "$work/display" ] && break; sleep 0.1; done
export DISPLAY=":$(head -n1 "$work/display")"
sleep 1

machine="$(nproc) cores, $(grep -m1 'model name' /proc/cpuinfo | cut -d: -f2 | sed 's/^ //'), Xvfb + Mesa llvmpipe"
{
  echo "# frame_bench $(date -u +%Y-%m-%d) on $machine"
  build-bench/frame_bench "$@" 2>/dev/null
} | tee bench/results/frames.txt
{
  echo "# logic_bench $(date -u +%Y-%m-%d) on $machine"
  build-bench/bench/logic_bench --benchmark_repetitions=5 --benchmark_report_aggregates_only=true 2>/dev/null
} | tee bench/results/logic.txt
