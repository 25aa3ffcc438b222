// The debug-output capture with real writer processes: several writers and a
// WM_COPYDATA sender at once, lines split and joined, the viewer's own output,
// a writer never held up, another reader holding the channel, the stored
// value, and ignored messages; the same for the global channel.
//
// Under Wine every process may create "Global\" objects, and they are not
// the session's: "Global\DBWIN_BUFFER" and "DBWIN_BUFFER" are two objects,
// and OutputDebugString writes only the session's. The global writers here
// write into the global channel themselves (dbgwriter -c).
#include "ViewerFixture.h"

#include "core/LxDbgCapture.h"
#include "model/OrlimoMsg.h"
#include "platform/RegSettingsStore.h"
#include "protocol/LxDispatch.h"

#include <functional>
#include <map>

namespace {

constexpr const char* IntakeClass = "TOrlimoDbgTestIntake";

std::string WriterPath() { return DBGWRITER_EXE; }

// A named manual-reset event the writers wait for.
class TNamedEvent {
public:
  TNamedEvent() {
    static int Serial = 0;
    Name = "OrlimoDbgTest" + std::to_string(GetCurrentProcessId()) + "_" + std::to_string(++Serial);
    Handle = CreateEventA(nullptr, TRUE, FALSE, Name.c_str());
  }
  ~TNamedEvent() { CloseHandle(Handle); }
  void Set() { SetEvent(Handle); }
  std::string Name;
  HANDLE Handle;
};

class TWriter {
public:
  explicit TWriter(const std::string& Args) {
    STARTUPINFOA Si{};
    Si.cb = sizeof Si;
    std::string Cmd = "\"" + WriterPath() + "\" " + Args;
    Started = CreateProcessA(nullptr, Cmd.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr, &Si, &Pi) != 0;
  }
  ~TWriter() {
    if (!Started) return;
    if (WaitForSingleObject(Pi.hProcess, 10000) != WAIT_OBJECT_0) TerminateProcess(Pi.hProcess, 1);
    CloseHandle(Pi.hThread);
    CloseHandle(Pi.hProcess);
  }
  bool Ended(DWORD Ms) const { return WaitForSingleObject(Pi.hProcess, Ms) == WAIT_OBJECT_0; }
  std::string Pid() const { return std::to_string(Pi.dwProcessId); }
  bool Started = false;
  PROCESS_INFORMATION Pi{};
};

// A window that hands WM_COPYDATA to the dispatcher for one panel, as the
// main form does.
TLxIntakePanel* IntakePanel = nullptr;
LRESULT CALLBACK IntakeProc(HWND Wnd, UINT Msg, WPARAM W, LPARAM L) {
  if (Msg == WM_COPYDATA && IntakePanel)
    return LxDispatchCopyData(reinterpret_cast<const COPYDATASTRUCT*>(L), {IntakePanel}, TLxIntakeMode::MainForm);
  return DefWindowProcA(Wnd, Msg, W, L);
}

class DbgCaptureTest : public ViewerTest {
protected:
  void TearDown() override {
    if (Intake) DestroyWindow(Intake);
    IntakePanel = nullptr;
    ViewerTest::TearDown();
  }
  std::int32_t Count() { return C->Messages().Count(); }
  // Pumps messages until Done or Ms milliseconds have passed.
  bool PumpUntil(const std::function<bool()>& Done, DWORD Ms = 30000) {
    const DWORD Start = GetTickCount();
    while (!Done()) {
      if (GetTickCount() - Start > Ms) return false;
      MsgWaitForMultipleObjects(0, nullptr, FALSE, 50, QS_ALLINPUT);
      Application->ProcessMessages();
    }
    return true;
  }
  std::string Text(std::int32_t I) { return std::string(C->GetItemMsgInfo(I).Text()); }
  void MakeIntake() {
    WNDCLASSA Class{};
    Class.lpfnWndProc = IntakeProc;
    Class.hInstance = GetModuleHandleA(nullptr);
    Class.lpszClassName = IntakeClass;
    RegisterClassA(&Class);
    IntakePanel = C;
    Intake = CreateWindowExA(0, IntakeClass, "", 0, 0, 0, 0, 0, nullptr, nullptr, Class.hInstance, nullptr);
  }
  HWND Intake = nullptr;
};

TEST_F(DbgCaptureTest, SeveralWritersAndASenderEveryLineOnceInOrderWithNameAndPid) {
  MakeIntake();
  ASSERT_TRUE(C->SetCaptureDebugOutput(true));
  EXPECT_TRUE(C->FBtnCaptureDebugOutput->GetDown());
  TNamedEvent Go, End;
  constexpr int Lines = 300;
  const std::string Common =
      " -g " + Go.Name + " -e " + End.Name + " -s " + IntakeClass + " -n " + std::to_string(Lines);
  TWriter A("-t a" + Common), B("-w -t b" + Common), D("-t d" + Common);
  ASSERT_TRUE(A.Started && B.Started && D.Started);
  Go.Set();
  ASSERT_TRUE(PumpUntil([&] { return Count() >= 3 * Lines + 3; })) << Count();
  EXPECT_EQ(Count(), 3 * Lines + 3);

  std::map<std::string, int> Next;
  std::map<std::string, std::string> Pids{{"a", A.Pid()}, {"b", B.Pid()}, {"d", D.Pid()}};
  int Sent = 0;
  for (std::int32_t I = 0; I < Count(); ++I) {
    const TOrlimoMsgInfo& Info = C->GetItemMsgInfo(I);
    const std::string T(Info.Text());
    EXPECT_EQ(Info.MsgType(), lxmInfo);
    if (Info.AppName() == "sender") {
      ++Sent;
      continue;
    }
    const std::string Tag = T.substr(0, T.find(' '));
    ASSERT_EQ(T, Tag + " " + std::to_string(Next[Tag]++)) << "item " << I;
    EXPECT_EQ(Info.AppName(), "dbgwriter.exe");
    EXPECT_EQ(Info.TypeName(), "PID " + Pids[Tag]);
  }
  EXPECT_EQ(Sent, 3);
  for (const char* Tag : {"a", "b", "d"}) EXPECT_EQ(Next[Tag], Lines) << Tag;
  End.Set();
}

TEST_F(DbgCaptureTest, LinesOfOneCallAreSplitAPartIsJoinedAndALonePartListedAfterTheDelayOrAtTheEnd) {
  ASSERT_TRUE(C->SetCaptureDebugOutput(true));
  TNamedEvent End;
  TWriter W("\"one\\r\\ntwo\\n\" par -w \"tial\\n\" lone -e " + End.Name);
  ASSERT_TRUE(PumpUntil([&] { return Count() >= 3 && (C->DbgCapture()->HasHeld() || Count() >= 4); }));
  ASSERT_GE(Count(), 3);
  EXPECT_EQ(Text(0), "one");
  EXPECT_EQ(Text(1), "two");
  EXPECT_EQ(Text(2), "partial");
  if (C->DbgCapture()->HasHeld()) {
    // Not yet: the process lives and the delay has not passed.
    C->DbgCapture()->FlushHeld(static_cast<std::int32_t>(GetTickCount()) - 1000);
    EXPECT_EQ(Count(), 3);
    C->DbgCapture()->FlushHeld(static_cast<std::int32_t>(GetTickCount()) + DbgHoldDelay);
  }
  ASSERT_EQ(Count(), 4);
  EXPECT_EQ(Text(3), "lone");
  End.Set();
  ASSERT_TRUE(W.Ended(10000));

  // A part left when its process ends is listed without waiting.
  TNamedEvent End2;
  TWriter Last("tail -e " + End2.Name);
  ASSERT_TRUE(PumpUntil([&] { return C->DbgCapture()->HasHeld() || Count() >= 5; }));
  End2.Set();
  ASSERT_TRUE(Last.Ended(10000));
  C->DbgCapture()->FlushHeld(static_cast<std::int32_t>(GetTickCount()) - 1000);
  ASSERT_EQ(Count(), 5);
  EXPECT_EQ(Text(4), "tail");
}

TEST_F(DbgCaptureTest, TheViewersOwnOutputIsNotCaptured) {
  ASSERT_TRUE(C->SetCaptureDebugOutput(true));
  OutputDebugStringA("own line\n");
  TWriter W("\"other\\n\"");
  ASSERT_TRUE(PumpUntil([&] { return Count() >= 1; }));
  ASSERT_TRUE(W.Ended(10000));
  C->SetCaptureDebugOutput(false);  // lists whatever was still queued
  ASSERT_EQ(Count(), 1);
  EXPECT_EQ(Text(0), "other");
}

TEST_F(DbgCaptureTest, AWriterIsNotHeldUpWhenCaptureIsOffOrWasTurnedOff) {
  {
    TWriter W("-n 300");
    EXPECT_TRUE(W.Ended(5000));
  }
  ASSERT_TRUE(C->SetCaptureDebugOutput(true));
  TWriter First("\"first\\n\"");
  ASSERT_TRUE(PumpUntil([&] { return Count() >= 1; }));
  C->SetCaptureDebugOutput(false);
  EXPECT_FALSE(C->GetCaptureDebugOutput());
  EXPECT_FALSE(C->FBtnCaptureDebugOutput->GetDown());
  TWriter W("-n 300");
  EXPECT_TRUE(W.Ended(5000));
  Application->ProcessMessages();
  EXPECT_EQ(Count(), 1);
}

TEST_F(DbgCaptureTest, AnotherReaderHoldingTheChannelIsToldInABoxOrTheStatusBar) {
  HANDLE Other = CreateFileMappingA(INVALID_HANDLE_VALUE, nullptr, PAGE_READWRITE, 0, 4096, "DBWIN_BUFFER");
  ASSERT_TRUE(Other);
  C->CaptureDebugOutputClick();
  ASSERT_EQ(Boxes.size(), 1u);
  EXPECT_EQ(Boxes[0], "Another program is already capturing debug output.");
  EXPECT_FALSE(C->GetCaptureDebugOutput());
  EXPECT_FALSE(C->FBtnCaptureDebugOutput->GetDown());

  // At start: the status bar's type-name pane, no box.
  C->ApplyCaptureDebugOutputSetting(true);
  EXPECT_EQ(Boxes.size(), 1u);
  EXPECT_EQ(C->FStsTypeName->GetCaption(), "Another program is already capturing debug output.");
  EXPECT_FALSE(C->GetCaptureDebugOutput());

  // A writer meets the other reader's section without its events: not held.
  TWriter W("-n 50");
  EXPECT_TRUE(W.Ended(5000));

  CloseHandle(Other);
  C->CaptureDebugOutputClick();
  EXPECT_TRUE(C->GetCaptureDebugOutput());
  EXPECT_TRUE(C->FBtnCaptureDebugOutput->GetDown());
  C->CaptureDebugOutputClick();
  EXPECT_FALSE(C->GetCaptureDebugOutput());
  EXPECT_EQ(Boxes.size(), 1u);
}

TEST_F(DbgCaptureTest, TheStoredValueRoundTripsAndIsAppliedAtStart) {
  const std::string Key = "Software\\Brunelk\\OrlimoDbgCaptureTest";
  TTempKey Temp(Key);
  TRegSettingsStore Store(Key);
  C->SaveSettingsTo(Store);
  EXPECT_EQ(Temp.Get("View", "CaptureDebugOutput"), "0");
  Temp.Set("View", "CaptureDebugOutput", "1");
  C->LoadSettingsFrom(Store);
  EXPECT_TRUE(C->GetCaptureDebugOutput());
  EXPECT_TRUE(C->FBtnCaptureDebugOutput->GetDown());
  C->SaveSettingsTo(Store);
  EXPECT_EQ(Temp.Get("View", "CaptureDebugOutput"), "1");
  Temp.Set("View", "CaptureDebugOutput", "0");
  C->LoadSettingsFrom(Store);
  EXPECT_FALSE(C->GetCaptureDebugOutput());
}

TEST_F(DbgCaptureTest, IgnoringMessagesDropsCapturedLinesWithoutHoldingWritersUp) {
  ASSERT_TRUE(C->SetCaptureDebugOutput(true));
  C->SetIgnoreMessages(true);
  TWriter W("-n 300");
  EXPECT_TRUE(W.Ended(5000));
  C->SetCaptureDebugOutput(false);  // what was queued goes through the dispatcher now
  EXPECT_EQ(Count(), 0);
}

TEST_F(DbgCaptureTest, AFullQueueDropsNewWritesAndSaysHowMany) {
  // The GUI takes nothing until the writer has ended: a queue of 10 keeps the
  // first 10 writes and reports the rest as dropped.
  ASSERT_TRUE(C->SetCaptureDebugOutput(true));
  C->SetCaptureDebugOutput(false);
  ASSERT_TRUE(C->DbgCapture() != nullptr);
  C->DbgCapture()->SetQueueBound(10, 1 << 20);
  ASSERT_TRUE(C->SetCaptureDebugOutput(true));
  TWriter W("-n 40");
  ASSERT_TRUE(W.Ended(5000));
  C->SetCaptureDebugOutput(false);
  ASSERT_EQ(Count(), 11);
  EXPECT_EQ(C->GetItemMsgInfo(0).MsgType(), lxmWarning);
  EXPECT_EQ(Text(0), "Debug output: 30 writes dropped while the viewer was busy");
  for (int I = 0; I < 10; ++I) EXPECT_EQ(Text(I + 1), "line " + std::to_string(I));
}

// The global channel: its own item, the same listing.
class DbgGlobalCaptureTest : public DbgCaptureTest {
protected:
  static HANDLE OpenGlobal(const char* Name) {
    return OpenEventA(SYNCHRONIZE, FALSE, (std::string(TLxDbgCapture::GlobalPrefix) + Name).c_str());
  }
};

TEST_F(DbgGlobalCaptureTest, GlobalLinesAreListedLikeTheSessionsWithNameAndPid) {
  // Off: a global writer finds no reader and is not held up.
  {
    TWriter W("-c Global\\ -n 300");
    EXPECT_TRUE(W.Ended(5000));
  }
  ASSERT_TRUE(C->SetCaptureGlobalDebugOutput(true));
  EXPECT_TRUE(C->GetCaptureGlobalDebugOutput());
  EXPECT_TRUE(C->FMnuCaptureGlobalDebugOutput->GetChecked());
  EXPECT_FALSE(C->GetCaptureDebugOutput());
  EXPECT_FALSE(C->FMnuCaptureDebugOutput->GetChecked());
  // Only the global channel is read: a session writer is not listed.
  {
    TWriter W("\"session only\\n\"");
    EXPECT_TRUE(W.Ended(5000));
  }
  // Both channels at once, each writer's lines in its order.
  ASSERT_TRUE(C->SetCaptureDebugOutput(true));
  TNamedEvent Go, End;
  constexpr int Lines = 200;
  const std::string Common = " -g " + Go.Name + " -e " + End.Name + " -n " + std::to_string(Lines);
  TWriter G("-c Global\\ -t g" + Common), H("-c Global\\ -w -t h" + Common), L("-t l" + Common);
  ASSERT_TRUE(G.Started && H.Started && L.Started);
  Go.Set();
  ASSERT_TRUE(PumpUntil([&] { return Count() >= 3 * Lines; })) << Count();
  EXPECT_EQ(Count(), 3 * Lines);
  std::map<std::string, int> Next;
  const std::map<std::string, std::string> Pids{{"g", G.Pid()}, {"h", H.Pid()}, {"l", L.Pid()}};
  for (std::int32_t I = 0; I < Count(); ++I) {
    const TOrlimoMsgInfo& Info = C->GetItemMsgInfo(I);
    const std::string T(Info.Text());
    const std::string Tag = T.substr(0, T.find(' '));
    ASSERT_TRUE(Pids.count(Tag)) << T;
    ASSERT_EQ(T, Tag + " " + std::to_string(Next[Tag]++)) << "item " << I;
    EXPECT_EQ(Info.MsgType(), lxmInfo);
    EXPECT_EQ(Info.AppName(), "dbgwriter.exe");
    EXPECT_EQ(Info.TypeName(), "PID " + Pids.at(Tag));
  }
  for (const char* Tag : {"g", "h", "l"}) EXPECT_EQ(Next[Tag], Lines) << Tag;
  End.Set();

  // Without the session's capture the global one goes on alone.
  C->SetCaptureDebugOutput(false);
  {
    TWriter Own("-c Global\\ \"other\\n\"");
    EXPECT_TRUE(Own.Ended(5000));
  }
  ASSERT_TRUE(PumpUntil([&] { return Count() >= 3 * Lines + 1; }));
  C->SetCaptureGlobalDebugOutput(false);
  EXPECT_EQ(Count(), 3 * Lines + 1);
  EXPECT_EQ(Text(3 * Lines), "other");
  EXPECT_FALSE(C->FMnuCaptureGlobalDebugOutput->GetChecked());
}

TEST_F(DbgGlobalCaptureTest, AnotherReaderHoldingTheGlobalChannelIsToldInABoxOrTheStatusBar) {
  HANDLE Other = CreateFileMappingA(INVALID_HANDLE_VALUE, nullptr, PAGE_READWRITE, 0, 4096, "Global\\DBWIN_BUFFER");
  ASSERT_TRUE(Other);
  C->CaptureGlobalDebugOutputClick();
  ASSERT_EQ(Boxes.size(), 1u);
  EXPECT_EQ(Boxes[0], "Another program is already capturing global debug output.");
  EXPECT_FALSE(C->GetCaptureGlobalDebugOutput());
  EXPECT_FALSE(C->FMnuCaptureGlobalDebugOutput->GetChecked());
  // Nothing of the channel was left open.
  HANDLE Ready = OpenGlobal("DBWIN_BUFFER_READY");
  EXPECT_FALSE(Ready);
  if (Ready) CloseHandle(Ready);

  // The session's channel is another: its capture starts.
  C->CaptureDebugOutputClick();
  EXPECT_TRUE(C->GetCaptureDebugOutput());
  EXPECT_EQ(Boxes.size(), 1u);
  C->CaptureDebugOutputClick();

  // At start: the status bar's type-name pane, no box.
  C->ApplyCaptureGlobalDebugOutputSetting(true);
  EXPECT_EQ(Boxes.size(), 1u);
  EXPECT_EQ(C->FStsTypeName->GetCaption(), "Another program is already capturing global debug output.");
  EXPECT_FALSE(C->GetCaptureGlobalDebugOutput());

  // A global writer meets the other reader's section without its events: not held.
  TWriter W("-c Global\\ -n 50");
  EXPECT_TRUE(W.Ended(5000));

  CloseHandle(Other);
  C->CaptureGlobalDebugOutputClick();
  EXPECT_TRUE(C->GetCaptureGlobalDebugOutput());
  EXPECT_TRUE(C->FMnuCaptureGlobalDebugOutput->GetChecked());
  C->CaptureGlobalDebugOutputClick();
  EXPECT_FALSE(C->GetCaptureGlobalDebugOutput());
  EXPECT_EQ(Boxes.size(), 1u);
}

TEST_F(DbgGlobalCaptureTest, ARefusedGlobalObjectIsToldAndLeavesTheItemUnchecked) {
  // Under Wine any process may create global objects. A global section that
  // grants nobody anything gives the refusal a process without that right
  // meets: access denied.
  SECURITY_DESCRIPTOR Sd;
  ASSERT_TRUE(InitializeSecurityDescriptor(&Sd, SECURITY_DESCRIPTOR_REVISION));
  ACL Empty;
  ASSERT_TRUE(InitializeAcl(&Empty, sizeof Empty, ACL_REVISION));
  ASSERT_TRUE(SetSecurityDescriptorDacl(&Sd, TRUE, &Empty, FALSE));
  SECURITY_ATTRIBUTES Sa{sizeof Sa, &Sd, FALSE};
  HANDLE Locked = CreateFileMappingA(INVALID_HANDLE_VALUE, &Sa, PAGE_READWRITE, 0, 4096, "Global\\DBWIN_BUFFER");
  ASSERT_TRUE(Locked);
  C->CaptureGlobalDebugOutputClick();
  ASSERT_EQ(Boxes.size(), 1u);
  EXPECT_EQ(Boxes[0], TLxDbgCapture::GlobalDeniedText());
  EXPECT_NE(Boxes[0].find("no right to create global objects"), std::string::npos);
  EXPECT_FALSE(C->GetCaptureGlobalDebugOutput());
  EXPECT_FALSE(C->FMnuCaptureGlobalDebugOutput->GetChecked());

  C->ApplyCaptureGlobalDebugOutputSetting(true);
  EXPECT_EQ(Boxes.size(), 1u);
  EXPECT_EQ(C->FStsTypeName->GetCaption(), TLxDbgCapture::GlobalDeniedText());
  CloseHandle(Locked);
}

TEST_F(DbgGlobalCaptureTest, TheStoredValueRoundTripsBesideTheSessionsAndIsAppliedAtStart) {
  const std::string Key = "Software\\Brunelk\\OrlimoDbgGlobalTest";
  TTempKey Temp(Key);
  TRegSettingsStore Store(Key);
  C->SaveSettingsTo(Store);
  EXPECT_EQ(Temp.Get("View", "CaptureGlobalDebugOutput"), "0");
  Temp.Set("View", "CaptureGlobalDebugOutput", "1");
  C->LoadSettingsFrom(Store);
  EXPECT_TRUE(C->GetCaptureGlobalDebugOutput());
  EXPECT_TRUE(C->FMnuCaptureGlobalDebugOutput->GetChecked());
  EXPECT_FALSE(C->GetCaptureDebugOutput());
  C->SaveSettingsTo(Store);
  EXPECT_EQ(Temp.Get("View", "CaptureGlobalDebugOutput"), "1");
  EXPECT_EQ(Temp.Get("View", "CaptureDebugOutput"), "0");
  Temp.Set("View", "CaptureGlobalDebugOutput", "0");
  C->LoadSettingsFrom(Store);
  EXPECT_FALSE(C->GetCaptureGlobalDebugOutput());
  EXPECT_TRUE(Boxes.empty());
}

TEST_F(DbgGlobalCaptureTest, TurningItOffOrClosingTheViewerReleasesTheChannelForAnotherReader) {
  ASSERT_TRUE(C->SetCaptureGlobalDebugOutput(true));
  // A writer in the middle of its lines when capture goes off goes on unheld.
  TNamedEvent Go;
  TWriter W("-c Global\\ -g " + Go.Name + " -n 2000");
  Go.Set();
  ASSERT_TRUE(PumpUntil([&] { return Count() >= 10; }));
  C->SetCaptureGlobalDebugOutput(false);
  EXPECT_TRUE(W.Ended(5000));

  // Another reader takes the channel: a new section and new events.
  {
    TLxDbgCapture Other(*C, TLxDbgCapture::GlobalPrefix);
    EXPECT_EQ(Other.Start(), TLxDbgCapture::TStart::Started);
    // While it reads, the viewer is refused.
    EXPECT_FALSE(C->SetCaptureGlobalDebugOutput(true));
    Other.Stop(false);
  }
  for (const char* Name : {"DBWIN_BUFFER_READY", "DBWIN_DATA_READY"}) {
    HANDLE H = OpenGlobal(Name);
    EXPECT_FALSE(H) << Name;
    if (H) CloseHandle(H);
  }

  // Closing the viewer while it reads ends the reader and frees the channel.
  ASSERT_TRUE(C->SetCaptureGlobalDebugOutput(true));
  Form.reset();
  C = nullptr;
  HANDLE Mapping = CreateFileMappingA(INVALID_HANDLE_VALUE, nullptr, PAGE_READWRITE, 0, 4096, "Global\\DBWIN_BUFFER");
  ASSERT_TRUE(Mapping);
  EXPECT_NE(GetLastError(), static_cast<DWORD>(ERROR_ALREADY_EXISTS));
  CloseHandle(Mapping);
}

}  // namespace
