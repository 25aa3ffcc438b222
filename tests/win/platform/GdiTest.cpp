// Ownership of GDI handles and the objects a canvas selects into a DC.
#include "platform/Graphics.h"

#include <gtest/gtest.h>

#include <utility>

namespace {

bool IsGdiObject(HGDIOBJ Object) { return ::GetObjectType(Object) != 0; }

TEST(GdiHandles, MoveTransfersOwnershipAndTheLastOwnerReleases) {
  HBRUSH Raw = ::CreateSolidBrush(RGB(1, 2, 3));
  ASSERT_TRUE(IsGdiObject(Raw));
  {
    TBrushHandle A(Raw);
    TBrushHandle B(std::move(A));
    EXPECT_FALSE(A);
    EXPECT_EQ(B.Get(), Raw);
    TBrushHandle C;
    C = std::move(B);
    EXPECT_FALSE(B);
    EXPECT_TRUE(IsGdiObject(Raw));
  }
  EXPECT_FALSE(IsGdiObject(Raw));
}

TEST(GdiHandles, ResetReleasesThePreviousHandleAndReleaseGivesItUp) {
  HPEN First = ::CreatePen(PS_SOLID, 1, 0);
  HPEN Second = ::CreatePen(PS_SOLID, 1, 0);
  TPenHandle P(First);
  P.Reset(Second);
  EXPECT_FALSE(IsGdiObject(First));
  EXPECT_EQ(P.Release(), Second);
  EXPECT_FALSE(P);
  EXPECT_TRUE(IsGdiObject(Second));
  ::DeleteObject(Second);
}

TEST(GdiHandles, MemoryDCIsDeletedAndSelectionIsRestored) {
  HDC Raw = nullptr;
  {
    TMemoryDC DC = CreateMemoryDC();
    Raw = DC.Get();
    HGDIOBJ Original = ::GetCurrentObject(Raw, OBJ_BRUSH);
    TBrushHandle Brush(::CreateSolidBrush(RGB(9, 9, 9)));
    {
      TSelectObject Sel(Raw, Brush.Get());
      EXPECT_EQ(::GetCurrentObject(Raw, OBJ_BRUSH), Brush.Get());
      TSelectObject Moved(std::move(Sel));
      EXPECT_EQ(::GetCurrentObject(Raw, OBJ_BRUSH), Brush.Get());
    }
    EXPECT_EQ(::GetCurrentObject(Raw, OBJ_BRUSH), Original);
  }
  EXPECT_EQ(::GetObjectType(Raw), 0u);
}

TEST(GdiHandles, WindowDCOfTheScreenIsReleased) {
  TWindowDC DC(nullptr);
  ASSERT_TRUE(DC);
  TWindowDC Other(std::move(DC));
  EXPECT_FALSE(DC);
  EXPECT_GT(::GetDeviceCaps(Other.Get(), LOGPIXELSY), 0);
}

TEST(Canvas, SelectsItsObjectsLazilyAndPutsTheDCsOwnBack) {
  TMemoryDC DC = CreateMemoryDC();
  HGDIOBJ OriginalFont = ::GetCurrentObject(DC.Get(), OBJ_FONT);
  HGDIOBJ OriginalBrush = ::GetCurrentObject(DC.Get(), OBJ_BRUSH);
  {
    TCanvas Canvas(DC.Get());
    EXPECT_EQ(::GetCurrentObject(DC.Get(), OBJ_FONT), OriginalFont);
    Canvas.TextWidth("abc");
    EXPECT_EQ(::GetCurrentObject(DC.Get(), OBJ_FONT), Canvas.GetFont().GetHandle());
    // A changed font is deselected at once and a new one selected at the next drawing call.
    Canvas.GetFont().SetStyle(fsBold);
    EXPECT_EQ(::GetCurrentObject(DC.Get(), OBJ_FONT), OriginalFont);
    Canvas.TextWidth("abc");
    EXPECT_EQ(::GetCurrentObject(DC.Get(), OBJ_FONT), Canvas.GetFont().GetHandle());
    Canvas.FillRect(RECT{0, 0, 1, 1});
    EXPECT_NE(::GetCurrentObject(DC.Get(), OBJ_BRUSH), OriginalBrush);
  }
  EXPECT_EQ(::GetCurrentObject(DC.Get(), OBJ_FONT), OriginalFont);
  EXPECT_EQ(::GetCurrentObject(DC.Get(), OBJ_BRUSH), OriginalBrush);
}

TEST(Font, SizeAndHeightFollowEachOtherAndTheHandleFollowsChanges) {
  TFont Font;
  EXPECT_EQ(Font.GetName(), "MS Sans Serif");
  Font.SetSize(8);
  EXPECT_EQ(Font.GetHeight(), -::MulDiv(8, TFont::PixelsPerInch(), 72));
  EXPECT_EQ(Font.GetSize(), 8);
  int Changes = 0;
  Font.OnChange = [&](TFont&) { ++Changes; };
  HFONT Regular = Font.GetHandle();
  LOGFONTA LF{};
  ::GetObjectA(Regular, sizeof(LF), &LF);
  EXPECT_EQ(LF.lfWeight, FW_NORMAL);
  Font.SetStyle(fsBold | fsItalic);
  HFONT Bold = Font.GetHandle();
  ::GetObjectA(Bold, sizeof(LF), &LF);
  EXPECT_EQ(LF.lfWeight, FW_BOLD);
  EXPECT_TRUE(LF.lfItalic);
  // Colour is no part of the GDI font.
  Font.SetColor(clRed);
  EXPECT_EQ(Font.GetHandle(), Bold);
  Font.SetColor(clRed);  // unchanged: no notification
  EXPECT_EQ(Changes, 2);
  // Assignment copies the description, keeps the target's own notification.
  TFont Copy;
  int CopyChanges = 0;
  Copy.OnChange = [&](TFont&) { ++CopyChanges; };
  Copy = Font;
  EXPECT_TRUE(Copy.SameAs(Font));
  EXPECT_EQ(CopyChanges, 1);
  EXPECT_EQ(Changes, 2);
}

TEST(Colors, SystemColoursAreLookedUpAndPlainOnesPassThrough) {
  EXPECT_EQ(ColorToRGB(clBtnFace), ::GetSysColor(COLOR_BTNFACE));
  EXPECT_EQ(ColorToRGB(clHighlightText), ::GetSysColor(COLOR_HIGHLIGHTTEXT));
  EXPECT_EQ(ColorToRGB(clPurple), RGB(128, 0, 128));
  EXPECT_LT(clWindow, 0);  // 0x80000000 plus the index, as a 32-bit signed value
}

}  // namespace
