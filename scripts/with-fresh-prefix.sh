#!/bin/sh
# Runs a command with TARVEX_WINEPREFIX set to a new copy of the project's
# Wine prefix, so that the command may install and uninstall programs without
# touching the prefix every other test shares. wine-run.sh makes the copy on
# first use (and the shared prefix first when there is none). The copy and the
# Wine processes that ran in it go afterwards.
# Usage: scripts/with-fresh-prefix.sh COMMAND [ARGS...]
set -eu
root=$(cd "$(dirname "$0")/.." && pwd)
shared="${TARVEX_WINEPREFIX:-$root/build/wineprefix}"
mkdir -p "$root/build"
fresh=$(mktemp -d "$root/build/wineprefix-fresh.XXXXXX")
cleanup() {
  WINEPREFIX="$fresh" wineserver -k 2>/dev/null || true
  WINEPREFIX="$fresh" wineserver -w 2>/dev/null || true
  rm -rf "$fresh" "$fresh.lock"
}
trap cleanup EXIT
trap 'exit 1' INT TERM
status=0
TARVEX_WINEPREFIX="$fresh" TARVEX_WINEPREFIX_TEMPLATE="$shared" "$@" || status=$?
exit $status
