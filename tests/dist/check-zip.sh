#!/bin/sh
# The Windows zip as a user unpacks it: the two programs, README.txt and
# LICENSE and nothing else, text files with Windows line ends, and programs
# that run and tell the version the zip is named after.
# Usage: check-zip.sh ZIP VERSION WINE-RUNNER
set -eu
zip=$1 version=$2 wine_run=$3
fail() { echo "check-zip: $*" >&2; exit 1; }
[ -f "$zip" ] || fail "$zip is missing (run make dist)"
case "$zip" in *"tarvex-$version-win64.zip") ;; *) fail "$zip is not named for version $version" ;; esac
listed=$(unzip -Z1 "$zip" | sort | tr '\n' ' ')
[ "$listed" = "LICENSE README.txt tarvex-cli.exe tarvex.exe " ] || fail "unexpected contents: $listed"
unpacked=$(mktemp -d)
trap 'rm -rf "$unpacked"' EXIT
unzip -q "$zip" -d "$unpacked"
for text in README.txt LICENSE; do
  # Every line ends in CR LF: no LF without its CR before it.
  if tr -d '\r' <"$unpacked/$text" | cmp -s - "$unpacked/$text"; then fail "$text has no CR LF line ends"; fi
  [ "$(tr -cd '\n' <"$unpacked/$text" | wc -c)" = "$(tr -cd '\r' <"$unpacked/$text" | wc -c)" ] ||
    fail "$text mixes line ends"
done
grep -q "^Tarvex $version" "$unpacked/README.txt" || fail "README.txt does not name version $version"
grep -q "MIT License" "$unpacked/LICENSE" || fail "LICENSE is not the MIT licence"
said=$("$wine_run" "$unpacked/tarvex-cli.exe" --version | tr -d '\r')
[ "$said" = "tarvex-cli $version" ] || fail "tarvex-cli.exe --version says \"$said\""
echo "check-zip: $zip is complete"
