#!/usr/bin/env bash
# Renders the five windows to PNG files on a virtual X display: at one device
# pixel per pixel into OUTPUT_DIR (the pixel reference of the windows), and at
# two into OUTPUT_DIR/hidpi (how they look on a HiDPI screen at 200 %).
#   usage: tools/screenshots.sh BUILD_DIR OUTPUT_DIR
set -euo pipefail
build=$1
out=$2
mkdir -p "$out"
QT_QPA_PLATFORM=xcb xvfb-run -a -s "-screen 0 1280x1024x24 -dpi 96" \
    "$build/tools/screenshots/dravik-screenshots" "$out"
QT_QPA_PLATFORM=xcb QT_SCALE_FACTOR=2 xvfb-run -a -s "-screen 0 2560x2048x24 -dpi 96" \
    "$build/tools/screenshots/dravik-screenshots" "$out/hidpi"
echo "screenshots written to $out and $out/hidpi:"
ls "$out" "$out/hidpi"
