#!/usr/bin/env bash
# A key held on a menu moves the marker once at once and then once per cooldown, not at the
# keyboard's repeat rate.
source "$(dirname "$0")/lib.sh"
start_xvfb
start_game
rows=""
xdotool keydown s
end=$((SECONDS + 2))
start=$(date +%s%N)
while [ $(( ($(date +%s%N) - start) / 1000000 )) -lt 1000 ]; do
  rows+="$(menu_marker 4)"
done
xdotool keyup s
moves=$(echo "$rows" | fold -w1 | uniq | wc -l)
moves=$((moves - 1))
echo "marker rows seen while holding s for one second: $rows" | fold -w 100
echo "moves: $moves"
[ "$moves" -ge 2 ] || fail "a held key never repeated ($moves moves)"
# One move at once, then at most one per 200 ms cooldown.
[ "$moves" -le 6 ] || fail "the marker moved $moves times in one second"
kill -TERM "$GAME_PID"
expect_exit 0
echo "PASS"
