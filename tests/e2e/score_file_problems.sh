#!/usr/bin/env bash
# A high-score file the game can't use stops it at start-up with status 1 and is left as it
# was: unreadable or read-only for the player, a FIFO (promptly, no hang). A symlinked table is
# saved through the link, which stays, with the target's mode kept; leftovers of killed saves
# are removed, and nothing else.
source "$(dirname "$0")/lib.sh"
start_xvfb
mkdir -p "$(dirname "$SCORES")"
table() { printf 'Low\r\n1\r\nHigh\r\n9\r\nMid\r\n5\r\n'; }

# starts_with_error STATUS MESSAGE [COMMAND PREFIX...]: the game stops at start-up.
starts_with_error() {
  local want=$1 message=$2 status=0
  shift 2
  timeout 10 "$@" env XDG_DATA_HOME="$DATA" "$ORVEL_BIN" >"$OUT" 2>"$ERR" || status=$?
  [ "$status" = "$want" ] || fail "status $status, not $want, for: $message"
  grep -q -- "$message" "$ERR" || fail "no \"$message\" on standard error: $(cat "$ERR")"
}

# As a player on a table that player can't read, then can't write.
become_player
table >"$SCORES"
for mode in 000:"Permission denied" 444:"is read-only"; do
  chmod "${mode%%:*}" "$SCORES"
  starts_with_error 1 "${mode#*:}" "${PLAYER[@]}"
  chmod 644 "$SCORES"
  cmp -s "$SCORES" <(table) || fail "the mode ${mode%%:*} table was changed"
done
rm -f "$SCORES"
PLAYER=()
# The folder is the test's own again: in a player's folder root's game acts as the player.
[ "$(id -u)" != 0 ] || chown -R 0:0 "$DATA"

mkfifo "$SCORES"
starts_with_error 1 "is not a regular file"
[ -p "$SCORES" ] || fail "the FIFO was replaced"
rm -f "$SCORES"

# A table kept elsewhere through a symlink, with leftovers of saves beside it.
mkdir "$WORK/synced"
table >"$WORK/synced/table.txt"
chmod 600 "$WORK/synced/table.txt"
ln -s "$WORK/synced/table.txt" "$SCORES"
touch "$WORK/synced/table.txt.new-4194301" "$WORK/synced/table.txt.new-$$" \
  "$WORK/synced/table.txt.new-backup"
start_game
[ ! -e "$WORK/synced/table.txt.new-4194301" ] || fail "a killed save's leftover stayed"
[ -e "$WORK/synced/table.txt.new-$$" ] && [ -e "$WORK/synced/table.txt.new-backup" ] ||
  fail "a file that is not a killed save's leftover was removed"
key s Return
[ "$(menu_marker 2)" = 1 ] || fail "the high-score screen does not show"
# Back, then Exit: the table is saved sorted (its last row read was padded away at load, as
# in any file shorter than ten rows).
key Return w Return
expect_exit 0
[ -L "$SCORES" ] || fail "the symlink was replaced by a file"
cmp -s "$WORK/synced/table.txt" <(printf 'High\r\n9\r\nLow\r\n1\r\n'; for _ in $(seq 8); do printf 'AAA\r\n0\r\n'; done) ||
  fail "the symlink's target was not updated: $(od -c "$WORK/synced/table.txt" | head -n 3)"
[ "$(stat -c %a "$WORK/synced/table.txt")" = 600 ] || fail "the target's mode was not kept"
echo "PASS"
