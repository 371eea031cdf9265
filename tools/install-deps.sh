#!/usr/bin/env bash
# Installs the Debian packages listed in deps/debian-packages.txt that are
# not installed yet. Refreshes the package lists first, so a stale list on a
# fresh machine does not break the install.
set -euo pipefail
here=$(cd "$(dirname "$0")/.." && pwd)
mapfile -t wanted < <(sed -e 's/#.*//' -e 's/[[:space:]]//g' "$here/deps/debian-packages.txt" | grep -v '^$')

missing=()
for pkg in "${wanted[@]}"; do
    status=$(dpkg-query -W -f='${Status}' "$pkg" 2>/dev/null || true)
    [[ "$status" == "install ok installed" ]] || missing+=("$pkg")
done
# The text rules are also tested under a comma-decimal locale.
test_locale=de_DE.UTF-8
has_locale() { locale -a 2>/dev/null | grep -qix 'de_DE.utf8'; }

if ((${#missing[@]} == 0)) && has_locale; then
    exit 0
fi

sudo=()
if [[ $(id -u) -ne 0 ]]; then
    command -v sudo >/dev/null || { echo "install-deps: need root (or sudo) to install: ${missing[*]} $test_locale" >&2; exit 1; }
    sudo=(sudo)
fi
if ((${#missing[@]} > 0)); then
    echo "install-deps: installing ${missing[*]}"
    "${sudo[@]}" apt-get update -qq
    DEBIAN_FRONTEND=noninteractive "${sudo[@]}" apt-get install -y -qq --no-install-recommends "${missing[@]}"
fi
if ! has_locale; then
    echo "install-deps: generating the $test_locale locale"
    "${sudo[@]}" sed -i "s/^# *\($test_locale UTF-8\)/\1/" /etc/locale.gen
    grep -q "^$test_locale UTF-8" /etc/locale.gen || echo "$test_locale UTF-8" | "${sudo[@]}" tee -a /etc/locale.gen >/dev/null
    "${sudo[@]}" locale-gen >/dev/null
fi
