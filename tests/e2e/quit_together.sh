#!/usr/bin/env bash
# Games told to quit at the same moment all save: a logout, a shutdown or a closed terminal
# sends every game SIGTERM at once. Two games, then four, share one table, each with a change of
# its own still unsaved (its High Scores seen: the table sorted), and get SIGTERM in one kill,
# ten times each: every game exits 0 with its last save whole on disk.
source "$(dirname "$0")/lib.sh"
mkdir -p "$(dirname "$SCORES")"
unsorted() { for score in 3 1 4 1 5 9 2 6 5 3; do printf 'P%s\r\n%s\r\n' "$score" "$score"; done; }
sorted() { for score in 9 6 5 5 4 3 3 2 1 1; do printf 'P%s\r\n%s\r\n' "$score" "$score"; done; }
displays=()
for _ in 1 2 3 4; do  # each game on a display of its own, so that its keys are its alone
  start_xvfb
  displays+=("$DISPLAY")
  OTHER_PIDS+=("$XVFB_PID")
  XVFB_PID=""
done
for games in 2 4; do
  for round in $(seq 10); do
    unsorted >"$SCORES"
    pids=()
    for game in $(seq "$games"); do
      export DISPLAY=${displays[game - 1]}
      start_game
      key s Return  # High Scores: the sorted table is this game's change, saved at its end
      mv "$OUT" "$WORK/out.$game"
      mv "$ERR" "$WORK/err.$game"
      pids+=("$GAME_PID")
      OTHER_PIDS+=("$GAME_PID")
      GAME_PID=""
    done
    kill -TERM "${pids[@]}"
    for game in $(seq "$games"); do
      status=0
      wait "${pids[game - 1]}" || status=$?
      [ "$status" = 0 ] ||
        fail "round $round of $games games: game $game ended with status $status: $(cat "$WORK/err.$game")"
      [ "$(grep -c "^Saving: " "$WORK/out.$game")" = 10 ] ||
        fail "round $round of $games games: game $game's last save is missing"
    done
    cmp -s "$SCORES" <(sorted) || fail "round $round of $games games: the table is not the sorted one"
  done
  echo "$games games told to quit together, 10 times: every one saved and ended with status 0"
done
echo "PASS"
