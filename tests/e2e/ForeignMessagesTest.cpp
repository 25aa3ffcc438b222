// Another process posts and sends the viewer's own messages with made-up
// pointers to every one of its windows: the viewer goes on and saves its list.
#include "StandaloneUtil.h"
#include "ViewerWindows.h"

#include <utility>
#include <vector>

#include "model/OrlimoMsg.h"

namespace {

struct TWindows {
  DWORD Pid;
  std::vector<HWND> List;
};

BOOL CALLBACK AddChild(HWND W, LPARAM Data) {
  reinterpret_cast<TWindows*>(Data)->List.push_back(W);
  return TRUE;
}

BOOL CALLBACK AddTopLevel(HWND W, LPARAM Data) {
  auto* Windows = reinterpret_cast<TWindows*>(Data);
  DWORD Pid = 0;
  GetWindowThreadProcessId(W, &Pid);
  if (Pid != Windows->Pid) return TRUE;
  Windows->List.push_back(W);
  EnumChildWindows(W, AddChild, Data);
  return TRUE;
}

// Every top-level window of the process (hidden ones too) and all their children.
std::vector<HWND> WindowsOf(DWORD Pid) {
  TWindows Windows{Pid, {}};
  EnumWindows(AddTopLevel, reinterpret_cast<LPARAM>(&Windows));
  return Windows.List;
}

// The application's "free this form" message and the reflected notifications
// (WM_APP + 0x3C00 + the message) of the viewer's window layer.
std::vector<UINT> ForeignMessages() {
  std::vector<UINT> Messages{WM_APP + 1};
  for (UINT Reflected : {WM_COMMAND, WM_NOTIFY, WM_CTLCOLOREDIT, WM_CTLCOLORSTATIC, WM_CTLCOLORLISTBOX, WM_DRAWITEM,
                         WM_MEASUREITEM, WM_DELETEITEM, WM_COMPAREITEM})
    Messages.push_back(WM_APP + 0x3C00 + Reflected);
  return Messages;
}

}  // namespace

TEST_F(StandaloneProgram, MessagesWithMadeUpPointersFromAnotherProcessChangeNothing) {
  ASSERT_NO_FATAL_FAILURE(StartViewer());
  EXPECT_EQ(RunLxSend("clear"), 0);
  const std::string Before = BuildClientRecord(lxmInfo, 10, "before", "", "Foreign", "");
  ASSERT_EQ(LxSendRecord(TLxTarget::Main, lxmInfo, Before), TLxSendResult::Taken);

  const std::vector<HWND> Windows = WindowsOf(Viewer.Id());
  ASSERT_GT(Windows.size(), 5u) << "the main form, its controls and the application's window";
  const LPARAM MadeUp[] = {0x12345678, 1, static_cast<LPARAM>(-1)};
  for (HWND W : Windows)
    for (UINT Msg : ForeignMessages())
      for (LPARAM L : MadeUp) {
        PostMessageA(W, Msg, static_cast<WPARAM>(0x12345678), L);
        DWORD_PTR Result = 0;
        SendMessageTimeoutA(W, Msg, static_cast<WPARAM>(0x12345678), L, SMTO_ABORTIFHUNG, 2000, &Result);
      }
  DWORD_PTR Result = 0;
  ASSERT_NE(SendMessageTimeoutA(Window, WM_NULL, 0, 0, SMTO_ABORTIFHUNG, 10000, &Result), 0) << "the viewer answers";
  EXPECT_TRUE(Viewer.Running());
  EXPECT_EQ(FindBox(Viewer.Id()), nullptr) << "no error box";

  const std::string After = BuildClientRecord(lxmInfo, 20, "after", "", "Foreign", "");
  ASSERT_EQ(LxSendRecord(TLxTarget::Main, lxmInfo, After), TLxSendResult::Taken);
  const std::string Saved = SaveLog("foreign.olx");
  EXPECT_EQ(ReadAll(Saved),
            LogRecord(lxmInfo, 10, "before", "", "Foreign", "") + LogRecord(lxmInfo, 20, "after", "", "Foreign", ""));
  CloseViewer();
  DeleteFileA(Saved.c_str());
}

namespace {

BOOL CALLBACK CountVisible(HWND W, LPARAM Data) {
  auto* Count = reinterpret_cast<std::pair<DWORD, int>*>(Data);
  DWORD Pid = 0;
  GetWindowThreadProcessId(W, &Pid);
  if (Pid == Count->first && IsWindowVisible(W)) ++Count->second;
  return TRUE;
}

// The visible top-level windows of the process.
int VisibleWindows(DWORD Pid) {
  std::pair<DWORD, int> Count{Pid, 0};
  EnumWindows(CountVisible, reinterpret_cast<LPARAM>(&Count));
  return Count.second;
}

}  // namespace

// Every menu command id posted to the main window while the about box is up:
// none runs (no second dialog, no exit, no clear), as no click would.
TEST_F(StandaloneProgram, MenuCommandsPostedBehindADialogDoNothing) {
  ASSERT_NO_FATAL_FAILURE(StartViewer());
  EXPECT_EQ(RunLxSend("clear"), 0);
  const std::string Kept = BuildClientRecord(lxmInfo, 30, "kept", "", "Foreign", "");
  ASSERT_EQ(LxSendRecord(TLxTarget::Main, lxmInfo, Kept), TLxSendResult::Taken);
  TViewerKeyboard Keys(Window);
  ASSERT_TRUE(Keys.Menu('H', 'A'));
  HWND About = nullptr;
  ASSERT_TRUE(WaitUntil(Window, [&] { return (About = FindProcessWindow(Viewer.Id(), "About")) != nullptr; }));
  const int Shown = VisibleWindows(Viewer.Id());

  for (UINT Id = 0x100; Id < 0x400; ++Id) PostMessageA(Window, WM_COMMAND, MAKEWPARAM(Id, 0), 0);
  DWORD_PTR Result = 0;
  ASSERT_NE(SendMessageTimeoutA(Window, WM_NULL, 0, 0, SMTO_ABORTIFHUNG, 10000, &Result), 0);
  EXPECT_TRUE(Viewer.Running());
  EXPECT_EQ(VisibleWindows(Viewer.Id()), Shown) << "no other window came up";

  HWND Ok = FindChild(About, "OK");
  ASSERT_NE(Ok, nullptr);
  PostMessageA(Ok, BM_CLICK, 0, 0);
  ASSERT_TRUE(WaitUntil(Window, [&] { return FindProcessWindow(Viewer.Id(), "About") == nullptr; }));
  const std::string Saved = SaveLog("behind-dialog.olx");
  EXPECT_EQ(ReadAll(Saved), LogRecord(lxmInfo, 30, "kept", "", "Foreign", ""));
  CloseViewer();
  DeleteFileA(Saved.c_str());
}
