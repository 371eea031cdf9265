#!/usr/bin/env bash
# Wall time and peak memory of `dravik --sheets` (a book of calculation
# sheets) for building files of mixed rows (batch_gen), one run each:
#   bench/sheet-book.sh [BUILD_DIR] [ROWS...]      (default: 250 1000)
# The goal is under 30 s for 1,000 rows, and a peak resident set that does
# not grow with the rows (pages are streamed to the PDF writer; only the
# summary's few texts a row stay).
set -euo pipefail
build=${1:-build}
shift || true
counts=("$@")
((${#counts[@]})) || counts=(250 1000)
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
export XDG_CONFIG_HOME=$work/config
printf '%8s %10s %12s %8s\n' rows wall_s peak_rss_kb pages
for rows in "${counts[@]}"; do
    "$build/bench/batch_gen" "$rows" >"$work/in.csv"
    /usr/bin/time -f '%e %M' -o "$work/time" "$build/shell/dravik" --sheets "$work/in.csv" -o "$work/book.pdf" \
        --project bench 2>/dev/null || true
    read -r wall rss <"$work/time"
    pages=$(pdfinfo "$work/book.pdf" | sed -n 's/^Pages: *//p')
    printf '%8s %10s %12s %8s\n' "$rows" "$wall" "$rss" "$pages"
done
