// The selection handler and what it fills: the inspector pane (the string
// list, object and stream pages and the call stack), the inspector windows
// opened for one message, and the fonts they follow.
#include "core/BkOrlimo.h"

#include "core/BkGrid.h"
#include "core/LxObjFrm.h"
#include "core/LxStmFrm.h"
#include "core/LxStrFrm.h"

#include "components/LxCommon.h"

// ============================================================ the selection handler

void TBkOrlimoComposite::LstMsgsClick() {
  bool CanInspect = false;
  bool CanMatch = false;
  const std::int32_t Position = FLstMsgs->GetItemIndex();
  if (const TOrlimoMsgInfo* Info = GetCurrentMsgInfo()) {
    // The current item's kind alone decides, selected or not: after a jump
    // that found no partner the method's end is still current and the button
    // tries again from it.
    const std::int32_t Kind = Info->MsgType();
    FStsTypeName->SetCaption(Info->TypeName());
    CanInspect = Kind >= lxmObject && Kind <= lxmStringList;
    CanMatch = Kind == lxmEnterMethod || Kind == lxmExitMethod;
    UpdateNotebookPage();
    if (FViewInspectorPane) FillInspectorPane(*Info, Position);
  }
  FBtnMethodMatch->SetEnabled(CanMatch);
  FBtnInspector->SetEnabled(CanInspect);
  LstMsgsClick(CanInspect, CanMatch);
  UpdateStatus();
  UpdateNavButtons();
}

void TBkOrlimoComposite::FillInspectorPane(const TOrlimoMsgInfo& Info, std::int32_t Position) {
  if (FViewCallStack) {
    FNbkView->SetPageIndex(3);
    FillCallStack();
    return;
  }
  switch (Info.MsgType()) {
    case lxmObject:
      FNbkView->SetPageIndex(1);
      ClearGrid(*FGrdObject);
      FGrdObject->SetFont(ShownFont(FObjectFont));
      PopulateGrid(*FGrdObject, FObjectRowHeight, Info);
      break;
    case lxmStream:
      FNbkView->SetPageIndex(2);
      FEdtStream->SetText(Info.Details().Joined("\r\n"));
      break;
    case lxmStringList:
      FNbkView->SetPageIndex(0);
      FEdtStringList->SetText(Info.Details().Joined("\r\n"));
      break;
    default:
      FNbkView->SetPageIndex(0);
      FEdtStringList->SetText(NormalizeLineBreaks(GetItemMsgInfo(Position).Text()));
      break;
  }
}

std::string TBkOrlimoComposite::NormalizeLineBreaks(std::string_view Text) {
  std::string Result;
  Result.reserve(Text.size() + 2);
  bool Pending = false;
  for (const char C : Text) {
    if (C == '\r' || C == '\n') {
      Pending = true;
      continue;
    }
    if (Pending) {
      Result += "\r\n";
      Pending = false;
    }
    Result += C;
  }
  return Result;
}

void TBkOrlimoComposite::ClearInspectorPane() {
  ClearGrid(*FGrdObject);
  FEdtStringList->Clear();
  FEdtStream->Clear();
  FLstCallStack->ClearItems();
  FNbkView->SetPageIndex(0);
  // Only the inspect button: the method-match button stays as the host's
  // menu item does, which an emptied list leaves alone too.
  FBtnInspector->SetEnabled(false);
}

// ============================================================ call stack

bool TBkOrlimoComposite::TraverseCallStack(TStringItems& Strings) {
  if (!::TraverseCallStack(*FMsgs, ShownPosition(FLstMsgs->GetItemIndex()), FCallStackLines)) return false;
  Strings.FStrings.clear();
  Strings.FObjects.clear();
  for (const TCallStackLine& Line : FCallStackLines) {
    // A filtered view lists the shown methods only, each by its index in the view.
    const std::int32_t Shown = ShownIndexOf(Line.Position);
    if (Shown < 0) continue;
    Strings.FStrings.emplace_back(Line.Text);
    Strings.FObjects.push_back(Shown);
  }
  return true;
}

void TBkOrlimoComposite::FillCallStack() {
  // The model finds the enclosing methods without walking the list, so the
  // cost follows the depth of the stack.
  if (!::TraverseCallStack(*FMsgs, ShownPosition(FLstMsgs->GetItemIndex()), FCallStackLines)) return;
  FLstCallStack->ClearItems();
  for (const TCallStackLine& Line : FCallStackLines)
    if (const std::int32_t Shown = ShownIndexOf(Line.Position); Shown >= 0)
      FLstCallStack->AddItem(std::string(Line.Text), Shown);
}

// ============================================================ inspector windows

void TBkOrlimoComposite::OpenInspectorWindow() {
  const TOrlimoMsgInfo* Info = GetCurrentMsgInfo();
  if (!Info) return;
  const std::string Caption(Info->Text());
  switch (Info->MsgType()) {
    case lxmObject: {
      auto* W = new TFrmInspectObject;
      W->SetCaption(Caption);
      W->GrdObject->SetFont(ShownFont(FObjectFont));
      PopulateGrid(*W->GrdObject, FObjectRowHeight, *Info);
      W->Show();
      break;
    }
    case lxmStream: {
      auto* W = new TFrmInspectStream;
      W->SetCaption(Caption);
      W->EdtStream->SetFont(ShownFont(FStreamFont));
      W->Show();  // laid out before the text goes in: a long text is wrapped once
      W->EdtStream->SetText(Info->Details().Joined("\r\n"));
      break;
    }
    case lxmStringList: {
      auto* W = new TFrmInspectStringList;
      W->SetCaption(Caption);
      W->EdtStringList->SetFont(ShownFont(FMsgFont));
      W->Show();  // laid out before the text goes in: a long text is wrapped once
      W->EdtStringList->SetText(Info->Details().Joined("\r\n"));
      break;
    }
    default: break;  // nothing to inspect
  }
}

// ============================================================ fonts

void TBkOrlimoComposite::ApplyInspectorFonts() {
  FEdtStringList->SetFont(ShownFont(FMsgFont));
  FEdtStream->SetFont(ShownFont(FStreamFont));
  FObjectRowHeight = GetMinFontHeight(FObjectFont) - 1;
  FGrdObject->SetFont(ShownFont(FObjectFont));
  FGrdObject->SetDefaultRowHeight(FObjectRowHeight);
  FLstCallStack->SetFont(ShownFont(FObjectFont));
  TFont Bold(ShownFont(FObjectFont));
  Bold.SetStyle(Bold.GetStyle() | fsBold);
  for (TLxLabel* L : {FLblStringList, FLblStream, FLblCallStack}) L->SetFont(Bold);
}

// The pane takes a changed font whatever message is current (its string-list
// page also shows the text of every kind without a body); then every
// inspector window of the program that shows that font takes it.
void TBkOrlimoComposite::MessageFontChanged() {
  ApplyInspectorFonts();
  for (TFrmInspectStringList* W : InspectorWindows<TFrmInspectStringList>())
    W->EdtStringList->SetFont(ShownFont(FMsgFont));
}

void TBkOrlimoComposite::ObjectFontChanged() {
  ApplyInspectorFonts();
  for (TFrmInspectObject* W : InspectorWindows<TFrmInspectObject>()) {
    W->GrdObject->SetFont(ShownFont(FObjectFont));
    W->GrdObject->SetDefaultRowHeight(FObjectRowHeight);
  }
}

void TBkOrlimoComposite::StreamFontChanged() {
  ApplyInspectorFonts();
  for (TFrmInspectStream* W : InspectorWindows<TFrmInspectStream>()) W->EdtStream->SetFont(ShownFont(FStreamFont));
}
