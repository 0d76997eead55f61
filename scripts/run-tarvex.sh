#!/bin/sh
# Starts tarvex.exe under Wine. Without a display it runs on a virtual one,
# saves a screenshot of the window to build/tarvex.png, and exits.
set -eu
root=$(cd "$(dirname "$0")/.." && pwd)
exe="$root/build/windows/app/win/tarvex.exe"
if [ -n "${DISPLAY:-}" ]; then
  exec "$root/scripts/wine-run.sh" "$exe"
fi
shot="$root/build/tarvex.png"
rm -f "$shot"
xvfb-run -a -s "-screen 0 1024x768x24" sh -c '
  "$1/scripts/wine-run.sh" "$2" &
  program=$!
  # The window is up once its title can be found; Wine may take a while the first time.
  i=0
  until xdotool search --name "^Tarvex 1.1$" >/dev/null 2>&1; do
    i=$((i + 1))
    if [ $i -gt 600 ]; then echo "run-tarvex: the window did not appear" >&2; kill $program; exit 1; fi
    sleep 0.1
  done
  sleep 2
  # import reads every window (xwd -root shows the dialogs of Wine black).
  import -window root "$3"
  WINEPREFIX="$1/build/wineprefix" wineserver -k 2>/dev/null || kill $program
  wait $program 2>/dev/null || true
' sh "$root" "$exe" "$shot"
echo "Tarvex ran on a virtual display (no DISPLAY set); its window is in $shot"
