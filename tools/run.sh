#!/usr/bin/env bash
# Installs what the palette needs, builds it and starts it.
set -euo pipefail
top="$(cd "$(dirname "$0")/.." && pwd)"
build="${GLYPHBOARD_BUILD_DIR:-$top/build}"

"$top/tools/setup.sh" run
"$top/tools/build.sh" -DBUILD_TESTING=OFF

if [ -z "${DISPLAY:-}" ] && [ -z "${WAYLAND_DISPLAY:-}" ]; then
    echo "run: no display found; starting a virtual one (Xvfb :99)" >&2
    Xvfb :99 -screen 0 1280x800x24 >/dev/null 2>&1 &
    export DISPLAY=:99
    sleep 1
fi

exec "$build/palette/Glyphboard"
