#!/usr/bin/env bash
# Every benchmark, one after the other (they share the machine's two cores):
#   bench/run-all.sh [BUILD_DIR]
# The build must be configured with -DDRAVIK_BUILD_BENCH=ON (the default
# preset is). Prints each benchmark's own report; the exit status is that of
# the last failure to run, not of a missed target (those are in the reports).
set -uo pipefail
build=${1:-build}
here=$(cd "$(dirname "$0")" && pwd)
status=0

cmake --build "$build" --target core_bench batch_bench batch_gen parse_yardstick dravik-batch startup_bench >/dev/null || exit 2

echo "== Core: text rules and section calculations, per call"
"$build/bench/core_bench" --benchmark_min_time=0.2 --benchmark_repetitions=3 \
    --benchmark_report_aggregates_only=true || status=$?

echo
echo "== dravik-batch: whole process, rows per second, peak memory, against the parse-only yardstick"
ENCODINGS="utf-8 gb18030" "$here/batch-throughput.sh" "$build" || status=$?

echo
echo "== dravik-batch: peak memory on inputs made to cost memory, against 2 x --max-record-size + 16 MiB"
"$here/batch-memory-bound.sh" "$build/batch/dravik-batch" 64 --check || status=$?

echo
echo "== dravik --sheets: a book of calculation sheets, wall time and peak memory"
"$here/sheet-book.sh" "$build" || status=$?

echo
echo "== dravik-batch on a 100,000-row workbook: read to CSV, and read and written as .xlsx"
"$here/xlsx-throughput.sh" "$build" 100000 || status=$?

echo
echo "== dravik: start-up to the window being mapped, against a bare Qt window and one with a group box"
"$here/startup/run.sh" "$build"
case $? in
0 | 1) ;;  # 1: a target missed; the table says which
*) status=2 ;;
esac
exit $status
