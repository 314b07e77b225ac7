#!/usr/bin/env bash
# Writes a fontconfig set-up of one's own: the system's fonts, the fonts in
# FONTS_DIR and the "Traditional Arabic" alias. Pointing FONTCONFIG_FILE at
# it lets a program use fonts of this build without installing anything.
#
#   write_fontconfig.sh CONF_FILE FONTS_DIR ALIAS_CONF [CACHE_DIR]
set -euo pipefail
conf=$1 fonts=$2 alias=$3 cache=${4:-}
# The system's set-up, named in tools/deps/system-paths.txt.
system_conf=$(awk '$1 == "fontconfig-system-conf" { print $2 }' \
    "$(dirname "$0")/../tools/deps/system-paths.txt")
mkdir -p "$(dirname "$conf")"
{
    echo '<?xml version="1.0"?>'
    echo '<!DOCTYPE fontconfig SYSTEM "urn:fontconfig:fonts.dtd">'
    echo '<fontconfig>'
    echo "  <include ignore_missing=\"yes\">$system_conf</include>"
    echo "  <dir>$fonts</dir>"
    echo "  <include>$alias</include>"
    [ -z "$cache" ] || echo "  <cachedir>$cache</cachedir>"
    echo '</fontconfig>'
} > "$conf"
