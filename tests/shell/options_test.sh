#!/usr/bin/env bash
# The real program's options. --help and --version print their text and end
# with status 0 without touching a display (an X platform with no display
# would abort) and even while another copy holds the lock; an unknown option
# gives one line on standard error, status 2 and no window; with no desktop to
# go to, one line and status 1, never Qt's abort (134). Qt's own warnings stay
# off the terminal unless asked for.
#   usage: options_test.sh PATH_TO_DRAVIK PATH_TO_DRAVIK_BATCH VERSION PATH_TO_SINGLE_COPY_HOLDER
set -uo pipefail
dravik=$1
batch=$2
version=$3
holder=$4
work=$(mktemp -d)
holder_pid=
trap '[[ -n $holder_pid ]] && kill "$holder_pid"; rm -rf "$work"' EXIT
failures=0
fail() { echo "FAIL: $*"; failures=$((failures + 1)); }
pass() { echo "ok: $*"; }

export XDG_RUNTIME_DIR=$work/run
mkdir -m 700 "$XDG_RUNTIME_DIR"
export QT_LOGGING_RULES="dravik.windows.debug=true"

# run NAME ARGS...: runs the program without a display; sets $status and
# leaves NAME.out and NAME.err.
run() {
    local name=$1
    shift
    env -u DISPLAY -u WAYLAND_DISPLAY QT_QPA_PLATFORM=xcb timeout 20 "$dravik" "$@" >"$work/$name.out" 2>"$work/$name.err"
    status=$?
}

# The texts, with another copy holding the single-copy name.
"$holder" "$(id -u)" >"$work/holder.out" &
holder_pid=$!
for _ in $(seq 100); do
    grep -q held "$work/holder.out" && break
    sleep 0.1
done
grep -q held "$work/holder.out" || fail "could not hold the name for the other copy"
for option in --help -h; do
    run help "$option"
    [[ $status == 0 ]] && pass "$option: status 0" || fail "$option: status $status: $(cat "$work/help.err")"
    [[ -s $work/help.err ]] && fail "$option wrote to standard error: $(cat "$work/help.err")"
    grep -q '^用法：dravik' "$work/help.out" && grep -q "版本：$version" "$work/help.out" \
        && grep -q 'dravik-batch' "$work/help.out" && pass "$option: usage, version and the batch tool" \
        || fail "$option printed: $(cat "$work/help.out")"
done
run version --version
[[ $status == 0 ]] && pass "--version: status 0" || fail "--version: status $status: $(cat "$work/version.err")"
[[ $(head -n 1 "$work/version.out") == "dravik $version" ]] && pass "--version: name and version" \
    || fail "--version printed: $(cat "$work/version.out")"
run mixed -platform xcb --version
[[ $status == 0 ]] || fail "--version after a Qt option: status $status"
kill "$holder_pid"
wait "$holder_pid" 2>/dev/null
holder_pid=

# The batch tool is named where it is installed: beside the program.
mkdir "$work/bin"
cp "$dravik" "$batch" "$work/bin/"
env -u DISPLAY "$work/bin/$(basename "$dravik")" --help >"$work/installed.out" 2>&1
grep -q "批量计算整个 CSV 文件：$work/bin/dravik-batch，" "$work/installed.out" \
    && pass "--help names the batch tool beside the program" || fail "installed --help: $(cat "$work/installed.out")"
rm "$work/bin/dravik-batch"
env -u DISPLAY "$work/bin/$(basename "$dravik")" --help >"$work/alone.out" 2>&1
grep -q "dravik-batch（未装在本程序旁边）" "$work/alone.out" \
    && pass "--help says when the batch tool is not beside the program" || fail "alone --help: $(cat "$work/alone.out")"

# A standard output that cannot be written: status 2 and a reason.
if [[ -e /dev/full ]]; then
    env -u DISPLAY "$dravik" --help >/dev/full 2>"$work/full.err"
    status=$?
    [[ $status == 2 && $(wc -l <"$work/full.err") == 1 ]] && pass "--help to a full output: status 2, one line" \
        || fail "--help to a full output: status $status, '$(cat "$work/full.err")'"
fi

# Unknown options, on a display-less platform so that a window would be seen
# in the trace; Qt's own options are still taken.
for option in --bogus -x --help=all; do
    env QT_QPA_PLATFORM=offscreen timeout 20 "$dravik" "$option" >"$work/unknown.out" 2>"$work/unknown.err"
    status=$?
    [[ $status == 2 ]] && pass "$option: status 2" || fail "$option: status $status"
    [[ $(wc -l <"$work/unknown.err") == 1 ]] && grep -q -- "未知的选项“$option”" "$work/unknown.err" \
        && pass "$option: one line on standard error" || fail "$option: standard error was '$(cat "$work/unknown.err")'"
    [[ -s $work/unknown.out ]] && fail "$option: wrote to standard output"
done
env QT_QPA_PLATFORM=xcb timeout 20 "$dravik" -platform offscreen --bogus >/dev/null 2>"$work/qt.err"
status=$?
[[ $status == 2 ]] && grep -q '“--bogus”' "$work/qt.err" && pass "Qt's own options are not taken for unknown ones" \
    || fail "with -platform offscreen: status $status, '$(cat "$work/qt.err")'"

# No desktop: whatever the platform asks for, one line naming the batch tool
# and status 1; an unknown option is still status 2.
no_desktop() {
    local name=$1
    shift
    env -u DISPLAY -u WAYLAND_DISPLAY -u WAYLAND_SOCKET -u QT_LOGGING_RULES "$@" timeout 20 "$dravik" >"$work/$name.out" 2>"$work/$name.err"
    status=$?
    [[ $status == 1 && $(wc -l <"$work/$name.err") == 1 ]] && grep -q '需要图形桌面.*dravik-batch' "$work/$name.err" \
        && [[ ! -s $work/$name.out ]] && pass "$name: status 1 and one line" \
        || fail "$name: status $status, '$(cat "$work/$name.err")'"
}
no_desktop default -u QT_QPA_PLATFORM
no_desktop xcb QT_QPA_PLATFORM=xcb
no_desktop wayland QT_QPA_PLATFORM="wayland;xcb" WAYLAND_DISPLAY="$work/no-compositor"
no_desktop x-display-gone QT_QPA_PLATFORM=xcb DISPLAY=:97
# A platform Qt cannot start: the same line, not an abort.
no_desktop missing-platform QT_QPA_PLATFORM=no-such-platform
run misspelt --hlep
[[ $status == 2 ]] && pass "--hlep without a display: status 2" || fail "--hlep without a display: status $status"

# A normal start prints nothing, even without XDG_RUNTIME_DIR (Qt would
# warn about it); --verbose and QT_LOGGING_RULES let Qt's warnings through.
# Qt's -platform is taken over QT_QPA_PLATFORM: no display is needed.
quiet_start() {
    local name=$1
    shift
    env -u XDG_RUNTIME_DIR -u QT_LOGGING_RULES -u DISPLAY HOME="$work/home" QT_QPA_PLATFORM=xcb "$@" \
        timeout 3 "$dravik" -platform offscreen ${verbose:-} >"$work/$name.out" 2>"$work/$name.err"
    status=$?
}
mkdir -m 700 "$work/home"
quiet_start quiet
[[ $status == 124 && ! -s $work/quiet.err ]] && pass "a normal start writes nothing" \
    || fail "a normal start: status $status, '$(cat "$work/quiet.err")'"
verbose=--verbose quiet_start verbose
grep -q '^QStandardPaths:' "$work/verbose.err" && pass "--verbose shows Qt's warnings" \
    || fail "--verbose: '$(cat "$work/verbose.err")'"
quiet_start rules QT_LOGGING_RULES="qt.qpa.*=false"
grep -q '^QStandardPaths:' "$work/rules.err" && pass "QT_LOGGING_RULES shows Qt's warnings" \
    || fail "QT_LOGGING_RULES: '$(cat "$work/rules.err")'"

echo "$((failures == 0 ? 1 : 0)) passed, $failures failed"
exit $((failures == 0 ? 0 : 1))
