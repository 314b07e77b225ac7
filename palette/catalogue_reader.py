"""Reads palette/catalogue.tsv and checks it while reading.

Every program that needs the catalogue (the C++ table generator, the math
font build, the proof sheet) reads it through `read_catalogue`, so a damaged
table stops each of them with the same message instead of being read in
three ways. Standard library only: the generator runs under a plain Python
on Windows too.

A flaw raises CatalogueError, whose text names the file and line: a wrong
number of columns, an unknown panel or font, a cell index out of range, a
malformed code point, a text longer than five code units, a name without
its double quotes, a delete-first flag other than "yes" or "no", a cell
listed twice, or a panel with cells missing.
"""

import collections
import re

PANELS = ("Algebra", "Letters", "Geometry", "Calculus")
FONTS = ("Al-DizaDorvan", "Al-ZavuraDorvan", "Traditional Arabic")
CELLS = 56
MAX_TEXT_UNITS = 5
CODE_UNIT = re.compile(r"U\+([0-9A-F]{4})")


class CatalogueError(Exception):
    """A flaw of the table, with the place it was found."""

    def __init__(self, where, message):
        super().__init__(f"{where}: {message}")


def _panel(field):
    if field not in PANELS:
        raise ValueError(f"unknown panel {field!r}")
    return field


def _index(field):
    if not field.isdigit() or not 0 <= int(field) < CELLS:
        raise ValueError(f"cell index {field!r} is not 0 to {CELLS - 1}")
    return int(field)


def _text(field):
    """The inserted text from its code units; every unit, space or lone mark,
    is kept as written."""
    units = []
    for token in field.split(" ") if field else []:
        match = CODE_UNIT.fullmatch(token)
        if not match:
            raise ValueError(f"malformed code point {token!r}")
        units.append(chr(int(match.group(1), 16)))
    if len(units) > MAX_TEXT_UNITS:
        raise ValueError(f"text has {len(units)} code units, at most {MAX_TEXT_UNITS}")
    return "".join(units)


def _font(field):
    if field not in FONTS:
        raise ValueError(f"unknown font {field!r}")
    return field


def _name(field):
    if len(field) < 2 or field[0] != '"' or field[-1] != '"':
        raise ValueError("the name must stand between double quotes")
    return field[1:-1]


def _flag(field):
    """A yes/no column; anything else, an empty field included, is a flaw, so
    that a mistyped flag cannot silently read as "no"."""
    if field not in ("yes", "no"):
        raise ValueError(f"flag {field!r} is neither \"yes\" nor \"no\"")
    return field == "yes"


# The columns in file order, each with the function that checks and converts
# its field. A new column is one more row here.
COLUMNS = (
    ("panel", _panel),
    ("index", _index),
    ("text", _text),
    ("font", _font),
    ("name", _name),
    ("delete_first", _flag),
)


class Entry(collections.namedtuple("Entry", [name for name, _ in COLUMNS])):
    """One palette cell: the text it types (a str of UTF-16 code units, all
    in the Basic Multilingual Plane), its font, its tooltip name and whether
    it deletes the character before the insertion point first (a bool)."""

    __slots__ = ()

    @property
    def cell(self):
        """The cell as the font build and the proof sheet name it, "Letters 7"."""
        return f"{self.panel} {self.index}"


def read_catalogue(path):
    """The 224 entries, panel by panel in the order of PANELS, each panel's
    cells by index."""
    entries = {}
    with open(path, encoding="utf-8", newline="") as source:
        for number, line in enumerate(source, 1):
            line = line.rstrip("\r\n")
            if not line or line.startswith("#"):
                continue
            where = f"{path}:{number}"
            fields = line.split("\t")
            if len(fields) != len(COLUMNS):
                raise CatalogueError(
                    where, f"expected {len(COLUMNS)} tab-separated columns, found {len(fields)}")
            try:
                entry = Entry(*(convert(field) for (_, convert), field in zip(COLUMNS, fields)))
            except ValueError as error:
                raise CatalogueError(where, str(error)) from None
            key = (entry.panel, entry.index)
            if key in entries:
                raise CatalogueError(where, f"{entry.cell} appears twice")
            entries[key] = entry
    for panel in PANELS:
        missing = [index for index in range(CELLS) if (panel, index) not in entries]
        if missing:
            raise CatalogueError(path, f"{panel} lacks cells {missing}")
    return [entries[(panel, index)] for panel in PANELS for index in range(CELLS)]
