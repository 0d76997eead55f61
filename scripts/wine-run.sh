#!/bin/sh
# Runs a Windows program under Wine with the project's own prefix (in
# build/), no Mono/Gecko prompts and no debug chatter. The prefix is created
# on first use. GUI programs get a virtual display when there is none.
# Usage: scripts/wine-run.sh PROGRAM.exe [ARGS...]
set -eu
root=$(cd "$(dirname "$0")/.." && pwd)
export WINEPREFIX="${TARVEX_WINEPREFIX:-$root/build/wineprefix}"
export WINEDEBUG=-all
# No debugger: a crashing program ends instead of waiting for one.
export WINEDLLOVERRIDES="mscoree,mshtml=;winedbg.exe=d"
export WINEARCH=win64

if [ ! -f "$WINEPREFIX/system.reg" ]; then
  mkdir -p "$(dirname "$WINEPREFIX")"
  # Several tests may start at once on a fresh clone: one of them makes it.
  (
    flock 9
    if [ ! -f "$WINEPREFIX/system.reg" ]; then
      template=${TARVEX_WINEPREFIX_TEMPLATE:-}
      if [ -n "$template" ] && [ -f "$template/system.reg" ]; then
        # A copy of a finished prefix takes seconds where wineboot takes tens.
        echo "wine-run: copying Wine prefix $template to $WINEPREFIX" >&2
        # Files other programs create and delete meanwhile may be missed.
        rm -rf "$WINEPREFIX"
        cp -a "$template" "$WINEPREFIX" 2>/dev/null || true
      else
        echo "wine-run: creating Wine prefix $WINEPREFIX (once, about 20 s)" >&2
        wineboot -i >/dev/null 2>&1 || true
        wineserver -w || true
      fi
    fi
  ) 9>"$WINEPREFIX.lock"
fi

if [ -z "${DISPLAY:-}" ] && [ "${TARVEX_WINE_DISPLAY:-}" = "1" ]; then
  exec xvfb-run -a -s "-screen 0 1024x768x24" wine "$@"
fi
exec wine "$@"
