#include "platform/Theme.h"

#include "model/ThemeColors.h"

#include <cstring>

namespace {

bool GDark = false;
unsigned GGeneration = 0;

// DwmSetWindowAttribute, looked up once: dwmapi.dll is not everywhere.
using TDwmSetWindowAttribute = HRESULT(WINAPI*)(HWND, DWORD, LPCVOID, DWORD);

TDwmSetWindowAttribute DwmSetAttribute() {
  static const TDwmSetWindowAttribute Fn = []() -> TDwmSetWindowAttribute {
    HMODULE Dwm = ::LoadLibraryA("dwmapi.dll");
    if (!Dwm) return nullptr;
    return reinterpret_cast<TDwmSetWindowAttribute>(
        reinterpret_cast<void*>(::GetProcAddress(Dwm, "DwmSetWindowAttribute")));
  }();
  return Fn;
}

BOOL CALLBACK RefreshTopWindow(HWND Wnd, LPARAM) {
  DWORD Process = 0;
  ::GetWindowThreadProcessId(Wnd, &Process);
  if (Process != ::GetCurrentProcessId()) return TRUE;
  ApplyTitleBarLook(Wnd);
  ::RedrawWindow(Wnd, nullptr, nullptr, RDW_ERASE | RDW_INVALIDATE | RDW_ALLCHILDREN | RDW_FRAME);
  return TRUE;
}

}  // namespace

bool IsDarkLook() { return GDark; }

bool SetDarkLook(bool Dark) {
  if (Dark == GDark) return false;
  GDark = Dark;
  ++GGeneration;
  ::EnumWindows(RefreshTopWindow, 0);
  return true;
}

unsigned LookGeneration() { return GGeneration; }

COLORREF LookSysColor(int Index) {
  if (GDark)
    if (const std::optional<std::uint32_t> Dark = DarkSysColor(Index)) return *Dark;
  return ::GetSysColor(Index);
}

std::optional<std::uint32_t> WindowsAppsUseLightTheme() {
  DWORD Value = 0, Size = sizeof Value, Type = 0;
  HKEY Key = nullptr;
  if (::RegOpenKeyExA(HKEY_CURRENT_USER, "Software\\Microsoft\\Windows\\CurrentVersion\\Themes\\Personalize", 0,
                      KEY_QUERY_VALUE, &Key) != ERROR_SUCCESS)
    return std::nullopt;
  const LSTATUS Status =
      ::RegQueryValueExA(Key, "AppsUseLightTheme", nullptr, &Type, reinterpret_cast<BYTE*>(&Value), &Size);
  ::RegCloseKey(Key);
  if (Status != ERROR_SUCCESS || Type != REG_DWORD || Size != sizeof Value) return std::nullopt;
  return static_cast<std::uint32_t>(Value);
}

bool IsColorSetChange(LPARAM LParam) {
  const auto* Area = reinterpret_cast<const char*>(LParam);
  return Area && std::strcmp(Area, "ImmersiveColorSet") == 0;
}

void ApplyTitleBarLook(HWND Wnd) {
  const TDwmSetWindowAttribute Set = DwmSetAttribute();
  if (!Set || !Wnd) return;
  // DWMWA_USE_IMMERSIVE_DARK_MODE is 20 since Windows 10 20H1, 19 before.
  const BOOL Dark = GDark ? TRUE : FALSE;
  if (FAILED(Set(Wnd, 20, &Dark, sizeof Dark))) Set(Wnd, 19, &Dark, sizeof Dark);
}
