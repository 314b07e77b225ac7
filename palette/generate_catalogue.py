#!/usr/bin/python3
"""Turns catalogue.tsv into the C++ tables behind SymbolCatalogue.

Usage: generate_catalogue.py <catalogue.tsv> <output.inc>

The output defines kCatalogueTables[4][56], one row of CatalogueEntry per
panel in the order of the Panel enum (Algebra, Letters, Geometry, Calculus),
indexed by cell. Texts are written as UTF-16 code units (\\xNNNN escapes), so
what the table lists is exactly what the program types: nothing is trimmed,
normalised or recomposed on the way. Names are written as UTF-8 literals.

The script checks the table while it reads it and stops the build on any
flaw: a missing or repeated cell, a malformed code point, an unknown font or
a text longer than five code units. Standard library only, so that Debian's
/usr/bin/python3 runs it without extra modules.
"""

import re
import sys

PANELS = ["Algebra", "Letters", "Geometry", "Calculus"]
FONTS = ["Al-DizaDorvan", "Al-ZavuraDorvan", "Traditional Arabic"]
CELLS = 56
MAX_TEXT_UNITS = 5
CODE_UNIT = re.compile(r"U\+([0-9A-F]{4})")


def fail(where, message):
    sys.exit(f"{where}: {message}")


def parse(path):
    tables = {panel: {} for panel in PANELS}
    with open(path, encoding="utf-8", newline="") as source:
        for number, line in enumerate(source, 1):
            line = line.rstrip("\r\n")
            where = f"{path}:{number}"
            if not line or line.startswith("#"):
                continue
            columns = line.split("\t")
            if len(columns) != 5:
                fail(where, f"expected 5 tab-separated columns, found {len(columns)}")
            panel, index, points, font, name = columns
            if panel not in tables:
                fail(where, f"unknown panel {panel!r}")
            if not index.isdigit() or not 0 <= int(index) < CELLS:
                fail(where, f"cell index {index!r} is not 0 to {CELLS - 1}")
            units = []
            for token in points.split(" ") if points else []:
                match = CODE_UNIT.fullmatch(token)
                if not match:
                    fail(where, f"malformed code point {token!r}")
                units.append(int(match.group(1), 16))
            if len(units) > MAX_TEXT_UNITS:
                fail(where, f"text has {len(units)} code units, at most {MAX_TEXT_UNITS}")
            if font not in FONTS:
                fail(where, f"unknown font {font!r}")
            if len(name) < 2 or name[0] != '"' or name[-1] != '"':
                fail(where, "the name must stand between double quotes")
            cell = int(index)
            if cell in tables[panel]:
                fail(where, f"{panel} {cell} appears twice")
            tables[panel][cell] = (units, font, name[1:-1])
    for panel, cells in tables.items():
        missing = sorted(set(range(CELLS)) - cells.keys())
        if missing:
            fail(path, f"{panel} lacks cells {missing}")
    return tables


def cxx_units(units):
    return 'u"' + "".join(f"\\x{unit:04X}" for unit in units) + '"'


def cxx_text(text):
    return 'u"' + text.replace("\\", "\\\\").replace('"', '\\"') + '"'


def write(tables, path):
    lines = [
        "// Generated from catalogue.tsv by generate_catalogue.py; do not edit.",
        "",
        "inline constexpr CatalogueEntry kCatalogueTables[4][56] = {",
    ]
    for panel in PANELS:
        lines.append(f"    {{ // {panel}")
        for cell in range(CELLS):
            units, font, name = tables[panel][cell]
            lines.append(f"        /* {cell:2} */ {{{cxx_units(units)}, {cxx_text(font)}, {cxx_text(name)}}},")
        lines.append("    },")
    lines.append("};")
    with open(path, "w", encoding="utf-8", newline="\n") as out:
        out.write("\n".join(lines) + "\n")


def main():
    if len(sys.argv) != 3:
        sys.exit(__doc__)
    write(parse(sys.argv[1]), sys.argv[2])


if __name__ == "__main__":
    main()
