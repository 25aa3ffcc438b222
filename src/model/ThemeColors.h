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
