#!/usr/bin/python3
"""Makes the Arabic text fonts NurvelSans and NurvelSansB.

They are Noto Naskh Arabic Regular and Bold under a family name of our own:
the SIL Open Font License reserves the source's name ("Noto") for the
original, so a modified or renamed copy must carry another one. The
copyright and licence notices stay as they are.

Usage: build_text_fonts.py OUT_DIR --regular FONT --bold FONT
"""

import argparse
import os
import sys

from fontTools.ttLib import TTFont

FAMILY = "NurvelSans"
RENAMED_BY = ("Renamed from Noto Naskh Arabic for the Glyphboard "
              "installation medium.")


def rename(source, target, bold):
    font = TTFont(source)
    style = "Bold" if bold else "Regular"
    names = font["name"]
    new = {
        1: FAMILY, 2: style, 3: f"{FAMILY}-{style};{font['head'].fontRevision:.3f}",
        4: f"{FAMILY} Bold" if bold else FAMILY, 6: f"{FAMILY}-{style}",
    }
    keep = {0, 5, 13, 14}       # copyright, version and the licence
    for record in list(names.names):
        if record.nameID not in keep and record.nameID not in new:
            names.removeNames(nameID=record.nameID)
    for name_id, text in new.items():
        names.setName(text, name_id, 3, 1, 0x409)
        names.setName(text, name_id, 1, 0, 0)
    names.setName(RENAMED_BY, 10, 3, 1, 0x409)
    font["OS/2"].achVendID = "NONE"
    font.save(target)


def main():
    ap = argparse.ArgumentParser(description=__doc__.splitlines()[0])
    ap.add_argument("out_dir")
    # The source fonts' paths come from tools/deps/system-paths.txt.
    ap.add_argument("--regular", required=True, help="Noto Naskh Arabic Regular")
    ap.add_argument("--bold", required=True, help="Noto Naskh Arabic Bold")
    args = ap.parse_args()
    if not os.environ.get("SOURCE_DATE_EPOCH", "").isdigit():
        sys.exit("build_text_fonts.py: SOURCE_DATE_EPOCH must name the fonts' date; the build sets it")
    os.makedirs(args.out_dir, exist_ok=True)
    rename(args.regular, os.path.join(args.out_dir, "NurvelSans.ttf"), False)
    rename(args.bold, os.path.join(args.out_dir, "NurvelSansB.ttf"), True)


if __name__ == "__main__":
    main()
