// The label, the menu button and the progress bar.
#include "components/LxLabel.h"
#include "components/LxMnuBtn.h"
#include "components/LxPrgres.h"
#include "model/ScopeExit.h"
#include "TestUtil.h"

#include <vector>

namespace {

int CALLBACK FindRaster(const LOGFONTA* LF, const TEXTMETRICA*, DWORD Type, LPARAM Data) {
  if (!(Type & RASTER_FONTTYPE)) return 1;
  *reinterpret_cast<std::string*>(Data) = LF->lfFaceName;
  return 0;
}

TEST(Label, AnglesRotationAndTrueTypeFallback) {
  THostForm Form;
  TLxLabel L(&Form);
  L.SetParent(&Form);
  EXPECT_EQ(L.GetTextStyle(), tsRecessed);
  EXPECT_EQ(L.GetColor(), clWindow);
  std::string Raster;
  {
    TWindowDC DC(nullptr);
    LOGFONTA LF{};
    LF.lfCharSet = DEFAULT_CHARSET;
    ::EnumFontFamiliesExA(DC.Get(), &LF, FindRaster, reinterpret_cast<LPARAM>(&Raster), 0);
  }
  if (!Raster.empty()) L.GetFont().SetName(Raster);
  const bool WasTrueType = L.GetFont().IsTrueType();
  L.SetRotation(roFlat);
  if (!WasTrueType) {
    EXPECT_EQ(L.GetFont().GetName(), "Arial");
  }
  EXPECT_TRUE(L.GetFont().IsTrueType());
  EXPECT_EQ(L.GetCenterPoint(), cpCenter);
  EXPECT_TRUE(L.GetAutoSize());
  L.SetAngle(-90);
  EXPECT_EQ(L.GetAngle(), 270);
  EXPECT_FALSE(L.GetAutoSize());
  L.SetAngle(365);
  EXPECT_EQ(L.GetAngle(), 5);
}

TEST(Label, TextStylesDrawTheirCopiesInTheirColours) {
  THostForm Form;
  TLxLabel L(&Form);
  L.SetParent(&Form);
  L.SetAutoSize(false);
  L.SetBounds(0, 0, 120, 30);
  L.GetFont().SetName("Arial");
  L.GetFont().SetHeight(-20);
  L.GetFont().SetColor(0x0000FF);
  L.SetHighlightColor(0x00FF00);
  L.SetShadowColor(0xFF0000);
  L.SetCaption("WWW");
  auto Count = [&](COLORREF C) {
    TTestSurface S(120, 30);
    L.PaintWindow(S.DC());
    int N = 0;
    for (int Y = 0; Y < 30; ++Y)
      for (int X = 0; X < 120; ++X) N += S.At(X, Y) == C ? 1 : 0;
    return N;
  };
  EXPECT_GT(Count(0x00FF00), 0);  // recessed: highlight and shadow copies
  EXPECT_GT(Count(0xFF0000), 0);
  L.SetLightTextStyle(true);
  EXPECT_EQ(Count(0xFF0000), 0);  // light recessed keeps only the (+1, +1) copy
  EXPECT_GT(Count(0x00FF00), 0);
  L.SetTextStyle(tsNormal);
  EXPECT_EQ(Count(0x00FF00), 0);
  EXPECT_GT(Count(0x0000FF), 0);
  L.SetEnabled(false);
  EXPECT_EQ(Count(0x0000FF), 0);
}

TEST(Label, FlyByColourWhileTheMouseIsOver) {
  THostForm Form;
  TLxLabel L(&Form);
  L.SetParent(&Form);
  L.GetFont().SetColor(0x000080);
  L.SetFlyByEnabled(true);
  ::SendMessageA(L.WindowHandle(), WM_MOUSEMOVE, 0, MAKELPARAM(2, 2));
  EXPECT_EQ(L.GetFont().GetColor(), clHighlight);
  ::SendMessageA(L.WindowHandle(), WM_MOUSELEAVE, 0, 0);
  EXPECT_EQ(L.GetFont().GetColor(), 0x000080);
  ::SendMessageA(L.WindowHandle(), WM_MOUSEMOVE, 0, MAKELPARAM(2, 2));
  L.SetFlyByEnabled(false);
  EXPECT_EQ(L.GetFont().GetColor(), 0x000080);
}

class TRecordingMenuButton : public TLxMenuSpeedButton {
public:
  using TLxMenuSpeedButton::TLxMenuSpeedButton;
  DWORD Now = 10000;
  std::vector<POINT> Shown;
  int ItemCount = 0;

protected:
  void TrackMenu(TPopupMenu& Menu, POINT Screen) override {
    Shown.push_back(Screen);
    ItemCount = Menu.GetItems()->GetCount();
    Now += 1000;  // the menu stays open a second
  }
  DWORD TickCount() override { return Now; }
};

TEST(MenuButton, ThePressThatClosesTheMenuDoesNotOpenItAgain) {
  THostForm Form;
  TPopupMenu Menu(&Form);
  for (const char* Caption : {"Info", "-", "Warning"}) {
    auto Item = std::make_unique<TMenuItem>(nullptr);
    Item->SetCaption(Caption);
    Menu.GetItems()->Add(std::move(Item));
  }
  TRecordingMenuButton B(&Form);
  B.SetParent(&Form);
  B.SetBounds(10, 10, 25, 25);
  B.SetClickMenu(&Menu);
  auto Press = [&] {
    ::SendMessageA(B.WindowHandle(), WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(3, 3));
    ::SendMessageA(B.WindowHandle(), WM_LBUTTONUP, 0, MAKELPARAM(3, 3));
  };
  Press();
  ASSERT_EQ(B.Shown.size(), 1u);
  EXPECT_EQ(B.ItemCount, 3);
  EXPECT_FALSE(B.GetPressed());  // released at once
  const POINT Below = B.ClientToScreen(POINT{0, 25});
  EXPECT_EQ(B.Shown[0].x, Below.x);
  EXPECT_EQ(B.Shown[0].y, Below.y);
  B.Now += 100;  // the press that closed the menu
  Press();
  EXPECT_EQ(B.Shown.size(), 1u);
  B.Now += 1000;
  Press();
  EXPECT_EQ(B.Shown.size(), 2u);
}

TEST(MenuButton, AMenuThatWouldRunUnderTheTaskbarOpensAboveTheButton) {
  // A taskbar 40 pixels high along the bottom of the screen.
  RECT Work{};
  ::SystemParametersInfoA(SPI_GETWORKAREA, 0, &Work, 0);
  const auto RestoreWork = ScopeExit([Work]() mutable { ::SystemParametersInfoA(SPI_SETWORKAREA, 0, &Work, 0); });
  const int ScreenBottom = ::GetSystemMetrics(SM_CYSCREEN);
  RECT Taskbar = {0, 0, ::GetSystemMetrics(SM_CXSCREEN), ScreenBottom - 40};
  ASSERT_TRUE(::SystemParametersInfoA(SPI_SETWORKAREA, 0, &Taskbar, 0));

  THostForm Form;
  TPopupMenu Menu(&Form);
  for (int I = 0; I < 6; ++I) {
    auto* Item = new TMenuItem(nullptr);
    Item->SetCaption("Item " + std::to_string(I));
    Menu.GetItems()->Add(Item);
  }
  const int MenuHeight = 4 + 6 * (::GetSystemMetrics(SM_CYMENU) - 2);
  TRecordingMenuButton B(&Form);
  B.SetParent(&Form);
  B.SetBounds(10, 10, 25, 25);
  B.SetClickMenu(&Menu);
  // Below the button the menu would still fit the screen, but not the work area.
  const int ButtonBottom = ScreenBottom - 20 - MenuHeight;
  Form.SetBounds(0, ButtonBottom - 35, 400, 300);
  B.DropDown();
  ASSERT_EQ(B.Shown.size(), 1u);
  const POINT Above = B.ClientToScreen(POINT{0, -3 - MenuHeight});
  EXPECT_EQ(B.Shown[0].x, Above.x);
  EXPECT_EQ(B.Shown[0].y, Above.y);
  // Well above the taskbar it opens below the button.
  Form.SetBounds(0, 0, 400, 300);
  B.DropDown();
  ASSERT_EQ(B.Shown.size(), 2u);
  EXPECT_EQ(B.Shown[1].y, B.ClientToScreen(POINT{0, 25}).y);
}

TEST(MenuButton, CopiedItemsRunTheSourceHandlersAndADeletedMenuIsForgotten) {
  THostForm Form;
  auto* Menu = new TPopupMenu(&Form);
  TObject* Sender = nullptr;
  auto Item = std::make_unique<TMenuItem>(nullptr);
  Item->SetCaption("Navigate Notes");
  Item->SetRadioItem(true);
  Item->SetChecked(true);
  Item->OnClick = [&](TObject* S) { Sender = S; };
  TMenuItem* Source = Menu->GetItems()->Add(std::move(Item));
  TRecordingMenuButton B(&Form);
  B.SetParent(&Form);
  TPopupMenu* Seen = nullptr;
  B.OnPopup = [&](TObject*, TPopupMenu* M) { Seen = M; };
  B.SetClickMenu(Menu);
  B.DropDown();
  EXPECT_EQ(Seen, Menu);
  TMenuItem* Copy = B.GetMenuCopy()->GetItems()->GetItem(0);
  EXPECT_EQ(Copy->GetCaption(), "Navigate Notes");
  EXPECT_TRUE(Copy->GetChecked());
  EXPECT_EQ(Copy->GetTag(), 0);
  Copy->Click();
  EXPECT_EQ(Sender, Source);
  delete Menu;
  EXPECT_EQ(B.GetClickMenu(), nullptr);
  B.DropDown();  // nothing to show
  EXPECT_EQ(B.Shown.size(), 1u);
}

TEST(ProgressBar, PartsPercentAndOrientation) {
  THostForm Form;
  TLxProgressBar P(&Form);
  P.SetParent(&Form);
  EXPECT_EQ(P.GetWidth(), 200);
  EXPECT_EQ(P.GetHeight(), 24);
  std::vector<int> Changes;
  P.OnChange = [&](TObject*, int Percent) { Changes.push_back(Percent); };
  P.SetTotalParts(3);
  P.IncPartsByOne();
  EXPECT_EQ(P.GetPercent(), 33);
  P.IncParts(5);  // capped at the total
  EXPECT_EQ(P.GetPartsComplete(), 3);
  EXPECT_EQ(P.GetPercent(), 100);
  P.SetPartsComplete(3);
  EXPECT_EQ(Changes, (std::vector<int>{33, 100}));
  P.SetTotalParts(10);
  EXPECT_EQ(P.GetPartsComplete(), 0);
  EXPECT_EQ(P.GetPercent(), 0);
  P.SetBounds(0, 0, 20, 100);
  EXPECT_EQ(P.GetOrientation(), orVertical);
  // Half full, filled from the bottom inside the lowered border.
  P.SetPercent(50);
  P.SetShowPercent(false);
  P.SetBarColor(0x0000FF);
  TTestSurface S(20, 100);
  P.PaintWindow(S.DC());
  EXPECT_EQ(S.At(10, 90), 0x0000FFu);
  EXPECT_EQ(S.At(10, 10), 0xFFFFFFu);
  EXPECT_EQ(S.At(0, 50), Sys(clBtnShadow));
}

}  // namespace

namespace {

TEST(Resources, TheLibraryCarriesItsGlyphsAndCursors) {
  TBitmap Up;
  Up.LoadFromResourceName(LxCmpsInstance(), "LXSPNEDT_UPARROW");
  EXPECT_EQ(Up.GetWidth(), 18);
  EXPECT_EQ(Up.GetHeight(), 6);
  for (const char* Name :
       {"LXCMBOBX_TRUETYPE", "LXCMBOBX_FIXEDPITCH", "LXCMBOBX_PRINTER", "LXCMBOBX_DEVICE", "LXCMBOBX_TRUETYPEFIXED"}) {
    TBitmap B;
    B.LoadFromResourceName(LxCmpsInstance(), Name);
    EXPECT_EQ(B.GetWidth(), 12) << Name;
    EXPECT_EQ(B.GetHeight(), 12) << Name;
  }
  EXPECT_NE(::LoadCursorA(LxCmpsInstance(), "LXSPLIT_HSPLIT"), nullptr);
  EXPECT_NE(::LoadCursorA(LxCmpsInstance(), "LXSPLIT_VSPLIT"), nullptr);
}

}  // namespace
