#!/usr/bin/env bash
# The real game opens its window on a display without game mode, keeps running without
# burning a core, and a terminate request saves the table and ends it with status 0.
source "$(dirname "$0")/lib.sh"
start_xvfb
REAL_CLOCK=1 start_game  # the game exactly as shipped, on its own clock
# Xvfb has no swap control: the menu must rest between frames rather than run flat out.
cpu_ticks() { awk '{ print $14 + $15 }' "/proc/$GAME_PID/stat"; }
ticks=$(cpu_ticks)
sleep 3
kill -0 "$GAME_PID" 2>/dev/null || fail "the game did not keep running"
used=$(( ($(cpu_ticks) - ticks) * 100 / $(getconf CLK_TCK) ))
echo "main menu: $((used / 3))% of a core"
[ "$used" -lt 210 ] || fail "the main menu used $((used / 3))% of a core, not resting between frames"
screenshot startup-main-menu
[ "$("$XPROBE" yellow -3.2 2.9 2.5 3.6)" -gt 200 ] || fail "no title banner on screen"
grep -q -x "Created new file." "$OUT" || fail "no \"Created new file.\" line"
kill -TERM "$GAME_PID"
expect_exit 0
[ "$(count_lines "Saving: AAA : 0")" = 10 ] || fail "the table was not saved exactly once"
cmp -s "$SCORES" <(filler_table) || fail "the saved file is not ten filler rows"
echo "PASS"
