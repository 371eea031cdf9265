#!/usr/bin/env bash
# What a distribution checks in the built package: the AppStream metadata
# validates and names an installed desktop entry and screenshots that are
# committed files, the desktop entry validates, the manual pages and the
# changelog are gzipped, and the copyright file parses as Debian's
# machine-readable format with a text for every licence it names.
#   usage: package_contents_test.sh SOURCE_DIR BUILD_DIR VERSION HOMEPAGE
set -uo pipefail
source=$1
build=$2
version=$3
homepage=$4
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
failures=0
fail() { echo "FAIL: $*"; failures=$((failures + 1)); }
pass() { echo "ok: $*"; }

deb=$build/dravik_${version}_$(dpkg --print-architecture).deb
dpkg-deb -x "$deb" "$work/root" || { echo "FAIL: cannot unpack $deb"; exit 1; }
usr=$work/root/usr

metainfo=("$usr"/share/metainfo/*.metainfo.xml)
if [[ ${#metainfo[@]} != 1 || ! -f ${metainfo[0]} ]]; then
    fail "want one metainfo file, found: ${metainfo[*]}"
else
    appstreamcli validate --no-net --pedantic "${metainfo[0]}" && pass "metainfo validates" \
        || fail "appstreamcli validate"
    # The metainfo together with the desktop entry and icons it goes with.
    appstreamcli validate-tree --no-net --pedantic "$work/root" && pass "the installed tree validates" \
        || fail "appstreamcli validate-tree"
    desktop_id=$(sed -n 's:.*<launchable type="desktop-id">\(.*\)</launchable>.*:\1:p' "${metainfo[0]}")
    [[ -n $desktop_id && -f $usr/share/applications/$desktop_id ]] && pass "launchable $desktop_id is installed" \
        || fail "launchable '$desktop_id' is not in usr/share/applications"
    shots=$(sed -n 's:.*<image>\(.*\)</image>.*:\1:p' "${metainfo[0]}")
    [[ -n $shots ]] || fail "no screenshots"
    for url in $shots; do
        path=${url#"$homepage"/}
        [[ $path != "$url" && -f $source/$path ]] && git -C "$source" ls-files --error-unmatch "$path" >/dev/null 2>&1 \
            || fail "screenshot $url is not a committed file under $homepage/"
    done
    grep -q '<summary xml:lang="zh-CN">' "${metainfo[0]}" && grep -q '<p xml:lang="zh-CN">' "${metainfo[0]}" \
        && pass "Chinese summary and description" || fail "no Chinese summary or description"
fi
desktop-file-validate "$usr/share/applications/dravik.desktop" && pass "desktop entry validates" \
    || fail "desktop-file-validate"

for page in dravik dravik-batch; do
    gz=$usr/share/man/man1/$page.1.gz
    [[ ! -e $usr/share/man/man1/$page.1 ]] && gzip -t "$gz" 2>/dev/null && pass "$page.1 is gzipped" \
        || fail "$page.1 is not installed gzipped"
done
doc=$usr/share/doc/dravik
gzip -t "$doc/changelog.gz" 2>/dev/null && zcat "$doc/changelog.gz" | head -n 1 | grep -q "^dravik ($version) " \
    && pass "changelog.gz starts with $version" || fail "changelog.gz missing or not for $version"

/usr/bin/python3 - "$doc/copyright" <<'PY' && pass "copyright is machine-readable" || fail "copyright"
import sys
from debian import copyright

with open(sys.argv[1], encoding="utf-8") as f:
    parsed = copyright.Copyright(f, strict=True)
named = set()
for files in parsed.all_files_paragraphs():
    named.update(files.license.synopsis.replace(" or ", ",").replace(" and ", ",").split(","))
texts = {p.license.synopsis for p in parsed.all_license_paragraphs() if p.license.text.strip()}
missing = {n.strip() for n in named} - texts
if missing:
    sys.exit(f"licences named without their text: {sorted(missing)}")
PY

exit $((failures == 0 ? 0 : 1))
