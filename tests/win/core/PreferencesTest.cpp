// The preferences dialog: its controls, what each one edits, and what the
// panel does with a confirmed dialog, driven programmatically.
#include "ViewerFixture.h"

#include "core/LxHelp.h"
#include "core/LxOptFrm.h"

#include "platform/CommonDialogs.h"

namespace {

class Preferences : public ViewerTest {
protected:
  void SetUp() override {
    SavedFonts = FOrlimoFonts;
    FOrlimoFonts = {};
    FOrlimoFonts[0] = TOrlimoFontRec{true, clBlack, 0};
    for (std::size_t K = 1; K < FOrlimoFonts.size(); ++K) FOrlimoFonts[K] = TOrlimoFontRec{true, clWindowText, 0};
    ViewerTest::SetUp();
  }
  void TearDown() override {
    TCommonDialog::ExecuteHook = nullptr;
    ViewerTest::TearDown();
    FOrlimoFonts = SavedFonts;
  }
  // Runs ChangePreferences with the dialog answered by Answer; OK unless it
  // sets another result.
  void Change(const std::function<void(TFrmPreferences&)>& Answer) {
    TModalAnswer Modal([&](TCustomForm& F) {
      auto& D = dynamic_cast<TFrmPreferences&>(F);
      Answer(D);
      if (D.GetModalResult() == mrNone) D.BtnOK->Click();
    });
    C->ChangePreferences();
    EXPECT_EQ(Modal.Shown, 1);
  }
  TOrlimoFonts SavedFonts{};
};

TEST_F(Preferences, TheDialogHasEveryGroupAndControl) {
  TFrmPreferences D;
  D.Fill(*C);
  D.HandleNeeded();
  D.PrepareShow();
  EXPECT_EQ(D.GetCaption(), "Orlimo Preferences");
  EXPECT_EQ(D.GetClientWidth(), 507);
  EXPECT_EQ(D.GetClientHeight(), 367);
  EXPECT_EQ(D.GetPosition(), poScreenCenter);
  EXPECT_EQ(D.GrpMessages->GetCaption(), "Message Options");
  EXPECT_EQ(D.GrpFonts->GetCaption(), "Fonts");
  EXPECT_EQ(D.GrpFormView->GetCaption(), "Form View Options");
  EXPECT_EQ(D.GrpDetails->GetCaption(), "Message Details");
  EXPECT_EQ(D.GrpKinds->GetCaption(), "Special Message Colors and Styles");
  EXPECT_EQ(D.CbxInsertAt->GetItems().FStrings, (std::vector<std::string>{"Beginning", "End"}));
  EXPECT_EQ(D.CbxFontType->GetItems().FStrings, (std::vector<std::string>{"Message", "Object", "Stream"}));
  ASSERT_EQ(D.CbxMsgType->GetItems().Count(), 10);
  EXPECT_EQ(D.CbxMsgType->GetItems()[0], "Warning");
  EXPECT_EQ(D.CbxMsgType->GetItems()[9], "Exit Method");
  EXPECT_EQ(D.ChkBeep->GetCaption(), "Sound a beep ");
  EXPECT_EQ(D.BtnModify->GetCaption(), "Modify...");
  EXPECT_EQ(D.BtnHelp->GetCaption(), "&Help");
  EXPECT_TRUE(D.BtnOK->GetDefault());
  EXPECT_TRUE(D.BtnCancel->GetCancel());
  EXPECT_EQ(D.SpnIdleTime->GetMax(), 600);
  EXPECT_EQ(D.SpnIdleTime->GetPageSize(), 10);
  EXPECT_EQ(D.SpnIdleTime->GetIncrement(), 1);
  EXPECT_EQ(D.ChkBold->GetFont().GetStyle(), fsBold);
  EXPECT_EQ(D.ChkStrikeout->GetFont().GetStyle(), fsStrikeOut);
  for (int I = 0; I < 3; ++I) EXPECT_EQ(D.FSamples[static_cast<std::size_t>(I)]->GetCaption(), "Sample");
  // Every control lies inside the dialog and inside its group.
  for (TGroupBox* G : {D.GrpMessages, D.GrpFonts, D.GrpFormView, D.GrpDetails, D.GrpKinds}) {
    EXPECT_LE(G->GetLeft() + G->GetWidth(), 507) << G->GetCaption();
    EXPECT_LE(G->GetTop() + G->GetHeight(), 367) << G->GetCaption();
    for (int I = 0; I < G->GetControlCount(); ++I) {
      TControl* Child = G->GetControl(I);
      EXPECT_LE(Child->GetLeft() + Child->GetWidth(), G->GetWidth()) << G->GetCaption() << " " << I;
      EXPECT_LE(Child->GetTop() + Child->GetHeight(), G->GetHeight()) << G->GetCaption() << " " << I;
    }
  }
}

TEST_F(Preferences, TheIdleTimeIsEditableOnlyWithAWakeUpAction) {
  TFrmPreferences D;
  D.Fill(*C);
  D.HandleNeeded();
  D.PrepareShow();
  EXPECT_FALSE(D.SpnIdleTime->GetEnabled());
  SendMessageA(D.ChkBeep->GetHandle(), BM_CLICK, 0, 0);
  EXPECT_TRUE(D.ChkBeep->GetChecked());
  EXPECT_TRUE(D.SpnIdleTime->GetEnabled());
  SendMessageA(D.ChkInsertSeparator->GetHandle(), BM_CLICK, 0, 0);
  SendMessageA(D.ChkBeep->GetHandle(), BM_CLICK, 0, 0);
  EXPECT_TRUE(D.SpnIdleTime->GetEnabled());
  SendMessageA(D.ChkInsertSeparator->GetHandle(), BM_CLICK, 0, 0);
  EXPECT_FALSE(D.SpnIdleTime->GetEnabled());
  EXPECT_FALSE(IsWindowEnabled(D.SpnIdleTime->GetEdit()->GetHandle())) << "its text looks disabled";
  EXPECT_FALSE(D.SpnIdleTime->GetUpButton()->GetEnabled());
}

TEST_F(Preferences, EachKindIsEditedInItsOwnEntry) {
  TFrmPreferences D;
  D.Fill(*C);
  D.HandleNeeded();
  D.PrepareShow();
  EXPECT_EQ(D.SelectedKind(), lxmWarning);
  EXPECT_TRUE(D.ChkUseDefault->GetChecked());
  EXPECT_FALSE(D.CbxColor->GetEnabled());
  EXPECT_FALSE(D.ChkBold->GetEnabled());

  // "Note" is list position 7: entry 8.
  D.CbxMsgType->SetItemIndex(7);
  D.MsgTypeChange();
  EXPECT_EQ(D.SelectedKind(), lxmNote);
  SendMessageA(D.ChkUseDefault->GetHandle(), BM_CLICK, 0, 0);
  EXPECT_TRUE(D.CbxColor->GetEnabled());
  EXPECT_TRUE(D.ChkStrikeout->GetEnabled());
  D.CbxColor->SetSelectedColor(clBlue);
  SendMessageA(D.ChkItalic->GetHandle(), BM_CLICK, 0, 0);
  SendMessageA(D.ChkUnderline->GetHandle(), BM_CLICK, 0, 0);
  EXPECT_EQ(D.KindStyles()[lxmNote].UseDefault, false);
  EXPECT_EQ(D.KindStyles()[lxmNote].Color, clBlue);
  EXPECT_EQ(D.KindStyles()[lxmNote].Style, fsItalic | fsUnderline);
  EXPECT_EQ(D.PnlKindSample->GetFont().GetColor(), clBlue);
  EXPECT_EQ(D.PnlKindSample->GetFont().GetStyle(), fsItalic | fsUnderline);
  // "String List" edits entry 6; the Note entry keeps its choice.
  D.CbxMsgType->SetItemIndex(5);
  D.MsgTypeChange();
  EXPECT_EQ(D.SelectedKind(), lxmStringList);
  EXPECT_TRUE(D.ChkUseDefault->GetChecked());
  EXPECT_FALSE(D.ChkItalic->GetChecked());
  EXPECT_EQ(D.PnlKindSample->GetFont().GetColor(), D.SampleFont(0).GetColor()) << "the message font's colour";
  SendMessageA(D.ChkUseDefault->GetHandle(), BM_CLICK, 0, 0);
  SendMessageA(D.ChkBold->GetHandle(), BM_CLICK, 0, 0);
  EXPECT_EQ(D.KindStyles()[lxmStringList].Style, fsBold);
  EXPECT_EQ(D.KindStyles()[lxmNote].Style, fsItalic | fsUnderline);
  EXPECT_EQ(FOrlimoFonts[lxmNote].Style, 0) << "only the dialog's copy changes";
}

TEST_F(Preferences, ModifyTakesTheFontDialogsChoice) {
  TFrmPreferences D;
  D.Fill(*C);
  D.HandleNeeded();
  D.PrepareShow();
  std::string Preset;
  TCommonDialog::ExecuteHook = [&](TCommonDialog& Dlg) {
    auto& F = dynamic_cast<TFontDialog&>(Dlg);
    Preset = F.Font.GetName();
    F.Font.SetName("Courier New");
    F.Font.SetSize(12);
    F.Font.SetColor(clGreen);
    return true;
  };
  D.CbxFontType->SetItemIndex(2);
  D.FontTypeChange();
  EXPECT_EQ(D.NbkSamples->GetPageIndex(), 2);
  D.BtnModify->Click();
  EXPECT_EQ(Preset, "Courier New") << "preset with the stream font";
  EXPECT_EQ(D.SampleFont(2).GetSize(), 12);
  EXPECT_EQ(D.SampleFont(0).GetSize(), 8);
  D.CbxFontType->SetItemIndex(0);
  D.FontTypeChange();
  D.BtnModify->Click();
  EXPECT_EQ(D.SampleFont(0).GetName(), "Courier New");
  EXPECT_EQ(D.PnlKindSample->GetFont().GetName(), "Courier New") << "the kind sample follows the message font";
  EXPECT_EQ(D.PnlKindSample->GetFont().GetColor(), clGreen);
  TCommonDialog::ExecuteHook = [](TCommonDialog&) { return false; };
  D.BtnModify->Click();
  EXPECT_EQ(D.SampleFont(0).GetSize(), 12) << "a cancelled font dialog changes nothing";
}

TEST_F(Preferences, ConfirmedChangesAreAppliedInOrder) {
  for (int I = 0; I < 4; ++I) Add(lxmInfo, "m" + std::to_string(I), I + 1);
  int MenuUpdates = 0;
  bool ReversedBeforeMenu = false, FontBeforeMenu = false;
  C->OnUpdateMenu = [&](TObject*) {
    ++MenuUpdates;
    ReversedBeforeMenu = C->Messages().GetItemText(0) == "m3";
    FontBeforeMenu = C->GetLstMsgsFont().GetSize() == 14;
  };
  const int HeightBefore = List->GetItemHeight();
  Change([&](TFrmPreferences& D) {
    EXPECT_EQ(D.CbxInsertAt->GetItemIndex(), 1);
    D.CbxInsertAt->SetItemIndex(0);  // "Beginning"
    D.ChkKeepInView->SetChecked(true);
    D.ChkConfirmClear->SetChecked(false);
    D.ChkBeep->SetChecked(true);
    D.SpnIdleTime->SetValue(42);
    D.ChkTimeStamp->SetChecked(true);
    D.ChkAppName->SetChecked(true);
    D.ChkToolbar->SetChecked(false);
    D.ChkScratchPad->SetChecked(true);
    D.CbxMsgType->SetItemIndex(1);  // Error
    D.MsgTypeChange();
    SendMessageA(D.ChkUseDefault->GetHandle(), BM_CLICK, 0, 0);
    D.CbxColor->SetSelectedColor(clRed);
    TCommonDialog::ExecuteHook = [](TCommonDialog& Dlg) {
      auto& F = dynamic_cast<TFontDialog&>(Dlg);
      F.Font.SetSize(14);
      F.Font.SetStyle(fsItalic);
      F.Font.SetColor(clNavy);
      return true;
    };
    D.BtnModify->Click();
    D.CbxFontType->SetItemIndex(2);  // Stream
    D.FontTypeChange();
    D.BtnModify->Click();
  });
  EXPECT_EQ(C->StreamFont().GetSize(), 14);
  EXPECT_EQ(C->FEdtStream->GetFont().GetSize(), 14);
  EXPECT_EQ(C->ObjectFont().GetSize(), 8) << "the object font was not touched";
  EXPECT_TRUE(C->GetKeepMsgInView());
  EXPECT_FALSE(C->GetConfirmOnClear());
  EXPECT_TRUE(C->GetBeepOnWakeUp());
  EXPECT_EQ(C->GetIdleTime(), 42);
  EXPECT_TRUE(C->GetViewTimeStamp());
  EXPECT_TRUE(C->FBtnTimeStamp->GetDown());
  EXPECT_TRUE(C->GetViewAppName());
  EXPECT_FALSE(C->GetViewToolbar());
  EXPECT_FALSE(C->FToolbar->GetVisible());
  EXPECT_TRUE(C->GetViewScratchPad());
  // The list is reversed: the newest message stays at the insertion end.
  EXPECT_FALSE(C->GetInsertAtEnd());
  EXPECT_EQ(C->Messages().GetItemText(0), "m3");
  Add(lxmInfo, "m4", 9);
  EXPECT_EQ(C->Messages().GetItemText(0), "m4");
  EXPECT_FALSE(FOrlimoFonts[lxmError].UseDefault);
  EXPECT_EQ(FOrlimoFonts[lxmError].Color, clRed);
  // The message font: the list's, entry 0 from it, a new item height.
  EXPECT_EQ(C->MsgFont().GetSize(), 14);
  EXPECT_EQ(C->GetLstMsgsFont().GetSize(), 14);
  EXPECT_TRUE(FOrlimoFonts[0].UseDefault);
  EXPECT_EQ(FOrlimoFonts[0].Color, clNavy);
  EXPECT_EQ(FOrlimoFonts[0].Style, fsItalic);
  EXPECT_GT(List->GetItemHeight(), HeightBefore);
  EXPECT_EQ(MenuUpdates, 1);
  EXPECT_TRUE(ReversedBeforeMenu);
  EXPECT_TRUE(FontBeforeMenu);
}

// The toolbar's Icons and Time Stamp buttons follow the dialog at once, both
// ways, as the toolbar's own clicks keep them.
TEST_F(Preferences, TheIconsAndTimeStampButtonsFollowTheDialog) {
  ASSERT_TRUE(C->FBtnIcons->GetDown());
  ASSERT_FALSE(C->FBtnTimeStamp->GetDown());
  Change([](TFrmPreferences& D) {
    D.ChkIcons->SetChecked(false);
    D.ChkTimeStamp->SetChecked(true);
  });
  EXPECT_FALSE(C->FBtnIcons->GetDown());
  EXPECT_TRUE(C->FBtnTimeStamp->GetDown());
  Change([](TFrmPreferences& D) {
    D.ChkIcons->SetChecked(true);
    D.ChkTimeStamp->SetChecked(false);
  });
  EXPECT_TRUE(C->FBtnIcons->GetDown());
  EXPECT_FALSE(C->FBtnTimeStamp->GetDown());
}

TEST_F(Preferences, CancelChangesNothing) {
  Add(lxmInfo, "a", 1);
  Add(lxmInfo, "b", 2);
  const TOrlimoFonts Before = FOrlimoFonts;
  int MenuUpdates = 0;
  C->OnUpdateMenu = [&](TObject*) { ++MenuUpdates; };
  Change([&](TFrmPreferences& D) {
    D.CbxInsertAt->SetItemIndex(0);
    D.ChkIcons->SetChecked(false);
    D.SpnIdleTime->SetValue(99);
    D.CbxMsgType->SetItemIndex(0);
    D.MsgTypeChange();
    SendMessageA(D.ChkUseDefault->GetHandle(), BM_CLICK, 0, 0);
    D.BtnCancel->Click();
  });
  EXPECT_TRUE(C->GetInsertAtEnd());
  EXPECT_EQ(C->Messages().GetItemText(0), "a");
  EXPECT_TRUE(C->GetViewIcons());
  EXPECT_EQ(C->GetIdleTime(), 10);
  EXPECT_TRUE(TBkOrlimoComposite::FontArraysAreEqual(FOrlimoFonts, Before));
  EXPECT_EQ(MenuUpdates, 0);
}

TEST_F(Preferences, HelpJumpsToTheDialogsTopicOrSaysWhyNot) {
  TFrmPreferences D;
  std::vector<std::string> Opened;
  LxHelp::SetOpenDocumentHook([&](const std::string& Name, const std::string&) {
    Opened.push_back(Name);
    return true;
  });
  UINT Command = 0;
  std::string Data;
  LxHelp::SetHelpCommandHook([&](UINT Cmd, ULONG_PTR Arg) {
    Command = Cmd;
    Data = reinterpret_cast<const char*>(Arg);
    return true;
  });
  const std::string Dir = LxHelp::ProgramDirectory();
  const std::string Hlp = Dir + LxHelp::HelpFileName;
  const bool HadHlp = GetFileAttributesA(Hlp.c_str()) != INVALID_FILE_ATTRIBUTES;
  if (!HadHlp) {
    FILE* F = std::fopen(Hlp.c_str(), "wb");
    ASSERT_NE(F, nullptr);
    std::fclose(F);
  }
  D.HelpClick();
  if (!HadHlp) DeleteFileA(Hlp.c_str());
  LxHelp::SetOpenDocumentHook(nullptr);
  LxHelp::SetHelpCommandHook(nullptr);
  EXPECT_EQ(Command, static_cast<UINT>(HELP_COMMAND));
  EXPECT_EQ(Data, "JumpID(\"\",\"hlpLxPreferences\")");
  EXPECT_TRUE(Opened.empty());
  EXPECT_TRUE(Boxes.empty());
}

}  // namespace
