#!/usr/bin/env bash
# Installs what the tests need, builds everything and runs every test.
set -euo pipefail
top="$(cd "$(dirname "$0")/.." && pwd)"
build="${GLYPHBOARD_BUILD_DIR:-$top/build}"

"$top/tools/setup.sh" test
"$top/tools/build.sh" -DBUILD_TESTING=ON
status=0
ctest --test-dir "$build" --output-on-failure --timeout 600 || status=$?
# The Windows pieces: cross-built with mingw-w64 and tested under wine.
GLYPHBOARD_WINDOWS_BUILD_DIR="${GLYPHBOARD_WINDOWS_BUILD_DIR:-$build-windows}" \
    "$top/tools/wine-test.sh" || status=$?
exit "$status"
