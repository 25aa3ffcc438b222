#include "core/LxNetIntake.h"

#include <ws2tcpip.h>

#include <algorithm>
#include <utility>

#include "core/BkLxStr.h"
#include "model/OrlimoMsg.h"
#include "model/OrlimoRecord.h"
#include "platform/AnsiCodec.h"
#include "platform/Forms.h"
#include "protocol/LxDispatch.h"

namespace {

constexpr UINT WM_NETBATCH = WM_APP + 0x2D1;
constexpr const char* NetClassName = "TLxNetIntake";
// How often the reader looks at the stop flag and the idle connections.
constexpr long PollMs = 100;

std::string ComputerName() {
  char Name[MAX_COMPUTERNAME_LENGTH + 1] = {};
  DWORD Size = sizeof Name;
  return GetComputerNameA(Name, &Size) ? std::string(Name, Size) : std::string();
}

// A socket bound to the port; INVALID_SOCKET with the error in Error.
SOCKET Bind(int Type, const TNetListenOptions& O, int& Error) {
  const SOCKET S = socket(AF_INET, Type, Type == SOCK_STREAM ? IPPROTO_TCP : IPPROTO_UDP);
  if (S == INVALID_SOCKET) {
    Error = WSAGetLastError();
    return S;
  }
  // Nobody else may take the port while it is ours.
  const BOOL Exclusive = TRUE;
  setsockopt(S, SOL_SOCKET, SO_EXCLUSIVEADDRUSE, reinterpret_cast<const char*>(&Exclusive), sizeof Exclusive);
  sockaddr_in A{};
  A.sin_family = AF_INET;
  A.sin_addr.s_addr = htonl(O.Remote ? INADDR_ANY : INADDR_LOOPBACK);
  A.sin_port = htons(O.Port);
  if (bind(S, reinterpret_cast<sockaddr*>(&A), sizeof A) != 0 || (Type == SOCK_STREAM && listen(S, SOMAXCONN) != 0)) {
    Error = WSAGetLastError();
    closesocket(S);
    return INVALID_SOCKET;
  }
  u_long NonBlocking = 1;
  ioctlsocket(S, FIONBIO, &NonBlocking);
  return S;
}

bool IsCommand(std::int32_t Kind) { return Kind == lxmClear || Kind == lxmSaveLog; }

}  // namespace

TLxNetIntake::TLxNetIntake(TLxIntakePanel& Panel) : FPanel(Panel), FLocalHost(ComputerName()) {
  WSADATA Data;
  WSAStartup(MAKEWORD(2, 2), &Data);
  const HINSTANCE Instance = BkLxStr::ResourceModule();
  WNDCLASSA Class{};
  if (!GetClassInfoA(Instance, NetClassName, &Class)) {
    Class.lpfnWndProc = &TLxNetIntake::WindowProc;
    Class.hInstance = Instance;
    Class.lpszClassName = NetClassName;
    RegisterClassA(&Class);
  }
  FWnd = CreateWindowExA(0, NetClassName, "", 0, 0, 0, 0, 0, HWND_MESSAGE, nullptr, Instance, nullptr);
  if (FWnd) SetWindowLongPtrA(FWnd, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(this));
}

TLxNetIntake::~TLxNetIntake() {
  Stop();
  if (FWnd) {
    SetWindowLongPtrA(FWnd, GWLP_USERDATA, 0);
    DestroyWindow(FWnd);
  }
  WSACleanup();
}

TLxNetIntake::TStart TLxNetIntake::Start(const TNetListenOptions& Options) {
  if (IsRunning()) return TStart::Started;
  FOptions = Options;
  int Error = 0;
  if (Options.Tcp) FTcp = Bind(SOCK_STREAM, Options, Error);
  if (Options.Udp && (!Options.Tcp || FTcp != INVALID_SOCKET)) FUdp = Bind(SOCK_DGRAM, Options, Error);
  if ((Options.Tcp && FTcp == INVALID_SOCKET) || (Options.Udp && FUdp == INVALID_SOCKET) ||
      (!Options.Tcp && !Options.Udp)) {
    CloseSockets();
    return Error == WSAEADDRINUSE || Error == WSAEACCES ? TStart::InUse : TStart::Failed;
  }
  FStopping = false;
  FThread = std::thread([this] { Run(); });
  return TStart::Started;
}

void TLxNetIntake::Stop() {
  if (FThread.joinable()) {
    FStopping = true;
    FThread.join();
  }
  CloseSockets();
  TakeBatch();  // what arrived before the stop is listed
}

void TLxNetIntake::CloseSockets() {
  for (TConnection& C : FConnections) closesocket(C.Socket);
  FConnections.clear();
  FConnectionCount = 0;
  if (FTcp != INVALID_SOCKET) closesocket(FTcp);
  if (FUdp != INVALID_SOCKET) closesocket(FUdp);
  FTcp = FUdp = INVALID_SOCKET;
}

std::string TLxNetIntake::RefusalText(TStart Result, const TNetListenOptions& Options) {
  const std::string Port = std::to_string(Options.Port);
  if (Result == TStart::InUse)
    return "Port " + Port +
           " is in use by another program or not allowed: Orlimo is not listening for network messages.";
  return "Orlimo cannot listen for network messages on port " + Port + ".";
}

void TLxNetIntake::Run() {
  std::vector<TSyslogFrame> Frames;
  std::vector<char> Datagram(SyslogMaxMessage + 1);
  while (!FStopping) {
    fd_set Readable;
    FD_ZERO(&Readable);
    if (FTcp != INVALID_SOCKET) FD_SET(FTcp, &Readable);
    if (FUdp != INVALID_SOCKET) FD_SET(FUdp, &Readable);
    for (const TConnection& C : FConnections) FD_SET(C.Socket, &Readable);
    timeval Wait{0, PollMs * 1000};
    const int Ready = select(0, &Readable, nullptr, nullptr, &Wait);
    const std::uint64_t Now = GetTickCount64();
    if (Ready > 0 && FTcp != INVALID_SOCKET && FD_ISSET(FTcp, &Readable)) {
      const SOCKET S = accept(FTcp, nullptr, nullptr);
      if (S != INVALID_SOCKET) {
        if (FConnections.size() >= MaxConnections) {
          closesocket(S);
        } else {
          u_long NonBlocking = 1;
          ioctlsocket(S, FIONBIO, &NonBlocking);
          FConnections.push_back({S, TSyslogSplitter(), Now});
        }
      }
    }
    if (Ready > 0 && FUdp != INVALID_SOCKET && FD_ISSET(FUdp, &Readable)) {
      for (;;) {  // every datagram waiting
        const int N = recv(FUdp, Datagram.data(), static_cast<int>(Datagram.size()), 0);
        if (N < 0 && WSAGetLastError() == WSAEMSGSIZE) {
          Frames.push_back({std::string(Datagram.data(), SyslogMaxMessage), true});
          continue;
        }
        if (N <= 0) break;
        const auto Size = static_cast<std::size_t>(N);
        Frames.push_back({std::string(Datagram.data(), std::min(Size, SyslogMaxMessage)), Size > SyslogMaxMessage});
      }
    }
    for (std::size_t I = 0; I < FConnections.size();) {
      TConnection& C = FConnections[I];
      bool Close = false;
      if (Ready > 0 && FD_ISSET(C.Socket, &Readable)) {
        const std::size_t Before = Frames.size();
        Read(C, Frames);
        if (Frames.size() > Before) C.LastMessage = Now;
        Close = C.Socket == INVALID_SOCKET;
      }
      if (!Close && Now - C.LastMessage >= FIdleTimeout) Close = true;
      if (Close) {
        if (C.Socket != INVALID_SOCKET) closesocket(C.Socket);
        FConnections[I] = std::move(FConnections.back());
        FConnections.pop_back();
      } else {
        ++I;
      }
    }
    FConnectionCount = FConnections.size();
    if (!Frames.empty()) Queue(Frames);
  }
}

void TLxNetIntake::Read(TConnection& C, std::vector<TSyslogFrame>& Frames) {
  char Buf[16384];
  for (;;) {
    const int N = recv(C.Socket, Buf, sizeof Buf, 0);
    if (N > 0) {
      const std::uint64_t Before = C.Splitter.Malformed();
      C.Splitter.Feed(Buf, static_cast<std::size_t>(N), Frames);
      FMalformed += C.Splitter.Malformed() - Before;
      continue;
    }
    if (N < 0 && WSAGetLastError() == WSAEWOULDBLOCK) return;
    // Closed (or reset) by the sender: a message it left unfinished is lost.
    if (C.Splitter.InFrame()) ++FMalformed;
    closesocket(C.Socket);
    C.Socket = INVALID_SOCKET;
    return;
  }
}

void TLxNetIntake::Queue(std::vector<TSyslogFrame>& Frames) {
  std::vector<TSyslogMessage> Parsed;
  Parsed.reserve(Frames.size());
  for (const TSyslogFrame& F : Frames) {
    TSyslogMessage M;
    if (ParseSyslogMessage(F.Message, FLocalHost, SystemAnsiCodec(), M, F.Cut))
      Parsed.push_back(std::move(M));
    else
      ++FMalformed;
  }
  Frames.clear();
  bool Post = false;
  {
    const std::lock_guard<std::mutex> Guard(FLock);
    for (TSyslogMessage& M : Parsed) {
      if (FQueue.size() >= QueueBound) {
        ++FMalformed;  // the GUI cannot keep up: dropped, and counted
        continue;
      }
      FQueue.push_back(std::move(M));
    }
    Post = !FPosted && !FQueue.empty();
    if (Post) FPosted = true;
  }
  if (Post && FWnd) PostMessageA(FWnd, WM_NETBATCH, 0, 0);
}

bool TLxNetIntake::TakeBatch() {
  std::vector<TSyslogMessage> Batch;
  {
    const std::lock_guard<std::mutex> Guard(FLock);
    Batch.swap(FQueue);
    FPosted = false;
  }
  if (Batch.empty()) return false;
  const std::vector<TLxIntakePanel*> Panels{&FPanel};
  const auto Tick = static_cast<std::int32_t>(GetTickCount());
  std::string Record;
  for (const TSyslogMessage& M : Batch) {
    if (IsCommand(M.Kind) && !FAllowCommands) continue;
    Record = BuildClientRecord(M.Kind, Tick, M.Text, M.Details, M.AppName, M.TypeName);
    ++FReceived;
    LxDispatchRecord(M.Kind, Record.data(), Record.size(), Panels, TLxIntakeMode::MainForm);
  }
  return true;
}

LRESULT CALLBACK TLxNetIntake::WindowProc(HWND Wnd, UINT Msg, WPARAM WParam, LPARAM LParam) noexcept {
  auto* Self = reinterpret_cast<TLxNetIntake*>(GetWindowLongPtrA(Wnd, GWLP_USERDATA));
  if (!Self || Msg != WM_NETBATCH) return DefWindowProcA(Wnd, Msg, WParam, LParam);
  // A failure ends the batch where it happened (what was taken is not listed
  // twice) and is shown as any other.
  try {
    Self->TakeBatch();
  } catch (const std::exception& E) {
    Application->HandleException(E);
  } catch (...) {
    Application->HandleUnknownException();
  }
  return 0;
}
