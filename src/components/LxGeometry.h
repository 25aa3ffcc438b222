// Geometry of the components: the shared enumerations, rectangles and border
// thickness, and where each component puts its parts (panel client areas,
// toolbar rows, the status bar and its size grip, splitter panes, bar
// segments, status-pane glyphs, menu placement, the spin edit's buttons).
//
// Nothing here touches a window or a device context, so all of it builds and
// is tested on any platform. The Win32 units (LxCommon, LxPanel, ...) call
// these functions and only add the drawing and the messages.
#pragma once

#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "components/LxCmpsApi.h"

// ---------------------------------------------------------------------------
// Enumerations shared by every component (values in declaration order).

enum TFrameStyle : std::uint8_t {
  fsNone,
  fsFlat,
  fsGroove,
  fsBump,
  fsLowered,
  fsButtonDown,
  fsRaised,
  fsButtonUp,
  fsStatus,
  fsPopup
};
constexpr int FrameStyleCount = fsPopup + 1;

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
  cpUpperLeft,
  cpUpperCenter,
  cpUpperRight,
  cpLeftCenter,
  cpCenter,
  cpRightCenter,
  cpLowerLeft,
  cpLowerCenter,
  cpLowerRight
};
// Vertical placement of a panel caption.
enum TAlignmentVertical : std::uint8_t { avTop, avCenter, avBottom };

// Text-drawing flags (DT_LEFT, DT_RIGHT, DT_CENTER) and device-context text
// alignments (TA_LEFT, TA_RIGHT, TA_CENTER) for left, right and centred text,
// indexed by the alignment taLeftJustify, taRightJustify, taCenter.
constexpr unsigned DrawTextAlignments[3] = {0, 2, 1};
constexpr unsigned SetTextAlignments[3] = {0, 2, 6};

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
  bool Present = true;  // false: an entry whose control is gone
  bool Visible = true;
  bool Destroying = false;  // the control is being destroyed
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
  std::vector<TLxRect> Bounds;             // new bounds per item (unchanged for skipped items)
  std::vector<bool> Placed;                // whether the item was positioned
  int Rows = 1;                            // rows, or columns in the vertical orientation
  std::optional<int> NewWidth, NewHeight;  // set when auto size changes them
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
// colour, three highlight and six shadow diagonals, drawn with pens PenWidth
// wide. W and H are the bar's width and height less its border width. Its
// sizes are design pixels, laid out for Dpi.
struct TLxSizeGrip {
  TLxRect Fill;
  std::vector<TLxLine> Highlight, Shadow;
  int PenWidth = 1;
};
LXCMPS_API TLxSizeGrip SizeGripLines(TLxRect Client, int W, int H, int Dpi = 96);
LXCMPS_API TLxRect SizeGripRect(int Width, int Height, int Dpi = 96);
// The width of the grip's corner that a pane reaching it leaves free.
LXCMPS_API int SizeGripWidth(int Dpi = 96);

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

// The extent a pane asking for Extent gets of Room (what the two panes share:
// the extent between the borders less the bar): at least MinSize, and no more
// than leaves the other pane its OtherMinSize; when Room is smaller than the
// two minimums together, the panes share it in proportion to them.
LXCMPS_API int SplitterFitPane(int Room, int Extent, int MinSize, int OtherMinSize);

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

// ---------------------------------------------------------------------------
// Label.

// An angle in degrees brought into 0 to 359.
LXCMPS_API int NormalizeAngle(int Angle);

// ---------------------------------------------------------------------------
// Menu button.

struct TLxMenuLine {
  bool Visible = true;
  bool Separator = false;  // caption "-"
  bool Break = false;      // starts a new column
};
// The expected height of a popup menu built from these items.
LXCMPS_API int ExpectedMenuHeight(const std::vector<TLxMenuLine>& Items, int MenuBarHeight);

// Where the menu of a button opens, in button coordinates: below; above when
// that runs past the screen's bottom; beside when above is off the screen.
LXCMPS_API TLxPoint MenuButtonPlacement(TLxRect ButtonOnScreen, int MenuHeight, int ScreenTop, int ScreenBottom);

// ---------------------------------------------------------------------------
// Spin edit.

struct TLxSpinLayout {
  TLxRect UpButton, DownButton;  // relative to the button panel
  TLxRect Panel, Edit;
  int Height = 0;  // the height after raising it to the minimum
};
LXCMPS_API TLxSpinLayout SpinEditLayout(int Width, int Height, int ButtonWidth, int MinHeight);
