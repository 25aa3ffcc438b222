// The intake windows: the satellite window with several panels and a form in
// the main form's mode, fed with real WM_COPYDATA messages.
#include <gtest/gtest.h>
#include <windows.h>

#include <memory>
#include <string>
#include <utility>
#include <vector>

#include "model/OrlimoMsg.h"
#include "model/OrlimoRecord.h"
#include "platform/Forms.h"
#include "protocol/LxConvert.h"
#include "protocol/LxDispatch.h"
#include "protocol/LxSatFrm.h"
#include "RecordingPanel.h"

using Calls = std::vector<std::string>;

namespace {

// A form that receives messages the way the standalone main form does.
class TMainModeForm : public TForm {
public:
  explicit TMainModeForm(TLxIntakePanel* Panel) : TForm(nullptr), FPanels{Panel} {
    SetWindowClassName("TLxTestIntakeForm");
    HandleNeeded();
  }
  void WndProc(TMessage& Message) override {
    if (Message.Msg == WM_COPYDATA) {
      LxHandleCopyData(Message, FPanels, TLxIntakeMode::MainForm);
      return;
    }
    TForm::WndProc(Message);
  }

private:
  std::vector<TLxIntakePanel*> FPanels;
};

LRESULT SendRecord(HWND Wnd, std::int32_t Kind, const std::string& Record) {
  COPYDATASTRUCT Data{};
  Data.dwData = static_cast<ULONG_PTR>(static_cast<std::uint32_t>(Kind));
  Data.cbData = static_cast<DWORD>(Record.size());
  Data.lpData = Record.empty() ? nullptr : const_cast<char*>(Record.data());
  return SendMessageA(Wnd, WM_COPYDATA, 0, reinterpret_cast<LPARAM>(&Data));
}

LRESULT Send(HWND Wnd, std::int32_t Kind, const std::string& Text, const std::string& Details = {},
             const std::string& App = "Client", const std::string& Type = {}, std::int32_t Tick = 100) {
  return SendRecord(Wnd, Kind, BuildClientRecord(Kind, Tick, Text, Details, App, Type));
}

class Intake : public ::testing::Test {
protected:
  std::vector<std::string> Shown;  // texts the exception display showed
  void SetUp() override {
    Application->OnException = [this](TObject*, const std::exception& E) { Shown.push_back(E.what()); };
  }
  void TearDown() override { Application->OnException = nullptr; }
};

}  // namespace

TEST(StrToInt, TakesDecimalIntegersWithLeadingBlanksAndASign) {
  EXPECT_EQ(StrToInt("3"), 3);
  EXPECT_EQ(StrToInt("  42"), 42);
  EXPECT_EQ(StrToInt("-7"), -7);
  EXPECT_EQ(StrToInt("+5"), 5);
  EXPECT_EQ(StrToInt("007"), 7);
  EXPECT_EQ(StrToInt("2147483647"), 2147483647);
  EXPECT_EQ(StrToInt("-2147483648"), -2147483647 - 1);
  for (const char* Bad :
       {"", " ", "-", "abc", "3 ", "3x", "1.5", "0x10", "2147483648", "-2147483649", "99999999999999999999"}) {
    try {
      StrToInt(Bad);
      ADD_FAILURE() << "no error for '" << Bad << "'";
    } catch (const EConvertError& E) {
      EXPECT_EQ(std::string(E.what()), "'" + std::string(Bad) + "' is not a valid integer value");
    }
  }
}

TEST_F(Intake, TheSatelliteWindowExistsHiddenUnderItsClassAndCaption) {
  TBkFrmLxSatellite Satellite;
  HWND Found = FindWindowA("TBkFrmLxSatellite", "Orlimo Satellite Window");
  EXPECT_EQ(Found, Satellite.GetHandle());
  EXPECT_FALSE(IsWindowVisible(Found));
}

TEST_F(Intake, EachKindReachesItsOperationOnEveryReceivingPanelInOrder) {
  TBkFrmLxSatellite Satellite;
  TRecordingPanel A("A"), B("B");
  Satellite.AddCompositeReference(&A);
  Satellite.AddCompositeReference(&B);
  EXPECT_EQ(A.Satellite, &Satellite);
  EXPECT_EQ(B.Satellite, &Satellite);
  HWND W = Satellite.GetHandle();

  EXPECT_EQ(Send(W, lxmCheckPoint, "text", "details", "App1", "T", 11), 1);
  EXPECT_EQ(Send(W, lxmSeparator, "text", "", "App2", "T", 12), 1);
  EXPECT_EQ(Send(W, lxmScratchPad, "3@hello@world"), 1);
  EXPECT_EQ(Send(W, lxmInfo, "info", "", "App3", "TType", -13), 1);
  EXPECT_EQ(Send(W, lxmObject, "obj", "a\tb\r\nc\td", "App4"), 1);
  EXPECT_EQ(Send(W, lxmWakeUpSeparator, "wake"), 1);
  EXPECT_EQ(Send(W, 42, "forty-two"), 1);
  EXPECT_EQ(Send(W, -1, "minus one"), 1);
  EXPECT_EQ(Send(W, lxmClear, "ignored"), 1);
  const Calls Expected = {"AddCheckPoint(App1,11)",
                          "AddSeparator(App2,12)",
                          "ScratchPadMsg(3,hello@world)",
                          "AddMessage(0,info,App3,TType,-13,[])",
                          "AddMessage(4,obj,App4,,100,[a\tb\r\nc\td])",
                          "AddMessage(12,wake,Client,,100,[])",
                          "AddMessage(42,forty-two,Client,,100,[])",
                          "AddMessage(-1,minus one,Client,,100,[])",
                          "Clear()"};
  EXPECT_EQ(A.Calls, Expected);
  EXPECT_EQ(B.Calls, Expected);
  Satellite.RemoveCompositeReference(&A);
  Satellite.RemoveCompositeReference(&B);
}

TEST_F(Intake, TheKindComesFromDwDataAndTextsEndAtANul) {
  TBkFrmLxSatellite Satellite;
  TRecordingPanel A;
  Satellite.AddCompositeReference(&A);
  std::string Text("ab\0cd", 5), Details("x\0y", 3), App("Ap\0p", 4);
  std::string R = BuildClientRecord(lxmError, 5, Text, Details, App, "");
  EXPECT_EQ(SendRecord(Satellite.GetHandle(), lxmWarning, R), 1);
  EXPECT_EQ(A.Calls, Calls({"AddMessage(1,ab,Ap,,5,[x])"}));
}

TEST_F(Intake, APanelIgnoringMessagesIsSkippedAndTheReplyIsStillOne) {
  TBkFrmLxSatellite Satellite;
  TRecordingPanel First("First"), Second("Second");
  Second.Ignore = true;
  Satellite.AddCompositeReference(&First);
  Satellite.AddCompositeReference(&Second);
  EXPECT_EQ(Send(Satellite.GetHandle(), lxmInfo, "hello"), 1);
  EXPECT_EQ(First.Items.size(), 1u);
  EXPECT_TRUE(Second.Calls.empty());
  EXPECT_EQ(Send(Satellite.GetHandle(), lxmClear, ""), 1);
  EXPECT_TRUE(Second.Calls.empty());
}

TEST_F(Intake, TheFirstPanelSavesTheLogEvenWhenItIgnoresMessages) {
  TBkFrmLxSatellite Satellite;
  TRecordingPanel First, Second;
  First.Ignore = true;
  Satellite.AddCompositeReference(&First);
  Satellite.AddCompositeReference(&Second);
  EXPECT_EQ(Send(Satellite.GetHandle(), lxmSaveLog, "C:\\logs\\out.olx"), 1);
  EXPECT_EQ(First.Calls, Calls({"SaveLogFile(C:\\logs\\out.olx)"}));
  EXPECT_TRUE(Second.Calls.empty());
}

TEST_F(Intake, TheMainFormDoesNothingAndRepliesZeroWhileItsPanelIgnoresMessages) {
  TRecordingPanel Panel;
  TMainModeForm Form(&Panel);
  HWND W = Form.GetHandle();
  Panel.Ignore = true;
  for (std::int32_t Kind : {lxmInfo, lxmCheckPoint, lxmSeparator, lxmClear, lxmSaveLog, 42})
    EXPECT_EQ(Send(W, Kind, "out.olx"), 0) << Kind;
  // Not even a bad scratch-pad text is looked at.
  EXPECT_EQ(Send(W, lxmScratchPad, "x@y"), 0);
  EXPECT_TRUE(Panel.Calls.empty());
  EXPECT_TRUE(Shown.empty());

  Panel.Ignore = false;
  EXPECT_EQ(Send(W, lxmSaveLog, "out.olx"), 1);
  EXPECT_EQ(Send(W, lxmScratchPad, "7@line"), 1);
  EXPECT_EQ(Send(W, lxmInfo, "info"), 1);
  EXPECT_EQ(Panel.Calls, Calls({"SaveLogFile(out.olx)", "ScratchPadMsg(7,line)", "AddMessage(0,info,Client,,100,[])"}));
}

TEST_F(Intake, WithNoPanelRegisteredTheSatelliteDropsMessagesAndRepliesOne) {
  TBkFrmLxSatellite Satellite;
  EXPECT_EQ(Send(Satellite.GetHandle(), lxmInfo, "lost"), 1);
  EXPECT_EQ(Send(Satellite.GetHandle(), lxmSaveLog, "out.olx"), 1);
}

TEST_F(Intake, ARecordThatDoesNotFitWhatArrivedIsNotProcessed) {
  TBkFrmLxSatellite Satellite;
  TRecordingPanel Panel;
  Satellite.AddCompositeReference(&Panel);
  TRecordingPanel MainPanel;
  TMainModeForm Form(&MainPanel);
  const std::string Good = BuildClientRecord(lxmInfo, 1, "text", "details", "App", "");
  std::string TooLong = Good;
  WriteInt32LE(reinterpret_cast<unsigned char*>(TooLong.data()) + OrlimoOffsetDetailsLen, 1000);
  std::string Negative = Good;
  WriteInt32LE(reinterpret_cast<unsigned char*>(Negative.data()) + OrlimoOffsetTextLen, -4);
  for (HWND W : {Satellite.GetHandle(), Form.GetHandle()}) {
    for (std::int32_t Kind : {lxmInfo, lxmClear, lxmCheckPoint, lxmSaveLog}) {
      EXPECT_EQ(SendRecord(W, Kind, TooLong), 0);
      EXPECT_EQ(SendRecord(W, Kind, Negative), 0);
      EXPECT_EQ(SendRecord(W, Kind, Good.substr(0, 223)), 0);
      EXPECT_EQ(SendRecord(W, Kind, std::string()), 0);
    }
    EXPECT_EQ(SendMessageA(W, WM_COPYDATA, 0, 0), 0);
  }
  EXPECT_TRUE(Panel.Calls.empty());
  EXPECT_TRUE(MainPanel.Calls.empty());
  // Text and details within the bytes are enough; the final NUL may be missing.
  EXPECT_EQ(SendRecord(Satellite.GetHandle(), lxmInfo, Good.substr(0, Good.size() - 3)), 1);
  EXPECT_EQ(Panel.Calls, Calls({"AddMessage(0,text,App,,1,[details])"}));
}

TEST_F(Intake, ABadScratchPadNumberIsShownAndChangesNothing) {
  TBkFrmLxSatellite Satellite;
  TRecordingPanel A, B;
  Satellite.AddCompositeReference(&A);
  Satellite.AddCompositeReference(&B);
  HWND W = Satellite.GetHandle();
  EXPECT_EQ(Send(W, lxmScratchPad, "x3@hello"), 0);
  EXPECT_EQ(Send(W, lxmScratchPad, "no at sign"), 0);
  EXPECT_EQ(Send(W, lxmScratchPad, "3 @trailing blank"), 0);
  EXPECT_EQ(Shown, Calls({"'x3' is not a valid integer value", "'' is not a valid integer value",
                          "'3 ' is not a valid integer value"}));
  EXPECT_TRUE(A.Calls.empty());
  EXPECT_TRUE(B.Calls.empty());
  EXPECT_EQ(Send(W, lxmScratchPad, " -1@x"), 1);
  EXPECT_EQ(Send(W, lxmScratchPad, "3@"), 1);
  EXPECT_EQ(A.Calls, Calls({"ScratchPadMsg(-1,x)", "ScratchPadMsg(3,)"}));
}

TEST_F(Intake, APanelFailureStopsTheMessageThereAndRepliesZero) {
  TBkFrmLxSatellite Satellite;
  TRecordingPanel A, B;
  Satellite.AddCompositeReference(&A);
  Satellite.AddCompositeReference(&B);
  A.ThrowOn = "AddMessage";
  EXPECT_EQ(Send(Satellite.GetHandle(), lxmInfo, "first"), 0);
  EXPECT_EQ(Shown, Calls({"panel failure in AddMessage(0,first,Client,,100,[])"}));
  EXPECT_TRUE(B.Calls.empty());
  EXPECT_EQ(Send(Satellite.GetHandle(), lxmInfo, "second"), 1);
  EXPECT_EQ(B.Calls.size(), 1u);
}

TEST_F(Intake, ANewPanelStartsWithTheFirstPanelsItemsShared) {
  TBkFrmLxSatellite Satellite;
  TRecordingPanel First, Second, Third;
  Satellite.AddCompositeReference(&First);
  for (int I = 0; I < 10; ++I) Send(Satellite.GetHandle(), lxmInfo, std::to_string(I).insert(0, 1, 'm'));
  Second.Items.push_back(std::make_shared<const std::string>("own"));
  Satellite.AddCompositeReference(&Second);
  ASSERT_EQ(Second.Items.size(), 11u);
  EXPECT_EQ(*Second.Items[0], "own");
  for (int I = 0; I < 10; ++I)
    EXPECT_EQ(Second.Items[static_cast<std::size_t>(I) + 1], First.Items[static_cast<std::size_t>(I)]);
  // Its counters are its own: nothing was replayed through its operations.
  EXPECT_TRUE(Second.Calls.empty());

  Send(Satellite.GetHandle(), lxmInfo, "later");
  EXPECT_EQ(*First.Items.back(), "later");
  EXPECT_EQ(*Second.Items.back(), "later");
  // A third panel copies the first panel's items, not the second's.
  Satellite.AddCompositeReference(&Third);
  EXPECT_EQ(Third.Items.size(), 11u);
}

TEST_F(Intake, RemovingAPanelRegisteredTwiceRemovesOnlyItsFirstEntry) {
  TBkFrmLxSatellite Satellite;
  TRecordingPanel A("A"), B("B");
  Satellite.AddCompositeReference(&A);
  Satellite.AddCompositeReference(&B);
  Satellite.AddCompositeReference(&A);
  Satellite.RemoveCompositeReference(&A);
  ASSERT_EQ(Satellite.GetComposites().size(), 2u);
  EXPECT_EQ(Satellite.GetComposites()[0], &B);
  EXPECT_EQ(Satellite.GetComposites()[1], &A);
  TRecordingPanel Stranger;
  Satellite.RemoveCompositeReference(nullptr);
  Satellite.RemoveCompositeReference(&Stranger);
  EXPECT_EQ(Satellite.GetComposites().size(), 2u);

  // The first panel now is B: it alone saves the log.
  Send(Satellite.GetHandle(), lxmSaveLog, "x.olx");
  EXPECT_EQ(B.Calls, Calls({"SaveLogFile(x.olx)"}));
  EXPECT_TRUE(A.Calls.empty());
}

TEST_F(Intake, APanelRegisteredAgainKeepsItsListAndIsServedPerEntry) {
  TBkFrmLxSatellite Satellite;
  TRecordingPanel A("A"), B("B");
  Satellite.AddCompositeReference(&A);
  Send(Satellite.GetHandle(), lxmInfo, "one");
  Send(Satellite.GetHandle(), lxmInfo, "two");
  // The first panel again: no copy of its items onto themselves.
  Satellite.AddCompositeReference(&A);
  EXPECT_EQ(A.Items.size(), 2u);
  // A later panel again: no second copy of the first panel's items.
  Satellite.AddCompositeReference(&B);
  ASSERT_EQ(B.Items.size(), 2u);
  Satellite.AddCompositeReference(&B);
  EXPECT_EQ(B.Items.size(), 2u);
  EXPECT_EQ(B.Items[0], A.Items[0]);
  // Each entry of the list is served.
  Send(Satellite.GetHandle(), lxmInfo, "three");
  EXPECT_EQ(A.Items.size(), 4u);
  EXPECT_EQ(B.Items.size(), 4u);
  EXPECT_EQ(Satellite.GetComposites().size(), 4u);
}

namespace {

// Runs lxsend with the arguments while this thread keeps handling the
// messages it sends; returns its exit code.
long RunLxSend(const std::string& Args) {
  std::string Cmd = "\"" LXSEND_EXE "\" --quiet " + Args;
  STARTUPINFOA Si{};
  Si.cb = sizeof Si;
  PROCESS_INFORMATION Pi{};
  if (!CreateProcessA(nullptr, Cmd.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr, &Si, &Pi)) return -2;
  const ULONGLONG Deadline = GetTickCount64() + 60000;
  long Code = -1;
  while (GetTickCount64() < Deadline) {
    const DWORD R = MsgWaitForMultipleObjects(1, &Pi.hProcess, FALSE, 1000, QS_ALLINPUT);
    if (R == WAIT_OBJECT_0) {
      DWORD Exit = 0;
      GetExitCodeProcess(Pi.hProcess, &Exit);
      Code = static_cast<long>(Exit);
      break;
    }
    MSG Msg;
    while (PeekMessageA(&Msg, nullptr, 0, 0, PM_REMOVE)) DispatchMessageA(&Msg);
  }
  if (Code == -1) TerminateProcess(Pi.hProcess, 99);
  CloseHandle(Pi.hThread);
  CloseHandle(Pi.hProcess);
  return Code;
}

}  // namespace

TEST_F(Intake, MessagesFromAnotherProcessArriveWhole) {
  TBkFrmLxSatellite Satellite;
  TRecordingPanel A;
  Satellite.AddCompositeReference(&A);
  EXPECT_EQ(RunLxSend("--to satellite --escapes --app Other --type TThing --tick 77 object obj \"a\\tb\\r\\nc\""), 0);
  EXPECT_EQ(RunLxSend("--to satellite --tick 78 --count 3 info same"), 0);
  EXPECT_EQ(A.Calls, Calls({"AddMessage(4,obj,Other,TThing,77,[a\tb\r\nc])", "AddMessage(0,same,lxsend,,78,[])",
                            "AddMessage(0,same,lxsend,,78,[])", "AddMessage(0,same,lxsend,,78,[])"}));
  // A message not taken (reply 0) is the sender's exit code 3.
  EXPECT_EQ(RunLxSend("--to satellite scratchpad nonumber"), 3);
  EXPECT_EQ(Shown, Calls({"'' is not a valid integer value"}));
}

TEST_F(Intake, FailuresWhileABoxIsOpenAreCountedIntoOneMoreBox) {
  TBkFrmLxSatellite Satellite;
  TRecordingPanel A;
  Satellite.AddCompositeReference(&A);
  HWND W = Satellite.GetHandle();
  // The first box's message loop takes further failing commands, as a real
  // box does while a client keeps sending.
  std::vector<LRESULT> Replies;
  bool Flooded = false;
  Application->OnException = [&](TObject*, const std::exception& E) {
    Shown.push_back(E.what());
    if (!std::exchange(Flooded, true))
      for (int I = 1; I <= 50; ++I) Replies.push_back(Send(W, lxmScratchPad, "b" + std::to_string(I) + "@x"));
  };
  EXPECT_EQ(Send(W, lxmScratchPad, "a@x"), 0);
  EXPECT_EQ(Replies, std::vector<LRESULT>(50, 0)) << "the replies stay 0";
  EXPECT_EQ(Shown,
            Calls({"'a' is not a valid integer value", "'b1' is not a valid integer value.\n\n...and 49 more."}));
  // Once the boxes are gone, the next failure has a box of its own again.
  Shown.clear();
  EXPECT_EQ(Send(W, lxmScratchPad, "c@x"), 0);
  EXPECT_EQ(Shown, Calls({"'c' is not a valid integer value"}));
  EXPECT_TRUE(A.Calls.empty());
}

TEST_F(Intake, TheConversionErrorShowsOnlyTheStartOfALongText) {
  TBkFrmLxSatellite Satellite;
  TRecordingPanel A;
  Satellite.AddCompositeReference(&A);
  EXPECT_EQ(Send(Satellite.GetHandle(), lxmScratchPad, std::string(100000, '7') + "x@hello"), 0);
  EXPECT_EQ(Shown, Calls({"'" + std::string(60, '7') + "...' is not a valid integer value"}));
  Shown.clear();
  EXPECT_EQ(Send(Satellite.GetHandle(), lxmScratchPad, std::string(59, '7') + "x@hello"), 0);
  EXPECT_EQ(Shown, Calls({"'" + std::string(59, '7') + "x' is not a valid integer value"}));
}

TEST_F(Intake, RecordsArrivingDuringAHoldAreTakenAndHandledInOrderWhenItEnds) {
  // A joins a second satellite below, which forgets it as it goes: A outlives
  // the first one rather than leaving it from its destructor.
  TRecordingPanel A, MainPanel;
  TBkFrmLxSatellite Satellite;
  Satellite.AddCompositeReference(&A);
  MainPanel.Ignore = true;
  TMainModeForm Main(&MainPanel);
  HWND W = Satellite.GetHandle();
  {
    TLxIntakeHold Hold;
    EXPECT_TRUE(LxIntakeHeld());
    EXPECT_EQ(Send(W, lxmInfo, "one"), 1);
    EXPECT_EQ(Send(W, lxmClear, ""), 1);
    EXPECT_EQ(Send(W, lxmScratchPad, "bad"), 1) << "taken now, fails when handled";
    const std::string Good = BuildClientRecord(lxmInfo, 1, "text", "", "App", "");
    EXPECT_EQ(SendRecord(W, lxmInfo, Good.substr(0, 200)), 0) << "a record that does not fit is not taken";
    EXPECT_EQ(Send(Main.GetHandle(), lxmInfo, "ignored"), 0) << "the main form's panel ignores messages";
    {
      TLxIntakeHold Inner;
      EXPECT_EQ(Send(W, lxmSaveLog, "f.olx"), 1);
    }
    EXPECT_TRUE(A.Calls.empty()) << "nothing is handled before the last hold ends";
    EXPECT_EQ(LxHeldRecordCount(), 4u);
  }
  EXPECT_FALSE(LxIntakeHeld());
  EXPECT_EQ(LxHeldRecordCount(), 0u);
  EXPECT_EQ(A.Calls, Calls({"AddMessage(0,one,Client,,100,[])", "Clear()", "SaveLogFile(f.olx)"}));
  EXPECT_EQ(Shown, Calls({"'' is not a valid integer value"}));
  EXPECT_TRUE(MainPanel.Calls.empty());

  // A window that goes away takes its held records with it.
  {
    TLxIntakeHold Hold;
    auto Gone = std::make_unique<TBkFrmLxSatellite>();
    Gone->AddCompositeReference(&A);
    EXPECT_EQ(Send(Gone->GetHandle(), lxmInfo, "lost"), 1);
    Gone.reset();
  }
  EXPECT_EQ(A.Calls.size(), 3u);
}
