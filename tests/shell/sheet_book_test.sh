#!/usr/bin/env bash
# dravik --sheets: a 64-row building file (the four shapes in turn, one row in
# three failing its check, and one row of an unknown shape) makes one PDF of a
# cover, a page per calculated row and the summary; without a display, the
# title block from the options and the saved 计算书信息, the exit status
# dravik-batch gives the same file, every font embedded.
#   usage: sheet_book_test.sh PATH_TO_DRAVIK PATH_TO_DRAVIK_BATCH
set -uo pipefail
dravik=$1
batch=$2
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
failures=0
fail() { echo "FAIL: $*"; failures=$((failures + 1)); }
pass() { echo "ok: $*"; }

rows=64
{
    echo "形状,构件编号,楼层/部位,混凝土强度等级,箍筋牌号,配箍特征值,最小纵筋率（％）,a,b,c,d,e,f,zj1zj,zj2zj,zj1sl,zj2sl,dgzj,xgzj,hxsl,zxsl,asl,bsl,csl,dsl,esl,fsl,gjjj,bhhd"
    for ((i = 1; i <= rows; i++)); do
        case $((i % 4)) in
            1) cells="暗柱,400,800,,,,,20,18,3,12,12,10,5,3,,,,,,,120,15" ;;
            2) cells="L形转角柱,1000,800,400,400,,,20,18,7,15,12,10,,,4,4,3,2,,,120,15" ;;
            3) cells="翼柱,1200,600,200,300,,,20,18,8,16,12,10,,,2,2,5,3,,,120,15" ;;
            0) cells="Z形转角柱,1200,1300,500,500,500,1000,22,20,18,18,12,10,,,4,4,1,4,3,4,100,15" ;;
        esac
        if ((i % 3 == 0)); then req="C60,HRB400,0.24,1.2"; else req="C30,HRB400,0.20,0.8"; fi
        echo "${cells%%,*},GBZ$i,$((i % 5 + 1))层,$req,${cells#*,}"
    done
    echo "方柱,KZ1,1层,,,,,400,800,,,,,20,18,3,12,12,10,5,3,,,,,,,120,15"
} >"$work/building.csv"

export XDG_CONFIG_HOME=$work/config
mkdir -p "$XDG_CONFIG_HOME/Dravik"
printf '[sheet]\ndesigner=李工\nproject=旧工程\n' >"$XDG_CONFIG_HOME/Dravik/dravik.ini"

"$batch" "$work/building.csv" >/dev/null 2>&1
batch_status=$?
LC_ALL=C LANGUAGE= env -u DISPLAY -u WAYLAND_DISPLAY -u QT_QPA_PLATFORM timeout 120 "$dravik" --sheets "$work/building.csv" \
    -o "$work/book.pdf" --project 滨江花园 --building 3号楼 2>"$work/err"
status=$?
[[ $status == "$batch_status" && $status == 1 ]] && pass "exit status $status, as dravik-batch's" ||
    fail "exit status $status, dravik-batch $batch_status"
grep -q "已写入" "$work/err" && pass "written, said on standard error" || fail "$(cat "$work/err")"

pages=$(pdfinfo "$work/book.pdf" | sed -n 's/^Pages: *//p')
page() { pdftotext -f "$1" -l "$1" -layout -enc UTF-8 "$work/book.pdf" - | tr -d ' '; }
summary_pages=0
for ((p = 1; p <= pages; p++)); do page "$p" | grep -q "^汇总表第" && summary_pages=$((summary_pages + 1)); done
((summary_pages >= 1 && pages == rows + 1 + summary_pages)) &&
    pass "$pages pages: cover, $rows sheets, $summary_pages of summary" ||
    fail "$pages pages, $summary_pages of summary"

cover=$(page 1)
grep -q "滨江花园" <<<"$cover" && grep -q "设计李工" <<<"$cover" && ! grep -q "旧工程" <<<"$cover" &&
    pass "cover: options over the saved 计算书信息" || fail "cover: $cover"
sheet=$(page 4)
grep -q "工程名称滨江花园子项/楼号3号楼构件编号GBZ3楼层/部位4层" <<<"$sheet" && grep -q "第1页共1页" <<<"$sheet" &&
    grep -q "体积配箍率ρv=1.479947052%<\[ρv\]=1.833333333%，不满足" <<<"$sheet" && grep -q "验算结论：不满足" <<<"$sheet" &&
    pass "sheet of row 3: title block, footer, check not met" || fail "page 4: $sheet"

summary=$(for ((p = rows + 2; p <= pages; p++)); do pdftotext -f $p -l $p -layout -enc UTF-8 "$work/book.pdf" -; done)
missing=0
for ((i = 1; i <= rows; i++)); do grep -qw "GBZ$i" <<<"$summary" || missing=$((missing + 1)); done
((missing == 0)) && pass "the summary names every member" || fail "$missing members missing from the summary"
met=$(grep -c " 满足" <<<"$summary")
not_met=$(grep -c "不满足（" <<<"$summary")
((met == 43 && not_met == 21)) && pass "43 rows met, 21 not" || fail "met $met, not met $not_met"
grep "KZ1" <<<"$summary" | grep -q "未计算：未知形状" && pass "the unknown shape's row named with why, in Chinese under the C locale" ||
    fail "$(grep KZ1 <<<"$summary")"

fonts=$(pdffonts "$work/book.pdf" | tail -n +3)
[[ -n $fonts ]] && ! awk '$(NF-4) != "yes" { bad = 1 } END { exit !bad }' <<<"$fonts" &&
    pass "every font embedded" || fail "fonts: $fonts"

# A file without a shape column, and a book that cannot be written: status
# 2, as dravik-batch's, and no file left behind.
printf 'a,b\n400,800\n' >"$work/headless.csv"
"$batch" "$work/headless.csv" >/dev/null 2>&1
batch_status=$?
env -u DISPLAY "$dravik" --sheets "$work/headless.csv" -o "$work/none.pdf" 2>"$work/err"
status=$?
[[ $status == 2 && $batch_status == 2 && ! -e $work/none.pdf ]] && pass "no header: status 2, nothing written" ||
    fail "no header: status $status (dravik-batch $batch_status)"
env -u DISPLAY "$dravik" --sheets "$work/building.csv" -o "$work/no such folder/book.pdf" 2>"$work/err"
status=$?
[[ $status == 2 ]] && grep -q "没有写成" "$work/err" && pass "unwritable book: status 2, said why" ||
    fail "unwritable book: status $status, $(cat "$work/err")"

((failures == 0)) || exit 1
