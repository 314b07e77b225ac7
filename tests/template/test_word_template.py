#!/usr/bin/python3
"""Reads VovediVoda.dot the way Word does and checks what Word needs of it.

    test_word_template.py VovediVoda.dot

The file must be a Word 97-2003 binary template (a compound file whose
WordDocument stream has the Word 97 file identifier and the template flag)
whose Normal style, the style of every new paragraph, is right to left and
names "Traditional Arabic" as its complex-script font.

The file is read directly rather than through LibreOffice: LibreOffice's
import takes the complex-script font from the style's "other" font when both
are present, so it reports Times New Roman where Word reads the
complex-script font that the file holds.
"""

import struct
import sys
import unittest

FREE, END_OF_CHAIN = 0xFFFFFFFF, 0xFFFFFFFE

SPRM_P_BIDI = 0x2441       # paragraph right to left
SPRM_C_FTC_BI = 0x4A5E     # complex-script font
WORD97_IDENT = 0xA5EC
WORD97_NFIB = 0x00C1


class CompoundFile:
    """The streams of an OLE compound file, by name."""

    def __init__(self, data):
        if data[:8] != bytes.fromhex("D0CF11E0A1B11AE1"):
            raise ValueError("not a compound file")
        self.data = data
        self.sector_size = 1 << struct.unpack_from("<H", data, 0x1E)[0]
        self.mini_size = 1 << struct.unpack_from("<H", data, 0x20)[0]
        fat_sectors, directory_start = struct.unpack_from("<II", data, 0x2C)
        self.cutoff, mini_fat_start, _, difat_start, difat_count = struct.unpack_from("<IIIII", data, 0x38)
        difat = list(struct.unpack_from("<109I", data, 0x4C))
        next_difat = difat_start
        for _ in range(difat_count):
            block = self._sector(next_difat)
            entries = struct.unpack("<%dI" % (self.sector_size // 4), block)
            difat += entries[:-1]
            next_difat = entries[-1]
        self.fat = []
        for sector in difat[:fat_sectors]:
            self.fat += struct.unpack("<%dI" % (self.sector_size // 4), self._sector(sector))
        self.mini_fat = []
        if mini_fat_start not in (FREE, END_OF_CHAIN):
            raw = self._chain(mini_fat_start)
            self.mini_fat = list(struct.unpack("<%dI" % (len(raw) // 4), raw))
        directory = self._chain(directory_start)
        self.entries = {}
        self.mini_stream = b""
        for offset in range(0, len(directory), 128):
            length = struct.unpack_from("<H", directory, offset + 64)[0]
            kind = directory[offset + 66]
            start, size = struct.unpack_from("<II", directory, offset + 116)
            name = directory[offset:offset + max(length - 2, 0)].decode("utf-16-le")
            if kind == 5:  # root: holds the mini stream
                self.mini_stream = self._chain(start)[:size]
            elif kind == 2:
                self.entries[name] = (start, size)

    def _sector(self, number):
        offset = (number + 1) * self.sector_size
        return self.data[offset:offset + self.sector_size]

    def _chain(self, start):
        out, sector, seen = [], start, set()
        while sector not in (FREE, END_OF_CHAIN):
            if sector in seen or sector >= len(self.fat) and self.fat:
                raise ValueError("broken sector chain")
            seen.add(sector)
            out.append(self._sector(sector))
            sector = self.fat[sector]
        return b"".join(out)

    def stream(self, name):
        start, size = self.entries[name]
        if size >= self.cutoff:
            return self._chain(start)[:size]
        out, sector = [], start
        while sector not in (FREE, END_OF_CHAIN):
            out.append(self.mini_stream[sector * self.mini_size:(sector + 1) * self.mini_size])
            sector = self.mini_fat[sector]
        return b"".join(out)[:size]


def sprms(grpprl):
    """(sprm, operand) pairs of a property list."""
    at = 0
    while at + 2 <= len(grpprl):
        sprm = struct.unpack_from("<H", grpprl, at)[0]
        at += 2
        size = {0: 1, 1: 1, 2: 2, 3: 4, 4: 2, 5: 2, 7: 3}.get(sprm >> 13)
        if size is None:  # variable length, counted by its first byte
            size = grpprl[at] + 1
        yield sprm, grpprl[at:at + size]
        at += size


class WordDocument:
    """What the checks need of a Word 97-2003 file."""

    def __init__(self, data):
        storage = CompoundFile(data)
        word = storage.stream("WordDocument")
        self.ident, self.nfib = struct.unpack_from("<HH", word, 0)
        flags = struct.unpack_from("<H", word, 0x0A)[0]
        self.is_template = bool(flags & 0x0001)
        table = storage.stream("1Table" if flags & 0x0200 else "0Table")

        # FibRgFcLcb97 lies behind the 16-bit and 32-bit value arrays.
        at = 32
        csw = struct.unpack_from("<H", word, at)[0]
        at += 2 + 2 * csw
        cslw = struct.unpack_from("<H", word, at)[0]
        at += 2 + 4 * cslw + 2

        def fc_lcb(index):
            return struct.unpack_from("<II", word, at + 8 * index)

        self.fonts = self._fonts(table, *fc_lcb(15))      # SttbfFfn
        self.styles = self._styles(table, *fc_lcb(1))     # Stshf

    @staticmethod
    def _fonts(table, fc, lcb):
        block = table[fc:fc + lcb]
        count, _extra = struct.unpack_from("<HH", block, 0)
        at, names = 4, []
        for _ in range(count):
            size = block[at]
            ffn = block[at + 1:at + 1 + size]
            name = ffn[39:].decode("utf-16-le").split("\0")[0]
            names.append(name)
            at += 1 + size
        return names

    @staticmethod
    def _styles(table, fc, lcb):
        block = table[fc:fc + lcb]
        header_size = struct.unpack_from("<H", block, 0)[0]
        count, base_size = struct.unpack_from("<HH", block, 2)
        at, styles = 2 + header_size, []
        for _ in range(count):
            size = struct.unpack_from("<H", block, at)[0]
            std = block[at + 2:at + 2 + size]
            at += 2 + size
            if not std:
                styles.append(None)
                continue
            kind_base, upx_next = struct.unpack_from("<HH", std, 2)
            kind, upx_count = kind_base & 0x000F, upx_next & 0x000F
            here = base_size
            name_length = struct.unpack_from("<H", std, here)[0]
            name = std[here + 2:here + 2 + 2 * name_length].decode("utf-16-le")
            here += 2 + 2 * (name_length + 1)
            upxs = []
            for _ in range(upx_count):
                here += here % 2
                upx_size = struct.unpack_from("<H", std, here)[0]
                upxs.append(std[here + 2:here + 2 + upx_size])
                here += 2 + upx_size
            paragraph, character = (upxs + [b"", b""])[:2] if kind == 1 else (b"", (upxs + [b""])[0])
            styles.append({"name": name, "kind": kind,
                           "paragraph": dict(sprms(paragraph[2:])),  # behind the istd
                           "character": dict(sprms(character))})
        return styles


class TestWordTemplate(unittest.TestCase):
    path = None

    @classmethod
    def setUpClass(cls):
        with open(cls.path, "rb") as file:
            cls.document = WordDocument(file.read())

    def test_is_a_word_97_2003_template(self):
        self.assertEqual(self.document.ident, WORD97_IDENT)
        self.assertGreaterEqual(self.document.nfib, WORD97_NFIB)
        self.assertTrue(self.document.is_template, "the file is a document, not a template")

    def test_normal_style_is_right_to_left(self):
        normal = self.document.styles[0]
        self.assertEqual(normal["kind"], 1, "style 0 is no paragraph style")
        self.assertEqual(normal["paragraph"].get(SPRM_P_BIDI), b"\x01")

    def test_normal_style_complex_script_font(self):
        operand = self.document.styles[0]["character"].get(SPRM_C_FTC_BI)
        self.assertIsNotNone(operand, "the Normal style names no complex-script font")
        index = struct.unpack("<H", operand)[0]
        self.assertEqual(self.document.fonts[index], "Traditional Arabic")


class TestReaderOnBrokenFiles(unittest.TestCase):
    """The reader refuses what is not a compound file instead of guessing."""

    def test_refuses_other_files(self):
        for data in (b"", b"PLACEHOLDER - not a working file.", b"PK\x03\x04" + bytes(600)):
            with self.subTest(data=data[:12]):
                with self.assertRaises(ValueError):
                    WordDocument(data)


if __name__ == "__main__":
    TestWordTemplate.path = sys.argv.pop(1)
    unittest.main()
