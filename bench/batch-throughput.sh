#!/usr/bin/env bash
# Whole-process throughput and peak memory of dravik-batch, against the
# parse-only yardstick (parse_yardstick: read, split, from_chars every input
# cell, write each line back with three constant cells).
#
#   bench/batch-throughput.sh [BUILD_DIR] [ROWS...]
#   RUNS=7 bench/batch-throughput.sh build 1000000
#
# For each row count (default 1000000 and 4000000) it writes a file of mixed
# rows with batch_gen, runs both programs once to warm the page cache, then
# times RUNS runs of each (default 5) under /usr/bin/time -v, alternating the
# two programs so that a busy moment of the machine hits both alike. It
# reports for each program the best run's wall seconds and the least CPU
# (user + system) seconds, dravik-batch's rows per second of wall time, its
# largest peak resident set size, and dravik-batch / yardstick for wall and
# for CPU time. On a shared machine the CPU ratio is the steadier one. Peak
# memory should not grow with the number of rows: the rows are streamed.
#
# ENCODINGS="utf-8 gb18030" also times the same rows saved as GB18030 (as a
# spreadsheet on a Chinese PC saves plain "CSV"; converted with iconv), one
# table line each; the default is utf-8 alone.
set -euo pipefail

build=${1:-build}
shift || true
counts=("$@")
[ ${#counts[@]} -gt 0 ] || counts=(1000000 4000000)
runs=${RUNS:-5}
read -r -a encodings <<< "${ENCODINGS:-utf-8}"

gen=$build/bench/batch_gen
tool=$build/batch/dravik-batch
yardstick=$build/bench/parse_yardstick
for program in "$gen" "$tool" "$yardstick"; do
    [ -x "$program" ] || { echo "missing $program: build with -DDRAVIK_BUILD_BENCH=ON" >&2; exit 2; }
done
[ -x /usr/bin/time ] || { echo "needs /usr/bin/time (Debian package time)" >&2; exit 2; }

work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT

# time_run PROGRAM INPUT OUTPUT: one timed run; prints "wall cpu peak_kib".
time_run() {
    /usr/bin/time -v -o "$work/time" "$1" "$2" > "$3"
    awk -F': ' '
        /Elapsed \(wall clock\)/ { n = split($2, p, ":"); s = 0; for (i = 1; i <= n; i++) s = s * 60 + p[i]; wall = s }
        /User time|System time/ { cpu += $2 }
        /Maximum resident set size/ { rss = $2 }
        END { printf "%s %s %s\n", wall, cpu, rss }' "$work/time"
}

# least A B: the smaller number, the first one when there is none yet.
least() { awk -v a="$1" -v b="$2" 'BEGIN { print (b == "" || a + 0 < b + 0) ? a : b }'; }

# batch: dravik-batch; yard: parse_yardstick; ratio: batch / yard.
printf '%-16s %4s %10s %10s %10s %10s %10s %10s %10s %10s\n' \
    rows MB "batch wall" "batch cpu" "rows/s" "peak KiB" "yard wall" "yard cpu" "ratio wall" "ratio cpu"
for rows in "${counts[@]}"; do
  for encoding in "${encodings[@]}"; do
    input=$work/rows-$rows.csv
    "$gen" "$rows" > "$input"
    if [ "$encoding" != utf-8 ]; then
        iconv -f UTF-8 -t "$encoding" "$input" > "$input.converted"
        mv "$input.converted" "$input"
    fi
    megabytes=$(( $(stat -c %s "$input") / 1000000 ))
    "$yardstick" "$input" > /dev/null
    "$tool" "$input" > /dev/null
    batch_wall="" batch_cpu="" batch_rss=0 yard_wall="" yard_cpu=""
    for ((run = 1; run <= runs; run++)); do
        read -r wall cpu _ < <(time_run "$yardstick" "$input" "$work/yardstick.csv")
        yard_wall=$(least "$wall" "$yard_wall")
        yard_cpu=$(least "$cpu" "$yard_cpu")
        read -r wall cpu rss < <(time_run "$tool" "$input" "$work/out.csv")
        batch_wall=$(least "$wall" "$batch_wall")
        batch_cpu=$(least "$cpu" "$batch_cpu")
        if [ "$rss" -gt "$batch_rss" ]; then batch_rss=$rss; fi
    done
    # Every row must come back: header + rows lines (no cell of batch_gen holds a line break).
    for output in "$work/out.csv" "$work/yardstick.csv"; do
        lines=$(wc -l < "$output")
        [ "$lines" -eq $((rows + 1)) ] || { echo "expected $((rows + 1)) lines in $output, got $lines" >&2; exit 1; }
    done
    awk -v rows="$rows ($encoding)" -v n="$rows" -v mb="$megabytes" -v bw="$batch_wall" -v bc="$batch_cpu" -v rss="$batch_rss" \
        -v yw="$yard_wall" -v yc="$yard_cpu" 'BEGIN {
        printf "%-16s %4s %10.2f %10.2f %10.0f %10s %10.2f %10.2f %10.2f %10.2f\n", rows, mb, bw, bc,
            (bw > 0 ? n / bw : 0), rss, yw, yc, (yw > 0 ? bw / yw : 0), (yc > 0 ? bc / yc : 0) }'
  done
done
