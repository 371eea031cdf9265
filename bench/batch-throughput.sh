#!/usr/bin/env bash
# Whole-process throughput and peak memory of dravik-batch.
#
#   bench/batch-throughput.sh [BUILD_DIR] [ROWS...]
#
# For each row count (default 1000000 and 2000000) it writes a file of mixed
# rows with batch_gen, runs dravik-batch on it once to warm the page cache,
# then times three runs under /usr/bin/time -v and reports the best run's wall
# and CPU (user + system) seconds, rows per second of wall time, and the
# largest peak resident set size of the three. Peak memory should not grow with
# the number of rows: the rows are streamed.
set -euo pipefail

build=${1:-build}
shift || true
counts=("$@")
[ ${#counts[@]} -gt 0 ] || counts=(1000000 2000000)

gen=$build/bench/batch_gen
tool=$build/batch/dravik-batch
for program in "$gen" "$tool"; do
    [ -x "$program" ] || { echo "missing $program: build with -DDRAVIK_BUILD_BENCH=ON" >&2; exit 2; }
done
[ -x /usr/bin/time ] || { echo "needs /usr/bin/time (Debian package time)" >&2; exit 2; }

work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT

printf '%-10s %6s %9s %9s %14s %14s\n' rows MB "wall s" "cpu s" "rows/s (wall)" "peak RSS KiB"
for rows in "${counts[@]}"; do
    input=$work/rows-$rows.csv
    "$gen" "$rows" > "$input"
    megabytes=$(( $(stat -c %s "$input") / 1000000 ))
    "$tool" "$input" > /dev/null
    best=""
    cpu=""
    rss=""
    for run in 1 2 3; do
        /usr/bin/time -v -o "$work/time" "$tool" "$input" > "$work/out.csv"
        seconds=$(awk -F': ' '/Elapsed \(wall clock\)/ {
            n = split($2, p, ":"); s = 0; for (i = 1; i <= n; i++) s = s * 60 + p[i]; print s }' "$work/time")
        kib=$(awk -F': ' '/Maximum resident set size/ { print $2 }' "$work/time")
        used=$(awk -F': ' '/User time|System time/ { s += $2 } END { print s }' "$work/time")
        if [ -z "$best" ] || awk -v a="$seconds" -v b="$best" 'BEGIN { exit !(a < b) }'; then
            best=$seconds
            cpu=$used
        fi
        if [ -z "$rss" ] || [ "$kib" -gt "$rss" ]; then rss=$kib; fi
    done
    # Every row must come back: header + rows lines (no cell of batch_gen holds a line break).
    lines=$(wc -l < "$work/out.csv")
    [ "$lines" -eq $((rows + 1)) ] || { echo "expected $((rows + 1)) output lines, got $lines" >&2; exit 1; }
    printf '%-10s %6s %9s %9s %14.0f %14s\n' "$rows" "$megabytes" "$best" "$cpu" \
        "$(awk -v r="$rows" -v s="$best" 'BEGIN { print (s > 0 ? r / s : 0) }')" "$rss"
done
