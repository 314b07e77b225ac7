#!/usr/bin/env bash
# Installs what the tests need, builds everything and runs every test.
set -euo pipefail
top="$(cd "$(dirname "$0")/.." && pwd)"
build="${GLYPHBOARD_BUILD_DIR:-$top/build}"

"$top/tools/setup.sh" test
"$top/tools/build.sh"
ctest --test-dir "$build" --output-on-failure --timeout 600
