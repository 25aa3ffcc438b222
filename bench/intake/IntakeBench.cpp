// Intake throughput: the viewer (Orlimo.exe) against a window that only
// answers WM_COPYDATA (the protocol's own limit), measured in one run with the
// two interleaved. Every message is a freshly built client record sent with
// SendMessage to a window found with FindWindow just before, as a client does.
//
//   intake_bench [--viewer PATH] [--echo PATH] [--count N] [--rounds R]
#include <windows.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

#include "IntakeEcho.h"
#include "lxsend/LxProcess.h"
#include "lxsend/LxSender.h"
#include "model/OrlimoMsg.h"
#include "model/OrlimoRecord.h"

namespace {

double Seconds() {
  static LARGE_INTEGER Freq = [] {
    LARGE_INTEGER F;
    QueryPerformanceFrequency(&F);
    return F;
  }();
  LARGE_INTEGER Now;
  QueryPerformanceCounter(&Now);
  return static_cast<double>(Now.QuadPart) / static_cast<double>(Freq.QuadPart);
}

// CPU seconds (user + kernel) a process has used so far.
double CpuSeconds(HANDLE Process) {
  FILETIME Create, Exit, Kernel, User;
  if (!GetProcessTimes(Process, &Create, &Exit, &Kernel, &User)) return 0;
  auto Sec = [](const FILETIME& F) {
    return static_cast<double>((static_cast<unsigned long long>(F.dwHighDateTime) << 32) | F.dwLowDateTime) / 1e7;
  };
  return Sec(Kernel) + Sec(User);
}

struct TBurst {
  double Seconds = -1;  // wall time of the whole burst; negative when a message was not taken
  double Median = 0;    // median time of one SendMessage, seconds
  double Stalls = 0;    // time the calls slower than 2 ms spent beyond the median, seconds
};

// Sends Count messages to the window of that identity, each found with
// FindWindow just before it is sent.
TBurst Burst(const char* ClassName, const char* Caption, int Count, int& Serial) {
  std::vector<double> Calls;
  Calls.reserve(static_cast<std::size_t>(Count));
  TBurst B;
  const double Start = Seconds();
  for (int I = 0; I < Count; ++I) {
    char Text[64];
    std::snprintf(Text, sizeof Text, "Intake benchmark message #%d", ++Serial);
    const std::string Record =
        BuildClientRecord(lxmInfo, static_cast<std::int32_t>(GetTickCount()), Text, "", "IntakeBench", "");
    const double T0 = Seconds();
    if (LxSendRecordTo(FindWindowA(ClassName, Caption), lxmInfo, Record) != TLxSendResult::Taken) return B;
    Calls.push_back(Seconds() - T0);
  }
  B.Seconds = Seconds() - Start;
  if (Calls.empty()) return B;
  std::vector<double> Sorted = Calls;
  std::nth_element(Sorted.begin(), Sorted.begin() + static_cast<std::ptrdiff_t>(Sorted.size() / 2), Sorted.end());
  B.Median = Sorted[Sorted.size() / 2];
  for (double C : Calls)
    if (C > 0.002) B.Stalls += C - B.Median;
  return B;
}

void SetViewValue(HKEY Root, const char* Key, const char* Name, const std::string& Value) {
  HKEY K;
  if (RegCreateKeyExA(Root, Key, 0, nullptr, 0, KEY_WRITE, nullptr, &K, nullptr) == ERROR_SUCCESS) {
    RegSetValueExA(K, Name, 0, REG_SZ, reinterpret_cast<const BYTE*>(Value.c_str()),
                   static_cast<DWORD>(Value.size() + 1));
    RegCloseKey(K);
  }
}

const char* const ViewKey = "Software\\Brunelk\\Orlimo\\1.0\\View";
const char* const LogKey = "Software\\Brunelk\\Orlimo\\1.0\\LogFile";
const char* const FiltersKey = "Software\\Brunelk\\Orlimo\\1.0\\Filters";

// Ten enabled rules, in their stored form, that every benchmark message passes
// through in full: one Include that takes it, Excludes and Highlights that do
// not match, by each field and each kind of match.
const char* const TenRules[] = {
    "1|include|text|contains|0|0|0|benchmark",
    "1|exclude|text|contains|0|0|0|no such words",
    "1|exclude|app|wildcard|0|0|0|Other*.exe",
    "1|exclude|type|contains|1|0|0|Secret",
    "1|exclude|kind|contains|0|0|0|2",
    "1|highlight|text|contains|0|255|65535|failed",
    "1|highlight|text|wildcard|0|255|65535|*timeout ? s*",
    "1|highlight|text|regex|0|255|65535|error [0-9]+",
    "1|highlight|app|contains|1|255|65535|Service",
    "1|highlight|kind|contains|0|255|65535|1",
};

std::string LogFolder() {
  char Buf[MAX_PATH];
  const DWORD N = GetTempPathA(MAX_PATH, Buf);
  return (N > 0 && N < MAX_PATH ? std::string(Buf, N) : std::string(".\\")) + "orlimo-intake-log";
}

// Deletes what the viewer logged into the folder, and the folder.
std::uint64_t RemoveLogFolder() {
  const std::string Folder = LogFolder();
  std::uint64_t Bytes = 0;
  WIN32_FIND_DATAA F;
  HANDLE H = FindFirstFileA((Folder + "\\Orlimo-*.olx").c_str(), &F);
  if (H != INVALID_HANDLE_VALUE) {
    do {
      Bytes += (static_cast<std::uint64_t>(F.nFileSizeHigh) << 32) | F.nFileSizeLow;
      DeleteFileA((Folder + "\\" + F.cFileName).c_str());
    } while (FindNextFileA(H, &F));
    FindClose(H);
  }
  RemoveDirectoryA(Folder.c_str());
  return Bytes;
}

// The viewer's settings for one configuration, read when it starts: the
// time-stamp column shown, logging to file, capturing debug output and ten
// filter rules on or off.
struct TConfig {
  const char* Name;
  bool Log;
  bool Capture;
  bool Filter = false;
};

void Configure(const TConfig& C) {
  SetViewValue(HKEY_CURRENT_USER, ViewKey, "TimeStamp", "1");
  SetViewValue(HKEY_CURRENT_USER, ViewKey, "CaptureDebugOutput", C.Capture ? "1" : "0");
  SetViewValue(HKEY_CURRENT_USER, LogKey, "Enabled", C.Log ? "1" : "0");
  SetViewValue(HKEY_CURRENT_USER, LogKey, "Folder", LogFolder());
  if (C.Filter) {
    int N = 0;
    for (const char* Rule : TenRules)
      SetViewValue(HKEY_CURRENT_USER, FiltersKey, ("Rule" + std::to_string(++N)).c_str(), Rule);
  } else {
    RegDeleteKeyA(HKEY_CURRENT_USER, FiltersKey);
  }
}

struct TTotals {
  double Echo = 0, Viewer = 0;  // wall seconds of all bursts
};

// One viewer started with that configuration, bursts interleaved with the echo
// window, the viewer closed again.
bool RunConfig(const TConfig& C, const std::string& ViewerExe, int Count, int Rounds, int& Serial, TTotals& T) {
  Configure(C);
  RemoveLogFolder();
  TLxProcess Viewer;
  if (!Viewer.Start(LxQuote(ViewerExe), SW_SHOWNORMAL)) {
    std::fprintf(stderr, "intake_bench: cannot start %s\n", ViewerExe.c_str());
    return false;
  }
  HWND ViewerWnd = LxWaitForWindow(Viewer, LxMainClassName, LxMainCaption, 30000);
  if (!ViewerWnd) {
    std::fprintf(stderr, "intake_bench: the viewer's window did not appear\n");
    return false;
  }
  if (!IsWindowVisible(ViewerWnd)) std::printf("note: the viewer's window is not visible\n");
  WaitForInputIdle(Viewer.Handle(), 10000);

  const std::string Clear = BuildClientRecord(lxmClear, 0, "", "", "IntakeBench", "");
  // Warm both up (page in code, grow the viewer's columns once).
  Burst(LxEchoClassName, LxEchoCaption, 200, Serial);
  Burst(LxMainClassName, LxMainCaption, 200, Serial);

  std::printf("\n%s: logging to file %s, capturing debug output %s\n", C.Name, C.Log ? "on" : "off",
              C.Capture ? "on" : "off");
  std::printf("%-6s %10s %10s | %10s %10s | %10s %10s | %10s %10s\n", "", "msg/s", "", "median us", "", "stalls ms", "",
              "CPU us/msg", "");
  std::printf("%-6s %10s %10s | %10s %10s | %10s %10s | %10s %10s\n", "round", "echo", "viewer", "echo", "viewer",
              "echo", "viewer", "echo", "viewer");
  TBurst EchoAll, ViewerAll;
  EchoAll.Seconds = ViewerAll.Seconds = 0;
  double EchoCpuAll = 0, ViewerCpuAll = 0;
  HANDLE EchoProcess = nullptr;
  DWORD EchoPid = 0;
  GetWindowThreadProcessId(FindWindowA(LxEchoClassName, LxEchoCaption), &EchoPid);
  EchoProcess = OpenProcess(PROCESS_QUERY_INFORMATION, FALSE, EchoPid);
  for (int R = 0; R < Rounds; ++R) {
    TBurst E, V;
    double EchoCpu = 0, ViewerCpu = 0;
    for (int Turn = 0; Turn < 2; ++Turn) {
      // Alternate which goes first, so that drift hits both alike.
      const bool ViewerTurn = (Turn == 0) == (R % 2 == 1);
      if (ViewerTurn) {
        LxSendRecordTo(FindWindowA(LxMainClassName, LxMainCaption), lxmClear, Clear);
        WaitForInputIdle(Viewer.Handle(), 10000);
        const double Cpu0 = CpuSeconds(Viewer.Handle());
        V = Burst(LxMainClassName, LxMainCaption, Count, Serial);
        // Let it finish painting before the next burst is timed.
        WaitForInputIdle(Viewer.Handle(), 10000);
        ViewerCpu = CpuSeconds(Viewer.Handle()) - Cpu0;
      } else {
        const double Cpu0 = CpuSeconds(EchoProcess);
        E = Burst(LxEchoClassName, LxEchoCaption, Count, Serial);
        EchoCpu = CpuSeconds(EchoProcess) - Cpu0;
      }
    }
    if (E.Seconds <= 0 || V.Seconds <= 0) {
      std::fprintf(stderr, "intake_bench: a message was not taken\n");
      if (EchoProcess) CloseHandle(EchoProcess);
      return false;
    }
    EchoAll.Seconds += E.Seconds;
    ViewerAll.Seconds += V.Seconds;
    EchoAll.Median += E.Median / Rounds;
    ViewerAll.Median += V.Median / Rounds;
    EchoAll.Stalls += E.Stalls;
    ViewerAll.Stalls += V.Stalls;
    EchoCpuAll += EchoCpu;
    ViewerCpuAll += ViewerCpu;
    std::printf("%-6d %10.0f %10.0f | %10.0f %10.0f | %10.0f %10.0f | %10.1f %10.1f\n", R + 1, Count / E.Seconds,
                Count / V.Seconds, E.Median * 1e6, V.Median * 1e6, E.Stalls * 1e3, V.Stalls * 1e3,
                EchoCpu * 1e6 / Count, ViewerCpu * 1e6 / Count);
  }
  if (EchoProcess) CloseHandle(EchoProcess);
  const double N = static_cast<double>(Count) * Rounds;
  std::printf("%-6s %10.0f %10.0f | %10.0f %10.0f | %10.0f %10.0f | %10.1f %10.1f\n", "all", N / EchoAll.Seconds,
              N / ViewerAll.Seconds, EchoAll.Median * 1e6, ViewerAll.Median * 1e6, EchoAll.Stalls * 1e3,
              ViewerAll.Stalls * 1e3, EchoCpuAll * 1e6 / N, ViewerCpuAll * 1e6 / N);
  std::printf("%s: intake ratio viewer/echo %.3f (goal >= 0.95)\n", C.Name, EchoAll.Seconds / ViewerAll.Seconds);
  T.Echo += EchoAll.Seconds;
  T.Viewer += ViewerAll.Seconds;

  PostMessageA(ViewerWnd, WM_CLOSE, 0, 0);
  Viewer.Wait(30000);
  const std::uint64_t Logged = RemoveLogFolder();
  if (C.Log) std::printf("%s: %.1f MB were logged\n", C.Name, static_cast<double>(Logged) / 1048576.0);
  return true;
}

}  // namespace

int main(int argc, char** argv) {
  std::string ViewerExe = ORLIMO_EXE;
  std::string EchoExe = ECHO_EXE;
  int Count = 20000;
  int Rounds = 3;
  std::string Configs = "plain,log,capture,filter";
  for (int I = 1; I + 1 < argc; I += 2) {
    const std::string A = argv[I];
    if (A == "--viewer")
      ViewerExe = argv[I + 1];
    else if (A == "--echo")
      EchoExe = argv[I + 1];
    else if (A == "--count")
      Count = std::atoi(argv[I + 1]);
    else if (A == "--rounds")
      Rounds = std::atoi(argv[I + 1]);
    else if (A == "--configs")
      Configs = argv[I + 1];
    else {
      std::fprintf(stderr,
                   "usage: intake_bench [--viewer PATH] [--echo PATH] [--count N] [--rounds R]\n"
                   "                    [--configs plain,log,capture,filter]\n");
      return 1;
    }
  }
  if (FindWindowA(LxMainClassName, LxMainCaption)) {
    std::fprintf(stderr, "intake_bench: a viewer is already running; close it first\n");
    return 1;
  }

  TLxProcess Echo;
  if (!Echo.Start(LxQuote(EchoExe), SW_SHOWMINNOACTIVE) ||
      !LxWaitForWindow(Echo, LxEchoClassName, LxEchoCaption, 30000)) {
    std::fprintf(stderr, "intake_bench: the echo window did not start (%s)\n", EchoExe.c_str());
    return 1;
  }

  static const TConfig All[] = {
      {"plain", false, false}, {"log", true, false}, {"capture", false, true}, {"filter", false, false, true}};
  std::printf("intake: %d records per burst, %d rounds, interleaved with the echo window, per configuration\n", Count,
              Rounds);
  int Serial = 0;
  int Rc = 0;
  double PlainRatio = 0, LogRatio = 0, FilterRatio = 0;
  for (const TConfig& C : All) {
    if (("," + Configs + ",").find(std::string(",") + C.Name + ",") == std::string::npos) continue;
    TTotals T;
    if (!RunConfig(C, ViewerExe, Count, Rounds, Serial, T)) {
      Rc = 1;
      break;
    }
    const double Ratio = T.Echo / T.Viewer;
    if (!C.Log && !C.Capture && !C.Filter) PlainRatio = Ratio;
    if (C.Filter) FilterRatio = Ratio;
    if (C.Log) LogRatio = Ratio;
  }
  if (PlainRatio > 0 && LogRatio > 0)
    std::printf("\nlogging on against off, same run: %.3f of the plain viewer's rate\n", LogRatio / PlainRatio);
  if (PlainRatio > 0 && FilterRatio > 0)
    std::printf("ten filter rules against none, same run: %.3f of the plain viewer's rate\n", FilterRatio / PlainRatio);
  std::printf(
      "(stalls: calls slower than 2 ms, beyond the median; the viewer's include its repaints,\n"
      " both include whatever else the machine was doing)\n");
  Configure({"plain", false, false});

  PostMessageA(FindWindowA(LxEchoClassName, LxEchoCaption), WM_CLOSE, 0, 0);
  Echo.Wait(10000);
  return Rc;
}
