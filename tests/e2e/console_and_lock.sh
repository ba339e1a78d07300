#!/usr/bin/env bash
# What stands around the game never stops it: a closed standard output (no line lands in the
# lock file), a standard output nobody reads (Exit still works, another game still starts), a
# lock another program holds (said on standard error; SIGTERM still ends the game), and, as
# root, a player's folder whose table and lock stay the player's.
source "$(dirname "$0")/lib.sh"
command -v flock >/dev/null 2>&1 || skip "flock is not installed"
start_xvfb

# Waits for a game started by hand (as $GAME_PID, after prepare_seam) to show its main menu.
wait_for_menu() {
  wait_until "the game shows its first frame" first_frame_shown
  wait_until "the main menu is drawn" '[ "$(menu_marker 4)" = 1 ]'
}

# Standard output closed: Exit saves, and the lock file stays empty.
prepare_seam
env XDG_DATA_HOME="$DATA" "${SEAM_ENV[@]}" "$ORVEL_BIN" >&- 2>"$ERR" &
GAME_PID=$!
wait_for_menu
key w Return
expect_exit 0
cmp -s "$SCORES" <(filler_table) || fail "with standard output closed the table was not saved"
[ ! -s "$SCORES.lock" ] || fail "lines went into the lock file: $(head -c 200 "$SCORES.lock")"

# Standard output a pipe that is full and never read.
open_full_pipe
prepare_seam
FULL_SEAM=$SEAM
env XDG_DATA_HOME="$DATA" "${SEAM_ENV[@]}" "$ORVEL_BIN" >&5 2>"$ERR" &
GAME_PID=$!
exec 5>&-
wait_for_menu
grep -q "standard output is not taking the game's lines" "$ERR" ||
  fail "the lost lines were not said on standard error: $(cat "$ERR")"
FULL_PID=$GAME_PID
OTHER_DISPLAY=$DISPLAY
OTHER_PIDS+=("$XVFB_PID")
XVFB_PID=""
start_xvfb
start_game  # a second game on the same folder starts meanwhile
kill -TERM "$GAME_PID"
expect_exit 0
export DISPLAY=$OTHER_DISPLAY
GAME_PID=$FULL_PID SEAM=$FULL_SEAM
rm -f "$SCORES"
key w Return
expect_exit 0
cmp -s "$SCORES" <(filler_table) || fail "with standard output full the table was not saved"

# A lock another program holds: the game says it waits, and SIGTERM ends the wait (the game
# would otherwise give up after 10 s, and say so).
flock "$SCORES.lock" sleep 30 >/dev/null 2>&1 &
LOCKER=$!
OTHER_PIDS+=("$LOCKER")
wait_until "the other program holds the lock" '! flock -n "$SCORES.lock" true'
env XDG_DATA_HOME="$DATA" "$ORVEL_BIN" >"$OUT" 2>"$ERR" &
GAME_PID=$!
wait_until "the game says it waits for the lock" 'grep -q "waiting for .*highScores.txt.lock" "$ERR"'
kill -TERM "$GAME_PID"
expect_exit 1
grep -q "stopped waiting for .*highScores.txt.lock" "$ERR" ||
  fail "SIGTERM did not end the wait for the lock: $(cat "$ERR")"
pkill -P "$LOCKER" sleep || true

# Root saving into a player's folder leaves the table and the lock the player's.
if [ "$(id -u)" = 0 ]; then
  chmod 755 "$WORK"  # root's game works there as the player, who must reach the folder
  chown -R 65534:65534 "$DATA"
  rm -f "$SCORES.lock"
  start_game
  key w Return
  expect_exit 0
  for file in "$SCORES" "$SCORES.lock"; do
    [ "$(stat -c %u:%g "$file")" = 65534:65534 ] || fail "$file is now $(stat -c %U:%G "$file")"
  done
else
  echo "not root: the check that root keeps a player's table the player's is skipped"
fi
echo "PASS"
