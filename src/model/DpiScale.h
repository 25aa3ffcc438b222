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
