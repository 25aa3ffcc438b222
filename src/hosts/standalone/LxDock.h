// Docking the main window to an edge or a corner of the usable desktop area:
// pure geometry, so it can be checked for any screen and taskbar layout.
#pragma once

#include <cstdint>
#include <optional>

namespace LxDock {

// The Dock menu items' tags.
enum TDockTag : std::int32_t {
  dkUpperLeft = 1,
  dkUpperRight = 2,
  dkLowerRight = 3,
  dkLowerLeft = 4,
  dkLeft = 5,
  dkTop = 6,
  dkRight = 7,
  dkBottom = 8,
};

struct TDockArea {
  std::int32_t Left = 0;
  std::int32_t Top = 0;
  std::int32_t Right = 0;
  std::int32_t Bottom = 0;
};

struct TDockBounds {
  std::int32_t Left = 0;
  std::int32_t Top = 0;
  std::int32_t Width = 0;
  std::int32_t Height = 0;
  friend bool operator==(const TDockBounds&, const TDockBounds&) = default;
};

// The window's new bounds for a Dock item's tag, from the window's current
// width and height and the usable desktop area; nothing for any other tag.
// The corners keep the window's size. The edges take a quarter of the area's
// right or bottom coordinate itself (not of its width or height: a taskbar at
// the left or top edge is not subtracted) and the whole right or bottom
// coordinate as the other extent; the division truncates toward zero.
constexpr std::optional<TDockBounds> DockBounds(std::int32_t Tag, std::int32_t Width, std::int32_t Height,
                                                const TDockArea& Area) {
  const std::int32_t L = Area.Left, T = Area.Top, R = Area.Right, B = Area.Bottom;
  switch (Tag) {
    case dkUpperLeft: return TDockBounds{L, T, Width, Height};
    case dkUpperRight: return TDockBounds{R - Width, T, Width, Height};
    case dkLowerRight: return TDockBounds{R - Width, B - Height, Width, Height};
    case dkLowerLeft: return TDockBounds{L, B - Height, Width, Height};
    case dkLeft: return TDockBounds{L, T, R / 4, B};
    case dkTop: return TDockBounds{L, T, R, B / 4};
    case dkRight: return TDockBounds{R - R / 4, T, R / 4, B};
    case dkBottom: return TDockBounds{L, B - B / 4, R, B / 4};
    default: return std::nullopt;
  }
}

}  // namespace LxDock
