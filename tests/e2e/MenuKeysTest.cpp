// Orlimo.exe driven from the keyboard as a user does: menus opened by their
// mnemonics (Alt+V, then A) and accelerators typed while the message list has
// the focus. Keys are posted to the viewer's focused window; what they did is
// read from what the viewer writes (log file, registry) and shows (its window
// style, its status bar's texts, its dialogs).
#include "KeyboardUtil.h"
#include "StandaloneUtil.h"
#include "ViewerWindows.h"

#include <initializer_list>
#include <vector>

#include "model/OrlimoMsg.h"

namespace {

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
