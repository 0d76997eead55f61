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

# Several tests may start at once on a fresh clone: one of them makes it.
make_prefix() {
  mkdir -p "$(dirname "$1")"
  (
    flock 9
    if [ ! -f "$1/system.reg" ]; then
      echo "wine-run: creating Wine prefix $1 (once, about 20 s)" >&2
      WINEPREFIX="$1" wineboot -i >/dev/null 2>&1 || true
      WINEPREFIX="$1" wineserver -w || true
    fi
  ) 9>"$1.lock"
}

copy_prefix() {
  (
    flock 9
    if [ ! -f "$2/system.reg" ]; then
      # A copy takes seconds where wineboot takes tens. Files that programs
      # running in the template create and delete meanwhile may be missed.
      echo "wine-run: copying Wine prefix $1 to $2" >&2
      rm -rf "$2"
      cp -a "$1" "$2" 2>/dev/null || true
    fi
  ) 9>"$2.lock"
}

if [ ! -f "$WINEPREFIX/system.reg" ]; then
  template=${TARVEX_WINEPREFIX_TEMPLATE:-}
  if [ -n "$template" ]; then
    make_prefix "$template"
    copy_prefix "$template" "$WINEPREFIX"
  else
    make_prefix "$WINEPREFIX"
  fi
fi

if [ -z "${DISPLAY:-}" ] && [ "${TARVEX_WINE_DISPLAY:-}" = "1" ]; then
  exec xvfb-run -a -s "-screen 0 1024x768x24" wine "$@"
fi
exec wine "$@"
