// Syslog messages from the network in the viewer panel, over real loopback
// sockets: records of every kind come out as a client's would, other tools'
// messages by their severity and host, commands only when allowed, a port in
// use refused, the port closed again when listening stops, bad input counted
// and skipped, and the settings in the registry.
#include <winsock2.h>

#include "ViewerFixture.h"

#include <cstring>

#include "core/LxNetFrm.h"
#include "core/LxNetIntake.h"
#include "model/OrlimoRecord.h"
#include "model/SyslogCodec.h"
#include "platform/AnsiCodec.h"
#include "platform/RegSettingsStore.h"
#include "protocol/LxDispatch.h"

namespace {

struct TWinsock {
  TWinsock() {
    WSADATA D;
    WSAStartup(MAKEWORD(2, 2), &D);
  }
  ~TWinsock() { WSACleanup(); }
};

std::uint16_t FreePort(int Type) {
  const SOCKET S = socket(AF_INET, Type, 0);
  sockaddr_in A{};
  A.sin_family = AF_INET;
  A.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
  bind(S, reinterpret_cast<sockaddr*>(&A), sizeof A);
  int Len = sizeof A;
  getsockname(S, reinterpret_cast<sockaddr*>(&A), &Len);
  closesocket(S);
  return ntohs(A.sin_port);
}

sockaddr_in Loopback(std::uint16_t Port) {
  sockaddr_in A{};
  A.sin_family = AF_INET;
  A.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
  A.sin_port = htons(Port);
  return A;
}

// A TCP connection to the port; INVALID_SOCKET when refused.
SOCKET Connect(std::uint16_t Port) {
  SOCKET S = socket(AF_INET, SOCK_STREAM, IPPROTO_TCP);
  const sockaddr_in A = Loopback(Port);
  if (connect(S, reinterpret_cast<const sockaddr*>(&A), sizeof A) != 0) {
    closesocket(S);
    S = INVALID_SOCKET;
  }
  return S;
}

void SendAll(SOCKET S, const std::string& Bytes) {
  std::size_t Done = 0;
  while (Done < Bytes.size()) {
    const int N = send(S, Bytes.data() + Done, static_cast<int>(Bytes.size() - Done), 0);
    ASSERT_GT(N, 0);
    Done += static_cast<std::size_t>(N);
  }
}

// What the list shows of a message, field by field.
std::string Item(const TOrlimoMsgInfo& I) {
  return std::to_string(I.MsgType()) + "|" + I.AppName() + "|" + I.TypeName() + "|" + std::string(I.Text()) + "|" +
         std::string(I.Details().Raw());
}

class NetworkMessages : public ViewerTest {
protected:
  void SetUp() override {
    ViewerTest::SetUp();
    Key = std::make_unique<TTempKey>(TBkOrlimoComposite::RegistryKey);
  }
  void TearDown() override {
    ViewerTest::TearDown();  // the panel, and with it the listener, goes first
    Key.reset();
  }
  std::vector<std::string> Items() {
    std::vector<std::string> V;
    for (std::int32_t P = 0; P < C->Messages().Count(); ++P) V.push_back(Item(C->Messages().GetItemMsgInfo(P)));
    return V;
  }
  // Lets the reader's batches in until the list holds Count messages.
  bool WaitForCount(std::int32_t Count) {
    for (int I = 0; I < 2000; ++I) {
      Pump();
      if (C->Messages().Count() >= Count) return true;
      Sleep(5);  // the reader thread runs meanwhile
    }
    return false;
  }
  bool Listen(std::int32_t Protocol, std::uint16_t Port, bool Commands = false) {
    return C->SetNetSettings({true, Protocol, Port, false, Commands});
  }
  TWinsock Winsock;
  std::unique_ptr<TTempKey> Key;
};

TEST_F(NetworkMessages, RecordsOfEveryKindArriveOverTcpAsAClientsWould) {
  // The records, dispatched as a client's WM_COPYDATA would be: what the list must show.
  std::vector<TSyslogRecord> Records;
  for (std::int32_t Kind = 0; Kind <= lxmWakeUpSeparator; ++Kind) {
    TSyslogRecord R;
    R.Kind = Kind;
    R.AppName = Kind % 2 ? "Client App.exe" : "svc";
    R.TypeName = Kind % 3 ? "TForm1" : "";
    R.Text = "kind " + std::to_string(Kind) + "\ttab \"q\" ] \\ caf\xE9";
    if (Kind == lxmObject || Kind == lxmStream || Kind == lxmStringList)
      R.Details = "Name=Value\r\nOther=\"x\" ]\r\n\tindented";
    Records.push_back(R);
  }
  for (const TSyslogRecord& R : Records) {
    const std::string Rec = BuildClientRecord(R.Kind, 1, R.Text, R.Details, R.AppName, R.TypeName);
    LxDispatchRecord(R.Kind, Rec.data(), Rec.size(), {C}, TLxIntakeMode::MainForm);
  }
  const std::vector<std::string> Local = Items();
  C->Clear();
  ASSERT_EQ(C->Messages().Count(), 0);

  const std::uint16_t Port = FreePort(SOCK_STREAM);
  ASSERT_TRUE(Listen(0, Port));
  const SOCKET S = Connect(Port);
  ASSERT_NE(S, INVALID_SOCKET);
  std::string Bytes;
  TSyslogOrigin O{"2026-12-10T06:00:00.000Z", "-", "42"};
  for (const TSyslogRecord& R : Records) Bytes += FrameSyslogOctetCounted(EncodeSyslogMessage(R, O, SystemAnsiCodec()));
  SendAll(S, Bytes.substr(0, 700));  // in pieces, as a stream arrives
  SendAll(S, Bytes.substr(700));
  ASSERT_TRUE(WaitForCount(static_cast<std::int32_t>(Local.size())));
  EXPECT_EQ(Items(), Local);
  closesocket(S);
  EXPECT_EQ(C->NetIntake()->Malformed(), 0u);
}

TEST_F(NetworkMessages, OtherToolsMessagesOverUdpBySeverityAndHost) {
  const std::uint16_t Port = FreePort(SOCK_DGRAM);
  ASSERT_TRUE(Listen(1, Port));
  const SOCKET S = socket(AF_INET, SOCK_DGRAM, IPPROTO_UDP);
  const sockaddr_in A = Loopback(Port);
  const char* const Lines[] = {"<11>1 2026-12-10T06:00:00Z buildhost make 77 - - link failed\n",
                               "<12>1 2026-12-10T06:00:00Z - tool 1 - - \xEF\xBB\xBF"
                               "disk almost full\r\n",
                               "<14>Dec 10 06:00:00 myhost cron[12]: started"};
  for (const char* L : Lines)
    sendto(S, L, static_cast<int>(std::strlen(L)), 0, reinterpret_cast<const sockaddr*>(&A), sizeof A);
  closesocket(S);
  ASSERT_TRUE(WaitForCount(3));
  const TOrlimoMsgList& M = C->Messages();
  EXPECT_EQ(M.GetItemMsgInfo(0).MsgType(), lxmError);
  EXPECT_EQ(M.GetItemMsgInfo(0).AppName(), "buildhost/make");
  EXPECT_EQ(M.GetItemText(0), "link failed");
  EXPECT_EQ(M.GetItemMsgInfo(1).MsgType(), lxmWarning);
  EXPECT_EQ(M.GetItemMsgInfo(1).AppName(), "tool");
  EXPECT_EQ(M.GetItemText(1), "disk almost full") << "the BOM and the final line end dropped";
  EXPECT_EQ(M.GetItemMsgInfo(2).MsgType(), lxmInfo);
  EXPECT_NE(M.GetItemMsgInfo(2).AppName().find("cron"), std::string::npos);
}

// The machine's own logger (util-linux) sends over UDP as any tool would.
TEST_F(NetworkMessages, LoggerMessagesArriveBySeverity) {
  if (GetFileAttributesA("Z:\\usr\\bin\\logger") == INVALID_FILE_ATTRIBUTES) GTEST_SKIP() << "no logger here";
  const std::uint16_t Port = FreePort(SOCK_DGRAM);
  ASSERT_TRUE(Listen(1, Port));
  const std::pair<const char*, std::int32_t> Sent[] = {{"err", lxmError}, {"warning", lxmWarning}, {"info", lxmInfo}};
  for (const auto& [Priority, Kind] : Sent) {
    // Wine starts Unix programs through CreateProcess too.
    std::string Line = std::string("/usr/bin/logger --rfc5424 -d -n 127.0.0.1 -P ") + std::to_string(Port) +
                       " -p user." + Priority + " -t lgtool \"logged " + Priority + "\"";
    STARTUPINFOA Si{};
    Si.cb = sizeof Si;
    PROCESS_INFORMATION Pi{};
    ASSERT_TRUE(CreateProcessA(nullptr, Line.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr, &Si, &Pi));
    WaitForSingleObject(Pi.hProcess, 10000);
    CloseHandle(Pi.hProcess);
    CloseHandle(Pi.hThread);
    ASSERT_TRUE(WaitForCount(C->Messages().Count() + 1)) << Priority;
  }
  const TOrlimoMsgList& M = C->Messages();
  for (std::int32_t I = 0; I < 3; ++I) {
    EXPECT_EQ(M.GetItemMsgInfo(I).MsgType(), Sent[I].second);
    EXPECT_EQ(M.GetItemText(I), std::string("logged ") + Sent[I].first);
    const std::string App = M.GetItemMsgInfo(I).AppName();
    EXPECT_EQ(App.substr(App.size() - 6), "lgtool") << App;
  }
}

TEST_F(NetworkMessages, ClearAndSaveCommandsOnlyWhenAllowed) {
  const std::uint16_t Port = FreePort(SOCK_STREAM);
  for (const bool Allowed : {false, true}) {
    SCOPED_TRACE(Allowed ? "allowed" : "not allowed");
    C->Clear();
    ASSERT_TRUE(Listen(0, Port, Allowed));
    const SOCKET S = Connect(Port);
    ASSERT_NE(S, INVALID_SOCKET);
    TSyslogOrigin O{"", "-", ""};
    TSyslogRecord Info{lxmInfo, "app", "", "before", ""}, Clear{lxmClear, "app", "", "", ""},
        After{lxmInfo, "app", "", "after", ""};
    std::string Bytes;
    for (const TSyslogRecord* R : {&Info, &Clear, &After})
      Bytes += FrameSyslogOctetCounted(EncodeSyslogMessage(*R, O, SystemAnsiCodec()));
    SendAll(S, Bytes);
    closesocket(S);
    ASSERT_TRUE(WaitForCount(Allowed ? 1 : 2));
    Pump();
    EXPECT_EQ(C->Messages().Count(), Allowed ? 1 : 2);
    EXPECT_EQ(C->Messages().GetItemText(C->Messages().Count() - 1), "after");
  }
}

TEST_F(NetworkMessages, APortInUseIsRefusedAndStoppingClosesThePort) {
  // Another program holds the port.
  const SOCKET Other = socket(AF_INET, SOCK_STREAM, IPPROTO_TCP);
  sockaddr_in A = Loopback(0);
  bind(Other, reinterpret_cast<sockaddr*>(&A), sizeof A);
  listen(Other, 1);
  int Len = sizeof A;
  getsockname(Other, reinterpret_cast<sockaddr*>(&A), &Len);
  const std::uint16_t Busy = ntohs(A.sin_port);
  std::string Refusal;
  EXPECT_FALSE(C->SetNetSettings({true, 2, Busy, false, false}, &Refusal));
  EXPECT_FALSE(C->GetNetSettings().Listen) << "listening stays off";
  EXPECT_NE(Refusal.find(std::to_string(Busy)), std::string::npos) << Refusal;
  // At start the same goes to the status bar instead of a box.
  C->ApplyNetSettingsAtStart({true, 0, Busy, false, false});
  EXPECT_EQ(C->FStsTypeName->GetCaption(), Refusal);
  EXPECT_TRUE(Boxes.empty());
  closesocket(Other);

  const std::uint16_t Port = FreePort(SOCK_STREAM);
  ASSERT_TRUE(Listen(0, Port));
  SOCKET S = Connect(Port);
  EXPECT_NE(S, INVALID_SOCKET);
  closesocket(S);
  ASSERT_TRUE(C->SetNetSettings({false, 0, Port, false, false}));
  S = Connect(Port);
  EXPECT_EQ(S, INVALID_SOCKET) << "listening off: the port is closed";
  if (S != INVALID_SOCKET) closesocket(S);
}

// Garbage, a message over 64 KB and a connection that never completes one
// leave the viewer listening with nothing else changed.
TEST_F(NetworkMessages, BadInputIsCountedAndSkipped) {
  const std::uint16_t Port = FreePort(SOCK_STREAM);
  ASSERT_TRUE(Listen(0, Port));
  const SOCKET S = Connect(Port);
  ASSERT_NE(S, INVALID_SOCKET);
  std::string Bytes;
  for (int I = 0; I < 200; ++I) Bytes += "12x not a frame\n";
  Bytes += "no header at all\n";
  TSyslogRecord Big{lxmInfo, "big", "", std::string(70000, 'b'), ""};
  Bytes += FrameSyslogOctetCounted(EncodeSyslogMessage(Big, {"", "-", ""}, SystemAnsiCodec()));
  SendAll(S, Bytes);
  closesocket(S);
  ASSERT_TRUE(WaitForCount(1));
  const std::string Text(C->Messages().GetItemText(0));
  EXPECT_NE(Text.find(SyslogCutMark), std::string::npos) << "cut and marked";
  EXPECT_GE(C->NetIntake()->Malformed(), 201u);
  EXPECT_TRUE(C->NetIntake()->IsRunning());
  // Still listening.
  const SOCKET Again = Connect(Port);
  EXPECT_NE(Again, INVALID_SOCKET);
  closesocket(Again);
}

TEST_F(NetworkMessages, TheSettingsAreStoredAndTheDialogEditsThem) {
  const std::uint16_t Port = FreePort(SOCK_STREAM);
  ASSERT_TRUE(C->SetNetSettings({true, 2, Port, false, true}));
  C->SaveSettings();
  TRegSettingsStore Store(TBkOrlimoComposite::RegistryKey);
  EXPECT_EQ(Store.Read("View", "NetListen"), "1");
  EXPECT_EQ(Store.Read("View", "NetProtocol"), "both");
  EXPECT_EQ(Store.Read("View", "NetPort"), std::to_string(Port));
  EXPECT_EQ(Store.Read("View", "NetRemote"), "0");
  EXPECT_EQ(Store.Read("View", "NetCommands"), "1");

  TFrmNetMessages Form;
  Form.SetSettings({true, 1, 5514, false, false}, 7);
  EXPECT_EQ(Form.CbxProtocol->GetItemIndex(), 1);
  EXPECT_EQ(Form.LblMalformed->GetCaption(), "Input that could not be read: 7");
  EXPECT_FALSE(Form.LblRemoteWarning->GetVisible());
  Form.ChkRemote->SetChecked(true);
  Form.ChkRemote->OnClick(Form.ChkRemote);
  EXPECT_TRUE(Form.LblRemoteWarning->GetVisible()) << "the warning under the check box";
  TNetSettings S;
  Form.EdtPort->SetText("65536");
  EXPECT_FALSE(Form.GetSettings(S));
  Form.EdtPort->SetText("6000");
  ASSERT_TRUE(Form.GetSettings(S));
  EXPECT_EQ(S, (TNetSettings{true, 1, 6000, true, false}));
  Form.ChkListen->SetChecked(false);
  Form.ChkListen->OnClick(Form.ChkListen);
  EXPECT_FALSE(Form.EdtPort->GetEnabled());
}

}  // namespace
