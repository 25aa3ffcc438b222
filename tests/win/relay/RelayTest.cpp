// lxrelay between clients and a syslog receiver: records sent to it as to the
// viewer come out of a real loopback socket as syslog messages that decode to
// the same records, in order; the queue covers a receiver that is away.
#include <winsock2.h>
#include <ws2tcpip.h>

#include <windows.h>

#include <gtest/gtest.h>

#include <cstdio>
#include <string>
#include <vector>

#include "lxsend/LxProcess.h"
#include "lxsend/LxSender.h"
#include "model/OrlimoMsg.h"
#include "model/OrlimoRecord.h"
#include "model/SyslogCodec.h"
#include "net/NetProcesses.h"
#include "platform/AnsiCodec.h"

namespace {

const orlimo_net::TWinsock Winsock;

std::string ComputerName() {
  char Name[MAX_COMPUTERNAME_LENGTH + 1] = {};
  DWORD Size = sizeof Name;
  GetComputerNameA(Name, &Size);
  return Name;
}

// A receiver on 127.0.0.1: TCP (listening) or UDP (bound).
class TReceiver {
public:
  explicit TReceiver(bool Udp, unsigned short Port = 0) : FUdp(Udp) {
    FSocket = socket(AF_INET, Udp ? SOCK_DGRAM : SOCK_STREAM, Udp ? IPPROTO_UDP : IPPROTO_TCP);
    sockaddr_in A{};
    A.sin_family = AF_INET;
    A.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    A.sin_port = htons(Port);
    const BOOL Reuse = TRUE;
    setsockopt(FSocket, SOL_SOCKET, SO_REUSEADDR, reinterpret_cast<const char*>(&Reuse), sizeof Reuse);
    if (bind(FSocket, reinterpret_cast<sockaddr*>(&A), sizeof A) != 0) return;
    if (!Udp && listen(FSocket, 4) != 0) return;
    int Len = sizeof A;
    getsockname(FSocket, reinterpret_cast<sockaddr*>(&A), &Len);
    FPort = ntohs(A.sin_port);
  }
  ~TReceiver() {
    if (FConnection != INVALID_SOCKET) closesocket(FConnection);
    closesocket(FSocket);
  }
  unsigned short Port() const { return FPort; }
  // Reads until Count messages arrived (at most Ms); they are in Messages.
  bool Receive(std::size_t Count, DWORD Ms = 20000) {
    const ULONGLONG Deadline = GetTickCount64() + Ms;
    char Buf[65536];
    while (Messages.size() < Count) {
      const ULONGLONG Now = GetTickCount64();
      if (Now >= Deadline) return false;
      SOCKET S = FUdp ? FSocket : FConnection;
      if (!FUdp && S == INVALID_SOCKET) S = FSocket;  // waiting for the connection
      fd_set Read;
      FD_ZERO(&Read);
      FD_SET(S, &Read);
      timeval T{static_cast<long>((Deadline - Now) / 1000), static_cast<long>((Deadline - Now) % 1000 * 1000)};
      if (select(0, &Read, nullptr, nullptr, &T) <= 0) continue;
      if (!FUdp && FConnection == INVALID_SOCKET) {
        FConnection = accept(FSocket, nullptr, nullptr);
        ++Connections;
        continue;
      }
      const int N = recv(S, Buf, sizeof Buf, 0);
      if (N <= 0) {
        closesocket(FConnection);  // the relay went away: wait for the next connection
        FConnection = INVALID_SOCKET;
        continue;
      }
      if (FUdp) {
        Messages.push_back({std::string(Buf, static_cast<std::size_t>(N)), false});
      } else {
        Splitter.Feed(Buf, static_cast<std::size_t>(N), Messages);
      }
    }
    return true;
  }
  std::vector<TSyslogFrame> Messages;
  TSyslogSplitter Splitter;
  int Connections = 0;

private:
  bool FUdp;
  SOCKET FSocket = INVALID_SOCKET;
  SOCKET FConnection = INVALID_SOCKET;
  unsigned short FPort = 0;
};

// lxrelay started with its console output in a file.
class TRelayProcess {
public:
  explicit TRelayProcess(const std::string& Args) {
    char Tmp[MAX_PATH];
    GetTempPathA(MAX_PATH, Tmp);
    FOutput = std::string(Tmp) + "relay_test_" + std::to_string(GetCurrentProcessId()) + ".txt";
    SECURITY_ATTRIBUTES Sa{sizeof Sa, nullptr, TRUE};
    const HANDLE Out =
        CreateFileA(FOutput.c_str(), GENERIC_WRITE, FILE_SHARE_READ | FILE_SHARE_WRITE, &Sa, CREATE_ALWAYS, 0, nullptr);
    STARTUPINFOA Si{};
    Si.cb = sizeof Si;
    Si.dwFlags = STARTF_USESTDHANDLES;
    Si.hStdOutput = Out;
    Si.hStdError = Out;
    Si.hStdInput = GetStdHandle(STD_INPUT_HANDLE);
    std::string Line = std::string("\"") + LXRELAY_EXE + "\" " + Args;
    FStarted = CreateProcessA(nullptr, Line.data(), nullptr, nullptr, TRUE, CREATE_NO_WINDOW, nullptr, nullptr, &Si,
                              &FInfo) != FALSE;
    CloseHandle(Out);
    // Its window appears once it is ready for clients.
    for (int I = 0; FStarted && I < 2000 && !FWindow; ++I) {
      FWindow = LxFindTarget(TLxTarget::Main);
      if (!FWindow && WaitForSingleObject(FInfo.hProcess, 10) == WAIT_OBJECT_0) break;
    }
  }
  ~TRelayProcess() {
    if (!FStarted) return;
    if (WaitForSingleObject(FInfo.hProcess, 0) == WAIT_TIMEOUT) {
      Close();
      if (WaitForSingleObject(FInfo.hProcess, 15000) == WAIT_TIMEOUT) TerminateProcess(FInfo.hProcess, 9);
    }
    CloseHandle(FInfo.hProcess);
    CloseHandle(FInfo.hThread);
    DeleteFileA(FOutput.c_str());
  }
  HWND Window() const { return FWindow; }
  void Close() const {
    if (FWindow) PostMessageA(FWindow, WM_CLOSE, 0, 0);
  }
  // The exit code once it ended (at most Ms), -1 while it runs.
  long Wait(DWORD Ms) const {
    if (WaitForSingleObject(FInfo.hProcess, Ms) != WAIT_OBJECT_0) return -1;
    DWORD Code = 0;
    GetExitCodeProcess(FInfo.hProcess, &Code);
    return static_cast<long>(Code);
  }
  std::string Output() const {
    std::string S;
    if (FILE* F = std::fopen(FOutput.c_str(), "rb")) {
      char Buf[4096];
      std::size_t N;
      while ((N = std::fread(Buf, 1, sizeof Buf, F)) > 0) S.append(Buf, N);
      std::fclose(F);
    }
    return S;
  }

private:
  std::string FOutput;
  PROCESS_INFORMATION FInfo{};
  bool FStarted = false;
  HWND FWindow = nullptr;
};

// Records of every kind with the bytes a relay could spoil: tabs, CR LF in the
// details, quotes, backslashes, "]", characters beyond ASCII.
std::vector<TLxMessage> EveryKind(int Count) {
  std::vector<TLxMessage> V;
  for (int I = 0; I < Count; ++I) {
    TLxMessage M;
    M.Kind = I % 16;
    M.Text = "record " + std::to_string(I) + "\tquote \" back \\ bracket ] caf\xE9 \x80\xFF";
    if (M.Kind == lxmObject || M.Kind == lxmStringList || M.Kind == lxmStream)
      M.Details = "line one\r\nline \"two\" ]\\\r\n\tthree " + std::to_string(I);
    M.AppName = I % 3 == 0 ? "Client App.exe" : "Other";
    M.TypeName = I % 2 ? "TForm1" : "";
    V.push_back(M);
  }
  return V;
}

void SendAll(HWND Relay, const std::vector<TLxMessage>& V) {
  for (const TLxMessage& M : V)
    ASSERT_EQ(LxSendRecordTo(Relay, M.Kind, BuildClientRecord(M.Kind, 1, M.Text, M.Details, M.AppName, M.TypeName)),
              TLxSendResult::Taken);
}

void ExpectSame(const std::vector<TLxMessage>& Sent, const std::vector<TSyslogFrame>& Got) {
  ASSERT_EQ(Got.size(), Sent.size());
  const std::string Host = ComputerName();
  for (std::size_t I = 0; I < Sent.size(); ++I) {
    TSyslogMessage M;
    ASSERT_TRUE(ParseSyslogMessage(Got[I].Message, Host, SystemAnsiCodec(), M)) << Got[I].Message;
    EXPECT_TRUE(M.FromElement);
    EXPECT_EQ(M.Kind, Sent[I].Kind) << I;
    EXPECT_EQ(M.AppName, Sent[I].AppName) << I;
    EXPECT_EQ(M.TypeName, Sent[I].TypeName) << I;
    EXPECT_EQ(M.Text, Sent[I].Text) << I;
    EXPECT_EQ(M.Details, Sent[I].Details) << I;
  }
}

TEST(Relay, RecordsOfEveryKindLeaveOverTcpByteExactAndInOrder) {
  TReceiver R(false);
  ASSERT_NE(R.Port(), 0);
  TRelayProcess Relay("--to 127.0.0.1:" + std::to_string(R.Port()));
  ASSERT_NE(Relay.Window(), nullptr) << Relay.Output();
  const std::vector<TLxMessage> Sent = EveryKind(2000);
  SendAll(Relay.Window(), Sent);
  ASSERT_TRUE(R.Receive(Sent.size())) << R.Messages.size() << " arrived";
  ExpectSame(Sent, R.Messages);
  EXPECT_EQ(R.Splitter.Malformed(), 0u);

  // A record that does not fit the bytes that came is not taken.
  const std::string Short(100, '\0');
  EXPECT_EQ(LxSendRecordTo(Relay.Window(), lxmInfo, Short), TLxSendResult::NotTaken);
  // A second relay (or the viewer) cannot start beside it.
  TRelayProcess Second("--to 127.0.0.1:" + std::to_string(R.Port()));
  EXPECT_EQ(Second.Wait(10000), 1);
  Relay.Close();
  EXPECT_EQ(Relay.Wait(10000), 0);
  EXPECT_NE(Relay.Output().find("2000 records sent, 0 dropped"), std::string::npos) << Relay.Output();
}

TEST(Relay, OverUdpEachRecordIsOneDatagram) {
  TReceiver R(true);
  ASSERT_NE(R.Port(), 0);
  TRelayProcess Relay("--udp --to 127.0.0.1:" + std::to_string(R.Port()));
  ASSERT_NE(Relay.Window(), nullptr) << Relay.Output();
  // Enough that records queue up while the sender works, so they go out in
  // batches (each still one datagram), yet well within the receive buffer.
  const std::vector<TLxMessage> Sent = EveryKind(200);
  SendAll(Relay.Window(), Sent);
  ASSERT_TRUE(R.Receive(Sent.size())) << R.Messages.size() << " arrived; " << Relay.Output();
  ExpectSame(Sent, R.Messages);
}

// While the receiver is away the records wait in the queue, up to its bound;
// the relay connects again by itself and sends them in order, and its console
// says how many it dropped. Closing the relay sends what is queued first.
TEST(Relay, TheQueueKeepsRecordsWhileTheReceiverIsAway) {
  unsigned short Port = 0;
  {
    const TReceiver Probe(false);  // a free port, closed again
    Port = Probe.Port();
  }
  TRelayProcess Relay("--queue 300 --to 127.0.0.1:" + std::to_string(Port));
  ASSERT_NE(Relay.Window(), nullptr) << Relay.Output();
  const std::vector<TLxMessage> All = EveryKind(500);
  SendAll(Relay.Window(), All);  // answered at once, though nothing can be sent
  {
    TReceiver R(false, Port);
    ASSERT_EQ(R.Port(), Port);
    ASSERT_TRUE(R.Receive(300));
    ExpectSame(std::vector<TLxMessage>(All.begin(), All.begin() + 300), R.Messages);
  }  // the receiver goes away again

  const std::vector<TLxMessage> More = EveryKind(40);
  SendAll(Relay.Window(), More);
  Relay.Close();  // the relay keeps trying for a while before it ends
  TReceiver R(false, Port);
  ASSERT_TRUE(R.Receive(More.size()));
  ExpectSame(More, R.Messages);
  EXPECT_EQ(Relay.Wait(15000), 0);
  const std::string Out = Relay.Output();
  EXPECT_NE(Out.find("200 records were dropped while the queue was full"), std::string::npos) << Out;
  EXPECT_NE(Out.find("340 records sent, 200 dropped"), std::string::npos) << Out;
}

// With --debug-output the lines other programs write with OutputDebugString go
// out too, as the viewer's capture lists them.
TEST(Relay, DebugOutputOfOtherProgramsGoesOutToo) {
  TReceiver R(false);
  TRelayProcess Relay("--debug-output --to 127.0.0.1:" + std::to_string(R.Port()));
  ASSERT_NE(Relay.Window(), nullptr) << Relay.Output();
  TLxProcess Writer;
  ASSERT_TRUE(Writer.Start(std::string("\"") + DBGWRITER_EXE + "\" \"first line\\nsecond\\n\"", SW_HIDE));
  const long Code = Writer.Wait(20000);
  ASSERT_EQ(Code, 0);
  ASSERT_TRUE(R.Receive(2)) << Relay.Output();
  const std::string Pid = "PID " + std::to_string(Writer.Id());
  const char* const Lines[] = {"first line", "second"};
  for (int I = 0; I < 2; ++I) {
    TSyslogMessage M;
    ASSERT_TRUE(ParseSyslogMessage(R.Messages[I].Message, ComputerName(), SystemAnsiCodec(), M));
    EXPECT_EQ(M.Kind, lxmInfo);
    EXPECT_EQ(M.Text, Lines[I]);
    EXPECT_EQ(M.AppName, "dbgwriter.exe");
    EXPECT_EQ(M.TypeName, Pid);
  }
}

// lxsend's records through the relay and rsyslog arrive byte for byte and in
// order; rsyslog stopped and started again in the middle loses nothing (the
// relay keeps what it cannot send).
TEST(Relay, ThroughRsyslogRecordsArriveByteExactAndSurviveItsRestart) {
  if (!orlimo_net::TRsyslog::Available()) GTEST_SKIP() << "rsyslogd is not installed";
  TReceiver R(false);
  const unsigned short In = orlimo_net::FreePort();
  orlimo_net::TRsyslog Rsyslog(RSYSLOG_CONF, In, R.Port());
  ASSERT_TRUE(Rsyslog.Start());
  TRelayProcess Relay("--to 127.0.0.1:" + std::to_string(In));
  ASSERT_NE(Relay.Window(), nullptr) << Relay.Output();

  const std::vector<TLxMessage> Sent = EveryKind(10000);
  const std::vector<TLxMessage> First(Sent.begin(), Sent.begin() + 6000), Rest(Sent.begin() + 6000, Sent.end());
  SendAll(Relay.Window(), First);
  ASSERT_TRUE(R.Receive(First.size(), 60000)) << R.Messages.size() << " arrived";

  ASSERT_TRUE(Rsyslog.Stop());
  SendAll(Relay.Window(), Rest);  // the relay answers and queues them
  ASSERT_TRUE(Rsyslog.Start());
  ASSERT_TRUE(R.Receive(Sent.size(), 60000)) << R.Messages.size() << " arrived";
  ExpectSame(Sent, R.Messages);
  EXPECT_EQ(R.Splitter.Malformed(), 0u);
}

TEST(Relay, AWrongCommandLineIsRefused) {
  for (const char* Args :
       {"", "--to nowhere", "--to 127.0.0.1:0", "--to 127.0.0.1:70000", "--queue 0 --to h:1", "--to h:1 --bogus"}) {
    TRelayProcess Relay(Args);
    EXPECT_EQ(Relay.Window(), nullptr) << Args;
    EXPECT_EQ(Relay.Wait(10000), 2) << Args;
  }
}

}  // namespace
