#!/bin/sh
# Makes the project's shared Wine prefix unless it is there: `make test` runs
# it while the Windows tree compiles, so that no test waits for wineboot.
set -eu
root=$(cd "$(dirname "$0")/.." && pwd)
. "$root/scripts/wine-prefix.sh"
make_prefix "$root/build/wineprefix"
