// TWinControl: focus, tab order, mouse capture, keys, shortcuts and the window procedure.
#include "platform/Controls.h"

#include "platform/Application.h"

#include "platform/PlatformExcept.h"

#include <algorithm>
#include <vector>

// ---------------------------------------------------------------- focus, tab order, capture
bool TWinControl::Focused() const { return FHandle && ::GetFocus() == FHandle; }

bool TWinControl::CanFocus() const {
  for (const TControl* C = this; C; C = C->FParent)
    if (!C->FVisible || !C->FEnabled) return false;
  return true;
}

void TWinControl::SetFocus() {
  if (!CanFocus()) throw EInvalidOperation("Cannot focus a disabled or invisible window");
  if (TWinControl* Top = TopParent(); Top != this) Top->ActiveControlChanged(this);
  ::SetFocus(GetHandle());
}

void TWinControl::SetTabStop(bool Value) {
  if (Value == FTabStop) return;
  FTabStop = Value;
  if (FHandle) {
    LONG Style = ::GetWindowLongA(FHandle, GWL_STYLE);
    Style = Value ? (Style | WS_TABSTOP) : (Style & ~WS_TABSTOP);
    ::SetWindowLongA(FHandle, GWL_STYLE, Style);
  }
}

int TWinControl::GetTabOrder() const {
  if (!FParent) return -1;
  auto& L = FParent->FTabList;
  auto It = std::find(L.begin(), L.end(), this);
  return It == L.end() ? -1 : static_cast<int>(It - L.begin());
}

void TWinControl::SetTabOrder(int Value) {
  if (!FParent) return;
  auto& L = FParent->FTabList;
  auto It = std::find(L.begin(), L.end(), this);
  if (It == L.end()) return;
  L.erase(It);
  Value = std::clamp(Value, 0, static_cast<int>(L.size()));
  L.insert(L.begin() + Value, this);
}

void TWinControl::GetTabOrderList(std::vector<TWinControl*>& List) {
  for (TWinControl* W : FTabList) {
    List.push_back(W);
    W->GetTabOrderList(List);
  }
}

bool TWinControl::GetMouseCapture() const { return FHandle && ::GetCapture() == FHandle; }

void TWinControl::SetMouseCapture(bool Value) {
  if (Value)
    ::SetCapture(GetHandle());
  else if (GetMouseCapture())
    ::ReleaseCapture();
}
// ---------------------------------------------------------------- keys, shortcuts, dialog keys
LRESULT TWinControl::DialogCode(WPARAM) { return DLGC_WANTARROWS | DLGC_WANTCHARS; }

void TWinControl::KeyDown(WORD& Key, TShiftState Shift) {
  if (OnKeyDown) OnKeyDown(this, Key, Shift);
}
void TWinControl::KeyUp(WORD& Key, TShiftState Shift) {
  if (OnKeyUp) OnKeyUp(this, Key, Shift);
}
void TWinControl::KeyPress(char& Key) {
  if (OnKeyPress) OnKeyPress(this, Key);
}
void TWinControl::DoEnter() {
  if (OnEnter) OnEnter(this);
}
void TWinControl::DoExit() {
  if (OnExit) OnExit(this);
}

bool TWinControl::WantsShortCut(WORD, TShiftState) { return true; }

bool TWinControl::IsShortCut(WORD, TShiftState) { return false; }

bool TWinControl::DialogKey(WORD, TShiftState) { return false; }

bool TWinControl::PreProcessKey(MSG& Msg) {
  const WORD Key = static_cast<WORD>(Msg.wParam);
  if (Key == VK_SHIFT || Key == VK_CONTROL || Key == VK_MENU) return false;
  const TShiftState Shift = KeyboardShiftState() & (ssShift | ssCtrl | ssAlt);
  if (WantsShortCut(Key, Shift)) {
    for (TControl* C = this; C; C = C->FParent)
      if (C->FPopupMenu && C->FPopupMenu->IsShortCut(Key, Shift)) return true;
    if (TopParent()->IsShortCut(Key, Shift)) return true;
  }
  if (Msg.message == WM_KEYDOWN && (Key == VK_TAB || Key == VK_RETURN || Key == VK_ESCAPE) && !(Shift & ssAlt)) {
    const LRESULT Code = ::SendMessageA(Msg.hwnd, WM_GETDLGCODE, Key, reinterpret_cast<LPARAM>(&Msg));
    bool Wants = (Code & (DLGC_WANTALLKEYS | DLGC_WANTMESSAGE)) != 0;
    if (Key == VK_TAB && (Code & DLGC_WANTTAB)) Wants = true;
    if (Key == VK_TAB && (Shift & ssCtrl)) Wants = true;
    if (!Wants && TopParent()->DialogKey(Key, Shift)) return true;
  }
  return false;
}

// ---------------------------------------------------------------- the window procedure
void TWinControl::DefaultHandler(TMessage& M) {
  if (!FHandle) return;
  M.Result = ::CallWindowProcA(FDefWndProc ? FDefWndProc : ::DefWindowProcA, FHandle, M.Msg, M.WParam, M.LParam);
}

void TWinControl::WndProc(TMessage& M) {
  switch (M.Msg) {
    case WM_ERASEBKGND:
      if (EraseBackground(reinterpret_cast<HDC>(M.WParam))) {
        M.Result = 1;
        return;
      }
      break;
    case WM_WINDOWPOSCHANGED: {
      auto* WP = reinterpret_cast<WINDOWPOS*>(M.LParam);
      if (!::IsIconic(FHandle) && !(WP->flags & SWP_NOSIZE && WP->flags & SWP_NOMOVE)) {
        RECT R{};
        ::GetWindowRect(FHandle, &R);
        HWND Parent = ::GetParent(FHandle);
        if ((::GetWindowLongA(FHandle, GWL_STYLE) & WS_CHILD) && Parent)
          ::MapWindowPoints(nullptr, Parent, reinterpret_cast<POINT*>(&R), 2);
        UpdateBoundsFields(R.left, R.top, R.right - R.left, R.bottom - R.top);
      }
      break;
    }
    case WM_SIZE: {
      DefaultHandler(M);
      if (M.WParam != SIZE_MINIMIZED) {
        RECT R{};
        ::GetClientRect(FHandle, &R);
        if (R.right != FLastClientSize.cx || R.bottom != FLastClientSize.cy) {
          FLastClientSize = SIZE{R.right, R.bottom};
          Realign();
          Resize();
        }
      }
      return;
    }
    case WM_SETFOCUS:
      DefaultHandler(M);
      if (TWinControl* Top = TopParent(); Top != this) Top->ActiveControlChanged(this);
      DoEnter();
      return;
    case WM_KILLFOCUS:
      DefaultHandler(M);
      DoExit();
      return;
    case WM_KEYDOWN:
    case WM_SYSKEYDOWN: {
      WORD Key = static_cast<WORD>(M.WParam);
      KeyDown(Key, KeyboardShiftState() & (ssShift | ssCtrl | ssAlt));
      if (Key == 0) return;
      M.WParam = Key;
      break;
    }
    case WM_KEYUP:
    case WM_SYSKEYUP: {
      WORD Key = static_cast<WORD>(M.WParam);
      KeyUp(Key, KeyboardShiftState() & (ssShift | ssCtrl | ssAlt));
      if (Key == 0) return;
      M.WParam = Key;
      break;
    }
    case WM_CHAR: {
      char Key = static_cast<char>(M.WParam);
      KeyPress(Key);
      if (Key == 0) return;
      M.WParam = static_cast<unsigned char>(Key);
      break;
    }
    case WM_LBUTTONDOWN:
    case WM_RBUTTONDOWN:
    case WM_MBUTTONDOWN:
    case WM_LBUTTONDBLCLK:
    case WM_RBUTTONDBLCLK:
    case WM_MBUTTONDBLCLK: {
      DefaultHandler(M);
      const bool Dbl = M.Msg == WM_LBUTTONDBLCLK || M.Msg == WM_RBUTTONDBLCLK || M.Msg == WM_MBUTTONDBLCLK;
      const TMouseButton B = (M.Msg == WM_LBUTTONDOWN || M.Msg == WM_LBUTTONDBLCLK)   ? mbLeft
                             : (M.Msg == WM_RBUTTONDOWN || M.Msg == WM_RBUTTONDBLCLK) ? mbRight
                                                                                      : mbMiddle;
      if (B == mbLeft && FClickEvents) {
        FMouseDownInside = true;
        if (!Dbl) ::SetCapture(FHandle);
      }
      const int X = static_cast<short>(LOWORD(M.LParam)), Y = static_cast<short>(HIWORD(M.LParam));
      MouseDown(B, MouseShiftState(M.WParam) | (Dbl ? ssDouble : 0u), X, Y);
      if (Dbl && B == mbLeft) DblClick();
      return;
    }
    case WM_LBUTTONUP:
    case WM_RBUTTONUP:
    case WM_MBUTTONUP: {
      DefaultHandler(M);
      const TMouseButton B = M.Msg == WM_LBUTTONUP ? mbLeft : M.Msg == WM_RBUTTONUP ? mbRight : mbMiddle;
      const int X = static_cast<short>(LOWORD(M.LParam)), Y = static_cast<short>(HIWORD(M.LParam));
      bool DoClick = false;
      if (B == mbLeft && FClickEvents && FMouseDownInside) {
        FMouseDownInside = false;
        if (::GetCapture() == FHandle) ::ReleaseCapture();
        RECT R{};
        ::GetClientRect(FHandle, &R);
        POINT P{X, Y};
        DoClick = ::PtInRect(&R, P) != FALSE;
      }
      MouseUp(B, MouseShiftState(M.WParam), X, Y);
      if (DoClick) Click();
      return;
    }
    case WM_CAPTURECHANGED: FMouseDownInside = false; break;
    case WM_MOUSEMOVE:
      DefaultHandler(M);
      MouseMove(MouseShiftState(M.WParam), static_cast<short>(LOWORD(M.LParam)), static_cast<short>(HIWORD(M.LParam)));
      return;
    case WM_CONTEXTMENU:
      if (FPopupMenu) {
        POINT P{static_cast<short>(LOWORD(M.LParam)), static_cast<short>(HIWORD(M.LParam))};
        if (M.LParam == -1) P = ClientToScreen(POINT{FWidth / 2, FHeight / 2});
        if (FPopupMenu->ContextPopup(this, P)) {
          M.Result = 0;
          return;
        }
      }
      break;
    case WM_SETCURSOR:
      if (reinterpret_cast<HWND>(M.WParam) == FHandle && LOWORD(M.LParam) == HTCLIENT) {
        const TCursor Screen = TCursorGuard::ScreenCursor();
        if (Screen != crDefault) {
          ::SetCursor(CursorHandle(Screen));
          M.Result = TRUE;
          return;
        }
        if (FCursor != crDefault) {
          ::SetCursor(CursorHandle(FCursor));
          M.Result = TRUE;
          return;
        }
      }
      break;
    case WM_COMMAND:
      if (M.LParam) {
        if (TWinControl* C = FindControl(reinterpret_cast<HWND>(M.LParam))) {
          M.Result = ReflectToChild(*C, CN_COMMAND, M.WParam, M.LParam);
          return;
        }
      } else if (HIWORD(M.WParam) == 0) {
        if (!Application->AcceptsMenuCommand(FHandle, LOWORD(M.WParam)) || DispatchMenuCommand(LOWORD(M.WParam))) {
          M.Result = 0;
          return;
        }
      }
      break;
    case WM_NOTIFY: {
      auto* Hdr = reinterpret_cast<NMHDR*>(M.LParam);
      if (TWinControl* C = FindControl(Hdr->hwndFrom); C && C != this) {
        M.Result = ReflectToChild(*C, CN_NOTIFY, M.WParam, M.LParam);
        return;
      }
      break;
    }
    case WM_CTLCOLOREDIT:
    case WM_CTLCOLORSTATIC:
    case WM_CTLCOLORLISTBOX:
    case WM_CTLCOLORBTN:
      if (TWinControl* C = FindControl(reinterpret_cast<HWND>(M.LParam)); C && C != this) {
        M.Result = ReflectToChild(*C, CN_CTLCOLOR, M.WParam, M.LParam);
        return;
      }
      break;
    case WM_DRAWITEM: {
      auto* DI = reinterpret_cast<DRAWITEMSTRUCT*>(M.LParam);
      if (DI->CtlType != ODT_MENU) {
        if (TWinControl* C = FindControl(DI->hwndItem); C && C != this) {
          M.Result = ReflectToChild(*C, CN_DRAWITEM, M.WParam, M.LParam);
          return;
        }
      }
      break;
    }
    case WM_MEASUREITEM: {
      auto* MI = reinterpret_cast<MEASUREITEMSTRUCT*>(M.LParam);
      if (MI->CtlType != ODT_MENU) {
        if (TWinControl* C = FindControl(::GetDlgItem(FHandle, static_cast<int>(MI->CtlID))); C && C != this) {
          M.Result = ReflectToChild(*C, CN_MEASUREITEM, M.WParam, M.LParam);
          return;
        }
      }
      break;
    }
    case CN_CTLCOLOR: {
      HDC DC = reinterpret_cast<HDC>(M.WParam);
      ::SetTextColor(DC, ColorToRGB(FFont.GetColor()));
      ::SetBkColor(DC, ColorToRGB(FColor));
      M.Result = reinterpret_cast<LRESULT>(ColorBrush());
      return;
    }
    case WM_GETDLGCODE:
      if (FDefWndProc == ::DefWindowProcA) {
        M.Result = DialogCode(M.WParam);
        return;
      }
      break;
    case WM_PRINTCLIENT:
      if (FDefWndProc == ::DefWindowProcA) {
        PaintWindow(reinterpret_cast<HDC>(M.WParam));
        M.Result = 0;
        return;
      }
      break;
    default: break;
  }
  DefaultHandler(M);
}
