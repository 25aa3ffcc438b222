// Arbitrary bytes as a run of changes to a message list (messages of any kind
// and text at either end or in the middle, deletions, reverses, clears, reset
// indent levels, navigator kinds of any value) and a find text. After the run,
// every search over the list must agree with the item-by-item walk.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>
#include <vector>

#include "../model/NavOracle.h"
#include "model/CallStack.h"
#include "model/MsgList.h"
#include "model/Navigator.h"

namespace {

void Check(bool Ok) {
  if (!Ok) std::abort();
}

class TReader {
public:
  TReader(const std::uint8_t* Data, std::size_t Size) : FData(Data), FSize(Size) {}
  bool More() const { return FPos < FSize; }
  std::uint8_t Byte() { return FPos < FSize ? FData[FPos++] : 0; }
  std::string Text() {
    const std::size_t N = Byte() % 24;
    std::string S;
    for (std::size_t I = 0; I < N && More(); ++I) S += static_cast<char>(Byte());
    return S;
  }

private:
  const std::uint8_t* FData;
  std::size_t FSize;
  std::size_t FPos = 0;
};

void CheckSearches(const TOrlimoMsgList& L, const std::string& FindText) {
  const TFindText Find(FindText);
  const std::int32_t N = L.Count();
  for (std::int32_t Cur = -1; Cur <= N; ++Cur) {
    for (std::int32_t C = NavFirst; C <= NavLast; ++C)
      Check(NavigatorTarget(L, C, Cur) == oracle::NavigatorTarget(L, C, Cur));
    Check(NavButtonStates(L, Cur) == oracle::NavButtonStates(L, Cur));
    Check(FindMatchingMethod(L, Cur) == oracle::FindMatchingMethod(L, Cur));
    std::vector<TCallStackLine> Lines;
    const auto Want = oracle::CallStack(L, Cur);
    Check(TraverseCallStack(L, Cur, Lines) == Want.has_value());
    if (Want) {
      Check(Lines.size() == Want->size());
      for (std::size_t I = 0; I < Lines.size(); ++I) Check(Lines[I].Position == (*Want)[I]);
    }
    for (int F = 0; F < 8; ++F) {
      const TFindOptions O{(F & 1) != 0, (F & 2) != 0};
      Check(FindNextPosition(L, Find, O, (F & 4) != 0, Cur) ==
            oracle::FindNext(L, FindText, O.Forward, O.FromCursor, (F & 4) != 0, Cur));
    }
  }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* Data, std::size_t Size) {
  TReader R(Data, Size);
  TManualClock Clock(0, 0);
  TOrlimoMsgList L(Clock, "Fuzz");
  L.SetCapacity(300);
  const std::string FindText = R.Text();
  int Steps = 0;
  while (R.More() && Steps++ < 400) {
    const std::uint8_t Op = R.Byte();
    const std::int32_t At = L.Count() == 0 ? 0 : R.Byte() % (L.Count() + 1);
    switch (Op % 10) {
      case 0: L.SetInsertAtEnd(!L.GetInsertAtEnd()); break;
      case 1: L.Reverse(); break;
      case 2: L.InsertMessage(At, static_cast<std::int8_t>(R.Byte()) % 14, R.Text(), "A", "", 0, {}); break;
      case 3: L.DeleteIf([&](std::int32_t P) { return (P + At) % 3 == 0; }); break;
      case 4: (R.Byte() % 8 == 0) ? L.Clear() : L.ResetIndentLevel(); break;
      case 5: L.SetNavigatorMessage(static_cast<std::int8_t>(R.Byte()) % 12); break;
      case 6: L.InsertNote(At - 1); break;
      default: L.AddMessage(static_cast<std::int8_t>(R.Byte()) % 14, R.Text(), "A", "", 0, {}); break;
    }
    if (Op & 0x80) CheckSearches(L, FindText);
  }
  CheckSearches(L, FindText);
  return 0;
}
