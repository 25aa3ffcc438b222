// Orlimo.exe on a display of 150 % (Wine's LogPixels 144), seen from outside:
// the main window's child windows (toolbar, list, status bar and all the
// others) lie inside their parents and do not overlap, the window, the
// toolbar and the list's rows are about 1.5 times as large as at 100 %, and so
// are the about box and the preferences, with nothing in them clipped or
// overlapping.
//
// The display scale is the prefix's: Wine reads LogPixels when its server
// starts. Changing it for the prefix the other tests share would need their
// server restarted under them, so the viewer runs on a Wine machine of its
// own (tests/net/machine.sh with a prefix of this test), once at 96 DPI and
// once at 144. Windows of another wineserver cannot be seen from here, so
// this program runs there too (with --probe) to measure the viewer and
// writes what it found; the test reads it back.
#include "net/NetProcesses.h"
#include "StandaloneUtil.h"
#include "ViewerWindows.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <fstream>
#include <map>
#include <sstream>
#include <string>
#include <vector>

#ifndef MACHINE_SH
#error "MACHINE_SH names tests/net/machine.sh"
#endif
#ifndef DPI_PREFIX
#error "DPI_PREFIX names the Wine prefix of this test"
#endif

namespace {

// ---------------------------------------------------------------- the probe

RECT RectIn(HWND W, HWND Parent) {
  RECT R{};
  GetWindowRect(W, &R);
  MapWindowPoints(nullptr, Parent, reinterpret_cast<POINT*>(&R), 2);
  return R;
}

std::string Text(const RECT& R) {
  return std::to_string(R.left) + " " + std::to_string(R.top) + " " + std::to_string(R.right) + " " +
         std::to_string(R.bottom);
}

std::vector<HWND> VisibleChildren(HWND Parent) {
  std::vector<HWND> Result;
  for (HWND C = GetWindow(Parent, GW_CHILD); C; C = GetWindow(C, GW_HWNDNEXT))
    if (IsWindowVisible(C)) Result.push_back(C);
  return Result;
}

// Every visible child window inside its parent's client area (a border line
// may be shared) and over none of its visible siblings, down the tree.
void CheckWindows(HWND Parent, std::vector<std::string>& Problems) {
  RECT Client{};
  GetClientRect(Parent, &Client);
  InflateRect(&Client, 1, 1);
  std::vector<std::pair<HWND, RECT>> Seen;
  for (HWND C : VisibleChildren(Parent)) {
    const RECT R = RectIn(C, Parent);
    if (R.right <= R.left || R.bottom <= R.top) continue;
    if (R.left < Client.left || R.top < Client.top || R.right > Client.right || R.bottom > Client.bottom)
      Problems.push_back(ClassOf(C) + " (" + Text(R) + ") is clipped by " + ClassOf(Parent));
    for (const auto& [O, OR] : Seen) {
      RECT Both{};
      if (IntersectRect(&Both, &R, &OR) && Both.right - Both.left > 1 && Both.bottom - Both.top > 1)
        Problems.push_back(ClassOf(C) + " (" + Text(R) + ") overlaps " + ClassOf(O) + " (" + Text(OR) + ")");
    }
    Seen.emplace_back(C, R);
    CheckWindows(C, Problems);
  }
}

HWND FindDescendant(HWND Parent, const char* Class) {
  for (HWND C = GetWindow(Parent, GW_CHILD); C; C = GetWindow(C, GW_HWNDNEXT)) {
    if (ClassOf(C) == Class) return C;
    if (HWND D = FindDescendant(C, Class)) return D;
  }
  return nullptr;
}

int WindowDpiOf(HWND W) {
  using TGetDpiForWindow = UINT(WINAPI*)(HWND);
  auto GetDpi = reinterpret_cast<TGetDpiForWindow>(
      reinterpret_cast<void*>(GetProcAddress(GetModuleHandleA("user32.dll"), "GetDpiForWindow")));
  return GetDpi ? static_cast<int>(GetDpi(W)) : 0;
}

// Starts the viewer, measures it and prints "name value..." lines; 0 when
// the viewer came up and closed again.
// A dialog of the viewer opened by its menu keys: its client size and what
// is wrong in it, printed as "Name ..." lines; closed again by Escape.
void ProbeDialog(TLxProcess& Viewer, HWND Main, const char* Name, const char* Caption, char MenuKey, char ItemKey) {
  TViewerKeyboard Keys(Main);
  HWND Dialog = nullptr;
  if (!Keys.Menu(MenuKey, ItemKey) ||
      !WaitUntil(Main, [&] { return (Dialog = FindProcessWindow(Viewer.Id(), Caption)) != nullptr; })) {
    std::printf("problem %s did not open\n", Name);
    return;
  }
  Settle(Dialog);
  RECT Client{};
  GetClientRect(Dialog, &Client);
  std::printf("%s %s\n", Name, Text(Client).c_str());
  std::vector<std::string> Problems;
  CheckWindows(Dialog, Problems);
  for (const std::string& P : Problems) std::printf("problem %s: %s\n", Name, P.c_str());
  PostMessageA(Dialog, WM_CLOSE, 0, 0);
  if (!WaitUntil(Main, [&] { return !IsWindow(Dialog); })) std::printf("problem %s did not close\n", Name);
}

int Probe() {
  // The viewer as on its first start here: its default size, in design pixels.
  RegDeleteTreeA(HKEY_CURRENT_USER, "Software\\Brunelk\\Orlimo\\1.0");
  TLxProcess Viewer;
  if (!Viewer.Start(Quote(ORLIMO_EXE))) return 2;
  const HWND Main = LxWaitForWindow(Viewer, LxMainClassName, LxMainCaption, 30000);
  if (!Main) return 3;
  // Shown, and the messages it posted to itself while laying out handled.
  const ULONGLONG Deadline = GetTickCount64() + 30000;
  while (!IsWindowVisible(Main) && GetTickCount64() < Deadline) Sleep(10);
  for (int I = 0; I < 3; ++I) {
    DWORD_PTR R = 0;
    SendMessageTimeoutA(Main, WM_NULL, 0, 0, SMTO_NORMAL, 10000, &R);
  }
  RECT Client{};
  GetClientRect(Main, &Client);
  std::printf("dpi %d\n", WindowDpiOf(Main));
  std::printf("client %s\n", Text(Client).c_str());
  RECT Outer{};
  GetWindowRect(Main, &Outer);
  std::printf("window 0 0 %ld %ld\n", Outer.right - Outer.left, Outer.bottom - Outer.top);
  for (const char* Cls : {"TLxToolbar", "TBkEditListBox", "TLxStatusBar"}) {
    const HWND W = FindDescendant(Main, Cls);
    if (W) std::printf("%s %s\n", Cls, Text(RectIn(W, Main)).c_str());
  }
  if (HWND List = FindDescendant(Main, "TBkEditListBox"))
    std::printf("itemheight %ld\n", static_cast<long>(SendMessageA(List, LB_GETITEMHEIGHT, 0, 0)));
  std::vector<std::string> Problems;
  CheckWindows(Main, Problems);
  for (const std::string& P : Problems) std::printf("problem %s\n", P.c_str());
  ProbeDialog(Viewer, Main, "about", "About", 'H', 'A');
  ProbeDialog(Viewer, Main, "preferences", "Orlimo Preferences", 'V', 'R');
  std::fflush(stdout);
  PostMessageA(Main, WM_CLOSE, 0, 0);
  return Viewer.Wait(30000) == 0 ? 0 : 4;
}

// ---------------------------------------------------------------- the test

// What one probe found: each line's first word and the numbers after it, and
// the problems reported.
struct TFound {
  long Exit = -1;
  std::map<std::string, std::vector<int>> Values;
  std::vector<std::string> Problems;
  std::string Raw;
  RECT Rect(const std::string& Name) const {
    const auto It = Values.find(Name);
    if (It == Values.end() || It->second.size() != 4) return RECT{0, 0, 0, 0};
    return RECT{It->second[0], It->second[1], It->second[2], It->second[3]};
  }
  int Value(const std::string& Name) const {
    const auto It = Values.find(Name);
    return It == Values.end() || It->second.empty() ? 0 : It->second[0];
  }
};

std::string OwnPath() {
  char Path[MAX_PATH] = {};
  GetModuleFileNameA(nullptr, Path, MAX_PATH);
  return Path;
}

// The viewer on the test's own Wine machine at Dpi, measured there.
TFound RunAt(int Dpi) {
  using namespace orlimo_net;
  const std::string Script = UnixPath(MACHINE_SH), Prefix = UnixPath(DPI_PREFIX);
  const std::string Out = "/tmp/orlimo-dpi-probe-" + std::to_string(GetCurrentProcessId()) + ".txt";
  TFound F;
  if (Shell("sh " + Script + " " + Prefix + " start " + std::to_string(Dpi), true, 120000) != 0) return F;
  F.Exit =
      Shell("sh " + Script + " " + Prefix + " run '" + OwnPath() + "' --probe >" + Out + " 2>/dev/null", true, 60000);
  Shell("sh " + Script + " " + Prefix + " stop");
  std::ifstream In("Z:" + Out);
  std::string Line;
  while (std::getline(In, Line)) {
    F.Raw += Line + "\n";
    if (Line.rfind("problem ", 0) == 0) {
      F.Problems.push_back(Line.substr(8));
      continue;
    }
    std::istringstream S(Line);
    std::string Name;
    S >> Name;
    int N;
    while (S >> N) F.Values[Name].push_back(N);
  }
  Shell("rm -f " + Out);
  return F;
}

int Height(const RECT& R) { return R.bottom - R.top; }

TEST(ViewerAtAnotherDpi, At150PercentTheMainWindowIsLaidOutWithRowsAndToolbarOneAndAHalfTimesAsHigh) {
  const TFound At96 = RunAt(96);
  ASSERT_EQ(At96.Exit, 0) << At96.Raw;
  const TFound At144 = RunAt(144);
  ASSERT_EQ(At144.Exit, 0) << At144.Raw;
  SCOPED_TRACE(At96.Raw + "---\n" + At144.Raw);
  std::printf("measured at 96 DPI:\n%s\nat 144 DPI:\n%s", At96.Raw.c_str(), At144.Raw.c_str());
  EXPECT_EQ(At96.Value("dpi"), 96);
  EXPECT_EQ(At144.Value("dpi"), 144);
  for (const TFound* F : {&At96, &At144}) {
    EXPECT_EQ(F->Problems, std::vector<std::string>{});
    const RECT Client = F->Rect("client");
    for (const char* Name : {"TLxToolbar", "TBkEditListBox", "TLxStatusBar"}) {
      SCOPED_TRACE(Name);
      const RECT R = F->Rect(Name);
      EXPECT_GT(Height(R), 0) << "not found";
      EXPECT_GE(R.left, Client.left);
      EXPECT_GE(R.top, Client.top);
      EXPECT_LE(R.right, Client.right);
      EXPECT_LE(R.bottom, Client.bottom);
    }
    // Top to bottom: the toolbar, the list, the status bar.
    EXPECT_LE(F->Rect("TLxToolbar").bottom, F->Rect("TBkEditListBox").top);
    EXPECT_LE(F->Rect("TBkEditListBox").bottom, F->Rect("TLxStatusBar").top);
  }
  // The window as first started is one and a half times as wide (its design
  // size is its outer size: the taller caption and menu bar of 150 % take
  // their part of its height), the dialogs one and a half times as large.
  EXPECT_NEAR(static_cast<double>(At144.Rect("window").right) / At96.Rect("window").right, 1.5, 0.05);
  EXPECT_GT(Height(At144.Rect("client")), Height(At96.Rect("client")) * 4 / 3);
  for (const char* Name : {"about", "preferences"}) {
    SCOPED_TRACE(Name);
    const RECT A = At96.Rect(Name), B = At144.Rect(Name);
    ASSERT_GT(A.right, 0);
    EXPECT_NEAR(static_cast<double>(B.right) / A.right, 1.5, 0.05);
    EXPECT_NEAR(static_cast<double>(B.bottom) / A.bottom, 1.5, 0.05);
  }
  const double Rows = static_cast<double>(At144.Value("itemheight")) / At96.Value("itemheight");
  EXPECT_NEAR(Rows, 1.5, 0.12);
  const double Toolbar = static_cast<double>(Height(At144.Rect("TLxToolbar"))) / Height(At96.Rect("TLxToolbar"));
  EXPECT_NEAR(Toolbar, 1.5, 0.12);
  const double Status = static_cast<double>(Height(At144.Rect("TLxStatusBar"))) / Height(At96.Rect("TLxStatusBar"));
  EXPECT_NEAR(Status, 1.5, 0.12);
}

}  // namespace

int main(int argc, char** argv) {
  if (argc > 1 && std::string(argv[1]) == "--probe") return Probe();
  ::testing::InitGoogleTest(&argc, argv);
  return RUN_ALL_TESTS();
}
