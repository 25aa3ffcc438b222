// The status bar: its look, the count and selection panes, the time
// difference of the selection, the status notification and the size grip.
#include "ViewerFixture.h"

#include "components/LxCommon.h"
#include "core/BkLxStr.h"

namespace {

class StatusBar : public ViewerTest {
protected:
  void SetUp() override {
    ViewerTest::SetUp();
    C->OnUpdateStatus = [this](TObject*, bool HasSelection, bool NotEmpty) {
      ++Fired;
      LastSelection = HasSelection;
      LastNotEmpty = NotEmpty;
    };
  }
  void Select(std::initializer_list<int> Items) {
    List->ClearSelection();
    for (int I : Items) List->SetSelected(I, true);
    C->UpdateStatus();
  }
  std::string TimeDiff() { return C->FStsTimeDiff->GetCaption(); }

  int Fired = 0;
  bool LastSelection = true, LastNotEmpty = true;
};

TEST_F(StatusBar, EmptyListShowsZerosAndADisabledTimeDifference) {
  C->UpdateStatus();
  EXPECT_EQ(C->FStsMsgCount->GetCaption(), "0 Messages");
  EXPECT_EQ(C->FStsSelCount->GetCaption(), "0 Selected");
  EXPECT_EQ(TimeDiff(), "");
  EXPECT_FALSE(C->FStsTimeDiff->GetEnabled());
  EXPECT_EQ(Fired, 1);
  EXPECT_FALSE(LastSelection);
  EXPECT_FALSE(LastNotEmpty);
}

TEST_F(StatusBar, OneSelectedMessageHasNoTimeDifference) {
  Add(lxmInfo, "a", 1000);
  Select({0});
  EXPECT_EQ(C->FStsMsgCount->GetCaption(), "1 Messages");
  EXPECT_EQ(C->FStsSelCount->GetCaption(), "1 Selected");
  EXPECT_EQ(TimeDiff(), "");
  EXPECT_FALSE(C->FStsTimeDiff->GetEnabled());
  EXPECT_TRUE(LastSelection);
  EXPECT_TRUE(LastNotEmpty);
}

TEST_F(StatusBar, TwoMessagesShowTheTimeBetweenThemInBothInsertionOrders) {
  for (bool AtEnd : {true, false}) {
    C->Clear();
    C->SetInsertAtEnd(AtEnd);
    Add(lxmInfo, "earlier", 10'000);
    Add(lxmInfo, "later", 11'234);
    Select({0, 1});
    EXPECT_EQ(TimeDiff(), "0:00:01.234") << "insert at end: " << AtEnd;
    EXPECT_TRUE(C->FStsTimeDiff->GetEnabled());
    EXPECT_EQ(C->FStsSelCount->GetCaption(), "2 Selected");
  }
}

TEST_F(StatusBar, ThreeSelectedCountOnlyTheOutermost) {
  Add(lxmInfo, "a", 1'000);
  Add(lxmInfo, "b", 999'000);
  Add(lxmInfo, "c", 1'500);
  Add(lxmInfo, "d", 3'000);
  Select({0, 1, 3});
  EXPECT_EQ(TimeDiff(), "0:00:02.000");
  Select({0, 2});
  EXPECT_EQ(TimeDiff(), "0:00:00.500");
}

TEST_F(StatusBar, ALaterEndWithTheSmallerTickShowsNoTime) {
  Add(lxmInfo, "a", 5'000);
  Add(lxmInfo, "b", 4'000);
  Select({0, 1});
  EXPECT_EQ(TimeDiff(), "xx:xx:xx.xxx");
  // Newest on top: the higher line is the later one.
  C->Clear();
  C->SetInsertAtEnd(false);
  Add(lxmInfo, "a", 4'000);
  Add(lxmInfo, "b", 5'000);
  Select({0, 1});
  EXPECT_EQ(TimeDiff(), "0:00:01.000");
}

TEST_F(StatusBar, HoursAreShownModulo24) {
  Add(lxmInfo, "a", 0);
  Add(lxmInfo, "b", ((25 * 60 + 1) * 60 + 1) * 1000 + 1);
  Select({0, 1});
  EXPECT_EQ(TimeDiff(), "1:01:01.001");
  Select({1});
  EXPECT_EQ(TimeDiff(), "") << "fewer than two selected empties the pane";
  EXPECT_FALSE(C->FStsTimeDiff->GetEnabled());
}

TEST_F(StatusBar, CountsFollowTheListsRepaintNotEachMessage) {
  C->UpdateStatus();
  Fired = 0;
  for (int I = 0; I < 50; ++I) Add(lxmInfo, "m", I);
  EXPECT_EQ(C->FStsMsgCount->GetCaption(), "0 Messages") << "no status work per message";
  EXPECT_EQ(Fired, 0);
  List->RepaintTimerTick();
  EXPECT_EQ(C->FStsMsgCount->GetCaption(), "50 Messages");
  EXPECT_EQ(Fired, 1) << "the host hears that the list is no longer empty";
  EXPECT_TRUE(LastNotEmpty);
  for (int I = 0; I < 5; ++I) Add(lxmInfo, "m", I);
  List->FlushChanges();
  EXPECT_EQ(C->FStsMsgCount->GetCaption(), "55 Messages");
  EXPECT_EQ(Fired, 1) << "nothing new for the host";
}

TEST_F(StatusBar, LookIsFixedWhenMade) {
  EXPECT_EQ(C->FStatusBar->GetHeight(), 19);
  EXPECT_EQ(C->FStatusBar->GetBorderOuter(), fsNone);
  EXPECT_EQ(C->FStatusBar->GetBorderInner(), fsNone);
  EXPECT_EQ(C->FStatusBar->GetBorderSides(), sdAllSides);
  EXPECT_EQ(C->FStatusBar->GetFrameSides(), sdNoSides);
  EXPECT_EQ(C->FStatusBar->GetAlign(), alBottom);
  SetNewStyleControls(false);
  TBkOrlimoStatusBar Old(nullptr);
  SetNewStyleControls(true);
  EXPECT_EQ(Old.GetHeight(), 24);
  EXPECT_EQ(Old.GetBorderOuter(), fsPopup);
  EXPECT_EQ(Old.GetFrameSides(), sdNoSides) << "no frame line on top";
  EXPECT_EQ(Old.GetBorderWidth(), 0);
}

// Whether the bar's alignment was suspended when the pane was shown or hidden.
class TWatchedPane : public TLxStatusPane {
public:
  using TLxStatusPane::TLxStatusPane;
  std::vector<bool> Suspended;

protected:
  void VisibleChanged() override {
    TLxStatusPane::VisibleChanged();
    if (auto* Bar = dynamic_cast<TWinControl*>(GetParent())) Suspended.push_back(Bar->AlignDisabled());
  }
};

template <class T>
concept WithAutoStyle = requires(T& Bar) {
  Bar.SetAutoStyle(false);
  Bar.GetAutoStyle();
};
template <class T>
concept WithAdjustStyle = requires(T& Bar) {
  Bar.AdjustStyle();
};

// The viewer's bar has no style to re-apply, and simple mode shows or hides
// the panes with the alignment running; the components' own bar keeps both.
TEST_F(StatusBar, HasNoAutoStyleAndSwitchesSimpleModeWithAlignmentRunning) {
  EXPECT_FALSE(WithAutoStyle<TBkOrlimoStatusBar>);
  EXPECT_FALSE(WithAdjustStyle<TBkOrlimoStatusBar>);
  EXPECT_TRUE(WithAutoStyle<TLxStatusBar>);
  EXPECT_TRUE(WithAdjustStyle<TLxStatusBar>);

  auto* Pane = new TWatchedPane(C->FStatusBar);
  Pane->SetParent(C->FStatusBar);
  C->FStatusBar->SetSimpleStatus(true);
  EXPECT_FALSE(C->FStsMsgCount->GetVisible());
  EXPECT_FALSE(Pane->GetVisible());
  C->FStatusBar->SetSimpleStatus(false);
  EXPECT_TRUE(C->FStsMsgCount->GetVisible());
  EXPECT_TRUE(Pane->GetVisible());
  EXPECT_EQ(Pane->Suspended, (std::vector<bool>{false, false}));

  TLxStatusBar Bar(Form.get());
  Bar.SetParent(Form.get());
  auto* Other = new TWatchedPane(&Bar);
  Other->SetParent(&Bar);
  Bar.SetSimpleStatus(true);
  Bar.SetSimpleStatus(false);
  EXPECT_EQ(Other->Suspended, (std::vector<bool>{true, true}));
}

TEST_F(StatusBar, GripIsGoneWhileTheFormIsMaximised) {
  EXPECT_TRUE(C->FStatusBar->SizeGripShowing());
  Form->SetWindowState(wsMaximized);
  EXPECT_FALSE(C->FStatusBar->SizeGripShowing());
  Form->SetWindowState(wsNormal);
  EXPECT_TRUE(C->FStatusBar->SizeGripShowing());
}

TEST_F(StatusBar, PressedToggleButtonIsDrawnSunk) {
  C->SetViewInspectorPane(true);
  auto Down = Paint(*C->FBtnInspectorPane);
  EXPECT_EQ(Down->Pixel(0, 0), Sys(COLOR_BTNSHADOW));
  EXPECT_EQ(Down->Pixel(24, 24), Sys(COLOR_BTNHIGHLIGHT));
  EXPECT_EQ(Down->Pixel(2, 2), Sys(COLOR_3DLIGHT)) << "a latched button shows the light face";
  C->SetViewInspectorPane(false);
  auto Up = Paint(*C->FBtnInspectorPane);
  EXPECT_EQ(Up->Pixel(0, 0), Sys(COLOR_BTNFACE));
  EXPECT_EQ(Up->Pixel(2, 2), Sys(COLOR_BTNFACE));
}

// The time-difference glyph: frame 1 while fewer than two messages are
// selected, frame 0 otherwise.
TEST_F(StatusBar, TimeDifferenceGlyphShowsItsDisabledFrame) {
  if (!FindResourceA(BkLxStr::ResourceModule(), "BKORLIMO_TIMEDIFF", reinterpret_cast<LPCSTR>(RT_BITMAP)))
    GTEST_SKIP() << "no BKORLIMO_TIMEDIFF bitmap in this build";
  TBitmap& G = C->FStsTimeDiff->GetGlyph();
  ASSERT_EQ(C->FStsTimeDiff->GetNumGlyphs(), 2);
  const int FW = G.GetWidth() / 2, FH = G.GetHeight();
  HDC GDC = G.GetCanvas().GetHandle();
  const COLORREF Transparent = GetPixel(GDC, 0, FH - 1);
  // Where the pane puts its glyph: found where frame Frame matches the picture.
  auto Shows = [&](TSurface& S, int Frame) {
    for (int Y0 = 0; Y0 + FH <= S.Height(); ++Y0)
      for (int X0 = 0; X0 + FW <= S.Width() && X0 < 12; ++X0) {
        bool All = true;
        int Opaque = 0;
        for (int Y = 0; Y < FH && All; ++Y)
          for (int X = 0; X < FW && All; ++X) {
            const COLORREF P = GetPixel(GDC, Frame * FW + X, Y);
            if (P == Transparent) continue;
            ++Opaque;
            All = S.Pixel(X0 + X, Y0 + Y) == P;
          }
        if (All && Opaque > 0) return true;
      }
    return false;
  };
  C->UpdateStatus();
  auto Disabled = Paint(*C->FStsTimeDiff);
  EXPECT_TRUE(Shows(*Disabled, 1));
  EXPECT_FALSE(Shows(*Disabled, 0));
  Add(lxmInfo, "a", 1);
  Add(lxmInfo, "b", 2);
  Select({0, 1});
  auto Enabled = Paint(*C->FStsTimeDiff);
  EXPECT_TRUE(Shows(*Enabled, 0));
}

}  // namespace
