// The module, cursors, the shift state, the screen cursor guard and the
// dispatch of menu commands.
#include "platform/Controls.h"

// ---------------------------------------------------------------- module, cursors, shift
HINSTANCE ModuleInstance() {
  static const char Anchor = 0;
  static const HINSTANCE Instance = [] {
    HMODULE Module = nullptr;
    ::GetModuleHandleExA(GET_MODULE_HANDLE_EX_FLAG_FROM_ADDRESS | GET_MODULE_HANDLE_EX_FLAG_UNCHANGED_REFCOUNT, &Anchor,
                         &Module);
    return Module ? Module : ::GetModuleHandleA(nullptr);
  }();
  return Instance;
}

HCURSOR CursorHandle(TCursor Cursor) {
  LPCSTR Id = IDC_ARROW;
  switch (Cursor) {
    case crDefault:
    case crArrow: Id = IDC_ARROW; break;
    case crIBeam: Id = IDC_IBEAM; break;
    case crHourGlass: Id = IDC_WAIT; break;
    case crCross: Id = IDC_CROSS; break;
    case crUpArrow: Id = IDC_UPARROW; break;
    case crSizeAll: Id = IDC_SIZEALL; break;
    case crSizeNWSE: Id = IDC_SIZENWSE; break;
    case crSizeNESW: Id = IDC_SIZENESW; break;
    case crSizeNS:
    case crVSplit: Id = IDC_SIZENS; break;
    case crSizeWE:
    case crHSplit: Id = IDC_SIZEWE; break;
    case crNo: Id = IDC_NO; break;
    case crHandPoint: Id = IDC_HAND; break;
    case crAppStart: Id = IDC_APPSTARTING; break;
  }
  return ::LoadCursorA(nullptr, Id);
}

TShiftState KeyboardShiftState() {
  TShiftState S = 0;
  if (::GetKeyState(VK_SHIFT) < 0) S |= ssShift;
  if (::GetKeyState(VK_CONTROL) < 0) S |= ssCtrl;
  if (::GetKeyState(VK_MENU) < 0) S |= ssAlt;
  if (::GetKeyState(VK_LBUTTON) < 0) S |= ssLeft;
  if (::GetKeyState(VK_RBUTTON) < 0) S |= ssRight;
  if (::GetKeyState(VK_MBUTTON) < 0) S |= ssMiddle;
  return S;
}

TShiftState MouseShiftState(WPARAM KeyFlags) {
  TShiftState S = 0;
  if (KeyFlags & MK_SHIFT) S |= ssShift;
  if (KeyFlags & MK_CONTROL) S |= ssCtrl;
  if (::GetKeyState(VK_MENU) < 0) S |= ssAlt;
  if (KeyFlags & MK_LBUTTON) S |= ssLeft;
  if (KeyFlags & MK_RBUTTON) S |= ssRight;
  if (KeyFlags & MK_MBUTTON) S |= ssMiddle;
  return S;
}

// ---------------------------------------------------------------- TCursorGuard
namespace {
TCursor GScreenCursor = crDefault;
}

TCursorGuard::TCursorGuard(TCursor Cursor) : FPrevious(GScreenCursor) {
  GScreenCursor = Cursor;
  ::SetCursor(CursorHandle(Cursor));
}

TCursorGuard::~TCursorGuard() {
  GScreenCursor = FPrevious;
  ::SetCursor(CursorHandle(FPrevious));
}

TCursor TCursorGuard::ScreenCursor() { return GScreenCursor; }

// ---------------------------------------------------------------- menus
namespace {
TMenuCommandHandler GMenuCommandHandler = nullptr;
}

void SetMenuCommandHandler(TMenuCommandHandler Handler) { GMenuCommandHandler = Handler; }

bool DispatchMenuCommand(UINT Command) { return GMenuCommandHandler && GMenuCommandHandler(Command); }

bool TCustomMenu::ContextPopup(TControl*, POINT) { return false; }
