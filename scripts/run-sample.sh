#!/bin/sh
# Until the window exists, `make run` shows the time shift on the sample
# subtitle file: a copy in build/run/ is shifted 30 seconds later.
set -eu
root=$(cd "$(dirname "$0")/.." && pwd)
work="$root/build/run"
rm -rf "$work"
mkdir -p "$work"
cp "$root/sample/sample.srt" "$work/sample.srt"
echo "== tarvex-cli shift --plus 00:30 build/run/sample.srt"
"$root/build/native/cli/tarvex-cli" shift --plus 00:30 "$work/sample.srt"
echo
echo "== files in build/run/"
ls -l "$work"
echo
echo "== before (sample_original.srt) and after (sample.srt), timing lines"
grep -- ' --> ' "$work/sample_original.srt" | tr -d '\r' > "$work/.before"
grep -- ' --> ' "$work/sample.srt" | tr -d '\r' > "$work/.after"
paste "$work/.before" "$work/.after" | sed 's/\t/    =>    /'
rm -f "$work/.before" "$work/.after"
