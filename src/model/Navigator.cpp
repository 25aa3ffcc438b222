#include "model/Navigator.h"

namespace {

bool HasCurrent(const TOrlimoMsgList& List, std::int32_t Current) { return Current >= 0 && Current < List.Count(); }

}  // namespace

std::int32_t NavigatorTarget(const TOrlimoMsgList& List, std::int32_t Command, std::int32_t Current) {
  if (List.Empty() || Command < NavFirst || Command > NavLast) return -1;
  const TMsgKindIndex& Index = List.KindIndex();
  constexpr auto Kind = TMsgKindIndex::TListed::Navigator;
  const std::int32_t Last = List.Count() - 1;
  const bool Cur = HasCurrent(List, Current);
  const std::int32_t StartD = Cur ? Current + 1 : 0;
  const std::int32_t StartU = !Cur ? Last : Current == 0 ? 0 : Current - 1;
  auto Down = [&](std::int32_t From) { return From > Last ? -1 : Index.FirstAtOrAfter(Kind, From); };
  auto Up = [&](std::int32_t From) { return Index.LastAtOrBefore(Kind, From); };
  const bool AtEnd = List.GetInsertAtEnd();
  switch (Command) {
    case NavFirst: return AtEnd ? Down(0) : Up(Last);
    case NavPrevious: return AtEnd ? Up(StartU) : Down(StartD);
    case NavNext: return AtEnd ? Down(StartD) : Up(StartU);
    default: return AtEnd ? Up(Last) : Down(0);
  }
}

std::optional<TNavButtonStates> NavButtonStates(const TOrlimoMsgList& List, std::int32_t Current) {
  if (List.Empty()) return TNavButtonStates{};
  if (!HasCurrent(List, Current)) return std::nullopt;
  const TMsgKindIndex& Index = List.KindIndex();
  constexpr auto Kind = TMsgKindIndex::TListed::Navigator;
  const bool Above = Index.AnyBefore(Kind, Current);
  const bool Below = Index.AnyAfter(Kind, Current);
  const bool Older = List.GetInsertAtEnd() ? Above : Below;
  const bool Newer = List.GetInsertAtEnd() ? Below : Above;
  return TNavButtonStates{Older, Older, Newer, Newer};
}

TNavButtonStates NavButtonsAfterInsertion(TNavButtonStates States, bool InsertAtEnd) {
  if (InsertAtEnd)
    States[NavNext] = States[NavLast] = true;
  else
    States[NavFirst] = States[NavPrevious] = true;
  return States;
}

std::int32_t FindNextPosition(const TOrlimoMsgList& List, const TFindText& Text, const TFindOptions& Options,
                              bool FirstSearch, std::int32_t Current) {
  if (List.Empty() || Text.Empty()) return -1;
  const std::int32_t Last = List.Count() - 1;
  const std::int32_t Cur = HasCurrent(List, Current) ? Current : -1;
  std::int32_t N;
  if (!FirstSearch)
    N = Options.Forward ? Cur + 1 : Cur - 1;
  else if (Options.FromCursor)
    N = Cur;
  else
    N = Options.Forward ? 0 : Last;
  if (N < 0) N = 0;
  if (N > Last) N = Last;
  return List.FindItem(N, Options.Forward, [&Text](const TOrlimoMsgInfo& R) { return Text.Matches(R.TextData()); });
}
