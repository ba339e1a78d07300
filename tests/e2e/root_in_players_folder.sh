#!/usr/bin/env bash
# Root playing in a player's folder (sudo -E or su -m keep the player's XDG_DATA_HOME or HOME).
# Root's game decides once, at start-up, who it is: in a folder that is not root's alone it
# becomes the player for good, before the display, a GL driver or any file of the folder is
# touched. Nothing the player plants then makes root's game touch root's files or run the
# player's code as root: the table a symlink to a root-only file, its lock a hard link to it,
# the replay folder or the data folder a symlink to root's folders, links into a third user's
# folder, the new data folder swapped for a symlink as root's game makes it (30 tries), a data
# folder under /tmp-like sticky folder that blinks away and back as root's game looks at it (30
# tries), HOME=. in a folder too deep to name, and the GL stack's settings in the player's
# environment (a driver, a trace file), wherever root's game plays. Root's folder
# stays as it was, byte for byte and owner for owner, nothing added or removed, nothing of it
# printed. Then play as sudo -E gives it, the player's own links and the player's own game record
# and save, and everything made is the player's.
source "$(dirname "$0")/lib.sh"
[ "$(id -u)" = 0 ] || skip "only root can play in another user's folder (CI runs this test as root)"
command -v setpriv >/dev/null 2>&1 || skip "setpriv is not installed"
as_player() { setpriv --reuid=65534 --regid=65534 --clear-groups "$@"; }
chmod 755 "$WORK"
chown 65534:65534 "$DATA"
as_player test -w "$DATA" || skip "uid 65534 cannot reach $WORK (is TMPDIR in a private folder?)"
start_xvfb

fresh_data() { rm -rf "$DATA" && mkdir "$DATA" && chown 65534:65534 "$DATA"; }

# Root's own files: a root-only file, a leftover-shaped file beside it, root's recordings and a
# root-only folder.
VICTIMS="$WORK/root"
mkdir -p "$VICTIMS/replays" "$VICTIMS/empty" "$VICTIMS/private"
chmod 700 "$VICTIMS/private"
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
  ! grep -q SECRET "$OUT" "$ERR" || fail "$1: root's game printed a root-only file"
}

# Root's game on the real clock until it shows its window (then SIGTERM, which saves) or ends
# by itself; extra environment as NAME=VALUE arguments, in the folder $IN (default here), or
# $DEPTH folders named $DEEP below it, entered one by one (a path longer than PATH_MAX can't be
# entered at once).
# PLAYED_AS says whose it was meanwhile: the user IDs (real, effective, saved, file system) of a
# game that showed its window; GAME_STATUS how it ended.
brief_root_game() {
  (cd "${IN:-.}" && for _ in $(seq "${DEPTH:-0}"); do cd "$DEEP"; done &&
    exec env XDG_DATA_HOME="$DATA" "$@" "$ORVEL_BIN") >"$OUT" 2>"$ERR" &
  GAME_PID=$!
  wait_until "root's game shows its window or ends" \
    '! kill -0 "$GAME_PID" 2>/dev/null || xdotool search --name "^ORVEL\$" >/dev/null 2>&1'
  PLAYED_AS=$(awk '/^Uid:/ { print $2, $3, $4, $5 }' "/proc/$GAME_PID/status" 2>/dev/null) || true
  kill -TERM "$GAME_PID" 2>/dev/null || true
  GAME_STATUS=0
  wait "$GAME_PID" || GAME_STATUS=$?
  GAME_PID=""
}
as_the_player() { [ "${PLAYED_AS:-ended}" = "65534 65534 65534 65534" ] || [ -z "$PLAYED_AS" ]; }

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
  as_the_player || fail "root's game in the player's folder ran as $PLAYED_AS"
  untouched "$link a symlink ($maker) to another user's folder"
done

# HOME=. in a folder of the player's too deep for its path to be told: root's game can't know
# whose folder it is in, and stops, having touched nothing.
fresh_data
DEEP=$(printf '%0100d' 0)
as_player bash -c 'cd "$1" && for _ in $(seq 45); do mkdir "$2" && cd "$2"; done &&
  mkdir -p .local/share/orvel && ln -s "$3" .local/share/orvel/highScores.txt' _ "$DATA" "$DEEP" \
  "$VICTIMS/victim" || fail "cannot make the deep folder"
IN="$DATA" DEPTH=45 brief_root_game XDG_DATA_HOME= HOME=.
[ "$GAME_STATUS" = 1 ] && [ -z "$PLAYED_AS" ] && grep -q "run ORVEL as the folder's owner" "$ERR" ||
  fail "root's game in a folder too deep to name: status $GAME_STATUS, ran as ${PLAYED_AS:-nobody}"
untouched "HOME=. in a folder too deep to name"
[ -z "$(find "$DATA" ! -user 65534 -print -quit)" ] || fail "root's game made files in the deep folder"

fresh_data
# setpriv itself in the background (not the function, whose subshell would be the PID killed at
# the end while the swapper lived on).
setpriv --reuid=65534 --regid=65534 --clear-groups "$FOLDER_SWAPPER" "$DATA" orvel "$VICTIMS/victim" \
  >"$WORK/swapper" 2>&1 &
OTHER_PIDS+=($!)
wait_until "the player watches the folder" 'grep -q watching "$WORK/swapper"'
for try in $(seq 30); do
  brief_root_game
  untouched "race $try"
  rm -rf "$DATA"/orvel "$DATA"/away.*
done
kill "${OTHER_PIDS[-1]}"

# Root's data folder not yet made under a sticky folder anyone may write in, where the player has
# made it first, with a link into root's private folder inside, and makes it vanish for an
# instant every 300 us: whatever root's game finds when it looks, it never follows the link as
# root. Where it found nothing, it made the folder itself, and plays there as root.
sticky="$WORK/sticky"
mkdir -m 1777 "$sticky"
as_player mkdir "$sticky/p"
as_player ln -s "$VICTIMS/private" "$sticky/p/orvel"
setpriv --reuid=65534 --regid=65534 --clear-groups "$FOLDER_SWAPPER" --blink "$sticky" p \
  >"$WORK/blinker" 2>&1 &
OTHER_PIDS+=($!)
wait_until "the player's folder blinks" 'grep -q blinking "$WORK/blinker"'
claimed=0
for try in $(seq 30); do
  brief_root_game XDG_DATA_HOME="$sticky/p"
  untouched "blinking folder, try $try"
  if [ "$(stat -c %u "$sticky/p" 2>/dev/null)" = 0 ]; then
    [ "${PLAYED_AS:-0 0 0 0}" = "0 0 0 0" ] || fail "root's game in root's own new folder ran as $PLAYED_AS"
    claimed=$((claimed + 1))
    rm -rf "$sticky/p"
  else
    as_the_player || fail "root's game in the blinking folder ran as $PLAYED_AS"
  fi
done
echo "root's game found the blinking folder gone, and made its own, in $claimed of 30 tries"

# A game recorded (New Game, then Escape), then Exit, as the player for good.
record_and_exit() {
  start_game "$@"
  grep -q "^Uid:\s*65534\s*65534\s*65534\s*65534$" "/proc/$GAME_PID/status" ||
    fail "the game does not run as the player: $(grep Uid "/proc/$GAME_PID/status")"
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
record_and_exit SUDO_UID=65534 SUDO_GID=65534  # sudo -E
players_alone "sudo -E, no data folder before"
[ "$(stat -c %a "$DATA/orvel")" = 700 ] && [ "$(stat -c %a "$SCORES.lock")" = 600 ] ||
  fail "the data folder or the lock is open to others: $(ls -la "$DATA/orvel")"
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

# The environment root's game was given may be the player's (su -m keeps it): the GL stack's
# settings there choose code to load, files to write, caches of compiled code to trust. Root's
# game takes none of them, whoever it plays as: in the player's folder, with sudo's word and
# without, in root's own folder, and in a folder of a third user's the player names, or with a
# third user's SUDO_UID, whose rights the player would otherwise borrow. The same driver is loaded
# by the player's own game (so the test would see it run), and by no game root starts; a trace
# the player asks for never lands on root's file.
mkdir "$DATA/dri" "$WORK/own" "$WORK/third"
cp "$PLAYER_DRIVER" "$DATA/dri/swrast_dri.so"
chown -R 65534:65534 "$DATA/dri"
chmod 700 "$WORK/own"
chown 1:1 "$WORK/third"
install -m 666 /dev/null "$WORK/driver.log"
driver=(LIBGL_DRIVERS_PATH="$DATA/dri" PLAYER_DRIVER_LOG="$WORK/driver.log")
brief_root_game "${driver[@]}" "${PLAYER[@]}"
[ "$(cat "$WORK/driver.log")" = 65534 ] || fail "the player's game did not load the player's driver"
: >"$WORK/driver.log"
for where in "" SUDO_UID=65534 XDG_DATA_HOME="$WORK/own" XDG_DATA_HOME="$WORK/third" SUDO_UID=2; do
  brief_root_game "${driver[@]}" $where
  [ ! -s "$WORK/driver.log" ] ||
    fail "root's game ($where) loaded the player's driver as $(sort -u "$WORK/driver.log")"
  untouched "the player's GL driver ($where)"
done
brief_root_game GALLIUM_TRACE="$VICTIMS/victim" XDG_DATA_HOME="$WORK/own"
untouched "a GL trace written to root's file"
echo "PASS"
