#!/usr/bin/env bash
# Two real copies of the program on one X display: the second says so in a
# message box and ends with status 0 without showing a window, the first goes
# on; a killed copy does not block the next start; of two copies started at
# the same moment exactly one shows its window.
#   usage: single_copy_test.sh PATH_TO_DRAVIK     (run under xvfb-run)
set -uo pipefail
dravik=$1
work=$(mktemp -d)
pids=()
cleanup() {
    for pid in "${pids[@]}"; do kill -9 "$pid" 2>/dev/null; done
    rm -rf "$work"
}
trap cleanup EXIT

export XDG_RUNTIME_DIR=$work/run
mkdir -m 700 "$XDG_RUNTIME_DIR"
export QT_LOGGING_RULES="dravik.windows.debug=true"
export QT_QPA_PLATFORM=xcb
failures=0
fail() { echo "FAIL: $*"; failures=$((failures + 1)); }
pass() { echo "ok: $*"; }

# start NAME: starts a copy with its trace in $work/NAME.log; sets $started.
start() {
    "$dravik" 2>"$work/$1.log" &
    started=$!
    pids+=("$started")
}
# wait_for_line FILE PATTERN: up to 30 s.
wait_for_line() {
    for _ in $(seq 300); do
        grep -q "$2" "$1" 2>/dev/null && return 0
        sleep 0.1
    done
    return 1
}
# dismiss_message PID: presses Enter in the message box of that copy.
dismiss_message() {
    local id
    for _ in $(seq 300); do
        id=$(xdotool search --onlyvisible --pid "$1" --name '^Dravik$' 2>/dev/null | head -n 1)
        [[ -n "$id" ]] && break
        sleep 0.1
    done
    [[ -n "$id" ]] || return 1
    xdotool windowfocus --sync "$id" key --clearmodifiers Return
}
# wait_exit PID: waits up to 30 s for the copy to end, then kills it; sets
# $status. A copy that has ended but is not reaped yet is a zombie ("Z").
wait_exit() {
    local state
    for _ in $(seq 300); do
        state=$(awk '{print $3}' "/proc/$1/stat" 2>/dev/null)
        [[ -z "$state" || "$state" == Z ]] && break
        sleep 0.1
    done
    [[ -z "$state" || "$state" == Z ]] || kill -9 "$1"
    wait "$1"
    status=$?
}

# A first copy shows the start-up window.
start first
first=$started
wait_for_line "$work/first.log" 'shown "欢迎使用"' && pass "first copy shows its window" || fail "first copy shows no window"

# A second copy shows the message box, then ends with status 0 once it is dismissed.
start second
second=$started
wait_for_line "$work/second.log" 'message "程序已经打开了，请不要同时调用多个,以免多占系统资源！"' \
    && pass "second copy shows the message" || fail "second copy shows no message"
dismiss_message "$second" || fail "no message box window of the second copy to dismiss"
wait_exit "$second"
[[ "$status" == 0 ]] && pass "second copy ends with status 0" || fail "second copy ended with '$status'"
grep -q 'shown' "$work/second.log" && fail "second copy showed a window" || pass "second copy showed no window"
kill -0 "$first" 2>/dev/null && pass "first copy still runs" || fail "first copy ended"

# A copy killed with SIGKILL does not block the next start.
kill -9 "$first"
wait "$first" 2>/dev/null
start after_kill
after_kill=$started
wait_for_line "$work/after_kill.log" 'shown "欢迎使用"' && pass "a killed copy does not block the next" \
    || fail "the copy after a killed one shows no window"
kill -9 "$after_kill"
wait "$after_kill" 2>/dev/null

# Two copies started at the same moment: exactly one window.
start left
left=$started
start right
right=$started
wait_for_line "$work/left.log" 'shown\|message' && wait_for_line "$work/right.log" 'shown\|message' \
    || fail "the simultaneous copies did not both get going"
shown=$(cat "$work/left.log" "$work/right.log" | grep -c 'shown')
messages=$(cat "$work/left.log" "$work/right.log" | grep -c 'message')
[[ "$shown" == 1 && "$messages" == 1 ]] && pass "simultaneous start gives exactly one window" \
    || fail "simultaneous start: $shown windows, $messages messages"
loser=$left
grep -q 'message' "$work/right.log" && loser=$right
dismiss_message "$loser" || fail "no message box of the refused copy"
wait_exit "$loser"
[[ "$status" == 0 ]] && pass "the refused copy ends with status 0" || fail "the refused copy ended with '$status'"

echo "$((failures == 0 ? 1 : 0)) passed, $failures failed"
exit $((failures == 0 ? 0 : 1))
