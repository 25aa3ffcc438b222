// Border and bar drawing checked on pixels of a memory DC.
#include "components/LxCommon.h"
#include "TestUtil.h"

namespace {

TEST(Drawing, TwoLineBordersPutEachColourOnItsEdge) {
  TTestSurface S(20, 10);
  TCanvas C(S.DC());
  const RECT Inner = DrawBorderSides(C, RECT{0, 0, 20, 10}, fsRaised, sdAllSides);
  EXPECT_TRUE(RectIs(Inner, 2, 2, 18, 8));
  EXPECT_EQ(S.At(0, 5), Sys(clBtnFace));       // outer upper-left
  EXPECT_EQ(S.At(19, 5), Sys(clBtnText));      // outer lower-right
  EXPECT_EQ(S.At(19, 0), Sys(clBtnText));      // the lower-right line wins the corner
  EXPECT_EQ(S.At(1, 5), Sys(clBtnHighlight));  // inner upper-left
  EXPECT_EQ(S.At(10, 8), Sys(clBtnShadow));    // inner lower-right
  EXPECT_EQ(S.At(10, 5), 0xFF00FFu);           // inside untouched

  TTestSurface L(20, 10);
  TCanvas LC(L.DC());
  DrawButtonBorder(LC, RECT{0, 0, 20, 10}, true);
  EXPECT_EQ(L.At(0, 5), Sys(clBtnText));
  EXPECT_EQ(L.At(18, 5), Sys(clBtnFace));
}

TEST(Drawing, OnlyTheChosenSidesAreDrawnAndTakenAway) {
  TTestSurface S(20, 10);
  TCanvas C(S.DC());
  for (TFrameStyle Style : {fsFlat, fsStatus, fsPopup}) {
    const RECT R = DrawBorderSides(C, RECT{0, 0, 20, 10}, Style, sdNoSides);
    EXPECT_TRUE(RectIs(R, 0, 0, 20, 10));
  }
  EXPECT_EQ(S.At(0, 0), 0xFF00FFu);
  const RECT R = DrawBorderSides(C, RECT{0, 0, 20, 10}, fsStatus, sdLeftSide | sdBottomSide);
  EXPECT_TRUE(RectIs(R, 1, 0, 20, 9));
  EXPECT_EQ(S.At(0, 3), Sys(clBtnShadow));
  EXPECT_EQ(S.At(10, 9), Sys(clBtnHighlight));
  EXPECT_EQ(S.At(19, 3), 0xFF00FFu);
  EXPECT_EQ(S.At(10, 0), 0xFF00FFu);
}

TEST(Drawing, GrooveIsEtchedAndEndsCleanly) {
  TTestSurface S(20, 10);
  TCanvas C(S.DC());
  const RECT R = DrawBorderSides(C, RECT{0, 0, 20, 10}, fsGroove, sdTopSide);
  EXPECT_TRUE(RectIs(R, 0, 2, 20, 10));
  EXPECT_EQ(S.At(5, 0), Sys(clBtnShadow));
  EXPECT_EQ(S.At(5, 1), Sys(clBtnHighlight));
  EXPECT_EQ(S.At(0, 1), Sys(clBtnHighlight));  // corner pixel at the open left end
  EXPECT_EQ(S.At(19, 0), Sys(clBtnShadow));    // and at the open right end
  EXPECT_EQ(S.At(5, 2), 0xFF00FFu);
  // All four sides: a shadow frame with a highlight frame one pixel inside-right.
  TTestSurface A(20, 10);
  TCanvas AC(A.DC());
  DrawBorder(AC, RECT{0, 0, 20, 10}, fsBump);
  EXPECT_EQ(A.At(0, 5), Sys(clBtnHighlight));
  EXPECT_EQ(A.At(1, 5), Sys(clBtnShadow));
  EXPECT_EQ(A.At(18, 5), Sys(clBtnHighlight));
  EXPECT_EQ(A.At(19, 5), Sys(clBtnShadow));
}

TEST(Drawing, PercentBarFillsToTheRoundedWidth) {
  const TColor Back = clWhite, Bar = 0x800000;
  TTestSurface S(200, 20);
  TCanvas C(S.DC());
  DrawPercentBar(C, RECT{0, 0, 200, 20}, orHorizontal, false, 33, Back, Bar);
  EXPECT_EQ(S.At(65, 10), Sys(Bar));
  EXPECT_EQ(S.At(66, 10), Sys(Back));
  // At 100 % everything is bar-coloured but the text, which is in the back colour.
  TTestSurface F(200, 20);
  TCanvas FC(F.DC());
  DrawPercentBar(FC, RECT{0, 0, 200, 20}, orHorizontal, true, 100, Back, Bar);
  int BarPixels = 0, BackPixels = 0, Other = 0;
  for (int Y = 0; Y < 20; ++Y)
    for (int X = 0; X < 200; ++X) {
      const COLORREF P = F.At(X, Y);
      if (P == Sys(Bar))
        ++BarPixels;
      else if (P == Sys(Back))
        ++BackPixels;
      else
        ++Other;
    }
  EXPECT_GT(BackPixels, 0);  // the "100%" text
  EXPECT_GT(BarPixels, 3000);
  EXPECT_EQ(F.At(0, 0), Sys(Bar));
  EXPECT_EQ(F.At(199, 19), Sys(Bar));
  (void)Other;  // anti-aliased text may blend the two
}

TEST(Drawing, LEDBarOf60PixelsUses10SegmentsOf6) {
  const TColor Back = clWhite, Bar = 0x008000;
  TTestSurface S(60, 10);
  TCanvas C(S.DC());
  DrawLEDBar(C, RECT{0, 0, 60, 10}, orHorizontal, 50, 20, Back, Bar);
  // Segment k spans 6k..6k+5 with a back-coloured outline; five are lit.
  EXPECT_EQ(S.At(0, 5), Sys(Back));
  EXPECT_EQ(S.At(1, 5), Sys(Bar));
  EXPECT_EQ(S.At(4, 5), Sys(Bar));
  EXPECT_EQ(S.At(5, 5), Sys(Back));
  EXPECT_EQ(S.At(6 * 4 + 2, 5), Sys(Bar));
  EXPECT_EQ(S.At(6 * 5 + 2, 5), Sys(Back));
  EXPECT_EQ(S.At(59, 5), Sys(Back));
}

TEST(Drawing, MinimumFontHeightAddsAQuarter) {
  TFont F;
  F.SetHeight(-20);
  const int H = GetMinFontHeight(F);
  TWindowDC DC(nullptr);
  TEXTMETRICA TM{};
  {
    TSelectObject Sel(DC.Get(), F.GetHandle());
    ::GetTextMetricsA(DC.Get(), &TM);
  }
  EXPECT_GT(H, TM.tmHeight);
  EXPECT_LE(H, TM.tmHeight + TM.tmHeight / 4);
  EXPECT_EQ(LastChar("abc"), 'c');
  EXPECT_EQ(LastChar(""), '\0');
}

}  // namespace
