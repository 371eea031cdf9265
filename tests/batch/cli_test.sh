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
expect 2 "$program" --max-record-size 12Q good.csv
has err "bad size"

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
