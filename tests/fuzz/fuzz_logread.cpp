// Loads arbitrary bytes as a log file. Whatever loads, saving it and loading
// the saved file again must keep every record (and, after check points are
// renumbered once, give the same file: a fixed point), the load must
// stop exactly at the first record that does not fit, and reading the bytes in
// chunks must give what reading them whole gives.
#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <memory>
#include <string>

#include "model/LogFile.h"
#include "model/MsgList.h"

namespace {

void Check(bool Ok) {
  if (!Ok) std::abort();
}

struct TAlternate : TMsgListObserver {
  int Calls = 0;
  TListFullAnswer ListFull() override { return ++Calls % 2 ? TListFullAnswer::Clear : TListFullAnswer::Ignore; }
};

struct TPieces : TOrlimoLogSource {
  const char* P;
  std::size_t Left;
  std::size_t Step;
  std::size_t Read(void* D, std::size_t N) override {
    N = std::min({N, Left, Step});
    if (N) std::memcpy(D, P, N);
    P += N;
    Left -= N;
    return N;
  }
};

// Loads as the viewer does: when the list is full, the answer decides:
// Clear goes on with the rest of the bytes in the cleared list, Ignore ends
// the load there. Load(From) reads the bytes from offset From on.
template <class F>
TLogLoadResult LoadAll(TOrlimoMsgList& L, TAlternate& Full, F&& Load) {
  std::uint64_t From = 0;
  for (;;) {
    TLogLoadResult R = Load(From);
    R.Offset += From;
    if (!R.Full || Full.ListFull() == TListFullAnswer::Ignore) return R;
    Check(R.Records > 0 || !L.Empty());
    L.Clear();
    From = R.Offset;
  }
}

std::string Save(const TOrlimoMsgList& L) {
  TStringLogSink Sink;
  WriteLog(L, Sink);
  return Sink.Bytes;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* Data, std::size_t Size) {
  std::unique_ptr<char[]> Bytes(new char[Size ? Size : 1]);
  if (Size) std::memcpy(Bytes.get(), Data, Size);
  const bool AtEnd = Size == 0 || (Data[0] & 1) == 0;

  TManualClock Clock;
  TAlternate Full;
  TOrlimoMsgList First(Clock, "Fuzz");
  First.SetObserver(&Full);
  First.SetInsertAtEnd(AtEnd);
  First.SetCapacity(Size > 0 && (Data[0] & 2) ? 3 : 1000);
  const TLogLoadResult R = LoadAll(First, Full, [&](std::uint64_t From) {
    return ReadLog(First, Bytes.get() + From, Size - static_cast<std::size_t>(From));
  });
  Check(R.Offset <= Size);
  Check((R.Stop == TRecordStatus::Ok && !R.Full) == (R.Offset == Size));
  Check(!(R.Full && R.Stop != TRecordStatus::Ok));
  if (R.Offset < Size) {
    TOrlimoRecord Rec;
    Check(DecodeRecord(Bytes.get() + R.Offset, Size - R.Offset, Rec) == R.Stop);
  }

  const std::string Saved = Save(First);

  // The same bytes in chunks, read in pieces of other sizes.
  const std::size_t Chunk = Size > 1 ? 1 + Data[1] % 300 : 1;
  TAlternate Full2;
  TOrlimoMsgList Chunked(Clock, "Fuzz");
  Chunked.SetObserver(&Full2);
  Chunked.SetInsertAtEnd(AtEnd);
  Chunked.SetCapacity(First.GetCapacity());
  const TLogLoadResult RC = LoadAll(Chunked, Full2, [&](std::uint64_t From) {
    TPieces Src;
    Src.P = Bytes.get() + From;
    Src.Left = Size - static_cast<std::size_t>(From);
    Src.Step = Size > 2 ? 1 + Data[2] : 1;
    return ReadLog(Chunked, Src, Chunk);
  });
  Check(RC.Records == R.Records && RC.Stop == R.Stop && RC.Full == R.Full && RC.Offset == R.Offset);
  Check(Save(Chunked) == Saved);
  TOrlimoMsgList Second(Clock, "Fuzz");
  Second.SetInsertAtEnd(AtEnd);
  const TLogLoadResult R2 = ReadLog(Second, Saved.data(), Saved.size());
  Check(R2.Stop == TRecordStatus::Ok && R2.Records == First.Count());
  Check(Second.Count() == First.Count());
  // A check point that a list-full Clear re-inserted keeps the number it was
  // given before the clear, so the first reload may renumber check points;
  // from then on loading and saving is a fixed point.
  const std::string Saved2 = Save(Second);
  TOrlimoMsgList Third(Clock, "Fuzz");
  Third.SetInsertAtEnd(AtEnd);
  const TLogLoadResult R3 = ReadLog(Third, Saved2.data(), Saved2.size());
  Check(R3.Stop == TRecordStatus::Ok && R3.Records == Second.Count());
  Check(Save(Third) == Saved2);
  return 0;
}
