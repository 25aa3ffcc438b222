// Benchmark of saving a list: a log file and a text export of the same list,
// each timed and with the peak memory it needs beyond the list itself.
//
//   files_bench [messages] [file stem]     (defaults: 1000000, files_bench)
//
// The texts average 46 bytes (lengths 30 to 62). Memory is counted through
// the global operator new (CountingNew.h keeps the live and the peak byte
// count); the C library's own file buffer is not in it. For the export
// the peak is set against the size of the text it writes: one copy of the
// text is the goal.
#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <new>
#include <string>
#include <vector>

#include "model/ExportLine.h"
#include "model/LogFile.h"
#include "model/MsgList.h"

#include "CountingNew.h"  // counts the bytes of operator new, and their peak

namespace {

using TClockT = std::chrono::steady_clock;

double Seconds(TClockT::time_point Start) { return std::chrono::duration<double>(TClockT::now() - Start).count(); }

struct TRun {
  double Seconds = 0;
  std::size_t PeakExtra = 0;  // bytes beyond what was live before
};

template <class F>
TRun Measure(F&& Op) {
  const std::size_t Before = CountingNew::Live;
  CountingNew::Peak = CountingNew::Live;
  const auto Start = TClockT::now();
  Op();
  TRun R;
  R.Seconds = Seconds(Start);
  R.PeakExtra = CountingNew::Peak - Before;
  return R;
}

// The median run by time, with the largest peak of all runs.
TRun Summary(std::vector<TRun> Runs) {
  std::size_t Peak = 0;
  for (const TRun& R : Runs) Peak = std::max(Peak, R.PeakExtra);
  std::sort(Runs.begin(), Runs.end(), [](const TRun& A, const TRun& B) { return A.Seconds < B.Seconds; });
  TRun M = Runs[Runs.size() / 2];
  M.PeakExtra = Peak;
  return M;
}

double MB(std::size_t Bytes) { return static_cast<double>(Bytes) / 1048576.0; }

std::size_t FileSize(const std::string& Name) { return ReadFileBytes(Name).Size; }

}  // namespace

int main(int argc, char** argv) {
  const std::int32_t N = argc > 1 ? std::atoi(argv[1]) : 1000000;
  const std::string Stem = argc > 2 ? argv[2] : "files_bench";
  if (N <= 0) {
    std::fprintf(stderr, "usage: files_bench [messages] [file stem]\n");
    return 2;
  }
  const std::string LogName = Stem + ".olx", TextName = Stem + ".txt";
  std::printf("Saving %d messages (%zu-bit build)\n", N, sizeof(void*) * 8);

  TManualClock Clock(1000, 9 * 3600000);
  TOrlimoMsgList L(Clock, "Bench");
  std::size_t TextBytes = 0;
  {
    std::string Text;
    for (std::int32_t I = 0; I < N; ++I) {
      Text = "Order " + std::to_string(I) + " handled by the benchmark worker, all lines checked";
      Text.resize(30 + static_cast<std::size_t>(I % 33), '.');
      TextBytes += Text.size();
      const std::int32_t Kind = I % 50 == 0 ? lxmEnterMethod : I % 50 == 49 ? lxmExitMethod : lxmInfo;
      L.AddMessage(Kind, Text, "BenchClient", "TBenchForm", 1000 + I, std::string_view());
    }
  }
  std::printf("  average text: %.1f bytes; list in memory: %.1f MB (operator new)\n",
              static_cast<double>(TextBytes) / N, MB(CountingNew::Live));

  std::vector<TRun> Log, Export;
  for (int Round = 0; Round < 3; ++Round) {
    Log.push_back(Measure([&] { SaveLogFile(L, LogName); }));
    Export.push_back(Measure([&] {
      SaveTextExport(L, TextName, "Orlimo Message Log - Saved on %s", "3/5/2024 at 2:07 PM",
                     TExportOptions{true, true});
    }));
  }
  const std::size_t LogSize = FileSize(LogName), TextSize = FileSize(TextName);
  const TRun LogRun = Summary(Log), ExportRun = Summary(Export);
  std::printf("  log file:    %.3f s, %.1f MB written, peak memory beyond the list %.3f MB (median of 3)\n",
              LogRun.Seconds, MB(LogSize), MB(LogRun.PeakExtra));
  std::printf("  text export: %.3f s, %.1f MB written, peak memory beyond the list %.1f MB = %.3f x the text\n",
              ExportRun.Seconds, MB(TextSize), MB(ExportRun.PeakExtra),
              static_cast<double>(ExportRun.PeakExtra) / static_cast<double>(TextSize));
  std::printf("  (time stamps and kind labels on; goal: at most one copy of the text)\n");
  std::remove(LogName.c_str());
  std::remove(TextName.c_str());
  return 0;
}
