// Forms: top-level windows, modal dialogs, dialog keys and the main menu.
#include "platform/Forms.h"

#include "model/ScopeExit.h"
#include "platform/Menus.h"
#include "platform/PlatformExcept.h"

#include <algorithm>
#include <vector>

#ifndef WM_DPICHANGED
#define WM_DPICHANGED 0x02E0
#endif

TCustomForm* TControl::GetParentForm() const {
  const TControl* C = this;
  while (C->FParent) C = C->FParent;
  return dynamic_cast<TCustomForm*>(const_cast<TControl*>(C));
}

// ---------------------------------------------------------------- TScrollingWinControl
TScrollingWinControl::TScrollingWinControl(TComponent* AOwner) : TWinControl(AOwner) {}

// ---------------------------------------------------------------- TCustomForm
TCustomForm::TCustomForm(TComponent* AOwner) : TScrollingWinControl(AOwner) {
  FVisible = false;
  FParentFont = false;
  FWidth = 320;
  FHeight = 240;
}

TCustomForm::~TCustomForm() {
  if (Application->GetMainForm() == this) Application->SetMainForm(nullptr);
  Application->FormDestroying(this);
  OnClose = nullptr;
  OnCloseQuery = nullptr;
  OnShortCut = nullptr;
  OnShow = nullptr;
  OnHide = nullptr;
  OnActivate = nullptr;
  OnDeactivate = nullptr;
  if (FMenu) {
    // The menu object destroys its menu, not the window.
    if (HandleAllocated()) ::SetMenu(WindowHandle(), nullptr);
    FMenu->SetWindow(nullptr);
    RemoveFreeNotification(FMenu);
  }
}

void TCustomForm::Notification(TComponent* AComponent, TOperation Operation) {
  TScrollingWinControl::Notification(AComponent, Operation);
  if (Operation == opRemove && AComponent == FMenu) {
    FMenu = nullptr;
    if (HandleAllocated()) {
      ::SetMenu(WindowHandle(), nullptr);
      ::DrawMenuBar(WindowHandle());
    }
  }
}

void TCustomForm::ActiveControlChanged(TWinControl* Control) { FActiveControl = Control; }

void TCustomForm::ControlRemoving(TWinControl* Control) {
  if (FActiveControl && Control->ContainsControl(FActiveControl)) FActiveControl = nullptr;
}

void TCustomForm::CreateParams(TCreateParams& P) {
  TScrollingWinControl::CreateParams(P);
  P.Style &= ~static_cast<DWORD>(WS_CHILD | WS_VISIBLE | WS_TABSTOP);
  P.Style |= WS_CLIPCHILDREN;
  P.ExStyle = 0;
  switch (FBorderStyle) {
    case bsNone: P.Style |= WS_POPUP; break;
    case bsSingle: P.Style |= WS_CAPTION | WS_BORDER; break;
    case bsSizeable: P.Style |= WS_CAPTION | WS_THICKFRAME; break;
    case bsDialog:
      P.Style |= WS_POPUP | WS_CAPTION | DS_MODALFRAME;
      P.ExStyle |= WS_EX_DLGMODALFRAME;
      break;
    case bsToolWindow:
      P.Style |= WS_CAPTION;
      P.ExStyle |= WS_EX_TOOLWINDOW;
      break;
    case bsSizeToolWin:
      P.Style |= WS_CAPTION | WS_THICKFRAME;
      P.ExStyle |= WS_EX_TOOLWINDOW;
      break;
  }
  if (FBorderStyle != bsNone) {
    if (FBorderIcons & biSystemMenu) P.Style |= WS_SYSMENU;
    if (FBorderIcons & biMinimize) P.Style |= WS_MINIMIZEBOX;
    if (FBorderIcons & biMaximize) P.Style |= WS_MAXIMIZEBOX;
  }
  if (FFormStyle == fsStayOnTop) P.ExStyle |= WS_EX_TOPMOST;
  P.ExStyle |= WS_EX_CONTROLPARENT;
  P.WndParent = nullptr;
  if (GetParentWindow()) {
    P.WndParent = GetParentWindow();
  } else if (TCustomForm* Main = Application->GetMainForm(); Main && Main != this && Main->HandleAllocated()) {
    P.WndParent = Main->WindowHandle();
  }
  if (FPosition == poScreenCenter || FPosition == poMainFormCenter) {
    RECT Area{0, 0, ::GetSystemMetrics(SM_CXSCREEN), ::GetSystemMetrics(SM_CYSCREEN)};
    ::SystemParametersInfoA(SPI_GETWORKAREA, 0, &Area, 0);
    TCustomForm* Main = Application->GetMainForm();
    if (FPosition == poMainFormCenter && Main && Main != this && Main->HandleAllocated())
      ::GetWindowRect(Main->WindowHandle(), &Area);
    P.X = Area.left + (Area.right - Area.left - FWidth) / 2;
    P.Y = Area.top + (Area.bottom - Area.top - FHeight) / 2;
  }
  if (GetWindowClassName().empty()) P.WinClassName = "TOrlimoForm";
}

void TCustomForm::CreateWindowHandle(const TCreateParams& P) {
  TScrollingWinControl::CreateWindowHandle(P);
  if (FMenu) {
    ::SetMenu(WindowHandle(), FMenu->GetHandle());
    FMenu->SetWindow(WindowHandle());
  }
}

void TCustomForm::DestroyWnd() {
  // The menu object owns its menu: the window must not destroy it on its way
  // (a new window shows the same menu).
  if (FMenu && HandleAllocated()) ::SetMenu(WindowHandle(), nullptr);
  TScrollingWinControl::DestroyWnd();
}

void TCustomForm::SetBorderStyle(TFormBorderStyle Value) {
  if (Value == FBorderStyle) return;
  FBorderStyle = Value;
  RecreateWnd();
}

void TCustomForm::SetBorderIcons(TBorderIcons Value) {
  if (Value == FBorderIcons) return;
  FBorderIcons = Value;
  RecreateWnd();
}

void TCustomForm::SetFormStyle(TFormStyle Value) {
  if (Value == FFormStyle) return;
  FFormStyle = Value;
  if (HandleAllocated())
    ::SetWindowPos(WindowHandle(), Value == fsStayOnTop ? HWND_TOPMOST : HWND_NOTOPMOST, 0, 0, 0, 0,
                   SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
}

TWindowState TCustomForm::GetWindowState() const {
  if (HandleAllocated()) {
    if (::IsZoomed(WindowHandle())) return wsMaximized;
    if (::IsIconic(WindowHandle())) return wsMinimized;
    if (::IsWindowVisible(WindowHandle())) return wsNormal;
  }
  return FWindowState;
}

void TCustomForm::SetWindowState(TWindowState Value) {
  FWindowState = Value;
  if (HandleAllocated() && GetVisible()) {
    static const int Commands[] = {SW_RESTORE, SW_MINIMIZE, SW_MAXIMIZE};
    ::ShowWindow(WindowHandle(), Commands[Value]);
  }
}

RECT TCustomForm::GetNormalBounds() {
  if (!HandleAllocated()) return GetBoundsRect();
  WINDOWPLACEMENT WP{};
  WP.length = sizeof(WP);
  ::GetWindowPlacement(WindowHandle(), &WP);
  return WP.rcNormalPosition;
}

void TCustomForm::SetMenu(TMainMenu* Value) {
  if (Value == FMenu) return;
  if (FMenu) {
    FMenu->SetWindow(nullptr);
    RemoveFreeNotification(FMenu);
  }
  FMenu = Value;
  if (FMenu) FreeNotification(FMenu);
  if (HandleAllocated()) {
    ::SetMenu(WindowHandle(), FMenu ? FMenu->GetHandle() : nullptr);
    if (FMenu) FMenu->SetWindow(WindowHandle());
    ::DrawMenuBar(WindowHandle());
  }
}

void TCustomForm::SetActiveControl(TWinControl* Value) {
  FActiveControl = Value;
  if (Value && HandleAllocated() && GetActive() && Value->CanFocus()) Value->SetFocus();
}

bool TCustomForm::GetActive() const { return HandleAllocated() && ::GetActiveWindow() == WindowHandle(); }

void TCustomForm::ScaleForWindowDpi() {
  if (FDpiScaled) return;
  FDpiScaled = true;
  const int Dpi = WindowDpi(GetHandle());
  if (Dpi != GetCurrentDpi()) ScaleToDpi(Dpi);
  FDeviceBounds = false;
  if (Dpi == DesignDpi) return;
  // A centred form is centred again at its new size.
  if (FPosition == poScreenCenter || FPosition == poMainFormCenter) {
    TCreateParams P;
    CreateParams(P);
    SetBounds(P.X, P.Y, GetWidth(), GetHeight());
  }
}

void TCustomForm::ScaleBounds(int FromDpi, int ToDpi) {
  if (FDpiChanging) return;  // the system's rectangle is taken instead
  if (FDeviceBounds) {
    FDeviceBounds = false;
    return;
  }
  const RECT R = GetClientRect();
  SetClientWidth(FScaledRight.Rescale(R.right, FromDpi, ToDpi));
  SetClientHeight(FScaledBottom.Rescale(R.bottom, FromDpi, ToDpi));
}

void TCustomForm::WMDpiChanged(TMessage& M) {
  const int Dpi = LOWORD(M.WParam);
  const auto* Suggested = reinterpret_cast<const RECT*>(M.LParam);
  M.Result = 0;
  if (Dpi <= 0) return;
  FDpiScaled = true;
  FDpiChanging = true;
  DisableAlign();
  auto Done = ScopeExit([this] {
    FDpiChanging = false;
    EnableAlign();
  });
  if (Suggested)
    ::SetWindowPos(WindowHandle(), nullptr, Suggested->left, Suggested->top, Suggested->right - Suggested->left,
                   Suggested->bottom - Suggested->top, SWP_NOZORDER | SWP_NOACTIVATE);
  ScaleToDpi(Dpi, true);
}

void TCustomForm::DoSetVisible(bool Value) {
  if (Value) {
    HandleNeeded();
    ScaleForWindowDpi();
    int Cmd = SW_SHOW;
    if (FWindowState == wsMaximized) Cmd = SW_SHOWMAXIMIZED;
    if (FWindowState == wsMinimized) Cmd = SW_SHOWMINIMIZED;
    ::ShowWindow(WindowHandle(), Cmd);
    if (OnShow) OnShow(this);
  } else if (HandleAllocated()) {
    FWindowState = GetWindowState();
    if (OnHide) OnHide(this);
    ::ShowWindow(WindowHandle(), SW_HIDE);
  }
}

bool TCustomForm::CloseQuery() {
  bool CanClose = true;
  if (OnCloseQuery) OnCloseQuery(this, CanClose);
  return CanClose;
}

void TCustomForm::DoClose(TCloseAction& Action) {
  if (OnClose) OnClose(this, Action);
}

void TCustomForm::Close() {
  if (FModal) {
    FModalResult = mrCancel;
    return;
  }
  if (!CloseQuery()) return;
  TCloseAction Action = caHide;
  DoClose(Action);
  if (Action == caNone) return;
  if (Application->GetMainForm() == this) {
    Application->Terminate();
    Hide();
    return;
  }
  switch (Action) {
    case caHide: Hide(); break;
    case caMinimize: SetWindowState(wsMinimized); break;
    case caFree:
      Hide();
      Application->ReleaseForm(this);
      break;
    case caNone: break;
  }
}

namespace {
struct TDisabledWindows {
  HWND Except;
  std::vector<HWND> List;
};
BOOL CALLBACK DisableWindow(HWND Wnd, LPARAM Data) {
  auto* D = reinterpret_cast<TDisabledWindows*>(Data);
  if (Wnd != D->Except && ::IsWindowVisible(Wnd) && ::IsWindowEnabled(Wnd)) {
    ::EnableWindow(Wnd, FALSE);
    D->List.push_back(Wnd);
  }
  return TRUE;
}
}  // namespace

TModalResult TCustomForm::ShowModal() {
  if (GetVisible() || FModal) throw EInvalidOperation("Cannot make a visible window modal");
  if (HWND Captured = ::GetCapture()) {
    ::SendMessageA(Captured, WM_CANCELMODE, 0, 0);
    ::ReleaseCapture();
  }
  HWND ActiveBefore = ::GetActiveWindow();
  HandleNeeded();
  TDisabledWindows Disabled{WindowHandle(), {}};
  ::EnumThreadWindows(::GetCurrentThreadId(), DisableWindow, reinterpret_cast<LPARAM>(&Disabled));
  auto Restore = ScopeExit([this, &Disabled, ActiveBefore] {
    for (HWND W : Disabled.List)
      if (::IsWindow(W)) ::EnableWindow(W, TRUE);
    FModal = false;
    Application->ModalEnded(*this);
    if (HandleAllocated()) {
      if (GetVisible()) Hide();
    } else {
      FVisible = false;
    }
    if (ActiveBefore && ::IsWindow(ActiveBefore)) ::SetActiveWindow(ActiveBefore);
  });
  FModal = true;
  FModalResult = mrNone;
  Show();
  ::SetActiveWindow(WindowHandle());
  if (FActiveControl && FActiveControl->CanFocus()) {
    FActiveControl->SetFocus();
  } else {
    SelectNext(nullptr, true);
  }
  Application->ModalStarted(*this);
  ModalLoop();
  return FModalResult;
}

void TCustomForm::ModalLoop() {
  // The loop ends early when the application is told to quit meanwhile.
  const bool WasTerminated = Application->GetTerminated();
  for (;;) {
    if (FModalResult != mrNone) {
      if (!CloseQuery()) {
        FModalResult = mrNone;
      } else {
        TCloseAction Action = caHide;
        DoClose(Action);
        if (Action == caNone) FModalResult = mrNone;
      }
      if (FModalResult != mrNone) break;
    }
    if (!WasTerminated && Application->GetTerminated()) {
      FModalResult = mrCancel;
      break;
    }
    Application->HandleMessage();
  }
}

bool TCustomForm::IsShortCut(WORD Key, TShiftState Shift) {
  bool Handled = false;
  if (OnShortCut) OnShortCut(this, Key, Shift, Handled);
  if (Handled) return true;
  return FMenu && FMenu->IsShortCut(Key, Shift);
}

void TCustomForm::SelectNext(TWinControl* Current, bool Forward) {
  std::vector<TWinControl*> List;
  GetTabOrderList(List);
  std::vector<TWinControl*> Stops;
  for (TWinControl* W : List)
    if (W->GetTabStop() && W->CanFocus()) Stops.push_back(W);
  if (Stops.empty()) return;
  auto It = std::find(Stops.begin(), Stops.end(), Current);
  size_t Index;
  if (It == Stops.end()) {
    Index = Forward ? 0 : Stops.size() - 1;
  } else {
    const size_t Pos = static_cast<size_t>(It - Stops.begin());
    Index = Forward ? (Pos + 1) % Stops.size() : (Pos + Stops.size() - 1) % Stops.size();
  }
  Stops[Index]->SetFocus();
}

namespace {
TWinControl* FindDialogButtonIn(TWinControl* Parent, WORD Key) {
  for (int I = 0; I < Parent->GetControlCount(); ++I) {
    auto* W = dynamic_cast<TWinControl*>(Parent->GetControl(I));
    if (!W) continue;
    if (W->IsDialogButton(Key) && W->CanFocus()) return W;
    if (W->GetVisible())
      if (TWinControl* Found = FindDialogButtonIn(W, Key)) return Found;
  }
  return nullptr;
}
}  // namespace

TWinControl* TCustomForm::FindDialogButton(WORD Key) { return FindDialogButtonIn(this, Key); }

bool TCustomForm::DialogKey(WORD Key, TShiftState Shift) {
  switch (Key) {
    case VK_TAB: {
      TWinControl* Current = FActiveControl;
      if (HWND Focus = ::GetFocus()) {
        for (HWND W = Focus; W; W = ::GetParent(W))
          if (TWinControl* C = FindControl(W); C && ContainsControl(C)) {
            Current = C;
            break;
          }
      }
      SelectNext(Current, !(Shift & ssShift));
      return true;
    }
    case VK_RETURN:  // only the default button answers Enter; a dialog without one ignores it
    case VK_ESCAPE:  // the cancel button
      if (TWinControl* B = FindDialogButton(Key)) {
        B->Click();
        return true;
      }
      return false;
    default: return false;
  }
}

void TCustomForm::WndProc(TMessage& M) {
  switch (M.Msg) {
    case WM_CLOSE:
      Close();
      M.Result = 0;
      return;
    case WM_ACTIVATE:
      DefaultHandler(M);
      if (LOWORD(M.WParam) != WA_INACTIVE) {
        // The focus goes back to the control that last had it; a form that has
        // none yet gives it to its first control in tab order.
        if (!::IsIconic(WindowHandle())) {
          if (FActiveControl && FActiveControl->CanFocus() && ContainsControl(FActiveControl))
            ::SetFocus(FActiveControl->GetHandle());
          else
            SelectNext(nullptr, true);
        }
        if (OnActivate) OnActivate(this);
      } else {
        if (OnDeactivate) OnDeactivate(this);
      }
      M.Result = 0;
      return;
    case WM_ACTIVATEAPP:
      DefaultHandler(M);
      Application->ActivateChanged(M.WParam != 0);
      return;
    case WM_SETFOCUS:
      if (FActiveControl && FActiveControl->CanFocus() && ContainsControl(FActiveControl)) {
        ::SetFocus(FActiveControl->GetHandle());
        M.Result = 0;
        return;
      }
      break;
    case WM_INITMENUPOPUP: break;
    case WM_DPICHANGED: WMDpiChanged(M); return;
    default: break;
  }
  TScrollingWinControl::WndProc(M);
}
