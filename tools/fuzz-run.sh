#!/usr/bin/env bash
# Runs every fuzz target for a while from its committed corpus: first each
# corpus input once (the properties the targets check: no sanitizer report,
# the same output when the output is read again, the same failed rows, the
# same output whatever the reads), then new inputs for SECONDS seconds.
#
#   tools/fuzz-run.sh [BUILD_DIR] [SECONDS]     (defaults: build-fuzz, 60)
#
# New inputs that widen the coverage go to BUILD_DIR/fuzz/new/TARGET (add
# the interesting ones to fuzz/corpus/TARGET by hand). A finding stops the
# run: its input is written to BUILD_DIR/fuzz/findings/ and the status is 1.
set -euo pipefail
build=${1:-build-fuzz}
seconds=${2:-60}
here=$(cd "$(dirname "$0")/.." && pwd)
findings=$build/fuzz/findings
mkdir -p "$findings"
status=0
for corpus in "$here"/fuzz/corpus/*/; do
    target=$(basename "$corpus")
    program=$build/fuzz/${target}_fuzz
    [ -x "$program" ] || { echo "fuzz-run: missing $program (make fuzz)" >&2; exit 2; }
    fresh=$build/fuzz/new/$target
    mkdir -p "$fresh"
    echo "fuzz-run: $target for ${seconds}s from $(find "$corpus" -type f | wc -l) corpus inputs"
    # One process, so the two cores stay for the rest of the machine; leaks
    # are not checked (the replay tests under ASan do that). The memory
    # limit: the fuzzing process itself (ASan's shadow and quarantine,
    # libFuzzer's corpus) holds about 340 MiB, and a batch run may add at
    # most 2 x its bound + 16 MiB (144 MiB at the default 64M); beyond the
    # two together something grows that should not.
    if ! "$program" -max_total_time="$seconds" -timeout=20 -rss_limit_mb=512 -detect_leaks=0 \
        -print_final_stats=1 -artifact_prefix="$findings/$target-" "$fresh" "$corpus" \
        > "$build/fuzz/$target.log" 2>&1; then
        echo "fuzz-run: $target found a problem:" >&2
        tail -40 "$build/fuzz/$target.log" >&2
        ls "$findings" >&2
        status=1
    else
        grep -E '^stat::(number_of_executed_units|new_units_added)' "$build/fuzz/$target.log" || true
    fi
done
exit $status
