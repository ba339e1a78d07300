#!/usr/bin/env bash
# Every game is recorded and plays back exactly: a seeded game played to game over, then
# "orvel --replay last" shows it again in the game's window, its diagnostic lines those of the
# live game in order, and ends by itself with status 0 and a line saying it matches. The
# playback never touches the high-score table. --check-replay agrees without a display.
source "$(dirname "$0")/lib.sh"
start_xvfb
start_game ORVEL_SEED=$SEED
: >"$OUT.mark"
key Return
play_to_game_over
key Return w Return  # Back, then Exit
expect_exit 0
cp -p "$SCORES" "$WORK/table-before"
replays=("$DATA"/orvel/replays/*.orvel-replay)
[ "${#replays[@]}" = 1 ] && [ -f "${replays[0]}" ] || fail "not one recording: ${replays[*]}"
grep -q "^end gameover steps [0-9]* score 1 lives 1 hash " "${replays[0]}" ||
  fail "the recording does not end in a game over with score 1: $(tail -n 1 "${replays[0]}")"
mv "$OUT" "$WORK/live.out"

XDG_DATA_HOME="$DATA" "$ORVEL_BIN" --replay last >"$OUT" 2>"$ERR" &
GAME_PID=$!
wait_until "the replay's window appears" 'xdotool search --name "^ORVEL replay$" >/dev/null 2>&1'
wait_until "the replay ends by itself" '! kill -0 "$GAME_PID" 2>/dev/null' 120
expect_exit 0
grep -q "^replay .* matches: score 1 in [0-9]* steps$" "$OUT" || fail "no matching line: $(tail -n 2 "$OUT")"
lines() { grep -E '^(Placing berry at|creating an emitter at|Berry index infront|INTERSECT AT): ' "$1"; }
diff <(lines "$WORK/live.out") <(lines "$OUT") >&2 || fail "the replay's lines differ from the live game's"
cmp -s "$SCORES" "$WORK/table-before" || fail "the replay changed the table"
[ "$(stat -c %Y "$SCORES")" = "$(stat -c %Y "$WORK/table-before")" ] || fail "the replay touched the table"
[ ! -e "$SCORES.new-$GAME_PID" ] || fail "the replay began a save"

"$ORVEL_BIN" --check-replay "${replays[0]}" >"$OUT" || fail "--check-replay: status $?, $(cat "$OUT")"
grep -q "matches (score 1" "$OUT" || fail "--check-replay: $(cat "$OUT")"
echo "PASS"
