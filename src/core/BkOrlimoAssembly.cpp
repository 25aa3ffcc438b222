// The viewer's widget tree: every child control, the toolbar with its button
// groups, the popup menus, and what the window's creation adds to them.
#include "core/BkOrlimo.h"

#include "core/BkGrid.h"
#include "core/BkLogToFile.h"
#include "core/BkLxStr.h"

#include "components/LxCommon.h"
#include "platform/PlatformExcept.h"

namespace {

using namespace BkLxStr;

// The navigator kinds' menu captions, in kind order.
const char* const NavMsgCaptions[9] = {"Navigate Info Messages", "Navigate Warning Messages", "Navigate Error Messages",
                                       "Navigate Check Points",  "Navigate Objects",          "Navigate Streams",
                                       "Navigate String Lists",  "Navigate Properties",       "Navigate Notes"};

// Tags of the message list's popup menu items.
enum TPopupTag {
  ptCopy = 1,
  ptSelectAll,
  ptDelete,
  ptResetIndent,
  ptInsertNote,
  ptInsertSeparator,
  ptFind,
  ptFindNext,
  ptFindCurrentMethod,
  ptOpen,
  ptSave,
  ptPrint,
  ptPreferences,
  ptHelpContents,
  ptAbout,
  ptCaptureDebugOutput,
  ptLogToFile,
  ptCaptureGlobalDebugOutput,
  ptFilter,
  ptNetworkMessages
};

TLxSplitterPane* Pane(TLxSplitter* Splitter, int Index) { return Splitter->GetPaneData(Index)->GetPane(); }

TLxPanel* CreateTitlePanel(TComponent* Owner, TWinControl* Parent) {
  auto* P = new TLxPanel(Owner);
  P->SetParent(Parent);
  P->SetAlign(alTop);
  P->SetBorderOuter(fsButtonUp);
  P->SetHeight(17);
  return P;
}

TLxLabel* CreateTitleLabel(TComponent* Owner, TWinControl* Parent, int Caption) {
  auto* L = new TLxLabel(Owner);
  L->SetParent(Parent);
  L->SetCaption(LoadStr(Caption));
  L->SetAlign(alClient);
  L->SetTextStyle(tsNormal);
  return L;
}

}  // namespace

TMenuItem* TBkOrlimoComposite::CreateMenuItem(TPopupMenu* Menu, int Tag, TNotifyEvent Click,
                                              const std::string& ShortCut, const std::string& Caption, bool RadioItem) {
  auto* Item = new TMenuItem(this);
  Item->SetTag(Tag);
  Item->SetCaption(Caption);
  Item->SetShortCut(ShortCut.empty() ? scNone : TextToShortCut(ShortCut));
  Item->SetRadioItem(RadioItem);
  if (!Item->IsLine()) Item->OnClick = std::move(Click);
  Menu->GetItems()->Add(Item);
  return Item;
}

TLxToolbar* TBkOrlimoComposite::CreateButtonGroup(int Width, TFrameStyle Outer) {
  auto* G = new TLxToolbar(this);
  G->SetParent(FToolbar);
  G->SetAlign(alNone);
  G->SetMargin(2);
  G->SetShowDivider(false);
  if (Outer != fsNone) G->SetBorderOuter(Outer);
  G->SetWidth(Width);
  return G;
}

TLxSpeedButton* TBkOrlimoComposite::CreateButton(TLxToolbar* Group, int Hint, const char* Glyph, TNotifyEvent Click) {
  auto* B = new TLxSpeedButton(this);
  B->SetParent(Group);
  B->SetBounds(0, 0, 25, 25);
  B->SetFlat(true);
  B->SetHint(LoadStr(Hint));
  if (Glyph) {
    try {
      B->LoadGlyph(ResourceModule(), Glyph);
    } catch (const EResNotFound&) {
      // a missing picture leaves the button without a glyph
    }
  }
  B->OnClick = std::move(Click);
  return B;
}

TLxSpacer* TBkOrlimoComposite::CreateSpacer(TLxToolbar* Group) {
  auto* S = new TLxSpacer(this);
  S->SetParent(Group);
  return S;
}

void TBkOrlimoComposite::CreateEmbeddedComponents() {
  // 1. The status bar.
  FStatusBar = new TBkOrlimoStatusBar(this);
  FStatusBar->SetParent(this);
  if (FForCodeRush) FStatusBar->SetShowSizeGrip(false);
  FStatusBar->SetTabOrder(1);

  // 2. The splitter between the list (above) and the scratch pad (below).
  FScratchPadSplitter = new TLxSplitter(this);
  FScratchPadSplitter->SetParent(this);
  FScratchPadSplitter->SetAlign(alClient);
  FScratchPadSplitter->GetLowerRight()->SetBorderOuter(fsLowered);
  FScratchPadSplitter->GetLowerRight()->SetColor(clWindow);
  FScratchPadSplitter->SetFixedPane(fpLowerRight);

  // 3. The scratch pad's popup menu.
  FMnuScratchPadPopup = new TPopupMenu(this);
  CreateMenuItem(
      FMnuScratchPadPopup, 1, [this](TObject* S) { ScratchPadPopupClick(S); }, "", "&Clear Scratch Pad", false);

  // 4. The scratch pad.
  FGrdScratchPad = new TStringGrid(this);
  FGrdScratchPad->SetParent(Pane(FScratchPadSplitter, 2));
  FGrdScratchPad->SetAlign(alClient);
  FGrdScratchPad->SetPopupMenu(FMnuScratchPadPopup);
  FGrdScratchPad->SetFixedRows(0);
  FGrdScratchPad->SetFixedCols(1);
  FGrdScratchPad->SetRowCount(ScratchPadLines);
  FGrdScratchPad->SetColCount(2);
  FGrdScratchPad->SetDefaultRowHeight(17);
  FGrdScratchPad->SetColWidth(0, 20);
  FGrdScratchPad->SetColWidth(1, GetSystemMetrics(SM_CXSCREEN));
  FGrdScratchPad->SetBorder(false);
  FGrdScratchPad->SetCtl3D(false);
  FGrdScratchPad->SetOptions(goVertLine | goHorzLine | goRowSelect | goThumbTracking);
  for (int I = 0; I < ScratchPadLines; ++I) FGrdScratchPad->SetCell(0, I, std::to_string(I));
  FGrdScratchPad->OnClick = [this](TObject*) { UpdateStatus(); };
  FGrdScratchPad->OnDrawCell = [this](TObject*, int ACol, int ARow, RECT Rect, TGridDrawState State) {
    DrawScratchPadCell(ACol, ARow, Rect, State);
  };

  // 5. The splitter between the list (left) and the detail pane (right).
  FInspectorSplitter = new TLxSplitter(this);
  FInspectorSplitter->SetParent(Pane(FScratchPadSplitter, 1));
  FInspectorSplitter->SetAlign(alClient);
  FInspectorSplitter->SetBorderWidth(0);
  FInspectorSplitter->SetUsePercent(false);
  FInspectorSplitter->SetTabOrder(2);
  FInspectorSplitter->SetFixedPane(fpLowerRight);
  FInspectorSplitter->OnChange = [this](TObject*) { InspectorSplitterChange(); };

  // 6. The message pane.
  FPnlMsgs = new TLxPanel(this);
  FPnlMsgs->SetParent(Pane(FInspectorSplitter, 1));
  FPnlMsgs->SetAlign(alClient);
  FPnlMsgs->SetBorderOuter(fsLowered);
  FPnlMsgs->SetBorderWidth(0);

  // 7. The message list's popup menu: one handler, the tag chooses.
  FMnuPopup = new TPopupMenu(this);
  const TNotifyEvent Popup = [this](TObject* S) { PopupMenuClick(S); };
  CreateMenuItem(FMnuPopup, ptCopy, Popup, "", "&Copy", false);
  CreateMenuItem(FMnuPopup, ptSelectAll, Popup, "Ctrl+A", "Select &All", false);
  CreateMenuItem(FMnuPopup, 0, nullptr, "", "-", false);
  CreateMenuItem(FMnuPopup, ptDelete, Popup, "", "&Delete", false);
  CreateMenuItem(FMnuPopup, ptResetIndent, Popup, "", "Reset Indent &Level", false);
  CreateMenuItem(FMnuPopup, 0, nullptr, "", "-", false);
  CreateMenuItem(FMnuPopup, ptInsertNote, Popup, "", "Insert &Note", false);
  CreateMenuItem(FMnuPopup, ptInsertSeparator, Popup, "", "&Insert Separator", false);
  CreateMenuItem(FMnuPopup, 0, nullptr, "", "-", false);
  CreateMenuItem(FMnuPopup, ptFind, Popup, "Ctrl+F", "&Find...", false);
  CreateMenuItem(FMnuPopup, ptFindNext, Popup, "F3", "Find &Next", false);
  CreateMenuItem(FMnuPopup, ptFindCurrentMethod, Popup, "", "Find Current &Method", false);
  CreateMenuItem(
      FMnuPopup, ptFilter, [this](TObject*) { FilterAndHighlight(); }, "Ctrl+H", "Filter and &Highlight...", false);
  CreateMenuItem(FMnuPopup, 0, nullptr, "", "-", false);
  CreateMenuItem(FMnuPopup, ptOpen, Popup, "Ctrl+O", "&Open...", false);
  CreateMenuItem(FMnuPopup, ptSave, Popup, "Ctrl+S", "&Save...", false);
  CreateMenuItem(FMnuPopup, ptPrint, Popup, "", "&Print...", false);
  // The panel has no File menu: logging to file is set up from here (checked while it logs).
  FMnuLogToFile = CreateMenuItem(
      FMnuPopup, ptLogToFile, [this](TObject*) { ChangeLogToFile(); }, "", "Lo&g to File...", false);
  FMnuPopup->OnPopup = [this](TObject*) { FMnuLogToFile->SetChecked(FLogToFile->Active()); };
  CreateMenuItem(FMnuPopup, 0, nullptr, "", "-", false);
  CreateMenuItem(FMnuPopup, ptPreferences, Popup, "", "P&references...", false);
  CreateMenuItem(FMnuPopup, ptHelpContents, Popup, "", "&Help Contents", false);
  CreateMenuItem(FMnuPopup, ptAbout, Popup, "", "About", false);
  CreateMenuItem(FMnuPopup, 0, nullptr, "", "-", false);
  FMnuCaptureDebugOutput = CreateMenuItem(
      FMnuPopup, ptCaptureDebugOutput, [this](TObject*) { CaptureDebugOutputClick(); }, "Ctrl+D",
      "Capture &Debug Output", false);
  FMnuCaptureGlobalDebugOutput = CreateMenuItem(
      FMnuPopup, ptCaptureGlobalDebugOutput, [this](TObject*) { CaptureGlobalDebugOutputClick(); }, "",
      "Capture &Global Debug Output", false);
  CreateMenuItem(
      FMnuPopup, ptNetworkMessages, [this](TObject*) { NetworkMessagesClick(); }, "", "&Network Messages...", false);

  // 8. The message list.
  FLstMsgs = new TBkEditListBox(this);
  FLstMsgs->SetParent(FPnlMsgs);
  FLstMsgs->SetAlign(alClient);
  FLstMsgs->SetMultiSelect(true);
  FLstMsgs->SetTabOrder(0);
  FLstMsgs->SetItemHeight(18);
  FLstMsgs->SetPopupMenu(FMnuPopup);
  FLstMsgs->SetAllowDeleteByKbd(true);
  FLstMsgs->SetFont(FMsgFont);
  FLstMsgs->SetItems(ListItems());
  FLstMsgs->OnClick = [this](TObject*) { LstMsgsClick(); };
  FLstMsgs->OnDblClick = [this](TObject*) { ShowTip(); };
  FLstMsgs->OnDrawItem = [this](TBkVertListBox& L, std::int32_t I, const RECT& R, TOwnerDrawState S) {
    LstMsgsDrawItem(L, I, R, S);
  };
  FLstMsgs->OnHScroll = [this](TObject*) { UpdateList(); };
  FLstMsgs->OnSizeEditRect = [this](TObject*, std::int32_t I, RECT& R) { LstMsgsSizeEditRect(I, R); };
  FLstMsgs->OnShowingEditor = [this](TObject*, std::int32_t I, bool& Allow) { LstMsgsShowingEditor(I, Allow); };
  FLstMsgs->OnHidingEditor = [this](TObject*) { LstMsgsClick(); };
  FLstMsgs->OnDeleteItems = [this](TObject*) { UpdateStatus(); };
  FLstMsgs->OnFlushed = [this](TObject*) { ListRepainted(); };

  // 9. The detail pane.
  FPnlDetail = new TLxPanel(this);
  FPnlDetail->SetParent(Pane(FInspectorSplitter, 2));
  FPnlDetail->SetAlign(alClient);
  FPnlDetail->SetBorderOuter(fsLowered);

  // 10. Its notebook: string list, object, stream, call stack.
  FNbkView = new TNotebook(this);
  FNbkView->SetParent(FPnlDetail);
  FNbkView->SetAlign(alClient);
  FNbkView->SetPages({"StringList", "Object", "Stream", "CallStack"});

  // 11 - 14. Page 0: string list.
  TPage* Page = FNbkView->GetPage(0);
  FPnlStringList = CreateTitlePanel(this, Page);
  FLblStringList = CreateTitleLabel(this, FPnlStringList, sLxStringContents);
  FLblFill = new TLxLabel(this);
  FLblFill->SetParent(Page);
  FLblFill->SetAlign(alLeft);
  FLblFill->SetAutoSize(false);
  FLblFill->SetTextStyle(tsNormal);
  FLblFill->SetWidth(2);
  FLblFill->SetColor(clWindow);
  FEdtStringList = new TMemo(this);
  FEdtStringList->SetParent(Page);
  FEdtStringList->SetAlign(alClient);
  FEdtStringList->SetBorder(false);
  FEdtStringList->SetCtl3D(false);
  FEdtStringList->SetScrollBars(ssVertical);
  FEdtStringList->SetWordWrap(true);
  FEdtStringList->SetReadOnly(true);

  // 15. Page 1: object.
  FGrdObject = new TStringGrid(this);
  FGrdObject->SetParent(FNbkView->GetPage(1));
  FGrdObject->SetAlign(alClient);
  FGrdObject->SetColCount(2);
  FGrdObject->SetCtl3D(false);
  FGrdObject->SetBorder(false);
  FGrdObject->SetDefaultRowHeight(17);
  FGrdObject->SetFixedCols(0);
  FGrdObject->SetRowCount(2);
  FGrdObject->SetOptions(goFixedVertLine | goFixedHorzLine | goVertLine | goHorzLine | goColSizing | goRowSelect |
                         goThumbTracking);
  FGrdObject->SetTabOrder(0);
  FGrdObject->OnDrawCell = [this](TObject*, int ACol, int ARow, RECT Rect, TGridDrawState State) {
    DrawGridCell(*FGrdObject, ACol, ARow, Rect, State);
  };

  // 16 - 18. Page 2: stream.
  Page = FNbkView->GetPage(2);
  FPnlStream = CreateTitlePanel(this, Page);
  FLblStream = CreateTitleLabel(this, FPnlStream, sLxStreamOutput);
  FEdtStream = new TMemo(this);
  FEdtStream->SetParent(Page);
  FEdtStream->SetAlign(alClient);
  FEdtStream->SetCtl3D(false);
  FEdtStream->SetBorder(false);
  FEdtStream->SetScrollBars(ssBoth);
  FEdtStream->SetWordWrap(false);
  FEdtStream->SetReadOnly(true);

  // 19 - 21. Page 3: call stack.
  Page = FNbkView->GetPage(3);
  FPnlCallStack = CreateTitlePanel(this, Page);
  FLblCallStack = CreateTitleLabel(this, FPnlCallStack, sLxCallStack);
  FLstCallStack = new TListBox(this);
  FLstCallStack->SetParent(Page);
  FLstCallStack->SetAlign(alClient);
  FLstCallStack->SetCtl3D(false);
  FLstCallStack->SetBorder(false);
  FLstCallStack->OnDblClick = [this](TObject*) {
    const int I = FLstCallStack->GetItemIndex();
    if (I >= 0 && I < FLstCallStack->GetItems().Count())
      JumpToItem(static_cast<std::int32_t>(FLstCallStack->GetItems().GetObject(I)));
  };

  // 22. The toolbar.
  FToolbar = new TLxToolbar(this);
  FToolbar->SetParent(this);
  FToolbar->SetAlign(alTop);
  FToolbar->SetBounds(2, 2, 500, FToolbar->GetHeight());
  FToolbar->SetShowHint(true);  // its own hint setting, not the parent's
  FToolbar->SetTabOrder(0);
  FToolbar->SetWrapControls(true);
  FToolbar->SetShowDivider(false);

  // 23. A gap under the toolbar.
  FSeparator = new TLxPanel(this);
  FSeparator->SetParent(this);
  FSeparator->SetAlign(alTop);
  FSeparator->SetBounds(2, FToolbar->GetHeight() + 1, FSeparator->GetWidth(), 4);
  FSeparator->SetBorderOuter(fsNone);

  // 24. Messages: receive/ignore, clear, note, separator, check point.
  FTbgMessage = CreateButtonGroup(162, fsNone);
  FBtnIgnoreMessages = CreateButton(FTbgMessage, sLxReceiveIgnoreMessages, "BKORLIMO_BTN_IGNORE_MESSAGES",
                                    [this](TObject*) { ToggleClick(FBtnIgnoreMessages); });
  FBtnIgnoreMessages->SetGroupIndex(1);
  FBtnIgnoreMessages->SetAllowAllUp(true);
  FBtnCaptureDebugOutput = CreateButton(FTbgMessage, sLxCaptureDebugOutput, "BKORLIMO_BTN_CAPTURE_DEBUG",
                                        [this](TObject*) { CaptureDebugOutputClick(); });
  FBtnCaptureDebugOutput->SetGroupIndex(DbgOutputGroupIndex);
  FBtnCaptureDebugOutput->SetAllowAllUp(true);
  FBtnClear =
      CreateButton(FTbgMessage, sLxClearMessages, "BKORLIMO_BTN_CLEAR", [this](TObject*) { ClearWithPrompt(); });
  FSpacer1 = CreateSpacer(FTbgMessage);
  FBtnNote = CreateButton(FTbgMessage, sLxAddNote, "BKORLIMO_BTN_NOTE", [this](TObject*) {
    AddNote();
    UpdateStatus();
  });
  FBtnSeparator = CreateButton(FTbgMessage, sLxAddSeparator, "BKORLIMO_BTN_SEPARATOR", [this](TObject*) {
    AddSeparator(LocalAppName(), static_cast<std::int32_t>(GetTickCount()));
    UpdateStatus();
  });
  FBtnCheckPoint = CreateButton(FTbgMessage, sLxAddCheckPoint, "BKORLIMO_BTN_CHECKPOINT", [this](TObject*) {
    AddCheckPoint(LocalAppName(), static_cast<std::int32_t>(GetTickCount()));
    UpdateStatus();
  });

  // 25. Navigation: first, previous, the kind, next, last, method match.
  FTbgNavigate = CreateButtonGroup(163, fsNone);
  auto Jump = [this](TObject* S) { JumpToMessage(static_cast<std::int32_t>(static_cast<TComponent*>(S)->GetTag())); };
  FBtnFirst = CreateButton(FTbgNavigate, sLxFirstMessage, "BKORLIMO_BTN_FIRST", Jump);
  FBtnPrev = CreateButton(FTbgNavigate, sLxPreviousMessage, "BKORLIMO_BTN_PREV", Jump);
  FBtnNavMsg = new TLxMenuSpeedButton(this);
  FBtnNavMsg->SetParent(FTbgNavigate);
  FBtnNavMsg->SetBounds(0, 0, 25, 25);
  FBtnNavMsg->SetFlat(true);
  FBtnNavMsg->SetHint(LoadStr(sLxSelectNavigatorMessage));
  FMnuNavMsg = new TPopupMenu(this);
  const TNotifyEvent NavMsg = [this](TObject* S) { NavMsgMenuClick(S); };
  for (int K = 0; K < 9; ++K) CreateMenuItem(FMnuNavMsg, K, NavMsg, "", NavMsgCaptions[K], true);
  FBtnNavMsg->SetClickMenu(FMnuNavMsg);
  FBtnNext = CreateButton(FTbgNavigate, sLxNextMessage, "BKORLIMO_BTN_NEXT", Jump);
  FBtnLast = CreateButton(FTbgNavigate, sLxLastMessage, "BKORLIMO_BTN_LAST", Jump);
  const std::array<TLxSpeedButton*, 4> NavButtons{FBtnFirst, FBtnPrev, FBtnNext, FBtnLast};
  for (int I = 0; I < 4; ++I) {
    NavButtons[static_cast<std::size_t>(I)]->SetTag(I);
    NavButtons[static_cast<std::size_t>(I)]->SetEnabled(false);
  }
  FSpacer2 = CreateSpacer(FTbgNavigate);
  FBtnMethodMatch = CreateButton(FTbgNavigate, sLxFindMatchingMethod, "BKORLIMO_BTN_METHODMATCH",
                                 [this](TObject*) { MethodMatchClick(); });
  FBtnMethodMatch->SetEnabled(false);

  // 26. View: options, icons, time stamp, the three panes, inspector window.
  FTbgView = CreateButtonGroup(196, fsPopup);
  FBtnOptions = CreateButton(FTbgView, sLxCustomize, "BKORLIMO_BTN_OPTIONS", [this](TObject*) { ChangePreferences(); });
  auto Toggle = [this](TObject* S) { ToggleClick(static_cast<TLxSpeedButton*>(S)); };
  FBtnIcons = CreateButton(FTbgView, sLxShowHideIcons, "BKORLIMO_BTN_ICONS", Toggle);
  FBtnTimeStamp = CreateButton(FTbgView, sLxShowHideTimeStamp, "BKORLIMO_BTN_TIMESTAMP", Toggle);
  FSpacer3 = CreateSpacer(FTbgView);
  FBtnInspectorPane = CreateButton(FTbgView, sLxShowHideInspectorPane, "BKORLIMO_BTN_INSPECTOR_PANE", Toggle);
  FBtnScratchPad = CreateButton(FTbgView, sLxShowHideScratchPad, "BKORLIMO_BTN_SCRATCHPAD", Toggle);
  FBtnCallStack = CreateButton(FTbgView, sLxInspectCallStack, "BKORLIMO_BTN_CALLSTACK", Toggle);
  const std::array<TLxSpeedButton*, 5> Toggles{FBtnIcons, FBtnTimeStamp, FBtnInspectorPane, FBtnScratchPad,
                                               FBtnCallStack};
  const bool InitiallyDown[5] = {true, false, true, true, true};
  for (std::size_t I = 0; I < Toggles.size(); ++I) {
    Toggles[I]->SetGroupIndex(static_cast<int>(I) + 2);
    Toggles[I]->SetAllowAllUp(true);
    Toggles[I]->SetDown(InitiallyDown[I]);
  }
  FSpacer4 = CreateSpacer(FTbgView);
  FBtnInspector = CreateButton(FTbgView, sLxOpenInspectorWindow, "BKORLIMO_BTN_INSPECT",
                               [this](TObject*) { OpenInspectorWindow(); });
  FBtnInspector->SetEnabled(false);
  // The quick filter, after the last group.
  CreateQuickFilter();

  // 27 - 30. The status panes, left to right.
  FStsTimeDiff = new TLxGlyphStatus(this);
  FStsTimeDiff->SetParent(FStatusBar);
  FStsTimeDiff->SetWidth(100);
  FStsTimeDiff->SetAlign(alLeft);
  FStsTimeDiff->SetEnabled(false);
  try {
    FStsTimeDiff->LoadGlyph(ResourceModule(), "BKORLIMO_TIMEDIFF");
  } catch (const EResNotFound&) {
    // no picture: the pane shows its text alone
  }
  FStsTimeDiff->SetNumGlyphs(2);
  FStsMsgCount = new TLxStatusPane(this);
  FStsMsgCount->SetParent(FStatusBar);
  FStsMsgCount->SetWidth(100);
  FStsMsgCount->SetAlign(alLeft);
  FStsSelCount = new TLxStatusPane(this);
  FStsSelCount->SetParent(FStatusBar);
  FStsSelCount->SetWidth(100);
  FStsSelCount->SetAlign(alLeft);
  FStsTypeName = new TLxStatusPane(this);
  FStsTypeName->SetParent(FStatusBar);
  FStsTypeName->SetWidth(130);
  FStsTypeName->SetAlign(alClient);
}

void TBkOrlimoComposite::CreateWnd() {
  TScrollingWinControl::CreateWnd();
  FTip->SetOwnerWindow(WindowHandle());
  InitIcons();
  if (FForCodeRush) LoadSettings();
  if (FBarPosPending) PostSplitterBarPos();
  if (!FLogFileError.empty()) PostMessageA(WindowHandle(), UM_LOGFILEERROR, 0, 0);
  for (TLxLabel* L : {FLblStringList, FLblCallStack, FLblStream}) L->SetRotation(roFlat);
  FToolbar->SetRowHeight(29);
  for (TLxToolbar* G : {FTbgMessage, FTbgNavigate, FTbgView, FTbgFilter}) {
    G->SetHeight(29);
    G->SetBorderSides(sdAllSides);
  }
  if (!NewStyleControls()) FScratchPadSplitter->SetBorderOuter(fsPopup);
  FToolbar->SetBorderSides(sdAllSides);
  FToolbar->SetBorderInner(fsStatus);
  for (TLxToolbar* G : {FTbgMessage, FTbgNavigate, FTbgView, FTbgFilter}) G->SetBorderOuter(fsPopup);
  FToolbar->SetMargin(1);
  // Every group and every button joins its toolbar's order list, in child order.
  auto Enlist = [](TLxToolbar* Bar) {
    for (int I = 0; I < Bar->GetControlCount(); ++I) {
      TControl* C = Bar->GetControl(I);
      Bar->GetControlList().AddControl(C);
      C->FreeNotification(Bar);
    }
    Bar->PositionControls();
  };
  for (TLxToolbar* G : {FTbgMessage, FTbgNavigate, FTbgView, FTbgFilter}) Enlist(G);
  Enlist(FToolbar);
  FScratchPadSplitter->SetOrientation(orVertical);
}
