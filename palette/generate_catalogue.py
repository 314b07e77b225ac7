#!/usr/bin/python3
"""Turns catalogue.tsv into the C++ tables behind SymbolCatalogue.

Usage: generate_catalogue.py <catalogue.tsv> <output.inc>

The output defines kCatalogueTables[4][56], one row of CatalogueEntry per
panel in the order of the Panel enum (Algebra, Letters, Geometry, Calculus),
indexed by cell, each with its delete-first flag. Texts are written as
UTF-16 code units (\\xNNNN escapes), so what the table lists is exactly what
the program types: nothing is trimmed, normalised or recomposed on the way.
Names are written as UTF-8 literals.

catalogue_reader.py checks the table while it reads it; on any flaw (a
missing or repeated cell, a malformed code point, an unknown font, a text
longer than five code units, a delete-first flag other than yes or no) the
script stops the build with its message and writes nothing. Standard
library only, so that Debian's /usr/bin/python3 runs it without extra
modules.
"""

import sys

from catalogue_reader import CELLS, PANELS, CatalogueError, read_catalogue


def cxx_units(text):
    return 'u"' + "".join(f"\\x{ord(unit):04X}" for unit in text) + '"'


def cxx_text(text):
    return 'u"' + text.replace("\\", "\\\\").replace('"', '\\"') + '"'


def write(entries, path):
    lines = [
        "// Generated from catalogue.tsv by generate_catalogue.py; do not edit.",
        "",
        f"inline constexpr CatalogueEntry kCatalogueTables[{len(PANELS)}][{CELLS}] = {{",
    ]
    for panel in PANELS:
        lines.append(f"    {{ // {panel}")
        for entry in (entry for entry in entries if entry.panel == panel):
            lines.append(f"        /* {entry.index:2} */ {{{cxx_units(entry.text)}, "
                         f"{cxx_text(entry.font)}, {cxx_text(entry.name)}, "
                         f"{'true' if entry.delete_first else 'false'}}},")
        lines.append("    },")
    lines.append("};")
    with open(path, "w", encoding="utf-8", newline="\n") as out:
        out.write("\n".join(lines) + "\n")


def main():
    if len(sys.argv) != 3:
        sys.exit(__doc__)
    try:
        entries = read_catalogue(sys.argv[1])
    except CatalogueError as error:
        sys.exit(str(error))
    write(entries, sys.argv[2])


if __name__ == "__main__":
    main()
