// The arithmetic of the components library: enumerations, border thickness,
// client rectangles, toolbar rows, splitter panes, bar segments, the size
// grip, menu placement, spin-edit values and the colour table.
//
// Nothing here touches a window or a device context, so all of it builds and
// is tested on any platform. The Win32 units (LxCommon, LxPanel, ...) call
// these functions and only add the drawing and the messages.
#pragma once

#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "components/LxCmpsApi.h"

// ---------------------------------------------------------------------------
// Enumerations shared by every component (values in declaration order).

enum TFrameStyle : std::uint8_t {
  fsNone, fsFlat, fsGroove, fsBump, fsLowered, fsButtonDown, fsRaised, fsButtonUp, fsStatus, fsPopup
};

enum TSide : std::uint8_t { sdLeft, sdTop, sdRight, sdBottom };

// A set of sides: bit 0 left, bit 1 top, bit 2 right, bit 3 bottom.
using TSides = std::uint8_t;
constexpr TSides SideBit(TSide S) { return static_cast<TSides>(1u << S); }
constexpr TSides sdNoSides = 0;
constexpr TSides sdLeftSide = 1, sdTopSide = 2, sdRightSide = 4, sdBottomSide = 8;
constexpr TSides sdAllSides = 15;
constexpr bool HasSide(TSides Sides, TSide S) { return (Sides & SideBit(S)) != 0; }

enum TLineStyle : std::uint8_t { lsNone, lsFlat, lsGroove, lsBump };
enum TOrientation : std::uint8_t { orHorizontal, orVertical };
enum TTextStyle : std::uint8_t { tsNormal, tsRaised, tsRecessed, tsShadow };
enum TBarStyle : std::uint8_t { bsTraditional, bsLED };
enum TRotation : std::uint8_t { roNone, roFlat, roCurve };
enum TCenterPoint : std::uint8_t {
  cpUpperLeft, cpUpperCenter, cpUpperRight, cpLeftCenter, cpCenter, cpRightCenter,
  cpLowerLeft, cpLowerCenter, cpLowerRight
};
// Vertical placement of a panel caption.
enum TAlignmentVertical : std::uint8_t { avTop, avCenter, avBottom };

// Text-drawing flags and device-context text alignments for left, right and
// centred text (indexed by the alignment taLeftJustify, taRightJustify, taCenter) (DT_LEFT/DT_RIGHT/DT_CENTER and TA_LEFT/TA_RIGHT/TA_CENTER).
constexpr unsigned DrawTextAlignments[3] = {0, 2, 1};
constexpr unsigned SetTextAlignments[3] = {0, 2, 6};

// A colour: 0x00BBGGRR, or 0x80000000 plus a system colour index.
using TLxColor = std::uint32_t;
constexpr TLxColor LxSysColor(unsigned Index) { return 0x80000000u | Index; }

// ---------------------------------------------------------------------------
// Rectangles and points (left/top inclusive, right/bottom exclusive).

struct TLxRect {
  int Left = 0, Top = 0, Right = 0, Bottom = 0;
  constexpr int Width() const { return Right - Left; }
  constexpr int Height() const { return Bottom - Top; }
  friend constexpr bool operator==(const TLxRect&, const TLxRect&) = default;
};
struct TLxPoint {
  int X = 0, Y = 0;
  friend constexpr bool operator==(const TLxPoint&, const TLxPoint&) = default;
};

// Shrinks R by N on each side in Sides.
LXCMPS_API TLxRect ShrinkSides(TLxRect R, TSides Sides, int N);

// Lines a border of the style occupies on each drawn side: 0 for fsNone,
// 1 for fsFlat, fsStatus and fsPopup, 2 for fsGroove to fsButtonUp.
LXCMPS_API int BorderThickness(TFrameStyle Style);

// ---------------------------------------------------------------------------
// Framed panel.

struct TLxPanelFrame {
  TFrameStyle BorderOuter = fsRaised;
  TFrameStyle BorderInner = fsNone;
  TSides BorderSides = sdAllSides;
  TSides FrameSides = sdNoSides;
  int BorderWidth = 0;
};

// The rectangle children are aligned in: Bounds (the window's client area)
// less the frame lines, the border width and both borders.
LXCMPS_API TLxRect PanelClientRect(TLxRect Bounds, const TLxPanelFrame& Frame);

// Top and bottom of a caption of height TextHeight placed in R.
LXCMPS_API void PanelCaptionVertical(TAlignmentVertical Align, int TextHeight, TLxRect& R);

// ---------------------------------------------------------------------------
// Toolbar.

enum TLxAlign : std::uint8_t { laNone, laTop, laBottom, laLeft, laRight, laClient };

struct TLxToolbarStyle {
  TFrameStyle BorderInner = fsNone;
  TFrameStyle BorderOuter = fsNone;
  TSides BorderSides = sdAllSides;
  TSides FrameSides = sdNoSides;
  friend constexpr bool operator==(const TLxToolbarStyle&, const TLxToolbarStyle&) = default;
};

// The borders a toolbar with AutoStyle takes for its alignment.
LXCMPS_API TLxToolbarStyle ToolbarAutoStyle(TLxAlign Align, bool NewLook, bool ShowDivider);

// The borders and height of a status bar with AutoStyle.
struct TLxStatusBarStyle {
  TFrameStyle BorderInner = fsNone;
  TFrameStyle BorderOuter = fsNone;
  TSides BorderSides = sdAllSides;
  TSides FrameSides = sdNoSides;
  int Height = 19;
};
LXCMPS_API TLxStatusBarStyle StatusBarAutoStyle(bool NewLook);

// The status bar's client rectangle from the framed panel's.
LXCMPS_API TLxRect StatusBarClientRect(TLxRect PanelClient, bool NewLook, bool SimpleStatus);

// One control of a toolbar, in the toolbar's order.
struct TLxToolbarItem {
  bool Present = true;     // false: an entry whose control is gone
  bool Visible = true;
  bool Destroying = false; // the control is being destroyed
  bool Spacer = false;
  int Width = 0, Height = 0;
};

struct TLxToolbarLayoutIn {
  int Margin = 4;
  int RowHeight = 25;
  bool WrapControls = true;
  bool AutoSize = true;
  TOrientation Orientation = orHorizontal;
  TLxAlign Align = laTop;
  int Width = 32, Height = 32;
  // Height of row (or column) n counted from 1; RowHeight when empty.
  std::function<int(int)> CalculateRowHeight;
  // Places item Index on Row at Pos and advances Pos past it; when empty the
  // layout places it with ToolbarPlaceItem into the result's Bounds.
  std::function<void(std::size_t Index, int Row, int& Pos)> PositionControl;
};

struct TLxToolbarLayoutOut {
  std::vector<TLxRect> Bounds; // new bounds per item (unchanged for skipped items)
  std::vector<bool> Placed;    // whether the item was positioned
  int Rows = 1;                // rows, or columns in the vertical orientation
  std::optional<int> NewWidth, NewHeight; // set when auto size changes them
};

// The bounds of one control placed at Pos on Row (rows counted from 1) whose
// height is CurRowHeight; spacers take their own size across the row.
LXCMPS_API TLxRect ToolbarPlaceItem(const TLxToolbarItem& Item, int Row, int Pos, int CurRowHeight, int Margin,
                                    int RowHeight, TOrientation Orientation);

// Lays out the controls in rows that wrap at the toolbar's width.
// Items carry their current Left/Top in Current (same size as Items).
LXCMPS_API TLxToolbarLayoutOut ToolbarPositionControls(const TLxToolbarLayoutIn& In,
                                            const std::vector<TLxToolbarItem>& Items,
                                            const std::vector<TLxRect>& Current);

// The groove of a grooved spacer: the shadow line and the highlight line
// (each from A to B, B exclusive as a Win32 line end).
struct TLxLine {
  TLxPoint A, B;
  friend constexpr bool operator==(const TLxLine&, const TLxLine&) = default;
};
struct TLxGroove {
  TLxLine Shadow, Highlight;
};
LXCMPS_API TLxGroove SpacerGroove(TLxRect Client);

// The size grip of a status bar: the corner rectangle filled in the bar
// colour, three highlight and six shadow diagonals. W and H are the bar's
// width and height less its border width.
struct TLxSizeGrip {
  TLxRect Fill;
  std::vector<TLxLine> Highlight, Shadow;
};
LXCMPS_API TLxSizeGrip SizeGripLines(TLxRect Client, int W, int H);
LXCMPS_API TLxRect SizeGripRect(int Width, int Height);

// ---------------------------------------------------------------------------
// Splitter.

enum TFixedPane : std::uint8_t { fpUpperLeft, fpLowerRight };
enum TSplitterStyle : std::uint8_t { ssStandard, ssGroove, ssBump };
enum TSelectedPane : std::uint8_t { spUpperLeft, spLowerRight };

struct TLxPaneLayout {
  TLxRect Pane1, Bar, Pane2;
};
// Places the two panes and the bar in the client rectangle C.
LXCMPS_API TLxPaneLayout SplitterPaneLayout(TLxRect C, TOrientation Orientation, int Position, int SplitterWidth,
                                 bool Pane1Visible, bool Pane2Visible);

// The furthest position the bar may take: size less the bar, both borders and
// the groove allowance of grooved or bumped bars.
LXCMPS_API int SplitterPositionLimit(int Size, int SplitterWidth, int BorderWidth, TSplitterStyle Style);

struct TLxSplitterLimits {
  int Size = 200;
  int SplitterWidth = 4;
  int BorderWidth = 0;
  TSplitterStyle Style = ssStandard;
  int PositionMin = -1, PositionMax = -1;
  bool Pane1Visible = true, Pane2Visible = true;
};
// Limits a dragged position.
LXCMPS_API int SplitterCheckPosition(const TLxSplitterLimits& L, int P);

// The percentage a position stands for; Current when the size leaves nothing.
LXCMPS_API int SplitterPercentOf(int Position, int Size, int SplitterWidth, int Current);
// The position a percentage stands for.
LXCMPS_API int SplitterPositionOf(int Percent, int Size, int SplitterWidth);

// The groove along the middle of a grooved or bumped bar.
LXCMPS_API TLxGroove SplitterBarGroove(TLxRect Bar, TOrientation Orientation, TSplitterStyle Style);

// ---------------------------------------------------------------------------
// Bars.

struct TLxLEDLayout {
  int Segments = 0;  // segments drawn
  int SegSize = 0;   // extent of one segment
  int Lead = 0;      // back-coloured margin before the first segment
  int Lit = 0;       // segments filled in the bar colour
};
LXCMPS_API TLxLEDLayout LEDBarLayout(int Extent, int Segments, int Percent);

// The rectangles of the segments of an LED bar in R, first lit segment first
// (vertical bars fill from the bottom).
LXCMPS_API std::vector<TLxRect> LEDBarSegments(TLxRect R, TOrientation Orientation, const TLxLEDLayout& L);

// The bar-coloured part of a percent bar in R.
LXCMPS_API TLxRect PercentBarFill(TLxRect R, TOrientation Orientation, int Percent);
LXCMPS_API std::string PercentText(unsigned Percent);

// Percentage of PartsComplete of TotalParts; parts are capped at the total.
LXCMPS_API std::uint16_t ProgressPercent(std::uint16_t Parts, std::uint16_t Total);

// The font height plus a quarter of the smaller of it and the system font's.
LXCMPS_API int MinFontHeight(int FontHeight, int SystemFontHeight);

// Round half to even, as the components' percentage and position arithmetic does.
LXCMPS_API int RoundEven(double V);

// ---------------------------------------------------------------------------
// Status panes.

// The caption rectangle of a pane with the given frame.
LXCMPS_API TLxRect StatusCaptionRect(TLxRect Client, TFrameStyle Style, int BorderWidth);

// Frames detected in a glyph strip: width / height when that divides exactly
// and is below 5, else 1.
LXCMPS_API int DetectNumGlyphs(int GlyphWidth, int GlyphHeight);

struct TLxGlyphPlace {
  int Left = 0, Top = 0, FrameWidth = 0, DrawHeight = 0;
};
enum TGlyphAlignment : std::uint8_t { gaLeft, gaRight };
LXCMPS_API TLxGlyphPlace GlyphStatusPlace(int PaneWidth, int PaneHeight, int GlyphWidth, int GlyphHeight, int NumGlyphs,
                               TGlyphAlignment Align, int GlyphOffset, int BorderWidth, TFrameStyle Style,
                               int CaptionRectHeight);

// A date and time, and the texts that format it.
struct TLxDateTime {
  int Year = 2000, Month = 1, Day = 1, DayOfWeek = 6; // DayOfWeek: 0 = Sunday
  int Hour = 0, Minute = 0, Second = 0, Milli = 0;
};
struct TLxDateNames {
  std::string ShortMonth[12] = {"Jan", "Feb", "Mar", "Apr", "May", "Jun", "Jul", "Aug", "Sep", "Oct", "Nov", "Dec"};
  std::string LongMonth[12] = {"January", "February", "March",     "April",   "May",      "June",
                               "July",    "August",   "September", "October", "November", "December"};
  std::string ShortDay[7] = {"Sun", "Mon", "Tue", "Wed", "Thu", "Fri", "Sat"};
  std::string LongDay[7] = {"Sunday", "Monday", "Tuesday", "Wednesday", "Thursday", "Friday", "Saturday"};
  std::string ShortDateFormat = "m/d/yyyy";
  std::string LongDateFormat = "dddd, mmmm d, yyyy";
  std::string ShortTimeFormat = "h:nn AMPM";
  std::string LongTimeFormat = "h:nn:ss AMPM";
  char DateSeparator = '/', TimeSeparator = ':';
  std::string TimeAMString = "AM", TimePMString = "PM";
};
// Formats T with the specifiers c, d, dd, ddd, dddd, ddddd, dddddd, m, mm,
// mmm, mmmm (minutes right after an hour), yy, yyyy, h, hh, n, nn, s, ss, z,
// zzz, t, tt, am/pm, a/p, ampm, / and : (the separators), and quoted literals.
LXCMPS_API std::string FormatDateTimeText(std::string_view Format, const TLxDateTime& T, const TLxDateNames& Names);

// ---------------------------------------------------------------------------
// Label.

// An angle in degrees brought into 0 to 359.
LXCMPS_API int NormalizeAngle(int Angle);

// ---------------------------------------------------------------------------
// Menu button.

struct TLxMenuLine {
  bool Visible = true;
  bool Separator = false; // caption "-"
  bool Break = false;     // starts a new column
};
// The expected height of a popup menu built from these items.
LXCMPS_API int ExpectedMenuHeight(const std::vector<TLxMenuLine>& Items, int MenuBarHeight);

// Where the menu of a button opens, in button coordinates: below; above when
// that runs past the screen's bottom; beside when above is off the screen.
LXCMPS_API TLxPoint MenuButtonPlacement(TLxRect ButtonOnScreen, int MenuHeight, int ScreenTop, int ScreenBottom);

// ---------------------------------------------------------------------------
// Spin edit.

using Extended = long double;

// Limits V to [Min, Max]; no limit when Min equals Max.
LXCMPS_API Extended SpinClamp(Extended V, Extended Min, Extended Max);
// V in fixed notation with 7 significant digits and Decimals decimals.
LXCMPS_API std::string SpinFormat(Extended V, int Decimals, char DecimalSeparator);
// Reads a number; std::nullopt when Text is not one.
LXCMPS_API std::optional<Extended> SpinParse(std::string_view Text, char DecimalSeparator);
// Whether a typed character passes the spin edit's filter.
LXCMPS_API bool SpinAcceptsChar(char Ch, bool IntegersOnly, bool AllowKeyEdit, char DecimalSeparator);

struct TLxSpinLayout {
  TLxRect UpButton, DownButton; // relative to the button panel
  TLxRect Panel, Edit;
  int Height = 0;               // the height after raising it to the minimum
};
LXCMPS_API TLxSpinLayout SpinEditLayout(int Width, int Height, int ButtonWidth, int MinHeight);

// ---------------------------------------------------------------------------
// Colour combo box.

struct TLxColorEntry {
  const char* Name;
  TLxColor Value;
  bool System;
};
constexpr int LxColorCount = 43;
// "Default", the 16 standard colours, the 25 system colours, "Custom".
LXCMPS_API extern const TLxColorEntry LxColorTable[LxColorCount];

// The light-colour test of the swatch frame: any of red, green, blue above 128.
LXCMPS_API bool IsLightColor(std::uint32_t RGB);

// ---------------------------------------------------------------------------
// Most-recently-used history.

// The list loaded from stored entries: empty and repeated entries skipped.
LXCMPS_API std::vector<std::string> MruCleanList(const std::vector<std::string>& Stored);
// Puts Text at the top (moved when present, inserted when absent).
LXCMPS_API void MruPutTop(std::vector<std::string>& Items, const std::string& Text);
LXCMPS_API std::string MruCountName(const std::string& MruID);
LXCMPS_API std::string MruItemName(const std::string& MruID, int Index);

// The type-ahead search of the combo boxes: typed characters collect into a
// search text that finds the first item starting with it. The owner clears
// it 2 seconds after the last character (its timer calls Clear).
class LXCMPS_API TLxTypeAhead {
public:
  enum class TKind { None, Match, NoMatch, SelectFirst, Beep };
  struct TResult {
    TKind Kind = TKind::None;
    int Index = -1;
  };
  using TFind = std::function<int(const std::string& Prefix)>;

  // A printable character (codes 32 to 255).
  TResult Char(char C, const TFind& Find);
  // Backspace: the last character goes; the first item when none is left.
  TResult Backspace(const TFind& Find);
  // Escape: the first item, and the search starts over.
  TResult Escape();
  void Clear() { FText.clear(); }
  const std::string& Text() const { return FText; }

private:
  std::string FText;
};

// Case-insensitive prefix search from the start of Items (ASCII letters).
LXCMPS_API int FindPrefix(const std::vector<std::string>& Items, std::string_view Prefix);
