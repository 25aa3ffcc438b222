// Window classes and the window-procedure thunk: every window the layer
// makes reaches its control through OrlimoStdWndProc.
#include "platform/Controls.h"

#include "platform/Application.h"
#include "platform/PlatformExcept.h"
#include "platform/Theme.h"

#include <map>
#include <vector>

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

// Every copy of this layer in the process (the program's, a plug-in's, the
// components library's) marks the windows it makes with this property, so a
// control reaches its children also when another copy made them: the
// reflected messages (commands, owner-draw, colours) arrive either way.
constexpr const char* ControlProperty = "OrlimoControl";
// The LPARAM of the reflected notification a window is being handed now (a
// property, so that every copy of the layer sees it).
constexpr const char* ReflectProperty = "OrlimoReflecting";

// Whether Msg is a reflected notification (CN_BASE + a parent's message).
bool IsReflected(UINT Msg) {
  if (Msg < CN_BASE) return false;
  switch (Msg - CN_BASE) {
    case WM_COMMAND:
    case WM_NOTIFY:
    case WM_DRAWITEM:
    case WM_MEASUREITEM:
    case WM_DELETEITEM:
    case WM_COMPAREITEM:
    case WM_VKEYTOITEM:
    case WM_CHARTOITEM:
    case WM_HSCROLL:
    case WM_VSCROLL: return true;
    default: return Msg - CN_BASE >= WM_CTLCOLORMSGBOX && Msg - CN_BASE <= WM_CTLCOLORSTATIC;
  }
}

// The window classes this copy registered, to unregister them when a DLL
// holding it is unloaded (the system keeps a DLL's classes until then).
std::vector<std::string>& RegisteredClasses() {
  static std::vector<std::string> Names;
  return Names;
}

// A child's id, unused among its siblings: two copies of this layer count
// separately, and owner-draw messages find a child by its id.
UINT NextChildId(HWND Parent) {
  for (int Tries = 0; Tries < 0xFFFF; ++Tries) {
    const UINT Id = GNextControlId;
    GNextControlId = GNextControlId >= 0xFFFF ? 1 : GNextControlId + 1;
    if (!Parent || !::GetDlgItem(Parent, static_cast<int>(Id))) return Id;
  }
  return GNextControlId;
}

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
  } else {
    RegisteredClasses().push_back(P.WinClassName);
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
    ::SetPropA(Wnd, ControlProperty, Control);
    Control->FHandle = Wnd;
    GCreatingControl = nullptr;
  }
  // The reflected notifications carry pointers: one is taken only while the
  // parent reflects it (ReflectToChild); posted or sent by anyone else, it
  // goes nowhere.
  if (IsReflected(Msg) && (LParam == 0 || ::GetPropA(Wnd, ReflectProperty) != reinterpret_cast<HANDLE>(LParam)))
    return 0;
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
    ::RemovePropA(Wnd, ControlProperty);
    ::RemovePropA(Wnd, ReflectProperty);
    if (Control->FHandle == Wnd) Control->FHandle = nullptr;
  }
  return Message.Result;
}

LRESULT ReflectToChild(TWinControl& Child, UINT Msg, WPARAM WParam, LPARAM LParam) {
  if (!Child.HandleAllocated()) return Child.Perform(Msg, WParam, LParam);
  HWND Wnd = Child.WindowHandle();
  HANDLE Outer = ::GetPropA(Wnd, ReflectProperty);  // a reflection in progress further out
  ::SetPropA(Wnd, ReflectProperty, reinterpret_cast<HANDLE>(LParam));
  struct TRestore {
    HWND Wnd;
    HANDLE Outer;
    ~TRestore() {
      if (!::IsWindow(Wnd)) return;
      if (Outer)
        ::SetPropA(Wnd, ReflectProperty, Outer);
      else
        ::RemovePropA(Wnd, ReflectProperty);
    }
  } Restore{Wnd, Outer};
  return ::SendMessageA(Wnd, Msg, WParam, LParam);
}

TWinControl* TWinControl::FindControl(HWND Wnd) {
  if (!Wnd || !::IsWindow(Wnd)) return nullptr;
  DWORD Pid = 0;
  ::GetWindowThreadProcessId(Wnd, &Pid);
  if (Pid != ::GetCurrentProcessId()) return nullptr;
  return static_cast<TWinControl*>(::GetPropA(Wnd, ControlProperty));
}

void UnregisterWindowClasses() {
  auto& Names = RegisteredClasses();
  for (const std::string& Name : Names) ::UnregisterClassA(Name.c_str(), ModuleInstance());
  Names.clear();
  ClassTable().clear();
}

void TWinControl::CreateWindowHandle(const TCreateParams& P) {
  FDefWndProc = RegisterWindowClass(P);
  HMENU Id = nullptr;
  if (P.Style & WS_CHILD) {
    Id = reinterpret_cast<HMENU>(static_cast<UINT_PTR>(NextChildId(P.WndParent)));
  }
  TWinControl* SavedCreating = GCreatingControl;
  GCreatingControl = this;
  HWND Wnd = ::CreateWindowExA(P.ExStyle, P.WinClassName.c_str(), P.Caption.c_str(), P.Style, P.X, P.Y, P.Width,
                               P.Height, P.WndParent, Id, ModuleInstance(), this);
  GCreatingControl = SavedCreating;
  if (!Wnd) throw EOutOfResources("Error creating window " + P.WinClassName + ": " + LastErrorMessage());
  FHandle = Wnd;
  if (!(P.Style & WS_CHILD) && IsDarkLook()) ApplyTitleBarLook(Wnd);
}
