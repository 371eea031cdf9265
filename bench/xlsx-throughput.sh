#!/usr/bin/env bash
# Whole-process throughput and peak memory of dravik-batch on a workbook.
#
#   bench/xlsx-throughput.sh [BUILD_DIR] [ROWS]     (defaults: build, 100000)
#
# Writes a workbook of ROWS rows of 暗柱 (the windows' labels, numbers in
# number cells, shapes as shared strings; Debian's python3 zipfile, no
# spreadsheet program), then times RUNS runs (default 3) of each way under
# /usr/bin/time -v: read to CSV, and read and write a workbook (-o .xlsx).
# Reports the best run's wall seconds and rows per second, the least CPU
# (user + system) seconds, and the largest peak resident set size. The sheet is streamed, so peak memory should not grow
# with ROWS; on a shared machine take the figures as rough.
set -euo pipefail
build=${1:-build}
rows=${2:-100000}
runs=${RUNS:-3}
program=$build/batch/dravik-batch
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT

/usr/bin/python3 - "$work/rows.xlsx" "$rows" <<'PY'
import sys, zipfile
path, rows = sys.argv[1], int(sys.argv[2])
labels = ["形状", "长度a（mm）", "高度b（mm）", "纵筋1直径（mm）", "纵筋2直径（mm）", "纵筋1数量（根）", "纵筋2数量（根）",
          "大箍直径（mm）", "小箍、拉筋直径（mm）", "横向数量（根）", "纵向数量（根）", "箍筋间距（mm）", "保护层厚（mm）"]
cols = [chr(ord("A") + j) for j in range(len(labels))]
with zipfile.ZipFile(path, "w", zipfile.ZIP_DEFLATED) as z:
    z.writestr("xl/workbook.xml", '<workbook xmlns:r="r"><sheets><sheet name="柱表" sheetId="1" r:id="rId1"/></sheets></workbook>')
    z.writestr("xl/_rels/workbook.xml.rels", '<Relationships><Relationship Id="rId1" Target="worksheets/sheet1.xml"/></Relationships>')
    z.writestr("xl/sharedStrings.xml", "<sst>" + "".join(f"<si><t>{t}</t></si>" for t in labels + ["暗柱"]) + "</sst>")
    with z.open("xl/worksheets/sheet1.xml", "w") as f:
        f.write(b"<worksheet><sheetData><row r=\"1\">" + "".join(
            f'<c r="{c}1" t="s"><v>{j}</v></c>' for j, c in enumerate(cols)).encode() + b"</row>")
        for r in range(2, rows + 1):
            values = [400 + r % 400, 800, 20, 18, 3, 12, 12, 10, 5, 3, 120, 15 + (r % 4) * 0.5]
            f.write((f'<row r="{r}"><c r="A{r}" t="s"><v>{len(labels)}</v></c>' + "".join(
                f'<c r="{c}{r}"><v>{v}</v></c>' for c, v in zip(cols[1:], values)) + "</row>").encode())
        f.write(b"</sheetData></worksheet>")
PY
echo "workbook: $rows rows, $(stat -c %s "$work/rows.xlsx") bytes; $runs runs each (best wall time)"
for way in csv xlsx; do
    best="" cpu="" peak=0
    for _ in $(seq "$runs"); do
        status=0
        /usr/bin/time -v "$program" "$work/rows.xlsx" -o "$work/out.$way" 2> "$work/time" || status=$?
        [ "$status" -eq 0 ] || { tail -3 "$work/time" >&2; echo "xlsx-throughput: status $status" >&2; exit 1; }
        wall=$(sed -n 's/.*Elapsed (wall clock) time (h:mm:ss or m:ss): //p' "$work/time" | awk -F: '{print $(NF-1)*60 + $NF}')
        used=$(awk -F': ' '/User time|System time/ {s += $2} END {print s}' "$work/time")
        rss=$(sed -n 's/.*Maximum resident set size (kbytes): //p' "$work/time")
        [ -z "$best" ] || awk "BEGIN{exit !($wall < $best)}" && best=$wall
        [ -z "$cpu" ] || awk "BEGIN{exit !($used < $cpu)}" && cpu=$used
        [ "$rss" -gt "$peak" ] && peak=$rss
    done
    awk -v w="$way" -v s="$best" -v c="$cpu" -v n="$rows" -v p="$peak" \
        'BEGIN{printf "%-5s %7.2f s wall %9.0f rows/s   %6.2f s CPU %9.0f rows/s   peak RSS %6.1f MB\n", w, s, n / s, c, n / c, p / 1024}'
done
