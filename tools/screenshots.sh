#!/usr/bin/env bash
# Renders the five windows to PNG files on a virtual X display.
#   usage: tools/screenshots.sh BUILD_DIR OUTPUT_DIR
set -euo pipefail
build=$1
out=$2
mkdir -p "$out"
QT_QPA_PLATFORM=xcb xvfb-run -a -s "-screen 0 1280x1024x24 -dpi 96" \
    "$build/tools/screenshots/dravik-screenshots" "$out"
echo "screenshots written to $out:"
ls "$out"
