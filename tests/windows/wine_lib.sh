# Shared steps of the Wine checks: the zip unpacked in a folder of its own, a private Xvfb
# display, a fresh Wine prefix, and cleaning up after the game and the Wine server.
# Source it with the zip as $1; it sets work, exe, DISPLAY and WINEPREFIX.
# Keys go through XTEST to whatever holds the focus, as a keyboard's do: with no window manager
# Xvfb's focus follows the pointer, which the game's full-screen window covers.
set -euo pipefail
zip=$(cd "$(dirname "$1")" && pwd)/$(basename "$1")
work=$(mktemp -d "${TMPDIR:-/tmp}/orvel-wine.XXXXXX")
xvfb=""
game=""
cleanup() {
  [ -n "$game" ] && kill -9 "$game" 2>/dev/null || true
  WINEPREFIX="$work/prefix" wineserver -k 2>/dev/null || true
  [ -n "$xvfb" ] && { kill "$xvfb" 2>/dev/null; wait "$xvfb" 2>/dev/null; } || true
  chmod -R u+rwX "$work" 2>/dev/null || true  # a check may have taken write bits away
  rm -rf "$work"
}
trap cleanup EXIT
fail() {
  echo "FAIL: $*" >&2
  echo "--- standard output (last lines)" >&2; tail -n 20 "$work/out" >&2 || true
  echo "--- standard error" >&2; grep -v '^wine: \|fixme:' "$work/err" >&2 || true
  exit 1
}
wait_until() {  # DESCRIPTION CONDITION SECONDS
  local deadline=$((SECONDS + $3))
  until eval "$2"; do
    [ $SECONDS -lt $deadline ] || fail "timed out waiting until $1"
    sleep 0.2
  done
}

(cd "$work" && cmake -E tar xf "$zip")
exe=$(ls "$work"/orvel-*-win64/orvel.exe)
Xvfb -displayfd 3 -screen 0 1280x1024x24 -nolisten tcp -noreset 3>"$work/display" 2>/dev/null &
xvfb=$!
wait_until "Xvfb starts" '[ -s "$work/display" ]' 10
export DISPLAY=":$(head -n1 "$work/display")" WINEPREFIX="$work/prefix" WINEDEBUG=-all
export WINEDLLOVERRIDES="mscoree,mshtml="  # no Mono or Gecko installers in a fresh prefix
# A fresh prefix takes wineboot a while: CI makes one for both of its Windows checks. With
# WINE_PREFIX_SPARE set, a copy of the new prefix, before any game ran in it, is left there;
# WINE_PREFIX_GIVEN names such a copy (the caller's own) to take instead of making one.
if [ -n "${WINE_PREFIX_GIVEN:-}" ]; then
  mv "$WINE_PREFIX_GIVEN" "$WINEPREFIX" || fail "cannot take the prefix $WINE_PREFIX_GIVEN"
else
  wineboot -i >/dev/null 2>&1 || fail "wineboot could not make a Wine prefix"
  if [ -n "${WINE_PREFIX_SPARE:-}" ] && [ ! -e "$WINE_PREFIX_SPARE" ]; then
    wineserver -w  # the registry is written out when the server ends
    cp -a "$WINEPREFIX" "$WINE_PREFIX_SPARE" || fail "cannot copy the prefix to $WINE_PREFIX_SPARE"
    # Debian's Wine names this user's wineserver folder (in TMPDIR) in the prefix: whoever takes
    # the copy makes its own.
    rm -f "$WINE_PREFIX_SPARE/wineserver"
  fi
fi
