#!/bin/sh
# The Debian package of tarvex-cli: its files (dpkg-deb -c), its control
# fields, a program that runs and tells the package's version, and a manual
# page that renders without warnings and names every option --help names.
# Usage: check-deb.sh DEB VERSION
set -eu
deb=$1 version=$2
fail() { echo "check-deb: $*" >&2; exit 1; }
[ -f "$deb" ] || fail "$deb is missing (run make dist)"
case "$deb" in *"tarvex-cli_${version}_amd64.deb") ;; *) fail "$deb is not named for version $version" ;; esac
files=$(dpkg-deb -c "$deb" | awk '$1 !~ /^d/ { print $1, $6 }' | sort | tr '\n' ';')
expected="-rw-r--r-- ./usr/share/doc/tarvex-cli/copyright;-rw-r--r-- ./usr/share/man/man1/tarvex-cli.1.gz;-rwxr-xr-x ./usr/bin/tarvex-cli;"
[ "$files" = "$expected" ] || fail "unexpected files: $files"
[ "$(dpkg-deb -f "$deb" Package)" = tarvex-cli ] || fail "wrong package name"
[ "$(dpkg-deb -f "$deb" Version)" = "$version" ] || fail "wrong version $(dpkg-deb -f "$deb" Version)"
[ "$(dpkg-deb -f "$deb" Architecture)" = amd64 ] || fail "wrong architecture"
dpkg-deb -f "$deb" Depends | grep -q libcurl || fail "no dependency on libcurl: $(dpkg-deb -f "$deb" Depends)"
for library in libavformat libavcodec libswresample libavutil; do
  dpkg-deb -f "$deb" Depends | grep -q "$library[0-9]" || fail "no dependency on $library: $(dpkg-deb -f "$deb" Depends)"
done

unpacked=$(mktemp -d)
trap 'rm -rf "$unpacked"' EXIT
dpkg-deb -x "$deb" "$unpacked"
program="$unpacked/usr/bin/tarvex-cli"
said=$("$program" --version)
[ "$said" = "tarvex-cli $version" ] || fail "tarvex-cli --version says \"$said\""

manual="$unpacked/usr/share/man/man1/tarvex-cli.1.gz"
gzip -t "$manual" || fail "the manual page is not gzip data"
zcat "$manual" | grep -q "^\.TH TARVEX-CLI 1 .*tarvex-cli $version" || fail "the manual page's title line lacks version $version"
warnings=$(LC_ALL=C.UTF-8 MANWIDTH=80 man --warnings -E UTF-8 -l "$manual" 2>&1 >"$unpacked/manual.txt") || fail "man failed"
[ -z "$warnings" ] || fail "the manual page renders with warnings: $warnings"
for section in NAME SYNOPSIS DESCRIPTION OPTIONS "EXIT STATUS"; do
  grep -q "^$section" "$unpacked/manual.txt" || fail "the manual page has no $section section"
done
# Every option and command of the usage text is described.
for word in $("$program" --help | grep -o -- '--[a-z]*' | sort -u) shift translate languages; do
  grep -q -- "$word" "$unpacked/manual.txt" || fail "the manual page does not mention $word"
done
echo "check-deb: $deb is complete"
