// The application object: message loop, exception display, hidden window and hints.
#include "platform/Application.h"

#include "platform/Forms.h"
#include "platform/Menus.h"
#include "platform/PlatformExcept.h"
#include "platform/Timers.h"

#include <commctrl.h>

#include <algorithm>

// ---------------------------------------------------------------- TApplication
namespace {
TApplication GApplication;

LRESULT CALLBACK AppWndProc(HWND Wnd, UINT Msg, WPARAM WParam, LPARAM LParam) noexcept {
  try {
    switch (Msg) {
      case WM_TIMER:
        if (TTimer::DispatchTimer(WParam)) return 0;
        break;
      // Anyone may post this: it carries nothing, and only frees what the
      // application itself was asked to.
      case WM_APP + 1: Application->FreeReleasedForms(); return 0;
      case WM_COMMAND:
        if (LParam == 0 && HIWORD(WParam) == 0) {
          if (!Application->AcceptsMenuCommand(Wnd, LOWORD(WParam))) return 0;
          if (DispatchMenuCommand(LOWORD(WParam))) return 0;
        }
        break;
      default: break;
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

// The hint window and timer go with the application, at the process's end
// (what they use on their way is never destroyed: see CanvasList, TimerTable).
TApplication::~TApplication() {
  FHintControl = nullptr;
  FHintShowing = false;
  FHintTimer.reset();
  FHintWindow.reset();
}

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
    FHandle = ::CreateWindowExA(0, ClassName, FTitle.c_str(), WS_POPUP, 0, 0, 0, 0, nullptr, nullptr, ModuleInstance(),
                                nullptr);
    if (!FHandle) throw EOutOfResources("Cannot create the application window: " + LastErrorMessage());
  }
  return FHandle;
}

void TApplication::FinalizeModule() {
  CancelHint();
  FHintControl = nullptr;
  FHintShowing = false;
  FHintTimer.reset();
  FHintWindow.reset();
  TControlCanvas::FreeDeviceContexts();
  if (FHandle && ::IsWindow(FHandle)) ::DestroyWindow(FHandle);
  FHandle = nullptr;
  UnregisterWindowClasses();
  ::UnregisterClassA("TOrlimoApplication", ModuleInstance());
}

void TApplication::Run() {
  Initialize();
  FTerminated = false;
  if (FMainForm) FMainForm->Show();
  while (!FTerminated) HandleMessage();
}

void TApplication::ProcessMessage(MSG& Msg) {
  // Input posted to a disabled window (one a modal form disabled) goes
  // nowhere, as typed or clicked input would: no key, click or shortcut of
  // the main form runs behind a dialog.
  const bool Input = (Msg.message >= WM_KEYFIRST && Msg.message <= WM_KEYLAST) ||
                     (Msg.message >= WM_MOUSEFIRST && Msg.message <= WM_MOUSELAST) ||
                     (Msg.message >= WM_NCMOUSEMOVE && Msg.message <= WM_NCXBUTTONDBLCLK);
  if (Input && Msg.hwnd && !InputAllowed(Msg.hwnd)) return;
  switch (Msg.message) {
    case WM_MOUSEMOVE: HintMouseMessage(Msg); break;
    case WM_LBUTTONDOWN:
    case WM_RBUTTONDOWN:
    case WM_MBUTTONDOWN:
    case WM_NCLBUTTONDOWN:
    case WM_KEYDOWN:
    case WM_SYSKEYDOWN:
    case WM_MOUSEWHEEL:
      if (FHintControl) CancelHint();
      break;
    default: break;
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

void TApplication::ReleaseForm(TCustomForm* Form) {
  if (std::find(FReleasedForms.begin(), FReleasedForms.end(), Form) == FReleasedForms.end())
    FReleasedForms.push_back(Form);
  ::PostMessageA(GetHandle(), WM_APP + 1, 0, 0);
}

void TApplication::FreeReleasedForms() {
  // Each form leaves the list as it is destroyed (FormDestroying), also when
  // freeing one frees another.
  while (!FReleasedForms.empty()) delete FReleasedForms.front();
}

void TApplication::FormDestroying(TCustomForm* Form) {
  FReleasedForms.erase(std::remove(FReleasedForms.begin(), FReleasedForms.end(), Form), FReleasedForms.end());
  FModalForms.erase(std::remove(FModalForms.begin(), FModalForms.end(), Form), FModalForms.end());
}

void TApplication::ModalEnded(TCustomForm& Form) {
  FModalForms.erase(std::remove(FModalForms.begin(), FModalForms.end(), &Form), FModalForms.end());
}

bool TApplication::AcceptsMenuCommand(HWND Wnd, UINT Command) const {
  // A disabled window's menu cannot be used (a modal form of any copy of this
  // layer disabled it): it ignores commands as it ignores the mouse.
  HWND Root = Wnd ? ::GetAncestor(Wnd, GA_ROOT) : nullptr;
  if (Root && Root != FHandle && !::IsWindowEnabled(Root)) return false;
  if (FModalForms.empty()) return true;
  // While a modal form is up only its own menu runs: the form takes no
  // command of another form's menu, the hidden window none at all.
  TCustomForm* Top = FModalForms.back();
  if (!Root || !Top->HandleAllocated() || Root != Top->WindowHandle()) return false;
  return Top->GetMenu() && Top->GetMenu()->FindItem(Command);
}

bool TApplication::InputAllowed(HWND Wnd) {
  HWND Desktop = ::GetDesktopWindow();
  for (HWND W = Wnd; W && W != Desktop; W = ::GetAncestor(W, GA_PARENT))
    if (!::IsWindowEnabled(W)) return false;
  return true;
}

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

void TApplication::HandleUnknownException() noexcept { HandleException(std::runtime_error("Unknown exception")); }

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
  FModalForms.push_back(&Form);
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
    FHintTimer = std::make_unique<TTimer>(nullptr);
    FHintTimer->SetEnabled(false);
    FHintTimer->OnTimer = [this](TObject*) { HintTimerExpired(); };
  }
  return FHintTimer.get();
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
  if (FHintWindow && Control == FHintWindow.get()) {
    // Deleted by someone else after all: it is no longer ours to delete.
    (void)FHintWindow.release();
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
  if (Under && Under == FHintWindow.get()) return;
  TControl* Target = Under;
  while (Target && Target->GetHint().empty()) Target = Target->GetParent();
  if (Target && (!Target->GetShowHint() || GetShortHint(Target->GetHint()).empty())) Target = nullptr;
  if (Target == FHintControl) return;
  const bool WasShowing = FHintShowing;
  CancelHint();
  if (!Target) return;
  FHintControl = Target;
  auto* TargetWnd = dynamic_cast<TWinControl*>(Target);
  FHintWnd = TargetWnd ? TargetWnd->WindowHandle() : nullptr;
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
  if (TWinControl::FindControl(FHintWnd) != FHintControl) {
    FHintControl = nullptr;  // gone meanwhile
    return;
  }
  if (!FHintWindow) FHintWindow = std::make_unique<THintWindow>(nullptr);
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
