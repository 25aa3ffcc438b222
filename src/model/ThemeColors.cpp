#include "model/ThemeColors.h"

#include <algorithm>
#include <cmath>

namespace {

// One sRGB channel 0..255 as linear light 0..1.
double LinearChannel(std::uint32_t Value) {
  const double C = static_cast<double>(Value & 0xFF) / 255.0;
  return C <= 0.04045 ? C / 12.92 : std::pow((C + 0.055) / 1.055, 2.4);
}

}  // namespace

double RelativeLuminance(std::uint32_t Rgb) {
  return 0.2126 * LinearChannel(Rgb) + 0.7152 * LinearChannel(Rgb >> 8) + 0.0722 * LinearChannel(Rgb >> 16);
}

double ContrastRatio(std::uint32_t A, std::uint32_t B) {
  const double La = RelativeLuminance(A), Lb = RelativeLuminance(B);
  return (std::max(La, Lb) + 0.05) / (std::min(La, Lb) + 0.05);
}

std::optional<std::uint32_t> ThemeRgb(std::int32_t Color, const TThemeColors& Theme) {
  const auto C = static_cast<std::uint32_t>(Color);
  if ((C & 0x80000000u) == 0) return C & 0x00FFFFFFu;
  switch (C & 0x7FFFFFFFu) {
    case 5: return Theme.Window;
    case 8: return Theme.WindowText;
    default: return std::nullopt;
  }
}

std::optional<std::uint32_t> DarkSysColor(int Index) {
  namespace S = SysColorIndex;
  switch (Index) {
    case S::Window: return DarkThemeColors.Window;
    case S::WindowText: return DarkThemeColors.WindowText;
    case S::WindowFrame: return RgbColor(100, 100, 100);
    case S::AppWorkspace: return RgbColor(37, 37, 38);
    case S::Highlight: return RgbColor(38, 79, 120);
    case S::HighlightText: return RgbColor(255, 255, 255);
    case S::BtnFace: return RgbColor(45, 45, 45);
    case S::BtnText: return RgbColor(220, 220, 220);
    case S::GrayText: return RgbColor(150, 150, 150);
    // The 3D edges keep their order (light above the face, shadow below
    // the highlight), and a shadow line shows on the window colour.
    case S::BtnShadow: return RgbColor(90, 90, 90);
    case S::BtnHighlight: return RgbColor(120, 120, 120);
    case S::DkShadow3D: return RgbColor(20, 20, 20);
    case S::Light3D: return RgbColor(70, 70, 70);
    case S::InfoBk: return RgbColor(50, 50, 50);
    case S::InfoText: return RgbColor(230, 230, 230);
    default: return std::nullopt;
  }
}

bool IsDarkTheme(std::int32_t Theme, std::optional<std::uint32_t> AppsUseLightTheme) {
  if (Theme == ThemeDark) return true;
  if (Theme == ThemeLight) return false;
  return AppsUseLightTheme.has_value() && *AppsUseLightTheme == 0;
}

std::int32_t ThemeKindColor(std::int32_t Kind, std::int32_t Color, bool Dark) {
  constexpr auto WindowText = static_cast<std::int32_t>(0x80000000u | SysColorIndex::WindowText);
  if (!Dark || (Color != 0 && Color != WindowText)) return Color;
  const auto K = Kind >= 0 && Kind < static_cast<std::int32_t>(IconKindCount) ? static_cast<std::size_t>(Kind) : 0;
  return static_cast<std::int32_t>(DarkKindColors[K]);
}
