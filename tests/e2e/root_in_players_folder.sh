#!/usr/bin/env bash
# Root playing in a player's folder (sudo -E keeps the player's XDG_DATA_HOME).
# Nothing the player plants there makes root's game touch root's files elsewhere: the table a
# symlink to a root-only file, its lock a hard link to it, the replay folder or the data folder a
# symlink to root's folders, or the new data folder swapped for a symlink as root's game makes
# it (a race, 30 tries). Root's folder stays as it was, byte for byte and owner for owner, with
# nothing added or removed, and nothing of the file is printed. Then everything root's game
# makes there (the data folder, the table, its lock, the replay folder, a recording) is the
# player's, a player's link to their own table is still followed, and the player's own game
# starts, records a game and saves.
source "$(dirname "$0")/lib.sh"
[ "$(id -u)" = 0 ] || skip "only root can play in another user's folder (CI runs this test as root)"
command -v setpriv >/dev/null 2>&1 || skip "setpriv is not installed"
as_player() { setpriv --reuid=65534 --regid=65534 --clear-groups "$@"; }
chmod 755 "$WORK"
chown 65534:65534 "$DATA"
as_player test -w "$DATA" || skip "uid 65534 cannot reach $WORK (is TMPDIR in a private folder?)"
start_xvfb

fresh_data() { rm -rf "$DATA" && mkdir "$DATA" && chown 65534:65534 "$DATA"; }

# Root's own files: a root-only file, a leftover-shaped file beside it, and root's recordings.
VICTIMS="$WORK/root"
mkdir -p "$VICTIMS/replays" "$VICTIMS/empty"
printf 'SECRET\r\n7\r\n' >"$VICTIMS/victim"
chmod 600 "$VICTIMS/victim"
: >"$VICTIMS/victim.new-4194301"
for i in $(seq 60); do
  echo "end gameover steps 1 score 0 lives 0 hash 1" \
    >"$VICTIMS/replays/$(printf %08d "$i")-20261208-120000-d2-s00000.orvel-replay"
done
# Another user's data folder (uid 4242, in no password database), which the player may read.
mkdir -p "$VICTIMS/other/replays"
filler_table >"$VICTIMS/other/highScores.txt"
cp "$VICTIMS"/replays/* "$VICTIMS/other/replays/"
chmod -R go+rX "$VICTIMS/other"
chown -R 4242:4242 "$VICTIMS/other"
victims() {
  find "$VICTIMS" -printf '%p %U:%G %m %s %T@\n' | sort
  find "$VICTIMS" -type f -exec sha256sum {} + | sort
}
victims >"$WORK/victims.before"
untouched() {
  victims | diff "$WORK/victims.before" - >&2 || fail "$1: root's files changed (above)"
  ! grep -q SECRET "$OUT" || fail "$1: root's game printed a root-only file"
}

# Root's game on the real clock until it shows its window (then SIGTERM, which saves) or ends
# by itself, refusing the folder.
brief_root_game() {
  env XDG_DATA_HOME="$DATA" "$ORVEL_BIN" >"$OUT" 2>"$ERR" &
  GAME_PID=$!
  wait_until "root's game shows its window or ends" \
    '! kill -0 "$GAME_PID" 2>/dev/null || xdotool search --name "^ORVEL\$" >/dev/null 2>&1'
  kill -TERM "$GAME_PID" 2>/dev/null || true
  wait "$GAME_PID" || true
  GAME_PID=""
}

fresh_data
as_player mkdir "$DATA/orvel"
as_player ln -s "$VICTIMS/victim" "$SCORES"
brief_root_game
untouched "the table a symlink to a root-only file"

fresh_data
as_player mkdir "$DATA/orvel"
filler_table | as_player tee "$SCORES" >/dev/null
ln "$VICTIMS/victim" "$SCORES.lock"  # as the player can where fs.protected_hardlinks is 0
brief_root_game
untouched "the table's lock a hard link to a root-only file"

fresh_data
as_player mkdir "$DATA/orvel"
as_player ln -s "$VICTIMS/replays" "$DATA/orvel/replays"
start_game
key Return Escape w Return  # a recorded game, then Exit
expect_exit 0
untouched "the replay folder a symlink to root's folder of recordings"

fresh_data
as_player ln -s "$VICTIMS/empty" "$DATA/orvel"
brief_root_game
untouched "the data folder a symlink to root's folder"

# A link in the player's folder leads where the player has no rights, whoever owns what lies
# beyond: the player's own, or root's (a hard link to one, where fs.protected_hardlinks is 0).
for link in orvel orvel/replays root:orvel/replays; do
  fresh_data
  [ "$link" = orvel ] || as_player mkdir "$DATA/orvel"
  maker=as_player
  [ "${link#root:}" = "$link" ] || { maker=env; link=${link#root:}; }
  $maker ln -s "$VICTIMS/other${link#orvel}" "$DATA/$link"
  brief_root_game
  untouched "$link a symlink ($maker) to another user's folder"
done

fresh_data
# setpriv itself in the background (not the function, whose subshell would be the PID killed at
# the end while the swapper lived on).
setpriv --reuid=65534 --regid=65534 --clear-groups "$FOLDER_SWAPPER" "$DATA" orvel "$VICTIMS/victim" \
  >"$WORK/swapper" 2>&1 &
OTHER_PIDS+=($!)
wait_until "the player watches the folder" 'grep -q watching "$WORK/swapper"'
swapped=0
for try in $(seq 30); do
  brief_root_game
  [ ! -L "$DATA/orvel" ] || swapped=$((swapped + 1))
  untouched "race $try"
  rm -rf "$DATA"/orvel "$DATA"/away.*
done
echo "the player swapped the new data folder for a symlink in $swapped of 30 tries"

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

fresh_data
record_and_exit
players_alone "no data folder before"
rm -rf "$DATA/orvel/replays"
record_and_exit
players_alone "no replay folder before"
for i in $(seq 10 -1 1); do printf 'MINE\r\n%d\r\n' "$i"; done | as_player tee "$DATA/table" >/dev/null
before=$(stat -c %i "$DATA/table")
rm "$SCORES"
as_player ln -s ../table "$SCORES"
record_and_exit
[ -L "$SCORES" ] && [ "$(stat -c %i "$DATA/table")" != "$before" ] &&
  [ "$(head -n 1 "$DATA/table")" = $'MINE\r' ] || fail "root's game did not save through the player's link"
players_alone "a player's link to their own table"

become_player
record_and_exit
[ "$(find "$DATA/orvel/replays" -name '*.orvel-replay' | wc -l)" = 3 ] ||
  fail "the player's game was not recorded: $(ls "$DATA/orvel/replays")"
players_alone "the player's own game"
echo "PASS"
