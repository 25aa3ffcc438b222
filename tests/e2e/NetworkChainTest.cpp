// A program on another computer, through the whole chain: lxsend sends to
// lxrelay on a second Wine machine (its own wineserver, as the computer under
// test), the relay forwards to Debian's rsyslog, rsyslog to Orlimo.exe
// listening on loopback TCP. What the viewer lists, read back with a save-log
// command that came the same way, is what the same records give when sent to
// it directly, apart from the time stamps (the arrival's over the network).
#include <winsock2.h>

#include "StandaloneUtil.h"
#include "ViewerWindows.h"

#include <functional>
#include <memory>
#include <vector>

#include "model/LogFile.h"
#include "model/MsgList.h"
#include "model/OrlimoMsg.h"
#include "model/TimeText.h"
#include "net/NetProcesses.h"

namespace {

using namespace orlimo_net;

const orlimo_net::TWinsock Winsock;

const char* const NetValues[] = {"NetListen", "NetProtocol", "NetPort", "NetRemote", "NetCommands"};

// The viewer listens on Port with commands from the network allowed, until
// the object ends (then the values are gone again: listening off).
struct TListening {
  explicit TListening(unsigned short Port) {
    SetViewerValue("NetListen", "1");
    SetViewerValue("NetProtocol", "tcp");
    SetViewerValue("NetPort", std::to_string(Port));
    SetViewerValue("NetRemote", "0");
    SetViewerValue("NetCommands", "1");
  }
  ~TListening() {
    HKEY K;
    if (RegOpenKeyExA(HKEY_CURRENT_USER, ViewerViewKey, 0, KEY_SET_VALUE, &K) != ERROR_SUCCESS) return;
    for (const char* Name : NetValues) RegDeleteValueA(K, Name);
    RegCloseKey(K);
  }
};

// A folder of the shared disk for both machines: its Windows and Unix names.
struct TSharedFolder {
  TSharedFolder() {
    Unix = "/tmp/orlimo-chain-" + std::to_string(GetCurrentProcessId());
    Shell("rm -rf " + Unix + " && mkdir -p " + Unix);
    Windows = "Z:" + Unix + "/";
  }
  ~TSharedFolder() { Shell("rm -rf " + Unix); }
  std::string Unix, Windows;
};

// Records of every kind that lists a message, with the bytes a relay could
// spoil: tabs, CR LF in the details, quotes, backslashes, "]", bytes
// 0x80-0xFF, method nesting.
std::string Records(int First, int Count) {
  std::string Log;
  for (int I = First; I < First + Count; ++I) {
    const std::int32_t Kind = I % (lxmWakeUpSeparator + 1);
    const std::string Text = "record " + std::to_string(I) + "\tquote \" back \\ bracket ] caf\xE9 \x80\xFF";
    std::string Details;
    if (Kind == lxmObject || Kind == lxmStringList || Kind == lxmStream)
      Details = "line one\r\nline \"two\" ]\\\r\n\tthree " + std::to_string(I);
    Log += LogRecord(Kind, 1000 + I, Text, Details, I % 3 == 0 ? "Client App.exe" : "Other", I % 2 ? "TForm1" : "");
  }
  return Log;
}

// The log file the viewer saved, once it holds Count messages (at most Ms).
std::unique_ptr<TOrlimoMsgList> WaitForLog(TManualClock& Clock, const std::string& File, std::int32_t Count,
                                           DWORD Ms = 120000) {
  const ULONGLONG Deadline = GetTickCount64() + Ms;
  for (;;) {
    if (FileExists(File)) {
      auto List = std::make_unique<TOrlimoMsgList>(Clock);
      try {
        LoadLogFile(*List, File);
        if (List->Count() >= Count) return List;
      } catch (const std::exception&) {
        // still being written
      }
    }
    if (GetTickCount64() >= Deadline) return nullptr;
    Sleep(50);  // polling another process's file, not letting time pass
  }
}

class NetworkChain : public StandaloneProgram {};

TEST_F(NetworkChain, RecordsFromAnotherMachineArriveThroughRsyslogAsTheySentThem) {
  if (!TRsyslog::Available()) GTEST_SKIP() << "rsyslogd is not installed";
  const unsigned short ViewerPort = FreePort(), RsyslogPort = FreePort();
  ASSERT_NE(ViewerPort, RsyslogPort);
  const TListening Listening(ViewerPort);
  StartViewer();
  ASSERT_TRUE(WaitForPort(ViewerPort, true)) << "the viewer does not listen";

  TRsyslog Rsyslog(RSYSLOG_CONF, RsyslogPort, ViewerPort);
  ASSERT_TRUE(Rsyslog.Start()) << Rsyslog.Output();
  const TSecondMachine Other(MACHINE_SH, SECOND_PREFIX);
  ASSERT_TRUE(Other.Started());
  const TSharedFolder Shared;
  WriteAll(Shared.Unix + "/first.olx", Records(0, 6000));
  WriteAll(Shared.Unix + "/rest.olx", Records(6000, 4000));

  Other.Start(LXRELAY_EXE, "--to 127.0.0.1:" + std::to_string(RsyslogPort), Shared.Unix + "/relay.txt");
  const std::string Send = "--quiet --to main --wait 60000 ";
  ASSERT_EQ(Other.Run(LXSEND_EXE, Send + "--file " + Shared.Windows + "first.olx", Shared.Unix + "/send1.txt"), 0)
      << ReadAll(Shared.Unix + "/send1.txt") << ReadAll(Shared.Unix + "/relay.txt");
  const HWND Count = FindPane(Window, "Messages");
  ASSERT_TRUE(WaitUntil(
      Window, [&] { return Count && TextOf(Count) == "6000 Messages"; }, 120000))
      << TextOf(Count);

  // rsyslog goes away; the relay keeps the rest, the save-log command last.
  ASSERT_TRUE(Rsyslog.Stop());
  const std::string Saved = Shared.Windows + "through-network.olx";
  ASSERT_EQ(Other.Run(LXSEND_EXE, Send + "--file " + Shared.Windows + "rest.olx", Shared.Unix + "/send2.txt"), 0)
      << ReadAll(Shared.Unix + "/send2.txt");
  ASSERT_EQ(Other.Run(LXSEND_EXE, Send + "savelog " + Saved, Shared.Unix + "/send3.txt"), 0)
      << ReadAll(Shared.Unix + "/send3.txt");
  ASSERT_TRUE(Rsyslog.Start()) << Rsyslog.Output();
  TManualClock Clock;
  const auto Network = WaitForLog(Clock, Saved, 10000);
  // What the relay and rsyslog said tells where records stopped, should they.
  ASSERT_NE(Network, nullptr) << "no complete save arrived; the list shows " << TextOf(Count) << "\nthe relay:\n"
                              << ReadAll(Shared.Unix + "/relay.txt") << "rsyslog:\n"
                              << Rsyslog.Output();
  EXPECT_EQ(Network->Count(), 10000);

  // The same records sent to the viewer here.
  ASSERT_EQ(RunLxSend("clear"), 0);
  ASSERT_EQ(RunLxSend("--file " + Quote(Shared.Windows + "first.olx")), 0);
  ASSERT_EQ(RunLxSend("--file " + Quote(Shared.Windows + "rest.olx")), 0);
  const std::string LocalFile = SaveLog("chain-local.olx");
  const auto Local = WaitForLog(Clock, LocalFile, 10000);
  ASSERT_NE(Local, nullptr);
  DeleteFileA(LocalFile.c_str());
  ASSERT_EQ(Network->Count(), Local->Count());
  for (std::int32_t I = 0; I < Local->Count(); ++I) {
    const TOrlimoMsgInfo& N = Network->GetItemMsgInfo(I);
    const TOrlimoMsgInfo& L = Local->GetItemMsgInfo(I);
    ASSERT_EQ(N.MsgType(), L.MsgType()) << I;
    ASSERT_EQ(N.Text(), L.Text()) << I;
    ASSERT_EQ(N.AppName(), L.AppName()) << I;
    ASSERT_EQ(N.TypeName(), L.TypeName()) << I;
    ASSERT_EQ(N.IndentLevel(), L.IndentLevel()) << I;
    ASSERT_EQ(static_cast<bool>(N.Details()), static_cast<bool>(L.Details())) << I;
    ASSERT_EQ(N.Details().Raw(), L.Details().Raw()) << I;
  }
  CloseViewer();
}

}  // namespace
