#!/usr/bin/env bash
# Converts a document with LibreOffice, headless, in a throw-away profile so
# that it neither touches nor waits for the user's own office.
#
#   convert_document.sh INPUT FILTER OUTPUT
set -euo pipefail
input=$1 filter=$2 output=$3
work=$(mktemp -d "${TMPDIR:-/tmp}/glyphboard-convert.XXXXXX")
trap 'rm -rf "$work"' EXIT
HOME="$work" timeout 300 soffice --headless --norestore \
    "-env:UserInstallation=file://$work/profile" \
    --convert-to "${output##*.}:$filter" --outdir "$work" "$input" >"$work/log" 2>&1 || {
    cat "$work/log" >&2; exit 1; }
produced="$work/$(basename "${input%.*}").${output##*.}"
[ -s "$produced" ] || { echo "convert_document: no output for $input" >&2; cat "$work/log" >&2; exit 1; }
mv "$produced" "$output"
