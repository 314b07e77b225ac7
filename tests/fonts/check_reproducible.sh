#!/usr/bin/env bash
# Builds the math and text fonts twice, apart, and compares the files byte
# for byte: the build must not depend on time, order or place.
#   check_reproducible.sh PYTHON SOURCE_DIR
set -euo pipefail
python=$1 src=$2
work=$(mktemp -d "${TMPDIR:-/tmp}/glyphboard-fonts.XXXXXX")
trap 'rm -rf "$work"' EXIT
for run in a b; do
    "$python" "$src/fonts/build_math_fonts.py" "$src/palette/catalogue.tsv" \
        "$src/fonts/glyph-table.tsv" "$work/$run"
    "$python" "$src/fonts/build_text_fonts.py" "$work/$run"
    sleep 1
done
for font in Vudida.ttf Dizever.ttf NurvelSans.ttf NurvelSansB.ttf; do
    cmp "$work/a/$font" "$work/b/$font"
done
echo "fonts are byte-identical across builds"
