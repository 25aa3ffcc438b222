// The viewer's widget tree: order, parents, alignment and sizes, the toolbar
// layout, hints and menus, and what the buttons and menu items run.
#include "ViewerFixture.h"

#include "core/BkLxStr.h"
#include "model/Settings.h"

#include <vector>

namespace {

using Assembly = ViewerTest;

TWinControl* PaneOf(TLxSplitter* S, int I) { return S->GetPaneData(I)->GetPane(); }

std::vector<TControl*> Children(TWinControl* P) {
  std::vector<TControl*> V;
  for (int I = 0; I < P->GetControlCount(); ++I) V.push_back(P->GetControl(I));
  return V;
}

std::vector<TControl*> Order(TLxToolbar* T) {
  std::vector<TControl*> V;
  for (int I = 0; I < T->GetControlList().Count(); ++I) V.push_back(T->GetControlList().Items(I)->Control);
  return V;
}

TEST_F(Assembly, TreeOfWidgetsInOrderWithTheirParentsAndAlignment) {
  EXPECT_EQ(Children(C), (std::vector<TControl*>{C->FStatusBar, C->FScratchPadSplitter, C->FToolbar, C->FSeparator}));
  EXPECT_EQ(C->FStatusBar->GetAlign(), alBottom);
  EXPECT_EQ(C->FScratchPadSplitter->GetAlign(), alClient);
  EXPECT_EQ(C->FToolbar->GetAlign(), alTop);
  EXPECT_EQ(C->FSeparator->GetAlign(), alTop);
  EXPECT_EQ(C->FGrdScratchPad->GetParent(), PaneOf(C->FScratchPadSplitter, 2));
  EXPECT_EQ(C->FInspectorSplitter->GetParent(), PaneOf(C->FScratchPadSplitter, 1));
  EXPECT_EQ(C->FPnlMsgs->GetParent(), PaneOf(C->FInspectorSplitter, 1));
  EXPECT_EQ(C->FLstMsgs->GetParent(), C->FPnlMsgs);
  EXPECT_EQ(C->FPnlDetail->GetParent(), PaneOf(C->FInspectorSplitter, 2));
  EXPECT_EQ(C->FNbkView->GetParent(), C->FPnlDetail);
  EXPECT_EQ(C->FScratchPadSplitter->GetOrientation(), orVertical) << "list above, scratch pad below";
  EXPECT_EQ(C->FInspectorSplitter->GetOrientation(), orHorizontal);
  EXPECT_EQ(C->FScratchPadSplitter->GetFixedPane(), fpLowerRight);
  EXPECT_EQ(C->FInspectorSplitter->GetFixedPane(), fpLowerRight);
  EXPECT_EQ(C->FScratchPadSplitter->GetLowerRight()->GetBorderOuter(), fsLowered);

  ASSERT_EQ(C->FNbkView->GetPageCount(), 4);
  const char* Pages[4] = {"StringList", "Object", "Stream", "CallStack"};
  for (int I = 0; I < 4; ++I) EXPECT_EQ(C->FNbkView->IndexOfPage(Pages[I]), I);
  EXPECT_EQ(C->FNbkView->GetPageIndex(), 0);
  EXPECT_EQ(Children(C->FNbkView->GetPage(0)),
            (std::vector<TControl*>{C->FPnlStringList, C->FLblFill, C->FEdtStringList}));
  EXPECT_EQ(Children(C->FNbkView->GetPage(1)), (std::vector<TControl*>{C->FGrdObject}));
  EXPECT_EQ(Children(C->FNbkView->GetPage(2)), (std::vector<TControl*>{C->FPnlStream, C->FEdtStream}));
  EXPECT_EQ(Children(C->FNbkView->GetPage(3)), (std::vector<TControl*>{C->FPnlCallStack, C->FLstCallStack}));
  EXPECT_EQ(C->FLblStringList->GetCaption(), "String Contents");
  EXPECT_EQ(C->FLblStream->GetCaption(), "Stream Output");
  EXPECT_EQ(C->FLblCallStack->GetCaption(), "Call Stack");
  EXPECT_EQ(C->FLblCallStack->GetRotation(), roFlat);
  EXPECT_EQ(C->FPnlStream->GetHeight(), 17);
  EXPECT_EQ(C->FLblFill->GetWidth(), 2);
  EXPECT_TRUE(C->FEdtStringList->GetReadOnly());
  EXPECT_TRUE(C->FEdtStringList->GetWordWrap());
  EXPECT_FALSE(C->FEdtStream->GetWordWrap());
  EXPECT_EQ(C->FEdtStream->GetScrollBars(), ssBoth);
  EXPECT_EQ(C->FGrdObject->GetColCount(), 2);
  EXPECT_EQ(C->FGrdObject->GetFixedCols(), 0);
  EXPECT_TRUE(C->FGrdObject->GetOptions() & goColSizing);

  EXPECT_EQ(Children(C->FStatusBar),
            (std::vector<TControl*>{C->FStsTimeDiff, C->FStsMsgCount, C->FStsSelCount, C->FStsTypeName}));
  EXPECT_EQ(C->FStsHelp, nullptr);
  // Every widget belongs to the panel.
  for (TComponent* W : std::initializer_list<TComponent*>{C->FStatusBar, C->FGrdScratchPad, C->FLstMsgs, C->FNbkView,
                                                          C->FBtnNavMsg, C->FMnuNavMsg, C->FMnuPopup, C->FSpacer4})
    EXPECT_EQ(W->GetOwner(), C);
}

TEST_F(Assembly, ToolbarGroupsAndButtonsLeftToRight) {
  EXPECT_EQ(Order(C->FToolbar), (std::vector<TControl*>{C->FTbgMessage, C->FTbgNavigate, C->FTbgView, C->FTbgFilter}));
  EXPECT_EQ(C->FEdtQuickFilter->GetParent(), C->FTbgFilter);
  EXPECT_EQ(Order(C->FTbgMessage),
            (std::vector<TControl*>{C->FBtnIgnoreMessages, C->FBtnCaptureDebugOutput, C->FBtnClear, C->FSpacer1,
                                    C->FBtnNote, C->FBtnSeparator, C->FBtnCheckPoint}));
  EXPECT_EQ(Order(C->FTbgNavigate), (std::vector<TControl*>{C->FBtnFirst, C->FBtnPrev, C->FBtnNavMsg, C->FBtnNext,
                                                            C->FBtnLast, C->FSpacer2, C->FBtnMethodMatch}));
  EXPECT_EQ(Order(C->FTbgView),
            (std::vector<TControl*>{C->FBtnOptions, C->FBtnIcons, C->FBtnTimeStamp, C->FSpacer3, C->FBtnInspectorPane,
                                    C->FBtnScratchPad, C->FBtnCallStack, C->FSpacer4, C->FBtnInspector}));
  EXPECT_EQ(C->FTbgMessage->GetWidth(), 162);
  EXPECT_EQ(C->FTbgNavigate->GetWidth(), 163);
  EXPECT_EQ(C->FTbgView->GetWidth(), 196);
  for (TLxToolbar* G : {C->FTbgMessage, C->FTbgNavigate, C->FTbgView}) {
    EXPECT_EQ(G->GetHeight(), 29);
    EXPECT_EQ(G->GetBorderOuter(), fsPopup);
    EXPECT_EQ(G->GetMargin(), 2);
  }
  EXPECT_EQ(C->FToolbar->GetRowHeight(), 29);
  EXPECT_EQ(C->FToolbar->GetMargin(), 1);
  EXPECT_EQ(C->FToolbar->GetBorderInner(), fsStatus);
  EXPECT_FALSE(C->FToolbar->GetShowDivider());
  // Buttons: 25 x 25, flat, in a row after the group's margin; a spacer is 8 wide.
  EXPECT_EQ(C->FBtnClear->GetWidth(), 25);
  EXPECT_EQ(C->FBtnClear->GetHeight(), 25);
  EXPECT_TRUE(C->FBtnClear->GetFlat());
  EXPECT_EQ(C->FBtnIgnoreMessages->GetLeft(), 2);
  EXPECT_EQ(C->FBtnCaptureDebugOutput->GetLeft(), 27);
  EXPECT_EQ(C->FBtnClear->GetLeft(), 52);
  EXPECT_EQ(C->FSpacer1->GetWidth(), 8);
  EXPECT_EQ(C->FBtnNote->GetLeft(), 85);
  // The four groups fit one row of the 600-pixel panel.
  EXPECT_EQ(C->FTbgNavigate->GetTop(), C->FTbgMessage->GetTop());
  EXPECT_EQ(C->FTbgNavigate->GetLeft(), C->FTbgMessage->GetLeft() + 162);
  EXPECT_EQ(C->FTbgView->GetLeft(), C->FTbgNavigate->GetLeft() + 163);
  EXPECT_EQ(C->FTbgFilter->GetTop(), C->FTbgMessage->GetTop());
  EXPECT_EQ(C->FToolbar->GetHeight(), 29 + 2);
  // Toggles: each alone in its group, all-up allowed; navigation disabled.
  int Groups = 0;
  for (TLxSpeedButton* B : {C->FBtnIgnoreMessages, C->FBtnIcons, C->FBtnTimeStamp, C->FBtnInspectorPane,
                            C->FBtnScratchPad, C->FBtnCallStack}) {
    EXPECT_TRUE(B->GetAllowAllUp());
    EXPECT_EQ(B->GetGroupIndex(), ++Groups);
  }
  EXPECT_TRUE(C->FBtnCaptureDebugOutput->GetAllowAllUp());
  EXPECT_EQ(C->FBtnCaptureDebugOutput->GetGroupIndex(), TBkOrlimoComposite::DbgOutputGroupIndex);
  EXPECT_FALSE(C->FBtnCaptureDebugOutput->GetDown());
  EXPECT_TRUE(C->FBtnIcons->GetDown());
  EXPECT_FALSE(C->FBtnTimeStamp->GetDown());
  for (TLxSpeedButton* B : {C->FBtnFirst, C->FBtnPrev, C->FBtnNext, C->FBtnLast, C->FBtnMethodMatch, C->FBtnInspector})
    EXPECT_FALSE(B->GetEnabled());
  EXPECT_EQ(C->FBtnLast->GetTag(), 3);
  EXPECT_EQ(C->FBtnNavMsg->GetClickMenu(), C->FMnuNavMsg);
}

TEST_F(Assembly, GroupBordersShowThroughTheSpacers) {
  TLxToolbar* G = C->FTbgView;
  ASSERT_GE(C->FSpacer3->GetHeight(), G->GetHeight()) << "the spacer reaches over the group's borders";
  auto S = Paint(*G);
  const int X = C->FSpacer3->GetLeft() + 3;
  EXPECT_EQ(S->Pixel(X, 0), Sys(COLOR_BTNHIGHLIGHT));
  EXPECT_EQ(S->Pixel(X, G->GetHeight() - 1), Sys(COLOR_BTNSHADOW));
  EXPECT_EQ(S->Pixel(X, G->GetHeight() / 2), Sys(COLOR_BTNFACE));
}

TEST_F(Assembly, SizesFollowTheWindowAndANarrowToolbarWraps) {
  const int W = C->GetClientWidth(), H = C->GetClientHeight();
  EXPECT_EQ(C->FStatusBar->GetHeight(), 19);
  EXPECT_EQ(C->FStatusBar->GetTop(), H - 19);
  EXPECT_EQ(C->FStatusBar->GetWidth(), W);
  EXPECT_EQ(C->FSeparator->GetTop(), C->FToolbar->GetTop() + C->FToolbar->GetHeight());
  EXPECT_EQ(C->FSeparator->GetHeight(), 4);
  EXPECT_EQ(C->FScratchPadSplitter->GetTop(), C->FSeparator->GetTop() + 4);
  EXPECT_EQ(C->FScratchPadSplitter->GetTop() + C->FScratchPadSplitter->GetHeight(), H - 19);
  // The panes reach the bar's edges: the first starts one pixel left of it.
  EXPECT_EQ(C->FStsTimeDiff->GetLeft(), -1);
  EXPECT_EQ(C->FStsMsgCount->GetLeft(), 99);
  EXPECT_EQ(C->FStsSelCount->GetLeft(), 199);
  EXPECT_EQ(C->FStsTypeName->GetLeft(), 299);

  Form->SetBounds(40, 40, 355, 420);
  Pump();
  EXPECT_EQ(C->FStatusBar->GetWidth(), C->GetClientWidth());
  EXPECT_EQ(C->FStsTypeName->GetLeft() + C->FStsTypeName->GetWidth(), C->GetClientWidth() + 1);
  // 162 + 163 fit in the first row; the view group wraps into a second.
  EXPECT_EQ(C->FTbgView->GetLeft(), C->FTbgMessage->GetLeft());
  EXPECT_GT(C->FTbgView->GetTop(), C->FTbgMessage->GetTop());
  EXPECT_EQ(C->FToolbar->GetHeight(), 2 * 29 + 2);
  EXPECT_EQ(C->FScratchPadSplitter->GetTop(), C->FToolbar->GetHeight() + 4) << "the panes moved down";
  C->SetWrapButtons(false);
  Pump();
  EXPECT_EQ(C->FToolbar->GetHeight(), 29 + 2);
  EXPECT_EQ(C->FTbgView->GetTop(), C->FTbgMessage->GetTop());
}

TEST_F(Assembly, HintsComeFromTheStringTable) {
  EXPECT_EQ(C->FBtnClear->GetHint(), BkLxStr::LoadStr(41010));
  EXPECT_EQ(C->FBtnClear->GetHint(), "Clear Messages");
  EXPECT_EQ(C->FBtnIgnoreMessages->GetHint(), "Receive/Ignore Messages");
  EXPECT_EQ(C->FBtnCaptureDebugOutput->GetHint(), "Capture Debug Output");
  EXPECT_EQ(C->FBtnNavMsg->GetHint(), "Select Navigator Message");
  EXPECT_EQ(C->FBtnMethodMatch->GetHint(), "Find Matching Method");
  EXPECT_EQ(C->FBtnInspector->GetHint(), "Open Inspector Window");
  EXPECT_EQ(C->FBtnOptions->GetHint(), "Customize Orlimo");
  EXPECT_TRUE(C->FBtnClear->GetShowHint());
}

TEST_F(Assembly, PopupMenusHaveTheirItemsTagsAndShortcuts) {
  TMenuItem* P = C->FMnuPopup->GetItems();
  ASSERT_EQ(P->GetCount(), 26);
  const char* Captions[26] = {"&Copy",
                              "Select &All",
                              "-",
                              "&Delete",
                              "Reset Indent &Level",
                              "-",
                              "Insert &Note",
                              "&Insert Separator",
                              "-",
                              "&Find...",
                              "Find &Next",
                              "Find Current &Method",
                              "Filter and &Highlight...",
                              "-",
                              "&Open...",
                              "&Save...",
                              "&Print...",
                              "Lo&g to File...",
                              "-",
                              "P&references...",
                              "&Help Contents",
                              "About",
                              "-",
                              "Capture &Debug Output",
                              "Capture &Global Debug Output",
                              "&Network Messages..."};
  // The tags count the items in the order they were added; Log to File, the
  // global capture, the filter and the network came last.
  const int Tags[26] = {1, 2, 0, 3, 4, 0, 5, 6, 0, 7, 8, 9, 19, 0, 10, 11, 12, 17, 0, 13, 14, 15, 0, 16, 18, 20};
  for (int I = 0; I < 26; ++I) {
    EXPECT_EQ(P->GetItem(I)->GetCaption(), Captions[I]);
    if (!P->GetItem(I)->IsLine()) {
      EXPECT_EQ(P->GetItem(I)->GetTag(), Tags[I]) << Captions[I];
    }
  }
  EXPECT_EQ(ShortCutToText(P->GetItem(1)->GetShortCut()), "Ctrl+A");
  EXPECT_EQ(ShortCutToText(P->GetItem(10)->GetShortCut()), "F3");
  EXPECT_EQ(ShortCutToText(P->GetItem(12)->GetShortCut()), "Ctrl+H");
  EXPECT_EQ(ShortCutToText(P->GetItem(15)->GetShortCut()), "Ctrl+S");
  EXPECT_EQ(ShortCutToText(P->GetItem(23)->GetShortCut()), "Ctrl+D");
  EXPECT_EQ(P->GetItem(24)->GetShortCut(), scNone);
  EXPECT_EQ(P->GetItem(0)->GetShortCut(), scNone);
  EXPECT_EQ(C->FLstMsgs->GetPopupMenu(), C->FMnuPopup);

  TMenuItem* S = C->FMnuScratchPadPopup->GetItems();
  ASSERT_EQ(S->GetCount(), 1);
  EXPECT_EQ(S->GetItem(0)->GetCaption(), "&Clear Scratch Pad");
  EXPECT_EQ(S->GetItem(0)->GetTag(), 1);
  EXPECT_EQ(C->FGrdScratchPad->GetPopupMenu(), C->FMnuScratchPadPopup);

  TMenuItem* N = C->FMnuNavMsg->GetItems();
  ASSERT_EQ(N->GetCount(), 9);
  EXPECT_EQ(N->GetItem(0)->GetCaption(), "Navigate Info Messages");
  EXPECT_EQ(N->GetItem(8)->GetCaption(), "Navigate Notes");
  for (int I = 0; I < 9; ++I) {
    EXPECT_TRUE(N->GetItem(I)->GetRadioItem());
    EXPECT_EQ(N->GetItem(I)->GetTag(), I);
    EXPECT_EQ(N->GetItem(I)->GetChecked(), I == 3) << "check points are navigated at first";
  }
}

TEST_F(Assembly, MenuItemsRunTheirOperations) {
  Add(lxmInfo, "a", 1);
  Add(lxmInfo, "b", 2);
  C->FMnuPopup->GetItems()->GetItem(1)->Click();  // Select All
  EXPECT_EQ(List->GetSelCount(), 2);
  EXPECT_EQ(C->FStsSelCount->GetCaption(), "2 Selected") << "Select All updates the status";
  C->JumpToItem(1);
  C->FMnuPopup->GetItems()->GetItem(7)->Click();  // Insert Separator at the current item
  EXPECT_EQ(C->GetItemMsgInfo(1).MsgType(), lxmSeparator);
  // Find shows its dialog.
  {
    TModalAnswer FindDialog([](TCustomForm& F) { F.SetModalResult(mrCancel); });
    C->FMnuPopup->GetItems()->GetItem(9)->Click();
    EXPECT_EQ(FindDialog.Shown, 1);
  }
  // The popup's Preferences and the options button show the preferences.
  {
    TModalAnswer Prefs([](TCustomForm& F) {
      EXPECT_EQ(F.GetCaption(), "Orlimo Preferences");
      F.SetModalResult(mrCancel);
    });
    C->FMnuPopup->GetItems()->GetItem(19)->Click();
    C->FBtnOptions->Click();
    EXPECT_EQ(Prefs.Shown, 2);
  }
  // Clear from the toolbar asks first.
  TModalAnswer Answer([](TCustomForm& F) { F.SetModalResult(mrOk); });
  C->FBtnClear->Click();
  EXPECT_EQ(Answer.Shown, 1);
  EXPECT_EQ(List->Count(), 0);
}

TEST_F(Assembly, ToolbarAddsCarryTheViewersOwnNameAndUpdateTheStatus) {
  C->FBtnCheckPoint->Click();
  C->FBtnSeparator->Click();
  ASSERT_EQ(List->Count(), 2);
  EXPECT_EQ(C->GetItemMsgInfo(0).AppName(), C->LocalAppName());
  EXPECT_EQ(C->GetItemMsgInfo(1).AppName(), C->LocalAppName());
  EXPECT_EQ(C->FStsMsgCount->GetCaption(), "2 Messages");
  C->FBtnNote->Click();
  EXPECT_EQ(C->GetItemMsgInfo(2).MsgType(), lxmNote);
  EXPECT_TRUE(List->GetPopupVisible());
  EXPECT_EQ(C->FStsMsgCount->GetCaption(), "3 Messages");
  List->HideEditor(false);
}

TEST_F(Assembly, ToggleClicksSetTheViewAndTellTheMenuOnce) {
  int Menus = 0;
  C->OnUpdateMenu = [&](TObject*) { ++Menus; };
  C->FBtnTimeStamp->Click();
  EXPECT_TRUE(C->GetViewTimeStamp());
  EXPECT_TRUE(C->FBtnTimeStamp->GetDown());
  EXPECT_EQ(Menus, 1);
  C->FBtnTimeStamp->Click();
  EXPECT_FALSE(C->GetViewTimeStamp());
  EXPECT_EQ(Menus, 2);
  C->FBtnIgnoreMessages->Click();
  EXPECT_TRUE(C->GetIgnoreMessages());
  EXPECT_EQ(Menus, 3);
  C->FBtnScratchPad->Click();
  EXPECT_TRUE(C->GetViewScratchPad());
  EXPECT_TRUE(C->FScratchPadSplitter->GetLowerRight()->GetVisible());
  EXPECT_EQ(Menus, 4);
  // The setters themselves never tell the menu, each changing what it sets.
  ASSERT_TRUE(C->GetViewScratchPad() && C->GetViewIcons() && C->GetIgnoreMessages());
  C->SetViewScratchPad(false);
  C->SetViewIcons(false);
  C->SetIgnoreMessages(false);
  EXPECT_EQ(Menus, 4);
  EXPECT_FALSE(C->FBtnScratchPad->GetDown());
  EXPECT_FALSE(C->FBtnIcons->GetDown());
  EXPECT_FALSE(C->FBtnIgnoreMessages->GetDown());
  // Nor does loading settings that change them: the host asks after loading.
  TMemorySettingsStore Store;
  Store.Write("View", "IgnoreMessages", "1");
  Store.Write("View", "Icons", "1");
  C->LoadSettingsFrom(Store);
  ASSERT_TRUE(C->GetIgnoreMessages());
  ASSERT_TRUE(C->GetViewIcons());
  EXPECT_TRUE(C->FBtnIgnoreMessages->GetDown());
  EXPECT_EQ(Menus, 4);
  // The button's click does, once.
  C->FBtnIgnoreMessages->Click();
  EXPECT_FALSE(C->GetIgnoreMessages());
  EXPECT_EQ(Menus, 5);
}

TEST_F(Assembly, NavigatorMenuChoosesTheKindAndReevaluatesTheButtons) {
  for (int I = 0; I < 10; ++I) Add(I == 2 || I == 5 || I == 9 ? lxmError : lxmInfo, "m", I + 1);
  EXPECT_FALSE(C->FBtnNext->GetEnabled()) << "no check point arrived";
  C->JumpToItem(0);
  C->FMnuNavMsg->GetItems()->GetItem(lxmError)->Click();
  EXPECT_EQ(C->GetNavigatorMessage(), lxmError);
  EXPECT_TRUE(C->FMnuNavMsg->GetItems()->GetItem(lxmError)->GetChecked());
  EXPECT_FALSE(C->FMnuNavMsg->GetItems()->GetItem(3)->GetChecked());
  EXPECT_FALSE(C->FBtnFirst->GetEnabled());
  EXPECT_TRUE(C->FBtnNext->GetEnabled());
  EXPECT_TRUE(C->FBtnLast->GetEnabled());
  // First, next, last, then next finds nothing and leaves nothing selected.
  C->FBtnFirst->Click();
  EXPECT_EQ(List->GetItemIndex(), 2);
  C->FBtnNext->Click();
  EXPECT_EQ(List->GetItemIndex(), 5);
  C->JumpToMessage(3);
  EXPECT_EQ(List->GetItemIndex(), 9);
  C->JumpToMessage(2);
  EXPECT_EQ(List->GetSelCount(), 0);
  EXPECT_EQ(List->GetItemIndex(), 9);
  EXPECT_FALSE(C->FBtnNext->GetEnabled());
  EXPECT_TRUE(C->FBtnPrev->GetEnabled());
  // Newest on top: "first" is the lowest of the list.
  C->SetInsertAtEnd(false);
  C->JumpToMessage(0);
  EXPECT_EQ(List->GetItemIndex(), 9);
  C->JumpToMessage(3);
  EXPECT_EQ(List->GetItemIndex(), 2);
  // Choosing the kind already set changes nothing, not even the glyph or the
  // menu check: both are put in a stray state the setter must leave.
  TMenuItem* ErrorItem = C->FMnuNavMsg->GetItems()->GetItem(lxmError);
  ErrorItem->SetChecked(false);
  C->FBtnNavMsg->SetNumGlyphs(2);
  C->SetNavigatorMessage(lxmError);
  EXPECT_FALSE(ErrorItem->GetChecked());
  EXPECT_EQ(C->FBtnNavMsg->GetNumGlyphs(), 2);
  C->Clear();
  for (TLxSpeedButton* B : {C->FBtnFirst, C->FBtnPrev, C->FBtnNext, C->FBtnLast}) EXPECT_FALSE(B->GetEnabled());
}

TEST_F(Assembly, ANavigatedMessageBecomesTheTopLine) {
  for (int I = 0; I < 80; ++I) Add(I == 30 ? lxmCheckPoint : lxmInfo, "m", I + 1);
  C->JumpToMessage(0);
  EXPECT_EQ(List->GetItemIndex(), 30);
  EXPECT_EQ(List->GetTopIndex(), 30);
}

TEST_F(Assembly, PreviousOnTheFirstItemTestsItAgain) {
  Add(lxmCheckPoint, "cp", 1);
  Add(lxmInfo, "i", 2);
  EXPECT_TRUE(C->FBtnNext->GetEnabled()) << "a check point arrived";
  C->JumpToItem(0);
  C->JumpToMessage(1);
  EXPECT_EQ(List->GetItemIndex(), 0);
  EXPECT_TRUE(List->GetSelected(0));
}

TEST_F(Assembly, SelectionHandlerSetsTypeNameAndButtons) {
  C->AddMessage(lxmObject, "obj", "app", "TCustomer", 1, std::string_view("Name\tMain"));
  C->AddMessage(lxmExitMethod, "done", "app", "", 2, std::nullopt);
  C->AddSeparator("", 3);
  bool Inspect = false, Match = false;
  C->OnLstMsgsClick = [&](TObject*, bool I, bool M) {
    Inspect = I;
    Match = M;
  };
  C->JumpToItem(0);
  EXPECT_EQ(C->FStsTypeName->GetCaption(), "TCustomer");
  EXPECT_TRUE(Inspect);
  EXPECT_TRUE(C->FBtnInspector->GetEnabled());
  EXPECT_FALSE(C->FBtnMethodMatch->GetEnabled());
  C->JumpToItem(1);
  EXPECT_FALSE(Inspect);
  EXPECT_TRUE(Match);
  EXPECT_TRUE(C->FBtnMethodMatch->GetEnabled());
  EXPECT_FALSE(C->FBtnInspector->GetEnabled());
  C->JumpToItem(2);
  EXPECT_FALSE(C->FBtnMethodMatch->GetEnabled());
  EXPECT_FALSE(C->FBtnInspector->GetEnabled());
}

}  // namespace
