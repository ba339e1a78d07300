#!/usr/bin/env bash
# Every game is recorded and plays back exactly: a seeded game played to game over, then
# "orvel --replay" shows it again in the game's window, its diagnostic lines those of the live
# game in order, and ends by itself with status 0 and a line saying it matches. The playback
# never touches the high-score table; a file name from anywhere is printed escaped.
# --check-replay agrees without a display. A game left with Escape right after a steering key
# matches too, and a signal in the end's hold ends that replay at once. While a replay plays, a
# line above the board says so; paused, the whole picture stands still. A full standard output
# never holds a replay up, and a replay that loses its display says only that.
source "$(dirname "$0")/lib.sh"
start_xvfb
start_game ORVEL_SEED=$SEED
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

shown="$WORK/shared"$'\e'"[31m.orvel-replay"
cp "${replays[0]}" "$shown"
XDG_DATA_HOME="$DATA" "$ORVEL_BIN" --replay "$shown" >"$OUT" 2>"$ERR" &
GAME_PID=$!
wait_until "the replay ends by itself" '! kill -0 "$GAME_PID" 2>/dev/null' 120
expect_exit 0
grep -q '^replay .*/shared\\x1B\[31m.orvel-replay matches: score 1 in [0-9]* steps$' "$OUT" ||
  fail "no matching line naming the file escaped: $(tail -n 2 "$OUT" | cat -v)"
! grep -q $'\e' "$OUT" "$ERR" || fail "a raw escape byte reached the terminal"
lines() { grep -E '^(Placing berry at|creating an emitter at|Berry index infront|INTERSECT AT): ' "$1"; }
diff <(lines "$WORK/live.out") <(lines "$OUT") >&2 || fail "the replay's lines differ from the live game's"
cmp -s "$SCORES" "$WORK/table-before" || fail "the replay changed the table"
[ "$(stat -c %Y "$SCORES")" = "$(stat -c %Y "$WORK/table-before")" ] || fail "the replay touched the table"
"$ORVEL_BIN" --check-replay "${replays[0]}" >"$OUT" || fail "--check-replay: status $?, $(cat "$OUT")"
grep -q "matches (score 1" "$OUT" || fail "--check-replay: $(cat "$OUT")"

# A game left with Escape right after a key that no step took.
start_game ORVEL_SEED=$SEED
key Return
step
step
key a Escape
kill -TERM "$GAME_PID"
expect_exit 0
XDG_DATA_HOME="$DATA" "$ORVEL_BIN" --check-replay last >"$OUT" || fail "the game left after a key does not match: $(cat "$OUT")"
grep -q ": matches (score 1, 2 steps" "$OUT" || fail "--check-replay last: $(cat "$OUT")"

# SIGTERM in the end's two-second hold is answered at once, with the verdict.
launch_game -- --replay last
step
seam advance 1000
held() { local shown; shown=$(seam_count frames); sleep 0.3; [ "$(seam_count frames)" = "$shown" ]; }
wait_until "the replay holds its last picture" held
kill -TERM "$GAME_PID"
asked=$(date +%s%N)
expect_exit 0
answered=$((($(date +%s%N) - asked) / 1000000))
[ "$answered" -lt 1000 ] || fail "SIGTERM in the end's hold was answered after $answered ms"
grep -q "matches: score 1 in 2 steps" "$OUT" || fail "no verdict after SIGTERM: $(cat "$OUT")"

# The playback's line above the board, and a pause that stops the whole picture.
label() { "$XPROBE" right-edge -2 3.45 2 4.05; }
launch_game -- --replay "${replays[0]}"
step
[ "$(label)" != -99.00 ] || fail "no line above the board during the replay"
playing=$(label)
key f
faster=$(label)
key space
paused=$(label)
echo "right ends of the line: REPLAY $playing, REPLAY 4x $faster, PAUSED $paused"
awk -v p="$playing" -v f="$faster" -v s="$paused" 'BEGIN { exit !(f > p + 0.15 && f > s + 0.15) }' ||
  fail "the line does not say REPLAY, REPLAY 4x and PAUSED in turn"
screenshot replay-paused
pixels "$WORK/before"
step
pixels "$WORK/after"
cmp -s "$WORK/before" "$WORK/after" || fail "the picture moved while the replay was paused"
key space
step
pixels "$WORK/after"
! cmp -s "$WORK/before" "$WORK/after" || fail "the replay did not go on after the pause"

# A standard output nobody reads: Escape still ends the replay.
key Escape
expect_exit 0
open_full_pipe
prepare_seam
env XDG_DATA_HOME="$DATA" "${SEAM_ENV[@]}" "$ORVEL_BIN" --replay last >&5 2>"$ERR" &
GAME_PID=$!
exec 5>&-
wait_until "the replay shows its first frame" first_frame_shown
wait_until "the keyboard focus reaches the replay" game_has_focus
key Escape
expect_exit 0

# The display goes away during a replay: one line that says so, status 3.
stop_xvfb
start_xvfb
launch_game -- --replay "${replays[0]}"
stop_xvfb
expect_exit 3
[ "$(cat "$ERR")" = "orvel: lost the connection to the X display" ] ||
  fail "not just the one line about the lost display: $(cat "$ERR")"
echo "PASS"
