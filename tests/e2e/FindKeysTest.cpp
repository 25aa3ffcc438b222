// Orlimo.exe searched from the keyboard: Ctrl+F opens the find dialog, the
// text is typed into it and Enter confirms, F3 and the Search menu repeat the
// search; View, Inspector Window opens an object's own window, which Escape
// closes. Which message the viewer landed on is read from its status bar's
// type-name pane (every message here has its own type name).
#include "KeyboardUtil.h"
#include "StandaloneUtil.h"
#include "ViewerWindows.h"

#include "model/OrlimoMsg.h"

namespace {

// Whether a child window of Window shows exactly Text.
bool ShowsChild(HWND Window, const std::string& Text) { return FindChild(Window, Text) != nullptr; }

// The text of another process's control (GetWindowText sees only captions there).
std::string ControlText(HWND W) {
  char Text[256] = {};
  DWORD_PTR Length = 0;
  SendMessageTimeoutA(W, WM_GETTEXT, sizeof Text, reinterpret_cast<LPARAM>(Text), SMTO_NORMAL, 10000, &Length);
  return std::string(Text, Length);
}

std::string Messages() {
  std::string Log;
  Log += LogRecord(lxmInfo, 100, "Started", "", "ErrorClient", "TStart");
  Log += LogRecord(lxmError, 110, "first failure: disk error", "", "ErrorClient", "TFirstHit");
  Log += LogRecord(lxmObject, 120, "Customer", "Name\tAcme\r\nCity\tSpringfield\r\n", "ErrorClient", "TCustomer");
  Log += LogRecord(lxmWarning, 130, "An ERROR again", "", "ErrorClient", "TSecondHit");
  Log += LogRecord(lxmInfo, 140, "Done", "", "ErrorClient", "TDone");
  return Log;
}

class FindProgram : public StandaloneProgram {
protected:
  // The navigator kind is kept in the registry: every test starts with check
  // points and leaves them for the next program.
  static void NavigateCheckPoints() {
    RegSetKeyValueA(HKEY_CURRENT_USER, "Software\\Brunelk\\Orlimo\\1.0\\View", "NavigatorMessage", REG_SZ, "3", 2);
  }
  void SetUp() override {
    NavigateCheckPoints();
    LogFile = TempFile("find.olx");
    ASSERT_NO_FATAL_FAILURE(WriteAll(LogFile, Messages()));
    ASSERT_NO_FATAL_FAILURE(StartViewer(Quote(LogFile)));
    Keys = std::make_unique<TViewerKeyboard>(Window);
    ASSERT_TRUE(WaitUntil(Window, [&] { return ClassOf(Keys->Focus()) == "TBkEditListBox"; }));
    const HWND Count = FindPane(Window, "Messages");
    ASSERT_TRUE(WaitUntil(Window, [&] { return Count && TextOf(Count) == "5 Messages"; }));
  }
  void TearDown() override {
    if (!LogFile.empty()) DeleteFileA(LogFile.c_str());
    NavigateCheckPoints();
  }
  bool Current(const std::string& TypeName) {
    return WaitUntil(Window, [&] { return ShowsChild(Window, TypeName); });
  }
  // Opens the find dialog with Ctrl+F and waits for it (with its focus in
  // place); Ctrl stays down until the viewer has seen the key.
  HWND OpenFind() {
    THeldKeys Held(*Keys, {VK_CONTROL});
    Keys->Type('F');
    HWND Dialog = nullptr;
    WaitUntil(Window, [&] {
      Dialog = FindProcessWindow(Viewer.Id(), "Find");
      return Dialog && IsChild(Dialog, Keys->Focus());
    });
    return Dialog;
  }
  void TypeText(const std::string& Text) {
    for (char Ch : Text) Keys->Type(static_cast<WORD>(Ch));
  }

  std::string LogFile;
  std::unique_ptr<TViewerKeyboard> Keys;
};

TEST_F(FindProgram, CtrlFTypedTextEnterThenF3AndTheSearchMenu) {
  Keys->Type(VK_HOME);
  ASSERT_TRUE(Current("TStart"));

  HWND Dialog = OpenFind();
  ASSERT_NE(Dialog, nullptr) << "Ctrl+F showed no find dialog";
  RECT Client{};
  GetClientRect(Dialog, &Client);
  EXPECT_EQ(Client.right, 302);
  EXPECT_EQ(Client.bottom, 142);
  const HWND Edit = Keys->Focus();
  TypeText("ERROR");  // typed without Shift: "error"
  ASSERT_TRUE(WaitUntil(Window, [&] { return ControlText(Edit) == "error"; })) << ControlText(Edit);
  Keys->Type(VK_RETURN);
  ASSERT_TRUE(WaitUntil(Window, [&] { return !IsWindow(Dialog); })) << "Enter did not close the dialog";
  EXPECT_TRUE(Current("TFirstHit")) << "the search starts at the top and ignores case";

  Keys->Type(VK_F3);
  EXPECT_TRUE(Current("TSecondHit"));
  // Search, Find Next after the last match: nothing moves, nothing is said.
  ASSERT_TRUE(Keys->Menu('S', 'N'));
  ASSERT_TRUE(WaitUntil(Window, [&] { return !Keys->DropDownShown(); }));
  Settle(Window);
  EXPECT_TRUE(Current("TSecondHit"));
  EXPECT_EQ(WaitForMessageBox(Viewer.Id(), 0).Box, nullptr);

  // The dialog comes back with the text of the last search; Escape leaves it
  // without searching (from the top, a search would land on the first error).
  Keys->Type(VK_HOME);
  ASSERT_TRUE(Current("TStart"));
  Dialog = OpenFind();
  ASSERT_NE(Dialog, nullptr);
  EXPECT_EQ(ControlText(Keys->Focus()), "error");
  Keys->Type(VK_ESCAPE);
  ASSERT_TRUE(WaitUntil(Window, [&] { return !IsWindow(Dialog) || !IsWindowVisible(Dialog); }));
  Settle(Window);
  EXPECT_TRUE(ShowsChild(Window, "TStart"));
  EXPECT_FALSE(ShowsChild(Window, "TFirstHit"));
  CloseViewer();
}

TEST_F(FindProgram, TheNavigatorDialogChoosesWhatCtrlNStepsThrough) {
  Keys->Type(VK_HOME);
  ASSERT_TRUE(Current("TStart"));
  // Messages, Select Navigator Message: the list starts on check points; one
  // line up are the errors.
  ASSERT_TRUE(Keys->Menu('M', 'M'));
  HWND Dialog = nullptr;
  ASSERT_TRUE(WaitUntil(Window, [&] {
    Dialog = FindProcessWindow(Viewer.Id(), "Select Navigator Message Type");
    return Dialog && IsChild(Dialog, Keys->Focus());
  })) << "no navigator dialog";
  const HWND Kinds = Keys->Focus();
  EXPECT_EQ(SendMessageA(Kinds, LB_GETCURSEL, 0, 0), 3);
  Keys->Type(VK_UP);
  ASSERT_TRUE(WaitUntil(Window, [&] { return SendMessageA(Kinds, LB_GETCURSEL, 0, 0) == 2; }));
  Keys->Type(VK_RETURN);
  ASSERT_TRUE(WaitUntil(Window, [&] { return !IsWindow(Dialog); }));
  {
    THeldKeys Ctrl(*Keys, {VK_CONTROL});
    Keys->Type('N');
    EXPECT_TRUE(Current("TFirstHit")) << "Ctrl+N goes to the next error";
  }
  Keys->Type(VK_END);
  ASSERT_TRUE(Current("TDone"));
  {
    THeldKeys Ctrl(*Keys, {VK_CONTROL});
    Keys->Type('P');
    EXPECT_TRUE(Current("TFirstHit")) << "Ctrl+P goes back to the previous error";
  }
  CloseViewer();
}

// View, Inspector Window opens the object's own window with the keyboard in
// it; Escape closes it and gives the keyboard back to the list. A window open
// when its message is deleted stays, and the program still ends cleanly.
TEST_F(FindProgram, InspectorWindowFromTheViewMenuClosesOnEscapeAndOutlivesTheMessage) {
  Keys->Type(VK_HOME);
  Keys->Type(VK_DOWN);
  Keys->Type(VK_DOWN);
  ASSERT_TRUE(Current("TCustomer"));
  const HWND List = Keys->Focus();
  ASSERT_EQ(ClassOf(List), "TBkEditListBox");
  auto OpenInspector = [&] {
    HWND Inspector = nullptr;
    if (!Keys->Menu('V', 'O')) return Inspector;
    WaitUntil(Window, [&] {
      Inspector = FindProcessWindow(Viewer.Id(), "Customer");
      return Inspector && IsChild(Inspector, Keys->Focus());
    });
    return Inspector;
  };
  HWND Inspector = OpenInspector();
  ASSERT_NE(Inspector, nullptr) << "View, Inspector Window showed nothing";
  ASSERT_TRUE(IsChild(Inspector, Keys->Focus())) << "the keyboard is not in the window";
  RECT R{};
  GetWindowRect(Inspector, &R);
  EXPECT_EQ(R.right - R.left, 200);
  EXPECT_EQ(R.bottom - R.top, 244);
  EXPECT_TRUE(TopMost(Inspector));

  Keys->Type(VK_ESCAPE);
  EXPECT_TRUE(WaitUntil(Window, [&] { return !IsWindow(Inspector) || !IsWindowVisible(Inspector); }))
      << "Escape left the window on the screen";
  EXPECT_TRUE(WaitUntil(Window, [&] { return Keys->Focus() == List; })) << ClassOf(Keys->Focus());

  // Again, and the message goes while its window is open.
  Inspector = OpenInspector();
  ASSERT_NE(Inspector, nullptr);
  PostMessageA(List, WM_KEYDOWN, VK_DELETE, 1);
  PostMessageA(List, WM_KEYUP, VK_DELETE, 0xC0000001);
  const HWND Count = FindPane(Window, "Messages");
  ASSERT_TRUE(WaitUntil(Window, [&] { return Count && TextOf(Count) == "4 Messages"; })) << TextOf(Count);
  EXPECT_TRUE(IsWindow(Inspector) && IsWindowVisible(Inspector)) << "the window went with its message";
  EXPECT_EQ(TextOf(Inspector), "Customer");
  // Closing the program with the window open ends it cleanly.
  CloseViewer();
}

}  // namespace
