// The process-wide look: light (the system's colours) or dark. While the dark
// look is on, the system colours the program draws with (ColorToRGB) take
// the dark look's values, and top-level windows get a dark title bar where
// the system offers one. Menus and the system's own dialogs stay the
// system's.
#pragma once

#include "platform/Gdi.h"

#include <cstdint>
#include <optional>

// Whether the dark look is on.
bool IsDarkLook();
// Switches the look. When it changes, every top-level window of the process
// gets the title bar of the look and is repainted with its children and
// frames. Returns whether the look changed.
bool SetDarkLook(bool Dark);
// A number that changes with every switch of the look: what keeps a GDI
// object made from a system colour compares it to remake the object.
unsigned LookGeneration();

// The system colour Index (COLOR_*) in the current look.
COLORREF LookSysColor(int Index);

// Windows' choice for applications: "AppsUseLightTheme" (a DWORD; 0 means
// dark) in HKCU "Software\Microsoft\Windows\CurrentVersion\Themes\Personalize",
// nothing when it is missing or not a DWORD.
std::optional<std::uint32_t> WindowsAppsUseLightTheme();
// Whether a WM_SETTINGCHANGE's lParam says that Windows' colour set (the
// light or dark choice) changed.
bool IsColorSetChange(LPARAM LParam);

// Gives a top-level window the title bar of the current look (the desktop
// window manager's immersive dark mode attribute, where the system has it);
// does nothing where it does not.
void ApplyTitleBarLook(HWND Wnd);
