#!/usr/bin/env python3
"""Renders pixel-art glyphs into one PNG for review.

Each picture gets one cell: its frames enlarged (x4 by default) on the light
grey button face, then the frames at their real size, then frame 0 on a flat
25 x 25 toolbar button as it looks under the mouse, and the name of the file
underneath. With --toolbar a strip on top shows frame 0 of every picture on a
row of flat buttons, at real size and doubled, the way they sit in a toolbar;
disabled buttons (frame 1) follow. With --scales each cell gets a second row:
frame 0 at 1, 1.5 and 2 times as the program draws it on a screen of 96, 144
and 192 DPI (1.5 by the pixel-art rule of three_halves, 2 doubled), and the
1.5 one enlarged. The transparent colour (the bottom-left pixel, as the speed button
and the glyph status pane take it) is replaced by the button face everywhere.
Frames are square (as wide as the picture is high) unless --frame says
otherwise.

Usage: contact_sheet.py [--scale N] [--columns N] [--frame W] [--toolbar] [--scales] OUT.png FILE.art...
"""
import argparse
import os
import struct
import sys
import zlib

sys.path.insert(0, os.path.dirname(os.path.abspath(__file__)))
import pixelart2bmp  # noqa: E402

FACE = (0xC0, 0xC0, 0xC0)
HIGHLIGHT = (0xFF, 0xFF, 0xFF)
SHADOW = (0x80, 0x80, 0x80)
TEXT = (0x00, 0x00, 0x00)
BUTTON = 25
GAP = 8
MARGIN = 12

# A 3 x 5 font for the file names: each glyph is five rows of three bits.
_FONT = {
    "A": "010101111101101", "B": "110101110101110", "C": "011100100100011", "D": "110101101101110",
    "E": "111100110100111", "F": "111100110100100", "G": "011100101101011", "H": "101101111101101",
    "I": "111010010010111", "J": "001001001101010", "K": "101101110101101", "L": "100100100100111",
    "M": "101111111101101", "N": "110101101101101", "O": "010101101101010", "P": "110101110100100",
    "Q": "010101101110011", "R": "110101110101101", "S": "011100010001110", "T": "111010010010010",
    "U": "101101101101111", "V": "101101101101010", "W": "101101111111101", "X": "101101010101101",
    "Y": "101101010010010", "Z": "111001010100111", "0": "111101101101111", "1": "010110010010111",
    "2": "110001010100111", "3": "110001010001110", "4": "101101111001001", "5": "111100110001110",
    "6": "011100110101010", "7": "111001010010010", "8": "010101010101010", "9": "010101011001110",
    "_": "000000000000111", ".": "000000000000010", "-": "000000111000000", " ": "000000000000000",
}


class Canvas:
    def __init__(self, width, height, colour):
        self.width, self.height = width, height
        self.rows = [[colour] * width for _ in range(height)]

    def put(self, x, y, colour):
        if 0 <= x < self.width and 0 <= y < self.height:
            self.rows[y][x] = colour

    def fill(self, x, y, w, h, colour):
        for yy in range(y, y + h):
            for xx in range(x, x + w):
                self.put(xx, yy, colour)

    def blit(self, x, y, pixels, transparent, scale=1, background=FACE):
        for sy, row in enumerate(pixels):
            for sx, colour in enumerate(row):
                self.fill(x + sx * scale, y + sy * scale, scale, scale,
                          background if colour == transparent else colour)

    def text(self, x, y, s, scale=2):
        for ch in s.upper():
            bits = _FONT.get(ch, _FONT[" "])
            for i, bit in enumerate(bits):
                if bit == "1":
                    self.fill(x + (i % 3) * scale, y + (i // 3) * scale, scale, scale, TEXT)
            x += 4 * scale

    def png(self):
        raw = bytearray()
        for row in self.rows:
            raw.append(0)
            for r, g, b in row:
                raw += bytes((r, g, b))

        def chunk(kind, data):
            body = kind + data
            return struct.pack(">I", len(data)) + body + struct.pack(">I", zlib.crc32(body) & 0xFFFFFFFF)

        header = struct.pack(">IIBBBBB", self.width, self.height, 8, 2, 0, 0, 0)
        return (b"\x89PNG\r\n\x1a\n" + chunk(b"IHDR", header) +
                chunk(b"IDAT", zlib.compress(bytes(raw), 9)) + chunk(b"IEND", b""))


def _luma(c):
    return c[0] * 299 + c[1] * 587 + c[2] * 114


def stands_out(a, b, transparent):
    """Of two pixels, the one drawn between them at 1.5 times (ties: the first)."""
    if a == transparent:
        return b
    if b == transparent:
        return a
    return b if _luma(b) < _luma(a) else a


def three_halves(frame, transparent):
    """The frame at 1.5 times, as the program draws glyphs on a 144-DPI screen:
    every pair of pixels becomes three, the middle one the pixel of the two
    that stands out (drawn over transparent, the darker of two drawn), so
    outlines come out two pixels wide wherever they stand. Even sizes only."""
    h, w = len(frame), len(frame[0])
    if w % 2 or h % 2:
        return None
    out = [[None] * (w // 2 * 3) for _ in range(h // 2 * 3)]
    for y in range(0, h, 2):
        for x in range(0, w, 2):
            a, b, c, d = frame[y][x], frame[y][x + 1], frame[y + 1][x], frame[y + 1][x + 1]
            tx, ty = x // 2 * 3, y // 2 * 3
            top, bottom = stands_out(a, b, transparent), stands_out(c, d, transparent)
            rows = ((a, top, b),
                    (stands_out(a, c, transparent), stands_out(top, bottom, transparent), stands_out(b, d, transparent)),
                    (c, bottom, d))
            for dy, row in enumerate(rows):
                for dx, colour in enumerate(row):
                    out[ty + dy][tx + dx] = colour
    return out


def doubled(frame):
    return [[c for c in row for _ in range(2)] for row in frame for _ in range(2)]


def scales_size(frames, scale):
    fw, fh = len(frames[0][0]), len(frames[0])
    return fw + fw * 3 // 2 + 2 * fw + fw * 3 // 2 * scale + 4 * GAP, max(2 * fh, fh * 3 // 2 * scale) + GAP


def draw_scales(canvas, x, y, frames, scale):
    frame = frames[0]
    transparent = frame[-1][0]
    half = three_halves(frame, transparent)
    for picture in (frame, half, doubled(frame)):
        if picture:
            canvas.blit(x, y, picture, transparent)
            x += len(picture[0]) + GAP
    if half:
        canvas.blit(x + GAP, y, half, transparent, scale)


def frames_of(width, height, rows, frame_width):
    frame_width = frame_width or height
    count = max(1, width // frame_width) if width % frame_width == 0 else 1
    if count == 1:
        frame_width = width
    return [[row[i * frame_width:(i + 1) * frame_width] for row in rows] for i in range(count)]


def cell_size(frames, scale):
    fw, fh = len(frames[0][0]), len(frames[0])
    big = len(frames) * fw * scale + (len(frames) - 1) * GAP
    small = len(frames) * (fw + 4) + BUTTON
    return big + 2 * GAP + small, max(fh * scale, BUTTON) + 18


def draw_button(canvas, x, y, frame, scale=1):
    """A flat button under the mouse: raised one-pixel edge, the frame centred."""
    size = BUTTON * scale
    canvas.fill(x, y, size, scale, HIGHLIGHT)
    canvas.fill(x, y, scale, size, HIGHLIGHT)
    canvas.fill(x, y + size - scale, size, scale, SHADOW)
    canvas.fill(x + size - scale, y, scale, size, SHADOW)
    fw, fh = len(frame[0]), len(frame)
    canvas.blit(x + (BUTTON - fw) // 2 * scale, y + (BUTTON - fh) // 2 * scale, frame, frame[-1][0], scale)


def draw_toolbar(canvas, x, y, cells, scale):
    """Frame 0 of every picture on a row of buttons, then frame 1 of those that have one."""
    rows = [[frames[0] for _, frames in cells], [frames[1] for _, frames in cells if len(frames) > 1]]
    for row in rows:
        for i, frame in enumerate(row):
            draw_button(canvas, x + i * (BUTTON + 1) * scale, y, frame, scale)
        y += (BUTTON + 2) * scale
    return y


def draw_cell(canvas, x, y, name, frames, scale, scales=False):
    transparent = frames[0][-1][0]
    fw, fh = len(frames[0][0]), len(frames[0])
    cx = x
    for frame in frames:
        canvas.blit(cx, y, frame, transparent, scale)
        cx += fw * scale + GAP
    cx += GAP
    for frame in frames:
        canvas.blit(cx, y, frame, transparent)
        cx += fw + 4
    draw_button(canvas, cx, y, frames[0])
    canvas.text(x, y + max(fh * scale, BUTTON) + 6, name)
    if scales:
        draw_scales(canvas, x, y + max(fh * scale, BUTTON) + 18, frames, scale)


def main(argv):
    parser = argparse.ArgumentParser(description="Renders pixel-art files into one PNG for review.")
    parser.add_argument("--scale", type=int, default=4)
    parser.add_argument("--columns", type=int, default=2)
    parser.add_argument("--frame", type=int, default=0, help="frame width (default: the picture's height)")
    parser.add_argument("--toolbar", action="store_true", help="add a strip of buttons at real size and doubled")
    parser.add_argument("--scales", action="store_true", help="add frame 0 at 1, 1.5 and 2 times to each cell")
    parser.add_argument("output")
    parser.add_argument("art", nargs="+")
    args = parser.parse_args(argv[1:])

    cells = []
    for path in args.art:
        with open(path, "r", encoding="ascii") as f:
            width, height, rows = pixelart2bmp.parse(f.read(), path)
        name = os.path.splitext(os.path.basename(path))[0]
        cells.append((name, frames_of(width, height, rows, args.frame)))

    sizes = [cell_size(frames, args.scale) for _, frames in cells]
    if args.scales:
        extra = [scales_size(frames, args.scale) for _, frames in cells]
        sizes = [(max(w, ew), h + eh) for (w, h), (ew, eh) in zip(sizes, extra)]
    columns = max(1, min(args.columns, len(cells)))
    col_width = max(w for w, _ in sizes) + 3 * GAP
    row_heights = [max(h for _, h in sizes[i:i + columns]) + GAP for i in range(0, len(cells), columns)]
    strip = 0
    if args.toolbar:
        strip = 3 * 2 * (BUTTON + 2) + GAP
        col_width = max(col_width, (len(cells) * (BUTTON + 1) * 2 + columns - 1) // columns)
    canvas = Canvas(2 * MARGIN + columns * col_width, 2 * MARGIN + strip + sum(row_heights), FACE)
    y = MARGIN
    if args.toolbar:
        y = draw_toolbar(canvas, MARGIN, y, cells, 1)
        y = draw_toolbar(canvas, MARGIN, y, cells, 2) + GAP
    for r, height in enumerate(row_heights):
        for c in range(columns):
            i = r * columns + c
            if i < len(cells):
                draw_cell(canvas, MARGIN + c * col_width, y, cells[i][0], cells[i][1], args.scale, args.scales)
        y += height
    with open(args.output, "wb") as f:
        f.write(canvas.png())
    return 0


if __name__ == "__main__":
    sys.exit(main(sys.argv))
