// The main menu: every item with its caption, shortcut, design state and tag;
// the accelerators typed while the message list has the focus; the panel's
// callbacks that keep the menu in step; the toggles and the Dock items.
#include "MainFormTestUtil.h"

#include "core/BkLxUtil.h"
#include "hosts/standalone/LxDock.h"

#include "model/OrlimoMsg.h"

#include <vector>

namespace {

struct TItemRow {
  TMenuItem* TBkFrmOrlimo::*Field;
  const char* Caption;
  const char* ShortCut;
  bool Enabled;
  bool Checked;
  int Group;
  bool Radio;
};

// The whole menu in order, as it stands right after creation on an empty
// registry with an empty list (save, copy, find current method and the like
// wait for messages).
const std::vector<std::pair<TMenuItem * TBkFrmOrlimo::*, std::vector<TItemRow>>>& Layout() {
  using F = TBkFrmOrlimo;
  static const std::vector<std::pair<TMenuItem * TBkFrmOrlimo::*, std::vector<TItemRow>>> Menus = {
      {&F::MnuFile,
       {{&F::MnuOpen, "&Open...", "Ctrl+O", true, false, 0, false},
        {&F::MnuSave, "&Save...", "Ctrl+S", false, false, 0, false},
        {&F::MnuLogToFile, "&Log to File...", "", true, false, 0, false},
        {&F::MnuSep16, "-", "", true, false, 0, false},
        {&F::MnuPrint, "&Print...", "", false, false, 0, false},
        {&F::MnuSep5, "-", "", true, false, 0, false},
        {&F::MnuExit, "E&xit", "Alt+F4", true, false, 0, false}}},
      {&F::MnuEdit,
       {{&F::MnuCopy, "&Copy", "Ctrl+C", false, false, 0, false},
        {&F::MnuCopyAll, "Copy A&ll", "", false, false, 0, false},
        {&F::MnuSep11, "-", "", true, false, 0, false},
        {&F::MnuDelete, "&Delete", "", false, false, 0, false},
        {&F::MnuClear, "Clea&r", "", true, false, 0, false},
        {&F::MnuResetIndentLevel, "Reset &Indent Level", "", true, false, 0, false},
        {&F::MnuSep12, "-", "", true, false, 0, false},
        {&F::MnuSelectAll, "Select &All", "Ctrl+A", false, false, 0, false}}},
      {&F::MnuSearch,
       {{&F::MnuFind, "&Find...", "Ctrl+F", true, false, 0, false},
        {&F::MnuFindNext, "Find &Next", "F3", true, false, 0, false},
        {&F::MnuSep1, "-", "", true, false, 0, false},
        {&F::MnuFindMatchingMethod, "Find Matching &Method", "", false, false, 0, false},
        {&F::MnuFindCurrentMethod, "Find &Current Method", "", false, false, 0, false},
        {&F::MnuSep20, "-", "", true, false, 0, false},
        {&F::MnuFilter, "Filter and &Highlight...", "Ctrl+H", true, false, 0, false}}},
      {&F::MnuView,
       {{&F::MnuInspector, "Inspector Wind&ow...", "", false, false, 0, false},
        {&F::MnuSep8, "-", "", true, false, 0, false},
        {&F::MnuViewIcons, "&Icons", "", true, true, 0, false},
        {&F::MnuTimeStamp, "Time &Stamp", "", true, false, 0, false},
        {&F::MnuAppName, "Application &Name", "", true, false, 0, false},
        {&F::MnuSep6, "-", "", true, false, 0, false},
        {&F::MnuToolbar, "&Toolbar", "", true, true, 0, false},
        {&F::MnuWrapButtons, "&Wrap Buttons", "", true, true, 0, false},
        {&F::MnuStatusBar, "Status &Bar", "", true, true, 0, false},
        {&F::MnuOnTop, "&Always On Top", "", true, false, 0, false},
        {&F::MnuSep10, "-", "", true, false, 0, false},
        {&F::MnuInspectorPane, "Inspector &Pane", "F5", true, false, 0, false},
        {&F::MnuViewCallStack, "&Call Stack", "", true, false, 3, true},
        {&F::MnuViewDetails, "D&etails", "", true, true, 3, true},
        {&F::MnuScratchPad, "Scratc&h Pad", "F6", true, false, 4, false},
        {&F::MnuSep4, "-", "", true, false, 4, false},
        {&F::MnuDock, "&Dock", "", true, false, 4, false},
        {&F::MnuSep3, "-", "", true, false, 4, false},
        {&F::MnuPreferences, "P&references...", "", true, false, 4, false},
        {&F::MnuSep21, "-", "", true, false, 4, false},
        {&F::MnuTheme, "&Theme", "", true, false, 4, false}}},
      {&F::MnuMessages,
       {{&F::MnuIgnoreMessages, "&Ignore Messages", "", true, false, 0, false},
        {&F::MnuCaptureDebugOutput, "Capture &Debug Output", "Ctrl+D", true, false, 0, false},
        {&F::MnuCaptureGlobalDebugOutput, "Capture &Global Debug Output", "", true, false, 0, false},
        {&F::MnuNetworkMessages, "&Network Messages...", "", true, false, 0, false},
        {&F::MnuSep14, "-", "", true, false, 0, false},
        {&F::MnuAddCheckPoint, "Add &Check Point", "", true, false, 0, false},
        {&F::MnuAddNote, "Add No&te", "", true, false, 0, false},
        {&F::MnuAddSeparator, "Add &Separator", "", true, false, 0, false},
        {&F::MnuSep2, "-", "", true, false, 0, false},
        {&F::MnuInsertNote, "Insert N&ote", "", true, false, 0, false},
        {&F::MnuInsertSeparator, "Insert Sepa&rator", "", true, false, 0, false},
        {&F::MnuSep9, "-", "", true, false, 0, false},
        {&F::MnuSelectNavMsg, "Select Navigator &Message...", "", true, false, 0, false},
        {&F::MnuCPFirst, "&First", "", false, false, 0, false},
        {&F::MnuCPPrev, "&Previous", "Ctrl+P", false, false, 0, false},
        {&F::MnuCPNext, "&Next", "Ctrl+N", false, false, 0, false},
        {&F::MnuCPLast, "&Last", "", false, false, 0, false}}},
      {&F::MnuHelp,
       {{&F::MnuHelpContents, "&Contents", "", true, false, 0, false},
        {&F::MnuSep7, "-", "", true, false, 0, false},
        {&F::MnuAbout, "&About", "", true, false, 0, false}}},
  };
  return Menus;
}

std::string NativeText(HMENU Menu, int Pos) {
  char Buffer[128] = {};
  GetMenuStringA(Menu, static_cast<UINT>(Pos), Buffer, sizeof Buffer, MF_BYPOSITION);
  return Buffer;
}

TEST_F(MainFormTest, TheMenuHasEveryItemWithItsCaptionShortcutAndState) {
  ASSERT_NO_FATAL_FAILURE(Make());
  const std::vector<std::string> Bar = {"&File", "&Edit", "&Search", "&View", "&Messages", "&Help"};
  TMenuItem* Root = Form->MnuMain->GetItems();
  ASSERT_EQ(Root->GetCount(), 6);
  HMENU NativeBar = GetMenu(Form->GetHandle());
  ASSERT_NE(NativeBar, nullptr);
  int MenuIndex = 0;
  for (const auto& [MenuField, Rows] : Layout()) {
    TMenuItem* Menu = (*Form).*MenuField;
    SCOPED_TRACE(Bar[static_cast<size_t>(MenuIndex)]);
    ASSERT_EQ(Root->GetItem(MenuIndex), Menu);
    EXPECT_EQ(Menu->GetCaption(), Bar[static_cast<size_t>(MenuIndex)]);
    EXPECT_EQ(NativeText(NativeBar, MenuIndex), Bar[static_cast<size_t>(MenuIndex)]);
    HMENU Drop = GetSubMenu(NativeBar, MenuIndex);
    ASSERT_EQ(Menu->GetCount(), static_cast<int>(Rows.size()));
    ASSERT_EQ(GetMenuItemCount(Drop), static_cast<int>(Rows.size()));
    for (int I = 0; I < Menu->GetCount(); ++I) {
      const TItemRow& R = Rows[static_cast<size_t>(I)];
      TMenuItem* Item = (*Form).*(R.Field);
      SCOPED_TRACE(R.Caption);
      ASSERT_EQ(Menu->GetItem(I), Item);
      EXPECT_EQ(Item->GetCaption(), R.Caption);
      EXPECT_EQ(ShortCutToText(Item->GetShortCut()), R.ShortCut);
      EXPECT_EQ(Item->GetEnabled(), R.Enabled);
      EXPECT_EQ(Item->GetChecked(), R.Checked);
      EXPECT_EQ(Item->GetGroupIndex(), R.Group);
      EXPECT_EQ(Item->GetRadioItem(), R.Radio);
      // Every command runs something; lines and the Dock submenu do not.
      EXPECT_EQ(static_cast<bool>(Item->OnClick), !Item->IsLine() && Item->GetCount() == 0);
      // What the window's menu shows.
      const UINT State = GetMenuState(Drop, static_cast<UINT>(I), MF_BYPOSITION);
      if (Item->IsLine()) {
        EXPECT_TRUE(State & MF_SEPARATOR);
        continue;
      }
      std::string Shown = R.Caption;
      if (*R.ShortCut) Shown += std::string("\t") + R.ShortCut;
      EXPECT_EQ(NativeText(Drop, I), Shown);
      EXPECT_EQ((State & MF_GRAYED) != 0, !R.Enabled);
      EXPECT_EQ((State & MF_CHECKED) != 0, R.Checked);
    }
    ++MenuIndex;
  }
  // The navigation items' tags select what JumpToMessage does.
  EXPECT_EQ(Form->MnuCPFirst->GetTag(), 0);
  EXPECT_EQ(Form->MnuCPPrev->GetTag(), 1);
  EXPECT_EQ(Form->MnuCPNext->GetTag(), 2);
  EXPECT_EQ(Form->MnuCPLast->GetTag(), 3);
}

TEST_F(MainFormTest, TheDockSubmenuHasEightItemsInTwoColumns) {
  ASSERT_NO_FATAL_FAILURE(Make());
  struct {
    TMenuItem* TBkFrmOrlimo::*Field;
    const char* Caption;
    int Tag;
    bool Break;
  } Rows[] = {
      {&TBkFrmOrlimo::MnuDockUL, "&Upper Left", 1, false},  {&TBkFrmOrlimo::MnuDockUR, "Upper &Right", 2, false},
      {&TBkFrmOrlimo::MnuDockLR, "&Lower Right", 3, false}, {&TBkFrmOrlimo::MnuDockLL, "L&ower Left", 4, false},
      {&TBkFrmOrlimo::MnuDockL, "Left", 5, true},           {&TBkFrmOrlimo::MnuDockT, "Top", 6, false},
      {&TBkFrmOrlimo::MnuDockR, "Right", 7, false},         {&TBkFrmOrlimo::MnuDockB, "&Bottom", 8, false}};
  ASSERT_EQ(Form->MnuDock->GetCount(), 8);
  for (int I = 0; I < 8; ++I) {
    TMenuItem* Item = (*Form).*(Rows[I].Field);
    ASSERT_EQ(Form->MnuDock->GetItem(I), Item);
    EXPECT_EQ(Item->GetCaption(), Rows[I].Caption);
    EXPECT_EQ(Item->GetTag(), Rows[I].Tag);
    EXPECT_EQ(Item->GetBreak(), Rows[I].Break);
    EXPECT_EQ(Item->GetShortCut(), scNone);
  }
}

TEST_F(MainFormTest, DockItemsMoveTheWindowInOneCall) {
  ASSERT_NO_FATAL_FAILURE(Make({{"Left", "40"}, {"Top", "50"}, {"Width", "400"}, {"Height", "300"}}));
  Form->Show();
  RECT Work{};
  BkLxUtil::GetDesktopClientRect(Work);
  int Moves = 0;
  Form->OnResize = [&](TObject*) { ++Moves; };
  auto Bounds = [&] {
    RECT R{};
    GetWindowRect(Form->GetHandle(), &R);
    return LxDock::TDockBounds{R.left, R.top, R.right - R.left, R.bottom - R.top};
  };
  Form->MnuDockLR->Click();
  EXPECT_EQ(Bounds(), (LxDock::TDockBounds{Work.right - 400, Work.bottom - 300, 400, 300}));
  Form->MnuDockUL->Click();
  EXPECT_EQ(Bounds(), (LxDock::TDockBounds{Work.left, Work.top, 400, 300}));
  // What the earlier moves left queued (the toolbar posts its new size to its
  // parent) is handled before counting.
  Application->ProcessMessages();
  Moves = 0;
  Form->MnuDockR->Click();
  EXPECT_EQ(Bounds(), (LxDock::TDockBounds{Work.right - Work.right / 4, Work.top, Work.right / 4, Work.bottom}));
  EXPECT_EQ(Moves, 1) << "one resize: the bounds are applied at once";
  Form->MnuDockB->Click();
  EXPECT_EQ(Bounds(), (LxDock::TDockBounds{Work.left, Work.bottom - Work.bottom / 4, Work.right, Work.bottom / 4}));
  EXPECT_EQ(Form->GetWidth(), Work.right);

  // An item with another tag leaves the window where it is.
  const LxDock::TDockBounds Before = Bounds();
  TMenuItem Other(nullptr);
  for (int Tag : {0, 9, -1}) {
    Other.SetTag(Tag);
    Form->MnuDockClick(&Other);
    EXPECT_EQ(Bounds(), Before) << Tag;
  }
}

TEST_F(MainFormTest, AcceleratorsWorkWhileTheListHasTheFocus) {
  ASSERT_NO_FATAL_FAILURE(Make());
  Form->Show();
  Application->ProcessMessages();
  ASSERT_EQ(GetFocus(), Viewer->FLstMsgs->GetHandle()) << "the message list has the focus at start";

  TypeKey(VK_F5);
  EXPECT_TRUE(Viewer->GetViewInspectorPane());
  EXPECT_TRUE(Form->MnuInspectorPane->GetChecked());
  TypeKey(VK_F6);
  EXPECT_TRUE(Viewer->GetViewScratchPad());
  EXPECT_TRUE(Form->MnuScratchPad->GetChecked());
  // The scratch pad has not taken the focus.
  EXPECT_EQ(GetFocus(), Viewer->FLstMsgs->GetHandle());
  TypeKey(VK_F6);
  EXPECT_FALSE(Viewer->GetViewScratchPad());

  // Ctrl+A selects every message.
  for (int I = 0; I < 3; ++I) Add(lxmInfo, "m" + std::to_string(I));
  Viewer->UpdateStatus();
  TypeKey('A', ssCtrl);
  EXPECT_EQ(Viewer->FLstMsgs->GetSelCount(), 3);

  // Ctrl+N and Ctrl+P step through the navigator's kind (check points).
  Add(lxmCheckPoint, "");
  Add(lxmInfo, "between");
  Add(lxmCheckPoint, "");
  Select(0);
  ASSERT_TRUE(Form->MnuCPNext->GetEnabled());
  TypeKey('N', ssCtrl);
  EXPECT_EQ(Viewer->FLstMsgs->GetItemIndex(), 3);
  TypeKey('N', ssCtrl);
  EXPECT_EQ(Viewer->FLstMsgs->GetItemIndex(), 5);
  TypeKey('P', ssCtrl);
  EXPECT_EQ(Viewer->FLstMsgs->GetItemIndex(), 3);

  // Alt+F4 is Exit: the form closes and keeps its placement.
  SetKeyValues(TBkFrmOrlimo::PositionKey, {});
  TypeKey(VK_F4, ssAlt);
  EXPECT_FALSE(Form->GetVisible());
  EXPECT_NE(ReadValue(TBkFrmOrlimo::PositionKey, "Width"), "<missing>");
}

TEST_F(MainFormTest, StatusCallbacksEnableTheItemsThatNeedMessagesOrASelection) {
  ASSERT_NO_FATAL_FAILURE(Make());
  const std::vector<TMenuItem*> NeedItems = {Form->MnuSave, Form->MnuPrint, Form->MnuCopyAll, Form->MnuSelectAll,
                                             Form->MnuFindCurrentMethod};
  const std::vector<TMenuItem*> NeedSelection = {Form->MnuCopy, Form->MnuDelete};
  auto Expect = [&](bool Items, bool Selection) {
    for (TMenuItem* I : NeedItems) EXPECT_EQ(I->GetEnabled(), Items) << I->GetCaption();
    for (TMenuItem* I : NeedSelection) EXPECT_EQ(I->GetEnabled(), Selection) << I->GetCaption();
  };
  Expect(false, false);
  Add(lxmInfo, "one");
  Add(lxmObject, "thing", "A\t1");
  Add(lxmEnterMethod, "TForm1.Run");
  Viewer->UpdateStatus();
  Expect(true, false);

  // The selected message decides Inspector Window and Find Matching Method.
  Select(1);
  Expect(true, true);
  EXPECT_TRUE(Form->MnuInspector->GetEnabled());
  EXPECT_FALSE(Form->MnuFindMatchingMethod->GetEnabled());
  Select(2);
  EXPECT_FALSE(Form->MnuInspector->GetEnabled());
  EXPECT_TRUE(Form->MnuFindMatchingMethod->GetEnabled());
  Select(1);
  ASSERT_TRUE(Form->MnuInspector->GetEnabled());

  // Emptying the list disables the inspector too.
  Viewer->Clear();
  Viewer->UpdateStatus();
  Expect(false, false);
  EXPECT_FALSE(Form->MnuInspector->GetEnabled());

  // The navigation items follow the panel's four states.
  Form->CompositeUpdateNav(Viewer, true, false, true, false);
  EXPECT_TRUE(Form->MnuCPFirst->GetEnabled());
  EXPECT_FALSE(Form->MnuCPPrev->GetEnabled());
  EXPECT_TRUE(Form->MnuCPNext->GetEnabled());
  EXPECT_FALSE(Form->MnuCPLast->GetEnabled());
}

// A clear disables the inspect button and its menu item and leaves the
// method-match button and its item as they were: the two always agree.
TEST_F(MainFormTest, AfterAClearTheToolbarAndTheMenuAgree) {
  ASSERT_NO_FATAL_FAILURE(Make());
  for (const std::int32_t Kind : {lxmObject, lxmEnterMethod}) {
    Add(lxmInfo, "one");
    Select(Add(Kind, "thing", "A\t1"));
    ASSERT_TRUE(Viewer->FBtnInspector->GetEnabled() || Viewer->FBtnMethodMatch->GetEnabled()) << Kind;
    Viewer->Clear();
    EXPECT_FALSE(Viewer->FBtnInspector->GetEnabled()) << Kind;
    EXPECT_EQ(Form->MnuInspector->GetEnabled(), Viewer->FBtnInspector->GetEnabled()) << Kind;
    EXPECT_EQ(Form->MnuFindMatchingMethod->GetEnabled(), Viewer->FBtnMethodMatch->GetEnabled()) << Kind;
  }
}

TEST_F(MainFormTest, TogglesInvertTheCheckMarkAndSetThePanel) {
  ASSERT_NO_FATAL_FAILURE(Make());
  struct {
    TMenuItem* Item;
    bool (TBkOrlimoComposite::*Get)() const;
  } Toggles[] = {{Form->MnuViewIcons, &TBkOrlimoComposite::GetViewIcons},
                 {Form->MnuTimeStamp, &TBkOrlimoComposite::GetViewTimeStamp},
                 {Form->MnuAppName, &TBkOrlimoComposite::GetViewAppName},
                 {Form->MnuToolbar, &TBkOrlimoComposite::GetViewToolbar},
                 {Form->MnuWrapButtons, &TBkOrlimoComposite::GetWrapButtons},
                 {Form->MnuStatusBar, &TBkOrlimoComposite::GetViewStatusBar},
                 {Form->MnuInspectorPane, &TBkOrlimoComposite::GetViewInspectorPane},
                 {Form->MnuScratchPad, &TBkOrlimoComposite::GetViewScratchPad},
                 {Form->MnuIgnoreMessages, &TBkOrlimoComposite::GetIgnoreMessages},
                 {Form->MnuCaptureGlobalDebugOutput, &TBkOrlimoComposite::GetCaptureGlobalDebugOutput}};
  for (const auto& T : Toggles) {
    SCOPED_TRACE(T.Item->GetCaption());
    const bool Was = T.Item->GetChecked();
    EXPECT_EQ((Viewer->*T.Get)(), Was);
    T.Item->Click();
    EXPECT_EQ(T.Item->GetChecked(), !Was);
    EXPECT_EQ((Viewer->*T.Get)(), !Was);
    T.Item->Click();
    EXPECT_EQ((Viewer->*T.Get)(), Was);
  }

  // Call Stack and Details exclude each other.
  Form->MnuViewCallStack->Click();
  EXPECT_TRUE(Form->MnuViewCallStack->GetChecked());
  EXPECT_FALSE(Form->MnuViewDetails->GetChecked());
  EXPECT_TRUE(Viewer->GetViewCallStack());
  Form->MnuViewDetails->Click();
  EXPECT_FALSE(Form->MnuViewCallStack->GetChecked());
  EXPECT_TRUE(Form->MnuViewDetails->GetChecked());
  EXPECT_FALSE(Viewer->GetViewCallStack());
}

TEST_F(MainFormTest, ThePanelsOwnTogglesReachTheMenu) {
  ASSERT_NO_FATAL_FAILURE(Make());
  // Setters alone do not notify: the marks stay as they were.
  Viewer->SetViewTimeStamp(true);
  Viewer->SetViewInspectorPane(true);
  Viewer->SetViewIcons(false);
  Viewer->SetIgnoreMessages(true);
  EXPECT_FALSE(Form->MnuTimeStamp->GetChecked());
  EXPECT_FALSE(Form->MnuInspectorPane->GetChecked());
  EXPECT_TRUE(Form->MnuViewIcons->GetChecked());
  EXPECT_FALSE(Form->MnuIgnoreMessages->GetChecked());
  // A toolbar toggle changes the panel and has the host copy every mark.
  Viewer->FBtnCallStack->Click();
  EXPECT_TRUE(Viewer->GetViewCallStack());
  EXPECT_TRUE(Form->MnuTimeStamp->GetChecked());
  EXPECT_TRUE(Form->MnuInspectorPane->GetChecked());
  EXPECT_TRUE(Form->MnuViewCallStack->GetChecked());
  EXPECT_FALSE(Form->MnuViewDetails->GetChecked());
  EXPECT_TRUE(Form->MnuIgnoreMessages->GetChecked());
  EXPECT_FALSE(Form->MnuViewIcons->GetChecked());
  Viewer->FBtnCallStack->Click();
  EXPECT_TRUE(Form->MnuViewDetails->GetChecked());
  EXPECT_FALSE(Form->MnuViewCallStack->GetChecked());
  Viewer->FBtnIgnoreMessages->Click();
  EXPECT_FALSE(Viewer->GetIgnoreMessages());
  EXPECT_FALSE(Form->MnuIgnoreMessages->GetChecked());
}

TEST_F(MainFormTest, TheIgnoreMarkFollowsTheStoredSettingAndTheMenuItself) {
  // The form copies the marks after loading the settings (stored for this
  // test only: a viewer started later must not ignore what it is sent).
  struct TStoredViewGoes {
    ~TStoredViewGoes() { SetKeyValues(ViewKey, {}); }
  } StoredViewGoes;
  ASSERT_NO_FATAL_FAILURE(Make({}, {{"IgnoreMessages", "1"}}));
  EXPECT_TRUE(Viewer->GetIgnoreMessages());
  EXPECT_TRUE(Form->MnuIgnoreMessages->GetChecked());
  // The menu's own command sets its mark; the panel does not notify.
  int Notified = 0;
  Viewer->OnUpdateMenu = [&](TObject*) { ++Notified; };
  Form->MnuIgnoreMessages->Click();
  EXPECT_FALSE(Viewer->GetIgnoreMessages());
  EXPECT_FALSE(Viewer->FBtnIgnoreMessages->GetDown());
  EXPECT_FALSE(Form->MnuIgnoreMessages->GetChecked());
  EXPECT_EQ(Notified, 0);
}

TEST_F(MainFormTest, MessagesMenuAddsCheckPointsAndSeparators) {
  ASSERT_NO_FATAL_FAILURE(Make());
  Form->MnuAddCheckPoint->Click();
  Form->MnuAddSeparator->Click();
  ASSERT_EQ(Viewer->Messages().Count(), 2);
  EXPECT_EQ(Viewer->GetItemMsgInfo(0).MsgType(), lxmCheckPoint);
  EXPECT_EQ(Viewer->GetItemMsgInfo(1).MsgType(), lxmSeparator);
  // Passed without an application name, they carry the viewer's own.
  EXPECT_EQ(Viewer->GetItemMsgInfo(0).AppName(), Viewer->LocalAppName());
  // The status update ran: the items that need messages are enabled.
  EXPECT_TRUE(Form->MnuSave->GetEnabled());
  Select(0);
  Form->MnuInsertSeparator->Click();
  ASSERT_EQ(Viewer->Messages().Count(), 3);
  EXPECT_EQ(Viewer->GetItemMsgInfo(0).MsgType(), lxmSeparator) << "inserted above the selected check point";
}

TEST_F(MainFormTest, HelpAndAboutComeFromTheHelpMenu) {
  ASSERT_NO_FATAL_FAILURE(Make({{"Left", "100"}, {"Top", "80"}, {"Width", "500"}, {"Height", "400"}}));
  Form->Show();
  std::vector<std::string> Boxes;
  Application->OnMessageBox = [&](const std::string& Text, const std::string&, UINT) {
    Boxes.push_back(Text);
    return IDOK;
  };
  // Neither a help file nor the help page next to this test program: a message says so.
  Form->MnuHelpContents->Click();
  ASSERT_EQ(Boxes.size(), 1u);
  EXPECT_NE(Boxes[0].find("Orlimo.html"), std::string::npos) << Boxes[0];

  RECT Where{}, Panel{};
  std::string Caption;
  Application->OnModalBegin = [&](TCustomForm& F) {
    Caption = F.GetCaption();
    GetWindowRect(F.GetHandle(), &Where);
    F.SetModalResult(mrOk);
  };
  Form->MnuAbout->Click();
  Application->OnModalBegin = nullptr;
  EXPECT_EQ(Caption, "About");
  GetWindowRect(Viewer->GetHandle(), &Panel);
  // Centred over the panel.
  EXPECT_EQ(Where.left, Panel.left + ((Panel.right - Panel.left) - (Where.right - Where.left)) / 2);
  EXPECT_EQ(Where.top, Panel.top + ((Panel.bottom - Panel.top) - (Where.bottom - Where.top)) / 2);
}

}  // namespace
