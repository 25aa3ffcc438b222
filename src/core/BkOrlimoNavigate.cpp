// Moving through the list: the navigator (its kind, glyph, menu, dialog,
// jumps and button states), find and find next, and method matching. The
// searches themselves are the model's (model/Navigator.h, model/CallStack.h);
// here they select, scroll and notify.
#include "core/BkOrlimo.h"

#include "core/BkLxStr.h"
#include "core/LxFndFrm.h"
#include "core/LxNavFrm.h"

#include "platform/PlatformExcept.h"

namespace {

// Upper case as the system's code page has it, for find.
const TUpperCaseTable& SystemUpperCaseTable() {
  static const TUpperCaseTable Table = [] {
    std::array<char, 256> Bytes{};
    for (std::size_t I = 0; I < Bytes.size(); ++I) Bytes[I] = static_cast<char>(I);
    CharUpperBuffA(Bytes.data() + 1, 255);  // the NUL stays itself
    TUpperCaseTable T{};
    for (std::size_t I = 0; I < T.size(); ++I) T[I] = static_cast<unsigned char>(Bytes[I]);
    return T;
  }();
  return Table;
}

}  // namespace

// ============================================================ navigator

void TBkOrlimoComposite::SetNavigatorMessage(std::int32_t Value) {
  if (Value == GetNavigatorMessage()) return;
  FMsgs->SetNavigatorMessage(Value);  // a kind outside 0..8 is refused: the current one stays
  if (GetNavigatorMessage() != Value) return;
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

void TBkOrlimoComposite::SelectNavigatorMessage() {
  std::int32_t Kind = GetNavigatorMessage();
  if (SelectNavigatorKind(*this, Kind, [this](std::int32_t K, bool Selected) { return Icon(K, Selected); }))
    SetNavigatorMessage(Kind);
  if (FMsgs->Count() > 0) LstMsgsClick();
}

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

// ============================================================ find

void TBkOrlimoComposite::SetFindSettings(const std::string& Text, const TFindOptions& Options) {
  FFindOptions = Options;
  if (FFindMatcher && Text == FFindText) return;
  FFindText = Text;
  FFindMatcher = std::make_unique<TFindText>(FFindText, SystemUpperCaseTable());
}

void TBkOrlimoComposite::Find() {
  std::string Text = FFindText;
  TFindOptions Options = FFindOptions;
  if (!AskFindText(*this, Text, Options)) return;
  SetFindSettings(Text, Options);
  FindNext(true);
}

void TBkOrlimoComposite::FindNext(bool FirstSearch) {
  if (FMsgs->Count() == 0 || !FFindMatcher) return;  // no find text yet: it would match nothing
  const std::int32_t Match =
      FindNextPosition(*FMsgs, *FFindMatcher, FFindOptions, FirstSearch, FLstMsgs->GetItemIndex());
  if (Match >= 0) JumpToItem(Match);
}

// ============================================================ method matching

void TBkOrlimoComposite::FindMatchingMethod() {
  if (FMsgs->Count() == 0) return;
  const std::int32_t Current = FLstMsgs->GetItemIndex();
  FLstMsgs->ClearSelection();
  const std::int32_t Match = ::FindMatchingMethod(*FMsgs, Current);
  if (Match >= 0)
    JumpToItem(Match);  // which runs the selection handler
  else
    LstMsgsClick();
}

void TBkOrlimoComposite::FindCurrentMethod() {
  const std::int32_t Match = ::FindCurrentMethod(*FMsgs, FLstMsgs->GetItemIndex());
  if (Match >= 0) JumpToItem(Match);
}

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
