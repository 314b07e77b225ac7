#!/usr/bin/env bash
# Cross-builds the Windows pieces with mingw-w64 into build-windows/ and runs
# their tests under wine, in a throw-away wine prefix that is removed again,
# together with its wine server, however the tests end.
#
#   tools/wine-test.sh [ctest arguments...]     e.g. -R word_link
set -euo pipefail
top="$(cd "$(dirname "$0")/.." && pwd)"
build="${GLYPHBOARD_WINDOWS_BUILD_DIR:-$top/build-windows}"

# The native build draws the palette pictures that Glyphboard.exe embeds and
# holds the picture checks its panels go through; without it the palette
# shows placeholders and those checks are left out.
host="${GLYPHBOARD_BUILD_DIR:-$top/build}"
host_arguments=()
if [ -d "$host/palette/pictures/drawn" ]; then
    host_arguments=(-DGLYPHBOARD_HOST_BUILD_DIR="$host")
fi
cmake -S "$top" -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo \
      -DCMAKE_TOOLCHAIN_FILE="$top/cmake/toolchain-mingw64.cmake" "${host_arguments[@]}" \
      -DGLYPHBOARD_WINE_DISPLAY="${GLYPHBOARD_WINE_DISPLAY:-auto}"
cmake --build "$build" --parallel "$(nproc)"

WINEPREFIX="$(mktemp -d "${TMPDIR:-/tmp}/glyphboard-wine-XXXXXX")"
export WINEPREFIX WINEDEBUG=-all WINEDLLOVERRIDES="mscoree,mshtml="
# Wine must not open windows on a developer's screen; its null display
# driver serves the tests. The palette's end-to-end test makes a prefix of
# its own on an Xvfb display (tools/wine-desktop.sh).
unset DISPLAY WAYLAND_DISPLAY

cleanup() {
    # Only this prefix's server and the programs it runs.
    wineserver -k 2>/dev/null || true
    timeout 60 wineserver -w 2>/dev/null || true
    rm -rf "$WINEPREFIX"
}
trap cleanup EXIT

echo "wine-test: preparing the wine prefix $WINEPREFIX"
timeout 300 wineboot -i </dev/null >/dev/null 2>&1
timeout 120 wine reg add 'HKCU\Software\Wine\Drivers' /v Graphics /d null /f </dev/null >/dev/null 2>&1
# Let the server that set up the prefix exit; COM calls through it are slow.
timeout 120 wineserver -w
# Start wine's background services now, with no pipe of CTest to inherit.
timeout 120 wine cmd /c exit </dev/null >/dev/null 2>&1

ctest --test-dir "$build" --output-on-failure --timeout 180 "$@"
