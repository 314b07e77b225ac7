#!/usr/bin/env bash
# Installs what the palette needs, builds it and starts it beside Writer.
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

# The math fonts and the "Traditional Arabic" alias come from this build,
# through a fontconfig set-up of the run's own: nothing is installed for the
# user. (tools/build.sh makes the fonts; the installer or the Debian package
# installs them for good.)
"$top/fonts/write_fontconfig.sh" "$build/run/fonts.conf" "$build/fonts" \
    "$top/fonts/65-traditional-arabic.conf"
export FONTCONFIG_FILE="$build/run/fonts.conf"

# The palette types through the insertion component of this build's
# extension. Writer takes a folder of the run's own as its bundled
# extensions (the system's, linked, and this build's) and keeps their
# registration in build/run too, so nothing is installed into the user's
# profile.
bundled="$build/run/extensions"
rm -rf "$bundled"
mkdir -p "$bundled"
program="$(dirname "$(readlink -f "$(command -v soffice)")")"
for extension in "$program/../share/extensions"/*; do
    [ -e "$extension" ] && ln -s "$(readlink -f "$extension")" "$bundled/"
done
ln -s "$build/doclink/libreoffice/extension/bundled/glyphboard" "$bundled/glyphboard"

# Writer with a new, blank right-to-left document, listening on the pipe the
# palette types through. An office already running under the user's profile
# opens the document and the pipe itself instead of starting a second one;
# it then sees only the fonts and extensions it was started with, and the
# palette types over the bridge.
echo "run: starting Writer with a blank Arabic document" >&2
soffice "--accept=pipe,name=glyphboard;urp;StarOffice.ComponentContext" --norestore \
    "-env:BUNDLED_EXTENSIONS=file://$bundled" \
    "-env:BUNDLED_EXTENSIONS_USER=file://$build/run/extensions-registration" \
    -n "$top/doclink/documents/blank-arabic.fodt" >/dev/null 2>&1 &

exec "$build/palette/Glyphboard"
