"""The built math fonts keep their bars joined and their scripts legible.

Usage: test_math_font_design.py SOURCE_DIR FONTS_DIR --math FONT --naskh FONT

Every glyph the glyph table gives a bar (a radical size's vinculum, a
fraction's numerator or denominator, an overbar) is probed in the font file
itself: ink along the bar's middle from end to end as the join rule says,
nothing beyond, and the bar's edges at the height its size shares; a radical
bar over text, and the factorial's bar under it, stay clear of the text
font's characters that go there; an
overbar's marks sit at the ends its kind names, above the text's letters. Every glyph that
draws a script keeps each letter, digit and sign at half its source size or
more and its parts apart.
"""

import argparse
import json
import os
import subprocess
import sys
import tempfile
import unittest

from fontTools.pens.boundsPen import BoundsPen
from fontTools.pens.pointInsidePen import PointInsidePen
from fontTools.pens.recordingPen import DecomposingRecordingPen
from fontTools.ttLib import TTFont

ARGUMENTS = argparse.ArgumentParser()
ARGUMENTS.add_argument("source_dir")
ARGUMENTS.add_argument("fonts_dir")
ARGUMENTS.add_argument("--math", required=True, help="the source fonts the build drew from")
ARGUMENTS.add_argument("--naskh", required=True)
ARGS = ARGUMENTS.parse_args()
SOURCE_DIR, FONTS_DIR = ARGS.source_dir, ARGS.fonts_dir
sys.path.insert(0, os.path.join(SOURCE_DIR, "fonts"))
import build_math_fonts as build  # noqa: E402

# Half the source size: the second script level of mathematical typesetting,
# 6 pt at a 12 pt body, the smallest at which Arabic letters keep their dots
# apart in print.
SCRIPT_FLOOR = 0.5
# The least room between the parts of a glyph, in font units, and between
# parts of a row set at script size (the denominators', .55 of the body).
CLEARANCE = 20
SCRIPT_CLEARANCE = CLEARANCE * 0.55

TABLE = build.read_glyph_table(os.path.join(SOURCE_DIR, "fonts", "glyph-table.tsv"))


def options(spec):
    """The placement options of one recipe element, as the build reads them."""
    found = {}
    for word in spec.split()[1:]:
        key, _, value = word.partition("=")
        found[key] = float(value) if value else True
    return found


def groups(recipe):
    return [group for group in recipe.split(" + ")
            if group != "none" and not group.startswith("vinculum:")]


def source_elements(recipe):
    return [spec for group in groups(recipe) for spec in group.split(" > ")
            if spec.split()[0].partition(":")[0] in build.SOURCE_KINDS]


class FontGlyph:
    """One glyph of a built font, probed point by point as a rasteriser
    fills it (non-zero winding)."""

    def __init__(self, font, name):
        self.glyph_set = font.getGlyphSet()
        self.name = name
        self.advance = font["hmtx"][name][0]

    def contour_bounds(self):
        """(xMin, yMin, xMax, yMax) of each contour, curves included."""
        recording = DecomposingRecordingPen(self.glyph_set)
        self.glyph_set[self.name].draw(recording)
        found, pen = [], BoundsPen(None)
        for operator, arguments in recording.value:
            getattr(pen, operator)(*arguments)
            if operator in ("closePath", "endPath"):
                found.append(pen.bounds)
                pen = BoundsPen(None)
        return [bounds for bounds in found if bounds]

    def inked(self, x, y):
        # Off the integer grid the outline's points lie on, so that the
        # probe's ray never runs through a point of the outline itself.
        pen = PointInsidePen(self.glyph_set, (x + 0.5, y + 0.5))
        self.glyph_set[self.name].draw(pen)
        return pen.getResult()


def cell_glyphs():
    """(cell, mode, recipe, glyph) for every cell glyph of both fonts."""
    found = []
    for filename in build.FONTS.values():
        font = TTFont(os.path.join(FONTS_DIR, filename))
        for name in font.getGlyphOrder():
            panel, _, index = name.partition(".")
            if index.isdigit() and (panel, int(index)) in TABLE:
                mode, recipe, _ = TABLE[(panel, int(index))]
                found.append((f"{filename} {name}", mode, recipe, FontGlyph(font, name)))
    return found


GLYPHS = cell_glyphs()


def bar_edges(glyph, size, direction):
    """(x, y) of the last ink of a radical size's bar from its middle up
    (direction 1) or down (-1), along the stretch where no sign stroke
    stands."""
    bottom, top, reach = build.VINCULUMS[size]
    edges = []
    for x in range(-reach + 20, -60, 40):
        y = (bottom + top) // 2
        while glyph.inked(x, y + direction):
            y += direction
        edges.append((x, y))
    return edges

# What a teacher types under a radical in the text font: every letter, the
# alif forms with hamza or madda and lam-alef, both sets of digits, the
# signs and parentheses.
RADICANDS = (list("ابتثجحخدذرزسشصضطظعغفقكلمنهوي") + list("أإآءؤئةى") + ["لا", "لأ", "لآ"]
             + list("٠١٢٣٤٥٦٧٨٩") + list("0123456789") + list("+−×()"))
# A factorial's operand, as far as the line's descent leaves room under it:
# a number and the signs between numbers (letters' tails reach deeper).
FACTORIAL_OPERANDS = list("٠١٢٣٤٥٦٧٨٩") + list("0123456789") + list("+−×")
# The bars that run over text rather than over pieces, with the side of the
# text they stand on (+1 above, -1 below) and what they keep clear of.
TEXT_BARS = {
    "small": (1, RADICANDS),
    "medium": (1, RADICANDS),
    "large": (1, RADICANDS),
    "factorial": (-1, FACTORIAL_OPERANDS),
}


def text_font_path():
    """The file "Traditional Arabic" resolves to under the run command's
    fontconfig set-up, with this build's fonts beside the system's."""
    with tempfile.TemporaryDirectory() as work:
        conf = os.path.join(work, "fonts.conf")
        subprocess.run([os.path.join(SOURCE_DIR, "fonts", "write_fontconfig.sh"), conf, FONTS_DIR,
                        os.path.join(SOURCE_DIR, "fonts", "65-traditional-arabic.conf"),
                        os.path.join(work, "cache")], check=True)
        return subprocess.run(["fc-match", "-f", "%{file}", "Traditional Arabic"],
                              env=dict(os.environ, FONTCONFIG_FILE=conf),
                              check=True, capture_output=True, text=True).stdout


def ink_extent(path, text):
    """(bottom, top) of text's ink as HarfBuzz shapes it in the font at
    path, in 1000ths of an em; alone and between tatweels, so that every
    joining form a letter takes in a word is measured."""
    font = TTFont(path)
    glyph_set, scale = font.getGlyphSet(), 1000 / font["head"].unitsPerEm
    bottom, top = 0.0, 0.0
    for context in (text, "ـ" + text, text + "ـ", "ـ" + text + "ـ"):
        shaped = subprocess.run(
            ["hb-shape", "--output-format=json", "--direction=rtl", "--script=arab", path, context],
            check=True, capture_output=True, text=True).stdout
        for item in json.loads(shaped):
            pen = BoundsPen(glyph_set)
            glyph_set[item["g"]].draw(pen)
            if pen.bounds:
                bottom = min(bottom, (pen.bounds[1] + item["dy"]) * scale)
                top = max(top, (pen.bounds[3] + item["dy"]) * scale)
    return bottom, top


class Bars(unittest.TestCase):
    def check_bar(self, cell, glyph, left, right, bottom, top, open_right=True):
        middle = (bottom + top) / 2
        xs = list(range(round(left) + 5, round(right) - 5, 20)) + [right - 5]
        holes = [x for x in xs if not glyph.inked(x, middle)]
        self.assertEqual(holes, [], f"{cell}: no ink along the bar at x = {holes}")
        self.assertFalse(glyph.inked(left - 15, middle), f"{cell}: bar runs past {left}")
        if open_right:
            self.assertFalse(glyph.inked(right + 15, middle), f"{cell}: bar runs past {right}")
        for x in (left + 30, (left + right) / 2, right - 30):
            self.assertTrue(glyph.inked(x, bottom + 3) and glyph.inked(x, top - 3),
                            f"{cell}: bar thinner than {bottom}..{top} at x = {x}")
            self.assertFalse(glyph.inked(x, bottom - 3) or glyph.inked(x, top + 3),
                             f"{cell}: bar thicker than {bottom}..{top} at x = {x}")

    def test_radical_bars_follow_the_join_rule(self):
        checked = set()
        for cell, mode, recipe, glyph in GLYPHS:
            sizes = [group.partition(":")[2] for group in recipe.split(" + ")
                     if group.startswith("vinculum:")]
            if not sizes:
                continue
            with self.subTest(cell):
                bottom, top, reach = build.VINCULUMS[sizes[0]]
                if mode == "join":
                    self.check_bar(cell, glyph, -reach,
                                   glyph.advance + build.VINCULUM_BACK, bottom, top)
                else:
                    # A sign's bar starts in its corner, on the glyph's left
                    # edge, where the sign's stroke rises to meet it.
                    self.check_bar(cell, glyph, -reach, 0, bottom, top,
                                   open_right=False)
                    self.assertTrue(any(glyph.inked(x, bottom - 20) or glyph.inked(x, top + 20)
                                        for x in range(-10, 80, 5)),
                                    f"{cell}: the sign's stroke does not reach its bar")
                checked.add((sizes[0], mode == "join"))
        # every radical size has a sign and a completion in the fonts
        self.assertEqual(checked, {(size, join) for size in build.VINCULUMS for join in (False, True)})

    def test_bars_over_text_clear_it(self):
        path = text_font_path()
        extents = {text: ink_extent(path, text)
                   for _, texts in TEXT_BARS.values() for text in texts}
        checked = set()
        for cell, mode, recipe, glyph in GLYPHS:
            sizes = [group.partition(":")[2] for group in recipe.split(" + ")
                     if group.startswith("vinculum:")]
            if not sizes or sizes[0] not in TEXT_BARS:
                continue
            side, texts = TEXT_BARS[sizes[0]]
            # the text's ink nearest the bar: its top under a bar above it,
            # its bottom over a bar below it
            nearest = max(texts, key=lambda text: side * extents[text][side > 0])
            edge = extents[nearest][side > 0]
            with self.subTest(cell):
                for x, y in bar_edges(glyph, sizes[0], -side):
                    self.assertGreaterEqual(side * (y - edge), CLEARANCE,
                                            f"{cell}: bar edge {y} at x = {x} against "
                                            f"{nearest} reaching {edge:.0f} in {path}")
                checked.add(sizes[0])
        self.assertEqual(checked, set(TEXT_BARS))

    def test_denominator_radical_bar_runs_between_denominators_and_fraction_bar(self):
        # the denominators' highest ink, the fraction bar they bring left out
        denominators = max(box[3] for _, mode, _, glyph in GLYPHS if mode == "den"
                           for box in glyph.contour_bounds()
                           if (box[1], box[3]) != build.FRACTION_BAR)
        checked = 0
        for cell, mode, recipe, glyph in GLYPHS:
            if "vinculum:low" not in recipe.split(" + "):
                continue
            checked += 1
            with self.subTest(cell):
                for x, y in bar_edges(glyph, "low", -1):
                    self.assertGreaterEqual(y - denominators, SCRIPT_CLEARANCE,
                                            f"{cell}: bar bottom {y} at x = {x}, denominators "
                                            f"up to {denominators}")
                for x, y in bar_edges(glyph, "low", 1):
                    self.assertGreaterEqual(build.FRACTION_BAR[0] - y, SCRIPT_CLEARANCE,
                                            f"{cell}: bar top {y} at x = {x} meets the fraction bar")
        self.assertGreater(checked, 0, "no glyph draws the denominator radical's bar")

    def test_fraction_bars_span_their_column(self):
        bottom, top = build.FRACTION_BAR
        half = build.SLOT / 2
        for cell, mode, recipe, glyph in GLYPHS:
            with self.subTest(cell):
                if mode == "den":
                    self.check_bar(cell, glyph, -build.FRACTION_MARGIN,
                                   glyph.advance + half + build.FRACTION_MARGIN, bottom, top)
                elif mode == "num" and glyph.advance > half:
                    self.check_bar(cell, glyph, half, glyph.advance + build.FRACTION_MARGIN,
                                   bottom, top)
                elif mode == "num":
                    self.assertFalse(glyph.inked(half / 2, (bottom + top) / 2), cell)

    def test_numerators_and_denominators_stay_inside_their_column(self):
        # The part of a column half that crosses the middle line stays clear
        # of the next column, whatever half the other glyph brings.
        reach = build.SLOT / 2 - build.PAD / 2
        rounding = 1
        for cell, mode, recipe, glyph in GLYPHS:
            if mode not in ("num", "den", "top", "bot"):
                continue
            with self.subTest(cell):
                # the fraction bar alone runs on into the neighbours
                ink = [bounds for bounds in glyph.contour_bounds()
                       if mode in ("top", "bot") or (bounds[1], bounds[3]) != build.FRACTION_BAR]
                if not ink:
                    continue
                left = min(bounds[0] for bounds in ink) + rounding
                right = max(bounds[2] for bounds in ink) - rounding
                if mode in ("num", "top"):
                    self.assertGreaterEqual(left, -reach, f"{cell} reaches into the next column")
                    self.assertLessEqual(right, glyph.advance - build.PAD / 2, f"{cell} leaves no room")
                else:
                    self.assertLessEqual(right, glyph.advance + reach, f"{cell} reaches into the next column")
                    self.assertGreaterEqual(left, build.PAD / 2, f"{cell} leaves no room")


# Where an overbar's marks belong: the end a name ends on as read right to
# left (the left), and for a line both ends.
MARKED_ENDS = {"dot": {"left"}, "harpoon": {"left"}, "arrows": {"left", "right"}}


class Overbars(unittest.TestCase):
    def test_overbars_share_one_height_and_mark_their_ends(self):
        bottom, top = build.OVERBAR
        middle = (bottom + top) / 2
        checked = set()
        for cell, mode, recipe, glyph in GLYPHS:
            if not recipe.startswith("overbar:"):
                continue
            with self.subTest(cell):
                reach, marks = build.parse_overbar(recipe)
                left, right = -reach, glyph.advance
                xs = list(range(left + 5, right - 5, 20)) + [right - 5]
                self.assertEqual([x for x in xs if not glyph.inked(x, middle)], [],
                                 f"{cell}: the bar is broken")
                self.assertFalse(glyph.inked(right + 15, middle), f"{cell}: bar runs past the piece")
                # the marks widen the ink at an end, never lengthen the bar
                self.assertFalse(glyph.inked(left - build.OVERBAR_DOT - 15, middle),
                                 f"{cell}: bar runs past {left}")
                for x in (left + reach / 3, left + reach / 2, right - reach / 3):
                    self.assertTrue(glyph.inked(x, bottom + 3) and glyph.inked(x, top - 3),
                                    f"{cell}: bar thinner than {bottom}..{top} at x = {x}")
                    self.assertFalse(glyph.inked(x, bottom - 3) or glyph.inked(x, top + 3),
                                     f"{cell}: bar thicker than {bottom}..{top} at x = {x}")
                contours = glyph.contour_bounds()
                self.assertGreater(min(box[1] for box in contours), build.TEXT_TALLEST,
                                   f"{cell}: ink comes down onto the name's letters")
                ends = set()
                for x0, y0, x1, y1 in contours:
                    if y0 >= bottom - 1 and y1 <= top + 1:
                        continue   # the bar itself
                    near = 2 * build.OVERBAR_HEAD
                    if x1 <= left + near:
                        ends.add("left")
                    elif x0 >= right - near:
                        ends.add("right")
                    else:
                        ends.add(f"middle ({x0:.0f}..{x1:.0f})")
                self.assertEqual(ends, MARKED_ENDS[marks], f"{cell}: marks at the wrong end")
                checked.add(marks)
        self.assertEqual(checked, set(MARKED_ENDS), "an overbar kind has no glyph")


class Scripts(unittest.TestCase):
    def test_letters_digits_and_signs_keep_half_their_size(self):
        for (panel, index), (_, recipe, _) in sorted(TABLE.items()):
            for spec in source_elements(recipe):
                with self.subTest(f"{panel} {index}: {spec}"):
                    self.assertGreaterEqual(options(spec).get("s", 1.0), SCRIPT_FLOOR)

    def test_scripts_sit_clear_of_their_base(self):
        sources = build.Sources(ARGS.math, ARGS.naskh)
        for (panel, index), (_, recipe, _) in sorted(TABLE.items()):
            parts = groups(recipe)
            scripts = [any(options(spec).get("s", 1.0) < 1 for spec in source_elements(group))
                       for group in parts]
            if len(parts) < 2 or not any(scripts):
                continue
            boxes = [build.bounds_of(build.row(sources, group)) for group in parts]
            for first in range(len(parts)):
                for second in range(first + 1, len(parts)):
                    if not (scripts[first] or scripts[second]):
                        continue
                    with self.subTest(f"{panel} {index}: {parts[first]} | {parts[second]}"):
                        a, b = boxes[first], boxes[second]
                        apart = max(b[0] - a[2], a[0] - b[2], b[1] - a[3], a[1] - b[3])
                        self.assertGreaterEqual(apart, CLEARANCE)


if __name__ == "__main__":
    unittest.main(argv=sys.argv[:1])
