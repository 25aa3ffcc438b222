// The message list control in a real window: mouse and keyboard selection,
// coalesced repainting, the in-place editor and its keys, deleting.
#include "core/BkListBox.h"
#include "CoreTestUtil.h"

#include <gtest/gtest.h>

#include <memory>

namespace {

class ListBoxTest : public ::testing::Test {
protected:
  void SetUp() override {
    Form = std::make_unique<TForm>(nullptr);
    Form->SetBounds(10, 10, 400, 300);
    List = new TBkEditListBox(Form.get());
    List->SetParent(Form.get());
    List->SetBounds(0, 0, 300, 20 * 10 + 40);  // ten rows of 20 and the scroll bar
    List->SetItemHeight(20);
    List->SetItems(&Items);
    List->OnClick = [this](TObject*) { ++Clicks; };
    Form->Show();
    Wnd = List->GetHandle();
    Fill(50);
  }
  void TearDown() override {
    List->SetItems(nullptr);
    Form.reset();
  }
  void Fill(int N) {
    for (int I = 0; I < N; ++I) {
      Items.S.push_back("Item " + std::to_string(I));
      List->ItemInserted(I);
    }
    List->FlushChanges();
  }
  std::vector<int> Selected() const {
    std::vector<int> R;
    for (int I = 0; I < List->Count(); ++I)
      if (List->GetSelected(I)) R.push_back(I);
    return R;
  }
  int RowY(int Index) { return List->ItemRect(Index).top + 5; }

  std::unique_ptr<TForm> Form;
  TBkEditListBox* List = nullptr;
  TTestItems Items;
  HWND Wnd = nullptr;
  int Clicks = 0;
};

TEST_F(ListBoxTest, MouseSelectsWithShiftAndCtrlAndReportsTheChange) {
  ClickAt(Wnd, 20, RowY(2));
  EXPECT_EQ(Selected(), (std::vector<int>{2}));
  EXPECT_EQ(List->GetItemIndex(), 2);
  EXPECT_EQ(Clicks, 1);
  ClickAt(Wnd, 20, RowY(4), MK_SHIFT);
  EXPECT_EQ(Selected(), (std::vector<int>{2, 3, 4}));
  ClickAt(Wnd, 20, RowY(7), MK_CONTROL);
  EXPECT_EQ(Selected(), (std::vector<int>{2, 3, 4, 7}));
  EXPECT_EQ(List->GetSelCount(), 4);
  // Dragging with the button down extends from the anchor.
  SendMessageA(Wnd, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(20, RowY(1)));
  SendMessageA(Wnd, WM_MOUSEMOVE, MK_LBUTTON, MAKELPARAM(20, RowY(3)));
  SendMessageA(Wnd, WM_LBUTTONUP, 0, MAKELPARAM(20, RowY(3)));
  EXPECT_EQ(Selected(), (std::vector<int>{1, 2, 3}));
  // Below the last item of a short list: nothing changes.
  const int Before = Clicks;
  Items.S.resize(3);
  List->ItemsChanged();
  List->FlushChanges();
  ClickAt(Wnd, 20, RowY(6));
  EXPECT_EQ(Clicks, Before);
}

TEST_F(ListBoxTest, KeyboardMovesTheCaretAndScrollsIt) {
  ClickAt(Wnd, 20, RowY(0));
  Key(Wnd, VK_DOWN);
  Key(Wnd, VK_DOWN);
  EXPECT_EQ(Selected(), (std::vector<int>{2}));
  {
    TKeysDown Shift({VK_SHIFT});
    Key(Wnd, VK_DOWN);
    Key(Wnd, VK_DOWN);
  }
  EXPECT_EQ(Selected(), (std::vector<int>{2, 3, 4}));
  {
    TKeysDown Ctrl({VK_CONTROL});
    Key(Wnd, VK_DOWN);  // only the caret
    EXPECT_EQ(List->GetCaretIndex(), 5);
    Key(Wnd, VK_SPACE);  // Ctrl+Space toggles the caret item
  }
  EXPECT_EQ(Selected(), (std::vector<int>{2, 3, 4, 5}));
  Key(Wnd, VK_NEXT);
  EXPECT_EQ(List->GetCaretIndex(), 5 + List->PageRows() - 1);
  Key(Wnd, VK_END);
  EXPECT_EQ(Selected(), (std::vector<int>{49}));
  EXPECT_EQ(List->GetTopIndex(), 50 - List->PageRows());
  {
    TKeysDown Shift({VK_SHIFT});
    Key(Wnd, VK_PRIOR);
  }
  EXPECT_EQ(List->GetSelCount(), List->PageRows());
  Key(Wnd, VK_HOME);
  EXPECT_EQ(Selected(), (std::vector<int>{0}));
  EXPECT_EQ(List->GetTopIndex(), 0);
}

TEST_F(ListBoxTest, ArrivingItemsRepaintOnlyFromTheTimer) {
  ValidateRect(Wnd, nullptr);
  SCROLLINFO Before{sizeof Before, SIF_RANGE, 0, 0, 0, 0, 0};
  GetScrollInfo(Wnd, SB_VERT, &Before);
  for (int I = 0; I < 1000; ++I) {
    Items.S.insert(Items.S.begin(), "new");
    List->ItemInserted(0);
  }
  RECT Dirty{};
  EXPECT_FALSE(GetUpdateRect(Wnd, &Dirty, FALSE)) << "no repaint per message";
  SCROLLINFO Mid{sizeof Mid, SIF_RANGE, 0, 0, 0, 0, 0};
  GetScrollInfo(Wnd, SB_VERT, &Mid);
  EXPECT_EQ(Mid.nMax, Before.nMax) << "no scroll-bar update per message";
  EXPECT_TRUE(List->EditTimer().GetEnabled() == false);
  List->FlushChanges();
  EXPECT_TRUE(GetUpdateRect(Wnd, &Dirty, FALSE));
  SCROLLINFO After{sizeof After, SIF_RANGE | SIF_PAGE, 0, 0, 0, 0, 0};
  GetScrollInfo(Wnd, SB_VERT, &After);
  EXPECT_EQ(After.nMax, 1049);
  // A second tick with nothing new lets the timer rest.
  List->FlushChanges();
  EXPECT_FALSE(List->Dirty());
}

TEST_F(ListBoxTest, ItemsAppendedOutOfSightOnlyMoveTheScrollBar) {
  ValidateRect(Wnd, nullptr);
  for (int I = 0; I < 100; ++I) {
    Items.S.push_back("more");
    List->ItemInserted(List->Count());
  }
  EXPECT_TRUE(List->Dirty());
  List->FlushChanges();
  RECT Dirty{};
  EXPECT_FALSE(GetUpdateRect(Wnd, &Dirty, FALSE)) << "nothing visible changed";
  SCROLLINFO V{sizeof V, SIF_RANGE, 0, 0, 0, 0, 0};
  GetScrollInfo(Wnd, SB_VERT, &V);
  EXPECT_EQ(V.nMax, 149);
  // At the end of a list scrolled to its end, the new item is in sight.
  List->SetTopIndex(150);
  List->FlushChanges();
  ValidateRect(Wnd, nullptr);
  Items.S.push_back("seen");
  List->ItemInserted(List->Count() - List->PageRows());
  List->FlushChanges();
  EXPECT_TRUE(GetUpdateRect(Wnd, &Dirty, FALSE));
}

TEST_F(ListBoxTest, OutOfSightTheScrollBarFollowsLessOftenButExactlyAtTheEnd) {
  auto Max = [this] {
    SCROLLINFO V{sizeof V, SIF_RANGE, 0, 0, 0, 0, 0};
    GetScrollInfo(Wnd, SB_VERT, &V);
    return V.nMax;
  };
  auto Append = [this] {
    Items.S.push_back("more");
    List->ItemInserted(List->Count());
  };
  int Flushes = 0;
  for (int Tick = 0; Tick < 2 * TBkVertListBox::ScrollBarTicks; ++Tick) {
    Append();  // messages keep arriving between the ticks
    Flushes += List->RepaintTimerTick();
  }
  EXPECT_EQ(Flushes, 2);
  Append();
  EXPECT_FALSE(List->RepaintTimerTick());
  EXPECT_LT(Max(), List->Count() - 1);
  EXPECT_TRUE(List->RepaintTimerTick()) << "a quiet tick shows the end of the burst";
  EXPECT_EQ(Max(), List->Count() - 1);
  EXPECT_FALSE(List->RepaintTimerTick());
  // Anything in sight is shown at the next tick.
  Items.S.insert(Items.S.begin(), "top");
  List->ItemInserted(0);
  EXPECT_TRUE(List->RepaintTimerTick());
}

TEST_F(ListBoxTest, ScrollBarsAlwaysThereAndHorizontalExtent) {
  const LONG Style = GetWindowLongA(Wnd, GWL_STYLE);
  EXPECT_TRUE(Style & WS_VSCROLL);
  EXPECT_TRUE(Style & WS_HSCROLL);
  SCROLLINFO H{sizeof H, SIF_RANGE, 0, 0, 0, 0, 0};
  GetScrollInfo(Wnd, SB_HORZ, &H);
  EXPECT_EQ(H.nMax, 2047);
  int HScrolls = 0;
  List->OnHScroll = [&](TObject*) { ++HScrolls; };
  SendMessageA(Wnd, WM_HSCROLL, SB_PAGERIGHT, 0);
  EXPECT_EQ(HScrolls, 1);
  EXPECT_EQ(List->GetHorzPos(), List->GetClientWidth());
  EXPECT_EQ(List->ItemRect(0).left, -List->GetClientWidth());
  EXPECT_EQ(List->ItemRect(0).right, List->GetClientWidth());
}

TEST_F(ListBoxTest, BandBelowTheLastItemIsFilledAndNothingErased) {
  Items.S.resize(2);
  List->ItemsChanged();
  List->FlushChanges();
  EXPECT_EQ(SendMessageA(Wnd, WM_ERASEBKGND, 0, 0), 1);
  TSurface S(List->GetClientWidth(), List->GetClientHeight());
  SendMessageA(Wnd, WM_PRINTCLIENT, reinterpret_cast<WPARAM>(S.DC()), PRF_CLIENT);
  EXPECT_EQ(S.Pixel(5, 45), Sys(COLOR_WINDOW));
  EXPECT_EQ(S.Pixel(S.Width() - 1, S.Height() - 1), Sys(COLOR_WINDOW));
  // The default drawing wrote the item strings.
  EXPECT_TRUE(S.AnyOtherThan(RECT{0, 0, 100, 20}, Sys(COLOR_WINDOW)));
}

TEST_F(ListBoxTest, AnEmptyListShowsItsCaretRowAboveTheBand) {
  Items.S.clear();
  List->ItemsCleared();
  List->FlushChanges();
  auto Print = [&](TSurface& S) { SendMessageA(Wnd, WM_PRINTCLIENT, reinterpret_cast<WPARAM>(S.DC()), PRF_CLIENT); };
  const COLORREF Window = Sys(COLOR_WINDOW);
  SetFocus(nullptr);
  TSurface Unfocused(List->GetClientWidth(), List->GetClientHeight());
  Print(Unfocused);
  EXPECT_FALSE(Unfocused.AnyOtherThan(RECT{0, 0, Unfocused.Width(), Unfocused.Height()}, Window));
  // With the focus, the caret row (one item high) gets the focus rectangle;
  // inside it and below it all is the list colour.
  List->SetFocus();
  ASSERT_EQ(GetFocus(), Wnd);
  TSurface Focused(List->GetClientWidth(), List->GetClientHeight());
  Print(Focused);
  const int W = Focused.Width();
  EXPECT_TRUE(Focused.AnyOtherThan(RECT{0, 0, W, 1}, Window));
  EXPECT_TRUE(Focused.AnyOtherThan(RECT{0, 19, W, 20}, Window));
  EXPECT_TRUE(Focused.AnyOtherThan(RECT{0, 0, 1, 20}, Window));
  EXPECT_FALSE(Focused.AnyOtherThan(RECT{1, 1, W - 1, 19}, Window));
  EXPECT_FALSE(Focused.AnyOtherThan(RECT{0, 20, W, Focused.Height()}, Window));
}

TEST_F(ListBoxTest, F2EditsEnterAcceptsEscapeCancels) {
  ClickAt(Wnd, 20, RowY(3));
  int Hidden = 0;
  List->OnHidingEditor = [&](TObject*) { ++Hidden; };
  Key(Wnd, VK_F2);
  ASSERT_TRUE(List->GetPopupVisible());
  EXPECT_EQ(List->GetSelCount(), 0) << "the editor deselects every item";
  HWND Ed = List->Editor().GetHandle();
  EXPECT_TRUE(IsWindowVisible(Ed));
  EXPECT_EQ(GetFocus(), Ed);
  RECT R{};
  GetWindowRect(Ed, &R);
  MapWindowPoints(nullptr, Wnd, reinterpret_cast<POINT*>(&R), 2);
  EXPECT_EQ(R.top, List->ItemRect(3).top);
  EXPECT_EQ(R.left, 2);
  SetWindowTextA(Ed, "changed");
  Key(Ed, VK_RETURN);
  EXPECT_FALSE(List->GetPopupVisible());
  EXPECT_FALSE(IsWindowVisible(Ed));
  EXPECT_EQ(Items.S[3], "changed");
  EXPECT_EQ(Selected(), (std::vector<int>{3}));
  EXPECT_EQ(GetFocus(), Wnd);
  EXPECT_EQ(Hidden, 1);

  Key(Wnd, VK_F2);
  SetWindowTextA(Ed, "dropped");
  Key(Ed, VK_ESCAPE);
  EXPECT_EQ(Items.S[3], "changed");
  EXPECT_EQ(Hidden, 2);

  // Losing the focus accepts.
  Key(Wnd, VK_F2);
  SetWindowTextA(Ed, "by focus");
  SetFocus(Wnd);
  EXPECT_FALSE(List->GetPopupVisible());
  EXPECT_EQ(Items.S[3], "by focus");
}

TEST_F(ListBoxTest, EditorCanBeVetoedAndSizedByTheOwner) {
  ClickAt(Wnd, 20, RowY(1));
  List->OnShowingEditor = [](TObject*, std::int32_t, bool& Allow) { Allow = false; };
  Key(Wnd, VK_F2);
  EXPECT_FALSE(List->GetPopupVisible());
  EXPECT_EQ(List->GetSelCount(), 0) << "vetoed, but the selection is already gone";
  List->OnShowingEditor = nullptr;
  List->OnSizeEditRect = [](TObject*, std::int32_t, RECT& R) { R.left = 50; };
  Key(Wnd, VK_F2);
  ASSERT_TRUE(List->GetPopupVisible());
  RECT R{};
  GetWindowRect(List->Editor().GetHandle(), &R);
  MapWindowPoints(nullptr, Wnd, reinterpret_cast<POINT*>(&R), 2);
  EXPECT_EQ(R.left, 50);
  List->HideEditor(false);
}

TEST_F(ListBoxTest, SlowSecondClickOpensTheEditorAfterTheTimer) {
  SetFocus(Wnd);
  ClickAt(Wnd, 20, RowY(1));  // right after the focus arrived: not counted
  ClickAt(Wnd, 20, RowY(4));
  EXPECT_TRUE(List->EditTimer().GetEnabled());
  List->EditTimerTimer();  // first click on 4: the caret was elsewhere
  EXPECT_FALSE(List->GetPopupVisible());
  EXPECT_FALSE(List->EditTimer().GetEnabled());
  ClickAt(Wnd, 20, RowY(4));
  List->EditTimerTimer();
  EXPECT_TRUE(List->GetPopupVisible());
  List->HideEditor(false);
  // A double-click never opens it.
  ClickAt(Wnd, 20, RowY(6));
  ClickAt(Wnd, 20, RowY(6), 0, true);
  List->EditTimerTimer();
  EXPECT_FALSE(List->GetPopupVisible());
  // Nor does a second click when editing is not allowed.
  List->SetAllowEdit(false);
  ClickAt(Wnd, 20, RowY(6));
  List->EditTimerTimer();
  EXPECT_FALSE(List->GetPopupVisible());
}

TEST_F(ListBoxTest, DeleteKeyDeletesOnlyWhenAllowed) {
  int Deleted = 0;
  List->OnDeleteItems = [&](TObject*) { ++Deleted; };
  ClickAt(Wnd, 20, RowY(1));
  ClickAt(Wnd, 20, RowY(3), MK_SHIFT);
  ClickAt(Wnd, 20, RowY(8), MK_CONTROL);
  Key(Wnd, VK_DELETE);
  EXPECT_EQ(Items.S.size(), 50u) << "not allowed: swallowed";
  EXPECT_EQ(Deleted, 0);
  List->SetAllowDeleteByKbd(true);
  Key(Wnd, VK_DELETE);
  ASSERT_EQ(Items.S.size(), 46u);
  EXPECT_EQ(List->Count(), 46);
  EXPECT_EQ(Items.S[1], "Item 4");
  EXPECT_EQ(Items.S[4], "Item 7");
  EXPECT_EQ(Items.S[5], "Item 9");
  EXPECT_EQ(List->GetSelCount(), 0);
  EXPECT_EQ(Deleted, 1);
}

}  // namespace
