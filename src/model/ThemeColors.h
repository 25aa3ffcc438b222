// Colours of the light and the dark look, and how readable text is on them.
//
// Colours here are RGB values 0x00BBGGRR, as the settings keep them. The
// contrast of two colours is the ratio of their relative luminances (the
// sRGB definition of the web's accessibility guidelines): 1 for equal
// colours up to 21 for black on white; body text needs at least 4.5.
#pragma once

#include <array>
#include <cstdint>
#include <optional>

#include "model/OrlimoMsg.h"

// The least contrast of text against its background.
inline constexpr double MinTextContrast = 4.5;

// RGB(R, G, B) as 0x00BBGGRR.
inline constexpr std::uint32_t RgbColor(std::uint8_t R, std::uint8_t G, std::uint8_t B) {
  return static_cast<std::uint32_t>(R) | static_cast<std::uint32_t>(G) << 8 | static_cast<std::uint32_t>(B) << 16;
}

// Relative luminance 0..1 of an RGB colour (bits above 24 are ignored).
double RelativeLuminance(std::uint32_t Rgb);
// (lighter + 0.05) / (darker + 0.05), 1..21, the same either way round.
double ContrastRatio(std::uint32_t A, std::uint32_t B);

// The colours a look gives the system's window and window-text colours,
// which the list's background and the default kind colour are.
struct TThemeColors {
  std::uint32_t Window;
  std::uint32_t WindowText;
};
inline constexpr TThemeColors LightThemeColors{RgbColor(255, 255, 255), RgbColor(0, 0, 0)};
inline constexpr TThemeColors DarkThemeColors{RgbColor(30, 30, 30), RgbColor(220, 220, 220)};

// A settings colour (RGB, or 0x80000000 plus a system colour index) as RGB in
// a look: the window (5) and window-text (8) system colours take the look's;
// nothing for other system colours.
std::optional<std::uint32_t> ThemeRgb(std::int32_t Color, const TThemeColors& Theme);

// The default colour of each kind 0..10 in the dark look. In the light look
// every kind's default is the window-text colour; on the dark background the
// kinds keep apart by hue, each at least MinTextContrast against
// DarkThemeColors.Window. Colours the user stored are drawn as stored.
inline constexpr std::array<std::uint32_t, IconKindCount> DarkKindColors{{
    RgbColor(220, 220, 220),  // Info: the dark window text
    RgbColor(229, 192, 123),  // Warning: amber
    RgbColor(244, 135, 113),  // Error: soft red
    RgbColor(78, 201, 176),   // Check point: teal
    RgbColor(156, 220, 254),  // Object: light blue
    RgbColor(214, 157, 133),  // Stream: tan
    RgbColor(181, 206, 168),  // String list: light green
    RgbColor(220, 220, 220),  // Property: the dark window text
    RgbColor(220, 220, 170),  // Note: pale yellow
    RgbColor(197, 134, 192),  // Enter method: violet
    RgbColor(197, 134, 192),  // Exit method: violet, as its entry
}};

// System colour indexes (the values of the system's COLOR_* constants) that
// the dark look gives colours of its own.
namespace SysColorIndex {
inline constexpr int AppWorkspace = 12;
inline constexpr int Window = 5;
inline constexpr int WindowFrame = 6;
inline constexpr int WindowText = 8;
inline constexpr int Highlight = 13;
inline constexpr int HighlightText = 14;
inline constexpr int BtnFace = 15;
inline constexpr int BtnShadow = 16;
inline constexpr int GrayText = 17;
inline constexpr int BtnText = 18;
inline constexpr int BtnHighlight = 20;
inline constexpr int DkShadow3D = 21;
inline constexpr int Light3D = 22;
inline constexpr int InfoText = 23;
inline constexpr int InfoBk = 24;
}  // namespace SysColorIndex

// The dark look's colour of a system colour, as RGB; nothing for the colours
// it leaves to the system (captions, menus, scroll bars, the desktop). The
// window and window-text colours are DarkThemeColors'. Every text colour
// reaches MinTextContrast on the backgrounds it is drawn on; lines in the
// button shadow colour stay visible on the window colour.
std::optional<std::uint32_t> DarkSysColor(int Index);

// The look the settings choose ("Theme" in "View"): follow Windows, light or dark.
inline constexpr std::int32_t ThemeFollowWindows = 0;
inline constexpr std::int32_t ThemeLight = 1;
inline constexpr std::int32_t ThemeDark = 2;

// Whether the dark look is on for a Theme setting, given Windows' own
// "AppsUseLightTheme" value (0 means dark; missing means light). A Theme
// outside 0..2 follows Windows.
bool IsDarkTheme(std::int32_t Theme, std::optional<std::uint32_t> AppsUseLightTheme);

// The colour a message of Kind (0..10; any other, as the columns beside the
// text, takes kind 0's) is drawn in, from the colour its style holds: in the
// dark look a colour the user never changed (black, the message font's
// default, or the window-text system colour, the kinds' default) becomes
// the kind's DarkKindColors entry; any other colour stays as stored.
std::int32_t ThemeKindColor(std::int32_t Kind, std::int32_t Color, bool Dark);
