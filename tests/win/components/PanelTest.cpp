// Framed panels, the wrapping toolbar and the status bar with real windows.
#include "components/LxPanel.h"
#include "components/LxStatus.h"
#include "TestUtil.h"

#include <memory>
#include <vector>

namespace {

class TButtonBox : public TCustomControl {
public:
  TButtonBox(TWinControl* Parent, int W = 25, int H = 25) : TCustomControl(Parent) {
    SetBounds(0, 0, W, H);
    SetParent(Parent);
  }
};

TEST(Panel, ChildrenAlignInsideFrameBorderWidthAndBorders) {
  THostForm Form;
  TLxPanel P(&Form);
  P.SetParent(&Form);
  P.SetBounds(0, 0, 100, 60);
  P.SetBorderWidth(3);
  P.SetFrameSides(sdTopSide);
  P.SetBorderInner(fsFlat);
  TButtonBox Child(&P, 10, 10);
  Child.SetAlign(alClient);
  // top: frame 1 + width 3 + raised 2 + flat 1; other sides the same less the frame line
  EXPECT_TRUE(RectIs(Child.GetBoundsRect(), 6, 7, 94, 54));
  // A changed side set re-aligns at once.
  P.SetBorderSides(sdLeftSide);
  EXPECT_TRUE(RectIs(Child.GetBoundsRect(), 6, 4, 97, 57));
}

TEST(Panel, PaintsFrameLinesBordersAndFace) {
  THostForm Form;
  TLxPanel P(&Form);
  P.SetParent(&Form);
  P.SetBounds(0, 0, 40, 20);
  P.SetFrameSides(sdBottomSide);
  P.SetColor(0x00C0FFC0);
  TTestSurface S(40, 20);
  P.PaintWindow(S.DC());
  EXPECT_EQ(S.At(10, 19), 0u);                // black frame line at the bottom
  EXPECT_EQ(S.At(0, 5), Sys(clBtnFace));      // raised border, outer upper-left
  EXPECT_EQ(S.At(39, 5), Sys(clBtnText));     // outer lower-right
  EXPECT_EQ(S.At(10, 17), Sys(clBtnShadow));  // inner lower-right above the frame line
  EXPECT_EQ(S.At(20, 10), Sys(0x00C0FFC0));   // the face
  // A popup outer border with a bevel of 2 uses the highlight and shadow colours.
  P.SetFrameSides(sdNoSides);
  P.SetBorderOuter(fsPopup);
  P.SetBevelWidth(2);
  P.SetBorderHighlight(0x0000FF);
  P.SetBorderShadow(0x00FF00);
  TTestSurface T(40, 20);
  P.PaintWindow(T.DC());
  EXPECT_EQ(T.At(1, 10), 0x0000FFu);
  EXPECT_EQ(T.At(38, 10), 0x00FF00u);
  EXPECT_EQ(T.At(2, 10), Sys(0x00C0FFC0));
}

class ToolbarTest : public ::testing::Test {
protected:
  ToolbarTest() : Form(600, 300), Bar(&Form) {
    Bar.SetParent(&Form);
    for (int I = 0; I < 4; ++I) Buttons.push_back(std::make_unique<TButtonBox>(&Bar));
  }
  void SetToolbarWidth(int W) {
    // Top-aligned: the width is the form's.
    ::SetWindowPos(Form.WindowHandle(), nullptr, 0, 0, W, 300, SWP_NOZORDER | SWP_NOACTIVATE);
  }
  THostForm Form;
  TLxToolbar Bar;
  std::vector<std::unique_ptr<TButtonBox>> Buttons;
};

TEST_F(ToolbarTest, WrapsAtTheExactWidth) {
  SetToolbarWidth(4 + 4 * 25 + 4);
  EXPECT_EQ(Bar.GetWidth(), 108);
  EXPECT_EQ(Buttons[3]->GetLeft(), 79);
  EXPECT_EQ(Buttons[3]->GetTop(), 4);
  EXPECT_EQ(Bar.GetHeight(), 25 + 2 * 4);
  SetToolbarWidth(107);
  EXPECT_EQ(Buttons[2]->GetTop(), 4);
  EXPECT_EQ(Buttons[3]->GetLeft(), 4);
  EXPECT_EQ(Buttons[3]->GetTop(), 29);
  EXPECT_EQ(Bar.GetHeight(), 2 * 25 + 2 * 4);
  // Three rows: RowHeight x 3 + 2 x Margin.
  Buttons[3]->Hide();
  SetToolbarWidth(40);
  EXPECT_EQ(Bar.GetHeight(), 25 * 3 + 2 * 4);
}

TEST_F(ToolbarTest, PostsASizeMessageSoTheParentReAligns) {
  TButtonBox Below(&Form, 10, 10);
  Below.SetAlign(alClient);
  SetToolbarWidth(400);
  PumpMessages();
  EXPECT_EQ(Below.GetTop(), Bar.GetHeight());
  Buttons[3]->Hide();
  SetToolbarWidth(40);  // three rows
  PumpMessages();
  EXPECT_EQ(Bar.GetHeight(), 83);
  EXPECT_EQ(Below.GetTop(), 83);
}

TEST_F(ToolbarTest, RemovingAControlClosesTheGap) {
  SetToolbarWidth(400);
  EXPECT_EQ(Buttons[2]->GetLeft(), 54);
  Buttons.erase(Buttons.begin() + 1);
  EXPECT_EQ(Bar.GetControlList().Count(), 3);
  EXPECT_EQ(Buttons[1]->GetLeft(), 29);
  EXPECT_EQ(Buttons[2]->GetLeft(), 54);
}

TEST_F(ToolbarTest, OrderListDecidesTheLayoutAndSpacersTakeTheirSize) {
  SetToolbarWidth(400);
  TLxSpacer Spacer(&Bar);
  Spacer.SetParent(&Bar);
  PumpMessages();  // the new child window joins the list at its end
  ASSERT_EQ(Bar.GetControlList().IndexOf(&Spacer), 4);
  EXPECT_EQ(Spacer.GetLeft(), 104);
  EXPECT_EQ(Spacer.GetWidth(), 8);
  EXPECT_EQ(Spacer.GetHeight(), 29);
  EXPECT_EQ(Spacer.GetTop(), 4 + 12 - 14);
  // A stored order by names, resolved at Loaded.
  Buttons[0]->SetName("A");
  Buttons[1]->SetName("B");
  Buttons[2]->SetName("C");
  Buttons[3]->SetName("D");
  Spacer.SetName("S");
  Bar.SetToolbarControls({"D", "S", "A", "B", "C"});
  EXPECT_EQ(Buttons[3]->GetLeft(), 4);
  EXPECT_EQ(Spacer.GetLeft(), 29);
  EXPECT_EQ(Buttons[0]->GetLeft(), 37);
  EXPECT_EQ(Bar.GetToolbarControls(), (std::vector<std::string>{"D", "S", "A", "B", "C"}));
}

TEST_F(ToolbarTest, ExplicitBordersSwitchAutoStyleOff) {
  EXPECT_TRUE(Bar.GetAutoStyle());
  EXPECT_EQ(Bar.GetBorderOuter(), fsGroove);
  EXPECT_EQ(Bar.GetBorderSides(), sdTopSide);
  Bar.SetAlign(alLeft);
  EXPECT_EQ(Bar.GetBorderSides(), sdLeftSide);
  EXPECT_EQ(Bar.GetWidth(), 4 + 29);  // one button a row: Margin + the widest row
  Bar.SetShowDivider(false);
  EXPECT_EQ(Bar.GetBorderOuter(), fsNone);
  Bar.SetBorderOuter(fsPopup);
  EXPECT_FALSE(Bar.GetAutoStyle());
  Bar.SetAlign(alBottom);
  EXPECT_EQ(Bar.GetBorderOuter(), fsPopup);
  EXPECT_EQ(Bar.GetBorderSides(), sdLeftSide);
}

TEST(StatusBar, SimpleModeHidesAndShowsEveryPane) {
  THostForm Form;
  TLxStatusBar Bar(&Form);
  Bar.SetParent(&Form);
  TLxStatusPane A(&Form), B(&Form);
  A.SetParent(&Bar);
  B.SetParent(&Bar);
  A.SetAlign(alLeft);
  B.SetAlign(alClient);
  B.Hide();
  EXPECT_EQ(Bar.GetHeight(), 19);
  EXPECT_EQ(Bar.GetAlign(), alBottom);
  Bar.SetSimpleStatus(true);
  EXPECT_FALSE(A.GetVisible());
  EXPECT_FALSE(B.GetVisible());
  Bar.SetSimpleStatus(false);
  EXPECT_TRUE(A.GetVisible());
  EXPECT_TRUE(B.GetVisible());
  // Panes reach the bar's left and right edges.
  EXPECT_EQ(A.GetLeft(), -1);
  EXPECT_EQ(B.GetLeft() + B.GetWidth(), Bar.GetWidth() + 1);
}

TEST(StatusBar, SizeGripIsPaintedAndPassedThroughButNotWhenMaximised) {
  TForm Form(nullptr);
  Form.SetBounds(0, 0, 300, 200);
  Form.HandleNeeded();
  TLxStatusBar Bar(&Form);
  Bar.SetParent(&Form);
  TLxStatusPane Pane(&Form);
  Pane.SetParent(&Bar);
  Pane.SetAlign(alClient);
  EXPECT_TRUE(RectIs(Bar.SizeGripRect(), Bar.GetWidth() - 13, 0, Bar.GetWidth(), Bar.GetHeight()));
  ASSERT_TRUE(Bar.SizeGripShowing());
  // The pane over the corner shows the grip: a highlight diagonal at (w - 13, h - 2).
  const int W = Bar.GetWidth(), H = Bar.GetHeight();
  TTestSurface S(Pane.GetWidth(), Pane.GetHeight());
  Pane.PaintWindow(S.DC());
  EXPECT_EQ(S.At(W - 13 - Pane.GetLeft(), H - 2 - Pane.GetTop()), Sys(clBtnHighlight));
  EXPECT_EQ(S.At(W - 12 - Pane.GetLeft(), H - 2 - Pane.GetTop()), Sys(clBtnShadow));
  // Its last 12 pixels let the mouse through to the bar.
  POINT In = Pane.ClientToScreen(POINT{Pane.GetWidth() - 5, 5});
  POINT Out = Pane.ClientToScreen(POINT{Pane.GetWidth() - 20, 5});
  EXPECT_EQ(::SendMessageA(Pane.WindowHandle(), WM_NCHITTEST, 0, MAKELPARAM(In.x, In.y)), HTTRANSPARENT);
  EXPECT_EQ(::SendMessageA(Pane.WindowHandle(), WM_NCHITTEST, 0, MAKELPARAM(Out.x, Out.y)), HTCLIENT);
  // Maximised: no grip.
  ::ShowWindow(Form.WindowHandle(), SW_MAXIMIZE);
  EXPECT_FALSE(Bar.SizeGripShowing());
  ::ShowWindow(Form.WindowHandle(), SW_RESTORE);
  Bar.SetShowSizeGrip(false);
  EXPECT_FALSE(Bar.SizeGripShowing());
}

}  // namespace
