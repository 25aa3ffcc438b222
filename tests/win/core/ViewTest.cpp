// The view settings and their effect on the layout, the splitter bars, the
// settings of the "View" key, and the list kept across a re-created window.
#include "ViewerFixture.h"

namespace {

using View = ViewerTest;

TEST_F(View, DefaultsAgreeWithTheWidgets) {
  EXPECT_TRUE(C->GetViewToolbar());
  EXPECT_TRUE(C->GetWrapButtons());
  EXPECT_TRUE(C->GetViewStatusBar());
  EXPECT_FALSE(C->GetViewInspectorPane());
  EXPECT_FALSE(C->GetViewScratchPad());
  EXPECT_FALSE(C->GetViewCallStack());
  EXPECT_TRUE(C->GetViewIcons());
  EXPECT_FALSE(C->GetViewTimeStamp());
  EXPECT_FALSE(C->GetViewAppName());
  EXPECT_TRUE(C->GetInsertAtEnd());
  EXPECT_TRUE(C->GetConfirmOnClear());
  EXPECT_FALSE(C->GetKeepMsgInView());
  EXPECT_EQ(C->GetIdleTime(), 10);
  EXPECT_EQ(C->GetNavigatorMessage(), 3);
  EXPECT_FALSE(C->FInspectorSplitter->GetLowerRight()->GetVisible());
  EXPECT_FALSE(C->FScratchPadSplitter->GetLowerRight()->GetVisible());
  EXPECT_FALSE(C->FBtnInspectorPane->GetDown());
  EXPECT_EQ(C->FPnlMsgs->GetWidth(), C->FInspectorSplitter->GetWidth()) << "the list takes the whole width";
}

TEST_F(View, InspectorPaneShowsBesideTheListAndRecentresAStrayBar) {
  C->FInspectorSplitter->SetPosition(5000);
  int Menus = 0;
  C->OnUpdateMenu = [&](TObject*) { ++Menus; };
  C->SetViewInspectorPane(true);
  EXPECT_TRUE(C->FInspectorSplitter->GetLowerRight()->GetVisible());
  EXPECT_TRUE(C->FBtnInspectorPane->GetDown());
  EXPECT_EQ(C->FInspectorSplitter->GetPosition(), C->FInspectorSplitter->GetWidth() / 2);
  EXPECT_LT(C->FPnlMsgs->GetWidth(), C->FInspectorSplitter->GetWidth() / 2 + 1);
  EXPECT_GT(C->FPnlDetail->GetWidth(), 0);
  EXPECT_EQ(Menus, 0);
  // A bar inside the splitter stays where it is.
  C->SetViewInspectorPane(false);
  C->FInspectorSplitter->SetPosition(240);
  C->SetViewInspectorPane(true);
  EXPECT_EQ(C->FInspectorSplitter->GetPosition(), 240);
  EXPECT_EQ(C->FPnlMsgs->GetWidth(), 240);
}

TEST_F(View, InspectorPaneFollowsTheSelectedKind) {
  C->AddMessage(lxmObject, "obj", "app", "", 1, std::string_view("Name\tMain"));
  C->AddMessage(lxmStream, "stm", "app", "", 2, std::string_view("00 01"));
  C->AddMessage(lxmInfo, "inf", "app", "", 3, std::nullopt);
  C->JumpToItem(1);
  EXPECT_EQ(C->FNbkView->GetPageIndex(), 0) << "a hidden pane keeps its page";
  C->SetViewInspectorPane(true);
  EXPECT_EQ(C->FNbkView->GetPageIndex(), 2);
  C->JumpToItem(0);
  EXPECT_EQ(C->FNbkView->GetPageIndex(), 1);
  C->SetViewCallStack(true);
  EXPECT_TRUE(C->FBtnCallStack->GetDown());
  EXPECT_EQ(C->FNbkView->GetPageIndex(), 3);
  C->JumpToItem(2);
  EXPECT_EQ(C->FNbkView->GetPageIndex(), 3);
  C->SetViewCallStack(false);
  EXPECT_EQ(C->FNbkView->GetPageIndex(), 0);
}

TEST_F(View, ScratchPadShowsBelowTheListWithItsColumnsFitted) {
  C->FScratchPadSplitter->SetPosition(-3);
  C->SetViewScratchPad(true);
  EXPECT_TRUE(C->FScratchPadSplitter->GetLowerRight()->GetVisible());
  EXPECT_TRUE(C->FBtnScratchPad->GetDown());
  EXPECT_EQ(C->FScratchPadSplitter->GetPosition(), C->FScratchPadSplitter->GetHeight() / 2);
  EXPECT_GT(C->FGrdScratchPad->GetHeight(), 0);
  EXPECT_EQ(C->FScratchPadSplitter->GetPaneData(2)->GetPane()->GetTop(), C->FScratchPadSplitter->GetPosition() + 4)
      << "below the list and the bar";
  const int S =
      (GetWindowLongA(C->FGrdScratchPad->GetHandle(), GWL_STYLE) & WS_VSCROLL) ? GetSystemMetrics(SM_CXVSCROLL) : 0;
  EXPECT_EQ(C->FGrdScratchPad->GetColWidth(0), 20);
  EXPECT_EQ(C->FGrdScratchPad->GetColWidth(1), C->GetWidth() - S - 22);
  // Resizing the panel refits the second column.
  Form->SetBounds(40, 40, 450, 420);
  Pump();
  EXPECT_EQ(C->FGrdScratchPad->GetColWidth(1), C->GetWidth() - S - 22);
}

TEST_F(View, ToolbarAndStatusBarHideAndTheListTakesTheRoom) {
  const int ListTop = C->FScratchPadSplitter->GetTop();
  const int ListBottom = ListTop + C->FScratchPadSplitter->GetHeight();
  C->SetViewToolbar(false);
  EXPECT_FALSE(C->FToolbar->GetVisible());
  EXPECT_EQ(C->FScratchPadSplitter->GetTop(), ListTop - C->FToolbar->GetHeight());
  EXPECT_EQ(C->ToolbarOffset(), 0);
  C->SetViewStatusBar(false);
  EXPECT_FALSE(C->FStatusBar->GetVisible());
  EXPECT_EQ(C->FScratchPadSplitter->GetTop() + C->FScratchPadSplitter->GetHeight(), ListBottom + 19);
  C->SetViewToolbar(true);
  EXPECT_EQ(C->ToolbarOffset(), C->FToolbar->GetHeight());
}

TEST_F(View, SettingAValueItHasChangesNothing) {
  C->FBtnIcons->SetDown(false);  // a stray state the setter must not touch
  C->SetViewIcons(true);
  EXPECT_FALSE(C->FBtnIcons->GetDown());
  C->FInspectorSplitter->GetLowerRight()->SetVisible(true);
  C->SetViewInspectorPane(false);
  EXPECT_TRUE(C->FInspectorSplitter->GetLowerRight()->GetVisible());
}

TEST_F(View, SplitterBarsArePlacedByThePostedMessage) {
  C->SetViewInspectorPane(true);
  C->SetViewScratchPad(true);
  int Changes = 0;
  C->OnSplitterChange = [&](TObject*) { ++Changes; };
  PostMessageA(C->GetHandle(), UM_INITSPLITTERBARPOS, 210, 90);
  Pump();
  EXPECT_EQ(C->FInspectorSplitter->GetPosition(), 210);
  EXPECT_EQ(C->FScratchPadSplitter->GetPosition(), 90);
  EXPECT_EQ(C->FPnlMsgs->GetWidth(), 210);
  EXPECT_GE(Changes, 1);
}

TEST_F(View, SettingsOfTheViewKeyAreLoadedAndSaved) {
  TTempKey Key(TBkOrlimoComposite::RegistryKey);
  Key.Set("View", "Inspector", "1");
  Key.Set("View", "ScratchPad", "1");
  Key.Set("View", "InspectorBarPos", "250");
  Key.Set("View", "ScratchPadBarPos", "0x50");
  Key.Set("View", "Icons", "0");
  Key.Set("View", "TimeStamp", "1");
  Key.Set("View", "IdleTime", "abc");
  Key.Set("View", "NavigatorMessage", "2");
  Key.Set("View", "WrapButtons", "0");
  C->LoadSettings();
  Pump();
  EXPECT_TRUE(C->GetViewInspectorPane());
  EXPECT_TRUE(C->FBtnInspectorPane->GetDown());
  EXPECT_TRUE(C->FInspectorSplitter->GetLowerRight()->GetVisible());
  EXPECT_TRUE(C->FScratchPadSplitter->GetLowerRight()->GetVisible());
  EXPECT_EQ(C->FInspectorSplitter->GetPosition(), 250);
  EXPECT_EQ(C->FScratchPadSplitter->GetPosition(), 0x50);
  EXPECT_FALSE(C->GetViewIcons());
  EXPECT_FALSE(C->FBtnIcons->GetDown());
  EXPECT_TRUE(C->GetViewTimeStamp());
  EXPECT_EQ(C->GetIdleTime(), 10);
  EXPECT_EQ(C->GetNavigatorMessage(), 2);
  EXPECT_TRUE(C->FMnuNavMsg->GetItems()->GetItem(2)->GetChecked());
  EXPECT_FALSE(C->FToolbar->GetWrapControls());

  C->SetViewAppName(true);
  C->SetIdleTime(30);
  C->SaveSettings();
  EXPECT_EQ(Key.Get("View", "AppName"), "1");
  EXPECT_EQ(Key.Get("View", "Icons"), "0");
  EXPECT_EQ(Key.Get("View", "IdleTime"), "30");
  EXPECT_EQ(Key.Get("View", "InspectorBarPos"), "250");
  EXPECT_EQ(Key.Get("View", "ScratchPadBarPos"), "80");
  EXPECT_EQ(Key.Get("View", "Toolbar"), "1");
  EXPECT_EQ(Key.Get("View", "NavigatorMessage"), "2");
}

TEST_F(View, APanelForTheIdeLoadsWithItsWindowAndSavesWhenDestroyed) {
  TTempKey Key(TBkOrlimoComposite::CodeRushRegistryKey);
  Key.Set("View", "TimeStamp", "1");
  auto* P = TBkOrlimoComposite::CreateForCodeRush(nullptr, &Clock);
  EXPECT_TRUE(P->IsForCodeRush());
  EXPECT_FALSE(P->FStatusBar->GetShowSizeGrip());
  EXPECT_FALSE(P->GetViewTimeStamp()) << "nothing is read before the window exists";
  P->SetParentWindow(Form->GetHandle());
  P->SetBounds(0, 0, 300, 200);
  P->HandleNeeded();
  EXPECT_TRUE(P->GetViewTimeStamp());
  P->SetViewAppName(true);
  delete P;
  EXPECT_EQ(Key.Get("View", "AppName"), "1");
  EXPECT_TRUE(C->FStatusBar->GetShowSizeGrip()) << "the standalone viewer keeps its grip";
}

TEST_F(View, ReCreatedWindowKeepsEveryItemItsRecordAndTheSelection) {
  for (int I = 0; I < 30; ++I) Add(I % 3 ? lxmInfo : lxmObject, "m" + std::to_string(I), I + 1);
  List->SetSelected(4, true);
  List->SetSelected(7, true);
  List->SetCaretIndex(7);
  List->SetTopIndex(3);
  const TOrlimoMsgInfo* Record = &C->GetItemMsgInfo(6);
  C->PrepareForCompositeMove();
  Form->RecreateWnd();
  C->FinishedCompositeMove();
  ASSERT_EQ(List->Count(), 30);
  EXPECT_EQ(&C->GetItemMsgInfo(6), Record);
  EXPECT_EQ(List->GetSelCount(), 2);
  EXPECT_TRUE(List->GetSelected(4));
  EXPECT_TRUE(List->GetSelected(7));
  EXPECT_EQ(List->GetItemIndex(), 7);
  EXPECT_TRUE(IsWindow(List->GetHandle()));
}

TEST_F(View, KeptItemsComeBackWhenTheListLostThem) {
  for (int I = 0; I < 5; ++I) Add(lxmWarning, "w" + std::to_string(I), I + 1);
  List->SetSelected(2, true);
  const TOrlimoMsgInfo* Record = &C->GetItemMsgInfo(3);
  C->PrepareForCompositeMove();
  C->Messages().DeleteIf([](std::int32_t) { return true; });
  List->ItemsChanged();
  C->FinishedCompositeMove();
  ASSERT_EQ(List->Count(), 5);
  EXPECT_EQ(&C->GetItemMsgInfo(3), Record) << "the same record, not a copy";
  EXPECT_EQ(std::string(C->Messages().GetItemText(4)), "w4");
  EXPECT_TRUE(List->GetSelected(2));
  EXPECT_EQ(List->GetSelCount(), 1);
  C->FinishedCompositeMove();  // a second call finds nothing kept
  EXPECT_EQ(List->Count(), 5);
}

}  // namespace
