#!/usr/bin/env bash
# Renders the five windows to PNG files on a virtual X display: at one device
# pixel per pixel into OUTPUT_DIR (the pixel reference of the windows), and at
# two into OUTPUT_DIR/hidpi (how they look on a HiDPI screen at 200 %); and
# the first page of each shape's calculation sheet at its defaults to
# OUTPUT_DIR/sheets, plain and as a design review gets it (NAME-reviewed.png:
# with a title block and the check).
#   usage: tools/screenshots.sh BUILD_DIR OUTPUT_DIR
set -euo pipefail
build=$1
out=$2
mkdir -p "$out/sheets"
pdfs=$(mktemp -d)
trap 'rm -rf "$pdfs"' EXIT
QT_QPA_PLATFORM=xcb xvfb-run -a -s "-screen 0 1280x1024x24 -dpi 96" \
    "$build/tools/screenshots/dravik-screenshots" "$out" "$pdfs"
QT_QPA_PLATFORM=xcb QT_SCALE_FACTOR=2 xvfb-run -a -s "-screen 0 2560x2048x24 -dpi 96" \
    "$build/tools/screenshots/dravik-screenshots" "$out/hidpi"
for pdf in "$pdfs"/*.pdf; do
    name=$(basename "$pdf" .pdf)
    # pdftoppm (poppler-utils) names a single page NAME.png with -singlefile.
    pdftoppm -png -r 90 -f 1 -l 1 -singlefile "$pdf" "$out/sheets/$name"
done
echo "screenshots written to $out, $out/hidpi and $out/sheets:"
ls "$out" "$out/hidpi" "$out/sheets"
