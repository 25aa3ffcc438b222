#include "components/LxCommon.h"

namespace {
bool GNewStyleControls = [] {
  OSVERSIONINFOA V{};
  V.dwOSVersionInfoSize = sizeof V;
#pragma GCC diagnostic push
#pragma GCC diagnostic ignored "-Wdeprecated-declarations"
  if (!::GetVersionExA(&V)) return true;
#pragma GCC diagnostic pop
  return V.dwMajorVersion >= 4;
}();

// Keeps the DC's background and text colours as they were.
class TColorsGuard {
public:
  explicit TColorsGuard(HDC DC) : FDC(DC), FBk(::GetBkColor(DC)), FText(::GetTextColor(DC)), FMode(::GetBkMode(DC)) {}
  ~TColorsGuard() {
    ::SetBkColor(FDC, FBk);
    ::SetTextColor(FDC, FText);
    ::SetBkMode(FDC, FMode);
  }
  TColorsGuard(const TColorsGuard&) = delete;
  TColorsGuard& operator=(const TColorsGuard&) = delete;

private:
  HDC FDC;
  COLORREF FBk, FText;
  int FMode;
};

void FillRaw(HDC DC, const RECT& R) { ::ExtTextOutA(DC, 0, 0, ETO_OPAQUE, &R, nullptr, 0, nullptr); }

void Pixel(HDC DC, int X, int Y, COLORREF C) {
  ::SetBkColor(DC, C);
  RECT R{X, Y, X + 1, Y + 1};
  FillRaw(DC, R);
}

// The chosen sides of R outlined in one colour.
void Outline(HDC DC, const RECT& R, COLORREF C, TSides Sides) {
  ::SetBkColor(DC, C);
  if (HasSide(Sides, sdLeft)) FillRaw(DC, RECT{R.left, R.top, R.left + 1, R.bottom});
  if (HasSide(Sides, sdTop)) FillRaw(DC, RECT{R.left, R.top, R.right, R.top + 1});
  if (HasSide(Sides, sdRight)) FillRaw(DC, RECT{R.right - 1, R.top, R.right, R.bottom});
  if (HasSide(Sides, sdBottom)) FillRaw(DC, RECT{R.left, R.bottom - 1, R.right, R.bottom});
}

RECT Shrink(RECT R, TSides Sides, int N) { return ToRECT(ShrinkSides(ToLxRect(R), Sides, N)); }

// The etched look of grooves and bumps.
RECT DrawEtched(HDC DC, RECT R, COLORREF UL, COLORREF LR, TSides Sides) {
  TColorsGuard G(DC);
  const bool L = HasSide(Sides, sdLeft), T = HasSide(Sides, sdTop), Rt = HasSide(Sides, sdRight),
             B = HasSide(Sides, sdBottom);
  // Corner pixels where a drawn side meets an undrawn one.
  if (T && !L) Pixel(DC, R.left, R.top + 1, LR);
  if (T && !Rt) Pixel(DC, R.right - 1, R.top, UL);
  if (L && !T) Pixel(DC, R.left + 1, R.top, LR);
  if (L && !B) Pixel(DC, R.left, R.bottom - 1, UL);
  if (Rt && !T) Pixel(DC, R.right - 1, R.top, LR);
  if (Rt && !B) Pixel(DC, R.right - 2, R.bottom - 1, UL);
  if (B && !L) Pixel(DC, R.left, R.bottom - 1, LR);
  if (B && !Rt) Pixel(DC, R.right - 1, R.bottom - 2, UL);
  Outline(DC, RECT{R.left + 1, R.top + 1, R.right, R.bottom}, LR, Sides);
  Outline(DC, RECT{R.left, R.top, R.right - 1, R.bottom - 1}, UL, Sides);
  return Shrink(R, Sides, 2);
}

RECT DrawTwoLine(HDC DC, RECT R, const TLxBorderColors& C, TSides Sides) {
  R = DrawSides(DC, R, C.OuterUL, C.OuterLR, Sides);
  return DrawSides(DC, R, C.InnerUL, C.InnerLR, Sides);
}

HDC CanvasDC(TCanvas& Canvas) {
  Canvas.Realize();
  return Canvas.GetHandle();
}
}  // namespace

bool NewStyleControls() { return GNewStyleControls; }
void SetNewStyleControls(bool Value) { GNewStyleControls = Value; }

// Indexed by the frame style, fsNone to fsPopup.
const TColor ULFrameColor[FrameStyleCount] = {clWindow,  clWindowFrame, clBtnShadow,    clBtnHighlight, clBtnShadow,
                                              clBtnText, clBtnFace,     clBtnHighlight, clBtnShadow,    clBtnHighlight};
const TColor LRFrameColor[FrameStyleCount] = {clWindow,       clWindowFrame,  clBtnHighlight, clBtnShadow,
                                              clBtnHighlight, clBtnHighlight, clBtnText,      clBtnText,
                                              clBtnHighlight, clBtnShadow};

const TLxBorderColors RaisedColors{clBtnFace, clBtnText, clBtnHighlight, clBtnShadow};
const TLxBorderColors LoweredColors{clBtnShadow, clBtnHighlight, clBtnText, clBtnFace};
const TLxBorderColors ButtonUpColors{clBtnHighlight, clBtnText, clBtnFace, clBtnShadow};
const TLxBorderColors ButtonDownColors{clBtnText, clBtnHighlight, clBtnShadow, clBtnFace};

void FillSolid(HDC DC, const RECT& R, TColor Color) {
  const COLORREF Old = ::SetBkColor(DC, ColorToRGB(Color));
  FillRaw(DC, R);
  ::SetBkColor(DC, Old);
}

RECT DrawSides(HDC DC, RECT R, TColor ULColor, TColor LRColor, TSides Sides) {
  TColorsGuard G(DC);
  const COLORREF UL = ColorToRGB(ULColor), LR = ColorToRGB(LRColor);
  ::SetBkColor(DC, UL);
  if (HasSide(Sides, sdLeft)) FillRaw(DC, RECT{R.left, R.top, R.left + 1, R.bottom});
  if (HasSide(Sides, sdTop)) FillRaw(DC, RECT{R.left, R.top, R.right, R.top + 1});
  ::SetBkColor(DC, LR);
  if (HasSide(Sides, sdRight)) FillRaw(DC, RECT{R.right - 1, R.top, R.right, R.bottom});
  if (HasSide(Sides, sdBottom)) FillRaw(DC, RECT{R.left, R.bottom - 1, R.right, R.bottom});
  return Shrink(R, Sides, 1);
}

RECT DrawSides(TCanvas& Canvas, RECT R, TColor ULColor, TColor LRColor, TSides Sides) {
  return DrawSides(CanvasDC(Canvas), R, ULColor, LRColor, Sides);
}

RECT DrawBevel(HDC DC, RECT R, TColor ULColor, TColor LRColor, int Width, TSides Sides) {
  for (int I = 0; I < Width; ++I) R = DrawSides(DC, R, ULColor, LRColor, Sides);
  return R;
}

RECT DrawBevel(TCanvas& Canvas, RECT R, TColor ULColor, TColor LRColor, int Width, TSides Sides) {
  return DrawBevel(CanvasDC(Canvas), R, ULColor, LRColor, Width, Sides);
}

RECT DrawBorderSides(HDC DC, RECT R, TFrameStyle Style, TSides Sides) {
  switch (Style) {
    case fsNone: return R;
    case fsFlat:
    case fsStatus:
    case fsPopup: return DrawSides(DC, R, ULFrameColor[Style], LRFrameColor[Style], Sides);
    case fsLowered: return DrawTwoLine(DC, R, LoweredColors, Sides);
    case fsRaised: return DrawTwoLine(DC, R, RaisedColors, Sides);
    case fsButtonDown: return DrawTwoLine(DC, R, ButtonDownColors, Sides);
    case fsButtonUp: return DrawTwoLine(DC, R, ButtonUpColors, Sides);
    case fsGroove:
    case fsBump: return DrawEtched(DC, R, ColorToRGB(ULFrameColor[Style]), ColorToRGB(LRFrameColor[Style]), Sides);
  }
  return R;
}

RECT DrawBorderSides(TCanvas& Canvas, RECT R, TFrameStyle Style, TSides Sides) {
  return DrawBorderSides(CanvasDC(Canvas), R, Style, Sides);
}
RECT DrawBorder(TCanvas& Canvas, RECT R, TFrameStyle Style) { return DrawBorderSides(Canvas, R, Style, sdAllSides); }
RECT DrawCtl3DBorderSides(TCanvas& Canvas, RECT R, bool Lowered, TSides Sides) {
  return DrawTwoLine(CanvasDC(Canvas), R, Lowered ? LoweredColors : RaisedColors, Sides);
}
RECT DrawCtl3DBorder(TCanvas& Canvas, RECT R, bool Lowered) {
  return DrawCtl3DBorderSides(Canvas, R, Lowered, sdAllSides);
}
RECT DrawButtonBorderSides(TCanvas& Canvas, RECT R, bool Down, TSides Sides) {
  return DrawTwoLine(CanvasDC(Canvas), R, Down ? ButtonDownColors : ButtonUpColors, Sides);
}
RECT DrawButtonBorder(TCanvas& Canvas, RECT R, bool Down) { return DrawButtonBorderSides(Canvas, R, Down, sdAllSides); }

void DrawPercentBar(TCanvas& Canvas, RECT R, TOrientation Orientation, bool ShowPercent, int Percent, TColor BackColor,
                    TColor BarColor) {
  if (R.right <= R.left || R.bottom <= R.top) return;
  HDC DC = CanvasDC(Canvas);
  TColorsGuard G(DC);
  const std::string Text = ShowPercent ? PercentText(static_cast<unsigned>(std::max(Percent, 0))) : std::string();
  SIZE Ext{0, 0}, XExt{0, 0};
  if (!Text.empty()) {
    ::GetTextExtentPoint32A(DC, Text.data(), static_cast<int>(Text.size()), &Ext);
    ::GetTextExtentPoint32A(DC, "X", 1, &XExt);
  }
  const int X = R.left + (R.right - R.left - Ext.cx) / 2;
  const int Y = R.top + (R.bottom - R.top - XExt.cy) / 2;
  const UINT Align = ::SetTextAlign(DC, TA_LEFT | TA_TOP);
  const RECT Fill = ToRECT(PercentBarFill(ToLxRect(R), Orientation, Percent));
  RECT Rest = R;
  if (Orientation == orHorizontal)
    Rest.left = Fill.right;
  else
    Rest.bottom = Fill.top;
  auto Part = [&](const RECT& P, COLORREF Bk, COLORREF Fg) {
    if (P.right <= P.left || P.bottom <= P.top) return;
    ::SetBkColor(DC, Bk);
    ::SetTextColor(DC, Fg);
    ::ExtTextOutA(DC, X, Y, ETO_OPAQUE | ETO_CLIPPED, &P, Text.data(), static_cast<UINT>(Text.size()), nullptr);
  };
  Part(Fill, ColorToRGB(BarColor), ColorToRGB(BackColor));
  Part(Rest, ColorToRGB(BackColor), ColorToRGB(BarColor));
  ::SetTextAlign(DC, Align);
}

void DrawLEDBar(TCanvas& Canvas, RECT R, TOrientation Orientation, int Percent, int Segments, TColor BackColor,
                TColor BarColor) {
  HDC DC = CanvasDC(Canvas);
  FillSolid(DC, R, BackColor);
  const TLxRect LR = ToLxRect(R);
  const TLxLEDLayout L = LEDBarLayout(Orientation == orHorizontal ? LR.Width() : LR.Height(), Segments, Percent);
  const auto Segs = LEDBarSegments(LR, Orientation, L);
  for (int I = 0; I < L.Lit && I < static_cast<int>(Segs.size()); ++I) {
    RECT S = ToRECT(Segs[static_cast<size_t>(I)]);
    // Filled in the bar colour with a back-coloured outline.
    ::InflateRect(&S, -1, -1);
    if (S.right > S.left && S.bottom > S.top) FillSolid(DC, S, BarColor);
  }
}

int GetMinFontHeight(TFont& Font) {
  TWindowDC DC(nullptr);
  TEXTMETRICA SysMetrics{}, Metrics{};
  {
    TSelectObject Sel(DC.Get(), ::GetStockObject(SYSTEM_FONT));
    ::GetTextMetricsA(DC.Get(), &SysMetrics);
  }
  {
    TSelectObject Sel(DC.Get(), Font.GetHandle());
    ::GetTextMetricsA(DC.Get(), &Metrics);
  }
  return MinFontHeight(Metrics.tmHeight, SysMetrics.tmHeight);
}

char LastChar(const std::string& S) { return S.empty() ? '\0' : S.back(); }

HINSTANCE LxCmpsInstance() {
  HMODULE M = nullptr;
  ::GetModuleHandleExA(GET_MODULE_HANDLE_EX_FLAG_FROM_ADDRESS | GET_MODULE_HANDLE_EX_FLAG_UNCHANGED_REFCOUNT,
                       reinterpret_cast<LPCSTR>(&LxCmpsInstance), &M);
  return M;
}

char LocaleDecimalSeparator() {
  char Buf[8] = {};
  if (::GetLocaleInfoA(LOCALE_USER_DEFAULT, LOCALE_SDECIMAL, Buf, sizeof Buf) > 0 && Buf[0]) return Buf[0];
  return '.';
}
