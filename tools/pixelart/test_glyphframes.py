#!/usr/bin/env python3
"""Checks of the disabled-frame tool and of the committed glyph strips it keeps in step."""
import glob
import os
import sys
import tempfile
import unittest

HERE = os.path.dirname(os.path.abspath(__file__))
sys.path.insert(0, HERE)
import glyphframes  # noqa: E402
import pixelart2bmp  # noqa: E402

GLYPHS = os.path.join(HERE, "..", "..", "resources", "core", "glyphs")

# A 4 x 4 glyph: a black stroke, a yellow (light) fill and a dark red dot.
ONE_FRAME = """# test glyph
palette
. 800080  transparent
k 000000  black
y FFFF00  light fill
r 800000  dark red
pixels
kk..
kyy.
.yr.
....
"""

EMBOSSED = [
    "kk..",  # untouched: frame 0
    "kyy.",
    ".yr.",
    "....",
]
DISABLED = [
    "==..",  # the dark pixels in grey, a white copy one pixel right and down
    "=++.",  # the yellow fill drops out like the background
    ".+=.",
    "...+",
]


class GlyphFramesTest(unittest.TestCase):
    def test_disabled_frame_is_appended_with_its_palette(self):
        art = glyphframes.Art(ONE_FRAME)
        rows = glyphframes.derive(art)
        self.assertEqual(rows, [a + b for a, b in zip(EMBOSSED, DISABLED)])
        self.assertEqual(art.palette["="], (0x80, 0x80, 0x80))
        self.assertEqual(art.palette["+"], (0xFF, 0xFF, 0xFF))

    def test_existing_colours_are_reused_and_later_frames_kept(self):
        text = ONE_FRAME.replace("r 800000  dark red", "r 800000  dark red\ng 808080  grey\nw FFFFFF  white")
        rows = ["kk..####kkkk", "kyy.####kkkk", ".yr.####kkkk", "....####kkkk"]
        text = text.split("pixels")[0] + "pixels\n" + "\n".join(rows).replace("#", ".") + "\n"
        art = glyphframes.Art(text)
        derived = glyphframes.derive(art)
        self.assertEqual([r[4:8] for r in derived],
                         [d.replace("=", "g").replace("+", "w") for d in DISABLED])
        self.assertEqual([r[8:] for r in derived], ["kkkk"] * 4)
        self.assertNotIn("=", art.palette)

    def test_file_is_rewritten_and_then_checks(self):
        with tempfile.TemporaryDirectory() as d:
            path = os.path.join(d, "g.art")
            with open(path, "w") as f:
                f.write(ONE_FRAME)
            self.assertEqual(glyphframes.main(["x", "--check", path]), 1)
            self.assertEqual(glyphframes.main(["x", path]), 0)
            self.assertEqual(glyphframes.main(["x", "--check", path]), 0)
            with open(path) as f:
                text = f.read()
            self.assertTrue(text.startswith("# test glyph\n"))
            width, height, _ = pixelart2bmp.parse(text)
            self.assertEqual((width, height), (8, 4))
            # A hand edit of the disabled frame is caught.
            with open(path, "w") as f:
                f.write(text.replace("=++.", "=+=."))
            self.assertEqual(glyphframes.main(["x", "--check", path]), 1)

    def test_strip_of_non_square_frames_is_refused(self):
        art = glyphframes.Art(ONE_FRAME.replace("kk..", "kk...").replace("kyy.", "kyy..")
                              .replace(".yr.", ".yr..").replace("....\n", ".....\n"))
        with self.assertRaises(pixelart2bmp.ArtError):
            glyphframes.derive(art)


class CommittedGlyphsTest(unittest.TestCase):
    def test_disabled_frames_follow_the_rule(self):
        strips = []
        for path in sorted(glob.glob(os.path.join(GLYPHS, "*.art"))):
            with open(path) as f:
                width, height, rows = pixelart2bmp.parse(f.read(), path)
            self.assertEqual(width % height, 0, path)
            self.assertEqual(rows[-1][0], (0x80, 0x00, 0x80), f"{path}: bottom-left is not the transparent purple")
            if width > height:
                strips.append(path)
        self.assertGreater(len(strips), 10)
        self.assertEqual(glyphframes.main(["x", "--check"] + strips), 0)


if __name__ == "__main__":
    unittest.main()
