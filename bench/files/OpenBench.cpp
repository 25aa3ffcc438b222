// Opening, saving and exporting a large log in the running Orlimo.exe, against
// the model's own load of the same file in this process.
//
//   open_bench [messages] [folder]     (defaults: 1000000, the temp folder)
//   open_bench --beyond N [folder]      a log larger than the list, on the command line
//
// It writes a log file of the given number of records (texts of 30 to 62
// bytes), loads it with the model (TOrlimoMsgList + LoadLogFile) three times,
// then starts Orlimo.exe, opens the same file through Ctrl+O and the system's
// file dialog, and times until the status bar counts every message. While the
// viewer loads, this program keeps asking it for a reply (WM_NULL, 5 s limit)
// and whether the system thinks it hangs, and reports the longest wait.
// Then Ctrl+E and a typed text filter the list (the viewer re-filters in
// slices between messages): timed until the status bar counts the shown
// messages, with the longest wait for a reply meanwhile, and Escape clears it.
// Then Ctrl+S saves the list as a log file and as a text export; each is
// timed until its status caption shows, with the viewer's private memory
// before and its peak after (GetProcessMemoryInfo).
// With --beyond, a log of N records (more than the list's 10,000,000) is given
// on the viewer's command line: timed until the list-full question shows after
// the load stopped, with the count the status bar shows then; then the main
// window is closed while the question shows, timed until the program ended,
// with its exit code.
#include <windows.h>

#include <psapi.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

#include "lxsend/LxProcess.h"
#include "lxsend/LxSender.h"
#include "model/LogFile.h"
#include "model/MsgList.h"
#include "model/OrlimoRecord.h"

#include "../../tests/e2e/ViewerWindows.h"

namespace {

using TClockT = std::chrono::steady_clock;
double Since(TClockT::time_point T) { return std::chrono::duration<double>(TClockT::now() - T).count(); }
double MB(std::size_t B) { return static_cast<double>(B) / 1048576.0; }

bool WriteLog(const std::string& Name, std::int32_t N) {
  FILE* F = std::fopen(Name.c_str(), "wb");
  if (!F) return false;
  std::setvbuf(F, nullptr, _IOFBF, 1 << 20);
  std::string Rec, Text;
  for (std::int32_t I = 0; I < N; ++I) {
    Text = "Order " + std::to_string(I) + " handled by the benchmark worker, all lines checked";
    Text.resize(30 + static_cast<std::size_t>(I % 33), '.');
    const std::int32_t Kind = I % 50 == 0 ? lxmEnterMethod : I % 50 == 49 ? lxmExitMethod : lxmInfo;
    EncodeRecord(Rec, Kind, 1000 + I, Text, "", "BenchClient", "TBenchForm");
    std::fwrite(Rec.data(), 1, Rec.size(), F);
  }
  return std::fclose(F) == 0;
}

struct TMemory {
  std::size_t Private = 0, PeakPrivate = 0;
};
TMemory MemoryOf(HANDLE Process) {
  PROCESS_MEMORY_COUNTERS C{};
  C.cb = sizeof C;
  TMemory M;
  if (GetProcessMemoryInfo(Process, &C, sizeof C)) {
    M.Private = C.PagefileUsage;
    M.PeakPrivate = C.PeakPagefileUsage;
  }
  return M;
}

// "1,234,567", as the status bar groups the counts of a filtered list.
std::string Grouped(std::int32_t N) {
  std::string S = std::to_string(N);
  for (int I = static_cast<int>(S.size()) - 3; I > 0; I -= 3) S.insert(static_cast<std::size_t>(I), ",");
  return S;
}

class TViewer {
public:
  bool Start() {
    if (!FProcess.Start(LxQuote(ORLIMO_EXE))) return false;
    FWindow = LxWaitForWindow(FProcess, LxMainClassName, LxMainCaption, 30000);
    FHandle = OpenProcess(PROCESS_QUERY_INFORMATION | PROCESS_VM_READ, FALSE, FProcess.Id());
    return FWindow != nullptr;
  }
  ~TViewer() {
    if (FWindow) PostMessageA(FWindow, WM_CLOSE, 0, 0);
    FProcess.Wait(60000);
    if (FHandle) CloseHandle(FHandle);
  }
  HWND Window() const { return FWindow; }
  HANDLE Handle() const { return FHandle; }
  // Ctrl+Key, then the file dialog answered with Name; the moment of the answer.
  bool FileCommand(char Key, const std::string& Name, TClockT::time_point& Answered) {
    TViewerKeyboard Keys(FWindow);
    HWND Dialog = nullptr;
    {
      THeldKeys Ctrl(Keys, {VK_CONTROL});
      Keys.Type(static_cast<WORD>(Key));
      Dialog = WaitForFileDialog(FWindow, FProcess.Id());
    }
    if (!Dialog) return false;
    Answered = TClockT::now();
    AnswerFileDialog(Dialog, Name);
    return true;
  }
  // Waits for a status pane ending in Suffix with Text; meanwhile the
  // longest time the viewer took to answer a sent message, and whether it
  // was ever reported hung.
  // Without Ping only the viewer's private memory is sampled (its highest
  // value in MaxPrivate): a save does not answer messages until it is done.
  bool WaitForPane(const std::string& Suffix, const std::string& Text, double& LongestReply, bool& Hung,
                   bool Ping = true, std::size_t* MaxPrivate = nullptr) {
    LongestReply = 0;
    Hung = false;
    for (;;) {
      if (Ping) {
        const auto T = TClockT::now();
        DWORD_PTR R = 0;
        if (!SendMessageTimeoutA(FWindow, WM_NULL, 0, 0, SMTO_NORMAL, 5000, &R)) Hung = true;
        LongestReply = std::max(LongestReply, Since(T));
        if (IsHungAppWindow(FWindow)) Hung = true;
      }
      if (MaxPrivate) *MaxPrivate = std::max(*MaxPrivate, MemoryOf(FHandle).Private);
      if (HWND P = FindPane(FWindow, Suffix); P && TextOf(P) == Text) return true;
      if (!FProcess.Running()) return false;
      if (HWND Box = FindBox(FProcess.Id())) {
        std::fprintf(stderr, "the viewer says: %s\n", BoxText(Box).c_str());
        return false;
      }
      Sleep(Ping ? 20 : 2);
    }
  }

private:
  TLxProcess FProcess;
  HWND FWindow = nullptr;
  HANDLE FHandle = nullptr;
};

// The list-full question: a visible window of the process other than its main
// window, with an "&Ignore" button.
struct TQuestionSearch {
  DWORD Pid;
  HWND Main;
  HWND Found = nullptr;
};

BOOL CALLBACK FindQuestionCb(HWND W, LPARAM Data) {
  auto* S = reinterpret_cast<TQuestionSearch*>(Data);
  DWORD Pid = 0;
  GetWindowThreadProcessId(W, &Pid);
  if (Pid != S->Pid || W == S->Main || !IsWindowVisible(W) || !FindChild(W, "&Ignore")) return TRUE;
  S->Found = W;
  return FALSE;
}

int Beyond(std::int32_t N, const std::string& Dir) {
  const std::string Log = Dir + "open_bench_beyond.olx";
  std::printf("A log of %d records on the command line (%zu-bit build)\n", N, sizeof(void*) * 8);
  auto T = TClockT::now();
  if (!WriteLog(Log, N)) {
    std::fprintf(stderr, "cannot write %s\n", Log.c_str());
    return 1;
  }
  WIN32_FILE_ATTRIBUTE_DATA A{};
  GetFileAttributesExA(Log.c_str(), GetFileExInfoStandard, &A);
  const unsigned long long Size = (static_cast<unsigned long long>(A.nFileSizeHigh) << 32) | A.nFileSizeLow;
  std::printf("  log file: %.1f MB, written in %.1f s\n", static_cast<double>(Size) / 1048576.0, Since(T));
  TLxProcess P;
  T = TClockT::now();
  if (!P.Start(LxQuote(ORLIMO_EXE) + " " + LxQuote(Log))) return 1;
  const HWND Main = LxWaitForWindow(P, LxMainClassName, LxMainCaption, 60000);
  TQuestionSearch S{P.Id(), Main};
  while (Main && !S.Found && P.Running() && Since(T) < 600) {
    EnumWindows(FindQuestionCb, reinterpret_cast<LPARAM>(&S));
    if (!S.Found) Sleep(20);
  }
  if (!S.Found) {
    std::fprintf(stderr, "no list-full question appeared\n");
    DeleteFileA(Log.c_str());
    return 1;
  }
  const double Asked = Since(T);
  const HWND Pane = FindPane(Main, "Messages");
  const HANDLE H = OpenProcess(PROCESS_QUERY_INFORMATION | PROCESS_VM_READ, FALSE, P.Id());
  const TMemory M = MemoryOf(H);
  std::printf("  the question showed %.1f s after the start, over \"%s\"; private memory %.1f MB (%.1f B a message)\n",
              Asked, Pane ? TextOf(Pane).c_str() : "?", MB(M.Private), static_cast<double>(M.Private) / 1e7);
  T = TClockT::now();
  PostMessageA(Main, WM_CLOSE, 0, 0);
  const long Code = P.Wait(120000);
  std::printf("  WM_CLOSE to the main window while it asks: the program ended after %.2f s with exit code %ld\n",
              Since(T), Code);
  if (H) CloseHandle(H);
  DeleteFileA(Log.c_str());
  return Code == 0 ? 0 : 1;
}

}  // namespace

int main(int argc, char** argv) {
  if (argc > 2 && std::string(argv[1]) == "--beyond") {
    std::string Dir;
    if (argc > 3) {
      Dir = argv[3];
      if (!Dir.empty() && Dir.back() != '\\') Dir += '\\';
    } else {
      char Tmp[MAX_PATH];
      GetTempPathA(MAX_PATH, Tmp);
      Dir = Tmp;
    }
    return Beyond(std::atoi(argv[2]), Dir);
  }
  const std::int32_t N = argc > 1 ? std::atoi(argv[1]) : 1000000;
  std::string Dir;
  if (argc > 2) {
    Dir = argv[2];
    if (!Dir.empty() && Dir.back() != '\\') Dir += '\\';
  } else {
    char Tmp[MAX_PATH];
    GetTempPathA(MAX_PATH, Tmp);
    Dir = Tmp;
  }
  const std::string Log = Dir + "open_bench.olx", Saved = Dir + "open_bench_saved.olx",
                    Export = Dir + "open_bench_saved.txt";
  std::printf("Opening %d messages (%zu-bit build)\n", N, sizeof(void*) * 8);
  if (!WriteLog(Log, N)) {
    std::fprintf(stderr, "cannot write %s\n", Log.c_str());
    return 1;
  }
  std::printf("  log file: %.1f MB\n", MB(ReadFileBytes(Log).Size));

  // The model's own load, three times; the median.
  std::vector<double> Model;
  for (int Round = 0; Round < 3; ++Round) {
    TManualClock Clock(1000, 9 * 3600000);
    TOrlimoMsgList L(Clock, "Bench");
    const auto T = TClockT::now();
    const TLogLoadResult R = LoadLogFile(L, Log);
    Model.push_back(Since(T));
    if (R.Records != N || L.Count() != N) {
      std::fprintf(stderr, "model loaded %d records\n", R.Records);
      return 1;
    }
  }
  const double First = Model[0];
  std::sort(Model.begin(), Model.end());
  const double ModelLoad = Model[1];
  std::printf("  model load:        %.3f s (median of 3; the first, in a fresh heap: %.3f s)\n", ModelLoad, First);

  TViewer V;
  if (!V.Start()) {
    std::fprintf(stderr, "Orlimo.exe did not start\n");
    return 1;
  }
  TClockT::time_point T0;
  double Longest = 0;
  bool Hung = false;
  // What every open costs besides the records: the file dialog answered and
  // closed, the status polled across processes. A log of two messages, twice.
  const std::string Small = Dir + "open_bench_small.olx";
  double Fixed = 0;
  if (!WriteLog(Small, 2)) {
    std::fprintf(stderr, "cannot write %s\n", Small.c_str());
    return 1;
  }
  for (int Round = 0; Round < 2; ++Round) {
    if (!V.FileCommand('O', Small, T0) || !V.WaitForPane("Messages", "2 Messages", Longest, Hung)) {
      std::fprintf(stderr, "the viewer did not open the small file\n");
      return 1;
    }
    Fixed = Since(T0);
  }
  std::remove(Small.c_str());
  const std::string Count = std::to_string(N) + " Messages";
  if (!V.FileCommand('O', Log, T0) || !V.WaitForPane("Messages", Count, Longest, Hung)) {
    std::fprintf(stderr, "the viewer did not open the file\n");
    return 1;
  }
  const double Open = Since(T0);
  std::printf("  Orlimo.exe open:   %.3f s = %.2f x the model's load, %.2f x its first (goal <= 1.5)\n", Open,
              Open / ModelLoad, Open / First);
  std::printf(
      "    of which the dialog and the polling (a two-message log): %.3f s; the rest: %.2f x the model's load\n", Fixed,
      (Open - Fixed) / ModelLoad);
  std::printf("    longest reply to a sent message while loading: %.3f s; reported hung: %s\n", Longest,
              Hung ? "yes" : "no");
  const TMemory Loaded = MemoryOf(V.Handle());
  std::printf("    private memory with the list: %.1f MB\n", MB(Loaded.Private));

  // The quick filter: "Order 12" in the box, as a user types it.
  {
    std::int32_t Shown = 0;
    for (std::int32_t I = 0; I < N; ++I) Shown += std::to_string(I).rfind("12", 0) == 0 ? 1 : 0;
    TViewerKeyboard Keys(V.Window());
    {
      THeldKeys Ctrl(Keys, {VK_CONTROL});
      Keys.Type('E');
      // Ctrl stays down until the key has been taken: a sent message is
      // answered before posted keys are read, so one round trip is not enough.
      WaitUntil(
          V.Window(), [&] { return ClassOf(Keys.Focus()) == "TOrlimoEdit"; }, 10000);
    }
    const HWND Box = Keys.Focus();
    if (ClassOf(Box) != "TOrlimoEdit") {  // the layer's edit control
      std::fprintf(stderr, "Ctrl+E did not focus the filter box (the focus is on a %s)\n", ClassOf(Box).c_str());
      return 1;
    }
    for (const char C : std::string("Order 12")) PostMessageA(Box, WM_CHAR, static_cast<WPARAM>(C), 1);
    T0 = TClockT::now();
    if (!V.WaitForPane("Messages", Grouped(Shown) + " of " + Grouped(N) + " Messages", Longest, Hung)) {
      std::fprintf(stderr, "the viewer did not filter the list\n");
      return 1;
    }
    const double Filtered = Since(T0);
    std::printf("  quick filter typed: %.3f s until %s of %s shown (150 ms of it the typing pause)\n", Filtered,
                Grouped(Shown).c_str(), Grouped(N).c_str());
    std::printf("    longest reply to a sent message while filtering: %.3f s (goal <= 0.1); reported hung: %s\n",
                Longest, Hung ? "yes" : "no");
    Keys.Type(VK_ESCAPE);
    T0 = TClockT::now();
    if (!V.WaitForPane("Messages", Count, Longest, Hung)) {
      std::fprintf(stderr, "the viewer did not clear the filter\n");
      return 1;
    }
    std::printf("  Escape in the box: %.3f s until every message shows again\n", Since(T0));
    Keys.Type(VK_RETURN);  // the focus back to the list
    Settle(V.Window());
  }

  for (const auto& [Name, Caption] :
       {std::pair<std::string, std::string>{Saved, "Orlimo log file saved"},
        std::pair<std::string, std::string>{Export, "Orlimo messages saved to text file"}}) {
    DeleteFileA(Name.c_str());
    const TMemory Before = MemoryOf(V.Handle());
    const std::string Suffix = Caption.substr(Caption.rfind(' ') + 1);
    std::size_t Peak = Before.Private;
    if (!V.FileCommand('S', Name, T0) || !V.WaitForPane(Suffix, Caption, Longest, Hung, false, &Peak)) {
      std::fprintf(stderr, "the viewer did not save %s\n", Name.c_str());
      return 1;
    }
    const double Took = Since(T0);
    const std::size_t Size = ReadFileBytes(Name).Size;
    std::printf(
        "  Orlimo.exe save %s: %.3f s, %.1f MB written; private memory %.1f MB before, highest seen %.1f MB"
        " (+%.1f MB)\n",
        Name.substr(Name.size() - 3).c_str(), Took, MB(Size), MB(Before.Private), MB(Peak), MB(Peak - Before.Private));
    DeleteFileA(Name.c_str());
  }
  DeleteFileA(Log.c_str());
  return 0;
}
