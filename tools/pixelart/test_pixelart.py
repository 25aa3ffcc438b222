#!/usr/bin/env python3
"""Checks of the pixel-art converter: the bitmap it writes and the mistakes it refuses."""
import os
import struct
import sys
import tempfile
import unittest

sys.path.insert(0, os.path.dirname(os.path.abspath(__file__)))
import pixelart2bmp  # noqa: E402

ART = """# a 3 x 2 picture
palette
. 800080  transparent
r FF0000
g #00FF00
pixels
r.g
..r
"""


class PixelArtTest(unittest.TestCase):
    def test_bitmap_layout(self):
        w, h, rows = pixelart2bmp.parse(ART)
        data = pixelart2bmp.to_bmp(w, h, rows)
        self.assertEqual(data[:2], b"BM")
        size, offset = struct.unpack("<I4xI", data[2:14])
        self.assertEqual(size, len(data))
        width, height, planes, bits = struct.unpack("<iiHH", data[18:30])
        self.assertEqual((width, height, planes, bits), (3, 2, 1, 24))
        stride = 12  # 3 pixels * 3 bytes, padded to 4
        bottom = data[offset:offset + stride]
        top = data[offset + stride:offset + 2 * stride]
        # Rows are stored bottom-up, pixels as blue, green, red.
        self.assertEqual(top[0:3], bytes((0, 0, 255)))
        self.assertEqual(top[3:6], bytes((128, 0, 128)))
        self.assertEqual(top[6:9], bytes((0, 255, 0)))
        self.assertEqual(bottom[6:9], bytes((0, 0, 255)))
        self.assertEqual(top[9:12], b"\0\0\0")

    def test_mistakes_are_refused(self):
        for bad in (ART.replace("..r", "..rr"),        # ragged row
                    ART.replace("..r", "..x"),         # colour not in the palette
                    ART.replace("g #00FF00", "g 00FF0"),  # bad colour
                    ART.replace("r FF0000", "r FF0000\nr 000000"),  # defined twice
                    "palette\n. 800080\npixels\n"):    # no pixels
            with self.assertRaises(pixelart2bmp.ArtError):
                pixelart2bmp.parse(bad)

    def test_command_line(self):
        with tempfile.TemporaryDirectory() as d:
            src, dst = os.path.join(d, "a.art"), os.path.join(d, "a.bmp")
            with open(src, "w") as f:
                f.write(ART)
            self.assertEqual(pixelart2bmp.main(["x", src, dst]), 0)
            self.assertTrue(os.path.getsize(dst) > 54)
            with open(src, "w") as f:
                f.write(ART.replace("..r", "..?"))
            self.assertEqual(pixelart2bmp.main(["x", src, dst]), 1)



class ThreeHalvesTest(unittest.TestCase):
    """The contact sheet's 1.5 times, the same rule as the program's (its native tests hold the same cases)."""

    def test_block_and_outline(self):
        import contact_sheet
        clear, ink, light = (255, 0, 255), (0, 0, 128), (255, 255, 224)
        self.assertEqual(contact_sheet.three_halves([[light, clear], [clear, ink]], clear),
                         [[light, light, clear], [light, ink, ink], [clear, ink, ink]])
        self.assertIsNone(contact_sheet.three_halves([[ink]], clear))
        for offset in (0, 1):
            art = [[clear] * 10 for _ in range(10)]
            for i in range(offset, offset + 7):
                art[offset][i] = art[offset + 6][i] = art[i][offset] = art[i][offset + 6] = ink
            big = contact_sheet.three_halves(art, clear)
            row = "".join("x" if c == ink else "." for c in big[(offset + 3) * 3 // 2])
            self.assertEqual([len(r) for r in row.split(".") if r], [2, 2], row)

if __name__ == "__main__":
    unittest.main()
