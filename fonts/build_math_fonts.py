#!/usr/bin/python3
"""Builds the two math fonts from the catalogue and the glyph table.

Every catalogue text typed in a math font becomes one glyph: single
characters through the character map, longer texts through one ligature
lookup under `ccmp`, which the Arabic shaper runs before any joining form.
The outlines are composed from Noto Sans Math and Noto Naskh Arabic (both
under the SIL Open Font License) as glyph-table.tsv describes them.

A flaw of the inputs (a catalogue or glyph-table error, a cell without a
glyph-table row, an unknown mode or shape, a character a source font lacks)
stops the build with one message and no font written.

Usage: build_math_fonts.py CATALOGUE GLYPH_TABLE OUT_DIR
       --math FONT --naskh FONT [--report FILE]
"""

import argparse
import json
import math
import os
import subprocess
import sys
import tempfile
import unicodedata

from fontTools.feaLib.builder import addOpenTypeFeaturesFromString
from fontTools.fontBuilder import FontBuilder
from fontTools.pens.boundsPen import BoundsPen
from fontTools.pens.recordingPen import DecomposingRecordingPen
from fontTools.pens.reverseContourPen import ReverseContourPen
from fontTools.pens.transformPen import TransformPen
from fontTools.pens.ttGlyphPen import TTGlyphPen
from fontTools.ttLib import TTFont

sys.path.insert(0, os.path.join(os.path.dirname(os.path.abspath(__file__)), "..", "palette"))
from catalogue_reader import CatalogueError, read_catalogue  # noqa: E402

UPM = 1000
PAD = 40          # side bearing of inline glyphs
SLOT = 440        # width of one column of a built-up stack (fraction, bounds)
SPACE_WIDTH = 250

# Bars built from pieces: a radical sign's bar and every completion's bar are
# one rectangle per radical size, the same height in every piece, so that
# where two pieces' bars overlap the ink is no thicker.
#
# Join rule: a bar runs its size's reach left of its piece, over what is
# typed next, and a completion's bar also runs VINCULUM_BACK units right,
# back over what was typed before. Two bars therefore meet over anything
# narrower than reach and back together, less a margin for rounding.
#
# Under most radicals the characters are typed in the text font, whose widths
# the pieces cannot see: TEXT_REACH leaves 88 units over the widest character
# "Traditional Arabic" has (ص, 1212 units) and covers a final digit with half
# an em to spare. The denominator radical stands over denominator columns of
# this font, 440 to 705 units wide: COLUMN_REACH leaves 95 over the widest.
# VINCULUM_BACK stays below the narrowest of either (alif, 217 units), so
# that a completion never reaches past the corner of the radical sign.
TEXT_REACH = 1100
COLUMN_REACH = 600
VINCULUM_BACK = 200
# The tallest ink of the text font's letters, digits and signs: the hamza of
# أ, 1007 units high in "Traditional Arabic" (alif alone 695, digits 630).
TEXT_TALLEST = 1007
# The radicals typed over text (small, medium, large) carry their bars above
# it, with room for the rasteriser's edge even at 9 pt; the sizes differ in
# how far their signs reach down: the small one stands on the line (a digit
# or a short word), the medium one goes under the letters' tails, the large
# one under a denominator built from pieces. Bars and signs end below the
# text font's ascent (1124), so that a line holding a radical opens no wider.
RADICAL_BAR_BOTTOM = TEXT_TALLEST + 43
# The factorial's corner runs under its operand, a number or a letter: its
# bar keeps the same room under the digits' tails (٤ reaches -97). Letters
# with tails or dots below the line, and parentheses, reach deeper than the
# line's descent leaves room for, and cross it.
FACTORIAL_BAR_TOP = -97 - 43
# The denominator radical's bar runs between the denominators' tops (170, a
# + reaches 179) and the fraction bar (230), clear of both by the room its
# row's script size leaves, and about as thin as the scripts' strokes.
# (bottom, top, reach) of each radical size's bar; a sign's bar starts at its
# corner, which the sign's mode puts on the glyph's left edge. The numerator
# radical shares its completion with the large radical, and so its bar, which
# clears the tallest numerator with room to spare.
VINCULUMS = {
    "small": (RADICAL_BAR_BOTTOM, RADICAL_BAR_BOTTOM + 35, TEXT_REACH),
    "medium": (RADICAL_BAR_BOTTOM, RADICAL_BAR_BOTTOM + 40, TEXT_REACH),
    "large": (RADICAL_BAR_BOTTOM, RADICAL_BAR_BOTTOM + 40, TEXT_REACH),
    "low": (192, 218, COLUMN_REACH),
    "factorial": (FACTORIAL_BAR_TOP - 35, FACTORIAL_BAR_TOP, TEXT_REACH),
}
VINCULUM_INTO_SIGN = 10       # how far a sign's bar runs into its corner stroke
# A completion takes next to no room of its own, but some: a glyph without
# width is taken for a mark by some layout engines and is hard to select.
COMPLETION_ADVANCE = PAD / 2

# Overbars (ray, line, vector) are typed before the name they stand over: one
# piece, then the name's letters in the text font. Every overbar is one
# rectangle at one height, from the piece's right edge its reach to the left,
# and its marks stay above the tallest letter a name holds (the hamza of أ,
# TEXT_TALLEST units high in "Traditional Arabic"). The mark of its kind sits
# at the bar's end as read right to left (the left end), where the name ends;
# a line's arrows sit at both ends. The long reach covers a two-letter name
# up to 1250 units (أب is 1160; half of all two-letter names are 1030 or
# narrower), the short one a single letter up to 700. Marks reach up to
# 1101, inside the text font's ascent (1124), so that a line with an overbar
# opens no wider.
OVERBAR = (1040, 1070)
OVERBAR_REACHES = {"long": 1250, "short": 700}
OVERBAR_MARK = 28             # an arrow head's rise and fall from the bar's middle
OVERBAR_DOT = 36              # the dot's radius
OVERBAR_HEAD = 110            # an arrow head's length along the bar
OVERBAR_STROKE = 30

# Fractions are typed column by column, numerator then denominator; each
# denominator brings the bar of its column. The bar runs from FRACTION_MARGIN
# left of the denominator over the whole standard numerator half (SLOT / 2)
# and FRACTION_MARGIN more, so that neighbouring columns' bars overlap by
# twice the margin; a numerator wider than the standard half adds the rest
# of the bar over itself.
FRACTION_BAR = (230, 270)
FRACTION_MARGIN = 30

FONTS = {
    "Al-DizaDorvan": "Vudida.ttf",
    "Al-ZavuraDorvan": "Dizever.ttf",
}

# Characters whose mirror image HarfBuzz, Uniscribe and LibreOffice put in
# their place in right-to-left text, when the font maps the mirror too.
BIDI_MIRRORS = {
    "(": ")", ")": "(", "<": ">", ">": "<", "[": "]", "]": "[",
    "{": "}", "}": "{", "«": "»", "»": "«",
}

OFL_COPYRIGHT = (
    "Copyright 2018-2020 Google LLC (outlines from Noto Sans Math and "
    "Noto Naskh Arabic). Composition Copyright 2026 the Glyphboard authors.")
OFL_LICENSE = (
    "This Font Software is licensed under the SIL Open Font License, "
    "Version 1.1. This license is available with a FAQ at: "
    "https://openfontlicense.org")


class FontBuildError(Exception):
    """A flaw of the build's inputs; main reports it once and stops."""


# --- Reading the glyph table ----------------------------------------------

def parse_mode(mode):
    """Checks a width mode ("in", "top", "bot", "num", "den", "join" or
    "over=N") and returns it."""
    if mode in ("in", "top", "bot", "num", "den", "join"):
        return mode
    if mode.startswith("over="):
        try:
            float(mode[5:])
            return mode
        except ValueError:
            pass
    raise FontBuildError(f"unknown mode {mode!r}")


def check_recipe(recipe):
    """Checks that every element of a recipe names a known source or shape
    with the right number of arguments, before anything is drawn."""
    for group in recipe.split(" + "):
        if group == "none":
            continue
        if group.startswith("vinculum:"):
            if group.partition(":")[2] not in VINCULUMS:
                raise FontBuildError(f"unknown radical size in {group!r}")
            continue
        if group.startswith("overbar:"):
            parse_overbar(group)
            continue
        for spec in group.split(" > "):
            words = spec.split()
            if not words:
                raise FontBuildError(f"empty element in recipe {recipe!r}")
            kind, _, ref = words[0].partition(":")
            if kind in SOURCE_KINDS:
                if not ref:
                    raise FontBuildError(f"element {words[0]!r} names no character")
                continue
            if kind not in SHAPES:
                raise FontBuildError(f"unknown shape {kind!r}")
            try:
                count = len([float(value) for value in ref.split(",")]) if ref else 0
            except ValueError:
                raise FontBuildError(f"shape {words[0]!r} has a malformed number") from None
            arity = SHAPES[kind][1]
            if arity >= 0 and count != arity:
                raise FontBuildError(f"shape {words[0]!r} takes {arity} numbers")
            if arity < 0 and count < -arity:
                raise FontBuildError(f"shape {words[0]!r} takes {-arity} numbers or more")


def check_bars(mode, recipe):
    """A vinculum belongs to a radical sign (over=N) or is all a completion
    (join) draws; an overbar is all a piece set over what follows draws."""
    groups = recipe.split(" + ")
    vinculums = [group for group in groups if group.startswith("vinculum:")]
    if mode == "join" and (len(groups) != 1 or not vinculums):
        raise FontBuildError("a completion draws one vinculum and nothing else")
    if vinculums and not (mode == "join" or mode.startswith("over=")):
        raise FontBuildError(f"a vinculum needs a radical sign or a completion, not mode {mode!r}")
    if len(vinculums) > 1:
        raise FontBuildError("a glyph draws one vinculum at most")
    overbars = [group for group in groups if group.startswith("overbar:")]
    if overbars and (len(groups) != 1 or not mode.startswith("over=")):
        raise FontBuildError("an overbar stands alone, in mode over=N")


def read_glyph_table(path):
    """Maps (panel, index) to (mode, recipe, preferred), each row checked."""
    table = {}
    with open(path, encoding="utf-8") as source:
        for number, line in enumerate(source, 1):
            if line.startswith("#") or not line.strip():
                continue
            fields = line.rstrip("\n").split("\t")
            try:
                if len(fields) < 4:
                    raise FontBuildError("expected panel, index, mode, recipe")
                panel, index, mode, recipe = fields[:4]
                if not index.isdigit():
                    raise FontBuildError(f"cell index {index!r} is not a number")
                if (panel, int(index)) in table:
                    raise FontBuildError(f"{panel} {index} has a second row")
                preferred = mode.startswith("!")
                mode = parse_mode(mode.lstrip("!"))
                check_recipe(recipe)
                check_bars(mode, recipe)
            except FontBuildError as error:
                raise FontBuildError(f"{path}:{number}: {error}") from None
            table[(panel, int(index))] = (mode, recipe, preferred)
    return table


# --- Drawing --------------------------------------------------------------

class Sources:
    """The source fonts' outlines, by character or glyph name."""

    def __init__(self, math_path, naskh_path):
        self.paths = {"m": math_path, "a": naskh_path}
        self.fonts = {kind: TTFont(path) for kind, path in self.paths.items()}
        self.sets = {kind: font.getGlyphSet() for kind, font in self.fonts.items()}
        self.cmaps = {kind: font.getBestCmap() for kind, font in self.fonts.items()}

    def glyph(self, kind, ref):
        """The source glyph of a character, or of "@name" by its name."""
        if ref.startswith("@"):
            if ref[1:] not in self.sets[kind]:
                raise FontBuildError(f"{self.paths[kind]} has no glyph named {ref[1:]!r}")
            return kind, ref[1:]
        if len(ref) != 1:
            raise FontBuildError(f"{ref!r} is not one character")
        name = self.cmaps[kind].get(ord(ref))
        if name is None:
            raise FontBuildError(f"{self.paths[kind]} has no glyph for {ref!r}")
        return kind, name

    def draw_glyph(self, kind, name):
        pen = DecomposingRecordingPen(self.sets[kind])
        self.sets[kind][name].draw(pen)
        return pen.value

    def shaped_word(self, word):
        """Outlines of an Arabic word as Noto Naskh Arabic joins it."""
        out = subprocess.run(
            ["hb-shape", "--output-format=json", "--direction=rtl",
             "--script=arab", self.paths["a"], word],
            check=True, capture_output=True, text=True).stdout
        pen_x, value = 0, []
        for item in json.loads(out):
            recording = DecomposingRecordingPen(self.sets["a"])
            placed = TransformPen(recording, (1, 0, 0, 1, pen_x + item["dx"], item["dy"]))
            self.sets["a"][item["g"]].draw(placed)
            value += recording.value
            pen_x += item["ax"]
        return value


def replay(value, pen):
    for op, args in value:
        getattr(pen, op)(*args)


def bounds_of(value):
    pen = BoundsPen(None)
    replay(value, pen)
    return pen.bounds


def polygon(points, clockwise=True):
    """A closed contour: clockwise for ink, as TrueType outer contours
    are, counter-clockwise for a hole inside one."""
    area = sum(x0 * y1 - x1 * y0 for (x0, y0), (x1, y1)
               in zip(points, points[1:] + points[:1]))
    if (area > 0) == clockwise:
        points = list(reversed(points))
    value = [("moveTo", (points[0],))]
    value += [("lineTo", (point,)) for point in points[1:]]
    value.append(("closePath", ()))
    return value


def hole(points):
    return polygon(points, clockwise=False)


def circle_points(centre_x, centre_y, radius, start=0.0, end=360.0):
    """Points along an arc, one every 7.5 degrees at most."""
    steps = max(8, int(abs(end - start) / 7.5))
    angles = [math.radians(start + (end - start) * step / steps) for step in range(steps + 1)]
    return [(centre_x + radius * math.cos(angle), centre_y + radius * math.sin(angle))
            for angle in angles]


def stroke(points, width):
    """A polyline of the given width, one quadrilateral per segment."""
    value = []
    half = width / 2
    for (x0, y0), (x1, y1) in zip(points, points[1:]):
        length = math.hypot(x1 - x0, y1 - y0) or 1
        # across: half a width at right angles; along: half a width further
        # on, so that the segments' joints close
        across_x, across_y = -(y1 - y0) / length * half, (x1 - x0) / length * half
        along_x, along_y = (x1 - x0) / length * half, (y1 - y0) / length * half
        value += polygon([(x0 - along_x + across_x, y0 - along_y + across_y),
                          (x1 + along_x + across_x, y1 + along_y + across_y),
                          (x1 + along_x - across_x, y1 + along_y - across_y),
                          (x0 - along_x - across_x, y0 - along_y - across_y)])
    return value


def rect(x0, y0, x1, y1):
    return polygon([(x0, y0), (x0, y1), (x1, y1), (x1, y0)])


def draw_bar(width, thickness):
    """A rule around y = 0."""
    return rect(-width / 2, -thickness / 2, width / 2, thickness / 2)


def draw_frame(width, height, thickness):
    """A rectangle outline standing on y = 0."""
    return rect(-width / 2, 0, width / 2, height) + hole(
        [(-width / 2 + thickness, thickness), (-width / 2 + thickness, height - thickness),
         (width / 2 - thickness, height - thickness), (width / 2 - thickness, thickness)])


def draw_box(width, height):
    """A filled rectangle standing on y = 0."""
    return rect(-width / 2, 0, width / 2, height)


def draw_ring(radius, thickness):
    """A circle outline standing on y = 0."""
    return polygon(circle_points(0, radius, radius)[:-1]) + hole(
        circle_points(0, radius, radius - thickness)[:-1])


def draw_disc(radius):
    return polygon(circle_points(0, radius, radius)[:-1])


def draw_arc(radius, start, end, thickness):
    """A stroked arc from start to end degrees around the origin."""
    return stroke(circle_points(0, 0, radius, start, end), thickness)


def draw_line(thickness, *coordinates):
    """A stroked polyline through x,y pairs."""
    return stroke(list(zip(coordinates[0::2], coordinates[1::2])), thickness)


# Shapes drawn directly, every one centred on x = 0, with the count of
# numbers each takes (negative: at least that many).
SHAPES = {
    "bar": (draw_bar, 2),
    "frame": (draw_frame, 3),
    "box": (draw_box, 2),
    "ring": (draw_ring, 2),
    "disc": (draw_disc, 1),
    "arc": (draw_arc, 4),
    "line": (draw_line, -5),
}


def overbar_head(tip, middle, toward, sides):
    """Arrow-head strokes meeting at the end of a bar, one for each side
    (+1 above, -1 below); toward is +1 when the bar runs right of the tip.
    The tip is set in by half a stroke so that the ink ends at the bar's end."""
    tip_x = tip + toward * OVERBAR_STROKE / 2
    value = []
    for side in sides:
        value += stroke([(tip_x, middle),
                         (tip_x + toward * OVERBAR_HEAD, middle + side * OVERBAR_MARK)],
                        OVERBAR_STROKE)
    return value


# The marks of each overbar kind, given the bar's left and right ends and
# its middle: a dot, a half arrow head above the bar, or full heads at both
# ends (a line, unbounded either way).
OVERBAR_MARKS = {
    "dot": lambda left, right, middle: polygon(circle_points(left, middle, OVERBAR_DOT)[:-1]),
    "harpoon": lambda left, right, middle: overbar_head(left, middle, 1, (1,)),
    "arrows": lambda left, right, middle: (overbar_head(left, middle, 1, (1, -1))
                                          + overbar_head(right, middle, -1, (1, -1))),
}


def parse_overbar(group):
    """(reach, marks) of an element "overbar:REACH,MARKS"."""
    reach, _, marks = group.partition(":")[2].partition(",")
    if reach not in OVERBAR_REACHES or marks not in OVERBAR_MARKS:
        raise FontBuildError(f"unknown overbar {group!r}: reach {'/'.join(OVERBAR_REACHES)}, "
                             f"marks {'/'.join(OVERBAR_MARKS)}")
    return OVERBAR_REACHES[reach], marks


# Elements taken from the source fonts: a character or glyph of Noto Sans
# Math (m), an isolated letter (a) or a joined word (w) of Noto Naskh Arabic.
SOURCE_KINDS = ("m", "a", "w")


def primitive(kind, args):
    """The outline of a drawn shape from its comma-separated numbers."""
    if kind not in SHAPES:
        raise FontBuildError(f"unknown shape {kind!r}")
    return SHAPES[kind][0](*(float(value) for value in args.split(",")))


def element(sources, spec):
    """One element of a recipe: its outline placed by its options."""
    words = spec.split()
    head, option_words = words[0], words[1:]
    kind, _, ref = head.partition(":")
    if kind in ("m", "a"):
        value = sources.draw_glyph(*sources.glyph(kind, ref))
    elif kind == "w":
        value = sources.shaped_word(ref)
    else:
        value = primitive(kind, ref)
    options = {}
    for word in option_words:
        key, _, number = word.partition("=")
        options[key] = float(number) if number else True
    scale = options.get("s", 1.0)
    if "h" in options:         # scale to an ink height instead
        _, bottom, _, top = bounds_of(value)
        scale = options["h"] / (top - bottom)
    scale_x = -scale if "mx" in options else scale
    scale_y = -scale if "my" in options else scale
    recording = DecomposingRecordingPen(None)
    pen = TransformPen(recording, (scale_x, 0, 0, scale_y, 0, 0))
    if (scale_x < 0) != (scale_y < 0):
        pen = ReverseContourPen(pen)
    replay(value, pen)
    value = recording.value
    bounds = bounds_of(value)
    if bounds is None:
        return value
    x0, y0, x1, y1 = bounds
    shift_x = options.get("dx", 0) - (x0 + x1) / 2
    shift_y = options.get("dy", 0)
    if "y" in options:
        shift_y += options["y"] - y0
    elif "top" in options:
        shift_y += options["top"] - y1
    elif "cy" in options:
        shift_y += options["cy"] - (y0 + y1) / 2
    recording = DecomposingRecordingPen(None)
    replay(value, TransformPen(recording, (1, 0, 0, 1, shift_x, shift_y)))
    return recording.value


def row(sources, group, gap=20):
    """Elements joined by " > ", set side by side from left to right and
    centred together (a written formula inside one glyph)."""
    items = [element(sources, spec.strip()) for spec in group.split(" > ")]
    if len(items) == 1:
        return items[0]
    placed, cursor = [], 0
    for value in items:
        x0, _, x1, _ = bounds_of(value)
        placed.append((value, cursor - x0))
        cursor += x1 - x0 + gap
    centre = (cursor - gap) / 2
    out = DecomposingRecordingPen(None)
    for value, shift in placed:
        replay(value, TransformPen(out, (1, 0, 0, 1, shift - centre, 0)))
    return out.value


def stack_half(x0, x1):
    """Where the ink of one half of a stack column goes: (offset of its
    centre from the column's middle line, advance). The ink reaches at most
    SLOT / 2 - PAD / 2 across the middle line, into the other half's glyph,
    and stays PAD / 2 inside its own; a wider ink moves away from the line
    rather than into the next column, so that columns typed one after the
    other never touch."""
    half = (x1 - x0) / 2
    offset = max(0.0, half - (SLOT / 2 - PAD / 2))
    return offset, max(SLOT / 2, offset + half + PAD / 2)


def compose(sources, mode, recipe):
    """The outline and advance width of one designed glyph.

    Modes place the ink against the advance:
      in      inline: the ink between two side bearings
      top     upper half of a stack column (upper bound): the ink is centred
              on the glyph's left edge, over the glyph typed next
      bot     lower half of a stack column (lower bound): the ink is centred
              on the glyph's right edge, under the glyph typed before
      num     a numerator: as top; wider than half a column, it draws the
              fraction bar under its own part of the column
      den     a denominator: as bot, with the fraction bar of the column
      over=N  the ink ends N units left of the right edge and runs left
              over the glyph typed next (radical signs, arcs, overlines)
      join    a radical completion: a small advance; its bar (the recipe's
              vinculum) runs over the characters on both sides
    The element vinculum:SIZE is the bar of a radical size, placed by the
    join rule rather than with the other elements; overbar:REACH,MARKS is an
    overbar with its marks, from the right edge its reach to the left.
    """
    value, vinculum, overbar = [], None, None
    for group in recipe.split(" + "):
        if group.startswith("vinculum:"):
            vinculum = VINCULUMS[group.partition(":")[2]]
        elif group.startswith("overbar:"):
            overbar = parse_overbar(group)
        elif group != "none":
            value += row(sources, group)
    x0, y0, x1, y1 = bounds_of(value) or (0, 0, 0, 0)
    width = x1 - x0
    bars = []
    if mode == "in":
        shift, advance = PAD - x0, width + 2 * PAD
    elif mode in ("top", "num"):
        offset, advance = stack_half(x0, x1)
        shift = offset - (x0 + x1) / 2
        if mode == "num" and advance > SLOT / 2:
            bars.append((SLOT / 2, FRACTION_BAR[0], advance + FRACTION_MARGIN, FRACTION_BAR[1]))
    elif mode in ("bot", "den"):
        offset, advance = stack_half(x0, x1)
        shift = advance - offset - (x0 + x1) / 2
        if mode == "den":
            bars.append((-FRACTION_MARGIN, FRACTION_BAR[0],
                         advance + SLOT / 2 + FRACTION_MARGIN, FRACTION_BAR[1]))
    elif mode.startswith("over="):
        advance = float(mode[5:])
        shift = advance - PAD / 2 - x1
        if vinculum:
            bars.append((-vinculum[2], vinculum[0], VINCULUM_INTO_SIGN, vinculum[1]))
        if overbar:
            reach, marks = overbar
            bars.append((-reach, OVERBAR[0], advance, OVERBAR[1]))
            value = OVERBAR_MARKS[marks](-reach, advance, sum(OVERBAR) / 2)
            shift = 0
    elif mode == "join":
        shift, advance = 0, COMPLETION_ADVANCE
        bars.append((-vinculum[2], vinculum[0], advance + VINCULUM_BACK, vinculum[1]))
    else:
        raise FontBuildError(f"unknown mode {mode!r}")
    pen = TTGlyphPen(None)
    replay(value, TransformPen(pen, (1, 0, 0, 1, round(shift), 0)))
    for bar in bars:
        replay(rect(*(round(edge) for edge in bar)), pen)
    return pen.glyph(), round(advance)


def fallback_glyph(sources, ch):
    """The outline for a character that is no text on its own."""
    if ch == " ":
        return TTGlyphPen(None).glyph(), SPACE_WIDTH
    for kind in ("m", "a"):
        if ord(ch) in sources.cmaps[kind]:
            return compose(sources, "in", f"{kind}:{ch}")
    return compose(sources, "in", "frame:300,500,30")   # a visible box


# --- Fonts ----------------------------------------------------------------

def glyph_name(prefix, text):
    return prefix + "_".join(f"{ord(c):04X}" for c in text)


def is_weak(text):
    """True for texts without a letter of a script of their own (spaces,
    punctuation, marks). A shaper given such a run alone may treat it as a
    left-to-right script and turn its clusters round before the font sees
    them."""
    return not any(unicodedata.category(c).startswith("L") for c in text)


def reversed_clusters(text):
    """The text with its clusters (a character and its marks) reversed."""
    clusters = []
    for c in text:
        if clusters and unicodedata.category(c) == "Mn":
            clusters[-1] += c
        else:
            clusters.append(c)
    return "".join(reversed(clusters))


def rtl_form(text, charset):
    """The characters a right-to-left shaper hands to the font."""
    return "".join(BIDI_MIRRORS[c] if c in BIDI_MIRRORS
                   and BIDI_MIRRORS[c] in charset else c for c in text)


def plan(catalogue, table):
    """Per font: the designs of its texts and the conflicts found."""
    designs = {font: {} for font in FONTS}
    conflicts = []
    for entry in catalogue:
        if entry.font not in FONTS or not entry.text:
            continue
        if (entry.panel, entry.index) not in table:
            raise FontBuildError(f"glyph table has no row for {entry.cell}")
        mode, recipe, preferred = table[(entry.panel, entry.index)]
        known = designs[entry.font].get(entry.text)
        if known is None:
            designs[entry.font][entry.text] = (mode, recipe, entry.cell, preferred)
        elif (known[0], known[1]) != (mode, recipe):
            keep = (mode, recipe, entry.cell, True) if preferred and not known[3] else known
            drop = entry.cell if keep is known else known[2]
            conflicts.append((entry.font, entry.text, keep[2], drop))
            designs[entry.font][entry.text] = keep
    return designs, conflicts


def readings(text, texts):
    """Every way to cut text into texts of the font."""
    if not text:
        return [[]]
    return [[text[:n]] + rest for n in range(1, len(text) + 1)
            if text[:n] in texts for rest in readings(text[n:], texts)]


def longest_first(pair):
    return -len(pair[0] + pair[1]), pair


def split_pairs(designs):
    """Pairs (first, second) that need a rule of their own to stay apart.

    Matching picks, at each place, the first rule whose context fits (rules
    with the longest context first), else the longest text. Where that
    would join a multi-character text with the start of the next one
    although the two together read in no other way, the pair gets a rule;
    repeated until no new rule is needed.
    """
    texts = set(designs)
    pairs = set()
    while True:
        rules = sorted(pairs, key=longest_first)
        added = False
        for first in sorted(texts):
            if len(first) < 2:
                continue
            for second in sorted(texts):
                both = first + second
                if (first, second) in pairs or readings(both, texts) != [[first, second]]:
                    continue
                rule = next((rule_first for rule_first, rule_second in rules
                             if both.startswith(rule_first + rule_second)), None)
                chosen = rule or max((t for t in texts if both.startswith(t)), key=len)
                if chosen != first:
                    pairs.add((first, second))
                    added = True
        if not added:
            return sorted(pairs, key=longest_first)


def shaper_order(strings, charset):
    """Each string as HarfBuzz hands it to a font: it sorts runs of marks
    by their (modified) combining class first. Asked of HarfBuzz itself,
    with a font that maps the characters and does nothing else."""
    names = {ch: glyph_name("u", ch) for ch in charset}
    all_names = [".notdef", *names.values()]
    builder = FontBuilder(UPM, isTTF=True)
    builder.setupGlyphOrder([".notdef"] + sorted(names.values()))
    builder.setupCharacterMap({ord(ch): name for ch, name in names.items()})
    builder.setupGlyf({name: TTGlyphPen(None).glyph() for name in all_names})
    builder.setupHorizontalMetrics({name: (500, 0) for name in all_names})
    builder.setupHorizontalHeader()
    builder.setupNameTable({"familyName": "Probe", "styleName": "Regular"})
    builder.setupOS2()
    builder.setupPost()
    chars = {name: ch for ch, name in names.items()}
    with tempfile.TemporaryDirectory() as work:
        path = os.path.join(work, "probe.ttf")
        builder.font.save(path)
        out = []
        for text in strings:
            shaped = subprocess.run(
                ["hb-shape", "--output-format=json", "--no-positions",
                 "--direction=rtl", "--script=arab", path, text],
                check=True, capture_output=True, text=True).stdout
            out.append("".join(chars[g["g"]] for g in reversed(json.loads(shaped))))
        return out


def marks_meeting(designs, rtl):
    """Pairs whose marks meet and get sorted, with the order the font sees:
    the font can still split such a run into the two texts' glyphs."""
    def is_mark(ch):
        return unicodedata.category(ch) == "Mn"

    pairs = [(first, second) for first in sorted(designs) for second in sorted(designs)
             if is_mark(first[-1]) and is_mark(second[0])]
    charset = {ch for text in rtl.values() for ch in text}
    seen = shaper_order([rtl[first] + rtl[second] for first, second in pairs], charset)
    rtl_texts = set(rtl.values())
    return [(first, second, order) for (first, second), order in zip(pairs, seen)
            if order != rtl[first] + rtl[second] and not readings(order, rtl_texts)]


def cell_glyph_name(cell):
    """The glyph of a cell is named after it: "Letters 14" -> "Letters.14"."""
    return cell.replace(" ", ".")


class GlyphSet:
    """The glyphs of one font and how texts reach them.

    glyphs and advances by glyph name; cmap from code point to glyph name;
    ligatures as (characters the shaper hands over, glyph name); rtl maps
    each text to the characters a right-to-left shaper hands to the font.
    """

    def __init__(self):
        self.glyphs = {".notdef": TTGlyphPen(None).glyph()}
        self.advances = {".notdef": 500}
        self.cmap = {}
        self.ligatures = []
        self.rtl = {}

    def add(self, name, outline, advance):
        self.glyphs[name], self.advances[name] = outline, advance

    def order(self):
        return [".notdef"] + sorted(name for name in self.glyphs if name != ".notdef")


def assemble_glyphs(designs, sources):
    """One glyph per character (its fallback outline), then one per designed
    text: a single character takes it through the character map, a longer
    text through a ligature."""
    charset = sorted({ch for text in designs for ch in text} | {" "})
    glyph_set = GlyphSet()
    glyph_set.rtl = {text: rtl_form(text, charset) for text in designs}
    for ch in charset:
        name = glyph_name("uni", ch)
        glyph_set.add(name, *fallback_glyph(sources, ch))
        glyph_set.cmap[ord(ch)] = name
    for text, (mode, recipe, cell, _) in sorted(designs.items()):
        name = cell_glyph_name(cell)
        glyph_set.add(name, *compose(sources, mode, recipe))
        rtl = glyph_set.rtl[text]
        if len(text) == 1:
            glyph_set.cmap[ord(rtl)] = name
        else:
            glyph_set.ligatures.append((rtl, name))
            turned = reversed_clusters(rtl)
            if is_weak(text) and turned != rtl and turned not in glyph_set.rtl.values():
                glyph_set.ligatures.append((turned, name))
    return glyph_set


def add_mark_stand_ins(glyph_set, designs):
    """Where two texts' marks meet, the shaper sorts them before the font
    sees them; the sorted run becomes an empty stand-in glyph that splits
    again into the two texts' glyphs. Returns (sorted run, stand-in) and
    (stand-in, first cell, second cell) pairs."""
    sorted_marks, split_marks = [], []
    for number, (first, second, seen) in enumerate(marks_meeting(designs, glyph_set.rtl), 1):
        stand_in = f"marks.{number}"
        glyph_set.add(stand_in, TTGlyphPen(None).glyph(), 0)
        sorted_marks.append((seen, stand_in))
        split_marks.append((stand_in, designs[first][2], designs[second][2]))
    return sorted_marks, split_marks


def setup_outlines(builder, glyph_set):
    """glyf, hmtx and hhea; returns the ascent and descent that hold every
    glyph, with a margin of 20 units."""
    order = glyph_set.order()
    builder.setupGlyphOrder(order)
    builder.setupCharacterMap(glyph_set.cmap)
    builder.setupGlyf(glyph_set.glyphs)
    metrics = {}
    for name in order:
        glyph = glyph_set.glyphs[name]
        glyph.recalcBounds(builder.font["glyf"])
        metrics[name] = (glyph_set.advances[name], getattr(glyph, "xMin", 0))
    builder.setupHorizontalMetrics(metrics)
    y_max = max(getattr(glyph, "yMax", 0) for glyph in glyph_set.glyphs.values())
    y_min = min(getattr(glyph, "yMin", 0) for glyph in glyph_set.glyphs.values())
    ascent, descent = int(y_max) + 20, int(y_min) - 20
    builder.setupHorizontalHeader(ascent=ascent, descent=descent)
    return ascent, descent


def setup_names(builder, family):
    builder.setupNameTable({
        "copyright": OFL_COPYRIGHT,
        "familyName": family,
        "styleName": "Regular",
        "uniqueFontIdentifier": f"{family}-Regular;1.000",
        "fullName": family,
        "psName": family.replace(" ", "") + "-Regular",
        "version": "Version 1.000",
        "licenseDescription": OFL_LICENSE,
        "licenseInfoURL": "https://openfontlicense.org",
    })


def setup_os2(builder, ascent, descent):
    """Line metrics that hold every glyph, installable embedding, and the
    Latin and Arabic ranges and code pages."""
    builder.setupOS2(sTypoAscender=ascent, sTypoDescender=descent, sTypoLineGap=0,
                     usWinAscent=ascent, usWinDescent=-descent,
                     achVendID="NONE", fsType=0,
                     ulUnicodeRange1=(1 << 0) | (1 << 1) | (1 << 13),
                     ulCodePageRange1=(1 << 0) | (1 << 6))


def feature_text(glyph_set, designs, sorted_marks, split_marks):
    """The OpenType feature file: every text to its glyph under ccmp."""
    cmap = glyph_set.cmap

    def glyphs_of(chars):
        return " ".join(cmap[ord(ch)] for ch in chars)

    # Each multi-character text is one ligature; longer texts first so that
    # a text is never cut short by one of its beginnings.
    ligatures = sorted(glyph_set.ligatures, key=lambda item: (-len(item[0]), item[0]))
    # Greedy matching would join a text with the start of the next one where
    # a longer text begins the same way; these rules keep such pairs apart.
    keep_apart = "\n".join(
        "    sub {} {} by {};".format(
            " ".join(cmap[ord(ch)] + "'" for ch in glyph_set.rtl[first]),
            glyphs_of(glyph_set.rtl[second]),
            cell_glyph_name(designs[first][2]))
        for first, second in split_pairs(designs))
    marks_in = "\n".join(
        f"    sub {glyphs_of(seen)} by {stand_in};"
        for seen, stand_in in sorted_marks) or "    sub .notdef by .notdef;"
    marks_out = "\n".join(
        f"    sub {stand_in} by {cell_glyph_name(first)} {cell_glyph_name(second)};"
        for stand_in, first, second in split_marks) or "    sub .notdef by .notdef .notdef;"
    subs = "\n".join(f"    sub {glyphs_of(chars)} by {name};" for chars, name in ligatures)
    bases = " ".join(glyph_set.order()[1:])
    return f"""
languagesystem DFLT dflt;
languagesystem arab dflt;
languagesystem latn dflt;
lookup sortedmarks {{
{marks_in}
}} sortedmarks;
lookup splitmarks {{
{marks_out}
}} splitmarks;
lookup pairs {{
{keep_apart}
}} pairs;
lookup texts {{
{subs}
}} texts;
feature ccmp {{
    lookup sortedmarks;
    lookup splitmarks;
    lookup pairs;
    lookup texts;
}} ccmp;
table GDEF {{
    GlyphClassDef [{bases}], , , ;
}} GDEF;
"""


def build_font(family, designs, sources):
    """One math font, in memory; returns it and the glyph name of each text."""
    glyph_set = assemble_glyphs(designs, sources)
    sorted_marks, split_marks = add_mark_stand_ins(glyph_set, designs)
    builder = FontBuilder(UPM, isTTF=True)
    ascent, descent = setup_outlines(builder, glyph_set)
    setup_names(builder, family)
    setup_os2(builder, ascent, descent)
    builder.setupPost()
    builder.setupHead(unitsPerEm=UPM)
    addOpenTypeFeaturesFromString(
        builder.font, feature_text(glyph_set, designs, sorted_marks, split_marks))
    # An empty positioning table keeps HarfBuzz from placing marks itself.
    addOpenTypeFeaturesFromString(
        builder.font, "languagesystem DFLT dflt;\nfeature kern { pos uni0020 0; } kern;\n",
        tables=["GPOS"])
    return builder.font, {text: cell_glyph_name(design[2]) for text, design in designs.items()}


def write_report(path, conflicts, glyph_lines):
    with open(path, "w", encoding="utf-8") as out:
        out.write("# texts that two cells of one font share with different faces\n")
        for font, text, kept, dropped in conflicts:
            out.write(f"conflict\t{font}\t{code_points(text)}\tdraws {kept}, not {dropped}\n")
        out.write("# designed glyph of every text\n")
        out.write("\n".join(f"glyph\t{line}" for line in glyph_lines) + "\n")


def code_points(text):
    return " ".join(f"U+{ord(ch):04X}" for ch in text)


def build(args):
    """Reads and checks the tables, builds both fonts, and writes them only
    when both are complete, so that a flaw leaves no font behind."""
    catalogue = read_catalogue(args.catalogue)
    designs, conflicts = plan(catalogue, read_glyph_table(args.glyph_table))
    sources = Sources(args.math, args.naskh)
    fonts, glyph_lines = {}, []
    for family, filename in FONTS.items():
        fonts[filename], names = build_font(family, designs[family], sources)
        glyph_lines += [f"{family}\t{code_points(text)}\t{name}"
                        for text, name in sorted(names.items())]
    os.makedirs(args.out_dir, exist_ok=True)
    for filename, font in fonts.items():
        font.save(os.path.join(args.out_dir, filename))
    if args.report:
        write_report(args.report, conflicts, glyph_lines)


def main():
    parser = argparse.ArgumentParser(description=__doc__.splitlines()[0])
    parser.add_argument("catalogue")
    parser.add_argument("glyph_table")
    parser.add_argument("out_dir")
    # The source fonts' paths come from tools/deps/system-paths.txt.
    parser.add_argument("--math", required=True, help="Noto Sans Math Regular")
    parser.add_argument("--naskh", required=True, help="Noto Naskh Arabic Regular")
    parser.add_argument("--report")
    args = parser.parse_args()
    try:
        if not os.environ.get("SOURCE_DATE_EPOCH", "").isdigit():
            raise FontBuildError("SOURCE_DATE_EPOCH must name the fonts' date; the build sets it")
        build(args)
    except (FontBuildError, CatalogueError) as error:
        sys.exit(f"{os.path.basename(sys.argv[0])}: {error}")


if __name__ == "__main__":
    main()
