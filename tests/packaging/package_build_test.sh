#!/usr/bin/env bash
# Builds the Debian package from a built tree, running cpack from the source
# folder (the hardest place to run it from), and checks that the package and
# CPack's scratch folder land in the build tree and nothing in the source
# tree: `git status` reads the same before and after.
#   usage: package_build_test.sh SOURCE_DIR BUILD_DIR VERSION
set -uo pipefail
source=$1
build=$2
version=$3
failures=0
fail() { echo "FAIL: $*"; failures=$((failures + 1)); }
pass() { echo "ok: $*"; }

status() { git -C "$source" status --porcelain --untracked-files=all 2>/dev/null; }
before=$(status)
rm -f "$build"/dravik_"$version"_*.deb
(cd "$source" && cpack --config "$build/CPackConfig.cmake") >"$build/package_build_test.log" 2>&1 \
    || fail "cpack: $(tail -n 20 "$build/package_build_test.log")"
after=$(status)

debs=("$build"/dravik_"$version"_"$(dpkg --print-architecture)".deb)
[[ -f ${debs[0]} ]] && pass "the package is ${debs[0]}" || fail "no package in $build: $(ls "$build")"
[[ $before == "$after" ]] && pass "the source tree is as it was" \
    || fail "packaging changed the source tree:"$'\n'"$(diff <(echo "$before") <(echo "$after"))"
[[ ! -e $source/_CPack_Packages ]] || fail "CPack's scratch folder is in the source tree"

exit $((failures == 0 ? 0 : 1))
