// The client sender against windows with the receiving windows' identities:
// the record it builds (checked with the viewer's decoder), which window it
// finds, the registry values it reads, the text channel, the short calls and
// several threads sending at once.
#include <gtest/gtest.h>
#include <windows.h>

#include <atomic>
#include <stdexcept>
#include <string>
#include <thread>
#include <vector>

#include "ClientTestUtil.h"
#include "model/OrlimoMsg.h"
#include "model/OrlimoRecord.h"
#include "protocol/client/BkLxIntf.h"
#include "protocol/LxSatFrm.h"

using namespace client_test;

namespace {

std::int32_t Field(const std::string& Bytes, std::size_t Offset) {
  return ReadInt32LE(reinterpret_cast<const unsigned char*>(Bytes.data()) + Offset);
}

// A sender with no satellite bypass from the registry.
struct TPlainSender : TBkOrlimo {
  TPlainSender() { SetByPassSatellite(false); }
};

}  // namespace

TEST(ClientRecord, IsTheLayoutTheViewerDecodes) {
  const std::string B = BkLxBuildRecord(lxmObject, 0xFFFFFFFBu, "hello", "Name\tx\r\nSize\t3", "Client", "TForm");
  // The same bytes as the viewer's own encoder gives (every unused byte zero).
  EXPECT_TRUE(B == BuildClientRecord(lxmObject, -5, "hello", "Name\tx\r\nSize\t3", "Client", "TForm"));
  ASSERT_EQ(B.size(), 227u + 5 + 14);
  TOrlimoRecord R;
  ASSERT_EQ(DecodeRecord(B.data(), B.size(), R), TRecordStatus::Ok);
  EXPECT_EQ(R.Kind, lxmObject);
  EXPECT_EQ(R.TickCount, -5);
  EXPECT_EQ(R.Text, "hello");
  EXPECT_EQ(R.Details, "Name\tx\r\nSize\t3");
  EXPECT_EQ(R.AppName, "Client");
  EXPECT_EQ(R.TypeName, "TForm");
  // The NUL after the details and the two spare bytes.
  EXPECT_EQ(B.substr(B.size() - 3), std::string(3, '\0'));
}

TEST(ClientRecord, DropsOneFinalCrLfOfTheTextOnly) {
  struct TCase {
    const char* Text;
    std::string Sent;
  } Cases[] = {{"abc\r\n", "abc"},         {"\r\n", ""},     {"abc\n", "abc\n"}, {"abc\r", "abc\r"},
               {"abc\r\n\r\n", "abc\r\n"}, {"\n\r", "\n\r"}, {"", ""},           {"a\r\nb", "a\r\nb"}};
  for (const TCase& C : Cases) {
    const std::string B = BkLxBuildRecord(lxmInfo, 1, C.Text, "d\r\n", "App", "");
    EXPECT_EQ(Field(B, OrlimoOffsetTextLen), static_cast<std::int32_t>(C.Sent.size())) << C.Text;
    EXPECT_EQ(Field(B, OrlimoOffsetDetailsLen), 3) << "the details keep their CR LF";
    EXPECT_EQ(B.size(), 227 + C.Sent.size() + 3);
    TOrlimoRecord R;
    ASSERT_EQ(DecodeRecord(B.data(), B.size(), R), TRecordStatus::Ok);
    EXPECT_EQ(R.Text, C.Sent);
    EXPECT_EQ(R.Details, "d\r\n");
  }
}

TEST(ClientRecord, CutsTheNamesSoThatTheyStayTerminated) {
  const std::string B = BkLxBuildRecord(lxmInfo, 0, "t", "", std::string(200, 'A'), std::string(100, 'T'));
  TOrlimoRecord R;
  ASSERT_EQ(DecodeRecord(B.data(), B.size(), R), TRecordStatus::Ok);
  EXPECT_EQ(R.AppName, std::string(127, 'A'));
  EXPECT_EQ(R.TypeName, std::string(79, 'T'));
  EXPECT_EQ(B[OrlimoOffsetAppName + 127], '\0');
  EXPECT_EQ(B[OrlimoOffsetTypeName + 79], '\0');
  // Names that fit are kept whole.
  const std::string C = BkLxBuildRecord(lxmInfo, 0, "t", "", std::string(127, 'a'), std::string(79, 't'));
  ASSERT_EQ(DecodeRecord(C.data(), C.size(), R), TRecordStatus::Ok);
  EXPECT_EQ(R.AppName.size(), 127u);
  EXPECT_EQ(R.TypeName.size(), 79u);
}

TEST(ClientRecord, WindowIdentitiesAreTheIntakeWindows) {
  EXPECT_STREQ(BkLxSatelliteClass, TBkFrmLxSatellite::WindowClass);
  EXPECT_STREQ(BkLxSatelliteCaption, TBkFrmLxSatellite::WindowCaption);
  EXPECT_STREQ(BkLxViewerClass, "TBkFrmOrlimo");
  EXPECT_STREQ(BkLxViewerCaption, "Orlimo (32-bit)");
}

TEST(ClientSender, SendsOneRecordWithTheProgramsNameAndTheTickCountNow) {
  TExePath NoExePath;
  TViewerWindow Viewer;
  TPlainSender Sender;
  EXPECT_EQ(Sender.GetAppName(), "client_tests");
  const DWORD Before = GetTickCount();
  EXPECT_EQ(Sender.SendMsgWithDetails(lxmObject, "Customer\r\n", "Name\tAcme\r\nCity\tX", "TCustomer"),
            TBkLxSendResult::Taken);
  const DWORD After = GetTickCount();
  EXPECT_EQ(Sender.SendMsg(lxmWarning, nullptr, std::string("T\0U", 3)), TBkLxSendResult::Taken);
  EXPECT_EQ(Sender.SendMsgWithDetails(-7, "neg", nullptr, ""), TBkLxSendResult::Taken);
  ASSERT_EQ(Viewer.Received.size(), 3u);

  const TReceived& First = Viewer.Received[0];
  EXPECT_EQ(First.Kind, static_cast<std::uint32_t>(lxmObject));
  EXPECT_EQ(First.Bytes.size(), 227u + 8 + 17) << "cbData is 227 + N1 + N2";
  const TOrlimoRecord R = First.Record();
  EXPECT_EQ(R.Kind, lxmObject);
  EXPECT_EQ(R.Text, "Customer");
  EXPECT_EQ(R.Details, "Name\tAcme\r\nCity\tX");
  EXPECT_EQ(R.AppName, "client_tests");
  EXPECT_EQ(R.TypeName, "TCustomer");
  EXPECT_GE(static_cast<DWORD>(R.TickCount) - Before, 0u);
  EXPECT_LE(static_cast<DWORD>(R.TickCount) - Before, After - Before);

  const TOrlimoRecord W = Viewer.Received[1].Record();
  EXPECT_EQ(W.Text, "");
  EXPECT_EQ(W.Details, "");
  EXPECT_EQ(W.TypeName, "T") << "the type name ends at its NUL";
  EXPECT_EQ(Viewer.Received[2].Kind, 0xFFFFFFF9u);
  EXPECT_EQ(Viewer.Received[2].Record().Kind, -7);

  // Another application name.
  Sender.SetAppName("Other");
  Sender.SendMsg(lxmInfo, "x", "");
  EXPECT_EQ(Viewer.Received.back().Record().AppName, "Other");
}

TEST(ClientSender, ReportsAReplyOfZero) {
  TViewerWindow Viewer(0);
  TPlainSender Sender;
  EXPECT_EQ(Sender.SendMsg(lxmInfo, "x", ""), TBkLxSendResult::NotTaken);
  EXPECT_EQ(Viewer.Received.size(), 1u);
}

TEST(ClientSender, TriesTheSatelliteFirstUnlessBypassed) {
  TExePath NoExePath;
  TPlainSender Sender;
  {
    TViewerWindow Viewer;
    EXPECT_EQ(Sender.FindViewerWindow(), Viewer.Handle());
    TSatelliteWindow Satellite;
    EXPECT_EQ(Sender.FindViewerWindow(), Satellite.Handle());
    Sender.SendMsg(lxmInfo, "to the satellite", "");
    Sender.SetByPassSatellite(true);
    EXPECT_EQ(Sender.FindViewerWindow(), Viewer.Handle());
    Sender.SendMsg(lxmInfo, "to the viewer", "");
    EXPECT_EQ(Satellite.Texts(), std::vector<std::string>{"to the satellite"});
    EXPECT_EQ(Viewer.Texts(), std::vector<std::string>{"to the viewer"});
  }
  {
    // A bypassing sender finds no satellite at all.
    TSatelliteWindow Satellite;
    EXPECT_EQ(Sender.FindViewerWindow(), nullptr);
    EXPECT_EQ(Sender.SendMsg(lxmInfo, "lost", ""), TBkLxSendResult::NoWindow);
    EXPECT_TRUE(Satellite.Received.empty());
  }
}

TEST(ClientSender, WithoutWindowsOrExePathTheMessageIsLostQuietly) {
  TExePath ExePath;
  ASSERT_EQ(FindWindowA(BkLxViewerClass, BkLxViewerCaption), nullptr);
  // ExePath is only read: its key is made in neither registry view.
  const REGSAM Views[] = {KEY_WOW64_32KEY, KEY_WOW64_64KEY};
  bool KeyBefore[2];
  for (int I = 0; I < 2; ++I) {
    RegDeleteKeyExA(HKEY_LOCAL_MACHINE, ClientKey, Views[I], 0);
    KeyBefore[I] = KeyExists(HKEY_LOCAL_MACHINE, ClientKey, Views[I]);
  }
  TPlainSender Sender;
  EXPECT_EQ(Sender.FindViewerWindow(), nullptr);
  EXPECT_EQ(Sender.SendMsg(lxmInfo, "nobody", ""), TBkLxSendResult::NoWindow);
  for (int I = 0; I < 2; ++I) EXPECT_EQ(KeyExists(HKEY_LOCAL_MACHINE, ClientKey, Views[I]), KeyBefore[I]);
  // An empty ExePath starts nothing either, in either view.
  ExePath.View32.SetString("");
  ExePath.View64.SetString("");
  EXPECT_EQ(Sender.SendMsg(lxmInfo, "nobody", ""), TBkLxSendResult::NoWindow);
}

namespace {

// Whether the sender, finding no viewer, failed to start the program that
// "ExePath" names: which value it read shows in whether that program exists.
bool FailedToStart(TBkOrlimo& Sender) {
  try {
    Sender.FindViewerWindow();
  } catch (const EOrlimoException&) {
    return true;
  }
  return false;
}

}  // namespace

TEST(ClientSender, ExePathIsReadFromThe32BitRegistryViewThenTheProgramsOwn) {
  TExePath ExePath;
  ASSERT_EQ(FindWindowA(BkLxViewerClass, BkLxViewerCaption), nullptr);
  const std::string Missing = "\"C:\\no such folder\\Orlimo.exe\"";
  const std::string Present = Quote(FAKE_VIEWER_EXE);  // without arguments it ends at once, showing nothing
  TPlainSender Sender;
  // Only in the 32-bit view, where the 32-bit viewer's setup writes it.
  ExePath.View32.SetString(Missing);
  EXPECT_TRUE(FailedToStart(Sender)) << "the 32-bit view was not read";
  ExePath.View32.SetString(Present);
  EXPECT_FALSE(FailedToStart(Sender));
#ifdef _WIN64
  // Only in the 64-bit program's own view.
  ExePath.View32.Remove();
  ExePath.View64.SetString(Missing);
  EXPECT_TRUE(FailedToStart(Sender)) << "the program's own view was not read";
  // In both: the 32-bit view's value goes first, unless it is empty.
  ExePath.View32.SetString(Present);
  EXPECT_FALSE(FailedToStart(Sender)) << "the 32-bit view does not go first";
  ExePath.View32.SetString("");
  EXPECT_TRUE(FailedToStart(Sender));
  ExePath.View64.SetString(Present);
  ExePath.View32.SetString(Missing);
  EXPECT_TRUE(FailedToStart(Sender));
#endif
}

TEST(ClientSender, AnExePathThatIsNotAStringIsReportedWhenItIsRead) {
  TExePath ExePath;
  ExePath.SetDword(1);
  TPlainSender Sender;
  try {
    Sender.SendMsg(lxmInfo, "x", "");
    ADD_FAILURE() << "no exception";
  } catch (const EOrlimoRegistryException& E) {
    EXPECT_STREQ(E.what(), "Invalid data type for 'ExePath'");
  }
  // Not read while a viewer runs.
  TViewerWindow Viewer;
  EXPECT_EQ(Sender.SendMsg(lxmInfo, "x", ""), TBkLxSendResult::Taken);
}

TEST(ClientByPass, IsAnIntegerTextNonZeroToBypass) {
  TByPass ByPass;
  EXPECT_FALSE(TBkOrlimo().GetByPassSatellite()) << "missing";
  const std::pair<const char*, bool> Cases[] = {
      {"1", true},    {"0", false},         {"-1", true},         {"  7", true},         {"0x10", true},
      {"0X0", false}, {"0xFFFFFFFF", true}, {"2147483647", true}, {"2147483648", false}, {"abc", false},
      {"", false},    {"1 ", false},        {"0x", false},        {"12abc", false},      {"+3", true}};
  for (const auto& [Text, Expected] : Cases) {
    ByPass.SetString(Text);
    EXPECT_EQ(TBkOrlimo().GetByPassSatellite(), Expected) << "'" << Text << "'";
  }
  ByPass.Set(REG_EXPAND_SZ, "1", 2);
  EXPECT_TRUE(TBkOrlimo().GetByPassSatellite());
}

TEST(ClientByPass, AValueThatIsNotAStringIsAnErrorOfTheConstructor) {
  TByPass ByPass;
  ByPass.SetDword(1);
  try {
    TBkOrlimo Sender;
    ADD_FAILURE() << "no exception";
  } catch (const EOrlimoRegistryException& E) {
    EXPECT_STREQ(E.what(), "Invalid data type for 'ByPass'");
  }
  ByPass.Set(REG_BINARY, "1", 1);
  EXPECT_THROW(TBkOrlimo(), EOrlimoException);
}

TEST(ClientByPass, ReadingItMakesTheClientKeyButNotItsSection) {
  TByPass ByPass;
  RegDeleteKeyA(HKEY_CURRENT_USER, ByPassKey);  // only when they hold no sub-keys
  RegDeleteKeyA(HKEY_CURRENT_USER, ClientKey);
  if (KeyExists(HKEY_CURRENT_USER, ClientKey)) GTEST_SKIP() << "the client key holds more than the sender's value";
  EXPECT_FALSE(TBkOrlimo().GetByPassSatellite());
  EXPECT_TRUE(KeyExists(HKEY_CURRENT_USER, ClientKey));
  EXPECT_FALSE(KeyExists(HKEY_CURRENT_USER, ByPassKey));
}

TEST(ClientByPass, SetToOneSendsToTheViewerBesideASatellite) {
  TByPass ByPass;
  ByPass.SetString("1");
  TSatelliteWindow Satellite;
  TViewerWindow Viewer;
  TBkOrlimo Sender;
  EXPECT_TRUE(Sender.GetByPassSatellite());
  Sender.SendMsg(lxmInfo, "past the satellite", "");
  EXPECT_TRUE(Satellite.Received.empty());
  EXPECT_EQ(Viewer.Texts(), std::vector<std::string>{"past the satellite"});
  ByPass.SetString("0");
  TBkOrlimo Other;
  Other.SendMsg(lxmInfo, "to the satellite", "");
  EXPECT_EQ(Satellite.Texts(), std::vector<std::string>{"to the satellite"});
}

TEST(FindStartedViewer, TakesAVisibleTopLevelWindowCaptionedAsTheViewer) {
  const DWORD Thread = GetCurrentThreadId();
  TCaptureWindow Hidden("TLxTestOther", "Orlimo (32-bit)");
  TCaptureWindow Other("TLxTestOther", "Orlimo (64-bit)");
  TCaptureWindow Empty("TLxTestOther", "");
  ShowWindow(Other.Handle(), SW_SHOWNOACTIVATE);
  ShowWindow(Empty.Handle(), SW_SHOWNOACTIVATE);
  HWND Child = CreateWindowExA(0, "STATIC", "Orlimo (32-bit)", WS_CHILD | WS_VISIBLE, 0, 0, 10, 10, Other.Handle(),
                               nullptr, nullptr, nullptr);
  ASSERT_NE(Child, nullptr);
  EXPECT_EQ(FindStartedViewerWindow(Thread), nullptr);
  {
    // Any class will do; another thread's windows do not count.
    TCaptureWindow Viewer("TLxTestOther", "Orlimo (32-bit)");
    ShowWindow(Viewer.Handle(), SW_SHOWNOACTIVATE);
    EXPECT_EQ(FindStartedViewerWindow(Thread), Viewer.Handle());
    EXPECT_EQ(FindStartedViewerWindow(Thread + 4), nullptr);
  }
  ShowWindow(Hidden.Handle(), SW_SHOWNOACTIVATE);
  EXPECT_EQ(FindStartedViewerWindow(Thread), Hidden.Handle());
}

namespace {

// A thread with one visible window captioned as the viewer, handling its
// messages until it is told to quit.
class TViewerThread {
public:
  TViewerThread() {
    FReady = CreateEventA(nullptr, TRUE, FALSE, nullptr);
    FThread = std::thread([this] {
      FThreadId = GetCurrentThreadId();
      TCaptureWindow W("TLxTestStarted", "Orlimo (32-bit)");
      ShowWindow(W.Handle(), SW_SHOWNOACTIVATE);
      FWindow = W.Handle();
      SetEvent(FReady);
      MSG Msg;
      while (GetMessageA(&Msg, nullptr, 0, 0) > 0) DispatchMessageA(&Msg);
    });
    WaitForSingleObject(FReady, 30000);
  }
  ~TViewerThread() {
    PostThreadMessageA(FThreadId, WM_QUIT, 0, 0);
    FThread.join();
    CloseHandle(FReady);
  }
  DWORD ThreadId() const { return FThreadId; }
  HWND Window() const { return FWindow; }

private:
  HANDLE FReady = nullptr;
  std::thread FThread;
  DWORD FThreadId = 0;
  HWND FWindow = nullptr;
};

}  // namespace

TEST(FindStartedViewer, TwoThreadsLookingAtOnceEachFindTheirOwn) {
  TViewerThread A, B;
  ASSERT_NE(A.Window(), nullptr);
  ASSERT_NE(B.Window(), nullptr);
  std::atomic<int> Wrong{0};
  auto Look = [&Wrong](const TViewerThread& T) {
    for (int I = 0; I < 1000; ++I)
      if (FindStartedViewerWindow(T.ThreadId()) != T.Window()) ++Wrong;
  };
  std::thread One(Look, std::cref(A)), Two(Look, std::cref(B));
  One.join();
  Two.join();
  EXPECT_EQ(Wrong.load(), 0);
}

TEST(ClientText, SendsEachLineAndEachFullBufferAsOneInfoMessage) {
  TExePath NoExePath;
  TViewerWindow Viewer;
  SenderText << std::string(300, 'x') << std::endl;
  std::vector<std::string> Expected = {std::string(128, 'x'), std::string(128, 'x'), std::string(44, 'x')};
  EXPECT_EQ(Viewer.Texts(), Expected);
  for (const TReceived& R : Viewer.Received) {
    EXPECT_EQ(R.Kind, static_cast<std::uint32_t>(lxmInfo));
    EXPECT_EQ(R.Record().AppName, "client_tests");
  }

  Viewer.Received.clear();
  SenderText << std::string(128, 'y') << '\n';  // exactly one buffer: one message
  SenderText << "total = " << 42 << "\r\n";     // a CR LF line end like a LF
  SenderText << '\n';                           // an empty line is an empty message
  SenderText << "no line end yet";
  EXPECT_EQ(Viewer.Received.size(), 3u) << "unended text waits";
  SenderText << std::flush;  // flushing sends it
  SenderText << std::flush;  // nothing more to send
  Expected = {std::string(128, 'y'), "total = 42", "", "no line end yet"};
  EXPECT_EQ(Viewer.Texts(), Expected);
}

TEST(ClientText, AFullBufferEndedByCrLfIsOneMessage) {
  TExePath NoExePath;
  TViewerWindow Viewer;
  SenderText << std::string(128, 'a') << "\r\n";              // the CR waits for its LF: no empty message
  SenderText << std::string(128, 'b') << "\rc\n";             // a CR without LF starts the next message
  SenderText << std::string(127, 'd') << "\r\r\n";            // a CR inside the buffer is text
  SenderText << std::string(300, 'e') << "\r" << std::flush;  // flushed: full buffers, then the rest
  const std::vector<std::string> Expected = {std::string(128, 'a'),        std::string(128, 'b'), "\rc",
                                             std::string(127, 'd') + "\r", std::string(128, 'e'), std::string(128, 'e'),
                                             std::string(44, 'e') + "\r"};
  EXPECT_EQ(Viewer.Texts(), Expected);
}

namespace {

// Runs Body on a thread of its own while this thread handles what it sends,
// until the thread has ended (its end included).
DWORD WINAPI RunBody(LPVOID B) {
  reinterpret_cast<void (*)()>(B)();
  return 0;
}

void OnThreadToItsEnd(void (*Body)()) {
  HANDLE Thread = CreateThread(nullptr, 0, RunBody, reinterpret_cast<LPVOID>(Body), 0, nullptr);
  ASSERT_NE(Thread, nullptr);
  EXPECT_TRUE(PumpUntil(Thread));
  CloseHandle(Thread);
}

}  // namespace

TEST(ClientText, WhatAThreadLeavesUnendedIsSentWhenTheThreadEnds) {
  TExePath NoExePath;
  TViewerWindow Viewer;
  OnThreadToItsEnd([] { SenderText << "first line\nleft " << 42; });
  EXPECT_EQ(Viewer.Texts(), (std::vector<std::string>{"first line", "left 42"}));
  // A thread that ends with nothing buffered sends nothing more.
  Viewer.Received.clear();
  OnThreadToItsEnd([] { SenderText << "whole\n"; });
  EXPECT_EQ(Viewer.Texts(), std::vector<std::string>{"whole"});
}

TEST(ClientText, AThreadWhoseLastTextCannotBeSentStillEnds) {
  TExePath ExePath;
  ExePath.SetString("\"C:\\no such folder\\Orlimo.exe\"");
  ASSERT_EQ(FindWindowA(BkLxViewerClass, BkLxViewerCaption), nullptr);
  OnThreadToItsEnd([] { SenderText << "nobody hears this"; });
  // The failure stayed in that thread's end: this thread's channel still works.
  TViewerWindow Viewer;
  SenderText << "heard" << std::endl;
  EXPECT_EQ(Viewer.Texts(), std::vector<std::string>{"heard"});
}

#ifdef TEXT_END_EXE
TEST(ClientText, WhatTheProgramLeavesUnendedIsSentWhenItEnds) {
  TExePath NoExePath;
  TViewerWindow Viewer;
  EXPECT_EQ(RunProgram(Quote(TEXT_END_EXE) + " \"last words\""), 0);
  EXPECT_EQ(Viewer.Texts(), std::vector<std::string>{"last words"});
  // From another thread of the program too, while the main thread ends it.
  Viewer.Received.clear();
  EXPECT_EQ(RunProgram(Quote(TEXT_END_EXE) + " --exit-on-thread \"from a thread\""), 0);
  EXPECT_EQ(Viewer.Texts(), std::vector<std::string>{"from a thread"});
}
#endif

TEST(ClientText, AFailedSendThrowsFromTheWrite) {
  TExePath ExePath;
  ExePath.SetString("\"C:\\no such folder\\Orlimo.exe\"");
  ASSERT_EQ(FindWindowA(BkLxViewerClass, BkLxViewerCaption), nullptr);
  try {
    SenderText << "lost" << std::endl;
    ADD_FAILURE() << "no exception";
  } catch (const EOrlimoException& E) {
    EXPECT_STREQ(E.what(), "Orlimo (32-bit) could not be started");
  }
  SenderText.clear();
  TViewerWindow Viewer;
  SenderText << "again" << std::endl;
  EXPECT_EQ(Viewer.Texts(), std::vector<std::string>{"again"}) << "the failed line is not sent again";
}

TEST(ClientCalls, EachIsOneMessageOfItsKind) {
  TExePath NoExePath;
  TViewerWindow Viewer;
  Orlimo::Info("info");
  Orlimo::Warning("warning", "TWarn");
  Orlimo::Error("error");
  Orlimo::Note("note");
  Orlimo::CheckPoint();
  Orlimo::Separator();
  Orlimo::Object("Customer", {{"Name", "Acme"}, {"City", "Springfield"}}, "TCustomer");
  Orlimo::Stream("Header", "00 01 02\r\n03 04", "TMemoryStream");
  Orlimo::StringList("Lines", {"a", "", "c"});
  Orlimo::ScratchPad(3, "hello");
  Orlimo::SaveLog("C:\\log.olx");
  Orlimo::Clear();
  struct TExpected {
    std::int32_t Kind;
    std::string Text, Details, TypeName;
  };
  const std::vector<TExpected> Expected = {
      {lxmInfo, "info", "", ""},
      {lxmWarning, "warning", "", "TWarn"},
      {lxmError, "error", "", ""},
      {lxmNote, "note", "", ""},
      {lxmCheckPoint, "", "", ""},
      {lxmSeparator, "", "", ""},
      {lxmObject, "Customer", "Name\tAcme\r\nCity\tSpringfield", "TCustomer"},
      {lxmStream, "Header", "00 01 02\r\n03 04", "TMemoryStream"},
      {lxmStringList, "Lines", "a\r\n\r\nc", ""},
      {lxmScratchPad, "3@hello", "", ""},
      {lxmSaveLog, "C:\\log.olx", "", ""},
      {lxmClear, "", "", ""},
  };
  ASSERT_EQ(Viewer.Received.size(), Expected.size());
  for (std::size_t I = 0; I < Expected.size(); ++I) {
    const TOrlimoRecord R = Viewer.Received[I].Record();
    EXPECT_EQ(Viewer.Received[I].Kind, static_cast<std::uint32_t>(Expected[I].Kind)) << I;
    EXPECT_EQ(R.Kind, Expected[I].Kind) << I;
    EXPECT_EQ(R.Text, Expected[I].Text) << I;
    EXPECT_EQ(R.Details, Expected[I].Details) << I;
    EXPECT_EQ(R.TypeName, Expected[I].TypeName) << I;
  }
}

TEST(ClientCalls, AMethodScopeSendsItsExitAlsoWhenAnExceptionLeavesIt) {
  TExePath ExePath;
  auto Viewer = std::make_unique<TViewerWindow>();
  {
    Orlimo::TMethod Outer("TForm1.Load", "TForm1");
    try {
      Orlimo::TMethod Inner("TForm1.Parse");
      throw std::runtime_error("parse error");
    } catch (const std::runtime_error&) {
    }
  }
  const std::vector<std::pair<std::uint32_t, std::string>> Expected = {{lxmEnterMethod, "TForm1.Load"},
                                                                       {lxmEnterMethod, "TForm1.Parse"},
                                                                       {lxmExitMethod, "TForm1.Parse"},
                                                                       {lxmExitMethod, "TForm1.Load"}};
  ASSERT_EQ(Viewer->Received.size(), Expected.size());
  for (std::size_t I = 0; I < Expected.size(); ++I) {
    EXPECT_EQ(Viewer->Received[I].Kind, Expected[I].first);
    EXPECT_EQ(Viewer->Received[I].Text(), Expected[I].second);
  }
  EXPECT_EQ(Viewer->Received[0].Record().TypeName, "TForm1");
  EXPECT_EQ(Viewer->Received[3].Record().TypeName, "TForm1");

  // An exit that cannot be sent does not escape the scope's end.
  {
    Orlimo::TMethod Scope("TForm1.Close");
    Viewer.reset();
    ExePath.SetString("\"C:\\no such folder\\Orlimo.exe\"");
  }
  SUCCEED();
}

namespace {

// Runs Body on two threads at once while this thread handles what they send.
void OnTwoThreads(const std::function<void(char)>& Body) {
  HANDLE Done[2] = {CreateEventA(nullptr, TRUE, FALSE, nullptr), CreateEventA(nullptr, TRUE, FALSE, nullptr)};
  std::thread A([&] {
    Body('a');
    SetEvent(Done[0]);
  });
  std::thread B([&] {
    Body('b');
    SetEvent(Done[1]);
  });
  EXPECT_TRUE(PumpUntil(nullptr, [&] { return WaitForMultipleObjects(2, Done, TRUE, 0) != WAIT_TIMEOUT; }));
  A.join();
  B.join();
  CloseHandle(Done[0]);
  CloseHandle(Done[1]);
}

// Each text: one letter repeated, then its number after a dash.
void ExpectWholeTexts(const std::vector<std::string>& Texts, std::size_t Count, std::size_t Length) {
  std::vector<int> Next(2, 0);
  ASSERT_EQ(Texts.size(), 2 * Count);
  for (const std::string& T : Texts) {
    ASSERT_FALSE(T.empty());
    const char C = T[0];
    ASSERT_TRUE(C == 'a' || C == 'b') << T.substr(0, 20);
    int& N = Next[C == 'a' ? 0 : 1];
    EXPECT_EQ(T, std::string(Length, C) + "-" + std::to_string(N)) << "a message mixed or out of order";
    ++N;
  }
  EXPECT_EQ(Next[0], static_cast<int>(Count));
  EXPECT_EQ(Next[1], static_cast<int>(Count));
}

}  // namespace

TEST(ClientThreads, TwoThreadsSendingAtOnceDeliverEveryMessageWhole) {
  TExePath NoExePath;
  TViewerWindow Viewer;
  constexpr int Count = 150;
  OnTwoThreads([](char C) {
    for (int I = 0; I < Count; ++I) {
      const std::string Text = std::string(3000, C) + "-" + std::to_string(I);
      DefaultSender().SendMsgWithDetails(lxmInfo, Text.c_str(), std::string(500, C).c_str(), "");
    }
  });
  ExpectWholeTexts(Viewer.Texts(), Count, 3000);
  for (const TReceived& R : Viewer.Received) EXPECT_EQ(R.Record().Details, std::string(500, R.Text()[0]));
}

TEST(ClientThreads, TwoThreadsWritingLinesToSenderTextKeepTheirLinesApart) {
  TExePath NoExePath;
  TViewerWindow Viewer;
  constexpr int Count = 100;
  OnTwoThreads([](char C) {
    for (int I = 0; I < Count; ++I) SenderText << std::string(60, C) << '-' << I << '\n';
  });
  ExpectWholeTexts(Viewer.Texts(), Count, 60);
}
