#!/usr/bin/env bash
# The command line around the batch run: where the output goes, what happens
# when it cannot be written, file names in messages, the input being its own
# output, standard streams that do not block.
#
#   cli_test.sh PROGRAM
set -uo pipefail
program=$1
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
cd "$work"
failed=0
fail() {
    echo "FAILED: $*"
    failed=1
}
# expect STATUS COMMAND...: runs COMMAND with stdout in out, stderr in err.
expect() {
    local want=$1
    shift
    "$@" > out 2> err
    local status=$?
    [ "$status" -eq "$want" ] || fail "$* exited $status, expected $want; stderr: $(cat err)"
}
has() { grep -qF -- "$2" "$1" || fail "$1 lacks: $2 ($(cat "$1"))"; }

header='shape,a,b,zj1zj,zj2zj,zj1sl,zj2sl,dgzj,xgzj,hxsl,zxsl,gjjj,bhhd'
printf '%s\nazpjl,400,800,20,18,3,12,12,10,5,3,120,15\n' "$header" > good.csv

# An output that cannot be written is said, for every kind of output.
for args in "--help" "--version" "--template azpjl" "good.csv"; do
    # shellcheck disable=SC2086
    "$program" $args > /dev/full 2> err
    status=$?
    [ "$status" -eq 2 ] || fail "$args to /dev/full exited $status"
    has err "cannot write standard output: No space left on device"
done

# -o writes through a temporary file: the input can be its own output.
cp good.csv self.csv
expect 0 "$program" -o self.csv self.csv
[ ! -s out ] || fail "-o wrote to standard output"
has self.csv "azpjl,400,800,20,18,3,12,12,10,5,3,120,15, 3996, 1.25, 1.19,"
[ "$(ls -A | grep -c '^\.self')" -eq 0 ] || fail "a temporary file was left behind"
# An error leaves the old file as it was.
printf 'no,header,here\n' > bad.csv
cp good.csv kept.csv
expect 2 "$program" --output=kept.csv bad.csv
cmp -s kept.csv good.csv || fail "a failed run changed the -o file"
has err "left as it was"
[ "$(ls -A | grep -c '^\.kept')" -eq 0 ] || fail "a temporary file was left behind"
# The new file keeps the old one's permissions.
cp good.csv mode.csv
chmod 640 mode.csv
expect 0 "$program" -o mode.csv good.csv
[ "$(stat -c %a mode.csv)" = 640 ] || fail "-o changed the permissions to $(stat -c %a mode.csv)"
# Appending onto the input would never end: refused.
cp good.csv loop.csv
"$program" loop.csv >> loop.csv 2> err
[ $? -eq 2 ] || fail "output onto the input was not refused"
has err "the output is the input file"

# An empty FILE argument is a mistake, not standard input.
expect 2 "$program" ""
has err "the FILE argument is empty"
expect 2 "$program" --encoding latin1 good.csv
has err "unknown encoding \"latin1\""
# --max-record-size: from 1K to 2G, anything else is bad usage.
for size in 1K 1024 2G 2048M 1048576K; do
    expect 0 "$program" --max-record-size "$size" good.csv
done
for size in 12Q 1023 0 2049M 3G 100G 1T -1K; do
    expect 2 "$program" --max-record-size "$size" good.csv
    has err "bad size"
done

# The bound is exact for every record, whatever the buffer's size: a record
# (its line end not counted) of bound - 1 and bound bytes is read, bound + 1
# stops the run. Each record here is padded to SIZE bytes in a column x. The
# records up to the header are held until it is found, and are bounded
# together: a title padded to SIZE less the header's bytes.
padded() { # SIZE PREFIX: PREFIX and x's up to SIZE bytes
    printf '%s' "$2"
    head -c $(($1 - ${#2})) /dev/zero | tr '\0' x
}
for size in 1023 1024 1025; do
    want=0
    [ $size -le 1024 ] || want=2
    { echo "$header,x"; padded $size "azpjl,400,800,20,18,3,12,12,10,5,3,120,15,"; echo; } > row.csv
    { padded $size "$header,"; printf '\nazpjl,400,800,20,18,3,12,12,10,5,3,120,15,y\n'; } > head.csv
    { padded $((size - ${#header})) "title "; printf '\n%s\n' "$header"; } > title.csv
    for file in row.csv head.csv title.csv; do
        expect $want "$program" --max-record-size 1K $file
        [ $want -eq 0 ] || has err "than 1024 bytes (--max-record-size)"
    done
done
{ padded 600 "title"; echo; padded 600 "title"; printf '\n%s\n' "$header"; } > titles.csv
expect 2 "$program" --max-record-size 1K titles.csv
has err "line 2: the records up to the header come to more than 1024 bytes"
# At most 16384 cells a record, a spreadsheet's column limit.
for cells in 16384 16385; do
    { echo "$header"; head -c $((cells - 1)) /dev/zero | tr '\0' ,; echo; } > wide.csv
    expect $((cells > 16384 ? 2 : 0)) "$program" wide.csv  # a row of empty cells is copied
done
has err "line 2: a record of more than 16384 cells"

# -o writes where the user meant: through a link to its target (the link
# stays), directly onto a FIFO or a device, and "-" is standard output.
mkdir real
echo old > real/target.csv
ln -s real/target.csv link.csv
expect 0 "$program" -o link.csv good.csv
[ -L link.csv ] || fail "-o replaced the link"
has real/target.csv " 3996, 1.25, 1.19,"
[ "$(ls -A real | grep -c '^\.')" -eq 0 ] || fail "a temporary file was left beside the target"
mkfifo fifo
timeout 10 cat fifo > from-fifo &  # bounded: a replaced FIFO has no writer
expect 0 "$program" -o fifo good.csv
wait
[ -p fifo ] || fail "-o replaced the FIFO"
has from-fifo " 3996, 1.25, 1.19,"
expect 0 "$program" -o - good.csv
has out " 3996, 1.25, 1.19,"
[ ! -e ./- ] || fail "-o - wrote a file named -"
if [ "$(id -u)" -eq 0 ]; then  # a device node of our own, as /dev/null is
    mknod null c 1 3
    expect 0 "$program" -o null good.csv
    [ -c null ] || fail "-o replaced the device node"
fi

# A signal while -o writes removes the temporary file and ends the program
# as the signal does; the old file stays. (Job control on, so that a job in
# the background does not ignore INT and QUIT.)
set -m
for signal in INT TERM HUP QUIT; do
    echo old > sig.csv
    rm -f slow
    mkfifo slow
    "$program" -o sig.csv slow 2> err &
    pid=$!
    exec 3> slow
    echo "$header" >&3
    for _ in $(seq 100); do
        [ "$(ls -A | grep -c '^\.sig\.csv\.')" -eq 0 ] || break
        sleep 0.05
    done
    kill -s $signal $pid
    wait $pid 2> /dev/null
    status=$?
    exec 3>&-
    [ $status -eq $((128 + $(kill -l $signal))) ] || fail "SIG$signal during -o: status $status"
    [ "$(ls -A | grep -c '^\.sig\.csv\.')" -eq 0 ] || fail "SIG$signal left the temporary file"
    [ "$(cat sig.csv)" = old ] || fail "SIG$signal changed the old file"
done
set +m

# A byte-order mark before GB18030 bytes: an encoding message, not a
# missing column.
printf '\xEF\xBB\xBF\xD0\xCE\xD7\xB4,a\n\xB0\xB5\xD6\xF9,400\n' > bom-gb.csv
expect 2 "$program" bom-gb.csv
has err "line 1: bytes that are not valid UTF-8, so no header can be read"
# A column the user named Notes is the user's own: kept, the notes added.
# Only the titles the tool writes, notes and 计算说明, are its notes column.
printf 'shape,Notes,a\nazpjl,mine,400\n' > own-notes.csv
expect 0 "$program" --defaults own-notes.csv
has out "shape,Notes,a,zjmj,zjl,tjpgl,notes"
has out "azpjl,mine,400, 3996,"
has err "the column \"Notes\" is taken as your own and carried through; the notes go into the column \"notes\""
printf 'shape,计算说明,a\nazpjl,old,400\n' > tool-notes.csv
expect 0 "$program" --defaults tool-notes.csv
grep -q old out && fail "the tool's own notes column was kept"
grep -q "your own" err && fail "the tool's own notes column was taken as the user's"

# File names are escaped as cells are: no forged second message, no
# escape sequence reaches the terminal.
expect 2 "$program" $'no\nsuch\e[2J.csv'
[ "$(wc -l < err)" -eq 1 ] || fail "a line break in a file name made $(wc -l < err) lines"
has err 'cannot open "no\x0Asuch\x1B[2J.csv"'

# Non-blocking standard input and output: "try again" is waited for.
if command -v python3 > /dev/null; then
    python3 - "$program" good.csv <<'PY' || fail "non-blocking pipes"
import fcntl, os, subprocess, sys, time
program, path = sys.argv[1], sys.argv[2]
data = open(path, "rb").read().split(b"\n", 1)
rows = data[1] * 20000
read_in, write_in = os.pipe()
read_out, write_out = os.pipe()
for fd in (read_in, write_out):
    fcntl.fcntl(fd, fcntl.F_SETFL, fcntl.fcntl(fd, fcntl.F_GETFL) | os.O_NONBLOCK)
p = subprocess.Popen([program], stdin=read_in, stdout=write_out, stderr=subprocess.PIPE)
os.close(read_in); os.close(write_out)
os.write(write_in, data[0] + b"\n")
time.sleep(0.2)  # the program finds standard input empty
chunks = []
import threading
def drain():
    while True:
        b = os.read(read_out, 65536)
        if not b: break
        chunks.append(b)
        time.sleep(0.001)  # a slow reader: the program finds standard output full
t = threading.Thread(target=drain); t.start()
view = memoryview(rows)
while view:
    n = os.write(write_in, view[:65536]); view = view[n:]
os.close(write_in)
status = p.wait(); t.join()
out = b"".join(chunks)
err = p.stderr.read()
assert status == 0, (status, err)
assert out.count(b" 3996, 1.25, 1.19") == 20000, out.count(b" 3996")
PY
fi

exit $failed
