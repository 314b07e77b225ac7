"""The math font build refuses flawed inputs with one message.

Usage: test_build_math_fonts.py SOURCE_DIR --math FONT --naskh FONT

The glyph table's rows are checked as they are read, a catalogue cell
without a row stops the plan, and a flaw found while drawing stops the whole
build before any font is written, reported as one line without a traceback.
"""

import argparse
import os
import subprocess
import sys
import tempfile
import unittest

ARGUMENTS = argparse.ArgumentParser()
ARGUMENTS.add_argument("source_dir")
ARGUMENTS.add_argument("--math", required=True)
ARGUMENTS.add_argument("--naskh", required=True)
ARGS = ARGUMENTS.parse_args()
SOURCE_DIR = ARGS.source_dir
BUILD_SCRIPT = os.path.join(SOURCE_DIR, "fonts", "build_math_fonts.py")
CATALOGUE = os.path.join(SOURCE_DIR, "palette", "catalogue.tsv")
GLYPH_TABLE = os.path.join(SOURCE_DIR, "fonts", "glyph-table.tsv")
sys.path.insert(0, os.path.join(SOURCE_DIR, "fonts"))
import build_math_fonts as build  # noqa: E402
from catalogue_reader import Entry  # noqa: E402


def write(folder, name, text):
    path = os.path.join(folder, name)
    with open(path, "w", encoding="utf-8") as out:
        out.write(text)
    return path


class GlyphTableRows(unittest.TestCase):
    def test_a_good_row_is_read(self):
        with tempfile.TemporaryDirectory(prefix="glyphboard-fonts-") as folder:
            path = write(folder, "table.tsv", "# comment\nAlgebra\t7\t!over=40\tbar:460,40 cy=250\tface\n")
            self.assertEqual(build.read_glyph_table(path),
                             {("Algebra", 7): ("over=40", "bar:460,40 cy=250", True)})

    def test_flawed_rows_are_refused_with_their_line(self):
        # (case, row, expected message)
        cases = [
            ("unknown mode", "Algebra\t0\tsideways\tm:≥", "unknown mode 'sideways'"),
            ("over without a number", "Algebra\t0\tover=far\tbar:10,10", "unknown mode 'over=far'"),
            ("unknown shape", "Algebra\t0\tin\tstar:5,10", "unknown shape 'star'"),
            ("shape in a row of elements", "Algebra\t0\tin\tm:≥ > blob:1 + bar:1,1", "unknown shape 'blob'"),
            ("too few numbers", "Algebra\t0\tin\tbar:460", "takes 2 numbers"),
            ("polyline of one point", "Algebra\t0\tin\tline:40,0,0", "takes 5 numbers or more"),
            ("malformed number", "Algebra\t0\tin\tbar:460,4o", "malformed number"),
            ("source without a character", "Algebra\t0\tin\tm: s=2", "names no character"),
            ("missing recipe", "Algebra\t0\tin", "expected panel, index, mode, recipe"),
            ("index not a number", "Algebra\tseven\tin\tm:≥", "is not a number"),
            ("unknown radical size", "Geometry\t32\tjoin\tvinculum:huge", "unknown radical size"),
            ("completion with more than its bar", "Geometry\t32\tjoin\tvinculum:medium + m:−",
             "one vinculum and nothing else"),
            ("completion without a bar", "Geometry\t32\tjoin\tbar:420,40", "one vinculum and nothing else"),
            ("vinculum on an inline glyph", "Geometry\t33\tin\tm:√ + vinculum:medium", "not mode 'in'"),
            ("unknown overbar reach", "Geometry\t28\tover=40\toverbar:huge,dot", "unknown overbar"),
            ("unknown overbar marks", "Geometry\t28\tover=40\toverbar:long,star", "unknown overbar"),
            ("overbar without marks", "Geometry\t28\tover=40\toverbar:long", "unknown overbar"),
            ("overbar with more ink", "Geometry\t28\tover=40\toverbar:long,dot + disc:40",
             "an overbar stands alone"),
            ("overbar on an inline glyph", "Geometry\t28\tin\toverbar:long,dot", "an overbar stands alone"),
        ]
        with tempfile.TemporaryDirectory(prefix="glyphboard-fonts-") as folder:
            for case, row, message in cases:
                with self.subTest(case):
                    path = write(folder, "table.tsv", "# comment\n" + row + "\n")
                    with self.assertRaises(build.FontBuildError) as raised:
                        build.read_glyph_table(path)
                    self.assertTrue(str(raised.exception).startswith(f"{path}:2: "), str(raised.exception))
                    self.assertIn(message, str(raised.exception))

    def test_a_second_row_for_a_cell_is_refused(self):
        with tempfile.TemporaryDirectory(prefix="glyphboard-fonts-") as folder:
            path = write(folder, "table.tsv", "Algebra\t3\tin\tm:>\nAlgebra\t3\tin\tm:<\n")
            with self.assertRaisesRegex(build.FontBuildError, r":2: Algebra 3 has a second row"):
                build.read_glyph_table(path)


class Plan(unittest.TestCase):
    def test_a_cell_without_a_row_is_refused(self):
        catalogue = [Entry("Algebra", 3, "آ", "Al-DizaDorvan", "أقل من", False),
                     Entry("Algebra", 4, "ى ", "Al-DizaDorvan", "اكبر من", False)]
        table = {("Algebra", 3): ("in", "m:>", False)}
        with self.assertRaisesRegex(build.FontBuildError, "glyph table has no row for Algebra 4"):
            build.plan(catalogue, table)

    def test_cells_without_a_math_font_or_text_need_no_row(self):
        catalogue = [Entry("Geometry", 51, "!", "Traditional Arabic", "مضروب", False),
                     Entry("Geometry", 42, "", "Al-DizaDorvan", "", False)]
        self.assertEqual(build.plan(catalogue, {}), ({font: {} for font in build.FONTS}, []))


class WholeBuild(unittest.TestCase):
    """Damages one row of the real inputs and runs the build as CMake does."""

    def run_build(self, folder, catalogue_lines, table_lines):
        catalogue = write(folder, "catalogue.tsv", "".join(catalogue_lines))
        table = write(folder, "glyph-table.tsv", "".join(table_lines))
        return subprocess.run([sys.executable, BUILD_SCRIPT, catalogue, table, os.path.join(folder, "out"),
                               "--math", ARGS.math, "--naskh", ARGS.naskh],
                              capture_output=True, text=True)

    def test_a_flaw_stops_the_build_with_one_line_and_no_font(self):
        with open(CATALOGUE, encoding="utf-8") as source:
            catalogue = source.readlines()
        with open(GLYPH_TABLE, encoding="utf-8") as source:
            table = source.readlines()

        def replaced(lines, prefix, new):
            found = [i for i, line in enumerate(lines) if line.startswith(prefix)]
            self.assertEqual(len(found), 1, prefix)
            return lines[:found[0]] + ([new + "\n"] if new else []) + lines[found[0] + 1:]

        # (case, catalogue, glyph table, expected message)
        cases = [
            # Calculus 52 belongs to the second font, so the first one is
            # complete by the time the flaw is found, and must not be written.
            ("character a source font lacks", catalogue,
             replaced(table, "Calculus\t52\t", "Calculus\t52\tin\tm:ب"), "has no glyph for 'ب'"),
            ("cell without a row", catalogue, replaced(table, "Letters\t14\t", None),
             "glyph table has no row for Letters 14"),
            ("damaged catalogue", replaced(catalogue, "Algebra\t3\t", "Algebra\t3\tU+622\tAl-DizaDorvan\t\"أقل من\"\tno"),
             table, "malformed code point"),
        ]
        for case, catalogue_lines, table_lines, message in cases:
            with self.subTest(case), tempfile.TemporaryDirectory(prefix="glyphboard-fonts-") as folder:
                result = self.run_build(folder, catalogue_lines, table_lines)
                self.assertNotEqual(result.returncode, 0)
                self.assertIn(message, result.stderr)
                self.assertNotIn("Traceback", result.stderr)
                self.assertEqual(len(result.stderr.strip().splitlines()), 1, result.stderr)
                self.assertFalse(os.path.exists(os.path.join(folder, "out", "Vudida.ttf")))
                self.assertFalse(os.path.exists(os.path.join(folder, "out", "Dizever.ttf")))


if __name__ == "__main__":
    unittest.main(argv=sys.argv[:1])
