#include "platform/Controls.h"

#include "platform/Forms.h"
#include "platform/Menus.h"
#include "platform/PlatformExcept.h"

#include <algorithm>
#include <cctype>
#include <map>

// ---------------------------------------------------------------- module, cursors, shift
HINSTANCE ModuleInstance() {
  static const char Anchor = 0;
  static const HINSTANCE Instance = [] {
    HMODULE Module = nullptr;
    ::GetModuleHandleExA(GET_MODULE_HANDLE_EX_FLAG_FROM_ADDRESS | GET_MODULE_HANDLE_EX_FLAG_UNCHANGED_REFCOUNT,
                         &Anchor, &Module);
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

// ---------------------------------------------------------------- TComponent
TComponent::TComponent(TComponent* AOwner) {
  if (AOwner) AOwner->InsertComponent(this);
}

TComponent::~TComponent() {
  FDestroying = true;
  // Tell the components that watch this one.
  std::vector<TComponent*> Watchers;
  Watchers.swap(FFreeNotifies);
  for (TComponent* W : Watchers) {
    auto& L = W->FFreeNotifies;
    L.erase(std::remove(L.begin(), L.end(), this), L.end());
    W->Notification(this, opRemove);
  }
  DestroyComponents();
  if (FOwner) {
    TComponent* Owner = FOwner;
    Owner->RemoveComponent(this);
    Owner->Notification(this, opRemove);
  }
}

TComponent* TComponent::FindComponent(const std::string& Name) const {
  for (TComponent* C : FComponents) {
    const std::string& N = C->FName;
    if (N.size() == Name.size() &&
        std::equal(N.begin(), N.end(), Name.begin(), [](char A, char B) {
          return std::tolower(static_cast<unsigned char>(A)) == std::tolower(static_cast<unsigned char>(B));
        }))
      return C;
  }
  return nullptr;
}

void TComponent::InsertComponent(TComponent* AComponent) {
  if (!AComponent || AComponent->FOwner == this) return;
  if (AComponent->FOwner) AComponent->FOwner->RemoveComponent(AComponent);
  FComponents.push_back(AComponent);
  AComponent->FOwner = this;
}

void TComponent::RemoveComponent(TComponent* AComponent) {
  auto It = std::find(FComponents.begin(), FComponents.end(), AComponent);
  if (It != FComponents.end()) {
    FComponents.erase(It);
    AComponent->FOwner = nullptr;
  }
}

void TComponent::DestroyComponents() {
  while (!FComponents.empty()) {
    TComponent* C = FComponents.back();
    FComponents.pop_back();
    C->FOwner = nullptr;
    delete C;
  }
}

void TComponent::FreeNotification(TComponent* AComponent) {
  if (!AComponent || AComponent == this) return;
  if (std::find(FFreeNotifies.begin(), FFreeNotifies.end(), AComponent) == FFreeNotifies.end())
    FFreeNotifies.push_back(AComponent);
  auto& Other = AComponent->FFreeNotifies;
  if (std::find(Other.begin(), Other.end(), this) == Other.end()) Other.push_back(this);
}

void TComponent::RemoveFreeNotification(TComponent* AComponent) {
  if (!AComponent) return;
  FFreeNotifies.erase(std::remove(FFreeNotifies.begin(), FFreeNotifies.end(), AComponent), FFreeNotifies.end());
  auto& Other = AComponent->FFreeNotifies;
  Other.erase(std::remove(Other.begin(), Other.end(), this), Other.end());
}

void TComponent::Notification(TComponent*, TOperation) {}

// ---------------------------------------------------------------- TControl
TControl::TControl(TComponent* AOwner) : TComponent(AOwner) {
  FFont.OnChange = [this](TFont&) {
    if (!FChangingParentFont) FParentFont = false;
    FontChanged();
  };
}

TControl::~TControl() {
  if (FParent) FParent->RemoveControl(this);
}

void TControl::SetParent(TWinControl* AParent) {
  if (AParent == FParent) return;
  if (AParent == this) throw EInvalidOperation("A control cannot have itself as its parent");
  if (FParent) FParent->RemoveControl(this);
  if (AParent) AParent->InsertControl(this);
}

void TControl::SetBounds(int ALeft, int ATop, int AWidth, int AHeight) {
  if (AWidth < 0) AWidth = 0;
  if (AHeight < 0) AHeight = 0;
  if (ALeft == FLeft && ATop == FTop && AWidth == FWidth && AHeight == FHeight) return;
  const bool Sized = AWidth != FWidth || AHeight != FHeight;
  FLeft = ALeft;
  FTop = ATop;
  FWidth = AWidth;
  FHeight = AHeight;
  DoSetBounds(ALeft, ATop, AWidth, AHeight);
  RequestAlign();
  (void)Sized;
}

void TControl::UpdateBoundsFields(int ALeft, int ATop, int AWidth, int AHeight) {
  FLeft = ALeft;
  FTop = ATop;
  FWidth = AWidth;
  FHeight = AHeight;
}

SIZE TControl::ClientSizeWithoutHandle() const { return SIZE{FWidth, FHeight}; }

RECT TControl::GetClientRect() {
  SIZE S = ClientSizeWithoutHandle();
  return RECT{0, 0, std::max<LONG>(S.cx, 0), std::max<LONG>(S.cy, 0)};
}

void TControl::SetClientWidth(int Value) { SetWidth(FWidth - GetClientWidth() + Value); }

void TControl::SetClientHeight(int Value) { SetHeight(FHeight - GetClientHeight() + Value); }

POINT TControl::ClientToScreen(POINT P) {
  auto* W = dynamic_cast<TWinControl*>(this);
  if (W && W->HandleAllocated()) {
    ::ClientToScreen(W->WindowHandle(), &P);
    return P;
  }
  POINT Origin{FLeft, FTop};
  if (FParent) Origin = FParent->ClientToScreen(Origin);
  return POINT{P.x + Origin.x, P.y + Origin.y};
}

POINT TControl::ScreenToClient(POINT P) {
  auto* W = dynamic_cast<TWinControl*>(this);
  if (W && W->HandleAllocated()) {
    ::ScreenToClient(W->WindowHandle(), &P);
    return P;
  }
  POINT Origin = ClientToScreen(POINT{0, 0});
  return POINT{P.x - Origin.x, P.y - Origin.y};
}

void TControl::SetVisible(bool Value) {
  if (Value == FVisible) return;
  FVisible = Value;
  DoSetVisible(Value);
  VisibleChanged();
  RequestAlign();
}

bool TControl::Showing() const {
  if (!FVisible) return false;
  if (FParent) return FParent->Showing();
  auto* W = dynamic_cast<const TWinControl*>(this);
  if (W && W->GetParentWindow()) return ::IsWindowVisible(W->GetParentWindow()) != FALSE;
  return true;
}

void TControl::SetEnabled(bool Value) {
  if (Value == FEnabled) return;
  FEnabled = Value;
  DoSetEnabled(Value);
  EnabledChanged();
}

void TControl::SetAlign(TAlign Value) {
  if (Value == FAlign) return;
  const TAlign Old = FAlign;
  FAlign = Value;
  if (FParent && (Old != alNone || Value != alNone)) FParent->AlignControl(this);
}

void TControl::SetColor(TColor Value) {
  FParentColor = false;
  if (Value == FColor) return;
  FColor = Value;
  ColorChanged();
}

void TControl::SetParentColor(bool Value) {
  FParentColor = Value;
  if (Value && FParent && FParent->FColor != FColor) {
    FColor = FParent->FColor;
    ColorChanged();
  }
}

void TControl::SetParentFont(bool Value) {
  FParentFont = Value;
  if (Value && FParent) {
    FChangingParentFont = true;
    FFont.Assign(FParent->FFont);
    FChangingParentFont = false;
  }
}

std::string TControl::GetText() const { return DoGetText(); }

void TControl::SetText(const std::string& Value) {
  if (Value == DoGetText()) {
    FText = Value;
    return;
  }
  FText = Value;
  DoSetText(Value);
  TextChanged();
}

bool TControl::GetShowHint() const {
  if (FParentShowHint && FParent) return FParent->GetShowHint();
  return FShowHint;
}

void TControl::SetPopupMenu(TPopupMenu* Value) {
  if (FPopupMenu) RemoveFreeNotification(FPopupMenu);
  FPopupMenu = Value;
  if (Value) FreeNotification(Value);
}

void TControl::Notification(TComponent* AComponent, TOperation Operation) {
  TComponent::Notification(AComponent, Operation);
  if (Operation == opRemove && AComponent == FPopupMenu) FPopupMenu = nullptr;
}

TCustomForm* TControl::GetParentForm() const {
  const TControl* C = this;
  while (C->FParent) C = C->FParent;
  return dynamic_cast<TCustomForm*>(const_cast<TControl*>(C));
}

void TControl::RequestAlign() {
  if (FParent && FAlign != alNone) FParent->AlignControl(this);
}

void TControl::Click() {
  if (OnClick) OnClick(this);
}
void TControl::DblClick() {
  if (OnDblClick) OnDblClick(this);
}
void TControl::MouseDown(TMouseButton Button, TShiftState Shift, int X, int Y) {
  if (OnMouseDown) OnMouseDown(this, Button, Shift, X, Y);
}
void TControl::MouseUp(TMouseButton Button, TShiftState Shift, int X, int Y) {
  if (OnMouseUp) OnMouseUp(this, Button, Shift, X, Y);
}
void TControl::MouseMove(TShiftState Shift, int X, int Y) {
  if (OnMouseMove) OnMouseMove(this, Shift, X, Y);
}
void TControl::Resize() {
  if (OnResize) OnResize(this);
}
void TControl::FontChanged() { Invalidate(); }
void TControl::ColorChanged() { Invalidate(); }
void TControl::TextChanged() { Invalidate(); }
void TControl::EnabledChanged() { Invalidate(); }
void TControl::VisibleChanged() {}

// ---------------------------------------------------------------- window classes and the thunk
namespace {

struct TClassInfo {
  WNDPROC DefProc;
};
std::map<std::string, TClassInfo>& ClassTable() {
  static std::map<std::string, TClassInfo> Table;
  return Table;
}

thread_local TWinControl* GCreatingControl = nullptr;
UINT GNextControlId = 1;

WNDPROC RegisterWindowClass(const TCreateParams& P) {
  auto& Table = ClassTable();
  auto It = Table.find(P.WinClassName);
  if (It != Table.end()) return It->second.DefProc;
  WNDCLASSA WC{};
  WNDPROC DefProc = ::DefWindowProcA;
  if (!P.SysClassName.empty()) {
    WNDCLASSA Sys{};
    if (!::GetClassInfoA(nullptr, P.SysClassName.c_str(), &Sys))
      throw EOutOfResources("Window class " + P.SysClassName + " is not available");
    WC = Sys;
    DefProc = Sys.lpfnWndProc;
    WC.style &= ~static_cast<UINT>(CS_GLOBALCLASS);
  } else {
    WC.style = P.ClassStyle;
    WC.hCursor = ::LoadCursorA(nullptr, IDC_ARROW);
    WC.hbrBackground = P.Background;
    WC.hIcon = P.Icon;
  }
  WC.lpfnWndProc = OrlimoStdWndProc;
  WC.hInstance = ModuleInstance();
  WC.lpszClassName = P.WinClassName.c_str();
  WC.lpszMenuName = nullptr;
  if (!::RegisterClassA(&WC)) {
    // Another copy of this code in the module may have made it already.
    WNDCLASSA Existing{};
    if (!::GetClassInfoA(ModuleInstance(), P.WinClassName.c_str(), &Existing))
      throw EOutOfResources("Cannot register window class " + P.WinClassName + ": " + LastErrorMessage());
  }
  Table[P.WinClassName] = TClassInfo{DefProc};
  return DefProc;
}

}  // namespace

LRESULT CALLBACK OrlimoStdWndProc(HWND Wnd, UINT Msg, WPARAM WParam, LPARAM LParam) noexcept {
  auto* Control = reinterpret_cast<TWinControl*>(::GetWindowLongPtrA(Wnd, GWLP_USERDATA));
  if (!Control) {
    if (Msg == WM_NCCREATE) {
      auto* CS = reinterpret_cast<CREATESTRUCTA*>(LParam);
      Control = static_cast<TWinControl*>(CS->lpCreateParams);
    }
    // Messages that come before WM_NCCREATE (WM_GETMINMAXINFO of top-level windows).
    if (!Control) Control = GCreatingControl;
    if (!Control) return ::DefWindowProcA(Wnd, Msg, WParam, LParam);
    ::SetWindowLongPtrA(Wnd, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(Control));
    Control->FHandle = Wnd;
    GCreatingControl = nullptr;
  }
  TMessage Message{Msg, WParam, LParam, 0};
  try {
    Control->WndProc(Message);
  } catch (const std::exception& E) {
    Application->HandleException(E);
  } catch (...) {
    Application->HandleUnknownException();
  }
  if (Msg == WM_NCDESTROY) {
    ::SetWindowLongPtrA(Wnd, GWLP_USERDATA, 0);
    if (Control->FHandle == Wnd) Control->FHandle = nullptr;
  }
  return Message.Result;
}

TWinControl* TWinControl::FindControl(HWND Wnd) {
  if (!Wnd || !::IsWindow(Wnd)) return nullptr;
  if (reinterpret_cast<WNDPROC>(::GetWindowLongPtrA(Wnd, GWLP_WNDPROC)) != OrlimoStdWndProc) return nullptr;
  DWORD Pid = 0;
  ::GetWindowThreadProcessId(Wnd, &Pid);
  if (Pid != ::GetCurrentProcessId()) return nullptr;
  return reinterpret_cast<TWinControl*>(::GetWindowLongPtrA(Wnd, GWLP_USERDATA));
}

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
  if (FHandle) {
    if (auto* W = dynamic_cast<TWinControl*>(Control)) W->HandleNeeded();
  }
  if (Control->FAlign != alNone) AlignControl(Control);
}

void TWinControl::RemoveControl(TControl* Control) {
  auto It = std::find(FControls.begin(), FControls.end(), Control);
  if (It == FControls.end()) return;
  if (auto* W = dynamic_cast<TWinControl*>(Control)) {
    if (TCustomForm* F = GetParentForm()) {
      if (F->FActiveControl && W->ContainsControl(F->FActiveControl)) F->FActiveControl = nullptr;
    }
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

void TWinControl::CreateWindowHandle(const TCreateParams& P) {
  FDefWndProc = RegisterWindowClass(P);
  HMENU Id = nullptr;
  if (P.Style & WS_CHILD) {
    Id = reinterpret_cast<HMENU>(static_cast<UINT_PTR>(GNextControlId));
    GNextControlId = GNextControlId >= 0xFFFF ? 1 : GNextControlId + 1;
  }
  TWinControl* SavedCreating = GCreatingControl;
  GCreatingControl = this;
  HWND Wnd = ::CreateWindowExA(P.ExStyle, P.WinClassName.c_str(), P.Caption.c_str(), P.Style, P.X, P.Y, P.Width,
                               P.Height, P.WndParent, Id, ModuleInstance(), this);
  GCreatingControl = SavedCreating;
  if (!Wnd) throw EOutOfResources("Error creating window " + P.WinClassName + ": " + LastErrorMessage());
  FHandle = Wnd;
}

void TWinControl::CreateWnd() {
  if ((FParent && !FParent->FHandle) || FHandle) return;
  TCreateParams P;
  CreateParams(P);
  if ((P.Style & WS_CHILD) && !P.WndParent)
    throw EInvalidOperation("Control '" + GetName() + "' has no parent window");
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
  if (!FColorBrush || FColorBrushColor != FColor) {
    FColorBrush.Reset(::CreateSolidBrush(ColorToRGB(FColor)));
    FColorBrushColor = FColor;
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
  const auto* Form = dynamic_cast<const TCustomForm*>(this);
  const bool Menu = Form && Form->GetMenu() && !(P.Style & WS_CHILD);
  RECT R{0, 0, 0, 0};
  ::AdjustWindowRectEx(&R, P.Style & ~static_cast<DWORD>(WS_VSCROLL | WS_HSCROLL), Menu ? TRUE : FALSE, P.ExStyle);
  int W = FWidth - (R.right - R.left);
  int H = FHeight - (R.bottom - R.top);
  if (P.Style & WS_VSCROLL) W -= ::GetSystemMetrics(SM_CXVSCROLL);
  if (P.Style & WS_HSCROLL) H -= ::GetSystemMetrics(SM_CYHSCROLL);
  return SIZE{std::max(W, 0), std::max(H, 0)};
}

// ---------------------------------------------------------------- alignment
void TWinControl::DisableAlign() { ++FAlignLevel; }

void TWinControl::EnableAlign() {
  if (FAlignLevel > 0 && --FAlignLevel == 0 && FAlignPending) {
    FAlignPending = false;
    AlignControl(nullptr);
  }
}

void TWinControl::Realign() { AlignControl(nullptr); }

void TWinControl::AlignControl(TControl* AControl) {
  if (IsDestroying()) return;
  if (FAlignLevel > 0) {
    FAlignPending = true;
    return;
  }
  ++FAlignLevel;
  try {
    RECT R = GetClientRect();
    AdjustClientRect(R);
    AlignControls(AControl, R);
  } catch (...) {
    --FAlignLevel;
    FAlignPending = false;
    throw;
  }
  --FAlignLevel;
  FAlignPending = false;
}

void TWinControl::AdjustClientRect(RECT&) {}

void TWinControl::AlignControls(TControl*, RECT& R) {
  static const TAlign Order[] = {alTop, alBottom, alLeft, alRight, alClient};
  for (TAlign A : Order) {
    for (TControl* C : std::vector<TControl*>(FControls)) {
      if (C->FAlign != A || !C->FVisible) continue;
      // Popup windows do not take part in the layout.
      if (auto* W = dynamic_cast<TWinControl*>(C); W && W->FHandle &&
                                                    (::GetWindowLongA(W->FHandle, GWL_STYLE) & WS_POPUP))
        continue;
      const int RW = std::max<int>(R.right - R.left, 0);
      const int RH = std::max<int>(R.bottom - R.top, 0);
      switch (A) {
        case alTop:
          C->SetBounds(R.left, R.top, RW, C->FHeight);
          R.top += C->FHeight;
          break;
        case alBottom:
          C->SetBounds(R.left, R.bottom - C->FHeight, RW, C->FHeight);
          R.bottom -= C->FHeight;
          break;
        case alLeft:
          C->SetBounds(R.left, R.top, C->FWidth, RH);
          R.left += C->FWidth;
          break;
        case alRight:
          C->SetBounds(R.right - C->FWidth, R.top, C->FWidth, RH);
          R.right -= C->FWidth;
          break;
        case alClient:
          C->SetBounds(R.left, R.top, RW, RH);
          break;
        case alNone:
          break;
      }
    }
  }
}

// ---------------------------------------------------------------- focus, z-order, painting
bool TWinControl::Focused() const { return FHandle && ::GetFocus() == FHandle; }

bool TWinControl::CanFocus() const {
  for (const TControl* C = this; C; C = C->FParent)
    if (!C->FVisible || !C->FEnabled) return false;
  return true;
}

void TWinControl::SetFocus() {
  if (!CanFocus()) throw EInvalidOperation("Cannot focus a disabled or invisible window");
  if (TCustomForm* F = GetParentForm(); F && F != this) F->FActiveControl = this;
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

void TWinControl::Invalidate() {
  if (FHandle) ::InvalidateRect(FHandle, nullptr, TRUE);
}

void TWinControl::Update() {
  if (FHandle) ::UpdateWindow(FHandle);
}

void TWinControl::BringToFront() {
  if (FParent) {
    auto& L = FParent->FControls;
    L.erase(std::find(L.begin(), L.end(), this));
    L.push_back(this);
  }
  if (FHandle) ::SetWindowPos(FHandle, HWND_TOP, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
  RequestAlign();
}

void TWinControl::SendToBack() {
  if (FParent) {
    auto& L = FParent->FControls;
    L.erase(std::find(L.begin(), L.end(), this));
    L.insert(L.begin(), this);
  }
  if (FHandle) ::SetWindowPos(FHandle, HWND_BOTTOM, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
  RequestAlign();
}

LRESULT TWinControl::Perform(UINT Msg, WPARAM WParam, LPARAM LParam) {
  if (FHandle) return ::SendMessageA(FHandle, Msg, WParam, LParam);
  TMessage M{Msg, WParam, LParam, 0};
  WndProc(M);
  return M.Result;
}

void TWinControl::PaintWindow(HDC DC) {
  if (FHandle) {
    TMessage M{WM_PRINTCLIENT, reinterpret_cast<WPARAM>(DC), PRF_CLIENT | PRF_ERASEBKGND, 0};
    DefaultHandler(M);
  }
}

void TWinControl::PaintTo(HDC DC, int X, int Y) {
  const int Saved = ::SaveDC(DC);
  POINT OldOrg{};
  ::OffsetViewportOrgEx(DC, X, Y, &OldOrg);
  RECT R = GetClientRect();
  ::IntersectClipRect(DC, 0, 0, R.right, R.bottom);
  EraseBackground(DC);
  PaintWindow(DC);
  ::RestoreDC(DC, Saved);
  for (TControl* C : FControls) {
    auto* W = dynamic_cast<TWinControl*>(C);
    if (!W || !W->FVisible) continue;
    if (W->FHandle && (::GetWindowLongA(W->FHandle, GWL_STYLE) & WS_POPUP)) continue;
    POINT Origin{X + W->FLeft, Y + W->FTop};
    if (W->FHandle && FHandle) {
      POINT P{0, 0};
      ::MapWindowPoints(W->FHandle, FHandle, &P, 1);
      Origin = POINT{X + P.x, Y + P.y};
    }
    const int S2 = ::SaveDC(DC);
    ::IntersectClipRect(DC, Origin.x, Origin.y, Origin.x + W->FWidth, Origin.y + W->FHeight);
    W->PaintTo(DC, Origin.x, Origin.y);
    ::RestoreDC(DC, S2);
  }
}

bool TWinControl::EraseBackground(HDC DC) {
  RECT R = GetClientRect();
  ::FillRect(DC, &R, ColorBrush());
  return true;
}

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

bool TWinControl::PreProcessKey(MSG& Msg) {
  const WORD Key = static_cast<WORD>(Msg.wParam);
  if (Key == VK_SHIFT || Key == VK_CONTROL || Key == VK_MENU) return false;
  const TShiftState Shift = KeyboardShiftState() & (ssShift | ssCtrl | ssAlt);
  if (WantsShortCut(Key, Shift)) {
    for (TControl* C = this; C; C = C->FParent)
      if (C->FPopupMenu && C->FPopupMenu->IsShortCut(Key, Shift)) return true;
    TControl* Top = this;
    while (Top->FParent) Top = Top->FParent;
    if (auto* F = dynamic_cast<TCustomForm*>(Top); F && F->IsShortCut(Key, Shift)) return true;
  }
  if (Msg.message == WM_KEYDOWN && (Key == VK_TAB || Key == VK_RETURN || Key == VK_ESCAPE) && !(Shift & ssAlt)) {
    const LRESULT Code = ::SendMessageA(Msg.hwnd, WM_GETDLGCODE, Key, reinterpret_cast<LPARAM>(&Msg));
    bool Wants = (Code & (DLGC_WANTALLKEYS | DLGC_WANTMESSAGE)) != 0;
    if (Key == VK_TAB && (Code & DLGC_WANTTAB)) Wants = true;
    if (Key == VK_TAB && (Shift & ssCtrl)) Wants = true;
    if (!Wants) {
      TControl* Top = this;
      while (Top->FParent) Top = Top->FParent;
      if (auto* F = dynamic_cast<TCustomForm*>(Top); F && F->DialogKey(Key, Shift)) return true;
    }
  }
  return false;
}

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
      if (TCustomForm* F = GetParentForm(); F && F != this) F->FActiveControl = this;
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
    case WM_CAPTURECHANGED:
      FMouseDownInside = false;
      break;
    case WM_MOUSEMOVE:
      DefaultHandler(M);
      MouseMove(MouseShiftState(M.WParam), static_cast<short>(LOWORD(M.LParam)), static_cast<short>(HIWORD(M.LParam)));
      return;
    case WM_CONTEXTMENU:
      if (FPopupMenu && FPopupMenu->GetItems()->GetCount() > 0) {
        POINT P{static_cast<short>(LOWORD(M.LParam)), static_cast<short>(HIWORD(M.LParam))};
        if (M.LParam == -1) P = ClientToScreen(POINT{FWidth / 2, FHeight / 2});
        FPopupMenu->SetPopupComponent(this);
        FPopupMenu->Popup(P.x, P.y);
        M.Result = 0;
        return;
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
          M.Result = C->Perform(CN_COMMAND, M.WParam, M.LParam);
          return;
        }
      } else if (HIWORD(M.WParam) == 0) {
        if (TMenuItem* Item = TMenuItem::FindCommand(LOWORD(M.WParam))) {
          Item->Click();
          M.Result = 0;
          return;
        }
      }
      break;
    case WM_NOTIFY: {
      auto* Hdr = reinterpret_cast<NMHDR*>(M.LParam);
      if (TWinControl* C = FindControl(Hdr->hwndFrom); C && C != this) {
        M.Result = C->Perform(CN_NOTIFY, M.WParam, M.LParam);
        return;
      }
      break;
    }
    case WM_CTLCOLOREDIT:
    case WM_CTLCOLORSTATIC:
    case WM_CTLCOLORLISTBOX:
    case WM_CTLCOLORBTN:
      if (TWinControl* C = FindControl(reinterpret_cast<HWND>(M.LParam)); C && C != this) {
        M.Result = C->Perform(CN_CTLCOLOR, M.WParam, M.LParam);
        return;
      }
      break;
    case WM_DRAWITEM: {
      auto* DI = reinterpret_cast<DRAWITEMSTRUCT*>(M.LParam);
      if (DI->CtlType != ODT_MENU) {
        if (TWinControl* C = FindControl(DI->hwndItem); C && C != this) {
          M.Result = C->Perform(CN_DRAWITEM, M.WParam, M.LParam);
          return;
        }
      }
      break;
    }
    case WM_MEASUREITEM: {
      auto* MI = reinterpret_cast<MEASUREITEMSTRUCT*>(M.LParam);
      if (MI->CtlType != ODT_MENU) {
        if (TWinControl* C = FindControl(::GetDlgItem(FHandle, static_cast<int>(MI->CtlID))); C && C != this) {
          M.Result = C->Perform(CN_MEASUREITEM, M.WParam, M.LParam);
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
    default:
      break;
  }
  DefaultHandler(M);
}

// ---------------------------------------------------------------- TControlCanvas
namespace {
std::vector<TControlCanvas*>& CanvasList() {
  static std::vector<TControlCanvas*> List;
  return List;
}
}  // namespace

TControlCanvas::TControlCanvas(TWinControl& Control) : FControl(Control) {}

TControlCanvas::~TControlCanvas() { FreeHandle(); }

void TControlCanvas::CreateHandle() {
  if (FPainting) return;
  if (FControl.HandleAllocated()) {
    FWindowDC = TWindowDC(FControl.WindowHandle());
    SetHandle(FWindowDC.Get());
    CanvasList().push_back(this);
  } else {
    FMemoryDC = CreateMemoryDC();
    SetHandle(FMemoryDC.Get());
  }
}

void TControlCanvas::FreeHandle() {
  if (FPainting) return;
  ReleaseObjects();
  SetHandle(nullptr);
  if (FWindowDC) {
    auto& L = CanvasList();
    L.erase(std::remove(L.begin(), L.end(), this), L.end());
  }
  FWindowDC.Reset();
  FMemoryDC.Reset();
}

void TControlCanvas::AttachPaintDC(HDC DC) {
  FreeHandle();
  FPainting = true;
  SetHandle(DC);
}

void TControlCanvas::DetachPaintDC() {
  ReleaseObjects();
  SetHandle(nullptr);
  FPainting = false;
}

void TControlCanvas::FreeDeviceContexts() {
  std::vector<TControlCanvas*> L(CanvasList());
  for (TControlCanvas* C : L) C->FreeHandle();
}

// ---------------------------------------------------------------- TCustomControl
TCustomControl::TCustomControl(TComponent* AOwner) : TWinControl(AOwner) { FClickEvents = true; }

TCustomControl::~TCustomControl() {
  if (FCanvas) FCanvas->FreeHandle();
}

TCanvas& TCustomControl::GetCanvas() {
  if (!FCanvas) {
    FCanvas = std::make_unique<TControlCanvas>(*this);
    FCanvas->SetFont(GetFont());
    FCanvas->GetBrush().SetColor(GetColor());
  }
  return *FCanvas;
}

void TCustomControl::CreateParams(TCreateParams& P) {
  TWinControl::CreateParams(P);
  if (GetWindowClassName().empty()) P.WinClassName = "TOrlimoCustomControl";
}

bool TCustomControl::EraseBackground(HDC) { return true; }

void TCustomControl::Paint(TCanvas& Canvas) {
  RECT R = GetClientRect();
  Canvas.FillRect(R);
}

void TCustomControl::PaintWindow(HDC DC) {
  GetCanvas();
  // Paints through the canvas into Target; the canvas lets go of it also when
  // Paint throws.
  auto PaintInto = [this](HDC Target) {
    FCanvas->AttachPaintDC(Target);
    struct TDetach {
      TControlCanvas& C;
      ~TDetach() { C.DetachPaintDC(); }
    } Detach{*FCanvas};
    FCanvas->SetFont(GetFont());
    FCanvas->GetBrush().SetColor(GetColor());
    Paint(*FCanvas);
  };
  RECT R = GetClientRect();
  if (!FDoubleBuffered || R.right <= 0 || R.bottom <= 0) {
    PaintInto(DC);
    return;
  }
  TMemoryDC MemDC = CreateMemoryDC(DC);
  TBitmapHandle Bmp(::CreateCompatibleBitmap(DC, R.right, R.bottom));
  TSelectObject Sel(MemDC.Get(), Bmp.Get());
  RECT Clip{};
  ::GetClipBox(DC, &Clip);
  ::IntersectClipRect(MemDC.Get(), Clip.left, Clip.top, Clip.right, Clip.bottom);
  PaintInto(MemDC.Get());
  ::BitBlt(DC, Clip.left, Clip.top, Clip.right - Clip.left, Clip.bottom - Clip.top, MemDC.Get(), Clip.left, Clip.top,
           SRCCOPY);
}

void TCustomControl::WndProc(TMessage& M) {
  switch (M.Msg) {
    case WM_PAINT: {
      TPaintDC DC(WindowHandle());
      PaintWindow(DC.Get());
      M.Result = 0;
      return;
    }
    case WM_DESTROY:
      if (FCanvas) FCanvas->FreeHandle();
      break;
    default:
      break;
  }
  TWinControl::WndProc(M);
}

TGraphicControl::TGraphicControl(TComponent* AOwner) : TCustomControl(AOwner) { SetParentColor(true); }

void TGraphicControl::WndProc(TMessage& M) {
  if (M.Msg == WM_MOUSEACTIVATE) {
    M.Result = MA_NOACTIVATE;
    return;
  }
  TCustomControl::WndProc(M);
}
