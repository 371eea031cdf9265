#!/usr/bin/env bash
# Start-up benchmark of the desktop program.
#
#   bench/startup/run.sh BUILD_DIR [RUNS]
#
# On its own virtual display (xvfb-run -a), starts BUILD_DIR/shell/dravik,
# BUILD_DIR/bench/startup/bare_window (an empty Qt window of the same size) and
# BUILD_DIR/bench/startup/group_box_window (that window with one captioned
# group box) RUNS times each (default 15), rotating the order run by run so
# that a drift in machine load touches all alike. Each start is timed by map_probe
# from launch to the MapNotify of the program's 671x559 window; the memory
# figure is the program's peak resident set (VmHWM) at that moment. One
# discarded warm-up start of each program comes first (font and file caches).
#
# Prints the medians and dravik's ratios to the bare window, with PASS/MISS
# against the program's start-up budget: at most 1.25x the bare window's time
# and memory, so that the program opens nearly as fast as an empty window.
# The ratios to the group box window are for information: Qt loads the
# system's font configuration and the first font before the map for any
# window with a captioned group box, which the empty window never does. Exit
# status: 0 when both are within the budget, 1 when one is not, 2 when a
# start failed.
# Build the programs first:
#   cmake --build BUILD_DIR --target startup_bench   (needs -DDRAVIK_BUILD_BENCH=ON)
set -euo pipefail

readonly LIMIT=1.25
readonly SIZE=671x559

if [[ "${1:-}" != --on-display ]]; then
    if [[ $# -lt 1 || $# -gt 2 ]]; then
        echo "usage: $0 BUILD_DIR [RUNS]" >&2
        exit 2
    fi
    build=$(cd "$1" && pwd)
    runs=${2:-15}
    if ! [[ $runs =~ ^[0-9]+$ ]] || ((runs < 10)); then
        echo "$0: RUNS must be a whole number of at least 10" >&2
        exit 2
    fi
    for program in shell/dravik bench/startup/bare_window bench/startup/group_box_window bench/startup/map_probe; do
        if [[ ! -x $build/$program ]]; then
            echo "$0: $build/$program is missing; build it with" >&2
            echo "  cmake --build $build --target startup_bench   (configured with -DDRAVIK_BUILD_BENCH=ON)" >&2
            exit 2
        fi
    done
    exec xvfb-run -a -s "-screen 0 1280x1024x24 -nolisten tcp" "$0" --on-display "$build" "$runs"
fi

build=$2
runs=$3
probe=$build/bench/startup/map_probe
declare -A path=([dravik]=$build/shell/dravik [bare_window]=$build/bench/startup/bare_window
    [group_box_window]=$build/bench/startup/group_box_window)
programs=(dravik bare_window group_box_window)

export QT_QPA_PLATFORM=xcb
unset WAYLAND_DISPLAY QT_QPA_PLATFORMTHEME QT_STYLE_OVERRIDE
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT

# One start of PROGRAM, appending "ms hwm_kib maxrss_kib" to OUT. dravik
# refuses to start while another copy holds its lock in XDG_RUNTIME_DIR, so
# every start gets a fresh one.
start_once() {
    local program=$1 out=$2 runtime
    runtime=$(mktemp -d "$work/runtime.XXXXXX")
    chmod 700 "$runtime"
    if ! XDG_RUNTIME_DIR=$runtime "$probe" --size "$SIZE" -- "${path[$program]}" >>"$out"; then
        echo "$0: $program did not show its ${SIZE} window" >&2
        exit 2
    fi
    rm -rf "$runtime"
}

for program in "${programs[@]}"; do start_once "$program" /dev/null; done
for ((i = 0; i < runs; i++)); do
    for ((k = 0; k < ${#programs[@]}; k++)); do
        program=${programs[(i + k) % ${#programs[@]}]}
        start_once "$program" "$work/$program"
    done
done

# median FILE COLUMN
median() {
    cut -d' ' -f"$2" "$1" | sort -g | awk '{ v[NR] = $1 } END { print (NR % 2) ? v[(NR + 1) / 2] : (v[NR / 2] + v[NR / 2 + 1]) / 2 }'
}

bare_ms=$(median "$work/bare_window" 1)
bare_kib=$(median "$work/bare_window" 2)
box_ms=$(median "$work/group_box_window" 1)
box_kib=$(median "$work/group_box_window" 2)
app_ms=$(median "$work/dravik" 1)
app_kib=$(median "$work/dravik" 2)

awk -v runs="$runs" -v limit="$LIMIT" -v load="$(cut -d' ' -f1-3 /proc/loadavg)" \
    -v bms="$bare_ms" -v bkib="$bare_kib" -v gms="$box_ms" -v gkib="$box_kib" -v ams="$app_ms" -v akib="$app_kib" '
function verdict(r) { return r <= limit ? "PASS" : "MISS" }
BEGIN {
    printf "Start-up to window mapped, median of %d runs each (rotating), load average %s\n", runs, load
    printf "%-16s %12s %16s\n", "program", "time (ms)", "peak RSS (MiB)"
    printf "%-16s %12.1f %16.1f\n", "bare_window", bms, bkib / 1024
    printf "%-16s %12.1f %16.1f\n", "group_box_window", gms, gkib / 1024
    printf "%-16s %12.1f %16.1f\n", "dravik", ams, akib / 1024
    rt = ams / bms; rm = akib / bkib
    printf "%-16s %7.2fx %4s %11.2fx %4s   (budget: at most %.2fx)\n", "dravik/bare", rt, verdict(rt), rm, verdict(rm), limit
    printf "%-16s %7.2fx %16.2fx        (for information)\n", "dravik/group_box", ams / gms, akib / gkib
    exit (rt <= limit && rm <= limit) ? 0 : 1
}'
