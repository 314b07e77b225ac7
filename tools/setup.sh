#!/usr/bin/env bash
# Installs the Debian packages a purpose needs, skipping those already there.
#
#   tools/setup.sh run    packages to build and run the programs
#   tools/setup.sh test   packages to build and run every test
#
# Each area of the project lists its packages in tools/deps/<area>-<kind>.txt,
# kind being build (needed by both purposes), run or test. One package per
# line; "a|b" means either of them will do (the first is installed when
# neither is there); "#" starts a comment.
set -euo pipefail

purpose=${1:?usage: tools/setup.sh run|test}
case "$purpose" in run|test) ;; *) echo "usage: tools/setup.sh run|test" >&2; exit 2 ;; esac
deps="$(cd "$(dirname "$0")" && pwd)/deps"

installed() {
    dpkg-query -W -f='${Status}' "$1" 2>/dev/null | grep -q 'install ok installed'
}

missing=()
for list in "$deps"/*-build.txt "$deps"/*-"$purpose".txt; do
    [ -f "$list" ] || continue
    while IFS= read -r line || [ -n "$line" ]; do
        line=${line%%#*}
        line=$(echo $line)
        [ -n "$line" ] || continue
        IFS='|' read -ra alternatives <<< "$line"
        found=
        for package in "${alternatives[@]}"; do
            if installed "$package"; then found=1; break; fi
        done
        [ -n "$found" ] || missing+=("${alternatives[0]}")
    done < "$list"
done

if [ ${#missing[@]} -eq 0 ]; then
    echo "setup: every package for '$purpose' is installed"
    exit 0
fi

readarray -t missing < <(printf '%s\n' "${missing[@]}" | sort -u)
echo "setup: installing ${missing[*]}"
sudo=
[ "$(id -u)" -eq 0 ] || sudo=sudo
$sudo apt-get update
DEBIAN_FRONTEND=noninteractive $sudo apt-get install -y --no-install-recommends "${missing[@]}"
