#!/usr/bin/env bash
# Renders the proof sheet with LibreOffice into PDF and PNG pages.
# The built fonts are found through a private fontconfig set-up, so nothing
# is installed on the machine, and LibreOffice runs with a throw-away profile.
#
#   render_proof_sheet.sh FODT FONTS_DIR ALIAS_CONF OUT_DIR
set -euo pipefail
fodt=$1 fonts=$2 alias=$3 out=$4
work=$(mktemp -d "${TMPDIR:-/tmp}/glyphboard-proof.XXXXXX")
trap 'rm -rf "$work"' EXIT
mkdir -p "$out"
"$(dirname "$0")/../write_fontconfig.sh" "$work/fonts.conf" "$fonts" "$alias" "$work/cache"
export FONTCONFIG_FILE="$work/fonts.conf"
export HOME="$work"
timeout 300 soffice --headless --norestore "-env:UserInstallation=file://$work/profile" \
    --convert-to pdf --outdir "$work" "$fodt" >/dev/null 2>&1
base=$(basename "${fodt%.*}")
cp "$work/$base.pdf" "$out/$base.pdf"
pdftoppm -r 110 -png "$out/$base.pdf" "$out/$base"
echo "proof sheet: $out/$base.pdf and $out/$base-*.png"
