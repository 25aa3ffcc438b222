// Bitmaps: resource loading and copies with a transparent colour, checked on pixels.
#include "platform/Graphics.h"
#include "platform/PlatformExcept.h"
#include "TestUtil.h"

#include <gtest/gtest.h>

namespace {

constexpr TColor Red = 0x0000FF;
constexpr TColor Green = 0x00FF00;
constexpr TColor Blue = 0xFF0000;

TEST(Bitmap, LoadsANamedResourceOfTheModule) {
  TBitmap Glyph;
  Glyph.LoadFromResourceName(nullptr, "TESTGLYPH");
  ASSERT_EQ(Glyph.GetWidth(), 4);
  ASSERT_EQ(Glyph.GetHeight(), 3);
  EXPECT_EQ(Glyph.GetCanvas().GetPixel(0, 0), Red);
  EXPECT_EQ(Glyph.GetCanvas().GetPixel(3, 0), Green);
  EXPECT_EQ(Glyph.GetCanvas().GetPixel(1, 0), clPurple);
  EXPECT_THROW(Glyph.LoadFromResourceName(nullptr, "NO_SUCH_BITMAP"), EResNotFound);
}

TEST(Bitmap, TransparentCopyKeepsTheBackgroundWhereThePictureIsPurple) {
  TBitmap Glyph;
  Glyph.LoadFromResourceName(nullptr, "TESTGLYPH");
  Glyph.SetTransparent(true);
  Glyph.SetTransparentColor(clPurple);

  TBitmap Target(10, 6);
  TCanvas& C = Target.GetCanvas();
  C.GetBrush().SetColor(Blue);
  C.FillRect(RECT{0, 0, 10, 6});
  C.Draw(2, 1, Glyph);

  // Row 0 of the glyph "r..g" at (2..5, 1).
  EXPECT_EQ(C.GetPixel(2, 1), Red);
  EXPECT_EQ(C.GetPixel(3, 1), Blue);
  EXPECT_EQ(C.GetPixel(4, 1), Blue);
  EXPECT_EQ(C.GetPixel(5, 1), Green);
  // Row 1 ".rr."
  EXPECT_EQ(C.GetPixel(2, 2), Blue);
  EXPECT_EQ(C.GetPixel(3, 2), Red);
  // Outside the glyph nothing changed.
  EXPECT_EQ(C.GetPixel(1, 1), Blue);
  EXPECT_EQ(C.GetPixel(6, 3), Blue);
  // An opaque draw copies the purple too.
  Glyph.SetTransparent(false);
  C.Draw(2, 1, Glyph);
  EXPECT_EQ(C.GetPixel(3, 1), clPurple);
}

TEST(Bitmap, BrushCopyReplacesTheTransparentColourByTheBrush) {
  TBitmap Glyph;
  Glyph.LoadFromResourceName(nullptr, "TESTGLYPH");
  // Two backgrounds prepared once, as icons for normal and selected lines.
  for (TColor Background : {clWhite, Blue}) {
    TBitmap Icon(4, 3);
    TCanvas& C = Icon.GetCanvas();
    C.GetBrush().SetColor(Background);
    C.FillRect(RECT{0, 0, 4, 3});
    C.BrushCopy(RECT{0, 0, 4, 3}, Glyph, RECT{0, 0, 4, 3}, clPurple);
    EXPECT_EQ(C.GetPixel(0, 0), Red);
    EXPECT_EQ(C.GetPixel(1, 0), Background);
    EXPECT_EQ(C.GetPixel(0, 1), Background);
    EXPECT_EQ(C.GetPixel(3, 2), Red);
  }
}

TEST(Bitmap, DefaultTransparentColourIsTheBottomLeftPixel) {
  TBitmap B(3, 3);
  B.GetCanvas().SetPixel(0, 2, Green);
  EXPECT_EQ(B.GetTransparentColor(), Green);
}

TEST(Bitmap, ResizingAndAssigningKeepTheCanvasUsable) {
  TBitmap A(2, 2);
  A.GetCanvas().SetPixel(1, 1, Red);
  TBitmap B;
  B.Assign(A);
  EXPECT_EQ(B.GetCanvas().GetPixel(1, 1), Red);
  B.SetSize(5, 4);  // new picture: the canvas follows the new bitmap
  B.GetCanvas().SetPixel(4, 3, Green);
  EXPECT_EQ(B.GetCanvas().GetPixel(4, 3), Green);
  EXPECT_EQ(B.GetWidth(), 5);
}

TEST(Canvas, TextRectFillsTheRectangleAndClipsTheText) {
  TBitmap B(60, 20);
  TCanvas& C = B.GetCanvas();
  C.GetBrush().SetColor(clWhite);
  C.FillRect(RECT{0, 0, 60, 20});
  C.GetBrush().SetColor(Blue);
  C.GetFont().SetColor(clWhite);
  C.TextRect(RECT{10, 0, 30, 20}, 10, 2, "WWWWWWWWWWWW");
  EXPECT_EQ(C.GetPixel(10, 19), Blue);     // opaque background inside
  EXPECT_EQ(C.GetPixel(35, 10), clWhite);  // nothing drawn right of the rectangle
  // A clear brush draws text without background.
  C.GetBrush().SetStyle(bsClear);
  C.GetFont().SetColor(clBlack);
  C.TextRect(RECT{40, 0, 60, 20}, 40, 2, "");
  EXPECT_EQ(C.GetPixel(45, 19), clWhite);
}

}  // namespace
