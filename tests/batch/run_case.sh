#!/usr/bin/env bash
# Runs dravik-batch once and checks what it did.
#
#   run_case.sh PROGRAM STATUS [--stdout FILE | --stdout-empty | --stdout-contains TEXT]
#               [--stderr-empty | --stderr TEXT ... | --stderr-lacks TEXT ...] [--stdin FILE] -- ARGS...
#
# --stdout FILE compares standard output with FILE byte for byte;
# each --stderr TEXT must occur in standard error, no --stderr-lacks TEXT.
set -uo pipefail

program=$1
want_status=$2
shift 2
stdout_file=""
stdout_empty=0
stdout_contains=""
stderr_empty=0
stderr_texts=()
stderr_lacks=()
stdin=/dev/null
while [ $# -gt 0 ]; do
    case $1 in
        --stdout) stdout_file=$2; shift 2 ;;
        --stdout-empty) stdout_empty=1; shift ;;
        --stdout-contains) stdout_contains=$2; shift 2 ;;
        --stderr-empty) stderr_empty=1; shift ;;
        --stderr) stderr_texts+=("$2"); shift 2 ;;
        --stderr-lacks) stderr_lacks+=("$2"); shift 2 ;;
        --stdin) stdin=$2; shift 2 ;;
        --) shift; break ;;
        *) echo "run_case.sh: unknown argument $1" >&2; exit 2 ;;
    esac
done

work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
"$program" "$@" < "$stdin" > "$work/stdout" 2> "$work/stderr"
status=$?

failed=0
fail() {
    echo "FAILED: $*"
    failed=1
}
[ "$status" -eq "$want_status" ] || fail "exit status $status, expected $want_status"
if [ -n "$stdout_file" ] && ! cmp -s "$work/stdout" "$stdout_file"; then
    fail "standard output differs from $stdout_file"
    diff <(od -c "$stdout_file") <(od -c "$work/stdout") | head -40
fi
[ "$stdout_empty" -eq 0 ] || [ ! -s "$work/stdout" ] || fail "standard output is not empty"
if [ -n "$stdout_contains" ] && ! grep -qF -- "$stdout_contains" "$work/stdout"; then
    fail "standard output lacks: $stdout_contains"
fi
[ "$stderr_empty" -eq 0 ] || [ ! -s "$work/stderr" ] || fail "standard error is not empty"
for text in "${stderr_texts[@]}"; do
    grep -qF -- "$text" "$work/stderr" || fail "standard error lacks: $text"
done
for text in "${stderr_lacks[@]}"; do
    ! grep -qF -- "$text" "$work/stderr" || fail "standard error has: $text"
done
# Every message is one line that names the program.
if [ -s "$work/stderr" ] && grep -qv '^dravik-batch: ' "$work/stderr"; then
    fail "a message line does not start with 'dravik-batch: '"
fi
if [ "$failed" -ne 0 ]; then
    echo "--- standard error:"
    cat "$work/stderr"
    exit 1
fi
exit 0
