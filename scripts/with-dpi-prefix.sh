#!/bin/sh
# Runs a command in a Wine prefix whose screen has DPI dots per inch (96 is
# 100 %, 192 is 200 %): a copy of the project's prefix with the LogPixels
# setting changed, kept in build/ for the next run. TARVEX_EXPECTED_DPI tells
# the command which scale it should find.
# Usage: scripts/with-dpi-prefix.sh DPI COMMAND [ARGS...]
set -eu
root=$(cd "$(dirname "$0")/.." && pwd)
dpi=$1
shift
prefix="$root/build/wineprefix-dpi$dpi"
export TARVEX_WINEPREFIX="$prefix"
export TARVEX_WINEPREFIX_TEMPLATE="${TARVEX_WINEPREFIX_TEMPLATE:-$root/build/wineprefix}"
export TARVEX_EXPECTED_DPI="$dpi"
mkdir -p "$root/build"
. "$root/scripts/wine-prefix.sh"
(
  flock 9
  if [ ! -f "$prefix/dpi-$dpi" ]; then
    # A copy no program has run in yet: its registry file is set directly,
    # which spares a Wine start per scale.
    if [ -d "$prefix" ]; then
      WINEPREFIX="$prefix" wineserver -k 2>/dev/null || true
      rm -rf "$prefix"
    fi
    ensure_prefix "$prefix" "$TARVEX_WINEPREFIX_TEMPLATE"
    set_screen_dpi "$prefix" "$dpi"
    touch "$prefix/dpi-$dpi"
  fi
) 9>"$prefix.dpi.lock"
exec "$@"
