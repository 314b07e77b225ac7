#!/usr/bin/env bash
# Runs one Windows program under wine: CTest's emulator for the cross build.
#
#   WINEPREFIX=<prefix> tools/wine-run.sh program.exe [arguments...]
#
# The prefix is a throw-away one that tools/wine-test.sh prepares. The
# program's output is collected in a file and shown when it ends: wine's
# background services, when a program starts them, inherit its output, and a
# pipe they hold open would keep CTest waiting.
set -uo pipefail
: "${WINEPREFIX:?set WINEPREFIX to a prepared prefix; tools/wine-test.sh makes one}"
export WINEPREFIX WINEDEBUG=-all WINEDLLOVERRIDES="mscoree,mshtml="
unset DISPLAY WAYLAND_DISPLAY

wine=$("$(dirname "$0")/wine-loader.sh")

output="$(mktemp "${TMPDIR:-/tmp}/glyphboard-wine-run.XXXXXX")"
trap 'rm -f "$output"' EXIT
"$wine" "$@" </dev/null >"$output" 2>&1
status=$?
cat "$output"
exit "$status"
