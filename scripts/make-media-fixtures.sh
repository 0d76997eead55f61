#!/bin/sh
# Makes the short films and sound files the decoding tests read, into
# tests/data/media/: two spoken sentences (espeak-ng) between pauses over a
# faint noise, encoded the ways films and sound files come, plus a film with
# no sound and a file that is no film at all. speech.txt gives where each
# sentence starts and ends (ms), known from how the sound was put together.
# Usage: scripts/make-media-fixtures.sh   (needs espeak-ng, sox, ffmpeg)
set -eu
root=$(cd "$(dirname "$0")/.." && pwd)
out=$root/tests/data/media
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
mkdir -p "$out"
rate=16000

# A sentence without the silence espeak-ng puts around it.
say() {
  espeak-ng -v "$1" -s 150 -w "$work/raw.wav" "$2"
  sox "$work/raw.wav" -r $rate -c 1 "$work/$3.wav" silence 1 0.005 0.3% reverse silence 1 0.005 0.3% reverse
}
gap() { sox -n -r $rate -c 1 -b 16 "$work/$2.wav" trim 0 "$1"; }
ms() { soxi -D "$1" | awk '{ printf "%d", $1 * 1000 + 0.5 }'; }

say en-us "The train leaves the station at seven in the morning." one
say en-gb+f3 "Nobody knew what happened on that cold and quiet night." two
gap 1.0 lead
gap 1.3 middle
gap 0.9 tail
sox "$work/lead.wav" "$work/one.wav" "$work/middle.wav" "$work/two.wav" "$work/tail.wav" -b 16 "$work/speech.wav"
length=$(soxi -D "$work/speech.wav")
# Noise 40 dB down, so there is a floor to find, as in any recording.
sox -R -n -r $rate -c 1 -b 16 "$work/noise.wav" synth "$length" pinknoise vol 0.01
sox -m "$work/speech.wav" "$work/noise.wav" -b 16 "$work/mixed.wav"
# The master at 16 kHz; the WAV at a rate that is no multiple of the decoder's.
sox "$work/mixed.wav" -r 11025 "$out/speech.wav"

lead=$(ms "$work/lead.wav") one=$(ms "$work/one.wav") middle=$(ms "$work/middle.wav") two=$(ms "$work/two.wav")
{
  echo "$lead $((lead + one))"
  echo "$((lead + one + middle)) $((lead + one + middle + two))"
} >"$out/speech.txt"
ms "$out/speech.wav" >"$out/duration.txt"

encode() { ffmpeg -nostdin -hide_banner -loglevel error -y "$@"; }
wav=$work/mixed.wav
# A film: a small picture beside stereo AAC at 44.1 kHz.
encode -f lavfi -i "color=c=gray:s=64x48:r=5" -i "$wav" -shortest -c:v libx264 -preset veryfast -crf 40 \
  -pix_fmt yuv420p -c:a aac -b:a 48k -ac 2 -ar 44100 -map_metadata -1 -fflags +bitexact "$out/speech.mp4"
encode -f lavfi -i "color=c=gray:s=64x48:r=5" -i "$wav" -shortest -c:v libvpx -b:v 20k -c:a libopus -b:a 24k \
  -map_metadata -1 -fflags +bitexact "$out/speech.mkv"
encode -i "$wav" -c:a libmp3lame -b:a 32k -ar 22050 -map_metadata -1 -fflags +bitexact "$out/speech.mp3"
encode -i "$wav" -c:a libvorbis -q:a 0 -map_metadata -1 -fflags +bitexact "$out/speech.ogg"
encode -i "$wav" -c:a flac -ar 8000 -map_metadata -1 -fflags +bitexact "$out/speech.flac"
# A film with no sound track.
encode -f lavfi -i "color=c=gray:s=64x48:r=5:d=2" -c:v libx264 -preset veryfast -crf 40 -pix_fmt yuv420p \
  -map_metadata -1 -fflags +bitexact "$out/silent-film.mp4"
# Text with a film's name.
printf 'This is not a film, only text with a film'"'"'s name.\n' >"$out/not-a-film.mkv"
ls -l "$out"
