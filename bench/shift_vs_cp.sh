#!/bin/sh
# tarvex-cli shift against cp of the same file, alternating in one run, so
# that both meet the same machine load and the same page cache; prints the
# median of each, the shift's throughput, its ratio to cp, and the shift's
# peak memory and CPU time (on a shared machine the wall clock also counts
# the time other programs held the processors).
#   bench/shift_vs_cp.sh BUILD_DIR CUES [ROUNDS]
# The corpus and the copies live in a fresh folder under /tmp, removed at the end.
set -eu
build=$1
cues=$2
rounds=${3:-7}
work=$(mktemp -d /tmp/tarvex-shift-vs-cp.XXXXXX)
trap 'rm -rf "$work"' EXIT INT TERM

"$build/bench/make_corpus" "$cues" "$work/corpus.srt"
bytes=$(stat -c %s "$work/corpus.srt")
mkdir "$work/run"

seconds() { date +%s.%N; }
: >"$work/shift.times"
: >"$work/cp.times"
: >"$work/peaks"
: >"$work/cpus"
round=0
while [ "$round" -lt "$rounds" ]; do
    round=$((round + 1))
    cp "$work/corpus.srt" "$work/run/movie.srt"
    start=$(seconds)
    /usr/bin/time -f "%M %U %S" -o "$work/peak" "$build/cli/tarvex-cli" shift --plus 01:30 "$work/run/movie.srt" \
        >/dev/null 2>&1
    end=$(seconds)
    echo "$end - $start" | bc >>"$work/shift.times"
    awk '{ print $1 }' "$work/peak" >>"$work/peaks"
    awk '{ print $2 + $3 }' "$work/peak" >>"$work/cpus"
    rm -f "$work/run/"*
    start=$(seconds)
    cp "$work/corpus.srt" "$work/run/copy.srt"
    end=$(seconds)
    echo "$end - $start" | bc >>"$work/cp.times"
    rm -f "$work/run/"*
done

median() { sort -n "$1" | awk '{ v[NR] = $1 } END { print v[int((NR + 1) / 2)] }'; }
shift_s=$(median "$work/shift.times")
cp_s=$(median "$work/cp.times")
peak_kb=$(median "$work/peaks")
cpu_s=$(median "$work/cpus")
awk -v b="$bytes" -v s="$shift_s" -v c="$cp_s" -v p="$peak_kb" -v u="$cpu_s" -v n="$cues" -v r="$rounds" 'BEGIN {
    printf "%d cues, %.1f MB, median of %d rounds\n", n, b / 1e6, r
    printf "tarvex-cli shift: %.3f s  %.0f MB/s  peak RSS %.1f MB  CPU (user+sys) %.2f s\n", s, b / 1e6 / s,
           p * 1024 / 1e6, u
    printf "cp:               %.3f s  %.0f MB/s\n", c, b / 1e6 / c
    printf "shift / cp time:  %.2f\n", s / c
}'
uptime
