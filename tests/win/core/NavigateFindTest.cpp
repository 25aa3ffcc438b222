// The navigator's kind (glyph, menu check, dialog), find and find next, and
// where the two dialogs appear; the dialogs are answered as they open.
#include "core/BkLxStr.h"
#include "core/BkLxUtil.h"
#include "core/LxFndFrm.h"
#include "core/LxNavFrm.h"
#include "ViewerFixture.h"

#include <string>
#include <vector>

namespace {

class Navigate : public ViewerTest {
protected:
  // Whether the navigator button shows the picture of the resource Name.
  bool GlyphIs(const std::string& Name) {
    TBitmap Expected;
    Expected.LoadFromResourceName(BkLxStr::ResourceModule(), Name);
    TBitmap& Glyph = C->FBtnNavMsg->GetGlyph();
    if (Glyph.GetWidth() != Expected.GetWidth() || Glyph.GetHeight() != Expected.GetHeight()) return false;
    for (int Y = 0; Y < Glyph.GetHeight(); ++Y)
      for (int X = 0; X < Glyph.GetWidth(); ++X)
        if (GetPixel(Glyph.GetCanvas().GetHandle(), X, Y) != GetPixel(Expected.GetCanvas().GetHandle(), X, Y))
          return false;
    return true;
  }
  std::vector<int> CheckedItems() {
    std::vector<int> Checked;
    TMenuItem* Items = C->FMnuNavMsg->GetItems();
    for (int I = 0; I < Items->GetCount(); ++I)
      if (Items->GetItem(I)->GetChecked()) Checked.push_back(I);
    return Checked;
  }
  // The top-left corner the panel's dialogs take for a form of this size.
  POINT CentredOverPanel(HWND Dialog) {
    RECT R{};
    GetWindowRect(Dialog, &R);
    POINT P{};
    int L = 0, T = 0;
    BkLxUtil::CenterToWindow(static_cast<int>(R.right - R.left), static_cast<int>(R.bottom - R.top), C->GetHandle(), L,
                             T);
    P.x = L;
    P.y = T;
    return P;
  }
  static POINT TopLeft(HWND W) {
    RECT R{};
    GetWindowRect(W, &R);
    return POINT{R.left, R.top};
  }
};

const char* const GlyphNames[9] = {"BKORLIMO_NAV_INFO",       "BKORLIMO_NAV_WARNING",  "BKORLIMO_NAV_ERROR",
                                   "BKORLIMO_NAV_CHECKPOINT", "BKORLIMO_NAV_OBJECT",   "BKORLIMO_NAV_STREAM",
                                   "BKORLIMO_NAV_STRINGLIST", "BKORLIMO_NAV_PROPERTY", "BKORLIMO_NAV_NOTE"};

TEST_F(Navigate, EachKindHasItsGlyphAndItsMenuCheck) {
  EXPECT_TRUE(GlyphIs(GlyphNames[3]));
  for (int K : {0, 1, 2, 4, 5, 6, 7, 8, 3}) {
    C->SetNavigatorMessage(K);
    EXPECT_EQ(C->GetNavigatorMessage(), K);
    EXPECT_TRUE(GlyphIs(GlyphNames[K])) << K;
    EXPECT_EQ(CheckedItems(), std::vector<int>{K});
  }
  // A kind without glyph or menu item (an edited registry value) is refused.
  for (int Bad : {-1, 9, 10, 12, 1000}) {
    C->SetNavigatorMessage(Bad);
    EXPECT_EQ(C->GetNavigatorMessage(), 3);
    EXPECT_TRUE(GlyphIs(GlyphNames[3]));
    EXPECT_EQ(CheckedItems(), std::vector<int>{3});
  }
  // Setting the kind already set does nothing, not even the check.
  C->FMnuNavMsg->GetItems()->GetItem(5)->SetChecked(true);
  C->SetNavigatorMessage(3);
  EXPECT_EQ(CheckedItems(), std::vector<int>{5});
}

TEST_F(Navigate, MenuItemsChooseTheKindAndTheButtonsFollow) {
  for (int I = 0; I < 4; ++I) Add(I == 1 ? lxmWarning : lxmInfo, "m", I + 1);
  C->JumpToItem(3);
  EXPECT_FALSE(C->FBtnFirst->GetEnabled());
  std::vector<std::array<bool, 4>> Fired;
  C->OnUpdateNav = [&](TObject*, bool F, bool P, bool N, bool L) { Fired.push_back({F, P, N, L}); };
  C->FMnuNavMsg->GetItems()->GetItem(lxmWarning)->Click();
  EXPECT_EQ(C->GetNavigatorMessage(), lxmWarning);
  EXPECT_EQ(CheckedItems(), std::vector<int>{lxmWarning});
  ASSERT_FALSE(Fired.empty());
  EXPECT_EQ(Fired.back(), (std::array<bool, 4>{true, true, false, false}));
  EXPECT_TRUE(C->FBtnPrev->GetEnabled());
}

TEST_F(Navigate, ANavigatorKindArrivingEnablesTheTwoButtonsTowardIt) {
  Add(lxmInfo, "i", 1);
  C->JumpToItem(0);
  Add(lxmCheckPoint, "cp", 2);
  EXPECT_TRUE(C->FBtnNext->GetEnabled());
  EXPECT_TRUE(C->FBtnLast->GetEnabled());
  EXPECT_FALSE(C->FBtnFirst->GetEnabled());
  C->Clear();
  C->SetInsertAtEnd(false);
  Add(lxmInfo, "i", 3);
  C->JumpToItem(0);
  Add(lxmCheckPoint, "cp", 4);
  EXPECT_TRUE(C->FBtnFirst->GetEnabled());
  EXPECT_TRUE(C->FBtnPrev->GetEnabled());
  EXPECT_FALSE(C->FBtnNext->GetEnabled());
  // Newest on top the new check point is the next one.
  C->JumpToMessage(2);
  EXPECT_EQ(List->GetItemIndex(), 0);
}

TEST_F(Navigate, TheDialogShowsTheKindsWithTheirIconsAndAppliesTheChoice) {
  Add(lxmInfo, "i", 1);
  Add(lxmError, "e", 2);
  C->JumpToItem(0);
  POINT Where{}, Wanted{};
  TModalAnswer Answer([&](TCustomForm& F) {
    auto& D = dynamic_cast<TFrmNavMsg&>(F);
    EXPECT_EQ(D.GetCaption(), "Select Navigator Message Type");
    EXPECT_EQ(D.GetClientWidth(), 239);
    EXPECT_EQ(D.GetClientHeight(), 220);
    EXPECT_EQ(D.LblPrompt->GetCaption(), "Select message type to be used by the Orlimo navigator buttons");
    EXPECT_TRUE(D.LblPrompt->GetWordWrap());
    ASSERT_EQ(D.LstNavMsg->GetItems().Count(), 9);
    EXPECT_EQ(D.LstNavMsg->GetItems()[0], "Info Messages");
    EXPECT_EQ(D.LstNavMsg->GetItems()[8], "Notes");
    EXPECT_EQ(D.LstNavMsg->GetItemIndex(), 3) << "starts on the current kind";
    EXPECT_EQ(SendMessageA(D.LstNavMsg->GetHandle(), LB_GETITEMHEIGHT, 0, 0), 15);
    EXPECT_TRUE(GetWindowLongA(D.LstNavMsg->GetHandle(), GWL_STYLE) & LBS_OWNERDRAWFIXED);
    EXPECT_TRUE(D.BtnOk->GetDefault());
    EXPECT_TRUE(D.BtnCancel->GetCancel());
    Where = TopLeft(F.GetHandle());
    Wanted = CentredOverPanel(F.GetHandle());
    D.LstNavMsg->SetItemIndex(lxmError);
    D.BtnOk->Click();
  });
  C->SelectNavigatorMessage();
  EXPECT_EQ(Answer.Shown, 1);
  EXPECT_EQ(Where.x, Wanted.x);
  EXPECT_EQ(Where.y, Wanted.y);
  EXPECT_EQ(C->GetNavigatorMessage(), lxmError);
  EXPECT_TRUE(GlyphIs(GlyphNames[lxmError]));
  EXPECT_EQ(CheckedItems(), std::vector<int>{lxmError});
  EXPECT_TRUE(C->FBtnNext->GetEnabled()) << "the buttons follow the new kind";

  TModalAnswer Cancel([](TCustomForm& F) {
    auto& D = dynamic_cast<TFrmNavMsg&>(F);
    D.LstNavMsg->SetItemIndex(0);
    D.BtnCancel->Click();
  });
  C->SelectNavigatorMessage();
  EXPECT_EQ(C->GetNavigatorMessage(), lxmError);
}

TEST_F(Navigate, DialogItemsCarryTheKindIconAndTheText) {
  TFrmNavMsg D([this](std::int32_t K, bool Selected) { return C->Icon(K, Selected); });
  for (bool Selected : {false, true}) {
    TSurface S(223, 15);
    DRAWITEMSTRUCT Item{};
    Item.CtlType = ODT_LISTBOX;
    Item.itemID = lxmWarning;
    Item.itemState = Selected ? ODS_SELECTED : 0;
    Item.hDC = S.DC();
    Item.rcItem = RECT{0, 0, 223, 15};
    D.DrawItem(Item);
    EXPECT_EQ(S.Pixel(1, 1), Sys(Selected ? COLOR_HIGHLIGHT : COLOR_WINDOW));
    TBitmap* Icon = C->Icon(lxmWarning, Selected);
    ASSERT_NE(Icon, nullptr);
    HDC IconDC = Icon->GetCanvas().GetHandle();
    for (int Y = 0; Y < Icon->GetHeight(); ++Y)
      for (int X = 0; X < Icon->GetWidth(); ++X)
        ASSERT_EQ(S.Pixel(4 + X, 2 + Y), GetPixel(IconDC, X, Y)) << X << "," << Y;
    const COLORREF TextColor = Sys(Selected ? COLOR_HIGHLIGHTTEXT : COLOR_WINDOWTEXT);
    bool TextDrawn = false;
    for (int Y = 0; Y < 15; ++Y) TextDrawn = TextDrawn || S.RowHas(Y, 24, 120, TextColor);
    EXPECT_TRUE(TextDrawn);
    for (int Y = 0; Y < 15; ++Y) EXPECT_FALSE(S.RowHas(Y, 19, 24, TextColor)) << "the text starts at 24";
  }
}

// ------------------------------------------------------------ find

class FindTest : public Navigate {
protected:
  // Answers the find dialog with Text and the two choices (OK), or cancels.
  std::unique_ptr<TModalAnswer> Answer(const std::string& Text, bool Forward, bool FromCursor, bool Ok = true) {
    return std::make_unique<TModalAnswer>([=, this](TCustomForm& F) {
      auto& D = dynamic_cast<TFrmFind&>(F);
      Shown = D.EdtFind->GetText();
      D.EdtFind->GetSelection(ShownSelection.first, ShownSelection.second);
      ShownForward = D.RgpDirection->GetItemIndex() == 0;
      ShownFromCursor = D.RgpOrigin->GetItemIndex() == 0;
      D.EdtFind->SetText(Text);
      D.RgpDirection->SetItemIndex(Forward ? 0 : 1);
      D.RgpOrigin->SetItemIndex(FromCursor ? 0 : 1);
      (Ok ? D.BtnOk : D.BtnCancel)->Click();
    });
  }
  void Find(const std::string& Text, bool Forward = true, bool FromCursor = false) {
    auto A = Answer(Text, Forward, FromCursor);
    C->Find();
    EXPECT_EQ(A->Shown, 1);
  }
  std::string Shown;
  std::pair<int, int> ShownSelection;
  bool ShownForward = false;
  bool ShownFromCursor = true;
};

TEST_F(FindTest, TheDialogHasItsControlsAndStartsFromTheStoredSearch) {
  Add(lxmInfo, "x", 1);
  POINT Where{}, Wanted{};
  TModalAnswer First([&](TCustomForm& F) {
    auto& D = dynamic_cast<TFrmFind&>(F);
    EXPECT_EQ(D.GetCaption(), "Find");
    EXPECT_EQ(D.GetClientWidth(), 302);
    EXPECT_EQ(D.GetClientHeight(), 142);
    EXPECT_EQ(D.LblFind->GetCaption(), "Text to find");
    EXPECT_EQ(D.RgpDirection->GetCaption(), "Direction");
    EXPECT_EQ(D.RgpDirection->GetButton(0)->GetCaption(), "Forwar&d");
    EXPECT_EQ(D.RgpDirection->GetButton(1)->GetCaption(), "&Backward");
    EXPECT_EQ(D.RgpOrigin->GetCaption(), "Origin");
    EXPECT_EQ(D.RgpOrigin->GetButton(0)->GetCaption(), "&From Cursor");
    EXPECT_EQ(D.RgpOrigin->GetButton(1)->GetCaption(), "&Entire Scope");
    EXPECT_EQ(D.EdtFind->GetText(), "");
    EXPECT_EQ(D.RgpDirection->GetItemIndex(), 0);
    EXPECT_EQ(D.RgpOrigin->GetItemIndex(), 1);
    EXPECT_TRUE(D.BtnOk->GetDefault());
    EXPECT_TRUE(D.BtnCancel->GetCancel());
    EXPECT_EQ(D.GetActiveControl(), D.EdtFind);
    Where = TopLeft(F.GetHandle());
    Wanted = CentredOverPanel(F.GetHandle());
    // Typed into the box and confirmed with Enter.
    D.EdtFind->SetText("nothing like it");
    // A click on a radio button clears its partner.
    ClickAt(D.RgpDirection->GetButton(1)->GetHandle(), 3, 3);
    ClickAt(D.RgpOrigin->GetButton(0)->GetHandle(), 3, 3);
    EXPECT_EQ(D.RgpDirection->GetItemIndex(), 1);
    EXPECT_EQ(D.RgpOrigin->GetItemIndex(), 0);
    PostMessageA(D.EdtFind->GetHandle(), WM_KEYDOWN, VK_RETURN, 1);
  });
  C->Find();
  EXPECT_EQ(First.Shown, 1);
  EXPECT_EQ(Where.x, Wanted.x);
  EXPECT_EQ(Where.y, Wanted.y);
  EXPECT_EQ(C->GetFindText(), "nothing like it");
  EXPECT_FALSE(C->GetFindOptions().Forward);
  EXPECT_TRUE(C->GetFindOptions().FromCursor);
  // The next time the dialog starts from them; Cancel keeps them.
  auto A = Answer("other", true, false, false);
  C->Find();
  EXPECT_EQ(Shown, "nothing like it");
  EXPECT_EQ(ShownSelection, (std::pair<int, int>{0, 15})) << "selected, so typing replaces it";
  EXPECT_FALSE(ShownForward);
  EXPECT_TRUE(ShownFromCursor);
  EXPECT_EQ(C->GetFindText(), "nothing like it");
  EXPECT_FALSE(C->GetFindOptions().Forward);
}

TEST_F(FindTest, FindsTheTextInAnyCaseInTheListTextOnly) {
  C->AddMessage(lxmInfo, "no match here", "ERRAPP", "TErr", 1, std::string_view("error in details"));
  Add(lxmInfo, "first Error", 2);
  Add(lxmWarning, "nothing", 3);
  Add(lxmInfo, "an eRRor again", 4);
  Find("ERR");
  EXPECT_EQ(List->GetItemIndex(), 1);
  EXPECT_EQ(List->GetSelCount(), 1);
  C->FindNext(false);
  EXPECT_EQ(List->GetItemIndex(), 3);
  // After the last match nothing happens: no message, the selection stays.
  C->FindNext(false);
  EXPECT_EQ(List->GetItemIndex(), 3);
  EXPECT_TRUE(List->GetSelected(3));
  EXPECT_TRUE(Boxes.empty());
  // Backward from the entire scope starts at the last item.
  Find("err", false, false);
  EXPECT_EQ(List->GetItemIndex(), 3);
  C->FindNext(false);
  EXPECT_EQ(List->GetItemIndex(), 1);
  C->FindNext(false);
  EXPECT_EQ(List->GetItemIndex(), 1);
}

TEST_F(FindTest, AFirstSearchFromTheCursorTestsTheCurrentItemFirst) {
  for (int I = 0; I < 5; ++I) Add(lxmInfo, I % 2 ? "match" : "other", I + 1);
  C->JumpToItem(3);
  Find("MATCH", true, true);
  EXPECT_EQ(List->GetItemIndex(), 3);
  C->FindNext(false);
  EXPECT_EQ(List->GetItemIndex(), 3) << "nothing after it";
  Find("match", false, true);
  EXPECT_EQ(List->GetItemIndex(), 3);
  C->FindNext(false);
  EXPECT_EQ(List->GetItemIndex(), 1);
}

TEST_F(FindTest, ForwardMeansDownTheListInBothInsertionOrders) {
  C->SetInsertAtEnd(false);
  Add(lxmInfo, "old match", 1);
  Add(lxmInfo, "new match", 2);
  ASSERT_EQ(std::string(C->Messages().GetItemText(0)), "new match");
  Find("match");
  EXPECT_EQ(List->GetItemIndex(), 0);
  C->FindNext(false);
  EXPECT_EQ(List->GetItemIndex(), 1);
}

TEST_F(FindTest, NoMatchAnEmptyTextAndNoSearchYetChangeNothing) {
  Add(lxmInfo, "alpha", 1);
  Add(lxmInfo, "beta", 2);
  C->FindNext(false);  // F3 before any find
  EXPECT_EQ(List->GetSelCount(), 0);
  C->JumpToItem(1);
  Find("gamma");
  EXPECT_EQ(List->GetItemIndex(), 1);
  EXPECT_TRUE(List->GetSelected(1));
  Find("");
  EXPECT_EQ(List->GetItemIndex(), 1);
  EXPECT_TRUE(Boxes.empty());
  // A long find text is no trouble: it matches where it occurs.
  const std::string Long(1000, 'q');
  Add(lxmInfo, "x" + Long + "y", 3);
  Find(std::string(1000, 'Q'));
  EXPECT_EQ(List->GetItemIndex(), 2);
  Find(Long + "q");
  EXPECT_EQ(List->GetItemIndex(), 2);
}

TEST_F(FindTest, AMatchJustBelowTheVisibleRowsScrollsByOneLine) {
  Add(lxmInfo, "wide " + std::string(400, 'w'), 1);
  for (int I = 1; I < 100; ++I) Add(lxmInfo, "row", I + 1);
  List->FlushChanges();
  ASSERT_TRUE(GetWindowLongA(List->GetHandle(), GWL_STYLE) & WS_HSCROLL) << "a horizontal scroll bar";
  const RECT Client = List->GetClientRect();
  const std::int32_t Rows = Client.bottom / List->GetItemHeight();
  C->Messages().SetItemText(Rows, "needle");
  Find("needle");
  EXPECT_EQ(List->GetItemIndex(), Rows);
  EXPECT_EQ(List->GetTopIndex(), 1);
}

TEST_F(FindTest, AnEmptyListIsNotSearched) {
  Find("x");
  EXPECT_EQ(List->GetItemIndex(), -1);
  EXPECT_EQ(C->GetFindText(), "x");
}

}  // namespace
