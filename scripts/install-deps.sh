#!/bin/sh
# Installs the Debian packages the build and the tests need, skipping what is
# already there, so running it again costs a second.
set -eu
packages="g++ cmake make clang libclang-rt-14-dev libgtest-dev libgmock-dev googletest libbenchmark-dev
libcurl4-openssl-dev zlib1g-dev nlohmann-json3-dev libz-mingw-w64-dev g++-mingw-w64-x86-64-posix wine64 xvfb xauth xdotool x11-apps imagemagick
python3 util-linux time nsis unzip dpkg-dev man-db
pkg-config libavformat-dev libavcodec-dev libswresample-dev libavutil-dev ffmpeg espeak-ng sox gstreamer1.0-libav"
missing=""
for package in $packages; do
  if ! dpkg-query -W -f='${Status}' "$package" 2>/dev/null | grep -q "install ok installed"; then
    missing="$missing $package"
  fi
done
[ -z "$missing" ] && exit 0
echo "install-deps: installing$missing" >&2
sudo=""
[ "$(id -u)" -ne 0 ] && sudo="sudo"
$sudo apt-get update -q
DEBIAN_FRONTEND=noninteractive $sudo apt-get install -y -q $missing
