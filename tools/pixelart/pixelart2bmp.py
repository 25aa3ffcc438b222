#!/usr/bin/env python3
"""Turns a text pixel-art file into a 24-bit Windows .bmp.

Format of the art file (one picture per file):

    # comment lines start with '#', blank lines are ignored
    palette
    . 800080   transparent purple (text after the colour is a note)
    k 000000   black
    w #FFFFFF  white
    pixels
    ..kkkk..
    .kwwwwk.
    ..kkkk..

Each palette line names one character (anything but blanks and '#') and a
colour written RRGGBB in hex, with or without a leading '#'. Every line after
"pixels" is one row of the picture, top row first, one character per pixel;
all rows have the same width. Trailing blanks are ignored. Glyph strips with
several frames side by side are simply wide pictures.

Usage: pixelart2bmp.py INPUT.art OUTPUT.bmp
"""
import re
import struct
import sys

_PALETTE = re.compile(r"^([^\s#])\s+#?([0-9A-Fa-f]{6})(?:\s.*)?$")


class ArtError(Exception):
    pass


def parse(text, name="<art>"):
    """Returns (width, height, rows of (r, g, b) tuples, top row first)."""
    palette = {}
    rows = []
    section = None
    for number, raw in enumerate(text.splitlines(), 1):
        line = raw.rstrip()
        where = f"{name}:{number}"
        if not line.strip() or line.lstrip().startswith("#"):
            continue
        if line.strip() in ("palette", "pixels"):
            section = line.strip()
            continue
        if section == "palette":
            m = _PALETTE.match(line.strip())
            if not m:
                raise ArtError(f"{where}: bad palette line {raw!r}")
            ch, hexrgb = m.group(1), m.group(2)
            if ch in palette:
                raise ArtError(f"{where}: colour {ch!r} defined twice")
            value = int(hexrgb, 16)
            palette[ch] = ((value >> 16) & 0xFF, (value >> 8) & 0xFF, value & 0xFF)
        elif section == "pixels":
            row = []
            for ch in line:
                if ch not in palette:
                    raise ArtError(f"{where}: character {ch!r} is not in the palette")
                row.append(palette[ch])
            if rows and len(row) != len(rows[0]):
                raise ArtError(f"{where}: row is {len(row)} pixels wide, expected {len(rows[0])}")
            rows.append(row)
        else:
            raise ArtError(f"{where}: text before 'palette'")
    if not rows:
        raise ArtError(f"{name}: no pixels")
    return len(rows[0]), len(rows), rows


def to_bmp(width, height, rows):
    """A bottom-up 24-bit BITMAPINFOHEADER bitmap, rows padded to 4 bytes."""
    stride = (width * 3 + 3) & ~3
    pixels = bytearray()
    for row in reversed(rows):
        line = bytearray()
        for r, g, b in row:
            line += bytes((b, g, r))
        line += b"\0" * (stride - len(line))
        pixels += line
    header_size = 14 + 40
    file_header = struct.pack("<2sIHHI", b"BM", header_size + len(pixels), 0, 0, header_size)
    info_header = struct.pack("<IiiHHIIiiII", 40, width, height, 1, 24, 0, len(pixels),
                              2835, 2835, 0, 0)
    return file_header + info_header + bytes(pixels)


def main(argv):
    if len(argv) != 3:
        sys.stderr.write(__doc__)
        return 2
    source, target = argv[1], argv[2]
    try:
        with open(source, "r", encoding="ascii") as f:
            width, height, rows = parse(f.read(), source)
    except (ArtError, UnicodeDecodeError) as e:
        sys.stderr.write(f"pixelart2bmp: {e}\n")
        return 1
    with open(target, "wb") as f:
        f.write(to_bmp(width, height, rows))
    return 0


if __name__ == "__main__":
    sys.exit(main(sys.argv))
