#!/usr/bin/env bash
# Peak memory of dravik-batch on inputs made to cost memory: records of
# commas (every comma a cell), records that never end, title rows that add
# up, cells that must be unquoted or read as a number. Each is run under
# /usr/bin/time -v and its peak resident set size is set against the
# promise: under 2 x --max-record-size + 16 MiB.
#
#   bench/batch-memory-bound.sh PROGRAM [BOUND_MIB] [--check]
#
# BOUND_MIB is --max-record-size in MiB (default 64, the program's default);
# the long records are 15/16 of it (60 MB of 64 MiB). The endless records
# come through a pipe, the others from a file (which is read more than once). With --check the
# status is 1 when a peak is over the promise, else 0; the CTest test runs a
# small bound this way.
set -euo pipefail

program=$1
bound_mib=${2:-64}
check=${3:-}
[ -x /usr/bin/time ] || { echo "needs /usr/bin/time (Debian package time)" >&2; exit 2; }

bound=$((bound_mib << 20))
long=$((bound / 16 * 15))
limit_kib=$(((2 * bound + (16 << 20)) >> 10))
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
header='shape,a,b,zj1zj,zj2zj,zj1sl,zj2sl,dgzj,xgzj,hxsl,zxsl,gjjj,bhhd'
row='azpjl,400,800,20,18,3,12,12,10,5,3,120,15'

# repeat N CHAR: N bytes of CHAR.
repeat() { head -c "$1" /dev/zero | tr '\0' "$2"; }
# Each input writes itself to standard output.
header_of_commas() { repeat "$long" ,; echo; }
title_of_commas() { repeat "$long" ,; printf '\n%s\n%s\n' "$header" "$row"; }
endless_commas() { echo "$header"; yes , | tr -d '\n'; }
endless_bytes() { echo "$header"; yes x | tr -d '\n'; }
row_of_commas() { echo "$header"; repeat "$long" ,; echo; }
ten_long_titles() { for _ in 1 2 3 4 5 6 7 8 9 10; do repeat "$long" x; echo; done; echo "$header"; }
quoted_number_cell() { echo "$header"; printf 'azpjl,"'; repeat "$long" 1; echo '""",800,20,18,3,12,12,10,5,3,120,15'; }
long_number_cell() { echo "$header"; printf 'azpjl,'; repeat "$long" 1; echo ',800,20,18,3,12,12,10,5,3,120,15'; }
inputs=(header_of_commas title_of_commas endless_commas endless_bytes row_of_commas ten_long_titles
    quoted_number_cell long_number_cell)

printf '%-20s %8s %12s %12s %s\n' input status "peak KiB" "limit KiB" "last message"
over=0
for input in "${inputs[@]}"; do
    set +e
    if [[ $input == endless_* ]]; then
        # A pipe, read once: every shape counts, so the missing inputs of
        # the other shapes take their defaults.
        "$input" 2> /dev/null | /usr/bin/time -v -o "$work/time" "$program" --max-record-size "${bound_mib}M" \
            --defaults > /dev/null 2> "$work/err"
        status=${PIPESTATUS[1]}
    else
        # A file, read more than once (its encoding, then the shapes it uses).
        "$input" > "$work/input.csv"
        /usr/bin/time -v -o "$work/time" "$program" --max-record-size "${bound_mib}M" "$work/input.csv" \
            > /dev/null 2> "$work/err"
        status=$?
        rm -f "$work/input.csv"
    fi
    set -e
    peak=$(awk -F': ' '/Maximum resident set size/ { print $2 }' "$work/time")
    printf '%-20s %8s %12s %12s %s\n' "$input" "$status" "$peak" "$limit_kib" "$(tail -1 "$work/err" | cut -c1-60)"
    [ "$peak" -lt "$limit_kib" ] || over=1
done
if [ "$check" = --check ] && [ $over -ne 0 ]; then
    echo "FAILED: a peak is over 2 x the bound + 16 MiB"
    exit 1
fi
exit 0
