#!/usr/bin/env bash
# Two real copies of the program on one X display: the second says so in a
# message box and ends with status 0 without showing a window, the first goes
# on; a killed copy does not block the next start; of two copies started at
# the same moment exactly one shows its window.
#
# The copies of one user agree whatever their environment: a second copy
# with another XDG_RUNTIME_DIR (or none), another XDG_CACHE_HOME, another
# HOME or only relative paths is refused all the same. When another user has
# taken the user's name, the guard is off: both copies run and each says so
# in one line on standard error. No lock file is left anywhere.
#   usage: single_copy_test.sh PATH_TO_DRAVIK PATH_TO_SINGLE_COPY_HOLDER   (run under xvfb-run)
set -uo pipefail

# The name the copies take is the user's, so a copy running elsewhere on this
# machine (another test run, the user's own) would meet ours. As root the
# test runs in a network namespace of its own, where abstract socket names
# are its own too; the X display is still reached through its socket file.
if [[ -z ${SINGLE_COPY_TEST_ALONE:-} && $(id -u) == 0 ]] && unshare --net true 2>/dev/null; then
    SINGLE_COPY_TEST_ALONE=1 exec unshare --net "$0" "$@"
fi
[[ -n ${SINGLE_COPY_TEST_ALONE:-} ]] || echo "note: not alone on this machine; a running copy of this user disturbs the test"

dravik=$1
holder=$2
work=$(mktemp -d)
pids=()
cleanup() {
    for pid in "${pids[@]}"; do kill -9 "$pid" 2>/dev/null; done
    rm -rf "$work"
}
trap cleanup EXIT

export QT_LOGGING_RULES="dravik.windows.debug=true"
export QT_QPA_PLATFORM=xcb
export XDG_RUNTIME_DIR=$work/run
mkdir -m 700 "$XDG_RUNTIME_DIR"
failures=0
fail() { echo "FAIL: $*"; failures=$((failures + 1)); }
pass() { echo "ok: $*"; }
readonly guard_off_line='本次不检查是否已有另一份程序在运行'

# start NAME [DIR [ENV...]]: starts a copy in working directory DIR (default
# $work) with the environment changed as `env ENV...` would, and its trace in
# $work/NAME.log; sets $started.
start() {
    local name=$1 dir=${2:-$work}
    shift $(($# < 2 ? $# : 2))
    (cd "$dir" && exec env "$@" "$dravik") 2>"$work/$name.log" &
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
stop() {
    kill -9 "$1" 2>/dev/null
    wait "$1" 2>/dev/null
}

# --- One user, one environment ---------------------------------------------
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
grep -q "$guard_off_line" "$work/first.log" "$work/second.log" && fail "a copy says the guard is off"

# A copy killed with SIGKILL does not block the next start.
kill -9 "$first"
wait "$first" 2>/dev/null
start after_kill
after_kill=$started
wait_for_line "$work/after_kill.log" 'shown "欢迎使用"' && pass "a killed copy does not block the next" \
    || fail "the copy after a killed one shows no window"
stop "$after_kill"

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
stop "$left"
stop "$right"

# --- One user, two environments ----------------------------------------------
# refused_pair LABEL "FIRST_ENV..." "SECOND_ENV...": a first copy runs with
# one environment; a second one, with the other and another working
# directory, is refused.
refused_pair() {
    local label=$1 first second
    local -a first_env second_env
    read -ra first_env <<<"$2"
    read -ra second_env <<<"$3"
    mkdir -p "$work/$label-cwd1" "$work/$label-cwd2"
    start "$label-first" "$work/$label-cwd1" "${first_env[@]}"
    first=$started
    wait_for_line "$work/$label-first.log" 'shown "欢迎使用"' || fail "$label: first copy shows no window"
    start "$label-second" "$work/$label-cwd2" "${second_env[@]}"
    second=$started
    wait_for_line "$work/$label-second.log" 'message ' && pass "$label: second copy is refused" \
        || fail "$label: second copy is not refused"
    dismiss_message "$second" || fail "$label: no message box of the second copy to dismiss"
    wait_exit "$second"
    [[ "$status" == 0 ]] || fail "$label: second copy ended with '$status'"
    grep -q "$guard_off_line" "$work/$label-first.log" "$work/$label-second.log" && fail "$label: the guard says it is off"
    stop "$first"
}
mkdir -m 700 "$work/run2" "$work/cache1" "$work/cache2" "$work/home1" "$work/home2"
refused_pair runtime-set-and-unset "XDG_RUNTIME_DIR=$work/run" "-u XDG_RUNTIME_DIR"
refused_pair two-runtime-directories "XDG_RUNTIME_DIR=$work/run" "XDG_RUNTIME_DIR=$work/run2"
refused_pair two-cache-directories "XDG_CACHE_HOME=$work/cache1" "XDG_CACHE_HOME=$work/cache2"
refused_pair two-homes "-u XDG_CACHE_HOME HOME=$work/home1" "-u XDG_CACHE_HOME HOME=$work/home2"
refused_pair relative-paths-only "-u XDG_RUNTIME_DIR" "XDG_RUNTIME_DIR=run XDG_CACHE_HOME=cache HOME=home"

# --- Another user took the name: the guard is off ----------------------------
if [[ $(id -u) == 0 ]]; then
    setpriv --reuid=65534 --regid=65534 --clear-groups "$holder" 0 >"$work/squatter.out" &
    squatter=$!
    pids+=("$squatter")
    wait_for_line "$work/squatter.out" held || fail "nobody could not take root's name"
    start unguarded-first
    unguarded_first=$started
    start unguarded-second
    unguarded_second=$started
    wait_for_line "$work/unguarded-first.log" 'shown "欢迎使用"' \
        && wait_for_line "$work/unguarded-second.log" 'shown "欢迎使用"' \
        && pass "name taken by another user: both copies show their windows" || fail "name taken: a copy shows no window"
    grep -q 'message ' "$work/unguarded-first.log" "$work/unguarded-second.log" && fail "name taken: a copy was refused"
    [[ $(grep -c "$guard_off_line" "$work/unguarded-first.log") == 1 &&
        $(grep -c "$guard_off_line" "$work/unguarded-second.log") == 1 ]] \
        && pass "name taken: each copy says in one line that the guard is off" \
        || fail "name taken: no line on standard error says the guard is off"
    stop "$unguarded_first"
    stop "$unguarded_second"
    stop "$squatter"
else
    echo "skipped: taking the name as another user needs root"
fi

[[ -z $(find "$work" -name 'dravik.lock*') ]] && pass "no lock file anywhere" || fail "a lock file was left"

echo "$((failures == 0 ? 1 : 0)) passed, $failures failed"
exit $((failures == 0 ? 0 : 1))
