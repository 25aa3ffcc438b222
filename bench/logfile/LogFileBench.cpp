// Logging to file with the viewer's own writer and the Win32 files:
//  - appending: the writer's cost per record (building the log record from a
//    list item, buffering, the 64 KB writes), in microseconds;
//  - flushing: the time of one FlushFileBuffers after 0 B, 64 KB, 1 MB and
//    16 MB written since the last one (median and longest of the repeats).
//
//   logfile_bench [records] [folder]     (defaults: 1000000, the temp folder)
#include <windows.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <memory>
#include <string>
#include <vector>

#include "model/LogFile.h"
#include "model/LogWriter.h"
#include "model/OrlimoMsg.h"
#include "model/OrlimoRecord.h"
#include "platform/LogFolder.h"

namespace {

using TClockT = std::chrono::steady_clock;
double Since(TClockT::time_point T) { return std::chrono::duration<double>(TClockT::now() - T).count(); }

std::string TempFolder() {
  char Buf[MAX_PATH];
  const DWORD N = GetTempPathA(MAX_PATH, Buf);
  return N > 0 && N < MAX_PATH ? std::string(Buf, N) : std::string(".\\");
}

// Deletes the files of the log naming in Folder, then the folder.
void RemoveLogs(TWinLogFileSystem& Fs, const std::string& Folder) {
  for (const std::string& Name : Fs.ListNames(Folder))
    if (ParseLogFileName(Name)) Fs.Delete(LogFilePath(Folder, Name));
  RemoveDirectoryA(Folder.c_str());
}

struct TStats {
  double Median = 0, Longest = 0;
};
TStats StatsOf(std::vector<double> V) {
  TStats S;
  if (V.empty()) return S;
  std::sort(V.begin(), V.end());
  S.Median = V[V.size() / 2];
  S.Longest = V.back();
  return S;
}

}  // namespace

int main(int argc, char** argv) {
  const std::int32_t Records = argc > 1 ? std::atoi(argv[1]) : 1000000;
  const std::string Base = argc > 2 ? std::string(argv[2]) : TempFolder();
  const std::string Folder = LogFilePath(Base, "orlimo-logfile-bench");
  TWinLogFileSystem Fs;
  TWinLogWriterClock Clock;
  RemoveLogs(Fs, Folder);

  // The items the list would hold: texts of 30 to 62 bytes, as the model and
  // open benchmarks use.
  std::vector<TOrlimoMsgInfoRef> Items;
  Items.reserve(1000);
  std::string Text;
  for (int I = 0; I < 1000; ++I) {
    Text = "Order " + std::to_string(I) + " handled by the benchmark worker, all lines checked";
    Text.resize(30 + static_cast<std::size_t>(I % 33), '.');
    TOrlimoMsgInfo::TInit Init;
    Init.MsgType = lxmInfo;
    Init.Text = Text;
    Init.AppName = "BenchClient";
    Init.TypeName = "TBenchForm";
    Init.TickCount = 1000 + I;
    Items.push_back(TOrlimoMsgInfo::Create(Init));
  }

  std::printf("logfile: %d records through the writer into %s\n", Records, Folder.c_str());
  {
    TOrlimoLogWriter Writer(Fs, Clock);
    TLogWriterOptions Options;
    Options.Folder = Folder;
    Options.MaxSize = 0;
    Options.Daily = false;
    Writer.Start(Options);
    const auto T0 = TClockT::now();
    for (std::int32_t I = 0; I < Records; ++I) {
      Writer.Append(*Items[static_cast<std::size_t>(I) % Items.size()]);
      if ((I & 1023) == 0) Writer.Tick();
    }
    const double Appending = Since(T0);
    const std::uint64_t Bytes = Writer.FileSize();
    const auto T1 = TClockT::now();
    Writer.Stop();
    const double Stopping = Since(T1);
    std::printf("append: %.3f us per record, %.1f MB/s (%.1f MB in %.2f s); the final write and flush %.1f ms\n",
                Appending * 1e6 / Records, static_cast<double>(Bytes) / 1048576.0 / Appending,
                static_cast<double>(Bytes) / 1048576.0, Appending, Stopping * 1e3);
  }
  RemoveLogs(Fs, Folder);

  // One FlushFileBuffers after so much was written since the last one.
  Fs.CreateFolder(Folder);
  const std::string Path = LogFilePath(Folder, "Orlimo-20000101-000000-0001.olx");
  std::unique_ptr<TLogFileHandle> File = Fs.CreateNew(Path);
  if (!File) {
    std::fprintf(stderr, "logfile_bench: cannot create %s\n", Path.c_str());
    return 1;
  }
  const std::string Chunk(64 * 1024, 'x');
  std::printf("%-12s %12s %12s %8s\n", "written", "median ms", "longest ms", "repeats");
  const struct {
    const char* Name;
    std::size_t Chunks;
    int Repeats;
  } Cases[] = {{"0 B", 0, 20}, {"64 KB", 1, 20}, {"1 MB", 16, 10}, {"16 MB", 256, 5}};
  for (const auto& C : Cases) {
    std::vector<double> Times;
    for (int R = 0; R < C.Repeats; ++R) {
      for (std::size_t I = 0; I < C.Chunks; ++I) File->Write(Chunk.data(), Chunk.size());
      const auto T = TClockT::now();
      File->Flush();
      Times.push_back(Since(T));
    }
    const TStats S = StatsOf(Times);
    std::printf("%-12s %12.3f %12.3f %8d\n", C.Name, S.Median * 1e3, S.Longest * 1e3, C.Repeats);
  }
  File.reset();
  RemoveLogs(Fs, Folder);
  std::printf(
      "(the viewer writes its buffer at 64 KB or after 250 ms and flushes at most every 10 s and at rotation;\n"
      " a flush runs on the GUI thread, so its time is a pause of the list at most once in 10 s)\n");
  return 0;
}
