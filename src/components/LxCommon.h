// The drawing every component shares: borders of each frame style and their
// colour tables, percent and LED bars, and the conversions between the
// portable geometry (LxGeometry.h) and Win32's. Every framed control draws
// through these.
#pragma once

#include "components/LxCmpsApi.h"
#include "components/LxGeometry.h"
#include "platform/Controls.h"
#include "platform/Graphics.h"

#include <functional>
#include <string>

// Asked before a position changes; clearing AllowChange refuses the change.
using TPositionChangingEvent = std::function<void(TObject* Sender, int NewPos, bool& AllowChange)>;

// Whether the system offers the new control look (flat 3-D borders, a
// status bar without a raised frame). Every system since 4.0 does; the
// answer can be switched for a process so the old look can be shown.
LXCMPS_API bool NewStyleControls();
LXCMPS_API void SetNewStyleControls(bool Value);

// Upper-left and lower-right colours of the one-line frame styles.
LXCMPS_API extern const TColor ULFrameColor[FrameStyleCount];
LXCMPS_API extern const TColor LRFrameColor[FrameStyleCount];

// The two-line borders: outer upper-left, outer lower-right, inner upper-left, inner lower-right.
struct TLxBorderColors {
  TColor OuterUL, OuterLR, InnerUL, InnerLR;
};
LXCMPS_API extern const TLxBorderColors RaisedColors, LoweredColors, ButtonUpColors, ButtonDownColors;

// Rectangle conversions.
inline RECT ToRECT(const TLxRect& R) { return RECT{R.Left, R.Top, R.Right, R.Bottom}; }
inline TLxRect ToLxRect(const RECT& R) { return TLxRect{R.left, R.top, R.right, R.bottom}; }
inline TLxAlign ToLxAlign(TAlign A) {
  switch (A) {
    case alTop: return laTop;
    case alBottom: return laBottom;
    case alLeft: return laLeft;
    case alRight: return laRight;
    case alClient: return laClient;
    default: return laNone;
  }
}

// Fills R with one colour without touching the DC's selected objects.
LXCMPS_API void FillSolid(HDC DC, const RECT& R, TColor Color);

// Lines of one pixel along the chosen sides: upper-left colour on the left and
// top edges, lower-right colour on the right and bottom edges. Returns R
// shrunk by 1 on each drawn side.
LXCMPS_API RECT DrawSides(HDC DC, RECT R, TColor ULColor, TColor LRColor, TSides Sides);
LXCMPS_API RECT DrawSides(TCanvas& Canvas, RECT R, TColor ULColor, TColor LRColor, TSides Sides);
// DrawSides Width times on the shrinking rectangle.
LXCMPS_API RECT DrawBevel(HDC DC, RECT R, TColor ULColor, TColor LRColor, int Width, TSides Sides);
LXCMPS_API RECT DrawBevel(TCanvas& Canvas, RECT R, TColor ULColor, TColor LRColor, int Width, TSides Sides);

LXCMPS_API RECT DrawCtl3DBorder(TCanvas& Canvas, RECT R, bool Lowered);
LXCMPS_API RECT DrawCtl3DBorderSides(TCanvas& Canvas, RECT R, bool Lowered, TSides Sides);
LXCMPS_API RECT DrawButtonBorder(TCanvas& Canvas, RECT R, bool Down);
LXCMPS_API RECT DrawButtonBorderSides(TCanvas& Canvas, RECT R, bool Down, TSides Sides);
LXCMPS_API RECT DrawBorder(TCanvas& Canvas, RECT R, TFrameStyle Style);
LXCMPS_API RECT DrawBorderSides(TCanvas& Canvas, RECT R, TFrameStyle Style, TSides Sides);
LXCMPS_API RECT DrawBorderSides(HDC DC, RECT R, TFrameStyle Style, TSides Sides);

// A bar filled to Percent, with the percentage in two colours across the
// boundary when ShowPercent is on. Uses the canvas font.
LXCMPS_API void DrawPercentBar(TCanvas& Canvas, RECT R, TOrientation Orientation, bool ShowPercent, int Percent,
                               TColor BackColor, TColor BarColor);
// A bar of equal segments, the first Percent of them lit.
LXCMPS_API void DrawLEDBar(TCanvas& Canvas, RECT R, TOrientation Orientation, int Percent, int Segments,
                           TColor BackColor, TColor BarColor);

// The font's height plus a quarter of the smaller of it and the system font's.
LXCMPS_API int GetMinFontHeight(TFont& Font);
// The last character of S ('\0' for an empty string).
LXCMPS_API char LastChar(const std::string& S);

// The module whose resources the components load (the DLL or the program).
LXCMPS_API HINSTANCE LxCmpsInstance();

// The decimal separator of the user's locale.
LXCMPS_API char LocaleDecimalSeparator();
