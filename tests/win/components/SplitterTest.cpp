// The splitter: pane layout, limits, the fixed pane, change notifications and dragging.
#include "components/LxSplit.h"
#include "TestUtil.h"

namespace {

class SplitterTest : public ::testing::Test {
protected:
  SplitterTest() : Form(600, 400), S(&Form) {
    S.SetParent(&Form);
    S.SetBounds(0, 0, 300, 200);
    S.OnChange = [this](TObject*) { ++Changes; };
  }
  RECT Pane(int I) { return S.GetPaneData(I)->GetPane()->GetBoundsRect(); }
  THostForm Form;
  TLxSplitter S;
  int Changes = 0;
};

TEST_F(SplitterTest, PanesAndBarFollowPositionAndOrientation) {
  EXPECT_EQ(S.GetPosition(), 100);
  EXPECT_TRUE(RectIs(Pane(1), 0, 0, 100, 200));
  EXPECT_TRUE(RectIs(S.GetBarRect(), 100, 0, 104, 200));
  EXPECT_TRUE(RectIs(Pane(2), 104, 0, 300, 200));
  S.SetOrientation(orVertical);
  S.SetPosition(60);
  EXPECT_TRUE(RectIs(Pane(1), 0, 0, 300, 60));
  EXPECT_TRUE(RectIs(S.GetBarRect(), 0, 60, 300, 64));
  EXPECT_TRUE(RectIs(Pane(2), 0, 64, 300, 200));
  S.SetSplitterWidth(6);
  EXPECT_TRUE(RectIs(Pane(2), 0, 66, 300, 200));
  EXPECT_EQ(S.GetPercent(), 30);  // 60 / (200 - 3)
}

TEST_F(SplitterTest, HiddenLowerPaneGivesEverythingToTheUpperAndLocksTheBar) {
  S.GetLowerRight()->SetVisible(false);
  EXPECT_TRUE(RectIs(Pane(1), 0, 0, 300, 200));
  const RECT Bar = S.GetBarRect();
  EXPECT_TRUE(::IsRectEmpty(&Bar) != 0);
  // A press where the bar was starts no drag.
  ::SendMessageA(S.WindowHandle(), WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(101, 50));
  EXPECT_FALSE(S.GetDragging());
  ::SendMessageA(S.WindowHandle(), WM_LBUTTONUP, 0, MAKELPARAM(101, 50));
  S.GetLowerRight()->SetVisible(true);
  EXPECT_TRUE(RectIs(Pane(2), 104, 0, 300, 200));
}

TEST_F(SplitterTest, CheckPositionStopsShortOfTheFarEdge) {
  int P = 1000;
  S.CheckPosition(P);
  EXPECT_EQ(P, 300 - 4);
  S.SetBorderWidth(2);
  S.SetSplitterStyle(ssGroove);
  P = 1000;
  S.CheckPosition(P);
  EXPECT_EQ(P, 300 - 4 - 4 - 4);
  P = -20;
  S.CheckPosition(P);
  EXPECT_EQ(P, 0);
  S.SetPositionMin(30);
  S.SetPositionMax(295);
  EXPECT_EQ(S.GetPositionMax(), 300 - 4 - 4 - 4);  // limited to what fits
  S.SetPositionMax(200);
  P = 10;
  S.CheckPosition(P);
  EXPECT_EQ(P, 30);
  P = 280;
  S.CheckPosition(P);
  EXPECT_EQ(P, 200);
}

TEST_F(SplitterTest, UnchangedPositionDoesNothingAndARefusalKeepsEverything) {
  S.SetPosition(100);
  EXPECT_EQ(Changes, 0);
  S.OnChanging = [](TObject*, int, bool& Allow) { Allow = false; };
  S.SetPosition(150);
  EXPECT_EQ(S.GetPosition(), 100);
  EXPECT_TRUE(RectIs(Pane(1), 0, 0, 100, 200));
  EXPECT_EQ(Changes, 0);
  S.OnChanging = nullptr;
  S.SetPosition(150);
  EXPECT_EQ(Changes, 1);
  EXPECT_TRUE(RectIs(Pane(1), 0, 0, 150, 200));
}

TEST_F(SplitterTest, FixedLowerRightPaneKeepsItsSizeWhenTheSplitterGrows) {
  S.SetFixedPane(fpLowerRight);
  S.SetPosition(200);  // lower/right pane: 300 - 200 - 4 = 96 wide
  S.SetBounds(0, 0, 500, 200);
  EXPECT_EQ(S.GetPosition(), 400);
  EXPECT_EQ(Pane(2).right - Pane(2).left, 96);
  S.SetFixedPane(fpUpperLeft);
  S.SetBounds(0, 0, 450, 200);
  EXPECT_EQ(S.GetPosition(), 400);
}

TEST_F(SplitterTest, APaneSqueezedByAResizeGetsItsSizeBackWhenTheSplitterGrows) {
  S.SetFixedPane(fpLowerRight);
  S.SetPosition(200);  // lower/right pane: 96 wide
  for (int W : {150, 80, 30, 500}) S.SetBounds(0, 0, W, 200);
  EXPECT_EQ(S.GetPosition(), 400);
  EXPECT_EQ(Pane(2).right - Pane(2).left, 96) << "not the 26 pixels it had at the smallest";
  EXPECT_EQ(S.GetGivenPosition(), 400);
  S.SetBounds(0, 0, 80, 200);
  EXPECT_EQ(S.GetPosition(), 0);
  EXPECT_EQ(S.GetGivenPosition(), -20) << "where the bar goes when there is room";
  // The upper/left pane fixed: the same.
  S.SetBounds(0, 0, 300, 200);
  S.SetFixedPane(fpUpperLeft);
  S.SetPosition(250);
  S.SetBounds(0, 0, 100, 200);
  EXPECT_EQ(S.GetPosition(), 96);
  S.SetBounds(0, 0, 300, 200);
  EXPECT_EQ(S.GetPosition(), 250);
  // A position asked for anew is the new given place.
  S.SetBounds(0, 0, 100, 200);
  S.SetPosition(96);
  S.SetBounds(0, 0, 300, 200);
  EXPECT_EQ(S.GetPosition(), 96);
}

TEST_F(SplitterTest, PaneMinimumsMakeTheFixedPaneGiveWayFirst) {
  S.SetFixedPane(fpLowerRight);
  S.SetBounds(0, 0, 400, 200);
  S.GetUpperLeft()->SetMinSize(100);
  S.GetLowerRight()->SetMinSize(50);
  S.SetPosition(60);  // set, not dragged: as asked for
  EXPECT_EQ(S.GetPosition(), 60);
  S.SetPosition(150);  // the fixed pane is given 246
  auto Widths = [&] { return std::make_pair(int(Pane(1).right - Pane(1).left), int(Pane(2).right - Pane(2).left)); };
  S.SetBounds(0, 0, 300, 200);  // the upper/left pane keeps its minimum, the fixed one gives way
  EXPECT_EQ(Widths(), std::make_pair(100, 196));
  S.SetBounds(0, 0, 154, 200);  // down to its own minimum
  EXPECT_EQ(Widths(), std::make_pair(100, 50));
  S.SetBounds(0, 0, 124, 200);  // 120 to share: in proportion to the minimums
  EXPECT_EQ(Widths(), std::make_pair(80, 40));
  S.SetBounds(0, 0, 400, 200);
  EXPECT_EQ(Widths(), std::make_pair(150, 246)) << "back to what was given";
  EXPECT_EQ(S.GetGivenPosition(), 150);
  // A hidden pane takes no room and keeps no minimum.
  S.GetLowerRight()->SetVisible(false);
  EXPECT_EQ(S.GetPosition(), 150);
  S.SetBounds(0, 0, 124, 200);
  S.GetLowerRight()->SetVisible(true);  // shown in a small splitter: fitted at once
  EXPECT_EQ(Widths(), std::make_pair(80, 40));
  // A drag stops at either pane's minimum.
  S.SetBounds(0, 0, 400, 200);
  auto Drag = [&](int To) {
    const int From = S.GetPosition() + 1;
    ::SendMessageA(S.WindowHandle(), WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(From, 50));
    ::SendMessageA(S.WindowHandle(), WM_MOUSEMOVE, MK_LBUTTON, MAKELPARAM(To, 50));
    ::SendMessageA(S.WindowHandle(), WM_LBUTTONUP, 0, MAKELPARAM(To, 50));
  };
  Drag(5);
  EXPECT_EQ(S.GetPosition(), 100);
  Drag(399);
  EXPECT_EQ(S.GetPosition(), 400 - 4 - 50);
}

TEST_F(SplitterTest, SelectingAPaneHandsTheKeyboardOverThroughTheSplitter) {
  TEdit Upper(&Form), Lower(&Form), Outside(&Form);
  Upper.SetParent(S.GetUpperLeft()->GetPane());
  Lower.SetParent(S.GetLowerRight()->GetPane());
  Outside.SetParent(&Form);
  Outside.SetBounds(0, 250, 100, 20);
  Form.Show();
  std::vector<TObject*> Entered;
  for (TWinControl* W : {static_cast<TWinControl*>(&S), static_cast<TWinControl*>(&Upper)})
    W->OnEnter = [&Entered](TObject* Sender) { Entered.push_back(Sender); };
  Form.SetActiveControl(&Lower);
  ASSERT_EQ(Form.GetActiveControl(), &Lower);
  S.SetSelectedPane(spUpperLeft);
  EXPECT_EQ(S.GetSelectedPane(), spUpperLeft);
  EXPECT_EQ(Form.GetActiveControl(), &Upper) << "the splitter's first control";
  if (Form.GetActive()) {
    EXPECT_EQ(::GetFocus(), Upper.WindowHandle());
    EXPECT_EQ(Entered, (std::vector<TObject*>{&S, &Upper})) << "the splitter held the keyboard in between";
  }
  // The selected pane comes to the front.
  EXPECT_EQ(::GetWindow(S.WindowHandle(), GW_CHILD), S.GetUpperLeft()->GetPane()->WindowHandle());
  S.SetSelectedPane(spLowerRight);
  EXPECT_EQ(::GetWindow(S.WindowHandle(), GW_CHILD), S.GetLowerRight()->GetPane()->WindowHandle());
  // The keyboard elsewhere stays where it is.
  Form.SetActiveControl(&Outside);
  Entered.clear();
  S.SetSelectedPane(spUpperLeft);
  EXPECT_EQ(Form.GetActiveControl(), &Outside);
  EXPECT_TRUE(Entered.empty());
  for (TEdit* E : {&Upper, &Lower, &Outside}) E->SetParent(nullptr);
}

TEST_F(SplitterTest, PercentModeFollowsTheSizeWithoutDrifting) {
  S.SetPercent(25);
  EXPECT_TRUE(S.GetUsePercent());
  EXPECT_EQ(S.GetPosition(), 74);  // 25 % of 300 - 2 = 74.5, to even
  for (int W : {301, 333, 517, 300}) S.SetBounds(0, 0, W, 200);
  EXPECT_EQ(S.GetPercent(), 25);
  EXPECT_EQ(S.GetPosition(), 74);
  S.SetFixedPane(fpLowerRight);
  S.SetBounds(0, 0, 402, 200);
  EXPECT_EQ(S.GetPosition(), 402 - 100);
  S.SetBounds(0, 0, 300, 200);
  EXPECT_EQ(S.GetPercent(), 25);
}

TEST_F(SplitterTest, InPercentModeAResizeSetsTheLimitsToTheirPercentages) {
  S.SetPercent(50);
  S.SetPercentMin(10);
  S.SetBounds(0, 0, 302, 200);  // s = 302 - 4 div 2 = 300
  EXPECT_EQ(S.GetPositionMin(), 30);
  EXPECT_EQ(S.GetPositionMax(), 300);  // 100 % of s
  EXPECT_EQ(S.GetPosition(), 150);
  S.SetPercentMin(0);
  S.SetBounds(0, 0, 300, 200);  // s = 298
  EXPECT_EQ(S.GetPositionMin(), 0);
  EXPECT_EQ(S.GetPositionMax(), 298);
  EXPECT_EQ(S.GetPosition(), 149);

  // Dragged past the far edge, the bar stops at 100 %, which lets it go
  // further than the last position where it fits whole (300 - 4 = 296).
  auto Drag = [&](int From, int To) {
    ::SendMessageA(S.WindowHandle(), WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(From, 50));
    ::SendMessageA(S.WindowHandle(), WM_MOUSEMOVE, MK_LBUTTON, MAKELPARAM(To, 50));
    ::SendMessageA(S.WindowHandle(), WM_LBUTTONUP, 0, MAKELPARAM(To, 50));
  };
  Drag(151, 1000);
  EXPECT_EQ(S.GetPosition(), 298);
  EXPECT_EQ(S.GetPercent(), 100);
  EXPECT_TRUE(RectIs(S.GetBarRect(), 298, 0, 302, 200));
  S.SetSplitterStyle(ssGroove);
  S.SetColor(0x00FFFFFF);
  TTestSurface T(300, 200);
  S.PaintWindow(T.DC());
  // The groove runs along the bar's middle (298 + 4 / 2 - 1), one pixel from
  // the edge; a bar that stopped where it fits whole would have it at 297.
  EXPECT_EQ(T.At(297, 50), 0x00FFFFFFu);
  EXPECT_EQ(T.At(298, 50), 0x00FFFFFFu);
  EXPECT_EQ(T.At(299, 50), Sys(clBtnShadow));
  // Back past the near edge: 0 %.
  Drag(299, -500);
  EXPECT_EQ(S.GetPosition(), 0);
  EXPECT_EQ(S.GetPercent(), 0);
}

TEST_F(SplitterTest, TheDragMaskXorsEveryOtherPixelWithGrey) {
  struct TMaskSplitter : TLxSplitter {
    using TLxSplitter::PaintDragMask;
    using TLxSplitter::TLxSplitter;
  } M(&Form);
  TTestSurface T(16, 16, 0x00FF00FF);
  const RECT R{2, 3, 10, 13};
  M.PaintDragMask(T.DC(), R);
  for (int Y = 0; Y < 16; ++Y)
    for (int X = 0; X < 16; ++X) {
      const POINT P{X, Y};
      const bool Grey = ::PtInRect(&R, P) && (X + Y) % 2 == 0;
      ASSERT_EQ(T.At(X, Y), Grey ? RGB(0x7F, 0x80, 0x7F) : RGB(0xFF, 0x00, 0xFF)) << X << "," << Y;
    }
  M.PaintDragMask(T.DC(), R);  // twice at the same place: nothing left
  for (int Y = 0; Y < 16; ++Y)
    for (int X = 0; X < 16; ++X) ASSERT_EQ(T.At(X, Y), RGB(0xFF, 0x00, 0xFF)) << X << "," << Y;
}

TEST_F(SplitterTest, DraggingTheBarMovesItOnceOnRelease) {
  ::SendMessageA(S.WindowHandle(), WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(102, 50));
  ASSERT_TRUE(S.GetDragging());
  ::SendMessageA(S.WindowHandle(), WM_MOUSEMOVE, MK_LBUTTON, MAKELPARAM(150, 60));
  ::SendMessageA(S.WindowHandle(), WM_MOUSEMOVE, MK_LBUTTON, MAKELPARAM(1000, 60));
  EXPECT_EQ(S.GetPosition(), 100);  // nothing moves while dragging
  EXPECT_EQ(Changes, 0);
  ::SendMessageA(S.WindowHandle(), WM_LBUTTONUP, 0, MAKELPARAM(1000, 60));
  EXPECT_FALSE(S.GetDragging());
  EXPECT_EQ(S.GetPosition(), 296);  // stopped by CheckPosition
  EXPECT_EQ(Changes, 1);
  // A locked bar does not move.
  S.SetLockBar(true);
  ::SendMessageA(S.WindowHandle(), WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(297, 50));
  EXPECT_FALSE(S.GetDragging());
  ::SendMessageA(S.WindowHandle(), WM_LBUTTONUP, 0, MAKELPARAM(297, 50));
}

TEST_F(SplitterTest, PanesLetTheMouseThroughToTheSplitterAndHostChildren) {
  TLxSplitterPane* P = S.GetPaneData(1)->GetPane();
  const POINT At = P->ClientToScreen(POINT{10, 10});
  EXPECT_EQ(::SendMessageA(P->WindowHandle(), WM_NCHITTEST, 0, MAKELPARAM(At.x, At.y)), HTTRANSPARENT);
  // Children named in "LRControls" move into the lower/right pane.
  TLxPanel Child(&Form);
  Child.SetName("Detail");
  Child.SetParent(&Form);
  S.SetLRControls({"Detail"});
  EXPECT_EQ(Child.GetParent(), S.GetPaneData(2)->GetPane());
  EXPECT_EQ(S.GetLRControls(), std::vector<std::string>{"Detail"});
  Child.SetParent(nullptr);
}

TEST_F(SplitterTest, GroovedBarIsPaintedAcrossItsMiddle) {
  S.SetSplitterStyle(ssGroove);
  S.SetSplitterWidth(6);
  S.SetColor(0x00FFFFFF);
  TTestSurface T(300, 200);
  S.PaintWindow(T.DC());
  EXPECT_EQ(T.At(102, 50), Sys(clBtnShadow));  // 100 + 6 / 2 - 1
  EXPECT_EQ(T.At(103, 50), Sys(clBtnHighlight));
  EXPECT_EQ(T.At(101, 50), 0x00FFFFFFu);
}

}  // namespace
