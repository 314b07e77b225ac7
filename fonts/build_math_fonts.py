#!/usr/bin/python3
"""Builds the two math fonts from the catalogue and the glyph table.

Every catalogue text typed in a math font becomes one glyph: single
characters through the character map, longer texts through one ligature
lookup under `ccmp`, which the Arabic shaper runs before any joining form.
The outlines are composed from Noto Sans Math and Noto Naskh Arabic (both
under the SIL Open Font License) as glyph-table.tsv describes them.

Usage: build_math_fonts.py CATALOGUE GLYPH_TABLE OUT_DIR
       --math FONT --naskh FONT [--report FILE]
"""

import argparse
import collections
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

UPM = 1000
PAD = 40          # side bearing of inline glyphs
SLOT = 440        # width of one column of a built-up stack (fraction, bounds)
SPACE_WIDTH = 250

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


# --- Reading the tables -------------------------------------------------

def read_catalogue(path):
    """Yields (panel, index, text, font) for every catalogue entry."""
    with open(path, encoding="utf-8") as f:
        for line in f:
            if line.startswith("#") or not line.strip():
                continue
            panel, index, cps, font, _name = line.rstrip("\n").split("\t")
            text = "".join(chr(int(cp[2:], 16)) for cp in cps.split())
            yield panel, int(index), text, font


def read_glyph_table(path):
    """Maps (panel, index) to (mode, recipe, preferred)."""
    table = {}
    with open(path, encoding="utf-8") as f:
        for number, line in enumerate(f, 1):
            if line.startswith("#") or not line.strip():
                continue
            fields = line.rstrip("\n").split("\t")
            if len(fields) < 4:
                sys.exit(f"{path}:{number}: expected panel, index, mode, recipe")
            panel, index, mode, recipe = fields[:4]
            preferred = mode.startswith("!")
            table[(panel, int(index))] = (mode.lstrip("!"), recipe, preferred)
    return table


# --- Drawing --------------------------------------------------------------

class Sources:
    """The source fonts' outlines, by character or glyph name."""

    def __init__(self, math_path, naskh_path):
        self.paths = {"m": math_path, "a": naskh_path}
        self.fonts = {k: TTFont(p) for k, p in self.paths.items()}
        self.sets = {k: f.getGlyphSet() for k, f in self.fonts.items()}
        self.cmaps = {k: f.getBestCmap() for k, f in self.fonts.items()}

    def glyph(self, kind, ref):
        if ref.startswith("@"):
            return kind, ref[1:]
        name = self.cmaps[kind].get(ord(ref))
        if name is None:
            sys.exit(f"source font '{kind}' has no glyph for {ref!r}")
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
        x, value = 0, []
        for item in json.loads(out):
            rec = DecomposingRecordingPen(self.sets["a"])
            tp = TransformPen(rec, (1, 0, 0, 1, x + item["dx"], item["dy"]))
            self.sets["a"][item["g"]].draw(tp)
            value += rec.value
            x += item["ax"]
        return value


def replay(value, pen):
    for op, args in value:
        getattr(pen, op)(*args)


def bounds_of(value):
    bp = BoundsPen(None)
    replay(value, bp)
    return bp.bounds


def polygon(points, clockwise=True):
    """A closed contour: clockwise for ink, as TrueType outer contours
    are, counter-clockwise for a hole inside one."""
    area = sum(x0 * y1 - x1 * y0 for (x0, y0), (x1, y1)
               in zip(points, points[1:] + points[:1]))
    if (area > 0) == clockwise:
        points = list(reversed(points))
    value = [("moveTo", (points[0],))]
    value += [("lineTo", (p,)) for p in points[1:]]
    value.append(("closePath", ()))
    return value


def hole(points):
    return polygon(points, clockwise=False)


def circle_points(cx, cy, r, a0=0.0, a1=360.0, steps=None):
    steps = steps or max(8, int(abs(a1 - a0) / 7.5))
    return [(cx + r * math.cos(math.radians(a0 + (a1 - a0) * i / steps)),
             cy + r * math.sin(math.radians(a0 + (a1 - a0) * i / steps)))
            for i in range(steps + 1)]


def stroke(points, width):
    """A polyline of the given width, one quadrilateral per segment."""
    value = []
    half = width / 2
    for (x0, y0), (x1, y1) in zip(points, points[1:]):
        length = math.hypot(x1 - x0, y1 - y0) or 1
        nx, ny = -(y1 - y0) / length * half, (x1 - x0) / length * half
        # extend each segment by half a width so that joints close
        ex, ey = (x1 - x0) / length * half, (y1 - y0) / length * half
        value += polygon([(x0 - ex + nx, y0 - ey + ny),
                          (x1 + ex + nx, y1 + ey + ny),
                          (x1 + ex - nx, y1 + ey - ny),
                          (x0 - ex - nx, y0 - ey - ny)])
    return value


def rect(x0, y0, x1, y1):
    return polygon([(x0, y0), (x0, y1), (x1, y1), (x1, y0)])


def primitive(kind, args):
    """Shapes drawn directly; every one is centred on x = 0."""
    a = [float(v) for v in args.split(",")] if args else []
    if kind == "bar":          # width, thickness: a rule around y = 0
        w, t = a
        return rect(-w / 2, -t / 2, w / 2, t / 2)
    if kind == "frame":        # width, height, stroke: a rectangle outline
        w, h, t = a
        return rect(-w / 2, 0, w / 2, h) + hole(
            [(-w / 2 + t, t), (-w / 2 + t, h - t), (w / 2 - t, h - t),
             (w / 2 - t, t)])
    if kind == "box":          # width, height: a filled rectangle
        w, h = a
        return rect(-w / 2, 0, w / 2, h)
    if kind == "ring":         # radius, stroke: a circle outline
        r, t = a
        return polygon(circle_points(0, r, r)[:-1]) + hole(
            circle_points(0, r, r - t)[:-1])
    if kind == "disc":         # radius
        return polygon(circle_points(0, a[0], a[0])[:-1])
    if kind == "arc":          # radius, from degrees, to degrees, stroke
        r, a0, a1, t = a
        return stroke(circle_points(0, 0, r, a0, a1), t)
    if kind == "line":         # stroke, then x,y pairs of a polyline
        t, coords = a[0], a[1:]
        return stroke(list(zip(coords[0::2], coords[1::2])), t)
    sys.exit(f"unknown shape '{kind}'")


def element(sources, spec):
    """One element of a recipe: its outline placed by its options."""
    words = spec.split()
    head, options = words[0], words[1:]
    kind, _, ref = head.partition(":")
    if kind in ("m", "a"):
        value = sources.draw_glyph(*sources.glyph(kind, ref))
    elif kind == "w":
        value = sources.shaped_word(ref)
    else:
        value = primitive(kind, ref)
    opts = {}
    for o in options:
        key, _, v = o.partition("=")
        opts[key] = float(v) if v else True
    s = opts.get("s", 1.0)
    if "h" in opts:            # scale to an ink height instead
        b = bounds_of(value)
        s = opts["h"] / (b[3] - b[1])
    sx = -s if "mx" in opts else s
    sy = -s if "my" in opts else s
    rec = DecomposingRecordingPen(None)
    pen = TransformPen(rec, (sx, 0, 0, sy, 0, 0))
    if (sx < 0) != (sy < 0):
        pen = ReverseContourPen(pen)
    replay(value, pen)
    value = rec.value
    b = bounds_of(value)
    if b is None:
        return value
    x0, y0, x1, y1 = b
    dx = opts.get("dx", 0) - (x0 + x1) / 2
    dy = opts.get("dy", 0)
    if "y" in opts:
        dy += opts["y"] - y0
    elif "top" in opts:
        dy += opts["top"] - y1
    elif "cy" in opts:
        dy += opts["cy"] - (y0 + y1) / 2
    rec = DecomposingRecordingPen(None)
    replay(value, TransformPen(rec, (1, 0, 0, 1, dx, dy)))
    return rec.value


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


def compose(sources, mode, recipe):
    """The outline and advance width of one designed glyph.

    Modes place the ink against the advance:
      in      inline: the ink between two side bearings
      top     upper half of a stack column (numerator, upper bound):
              the ink is centred on the glyph's left edge, over the glyph
              typed next
      bot     lower half of a stack column (denominator, lower bound):
              the ink is centred on the glyph's right edge, under the
              glyph typed before
      over=N  the ink ends N units left of the right edge and runs left
              over the glyph typed next (radical signs and their bars)
    """
    value = []
    for group in recipe.split(" + "):
        value += row(sources, group)
    x0, y0, x1, y1 = bounds_of(value)
    width = x1 - x0
    if mode == "in":
        shift, advance = PAD - x0, width + 2 * PAD
    elif mode == "top":
        advance = max(width / 2, SLOT / 2)
        shift = -(x0 + x1) / 2
    elif mode == "bot":
        advance = max(width / 2, SLOT / 2)
        shift = advance - (x0 + x1) / 2
    elif mode.startswith("over="):
        advance = float(mode[5:])
        shift = advance - PAD / 2 - x1
    else:
        sys.exit(f"unknown mode '{mode}'")
    pen = TTGlyphPen(None)
    replay(value, TransformPen(pen, (1, 0, 0, 1, round(shift), 0)))
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
    for panel, index, text, font in catalogue:
        if font not in FONTS or not text:
            continue
        if (panel, index) not in table:
            sys.exit(f"glyph table has no row for {panel} {index}")
        mode, recipe, preferred = table[(panel, index)]
        cell = f"{panel} {index}"
        known = designs[font].get(text)
        if known is None:
            designs[font][text] = (mode, recipe, cell, preferred)
        elif (known[0], known[1]) != (mode, recipe):
            keep = (mode, recipe, cell, True) if preferred and not known[3] else known
            drop = cell if keep is known else known[2]
            conflicts.append((font, text, keep[2], drop))
            designs[font][text] = keep
    return designs, conflicts


def readings(text, texts):
    """Every way to cut text into texts of the font."""
    if not text:
        return [[]]
    return [[text[:n]] + rest for n in range(1, len(text) + 1)
            if text[:n] in texts for rest in readings(text[n:], texts)]


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
        rules = sorted(pairs, key=lambda p: (-len(p[0] + p[1]), p))
        added = False
        for first in sorted(texts):
            if len(first) < 2:
                continue
            for second in sorted(texts):
                both = first + second
                if (first, second) in pairs or readings(both, texts) != [[first, second]]:
                    continue
                rule = next((f for f, s in rules if both.startswith(f + s)), None)
                chosen = rule or max((t for t in texts if both.startswith(t)), key=len)
                if chosen != first:
                    pairs.add((first, second))
                    added = True
        if not added:
            return sorted(pairs, key=lambda p: (-len(p[0] + p[1]), p))


def shaper_order(strings, charset):
    """Each string as HarfBuzz hands it to a font: it sorts runs of marks
    by their (modified) combining class first. Asked of HarfBuzz itself,
    with a font that maps the characters and does nothing else."""
    names = {ch: glyph_name("u", ch) for ch in charset}
    fb = FontBuilder(UPM, isTTF=True)
    fb.setupGlyphOrder([".notdef"] + sorted(names.values()))
    fb.setupCharacterMap({ord(ch): name for ch, name in names.items()})
    fb.setupGlyf({n: TTGlyphPen(None).glyph() for n in [".notdef", *names.values()]})
    fb.setupHorizontalMetrics({n: (500, 0) for n in [".notdef", *names.values()]})
    fb.setupHorizontalHeader()
    fb.setupNameTable({"familyName": "Probe", "styleName": "Regular"})
    fb.setupOS2()
    fb.setupPost()
    chars = {name: ch for ch, name in names.items()}
    with tempfile.TemporaryDirectory() as work:
        path = os.path.join(work, "probe.ttf")
        fb.font.save(path)
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
    is_mark = lambda c: unicodedata.category(c) == "Mn"
    pairs = [(a, b) for a in sorted(designs) for b in sorted(designs)
             if is_mark(a[-1]) and is_mark(b[0])]
    seen = shaper_order([rtl[a] + rtl[b] for a, b in pairs], {c for t in rtl.values() for c in t})
    rtl_texts = set(rtl.values())
    return [(a, b, r) for (a, b), r in zip(pairs, seen)
            if r != rtl[a] + rtl[b] and not readings(r, rtl_texts)]


def build_font(family, filename, designs, sources, out_dir):
    charset = sorted({c for text in designs for c in text} | {" "})
    rtl = {text: rtl_form(text, charset) for text in designs}
    glyphs, advances = {".notdef": TTGlyphPen(None).glyph()}, {".notdef": 500}
    cmap, ligatures = {}, []
    # one glyph per character: its own design when it is a text alone
    for ch in charset:
        name = glyph_name("uni", ch)
        glyphs[name], advances[name] = fallback_glyph(sources, ch)
        cmap[ord(ch)] = name
    for text, (mode, recipe, cell, _) in sorted(designs.items()):
        outline, advance = compose(sources, mode, recipe)
        name = cell.replace(" ", ".")
        if len(text) == 1:
            cmap[ord(rtl[text])] = name
        else:
            ligatures.append((rtl[text], name))
            turned = reversed_clusters(rtl[text])
            if is_weak(text) and turned != rtl[text] and turned not in rtl.values():
                ligatures.append((turned, name))
        glyphs[name], advances[name] = outline, advance
    # Where two texts' marks meet, the shaper sorts them before the font
    # sees them; the sorted run becomes a stand-in glyph that splits again
    # into the two texts' glyphs.
    sorted_marks, split_marks = [], []
    for number, (first, second, seen) in enumerate(marks_meeting(designs, rtl), 1):
        stand_in = f"marks.{number}"
        glyphs[stand_in], advances[stand_in] = TTGlyphPen(None).glyph(), 0
        sorted_marks.append((seen, stand_in))
        split_marks.append((stand_in, designs[first][2], designs[second][2]))
    order = [".notdef"] + sorted(n for n in glyphs if n != ".notdef")

    fb = FontBuilder(UPM, isTTF=True)
    fb.setupGlyphOrder(order)
    fb.setupCharacterMap(cmap)
    fb.setupGlyf(glyphs)
    metrics = {}
    for name in order:
        g = glyphs[name]
        g.recalcBounds(fb.font["glyf"])
        metrics[name] = (advances[name], getattr(g, "xMin", 0))
    fb.setupHorizontalMetrics(metrics)
    ymax = max(getattr(g, "yMax", 0) for g in glyphs.values())
    ymin = min(getattr(g, "yMin", 0) for g in glyphs.values())
    ascent, descent = int(ymax) + 20, int(ymin) - 20
    fb.setupHorizontalHeader(ascent=ascent, descent=descent)
    version = "Version 1.000"
    fb.setupNameTable({
        "copyright": OFL_COPYRIGHT,
        "familyName": family,
        "styleName": "Regular",
        "uniqueFontIdentifier": f"{family}-Regular;1.000",
        "fullName": family,
        "psName": family.replace(" ", "") + "-Regular",
        "version": version,
        "licenseDescription": OFL_LICENSE,
        "licenseInfoURL": "https://openfontlicense.org",
    })
    fb.setupOS2(sTypoAscender=ascent, sTypoDescender=descent, sTypoLineGap=0,
                usWinAscent=ascent, usWinDescent=-descent,
                achVendID="NONE", fsType=0,
                ulUnicodeRange1=(1 << 0) | (1 << 1) | (1 << 13),
                ulCodePageRange1=(1 << 0) | (1 << 6))
    fb.setupPost()
    fb.setupHead(unitsPerEm=UPM)

    # Each multi-character text is one ligature; longer texts first so that
    # a text is never cut short by one of its beginnings.
    ligatures.sort(key=lambda item: (-len(item[0]), item[0]))
    # Greedy matching would join a text with the start of the next one where
    # a longer text begins the same way; these rules keep such pairs apart.
    keep_apart = "\n".join(
        "    sub {} {} by {};".format(
            " ".join(cmap[ord(c)] + "'" for c in rtl[first]),
            " ".join(cmap[ord(c)] for c in rtl[second]),
            designs[first][2].replace(" ", "."))
        for first, second in split_pairs(designs))
    marks_in = "\n".join(
        "    sub {} by {};".format(" ".join(cmap[ord(c)] for c in seen), stand_in)
        for seen, stand_in in sorted_marks) or "    sub .notdef by .notdef;"
    marks_out = "\n".join(
        "    sub {} by {} {};".format(stand_in, a.replace(" ", "."), b.replace(" ", "."))
        for stand_in, a, b in split_marks) or "    sub .notdef by .notdef .notdef;"
    subs = "\n".join(
        "    sub {} by {};".format(" ".join(cmap[ord(c)] for c in seq), name)
        for seq, name in ligatures)
    bases = " ".join(order[1:])
    fea = f"""
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
    addOpenTypeFeaturesFromString(fb.font, fea)
    # An empty positioning table keeps HarfBuzz from placing marks itself.
    addOpenTypeFeaturesFromString(
        fb.font, "languagesystem DFLT dflt;\nfeature kern { pos uni0020 0; } kern;\n",
        tables=["GPOS"])
    path = os.path.join(out_dir, filename)
    fb.font.save(path)
    return path, {t: d[2].replace(" ", ".") for t, d in designs.items()}


def main():
    ap = argparse.ArgumentParser(description=__doc__.splitlines()[0])
    ap.add_argument("catalogue")
    ap.add_argument("glyph_table")
    ap.add_argument("out_dir")
    # The source fonts' paths come from tools/deps/system-paths.txt.
    ap.add_argument("--math", required=True, help="Noto Sans Math Regular")
    ap.add_argument("--naskh", required=True, help="Noto Naskh Arabic Regular")
    ap.add_argument("--report")
    args = ap.parse_args()
    os.environ.setdefault("SOURCE_DATE_EPOCH", "1767225600")

    catalogue = list(read_catalogue(args.catalogue))
    designs, conflicts = plan(catalogue, read_glyph_table(args.glyph_table))
    sources = Sources(args.math, args.naskh)
    os.makedirs(args.out_dir, exist_ok=True)
    lines = []
    for family, filename in FONTS.items():
        _, names = build_font(family, filename, designs[family], sources, args.out_dir)
        lines += [f"{family}\t{' '.join(f'U+{ord(c):04X}' for c in t)}\t{n}"
                  for t, n in sorted(names.items())]
    if args.report:
        with open(args.report, "w", encoding="utf-8") as f:
            f.write("# texts that two cells of one font share with different faces\n")
            for font, text, kept, dropped in conflicts:
                cps = " ".join(f"U+{ord(c):04X}" for c in text)
                f.write(f"conflict\t{font}\t{cps}\tdraws {kept}, not {dropped}\n")
            f.write("# designed glyph of every text\n")
            f.write("\n".join(f"glyph\t{line}" for line in lines) + "\n")


if __name__ == "__main__":
    main()
