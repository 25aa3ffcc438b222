// Messages over the network against messages on one machine, in one run:
//   local   a client here -> Orlimo.exe by WM_COPYDATA
//   direct  a client on a second Wine machine -> lxrelay there -> loopback TCP
//           -> Orlimo.exe listening
//   rsyslog the same with Debian's rsyslog between the relay and the viewer
// Each path gets the same burst of messages, each a freshly built client record
// sent with SendMessage to the window found just before. The rate is the
// burst's messages over the time from its first send until the viewer's status
// bar counts them all; the client's wait is the median time of one send.
//
//   net_bench [--count N] [--rounds R]     the whole run
//   net_bench --send N --out FILE           the client's part on the other machine
#include <winsock2.h>

#include <windows.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

#include "lxsend/LxProcess.h"
#include "lxsend/LxSender.h"
#include "model/OrlimoMsg.h"
#include "model/OrlimoRecord.h"
#include "net/NetProcesses.h"

namespace {

using namespace orlimo_net;

// Seconds of the performance counter: one clock for every process of the
// computer, so the two machines' times compare.
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

struct TBurst {
  double Start = 0, End = 0;  // first send, last send returned
  double Median = 0;          // one SendMessage, seconds
  int Taken = 0;
};

// Count messages to the viewer's window (or whatever stands in for it).
TBurst Burst(int Count) {
  std::vector<double> Calls;
  Calls.reserve(static_cast<std::size_t>(Count));
  TBurst B;
  B.Start = Seconds();
  for (int I = 0; I < Count; ++I) {
    char Text[64];
    std::snprintf(Text, sizeof Text, "Network benchmark message #%d", I + 1);
    const std::string Record =
        BuildClientRecord(lxmInfo, static_cast<std::int32_t>(GetTickCount()), Text, "", "NetBench", "");
    const double T0 = Seconds();
    if (LxSendRecordTo(FindWindowA(LxMainClassName, LxMainCaption), lxmInfo, Record) != TLxSendResult::Taken) break;
    Calls.push_back(Seconds() - T0);
    ++B.Taken;
  }
  B.End = Seconds();
  if (!Calls.empty()) {
    std::nth_element(Calls.begin(), Calls.begin() + static_cast<std::ptrdiff_t>(Calls.size() / 2), Calls.end());
    B.Median = Calls[Calls.size() / 2];
  }
  return B;
}

// The client's part: waits for the window, sends, writes what it measured.
int SendRole(int Count, const std::string& Out) {
  for (int I = 0; I < 3000 && !FindWindowA(LxMainClassName, LxMainCaption); ++I) Sleep(10);
  const TBurst B = Burst(Count);
  FILE* F = std::fopen(Out.c_str(), "wb");
  if (!F) return 4;
  std::fprintf(F, "%.9f %.9f %.9f %d\n", B.Start, B.End, B.Median, B.Taken);
  std::fclose(F);
  return B.Taken == Count ? 0 : 3;
}

TBurst ReadBurst(const std::string& File) {
  TBurst B;
  if (FILE* F = std::fopen(File.c_str(), "rb")) {
    if (std::fscanf(F, "%lf %lf %lf %d", &B.Start, &B.End, &B.Median, &B.Taken) != 4) B.Taken = 0;
    std::fclose(F);
  }
  return B;
}

struct TPaneSearch {
  HWND Found = nullptr;
};

BOOL CALLBACK FindCountPane(HWND W, LPARAM Data) {
  char T[64] = {};
  GetWindowTextA(W, T, sizeof T);
  const std::string S = T;
  if (S.size() > 9 && S.compare(S.size() - 9, 9, " Messages") == 0) {
    reinterpret_cast<TPaneSearch*>(Data)->Found = W;
    return FALSE;
  }
  return TRUE;
}

// The status bar's count of the viewer's messages.
class TViewerCount {
public:
  explicit TViewerCount(HWND Viewer) : FViewer(Viewer) {}
  long Now() {
    if (!FPane) {
      TPaneSearch S;
      EnumChildWindows(FViewer, FindCountPane, reinterpret_cast<LPARAM>(&S));
      FPane = S.Found;
      if (!FPane) return 0;
    }
    char T[64] = {};
    GetWindowTextA(FPane, T, sizeof T);
    return std::strtol(T, nullptr, 10);
  }
  // The moment the count reached Count (at most Ms); 0 when it did not.
  double WaitFor(long Count, DWORD Ms = 300000) {
    const ULONGLONG Deadline = GetTickCount64() + Ms;
    while (Now() < Count) {
      if (GetTickCount64() >= Deadline) return 0;
      Sleep(1);
    }
    return Seconds();
  }

private:
  HWND FViewer;
  HWND FPane = nullptr;
};

struct TResult {
  double Rate = 0;  // messages a second
  double Wait = 0;  // the client's median wait, seconds
};

void Clear(TViewerCount& Counter) {
  LxSendRecordTo(FindWindowA(LxMainClassName, LxMainCaption), lxmClear,
                 BuildClientRecord(lxmClear, 0, "", "", "NetBench", ""));
  Counter.WaitFor(0);
}

TResult Local(TViewerCount& Counter, HANDLE Viewer, int Count) {
  Clear(Counter);
  WaitForInputIdle(Viewer, 10000);
  const TBurst B = Burst(Count);
  const double Listed = Counter.WaitFor(Count);
  if (B.Taken != Count || Listed <= 0) return {};
  return {Count / (Listed - B.Start), B.Median};
}

// The burst sent on the other machine through its relay.
TResult Remote(const TSecondMachine& Other, TViewerCount& Counter, int Count, const std::string& Folder) {
  Clear(Counter);
  const std::string Out = Folder + "/send.txt";
  if (Other.Run(BENCH_EXE, "--send " + std::to_string(Count) + " --out Z:" + Out, Folder + "/send.log", 600000) != 0) {
    std::fprintf(stderr, "net_bench: the client on the other machine failed\n");
    return {};
  }
  const TBurst B = ReadBurst("Z:" + Out);
  const double Listed = Counter.WaitFor(Count);
  if (B.Taken != Count || Listed <= 0) {
    std::fprintf(stderr, "net_bench: %ld of %d messages arrived\n", Counter.Now(), Count);
    return {};
  }
  return {Count / (Listed - B.Start), B.Median};
}

// A relay on the other machine sending to Port (the client waits for its window).
void StartRelay(const TSecondMachine& Other, unsigned short Port, const std::string& Folder) {
  Other.Start(LXRELAY_EXE, "--to 127.0.0.1:" + std::to_string(Port), Folder + "/relay.log");
}

}  // namespace

int main(int argc, char** argv) {
  int Count = 20000, Rounds = 3, Send = 0;
  std::string Out;
  for (int I = 1; I + 1 < argc; I += 2) {
    const std::string A = argv[I];
    if (A == "--count")
      Count = std::atoi(argv[I + 1]);
    else if (A == "--rounds")
      Rounds = std::atoi(argv[I + 1]);
    else if (A == "--send")
      Send = std::atoi(argv[I + 1]);
    else if (A == "--out")
      Out = argv[I + 1];
    else {
      std::fprintf(stderr, "usage: net_bench [--count N] [--rounds R] | --send N --out FILE\n");
      return 1;
    }
  }
  if (Send > 0) return SendRole(Send, Out);

  const TWinsock Winsock;
  if (FindWindowA(LxMainClassName, LxMainCaption)) {
    std::fprintf(stderr, "net_bench: a viewer is already running; close it first\n");
    return 1;
  }
  const unsigned short ViewerPort = FreePort(), RsyslogPort = FreePort();
  SetViewerValue("NetListen", "1");
  SetViewerValue("NetProtocol", "tcp");
  SetViewerValue("NetPort", std::to_string(ViewerPort));
  SetViewerValue("NetRemote", "0");
  SetViewerValue("NetCommands", "0");

  TLxProcess Viewer;
  HWND ViewerWnd = nullptr;
  if (Viewer.Start(LxQuote(ORLIMO_EXE), SW_SHOWNORMAL))
    ViewerWnd = LxWaitForWindow(Viewer, LxMainClassName, LxMainCaption, 30000);
  if (!ViewerWnd || !WaitForPort(ViewerPort, true)) {
    std::fprintf(stderr, "net_bench: the viewer did not start listening\n");
    return 1;
  }
  TViewerCount Counter(ViewerWnd);
  const std::string Folder = "/tmp/orlimo-net-bench-" + std::to_string(GetCurrentProcessId());
  Shell("rm -rf " + Folder + " && mkdir -p " + Folder);
  const bool HaveRsyslog = TRsyslog::Available();
  TRsyslog Rsyslog(RSYSLOG_CONF, RsyslogPort, ViewerPort);
  int Rc = 0;
  {
    const TSecondMachine Direct(MACHINE_SH, SECOND_PREFIX);
    if (!Direct.Started()) {
      std::fprintf(stderr, "net_bench: the second machine did not start\n");
      return 1;
    }
    std::printf(
        "net: %d messages per burst, %d rounds; local WM_COPYDATA, then through lxrelay on a second Wine machine\n",
        Count, Rounds);
    if (HaveRsyslog && !Rsyslog.Start()) std::fprintf(stderr, "net_bench: rsyslog did not start\n");

    // Warm-up: page in both paths once.
    StartRelay(Direct, ViewerPort, Folder);
    Local(Counter, Viewer.Handle(), 500);
    Remote(Direct, Counter, 500, Folder);

    TResult LocalAll, DirectAll, RsyslogAll;
    std::printf("%-6s | %10s %10s %10s | %12s %12s %12s\n", "", "msg/s", "", "", "client wait", "us", "");
    std::printf("%-6s | %10s %10s %10s | %12s %12s %12s\n", "round", "local", "direct", "rsyslog", "local", "direct",
                "rsyslog");
    for (int R = 0; R < Rounds; ++R) {
      const TResult L = Local(Counter, Viewer.Handle(), Count);
      const TResult D = Remote(Direct, Counter, Count, Folder);
      TResult S;
      if (HaveRsyslog) {
        // The relay again, now to rsyslog.
        Shell("sh " + UnixPath(MACHINE_SH) + " " + UnixPath(SECOND_PREFIX) + " stop");
        StartRelay(Direct, RsyslogPort, Folder);
        S = Remote(Direct, Counter, Count, Folder);
        Shell("sh " + UnixPath(MACHINE_SH) + " " + UnixPath(SECOND_PREFIX) + " stop");
        StartRelay(Direct, ViewerPort, Folder);
      }
      if (L.Rate <= 0 || D.Rate <= 0) {
        Rc = 1;
        break;
      }
      std::printf("%-6d | %10.0f %10.0f %10.0f | %12.1f %12.1f %12.1f\n", R + 1, L.Rate, D.Rate, S.Rate, L.Wait * 1e6,
                  D.Wait * 1e6, S.Wait * 1e6);
      LocalAll.Rate += L.Rate / Rounds;
      DirectAll.Rate += D.Rate / Rounds;
      RsyslogAll.Rate += S.Rate / Rounds;
      LocalAll.Wait += L.Wait / Rounds;
      DirectAll.Wait += D.Wait / Rounds;
      RsyslogAll.Wait += S.Wait / Rounds;
    }
    if (Rc == 0) {
      std::printf("%-6s | %10.0f %10.0f %10.0f | %12.1f %12.1f %12.1f\n", "mean", LocalAll.Rate, DirectAll.Rate,
                  RsyslogAll.Rate, LocalAll.Wait * 1e6, DirectAll.Wait * 1e6, RsyslogAll.Wait * 1e6);
      std::printf("direct: %.2f x the local rate (goal >= 0.5), the client waits %.2f x as long (goal <= 1)\n",
                  DirectAll.Rate / LocalAll.Rate, DirectAll.Wait / LocalAll.Wait);
      if (HaveRsyslog)
        std::printf("rsyslog: %.2f x the local rate (goal >= 0.5), the client waits %.2f x as long (goal <= 1)\n",
                    RsyslogAll.Rate / LocalAll.Rate, RsyslogAll.Wait / LocalAll.Wait);
      else
        std::printf("rsyslog is not installed: its path was not measured\n");
    }
  }
  PostMessageA(ViewerWnd, WM_CLOSE, 0, 0);
  Viewer.Wait(30000);
  SetViewerValue("NetListen", "0");
  Shell("rm -rf " + Folder);
  return Rc;
}
