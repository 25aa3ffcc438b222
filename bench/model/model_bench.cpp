// Benchmark of the message list model: insertion at both ends, memory per
// message, and writing and loading a log file against reading its bytes alone.
//
//   model_bench [messages] [log file]     (defaults: 1000000, model_bench.olx)
//
// Memory is measured two ways, both as the growth while the messages are
// added, minus the text bytes, divided by the number of messages:
//  - "operator new": bytes requested through the global operator new and not
//    yet deleted (counted by CountingNew.h; excludes the C heap's own
//    per-block overhead);
//  - "heap (mallinfo2)": the C heap's bytes in use, its overhead included
//    (glibc only).
//
// Loading is compared with two ways of reading the file's bytes alone: into
// one buffer of the file's size (the simple loader's first step), and in the
// loader's own 1 MB chunks (the bare cost of getting the bytes; the rest of the
// load is decoding and building the list). Each stage is then timed alone: the
// load runs them on two threads, so half their sum is the least it can take.
#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <new>
#include <string>
#include <vector>

#if defined(__GLIBC__)
#include <malloc.h>
#endif

#include "model/LogFile.h"
#include "model/MsgList.h"

#include "CountingNew.h"  // counts the bytes of operator new

namespace {

using TClockT = std::chrono::steady_clock;

double Seconds(TClockT::time_point Start) { return std::chrono::duration<double>(TClockT::now() - Start).count(); }

std::size_t HeapInUse() {
#if defined(__GLIBC__) && (__GLIBC__ > 2 || (__GLIBC__ == 2 && __GLIBC_MINOR__ >= 33))
  const struct mallinfo2 M = mallinfo2();
  return M.uordblks + M.hblkhd;
#else
  return 0;
#endif
}

struct TSample {
  std::vector<std::string> Texts;
  std::size_t TextBytes = 0;
};

TSample MakeTexts(std::int32_t N) {
  TSample S;
  S.Texts.reserve(static_cast<std::size_t>(N));
  for (std::int32_t I = 0; I < N; ++I) {
    S.Texts.push_back("Processing order " + std::to_string(I) + " of the benchmark queue");
    S.TextBytes += S.Texts.back().size();
  }
  return S;
}

double Median(std::vector<double> V) {
  std::sort(V.begin(), V.end());
  return V[V.size() / 2];
}

// Reads the file in the loader's way (1 MB chunks into one buffer), nothing else.
std::size_t ReadInChunks(const std::string& Name) {
  std::FILE* F = std::fopen(Name.c_str(), "rb");
  if (!F) return 0;
  std::setvbuf(F, nullptr, _IONBF, 0);
  std::vector<char> Buf(1 << 20);
  std::size_t Total = 0, Got;
  while ((Got = std::fread(Buf.data(), 1, Buf.size(), F)) > 0) Total += Got;
  std::fclose(F);
  return Total;
}

// Adds every text as a received Info message (empty details, as from a client).
double Fill(TOrlimoMsgList& L, const TSample& S, TManualClock& Clock) {
  const auto Start = TClockT::now();
  std::int32_t Tick = Clock.TickCount();
  for (const std::string& T : S.Texts)
    L.AddMessage(lxmInfo, T, "BenchClient", "TBenchForm", ++Tick, std::string_view());
  return Seconds(Start);
}

}  // namespace

int main(int argc, char** argv) {
  const std::int32_t N = argc > 1 ? std::atoi(argv[1]) : 1000000;
  const std::string LogName = argc > 2 ? argv[2] : "model_bench.olx";
  if (N <= 0) {
    std::fprintf(stderr, "usage: model_bench [messages] [log file]\n");
    return 2;
  }
  std::printf("Message list model, %d messages (%zu-bit build)\n", N, sizeof(void*) * 8);
  const TSample S = MakeTexts(N);
  const double AvgText = static_cast<double>(S.TextBytes) / N;
  std::printf("  average text: %.1f bytes, application and type names repeat\n", AvgText);

  TManualClock Clock(1000, 0);
  {
    TOrlimoMsgList L(Clock, "Bench");
    L.SetInsertSeparatorOnWakeUp(true);  // the wake-up test runs for every message
    const std::size_t New0 = CountingNew::Live, Heap0 = HeapInUse();
    const double T = Fill(L, S, Clock);
    const double PerNew = (static_cast<double>(CountingNew::Live - New0) - static_cast<double>(S.TextBytes)) / N;
    const double PerHeap = (static_cast<double>(HeapInUse() - Heap0) - static_cast<double>(S.TextBytes)) / N;
    std::printf("  insert at the end: %.3f s, %.0f ns per message\n", T, T * 1e9 / N);
    std::printf("  memory per message beyond its text: %.1f bytes (operator new), ", PerNew);
    if (Heap0 || HeapInUse())
      std::printf("%.1f bytes (heap, mallinfo2)", PerHeap);
    else
      std::printf("heap figure not available");
    std::printf("; goal <= 40\n");
    const TOrlimoRecordMemory M = OrlimoRecordMemory();
    std::printf("  records: %zu live, %.1f MB in slabs\n", M.LiveRecords, M.SlabBytes / 1048576.0);

    // Log file: write, then compare loading with reading the bytes alone.
    auto Start = TClockT::now();
    SaveLogFile(L, LogName);
    const double Write = Seconds(Start);
    const std::size_t FileSize = ReadFileBytes(LogName).Size;
    std::printf("  write log: %.3f s, %.1f MB\n", Write, FileSize / 1048576.0);

    TOrlimoMsgList Loaded(Clock, "Bench");
    std::vector<double> Raw, RawChunks, Load;
    for (int Round = 0; Round < 5; ++Round) {
      Start = TClockT::now();
      {
        const TFileBytes B = ReadFileBytes(LogName);
        if (B.Size != FileSize) return 1;
      }
      Raw.push_back(Seconds(Start));
      Start = TClockT::now();
      if (ReadInChunks(LogName) != FileSize) return 1;
      RawChunks.push_back(Seconds(Start));
      Loaded.Clear();
      Start = TClockT::now();
      const TLogLoadResult R = LoadLogFile(Loaded, LogName);
      Load.push_back(Seconds(Start));
      if (R.Records != N || Loaded.Count() != N) {
        std::fprintf(stderr, "load gave %d records\n", R.Records);
        return 1;
      }
    }
    const double RawMed = Median(Raw), ChunkMed = Median(RawChunks), LoadMed = Median(Load);
    std::printf("  read the bytes alone: %.3f s into one buffer, %.3f s in 1 MB chunks (medians of 5)\n", RawMed,
                ChunkMed);
    std::printf("  load (read in chunks + decode + list): %.3f s\n", LoadMed);
    std::printf("  load / read ratio: %.2f against one buffer, %.2f against chunks (goal <= 1.5)\n", LoadMed / RawMed,
                LoadMed / ChunkMed);

    // The load's stages, each alone on one thread: with two threads the load
    // cannot take less than half their sum, however the work is shared.
    const TFileBytes Bytes = ReadFileBytes(LogName);
    std::vector<TOrlimoRecord> Records;
    std::vector<double> Decode, List;
    for (int Round = 0; Round < 5; ++Round) {
      Records.clear();
      Start = TClockT::now();
      Records.reserve(static_cast<std::size_t>(N));
      for (std::size_t Offset = 0; Offset < Bytes.Size;) {
        Records.emplace_back();
        if (DecodeRecord(Bytes.Data.get() + Offset, Bytes.Size - Offset, Records.back()) != TRecordStatus::Ok) return 1;
        Offset += Records.back().Size;
      }
      Decode.push_back(Seconds(Start));
      Loaded.Clear();
      Start = TClockT::now();
      constexpr std::size_t Batch = 4096;
      for (std::size_t I = 0; I < Records.size(); I += Batch)
        Loaded.LoadRecords(Records.data() + I, std::min(Batch, Records.size() - I));
      List.push_back(Seconds(Start));
      if (Loaded.Count() != N) return 1;
    }
    const double DecodeMed = Median(Decode), ListMed = Median(List);
    const double Floor = (ChunkMed + DecodeMed + ListMed) / 2;
    std::printf(
        "  the load's stages alone: read %.3f s, decode %.3f s, list %.3f s; on two threads at least %.3f s"
        " (%.2f against chunks)\n",
        ChunkMed, DecodeMed, ListMed, Floor, Floor / ChunkMed);
  }
  std::remove(LogName.c_str());
  {
    // With Info as the navigator kind every message also has its position in
    // the list's index of positions by kind.
    TOrlimoMsgList L(Clock, "Bench");
    L.SetNavigatorMessage(lxmInfo);
    // The record pool kept the slabs of the lists above: what it takes from
    // them counts as well.
    const std::size_t New0 = CountingNew::Live, Heap0 = HeapInUse(), Spare0 = OrlimoRecordMemory().SpareBytes;
    Fill(L, S, Clock);
    const double Reused = static_cast<double>(Spare0) - static_cast<double>(OrlimoRecordMemory().SpareBytes);
    const double PerNew =
        (static_cast<double>(CountingNew::Live - New0) + Reused - static_cast<double>(S.TextBytes)) / N;
    const double PerHeap = (static_cast<double>(HeapInUse() - Heap0) + Reused - static_cast<double>(S.TextBytes)) / N;
    std::printf("  the same with Info as the navigator kind: %.1f bytes (operator new), ", PerNew);
    if (Heap0 || HeapInUse())
      std::printf("%.1f bytes (heap, mallinfo2)", PerHeap);
    else
      std::printf("heap figure not available");
    std::printf("; goal <= 40\n");
  }
  {
    TOrlimoMsgList L(Clock, "Bench");
    L.SetInsertAtEnd(false);
    const double T = Fill(L, S, Clock);
    std::printf("  insert at the top: %.3f s, %.0f ns per message\n", T, T * 1e9 / N);
    const auto Start = TClockT::now();
    L.Clear();
    std::printf("  clear: %.3f s\n", Seconds(Start));
  }
  return 0;
}
