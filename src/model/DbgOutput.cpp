#include "model/DbgOutput.h"

#include <algorithm>
#include <utility>

#include "model/OrlimoMsg.h"
#include "model/OrlimoRecord.h"

namespace {

// Names are cut like any name of a record: to the field less its NUL.
constexpr std::size_t DbgNameMax = OrlimoAppNameField - 1;

bool Elapsed(std::int32_t Since, std::int32_t Now) {
  const auto Diff = static_cast<std::int32_t>(static_cast<std::uint32_t>(Now) - static_cast<std::uint32_t>(Since));
  return Diff >= DbgHoldDelay;
}

}  // namespace

void TDbgLineSplitter::Emit(std::uint32_t ProcessId, THeld& Held, std::vector<TDbgLine>& Out) {
  TDbgLine Line;
  Line.ProcessId = ProcessId;
  Line.TickCount = Held.FirstTick;
  Line.Text = std::move(Held.Text);
  Line.AppName = std::move(Held.AppName);
  Out.push_back(std::move(Line));
}

void TDbgLineSplitter::Feed(const TDbgWrite& Write, std::vector<TDbgLine>& Out) {
  std::string_view Rest = Write.Text;
  auto Held = FHeld.find(Write.ProcessId);
  while (!Rest.empty()) {
    const std::size_t Lf = Rest.find('\n');
    if (Lf == std::string_view::npos) break;
    std::string_view Part = Rest.substr(0, Lf);
    Rest.remove_prefix(Lf + 1);
    TDbgLine Line;
    Line.ProcessId = Write.ProcessId;
    if (Held != FHeld.end()) {
      Line.TickCount = Held->second.FirstTick;
      Line.Text = std::move(Held->second.Text);
      FHeld.erase(Held);
      Held = FHeld.end();
    } else {
      Line.TickCount = Write.TickCount;
    }
    Line.Text.append(Part);
    // The CR may have ended the held part.
    if (!Line.Text.empty() && Line.Text.back() == '\r') Line.Text.pop_back();
    Line.AppName = Write.AppName;
    Out.push_back(std::move(Line));
  }
  if (Rest.empty()) return;
  if (Held == FHeld.end()) {
    THeld New;
    New.FirstTick = Write.TickCount;
    New.Order = FNextOrder++;
    Held = FHeld.emplace(Write.ProcessId, std::move(New)).first;
  }
  Held->second.Text.append(Rest);
  Held->second.AppName = Write.AppName;
  Held->second.LastTick = Write.TickCount;
}

std::vector<std::uint32_t> TDbgLineSplitter::HeldProcesses() const {
  std::vector<std::pair<std::uint64_t, std::uint32_t>> Order;
  Order.reserve(FHeld.size());
  for (const auto& [Pid, Held] : FHeld) Order.emplace_back(Held.Order, Pid);
  std::sort(Order.begin(), Order.end());
  std::vector<std::uint32_t> Result;
  Result.reserve(Order.size());
  for (const auto& Entry : Order) Result.push_back(Entry.second);
  return Result;
}

void TDbgLineSplitter::FlushIdle(std::int32_t Now, std::vector<TDbgLine>& Out) {
  for (std::uint32_t Pid : HeldProcesses()) {
    auto It = FHeld.find(Pid);
    if (!Elapsed(It->second.LastTick, Now)) continue;
    Emit(Pid, It->second, Out);
    FHeld.erase(It);
  }
}

void TDbgLineSplitter::FlushProcess(std::uint32_t ProcessId, std::vector<TDbgLine>& Out) {
  auto It = FHeld.find(ProcessId);
  if (It == FHeld.end()) return;
  Emit(ProcessId, It->second, Out);
  FHeld.erase(It);
}

void TDbgLineSplitter::FlushAll(std::vector<TDbgLine>& Out) {
  for (std::uint32_t Pid : HeldProcesses()) FlushProcess(Pid, Out);
}

std::string DbgProcessText(std::uint32_t ProcessId) { return "PID " + std::to_string(ProcessId); }

std::string DbgImageName(std::string_view ImagePath, std::uint32_t ProcessId) {
  const std::size_t Slash = ImagePath.find_last_of("\\/");
  std::string_view Name = Slash == std::string_view::npos ? ImagePath : ImagePath.substr(Slash + 1);
  if (Name.empty()) return DbgProcessText(ProcessId);
  return std::string(Name.substr(0, DbgNameMax));
}

std::string BuildDbgRecord(const TDbgLine& Line) {
  const std::string Type = DbgProcessText(Line.ProcessId);
  const std::string_view App = Line.AppName.empty() ? std::string_view(Type) : std::string_view(Line.AppName);
  return BuildClientRecord(lxmInfo, Line.TickCount, Line.Text, std::string_view(), App.substr(0, DbgNameMax), Type);
}

TDbgNameCache::TDbgNameCache(TLookup Lookup, std::size_t Capacity)
    : FLookup(std::move(Lookup)), FCapacity(std::max<std::size_t>(Capacity, 1)) {}

const std::string& TDbgNameCache::Name(std::uint32_t ProcessId) {
  auto It = FNames.find(ProcessId);
  if (It != FNames.end()) return It->second;
  if (FNames.size() >= FCapacity) FNames.clear();
  std::optional<std::string> Path = FLookup ? FLookup(ProcessId) : std::nullopt;
  std::string Name = Path ? DbgImageName(*Path, ProcessId) : DbgProcessText(ProcessId);
  return FNames.emplace(ProcessId, std::move(Name)).first->second;
}

void TDbgNameCache::Forget(std::uint32_t ProcessId) { FNames.erase(ProcessId); }

TDbgQueue::TDbgQueue(std::size_t MaxWrites, std::size_t MaxBytes) : FMaxWrites(MaxWrites), FMaxBytes(MaxBytes) {}

bool TDbgQueue::Push(TDbgWrite&& Write) {
  const std::lock_guard<std::mutex> Guard(FLock);
  const bool WasEmpty = FWrites.empty() && FDropped == 0;
  if (FWrites.size() >= FMaxWrites || FBytes + Write.Text.size() > FMaxBytes) {
    ++FDropped;
  } else {
    FBytes += Write.Text.size();
    FWrites.push_back(std::move(Write));
  }
  return WasEmpty;
}

TDbgQueue::TBatch TDbgQueue::Take() {
  TBatch Batch;
  const std::lock_guard<std::mutex> Guard(FLock);
  Batch.Writes.swap(FWrites);
  Batch.Dropped = FDropped;
  FDropped = 0;
  FBytes = 0;
  return Batch;
}

bool TDbgQueue::Empty() const {
  const std::lock_guard<std::mutex> Guard(FLock);
  return FWrites.empty() && FDropped == 0;
}

std::string DbgDroppedText(std::uint64_t Dropped) {
  return "Debug output: " + std::to_string(Dropped) + " write" + (Dropped == 1 ? "" : "s") +
         " dropped while the viewer was busy";
}
