// The keyboard of another program's GUI thread, for whole-program tests:
// keys posted to its focused window, menus opened by their mnemonics, and
// modifier keys held down, as a user types them.
#pragma once

#include <windows.h>

#include <cstring>
#include <initializer_list>
#include <string>

// Lets the viewer's GUI thread come round to its message queue.
inline void Settle(HWND Window) {
  DWORD_PTR Result = 0;
  SendMessageTimeoutA(Window, WM_NULL, 0, 0, SMTO_NORMAL, 10000, &Result);
}

// Waits (at most Ms) until Condition holds.
template <class TCondition>
inline bool WaitUntil(HWND Window, TCondition Condition, DWORD Ms = 20000) {
  const ULONGLONG Deadline = GetTickCount64() + Ms;
  for (;;) {
    if (Condition()) return true;
    if (GetTickCount64() >= Deadline) return false;
    if (IsWindow(Window)) Settle(Window);
    Sleep(5);
  }
}

inline std::string ClassOf(HWND W) {
  char Cls[64] = {};
  if (W) GetClassNameA(W, Cls, sizeof Cls);
  return Cls;
}

inline std::string TextOf(HWND W) {
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
