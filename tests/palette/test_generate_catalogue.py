"""The catalogue generator stops the build on a damaged catalogue.tsv.

Usage: test_generate_catalogue.py <generate_catalogue.py> <catalogue.tsv>

Each case damages one line of the real catalogue and expects the generator
to fail with a message that names the fault, instead of writing tables
with a missing, doubled or garbled entry.
"""

import os
import subprocess
import sys
import tempfile
import unittest

GENERATOR, CATALOGUE = sys.argv[1:3]

# (case, line to damage, damaged line or None to drop it, expected message)
CASES = [
    ("missing cell", "Letters\t7\t", None, "Letters lacks cells [7]"),
    ("doubled cell", "Geometry\t5\t", "Geometry\t4\tU+0020 U+062C\tAl-DizaDorvan\t\"ج\"\tno", "Geometry 4 appears twice"),
    ("short code point", "Algebra\t3\t", "Algebra\t3\tU+622\tAl-DizaDorvan\t\"أقل من\"\tno", "malformed code point"),
    ("literal text", "Algebra\t3\t", "Algebra\t3\tآ\tAl-DizaDorvan\t\"أقل من\"\tno", "malformed code point"),
    ("unknown font", "Calculus\t4\t", "Calculus\t4\tU+062A\tAl-Zavura\t\"تكامل\"\tno", "unknown font"),
    ("text too long", "Letters\t9\t",
     "Letters\t9\tU+0020 U+0644 U+0647 U+0633 U+0020 U+0020\tAl-DizaDorvan\t\"هـ بسط\"\tno", "at most 5"),
    ("name without quotes", "Algebra\t0\t",
     "Algebra\t0\tU+062D U+0645 U+0633 U+0020\tAl-DizaDorvan\tأقل\tno", "double quotes"),
    ("missing column", "Algebra\t1\t",
     "Algebra\t1\tU+062C U+0645 U+0633 U+0020\t\"اكبر من أو يساوي\"\tno", "6 tab-separated columns"),
    ("flag column missing", "Algebra\t1\t",
     "Algebra\t1\tU+062C U+0645 U+0633 U+0020\tAl-DizaDorvan\t\"اكبر من أو يساوي\"", "6 tab-separated columns"),
    ("index out of range", "Calculus\t55\t",
     "Calculus\t56\tU+0020 U+0646 U+0645\tAl-ZavuraDorvan\t\"مشتقة نونية\"\tno", "is not 0 to 55"),
    # The delete-first flag is "yes" or "no", spelt exactly: anything else
    # must not be read as either.
    ("empty flag", "Algebra\t14\t",
     "Algebra\t14\tU+0020 U+064A U+0645 U+0020\tAl-DizaDorvan\t\"إذا وفقط إذا\"\t", "flag ''"),
    ("capitalised flag", "Algebra\t14\t",
     "Algebra\t14\tU+0020 U+064A U+0645 U+0020\tAl-DizaDorvan\t\"إذا وفقط إذا\"\tYes", "flag 'Yes'"),
    ("flag as a number", "Letters\t14\t",
     "Letters\t14\tU+0020 U+0639 U+0639\tAl-ZavuraDorvan\t\"ع مقام\"\t1", "flag '1'"),
    ("flag with a space", "Calculus\t14\t", "Calculus\t14\t\tAl-ZavuraDorvan\t\"\"\tyes ", "flag 'yes '"),
]


def run_generator(lines, folder):
    source = os.path.join(folder, "catalogue.tsv")
    with open(source, "w", encoding="utf-8", newline="") as out:
        out.writelines(lines)
    return subprocess.run([sys.executable, GENERATOR, source, os.path.join(folder, "out.inc")],
                          capture_output=True, text=True)


class DamagedCatalogue(unittest.TestCase):
    def setUp(self):
        with open(CATALOGUE, encoding="utf-8", newline="") as source:
            self.lines = source.readlines()

    def test_the_real_catalogue_passes(self):
        with tempfile.TemporaryDirectory(prefix="glyphboard-palette-") as folder:
            result = run_generator(self.lines, folder)
            self.assertEqual(result.returncode, 0, result.stderr)

    def test_damage_is_rejected(self):
        for case, prefix, replacement, message in CASES:
            with self.subTest(case), tempfile.TemporaryDirectory(prefix="glyphboard-palette-") as folder:
                found = [i for i, line in enumerate(self.lines) if line.startswith(prefix)]
                self.assertEqual(len(found), 1, prefix)
                lines = list(self.lines)
                if replacement is None:
                    del lines[found[0]]
                else:
                    lines[found[0]] = replacement + "\n"
                result = run_generator(lines, folder)
                self.assertNotEqual(result.returncode, 0)
                self.assertIn(message, result.stderr)
                self.assertFalse(os.path.exists(os.path.join(folder, "out.inc")))


if __name__ == "__main__":
    unittest.main(argv=sys.argv[:1])
