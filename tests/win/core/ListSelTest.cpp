// The selection rules of the message list, without a window.
#include "core/BkListSel.h"

#include <gtest/gtest.h>

#include <vector>

namespace {

TBkListSelection Make(int N) {
  TBkListSelection S;
  for (int I = 0; I < N; ++I) S.Inserted(I);
  return S;
}

std::vector<int> SelectedOf(const TBkListSelection& S) {
  std::vector<int> R;
  for (int I = 0; I < S.Count(); ++I)
    if (S.Selected(I)) R.push_back(I);
  return R;
}

}  // namespace

TEST(ListSelection, ClickShiftClickCtrlClickFollowTheExtendedRules) {
  auto S = Make(10);
  S.Click(2, false, false);
  EXPECT_EQ(SelectedOf(S), (std::vector<int>{2}));
  S.Click(5, true, false);  // range from the anchor
  EXPECT_EQ(SelectedOf(S), (std::vector<int>{2, 3, 4, 5}));
  EXPECT_EQ(S.Caret(), 5);
  S.Click(0, true, false);  // the anchor stays at 2: the range flips
  EXPECT_EQ(SelectedOf(S), (std::vector<int>{0, 1, 2}));
  S.Click(8, false, true);  // Ctrl adds and moves the anchor
  EXPECT_EQ(SelectedOf(S), (std::vector<int>{0, 1, 2, 8}));
  S.Click(1, false, true);  // Ctrl toggles off
  EXPECT_EQ(SelectedOf(S), (std::vector<int>{0, 2, 8}));
  S.Click(6, true, true);  // Ctrl+Shift adds the range from the anchor (1)
  EXPECT_EQ(SelectedOf(S), (std::vector<int>{0, 1, 2, 3, 4, 5, 6, 8}));
  EXPECT_EQ(S.SelCount(), 8);
  S.Click(4, false, false);
  EXPECT_EQ(SelectedOf(S), (std::vector<int>{4}));
}

TEST(ListSelection, NavigationMovesTheCaretAndSelects) {
  auto S = Make(10);
  S.MoveCaret(3, false, false);
  EXPECT_EQ(SelectedOf(S), (std::vector<int>{3}));
  S.MoveCaret(6, true, false);
  EXPECT_EQ(SelectedOf(S), (std::vector<int>{3, 4, 5, 6}));
  S.MoveCaret(9, false, true);  // Ctrl: only the caret moves
  EXPECT_EQ(S.Caret(), 9);
  EXPECT_EQ(SelectedOf(S), (std::vector<int>{3, 4, 5, 6}));
  S.MoveCaret(42, false, false);  // clamped to the last item
  EXPECT_EQ(S.Caret(), 9);
  EXPECT_EQ(SelectedOf(S), (std::vector<int>{9}));
}

TEST(ListSelection, FollowsInsertionsDeletionsAndReversal) {
  auto S = Make(5);
  S.Click(1, false, false);
  S.Click(3, false, true);
  S.Inserted(0);  // a message at the top: everything moves down
  EXPECT_EQ(SelectedOf(S), (std::vector<int>{2, 4}));
  EXPECT_EQ(S.Caret(), 4);
  S.Inserted(6);  // at the end: nothing moves
  EXPECT_EQ(SelectedOf(S), (std::vector<int>{2, 4}));
  S.Reversed();  // 7 items
  EXPECT_EQ(SelectedOf(S), (std::vector<int>{2, 4}));
  EXPECT_EQ(S.Caret(), 2);
  S.Deleted([](int I) { return I == 0 || I == 2; });
  EXPECT_EQ(S.Count(), 5);
  EXPECT_EQ(SelectedOf(S), (std::vector<int>{2}));
  EXPECT_EQ(S.SelCount(), 1);
  S.Cleared();
  EXPECT_EQ(S.Caret(), -1);
  EXPECT_EQ(S.SelCount(), 0);
}

TEST(ListSelection, TopIndexKeepsTheLastPageFull) {
  auto S = Make(100);
  S.SetTopIndex(95, 10);
  EXPECT_EQ(S.TopIndex(), 90);
  S.MakeVisible(20, 10);
  EXPECT_EQ(S.TopIndex(), 20);
  S.MakeVisible(35, 10);
  EXPECT_EQ(S.TopIndex(), 26);
  S.MakeVisible(30, 10);  // already visible
  EXPECT_EQ(S.TopIndex(), 26);
}
