#!/usr/bin/env bash
# Builds the math and text fonts twice, apart, and compares the files byte
# for byte: the build must not depend on time, order or place.
#   check_reproducible.sh PYTHON SOURCE_DIR MATH_FONT_ARGS... -- TEXT_FONT_ARGS...
set -euo pipefail
python=$1 src=$2
shift 2
math_args=()
while [ $# -gt 0 ] && [ "$1" != -- ]; do math_args+=("$1"); shift; done
[ $# -gt 0 ] && shift
text_args=("$@")
work=$(mktemp -d "${TMPDIR:-/tmp}/glyphboard-fonts.XXXXXX")
trap 'rm -rf "$work"' EXIT
for run in a b; do
    "$python" "$src/fonts/build_math_fonts.py" "$src/palette/catalogue.tsv" \
        "$src/fonts/glyph-table.tsv" "$work/$run" "${math_args[@]}"
    "$python" "$src/fonts/build_text_fonts.py" "$work/$run" "${text_args[@]}"
    sleep 1
done
for font in Vudida.ttf Dizever.ttf NurvelSans.ttf NurvelSansB.ttf; do
    cmp "$work/a/$font" "$work/b/$font"
done
echo "fonts are byte-identical across builds"
