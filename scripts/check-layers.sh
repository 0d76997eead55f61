#!/bin/sh
# Each folder of code includes only its own headers and those of the layers
# below it (see the layout in the README). Prints every include that breaks
# the rule and fails if there is one.
set -eu
cd "$(dirname "$0")/.."
status=0
check() {
  folder=$1
  shift
  files=$(git ls-files "$folder/*.h" "$folder/*.cpp" | grep -v "^$folder/.*/.*/" || true)
  for f in $files; do
    # Only the files directly in this folder: subfolders are checked on their own.
    case "${f#"$folder"/}" in */*) continue ;; esac
    grep -n '^#include "' "$f" | while IFS= read -r line; do
      header=$(printf '%s\n' "$line" | sed 's/.*#include "\([^"]*\)".*/\1/')
      case "$header" in */*) ;; *) continue ;; esac  # beside the file (resources)
      allowed=no
      for prefix in "$folder" "$@"; do
        case "$header" in "$prefix"/*) allowed=yes ;; esac
      done
      if [ $allowed = no ]; then echo "$f: includes $header"; fi
    done
  done
}
out=$(
  check base
  check job base
  check subtitle base job
  check media base job
  check sync base job subtitle media
  check translate/http base
  check translate base job subtitle translate/http
  check translate/services base translate
  check controls/host base
  check controls/cmdlg base controls/host
  check controls/xp base controls/host
  check app base job subtitle translate sync
  check cli base job subtitle translate sync
  check app/win base job subtitle translate sync controls app
  check app/win/res
  check media base
  check sync base job subtitle media
  check bench base job subtitle translate media sync
  check fuzz base job subtitle translate support
  check tools base controls
  # Only the window's own tests know the window's headers.
  git ls-files 'tests/*.h' 'tests/*.cpp' | grep -v '^tests/app/\|^tests/e2e/' |
    xargs grep -n '^#include "app/' /dev/null | sed 's/:[0-9]*:#include "\(.*\)".*/: includes \1/' || true
)
if [ -n "$out" ]; then
  printf '%s\n' "$out"
  echo "check-layers: includes across layers (see above)" >&2
  status=1
fi
exit $status
