// Starting the viewer through "ExePath": a program that cannot be started, one
// that never becomes idle, one that shows no viewer window, and Orlimo.exe
// itself started by this test's sender, by the example program and by lxsend.
#include <gtest/gtest.h>
#include <windows.h>

#include <string>
#include <utility>
#include <vector>

#include "ClientTestUtil.h"
#include "lxsend/LxSender.h"
#include "model/LogFile.h"
#include "model/OrlimoMsg.h"
#include "protocol/client/BkLxIntf.h"

#ifndef FAKE_VIEWER_EXE
#error "FAKE_VIEWER_EXE names the program that stands in for the viewer"
#endif

using namespace client_test;

namespace {

const char MissingProgram[] = "\"C:\\no such folder\\Orlimo.exe\" -x";

// A named event that ends the stand-in programs started in a test.
class TEndEvent {
public:
  explicit TEndEvent(const char* Tag)
      : FName("OrlimoClientTest-" + std::to_string(GetCurrentProcessId()) + "-" + Tag),
        FHandle(CreateEventA(nullptr, TRUE, FALSE, FName.c_str())) {}
  ~TEndEvent() {
    SetEvent(FHandle);
    CloseHandle(FHandle);
  }
  const std::string& Name() const { return FName; }

private:
  std::string FName;
  HANDLE FHandle;
};

class ClientStart : public ::testing::Test {
protected:
  TExePath ExePath;
  TByPass ByPass;
  void SetUp() override {
    ASSERT_EQ(FindWindowA(BkLxViewerClass, BkLxViewerCaption), nullptr) << "a viewer is running";
    ASSERT_EQ(FindWindowA(BkLxSatelliteClass, BkLxSatelliteCaption), nullptr) << "a satellite window exists";
  }
};

}  // namespace

TEST_F(ClientStart, AProgramThatCannotBeStartedRaisesTheException) {
  ExePath.SetString(MissingProgram);
  TBkOrlimo Sender;
  try {
    Sender.SendMsg(lxmInfo, "lost", "");
    ADD_FAILURE() << "no exception";
  } catch (const EOrlimoException& E) {
    EXPECT_STREQ(E.what(), "Orlimo (32-bit) could not be started");
  }
  HWND Window = reinterpret_cast<HWND>(1);
  EXPECT_THROW(Sender.StartViewer(MissingProgram, Window), EOrlimoException);
  EXPECT_EQ(Window, nullptr);
}

TEST_F(ClientStart, TheCommandLineIsCutTo255Characters) {
  // The started program waits on the event its command line names, and shows
  // the viewer's window only while that event exists: the name is made so
  // that the line's 255th character ends it, and more follows.
  const std::string Head = Quote(FAKE_VIEWER_EXE) + " viewer ";
  const std::string Base = "OrlimoClientTest-" + std::to_string(GetCurrentProcessId()) + "-cut";
  ASSERT_LT(Head.size() + Base.size(), 255u) << "the test program's path is too long for this test";
  TEndEvent End(("cut" + std::string(255 - Head.size() - Base.size(), 'x')).c_str());
  ASSERT_EQ(Head.size() + End.Name().size(), 255u);
  TBkOrlimo Sender;
  HWND Window = nullptr;
  Sender.StartViewer((Head + End.Name() + std::string(40, 'y')).c_str(), Window);
  EXPECT_NE(Window, nullptr) << "the program got more than the first 255 characters";
  // The whole line when it is no longer.
  Window = nullptr;
  Sender.StartViewer((Head + End.Name()).c_str(), Window);
  EXPECT_NE(Window, nullptr);
}

TEST_F(ClientStart, AProgramThatNeverBecomesIdleIsWaitedForOnlyUpToTheLimit) {
  TEndEvent End("busy");
  ExePath.SetString(Quote(FAKE_VIEWER_EXE) + " busy " + End.Name());
  TBkOrlimo Sender;
  EXPECT_EQ(Sender.GetStartWaitLimit(), 30000u);
  Sender.SetStartWaitLimit(300);
  const ULONGLONG Start = GetTickCount64();
  EXPECT_EQ(Sender.SendMsg(lxmInfo, "lost", ""), TBkLxSendResult::NoWindow);
  EXPECT_GE(GetTickCount64() - Start, 250u) << "the program was taken as idle";
}

TEST_F(ClientStart, AStartedProgramWithoutTheViewersWindowLosesTheMessageAndTheNextOneLooksAgain) {
  TEndEvent End("other");
  ExePath.SetString(Quote(FAKE_VIEWER_EXE) + " other " + End.Name());
  TBkOrlimo Sender;
  EXPECT_EQ(Sender.SendMsg(lxmInfo, "lost", ""), TBkLxSendResult::NoWindow);
  HWND Window = reinterpret_cast<HWND>(1);
  Sender.StartViewer((Quote(FAKE_VIEWER_EXE) + " other " + End.Name()).c_str(), Window);
  EXPECT_EQ(Window, nullptr);
  // Nothing was remembered: a viewer that exists now is found.
  TViewerWindow Viewer;
  EXPECT_EQ(Sender.SendMsg(lxmInfo, "found", ""), TBkLxSendResult::Taken);
  EXPECT_EQ(Viewer.Texts(), std::vector<std::string>{"found"});
}

#ifdef ORLIMO_EXE

namespace {

std::string TempFile(const std::string& Name) {
  char Dir[MAX_PATH];
  GetTempPathA(MAX_PATH, Dir);
  return std::string(Dir) + "orlimo-client-" + std::to_string(GetCurrentProcessId()) + "-" + Name;
}

// The kind and text of each record of a log file the viewer saved.
std::vector<std::pair<std::int32_t, std::string>> SavedMessages(const std::string& FileName) {
  std::vector<std::pair<std::int32_t, std::string>> Out;
  const TFileBytes Bytes = ReadFileBytes(FileName);
  for (const TLxMessage& M : LxMessagesFromLog(std::string_view(Bytes.Data.get(), Bytes.Size)))
    Out.emplace_back(M.Kind, M.AppName + ": " + M.Text);
  return Out;
}

// The viewer started by a client: closed (and waited for) at the end.
class TStartedViewer {
public:
  HWND Window = nullptr;
  // Takes the viewer's window found now.
  bool Find() {
    Window = FindWindowA(BkLxViewerClass, BkLxViewerCaption);
    if (!Window) return false;
    DWORD Pid = 0;
    GetWindowThreadProcessId(Window, &Pid);
    FProcess = OpenProcess(SYNCHRONIZE, FALSE, Pid);
    return FProcess != nullptr;
  }
  ~TStartedViewer() {
    if (!FProcess) return;
    PostMessageA(Window, WM_CLOSE, 0, 0);
    EXPECT_EQ(WaitForSingleObject(FProcess, 30000), WAIT_OBJECT_0) << "the viewer did not end";
    CloseHandle(FProcess);
  }

private:
  HANDLE FProcess = nullptr;
};

}  // namespace

TEST_F(ClientStart, StartsTheViewerWhoseWindowTheNextMessageFinds) {
  ExePath.SetString(Quote(ORLIMO_EXE));
  TBkOrlimo Sender;
  Sender.SetAppName("StartClient");
  EXPECT_EQ(Sender.SendMsg(lxmInfo, "first", ""), TBkLxSendResult::Taken);
  TStartedViewer Viewer;
  ASSERT_TRUE(Viewer.Find());
  EXPECT_TRUE(IsWindowVisible(Viewer.Window));
  EXPECT_EQ(Sender.FindViewerWindow(), Viewer.Window);
  EXPECT_EQ(Sender.SendMsgWithDetails(lxmObject, "second", "A\t1", "TThing"), TBkLxSendResult::Taken);
  EXPECT_EQ(FindWindowA(BkLxViewerClass, BkLxViewerCaption), Viewer.Window) << "one viewer";

  const std::string Log = TempFile("start.olx");
  DeleteFileA(Log.c_str());
  EXPECT_EQ(Sender.SendMsg(lxmSaveLog, Log.c_str(), ""), TBkLxSendResult::Taken);
  const std::vector<std::pair<std::int32_t, std::string>> Expected = {{lxmInfo, "StartClient: first"},
                                                                      {lxmObject, "StartClient: second"}};
  EXPECT_EQ(SavedMessages(Log), Expected);
  DeleteFileA(Log.c_str());
}

#if defined(CLIENT_EXAMPLE_EXE) && defined(LXSEND_EXE)
TEST_F(ClientStart, TheExampleProgramStartsTheViewerAndItsMessagesAppear) {
  ExePath.SetString(Quote(ORLIMO_EXE));
  ASSERT_EQ(RunProgram(Quote(CLIENT_EXAMPLE_EXE)), 0);
  TStartedViewer Viewer;
  ASSERT_TRUE(Viewer.Find()) << "the example did not start the viewer";
  // lxsend goes through the same sender and finds the running viewer.
  EXPECT_EQ(RunProgram(Quote(LXSEND_EXE) + " --quiet --app Lx info \"from lxsend\""), 0);

  const std::string Log = TempFile("example.olx");
  DeleteFileA(Log.c_str());
  EXPECT_EQ(TBkOrlimo().SendMsg(lxmSaveLog, Log.c_str(), ""), TBkLxSendResult::Taken);
  const std::string E = "ClientExample: ";
  const std::vector<std::pair<std::int32_t, std::string>> Expected = {
      {lxmSeparator, E},
      {lxmInfo, E + "ClientExample started"},
      {lxmEnterMethod, E + "TOrderList.LoadOrders"},
      {lxmEnterMethod, E + "TOrderList.CheckOrder"},
      {lxmObject, E + "Order 1001"},
      {lxmExitMethod, E + "TOrderList.CheckOrder"},
      {lxmEnterMethod, E + "TOrderList.CheckOrder"},
      {lxmObject, E + "Order 1002"},
      {lxmExitMethod, E + "TOrderList.CheckOrder"},
      {lxmEnterMethod, E + "TOrderList.CheckOrder"},
      {lxmExitMethod, E + "TOrderList.CheckOrder"},
      {lxmError, E + "order 1003 has a negative amount"},
      {lxmCheckPoint, E + "Check Point #1"},
      {lxmInfo, E + "Orders: 3, accepted: 2"},
      {lxmInfo, E + "Total: 1450.50"},
      {lxmExitMethod, E + "TOrderList.LoadOrders"},
      {lxmWarning, E + "Printer not configured: no report printed"},
      {lxmStringList, E + "Customers"},
      {lxmInfo, E + "ClientExample finished"},
      {lxmInfo, "Lx: from lxsend"},
  };
  EXPECT_EQ(SavedMessages(Log), Expected);
  DeleteFileA(Log.c_str());
}
#endif

#ifdef LXSEND_EXE
// As a new user meets it: the viewer's setup (32-bit, like the viewer) wrote
// ExePath, so it is in the 32-bit registry view only; lxsend, of whatever
// bitness, starts the viewer through it and the message arrives.
TEST_F(ClientStart, LxsendStartsTheViewerNamedInThe32BitRegistryView) {
  ExePath.View32.SetString(Quote(ORLIMO_EXE));
  ASSERT_EQ(RunProgram(Quote(LXSEND_EXE) + " --quiet --app NewUser info \"hello, viewer\""), 0)
      << "lxsend did not reach a viewer";
  TStartedViewer Viewer;
  ASSERT_TRUE(Viewer.Find()) << "lxsend did not start the viewer";
  const std::string Log = TempFile("newuser.olx");
  DeleteFileA(Log.c_str());
  EXPECT_EQ(TBkOrlimo().SendMsg(lxmSaveLog, Log.c_str(), ""), TBkLxSendResult::Taken);
  const std::vector<std::pair<std::int32_t, std::string>> Expected = {{lxmInfo, "NewUser: hello, viewer"}};
  EXPECT_EQ(SavedMessages(Log), Expected);
  DeleteFileA(Log.c_str());
}
#endif

#endif  // ORLIMO_EXE

#ifdef LXSEND_EXE

namespace {

long RunLxSend(const std::string& Args) { return RunProgram(Quote(LXSEND_EXE) + " --quiet " + Args); }

}  // namespace

TEST_F(ClientStart, LxsendHonoursByPassAndItsTarget) {
  TSatelliteWindow Satellite;
  TViewerWindow Viewer;
  EXPECT_EQ(RunLxSend("info one"), 0);
  ByPass.SetString("1");
  EXPECT_EQ(RunLxSend("info two"), 0);
  EXPECT_EQ(RunLxSend("--to satellite info three"), 0) << "an explicit target goes before ByPass";
  ByPass.SetString("0");
  EXPECT_EQ(RunLxSend("--to main info four"), 0);
  EXPECT_EQ(Satellite.Texts(), (std::vector<std::string>{"one", "three"}));
  EXPECT_EQ(Viewer.Texts(), (std::vector<std::string>{"two", "four"}));
  EXPECT_EQ(Viewer.Received[0].Record().AppName, "lxsend");
  // The sender's rules hold for lxsend's messages: one final CR LF is dropped.
  EXPECT_EQ(RunLxSend("--to main --escapes info \"five\\r\\n\""), 0);
  EXPECT_EQ(Viewer.Texts().back(), "five");
  ByPass.SetDword(1);
  EXPECT_EQ(RunLxSend("info six"), 5) << "a ByPass that is not a string";
}

TEST_F(ClientStart, LxsendStartsTheViewerThroughExePath) {
  EXPECT_EQ(RunLxSend("info nobody"), 2) << "no window and no ExePath";
  ExePath.SetString(MissingProgram);
  EXPECT_EQ(RunLxSend("info missing"), 5);
  EXPECT_EQ(RunLxSend("--to main info missing"), 5);
  EXPECT_EQ(RunLxSend("--to satellite info missing"), 2) << "the satellite is never started";
  EXPECT_EQ(RunLxSend("--close"), 2) << "closing starts nothing";
  TEndEvent End("lxsend");
  ExePath.SetString(Quote(FAKE_VIEWER_EXE) + " other " + End.Name());
  EXPECT_EQ(RunLxSend("info started"), 2) << "started, but no viewer window";
}

#endif  // LXSEND_EXE
