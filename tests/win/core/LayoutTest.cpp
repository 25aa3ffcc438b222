// The panel's layout as the window is resized: the list keeps its room when
// space is short, the panes get back the sizes the user gave them, those sizes
// are what is saved, a bar stored outside the panel, and nothing stale painted.
#include "ViewerFixture.h"

#include <ostream>

namespace {

using Layout = ViewerTest;

RECT RectIn(TWinControl& Parent, TWinControl& W) {
  RECT R{};
  GetWindowRect(W.GetHandle(), &R);
  MapWindowPoints(nullptr, Parent.GetHandle(), reinterpret_cast<POINT*>(&R), 2);
  return R;
}
int Width(const RECT& R) { return R.right - R.left; }
int Height(const RECT& R) { return R.bottom - R.top; }

struct TPanes {
  RECT List, Detail, Pad;
  bool operator==(const TPanes& O) const {
    return EqualRect(&List, &O.List) && EqualRect(&Detail, &O.Detail) && EqualRect(&Pad, &O.Pad);
  }
};
std::ostream& operator<<(std::ostream& S, const RECT& R) {
  return S << "(" << R.left << "," << R.top << ")-(" << R.right << "," << R.bottom << ")";
}
std::ostream& operator<<(std::ostream& S, const TPanes& P) {
  return S << "list " << P.List << " detail " << P.Detail << " pad " << P.Pad;
}

// The user drags a splitter's bar to Position.
void DragBar(TLxSplitter& S, int Position) {
  const bool Across = S.GetOrientation() == orHorizontal;
  auto At = [&](int P) { return Across ? MAKELPARAM(P, 20) : MAKELPARAM(20, P); };
  const int From = S.GetPosition() + 1;
  SendMessageA(S.GetHandle(), WM_LBUTTONDOWN, MK_LBUTTON, At(From));
  SendMessageA(S.GetHandle(), WM_MOUSEMOVE, MK_LBUTTON, At(From + Position - S.GetPosition()));
  SendMessageA(S.GetHandle(), WM_LBUTTONUP, 0, At(From + Position - S.GetPosition()));
}

class LayoutTest : public ViewerTest {
protected:
  void SetUp() override {
    ViewerTest::SetUp();
    C->SetViewInspectorPane(true);
    C->SetViewScratchPad(true);
    C->SetViewTimeStamp(true);
    Add(lxmInfo, "a message that wants the whole width of the list", 5);
    Resize(1000, 740);
    DragBar(*C->FInspectorSplitter, 600);
    DragBar(*C->FScratchPadSplitter, 450);
  }
  void Resize(int W, int H) {
    Form->SetBounds(40, 40, W, H);
    Pump();
  }
  TPanes Panes() { return {RectIn(*C, *C->FPnlMsgs), RectIn(*C, *C->FPnlDetail), RectIn(*C, *C->FGrdScratchPad)}; }
  // The message column's width, once the icon and the time stamp have theirs.
  int TextRoom() {
    const RECT Item{0, 0, List->GetClientWidth(), 18};
    const RECT M = C->GetMessageRect(0, Item);
    return M.right - M.left;
  }
};

TEST_F(LayoutTest, ThroughSmallSizesAndBackTheListKeepsItsRoomAndThePanesTheirSizes) {
  const TPanes Big = Panes();
  ASSERT_EQ(Width(Big.List), 600);
  ASSERT_EQ(Height(Big.List), 450);
  const int DetailWidth = Width(Big.Detail);
  const int PadHeight = Height(Big.Pad);

  Resize(320, 240);
  TPanes P = Panes();
  // The inspector pane gives way, the list keeps its minimum and text room.
  EXPECT_EQ(Width(P.List), 200) << P;
  EXPECT_EQ(Width(P.Detail), C->FInspectorSplitter->GetWidth() - 204) << P;
  EXPECT_GE(TextRoom(), 64) << "more than the time stamps";
  EXPECT_GE(Height(P.List), 72) << P;
  EXPECT_GT(Height(P.Pad), 0) << P;

  Resize(100, 150);  // the main window's smallest
  P = Panes();
  EXPECT_GT(Width(P.List), Width(P.Detail)) << P;
  EXPECT_GT(Width(P.Detail), 0) << P;
  EXPECT_GT(Height(P.List), Height(P.Pad)) << P;
  EXPECT_GT(Height(P.Pad), 0) << P;
  EXPECT_FALSE(C->FToolbar->GetWrapControls()) << "wrapped rows would leave the list no room";
  EXPECT_TRUE(C->GetWrapButtons());

  Resize(600, 420);
  P = Panes();
  EXPECT_EQ(Width(P.Detail), DetailWidth) << "room again: the width the user gave " << P;
  EXPECT_EQ(Width(P.List), C->FInspectorSplitter->GetWidth() - 4 - DetailWidth);
  EXPECT_EQ(Height(P.Pad), PadHeight) << P;
  EXPECT_TRUE(C->FToolbar->GetWrapControls());

  Resize(1000, 740);
  EXPECT_EQ(Panes(), Big);
}

TEST_F(LayoutTest, TheSavedBarsAreWhereTheUserPutThemNotWhereTheWindowSqueezedThem) {
  // Sizes that a 320 x 240 window squeezes but has room for.
  DragBar(*C->FInspectorSplitter, C->FInspectorSplitter->GetWidth() - 4 - 250);
  DragBar(*C->FScratchPadSplitter, C->FScratchPadSplitter->GetHeight() - 4 - 100);
  const TPanes Big = Panes();
  ASSERT_EQ(Width(Big.Detail), 250);
  TTempKey Key(TBkOrlimoComposite::RegistryKey);
  Resize(320, 240);
  const TPanes Small = Panes();
  ASSERT_LT(Width(Small.Detail), 250);
  C->SaveSettings();
  const int Stored = std::stoi(Key.Get("View", "InspectorBarPos"));
  EXPECT_EQ(C->FInspectorSplitter->GetWidth() - 4 - Stored, 250) << "the user's width";
  // Started again at this size: the same layout, and the same sizes when it grows.
  DragBar(*C->FInspectorSplitter, 250);
  C->LoadSettings();
  Pump();
  EXPECT_EQ(Panes(), Small);
  Resize(1000, 740);
  EXPECT_EQ(Panes(), Big);
  // A pane wider than the whole splitter is stored as wide as it then is.
  DragBar(*C->FInspectorSplitter, 200);
  Resize(320, 240);
  C->SaveSettings();
  EXPECT_EQ(Key.Get("View", "InspectorBarPos"), "0");
}

TEST_F(LayoutTest, TheSizeGripIsDrawnOnlyAtTheStatusBarsRightEnd) {
  Resize(600, 420);
  UpdateWindow(Form->GetHandle());
  Resize(1000, 740);
  UpdateWindow(Form->GetHandle());
  // The grip's lines, as the screen shows the bar and its panes: a highlight
  // pixel with two shadow pixels after it (a pane's edges are a highlight
  // line, a gap, then a shadow line).
  TLxCustomStatusBar& Bar = *C->FStatusBar;
  HDC Screen = GetDC(Bar.GetHandle());
  const COLORREF Hi = ColorToRGB(clBtnHighlight), Sh = ColorToRGB(clBtnShadow);
  int First = -1;
  bool AtEnd = false;
  for (int Y = 0; Y < Bar.GetHeight(); ++Y)
    for (int X = 0; X + 2 < Bar.GetWidth(); ++X)
      if (GetPixel(Screen, X, Y) == Hi && GetPixel(Screen, X + 1, Y) == Sh && GetPixel(Screen, X + 2, Y) == Sh) {
        if (X < Bar.GetWidth() - 13 && First < 0) First = X;
        AtEnd = AtEnd || X >= Bar.GetWidth() - 13;
      }
  ReleaseDC(Bar.GetHandle(), Screen);
  EXPECT_EQ(First, -1) << "a grip left where the right end was";
  EXPECT_TRUE(AtEnd);
}

TEST_F(Layout, AStoredBarBeyondThePanelIsKeptAndCentredWhenItsPaneIsShown) {
  TTempKey Key(TBkOrlimoComposite::RegistryKey);
  Key.Set("View", "InspectorBarPos", "5000");
  Key.Set("View", "ScratchPadBarPos", "5000");
  C->LoadSettings();
  Pump();
  EXPECT_EQ(C->FInspectorSplitter->GetPosition(), 5000) << "applied as stored";
  EXPECT_EQ(C->FScratchPadSplitter->GetPosition(), 5000);
  C->SaveSettings();
  EXPECT_EQ(Key.Get("View", "InspectorBarPos"), "5000");
  Form->SetBounds(40, 40, 640, 440);  // a resize in between changes nothing
  Pump();
  C->SetViewInspectorPane(true);
  EXPECT_EQ(C->FInspectorSplitter->GetPosition(), C->FInspectorSplitter->GetWidth() / 2);
  EXPECT_GT(C->FPnlDetail->GetWidth(), 100);
  C->SetViewScratchPad(true);
  EXPECT_EQ(C->FScratchPadSplitter->GetPosition(), C->FScratchPadSplitter->GetHeight() / 2);
  EXPECT_GT(C->FGrdScratchPad->GetHeight(), 50);
  // A pane shown when the stored places arrive is shown by them: centred at once.
  Key.Set("View", "Inspector", "1");
  C->LoadSettings();
  Pump();
  EXPECT_TRUE(C->FInspectorSplitter->GetLowerRight()->GetVisible());
  EXPECT_EQ(C->FInspectorSplitter->GetPosition(), C->FInspectorSplitter->GetWidth() / 2);
  EXPECT_GT(C->FPnlDetail->GetWidth(), 100);
}

}  // namespace
