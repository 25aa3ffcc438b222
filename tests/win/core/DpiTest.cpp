// The viewer at 150 % and 200 %: the main window, the dialogs and an
// inspector window rescaled for 144 and 192 DPI (sizes, glyphs, nothing
// clipped or overlapping), back to 96 DPI without drift, and a move to a
// screen of another DPI (WM_DPICHANGED) that keeps the list as it was.
#include "core/LxFndFrm.h"
#include "core/LxNavFrm.h"
#include "core/LxOptFrm.h"
#include "core/LxStrFrm.h"
#include "ViewerFixture.h"

#include "components/LxCommon.h"

#include <string>
#include <typeinfo>
#include <vector>

#ifndef WM_DPICHANGED
#define WM_DPICHANGED 0x02E0
#endif

namespace {

std::string Describe(TControl& C) {
  std::string S = typeid(C).name();
  if (!C.GetName().empty()) S += " " + C.GetName();
  const std::string Text = C.GetText();
  if (!Text.empty()) S += " \"" + Text.substr(0, 20) + "\"";
  const RECT R = C.GetBoundsRect();
  return S + " (" + std::to_string(R.left) + "," + std::to_string(R.top) + ")-(" + std::to_string(R.right) + "," +
         std::to_string(R.bottom) + ")";
}

bool IsPopup(TControl& C) {
  auto* W = dynamic_cast<TWinControl*>(&C);
  return W && W->HandleAllocated() && !(GetWindowLongA(W->WindowHandle(), GWL_STYLE) & WS_CHILD);
}

// Every visible child of every control in the tree lies inside its parent's
// client area and overlaps none of its visible siblings. Controls squeezed to
// nothing and popup windows take no room and are left out. A border line
// may be shared: a status bar's panes reach a pixel past its sides, a spin
// edit's buttons cover the edit's last pixel column.
void CheckLayout(TWinControl& Parent, std::vector<std::string>& Problems) {
  // The window's client area (a panel's own client rectangle leaves out its borders).
  RECT Client = Parent.GetClientRect();
  if (Parent.HandleAllocated()) GetClientRect(Parent.WindowHandle(), &Client);
  InflateRect(&Client, 1, 1);
  std::vector<TControl*> Shown;
  for (int I = 0; I < Parent.GetControlCount(); ++I) {
    TControl* C = Parent.GetControl(I);
    if (!C->GetVisible() || IsPopup(*C) || C->GetWidth() <= 0 || C->GetHeight() <= 0) continue;
    const RECT R = C->GetBoundsRect();
    if (R.left < Client.left || R.top < Client.top || R.right > Client.right || R.bottom > Client.bottom)
      Problems.push_back(Describe(*C) + " is clipped by " + Describe(Parent));
    for (TControl* Other : Shown) {
      RECT Both{};
      const RECT O = Other->GetBoundsRect();
      if (IntersectRect(&Both, &R, &O) && Both.right - Both.left > 1 && Both.bottom - Both.top > 1)
        Problems.push_back(Describe(*C) + " overlaps " + Describe(*Other));
    }
    Shown.push_back(C);
    if (auto* W = dynamic_cast<TWinControl*>(C)) CheckLayout(*W, Problems);
  }
}

std::vector<std::string> LayoutProblems(TWinControl& Root) {
  std::vector<std::string> Problems;
  CheckLayout(Root, Problems);
  return Problems;
}

SIZE ClientSize(TWinControl& W) { return SIZE{W.GetClientWidth(), W.GetClientHeight()}; }

class DpiLayout : public ViewerTest {
protected:
  void SetUp() override {
    ViewerTest::SetUp();
    C->SetViewInspectorPane(true);
    C->SetViewScratchPad(true);
    C->SetViewTimeStamp(true);
    // Small enough for 200 % on the test screen; in design pixels, so the
    // toolbar wraps as at 96 DPI when the screen has another DPI.
    const int Dpi = Form->GetCurrentDpi();
    Form->SetBounds(40, 40, ScaleForDpi(480, Dpi), ScaleForDpi(330, Dpi));
    for (int I = 0; I < 200; ++I) Add(lxmInfo, "message " + std::to_string(I), I);
    Pump();
  }
  // A form built and laid out (its window made, not shown), checked at 96
  // DPI, at 144 and 192, and at 96 again.
  static void CheckForm(TCustomForm& F) {
    F.HandleNeeded();
    const SIZE Design = ClientSize(F);
    EXPECT_EQ(LayoutProblems(F), std::vector<std::string>{}) << "96 DPI";
    for (int Dpi : {144, 192, 96}) {
      SCOPED_TRACE(Dpi);
      F.ScaleToDpi(Dpi);
      EXPECT_EQ(F.GetCurrentDpi(), Dpi);
      EXPECT_EQ(F.GetClientWidth(), ScaleForDpi(Design.cx, Dpi));
      EXPECT_EQ(F.GetClientHeight(), ScaleForDpi(Design.cy, Dpi));
      EXPECT_EQ(LayoutProblems(F), std::vector<std::string>{});
    }
  }
};

TEST_F(DpiLayout, TheWindowKnowsItsDpi) {
  const int Screen = ScreenDpi();
  EXPECT_GE(Screen, 96);
  EXPECT_EQ(WindowDpi(Form->GetHandle()), Screen);
  EXPECT_EQ(WindowDpi(nullptr), Screen);
  // Shown at the screen's DPI: the tree is laid out for it.
  EXPECT_EQ(Form->GetCurrentDpi(), Screen);
  EXPECT_EQ(List->GetCurrentDpi(), Screen);
}

TEST_F(DpiLayout, TheMainWindowScalesAt150And200PercentAndComesBackWithoutDrift) {
  // Shown at the screen's DPI (96 unless the test screen is set otherwise).
  const int Start = Form->GetCurrentDpi();
  ASSERT_EQ(LayoutProblems(*Form), std::vector<std::string>{});
  TLxSpeedButton& Button = *C->FBtnClear;
  const int ArtWidth = Button.GetGlyph().GetWidth() / Button.GetNumGlyphs();
  const int ArtHeight = Button.GetGlyph().GetHeight();
  ASSERT_GT(ArtWidth, 0);
  const SIZE Client = ClientSize(*Form);
  const RECT ListRect = C->FPnlMsgs->GetBoundsRect();
  const RECT ButtonRect = Button.GetBoundsRect();
  const int ToolbarHeight = C->FToolbar->GetHeight();

  for (int Dpi : {144, 192, 120, 96, Start}) {
    SCOPED_TRACE(Dpi);
    Form->ScaleToDpi(Dpi);
    Pump();
    EXPECT_EQ(C->GetCurrentDpi(), Dpi);
    EXPECT_EQ(Form->GetClientWidth(), ScaleBetweenDpi(Client.cx, Start, Dpi));
    EXPECT_EQ(Form->GetClientHeight(), ScaleBetweenDpi(Client.cy, Start, Dpi));
    EXPECT_EQ(List->GetItemHeight(), ScaleForDpi(18, Dpi));
    EXPECT_EQ(Button.GetWidth(), ScaleForDpi(25, Dpi));
    EXPECT_EQ(Button.GetHeight(), ScaleForDpi(25, Dpi));
    const RECT G = Button.GlyphRect();
    EXPECT_EQ(G.right - G.left, ScaleForDpi(ArtWidth, Dpi));
    EXPECT_EQ(G.bottom - G.top, ScaleForDpi(ArtHeight, Dpi));
    // The rows scale; the toolbar's border lines stay one pixel.
    EXPECT_EQ(C->FToolbar->GetRowHeight(), ScaleForDpi(29, Dpi));
    EXPECT_NEAR(C->FToolbar->GetHeight(), ScaleBetweenDpi(ToolbarHeight, Start, Dpi), 3);
    EXPECT_EQ(C->FStsMsgCount->GetWidth(), ScaleForDpi(100, Dpi));
    EXPECT_EQ(C->FInspectorSplitter->GetSplitterWidth(), ScaleForDpi(4, Dpi));
    EXPECT_EQ(C->FGrdScratchPad->GetDefaultRowHeight(), ScaleForDpi(17, Dpi));
    // The message text starts after the scaled icon column.
    const RECT Item{0, 0, 400, List->GetItemHeight()};
    EXPECT_EQ(C->GetMessageRect(1, Item).left, ScaleForDpi(24 + 24, Dpi));
    EXPECT_EQ(LayoutProblems(*Form), std::vector<std::string>{});
  }
  // Back at the first DPI every size is what it was.
  EXPECT_TRUE(EqualRect(&ButtonRect, &static_cast<const RECT&>(Button.GetBoundsRect())));
  const RECT Now = C->FPnlMsgs->GetBoundsRect();
  EXPECT_TRUE(EqualRect(&ListRect, &Now)) << Now.right << "x" << Now.bottom;
}

TEST_F(DpiLayout, AMoveToAScreenOfAnotherDpiTakesTheSuggestedRectangleAndKeepsTheList) {
  List->SetTopIndex(120);
  List->SetItemIndex(124);
  List->SetSelected(121, true);
  List->SetSelected(126, true);
  Pump();
  const std::int32_t Count = List->GetItems()->Count();
  const std::int32_t Top = List->GetTopIndex();
  const std::int32_t Current = List->GetItemIndex();
  std::vector<std::int32_t> Selected;
  for (std::int32_t I = 0; I < Count; ++I)
    if (List->GetSelected(I)) Selected.push_back(I);
  ASSERT_GT(Top, 100);
  ASSERT_GE(Selected.size(), 2u);
  const HWND ListWindow = List->GetHandle();
  const int FontHeight = List->GetFont().GetHeight();
  const int Start = Form->GetCurrentDpi();

  for (int Dpi : {144, 192, 96}) {
    SCOPED_TRACE(Dpi);
    RECT Suggested{20, 10, 20 + ScaleForDpi(480, Dpi), 10 + ScaleForDpi(340, Dpi)};
    EXPECT_EQ(
        SendMessageA(Form->GetHandle(), WM_DPICHANGED, MAKEWPARAM(Dpi, Dpi), reinterpret_cast<LPARAM>(&Suggested)), 0);
    Pump();
    RECT Window{};
    GetWindowRect(Form->GetHandle(), &Window);
    EXPECT_TRUE(EqualRect(&Window, &Suggested));
    EXPECT_EQ(List->GetHandle(), ListWindow);  // nothing re-created
    EXPECT_EQ(List->GetItems()->Count(), Count);
    EXPECT_EQ(List->GetTopIndex(), Top);
    EXPECT_EQ(List->GetItemIndex(), Current);
    std::vector<std::int32_t> Now;
    for (std::int32_t I = 0; I < Count; ++I)
      if (List->GetSelected(I)) Now.push_back(I);
    EXPECT_EQ(Now, Selected);
    EXPECT_EQ(List->GetItemHeight(), ScaleForDpi(18, Dpi));
    EXPECT_EQ(List->GetFont().GetHeight(), ScaleBetweenDpi(FontHeight, Start, Dpi));
    EXPECT_EQ(LayoutProblems(*Form), std::vector<std::string>{});
  }
}

TEST_F(DpiLayout, TheDialogsAndAnInspectorWindowLayOutAt150And200Percent) {
  {
    SCOPED_TRACE("preferences");
    TFrmPreferences D;
    D.Fill(*C);
    D.HandleNeeded();
    D.PrepareShow();
    CheckForm(D);
  }
  {
    SCOPED_TRACE("find");
    TFrmFind D;
    CheckForm(D);
  }
  {
    SCOPED_TRACE("navigator");
    TFrmNavMsg D([this](std::int32_t K, bool Selected) { return C->Icon(K, Selected); });
    CheckForm(D);
  }
  {
    SCOPED_TRACE("inspector window");
    auto* W = new TFrmInspectStringList();
    CheckForm(*W);
    delete W;
  }
}

}  // namespace
