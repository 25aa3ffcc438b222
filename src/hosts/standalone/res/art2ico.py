#!/usr/bin/env python3
"""Turns a text pixel-art file (the format of tools/pixelart/pixelart2bmp.py)
into a Windows .ico with one 32-bit image. The colour FF00FF is transparent.

Usage: art2ico.py INPUT.art OUTPUT.ico PIXELART_DIR
"""
import struct
import sys

TRANSPARENT = (0xFF, 0x00, 0xFF)


def main():
    if len(sys.argv) != 4:
        sys.exit(__doc__)
    sys.path.insert(0, sys.argv[3])
    import pixelart2bmp

    with open(sys.argv[1], encoding="ascii") as f:
        width, height, rows = pixelart2bmp.parse(f.read(), sys.argv[1])
    if width > 256 or height > 256:
        sys.exit("art2ico: at most 256 x 256 pixels")

    pixels = bytearray()
    for row in reversed(rows):  # bottom row first
        for rgb in row:
            alpha = 0 if tuple(rgb) == TRANSPARENT else 255
            r, g, b = (0, 0, 0) if alpha == 0 else rgb
            pixels += bytes((b, g, r, alpha))
    mask_stride = ((width + 31) // 32) * 4
    mask = bytearray()
    for row in reversed(rows):
        bits = bytearray(mask_stride)
        for x, rgb in enumerate(row):
            if tuple(rgb) == TRANSPARENT:
                bits[x // 8] |= 0x80 >> (x % 8)
        mask += bits
    header = struct.pack("<IiiHHIIiiII", 40, width, height * 2, 1, 32, 0, len(pixels) + len(mask), 0, 0, 0, 0)
    image = header + pixels + mask
    icondir = struct.pack("<HHH", 0, 1, 1)
    entry = struct.pack("<BBBBHHII", width % 256, height % 256, 0, 0, 1, 32, len(image), 6 + 16)
    with open(sys.argv[2], "wb") as f:
        f.write(icondir + entry + image)


if __name__ == "__main__":
    main()
