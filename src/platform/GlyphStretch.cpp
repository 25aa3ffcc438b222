// Glyphs drawn larger than their art: nearest-neighbour stretching with the
// transparent colour kept.
#include "platform/Gdi.h"
#include "platform/Graphics.h"
#include "platform/PlatformExcept.h"

void StretchTransparentCopy(HDC Dest, int X, int Y, int Width, int Height, HDC Source, int SrcX, int SrcY, int SrcWidth,
                            int SrcHeight, COLORREF TransparentColor) {
  if (Width <= 0 || Height <= 0 || SrcWidth <= 0 || SrcHeight <= 0) return;
  if (Width == SrcWidth && Height == SrcHeight) {
    TransparentCopy(Dest, X, Y, Width, Height, Source, SrcX, SrcY, TransparentColor);
    return;
  }
  // Stretched into a bitmap of the source's kind first, so the transparent
  // pixels stay exactly the transparent colour, then copied as usual.
  TMemoryDC TempDC = CreateMemoryDC(Source);
  TBitmapHandle Temp(::CreateCompatibleBitmap(Source, Width, Height));
  if (!Temp) throw EOutOfResources("Cannot create a bitmap for a stretched glyph");
  TSelectObject Sel(TempDC.Get(), Temp.Get());
  const int OldMode = ::SetStretchBltMode(TempDC.Get(), COLORONCOLOR);
  ::StretchBlt(TempDC.Get(), 0, 0, Width, Height, Source, SrcX, SrcY, SrcWidth, SrcHeight, SRCCOPY);
  ::SetStretchBltMode(TempDC.Get(), OldMode);
  TransparentCopy(Dest, X, Y, Width, Height, TempDC.Get(), 0, 0, TransparentColor);
}
