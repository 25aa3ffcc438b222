// Glyphs drawn larger than their art: nearest-neighbour stretching with the
// transparent colour kept; at one and a half times, the pixel-art rule that
// keeps outlines even (ScalePixelArtThreeHalves).
#include <algorithm>
#include <cstdint>
#include <vector>

#include "model/PixelArtScale.h"
#include "platform/Gdi.h"
#include "platform/Graphics.h"
#include "platform/PlatformExcept.h"

namespace {

std::uint32_t ToRgb(COLORREF C) { return (GetRValue(C) << 16) | (GetGValue(C) << 8) | GetBValue(C); }

// A 32-bit top-down DIB section of the given size selected into its own DC.
struct TPixels {
  TPixels(HDC Like, int Width, int Height) : DC(CreateMemoryDC(Like)) {
    BITMAPINFO Bi{};
    Bi.bmiHeader.biSize = sizeof Bi.bmiHeader;
    Bi.bmiHeader.biWidth = Width;
    Bi.bmiHeader.biHeight = -Height;
    Bi.bmiHeader.biPlanes = 1;
    Bi.bmiHeader.biBitCount = 32;
    Bi.bmiHeader.biCompression = BI_RGB;
    void* Data = nullptr;
    Bitmap.Reset(::CreateDIBSection(DC.Get(), &Bi, DIB_RGB_COLORS, &Data, nullptr, 0));
    if (!Bitmap) throw EOutOfResources("Cannot create a bitmap for a stretched glyph");
    Bits = static_cast<std::uint32_t*>(Data);
    Old = ::SelectObject(DC.Get(), Bitmap.Get());
  }
  ~TPixels() { ::SelectObject(DC.Get(), Old); }
  TPixels(const TPixels&) = delete;
  TPixels& operator=(const TPixels&) = delete;
  TMemoryDC DC;
  TBitmapHandle Bitmap;
  HGDIOBJ Old = nullptr;
  std::uint32_t* Bits = nullptr;
};

// No 24-bit colour: a picture without transparent pixels.
constexpr std::uint32_t NoTransparent = 0xFF000000;

bool IsThreeHalves(int Width, int Height, int SrcWidth, int SrcHeight) {
  return Width * 2 == SrcWidth * 3 && Height * 2 == SrcHeight * 3 && SrcWidth % 2 == 0 && SrcHeight % 2 == 0;
}

// The source's rectangle drawn at 3/2 by ScalePixelArtThreeHalves at (X, Y) of TempDC.
void ThreeHalves(HDC TempDC, int X, int Y, HDC Source, int SrcX, int SrcY, int SrcWidth, int SrcHeight,
                 std::uint32_t Transparent) {
  TPixels Art(Source, SrcWidth, SrcHeight);
  ::BitBlt(Art.DC.Get(), 0, 0, SrcWidth, SrcHeight, Source, SrcX, SrcY, SRCCOPY);
  ::GdiFlush();
  const std::size_t Count = static_cast<std::size_t>(SrcWidth) * static_cast<std::size_t>(SrcHeight);
  std::vector<std::uint32_t> Part(Art.Bits, Art.Bits + Count);
  for (std::uint32_t& P : Part) P &= 0xFFFFFF;
  const std::vector<std::uint32_t> Big = ScalePixelArtThreeHalves(Part.data(), SrcWidth, SrcHeight, Transparent);
  const int W = SrcWidth / 2 * 3, H = SrcHeight / 2 * 3;
  TPixels Out(Source, W, H);
  std::copy(Big.begin(), Big.end(), Out.Bits);
  ::BitBlt(TempDC, X, Y, W, H, Out.DC.Get(), 0, 0, SRCCOPY);
}

}  // namespace

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
  if (IsThreeHalves(Width, Height, SrcWidth, SrcHeight)) {
    ThreeHalves(TempDC.Get(), 0, 0, Source, SrcX, SrcY, SrcWidth, SrcHeight, ToRgb(TransparentColor));
  } else {
    const int OldMode = ::SetStretchBltMode(TempDC.Get(), COLORONCOLOR);
    ::StretchBlt(TempDC.Get(), 0, 0, Width, Height, Source, SrcX, SrcY, SrcWidth, SrcHeight, SRCCOPY);
    ::SetStretchBltMode(TempDC.Get(), OldMode);
  }
  TransparentCopy(Dest, X, Y, Width, Height, TempDC.Get(), 0, 0, TransparentColor);
}

void StretchPixelArt(HDC Dest, int X, int Y, int Width, int Height, HDC Source, int SrcX, int SrcY, int SrcWidth,
                     int SrcHeight) {
  if (Width <= 0 || Height <= 0 || SrcWidth <= 0 || SrcHeight <= 0) return;
  if (IsThreeHalves(Width, Height, SrcWidth, SrcHeight)) {
    ThreeHalves(Dest, X, Y, Source, SrcX, SrcY, SrcWidth, SrcHeight, NoTransparent);
    return;
  }
  const int OldMode = ::SetStretchBltMode(Dest, COLORONCOLOR);
  ::StretchBlt(Dest, X, Y, Width, Height, Source, SrcX, SrcY, SrcWidth, SrcHeight, SRCCOPY);
  ::SetStretchBltMode(Dest, OldMode);
}
