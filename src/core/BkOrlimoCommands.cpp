// The commands of the toolbar and the popup menus: the navigator, the method
// match button, the list's popup menu, and the commands whose dialogs come
// with a later version (they say so instead of doing nothing).
#include "core/BkOrlimo.h"

#include "core/BkLxStr.h"

#include "platform/PlatformExcept.h"

void TBkOrlimoComposite::CommandNotAvailable(const std::string& Command) {
  Application->MessageBox("\"" + Command + "\" is not available yet in this version of Orlimo.", "Orlimo",
                          MB_OK | MB_ICONINFORMATION);
}

// ============================================================ navigator

void TBkOrlimoComposite::SetNavigatorMessage(std::int32_t Value) {
  if (Value == GetNavigatorMessage()) return;
  FMsgs->SetNavigatorMessage(Value);
  SetNavigatorGlyph();
  CheckNavMsgsMenuItem(Value);
}

void TBkOrlimoComposite::SetNavigatorGlyph() {
  static const char* const Glyphs[9] = {"BKORLIMO_NAV_INFO",       "BKORLIMO_NAV_WARNING",  "BKORLIMO_NAV_ERROR",
                                        "BKORLIMO_NAV_CHECKPOINT", "BKORLIMO_NAV_OBJECT",   "BKORLIMO_NAV_STREAM",
                                        "BKORLIMO_NAV_STRINGLIST", "BKORLIMO_NAV_PROPERTY", "BKORLIMO_NAV_NOTE"};
  const std::int32_t Kind = GetNavigatorMessage();
  if (!IsNavigableKind(Kind)) return;  // no glyph for it: the button keeps its picture
  try {
    FBtnNavMsg->LoadGlyph(BkLxStr::ResourceModule(), Glyphs[Kind]);
    FBtnNavMsg->SetNumGlyphs(1);
  } catch (const EResNotFound&) {
    // a missing picture leaves the glyph as it was
  }
}

void TBkOrlimoComposite::CheckNavMsgsMenuItem(std::int32_t Position) {
  TMenuItem* Items = FMnuNavMsg->GetItems();
  if (Position >= 0 && Position < Items->GetCount()) Items->GetItem(Position)->SetChecked(true);
}

void TBkOrlimoComposite::NavMsgMenuClick(TObject* Sender) {
  auto* Item = dynamic_cast<TMenuItem*>(Sender);
  if (!Item) return;
  SetNavigatorMessage(static_cast<std::int32_t>(Item->GetTag()));
  CheckNavMsgsMenuItem(GetNavigatorMessage());
  if (FMsgs->Count() > 0) LstMsgsClick();
}

void TBkOrlimoComposite::SelectNavigatorMessage() { CommandNotAvailable("Select Navigator Message"); }

void TBkOrlimoComposite::JumpToMessage(std::int32_t Command) {
  const std::int32_t Count = FMsgs->Count();
  if (Count == 0) return;
  FLstMsgs->ClearSelection();
  const std::int32_t Kind = GetNavigatorMessage();
  const std::int32_t Last = Count - 1;
  const std::int32_t Current = FLstMsgs->GetItemIndex();
  auto IsKind = [&](std::int32_t I) { return FMsgs->GetItemMsgInfo(I).MsgType() == Kind; };
  auto Down = [&](std::int32_t From) {
    for (std::int32_t I = std::max(From, 0); I <= Last; ++I)
      if (IsKind(I)) return I;
    return std::int32_t{-1};
  };
  auto Up = [&](std::int32_t From) {
    for (std::int32_t I = std::min(From, Last); I >= 0; --I)
      if (IsKind(I)) return I;
    return std::int32_t{-1};
  };
  // Older messages are higher up when new ones go to the end.
  const std::int32_t StartDown = Current < 0 ? 0 : Current + 1;
  const std::int32_t StartUp = Current < 0 ? Last : std::max(Current - 1, 0);
  const bool AtEnd = FMsgs->GetInsertAtEnd();
  std::int32_t Match = -1;
  switch (Command) {
    case 0: Match = AtEnd ? Down(0) : Up(Last); break;
    case 1: Match = AtEnd ? Up(StartUp) : (StartDown > Last ? -1 : Down(StartDown)); break;
    case 2: Match = AtEnd ? (StartDown > Last ? -1 : Down(StartDown)) : Up(StartUp); break;
    case 3: Match = AtEnd ? Up(Last) : Down(0); break;
    default: break;
  }
  if (Match >= 0) {
    FLstMsgs->SetTopIndex(Match);
    FLstMsgs->SetCaretIndex(Match);
    FLstMsgs->SetSelected(Match, true);
  }
  LstMsgsClick();
}

void TBkOrlimoComposite::UpdateNavButtons() {
  const std::int32_t Count = FMsgs->Count();
  if (Count == 0) {
    FNavEnabled = {};
  } else if (const std::int32_t Current = FLstMsgs->GetItemIndex(); Current >= 0 && Current < Count) {
    const std::int32_t Kind = GetNavigatorMessage();
    bool Above = false, Below = false;
    for (std::int32_t I = 0; I < Current && !Above; ++I) Above = FMsgs->GetItemMsgInfo(I).MsgType() == Kind;
    for (std::int32_t I = Current + 1; I < Count && !Below; ++I) Below = FMsgs->GetItemMsgInfo(I).MsgType() == Kind;
    const bool Older = FMsgs->GetInsertAtEnd() ? Above : Below;
    const bool Newer = FMsgs->GetInsertAtEnd() ? Below : Above;
    FNavEnabled = {Older, Older, Newer, Newer};
  }
  ApplyNavButtons();
  DoUpdateNav();
}

void TBkOrlimoComposite::ApplyNavButtons() {
  FBtnFirst->SetEnabled(FNavEnabled[nvFirst]);
  FBtnPrev->SetEnabled(FNavEnabled[nvPrev]);
  FBtnNext->SetEnabled(FNavEnabled[nvNext]);
  FBtnLast->SetEnabled(FNavEnabled[nvLast]);
}

// ============================================================ buttons and menus

void TBkOrlimoComposite::MethodMatchClick() {
  if (!(KeyboardShiftState() & ssShift)) {
    FindMatchingMethod();
    return;
  }
  // With Shift both ends of the method end up selected.
  const std::int32_t Remembered = FLstMsgs->GetItemIndex();
  FindMatchingMethod();
  if (Remembered >= 0 && Remembered < FMsgs->Count()) FLstMsgs->SetSelected(Remembered, true);
  UpdateStatus();
}

void TBkOrlimoComposite::PopupMenuClick(TObject* Sender) {
  auto* Item = dynamic_cast<TMenuItem*>(Sender);
  if (!Item) return;
  switch (Item->GetTag()) {
    case 1: CopyToClipboard(); break;
    case 2: SelectAll(); break;
    case 3: DeleteSelectedItems(); break;
    case 4: ResetIndentLevel(); break;
    case 5: InsertNote(); break;
    case 6: InsertSeparator("", static_cast<std::int32_t>(GetTickCount())); break;
    case 7: Find(); break;
    case 8: FindNext(false); break;
    case 9: FindCurrentMethod(); break;
    case 10: OpenMessageLog(); break;
    case 11: SaveMessages(); break;
    case 12: Print(); break;
    case 13: ChangePreferences(); break;
    case 14: InvokeHelpContents(); break;
    case 15: DisplayAboutBox(); break;
    default: break;
  }
}

// ============================================================ still to come

void TBkOrlimoComposite::Find() { CommandNotAvailable("Find"); }
void TBkOrlimoComposite::FindNext(bool) { CommandNotAvailable("Find Next"); }
void TBkOrlimoComposite::FindMatchingMethod() { CommandNotAvailable("Find Matching Method"); }
void TBkOrlimoComposite::FindCurrentMethod() { CommandNotAvailable("Find Current Method"); }
void TBkOrlimoComposite::OpenMessageLog() { CommandNotAvailable("Open"); }
void TBkOrlimoComposite::SaveMessages() { CommandNotAvailable("Save"); }
void TBkOrlimoComposite::Print() { CommandNotAvailable("Print"); }
void TBkOrlimoComposite::CopyToClipboard() { CommandNotAvailable("Copy"); }
void TBkOrlimoComposite::CopyAllToClipboard() { CommandNotAvailable("Copy All"); }
void TBkOrlimoComposite::OpenInspectorWindow() { CommandNotAvailable("Open Inspector Window"); }
void TBkOrlimoComposite::ChangePreferences() { CommandNotAvailable("Preferences"); }
