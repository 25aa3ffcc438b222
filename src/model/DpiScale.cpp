#include "model/DpiScale.h"

#include <cstdlib>
#include <limits>

int ScaleForDpi(int DesignPixels, int Dpi) {
  if (Dpi <= 0) Dpi = DesignDpi;
  if (Dpi == DesignDpi || DesignPixels == 0) return DesignPixels;
  // The magnitude is scaled and the sign put back, so -x always scales to
  // the negation of x. Both factors are below 2^31: the product fits.
  const std::int64_t Magnitude = std::llabs(static_cast<std::int64_t>(DesignPixels));
  std::int64_t Scaled = (Magnitude * Dpi + DesignDpi / 2) / DesignDpi;
  if (Scaled == 0) Scaled = 1;
  const std::int64_t Limit = std::numeric_limits<int>::max();
  if (Scaled > Limit) Scaled = Limit;
  return static_cast<int>(DesignPixels < 0 ? -Scaled : Scaled);
}

int ScaleBetweenDpi(int Pixels, int FromDpi, int ToDpi) {
  if (FromDpi <= 0) FromDpi = DesignDpi;
  if (ToDpi <= 0) ToDpi = DesignDpi;
  if (FromDpi == ToDpi || Pixels == 0) return Pixels;
  const std::int64_t Magnitude = std::llabs(static_cast<std::int64_t>(Pixels));
  std::int64_t Scaled = (Magnitude * ToDpi + FromDpi / 2) / FromDpi;
  if (Scaled == 0) Scaled = 1;
  const std::int64_t Limit = std::numeric_limits<int>::max();
  if (Scaled > Limit) Scaled = Limit;
  return static_cast<int>(Pixels < 0 ? -Scaled : Scaled);
}

int TDpiScaledValue::Rescale(int Current, int FromDpi, int ToDpi) {
  if (FBaseDpi == 0 || Current != FLast) {
    FBase = Current;
    FBaseDpi = FromDpi > 0 ? FromDpi : DesignDpi;
  }
  FLast = ScaleBetweenDpi(FBase, FBaseDpi, ToDpi);
  return FLast;
}
