#!/usr/bin/env bash
# Starts the desktop program, or explains plainly why it cannot start here.
set -euo pipefail
program=$1
if [[ -z "${DISPLAY:-}" && -z "${WAYLAND_DISPLAY:-}" ]]; then
    cat >&2 <<MSG
make run: no display here (neither DISPLAY nor WAYLAND_DISPLAY is set), so the
Dravik windows cannot be shown. The program is built at $program.
Without a display these work:
  make test          build and run every test (windows are tested offscreen)
  make screenshots   render the five windows to PNG files under Xvfb
  build/batch/dravik-batch FILE.csv   calculate a whole CSV file of columns
  xvfb-run -a $program   run the program on a virtual display
MSG
    exit 1
fi
exec "$program"
