#!/usr/bin/env bash
# Root playing in a player's folder (sudo -E keeps the player's XDG_DATA_HOME) leaves nothing
# the player can't use: every folder and file root's game makes there (the data folder, the
# table, its lock, the replay folder, a recording) is the player's, whether the data folder was
# there before or only the replay folder was missing. Then the player's own game starts,
# records a game and saves.
source "$(dirname "$0")/lib.sh"
[ "$(id -u)" = 0 ] || skip "only root can play in another user's folder (CI runs this test as root)"
start_xvfb

# A game recorded (New Game, then Escape), then Exit.
record_and_exit() {
  start_game
  key Return Escape w Return
  expect_exit 0
  ! grep -q "cannot" "$ERR" || fail "the game could not do its work: $(cat "$ERR")"
}
players_alone() {
  local others
  others=$(find "$DATA" \( ! -user 65534 -o ! -group 65534 \) -printf '%p %u:%g\n')
  [ -z "$others" ] || fail "$1: root left these behind: $others"
}

chown 65534:65534 "$DATA"
record_and_exit
players_alone "no data folder before"
rm -rf "$DATA/orvel/replays"
record_and_exit
players_alone "no replay folder before"

become_player
record_and_exit
[ "$(find "$DATA/orvel/replays" -name '*.orvel-replay' | wc -l)" = 2 ] ||
  fail "the player's game was not recorded: $(ls "$DATA/orvel/replays")"
players_alone "the player's own game"
echo "PASS"
