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
