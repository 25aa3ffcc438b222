#!/usr/bin/env python3
"""Derives the disabled frame of a button or status glyph from its normal frame.

A glyph strip holds square frames side by side (a frame is as wide as the
picture is high). Frame 0 is the normal picture and frame 1 the disabled one,
drawn in the embossed look of the classic Windows controls: every pixel of
frame 0 that is darker than the button face (outlines, strong colours) becomes
mid grey, and a white copy of that shape one pixel right and down lies beneath
it. Light pixels (white paper, yellow and pale fills, silver) drop out like the
transparent colour, so a disabled glyph keeps its outlines and dark parts. The
transparent colour is the bottom-left pixel's, as the controls take it.

The art files keep every frame as text for review; this tool writes frame 1
into them, so that the disabled frames of all glyphs follow one rule.

Usage:
    glyphframes.py FILE.art...          writes frame 1 (appended when the
                                        picture has only one frame)
    glyphframes.py --check FILE.art...  exits 1 when a file's frame 1 is not
                                        the one derived from its frame 0
"""
import argparse
import os
import sys

sys.path.insert(0, os.path.dirname(os.path.abspath(__file__)))
import pixelart2bmp  # noqa: E402

SHADOW = (0x80, 0x80, 0x80)
HIGHLIGHT = (0xFF, 0xFF, 0xFF)
FACE_LUMINANCE = 192  # the luminance of the button face C0C0C0
_SPARE_CHARS = "=+-*%@&$?!~^"


def luminance(rgb):
    r, g, b = rgb
    return (299 * r + 587 * g + 114 * b) // 1000


class Art:
    """An art file as text lines, with its palette and the positions of its pixel rows."""

    def __init__(self, text, name="<art>"):
        pixelart2bmp.parse(text, name)  # refuses malformed files with a clear message
        self.name = name
        self.lines = text.splitlines()
        self.palette = {}
        self.row_lines = []
        self.pixels_line = None
        section = None
        for index, raw in enumerate(self.lines):
            line = raw.rstrip()
            if not line.strip() or line.lstrip().startswith("#"):
                continue
            if line.strip() in ("palette", "pixels"):
                section = line.strip()
                if section == "pixels":
                    self.pixels_line = index
                continue
            if section == "palette":
                m = pixelart2bmp._PALETTE.match(line.strip())
                value = int(m.group(2), 16)
                self.palette[m.group(1)] = ((value >> 16) & 0xFF, (value >> 8) & 0xFF, value & 0xFF)
            else:
                self.row_lines.append(index)

    @property
    def rows(self):
        return [self.lines[i].rstrip() for i in self.row_lines]

    def char_for(self, rgb, note):
        """The palette character of a colour; a new palette line when there is none."""
        for ch, colour in self.palette.items():
            if colour == rgb:
                return ch
        used = set(self.palette) | {c for row in self.rows for c in row}
        ch = next(c for c in _SPARE_CHARS if c not in used)
        self.lines.insert(self.pixels_line, "%s %02X%02X%02X   %s" % ((ch,) + rgb + (note,)))
        self.pixels_line += 1
        self.row_lines = [i + 1 for i in self.row_lines]
        self.palette[ch] = rgb
        return ch

    def text(self):
        return "\n".join(self.lines) + "\n"


def disabled_frame(rows, size, palette, shadow, highlight):
    """Frame 1 for the normal frame in the first `size` columns of `rows`."""
    transparent = rows[-1][0]

    def shape(x, y):
        ch = rows[y][x]
        return ch != transparent and luminance(palette[ch]) < FACE_LUMINANCE

    out = []
    for y in range(size):
        line = []
        for x in range(size):
            if shape(x, y):
                line.append(shadow)
            elif x > 0 and y > 0 and shape(x - 1, y - 1):
                line.append(highlight)
            else:
                line.append(transparent)
        out.append("".join(line))
    return out


def derive(art):
    """The art's rows with frame 1 derived from frame 0."""
    rows = art.rows
    size = len(rows)
    width = len(rows[0])
    if width % size:
        raise pixelart2bmp.ArtError(f"{art.name}: {width} x {size} is not a strip of square frames")
    shadow = art.char_for(SHADOW, "grey (disabled)")
    highlight = art.char_for(HIGHLIGHT, "white (disabled highlight)")
    frame = disabled_frame(rows, size, art.palette, shadow, highlight)
    if width == size:
        return [row + f for row, f in zip(rows, frame)]
    return [row[:size] + f + row[2 * size:] for row, f in zip(rows, frame)]


def main(argv):
    parser = argparse.ArgumentParser(description="Derives the disabled frame of glyph strips.")
    parser.add_argument("--check", action="store_true")
    parser.add_argument("art", nargs="+")
    args = parser.parse_args(argv[1:])
    failed = False
    for path in args.art:
        try:
            with open(path, "r", encoding="ascii") as f:
                art = Art(f.read(), path)
            rows = derive(art)
        except pixelart2bmp.ArtError as e:
            sys.stderr.write(f"glyphframes: {e}\n")
            failed = True
            continue
        if args.check:
            if rows != art.rows:
                bad = [i for i, (a, b) in enumerate(zip(rows, art.rows)) if a != b] or [len(art.rows)]
                sys.stderr.write(f"glyphframes: {path}: disabled frame differs from the derived one "
                                 f"(rows {', '.join(map(str, bad))})\n")
                failed = True
            continue
        for index, row in zip(art.row_lines, rows):
            art.lines[index] = row
        with open(path, "w", encoding="ascii") as f:
            f.write(art.text())
    return 1 if failed else 0


if __name__ == "__main__":
    sys.exit(main(sys.argv))
