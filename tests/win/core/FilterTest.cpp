// Filters and highlighting in the viewer panel: the quick filter box typed,
// the rules' dialog driven by its controls, the list and what acts on it
// following the view, the log file keeping everything, and the rules kept in
// the registry.
#include "ViewerFixture.h"

#include "core/LxFltFrm.h"
#include "model/LogFile.h"
#include "platform/Clipboard.h"

namespace {

std::string TempFile(const std::string& Name) {
  char Dir[MAX_PATH] = {};
  GetTempPathA(MAX_PATH, Dir);
  return std::string(Dir) + Name;
}

TFilterRule Rule(TFilterAction Action, TFilterField Field, std::string Pattern) {
  TFilterRule R;
  R.Action = Action;
  R.Field = Field;
  R.Pattern = std::move(Pattern);
  return R;
}

class Filters : public ViewerTest {
protected:
  void SetUp() override {
    ViewerTest::SetUp();
    Key = std::make_unique<TTempKey>(TBkOrlimoComposite::RegistryKey);
  }
  void TearDown() override {
    ViewerTest::TearDown();
    Key.reset();
  }
  // The texts the list shows, in order.
  std::vector<std::string> Shown() {
    std::vector<std::string> T;
    for (std::int32_t I = 0; I < List->Count(); ++I) T.push_back(List->GetItemString(I));
    return T;
  }
  void Type(const std::string& Text) {
    HWND Box = C->FEdtQuickFilter->GetHandle();
    for (const char Ch : Text) SendMessageA(Box, WM_CHAR, static_cast<unsigned char>(Ch), 1);
  }
  void Press(HWND Wnd, WPARAM VKey) {
    SendMessageA(Wnd, WM_KEYDOWN, VKey, 1);
    SendMessageA(Wnd, WM_KEYUP, VKey, 0xC0000001);
  }
  void Fill() {
    Add(lxmInfo, "alpha one", 1);
    Add(lxmError, "Beta two", 2);
    C->AddSeparator("client", 3);
    Add(lxmWarning, "ALPHA three", 4);
    Add(lxmInfo, "gamma four", 5);
    List->FlushChanges();
  }
  std::unique_ptr<TTempKey> Key;
};

TEST_F(Filters, TheQuickFilterNarrowsAfterTheDelayAndEscapeGivesEverythingBack) {
  Fill();
  ASSERT_EQ(List->Count(), 5);
  Type("alp");
  EXPECT_EQ(List->Count(), 5) << "nothing happens before the delay";
  EXPECT_TRUE(C->QuickFilterTimerObject().GetEnabled());
  C->QuickFilterTimerObject().Timer();  // the delay passed
  EXPECT_EQ(Shown(), (std::vector<std::string>{"alpha one", "ALPHA three"})) << "ignoring case, no separator";
  EXPECT_EQ(C->FStsMsgCount->GetCaption(), "2 of 5 Messages");
  EXPECT_TRUE(C->Filtering());

  // A new message is tested once, on arrival; the count of all includes the hidden.
  Add(lxmInfo, "not shown", 6);
  Add(lxmInfo, "alpha five", 7);
  List->FlushChanges();
  EXPECT_EQ(Shown(), (std::vector<std::string>{"alpha one", "ALPHA three", "alpha five"}));
  C->UpdateStatus();
  EXPECT_EQ(C->FStsMsgCount->GetCaption(), "3 of 7 Messages");

  // Escape empties the box and the whole list is back at once.
  Press(C->FEdtQuickFilter->GetHandle(), VK_ESCAPE);
  EXPECT_EQ(C->FEdtQuickFilter->GetText(), "");
  EXPECT_FALSE(C->Filtering());
  EXPECT_EQ(List->Count(), 7);
  EXPECT_EQ(C->FStsMsgCount->GetCaption(), "7 Messages");
  EXPECT_EQ(C->GetItemMsgInfo(2).MsgType(), lxmSeparator) << "separators are back";

  // Enter applies at once and gives the keyboard to the list.
  C->FocusQuickFilter();
  EXPECT_EQ(GetFocus(), C->FEdtQuickFilter->GetHandle());
  Type("GAMMA");
  Press(C->FEdtQuickFilter->GetHandle(), VK_RETURN);
  EXPECT_EQ(Shown(), (std::vector<std::string>{"gamma four"}));
  EXPECT_EQ(GetFocus(), List->GetHandle());
}

TEST_F(Filters, CopyExportDeleteAndTheSearchesFollowTheViewWhileTheLogKeepsEverything) {
  Fill();
  C->SetQuickFilterText("alpha");
  ASSERT_EQ(List->Count(), 2);
  C->SelectAll();
  EXPECT_EQ(C->FStsSelCount->GetCaption(), "2 Selected");
  C->CopyAllToClipboard();
  EXPECT_EQ(Clipboard().GetAsText(), "alpha one\r\nALPHA three\r\n");
  // The text export lists the shown messages; the log keeps all of them.
  const std::string Text = TempFile("orlimo-filter.txt");
  const std::string Log = TempFile("orlimo-filter.olx");
  C->SaveTextFile(Text);
  const TFileBytes Export = ReadFileBytes(Text);
  const std::string Exported(Export.Data.get(), Export.Size);
  EXPECT_NE(Exported.find("alpha one"), std::string::npos);
  EXPECT_EQ(Exported.find("Beta two"), std::string::npos);
  C->SaveLogFile(Log);
  {
    TManualClock LogClock;
    TOrlimoMsgList All(LogClock);
    LoadLogFile(All, Log);
    EXPECT_EQ(All.Count(), 5) << "a log is the record of what was sent";
  }
  // Find and the navigator walk the shown messages only.
  C->SetFindSettings("three", TFindOptions{});
  C->FindNext(true);
  EXPECT_EQ(List->GetItemIndex(), 1);
  C->SetNavigatorMessage(lxmWarning);
  C->JumpToMessage(nvFirst);
  EXPECT_EQ(List->GetItemIndex(), 1);
  // Delete takes the shown selected messages only.
  C->JumpToItem(0);
  C->DeleteSelectedItems();
  EXPECT_EQ(Shown(), (std::vector<std::string>{"ALPHA three"}));
  EXPECT_EQ(C->FStsMsgCount->GetCaption(), "1 of 4 Messages");
  C->SetQuickFilterText("");
  EXPECT_EQ(Shown(), (std::vector<std::string>{"Beta two", "", "ALPHA three", "gamma four"}));
  DeleteFileA(Text.c_str());
  DeleteFileA(Log.c_str());
}

TEST_F(Filters, RulesIncludeExcludeAndHighlightAndAreKeptForTheNextStart) {
  Fill();
  TFilterRule Hi = Rule(TFilterAction::Highlight, TFilterField::Text, "gamma");
  Hi.TextColor = clWhite;
  Hi.BackColor = clNavy;
  TFilterRule App = Rule(TFilterAction::Include, TFilterField::App, "cli*");
  App.Match = TFilterMatch::Wildcard;
  C->SetFilterRules({App, Rule(TFilterAction::Exclude, TFilterField::Kind, "2"), Hi});
  EXPECT_EQ(Shown(), (std::vector<std::string>{"alpha one", "ALPHA three", "gamma four"}));
  List->FlushChanges();
  List->Update();
  // The highlighted row is painted in its colours; the others are not.
  auto S = Paint(*List);
  const RECT Row = List->ItemRect(2);
  const RECT Plain = List->ItemRect(0);
  EXPECT_EQ(S->Pixel(Row.right - 4, Row.top + 2), clNavy);
  EXPECT_NE(S->Pixel(Plain.right - 4, Plain.top + 2), clNavy);

  EXPECT_EQ(Key->Get("Filters", "Rule2"), "1|exclude|kind|contains|0|0|0|2");
  EXPECT_EQ(Key->Get("Filters", "Rule4"), "<none>");
  // A bad rule next to good ones: kept, disabled and told once in the status bar.
  Key->Set("Filters", "Rule4", "1|include|text|regex|0|0|0|([unclosed");
  C->LoadSettings();
  ASSERT_EQ(C->Filter().Rules().size(), 4u);
  EXPECT_FALSE(C->Filter().Rules()[3].Enabled);
  EXPECT_EQ(C->FStsTypeName->GetCaption().rfind("Rule 4:", 0), 0u) << C->FStsTypeName->GetCaption();
  EXPECT_EQ(Shown(), (std::vector<std::string>{"alpha one", "ALPHA three", "gamma four"}));
}

TEST_F(Filters, TheDialogEditsTheRulesByItsControls) {
  Fill();
  TModalAnswer Dialog([](TCustomForm& F) {
    auto& D = dynamic_cast<TFrmFilterRules&>(F);
    EXPECT_EQ(D.GetCaption(), "Filter and Highlight");
    D.BtnAdd->Click();
    D.EdtPattern->SetText("*two");
    D.CbxMatch->SetItemIndex(1);  // Wildcard
    D.CbxMatch->OnChange(D.CbxMatch);
    D.CbxAction->SetItemIndex(1);  // Exclude
    D.CbxAction->OnChange(D.CbxAction);
    D.BtnAdd->Click();
    D.EdtPattern->SetText("ALPHA");
    D.ChkCase->SetChecked(true);
    D.ChkCase->OnClick(D.ChkCase);
    D.BtnUp->Click();  // the second rule first
    EXPECT_EQ(D.LstRules->GetItems().Count(), 2);
    EXPECT_EQ(D.LstRules->GetItemIndex(), 0);
    F.SetModalResult(mrOk);
  });
  C->FilterAndHighlight();
  ASSERT_EQ(Dialog.Shown, 1);
  ASSERT_EQ(C->Filter().Rules().size(), 2u);
  EXPECT_EQ(FormatFilterRule(C->Filter().Rules()[0]), "1|include|text|contains|1|0|65535|ALPHA");
  EXPECT_EQ(FormatFilterRule(C->Filter().Rules()[1]), "1|exclude|text|wildcard|0|0|65535|*two");
  EXPECT_EQ(Shown(), (std::vector<std::string>{"ALPHA three"}));
  // Cancel changes nothing.
  TModalAnswer Cancel([](TCustomForm& F) {
    dynamic_cast<TFrmFilterRules&>(F).BtnRemove->Click();
    F.SetModalResult(mrCancel);
  });
  C->FilterAndHighlight();
  EXPECT_EQ(C->Filter().Rules().size(), 2u);
}

// A long list is re-filtered in slices between messages: the list keeps the
// previous view until the last slice, messages arriving meanwhile (at either
// end) are taken in, and a new key abandons the slice in progress.
TEST_F(Filters, ALongListIsFilteredInSlicesThatFollowArrivalsAndANewKey) {
  for (const bool AtEnd : {true, false}) {
    SCOPED_TRACE(AtEnd ? "inserting at the end" : "inserting at the top");
    C->SetQuickFilterText("");
    C->Clear();
    C->SetInsertAtEnd(AtEnd);
    for (int I = 0; I < 10000; ++I) Add(lxmInfo, (I % 10 == 0 ? "hit " : "miss ") + std::to_string(I), I + 1);
    C->RefilterSliceItems = 1000;
    C->SetQuickFilterText("miss");
    ASSERT_TRUE(C->RefilterPending());
    EXPECT_EQ(List->Count(), 10000) << "the previous view stays until the end";
    EXPECT_EQ(TCursorGuard::ScreenCursor(), crHourGlass);
    C->RefilterSlice(1000);
    C->SetQuickFilterText("HIT");  // the next key: the slice in progress is abandoned
    ASSERT_TRUE(C->RefilterPending());
    for (int Round = 0; C->RefilterPending(); ++Round) {
      ASSERT_LT(Round, 100);
      Add(lxmInfo, "hit late " + std::to_string(Round), 20000 + Round);
      Add(lxmInfo, "late miss", 30000 + Round);
      C->RefilterSlice(1000);
    }
    // The view is what a walk over the list gives.
    std::vector<std::string> Walk;
    for (std::int32_t P = 0; P < C->Messages().Count(); ++P) {
      const std::string T(C->Messages().GetItemText(P));
      if (T.find("hit") != std::string::npos) Walk.push_back(T);
    }
    List->FlushChanges();
    EXPECT_EQ(Shown(), Walk);
    EXPECT_GT(Walk.size(), 1000u);
    EXPECT_EQ(TCursorGuard::ScreenCursor(), crDefault);
    C->RefilterSliceItems = 0;
  }
}

}  // namespace
