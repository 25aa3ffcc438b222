// Rescaling a control tree for another DPI: edges, alignment, the controls'
// own hooks, no drift back and forth, WM_DPICHANGED on a shown form, and
// glyphs stretched pixel by pixel.
#include "platform/Forms.h"
#include "platform/StdCtrls.h"
#include "TestUtil.h"

#include <gtest/gtest.h>

#include <utility>
#include <vector>

#ifndef WM_DPICHANGED
#define WM_DPICHANGED 0x02E0
#endif

namespace {

// A control that keeps a design size of its own and records its hook calls.
class TSizedControl : public TCustomControl {
public:
  explicit TSizedControl(TComponent* AOwner) : TCustomControl(AOwner) {}
  int Cell = 17;
  std::vector<std::pair<int, int>> Calls;
  int DpiSeenInHook = 0;

protected:
  void DpiChanged(int FromDpi, int ToDpi) override {
    Calls.emplace_back(FromDpi, ToDpi);
    DpiSeenInHook = GetCurrentDpi();
    Cell = FScaledCell.Rescale(Cell, FromDpi, ToDpi);
  }

private:
  TDpiScaledValue FScaledCell;
};

class TLayoutForm : public TForm {
public:
  TLayoutForm() : TForm(nullptr) {
    SetBounds(30, 30, 300, 200);
    SetClientWidth(301);
    SetClientHeight(203);
    Top = new TSizedControl(this);
    Top->SetParent(this);
    Top->SetAlign(alTop);
    Top->SetHeight(25);
    Rest = new TSizedControl(this);
    Rest->SetParent(this);
    Rest->SetAlign(alClient);
    Button = new TButton(Rest);
    Button->SetParent(Rest);
    Button->SetBounds(11, 7, 75, 25);
    Next = new TButton(Rest);
    Next->SetParent(Rest);
    Next->SetBounds(86, 7, 75, 25);  // touches Button
  }
  TSizedControl* Top;
  TSizedControl* Rest;
  TButton* Button;
  TButton* Next;
};

TEST(DpiScale, ATreeRescalesByItsEdgesAndComesBackWithoutDrift) {
  TLayoutForm F;
  F.HandleNeeded();
  EXPECT_EQ(F.GetCurrentDpi(), 96);
  for (int Dpi : {144, 192, 120, 96}) {
    SCOPED_TRACE(Dpi);
    F.ScaleToDpi(Dpi);
    EXPECT_EQ(F.GetCurrentDpi(), Dpi);
    EXPECT_EQ(F.Button->GetCurrentDpi(), Dpi);
    EXPECT_EQ(F.GetClientWidth(), ScaleForDpi(301, Dpi));
    EXPECT_EQ(F.GetClientHeight(), ScaleForDpi(203, Dpi));
    EXPECT_EQ(F.Top->GetHeight(), ScaleForDpi(25, Dpi));
    // The client-aligned control takes what is left, as at 96 DPI.
    EXPECT_EQ(F.Rest->GetTop(), F.Top->GetHeight());
    EXPECT_EQ(F.Rest->GetHeight(), F.GetClientHeight() - F.Top->GetHeight());
    const RECT B = F.Button->GetBoundsRect();
    EXPECT_EQ(B.left, ScaleForDpi(11, Dpi));
    EXPECT_EQ(B.right, ScaleForDpi(86, Dpi));
    EXPECT_EQ(B.bottom, ScaleForDpi(32, Dpi));
    EXPECT_EQ(F.Next->GetLeft(), B.right);  // controls that touch keep touching
    EXPECT_EQ(F.Rest->Cell, ScaleForDpi(17, Dpi));
    EXPECT_EQ(F.Rest->DpiSeenInHook, Dpi);
  }
  EXPECT_EQ(F.Rest->Calls, (std::vector<std::pair<int, int>>{{96, 144}, {144, 192}, {192, 120}, {120, 96}}));
  // The same DPI again: nothing to do.
  F.ScaleToDpi(96);
  EXPECT_EQ(F.Rest->Calls.size(), 4u);
}

TEST(DpiScale, ABoundsChangeMeanwhileIsTheNewStartingPoint) {
  TLayoutForm F;
  F.HandleNeeded();
  F.ScaleToDpi(144);
  F.Button->SetBounds(30, 30, 100, 40);  // moved at 144 DPI
  F.ScaleToDpi(96);
  EXPECT_EQ(F.Button->GetLeft(), 20);
  EXPECT_EQ(F.Button->GetWidth(), 67);  // (130 - 30) * 2/3, by edges: 87 - 20
  F.ScaleToDpi(144);
  EXPECT_EQ(F.Button->GetLeft(), 30);
  EXPECT_EQ(F.Button->GetWidth(), 100);
}

// A control made at run time, after its parent was laid out for another DPI,
// is rescaled when it is parented (its design bounds and its own sizes), with
// its children, as if it had been there when the parent was; moved back to a
// parent at 96 DPI it is as designed again.
TEST(DpiScale, AControlParentedLaterTakesItsParentsDpi) {
  TLayoutForm F;
  F.HandleNeeded();
  F.ScaleToDpi(144);
  auto* Late = new TSizedControl(&F);
  Late->SetBounds(10, 20, 100, 50);
  auto* Inner = new TButton(&F);
  Inner->SetBounds(4, 6, 40, 20);
  Inner->SetParent(Late);
  EXPECT_EQ(Late->GetCurrentDpi(), 96);
  Late->SetParent(F.Rest);
  EXPECT_EQ(Late->GetCurrentDpi(), 144);
  EXPECT_EQ(Inner->GetCurrentDpi(), 144);
  EXPECT_TRUE(
      EqualRect(&static_cast<const RECT&>(Late->GetBoundsRect()), &static_cast<const RECT&>(RECT{15, 30, 165, 105})));
  EXPECT_TRUE(
      EqualRect(&static_cast<const RECT&>(Inner->GetBoundsRect()), &static_cast<const RECT&>(RECT{6, 9, 66, 39})));
  EXPECT_EQ(Late->Cell, ScaleForDpi(17, 144));
  EXPECT_EQ(Late->Calls, (std::vector<std::pair<int, int>>{{96, 144}}));
  // With the whole form it goes on to other DPIs and back without drift.
  F.ScaleToDpi(192);
  EXPECT_EQ(Late->GetWidth(), 200);
  EXPECT_EQ(Late->Cell, ScaleForDpi(17, 192));
  F.ScaleToDpi(96);
  EXPECT_TRUE(
      EqualRect(&static_cast<const RECT&>(Late->GetBoundsRect()), &static_cast<const RECT&>(RECT{10, 20, 110, 70})));
  // A parent at another DPI: it follows again.
  TLayoutForm G;
  G.HandleNeeded();
  G.ScaleToDpi(120);
  Late->SetParent(G.Rest);
  EXPECT_EQ(Late->GetCurrentDpi(), 120);
  EXPECT_EQ(Late->GetLeft(), ScaleForDpi(10, 120));
  EXPECT_EQ(Late->Cell, ScaleForDpi(17, 120));
  Late->SetParent(nullptr);
  delete Late;
}

TEST(DpiScale, DpiChangedTakesTheSuggestedRectangleAndRescalesInPlace) {
  TLayoutForm F;
  F.Show();
  EXPECT_EQ(F.GetCurrentDpi(), WindowDpi(F.GetHandle()));
  if (F.GetCurrentDpi() != 96) GTEST_SKIP() << "the screen is not at 96 DPI";
  const HWND ButtonWindow = F.Button->GetHandle();
  const int FontHeight = F.GetFont().GetHeight();
  for (int Dpi : {144, 96}) {
    SCOPED_TRACE(Dpi);
    RECT Suggested{50, 40, 50 + ScaleForDpi(320, Dpi), 40 + ScaleForDpi(240, Dpi)};
    SendMessageA(F.GetHandle(), WM_DPICHANGED, MAKEWPARAM(Dpi, Dpi), reinterpret_cast<LPARAM>(&Suggested));
    RECT Window{};
    GetWindowRect(F.GetHandle(), &Window);
    EXPECT_TRUE(EqualRect(&Window, &Suggested));
    EXPECT_EQ(F.GetCurrentDpi(), Dpi);
    EXPECT_EQ(F.Button->GetHandle(), ButtonWindow);
    EXPECT_EQ(F.Button->GetLeft(), ScaleForDpi(11, Dpi));
    EXPECT_EQ(F.Top->GetHeight(), ScaleForDpi(25, Dpi));
    EXPECT_EQ(F.Rest->GetHeight(), F.GetClientHeight() - F.Top->GetHeight());
    // Fonts follow a move to another DPI (controls with the parent's font through it).
    EXPECT_EQ(F.GetFont().GetHeight(), ScaleForDpi(FontHeight, Dpi));
    EXPECT_EQ(F.Button->GetFont().GetHeight(), ScaleForDpi(FontHeight, Dpi));
  }
}

TEST(DpiScale, AStretchedGlyphDoublesEachPixelAndKeepsTheTransparentOnes) {
  const COLORREF Clear = RGB(255, 0, 255), Ink = RGB(0, 0, 128), Back = RGB(0, 200, 0);
  TBitmap Glyph(2, 2);
  HDC G = Glyph.GetCanvas().GetHandle();
  SetPixel(G, 0, 0, Ink);
  SetPixel(G, 1, 0, Clear);
  SetPixel(G, 0, 1, Clear);
  SetPixel(G, 1, 1, Ink);
  TBitmap Target(6, 6);
  HDC T = Target.GetCanvas().GetHandle();
  const RECT All{0, 0, 6, 6};
  HBRUSH Brush = CreateSolidBrush(Back);
  FillRect(T, &All, Brush);
  DeleteObject(Brush);
  StretchTransparentCopy(T, 1, 1, 4, 4, G, 0, 0, 2, 2, Clear);
  for (int Y = 0; Y < 6; ++Y)
    for (int X = 0; X < 6; ++X) {
      COLORREF Want = Back;
      if (X >= 1 && X < 5 && Y >= 1 && Y < 5) Want = ((X - 1) / 2 == (Y - 1) / 2) ? Ink : Back;
      EXPECT_EQ(GetPixel(T, X, Y), Want) << X << "," << Y;
    }
}

TEST(DpiScale, AGlyphAtOneAndAHalfTimesKeepsItsLinesEvenAndItsTransparentPixels) {
  const COLORREF Clear = RGB(255, 0, 255), Ink = RGB(0, 0, 128), Light = RGB(255, 255, 224), Back = RGB(0, 200, 0);
  TBitmap Glyph(4, 2);  // two frames of 2 x 2; the second is drawn
  HDC G = Glyph.GetCanvas().GetHandle();
  for (int X = 0; X < 4; ++X)
    for (int Y = 0; Y < 2; ++Y) SetPixel(G, X, Y, Ink);
  SetPixel(G, 2, 0, Light);
  SetPixel(G, 3, 0, Clear);
  SetPixel(G, 2, 1, Clear);
  TBitmap Target(5, 5);
  HDC T = Target.GetCanvas().GetHandle();
  const RECT All{0, 0, 5, 5};
  HBRUSH Brush = CreateSolidBrush(Back);
  FillRect(T, &All, Brush);
  DeleteObject(Brush);
  StretchTransparentCopy(T, 1, 1, 3, 3, G, 2, 0, 2, 2, Clear);
  const COLORREF Want[3][3] = {{Light, Light, Back}, {Light, Ink, Ink}, {Back, Ink, Ink}};
  for (int Y = 0; Y < 5; ++Y)
    for (int X = 0; X < 5; ++X) {
      const bool In = X >= 1 && X < 4 && Y >= 1 && Y < 4;
      EXPECT_EQ(GetPixel(T, X, Y), In ? Want[Y - 1][X - 1] : Back) << X << "," << Y;
    }
}

TEST(DpiScale, AnIconWithoutTransparencyAtOneAndAHalfTimesTakesTheDarkerPixelBetween) {
  const COLORREF Ink = RGB(0, 0, 128), Face = RGB(255, 255, 255), Light = RGB(255, 255, 160);
  TBitmap Icon(2, 2);
  HDC I = Icon.GetCanvas().GetHandle();
  SetPixel(I, 0, 0, Light);
  SetPixel(I, 1, 0, Face);
  SetPixel(I, 0, 1, Face);
  SetPixel(I, 1, 1, Ink);
  TBitmap Target(3, 3);
  Target.GetCanvas().StretchDraw(RECT{0, 0, 3, 3}, Icon);
  const COLORREF Want[3][3] = {{Light, Light, Face}, {Light, Ink, Ink}, {Face, Ink, Ink}};
  for (int Y = 0; Y < 3; ++Y)
    for (int X = 0; X < 3; ++X) EXPECT_EQ(GetPixel(Target.GetCanvas().GetHandle(), X, Y), Want[Y][X]) << X << "," << Y;
}

}  // namespace
