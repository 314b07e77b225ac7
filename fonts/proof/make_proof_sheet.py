#!/usr/bin/python3
"""Writes the proof sheet of the math fonts as a flat OpenDocument text.

Page one shows every panel as a 14 x 4 grid, each cell's text typed in its
font, laid out like the palette (column 0 at the left). The last pages type
the composed expressions of expressions.tsv cell after cell, in the order a
teacher clicks them, with ordinary text in "Traditional Arabic" between
them, at 30, 16 and 12 pt.

Usage: make_proof_sheet.py CATALOGUE OUT.fodt
"""

import os
import sys
from xml.sax.saxutils import escape

sys.path.insert(0, os.path.join(os.path.dirname(os.path.abspath(__file__)), "..", "..", "palette"))
from catalogue_reader import PANELS, CatalogueError, read_catalogue  # noqa: E402

TEXT_FONT = "Traditional Arabic"

# The sizes each composed expression is typed at, side by side: text sizes
# and one large enough to see how the pieces meet.
EXPRESSION_SIZES = (30, 16, 12)
EXPRESSIONS_FILE = os.path.join(os.path.dirname(os.path.abspath(__file__)), "expressions.tsv")


def read_expressions(path):
    """(caption, pieces) of every expression; a piece is a cell "Panel index"
    or "text:" followed by text typed in the text font."""
    expressions = []
    with open(path, encoding="utf-8") as source:
        for line in source:
            if line.startswith("#") or not line.strip():
                continue
            caption, _bars, *pieces = line.rstrip("\n").split("\t")
            expressions.append((caption, pieces))
    return expressions


def odf_text(text):
    """Text with every space kept: ODF collapses plain runs of spaces."""
    return "".join("<text:s/>" if c == " " else escape(c) for c in text)


def span(text, font, size=""):
    return f'<text:span text:style-name="{style_of(font)}{size}">{odf_text(text)}</text:span>'


def style_of(font):
    return "F_" + "".join(c for c in font if c.isalnum())


def font_style(font, size):
    return (f'<style:style style:name="{style_of(font)}" style:family="text">'
            f'<style:text-properties style:font-name="{font}" fo:font-size="{size}pt" '
            f'style:font-name-asian="{font}" style:font-size-asian="{size}pt" '
            f'style:font-name-complex="{font}" style:font-size-complex="{size}pt"/>'
            f'</style:style>')


def document(cells, expressions):
    fonts = sorted({font for _, font in cells.values()} | {TEXT_FONT})
    decls = "".join(f'<style:font-face style:name="{f}" svg:font-family="\'{f}\'"/>' for f in fonts)
    styles = "".join(font_style(f, 20) for f in fonts)
    styles += "".join(font_style(f, size).replace(style_of(f), f"{style_of(f)}_{size}")
                      for f in fonts for size in EXPRESSION_SIZES)
    body = []
    for panel in PANELS:
        body.append(f'<text:p text:style-name="Head">{escape(panel)}</text:p>')
        body.append('<table:table table:name="{0}" table:style-name="Grid">'
                    '<table:table-column table:number-columns-repeated="14" '
                    'table:style-name="Col"/>'.format(panel))
        for row in range(4):
            body.append("<table:table-row>")
            for col in range(14):
                text, font = cells[f"{panel} {row * 14 + col}"]
                body.append('<table:table-cell table:style-name="Cell">'
                            f'<text:p text:style-name="Sym">{span(text, font)}</text:p>'
                            "</table:table-cell>")
            body.append("</table:table-row>")
        body.append("</table:table>")
    body.append('<text:p text:style-name="Break">Expressions</text:p>')
    for caption, pieces in expressions:
        sizes = ", ".join(str(size) for size in EXPRESSION_SIZES)
        body.append(f'<text:p text:style-name="Caption">{escape(caption)} ({sizes} pt)</text:p>')
        typed = []
        for size in EXPRESSION_SIZES:
            if typed:
                typed.append(span("      ", TEXT_FONT, "_12"))
            for piece in pieces:
                if piece.startswith("text:"):
                    typed.append(span(piece[5:], TEXT_FONT, f"_{size}"))
                else:
                    typed.append(span(*cells[piece], f"_{size}"))
        body.append(f'<text:p text:style-name="Expr">{"".join(typed)}</text:p>')
    return f"""<?xml version="1.0" encoding="UTF-8"?>
<office:document xmlns:office="urn:oasis:names:tc:opendocument:xmlns:office:1.0"
 xmlns:style="urn:oasis:names:tc:opendocument:xmlns:style:1.0"
 xmlns:text="urn:oasis:names:tc:opendocument:xmlns:text:1.0"
 xmlns:table="urn:oasis:names:tc:opendocument:xmlns:table:1.0"
 xmlns:fo="urn:oasis:names:tc:opendocument:xmlns:xsl-fo-compatible:1.0"
 xmlns:svg="urn:oasis:names:tc:opendocument:xmlns:svg-compatible:1.0"
 office:version="1.3" office:mimetype="application/vnd.oasis.opendocument.text">
<office:font-face-decls>{decls}</office:font-face-decls>
<office:automatic-styles>
<style:page-layout style:name="Page"><style:page-layout-properties
 fo:page-width="29.7cm" fo:page-height="21cm" style:print-orientation="landscape"
 fo:margin="1cm" style:writing-mode="rl-tb"/></style:page-layout>
<style:style style:name="Grid" style:family="table"><style:table-properties
 style:width="27.7cm" table:align="center" style:writing-mode="lr-tb"/></style:style>
<style:style style:name="Col" style:family="table-column"><style:table-column-properties
 style:column-width="1.978cm"/></style:style>
<style:style style:name="Cell" style:family="table-cell"><style:table-cell-properties
 fo:border="0.5pt solid #404040" fo:padding="0.05cm" style:vertical-align="middle"/></style:style>
<style:style style:name="Sym" style:family="paragraph"><style:paragraph-properties
 fo:text-align="center" style:writing-mode="rl-tb" fo:line-height="1.6cm"/></style:style>
<style:style style:name="Head" style:family="paragraph"><style:paragraph-properties
 fo:margin-top="0.2cm" fo:margin-bottom="0.1cm"/><style:text-properties fo:font-size="11pt"/></style:style>
<style:style style:name="Break" style:family="paragraph"><style:paragraph-properties
 fo:break-before="page"/><style:text-properties fo:font-size="11pt"/></style:style>
<style:style style:name="Caption" style:family="paragraph"><style:paragraph-properties
 style:writing-mode="rl-tb" fo:text-align="end" fo:margin-top="0.3cm"/>
 <style:text-properties style:font-name-complex="{TEXT_FONT}" style:font-size-complex="11pt"/></style:style>
<style:style style:name="Expr" style:family="paragraph"><style:paragraph-properties
 style:writing-mode="rl-tb" fo:text-align="end" fo:line-height="3cm"/></style:style>
{styles}
</office:automatic-styles>
<office:master-styles><style:master-page style:name="Standard" style:page-layout-name="Page"/></office:master-styles>
<office:body><office:text>
{"".join(body)}
</office:text></office:body></office:document>
"""


def main():
    if len(sys.argv) != 3:
        sys.exit(__doc__)
    try:
        cells = {entry.cell: (entry.text, entry.font) for entry in read_catalogue(sys.argv[1])}
    except CatalogueError as error:
        sys.exit(str(error))
    with open(sys.argv[2], "w", encoding="utf-8") as out:
        out.write(document(cells, read_expressions(EXPRESSIONS_FILE)))


if __name__ == "__main__":
    main()
