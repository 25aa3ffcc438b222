#!/usr/bin/env python3
"""Turns a text cursor (32 x 32) into a Windows .cur file.

Format of the art file:

    # comment lines start with '#'
    hotspot X Y
    pixels
    32 rows of 32 characters: '.' transparent, 'k' black, 'w' white,
    'i' the screen inverted

Usage: cur2res.py INPUT.cur.art OUTPUT.cur
"""
import struct
import sys

MASKS = {'.': (1, 0), 'k': (0, 0), 'w': (0, 1), 'i': (1, 1)}  # (AND, XOR)


def parse(text, name):
    hotspot = None
    rows = []
    in_pixels = False
    for number, raw in enumerate(text.splitlines(), 1):
        line = raw.rstrip()
        if not line.strip() or line.lstrip().startswith('#'):
            continue
        if in_pixels:
            rows.append(line)
            continue
        words = line.split()
        if words[0] == 'hotspot' and len(words) == 3:
            hotspot = (int(words[1]), int(words[2]))
        elif words == ['pixels']:
            in_pixels = True
        else:
            raise SystemExit(f"{name}:{number}: not understood: {line!r}")
    if hotspot is None:
        raise SystemExit(f"{name}: no hotspot line")
    if len(rows) != 32 or any(len(r) != 32 for r in rows):
        raise SystemExit(f"{name}: the picture must be 32 rows of 32 characters")
    for r in rows:
        for ch in r:
            if ch not in MASKS:
                raise SystemExit(f"{name}: unknown pixel {ch!r}")
    return hotspot, rows


def mask_rows(rows, which):
    data = b''
    for r in reversed(rows):  # bottom-up
        bits = 0
        for ch in r:
            bits = (bits << 1) | MASKS[ch][which]
        data += struct.pack('>I', bits)
    return data


def build(hotspot, rows):
    header = struct.pack('<IiiHHIIiiII', 40, 32, 64, 1, 1, 0, 0, 0, 0, 2, 0)
    palette = bytes([0, 0, 0, 0, 255, 255, 255, 0])
    image = header + palette + mask_rows(rows, 1) + mask_rows(rows, 0)
    icondir = struct.pack('<HHH', 0, 2, 1)
    entry = struct.pack('<BBBBHHII', 32, 32, 0, 0, hotspot[0], hotspot[1], len(image), 6 + 16)
    return icondir + entry + image


def main():
    if len(sys.argv) != 3:
        raise SystemExit(__doc__)
    with open(sys.argv[1]) as f:
        hotspot, rows = parse(f.read(), sys.argv[1])
    with open(sys.argv[2], 'wb') as f:
        f.write(build(hotspot, rows))


if __name__ == '__main__':
    main()
