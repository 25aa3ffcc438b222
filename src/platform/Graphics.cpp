#include "platform/Graphics.h"

#include "platform/PlatformExcept.h"
#include "platform/Theme.h"

#include <algorithm>
#include <cstring>
#include <fstream>
#include <vector>

COLORREF ColorToRGB(TColor Color) {
  const auto Value = static_cast<std::uint32_t>(Color);
  if (Value & 0x80000000u) return LookSysColor(static_cast<int>(Value & 0xFFu));
  return Value & 0x00FFFFFFu;
}

TMemoryDC CreateMemoryDC(HDC Reference) {
  TMemoryDC DC(::CreateCompatibleDC(Reference));
  if (!DC) throw EOutOfResources("Cannot create a memory device context: " + LastErrorMessage());
  return DC;
}

// ---------------------------------------------------------------- TFont
TFont::TFont() : FName("MS Sans Serif"), FHeight(-11), FColor(clWindowText) {}

TFont::TFont(const TFont& Other)
    : FName(Other.FName),
      FHeight(Other.FHeight),
      FColor(Other.FColor),
      FStyle(Other.FStyle),
      FCharset(Other.FCharset),
      FOrientation(Other.FOrientation) {}

TFont& TFont::operator=(const TFont& Other) {
  Assign(Other);
  return *this;
}

TFont::~TFont() = default;

bool TFont::SameAs(const TFont& Other) const {
  return FName == Other.FName && FHeight == Other.FHeight && FColor == Other.FColor && FStyle == Other.FStyle &&
         FCharset == Other.FCharset && FOrientation == Other.FOrientation;
}

void TFont::Assign(const TFont& Source) {
  if (&Source == this || SameAs(Source)) return;
  const bool Shape = FName != Source.FName || FHeight != Source.FHeight || FStyle != Source.FStyle ||
                     FCharset != Source.FCharset || FOrientation != Source.FOrientation;
  FName = Source.FName;
  FHeight = Source.FHeight;
  FColor = Source.FColor;
  FStyle = Source.FStyle;
  FCharset = Source.FCharset;
  FOrientation = Source.FOrientation;
  if (Shape && FHandle) FOldHandle = std::move(FHandle);
  Changed();
}

void TFont::Changed() {
  if (OnChange) OnChange(*this);
}

int TFont::PixelsPerInch() {
  static const int Ppi = [] {
    TWindowDC DC(nullptr);
    int Value = DC ? ::GetDeviceCaps(DC.Get(), LOGPIXELSY) : 96;
    return Value > 0 ? Value : 96;
  }();
  return Ppi;
}

int TFont::GetSize() const { return -::MulDiv(FHeight, 72, PixelsPerInch()); }

void TFont::SetSize(int Points) { SetHeight(-::MulDiv(Points, PixelsPerInch(), 72)); }

void TFont::SetName(const std::string& Value) {
  if (Value.empty() || Value == FName) return;
  FName = Value;
  if (FHandle) FOldHandle = std::move(FHandle);
  Changed();
}

void TFont::SetHeight(int Value) {
  if (Value == FHeight) return;
  FHeight = Value;
  if (FHandle) FOldHandle = std::move(FHandle);
  Changed();
}

void TFont::SetColor(TColor Value) {
  if (Value == FColor) return;
  FColor = Value;
  Changed();
}

void TFont::SetStyle(TFontStyles Value) {
  if (Value == FStyle) return;
  FStyle = Value;
  if (FHandle) FOldHandle = std::move(FHandle);
  Changed();
}

void TFont::SetCharset(BYTE Value) {
  if (Value == FCharset) return;
  FCharset = Value;
  if (FHandle) FOldHandle = std::move(FHandle);
  Changed();
}

void TFont::SetOrientation(int Value) {
  if (Value == FOrientation) return;
  FOrientation = Value;
  if (FHandle) FOldHandle = std::move(FHandle);
  Changed();
}

LOGFONTA TFont::GetLogFont() const {
  LOGFONTA LF{};
  LF.lfHeight = FHeight;
  LF.lfEscapement = FOrientation;
  LF.lfOrientation = FOrientation;
  LF.lfWeight = (FStyle & fsBold) ? FW_BOLD : FW_NORMAL;
  LF.lfItalic = (FStyle & fsItalic) ? 1 : 0;
  LF.lfUnderline = (FStyle & fsUnderline) ? 1 : 0;
  LF.lfStrikeOut = (FStyle & fsStrikeOut) ? 1 : 0;
  LF.lfCharSet = FCharset;
  LF.lfOutPrecision = OUT_DEFAULT_PRECIS;
  LF.lfClipPrecision = CLIP_DEFAULT_PRECIS;
  LF.lfQuality = DEFAULT_QUALITY;
  LF.lfPitchAndFamily = DEFAULT_PITCH;
  const size_t N = std::min(FName.size(), sizeof(LF.lfFaceName) - 1);
  std::memcpy(LF.lfFaceName, FName.data(), N);
  LF.lfFaceName[N] = 0;
  return LF;
}

void TFont::SetLogFont(const LOGFONTA& LogFont) {
  TFont Other(*this);
  Other.FName = LogFont.lfFaceName;
  Other.FHeight = LogFont.lfHeight;
  Other.FStyle = (LogFont.lfWeight >= FW_BOLD ? fsBold : 0u) | (LogFont.lfItalic ? fsItalic : 0u) |
                 (LogFont.lfUnderline ? fsUnderline : 0u) | (LogFont.lfStrikeOut ? fsStrikeOut : 0u);
  Other.FCharset = LogFont.lfCharSet;
  Other.FOrientation = LogFont.lfEscapement;
  Assign(Other);
}

HFONT TFont::GetHandle() const {
  if (!FHandle) {
    FOldHandle.Reset();
    LOGFONTA LF = GetLogFont();
    FHandle.Reset(::CreateFontIndirectA(&LF));
    if (!FHandle) throw EOutOfResources("Cannot create font \"" + FName + "\"");
  }
  return FHandle.Get();
}

bool TFont::IsTrueType() const {
  TMemoryDC DC = CreateMemoryDC();
  TSelectObject Sel(DC.Get(), GetHandle());
  TEXTMETRICA TM{};
  ::GetTextMetricsA(DC.Get(), &TM);
  return (TM.tmPitchAndFamily & TMPF_TRUETYPE) != 0;
}

// ---------------------------------------------------------------- TPen
void TPen::Changed() {
  if (FHandle) FOldHandle = std::move(FHandle);
  if (OnChange) OnChange(*this);
}
void TPen::SetColor(TColor Value) {
  if (Value != FColor) {
    FColor = Value;
    Changed();
  }
}
void TPen::SetWidth(int Value) {
  if (Value != FWidth) {
    FWidth = Value;
    Changed();
  }
}
void TPen::SetStyle(TPenStyle Value) {
  if (Value != FStyle) {
    FStyle = Value;
    Changed();
  }
}
void TPen::Assign(const TPen& Source) {
  if (&Source == this || (FColor == Source.FColor && FWidth == Source.FWidth && FStyle == Source.FStyle)) return;
  FColor = Source.FColor;
  FWidth = Source.FWidth;
  FStyle = Source.FStyle;
  Changed();
}
HPEN TPen::GetHandle() const {
  if (FStyle == psClear) return static_cast<HPEN>(::GetStockObject(NULL_PEN));
  // A system colour is made again after the look changed.
  if (FHandle && FLook != LookGeneration() && (static_cast<std::uint32_t>(FColor) & 0x80000000u))
    FOldHandle = std::move(FHandle);
  if (!FHandle) {
    FLook = LookGeneration();
    FOldHandle.Reset();
    static const int Styles[] = {PS_SOLID, PS_DASH, PS_DOT, PS_DASHDOT, PS_DASHDOTDOT, PS_NULL, PS_INSIDEFRAME};
    FHandle.Reset(::CreatePen(Styles[FStyle], FWidth, ColorToRGB(FColor)));
    if (!FHandle) throw EOutOfResources("Cannot create pen");
  }
  return FHandle.Get();
}

// ---------------------------------------------------------------- TBrush
void TBrush::Changed() {
  if (FHandle) FOldHandle = std::move(FHandle);
  if (OnChange) OnChange(*this);
}
void TBrush::SetColor(TColor Value) {
  if (Value != FColor) {
    FColor = Value;
    if (FStyle == bsClear) FStyle = bsSolid;
    Changed();
  }
}
void TBrush::SetStyle(TBrushStyle Value) {
  if (Value != FStyle) {
    FStyle = Value;
    Changed();
  }
}
void TBrush::Assign(const TBrush& Source) {
  if (&Source == this || (FColor == Source.FColor && FStyle == Source.FStyle)) return;
  FColor = Source.FColor;
  FStyle = Source.FStyle;
  Changed();
}
HBRUSH TBrush::GetHandle() const {
  if (FStyle == bsClear) return static_cast<HBRUSH>(::GetStockObject(NULL_BRUSH));
  // A system colour is made again after the look changed.
  if (FHandle && FLook != LookGeneration() && (static_cast<std::uint32_t>(FColor) & 0x80000000u))
    FOldHandle = std::move(FHandle);
  if (!FHandle) {
    FLook = LookGeneration();
    FOldHandle.Reset();
    static const int Hatches[] = {0, 0, HS_HORIZONTAL, HS_VERTICAL, HS_FDIAGONAL, HS_BDIAGONAL, HS_CROSS, HS_DIAGCROSS};
    if (FStyle == bsSolid)
      FHandle.Reset(::CreateSolidBrush(ColorToRGB(FColor)));
    else
      FHandle.Reset(::CreateHatchBrush(Hatches[FStyle], ColorToRGB(FColor)));
    if (!FHandle) throw EOutOfResources("Cannot create brush");
  }
  return FHandle.Get();
}

// ---------------------------------------------------------------- TCanvas
TCanvas::TCanvas() {
  FFont.OnChange = [this](TFont&) {
    if (FDC && (FState & csFont)) {
      ::SelectObject(FDC, FOldFont);
      FState &= ~csFont;
    }
  };
  FPen.OnChange = [this](TPen&) {
    if (FDC && (FState & csPen)) {
      ::SelectObject(FDC, FOldPen);
      FState &= ~csPen;
    }
  };
  FBrush.OnChange = [this](TBrush&) {
    if (FDC && (FState & csBrush)) {
      ::SelectObject(FDC, FOldBrush);
      FState &= ~csBrush;
    }
  };
}

TCanvas::TCanvas(HDC DC) : TCanvas() { FDC = DC; }

TCanvas::~TCanvas() { ReleaseObjects(); }

HDC TCanvas::GetHandle() {
  if (!FDC) CreateHandle();
  if (!FDC) throw EInvalidOperation("Canvas does not allow drawing");
  return FDC;
}

void TCanvas::SetHandle(HDC DC) {
  if (DC == FDC) return;
  ReleaseObjects();
  FDC = DC;
}

void TCanvas::ReleaseObjects() {
  if (FDC) {
    if (FState & csFont) ::SelectObject(FDC, FOldFont);
    if (FState & csPen) ::SelectObject(FDC, FOldPen);
    if (FState & csBrush) ::SelectObject(FDC, FOldBrush);
  }
  FState = 0;
  FOldFont = FOldPen = FOldBrush = nullptr;
}

void TCanvas::RequiredState(unsigned Need) {
  HDC DC = GetHandle();
  if ((Need & csFont) && !(FState & csFont)) {
    HGDIOBJ Old = ::SelectObject(DC, FFont.GetHandle());
    if (!FOldFont) FOldFont = Old;
    ::SetTextColor(DC, ColorToRGB(FFont.GetColor()));
    FState |= csFont;
  }
  if ((Need & csPen) && !(FState & csPen)) {
    HGDIOBJ Old = ::SelectObject(DC, FPen.GetHandle());
    if (!FOldPen) FOldPen = Old;
    FState |= csPen;
  }
  if ((Need & csBrush) && !(FState & csBrush)) {
    HGDIOBJ Old = ::SelectObject(DC, FBrush.GetHandle());
    if (!FOldBrush) FOldBrush = Old;
    ::SetBkColor(DC, ColorToRGB(FBrush.GetColor()));
    ::SetBkMode(DC, FBrush.GetStyle() == bsSolid ? OPAQUE : TRANSPARENT);
    FState |= csBrush;
  }
}

void TCanvas::Realize() { RequiredState(csFont | csPen | csBrush); }

void TCanvas::MoveTo(int X, int Y) {
  ::MoveToEx(GetHandle(), X, Y, nullptr);
  FPenPos = POINT{X, Y};
}

void TCanvas::LineTo(int X, int Y) {
  RequiredState(csPen | csBrush);
  HDC DC = GetHandle();
  ::MoveToEx(DC, FPenPos.x, FPenPos.y, nullptr);
  ::LineTo(DC, X, Y);
  FPenPos = POINT{X, Y};
}

void TCanvas::Polyline(const POINT* Points, int Count) {
  RequiredState(csPen | csBrush);
  ::Polyline(GetHandle(), Points, Count);
}

void TCanvas::Rectangle(int Left, int Top, int Right, int Bottom) {
  RequiredState(csPen | csBrush);
  ::Rectangle(GetHandle(), Left, Top, Right, Bottom);
}

void TCanvas::Rectangle(const RECT& R) { Rectangle(R.left, R.top, R.right, R.bottom); }

void TCanvas::Ellipse(int Left, int Top, int Right, int Bottom) {
  RequiredState(csPen | csBrush);
  ::Ellipse(GetHandle(), Left, Top, Right, Bottom);
}

void TCanvas::FillRect(const RECT& R) {
  RequiredState(csBrush);
  if (FBrush.GetStyle() != bsClear) ::FillRect(GetHandle(), &R, FBrush.GetHandle());
}

void TCanvas::FrameRect(const RECT& R) {
  RequiredState(csBrush);
  if (FBrush.GetStyle() != bsClear) ::FrameRect(GetHandle(), &R, FBrush.GetHandle());
}

void TCanvas::DrawFocusRect(const RECT& R) {
  RequiredState(csBrush);
  ::DrawFocusRect(GetHandle(), &R);
}

void TCanvas::TextOut(int X, int Y, std::string_view Text) {
  RequiredState(csFont | csBrush);
  ::ExtTextOutA(GetHandle(), X, Y, 0, nullptr, Text.data(), static_cast<UINT>(Text.size()), nullptr);
  SIZE Size{};
  ::GetTextExtentPoint32A(GetHandle(), Text.data(), static_cast<int>(Text.size()), &Size);
  FPenPos = POINT{X + Size.cx, Y};
}

void TCanvas::TextRect(const RECT& R, int X, int Y, std::string_view Text) {
  RequiredState(csFont | csBrush);
  UINT Options = ETO_CLIPPED;
  if (FBrush.GetStyle() != bsClear) Options |= ETO_OPAQUE;
  ::ExtTextOutA(GetHandle(), X, Y, Options, &R, Text.data(), static_cast<UINT>(Text.size()), nullptr);
}

SIZE TCanvas::TextExtent(std::string_view Text) {
  RequiredState(csFont);
  SIZE Size{};
  ::GetTextExtentPoint32A(GetHandle(), Text.data(), static_cast<int>(Text.size()), &Size);
  return Size;
}

int TCanvas::TextWidth(std::string_view Text) { return TextExtent(Text).cx; }
int TCanvas::TextHeight(std::string_view Text) { return TextExtent(Text).cy; }

int TCanvas::DrawText(std::string_view Text, RECT& R, UINT Format) {
  RequiredState(csFont | csBrush);
  return ::DrawTextA(GetHandle(), Text.data(), static_cast<int>(Text.size()), &R, Format);
}

TColor TCanvas::GetPixel(int X, int Y) { return static_cast<TColor>(::GetPixel(GetHandle(), X, Y)); }

void TCanvas::SetPixel(int X, int Y, TColor Color) { ::SetPixelV(GetHandle(), X, Y, ColorToRGB(Color)); }

RECT TCanvas::GetClipRect() {
  RECT R{};
  ::GetClipBox(GetHandle(), &R);
  return R;
}

void TCanvas::Draw(int X, int Y, TBitmap& Bitmap) {
  if (Bitmap.Empty()) return;
  HDC Dest = GetHandle();
  HDC Source = Bitmap.GetCanvas().GetHandle();
  if (Bitmap.GetTransparent())
    TransparentCopy(Dest, X, Y, Bitmap.GetWidth(), Bitmap.GetHeight(), Source, 0, 0,
                    ColorToRGB(Bitmap.GetTransparentColor()));
  else
    ::BitBlt(Dest, X, Y, Bitmap.GetWidth(), Bitmap.GetHeight(), Source, 0, 0, SRCCOPY);
}

void TCanvas::StretchDraw(const RECT& Dest, TBitmap& Bitmap) {
  if (Bitmap.Empty()) return;
  StretchPixelArt(GetHandle(), Dest.left, Dest.top, RectWidth(Dest), RectHeight(Dest), Bitmap.GetCanvas().GetHandle(),
                  0, 0, Bitmap.GetWidth(), Bitmap.GetHeight());
}

void TCanvas::CopyRect(const RECT& Dest, TCanvas& Source, const RECT& SourceRect) {
  HDC DC = GetHandle();
  if (RectWidth(Dest) == RectWidth(SourceRect) && RectHeight(Dest) == RectHeight(SourceRect)) {
    ::BitBlt(DC, Dest.left, Dest.top, RectWidth(Dest), RectHeight(Dest), Source.GetHandle(), SourceRect.left,
             SourceRect.top, SRCCOPY);
  } else {
    int OldMode = ::SetStretchBltMode(DC, COLORONCOLOR);
    ::StretchBlt(DC, Dest.left, Dest.top, RectWidth(Dest), RectHeight(Dest), Source.GetHandle(), SourceRect.left,
                 SourceRect.top, RectWidth(SourceRect), RectHeight(SourceRect), SRCCOPY);
    ::SetStretchBltMode(DC, OldMode);
  }
}

void TCanvas::BrushCopy(const RECT& Dest, TBitmap& Bitmap, const RECT& Source, TColor Color) {
  const int W = std::min(RectWidth(Dest), RectWidth(Source));
  const int H = std::min(RectHeight(Dest), RectHeight(Source));
  if (W <= 0 || H <= 0 || Bitmap.Empty()) return;
  FillRect(RECT{Dest.left, Dest.top, Dest.left + W, Dest.top + H});
  TransparentCopy(GetHandle(), Dest.left, Dest.top, W, H, Bitmap.GetCanvas().GetHandle(), Source.left, Source.top,
                  ColorToRGB(Color));
}

void TransparentCopy(HDC Dest, int X, int Y, int Width, int Height, HDC Source, int SrcX, int SrcY,
                     COLORREF TransparentColor) {
  if (Width <= 0 || Height <= 0) return;
  // Monochrome mask: 1 where the source has the transparent colour.
  TMemoryDC MaskDC = CreateMemoryDC(Dest);
  TBitmapHandle Mask(::CreateBitmap(Width, Height, 1, 1, nullptr));
  if (!Mask) throw EOutOfResources("Cannot create a mask bitmap");
  TSelectObject SelMask(MaskDC.Get(), Mask.Get());
  COLORREF OldSrcBk = ::SetBkColor(Source, TransparentColor);
  ::BitBlt(MaskDC.Get(), 0, 0, Width, Height, Source, SrcX, SrcY, SRCCOPY);
  ::SetBkColor(Source, OldSrcBk);
  // dest ^= src; dest &= mask (opaque pixels become 0); dest ^= src.
  COLORREF OldText = ::SetTextColor(Dest, RGB(0, 0, 0));
  COLORREF OldBk = ::SetBkColor(Dest, RGB(255, 255, 255));
  ::BitBlt(Dest, X, Y, Width, Height, Source, SrcX, SrcY, SRCINVERT);
  ::BitBlt(Dest, X, Y, Width, Height, MaskDC.Get(), 0, 0, SRCAND);
  ::BitBlt(Dest, X, Y, Width, Height, Source, SrcX, SrcY, SRCINVERT);
  ::SetTextColor(Dest, OldText);
  ::SetBkColor(Dest, OldBk);
}

// ---------------------------------------------------------------- TBitmap
class TBitmap::TBitmapCanvas : public TCanvas {
public:
  explicit TBitmapCanvas(TBitmap& Owner) : FOwner(Owner) {}
  ~TBitmapCanvas() override { Free(); }
  void Free() {
    ReleaseObjects();
    SetHandle(nullptr);
    FSelect.Restore();
    FDC.Reset();
  }

protected:
  void CreateHandle() override {
    FDC = CreateMemoryDC();
    if (FOwner.FHandle) FSelect = TSelectObject(FDC.Get(), FOwner.FHandle.Get());
    SetHandle(FDC.Get());
  }

private:
  TBitmap& FOwner;
  TMemoryDC FDC;
  TSelectObject FSelect;
};

TBitmap::TBitmap() = default;

TBitmap::TBitmap(int Width, int Height) { SetSize(Width, Height); }

TBitmap::~TBitmap() { FreeCanvasDC(); }

void TBitmap::FreeCanvasDC() {
  if (FCanvas) FCanvas->Free();
}

TCanvas& TBitmap::GetCanvas() {
  if (!FCanvas) FCanvas = std::make_unique<TBitmapCanvas>(*this);
  return *FCanvas;
}

void TBitmap::ReplaceHandle(HBITMAP Value) {
  FreeCanvasDC();
  FHandle.Reset(Value);
  FWidth = FHeight = 0;
  if (Value) {
    BITMAP Info{};
    ::GetObjectA(Value, sizeof(Info), &Info);
    FWidth = Info.bmWidth;
    FHeight = Info.bmHeight < 0 ? -Info.bmHeight : Info.bmHeight;
  }
}

void TBitmap::SetSize(int Width, int Height) {
  if (Width <= 0 || Height <= 0) {
    ReplaceHandle(nullptr);
    return;
  }
  BITMAPINFO Info{};
  Info.bmiHeader.biSize = sizeof(BITMAPINFOHEADER);
  Info.bmiHeader.biWidth = Width;
  Info.bmiHeader.biHeight = -Height;  // top-down
  Info.bmiHeader.biPlanes = 1;
  Info.bmiHeader.biBitCount = 32;
  Info.bmiHeader.biCompression = BI_RGB;
  void* Bits = nullptr;
  HBITMAP Handle = ::CreateDIBSection(nullptr, &Info, DIB_RGB_COLORS, &Bits, nullptr, 0);
  if (!Handle)
    throw EOutOfResources("Cannot create a bitmap of " + std::to_string(Width) + " x " + std::to_string(Height));
  ReplaceHandle(Handle);
}

void TBitmap::SetHandle(HBITMAP Value) { ReplaceHandle(Value); }

HBITMAP TBitmap::ReleaseHandle() {
  FreeCanvasDC();
  FWidth = FHeight = 0;
  return FHandle.Release();
}

void TBitmap::LoadFromResourceName(HINSTANCE Instance, const std::string& Name) {
  if (!Instance) Instance = ModuleInstance();
  HANDLE Image = ::LoadImageA(Instance, Name.c_str(), IMAGE_BITMAP, 0, 0, LR_CREATEDIBSECTION);
  if (!Image) throw EResNotFound("Resource " + Name + " not found");
  ReplaceHandle(static_cast<HBITMAP>(Image));
}

void TBitmap::LoadFromResourceID(HINSTANCE Instance, int Id) {
  if (!Instance) Instance = ModuleInstance();
  HANDLE Image = ::LoadImageA(Instance, MAKEINTRESOURCEA(Id), IMAGE_BITMAP, 0, 0, LR_CREATEDIBSECTION);
  if (!Image) throw EResNotFound("Resource " + std::to_string(Id) + " not found");
  ReplaceHandle(static_cast<HBITMAP>(Image));
}

void TBitmap::LoadFromFile(const std::string& FileName) {
  HANDLE Image = ::LoadImageA(nullptr, FileName.c_str(), IMAGE_BITMAP, 0, 0, LR_LOADFROMFILE | LR_CREATEDIBSECTION);
  if (!Image) throw EPlatformError("Cannot load bitmap " + FileName);
  ReplaceHandle(static_cast<HBITMAP>(Image));
}

void TBitmap::SaveToFile(const std::string& FileName) {
  if (Empty()) throw EInvalidOperation("Cannot save an empty bitmap");
  BITMAPINFO Info{};
  Info.bmiHeader.biSize = sizeof(BITMAPINFOHEADER);
  Info.bmiHeader.biWidth = FWidth;
  Info.bmiHeader.biHeight = FHeight;  // bottom-up in the file
  Info.bmiHeader.biPlanes = 1;
  Info.bmiHeader.biBitCount = 24;
  Info.bmiHeader.biCompression = BI_RGB;
  const int Stride = ((FWidth * 3 + 3) / 4) * 4;
  std::vector<char> Pixels(static_cast<size_t>(Stride) * static_cast<size_t>(FHeight));
  FreeCanvasDC();  // GetDIBits wants the bitmap deselected
  TWindowDC Screen(nullptr);
  if (!::GetDIBits(Screen.Get(), FHandle.Get(), 0, static_cast<UINT>(FHeight), Pixels.data(), &Info, DIB_RGB_COLORS))
    throw EPlatformError("Cannot read the bitmap's pixels");
  BITMAPFILEHEADER File{};
  File.bfType = 0x4D42;
  File.bfOffBits = sizeof(BITMAPFILEHEADER) + sizeof(BITMAPINFOHEADER);
  File.bfSize = static_cast<DWORD>(File.bfOffBits + Pixels.size());
  std::ofstream Out(FileName, std::ios::binary);
  Out.write(reinterpret_cast<const char*>(&File), sizeof(File));
  Out.write(reinterpret_cast<const char*>(&Info.bmiHeader), sizeof(BITMAPINFOHEADER));
  Out.write(Pixels.data(), static_cast<std::streamsize>(Pixels.size()));
  if (!Out) throw EPlatformError("Cannot write " + FileName);
}

void TBitmap::Assign(TBitmap& Source) {
  if (&Source == this) return;
  if (Source.Empty()) {
    SetSize(0, 0);
    return;
  }
  SetSize(Source.GetWidth(), Source.GetHeight());
  ::BitBlt(GetCanvas().GetHandle(), 0, 0, FWidth, FHeight, Source.GetCanvas().GetHandle(), 0, 0, SRCCOPY);
  FTransparent = Source.FTransparent;
  FTransparentColor = Source.FTransparentColor;
}

TColor TBitmap::GetTransparentColor() {
  if (FTransparentColor != clDefault) return FTransparentColor;
  if (Empty()) return clNone;
  return GetCanvas().GetPixel(0, FHeight - 1);
}
