// Windows of another program found for whole-program tests and benchmarks:
// a child by its text or control id, a status pane by the end of its text, a
// top-level window by caption, the system's file dialog and message boxes of
// a process.
#pragma once

#include "KeyboardUtil.h"

#include <windows.h>

#include <string>

// Whether a window stays on top of the others.
inline bool TopMost(HWND W) { return (GetWindowLongA(W, GWL_EXSTYLE) & WS_EX_TOPMOST) != 0; }

struct TChildSearch {
  std::string Text;
  int Id = -1;
  HWND Found = nullptr;
};

inline BOOL CALLBACK FindChildCb(HWND W, LPARAM Data) {
  auto* S = reinterpret_cast<TChildSearch*>(Data);
  if ((S->Id >= 0 && GetDlgCtrlID(W) == S->Id) || (S->Id < 0 && TextOf(W) == S->Text)) {
    S->Found = W;
    return FALSE;
  }
  return TRUE;
}

// A child window (at any depth) with this text, or with this control id.
inline HWND FindChild(HWND Parent, const std::string& Text, int Id = -1) {
  TChildSearch S{Text, Id};
  EnumChildWindows(Parent, FindChildCb, reinterpret_cast<LPARAM>(&S));
  return S.Found;
}

struct TPaneSearch {
  std::string Suffix;
  HWND Found = nullptr;
};

inline BOOL CALLBACK FindPaneCb(HWND W, LPARAM Data) {
  auto* S = reinterpret_cast<TPaneSearch*>(Data);
  const std::string T = TextOf(W);
  if (T.size() <= S->Suffix.size() || T.compare(T.size() - S->Suffix.size(), S->Suffix.size(), S->Suffix) != 0)
    return TRUE;
  S->Found = W;
  return FALSE;
}

// A child window of the viewer whose text ends with a blank and Suffix (the
// status bar's panes: "Messages", "Selected", "saved").
inline HWND FindPane(HWND Window, const std::string& Suffix) {
  TPaneSearch Search{" " + Suffix};
  EnumChildWindows(Window, FindPaneCb, reinterpret_cast<LPARAM>(&Search));
  return Search.Found;
}

struct TProcessWindowSearch {
  DWORD Pid;
  int Kind;  // 0 caption, 1 file dialog, 2 another dialog (a message box)
  std::string Caption;
  HWND Found = nullptr;
};

inline BOOL CALLBACK FindProcessWindowCb(HWND W, LPARAM Data) {
  auto* S = reinterpret_cast<TProcessWindowSearch*>(Data);
  DWORD Pid = 0;
  GetWindowThreadProcessId(W, &Pid);
  if (Pid != S->Pid || !IsWindowVisible(W)) return TRUE;
  const bool Dialog = ClassOf(W) == "#32770";
  const bool Match = S->Kind == 0   ? TextOf(W) == S->Caption
                     : S->Kind == 1 ? Dialog && FindChild(W, "", 1148) != nullptr
                                    : Dialog && FindChild(W, "", 1148) == nullptr;
  if (!Match) return TRUE;
  S->Found = W;
  return FALSE;
}

// A visible top-level window of the process with this caption.
inline HWND FindProcessWindow(DWORD Pid, const std::string& Caption) {
  TProcessWindowSearch S{Pid, 0, Caption};
  EnumWindows(FindProcessWindowCb, reinterpret_cast<LPARAM>(&S));
  return S.Found;
}

// The system's file dialog of the process (it has the file name box, 1148).
inline HWND FindFileDialog(DWORD Pid) {
  TProcessWindowSearch S{Pid, 1, ""};
  EnumWindows(FindProcessWindowCb, reinterpret_cast<LPARAM>(&S));
  return S.Found;
}

// Another dialog of the process: a message box.
inline HWND FindBox(DWORD Pid) {
  TProcessWindowSearch S{Pid, 2, ""};
  EnumWindows(FindProcessWindowCb, reinterpret_cast<LPARAM>(&S));
  return S.Found;
}

// The texts of a message box's static controls.
inline std::string BoxText(HWND Box) {
  std::string Text;
  for (HWND C = FindWindowExA(Box, nullptr, "Static", nullptr); C; C = FindWindowExA(Box, C, "Static", nullptr))
    Text += TextOf(C);
  return Text;
}

// The file dialog of the process once it is there (null when none came).
inline HWND WaitForFileDialog(HWND Window, DWORD Pid) {
  HWND Dialog = nullptr;
  WaitUntil(Window, [&] { return (Dialog = FindFileDialog(Pid)) != nullptr; });
  return Dialog;
}

// Types Name into a file dialog and confirms it.
struct TOwnedBoxSearch {
  HWND Owner;
  HWND Found = nullptr;
};

inline BOOL CALLBACK FindOwnedBoxCb(HWND W, LPARAM Data) {
  auto* S = reinterpret_cast<TOwnedBoxSearch*>(Data);
  if (GetWindow(W, GW_OWNER) != S->Owner || !IsWindowVisible(W) || ClassOf(W) != "#32770") return TRUE;
  S->Found = W;
  return FALSE;
}

// Types Name into the file dialog and confirms it. A dialog that is still
// setting itself up can take the text back and then complain that the file
// does not exist: that box is answered and the name given again (bounded).
// A question of the dialog's own (replace the file?) is left to the caller.
inline void AnswerFileDialog(HWND Dialog, const std::string& Name) {
  for (int Attempt = 0; Attempt < 5 && IsWindow(Dialog); ++Attempt) {
    SendMessageA(FindChild(Dialog, "", 1148), WM_SETTEXT, 0, reinterpret_cast<LPARAM>(Name.c_str()));
    PostMessageA(Dialog, WM_COMMAND, IDOK, 0);
    const ULONGLONG Deadline = GetTickCount64() + 10000;
    TOwnedBoxSearch Box{Dialog};
    while (IsWindow(Dialog) && GetTickCount64() < Deadline) {
      EnumWindows(FindOwnedBoxCb, reinterpret_cast<LPARAM>(&Box));
      if (Box.Found) break;
      Sleep(10);
    }
    if (!Box.Found) return;                                  // the dialog took the name (or is gone)
    if (FindChild(Box.Found, "", IDYES) != nullptr) return;  // a question (replace the file?) is the caller's
    PostMessageA(Box.Found, WM_COMMAND, IDOK, 0);
    for (const ULONGLONG Until = GetTickCount64() + 5000; IsWindow(Box.Found) && GetTickCount64() < Until;) Sleep(10);
  }
}
