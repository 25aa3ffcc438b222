// Orlimo.exe driven from the keyboard as a user does: menus opened by their
// mnemonics (Alt+V, then A) and accelerators typed while the message list has
// the focus. Keys are posted to the viewer's focused window; what they did is
// read from what the viewer writes (log file, registry) and shows (its window
// style, its status bar's texts, its dialogs).
#include "StandaloneUtil.h"

#include <initializer_list>
#include <vector>

#include "model/OrlimoMsg.h"

namespace {

// Lets the viewer's GUI thread come round to its message queue.
void Settle(HWND Window) {
  DWORD_PTR Result = 0;
  SendMessageTimeoutA(Window, WM_NULL, 0, 0, SMTO_NORMAL, 10000, &Result);
}

// Waits (at most Ms) until Condition holds.
template <class TCondition>
bool WaitUntil(HWND Window, TCondition Condition, DWORD Ms = 20000) {
  const ULONGLONG Deadline = GetTickCount64() + Ms;
  for (;;) {
    if (Condition()) return true;
    if (GetTickCount64() >= Deadline) return false;
    if (IsWindow(Window)) Settle(Window);
    Sleep(5);
  }
}

std::string ClassOf(HWND W) {
  char Cls[64] = {};
  GetClassNameA(W, Cls, sizeof Cls);
  return Cls;
}

std::string TextOf(HWND W) {
  char Text[256] = {};
  GetWindowTextA(W, Text, sizeof Text);
  return Text;
}

// The keyboard of the viewer's GUI thread.
class TViewerKeyboard {
public:
  explicit TViewerKeyboard(HWND Window) : FWindow(Window), FThread(GetWindowThreadProcessId(Window, nullptr)) {}

  // The viewer's window with the keyboard focus (its main window when none has it).
  HWND Focus() const {
    GUITHREADINFO Info{};
    Info.cbSize = sizeof Info;
    if (GetGUIThreadInfo(FThread, &Info) && Info.hwndFocus) return Info.hwndFocus;
    return FWindow;
  }
  // A key pressed and released. With Alt the messages are the system keys
  // whose context code says Alt is held, as Windows sends them.
  void Type(WORD Key, bool Alt = false) {
    const HWND Target = Focus();
    const LPARAM Scan = static_cast<LPARAM>(MapVirtualKeyA(Key, MAPVK_VK_TO_VSC)) << 16;
    const LPARAM Context = Alt ? (1 << 29) : 0;
    PostMessageA(Target, Alt ? WM_SYSKEYDOWN : WM_KEYDOWN, Key, 1 | Scan | Context);
    PostMessageA(Target, Alt ? WM_SYSKEYUP : WM_KEYUP, Key,
                 static_cast<LPARAM>(1 | Scan | Context | (1u << 30) | (1u << 31)));
  }
  // A menu of the menu bar and one of its items, by their mnemonics. The
  // item's key goes once the menu has dropped down (the menu opens its
  // drop-down through a key of its own, posted behind anything queued).
  [[nodiscard]] bool Menu(char MenuKey, char ItemKey) {
    Type(static_cast<WORD>(MenuKey), true);
    if (!WaitUntil(FWindow, [&] { return DropDownShown(); })) return false;
    Type(static_cast<WORD>(ItemKey));
    return true;
  }
  // Whether a drop-down menu of the viewer is on the screen.
  bool DropDownShown() const {
    bool Shown = false;
    EnumThreadWindows(FThread, FindDropDown, reinterpret_cast<LPARAM>(&Shown));
    return Shown;
  }
  DWORD Thread() const { return FThread; }

private:
  static BOOL CALLBACK FindDropDown(HWND W, LPARAM Data) {
    if (ClassOf(W) != "#32768" || !IsWindowVisible(W)) return TRUE;
    *reinterpret_cast<bool*>(Data) = true;
    return FALSE;
  }
  HWND FWindow;
  DWORD FThread;
};

// Holds modifier keys (Ctrl, Alt, Shift) down for the viewer's GUI thread:
// while attached to it, this thread's keyboard state is the viewer's.
class THeldKeys {
public:
  THeldKeys(const TViewerKeyboard& Keyboard, std::initializer_list<int> Keys) : FThread(Keyboard.Thread()) {
    FAttached = AttachThreadInput(GetCurrentThreadId(), FThread, TRUE) != FALSE;
    GetKeyboardState(FSaved);
    BYTE State[256];
    std::memcpy(State, FSaved, sizeof State);
    for (int K : Keys) State[K] = 0x80;
    SetKeyboardState(State);
  }
  ~THeldKeys() {
    SetKeyboardState(FSaved);
    if (FAttached) AttachThreadInput(GetCurrentThreadId(), FThread, FALSE);
  }
  THeldKeys(const THeldKeys&) = delete;
  THeldKeys& operator=(const THeldKeys&) = delete;
  bool Attached() const { return FAttached; }

private:
  DWORD FThread;
  bool FAttached = false;
  BYTE FSaved[256];
};

bool TopMost(HWND W) { return (GetWindowLongA(W, GWL_EXSTYLE) & WS_EX_TOPMOST) != 0; }

struct TPaneSearch {
  std::string Suffix;
  HWND Found = nullptr;
};

BOOL CALLBACK FindPaneBySuffix(HWND W, LPARAM Data) {
  auto* S = reinterpret_cast<TPaneSearch*>(Data);
  const std::string T = TextOf(W);
  if (T.size() <= S->Suffix.size() || T.compare(T.size() - S->Suffix.size(), S->Suffix.size(), S->Suffix) != 0)
    return TRUE;
  S->Found = W;
  return FALSE;
}

// A child window of the viewer whose text ends with Suffix ("Messages",
// "Selected": the status bar's count panes).
HWND FindPane(HWND Window, const std::string& Suffix) {
  TPaneSearch Search{" " + Suffix};
  EnumChildWindows(Window, FindPaneBySuffix, reinterpret_cast<LPARAM>(&Search));
  return Search.Found;
}

struct TWindowSearch {
  DWORD Pid;
  std::string Caption;
  HWND Found = nullptr;
};

BOOL CALLBACK FindWindowByCaption(HWND W, LPARAM Data) {
  auto* S = reinterpret_cast<TWindowSearch*>(Data);
  DWORD Pid = 0;
  GetWindowThreadProcessId(W, &Pid);
  if (Pid != S->Pid || !IsWindowVisible(W) || TextOf(W) != S->Caption) return TRUE;
  S->Found = W;
  return FALSE;
}

// A top-level window of the process with this caption.
HWND FindProcessWindow(DWORD Pid, const std::string& Caption) {
  TWindowSearch Search{Pid, Caption};
  EnumWindows(FindWindowByCaption, reinterpret_cast<LPARAM>(&Search));
  return Search.Found;
}

// Messages of every listed kind, some with details, as records of a log file.
std::string SomeMessages() {
  std::string Log;
  Log += LogRecord(lxmInfo, 100, "Started", "", "KeysClient", "TStart");
  Log += LogRecord(lxmEnterMethod, 110, "TMain.Run", "", "KeysClient", "TMain");
  Log += LogRecord(lxmObject, 120, "Customer", "Name\tAcme\r\nCity\tSpringfield\r\n", "KeysClient", "TCustomer");
  Log += LogRecord(lxmCheckPoint, 130, "Check Point #1", "", "KeysClient", "");
  Log += LogRecord(lxmStringList, 140, "Lines", "a\r\nb\r\n", "KeysClient", "TStrings");
  Log += LogRecord(lxmWarning, 150, "Careful", "", "KeysClient", "");
  Log += LogRecord(lxmCheckPoint, 160, "Check Point #2", "", "KeysClient", "");
  Log += LogRecord(lxmExitMethod, 170, "TMain.Run", "", "KeysClient", "TMain");
  return Log;
}

class KeyboardProgram : public StandaloneProgram {
protected:
  // Starts the viewer with the messages of a log file listed.
  void StartWith(const std::string& Log) {
    LogFile = TempFile("keys.olx");
    ASSERT_NO_FATAL_FAILURE(WriteAll(LogFile, Log));
    ASSERT_NO_FATAL_FAILURE(StartViewer(Quote(LogFile)));
  }
  void TearDown() override {
    if (!LogFile.empty()) DeleteFileA(LogFile.c_str());
    for (const std::string& F : Saved) DeleteFileA(F.c_str());
  }
  std::string SavedLog(const std::string& Name) {
    Saved.push_back(SaveLog(Name));
    return ReadAll(Saved.back());
  }
  std::string LogFile;
  std::vector<std::string> Saved;
};

}  // namespace

TEST_F(KeyboardProgram, TheMessageListHasTheFocusAtStart) {
  ASSERT_NO_FATAL_FAILURE(StartViewer());
  TViewerKeyboard Keys(Window);
  ASSERT_TRUE(WaitUntil(Window, [&] { return ClassOf(Keys.Focus()) == "TBkEditListBox"; }))
      << "focus: " << ClassOf(Keys.Focus());
  CloseViewer();
}

TEST_F(KeyboardProgram, AlwaysOnTopFromTheViewMenuKeepsEveryMessage) {
  RegDeleteKeyA(HKEY_CURRENT_USER, PositionKey);
  const std::string Log = SomeMessages();
  ASSERT_NO_FATAL_FAILURE(StartWith(Log));
  ASSERT_EQ(SavedLog("before.olx"), Log);
  ASSERT_FALSE(TopMost(Window));
  TViewerKeyboard Keys(Window);

  // View, Always On Top: on, and every message is still there.
  ASSERT_TRUE(Keys.Menu('V', 'A'));
  ASSERT_TRUE(WaitUntil(Window, [&] { return TopMost(Window); })) << "Alt+V, A did not put the window on top";
  EXPECT_TRUE(SavedLog("ontop.olx") == Log) << "messages lost when the window went on top";
  // And off again.
  ASSERT_TRUE(Keys.Menu('V', 'A'));
  ASSERT_TRUE(WaitUntil(Window, [&] { return !TopMost(Window); }));
  EXPECT_TRUE(SavedLog("normal.olx") == Log);

  // On at the close: kept, and the next start is on top at once.
  ASSERT_TRUE(Keys.Menu('V', 'A'));
  ASSERT_TRUE(WaitUntil(Window, [&] { return TopMost(Window); }));
  CloseViewer();
  EXPECT_EQ(ReadPosition("OnTop"), "1");
  ASSERT_NO_FATAL_FAILURE(StartViewer());
  EXPECT_TRUE(TopMost(Window));
  CloseViewer();
  RegDeleteKeyA(HKEY_CURRENT_USER, PositionKey);
}

TEST_F(KeyboardProgram, ExitFromTheFileMenuKeepsTheMaximisedPlacement) {
  RegDeleteKeyA(HKEY_CURRENT_USER, PositionKey);
  ASSERT_NO_FATAL_FAILURE(StartViewer());
  SetWindowPos(Window, nullptr, 70, 80, 430, 330, SWP_NOZORDER | SWP_NOACTIVATE);
  ShowWindow(Window, SW_MAXIMIZE);
  ASSERT_TRUE(IsZoomed(Window));
  TViewerKeyboard Keys(Window);
  ASSERT_TRUE(Keys.Menu('F', 'X'));
  EXPECT_EQ(Viewer.Wait(30000), 0) << "File, Exit did not end the program";
  EXPECT_EQ(ReadPosition("Maximized"), "1");
  EXPECT_EQ(ReadPosition("Left"), "70");
  EXPECT_EQ(ReadPosition("Top"), "80");
  EXPECT_EQ(ReadPosition("Width"), "430");
  EXPECT_EQ(ReadPosition("Height"), "330");
  EXPECT_EQ(ReadPosition("OnTop"), "0");
  RegDeleteKeyA(HKEY_CURRENT_USER, PositionKey);
}

TEST_F(KeyboardProgram, AltF4ClosesAndKeepsThePlacement) {
  RegDeleteKeyA(HKEY_CURRENT_USER, PositionKey);
  ASSERT_NO_FATAL_FAILURE(StartViewer());
  SetWindowPos(Window, nullptr, 35, 45, 380, 260, SWP_NOZORDER | SWP_NOACTIVATE);
  TViewerKeyboard Keys(Window);
  {
    THeldKeys Alt(Keys, {VK_MENU});
    ASSERT_TRUE(Alt.Attached());
    Keys.Type(VK_F4, true);
    EXPECT_EQ(Viewer.Wait(30000), 0) << "Alt+F4 did not end the program";
  }
  EXPECT_EQ(ReadPosition("Left"), "35");
  EXPECT_EQ(ReadPosition("Width"), "380");
  EXPECT_EQ(ReadPosition("Height"), "260");
  EXPECT_EQ(ReadPosition("Maximized"), "0");
  RegDeleteKeyA(HKEY_CURRENT_USER, PositionKey);
}

TEST_F(KeyboardProgram, AcceleratorsAndMenusWorkFromTheMessageList) {
  const std::string Log = SomeMessages();
  ASSERT_NO_FATAL_FAILURE(StartWith(Log));
  TViewerKeyboard Keys(Window);
  ASSERT_TRUE(WaitUntil(Window, [&] { return ClassOf(Keys.Focus()) == "TBkEditListBox"; }));
  const HWND Count = FindPane(Window, "Messages");
  const HWND Selected = FindPane(Window, "Selected");
  ASSERT_NE(Count, nullptr);
  ASSERT_NE(Selected, nullptr);
  ASSERT_TRUE(WaitUntil(Window, [&] { return TextOf(Count) == "8 Messages"; })) << TextOf(Count);

  // Home selects the first message. With Ctrl held: the next check point
  // (the navigator's kind) is Ctrl+N away, Ctrl+N once more reaches the second
  // one and Ctrl+P goes back; then Ctrl+Down and Ctrl+Space add the message
  // below to the selection, which the status bar counts.
  Keys.Type(VK_HOME);
  ASSERT_TRUE(WaitUntil(Window, [&] { return TextOf(Selected) == "1 Selected"; })) << TextOf(Selected);
  {
    THeldKeys Ctrl(Keys, {VK_CONTROL});
    ASSERT_TRUE(Ctrl.Attached());
    for (WORD K : std::initializer_list<WORD>{'N', 'N', 'P', VK_DOWN, VK_SPACE}) Keys.Type(K);
    ASSERT_TRUE(WaitUntil(Window, [&] { return TextOf(Selected) == "2 Selected"; })) << TextOf(Selected);
  }
  // Edit, Delete removes the first check point and the string list after it.
  ASSERT_TRUE(Keys.Menu('E', 'D'));
  ASSERT_TRUE(WaitUntil(Window, [&] { return TextOf(Count) == "6 Messages"; })) << TextOf(Count);
  std::string Expected;
  Expected += LogRecord(lxmInfo, 100, "Started", "", "KeysClient", "TStart");
  Expected += LogRecord(lxmEnterMethod, 110, "TMain.Run", "", "KeysClient", "TMain");
  Expected += LogRecord(lxmObject, 120, "Customer", "Name\tAcme\r\nCity\tSpringfield\r\n", "KeysClient", "TCustomer");
  Expected += LogRecord(lxmWarning, 150, "Careful", "", "KeysClient", "");
  Expected += LogRecord(lxmCheckPoint, 160, "Check Point #2", "", "KeysClient", "");
  Expected += LogRecord(lxmExitMethod, 170, "TMain.Run", "", "KeysClient", "TMain");
  EXPECT_TRUE(SavedLog("deleted.olx") == Expected) << "the wrong messages were deleted";

  // Messages, Add Check Point: listed at the end with the viewer's own name.
  ASSERT_TRUE(Keys.Menu('M', 'C'));
  ASSERT_TRUE(WaitUntil(Window, [&] { return TextOf(Count) == "7 Messages"; })) << TextOf(Count);
  const std::string After = SavedLog("added.olx");
  ASSERT_GT(After.size(), Expected.size());
  EXPECT_EQ(After.compare(0, Expected.size(), Expected), 0);
  const std::string Added = After.substr(Expected.size());
  EXPECT_EQ(ReadInt32LE(reinterpret_cast<const unsigned char*>(Added.data()) + OrlimoOffsetKind), lxmCheckPoint);
  EXPECT_NE(Added.find("Check Point #"), std::string::npos);
  EXPECT_NE(Added.find("Orlimo"), std::string::npos) << "the viewer's own name";
  CloseViewer();
}

TEST_F(KeyboardProgram, HelpAboutShowsTheAboutBox) {
  ASSERT_NO_FATAL_FAILURE(StartViewer());
  TViewerKeyboard Keys(Window);
  ASSERT_TRUE(Keys.Menu('H', 'A'));
  HWND About = nullptr;
  ASSERT_TRUE(WaitUntil(Window, [&] { return (About = FindProcessWindow(Viewer.Id(), "About")) != nullptr; }))
      << "Help, About showed nothing";
  RECT Client{};
  GetClientRect(About, &Client);
  EXPECT_EQ(Client.right, 361);
  EXPECT_EQ(Client.bottom, 198);
  HWND Ok = FindWindowExA(About, nullptr, nullptr, "OK");
  ASSERT_NE(Ok, nullptr);
  PostMessageA(Ok, BM_CLICK, 0, 0);
  ASSERT_TRUE(WaitUntil(Window, [&] { return FindProcessWindow(Viewer.Id(), "About") == nullptr; }));
  CloseViewer();
}

TEST_F(KeyboardProgram, CommandsOfLaterVersionsSaySo) {
  ASSERT_NO_FATAL_FAILURE(StartViewer());
  TViewerKeyboard Keys(Window);
  // Search, Find.
  ASSERT_TRUE(Keys.Menu('S', 'F'));
  const TMessageBoxInfo Box = WaitForMessageBox(Viewer.Id(), 20000);
  ASSERT_NE(Box.Box, nullptr) << "the command did nothing visible";
  EXPECT_NE(Box.Text.find("not available yet"), std::string::npos) << Box.Text;
  PostMessageA(Box.Box, WM_COMMAND, IDOK, 0);
  ASSERT_TRUE(WaitUntil(Window, [&] { return !IsWindow(Box.Box); }));
  CloseViewer();
}
