#!/usr/bin/env bash
# What --check-replay says reaches its reader a whole line at a time, as each file is decided;
# a reader that pauses loses none, one that quits ends the check, and a signal ends a check that
# waits for its reader.
#   output.sh ORVEL_BIN REPLAY
set -euo pipefail
orvel=$1 replay=$2
work=$(mktemp -d)
pids=()
trap 'kill "${pids[@]}" 2>/dev/null || true; rm -rf "$work"' EXIT
fail() { echo "FAIL: $*"; exit 1; }

# A reader that pauses is waited for, as grep would: every verdict arrives.
: >"$work/empty"
files=()
for _ in $(seq 2000); do files+=("$work/empty"); done
lines=$( ("$orvel" --check-replay "${files[@]}" 2>&1 || true) | (sleep 2; cat) | wc -l)
[ "$lines" = 2000 ] || fail "$lines verdicts of 2000 reached a reader that paused"

# A reader that quits (head) or a full disk stops the check with status 1, as grep stops, also
# where SIGPIPE is ignored: checking on would report nothing and claim files it never reported.
set +e
(trap '' PIPE; exec "$orvel" --check-replay "${files[@]}" 2>"$work/err") | head -n 1 >/dev/null
quit=${PIPESTATUS[0]}
(trap '' PIPE; exec "$orvel" --check-replay "$replay" >/dev/full 2>>"$work/err")
full=$?
set -e
[ "$quit $full" = "1 1" ] || fail "status $quit after the reader quit, $full on a full disk"
[ "$(grep -c 'stopped checking' "$work/err")" = 2 ] || fail "not said: $(cat "$work/err")"
# Where SIGPIPE has its default action, the reader that quits ends the check by it, silently.
if env --default-signal=PIPE true 2>/dev/null; then
  set +e
  env --default-signal=PIPE "$orvel" --check-replay "${files[@]}" 2>"$work/err" | head -n 1 >/dev/null
  quit=${PIPESTATUS[0]}
  set -e
  [ "$quit" = 141 ] && [ ! -s "$work/err" ] || fail "status $quit, said $(cat "$work/err")"
fi

# A reader that never reads holds the check, yet a termination request ends it at once.
mkfifo "$work/pipe"
sleep 1000 <"$work/pipe" >/dev/null 2>&1 &
pids+=($!)
exec 5>"$work/pipe"
"$orvel" --check-replay "${files[@]}" >&5 2>/dev/null &
checker=$!
pids+=("$checker")
sleep 0.5
kill -0 "$checker" 2>/dev/null || fail "the check did not wait for its reader"
kill -TERM "$checker"
for _ in $(seq 100); do kill -0 "$checker" 2>/dev/null || break; sleep 0.01; done
kill -0 "$checker" 2>/dev/null && fail "SIGTERM did not end a check waiting for its reader"
exec 5>&-

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
