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
(
  flock 9
  if [ ! -f "$prefix/dpi-$dpi" ]; then
    "$root/scripts/wine-run.sh" reg add "HKCU\\Control Panel\\Desktop" /v LogPixels /t REG_DWORD /d "$dpi" /f \
      >/dev/null 2>&1
    # The setting is read by programs started after the prefix's server has
    # written it out.
    WINEPREFIX="$prefix" wineserver -w || true
    touch "$prefix/dpi-$dpi"
  fi
) 9>"$prefix.dpi.lock"
exec "$@"
