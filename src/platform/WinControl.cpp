// TWinControl: children, the window and its life, bounds, text, fonts and colours.
#include "platform/Controls.h"

#include "platform/Application.h"
#include "platform/PlatformExcept.h"

#include <algorithm>

// ---------------------------------------------------------------- TWinControl
TWinControl::TWinControl(TComponent* AOwner) : TControl(AOwner) {}

TWinControl::~TWinControl() {
  BeginDestroy();
  Application->ControlDestroying(this);
  // The derived parts are gone: no event reaches their handlers any more.
  OnClick = nullptr;
  OnDblClick = nullptr;
  OnResize = nullptr;
  OnMouseDown = nullptr;
  OnMouseUp = nullptr;
  OnMouseMove = nullptr;
  OnKeyDown = nullptr;
  OnKeyUp = nullptr;
  OnKeyPress = nullptr;
  OnEnter = nullptr;
  OnExit = nullptr;
  // Children's windows first, then this one (messages meanwhile reach the
  // base class's window procedure, which ends in the class's default one).
  DestroyHandle();
  DestroyComponents();
  for (TControl* C : std::vector<TControl*>(FControls)) C->FParent = nullptr;
  FControls.clear();
  FTabList.clear();
  if (FParent) {
    TWinControl* P = FParent;
    P->RemoveControl(this);
  }
}

TWinControl* TWinControl::TopParent() {
  TWinControl* Top = this;
  while (Top->FParent) Top = Top->FParent;
  return Top;
}

bool TWinControl::ContainsControl(const TControl* Control) const {
  while (Control) {
    if (Control == this) return true;
    Control = Control->FParent;
  }
  return false;
}

void TWinControl::InsertControl(TControl* Control) {
  FControls.push_back(Control);
  Control->FParent = this;
  if (auto* W = dynamic_cast<TWinControl*>(Control)) FTabList.push_back(W);
  if (Control->FParentFont) {
    Control->FChangingParentFont = true;
    Control->FFont.Assign(FFont);
    Control->FChangingParentFont = false;
  }
  if (Control->FParentColor && Control->FColor != FColor) {
    Control->FColor = FColor;
    Control->ColorChanged();
  }
  // A control made after this one was laid out for another DPI (added at run
  // time) is rescaled for it, as it would have been had it been here then.
  if (Control->FCurrentDpi != FCurrentDpi) Control->ChangeScale(Control->FCurrentDpi, FCurrentDpi, false);
  if (FHandle) {
    if (auto* W = dynamic_cast<TWinControl*>(Control)) W->HandleNeeded();
  }
  if (Control->FAlign != alNone) AlignControl(Control);
}

void TWinControl::RemoveControl(TControl* Control) {
  auto It = std::find(FControls.begin(), FControls.end(), Control);
  if (It == FControls.end()) return;
  if (auto* W = dynamic_cast<TWinControl*>(Control)) {
    TopParent()->ControlRemoving(W);
    W->DestroyHandle();
    FTabList.erase(std::remove(FTabList.begin(), FTabList.end(), W), FTabList.end());
  }
  FControls.erase(std::find(FControls.begin(), FControls.end(), Control));
  Control->FParent = nullptr;
  if (Control->FAlign != alNone && !IsDestroying()) AlignControl(nullptr);
}

void TWinControl::SetParentWindow(HWND Value) {
  if (Value == FParentWindow) return;
  if (FParent) throw EInvalidOperation("The control already has a parent control");
  FParentWindow = Value;
  if (FHandle) {
    if (Value) {
      ::SetParent(FHandle, Value);
    } else {
      DestroyHandle();
    }
  }
}

void TWinControl::HandleNeeded() {
  if (FHandle) return;
  if (FParent) {
    FParent->HandleNeeded();
    if (FHandle) return;  // made with the parent's children
  }
  CreateWnd();
}

HWND TWinControl::GetHandle() {
  HandleNeeded();
  return FHandle;
}

void TWinControl::CreateParams(TCreateParams& P) {
  P.Caption = FText;
  P.Style = WS_CLIPCHILDREN | WS_CLIPSIBLINGS;
  P.ExStyle = 0;
  if (FParent || FParentWindow) P.Style |= WS_CHILD;
  if (FVisible) P.Style |= WS_VISIBLE;
  if (!FEnabled) P.Style |= WS_DISABLED;
  if (FTabStop) P.Style |= WS_TABSTOP;
  P.X = FLeft;
  P.Y = FTop;
  P.Width = FWidth;
  P.Height = FHeight;
  P.WndParent = FParent ? FParent->FHandle : FParentWindow;
  P.WinClassName = FWindowClassName.empty() ? std::string("TOrlimoWinControl") : FWindowClassName;
  P.ClassStyle = CS_DBLCLKS;
}

void TWinControl::CreateWnd() {
  if ((FParent && !FParent->FHandle) || FHandle) return;
  TCreateParams P;
  CreateParams(P);
  if ((P.Style & WS_CHILD) && !P.WndParent) throw EInvalidOperation("Control '" + GetName() + "' has no parent window");
  CreateWindowHandle(P);
  ::SendMessageA(FHandle, WM_SETFONT, reinterpret_cast<WPARAM>(FFont.GetHandle()), 0);
  // Fields follow the real window (the system may have adjusted the size).
  RECT R{};
  ::GetWindowRect(FHandle, &R);
  if (P.Style & WS_CHILD) ::MapWindowPoints(nullptr, P.WndParent, reinterpret_cast<POINT*>(&R), 2);
  UpdateBoundsFields(R.left, R.top, R.right - R.left, R.bottom - R.top);
  for (TControl* C : std::vector<TControl*>(FControls))
    if (auto* W = dynamic_cast<TWinControl*>(C)) {
      if (!W->FHandle) W->CreateWnd();
    }
  FLastClientSize = SIZE{-1, -1};
  Realign();
  Loaded();
}

void TWinControl::DestroyWnd() {
  if (!FHandle) return;
  // Children first, so each object forgets its window before it goes.
  for (TControl* C : FControls)
    if (auto* W = dynamic_cast<TWinControl*>(C)) W->DestroyHandle();
  FText = DoGetText();
  HWND Wnd = FHandle;
  ::DestroyWindow(Wnd);
  FHandle = nullptr;
}

void TWinControl::DestroyHandle() {
  if (!FHandle || FDestroyingHandle) return;
  FDestroyingHandle = true;
  try {
    DestroyWnd();
  } catch (...) {
    FDestroyingHandle = false;
    throw;
  }
  FDestroyingHandle = false;
}

void TWinControl::RecreateWnd() {
  if (!FHandle) return;
  DestroyHandle();
  HandleNeeded();
  if (FVisible && FHandle && !::IsWindowVisible(FHandle) && !(::GetWindowLongA(FHandle, GWL_STYLE) & WS_CHILD))
    ::ShowWindow(FHandle, SW_SHOW);
}

void TWinControl::DoSetBounds(int ALeft, int ATop, int AWidth, int AHeight) {
  if (FHandle) {
    ::SetWindowPos(FHandle, nullptr, ALeft, ATop, AWidth, AHeight, SWP_NOZORDER | SWP_NOACTIVATE);
    return;
  }
  // No window yet: the children follow the new size all the same.
  const RECT R = GetClientRect();
  if (R.right != FLastClientSize.cx || R.bottom != FLastClientSize.cy) {
    FLastClientSize = SIZE{R.right, R.bottom};
    Realign();
  }
}

void TWinControl::ChangeScale(int FromDpi, int ToDpi, bool ScaleFonts) {
  DisableAlign();
  try {
    // The children first: the control's own hook then lays them out.
    ScaleBounds(FromDpi, ToDpi);
    if (ScaleFonts) ScaleFont(FromDpi, ToDpi);
    for (TControl* C : std::vector<TControl*>(FControls)) C->ChangeScale(C->FCurrentDpi, ToDpi, ScaleFonts);
    FCurrentDpi = ToDpi;
    DpiChanged(FromDpi, ToDpi);
  } catch (...) {
    EnableAlign();
    throw;
  }
  EnableAlign();
  Realign();
}

int ScreenDpi() {
  TWindowDC DC(nullptr);
  const int Dpi = DC ? ::GetDeviceCaps(DC.Get(), LOGPIXELSX) : 0;
  return Dpi > 0 ? Dpi : DesignDpi;
}

int WindowDpi(HWND Wnd) {
  using TGetDpiForWindow = UINT(WINAPI*)(HWND);
  static const auto GetDpi = [] {
    HMODULE User = ::GetModuleHandleA("user32.dll");
    return User ? reinterpret_cast<TGetDpiForWindow>(reinterpret_cast<void*>(::GetProcAddress(User, "GetDpiForWindow")))
                : nullptr;
  }();
  if (GetDpi && Wnd) {
    const UINT Dpi = GetDpi(Wnd);
    if (Dpi > 0) return static_cast<int>(Dpi);
  }
  return ScreenDpi();
}

void TWinControl::DoSetText(const std::string& Value) {
  if (FHandle) ::SetWindowTextA(FHandle, Value.c_str());
}

std::string TWinControl::DoGetText() const {
  if (!FHandle) return FText;
  int Len = ::GetWindowTextLengthA(FHandle);
  std::string S(static_cast<size_t>(Len) + 1, '\0');
  Len = ::GetWindowTextA(FHandle, S.data(), Len + 1);
  S.resize(static_cast<size_t>(std::max(Len, 0)));
  return S;
}

void TWinControl::DoSetVisible(bool Value) {
  if (FHandle) ::ShowWindow(FHandle, Value ? SW_SHOWNA : SW_HIDE);
}

void TWinControl::DoSetEnabled(bool Value) {
  if (FHandle) ::EnableWindow(FHandle, Value ? TRUE : FALSE);
}

void TWinControl::FontChanged() {
  if (FHandle) ::SendMessageA(FHandle, WM_SETFONT, reinterpret_cast<WPARAM>(FFont.GetHandle()), 0);
  ParentFontChanged();
  Invalidate();
}

void TWinControl::ColorChanged() {
  ParentColorChanged();
  Invalidate();
}

void TWinControl::ParentFontChanged() {
  for (TControl* C : FControls)
    if (C->FParentFont) {
      C->FChangingParentFont = true;
      C->FFont.Assign(FFont);
      C->FChangingParentFont = false;
    }
}

void TWinControl::ParentColorChanged() {
  for (TControl* C : FControls)
    if (C->FParentColor && C->FColor != FColor) {
      C->FColor = FColor;
      C->ColorChanged();
    }
}

HBRUSH TWinControl::ColorBrush() {
  const COLORREF Rgb = ColorToRGB(FColor);  // a system colour changes with the look
  if (!FColorBrush || FColorBrushColor != Rgb) {
    FColorBrush.Reset(::CreateSolidBrush(Rgb));
    FColorBrushColor = Rgb;
  }
  return FColorBrush.Get();
}

RECT TWinControl::GetClientRect() {
  if (FHandle) {
    RECT R{};
    ::GetClientRect(FHandle, &R);
    return R;
  }
  return TControl::GetClientRect();
}

SIZE TWinControl::ClientSizeWithoutHandle() const {
  TCreateParams P;
  const_cast<TWinControl*>(this)->CreateParams(P);
  const bool Menu = HasMenuBar() && !(P.Style & WS_CHILD);
  RECT R{0, 0, 0, 0};
  ::AdjustWindowRectEx(&R, P.Style & ~static_cast<DWORD>(WS_VSCROLL | WS_HSCROLL), Menu ? TRUE : FALSE, P.ExStyle);
  int W = FWidth - (R.right - R.left);
  int H = FHeight - (R.bottom - R.top);
  if (P.Style & WS_VSCROLL) W -= ::GetSystemMetrics(SM_CXVSCROLL);
  if (P.Style & WS_HSCROLL) H -= ::GetSystemMetrics(SM_CYHSCROLL);
  return SIZE{std::max(W, 0), std::max(H, 0)};
}
