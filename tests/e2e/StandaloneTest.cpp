// Orlimo.exe as a whole: started as its own process, fed by a separate client
// process (lxsend) and by this test, asked to save its list, closed.
#include "KeyboardUtil.h"
#include "StandaloneUtil.h"

#include <thread>
#include <vector>

#include "model/OrlimoMsg.h"

namespace {

// What the client sends, and the log record the viewer writes for it.
struct TCase {
  TLxMessage Sent;
  std::string SavedText;     // the list item's text
  std::string SavedDetails;  // details lines each followed by CR LF
};

std::vector<TCase> Cases() {
  const std::string LongApp(128, 'A');
  const std::string LongType(80, 'T');
  return {
      {{lxmInfo, 1000, "Hello from the client", "", "E2eClient", ""}, "Hello from the client", ""},
      {{lxmWarning, 1010, "", "", "E2eClient", ""}, "", ""},
      {{lxmEnterMethod, 1020, "TForm1.Button1Click", "", "E2eClient", "TForm1"}, "TForm1.Button1Click", ""},
      {{lxmObject, 1030, "Customer", "Name\tAcme\r\nCity\tSpringfield", "E2eClient", "TCustomer"},
       "Customer",
       "Name\tAcme\r\nCity\tSpringfield\r\n"},
      {{lxmStringList, 1040, "Lines", "a\r\nb\nc\rd\r\n", "E2eClient", ""}, "Lines", "a\r\nb\r\nc\r\nd\r\n"},
      {{lxmCheckPoint, 1050, "any text", "ignored", "E2eClient", "ignored"}, "Check Point #1", ""},
      {{lxmExitMethod, 1060, "TForm1.Button1Click", "", "E2eClient", ""}, "TForm1.Button1Click", ""},
      {{lxmSeparator, 1070, "not shown", "", "Other", "ignored"}, "", ""},
      {{lxmError, -5, "Negative tick", "", LongApp, LongType}, "Negative tick", ""},
      {{42, 1080, "Kind forty-two", "x", "E2eClient", ""}, "Kind forty-two", "x\r\n"},
      {{lxmCheckPoint, 1090, "", "", "", ""}, "Check Point #2", ""},
      {{lxmStream, 1100, std::string(3000, 's'), std::string(5000, 'd'), "E2eClient", "TStream"},
       std::string(3000, 's'),
       std::string(5000, 'd') + "\r\n"},
  };
}

}  // namespace

TEST_F(StandaloneProgram, SavesWhatAClientSentByteForByte) {
  ASSERT_NO_FATAL_FAILURE(StartViewer());
  // The client reads the messages from a file in the record layout.
  std::string Sent, Expected;
  for (const TCase& C : Cases()) {
    const TLxMessage& M = C.Sent;
    Sent += LogRecord(M.Kind, M.TickCount, M.Text, M.Details, M.AppName, M.TypeName);
    // A check point or separator without an application name gets the viewer's own.
    const std::string App = M.AppName.empty() ? "Orlimo" : M.AppName;
    const bool Own = M.Kind == lxmCheckPoint || M.Kind == lxmSeparator;
    Expected += LogRecord(M.Kind, M.TickCount, C.SavedText, C.SavedDetails, App, Own ? "" : M.TypeName);
  }
  const std::string SentFile = TempFile("sent.olx");
  ASSERT_NO_FATAL_FAILURE(WriteAll(SentFile, Sent));

  EXPECT_EQ(RunLxSend("--app E2eClient clear"), 0);
  EXPECT_EQ(RunLxSend("--file " + Quote(SentFile)), 0);
  const std::string Saved = SaveLog("saved.olx");
  ASSERT_TRUE(FileExists(Saved));
  const std::string Bytes = ReadAll(Saved);
  EXPECT_EQ(Bytes.size(), Expected.size());
  EXPECT_TRUE(Bytes == Expected) << "the saved log differs from what was sent";

  // A clear command empties the list: the next save writes zero bytes.
  EXPECT_EQ(RunLxSend("clear"), 0);
  const std::string Empty = SaveLog("empty.olx");
  ASSERT_TRUE(FileExists(Empty));
  EXPECT_EQ(ReadAll(Empty).size(), 0u);

  CloseViewer();
  DeleteFileA(SentFile.c_str());
  DeleteFileA(Saved.c_str());
  DeleteFileA(Empty.c_str());
}

TEST_F(StandaloneProgram, RejectsRecordsThatDoNotFitWhatArrived) {
  ASSERT_NO_FATAL_FAILURE(StartViewer());
  EXPECT_EQ(RunLxSend("clear"), 0);
  std::string Good = BuildClientRecord(lxmInfo, 7, "kept", "", "Test", "");
  // TextLen claims more bytes than the record holds.
  std::string Bad = BuildClientRecord(lxmInfo, 8, "dropped", "", "Test", "");
  WriteInt32LE(reinterpret_cast<unsigned char*>(Bad.data()) + OrlimoOffsetTextLen, 100000);
  EXPECT_EQ(LxSendRecord(TLxTarget::Main, lxmInfo, Bad), TLxSendResult::NotTaken);
  // Shorter than the header.
  EXPECT_EQ(LxSendRecord(TLxTarget::Main, lxmInfo, Good.substr(0, 200)), TLxSendResult::NotTaken);
  // Negative details length.
  std::string Negative = Good;
  WriteInt32LE(reinterpret_cast<unsigned char*>(Negative.data()) + OrlimoOffsetDetailsLen, -1);
  EXPECT_EQ(LxSendRecord(TLxTarget::Main, lxmInfo, Negative), TLxSendResult::NotTaken);
  EXPECT_EQ(LxSendRecord(TLxTarget::Main, lxmInfo, Good), TLxSendResult::Taken);

  const std::string Saved = SaveLog("rejected.olx");
  EXPECT_EQ(ReadAll(Saved), LogRecord(lxmInfo, 7, "kept", "", "Test", ""));
  CloseViewer();
  DeleteFileA(Saved.c_str());
}

TEST_F(StandaloneProgram, ASecondStartEndsAtOnceWithExitCodeZero) {
  ASSERT_NO_FATAL_FAILURE(StartViewer());
  TLxProcess Second;
  ASSERT_TRUE(Second.Start(Quote(ORLIMO_EXE)));
  EXPECT_EQ(Second.Wait(30000), 0);
  EXPECT_TRUE(Viewer.Running());
  EXPECT_EQ(CountViewerWindows(), 1);
  CloseViewer();
  // Once the first has ended, the program starts again.
  ASSERT_NO_FATAL_FAILURE(StartViewer());
  CloseViewer();
}

TEST_F(StandaloneProgram, LoadsTheLogFileGivenOnTheCommandLine) {
  std::string Log;
  Log += LogRecord(lxmInfo, 500, "first", "", "Loaded", "");
  Log += LogRecord(lxmObject, 510, "object", "A\t1\r\nB\t2\r\n", "Loaded", "TThing");
  Log += LogRecord(lxmCheckPoint, 520, "Check Point #1", "", "Loaded", "");
  Log += LogRecord(lxmWarning, 530, "last", "", "Loaded", "");
  const std::string LogFile = TempFile("cmdline.olx");
  ASSERT_NO_FATAL_FAILURE(WriteAll(LogFile, Log));

  ASSERT_NO_FATAL_FAILURE(StartViewer(Quote(LogFile)));
  const std::string Saved = SaveLog("cmdline-saved.olx");
  EXPECT_TRUE(ReadAll(Saved) == Log) << "the loaded file did not come back whole";
  CloseViewer();

  // A file that does not exist, or more than one argument, is ignored.
  ASSERT_NO_FATAL_FAILURE(StartViewer(Quote(TempFile("missing.olx"))));
  const std::string Empty1 = SaveLog("missing-saved.olx");
  EXPECT_EQ(ReadAll(Empty1).size(), 0u);
  CloseViewer();
  ASSERT_NO_FATAL_FAILURE(StartViewer(Quote(LogFile) + " " + Quote(LogFile)));
  const std::string Empty2 = SaveLog("two-saved.olx");
  EXPECT_EQ(ReadAll(Empty2).size(), 0u);
  CloseViewer();

  for (const std::string& F : {LogFile, Saved, Empty1, Empty2}) DeleteFileA(F.c_str());
}

namespace {

struct TFullSearch {
  DWORD Pid;
  HWND Main;
  HWND Found = nullptr;
};

BOOL CALLBACK FindIgnoreButtonCb(HWND W, LPARAM Data) {
  char Text[32] = {};
  GetWindowTextA(W, Text, sizeof Text);
  if (std::string(Text) != "&Ignore") return TRUE;
  *reinterpret_cast<bool*>(Data) = true;
  return FALSE;
}

// The list-full question: a visible window of the process, not its main
// window, with an "Ignore" button.
BOOL CALLBACK FindListFullCb(HWND W, LPARAM Data) {
  auto* S = reinterpret_cast<TFullSearch*>(Data);
  DWORD Pid = 0;
  GetWindowThreadProcessId(W, &Pid);
  if (Pid != S->Pid || W == S->Main || !IsWindowVisible(W)) return TRUE;
  bool HasIgnore = false;
  EnumChildWindows(W, FindIgnoreButtonCb, reinterpret_cast<LPARAM>(&HasIgnore));
  if (!HasIgnore) return TRUE;
  S->Found = W;
  return FALSE;
}

}  // namespace

TEST_F(StandaloneProgram, ALogLargerThanTheListAsksAfterLoadingAndClosingEndsTheProgram) {
  // The list takes 3 (the environment's capacity); the log has 5.
  std::string Log;
  for (int I = 0; I < 5; ++I) Log += LogRecord(lxmInfo, 500 + I, "r" + std::to_string(I), "", "Loaded", "");
  const std::string LogFile = TempFile("toolarge.olx");
  ASSERT_NO_FATAL_FAILURE(WriteAll(LogFile, Log));
  SetEnvironmentVariableA("ORLIMO_LIST_CAPACITY", "3");
  StartViewer(Quote(LogFile));
  SetEnvironmentVariableA("ORLIMO_LIST_CAPACITY", nullptr);
  ASSERT_NE(Window, nullptr);

  TFullSearch Search{Viewer.Id(), Window};
  for (int Tries = 0; Tries < 3000 && !Search.Found; ++Tries) {
    EnumWindows(FindListFullCb, reinterpret_cast<LPARAM>(&Search));
    if (!Search.Found) Sleep(10);
  }
  ASSERT_NE(Search.Found, nullptr) << "no list-full question";
  EXPECT_TRUE(IsWindowVisible(Window)) << "the question comes over the shown window, after the load";
  // What the list holds while the question shows: the first three records.
  const std::string Saved = SaveLog("toolarge-saved.olx");
  EXPECT_TRUE(ReadAll(Saved) == Log.substr(0, 3 * (Log.size() / 5))) << "not the first three records";
  // Closing the window with the question open ends the program normally.
  CloseViewer();
  for (const std::string& F : {LogFile, Saved}) DeleteFileA(F.c_str());
}

TEST_F(StandaloneProgram, ABadScratchPadLineIsShownByTheViewerAndNotTaken) {
  ASSERT_NO_FATAL_FAILURE(StartViewer());
  EXPECT_EQ(RunLxSend("clear"), 0);
  // The sender waits while the viewer shows the error: send from another thread.
  LRESULT Reply = -1;
  std::thread Sender([&] {
    const std::string R = BuildClientRecord(lxmScratchPad, 1, "x7@hello", "", "Test", "");
    Reply = LxSendRecord(TLxTarget::Main, lxmScratchPad, R) == TLxSendResult::Taken ? 1 : 0;
  });
  const TMessageBoxInfo Box = WaitForMessageBox(Viewer.Id(), 30000);
  ASSERT_NE(Box.Box, nullptr) << "the viewer showed no message box";
  // The exception display may end the text with a full stop.
  EXPECT_EQ(Box.Text.rfind("'x7' is not a valid integer value", 0), 0u) << Box.Text;
  EXPECT_EQ(Box.Caption, "Orlimo");
  PostMessageA(Box.Box, WM_COMMAND, IDOK, 0);
  Sender.join();
  EXPECT_EQ(Reply, 0);
  // Nothing was listed, and the viewer goes on taking messages.
  EXPECT_EQ(RunLxSend("--tick 5 --app Test info after"), 0);
  const std::string Saved = SaveLog("scratch.olx");
  EXPECT_TRUE(ReadAll(Saved) == LogRecord(lxmInfo, 5, "after", "", "Test", ""));
  CloseViewer();
  DeleteFileA(Saved.c_str());
}

TEST_F(StandaloneProgram, KeepsItsPlacementAndItsMinimumSize) {
  RegDeleteKeyA(HKEY_CURRENT_USER, PositionKey);
  ASSERT_NO_FATAL_FAILURE(StartViewer());
  // Without stored values: 0, 0, 506 x 300.
  RECT R{};
  GetWindowRect(Window, &R);
  EXPECT_EQ(R.left, 0);
  EXPECT_EQ(R.top, 0);
  EXPECT_EQ(R.right - R.left, 506);
  EXPECT_EQ(R.bottom - R.top, 300);

  // The window cannot be made smaller than 100 x 150.
  SetWindowPos(Window, nullptr, 30, 40, 20, 20, SWP_NOZORDER | SWP_NOACTIVATE);
  GetWindowRect(Window, &R);
  EXPECT_EQ(R.right - R.left, 100);
  EXPECT_EQ(R.bottom - R.top, 150);

  SetWindowPos(Window, nullptr, 50, 60, 420, 310, SWP_NOZORDER | SWP_NOACTIVATE);
  CloseViewer();
  EXPECT_EQ(ReadPosition("Left"), "50");
  EXPECT_EQ(ReadPosition("Top"), "60");
  EXPECT_EQ(ReadPosition("Width"), "420");
  EXPECT_EQ(ReadPosition("Height"), "310");
  EXPECT_EQ(ReadPosition("Maximized"), "0");
  EXPECT_EQ(ReadPosition("OnTop"), "0");

  // Read back at the next start; hexadecimal values are understood too.
  WritePosition("Left", "0x20");
  ASSERT_NO_FATAL_FAILURE(StartViewer());
  GetWindowRect(Window, &R);
  EXPECT_EQ(R.left, 32);
  EXPECT_EQ(R.top, 60);
  EXPECT_EQ(R.right - R.left, 420);
  EXPECT_EQ(R.bottom - R.top, 310);

  // Closed while maximised: Maximized "1" and the normal bounds.
  ShowWindow(Window, SW_MAXIMIZE);
  EXPECT_TRUE(IsZoomed(Window));
  CloseViewer();
  EXPECT_EQ(ReadPosition("Maximized"), "1");
  EXPECT_EQ(ReadPosition("Left"), "32");
  EXPECT_EQ(ReadPosition("Width"), "420");
  ASSERT_NO_FATAL_FAILURE(StartViewer());
  EXPECT_TRUE(IsZoomed(Window));
  // The normal bounds are behind it (another process cannot read them
  // directly under every system: restore the window and look).
  ShowWindow(Window, SW_RESTORE);
  GetWindowRect(Window, &R);
  EXPECT_EQ(R.left, 32);
  EXPECT_EQ(R.right - R.left, 420);
  EXPECT_EQ(R.bottom - R.top, 310);
  CloseViewer();
  RegDeleteKeyA(HKEY_CURRENT_USER, PositionKey);
}

namespace {

// The window that has the keyboard focus in the viewer's GUI thread.
HWND ViewerFocus(HWND Window) {
  GUITHREADINFO Info{};
  Info.cbSize = sizeof Info;
  if (!GetGUIThreadInfo(GetWindowThreadProcessId(Window, nullptr), &Info)) return nullptr;
  return Info.hwndFocus;
}

// The texts of the records in a saved log, oldest first.
std::vector<std::string> SavedTexts(const std::string& Bytes) {
  std::vector<std::string> Texts;
  for (std::size_t At = 0; At < Bytes.size();) {
    TOrlimoRecord R;
    if (DecodeRecord(Bytes.data() + At, Bytes.size() - At, R) != TRecordStatus::Ok) break;
    Texts.emplace_back(R.Text);
    At += R.Size;
  }
  return Texts;
}

// Lets the viewer handle what was posted or sent to it so far.
void WaitForViewer(HWND Window) {
  DWORD_PTR Result = 0;
  SendMessageTimeoutA(Window, WM_NULL, 0, 0, SMTO_NORMAL, 10000, &Result);
}

// A key typed into the viewer's window Target, then waited for.
void PressKey(HWND Window, HWND Target, WPARAM VKey) {
  PostMessageA(Target, WM_KEYDOWN, VKey, 1);
  PostMessageA(Target, WM_KEYUP, VKey, 0xC0000001);
  WaitForViewer(Window);
}

}  // namespace

TEST_F(StandaloneProgram, TheKeyboardWorksOnTheListFromTheStartAndAfterSwitchingBack) {
  ASSERT_NO_FATAL_FAILURE(StartViewer());
  EXPECT_EQ(RunLxSend("clear"), 0);
  std::string Log;
  for (int I = 0; I < 5; ++I) {
    const std::string Text = "m" + std::to_string(I);
    ASSERT_EQ(LxSendRecord(TLxTarget::Main, lxmInfo, BuildClientRecord(lxmInfo, 100 + I, Text, "", "Keys", "")),
              TLxSendResult::Taken);
    Log += LogRecord(lxmInfo, 100 + I, Text, "", "Keys", "");
  }
  const std::size_t Record = Log.size() / 5;

  // Without a click the message list has the focus. (The viewer's window is
  // made the foreground window again first, in case a window of a test running
  // beside this one took that place since the start.)
  SetForegroundWindow(Window);
  WaitForViewer(Window);
  HWND List = ViewerFocus(Window);
  ASSERT_EQ(ClassOf(List), "TBkEditListBox");
  // End and Delete remove the newest message, Home and Delete the oldest.
  PressKey(Window, List, VK_END);
  PressKey(Window, List, VK_DELETE);
  PressKey(Window, List, VK_HOME);
  PressKey(Window, List, VK_DELETE);
  const std::string Saved = SaveLog("keys.olx");
  EXPECT_EQ(SavedTexts(ReadAll(Saved)), (std::vector<std::string>{"m1", "m2", "m3"}));
  EXPECT_TRUE(ReadAll(Saved) == Log.substr(Record, 3 * Record));

  // Another program's window becomes the foreground window, then the viewer
  // again: the list has the focus back.
  HWND Other = CreateWindowExA(0, "STATIC", "Another program", WS_POPUP | WS_VISIBLE, 600, 400, 100, 50, nullptr,
                               nullptr, nullptr, nullptr);
  ASSERT_NE(Other, nullptr);
  SetForegroundWindow(Other);
  WaitForViewer(Window);
  EXPECT_NE(ViewerFocus(Window), List);
  SetForegroundWindow(Window);
  WaitForViewer(Window);
  EXPECT_EQ(ViewerFocus(Window), List);
  PressKey(Window, List, VK_END);
  PressKey(Window, List, VK_DELETE);
  const std::string Again = SaveLog("keys-again.olx");
  EXPECT_EQ(SavedTexts(ReadAll(Again)), (std::vector<std::string>{"m1", "m2"}));
  DestroyWindow(Other);
  CloseViewer();
  DeleteFileA(Saved.c_str());
  DeleteFileA(Again.c_str());
}
