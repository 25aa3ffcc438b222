#include "platform/Forms.h"

#include "platform/Menus.h"
#include "platform/PlatformExcept.h"
#include "platform/StdCtrls.h"
#include "platform/Timers.h"

#include <commctrl.h>

#include <algorithm>
#include <vector>

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
  OnClose = nullptr;
  OnCloseQuery = nullptr;
  OnShortCut = nullptr;
  OnShow = nullptr;
  OnHide = nullptr;
  OnActivate = nullptr;
  OnDeactivate = nullptr;
  if (FMenu) {
    FMenu->SetWindow(nullptr);
    RemoveFreeNotification(FMenu);
  }
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

void TCustomForm::DoSetVisible(bool Value) {
  if (Value) {
    HandleNeeded();
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
      ::PostMessageA(Application->GetHandle(), WM_APP + 1, 0, reinterpret_cast<LPARAM>(this));
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
  struct TRestore {
    TCustomForm& Form;
    TDisabledWindows& Disabled;
    HWND ActiveBefore;
    ~TRestore() {
      for (HWND W : Disabled.List)
        if (::IsWindow(W)) ::EnableWindow(W, TRUE);
      Form.FModal = false;
      if (Form.HandleAllocated()) {
        if (Form.GetVisible()) Form.Hide();
      } else {
        Form.FVisible = false;
      }
      if (ActiveBefore && ::IsWindow(ActiveBefore)) ::SetActiveWindow(ActiveBefore);
    }
  } Restore{*this, Disabled, ActiveBefore};
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
TButton* FindButtonIn(TWinControl* Parent, bool Default) {
  for (int I = 0; I < Parent->GetControlCount(); ++I) {
    TControl* C = Parent->GetControl(I);
    if (auto* B = dynamic_cast<TButton*>(C)) {
      if ((Default ? B->GetDefault() : B->GetCancel()) && B->CanFocus()) return B;
    }
    if (auto* W = dynamic_cast<TWinControl*>(C); W && W->GetVisible()) {
      if (TButton* Found = FindButtonIn(W, Default)) return Found;
    }
  }
  return nullptr;
}
}  // namespace

TButtonControl* TCustomForm::FindButton(bool Default) { return FindButtonIn(this, Default); }

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
    case VK_RETURN: {
      // Only the default button answers Enter; a dialog without one ignores it.
      auto* B = static_cast<TButton*>(FindButton(true));
      if (B) {
        B->Click();
        return true;
      }
      return false;
    }
    case VK_ESCAPE: {
      auto* B = static_cast<TButton*>(FindButton(false));
      if (B) {
        B->Click();
        return true;
      }
      return false;
    }
    default:
      return false;
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
    case WM_INITMENUPOPUP:
      break;
    default:
      break;
  }
  TScrollingWinControl::WndProc(M);
}

// ---------------------------------------------------------------- TApplication
namespace {
TApplication GApplication;

LRESULT CALLBACK AppWndProc(HWND Wnd, UINT Msg, WPARAM WParam, LPARAM LParam) noexcept {
  try {
    switch (Msg) {
      case WM_TIMER:
        if (TTimer::DispatchTimer(WParam)) return 0;
        break;
      case WM_APP + 1:
        delete reinterpret_cast<TCustomForm*>(LParam);
        return 0;
      case WM_COMMAND:
        if (LParam == 0 && HIWORD(WParam) == 0) {
          if (TMenuItem* Item = TMenuItem::FindCommand(LOWORD(WParam))) {
            Item->Click();
            return 0;
          }
        }
        break;
      default:
        break;
    }
  } catch (const std::exception& E) {
    Application->HandleException(E);
    return 0;
  } catch (...) {
    Application->HandleUnknownException();
    return 0;
  }
  return ::DefWindowProcA(Wnd, Msg, WParam, LParam);
}
}  // namespace

TApplication* const Application = &GApplication;

TApplication::TApplication() = default;
// The hint window and timer are left to the process's end: windows cannot be
// destroyed safely while static objects go.
TApplication::~TApplication() = default;

void TApplication::Initialize() {
  if (FInitialized) return;
  FInitialized = true;
  INITCOMMONCONTROLSEX Icc{sizeof(Icc), ICC_WIN95_CLASSES | ICC_STANDARD_CLASSES};
  ::InitCommonControlsEx(&Icc);
}

HWND TApplication::GetHandle() {
  if (!FHandle || !::IsWindow(FHandle)) {
    static const char* const ClassName = "TOrlimoApplication";
    WNDCLASSA WC{};
    if (!::GetClassInfoA(ModuleInstance(), ClassName, &WC)) {
      WC.lpfnWndProc = AppWndProc;
      WC.hInstance = ModuleInstance();
      WC.lpszClassName = ClassName;
      if (!::RegisterClassA(&WC)) throw EOutOfResources("Cannot register the application window class");
    }
    FHandle = ::CreateWindowExA(0, ClassName, FTitle.c_str(), WS_POPUP, 0, 0, 0, 0, nullptr, nullptr,
                                ModuleInstance(), nullptr);
    if (!FHandle) throw EOutOfResources("Cannot create the application window: " + LastErrorMessage());
  }
  return FHandle;
}

void TApplication::Run() {
  Initialize();
  FTerminated = false;
  if (FMainForm) FMainForm->Show();
  while (!FTerminated) HandleMessage();
}

void TApplication::ProcessMessage(MSG& Msg) {
  switch (Msg.message) {
    case WM_MOUSEMOVE:
      HintMouseMessage(Msg);
      break;
    case WM_LBUTTONDOWN:
    case WM_RBUTTONDOWN:
    case WM_MBUTTONDOWN:
    case WM_NCLBUTTONDOWN:
    case WM_KEYDOWN:
    case WM_SYSKEYDOWN:
    case WM_MOUSEWHEEL:
      if (FHintControl) CancelHint();
      break;
    default:
      break;
  }
  if ((Msg.message == WM_KEYDOWN || Msg.message == WM_SYSKEYDOWN) && Msg.hwnd) {
    TWinControl* Target = nullptr;
    for (HWND W = Msg.hwnd; W && !Target; W = ::GetParent(W)) Target = TWinControl::FindControl(W);
    if (Target) {
      try {
        if (Target->PreProcessKey(Msg)) return;
      } catch (const std::exception& E) {
        HandleException(E);
        return;
      } catch (...) {
        HandleUnknownException();
        return;
      }
    }
  }
  ::TranslateMessage(&Msg);
  ::DispatchMessageA(&Msg);
}

void TApplication::HandleMessage() {
  MSG Msg{};
  if (!::PeekMessageA(&Msg, nullptr, 0, 0, PM_REMOVE)) {
    Idle();
    const BOOL Got = ::GetMessageA(&Msg, nullptr, 0, 0);
    if (Got == -1) return;
    if (Got == 0) {
      FTerminated = true;
      return;
    }
  } else if (Msg.message == WM_QUIT) {
    FTerminated = true;
    return;
  }
  ProcessMessage(Msg);
}

void TApplication::ProcessMessages() {
  MSG Msg{};
  while (::PeekMessageA(&Msg, nullptr, 0, 0, PM_REMOVE)) {
    if (Msg.message == WM_QUIT) {
      FTerminated = true;
      break;
    }
    ProcessMessage(Msg);
  }
}

void TApplication::Terminate() { ::PostQuitMessage(0); }

void TApplication::Idle() {
  TControlCanvas::FreeDeviceContexts();
  if (OnIdle) {
    try {
      OnIdle(nullptr);
    } catch (const std::exception& E) {
      HandleException(E);
    }
  }
}

bool TApplication::HelpCommand(UINT Command, ULONG_PTR Data) {
  if (FHelpFile.empty()) return false;
  HWND Owner = FMainForm && FMainForm->HandleAllocated() ? FMainForm->WindowHandle() : GetHandle();
  return ::WinHelpA(Owner, FHelpFile.c_str(), Command, Data) != FALSE;
}

void TApplication::HandleException(const std::exception& E) noexcept {
  try {
    if (OnException)
      OnException(nullptr, E);
    else
      ShowException(E);
  } catch (...) {
  }
}

void TApplication::HandleUnknownException() noexcept {
  HandleException(std::runtime_error("Unknown exception"));
}

void TApplication::ShowException(const std::exception& E) {
  std::string Text = E.what();
  if (!Text.empty() && Text.back() != '.') Text += '.';
  MessageBox(Text, FTitle.empty() ? std::string("Error") : FTitle, MB_OK | MB_ICONSTOP);
}

int TApplication::MessageBox(const std::string& Text, const std::string& Caption, UINT Flags) {
  if (OnMessageBox) return OnMessageBox(Text, Caption, Flags);
  HWND Owner = ::GetActiveWindow();
  if (!Owner && FMainForm && FMainForm->HandleAllocated()) Owner = FMainForm->WindowHandle();
  return ::MessageBoxA(Owner, Text.c_str(), Caption.c_str(), Flags);
}

void TApplication::ModalStarted(TCustomForm& Form) {
  if (OnModalBegin) OnModalBegin(Form);
}

void TApplication::ActivateChanged(bool Active) {
  if (!Active) CancelHint();
  if (Active == FActive) return;
  FActive = Active;
  if (Active) {
    if (OnActivate) OnActivate(nullptr);
  } else {
    if (OnDeactivate) OnDeactivate(nullptr);
  }
}

// ---------------------------------------------------------------- hints
std::string TApplication::GetShortHint(const std::string& Hint) { return Hint.substr(0, Hint.find('|')); }

TTimer* TApplication::GetHintTimer() {
  if (!FHintTimer) {
    FHintTimer = new TTimer(nullptr);
    FHintTimer->SetEnabled(false);
    FHintTimer->OnTimer = [this](TObject*) { HintTimerExpired(); };
  }
  return FHintTimer;
}

void TApplication::SetShowHint(bool Value) {
  FShowHint = Value;
  if (!Value) CancelHint();
}

void TApplication::CancelHint() {
  if (FHintTimer) FHintTimer->SetEnabled(false);
  if (FHintWindow && FHintShowing) FHintWindow->ReleaseHint();
  FHintShowing = false;
  FHintControl = nullptr;
}

void TApplication::ControlDestroying(TControl* Control) {
  if (Control == FHintWindow) {
    FHintWindow = nullptr;
    FHintShowing = false;
  }
  if (FHintControl) {
    auto* W = dynamic_cast<TWinControl*>(Control);
    if (Control == FHintControl || (W && W->ContainsControl(FHintControl))) CancelHint();
  }
}

void TApplication::HintMouseMessage(const MSG& Msg) {
  if (!FShowHint) return;
  TWinControl* Under = nullptr;
  for (HWND W = Msg.hwnd; W && !Under; W = ::GetParent(W)) Under = TWinControl::FindControl(W);
  if (Under && Under == FHintWindow) return;
  TControl* Target = Under;
  while (Target && Target->GetHint().empty()) Target = Target->GetParent();
  if (Target && (!Target->GetShowHint() || GetShortHint(Target->GetHint()).empty())) Target = nullptr;
  if (Target == FHintControl) return;
  const bool WasShowing = FHintShowing;
  CancelHint();
  if (!Target) return;
  FHintControl = Target;
  FHintPos = Msg.pt;
  TTimer* Timer = GetHintTimer();
  Timer->SetInterval(WasShowing ? 50 : FHintPause);
  Timer->SetEnabled(true);
}

void TApplication::HintTimerExpired() {
  TTimer* Timer = GetHintTimer();
  Timer->SetEnabled(false);
  if (FHintShowing) {  // shown long enough
    if (FHintWindow) FHintWindow->ReleaseHint();
    FHintShowing = false;
    return;  // the control keeps its turn: no new hint until the mouse goes elsewhere
  }
  if (!FHintControl) return;
  if (!FHintWindow) {
    FHintWindow = new THintWindow(nullptr);
    FHintWindow->SetColor(FHintColor);
  }
  FHintWindow->SetColor(FHintColor);
  FHintWindow->ActivateHint(POINT{FHintPos.x, FHintPos.y + ::GetSystemMetrics(SM_CYCURSOR) * 3 / 4},
                            GetShortHint(FHintControl->GetHint()));
  FHintShowing = true;
  Timer->SetInterval(FHintHidePause);
  Timer->SetEnabled(true);
}

THintWindow::THintWindow(TComponent* AOwner) : TCustomControl(AOwner) {
  FVisible = false;
  FParentFont = false;
  GetFont().SetColor(clInfoText);
  SetColor(clInfoBk);
}

void THintWindow::CreateParams(TCreateParams& P) {
  TCustomControl::CreateParams(P);
  P.Style = (P.Style & ~static_cast<DWORD>(WS_CHILD | WS_VISIBLE)) | WS_POPUP | WS_BORDER;
  P.ExStyle |= WS_EX_TOOLWINDOW | WS_EX_TOPMOST;
  P.ClassStyle |= CS_SAVEBITS;
  P.WndParent = nullptr;
  if (GetWindowClassName().empty()) P.WinClassName = "TOrlimoHintWindow";
}

SIZE THintWindow::CalcHintSize(const std::string& Text) {
  TCanvas& C = GetCanvas();
  C.SetFont(GetFont());
  RECT R{0, 0, 300, 0};
  C.DrawText(Text, R, DT_CALCRECT | DT_LEFT | DT_WORDBREAK | DT_NOPREFIX);
  return SIZE{R.right + 6 + 2, R.bottom + 2 + 2};
}

void THintWindow::ActivateHint(POINT ScreenPos, const std::string& Text) {
  SetText(Text);
  const SIZE S = CalcHintSize(Text);
  RECT Area{0, 0, ::GetSystemMetrics(SM_CXSCREEN), ::GetSystemMetrics(SM_CYSCREEN)};
  int X = std::min<int>(ScreenPos.x, Area.right - S.cx);
  int Y = std::min<int>(ScreenPos.y, Area.bottom - S.cy);
  X = std::max<int>(X, Area.left);
  Y = std::max<int>(Y, Area.top);
  SetBounds(X, Y, S.cx, S.cy);
  HandleNeeded();
  FVisible = true;
  ::SetWindowPos(WindowHandle(), HWND_TOPMOST, X, Y, S.cx, S.cy, SWP_SHOWWINDOW | SWP_NOACTIVATE);
  Invalidate();
}

void THintWindow::ReleaseHint() { Hide(); }

void THintWindow::Paint(TCanvas& Canvas) {
  RECT R = GetClientRect();
  Canvas.FillRect(R);
  Canvas.GetBrush().SetStyle(bsClear);
  ::InflateRect(&R, -2, -1);
  R.left += 1;
  Canvas.DrawText(GetText(), R, DT_LEFT | DT_WORDBREAK | DT_NOPREFIX);
}

void THintWindow::WndProc(TMessage& M) {
  if (M.Msg == WM_NCHITTEST) {
    M.Result = HTTRANSPARENT;
    return;
  }
  if (M.Msg == WM_MOUSEACTIVATE) {
    M.Result = MA_NOACTIVATE;
    return;
  }
  TCustomControl::WndProc(M);
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
