// The debug-output capture with real writer processes: several writers and a
// WM_COPYDATA sender at once, lines split and joined, the viewer's own output,
// a writer never held up, another reader holding the channel, the stored
// value, and ignored messages.
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

}  // namespace
