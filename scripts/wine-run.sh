#!/bin/sh
# Runs a Windows program under Wine with the project's own prefix (in
# build/), no Mono/Gecko prompts and no debug chatter. The prefix is created
# on first use; with TARVEX_WINEPREFIX_TEMPLATE it is a copy of that prefix
# (made first when missing). GUI programs get a virtual display when there is
# none.
# Usage: scripts/wine-run.sh PROGRAM.exe [ARGS...]
set -eu
root=$(cd "$(dirname "$0")/.." && pwd)
export WINEPREFIX="${TARVEX_WINEPREFIX:-$root/build/wineprefix}"
export WINEDEBUG=-all
# No debugger: a crashing program ends instead of waiting for one. No menu
# builder: shortcuts and file types made inside the prefix stay out of the
# desktop of the machine.
export WINEDLLOVERRIDES="mscoree,mshtml=;winedbg.exe=d;winemenubuilder.exe=d"
export WINEARCH=win64

. "$root/scripts/wine-prefix.sh"
ensure_prefix "$WINEPREFIX" "${TARVEX_WINEPREFIX_TEMPLATE:-}"

if [ -z "${DISPLAY:-}" ] && [ "${TARVEX_WINE_DISPLAY:-}" = "1" ]; then
  # A virtual display of its own. Xvfb picks a free display number itself
  # and names it once it listens, so programs started at the same moment
  # never race for one number (as `xvfb-run -a` can).
  numberfile=$(mktemp)
  Xvfb -displayfd 3 -screen 0 1024x768x24 -nolisten tcp 3>"$numberfile" 2>/dev/null &
  xvfb=$!
  trap 'kill $xvfb 2>/dev/null; rm -f "$numberfile"' EXIT
  trap 'exit 1' INT TERM
  i=0
  until [ -s "$numberfile" ]; do
    i=$((i + 1))
    if [ $i -gt 400 ] || ! kill -0 $xvfb 2>/dev/null; then echo "wine-run: Xvfb did not start" >&2; exit 1; fi
    sleep 0.05
  done
  DISPLAY=":$(head -n 1 "$numberfile")"
  export DISPLAY
  status=0
  wine "$@" || status=$?
  exit $status
fi
exec wine "$@"
