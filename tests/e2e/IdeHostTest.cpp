// IdeHost.exe with the panel plug-in as a whole: the host program started as
// its own process shows the panel, a separate client process (lxsend) sends
// records to the satellite window (also before the panel is shown), a
// save-log command writes the panel's list, the host closes.
#include "KeyboardUtil.h"
#include "StandaloneUtil.h"

#include <vector>

#include "model/OrlimoMsg.h"

#ifndef IDEHOST_EXE
#error "IDEHOST_EXE names the IDE host program"
#endif

namespace {

constexpr char SatelliteClass[] = "TBkFrmLxSatellite";
constexpr char SatelliteCaption[] = "Orlimo Satellite Window";

long RunLxSendToSatellite(const std::string& Args) {
  TLxProcess P;
  if (!P.Start(Quote(LXSEND_EXE) + " --quiet --to satellite " + Args, SW_HIDE)) return -2;
  return P.Wait(60000);
}

struct TPanelSearch {
  std::vector<HWND> Found;
};

BOOL CALLBACK FindPanel(HWND W, LPARAM Data) {
  if (ClassOf(W) == "TBkOrlimoComposite" && IsWindowVisible(W))
    reinterpret_cast<TPanelSearch*>(Data)->Found.push_back(W);
  return TRUE;
}

BOOL CALLBACK FindPanelsOfThread(HWND W, LPARAM Data) {
  EnumChildWindows(W, FindPanel, Data);
  return TRUE;
}

// The viewer panels the host program shows (docked and floating).
std::vector<HWND> Panels(DWORD Thread) {
  TPanelSearch S;
  EnumThreadWindows(Thread, FindPanelsOfThread, reinterpret_cast<LPARAM>(&S));
  return S.Found;
}

// An edit control's text (GetWindowText does not ask another process's window).
std::string EditText(HWND W) {
  char Text[256] = {};
  SendMessageA(W, WM_GETTEXT, sizeof Text, reinterpret_cast<LPARAM>(Text));
  return Text;
}

std::string SavedBySatellite(const std::string& Name) {
  const std::string File = TempFile(Name);
  DeleteFileA(File.c_str());
  EXPECT_EQ(RunLxSendToSatellite("savelog " + Quote(File)), 0);
  std::string Bytes = ReadAll(File);
  DeleteFileA(File.c_str());
  return Bytes;
}

}  // namespace

TEST(IdeHostProgram, ThePanelSavesWhatAClientSentByteForByte) {
  ASSERT_EQ(FindWindowA(SatelliteClass, SatelliteCaption), nullptr) << "a satellite window is already there";
  TLxProcess Host;
  ASSERT_TRUE(Host.Start(Quote(IDEHOST_EXE) + " --show"));
  HWND Satellite = LxWaitForWindow(Host, SatelliteClass, SatelliteCaption, 30000);
  ASSERT_NE(Satellite, nullptr) << "the plug-in's satellite window did not appear";
  HWND Main = LxWaitForWindow(Host, "TIdeHostForm", "Orlimo IDE Host", 30000);
  ASSERT_NE(Main, nullptr);
  EXPECT_FALSE(IsWindowVisible(Satellite));

  const std::vector<TLxMessage> Messages{
      {lxmInfo, 1000, "Hello from the client", "", "E2eClient", ""},
      {lxmEnterMethod, 1010, "TForm1.Button1Click", "", "E2eClient", "TForm1"},
      {lxmObject, 1020, "Customer", "Name\tAcme\r\nCity\tSpringfield", "E2eClient", "TCustomer"},
      {lxmExitMethod, 1030, "TForm1.Button1Click", "", "E2eClient", ""},
      {lxmError, -5, "Negative tick", "", "Other", "TType"},
  };
  std::string Sent, Expected;
  for (const TLxMessage& M : Messages) {
    Sent += LogRecord(M.Kind, M.TickCount, M.Text, M.Details, M.AppName, M.TypeName);
    Expected +=
        LogRecord(M.Kind, M.TickCount, M.Text, M.Details.empty() ? "" : M.Details + "\r\n", M.AppName, M.TypeName);
  }
  const std::string SentFile = TempFile("ide-sent.olx");
  ASSERT_NO_FATAL_FAILURE(WriteAll(SentFile, Sent));
  EXPECT_EQ(RunLxSendToSatellite("--file " + Quote(SentFile)), 0);
  const std::string Saved = TempFile("ide-saved.olx");
  DeleteFileA(Saved.c_str());
  EXPECT_EQ(RunLxSendToSatellite("savelog " + Quote(Saved)), 0);
  ASSERT_TRUE(FileExists(Saved)) << "the panel did not save";
  const std::string Bytes = ReadAll(Saved);
  EXPECT_EQ(Bytes.size(), Expected.size());
  EXPECT_TRUE(Bytes == Expected) << "the saved log differs from what was sent";

  PostMessageA(Main, WM_CLOSE, 0, 0);
  EXPECT_EQ(Host.Wait(30000), 0) << "the host did not end after WM_CLOSE";
  EXPECT_EQ(FindWindowA(SatelliteClass, SatelliteCaption), nullptr);
  DeleteFileA(SentFile.c_str());
  DeleteFileA(Saved.c_str());
}

TEST(IdeHostProgram, AUserShowsMovesAndOpensASecondPanelFromTheKeyboard) {
  ASSERT_EQ(FindWindowA(SatelliteClass, SatelliteCaption), nullptr) << "a satellite window is already there";
  TLxProcess Host;
  ASSERT_TRUE(Host.Start(Quote(IDEHOST_EXE)));
  HWND Main = LxWaitForWindow(Host, "TIdeHostForm", "Orlimo IDE Host", 30000);
  ASSERT_NE(Main, nullptr);
  ASSERT_NE(LxWaitForWindow(Host, SatelliteClass, SatelliteCaption, 30000), nullptr);
  TViewerKeyboard Keys(Main);
  ASSERT_TRUE(WaitUntil(Main, [&] { return ClassOf(Keys.Focus()) == "TOrlimoEdit"; })) << "the command line";
  EXPECT_TRUE(Panels(Keys.Thread()).empty());
  // A client sends while the panel is hidden: the panel starts with it.
  EXPECT_EQ(RunLxSendToSatellite("--app Keys --tick 5 note " + Quote("before the panel")), 0);
  std::string Expected = LogRecord(lxmNote, 5, "before the panel", "", "Keys", "");

  // The toggle command typed in lower case shows the panel, docked at the bottom.
  // The characters as the keyboard layout makes them (Wine's null driver has
  // no layout to turn posted keys into characters), then Enter as a key.
  for (char C : std::string("toggleorlimopanel")) PostMessageA(Keys.Focus(), WM_CHAR, static_cast<WPARAM>(C), 1);
  ASSERT_TRUE(WaitUntil(Main, [&] { return EditText(Keys.Focus()) == "toggleorlimopanel"; }));
  Keys.Type(VK_RETURN);
  ASSERT_TRUE(WaitUntil(Main, [&] { return Panels(Keys.Thread()).size() == 1; })) << "the panel did not appear";
  EXPECT_EQ(EditText(Keys.Focus()), "") << "the command line is cleared after a command";
  RECT Client{}, Panel{};
  GetClientRect(Main, &Client);
  GetWindowRect(Panels(Keys.Thread()).front(), &Panel);
  EXPECT_GT(Panel.right - Panel.left, Client.right * 3 / 4) << "docked along the bottom";

  for (int I = 0; I < 3; ++I) {
    const std::string Text = "message " + std::to_string(I);
    EXPECT_EQ(RunLxSendToSatellite("--app Keys --tick " + std::to_string(10 + I) + " info " + Quote(Text)), 0);
    Expected += LogRecord(lxmInfo, 10 + I, Text, "", "Keys", "");
  }

  // Panels > Dock Left: a new panel at the left, with the messages.
  ASSERT_TRUE(Keys.Menu('P', 'L'));
  ASSERT_TRUE(WaitUntil(Main, [&] {
    const auto P = Panels(Keys.Thread());
    if (P.size() != 1) return false;
    GetWindowRect(P.front(), &Panel);
    return Panel.right - Panel.left < Client.right / 2;
  })) << "the panel did not move to the left";
  EXPECT_TRUE(SavedBySatellite("left.olx") == Expected);

  // Panels > Open Second Panel: a floating panel with a copy, and both receive.
  ASSERT_TRUE(Keys.Menu('P', 'S'));
  ASSERT_TRUE(WaitUntil(Main, [&] { return Panels(Keys.Thread()).size() == 2; })) << "no second panel";
  EXPECT_EQ(RunLxSendToSatellite("--app Keys --tick 20 warning last"), 0);
  Expected += LogRecord(lxmWarning, 20, "last", "", "Keys", "");
  EXPECT_TRUE(SavedBySatellite("two.olx") == Expected);

  PostMessageA(Main, WM_CLOSE, 0, 0);
  EXPECT_EQ(Host.Wait(30000), 0);
  EXPECT_EQ(FindWindowA(SatelliteClass, SatelliteCaption), nullptr);
}
