// The viewer panel's list operations with a real list control, a clock the
// test drives, and the dialogs answered programmatically.
#include "core/BkOrlimo.h"
#include "core/LxClrFrm.h"
#include "core/LxFulFrm.h"
#include "core/LxIndFrm.h"
#include "CoreTestUtil.h"
#include "model/LogFile.h"

#include <gtest/gtest.h>

#include <array>
#include <cstdio>
#include <memory>

namespace {

class CompositeTest : public ::testing::Test {
protected:
  void SetUp() override {
    Clock.Set(1'000'000, 10 * 3600 * 1000);
    Form = std::make_unique<TForm>(nullptr);
    Form->SetBounds(50, 50, 500, 360);
    C = new TBkOrlimoComposite(Form.get(), &Clock);
    C->SetParent(Form.get());
    C->SetAlign(alClient);
    Form->Show();
    List = C->FLstMsgs;
    Wnd = List->GetHandle();
  }
  void TearDown() override { Form.reset(); }

  std::int32_t Add(std::int32_t Kind, const std::string& Text, std::int32_t Tick = 0,
                   const std::string& App = "client") {
    return C->AddMessage(Kind, Text, App, "", Tick ? Tick : Clock.TickCount(), std::string_view{});
  }
  std::string Text(int I) { return std::string(C->Messages().GetItemText(I)); }
  std::int32_t KindAt(int I) { return C->GetItemMsgInfo(I).MsgType(); }

  TManualClock Clock;
  std::unique_ptr<TForm> Form;
  TBkOrlimoComposite* C = nullptr;
  TBkEditListBox* List = nullptr;
  HWND Wnd = nullptr;
};

TEST_F(CompositeTest, TheListHasTheKeyboardFocusFromTheStartAndGetsItBack) {
  // Shown, the form gave the focus to its first control in tab order: the list.
  EXPECT_EQ(GetFocus(), Wnd);
  for (int I = 0; I < 5; ++I) Add(lxmInfo, "m" + std::to_string(I));
  List->FlushChanges();
  auto Press = [this](WPARAM VKey) {
    PostMessageA(Wnd, WM_KEYDOWN, VKey, 1);
    PostMessageA(Wnd, WM_KEYUP, VKey, 0xC0000001);
    Application->ProcessMessages();
  };
  Press(VK_END);
  EXPECT_EQ(List->GetItemIndex(), 4);
  EXPECT_TRUE(List->GetSelected(4));
  Press(VK_HOME);
  EXPECT_EQ(List->GetItemIndex(), 0);
  // Another window is activated and then this form again: the list has the
  // focus back and the keys go on where they left off.
  TForm Other(nullptr);
  Other.SetBounds(100, 100, 200, 100);
  Other.Show();
  ASSERT_EQ(GetActiveWindow(), Other.WindowHandle());
  EXPECT_NE(GetFocus(), Wnd);
  SetActiveWindow(Form->WindowHandle());
  EXPECT_EQ(GetFocus(), Wnd);
  Press(VK_DOWN);
  EXPECT_EQ(List->GetItemIndex(), 1);
}

TEST_F(CompositeTest, ListFullAnsweredIgnoreDropsTheMessageAndIgnores) {
  C->Messages().SetCapacity(3);
  for (int I = 0; I < 3; ++I) Add(lxmInfo, std::string("m").append(std::to_string(I)));
  bool MenuUpdated = false;
  C->OnUpdateMenu = [&](TObject*) { MenuUpdated = true; };
  TModalAnswer Answer([](TCustomForm& F) {
    EXPECT_NE(FrmMessageListFull, nullptr);
    F.SetModalResult(mrIgnore);
  });
  EXPECT_EQ(Add(lxmInfo, "too many"), -1);
  EXPECT_EQ(Answer.Shown, 1);
  EXPECT_EQ(FrmMessageListFull, nullptr);
  EXPECT_TRUE(MenuUpdated) << "ignoring shows in the host's menu";
  EXPECT_EQ(List->Count(), 3);
}

TEST_F(CompositeTest, ListFullAnsweredClearLeavesOnlyTheNewMessage) {
  C->Messages().SetCapacity(3);
  for (int I = 0; I < 3; ++I) Add(lxmInfo, std::string("m").append(std::to_string(I)));
  List->SelectAll();
  // The clear shows the hourglass while it works, as every clear does.
  std::vector<TCursor> CursorsWhileClearing;
  C->OnUpdateStatus = [&](TObject*, bool, bool HasItems) {
    if (!HasItems) CursorsWhileClearing.push_back(TCursorGuard::ScreenCursor());
  };
  TModalAnswer Answer([](TCustomForm& F) { F.SetModalResult(mrCancel); });
  EXPECT_EQ(Add(lxmInfo, "fresh"), 0);
  EXPECT_EQ(CursorsWhileClearing, std::vector<TCursor>{crHourGlass});
  EXPECT_EQ(TCursorGuard::ScreenCursor(), crDefault);
  ASSERT_EQ(List->Count(), 1);
  EXPECT_EQ(Text(0), "fresh");
  EXPECT_EQ(List->GetSelCount(), 0);
}

// A log of five records loaded into a list that takes three: the load stops
// at the full list and only then, from the message loop, asks.
class CompositeLoadTest : public CompositeTest {
protected:
  void SetUp() override {
    CompositeTest::SetUp();
    char Dir[MAX_PATH] = {};
    GetTempPathA(MAX_PATH, Dir);
    File = std::string(Dir) + "orlimo-load-full-" + std::to_string(GetCurrentProcessId()) + ".olx";
    TStringLogSink Sink;
    TManualClock LogClock(1000, 0);
    TOrlimoMsgList Log(LogClock);
    for (int I = 0; I < 5; ++I) Log.AddMessage(lxmInfo, "r" + std::to_string(I), "app", "", 1000 + I, std::nullopt);
    WriteLog(Log, Sink);
    WriteFileBytes(File, Sink.Bytes);
    C->Messages().SetCapacity(3);
  }
  void TearDown() override {
    DeleteFileA(File.c_str());
    CompositeTest::TearDown();
  }
  // Loads the file with the question answered by Result; returns how often it was shown.
  int LoadAnswering(TModalResult Result) {
    TModalAnswer Answer([Result](TCustomForm& F) { F.SetModalResult(Result); });
    C->LoadMessages(File);
    EXPECT_EQ(Answer.Shown, 0) << "no question while the load runs";
    EXPECT_EQ(List->Count(), 3);
    EXPECT_TRUE(C->LoadListFullPending());
    Application->ProcessMessages();  // the posted question
    EXPECT_FALSE(C->LoadListFullPending());
    return Answer.Shown;
  }
  std::string File;
};

TEST_F(CompositeLoadTest, IgnoreKeepsWhatFittedAndIgnores) {
  EXPECT_EQ(LoadAnswering(mrIgnore), 1);
  ASSERT_EQ(List->Count(), 3);
  EXPECT_EQ(Text(0), "r0");
  EXPECT_EQ(Text(2), "r2");
  EXPECT_TRUE(C->Messages().GetIgnoreMessages());
}

TEST_F(CompositeLoadTest, ClearLoadsTheRestIntoTheClearedList) {
  EXPECT_EQ(LoadAnswering(mrCancel), 1);
  ASSERT_EQ(List->Count(), 2);
  EXPECT_EQ(Text(0), "r3");
  EXPECT_EQ(Text(1), "r4");
  EXPECT_FALSE(C->Messages().GetIgnoreMessages());
}

TEST_F(CompositeLoadTest, AtTheTopTheNewestLoadedRecordIsFirst) {
  C->Messages().SetInsertAtEnd(false);
  EXPECT_EQ(LoadAnswering(mrIgnore), 1);
  ASSERT_EQ(List->Count(), 3);
  EXPECT_EQ(Text(0), "r2");
  EXPECT_EQ(Text(2), "r0");
}

TEST_F(CompositeLoadTest, TheProgramEndingWhileTheQuestionShowsDoesNothingMore) {
  TModalAnswer Answer([](TCustomForm&) { PostQuitMessage(0); });
  C->LoadMessages(File);
  Application->ProcessMessages();
  EXPECT_EQ(Answer.Shown, 1);
  EXPECT_EQ(List->Count(), 3) << "neither cleared nor loaded further";
  EXPECT_FALSE(C->Messages().GetIgnoreMessages());
}

TEST_F(CompositeTest, ClearWithPromptAsksOnlyWhenThereIsSomethingToClear) {
  {
    TModalAnswer Answer([](TCustomForm& F) { F.SetModalResult(mrOk); });
    C->ClearWithPrompt();
    EXPECT_EQ(Answer.Shown, 0) << "an empty list shows no dialog";
  }
  Add(lxmInfo, "keep me");
  {
    TModalAnswer Answer([](TCustomForm& F) { F.SetModalResult(mrCancel); });
    C->ClearWithPrompt();
    EXPECT_EQ(Answer.Shown, 1);
    EXPECT_EQ(List->Count(), 1);
  }
  {
    TModalAnswer Answer([](TCustomForm& F) { F.SetModalResult(mrOk); });
    C->ClearWithPrompt();
    EXPECT_EQ(List->Count(), 0);
  }
  Add(lxmInfo, "no question");
  C->SetConfirmOnClear(false);
  TModalAnswer Answer([](TCustomForm& F) { F.SetModalResult(mrCancel); });
  C->ClearWithPrompt();
  EXPECT_EQ(Answer.Shown, 0);
  EXPECT_EQ(List->Count(), 0);
}

TEST_F(CompositeTest, ResetIndentLevelAsksFirst) {
  Add(lxmEnterMethod, "c");
  {
    TModalAnswer Answer([](TCustomForm& F) { F.SetModalResult(mrCancel); });
    C->ResetIndentLevel();
  }
  EXPECT_EQ(C->Messages().CurrentIndent(), 1);
  TModalAnswer Answer([](TCustomForm& F) {
    EXPECT_NE(FrmResetIndentLevel, nullptr);
    F.SetModalResult(mrOk);
  });
  C->ResetIndentLevel();
  EXPECT_EQ(Answer.Shown, 1);
  EXPECT_EQ(FrmResetIndentLevel, nullptr);
  EXPECT_EQ(C->Messages().CurrentIndent(), 0);
}

TEST_F(CompositeTest, AddNoteSelectsItAndOpensTheEditor) {
  Add(lxmInfo, "one");
  Add(lxmInfo, "two");
  List->SelectAll();
  C->AddNote();
  ASSERT_EQ(List->Count(), 3);
  EXPECT_EQ(KindAt(2), lxmNote);
  EXPECT_EQ(Text(2), "New Note");
  ASSERT_TRUE(List->GetPopupVisible());
  EXPECT_EQ(List->GetEditIndex(), 2);
  HWND Ed = List->Editor().GetHandle();
  SetWindowTextA(Ed, "my remark");
  Key(Ed, VK_RETURN);
  EXPECT_EQ(Text(2), "my remark");
  EXPECT_EQ(KindAt(2), lxmNote);
  EXPECT_EQ(List->GetSelCount(), 1);
  EXPECT_TRUE(List->GetSelected(2));
}

TEST_F(CompositeTest, InsertNoteAndInsertSeparatorGoAtTheCurrentItem) {
  for (int I = 0; I < 5; ++I) Add(lxmInfo, std::to_string(I));
  C->JumpToItem(3);
  C->InsertNote();
  EXPECT_EQ(KindAt(3), lxmNote);
  EXPECT_EQ(Text(4), "3");
  ASSERT_TRUE(List->GetPopupVisible());
  EXPECT_EQ(List->GetEditIndex(), 3);
  List->HideEditor(false);
  C->InsertSeparator("", 1);
  EXPECT_EQ(KindAt(3), lxmSeparator);
  EXPECT_EQ(List->Count(), 7);
}

TEST_F(CompositeTest, ANavigatorKindMessageEnablesTheButtonsTowardsIt) {
  using TEnabled = std::array<bool, NavCommandCount>;
  C->Messages().SetNavigatorMessage(lxmWarning);
  Add(lxmInfo, "not the navigator kind");
  EXPECT_EQ(C->NavButtonsEnabled(), TEnabled{});
  Add(lxmWarning, "w");
  TEnabled Expected{};
  Expected[nvNext] = Expected[nvLast] = true;
  EXPECT_EQ(C->NavButtonsEnabled(), Expected);

  int Calls = 0;
  TEnabled Fired{true, true, true, true};
  C->OnUpdateNav = [&](TObject*, bool First, bool Prev, bool Next, bool Last) {
    ++Calls;
    Fired = {First, Prev, Next, Last};
  };
  C->Clear();
  EXPECT_EQ(C->NavButtonsEnabled(), TEnabled{});
  EXPECT_EQ(Calls, 1) << "clearing tells the host";
  EXPECT_EQ(Fired, TEnabled{});

  C->SetInsertAtEnd(false);
  Add(lxmWarning, "w");
  Expected = {};
  Expected[nvFirst] = Expected[nvPrev] = true;
  EXPECT_EQ(C->NavButtonsEnabled(), Expected);
}

TEST_F(CompositeTest, SeparatorsCannotBeEditedAndEditingChangesOnlyTheText) {
  Add(lxmWarning, "warn", 777);
  C->AddSeparator("", 778);
  C->JumpToItem(1);
  Key(Wnd, VK_F2);
  EXPECT_FALSE(List->GetPopupVisible());
  C->JumpToItem(0);
  Key(Wnd, VK_F2);
  ASSERT_TRUE(List->GetPopupVisible());
  SetWindowTextA(List->Editor().GetHandle(), "edited");
  Key(List->Editor().GetHandle(), VK_RETURN);
  const TOrlimoMsgInfo& I = C->GetItemMsgInfo(0);
  EXPECT_EQ(I.Text(), "edited");
  EXPECT_EQ(I.MsgType(), lxmWarning);
  EXPECT_EQ(I.TickCount(), 777);
  EXPECT_EQ(I.IndentLevel(), 0);
}

TEST_F(CompositeTest, MessagesArrivingAboveTheEditedItemDoNotTakeTheEdit) {
  C->SetInsertAtEnd(false);
  Add(lxmInfo, "older");
  C->AddNote();
  ASSERT_TRUE(List->GetPopupVisible());
  ASSERT_EQ(List->GetEditIndex(), 0);
  Add(lxmInfo, "arrived while typing");
  Add(lxmInfo, "and another");
  EXPECT_EQ(List->GetEditIndex(), 2);
  List->FlushChanges();
  RECT R{};
  GetWindowRect(List->Editor().GetHandle(), &R);
  MapWindowPoints(nullptr, Wnd, reinterpret_cast<POINT*>(&R), 2);
  EXPECT_LE(R.top, List->ItemRect(2).top);
  EXPECT_GT(R.bottom, List->ItemRect(2).top) << "the editor moved with its item";
  SetWindowTextA(List->Editor().GetHandle(), "the note");
  Key(List->Editor().GetHandle(), VK_RETURN);
  EXPECT_EQ(Text(0), "and another");
  EXPECT_EQ(Text(1), "arrived while typing");
  EXPECT_EQ(Text(2), "the note");
  EXPECT_EQ(Text(3), "older");
}

TEST_F(CompositeTest, KeepMsgInViewShowsEachNewMessageOnTop) {
  C->SetKeepMsgInView(true);
  for (int I = 0; I < 40; ++I) Add(lxmInfo, "m");
  List->FlushChanges();
  EXPECT_EQ(List->GetTopIndex(), 40 - List->PageRows()) << "as far as the list can scroll";
  C->SetKeepMsgInView(false);
  List->SetTopIndex(0);
  Add(lxmInfo, "m");
  EXPECT_EQ(List->GetTopIndex(), 0);
}

TEST_F(CompositeTest, ReverseListSwapsAroundTheMiddle) {
  for (int I = 0; I < 5; ++I) Add(lxmInfo, std::to_string(I));
  C->JumpToItem(1);
  C->ReverseList();
  for (int I = 0; I < 5; ++I) EXPECT_EQ(Text(I), std::to_string(4 - I));
  EXPECT_TRUE(List->GetSelected(3));
  EXPECT_EQ(List->GetItemIndex(), 3);
}

TEST_F(CompositeTest, ColumnsOnlyGrowAndEachNameIsMeasuredOnce) {
  EXPECT_EQ(C->AppNameWidth(), 0);
  Add(lxmInfo, "x", 0, "AVeryLongApplicationName");
  const int Wide = C->AppNameWidth();
  EXPECT_GT(Wide, 0);
  EXPECT_GT(C->TimeStampWidth(), 0);
  EXPECT_TRUE(List->Dirty());
  List->FlushChanges();
  Add(lxmInfo, "y", 0, "ab");
  EXPECT_EQ(C->AppNameWidth(), Wide);
  EXPECT_FALSE(C->UpdateAppNameWidth("AVeryLongApplicationName"));
  C->Clear();
  EXPECT_EQ(C->AppNameWidth(), 0);
  EXPECT_EQ(C->TimeStampWidth(), 0);
}

TEST_F(CompositeTest, GeometryOfALine) {
  const RECT Item{0, 18, 400, 36};
  RECT M = C->GetMessageRect(2, Item);
  EXPECT_EQ(M.left, 2 * 24 + 24);
  EXPECT_EQ(M.right, 400);
  C->SetViewIcons(false);
  EXPECT_EQ(C->GetMessageRect(2, Item).left, 2 * 24 + 2);
  Add(lxmInfo, "x", 0, "app");
  C->SetViewTimeStamp(true);
  C->SetViewAppName(true);
  M = C->GetMessageRect(0, Item);
  EXPECT_EQ(M.right, 400 - C->TimeStampWidth() - C->AppNameWidth());
  const RECT A = C->GetAppRect(M);
  EXPECT_EQ(A.left, M.right);
  EXPECT_EQ(A.right, M.right + C->AppNameWidth());
  EXPECT_EQ(C->GetTimeRect(Item, M, A).left, A.right);
  EXPECT_EQ(C->GetTimeRect(Item, M, A).right, 400);
}

TEST_F(CompositeTest, CroppingKeepsTheFirstLineAndAnEllipsis) {
  TCanvas& Cv = List->GetCanvas();
  Cv.GetFont().Assign(List->GetFont());
  EXPECT_EQ(C->CropMessage("short", 1000), "short");
  EXPECT_EQ(C->CropMessage("first\rsecond", 1000), "first...");
  EXPECT_EQ(C->CropMessage("anything", 0), "...");
  const std::string Long(200, 'W');
  const std::string Cut = C->CropMessage(Long, 100);
  ASSERT_GE(Cut.size(), 3u);
  EXPECT_EQ(Cut.substr(Cut.size() - 3), "...");
  EXPECT_LE(Cv.TextWidth(Cut), 100);
  // One character more would not have fitted.
  EXPECT_GT(Cv.TextWidth(std::string(Cut, 0, Cut.size() - 3).append("W...")), 100);
  // The ellipsis of a first line that does not fit is eaten first.
  const std::string Two = C->CropMessage(std::string(50, 'W') + "\rtail", 60);
  EXPECT_EQ(Two.substr(Two.size() - 3), "...");
  EXPECT_EQ(Two.find("......"), std::string::npos);
}

TEST_F(CompositeTest, ItemHeightFollowsTheFontAndTheIcons) {
  TFont Small;
  Small.SetName("Arial");
  Small.SetHeight(-8);
  C->MsgFont().Assign(Small);
  C->UpdateItemHeight();
  EXPECT_EQ(List->GetItemHeight(), 15);
  C->SetViewIcons(false);
  EXPECT_LT(List->GetItemHeight(), 15);
}

TEST_F(CompositeTest, TipShowsTheWholeTextUnderTheLineAndClosesOnEscape) {
  Add(lxmInfo, "first line\r\nsecond line");
  C->AddSeparator("", 0);
  C->JumpToItem(1);
  SendMessageA(Wnd, WM_LBUTTONDBLCLK, MK_LBUTTON, MAKELPARAM(30, List->ItemRect(1).top + 3));
  EXPECT_FALSE(C->GetTipVisible()) << "no tip on a separator";
  C->JumpToItem(0);
  C->ShowTip();
  ASSERT_TRUE(C->GetTipVisible());
  HWND Tip = C->Tip().GetHandle();
  EXPECT_TRUE(IsWindowVisible(Tip));
  EXPECT_EQ(GetCapture(), Tip);
  EXPECT_EQ(C->Tip().GetTipText(), "first line\r\nsecond line");
  RECT R{};
  GetWindowRect(Tip, &R);
  POINT Below{List->ItemRect(0).left + 2, List->ItemRect(0).bottom + 2};
  ClientToScreen(Wnd, &Below);
  EXPECT_EQ(R.left, Below.x);
  EXPECT_EQ(R.top, Below.y);
  EXPECT_EQ(R.right - R.left, List->ItemRect(0).right - List->ItemRect(0).left - 4);
  EXPECT_GT(R.bottom - R.top, C->Tip().CalcTipHeight(R.right - R.left) / 2 + 4) << "two lines high";
  ASSERT_EQ(GetFocus(), Tip);
  Key(Tip, VK_ESCAPE);
  EXPECT_FALSE(C->GetTipVisible());
  EXPECT_FALSE(IsWindowVisible(Tip));
  EXPECT_NE(GetCapture(), Tip);
  EXPECT_EQ(GetFocus(), List->GetHandle()) << "the keyboard goes back to the list, not to the panel";
  // Any mouse press closes it too.
  C->ShowTip();
  SendMessageA(Tip, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(500, 500));
  EXPECT_FALSE(C->GetTipVisible());
  C->Tip().SetTipText(std::string(400, 'x'));
  EXPECT_EQ(C->Tip().GetTipText().size(), 255u);
}

TEST_F(CompositeTest, LogFileRoundTripReplacesTheList) {
  char Dir[MAX_PATH];
  GetTempPathA(MAX_PATH, Dir);
  const std::string File = std::string(Dir) + "core-roundtrip.olx";
  Add(lxmInfo, "abc");
  C->AddCheckPoint("", 1);
  C->AddCheckPoint("", 2);
  C->AddMessage(lxmObject, "obj", "client", "TThing", 3, std::string_view("a\tb\r\nc\td"));
  C->SaveLogFile(File);
  C->Clear();
  Add(lxmInfo, "to be replaced");
  C->AddCheckPoint("", 9);
  C->LoadMessages(File);
  ASSERT_EQ(List->Count(), 4);
  EXPECT_EQ(Text(0), "abc");
  EXPECT_EQ(Text(1), "Check Point #1");
  EXPECT_EQ(Text(2), "Check Point #2");
  EXPECT_EQ(C->GetItemMsgInfo(3).Details().Count(), 2);
  EXPECT_EQ(C->GetItemMsgInfo(3).TypeName(), "TThing");
  EXPECT_EQ(TCursorGuard::ScreenCursor(), crDefault);
  std::remove(File.c_str());
  EXPECT_ANY_THROW(C->LoadMessages(File));
  EXPECT_EQ(TCursorGuard::ScreenCursor(), crDefault) << "the hourglass goes also on failure";
}

TEST_F(CompositeTest, ScratchPadLinesOutsideTheRangeAreIgnored) {
  C->ScratchPadMsg(0, "zero");
  C->ScratchPadMsg(99, "last");
  C->ScratchPadMsg(100, "out");
  C->ScratchPadMsg(-1, "out");
  EXPECT_EQ(C->GetScratchPadLine(0), "zero");
  EXPECT_EQ(C->GetScratchPadLine(99), "last");
  C->Clear();
  EXPECT_EQ(C->GetScratchPadLine(0), "zero") << "clearing the list keeps the scratch pad";
}

TEST_F(CompositeTest, SecondPanelSharesTheFirstPanelsRecords) {
  Add(lxmInfo, "shared", 0, "SomeApplication");
  TBkOrlimoComposite Second(nullptr, &Clock);
  Second.AppendSharedItemsFrom(*C);
  ASSERT_EQ(Second.FLstMsgs->Count(), 1);
  EXPECT_EQ(&Second.GetItemMsgInfo(0), &C->GetItemMsgInfo(0));
  EXPECT_EQ(Second.AppNameWidth(), C->AppNameWidth());
}

}  // namespace
