#!/usr/bin/env bash
# Cross-builds the Windows pieces with mingw-w64 into build-windows/ and runs
# their tests under wine, in a throw-away wine prefix that is removed again,
# together with its wine server, however the tests end.
#
#   tools/wine-test.sh [ctest arguments...]     e.g. -R word_link
set -euo pipefail
top="$(cd "$(dirname "$0")/.." && pwd)"
build="${GLYPHBOARD_WINDOWS_BUILD_DIR:-$top/build-windows}"

# The pictures, fonts and template come from the native build.
cmake -S "$top" -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo \
      -DCMAKE_TOOLCHAIN_FILE="$top/cmake/toolchain-mingw64.cmake" \
      -DGLYPHBOARD_HOST_BUILD_DIR="${GLYPHBOARD_BUILD_DIR:-$top/build}" \
      ${GLYPHBOARD_TEST_DISPLAY:+-DGLYPHBOARD_TEST_DISPLAY="$GLYPHBOARD_TEST_DISPLAY"}
cmake --build "$build" --parallel "$(nproc)"

WINEPREFIX="$(mktemp -d "${TMPDIR:-/tmp}/glyphboard-wine-XXXXXX")"
export WINEPREFIX WINEDEBUG=-all WINEDLLOVERRIDES="mscoree,mshtml="
# Wine must not open windows on a developer's screen; its null display
# driver serves the tests.
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
