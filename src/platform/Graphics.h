// Colours, fonts, pens, brushes, the drawing surface TCanvas and TBitmap.
#pragma once

#include "platform/Gdi.h"

#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <string_view>

// ---------------------------------------------------------------- colours
// 0x00BBGGRR, or 0x80000000 plus a system colour index (COLOR_*).
using TColor = std::int32_t;

constexpr TColor SysColor(int Index) { return static_cast<TColor>(0x80000000u | static_cast<unsigned>(Index)); }

inline constexpr TColor clBlack = 0x000000;
inline constexpr TColor clMaroon = 0x000080;
inline constexpr TColor clGreen = 0x008000;
inline constexpr TColor clOlive = 0x008080;
inline constexpr TColor clNavy = 0x800000;
inline constexpr TColor clPurple = 0x800080;
inline constexpr TColor clTeal = 0x808000;
inline constexpr TColor clGray = 0x808080;
inline constexpr TColor clSilver = 0xC0C0C0;
inline constexpr TColor clRed = 0x0000FF;
inline constexpr TColor clLime = 0x00FF00;
inline constexpr TColor clYellow = 0x00FFFF;
inline constexpr TColor clBlue = 0xFF0000;
inline constexpr TColor clFuchsia = 0xFF00FF;
inline constexpr TColor clAqua = 0xFFFF00;
inline constexpr TColor clWhite = 0xFFFFFF;
// "No colour" (nothing is painted) and "the default of the context".
inline constexpr TColor clNone = 0x1FFFFFFF;
inline constexpr TColor clDefault = 0x20000000;

inline constexpr TColor clScrollBar = SysColor(COLOR_SCROLLBAR);
inline constexpr TColor clBackground = SysColor(COLOR_BACKGROUND);
inline constexpr TColor clActiveCaption = SysColor(COLOR_ACTIVECAPTION);
inline constexpr TColor clInactiveCaption = SysColor(COLOR_INACTIVECAPTION);
inline constexpr TColor clMenu = SysColor(COLOR_MENU);
inline constexpr TColor clWindow = SysColor(COLOR_WINDOW);
inline constexpr TColor clWindowFrame = SysColor(COLOR_WINDOWFRAME);
inline constexpr TColor clMenuText = SysColor(COLOR_MENUTEXT);
inline constexpr TColor clWindowText = SysColor(COLOR_WINDOWTEXT);
inline constexpr TColor clCaptionText = SysColor(COLOR_CAPTIONTEXT);
inline constexpr TColor clActiveBorder = SysColor(COLOR_ACTIVEBORDER);
inline constexpr TColor clInactiveBorder = SysColor(COLOR_INACTIVEBORDER);
inline constexpr TColor clAppWorkSpace = SysColor(COLOR_APPWORKSPACE);
inline constexpr TColor clHighlight = SysColor(COLOR_HIGHLIGHT);
inline constexpr TColor clHighlightText = SysColor(COLOR_HIGHLIGHTTEXT);
inline constexpr TColor clBtnFace = SysColor(COLOR_BTNFACE);
inline constexpr TColor clBtnShadow = SysColor(COLOR_BTNSHADOW);
inline constexpr TColor clGrayText = SysColor(COLOR_GRAYTEXT);
inline constexpr TColor clBtnText = SysColor(COLOR_BTNTEXT);
inline constexpr TColor clInactiveCaptionText = SysColor(COLOR_INACTIVECAPTIONTEXT);
inline constexpr TColor clBtnHighlight = SysColor(COLOR_BTNHIGHLIGHT);
inline constexpr TColor cl3DDkShadow = SysColor(COLOR_3DDKSHADOW);
inline constexpr TColor cl3DLight = SysColor(COLOR_3DLIGHT);
inline constexpr TColor clInfoText = SysColor(COLOR_INFOTEXT);
inline constexpr TColor clInfoBk = SysColor(COLOR_INFOBK);

// The RGB value of a colour; system colours are looked up now, in the
// current look (platform/Theme.h).
COLORREF ColorToRGB(TColor Color);

// ---------------------------------------------------------------- font
enum TFontStyle : unsigned { fsBold = 1, fsItalic = 2, fsUnderline = 4, fsStrikeOut = 8 };
using TFontStyles = unsigned;  // bit set of TFontStyle

// Logical font: name, size in points or height in pixels (negative: character
// height, as the font mapper takes it), colour and style. The HFONT is made
// when first asked for and made again after any change.
class TFont {
public:
  TFont();
  TFont(const TFont& Other);
  TFont& operator=(const TFont& Other);
  ~TFont();

  // Copies name, height, colour, style and character set; fires OnChange.
  void Assign(const TFont& Source);

  const std::string& GetName() const { return FName; }
  void SetName(const std::string& Value);
  int GetSize() const;  // points
  void SetSize(int Points);
  int GetHeight() const { return FHeight; }
  void SetHeight(int Value);
  TColor GetColor() const { return FColor; }
  void SetColor(TColor Value);
  TFontStyles GetStyle() const { return FStyle; }
  void SetStyle(TFontStyles Value);
  BYTE GetCharset() const { return FCharset; }
  void SetCharset(BYTE Value);
  // Escapement and orientation in tenths of a degree (rotated text).
  int GetOrientation() const { return FOrientation; }
  void SetOrientation(int Value);

  // Logical pixels per inch used to convert points (the screen's).
  static int PixelsPerInch();

  HFONT GetHandle() const;
  LOGFONTA GetLogFont() const;
  // Takes name, height, style and character set from a LOGFONT (font dialog).
  void SetLogFont(const LOGFONTA& LogFont);
  // Whether the font the mapper picks for this description is TrueType.
  bool IsTrueType() const;

  bool SameAs(const TFont& Other) const;

  // Fired after every change (colour included).
  std::function<void(TFont&)> OnChange;

private:
  void Changed();

  std::string FName;
  int FHeight;
  TColor FColor;
  TFontStyles FStyle = 0;
  BYTE FCharset = DEFAULT_CHARSET;
  int FOrientation = 0;
  mutable TFontHandle FHandle;
  mutable TFontHandle FOldHandle;  // released at the next re-creation, not while it may be selected
};

// ---------------------------------------------------------------- pen, brush
enum TPenStyle { psSolid, psDash, psDot, psDashDot, psDashDotDot, psClear, psInsideFrame };

class TPen {
public:
  TColor GetColor() const { return FColor; }
  void SetColor(TColor Value);
  int GetWidth() const { return FWidth; }
  void SetWidth(int Value);
  TPenStyle GetStyle() const { return FStyle; }
  void SetStyle(TPenStyle Value);
  void Assign(const TPen& Source);
  HPEN GetHandle() const;
  std::function<void(TPen&)> OnChange;

private:
  void Changed();
  TColor FColor = clBlack;
  int FWidth = 1;
  TPenStyle FStyle = psSolid;
  mutable TPenHandle FHandle;
  mutable TPenHandle FOldHandle;
  mutable unsigned FLook = 0;  // the look the handle was made in (LookGeneration)
};

enum TBrushStyle { bsSolid, bsClear, bsHorizontal, bsVertical, bsFDiagonal, bsBDiagonal, bsCross, bsDiagCross };

class TBrush {
public:
  TColor GetColor() const { return FColor; }
  void SetColor(TColor Value);
  TBrushStyle GetStyle() const { return FStyle; }
  void SetStyle(TBrushStyle Value);
  void Assign(const TBrush& Source);
  // A null brush for bsClear.
  HBRUSH GetHandle() const;
  std::function<void(TBrush&)> OnChange;

private:
  void Changed();
  TColor FColor = clWhite;
  TBrushStyle FStyle = bsSolid;
  mutable TBrushHandle FHandle;
  mutable TBrushHandle FOldHandle;
  mutable unsigned FLook = 0;  // the look the handle was made in (LookGeneration)
};

class TBitmap;

// ---------------------------------------------------------------- canvas
// A drawing surface over an HDC that it may or may not own. Font, pen and brush
// are selected into the DC lazily before each drawing call, and the DC's own
// objects are selected back when the DC is detached or the canvas dies.
// Text is drawn in the font colour; the background is the brush colour, or
// transparent when the brush style is bsClear.
class TCanvas {
public:
  TCanvas();
  explicit TCanvas(HDC DC);  // attaches a DC it does not own
  virtual ~TCanvas();
  TCanvas(const TCanvas&) = delete;
  TCanvas& operator=(const TCanvas&) = delete;

  HDC GetHandle();  // made on demand by derived canvases
  void SetHandle(HDC DC);
  bool HandleAllocated() const { return FDC != nullptr; }

  TFont& GetFont() { return FFont; }
  void SetFont(const TFont& Value) { FFont.Assign(Value); }
  TPen& GetPen() { return FPen; }
  void SetPen(const TPen& Value) { FPen.Assign(Value); }
  TBrush& GetBrush() { return FBrush; }
  void SetBrush(const TBrush& Value) { FBrush.Assign(Value); }

  POINT GetPenPos() const { return FPenPos; }
  void MoveTo(int X, int Y);
  void LineTo(int X, int Y);
  void Polyline(const POINT* Points, int Count);
  void Rectangle(int Left, int Top, int Right, int Bottom);
  void Rectangle(const RECT& Rect);
  void Ellipse(int Left, int Top, int Right, int Bottom);
  void FillRect(const RECT& Rect);   // with the brush
  void FrameRect(const RECT& Rect);  // 1-pixel frame in the brush
  void DrawFocusRect(const RECT& Rect);
  void TextOut(int X, int Y, std::string_view Text);
  // Text clipped to Rect; the rectangle is filled first unless the brush is bsClear.
  void TextRect(const RECT& Rect, int X, int Y, std::string_view Text);
  int TextWidth(std::string_view Text);
  int TextHeight(std::string_view Text);
  SIZE TextExtent(std::string_view Text);
  // DrawText with the given DT_* flags; returns the text height. With
  // DT_CALCRECT the rectangle is adjusted and nothing is drawn.
  int DrawText(std::string_view Text, RECT& Rect, UINT Format);
  TColor GetPixel(int X, int Y);
  void SetPixel(int X, int Y, TColor Color);
  RECT GetClipRect();
  // Draws a bitmap at (X, Y); a transparent bitmap leaves its transparent colour's pixels alone.
  void Draw(int X, int Y, TBitmap& Bitmap);
  // Draws a bitmap stretched to Dest pixel by pixel, as pixel art (StretchPixelArt).
  void StretchDraw(const RECT& Dest, TBitmap& Bitmap);
  // BitBlt from another canvas.
  void CopyRect(const RECT& Dest, TCanvas& Source, const RECT& SourceRect);
  // Copies Source of Bitmap to Dest; pixels of Color are replaced by this canvas's brush.
  void BrushCopy(const RECT& Dest, TBitmap& Bitmap, const RECT& Source, TColor Color);

  // Selects font, pen and brush into the DC now (before raw Win32 drawing calls).
  void Realize();
  // Detaches the DC after selecting the DC's own objects back.
  void ReleaseObjects();

protected:
  // Derived canvases make their DC here when GetHandle finds none.
  virtual void CreateHandle() {}

private:
  enum : unsigned { csFont = 1, csPen = 2, csBrush = 4 };
  void RequiredState(unsigned State);

  HDC FDC = nullptr;
  unsigned FState = 0;
  HGDIOBJ FOldFont = nullptr;
  HGDIOBJ FOldPen = nullptr;
  HGDIOBJ FOldBrush = nullptr;
  TFont FFont;
  TPen FPen;
  TBrush FBrush;
  POINT FPenPos{0, 0};
};

// ---------------------------------------------------------------- bitmap
// A 32-bit DIB section (or a loaded resource bitmap) with a canvas on a memory DC.
class TBitmap {
public:
  TBitmap();
  TBitmap(int Width, int Height);
  ~TBitmap();
  TBitmap(const TBitmap&) = delete;
  TBitmap& operator=(const TBitmap&) = delete;

  int GetWidth() const { return FWidth; }
  int GetHeight() const { return FHeight; }
  void SetWidth(int Value) { SetSize(Value, FHeight); }
  void SetHeight(int Value) { SetSize(FWidth, Value); }
  // New blank (black) picture of that size; 0 x 0 frees it.
  void SetSize(int Width, int Height);
  bool Empty() const { return !FHandle; }

  HBITMAP GetHandle() const { return FHandle.Get(); }
  // Takes ownership of Value.
  void SetHandle(HBITMAP Value);
  // Gives up ownership.
  HBITMAP ReleaseHandle();

  // Loads a BITMAP resource by name / id from a module (null: the module of this code).
  void LoadFromResourceName(HINSTANCE Instance, const std::string& Name);
  void LoadFromResourceID(HINSTANCE Instance, int Id);
  void LoadFromFile(const std::string& FileName);
  void SaveToFile(const std::string& FileName);
  // Copies the picture of another bitmap (a new DIB of the same size).
  void Assign(TBitmap& Source);

  // Transparent drawing: pixels of the transparent colour are not drawn.
  // clDefault means the colour of the bottom-left pixel.
  bool GetTransparent() const { return FTransparent; }
  void SetTransparent(bool Value) { FTransparent = Value; }
  TColor GetTransparentColor();
  void SetTransparentColor(TColor Value) { FTransparentColor = Value; }

  TCanvas& GetCanvas();

private:
  class TBitmapCanvas;
  void FreeCanvasDC();
  void ReplaceHandle(HBITMAP Value);

  TBitmapHandle FHandle;
  int FWidth = 0;
  int FHeight = 0;
  bool FTransparent = false;
  TColor FTransparentColor = clDefault;
  std::unique_ptr<TBitmapCanvas> FCanvas;
};

// Copies (SrcX, SrcY, Width, Height) of Source to (X, Y) of Dest, leaving the
// destination's pixels where the source has TransparentColor (an RGB value).
void TransparentCopy(HDC Dest, int X, int Y, int Width, int Height, HDC Source, int SrcX, int SrcY,
                     COLORREF TransparentColor);
// The same, drawing the source rectangle (SrcX, SrcY, SrcWidth, SrcHeight)
// stretched to (X, Y, Width, Height) pixel by pixel: a glyph's 96-DPI art on
// a screen of more. At 3/2 of an even size by the pixel-art rule that keeps
// outlines even (ScalePixelArtThreeHalves), otherwise nearest neighbour (as
// COLORONCOLOR stretches).
void StretchTransparentCopy(HDC Dest, int X, int Y, int Width, int Height, HDC Source, int SrcX, int SrcY, int SrcWidth,
                            int SrcHeight, COLORREF TransparentColor);
// The same for a picture without transparent pixels (an icon on its own background).
void StretchPixelArt(HDC Dest, int X, int Y, int Width, int Height, HDC Source, int SrcX, int SrcY, int SrcWidth,
                     int SrcHeight);

// Small rectangle helpers.
inline RECT Rect(int Left, int Top, int Right, int Bottom) { return RECT{Left, Top, Right, Bottom}; }
inline RECT Bounds(int Left, int Top, int Width, int Height) { return RECT{Left, Top, Left + Width, Top + Height}; }
inline int RectWidth(const RECT& R) { return R.right - R.left; }
inline int RectHeight(const RECT& R) { return R.bottom - R.top; }
