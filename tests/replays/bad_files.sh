#!/usr/bin/env bash
# Replay files are input from strangers: each kind of bad file gets one line naming the file
# (and the line, where there is one) and exit status 5, promptly, touching no other file; what
# comes from a file or its name is printed escaped; "last" and "best" that find no recording
# exit with status 6.
#   bad_files.sh ORVEL_BIN
set -euo pipefail
orvel=$1
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
header=$'ORVEL replay 1\ngame 1.0.0\nseed 7\nposition 0\ndifficulty 2\ndate x\n'
printf 'garbage\x00\x01\xff' >"$work/garbage"
head -c 10000000 /dev/zero | tr '\0' 'x' >"$work/ten-megabytes"
mkfifo "$work/fifo"
printf '%s' "${header%%seed*}" >"$work/truncated"
printf 'ORVEL replay 2\n' >"$work/newer"
printf '%sturn 5 q\nend escape steps 9 score 0 lives 3 hash 1\n' "$header" >"$work/heading"
printf '%sturn 5 a\nturn 3 s\nend escape steps 9 score 0 lives 3 hash 1\n' "$header" >"$work/backwards"
printf '%sturn 50 a\nend escape steps 9 score 0 lives 3 hash 1\n' "$header" >"$work/beyond"
printf '%s' "${header/difficulty 2/difficulty 9}" >"$work/difficulty"
printf '%s' "${header/seed 7/seed 4294967296}" >"$work/seed"
printf 'game 1.0.0\nseed 7\n' >"$work/no-header"
printf 'ORVEL replay 99999999999999999999\n' >"$work/far-newer"
printf '%send escape steps 9 score 0 lives 3 hash 1\n' "${header/position 0/position 100000000}" >"$work/far-position"
# 110 bytes whose position many steps might once justify: refused, never seconds of work.
printf '%send escape steps 2000000 score 0 lives 3 hash 1\n' "${header/position 0/position 2004194304}" >"$work/costly"
files=(garbage ten-megabytes fifo truncated newer heading backwards beyond difficulty seed no-header
       far-newer far-position costly)
status=0
start=$SECONDS
(cd "$work" && timeout 20 "$orvel" --check-replay "${files[@]}" /dev/zero) >"$work/out" 2>&1 || status=$?
[ "$status" = 5 ] || { echo "FAIL: status $status, not 5"; cat "$work/out"; exit 1; }
[ $((SECONDS - start)) -le 5 ] || { echo "FAIL: took $((SECONDS - start)) s"; exit 1; }
[ "$(wc -l <"$work/out")" = $((${#files[@]} + 1)) ] || { echo "FAIL: not one line per file:"; cat "$work/out"; exit 1; }
for file in "${files[@]}" /dev/zero; do
  grep -q -- "$file" "$work/out" || { echo "FAIL: no line names $file"; cat "$work/out"; exit 1; }
done
grep -q "newer: line 1: the replay's format version 2 is newer than this game's (1)" "$work/out" ||
  { echo "FAIL: the newer format is not named with both versions"; cat "$work/out"; exit 1; }
grep -q "heading: line 7: " "$work/out" || { echo "FAIL: the bad heading's line is not named"; exit 1; }
grep -q "far-newer: line 1: the replay's format version 99999999999999999999 is newer" "$work/out" ||
  { echo "FAIL: a version too large for a number is not a newer version"; exit 1; }
grep -q "far-position: line 4: position 100000000 is farther than a recording may start" "$work/out" &&
  grep -q "costly: line 4: position 2004194304 is farther" "$work/out" ||
  { echo "FAIL: a far position is not refused"; exit 1; }

# What comes from a file or its name reaches the terminal escaped; a control byte in a line
# makes the file no replay.
esc=$'\e'
printf '%send escape steps 9 score 0 lives 3 hash 1\n' "$header" >"$work/red${esc}[31m"
printf 'ORVEL replay 1\ngame %s[31m\nseed x\n' "$esc" >"$work/bad${esc}[31m"
status=0
(cd "$work" && "$orvel" --check-replay "red${esc}[31m" "bad${esc}[31m") >"$work/escaped" 2>&1 || status=$?
! grep -q "$esc" "$work/escaped" || { echo "FAIL: raw escape bytes reached the output:"; cat -v "$work/escaped"; exit 1; }
grep -q 'red\\x1B\[31m: does not match' "$work/escaped" &&
  grep -q 'bad\\x1B\[31m: line 2: the line holds a control byte' "$work/escaped" ||
  { echo "FAIL: the escaped names or the control byte are missing:"; cat -v "$work/escaped"; exit 1; }
rm -f "$work/red${esc}[31m" "$work/bad${esc}[31m" "$work/escaped"

# "last" and "best" with no recordings: a status of their own.
for which in last best; do
  status=0
  XDG_DATA_HOME="$work/empty" "$orvel" --check-replay "$which" >"$work/none" 2>&1 || status=$?
  [ "$status" = 6 ] && grep -q "no recorded game" "$work/none" ||
    { echo "FAIL: $which with no recordings: status $status: $(cat "$work/none")"; exit 1; }
  rm -f "$work/none"
done
[ "$(ls "$work" | wc -l)" = $((${#files[@]} + 1)) ] || { echo "FAIL: a file was added"; ls "$work"; exit 1; }
cat "$work/out"
echo "PASS"
