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

// ============================================================ searches over a filtered view

// The searches of the model, over the shown messages only: the same starts,
// directions and ends (model/Navigator.h), walking the view's indexes.
std::int32_t TBkOrlimoComposite::ShownSearch(std::int32_t From, bool Down,
                                             const std::function<bool(const TOrlimoMsgInfo&)>& Accept) const {
  const std::int32_t N = ShownCount();
  if (From < 0 || From >= N) return -1;
  for (std::int32_t I = From; Down ? I < N : I >= 0; I += Down ? 1 : -1)
    if (Accept(GetItemMsgInfo(I))) return I;
  return -1;
}

std::int32_t TBkOrlimoComposite::ShownNavigatorTarget(std::int32_t Command, std::int32_t Current) const {
  const std::int32_t N = ShownCount();
  if (N == 0 || Command < NavFirst || Command > NavLast) return -1;
  const bool Has = Current >= 0 && Current < N;
  const std::int32_t D = Has ? Current + 1 : 0;
  const std::int32_t U = Has ? std::max(Current - 1, 0) : N - 1;
  const std::int32_t Kind = GetNavigatorMessage();
  auto IsKind = [Kind](const TOrlimoMsgInfo& Info) { return Info.MsgType() == Kind; };
  const bool AtEnd = FMsgs->GetInsertAtEnd();
  switch (Command) {
    case NavFirst: return AtEnd ? ShownSearch(0, true, IsKind) : ShownSearch(N - 1, false, IsKind);
    case NavPrevious: return AtEnd ? ShownSearch(U, false, IsKind) : ShownSearch(D, true, IsKind);
    case NavNext: return AtEnd ? ShownSearch(D, true, IsKind) : ShownSearch(U, false, IsKind);
    default: return AtEnd ? ShownSearch(N - 1, false, IsKind) : ShownSearch(0, true, IsKind);
  }
}

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
  if (ShownCount() > 0) LstMsgsClick();
}

void TBkOrlimoComposite::SelectNavigatorMessage() {
  std::int32_t Kind = GetNavigatorMessage();
  if (SelectNavigatorKind(*this, Kind, [this](std::int32_t K, bool Selected) { return Icon(K, Selected); }))
    SetNavigatorMessage(Kind);
  if (ShownCount() > 0) LstMsgsClick();
}

void TBkOrlimoComposite::JumpToMessage(std::int32_t Command) {
  if (ShownCount() == 0) return;
  const std::int32_t Current = FLstMsgs->GetItemIndex();
  const std::int32_t Match =
      FFiltering ? ShownNavigatorTarget(Command, Current) : NavigatorTarget(*FMsgs, Command, Current);
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
  const std::int32_t Current = FLstMsgs->GetItemIndex();
  if (FFiltering) {
    // Over the shown messages: a walk to the nearest of the kind on each side.
    if (ShownCount() == 0) {
      FNavEnabled = {};
    } else if (Current >= 0 && Current < ShownCount()) {
      const std::int32_t Kind = GetNavigatorMessage();
      auto IsKind = [Kind](const TOrlimoMsgInfo& Info) { return Info.MsgType() == Kind; };
      const bool Below = ShownSearch(Current + 1, true, IsKind) >= 0;
      const bool Above = Current > 0 && ShownSearch(Current - 1, false, IsKind) >= 0;
      const bool Older = FMsgs->GetInsertAtEnd() ? Above : Below;
      const bool Newer = FMsgs->GetInsertAtEnd() ? Below : Above;
      FNavEnabled = {Older, Older, Newer, Newer};
    }
  } else if (const auto States = NavButtonStates(*FMsgs, Current)) {
    FNavEnabled = *States;
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
  if (ShownCount() == 0 || !FFindMatcher) return;  // no find text yet: it would match nothing
  std::int32_t Match;
  if (FFiltering) {
    if (FFindMatcher->Empty()) return;
    const std::int32_t Last = ShownCount() - 1;
    const std::int32_t Current = FLstMsgs->GetItemIndex();
    const std::int32_t Cur = Current >= 0 && Current <= Last ? Current : -1;
    std::int32_t N;
    if (!FirstSearch)
      N = FFindOptions.Forward ? Cur + 1 : Cur - 1;
    else if (FFindOptions.FromCursor)
      N = Cur;
    else
      N = FFindOptions.Forward ? 0 : Last;
    N = std::clamp(N, 0, Last);
    Match = ShownSearch(N, FFindOptions.Forward,
                        [this](const TOrlimoMsgInfo& Info) { return FFindMatcher->Matches(Info.TextData()); });
  } else {
    Match = FindNextPosition(*FMsgs, *FFindMatcher, FFindOptions, FirstSearch, FLstMsgs->GetItemIndex());
  }
  if (Match >= 0) JumpToItem(Match);
}

// ============================================================ method matching

void TBkOrlimoComposite::FindMatchingMethod() {
  if (ShownCount() == 0) return;
  const std::int32_t Current = FLstMsgs->GetItemIndex();
  FLstMsgs->ClearSelection();
  // The partner is found in the list; a filter that hides it finds none.
  const std::int32_t Match = ShownIndexOf(::FindMatchingMethod(*FMsgs, ShownPosition(Current)));
  if (Match >= 0)
    JumpToItem(Match);  // which runs the selection handler
  else
    LstMsgsClick();
}

void TBkOrlimoComposite::FindCurrentMethod() {
  const std::int32_t Match = ShownIndexOf(::FindCurrentMethod(*FMsgs, ShownPosition(FLstMsgs->GetItemIndex())));
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
  if (Remembered >= 0 && Remembered < ShownCount()) FLstMsgs->SetSelected(Remembered, true);
  UpdateStatus();
}
