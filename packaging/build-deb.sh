#!/usr/bin/env bash
# Installs what the build needs, builds the programs without the tests in a
# build folder of its own and makes the Debian package there:
# build-package/glyphboard_<version>_<arch>.deb.
set -euo pipefail
top="$(cd "$(dirname "$0")/.." && pwd)"
export GLYPHBOARD_BUILD_DIR="${GLYPHBOARD_PACKAGE_DIR:-$top/build-package}"

"$top/tools/setup.sh" run
"$top/tools/build.sh" -DBUILD_TESTING=OFF
cpack --config "$GLYPHBOARD_BUILD_DIR/CPackConfig.cmake" -B "$GLYPHBOARD_BUILD_DIR"
ls "$GLYPHBOARD_BUILD_DIR"/*.deb
