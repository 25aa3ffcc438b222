#include "core/BkLxUtil.h"

#include <algorithm>

namespace BkLxUtil {

TLxRect WorkAreaFrom(const TLxRect& Desktop, const std::optional<TLxRect>& Taskbar) {
  TLxRect R = Desktop;
  if (!Taskbar) return R;
  // T: the part of the taskbar that lies on the desktop.
  TLxRect T{std::max(Taskbar->Left, R.Left), std::max(Taskbar->Top, R.Top), std::min(Taskbar->Right, R.Right),
            std::min(Taskbar->Bottom, R.Bottom)};
  if (T.Right <= T.Left || T.Bottom <= T.Top) return R;  // off the desktop
  if (T.Left == R.Left && T.Top == R.Top) {
    if (T.Right == R.Right)
      R.Top += T.Height();  // top
    else
      R.Left += T.Width();  // left
  } else if (T.Left == R.Left) {
    R.Bottom -= T.Height();  // bottom
  } else {
    R.Right -= T.Width();  // right
  }
  return R;
}

TLxPoint ClampToWorkArea(TLxPoint P, int FormWidth, int FormHeight, const TLxRect& WorkArea) {
  if (P.X < 0) P.X = 0;
  if (P.X + FormWidth > WorkArea.Right) P.X = WorkArea.Right - FormWidth;
  if (P.Y < 0) P.Y = 0;
  if (P.Y + FormHeight > WorkArea.Bottom) P.Y = WorkArea.Bottom - FormHeight;
  return P;
}

TLxPoint CenterOver(const TLxRect& Target, int FormWidth, int FormHeight, const TLxRect& WorkArea) {
  // Integer division truncates toward zero, as the placement wants.
  TLxPoint P{Target.Left + (Target.Width() - FormWidth) / 2, Target.Top + (Target.Height() - FormHeight) / 2};
  return ClampToWorkArea(P, FormWidth, FormHeight, WorkArea);
}

TLxRect ToLxRect(const RECT& R) { return {R.left, R.top, R.right, R.bottom}; }
RECT ToRECT(const TLxRect& R) { return RECT{R.Left, R.Top, R.Right, R.Bottom}; }

void GetDesktopClientRect(RECT& R) {
  RECT Desktop{};
  GetWindowRect(GetDesktopWindow(), &Desktop);
  std::optional<TLxRect> Taskbar;
  if (HWND Tray = FindWindowA("Shell_TrayWnd", "")) {
    RECT T{};
    if (GetWindowRect(Tray, &T)) Taskbar = ToLxRect(T);
  }
  R = ToRECT(WorkAreaFrom(ToLxRect(Desktop), Taskbar));
}

TLxRect ScreenRectOf(HWND Control) {
  RECT R{};
  GetWindowRect(Control, &R);
  return ToLxRect(R);
}

void CenterToWindow(int FormWidth, int FormHeight, HWND Control, int& Left, int& Top) {
  RECT W{};
  GetDesktopClientRect(W);
  TLxPoint P = CenterOver(ScreenRectOf(Control), FormWidth, FormHeight, ToLxRect(W));
  Left = P.X;
  Top = P.Y;
}

void CenterToWindow(HWND Form, HWND Control, int& Left, int& Top) {
  RECT F{};
  GetWindowRect(Form, &F);
  CenterToWindow(F.right - F.left, F.bottom - F.top, Control, Left, Top);
}

}  // namespace BkLxUtil
