// View settings and their layout effects, resizing, the splitter bars, the
// toolbar toggles, and keeping the list across a re-created window.
#include "core/BkOrlimo.h"

#include "core/BkGrid.h"

#include "components/LxGeometry.h"
#include "platform/RegSettingsStore.h"
#include "platform/Theme.h"

#include <algorithm>
#include <vector>

namespace {

int SplitterSize(const TLxSplitter& S) { return S.GetOrientation() == orHorizontal ? S.GetWidth() : S.GetHeight(); }

// A bar given a place outside its splitter (a smaller screen, an edited
// value) leaves the pane beside it no room: when the pane is shown, the bar
// goes to the middle.
void CentreStrayBar(TLxSplitter& S) {
  const int Size = SplitterSize(S);
  const int Pos = S.GetGivenPosition();
  if (Pos >= 0 && Pos <= Size) return;
  S.SetPosition(Size / 2);
  S.FitPanes();
}

}  // namespace

// ============================================================ the look

void TBkOrlimoComposite::SetTheme(std::int32_t Value) {
  FTheme = Value >= ThemeFollowWindows && Value <= ThemeDark ? Value : ThemeFollowWindows;
  TRegSettingsStore Store(SettingsKey());
  WriteThemeSetting(Store, FTheme);
  ApplyTheme();
}

void TBkOrlimoComposite::ApplyTheme() {
  const bool Dark = IsDarkTheme(FTheme, FTheme == ThemeFollowWindows ? WindowsAppsUseLightTheme() : std::nullopt);
  if (!SetDarkLook(Dark)) return;
  // The panes' default text colour follows the look; the list and every
  // other window were repainted by the switch.
  MessageFontChanged();
  ObjectFontChanged();
  StreamFontChanged();
}

TFont TBkOrlimoComposite::ShownFont(const TFont& Font) {
  TFont Shown(Font);
  Shown.SetColor(ThemeKindColor(lxmInfo, Font.GetColor(), IsDarkLook()));
  return Shown;
}

// ============================================================ view setters

void TBkOrlimoComposite::SetViewToolbar(bool Value) {
  if (Value == FViewToolbar) return;
  FViewToolbar = Value;
  FToolbar->SetVisible(Value);
  FitToolbarRows();
}

void TBkOrlimoComposite::SetWrapButtons(bool Value) {
  if (Value == FWrapButtons) return;
  FWrapButtons = Value;
  FToolbar->SetWrapControls(Value);
  FitToolbarRows();
}

void TBkOrlimoComposite::SetViewStatusBar(bool Value) {
  if (Value == FViewStatusBar) return;
  FViewStatusBar = Value;
  FStatusBar->SetVisible(Value);
  FitToolbarRows();
}

void TBkOrlimoComposite::SetViewInspectorPane(bool Value) {
  if (Value == FViewInspectorPane) return;
  FViewInspectorPane = Value;
  FInspectorSplitter->GetLowerRight()->SetVisible(Value);
  FBtnInspectorPane->SetDown(Value);
  if (Value) {
    CentreStrayBar(*FInspectorSplitter);
    if (FLstMsgs->GetSelCount() > 0)
      if (const TOrlimoMsgInfo* Info = GetCurrentMsgInfo())
        if (Info->MsgType() >= lxmObject && Info->MsgType() <= lxmStringList) LstMsgsClick();
    UpdateNotebookPage();
  }
  UpdateList();
}

void TBkOrlimoComposite::SetViewScratchPad(bool Value) {
  if (Value == FViewScratchPad) return;
  FViewScratchPad = Value;
  if (Value) {
    CentreStrayBar(*FScratchPadSplitter);
    ResizeScratchPadColumns();
  }
  FScratchPadSplitter->GetLowerRight()->SetVisible(Value);
  FBtnScratchPad->SetDown(Value);
  FitToolbarRows();
}

void TBkOrlimoComposite::SetViewCallStack(bool Value) {
  if (Value == FViewCallStack) return;
  FViewCallStack = Value;
  FBtnCallStack->SetDown(Value);
  if (Value) FNbkView->SetPageIndex(3);
  if (ShownCount() > 0 && FLstMsgs->GetSelCount() > 0) LstMsgsClick();
}

void TBkOrlimoComposite::SetViewIcons(bool Value) {
  if (Value == FViewIcons) return;
  FViewIcons = Value;
  FBtnIcons->SetDown(Value);
  UpdateItemHeight();
  if (ShownCount() > 0) {
    LstMsgsClick();
    FLstMsgs->SetTopIndex(0);
  }
}

void TBkOrlimoComposite::SetViewTimeStamp(bool Value) {
  if (Value == FViewTimeStamp) return;
  FViewTimeStamp = Value;
  FBtnTimeStamp->SetDown(Value);
  UpdateList();
}

void TBkOrlimoComposite::SetViewAppName(bool Value) {
  if (Value == FViewAppName) return;
  FViewAppName = Value;
  UpdateList();
}

int TBkOrlimoComposite::ToolbarOffset() const { return FViewToolbar && FToolbar ? FToolbar->GetHeight() : 0; }

void TBkOrlimoComposite::UpdateNotebookPage() {
  if (!FViewInspectorPane) return;
  int Page = 0;
  if (FViewCallStack) {
    Page = 3;
  } else if (const TOrlimoMsgInfo* Info = HasCurrentItem() ? GetCurrentMsgInfo() : nullptr) {
    if (Info->MsgType() == lxmObject)
      Page = 1;
    else if (Info->MsgType() == lxmStream)
      Page = 2;
  }
  FNbkView->SetPageIndex(Page);
}

bool TBkOrlimoComposite::HasCurrentItem() const { return FMsgs->Count() > 0 && GetCurrentMsgInfo() != nullptr; }

// ============================================================ toolbar toggles

void TBkOrlimoComposite::ToggleClick(TLxSpeedButton* Button) {
  const bool Down = Button->GetDown();
  if (Button == FBtnIgnoreMessages)
    SetIgnoreMessages(Down);
  else if (Button == FBtnIcons)
    SetViewIcons(Down);
  else if (Button == FBtnTimeStamp)
    SetViewTimeStamp(Down);
  else if (Button == FBtnInspectorPane)
    SetViewInspectorPane(Down);
  else if (Button == FBtnScratchPad)
    SetViewScratchPad(Down);
  else if (Button == FBtnCallStack)
    SetViewCallStack(Down);
  DoUpdateMenu();
}

// ============================================================ resizing and splitters

void TBkOrlimoComposite::WMSize(TMessage& Message) {
  TScrollingWinControl::WndProc(Message);
  if (IsDestroying() || !FLstMsgs) return;
  FitToolbarRows();
  ResizeComponent();
}

void TBkOrlimoComposite::FitToolbarRows() {
  if (!FToolbar || IsDestroying()) return;
  bool Wrap = FWrapButtons;
  if (Wrap && FViewToolbar) {
    // What the panes need: the list's minimum, and the scratch pad's with its bar.
    int Panes = FScratchPadSplitter->GetUpperLeft()->GetMinSize();
    if (FViewScratchPad)
      Panes += FScratchPadSplitter->GetSplitterWidth() + FScratchPadSplitter->GetLowerRight()->GetMinSize();
    const int Wrapped = FToolbar->GetRowHeight() * FToolbar->WrappedRowCount() + 2 * FToolbar->GetMargin();
    const int Below = FSeparator->GetHeight() + (FViewStatusBar ? FStatusBar->GetHeight() : 0);
    Wrap = GetHeight() - Wrapped - Below >= Panes;
  }
  FToolbar->SetWrapControls(Wrap);
}

void TBkOrlimoComposite::ResizeComponent() {
  if (FViewInspectorPane) ResizeGridColumns(*FGrdObject);
  if (FViewScratchPad) ResizeScratchPadColumns();
  if (GetWidth() != FLastWidth) {
    FLastWidth = GetWidth();
    if (!FViewInspectorPane) UpdateList();
  }
}

void TBkOrlimoComposite::ResizeScratchPadColumns() {
  FGrdScratchPad->SetColWidth(0, 20);
  FGrdScratchPad->SetColWidth(1, GetWidth() - GridScrollBarWidth(*FGrdScratchPad) - 20 - 2);
}

void TBkOrlimoComposite::InspectorSplitterChange() {
  ResizeComponent();
  SplitterChange();
  const int Pos = FInspectorSplitter->GetPosition();
  if (Pos != FLastInspectorBarPos) {
    FLastInspectorBarPos = Pos;
    if (FViewInspectorPane) UpdateList();
  }
}

void TBkOrlimoComposite::SplitterChange() {
  if (OnSplitterChange) OnSplitterChange(this);
}

void TBkOrlimoComposite::UMInitSplitterBarPos(TMessage& Message) {
  // The stored places as they are (they are what is saved again); the panes
  // then fit the panel as after a resize, and a pane shown with its bar
  // outside the splitter gets the bar in the middle.
  auto Place = [](TLxSplitter& S, int Position) {
    S.SetPosition(Position);
    if (S.GetLowerRight()->GetVisible()) CentreStrayBar(S);
    S.FitPanes();
  };
  FitToolbarRows();
  Place(*FScratchPadSplitter, static_cast<int>(Message.LParam));
  Place(*FInspectorSplitter, static_cast<int>(Message.WParam));
  FLastInspectorBarPos = FInspectorSplitter->GetPosition();
  Message.Result = 0;
}

// ============================================================ composite move

void TBkOrlimoComposite::PrepareForCompositeMove() {
  if (!FSavedItems) FSavedItems = std::make_unique<TSavedItems>();
  TSavedItems& S = *FSavedItems;
  S = TSavedItems{};
  S.Items.reserve(static_cast<std::size_t>(FMsgs->Count()));
  for (std::int32_t I = 0; I < FMsgs->Count(); ++I) {
    S.Items.push_back(FMsgs->GetItemMsgInfoRef(I));
    if (FLstMsgs->GetSelected(I)) S.Selected.push_back(I);
  }
  S.Caret = FLstMsgs->GetCaretIndex();
  S.Top = FLstMsgs->GetTopIndex();
}

void TBkOrlimoComposite::FinishedCompositeMove() {
  if (!FSavedItems) return;
  const std::unique_ptr<TSavedItems> Saved = std::move(FSavedItems);
  // The list lives in the model, so a new window normally finds every item in
  // place; should the items have gone, the kept records come back.
  bool Same = FMsgs->Count() == static_cast<std::int32_t>(Saved->Items.size());
  for (std::int32_t I = 0; Same && I < FMsgs->Count(); ++I)
    Same = &FMsgs->GetItemMsgInfo(I) == Saved->Items[static_cast<std::size_t>(I)].get();
  if (!Same) {
    FCallStackLines.clear();
    FMsgs->DeleteIf([](std::int32_t) { return true; });
    FShown.Clear();
    RestartRefilter();
    FLstMsgs->ItemsChanged();
    for (std::size_t I = 0; I < Saved->Items.size(); ++I)
      FMsgs->InsertRecord(static_cast<std::int32_t>(I), Saved->Items[I]);
    FLstMsgs->ItemsChanged();
  }
  FLstMsgs->ClearSelection();
  for (std::int32_t I : Saved->Selected) FLstMsgs->SetSelected(I, true);
  if (Saved->Caret >= 0) FLstMsgs->SetCaretIndex(Saved->Caret);
  FLstMsgs->SetTopIndex(Saved->Top);
  UpdateList();
}
