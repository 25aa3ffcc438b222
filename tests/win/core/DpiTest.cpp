// The viewer at 150 % and 200 %: the main window, the dialogs and an
// inspector window rescaled for 144 and 192 DPI (sizes, glyphs, nothing
// clipped or overlapping), back to 96 DPI without drift, and a move to a
// screen of another DPI (WM_DPICHANGED) that keeps the list as it was.
#include "core/LxFndFrm.h"
#include "core/LxNavFrm.h"
#include "core/LxOptFrm.h"
#include "core/LxStrFrm.h"
#include "LayoutCheck.h"
#include "ViewerFixture.h"

#include "components/LxCommon.h"
#include "components/LxGeometry.h"

#include <string>
#include <vector>

#ifndef WM_DPICHANGED
#define WM_DPICHANGED 0x02E0
#endif

namespace {

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
  static void CheckForm(TCustomForm& F) { CheckFormAtDpis(F); }
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

TEST_F(DpiLayout, TheTipAndTheSizeGripFollowTheWindowsDpi) {
  Add(lxmInfo, "a message long enough to wrap in its tip: " + std::string(120, 'x'), 300);
  Pump();
  const std::int32_t Last = List->GetItems()->Count() - 1;
  const int Start = Form->GetCurrentDpi();
  for (int Dpi : {144, 192, Start}) {
    SCOPED_TRACE(Dpi);
    Form->ScaleToDpi(Dpi);
    Pump();
    // The tip: under its line, two design pixels in, its font 8 points at this DPI.
    C->JumpToItem(Last);
    C->ShowTip();
    ASSERT_TRUE(C->GetTipVisible());
    RECT Tip{};
    GetWindowRect(C->Tip().GetHandle(), &Tip);
    const RECT Item = List->ItemRect(Last);
    POINT Below{Item.left + ScaleForDpi(2, Dpi), Item.bottom + ScaleForDpi(2, Dpi)};
    ClientToScreen(List->GetHandle(), &Below);
    EXPECT_EQ(Tip.left, Below.x);
    EXPECT_EQ(Tip.top, Below.y);
    EXPECT_EQ(Tip.right - Tip.left, Item.right - Item.left - ScaleForDpi(4, Dpi));
    TFont Points;
    Points.SetSize(TBkOrlimoComposite::TipFontSize);
    EXPECT_EQ(C->Tip().GetFont().GetHeight(), ScaleBetweenDpi(Points.GetHeight(), ScreenDpi(), Dpi));
    EXPECT_EQ(Tip.bottom - Tip.top, C->Tip().CalcTipHeight(Tip.right - Tip.left) + ScaleForDpi(4, Dpi));
    SendMessageA(C->Tip().GetHandle(), WM_KEYDOWN, VK_ESCAPE, 1);
    EXPECT_FALSE(C->GetTipVisible());
    // The size grip: its corner, in the bar's right end, and the room the
    // last pane leaves it.
    TLxCustomStatusBar& Bar = *C->FStatusBar;
    const RECT Grip = Bar.SizeGripRect();
    EXPECT_EQ(Grip.right - Grip.left, ScaleForDpi(13, Dpi));
    EXPECT_EQ(Grip.right, Bar.GetWidth());
    EXPECT_EQ(SizeGripWidth(Bar.GetCurrentDpi()), ScaleForDpi(12, Dpi));
    const TLxSizeGrip Lines = SizeGripLines(TLxRect{0, 0, Bar.GetWidth(), Bar.GetHeight()}, Bar.GetWidth(),
                                            Bar.GetHeight(), Bar.GetCurrentDpi());
    EXPECT_EQ(Lines.Fill.Right - Lines.Fill.Left, ScaleForDpi(14, Dpi) - ScaleForDpi(1, Dpi));
    EXPECT_EQ(Lines.PenWidth, ScaleForDpi(1, Dpi));
    EXPECT_GE(Lines.Fill.Top, 0) << "the grip fits in the bar";
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
    // Its rows hold a kind icon and a line of text: their height follows too.
    for (int Dpi : {144, 96}) {
      D.ScaleToDpi(Dpi);
      EXPECT_EQ(SendMessageA(D.LstNavMsg->GetHandle(), LB_GETITEMHEIGHT, 0, 0),
                ScaleForDpi(TNavMsgListBox::ItemHeight, Dpi));
    }
  }
  {
    SCOPED_TRACE("inspector window");
    auto* W = new TFrmInspectStringList();
    CheckForm(*W);
    delete W;
  }
}

}  // namespace
