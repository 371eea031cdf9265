#!/usr/bin/env bash
# Two real copies of the program on one X display: the second says so in a
# message box and ends with status 0 without showing a window, the first goes
# on; a killed copy does not block the next start; of two copies started at
# the same moment exactly one shows its window.
#
# Then the lock's place: the runtime directory when it is the user's alone,
# otherwise the program's folder in the user's cache directory; when neither
# can be had (a folder planted by another user, relative paths), the guard is
# off, both copies run and each says so in one line on standard error. The
# lock never lands in the working directory.
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

export QT_LOGGING_RULES="dravik.windows.debug=true"
export QT_QPA_PLATFORM=xcb
failures=0
fail() { echo "FAIL: $*"; failures=$((failures + 1)); }
pass() { echo "ok: $*"; }
readonly guard_off_line='本次不检查是否已有另一份程序在运行'

# start NAME [DIR]: starts a copy in working directory DIR (default $work)
# with its trace in $work/NAME.log; sets $started.
start() {
    (cd "${2:-$work}" && exec "$dravik") 2>"$work/$1.log" &
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
# new_dir NAME [MODE]: a fresh directory $work/NAME.
new_dir() {
    mkdir -p "$work/$1"
    chmod "${2:-700}" "$work/$1"
}
# no_lock_in DIR...: no lock file was left in any of these directories.
no_lock_in() {
    local dir
    for dir in "$@"; do
        [[ -e $dir/dravik.lock ]] && fail "$label: a lock file in $dir" && return
    done
    pass "$label: no lock file in the working directories"
}

# refused_pair LABEL LOCKFILE: a first copy runs, a second one started from
# another working directory is refused, and the lock is LOCKFILE, in a
# directory with mode 700.
refused_pair() {
    label=$1
    local lock=$2 first second
    new_dir "$label-cwd1"
    new_dir "$label-cwd2"
    start "$label-first" "$work/$label-cwd1"
    first=$started
    wait_for_line "$work/$label-first.log" 'shown "欢迎使用"' && pass "$label: first copy shows its window" \
        || fail "$label: first copy shows no window"
    start "$label-second" "$work/$label-cwd2"
    second=$started
    wait_for_line "$work/$label-second.log" 'message ' && pass "$label: second copy is refused" \
        || fail "$label: second copy is not refused"
    dismiss_message "$second" || fail "$label: no message box of the second copy to dismiss"
    wait_exit "$second"
    [[ "$status" == 0 ]] || fail "$label: second copy ended with '$status'"
    [[ -f $lock ]] && pass "$label: lock file $lock" || fail "$label: no lock file $lock"
    [[ $(stat -c %a "$(dirname "$lock")") == 700 ]] || fail "$label: the lock's folder is not mode 700"
    grep -q "$guard_off_line" "$work/$label-first.log" && fail "$label: the guard says it is off"
    no_lock_in "$work/$label-cwd1" "$work/$label-cwd2"
    stop "$first"
}

# unguarded_pair LABEL: no safe place; both copies show their windows and
# each says in one line that the guard is off.
unguarded_pair() {
    label=$1
    local first second
    new_dir "$label-cwd1"
    new_dir "$label-cwd2"
    start "$label-first" "$work/$label-cwd1"
    first=$started
    start "$label-second" "$work/$label-cwd2"
    second=$started
    wait_for_line "$work/$label-first.log" 'shown "欢迎使用"' && wait_for_line "$work/$label-second.log" 'shown "欢迎使用"' \
        && pass "$label: both copies show their windows" || fail "$label: a copy shows no window"
    grep -q 'message ' "$work/$label-first.log" "$work/$label-second.log" && fail "$label: a copy was refused"
    [[ $(grep -c "$guard_off_line" "$work/$label-first.log") == 1 ]] \
        && pass "$label: one line on standard error says the guard is off" \
        || fail "$label: no line on standard error says the guard is off"
    no_lock_in "$work/$label-cwd1" "$work/$label-cwd2"
    stop "$first"
    stop "$second"
}

# --- The runtime directory, the user's own --------------------------------
export XDG_RUNTIME_DIR=$work/run
export XDG_CACHE_HOME=$work/cache-unused
new_dir run

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
[[ -f $XDG_RUNTIME_DIR/dravik.lock ]] && pass "the lock is in the runtime directory" \
    || fail "no lock in the runtime directory"
[[ -e $XDG_CACHE_HOME ]] && fail "the cache directory was touched although the runtime directory is fine"

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
stop "$left"
stop "$right"

# --- Fallbacks: the program's folder in the cache directory ---------------
unset XDG_RUNTIME_DIR
export XDG_CACHE_HOME=$work/cache-unset
refused_pair runtime-unset "$XDG_CACHE_HOME/dravik/dravik.lock"

new_dir run-open 755
export XDG_RUNTIME_DIR=$work/run-open XDG_CACHE_HOME=$work/cache-open
refused_pair runtime-open-to-others "$XDG_CACHE_HOME/dravik/dravik.lock"
[[ -e $XDG_RUNTIME_DIR/dravik.lock ]] && fail "a lock in a runtime directory others can enter"

new_dir run-target
ln -s "$work/run-target" "$work/run-link"
export XDG_RUNTIME_DIR=$work/run-link XDG_CACHE_HOME=$work/cache-link
refused_pair runtime-is-a-link "$XDG_CACHE_HOME/dravik/dravik.lock"
[[ -e $work/run-target/dravik.lock ]] && fail "a lock behind a linked runtime directory"

# plant_for_another_user PATH: gives PATH to nobody; false when not root.
plant_for_another_user() {
    if [[ $(id -u) != 0 ]]; then
        echo "skipped: planting $1 for another user needs root"
        return 1
    fi
    chown nobody "$1"
}

new_dir run-foreign
if plant_for_another_user "$work/run-foreign"; then
    export XDG_RUNTIME_DIR=$work/run-foreign XDG_CACHE_HOME=$work/cache-foreign
    refused_pair runtime-of-another-user "$XDG_CACHE_HOME/dravik/dravik.lock"
    [[ -e $XDG_RUNTIME_DIR/dravik.lock ]] && fail "a lock in another user's runtime directory"
fi

unset XDG_RUNTIME_DIR XDG_CACHE_HOME
new_dir home
HOME=$work/home refused_pair cache-under-home "$work/home/.cache/dravik/dravik.lock"

# --- No safe place: the guard is off --------------------------------------
unset XDG_RUNTIME_DIR
export XDG_CACHE_HOME=$work/cache-planted
new_dir cache-planted
new_dir cache-planted/dravik 777
if plant_for_another_user "$XDG_CACHE_HOME/dravik"; then
    unguarded_pair cache-folder-planted-by-another-user
    [[ -e $XDG_CACHE_HOME/dravik/dravik.lock ]] && fail "a lock in a folder planted by another user"
fi

export XDG_CACHE_HOME=$work/cache-planted-private
new_dir cache-planted-private
new_dir cache-planted-private/dravik 700
plant_for_another_user "$XDG_CACHE_HOME/dravik" && unguarded_pair cache-folder-of-another-user-mode-700

export XDG_CACHE_HOME=$work/cache-open-folder
new_dir cache-open-folder
new_dir cache-open-folder/dravik 755
unguarded_pair cache-folder-open-to-others
[[ -e $XDG_CACHE_HOME/dravik/dravik.lock ]] && fail "a lock in a folder others can enter"

export XDG_CACHE_HOME=$work/cache-link-folder
new_dir cache-link-folder
ln -s "$work/run-target" "$XDG_CACHE_HOME/dravik"
unguarded_pair cache-folder-is-a-link

XDG_RUNTIME_DIR=run XDG_CACHE_HOME=cache HOME=home unguarded_pair relative-paths-only
# (Qt itself may create the relative runtime directory; the lock is nowhere below.)
[[ -z $(find "$work"/relative-paths-only-cwd* -name 'dravik.lock*') ]] \
    || fail "relative paths: a lock file below the working directory"

echo "$((failures == 0 ? 1 : 0)) passed, $failures failed"
exit $((failures == 0 ? 0 : 1))
