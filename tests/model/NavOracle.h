// Brute-force versions of the navigator, find, call-stack and method-matching
// searches: item by item over the list, exactly as the rules read. The tests
// compare the indexed searches with these.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "model/MsgList.h"
#include "model/Navigator.h"

namespace oracle {

inline std::int32_t Kind(const TOrlimoMsgList& L, std::int32_t P) { return L.GetItemMsgInfo(P).MsgType(); }
inline std::int32_t Level(const TOrlimoMsgList& L, std::int32_t P) { return L.GetItemMsgInfo(P).IndentLevel(); }
inline bool Valid(const TOrlimoMsgList& L, std::int32_t P) { return P >= 0 && P < L.Count(); }

inline std::int32_t SearchDown(const TOrlimoMsgList& L, std::int32_t From, std::int32_t K) {
  for (std::int32_t P = From; P < L.Count(); ++P)
    if (Kind(L, P) == K) return P;
  return -1;
}
inline std::int32_t SearchUp(const TOrlimoMsgList& L, std::int32_t From, std::int32_t K) {
  for (std::int32_t P = From; P >= 0; --P)
    if (Kind(L, P) == K) return P;
  return -1;
}

inline std::int32_t NavigatorTarget(const TOrlimoMsgList& L, std::int32_t Command, std::int32_t Cur) {
  if (L.Empty()) return -1;
  if (!Valid(L, Cur)) Cur = -1;
  const std::int32_t K = L.GetNavigatorMessage(), Last = L.Count() - 1;
  const std::int32_t D = Cur == -1 ? 0 : Cur + 1;
  const std::int32_t U = Cur == -1 ? Last : Cur == 0 ? 0 : Cur - 1;
  const bool E = L.GetInsertAtEnd();
  switch (Command) {
    case 0: return E ? SearchDown(L, 0, K) : SearchUp(L, Last, K);
    case 1: return E ? SearchUp(L, U, K) : SearchDown(L, D, K);
    case 2: return E ? SearchDown(L, D, K) : SearchUp(L, U, K);
    case 3: return E ? SearchUp(L, Last, K) : SearchDown(L, 0, K);
    default: return -1;
  }
}

inline std::optional<TNavButtonStates> NavButtonStates(const TOrlimoMsgList& L, std::int32_t Cur) {
  if (L.Empty()) return TNavButtonStates{};
  if (!Valid(L, Cur)) return std::nullopt;
  bool Above = false, Below = false;
  for (std::int32_t P = 0; P < L.Count(); ++P) {
    if (Kind(L, P) != L.GetNavigatorMessage()) continue;
    if (P < Cur) Above = true;
    if (P > Cur) Below = true;
  }
  const bool Older = L.GetInsertAtEnd() ? Above : Below, Newer = L.GetInsertAtEnd() ? Below : Above;
  return TNavButtonStates{Older, Older, Newer, Newer};
}

inline std::string Upper(std::string_view S) {
  std::string U(S);
  for (char& C : U) C = static_cast<char>(AnsiUpperCaseTable()[static_cast<unsigned char>(C)]);
  return U;
}

inline std::int32_t FindNext(const TOrlimoMsgList& L, const std::string& Text, bool Forward, bool FromCursor,
                             bool First, std::int32_t Cur) {
  if (L.Empty() || Text.empty()) return -1;
  if (!Valid(L, Cur)) Cur = -1;
  const std::int32_t Last = L.Count() - 1;
  std::int32_t N = !First ? (Forward ? Cur + 1 : Cur - 1) : FromCursor ? Cur : Forward ? 0 : Last;
  N = N < 0 ? 0 : N > Last ? Last : N;
  const std::string U = Upper(Text);
  for (std::int32_t P = N; P >= 0 && P <= Last; P += Forward ? 1 : -1)
    if (Upper(L.GetItemText(P)).find(U) != std::string::npos) return P;
  return -1;
}

// The call-stack walk item by item: the positions, innermost first; nullopt
// when the list is left as it was.
inline std::optional<std::vector<std::int32_t>> CallStack(const TOrlimoMsgList& L, std::int32_t Cur) {
  if (!Valid(L, Cur) || L.Count() < 2) return std::nullopt;
  std::vector<std::int32_t> Out;
  std::int64_t W = Level(L, Cur);
  const bool E = L.GetInsertAtEnd();
  for (std::int32_t I = Cur; I >= 0 && I < L.Count(); I += E ? -1 : 1) {
    if (Kind(L, I) == lxmEnterMethod && Level(L, I) < W) {
      Out.push_back(I);
      --W;
      if (Level(L, I) == 0) break;
    }
  }
  return Out;
}

inline std::int32_t FindMatchingMethod(const TOrlimoMsgList& L, std::int32_t Cur) {
  if (!Valid(L, Cur)) return -1;
  const std::int32_t Lv = Level(L, Cur);
  const bool Enter = Kind(L, Cur) == lxmEnterMethod;
  const std::int32_t Want = Enter ? lxmExitMethod : lxmEnterMethod;
  const std::int32_t Step = (Enter == L.GetInsertAtEnd()) ? 1 : -1;
  for (std::int32_t I = Cur; I >= 0 && I < L.Count(); I += Step)
    if (Kind(L, I) == Want && Level(L, I) == Lv) return I;
  return -1;
}

}  // namespace oracle
