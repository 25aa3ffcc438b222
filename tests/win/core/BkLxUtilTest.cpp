#include "core/BkLxUtil.h"

#include <gtest/gtest.h>

using namespace BkLxUtil;

TEST(WorkArea, TaskbarOnEachEdgeIsCutOff) {
  const TLxRect Desk{0, 0, 1024, 768};
  EXPECT_EQ(WorkAreaFrom(Desk, std::nullopt), Desk);
  EXPECT_EQ(WorkAreaFrom(Desk, TLxRect{0, 738, 1024, 768}), (TLxRect{0, 0, 1024, 738}));  // bottom, 30 high
  EXPECT_EQ(WorkAreaFrom(Desk, TLxRect{0, 0, 1024, 28}), (TLxRect{0, 28, 1024, 768}));    // top
  EXPECT_EQ(WorkAreaFrom(Desk, TLxRect{0, 0, 60, 768}), (TLxRect{60, 0, 1024, 768}));     // left
  EXPECT_EQ(WorkAreaFrom(Desk, TLxRect{964, 0, 1024, 768}), (TLxRect{0, 0, 964, 768}));   // right
  // A taskbar whose outer edge hangs off the screen only takes what is visible.
  EXPECT_EQ(WorkAreaFrom(Desk, TLxRect{-2, 736, 1026, 770}), (TLxRect{0, 0, 1024, 736}));
}

TEST(CenterOver, CentredAndKeptOffTheTaskbar) {
  const TLxRect Work{0, 0, 1024, 738};
  // Plain centring, truncating toward zero.
  EXPECT_EQ(CenterOver(TLxRect{100, 100, 501, 301}, 101, 51, Work), (TLxPoint{250, 175}));
  // A panel near the bottom: the dialog is pushed up so it never covers the taskbar.
  TLxPoint P = CenterOver(TLxRect{0, 600, 400, 768}, 200, 150, Work);
  EXPECT_EQ(P.Y + 150, 738);
  // A panel narrower than the dialog: left of the panel, but never below 0.
  EXPECT_EQ(CenterOver(TLxRect{50, 50, 150, 150}, 300, 20, Work).X, 0);
  EXPECT_EQ(CenterOver(TLxRect{300, 50, 400, 150}, 300, 20, Work).X, 200);
  // A dialog wider than the work area ends at the right edge, left of 0.
  EXPECT_EQ(CenterOver(TLxRect{0, 0, 1024, 738}, 1100, 20, Work).X, 1024 - 1100);
}

TEST(CenterToWindow, UsesTheControlsScreenArea) {
  HWND W = CreateWindowExA(0, "STATIC", "", WS_POPUP, 100, 120, 400, 300, nullptr, nullptr, nullptr, nullptr);
  ASSERT_NE(W, nullptr);
  int Left = -1, Top = -1;
  CenterToWindow(200, 100, W, Left, Top);
  EXPECT_EQ(Left, 200);
  EXPECT_EQ(Top, 220);
  RECT Work{};
  GetDesktopClientRect(Work);
  EXPECT_GT(Work.right, Work.left);
  EXPECT_GT(Work.bottom, Work.top);
  DestroyWindow(W);
}
