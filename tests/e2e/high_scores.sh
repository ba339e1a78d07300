#!/usr/bin/env bash
# A prepared table is shown sorted and saved back sorted on Exit; Reset clears the table and
# the file, with its diagnostic lines.
source "$(dirname "$0")/lib.sh"
start_xvfb
mkdir -p "$(dirname "$SCORES")"
# Names whose lengths give the order away on screen: the longer the name, the higher the score.
printf 'Bo\r\n20\r\nAnnabelle Longname\r\n90\r\nCy\r\n20\r\nDee Medium\r\n50\r\nE\r\n5\r\n' >"$SCORES"
printf 'F\r\n4\r\nG\r\n3\r\nH\r\n2\r\nI\r\n1\r\nJ\r\n7\r\n' >>"$SCORES"
start_game
grep -q -x "Loading: Annabelle Longname : 90" "$OUT" || fail "the prepared table was not loaded"
key s Return
[ "$(menu_marker 2)" = 1 ] || fail "the high-score screen does not show"
screenshot high-scores-sorted
# Table rows stand at y = 2.5 - 0.6 i; the names start at x = 0.8.
edge() {
  "$XPROBE" right-edge 0.7 "$(awk -v i="$1" 'BEGIN { print 2.45 - 0.6 * i }')" \
    5.1 "$(awk -v i="$1" 'BEGIN { print 2.65 - 0.6 * i }')"
}
row1=$(edge 1) row2=$(edge 2) row3=$(edge 3)
echo "right ends of the names of rows 1..3: $row1 $row2 $row3"
awk -v a="$row1" -v b="$row2" -v c="$row3" 'BEGIN { exit !(a > b && b > c && c > 0.8) }' ||
  fail "rows 1..3 are not Annabelle Longname, Dee Medium, Bo"

# Reset (row 2), then leave and Exit.
key s Return
wait_until "Reset reports" 'grep -q -x "Cleared File." "$OUT"'
[ "$(count_lines "Saving: AAA : 0")" = 10 ] || fail "Reset did not print ten Saving lines"
cmp -s "$SCORES" <(filler_table) || fail "Reset did not leave ten filler rows"
[ "$(stat -c %s "$SCORES")" = 80 ] || fail "the cleared file is not 80 bytes"
[ "$(menu_marker 2)" = 2 ] || fail "the marker left Reset"
kill -TERM "$GAME_PID"
expect_exit 0

# A second run: the sorted table is saved back on Exit.
printf 'Bo\r\n20\r\nAnnabelle Longname\r\n90\r\nCy\r\n20\r\nDee Medium\r\n50\r\nE\r\n5\r\n' >"$SCORES"
printf 'F\r\n4\r\nG\r\n3\r\nH\r\n2\r\nI\r\n1\r\nJ\r\n7\r\n' >>"$SCORES"
start_game
key s Return
wait_until "the high-score screen shows" '[ "$(menu_marker 2)" = 1 ]'
key Return w Return
expect_exit 0
expected='Annabelle Longname\r\n90\r\nDee Medium\r\n50\r\nBo\r\n20\r\nCy\r\n20\r\nJ\r\n7\r\n'
expected+='E\r\n5\r\nF\r\n4\r\nG\r\n3\r\nH\r\n2\r\nI\r\n1\r\n'
cmp -s "$SCORES" <(printf "$expected") || fail "Exit did not save the sorted table"
echo "PASS"
