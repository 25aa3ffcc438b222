// The main form: placement and settings in the registry, Always On Top with
// messages listed, closing, the minimum size and the focus at start.
#include "MainFormTestUtil.h"

#include "model/OrlimoMsg.h"

#include <stdexcept>

namespace {

TEST_F(MainFormTest, AnEmptyRegistryGivesTheDefaultPlacement) {
  ASSERT_NO_FATAL_FAILURE(Make());
  EXPECT_EQ(Form->GetCaption(), "Orlimo (32-bit)");
  EXPECT_EQ(Form->GetLeft(), 0);
  EXPECT_EQ(Form->GetTop(), 0);
  EXPECT_EQ(Form->GetWidth(), 506);
  EXPECT_EQ(Form->GetHeight(), 300);
  EXPECT_EQ(Form->GetWindowState(), wsNormal);
  EXPECT_EQ(Form->GetFormStyle(), fsNormal);
  EXPECT_FALSE(Form->MnuOnTop->GetChecked());
  EXPECT_EQ(Form->GetMenu(), Form->MnuMain);
  // The panel fills the client area.
  EXPECT_EQ(Viewer->GetParent(), Form.get());
  EXPECT_EQ(Viewer->GetAlign(), alClient);
}

TEST_F(MainFormTest, LoadsThePlacementAndThePanelsSettings) {
  ASSERT_NO_FATAL_FAILURE(
      Make({{"Left", "0x20"}, {"Top", "45"}, {"Width", "420"}, {"Height", "310"}, {"Maximized", "7"}, {"OnTop", "1"}},
           {{"TimeStamp", "1"}, {"Icons", "0"}, {"AppName", "1"}}));
  EXPECT_EQ(Form->GetLeft(), 32);
  EXPECT_EQ(Form->GetTop(), 45);
  EXPECT_EQ(Form->GetWidth(), 420);
  EXPECT_EQ(Form->GetHeight(), 310);
  EXPECT_EQ(Form->GetWindowState(), wsMaximized) << "any non-zero number is true";
  EXPECT_TRUE(Form->MnuOnTop->GetChecked());
  EXPECT_EQ(Form->GetFormStyle(), fsStayOnTop);
  // The panel's own settings, and the menu follows them.
  EXPECT_TRUE(Viewer->GetViewTimeStamp());
  EXPECT_FALSE(Viewer->GetViewIcons());
  EXPECT_TRUE(Form->MnuTimeStamp->GetChecked());
  EXPECT_FALSE(Form->MnuViewIcons->GetChecked());
  EXPECT_TRUE(Form->MnuAppName->GetChecked());
  // Shown maximised, with the stored bounds behind it, and on top.
  Form->Show();
  EXPECT_TRUE(IsZoomed(Form->GetHandle()));
  const RECT N = Form->GetNormalBounds();
  EXPECT_EQ(N.left, 32);
  EXPECT_EQ(N.right - N.left, 420);
  EXPECT_EQ(N.bottom - N.top, 310);
  EXPECT_TRUE(GetWindowLongA(Form->GetHandle(), GWL_EXSTYLE) & WS_EX_TOPMOST);
}

TEST_F(MainFormTest, UnreadableValuesTakeTheDefaults) {
  ASSERT_NO_FATAL_FAILURE(
      Make({{"Left", "abc"}, {"Top", "0x"}, {"Width", "12x"}, {"Height", ""}, {"Maximized", "yes"}, {"OnTop", "0"}}));
  EXPECT_EQ(Form->GetLeft(), 0);
  EXPECT_EQ(Form->GetTop(), 0);
  EXPECT_EQ(Form->GetWidth(), 506);
  EXPECT_EQ(Form->GetHeight(), 300);
  EXPECT_EQ(Form->GetWindowState(), wsNormal);
  EXPECT_FALSE(Form->MnuOnTop->GetChecked());
}

TEST_F(MainFormTest, SavingAMaximisedWindowKeepsItsNormalBounds) {
  ASSERT_NO_FATAL_FAILURE(Make({{"Left", "60"}, {"Top", "70"}, {"Width", "450"}, {"Height", "320"}}));
  Form->Show();
  Form->MnuOnTop->Click();
  Form->MnuAppName->Click();
  ShowWindow(Form->GetHandle(), SW_MAXIMIZE);
  ASSERT_TRUE(IsZoomed(Form->GetHandle()));
  Form->SaveFormSettings();
  const std::string Key = TBkFrmOrlimo::PositionKey;
  EXPECT_EQ(ReadValue(Key, "Maximized"), "1");
  EXPECT_EQ(ReadValue(Key, "Left"), "60");
  EXPECT_EQ(ReadValue(Key, "Top"), "70");
  EXPECT_EQ(ReadValue(Key, "Width"), "450");
  EXPECT_EQ(ReadValue(Key, "Height"), "320");
  EXPECT_EQ(ReadValue(Key, "OnTop"), "1");
  // The panel saved its settings first.
  EXPECT_EQ(ReadValue(ViewKey, "AppName"), "1");
}

TEST_F(MainFormTest, SavingAMinimisedWindowKeepsItsNormalBounds) {
  ASSERT_NO_FATAL_FAILURE(Make({{"Left", "60"}, {"Top", "70"}, {"Width", "450"}, {"Height", "320"}}));
  Form->Show();
  ShowWindow(Form->GetHandle(), SW_MINIMIZE);
  ASSERT_TRUE(IsIconic(Form->GetHandle()));
  Form->SaveFormSettings();
  const std::string Key = TBkFrmOrlimo::PositionKey;
  EXPECT_EQ(ReadValue(Key, "Maximized"), "0");
  EXPECT_EQ(ReadValue(Key, "Left"), "60");
  EXPECT_EQ(ReadValue(Key, "Top"), "70");
  EXPECT_EQ(ReadValue(Key, "Width"), "450");
  EXPECT_EQ(ReadValue(Key, "Height"), "320");
  EXPECT_TRUE(IsIconic(Form->GetHandle())) << "saving leaves the window as it is";
}

TEST_F(MainFormTest, ClosingSavesOnceAndExitCloses) {
  ASSERT_NO_FATAL_FAILURE(Make({{"Left", "10"}, {"Top", "20"}, {"Width", "300"}, {"Height", "200"}}));
  Form->Show();
  SetWindowPos(Form->GetHandle(), nullptr, 15, 25, 333, 222, SWP_NOZORDER | SWP_NOACTIVATE);
  Form->MnuExit->Click();
  EXPECT_FALSE(Form->GetVisible());
  const std::string Key = TBkFrmOrlimo::PositionKey;
  EXPECT_EQ(ReadValue(Key, "Left"), "15");
  EXPECT_EQ(ReadValue(Key, "Width"), "333");
  EXPECT_EQ(ReadValue(Key, "Maximized"), "0");
  EXPECT_EQ(ReadValue(Key, "OnTop"), "0");
  // A second close does not write again.
  SetKeyValues(Key, {});
  SendMessageA(Form->GetHandle(), WM_CLOSE, 0, 0);
  EXPECT_EQ(ReadValue(Key, "Left"), "<missing>");
}

TEST_F(MainFormTest, TheWindowIsNeverSmallerThan100By150DesignPixels) {
  ASSERT_NO_FATAL_FAILURE(Make());
  Form->Show();
  MINMAXINFO Info{};
  Info.ptMaxTrackSize = POINT{12345, 23456};
  Info.ptMaxSize = POINT{777, 888};
  SendMessageA(Form->GetHandle(), WM_GETMINMAXINFO, 0, reinterpret_cast<LPARAM>(&Info));
  EXPECT_EQ(Info.ptMinTrackSize.x, 100);
  EXPECT_EQ(Info.ptMinTrackSize.y, 150);
  EXPECT_EQ(Info.ptMaxTrackSize.x, 12345) << "the other limits stay as given";
  EXPECT_EQ(Info.ptMaxSize.y, 888);
  SetWindowPos(Form->GetHandle(), nullptr, 0, 0, 20, 30, SWP_NOZORDER | SWP_NOMOVE | SWP_NOACTIVATE);
  RECT R{};
  GetWindowRect(Form->GetHandle(), &R);
  EXPECT_EQ(R.right - R.left, 100);
  EXPECT_EQ(R.bottom - R.top, 150);
  // Design pixels: at 150 % the least size is 150 by 225.
  Form->ScaleToDpi(144);
  Info = MINMAXINFO{};
  SendMessageA(Form->GetHandle(), WM_GETMINMAXINFO, 0, reinterpret_cast<LPARAM>(&Info));
  EXPECT_EQ(Info.ptMinTrackSize.x, 150);
  EXPECT_EQ(Info.ptMinTrackSize.y, 225);
}

TEST_F(MainFormTest, TheMessageListHasTheFocusAtStart) {
  ASSERT_NO_FATAL_FAILURE(Make());
  EXPECT_EQ(Form->GetActiveControl(), Viewer->FLstMsgs);
  Form->Show();
  Application->ProcessMessages();
  EXPECT_EQ(GetFocus(), Viewer->FLstMsgs->GetHandle());
}

// Fills the list with messages with details and selects two of them.
void FillAndSelect(TBkOrlimoComposite& V) {
  V.AddMessage(lxmInfo, "first", "App", "", 10, std::nullopt);
  V.AddMessage(lxmObject, "object", "App", "TThing", 20, std::string_view("Name\tAcme\r\nCity\tX"));
  V.AddMessage(lxmStringList, "lines", "App", "", 30, std::string_view("a\r\nb"));
  V.AddMessage(lxmWarning, "last", "App", "", 40, std::nullopt);
  V.FLstMsgs->SetItemIndex(1);
  V.FLstMsgs->SetSelected(1, true);
  V.FLstMsgs->SetSelected(3, true);
}

TEST_F(MainFormTest, AlwaysOnTopKeepsEveryMessageAndTheSelection) {
  ASSERT_NO_FATAL_FAILURE(Make());
  Form->Show();
  FillAndSelect(*Viewer);
  std::vector<const TOrlimoMsgInfo*> Records;
  for (std::int32_t I = 0; I < 4; ++I) Records.push_back(&Viewer->GetItemMsgInfo(I));

  for (bool OnTop : {true, false}) {
    Form->MnuOnTop->Click();
    EXPECT_EQ(Form->MnuOnTop->GetChecked(), OnTop);
    EXPECT_EQ(Form->GetFormStyle(), OnTop ? fsStayOnTop : fsNormal);
    EXPECT_EQ((GetWindowLongA(Form->GetHandle(), GWL_EXSTYLE) & WS_EX_TOPMOST) != 0, OnTop);
    ASSERT_EQ(Viewer->Messages().Count(), 4);
    for (std::int32_t I = 0; I < 4; ++I) EXPECT_EQ(&Viewer->GetItemMsgInfo(I), Records[static_cast<size_t>(I)]);
    ASSERT_EQ(Viewer->GetItemMsgInfo(1).Details().Count(), 2);
    EXPECT_EQ(Viewer->GetItemMsgInfo(1).Details()[1], "City\tX");
    EXPECT_EQ(Viewer->FLstMsgs->GetSelCount(), 2);
    EXPECT_TRUE(Viewer->FLstMsgs->GetSelected(1));
    EXPECT_TRUE(Viewer->FLstMsgs->GetSelected(3));
  }
}

// A form whose style change fails half-way (after the list lost its selection).
class TFailingOnTopForm : public TBkFrmOrlimo {
public:
  using TBkFrmOrlimo::TBkFrmOrlimo;

protected:
  void ApplyStayOnTop(bool) override {
    GetViewer()->FLstMsgs->ClearSelection();
    throw std::runtime_error("style not changed");
  }
};

TEST_F(MainFormTest, AFailedStyleChangeStillGivesThePanelItsItemsBack) {
  ASSERT_NO_FATAL_FAILURE(SetKeyValues(TBkFrmOrlimo::PositionKey, {}));
  TFailingOnTopForm F(nullptr, {});
  FillAndSelect(*F.GetViewer());
  EXPECT_THROW(F.MnuOnTop->Click(), std::runtime_error);
  EXPECT_EQ(F.GetViewer()->FLstMsgs->GetSelCount(), 2) << "the composite move was finished";
  EXPECT_EQ(F.GetViewer()->Messages().Count(), 4);
  EXPECT_FALSE(F.MnuOnTop->GetChecked()) << "the mark shows the style the window has";
  EXPECT_EQ(F.GetFormStyle(), fsNormal);
}

TEST_F(MainFormTest, ActivationRefreshesTheStatus) {
  ASSERT_NO_FATAL_FAILURE(Make());
  Add(lxmInfo, "quiet");
  ASSERT_FALSE(Form->MnuSave->GetEnabled());
  ASSERT_TRUE(Application->OnActivate);
  Application->OnActivate(nullptr);
  EXPECT_TRUE(Form->MnuSave->GetEnabled());
  Form.reset();
  EXPECT_FALSE(Application->OnActivate) << "the form leaves no callback behind";
}

TEST_F(MainFormTest, ALogFileGivenAsTheOnlyArgumentIsOpened) {
  char Tmp[MAX_PATH];
  GetTempPathA(MAX_PATH, Tmp);
  const std::string File = std::string(Tmp) + "orlimo-mainform-" + std::to_string(GetCurrentProcessId()) + ".olx";
  {
    ASSERT_NO_FATAL_FAILURE(Make());
    Add(lxmInfo, "kept");
    Add(lxmWarning, "too");
    Viewer->SaveLogFile(File);
    Form.reset();
  }
  ASSERT_NO_FATAL_FAILURE(SetKeyValues(TBkFrmOrlimo::PositionKey, {}));
  TBkFrmOrlimo One(nullptr, {File});
  EXPECT_EQ(One.GetViewer()->Messages().Count(), 2);
  TBkFrmOrlimo Two(nullptr, {File, File});
  EXPECT_EQ(Two.GetViewer()->Messages().Count(), 0);
  TBkFrmOrlimo Missing(nullptr, {File + ".missing"});
  EXPECT_EQ(Missing.GetViewer()->Messages().Count(), 0);
  DeleteFileA(File.c_str());
}

}  // namespace
