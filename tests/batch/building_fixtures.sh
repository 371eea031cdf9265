#!/usr/bin/env bash
# Runs dravik-batch on every file building_fixtures writes, with the options
# it names, and compares its output with the expected file byte for byte, its
# status with the expected one, and looks for each expected message; then
# runs it on its own output, which must come out the same.
#
#   building_fixtures.sh GENERATOR PROGRAM
set -uo pipefail
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
"$1" "$work" || exit 1
failed=0
count=0
for input in "$work"/*.expected.csv; do
    name=$(basename "$input" .expected.csv)
    want=$(cat "$work/$name.status")
    read -r -a args < "$work/$name.args"
    "$2" "${args[@]}" "$work/$name.csv" > "$work/$name.out" 2> "$work/$name.err"
    status=$?
    count=$((count + 1))
    if [ "$status" -ne "$want" ]; then
        echo "FAILED: $name: exit status $status, expected $want"; cat "$work/$name.err"; failed=1
    fi
    while IFS= read -r message; do
        grep -qF -- "$message" "$work/$name.err" || { echo "FAILED: $name: no message: $message"; cat "$work/$name.err"; failed=1; }
    done < "$work/$name.messages"
    # Its output read again comes out the same, with the same status.
    if [ -s "$work/$name.out" ]; then
        "$2" "${args[@]}" "$work/$name.out" > "$work/$name.again" 2> /dev/null
        again=$?
        cmp -s "$work/$name.again" "$work/$name.out" && [ "$again" -eq "$status" ] ||
            { echo "FAILED: $name: read again, its output changes (status $again)"; failed=1; }
    fi
    if ! cmp -s "$work/$name.out" "$work/$name.expected.csv"; then
        echo "FAILED: $name: output differs from what is expected"
        diff <(od -c "$work/$name.expected.csv") <(od -c "$work/$name.out") | head -20
        failed=1
    fi
done
[ "$count" -ge 10 ] || { echo "FAILED: only $count files"; failed=1; }
exit $failed
