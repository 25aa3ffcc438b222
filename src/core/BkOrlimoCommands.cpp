// The commands of the toolbar and the popup menus: the navigator, the method
// match button, the list's popup menu, and the commands whose dialogs come
// with a later version (they say so instead of doing nothing).
#include "core/BkOrlimo.h"

#include "core/BkLxStr.h"

#include "model/Navigator.h"
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
  if (FMsgs->Count() == 0) return;
  const std::int32_t Match = NavigatorTarget(*FMsgs, Command, FLstMsgs->GetItemIndex());
  FLstMsgs->ClearSelection();
  if (Match >= 0) {
    FLstMsgs->SetTopIndex(Match);
    FLstMsgs->SetCaretIndex(Match);
    FLstMsgs->SetSelected(Match, true);
  }
  LstMsgsClick();
}

void TBkOrlimoComposite::UpdateNavButtons() {
  // The model keeps the navigator kind's positions: no walk of the list per click.
  if (const auto States = NavButtonStates(*FMsgs, FLstMsgs->GetItemIndex())) FNavEnabled = *States;
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
void TBkOrlimoComposite::MessageFontChanged() {}
void TBkOrlimoComposite::ObjectFontChanged() {}
void TBkOrlimoComposite::StreamFontChanged() {}
void TBkOrlimoComposite::OpenInspectorWindow() { CommandNotAvailable("Open Inspector Window"); }
