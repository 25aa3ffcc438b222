// Orlimo.exe's preferences, files and clipboard driven by keys: preferences
// kept across a restart, Ctrl+S and Ctrl+O through the system's file dialogs,
// Ctrl+A and Ctrl+C onto the clipboard, and a save that fails.
#include "StandaloneUtil.h"
#include "ViewerWindows.h"

#include <vector>

#include "model/OrlimoMsg.h"

namespace {

constexpr char BaseKey[] = "Software\\Brunelk\\Orlimo\\1.0";

// A message box of the process (not its file dialog) and its texts, once one is there.
TMessageBoxInfo WaitForBox(HWND Window, DWORD Pid) {
  TMessageBoxInfo Info;
  WaitUntil(Window, [&] { return (Info.Box = FindBox(Pid)) != nullptr; });
  if (Info.Box) {
    Info.Caption = TextOf(Info.Box);
    Info.Text = BoxText(Info.Box);
  }
  return Info;
}

std::string ClipboardText() {
  std::string Text;
  if (!OpenClipboard(nullptr)) return "<no clipboard>";
  if (HANDLE H = GetClipboardData(CF_TEXT)) {
    if (const char* P = static_cast<const char*>(GlobalLock(H))) {
      Text = P;
      GlobalUnlock(H);
    }
  }
  CloseClipboard();
  return Text;
}

class FilesProgram : public StandaloneProgram {
protected:
  void SetUp() override { ResetSettings(); }
  void TearDown() override {
    if (Viewer.Running()) {
      PostMessageA(Window, WM_CLOSE, 0, 0);
      Viewer.Wait(30000);
    }
    for (const std::string& F : Files) DeleteFileA(F.c_str());
    ResetSettings();
  }
  static void ResetSettings() {
    for (const char* Section : {"View", "MsgFont", "ObjectFont", "StreamFont", "FontStyles"})
      RegDeleteTreeA(HKEY_CURRENT_USER, (std::string(BaseKey) + "\\" + Section).c_str());
  }
  std::string File(const std::string& Name) {
    Files.push_back(TempFile(Name));
    DeleteFileA(Files.back().c_str());
    return Files.back();
  }
  // A key with Ctrl held, then the file dialog it opens answered with Name.
  [[nodiscard]] bool FileCommand(TViewerKeyboard& Keys, char Key, const std::string& Name) {
    HWND Dialog = nullptr;
    {
      THeldKeys Ctrl(Keys, {VK_CONTROL});
      if (!Ctrl.Attached()) return false;
      Keys.Type(static_cast<WORD>(Key));
      if (!(Dialog = WaitForFileDialog(Window, Viewer.Id()))) return false;
    }
    AnswerFileDialog(Dialog, Name);
    return WaitUntil(Window, [&] { return !IsWindow(Dialog); });
  }
  // A menu item by its mnemonics, then the file dialog it opens answered with Name.
  [[nodiscard]] bool MenuFileCommand(TViewerKeyboard& Keys, char MenuKey, char ItemKey, const std::string& Name) {
    if (!Keys.Menu(MenuKey, ItemKey)) return false;
    const HWND Dialog = WaitForFileDialog(Window, Viewer.Id());
    if (!Dialog) return false;
    AnswerFileDialog(Dialog, Name);
    return WaitUntil(Window, [&] { return !IsWindow(Dialog); });
  }
  HWND Preferences() {
    HWND Dialog = nullptr;
    TViewerKeyboard Keys(Window);
    if (!Keys.Menu('V', 'R')) return nullptr;
    WaitUntil(Window, [&] { return (Dialog = FindProcessWindow(Viewer.Id(), "Orlimo Preferences")) != nullptr; });
    return Dialog;
  }
  std::vector<std::string> Files;
};

std::string TwoMessages() {
  return LogRecord(lxmInfo, 100, "Started", "", "FilesClient", "TStart") +
         LogRecord(lxmWarning, 150, "Careful", "", "FilesClient", "");
}

}  // namespace

TEST_F(FilesProgram, PreferencesAreFoundAsTheyWereLeftAfterARestart) {
  ASSERT_NO_FATAL_FAILURE(StartViewer());
  HWND Dialog = Preferences();
  ASSERT_NE(Dialog, nullptr) << "View, Preferences showed no dialog";
  HWND TimeStamp = FindChild(Dialog, "Time Stamp");
  HWND Icons = FindChild(Dialog, "Icons");
  ASSERT_NE(TimeStamp, nullptr);
  ASSERT_NE(Icons, nullptr);
  EXPECT_EQ(SendMessageA(TimeStamp, BM_GETCHECK, 0, 0), BST_UNCHECKED);
  EXPECT_EQ(SendMessageA(Icons, BM_GETCHECK, 0, 0), BST_CHECKED);
  SendMessageA(TimeStamp, BM_CLICK, 0, 0);
  SendMessageA(Icons, BM_CLICK, 0, 0);
  PostMessageA(FindChild(Dialog, "OK"), BM_CLICK, 0, 0);
  ASSERT_TRUE(WaitUntil(Window, [&] { return !IsWindow(Dialog) || !IsWindowVisible(Dialog); }));
  CloseViewer();

  char Value[16] = {};
  DWORD Size = sizeof Value;
  ASSERT_EQ(RegGetValueA(HKEY_CURRENT_USER, (std::string(BaseKey) + "\\View").c_str(), "TimeStamp", RRF_RT_REG_SZ,
                         nullptr, Value, &Size),
            ERROR_SUCCESS);
  EXPECT_STREQ(Value, "1");

  ASSERT_NO_FATAL_FAILURE(StartViewer());
  Dialog = Preferences();
  ASSERT_NE(Dialog, nullptr);
  EXPECT_EQ(SendMessageA(FindChild(Dialog, "Time Stamp"), BM_GETCHECK, 0, 0), BST_CHECKED);
  EXPECT_EQ(SendMessageA(FindChild(Dialog, "Icons"), BM_GETCHECK, 0, 0), BST_UNCHECKED);
  PostMessageA(FindChild(Dialog, "Cancel"), BM_CLICK, 0, 0);
  ASSERT_TRUE(WaitUntil(Window, [&] { return !IsWindow(Dialog) || !IsWindowVisible(Dialog); }));
  CloseViewer();
}

TEST_F(FilesProgram, SaveOpenAndCopyFromTheKeyboard) {
  const std::string Log = File("two.olx");
  ASSERT_NO_FATAL_FAILURE(WriteAll(Log, TwoMessages()));
  ASSERT_NO_FATAL_FAILURE(StartViewer());
  TViewerKeyboard Keys(Window);
  ASSERT_TRUE(WaitUntil(Window, [&] { return ClassOf(Keys.Focus()) == "TBkEditListBox"; }));

  // Ctrl+O: the two messages are listed.
  ASSERT_TRUE(FileCommand(Keys, 'O', Log));
  const HWND Count = FindPane(Window, "Messages");
  ASSERT_NE(Count, nullptr);
  ASSERT_TRUE(WaitUntil(Window, [&] { return TextOf(Count) == "2 Messages"; })) << TextOf(Count);

  // Ctrl+S "report": the dialog adds ".olx" and a log file is written.
  const std::string Report = File("report");
  Files.push_back(Report + ".olx");
  ASSERT_TRUE(FileCommand(Keys, 'S', Report));
  ASSERT_TRUE(WaitUntil(Window, [&] { return FindPane(Window, "saved") != nullptr; }));
  EXPECT_EQ(TextOf(FindPane(Window, "saved")), "Orlimo log file saved");
  EXPECT_TRUE(ReadAll(Report + ".olx") == TwoMessages()) << "the log file holds the two records";

  // File, Save "report.txt" (Alt+F, S): a text export.
  const std::string Text = File("report.txt");
  ASSERT_TRUE(MenuFileCommand(Keys, 'F', 'S', Text));
  ASSERT_TRUE(WaitUntil(Window, [&] { return FindPane(Window, "file") != nullptr; }));
  EXPECT_EQ(TextOf(FindPane(Window, "file")), "Orlimo messages saved to text file");
  const std::string Export = ReadAll(Text);
  EXPECT_EQ(Export.rfind("Orlimo Message Log - Saved on ", 0), 0u) << Export;
  const std::size_t Body = Export.find("\r\n\r\n");
  ASSERT_NE(Body, std::string::npos);
  EXPECT_EQ(Export.substr(Body), "\r\n\r\nInfo\t\t: Started\r\nWarning\t\t: Careful\r\n");

  // Ctrl+A, Ctrl+C: the export lines on the clipboard.
  {
    THeldKeys Ctrl(Keys, {VK_CONTROL});
    ASSERT_TRUE(Ctrl.Attached());
    Keys.Type('A');
    Keys.Type('C');
    ASSERT_TRUE(WaitUntil(Window, [&] { return ClipboardText() == "Info\t\t: Started\r\nWarning\t\t: Careful\r\n"; }))
        << ClipboardText();
  }
  CloseViewer();
}

TEST_F(FilesProgram, ASaveThatFailsSaysWhyAndShowsNoSuccess) {
  const std::string Log = File("fail.olx");
  ASSERT_NO_FATAL_FAILURE(WriteAll(Log, TwoMessages()));
  const std::string Held = File("held.txt");
  // Someone else holds the file open without sharing.
  HANDLE H = CreateFileA(Held.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr);
  ASSERT_NE(H, INVALID_HANDLE_VALUE);
  ASSERT_NO_FATAL_FAILURE(StartViewer(Quote(Log)));
  TViewerKeyboard Keys(Window);
  ASSERT_TRUE(WaitUntil(Window, [&] { return ClassOf(Keys.Focus()) == "TBkEditListBox"; }));

  HWND Dialog = nullptr;
  {
    THeldKeys Ctrl(Keys, {VK_CONTROL});
    ASSERT_TRUE(Ctrl.Attached());
    Keys.Type('S');
    Dialog = WaitForFileDialog(Window, Viewer.Id());
    ASSERT_NE(Dialog, nullptr);
  }
  AnswerFileDialog(Dialog, Held);
  // The file exists: the dialog asks first (a box of its own), then the
  // viewer says why it could not write.
  TMessageBoxInfo Box;
  for (int Round = 0; Round < 2; ++Round) {
    Box = WaitForBox(Window, Viewer.Id());
    ASSERT_NE(Box.Box, nullptr) << "round " << Round;
    if (Box.Text.find(Held) != std::string::npos && Box.Text.find("Cannot") != std::string::npos) break;
    HWND Yes = FindChild(Box.Box, "", IDYES);
    ASSERT_NE(Yes, nullptr) << Box.Text;
    PostMessageA(Box.Box, WM_COMMAND, IDYES, 0);
    ASSERT_TRUE(WaitUntil(Window, [&] { return !IsWindow(Box.Box); }));
  }
  EXPECT_NE(Box.Text.find(Held), std::string::npos) << Box.Text;
  EXPECT_EQ(FindPane(Window, "file"), nullptr) << "no success caption";
  EXPECT_EQ(FindPane(Window, "saved"), nullptr);
  PostMessageA(Box.Box, WM_COMMAND, IDOK, 0);
  ASSERT_TRUE(WaitUntil(Window, [&] { return !IsWindow(Box.Box); }));
  CloseHandle(H);
  CloseViewer();
}
