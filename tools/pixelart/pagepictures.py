#!/usr/bin/env python3
"""Puts the program's pixel-art pictures into an HTML page as inline PNG images,
so the page shows the same icons and buttons as the program and stays one
self-contained file.

Every <img> of the page that names a picture with data-art="PATH" (relative to
the repository's root) gets src="data:image/png;base64,..." made from that
file: its first frame (a square of the picture's height) when the picture is
a glyph strip, with the transparent colour (the bottom-left pixel's, purple)
left transparent, enlarged by the page's data-scale (default 1).

    pagepictures.py ROOT PAGE.html           rewrites the page's pictures
    pagepictures.py --check ROOT PAGE.html   exits 1 when one is out of date
"""
import base64
import os
import re
import struct
import sys
import zlib

sys.path.insert(0, os.path.dirname(os.path.abspath(__file__)))
import pixelart2bmp  # noqa: E402

_IMG = re.compile(r"<img\b[^>]*>")
_ART = re.compile(r'\bdata-art="([^"]+)"')
_SCALE = re.compile(r'\bdata-scale="(\d+)"')
_SRC = re.compile(r'\bsrc="[^"]*"')


def first_frame(width, height, rows):
    """The first square frame of a strip wider than high (a single picture
    as it is otherwise)."""
    if width > height and width % height == 0:
        return height, [row[:height] for row in rows]
    return width, rows


def png(width, height, rows, transparent, scale):
    """An 8-bit RGBA PNG of the rows, each pixel scale x scale."""
    raw = bytearray()
    for row in rows:
        line = bytearray()
        for rgb in row:
            line += bytes(rgb) + (b"\0" if rgb == transparent else b"\xff")
        line = bytes(b for i in range(0, len(line), 4) for b in line[i:i + 4] * scale)
        for _ in range(scale):
            raw += b"\0" + line

    def chunk(kind, data):
        body = kind + data
        return struct.pack(">I", len(data)) + body + struct.pack(">I", zlib.crc32(body) & 0xFFFFFFFF)

    header = struct.pack(">IIBBBBB", width * scale, height * scale, 8, 6, 0, 0, 0)
    return (b"\x89PNG\r\n\x1a\n" + chunk(b"IHDR", header) + chunk(b"IDAT", zlib.compress(bytes(raw), 9)) +
            chunk(b"IEND", b""))


def data_uri(root, path, scale):
    with open(os.path.join(root, path), "r", encoding="ascii") as f:
        width, height, rows = pixelart2bmp.parse(f.read(), path)
    transparent = rows[-1][0]
    width, rows = first_frame(width, height, rows)
    return "data:image/png;base64," + base64.b64encode(png(width, height, rows, transparent, scale)).decode()


def refresh(root, page):
    def one(match):
        tag = match.group(0)
        art = _ART.search(tag)
        if not art:
            return tag
        scale = _SCALE.search(tag)
        src = 'src="' + data_uri(root, art.group(1), int(scale.group(1)) if scale else 1) + '"'
        return _SRC.sub(lambda _: src, tag) if _SRC.search(tag) else tag.replace("<img", "<img " + src, 1)

    return _IMG.sub(one, page)


def main(argv):
    check = len(argv) > 1 and argv[1] == "--check"
    args = argv[2:] if check else argv[1:]
    if len(args) != 2:
        sys.stderr.write(__doc__)
        return 2
    root, path = args
    with open(path, "r", encoding="cp1252", newline="") as f:
        page = f.read()
    try:
        fresh = refresh(root, page)
    except (OSError, pixelart2bmp.ArtError) as e:
        sys.stderr.write(f"pagepictures: {e}\n")
        return 1
    if check:
        if fresh != page:
            sys.stderr.write(f"pagepictures: {path}: pictures out of date; run pagepictures.py {root} {path}\n")
            return 1
        return 0
    if fresh != page:
        with open(path, "w", encoding="cp1252", newline="") as f:
            f.write(fresh)
    return 0


if __name__ == "__main__":
    sys.exit(main(sys.argv))
