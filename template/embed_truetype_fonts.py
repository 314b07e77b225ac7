#!/usr/bin/python3
"""Switches on Word's "Embed TrueType fonts" in a Word 97-2003 document or
template, so that documents based on it carry the math fonts when saved.
LibreOffice does not write that switch into the files it converts.

    embed_truetype_fonts.py FILE           sets the switch in place
    embed_truetype_fonts.py --check FILE   exits 1 when it is off

The switch is the bit fEmbedFonts (0x80) of byte 7 of the document
properties (DOP), which lie in the table stream at the place the File
Information Block (FIB) of the WordDocument stream gives. Both streams are
read through the compound file's sector chains; the byte is changed where it
lies in the file, so nothing else moves.
"""
import struct
import sys

FREE_OR_END = 0xFFFFFFFA  # sector numbers from here on end a chain
DOP_FLAGS_BYTE = 7
EMBED_FONTS_BIT = 0x80
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


def embed_flag_offset(data):
    """The file offset of the byte that holds fEmbedFonts."""
    document = _stream_positions(data, "WordDocument")

    def read(positions, at, count):
        if at + count > len(positions):
            raise FormatError("stream too short")
        return bytes(data[positions[at + i]] for i in range(count))

    flags = struct.unpack("<H", read(document, FIB_FLAGS, 2))[0]
    table = _stream_positions(data, "1Table" if flags & FIB_WHICH_TABLE_STREAM else "0Table")
    fc_dop, lcb_dop = struct.unpack("<II", read(document, FIB_FC_DOP, 8))
    if lcb_dop <= DOP_FLAGS_BYTE or fc_dop + DOP_FLAGS_BYTE >= len(table):
        raise FormatError("no document properties")
    return table[fc_dop + DOP_FLAGS_BYTE]


def main(argv):
    check = argv[1:2] == ["--check"]
    paths = argv[2:] if check else argv[1:]
    if len(paths) != 1:
        print(__doc__, file=sys.stderr)
        return 2
    with open(paths[0], "rb") as file:
        data = bytearray(file.read())
    try:
        offset = embed_flag_offset(data)
    except (FormatError, struct.error, UnicodeDecodeError) as error:
        print(f"{paths[0]}: {error}", file=sys.stderr)
        return 2
    if check:
        embedded = bool(data[offset] & EMBED_FONTS_BIT)
        print(f"{paths[0]}: TrueType fonts {'embedded' if embedded else 'not embedded'}")
        return 0 if embedded else 1
    data[offset] |= EMBED_FONTS_BIT
    with open(paths[0], "r+b") as file:
        file.seek(offset)
        file.write(bytes([data[offset]]))
    return 0


if __name__ == "__main__":
    sys.exit(main(sys.argv))
