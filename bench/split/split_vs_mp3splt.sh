#!/bin/bash
# SPDX-License-Identifier: GPL-3.0-or-later
# Splitting a 60-minute MP3 at its silences, side by side: `trimvox-cut split --silence` writing its pieces
# and `mp3splt -s` writing its pieces, on the same file, with the same threshold (-50 dB) and minimum
# silence (1 s). Each is run ROUNDS times in turn; the script prints each run's processor time (user +
# system, which a loaded machine changes less than the wall-clock time), wall-clock time, peak resident
# memory (GNU time's %M) and pieces, then the median of each column.
#
#   bench/split/split_vs_mp3splt.sh [BUILD_DIR]   (default: build)
#
# The source is the album that silence_bench makes (20 tracks of 150 to 210 s, 2 s of silence between
# them, 128 kbit/s CBR), in $BENCH_DIR (default /tmp/trimvox-silence-bench); it is made on the first run
# through silence_bench, which must be built (cmake --build build --target silence_bench). Needs mp3splt
# and GNU time (apt-get install mp3splt time); neither is needed by the program or its tests.
set -euo pipefail

build=${1:-build}
dir=${BENCH_DIR:-/tmp/trimvox-silence-bench}
rounds=${ROUNDS:-3}
trimvox_cut="$build/src/cli/trimvox-cut"
source="$dir/album-60min-128k.mp3"

for tool in mp3splt /usr/bin/time "$trimvox_cut"; do
    command -v "$tool" >/dev/null || { echo "split_vs_mp3splt: $tool is missing" >&2; exit 1; }
done
mkdir -p "$dir"
if [ ! -f "$source" ]; then
    echo "split_vs_mp3splt: making $source with silence_bench..." >&2
    "$build/bench/split/silence_bench" --dir "$dir" --benchmark_filter='^$' >/dev/null
fi

# Runs a command under GNU time; prints "cpu_seconds wall_seconds peak_MiB pieces".
measure() {
    local out=$1
    shift
    rm -rf "$out"
    mkdir -p "$out"
    /usr/bin/time -f '%U %S %e %M' -o "$dir/time.txt" "$@" >/dev/null 2>"$dir/stderr.txt" || {
        echo "split_vs_mp3splt: failed: $*" >&2
        cat "$dir/stderr.txt" >&2
        exit 1
    }
    local pieces
    pieces=$(find "$out" -name '*.mp3' | wc -l)
    tail -n 1 "$dir/time.txt" | awk -v p="$pieces" '{ printf "%.2f %.2f %.1f %d\n", $1 + $2, $3, $4 / 1024, p }'
}

median() { sort -n | awk '{ v[NR] = $1 } END { print v[int((NR + 1) / 2)] }'; }

: >"$dir/trimvox.txt"
: >"$dir/mp3splt.txt"
printf '%-10s %5s %8s %8s %9s %6s\n' tool run cpu_s wall_s peak_MiB pieces
for ((i = 1; i <= rounds; i++)); do
    line=$(measure "$dir/trimvox-out" "$trimvox_cut" split --silence --threshold -50 --min-silence 1 "$source" "$dir/trimvox-out")
    echo "$line" >>"$dir/trimvox.txt"
    printf '%-10s %5d %8s %8s %9s %6s\n' trimvox "$i" $line
    line=$(measure "$dir/mp3splt-out" mp3splt -Q -N -n -s -p th=-50,min=1 -d "$dir/mp3splt-out" "$source")
    echo "$line" >>"$dir/mp3splt.txt"
    printf '%-10s %5d %8s %8s %9s %6s\n' mp3splt "$i" $line
done
for tool in trimvox mp3splt; do
    printf '%-10s %5s %8s %8s %9s %6s\n' "$tool" median \
        "$(cut -d' ' -f1 "$dir/$tool.txt" | median)" "$(cut -d' ' -f2 "$dir/$tool.txt" | median)" \
        "$(cut -d' ' -f3 "$dir/$tool.txt" | median)" "$(cut -d' ' -f4 "$dir/$tool.txt" | median)"
done
rm -rf "$dir/trimvox-out" "$dir/mp3splt-out" "$dir/time.txt" "$dir/stderr.txt"
