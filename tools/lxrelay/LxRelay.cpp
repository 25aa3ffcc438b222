// lxrelay: stands in for the viewer on the machine under test and sends what
// it receives on as syslog messages (RFC 5424 with the record's own fields in
// structured data), to a viewer listening on the network or to a syslog relay.
//
//   lxrelay --to HOST:PORT [--udp] [--debug-output] [--queue N]
//
// It owns the viewer's window (class and caption) and its single-instance
// mutex, so unmodified clients send to it as to the viewer; each record is
// answered at once and queued. The queue holds N records (default 100,000)
// while the connection is down; the console says when records were dropped.
// With --debug-output it also reads the session's debug output as the
// viewer's capture does. Ctrl+C, closing the console or closing its window
// sends what is queued first (for at most 5 s).
// The exit code is 0, 1 when it could not start, 2 for a wrong command line.
#include <winsock2.h>

#include <windows.h>

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <memory>
#include <optional>
#include <string>
#include <utility>

#include "core/LxDbgCapture.h"
#include "model/OrlimoMsg.h"
#include "model/OrlimoRecord.h"
#include "model/SyslogCodec.h"
#include "platform/AnsiCodec.h"
#include "protocol/client/BkLxIntf.h"
#include "protocol/LxIntake.h"
#include "RelaySender.h"

namespace {

constexpr char MutexName[] = "Orlimo 32-bit Mutex";
constexpr unsigned DrainMs = 5000;
constexpr std::size_t DefaultQueue = 100000;

// Where each message says it comes from, and its framing: the sender's
// encoder.
class TRelayEncoding {
public:
  explicit TRelayEncoding(bool Udp) : FUdp(Udp) {
    char Name[MAX_COMPUTERNAME_LENGTH + 1] = {};
    DWORD Size = sizeof Name;
    if (GetComputerNameA(Name, &Size)) FHostName = Name;
    FProcId = std::to_string(GetCurrentProcessId());
  }
  std::string operator()(const TRelayRecord& R) const {
    TSyslogOrigin O;
    O.Timestamp = SyslogTimestamp(R.Time);
    O.HostName = FHostName;
    O.ProcId = FProcId;
    std::string Message = EncodeSyslogMessage(R.Record, O, SystemAnsiCodec());
    return FUdp ? Message : FrameSyslogOctetCounted(Message);
  }

private:
  bool FUdp;
  std::string FHostName;
  std::string FProcId;
};

class TRelay {
public:
  explicit TRelay(TRelaySender& Sender) : FSender(Sender) {}
  // Queued as it came; the sender's thread encodes it.
  void Relay(std::int32_t Kind, std::string_view AppName, std::string_view TypeName, std::string_view Text,
             std::string_view Details) {
    TRelayRecord R;
    R.Record.Kind = Kind;
    R.Record.AppName = AppName;
    R.Record.TypeName = TypeName;
    R.Record.Text = Text;
    R.Record.Details = Details;
    R.Time = std::chrono::system_clock::now();
    FSender.Push(std::move(R));
  }

private:
  TRelaySender& FSender;
};

// The debug-output capture lists its lines through the dispatcher into a
// panel; the relay's panel sends them on.
class TRelayPanel final : public TLxIntakePanel {
public:
  explicit TRelayPanel(TRelay& Relay) : FRelay(Relay) {}
  bool GetIgnoreMessages() const override { return false; }
  void AddCheckPoint(std::string_view AppName, std::int32_t) override {
    FRelay.Relay(lxmCheckPoint, AppName, "", "", "");
  }
  void AddSeparator(std::string_view AppName, std::int32_t) override {
    FRelay.Relay(lxmSeparator, AppName, "", "", "");
  }
  void Clear() override { FRelay.Relay(lxmClear, "", "", "", ""); }
  void ScratchPadMsg(std::int32_t, std::string_view) override {}
  void SaveLogFile(const std::string&) override {}
  std::int32_t AddMessage(std::int32_t Kind, std::string_view Text, std::string_view AppName, std::string_view TypeName,
                          std::int32_t, std::optional<std::string_view> Details) override {
    FRelay.Relay(Kind, AppName, TypeName, Text, Details.value_or(""));
    return 0;
  }
  void SetSatellite(TBkFrmLxSatellite*) override {}
  void AppendSharedItemsFrom(TLxIntakePanel&) override {}

private:
  TRelay& FRelay;
};

TRelay* GRelay = nullptr;
HWND GWindow = nullptr;
HANDLE GFinished = nullptr;

LRESULT CALLBACK RelayWindowProc(HWND Wnd, UINT Msg, WPARAM WParam, LPARAM LParam) noexcept {
  switch (Msg) {
    case WM_COPYDATA: {
      // Answered at once: the record is queued, not yet sent.
      const auto* Data = reinterpret_cast<const COPYDATASTRUCT*>(LParam);
      if (!Data || !GRelay) return 0;
      TOrlimoRecord R;
      if (DecodeRecord(Data->lpData, Data->cbData, R) != TRecordStatus::Ok) return 0;
      const auto Kind = static_cast<std::int32_t>(static_cast<std::uint32_t>(Data->dwData));
      try {
        GRelay->Relay(Kind, R.AppName, R.TypeName, R.Text, R.Details);
      } catch (...) {
        return 0;  // out of memory: not taken
      }
      return 1;
    }
    case WM_DESTROY: PostQuitMessage(0); return 0;
    default: return DefWindowProcA(Wnd, Msg, WParam, LParam);
  }
}

BOOL WINAPI ConsoleEvent(DWORD) {
  if (GWindow) PostMessageA(GWindow, WM_CLOSE, 0, 0);
  // The system ends the process when this returns for a closed console: wait
  // for the queue to be sent first.
  if (GFinished) WaitForSingleObject(GFinished, DrainMs + 1000);
  return TRUE;
}

int Usage() {
  std::fprintf(stderr, "usage: lxrelay --to HOST:PORT [--udp] [--debug-output] [--queue N]\n");
  return 2;
}

}  // namespace

int main(int argc, char** argv) {
  std::string To;
  bool Udp = false, DebugOutput = false;
  std::size_t Queue = DefaultQueue;
  for (int I = 1; I < argc; ++I) {
    const std::string A = argv[I];
    if (A == "--to" && I + 1 < argc) {
      To = argv[++I];
    } else if (A == "--udp") {
      Udp = true;
    } else if (A == "--debug-output") {
      DebugOutput = true;
    } else if (A == "--queue" && I + 1 < argc) {
      char* End = nullptr;
      const unsigned long long N = std::strtoull(argv[++I], &End, 10);
      if (*End || N == 0) return Usage();
      Queue = static_cast<std::size_t>(N);
    } else {
      return Usage();
    }
  }
  TRelayAddress Address;
  if (To.empty() || !ParseRelayAddress(To, Address)) return Usage();
  Address.Udp = Udp;

  WSADATA Wsa;
  if (WSAStartup(MAKEWORD(2, 2), &Wsa) != 0) {
    std::fprintf(stderr, "lxrelay: the network cannot be used\n");
    return 1;
  }
  const HANDLE Mutex = CreateMutexA(nullptr, FALSE, MutexName);
  if (!Mutex || GetLastError() == ERROR_ALREADY_EXISTS || FindWindowA(BkLxViewerClass, nullptr)) {
    std::fprintf(stderr, "lxrelay: a viewer or another relay already runs on this computer\n");
    return 1;
  }
  GFinished = CreateEventA(nullptr, TRUE, FALSE, nullptr);

  TRelaySender Sender(Address, Queue, stdout, TRelayEncoding(Udp));
  TRelay Relay(Sender);
  GRelay = &Relay;
  WNDCLASSA Class{};
  Class.lpfnWndProc = RelayWindowProc;
  Class.hInstance = GetModuleHandleA(nullptr);
  Class.lpszClassName = BkLxViewerClass;
  if (!RegisterClassA(&Class) ||
      !(GWindow = CreateWindowExA(0, BkLxViewerClass, BkLxViewerCaption, WS_OVERLAPPEDWINDOW, 0, 0, 100, 100, nullptr,
                                  nullptr, Class.hInstance, nullptr))) {
    std::fprintf(stderr, "lxrelay: its window could not be created\n");
    return 1;
  }
  SetConsoleCtrlHandler(ConsoleEvent, TRUE);
  Sender.Start();
  std::printf("lxrelay: relaying to %s:%s over %s%s, queue of %zu records\n", Address.Host.c_str(),
              Address.Port.c_str(), Udp ? "UDP" : "TCP", DebugOutput ? ", with the debug output" : "", Queue);
  std::fflush(stdout);

  TRelayPanel Panel(Relay);
  std::unique_ptr<TLxDbgCapture> Capture;
  if (DebugOutput) {
    Capture = std::make_unique<TLxDbgCapture>(Panel);
    const TLxDbgCapture::TStart Started = Capture->Start();
    if (Started != TLxDbgCapture::TStart::Started) {
      std::printf("lxrelay: %s\n", Capture->RefusalText(Started));
      Capture.reset();
    }
  }

  MSG Msg;
  while (GetMessageA(&Msg, nullptr, 0, 0) > 0) {
    TranslateMessage(&Msg);
    DispatchMessageA(&Msg);
  }
  GWindow = nullptr;
  if (Capture) Capture->Stop(true);  // what it holds goes into the queue
  Sender.Stop(DrainMs);
  std::printf("lxrelay: %llu records sent, %llu dropped\n", static_cast<unsigned long long>(Sender.Sent()),
              static_cast<unsigned long long>(Sender.Dropped()));
  std::fflush(stdout);
  GRelay = nullptr;
  SetEvent(GFinished);
  CloseHandle(Mutex);
  WSACleanup();
  return 0;
}
