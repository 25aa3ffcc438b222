// The one scaling rule for design pixels: every size the viewer draws or lays
// out is given at 96 DPI (100 %) and turned into device pixels for the DPI of
// the window it is in.
#pragma once

#include <cstdint>

// The DPI at which design pixels are device pixels.
inline constexpr int DesignDpi = 96;

// DesignPixels * Dpi / 96, rounded to the nearest integer with halves away
// from zero (as the system's MulDiv rounds). Identical at 96 DPI; a non-zero
// size never becomes 0 (it keeps at least one pixel, with its sign); negative
// sizes scale as their magnitude does. A DPI of 0 or below (not known) counts
// as 96. Results beyond the range of int are clamped to it.
int ScaleForDpi(int DesignPixels, int Dpi);

// Pixels laid out for FromDpi, rescaled for ToDpi: Pixels * ToDpi / FromDpi
// with the rounding of ScaleForDpi (halves away from zero, a non-zero size
// keeps at least one pixel, clamped to int). A DPI of 0 or below counts as 96.
int ScaleBetweenDpi(int Pixels, int FromDpi, int ToDpi);

// A size or position that is rescaled as its window moves between DPIs
// without drifting: it remembers the value it was first rescaled from (its
// base) and computes every later value from that base, so 96 -> 144 -> 96
// gives back the original. A value changed by someone else since the last
// rescale (Current differs from what Rescale returned) becomes the new base.
class TDpiScaledValue {
public:
  int Rescale(int Current, int FromDpi, int ToDpi);

private:
  int FBase = 0;
  int FBaseDpi = 0;  // 0: no base yet
  int FLast = 0;
};
