#!/bin/sh
# Makes the spoken set the voice activity is measured on: sentences in
# several voices and speeds between pauses of 0.4 to 2.5 s, as one 16 kHz
# WAV, and where each sentence starts and ends (ms). The backgrounds (noise,
# music) are mixed in by voice_quality itself, at the levels it reports.
# Usage: bench/make-voice-set.sh OUTPUT_FOLDER   (needs espeak-ng and sox)
set -eu
out=$1
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
mkdir -p "$out"
rate=16000
voices="en-us en-gb+f3 en-gb-scotland en-us+m3 en-gb+f2 en-gb-x-rp"
speeds="130 150 175"
n=0
parts=""
: >"$out/sentences.txt"
at=0
# Pauses from a fixed sequence, so the set is the same every time.
pauses="1.2 0.5 2.1 0.8 1.6 0.4 2.5 0.9 1.1 0.6 1.9 0.7"
while IFS= read -r line; do
  [ -n "$line" ] || continue
  n=$((n + 1))
  voice=$(echo $voices | cut -d' ' -f$(((n - 1) % 6 + 1)))
  speed=$(echo $speeds | cut -d' ' -f$(((n - 1) % 3 + 1)))
  pause=$(echo $pauses | cut -d' ' -f$(((n - 1) % 12 + 1)))
  espeak-ng -v "$voice" -s "$speed" -w "$work/raw.wav" "$line"
  sox "$work/raw.wav" -r $rate -c 1 -b 16 "$work/s$n.wav" silence 1 0.005 0.3% reverse silence 1 0.005 0.3% reverse
  sox -n -r $rate -c 1 -b 16 "$work/p$n.wav" trim 0 "$pause"
  pause_ms=$(soxi -D "$work/p$n.wav" | awk '{ printf "%d", $1 * 1000 + 0.5 }')
  length_ms=$(soxi -s "$work/s$n.wav" | awk -v r=$rate '{ printf "%d", $1 * 1000 / r + 0.5 }')
  at=$((at + pause_ms))
  echo "$at $((at + length_ms))" >>"$out/sentences.txt"
  at=$((at + length_ms))
  parts="$parts $work/p$n.wav $work/s$n.wav"
done <<'TEXT'
The train leaves the station at seven in the morning.
Nobody knew what happened on that cold and quiet night.
Could you pass me the salt, please?
I have told you a hundred times, do not open that door.
The weather will be fine tomorrow, with a little wind from the west.
Where were you when the lights went out?
She sold the house and moved to a small village by the sea.
Run!
We need to talk about what you said yesterday.
The meeting has been moved to Thursday afternoon.
If you want my advice, leave now, while you still can.
Two coffees and a glass of water, thank you.
He never came back from the mountains.
Listen to me. Listen carefully.
The children were playing in the garden until it got dark.
That is not what I meant, and you know it.
Our flight was delayed by almost four hours.
Please remain seated until the captain turns off the seat belt sign.
I found the letter in the drawer of the old desk.
Yes.
Why would anyone want to steal a painting like that?
The police arrived a few minutes after midnight.
Turn left at the bridge, then follow the river for two miles.
I am sorry, I did not recognise you with the beard.
Happy birthday, my dear friend.
The doctor said it was nothing serious.
Keep your voice down, they can hear us.
This is the last time I am going to ask you.
The market opens early on Saturday mornings.
Goodbye, and good luck.
TEXT
sox -n -r $rate -c 1 -b 16 "$work/end.wav" trim 0 1.5
sox $parts "$work/end.wav" "$out/speech.wav"
echo "make-voice-set: $n sentences, $(soxi -d "$out/speech.wav") in $out"
