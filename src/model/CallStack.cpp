#include "model/CallStack.h"

namespace {

bool HasCurrent(const TOrlimoMsgList& List, std::int32_t Current) { return Current >= 0 && Current < List.Count(); }

}  // namespace

bool TraverseCallStack(const TOrlimoMsgList& List, std::int32_t Current, std::vector<TCallStackLine>& Lines) {
  if (!HasCurrent(List, Current) || List.Count() < 2) return false;
  const TMsgKindIndex& Index = List.KindIndex();
  Lines.clear();
  Index.CallStack(Current, List.GetInsertAtEnd(), [&](std::int32_t Position) {
    Lines.push_back(TCallStackLine{List.GetItemText(Position), Position});
    return true;
  });
  return true;
}

std::int32_t FindCurrentMethod(const TOrlimoMsgList& List, std::int32_t Current) {
  if (!HasCurrent(List, Current) || List.Count() < 2) return -1;
  std::int32_t Innermost = -1;
  List.KindIndex().CallStack(Current, List.GetInsertAtEnd(), [&](std::int32_t Position) {
    Innermost = Position;
    return false;
  });
  return Innermost;
}

std::int32_t FindMatchingMethod(const TOrlimoMsgList& List, std::int32_t Current) {
  if (!HasCurrent(List, Current)) return -1;
  const TMsgKindIndex& Index = List.KindIndex();
  const TOrlimoMsgInfo& M = List.GetItemMsgInfo(Current);
  if (M.MsgType() == lxmEnterMethod) return Index.NewerExitAtLevel(Current, M.IndentLevel(), List.GetInsertAtEnd());
  return Index.OlderEnterAtLevel(Current, M.IndentLevel(), List.GetInsertAtEnd());
}
