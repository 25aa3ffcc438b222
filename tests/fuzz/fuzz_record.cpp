// Decodes arbitrary bytes as a received record. A record that decodes must lie
// within the bytes, list like a received message and survive a log round trip.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <memory>
#include <string>

#include "model/MsgList.h"
#include "model/OrlimoRecord.h"

namespace {

void Check(bool Ok) {
  if (!Ok) std::abort();
}

bool Inside(std::string_view V, const std::uint8_t* Data, std::size_t Size) {
  const auto* P = reinterpret_cast<const std::uint8_t*>(V.data());
  return V.empty() || (P >= Data && P + V.size() <= Data + Size);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* Data, std::size_t Size) {
  // Copy so that any read past the bytes is caught exactly.
  std::unique_ptr<std::uint8_t[]> Bytes(new std::uint8_t[Size]);
  if (Size) std::memcpy(Bytes.get(), Data, Size);

  TOrlimoRecord R;
  const TRecordStatus S = DecodeRecord(Bytes.get(), Size, R);
  if (S != TRecordStatus::Ok) return 0;
  Check(R.Size <= Size && R.Size >= OrlimoHeaderSize);
  Check(Inside(R.Text, Bytes.get(), Size) && Inside(R.Details, Bytes.get(), Size));
  Check(R.AppName.size() <= OrlimoAppNameField && R.TypeName.size() <= OrlimoTypeNameField);
  Check(R.Text.size() <= static_cast<std::size_t>(R.TextLen));

  TManualClock Clock;
  TOrlimoMsgList List(Clock, "Fuzz");
  List.SetInsertSeparatorOnWakeUp(true);
  List.ProcessMessage(R);
  Check(List.Count() == 1);
  const TOrlimoMsgInfo& Info = List.GetItemMsgInfo(0);
  Check(Info.TickCount() == R.TickCount);
  if (R.Kind != lxmCheckPoint && R.Kind != lxmSeparator) {
    Check(Info.Text() == R.Text && Info.TypeName() == R.TypeName && Info.AppName() == R.AppName);
    Check(Info.Details().Present());
  }

  // Log record of the item and back.
  std::string Log;
  BuildLogRecord(Log, Info);
  TOrlimoRecord Back;
  Check(DecodeRecord(Log.data(), Log.size(), Back) == TRecordStatus::Ok);
  Check(Back.Size == Log.size() && Back.Kind == Info.MsgType() && Back.Text == Info.Text());
  Check(SplitDetails(Back.Details) == SplitDetails(R.Details) || R.Kind == lxmCheckPoint || R.Kind == lxmSeparator);
  return 0;
}
