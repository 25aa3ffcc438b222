// Alignment layout: top ones stack downward, bottom ones upward, then left,
// right, and the client-aligned control takes what is left.
#include "platform/Controls.h"
#include "platform/Forms.h"

#include <gtest/gtest.h>

namespace {

class TBox : public TCustomControl {
public:
  TBox(TWinControl* Parent, TAlign Align, int W, int H) : TCustomControl(Parent) {
    SetBounds(0, 0, W, H);
    SetAlign(Align);
    SetParent(Parent);
  }
};

// A container whose border takes 3 pixels on each side.
class TFramed : public TCustomControl {
public:
  using TCustomControl::TCustomControl;
  void AdjustClientRect(RECT& R) override { ::InflateRect(&R, -3, -3); }
};

RECT BoundsOf(const TControl& C) { return C.GetBoundsRect(); }
::testing::AssertionResult Is(const RECT& R, int L, int T, int Rt, int B) {
  if (R.left == L && R.top == T && R.right == Rt && R.bottom == B) return ::testing::AssertionSuccess();
  return ::testing::AssertionFailure() << "(" << R.left << "," << R.top << "," << R.right << "," << R.bottom
                                       << ") expected (" << L << "," << T << "," << Rt << "," << B << ")";
}

void CheckStandardLayout(TWinControl& Host, TBox& Top1, TBox& Top2, TBox& Bottom, TBox& Left, TBox& Right,
                         TBox& Client) {
  EXPECT_TRUE(Is(BoundsOf(Top1), 0, 0, 300, 20));
  EXPECT_TRUE(Is(BoundsOf(Top2), 0, 20, 300, 24));
  EXPECT_TRUE(Is(BoundsOf(Bottom), 0, 181, 300, 200));
  EXPECT_TRUE(Is(BoundsOf(Left), 0, 24, 50, 181));
  EXPECT_TRUE(Is(BoundsOf(Right), 260, 24, 300, 181));
  EXPECT_TRUE(Is(BoundsOf(Client), 50, 24, 260, 181));
  (void)Host;
}

TEST(Align, LaysOutInCreationOrderWithoutAWindow) {
  TCustomControl Host(nullptr);
  Host.SetBounds(0, 0, 300, 200);
  // Created in an order that differs from the alignment order.
  TBox Client(&Host, alClient, 10, 10);
  TBox Bottom(&Host, alBottom, 10, 19);
  TBox Top1(&Host, alTop, 10, 20);
  TBox Left(&Host, alLeft, 50, 10);
  TBox Right(&Host, alRight, 40, 10);
  TBox Top2(&Host, alTop, 10, 4);
  CheckStandardLayout(Host, Top1, Top2, Bottom, Left, Right, Client);
  // Resizing the parent before it has a window re-lays out the children.
  Host.SetBounds(0, 0, 400, 300);
  EXPECT_TRUE(Is(BoundsOf(Bottom), 0, 281, 400, 300));
  EXPECT_TRUE(Is(BoundsOf(Client), 50, 24, 360, 281));
}

TEST(Align, FollowsResizesAndVisibilityWithWindows) {
  TForm Form(nullptr);
  Form.SetBorderStyle(bsNone);
  Form.SetBounds(0, 0, 300, 200);
  TBox Top1(&Form, alTop, 10, 20);
  TBox Top2(&Form, alTop, 10, 4);
  TBox Bottom(&Form, alBottom, 10, 19);
  TBox Left(&Form, alLeft, 50, 10);
  TBox Right(&Form, alRight, 40, 10);
  TBox Client(&Form, alClient, 10, 10);
  Form.HandleNeeded();
  CheckStandardLayout(Form, Top1, Top2, Bottom, Left, Right, Client);
  // The real windows sit where the fields say.
  RECT R{};
  ::GetWindowRect(Client.WindowHandle(), &R);
  ::MapWindowPoints(nullptr, Form.WindowHandle(), reinterpret_cast<POINT*>(&R), 2);
  EXPECT_TRUE(Is(R, 50, 24, 260, 181));

  // Resizing the parent through the system re-lays out the children.
  ::SetWindowPos(Form.WindowHandle(), nullptr, 0, 0, 400, 300, SWP_NOZORDER | SWP_NOACTIVATE);
  EXPECT_TRUE(Is(BoundsOf(Bottom), 0, 281, 400, 300));
  EXPECT_TRUE(Is(BoundsOf(Client), 50, 24, 360, 281));

  // Hiding a top control moves the rest up; showing it again restores its place.
  Top1.Hide();
  EXPECT_TRUE(Is(BoundsOf(Top2), 0, 0, 400, 4));
  EXPECT_TRUE(Is(BoundsOf(Client), 50, 4, 360, 281));
  Top1.Show();
  EXPECT_TRUE(Is(BoundsOf(Top1), 0, 0, 400, 20));
  EXPECT_TRUE(Is(BoundsOf(Top2), 0, 20, 400, 24));

  // A changed height of an aligned control is kept and the others follow.
  Top1.SetHeight(30);
  EXPECT_TRUE(Is(BoundsOf(Top1), 0, 0, 400, 30));
  EXPECT_TRUE(Is(BoundsOf(Client), 50, 34, 360, 281));
}

TEST(Align, UsesTheRectangleTheContainerAdjusts) {
  TFramed Host(nullptr);
  Host.SetBounds(0, 0, 100, 80);
  TBox Top(&Host, alTop, 5, 10);
  TBox Client(&Host, alClient, 5, 5);
  EXPECT_TRUE(Is(BoundsOf(Top), 3, 3, 97, 13));
  EXPECT_TRUE(Is(BoundsOf(Client), 3, 13, 97, 77));
}

TEST(Align, NothingGoesNegativeWhenTheParentIsTooSmall) {
  TCustomControl Host(nullptr);
  Host.SetBounds(0, 0, 30, 20);
  TBox Top(&Host, alTop, 5, 15);
  TBox Bottom(&Host, alBottom, 5, 15);
  TBox Client(&Host, alClient, 5, 5);
  EXPECT_GE(Client.GetHeight(), 0);
  EXPECT_EQ(Client.GetWidth(), 30);
}

TEST(Align, DisabledAlignmentRunsOnceWhenEnabledAgain) {
  TCustomControl Host(nullptr);
  Host.SetBounds(0, 0, 100, 100);
  TBox A(&Host, alTop, 5, 10);
  TBox B(&Host, alTop, 5, 10);
  Host.DisableAlign();
  A.Hide();
  EXPECT_EQ(B.GetTop(), 10);  // not yet
  Host.EnableAlign();
  EXPECT_EQ(B.GetTop(), 0);
}

TEST(Align, RemovingAnAlignedChildReleasesItsSpace) {
  TCustomControl Host(nullptr);
  Host.SetBounds(0, 0, 100, 100);
  auto* Left = new TBox(&Host, alLeft, 30, 5);
  TBox Client(&Host, alClient, 5, 5);
  EXPECT_EQ(Client.GetLeft(), 30);
  delete Left;
  EXPECT_EQ(Client.GetLeft(), 0);
  EXPECT_EQ(Client.GetWidth(), 100);
}

}  // namespace
