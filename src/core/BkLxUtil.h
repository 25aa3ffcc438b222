// Screen placement of the viewer's dialogs: the desktop's work area and a
// position that centres a form over a control. The geometry is pure so it can
// be checked on any screen layout; the Win32 calls only gather the rectangles.
#pragma once

#include <windows.h>

#include <optional>

namespace BkLxUtil {

struct TLxRect {
  int Left = 0;
  int Top = 0;
  int Right = 0;
  int Bottom = 0;
  int Width() const { return Right - Left; }
  int Height() const { return Bottom - Top; }
  friend bool operator==(const TLxRect&, const TLxRect&) = default;
};

struct TLxPoint {
  int X = 0;
  int Y = 0;
  friend bool operator==(const TLxPoint&, const TLxPoint&) = default;
};

// The desktop less the strip the taskbar covers (none: the whole desktop).
TLxRect WorkAreaFrom(const TLxRect& Desktop, const std::optional<TLxRect>& Taskbar);

// Clamps a wanted top-left corner of a form of the given size: not below 0,
// then not past the work area's right and bottom edges (which wins, so a
// form wider than the work area may end up left of 0).
TLxPoint ClampToWorkArea(TLxPoint Wanted, int FormWidth, int FormHeight, const TLxRect& WorkArea);

// The top-left corner that centres a form of the given size over Target.
TLxPoint CenterOver(const TLxRect& Target, int FormWidth, int FormHeight, const TLxRect& WorkArea);

TLxRect ToLxRect(const RECT& R);
RECT ToRECT(const TLxRect& R);

// Win32 glue.
// The taskbar: the top-level "Shell_TrayWnd" window with an empty caption.
void GetDesktopClientRect(RECT& R);
// A control's area on the screen.
TLxRect ScreenRectOf(HWND Control);
// Centres the form window (its current size) over the control.
void CenterToWindow(HWND Form, HWND Control, int& Left, int& Top);
void CenterToWindow(int FormWidth, int FormHeight, HWND Control, int& Left, int& Top);

}  // namespace BkLxUtil
