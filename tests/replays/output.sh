#!/usr/bin/env bash
# What --check-replay says reaches its reader a whole line at a time, as each file is decided,
# and a reader that has stopped reading never holds the check up for good.
#   output.sh ORVEL_BIN REPLAY
set -euo pipefail
orvel=$1 replay=$2
work=$(mktemp -d)
pids=()
trap 'kill "${pids[@]}" 2>/dev/null || true; rm -rf "$work"' EXIT
fail() { echo "FAIL: $*"; exit 1; }

# Standard output a pipe that is full and never read: the check ends all the same, and says on
# standard error that lines were lost.
mkfifo "$work/pipe"
sleep 1000 <"$work/pipe" >/dev/null 2>&1 &
pids+=($!)
exec 5>"$work/pipe"
head -c 65536 /dev/zero >&5
status=0
timeout 60 "$orvel" --check-replay "$replay" "$replay" >&5 2>"$work/err" || status=$?
exec 5>&-
[ "$status" = 0 ] || fail "status $status with a full pipe for standard output"
grep -q "standard output is not taking" "$work/err" || fail "the lost lines were not said: $(cat "$work/err")"

# Each verdict is written as it is decided: a check ended half-way has left whole lines.
files=()
for _ in $(seq 3000); do files+=("$replay"); done
"$orvel" --check-replay "${files[@]}" >"$work/out" &
checker=$!
pids+=("$checker")
until [ -s "$work/out" ] || ! kill -0 "$checker" 2>/dev/null; do sleep 0.01; done
kill -TERM "$checker" 2>/dev/null || true
wait "$checker" || true
[ -s "$work/out" ] || fail "the check wrote nothing"
[ -z "$(tail -c 1 "$work/out")" ] || fail "the last line was cut: $(tail -c 80 "$work/out")"
grep -v -q ": matches (score" "$work/out" && fail "not one whole verdict a line: $(head -n 3 "$work/out")"
echo "PASS: $(wc -l <"$work/out") whole lines before the check was ended"
