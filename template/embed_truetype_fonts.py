#!/usr/bin/python3
"""Switches on Word's "Embed TrueType fonts" in a Word 97-2003 document or
template, so that documents based on it carry the math fonts when saved,
together with "Do not embed common system fonts", Word's own default, so
that they do not also carry the fonts every Windows machine has.
LibreOffice writes neither switch into the files it converts.

    embed_truetype_fonts.py FILE           sets the switches in place
    embed_truetype_fonts.py --check FILE   exits 1 when one is off

The switches are bits of the document properties (DOP): fEmbedFonts (0x80)
of byte 7, and fDoNotEmbedSystemFont (0x01) of byte 548, the first after
the Word 2000 part, where the DOP is that long. The DOP lies in the table
stream at the place the File Information Block (FIB) of the WordDocument
stream gives. Both streams are read through the compound file's sector
chains; the bytes are changed where they lie in the file, so nothing else
moves.
"""
import struct
import sys

FREE_OR_END = 0xFFFFFFFA  # sector numbers from here on end a chain
# (byte of the DOP, bit): fEmbedFonts, fDoNotEmbedSystemFont
SWITCHES = ((7, 0x80), (548, 0x01))
FIB_FLAGS = 0x0A
FIB_WHICH_TABLE_STREAM = 0x0200
FIB_FC_DOP = 154 + 31 * 8  # fcDop in FibRgFcLcb97, after the fixed parts


class FormatError(Exception):
    pass


def _chain(table, start):
    sectors = []
    while start < FREE_OR_END:
        if start >= len(table) or len(sectors) > len(table):
            raise FormatError("broken sector chain")
        sectors.append(start)
        start = table[start]
    return sectors


def _stream_positions(data, name):
    """The file offset of every byte of the stream `name`, in order."""
    if data[:8] != b"\xd0\xcf\x11\xe0\xa1\xb1\x1a\xe1":
        raise FormatError("not a compound file")
    sector_size = 1 << struct.unpack_from("<H", data, 0x1E)[0]
    mini_size = 1 << struct.unpack_from("<H", data, 0x20)[0]
    fat_count, directory_start = struct.unpack_from("<II", data, 0x2C)
    cutoff, minifat_start, minifat_count, difat_start, difat_count = struct.unpack_from("<IIIII", data, 0x38)

    def sector_offset(sector):
        return 512 + sector * sector_size

    def words(sector):
        return struct.unpack_from(f"<{sector_size // 4}I", data, sector_offset(sector))

    difat = list(struct.unpack_from("<109I", data, 0x4C))
    next_difat = difat_start
    for _ in range(difat_count):
        entries = words(next_difat)
        difat += entries[:-1]
        next_difat = entries[-1]
    fat = [entry for sector in difat[:fat_count] for entry in words(sector)]

    def positions(sectors, size):
        return [sector_offset(s) + k for s in sectors for k in range(sector_size)][:size]

    directory = b"".join(data[sector_offset(s):sector_offset(s) + sector_size]
                         for s in _chain(fat, directory_start))
    entries = [directory[i:i + 128] for i in range(0, len(directory), 128)]
    root_start, root_size = struct.unpack_from("<II", entries[0], 0x74)
    mini_stream = positions(_chain(fat, root_start), root_size)
    minifat = [entry for sector in (_chain(fat, minifat_start) if minifat_count else [])
               for entry in words(sector)]
    for entry in entries:
        length = struct.unpack_from("<H", entry, 0x40)[0]
        if length < 2 or entry[:length - 2].decode("utf-16-le") != name:
            continue
        start, size = struct.unpack_from("<II", entry, 0x74)
        if size >= cutoff:
            return positions(_chain(fat, start), size)
        return [mini_stream[s * mini_size + k] for s in _chain(minifat, start) for k in range(mini_size)][:size]
    raise FormatError(f"no stream {name}")


def switch_offsets(data):
    """(file offset, bit) of each switch the document's DOP has room for."""
    document = _stream_positions(data, "WordDocument")

    def read(positions, at, count):
        if at + count > len(positions):
            raise FormatError("stream too short")
        return bytes(data[positions[at + i]] for i in range(count))

    flags = struct.unpack("<H", read(document, FIB_FLAGS, 2))[0]
    table = _stream_positions(data, "1Table" if flags & FIB_WHICH_TABLE_STREAM else "0Table")
    fc_dop, lcb_dop = struct.unpack("<II", read(document, FIB_FC_DOP, 8))
    if fc_dop + lcb_dop > len(table):
        raise FormatError("document properties outside the table stream")
    switches = [(table[fc_dop + at], bit) for at, bit in SWITCHES if at < lcb_dop]
    if not switches:
        raise FormatError("no document properties")
    return switches


def main(argv):
    check = argv[1:2] == ["--check"]
    paths = argv[2:] if check else argv[1:]
    if len(paths) != 1:
        print(__doc__, file=sys.stderr)
        return 2
    with open(paths[0], "rb") as file:
        data = bytearray(file.read())
    try:
        switches = switch_offsets(data)
    except (FormatError, struct.error, UnicodeDecodeError) as error:
        print(f"{paths[0]}: {error}", file=sys.stderr)
        return 2
    if check:
        on = all(data[offset] & bit for offset, bit in switches)
        print(f"{paths[0]}: font embedding {'on' if on else 'off'}")
        return 0 if on else 1
    with open(paths[0], "r+b") as file:
        for offset, bit in switches:
            data[offset] |= bit
            file.seek(offset)
            file.write(bytes([data[offset]]))
    return 0


if __name__ == "__main__":
    sys.exit(main(sys.argv))
