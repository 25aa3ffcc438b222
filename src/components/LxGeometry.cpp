#include "components/LxGeometry.h"

#include "model/DpiScale.h"

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <cstdlib>

TLxRect ShrinkSides(TLxRect R, TSides Sides, int N) {
  if (HasSide(Sides, sdLeft)) R.Left += N;
  if (HasSide(Sides, sdTop)) R.Top += N;
  if (HasSide(Sides, sdRight)) R.Right -= N;
  if (HasSide(Sides, sdBottom)) R.Bottom -= N;
  return R;
}

int BorderThickness(TFrameStyle Style) {
  switch (Style) {
    case fsNone: return 0;
    case fsFlat:
    case fsStatus:
    case fsPopup: return 1;
    default: return 2;
  }
}

TLxRect PanelClientRect(TLxRect Bounds, const TLxPanelFrame& F) {
  TLxRect R = ShrinkSides(Bounds, F.FrameSides, 1);
  R = ShrinkSides(R, sdAllSides, F.BorderWidth);
  R = ShrinkSides(R, F.BorderSides, BorderThickness(F.BorderOuter));
  R = ShrinkSides(R, F.BorderSides, BorderThickness(F.BorderInner));
  return R;
}

void PanelCaptionVertical(TAlignmentVertical Align, int TextHeight, TLxRect& R) {
  switch (Align) {
    case avCenter:
      R.Top = (R.Top + R.Bottom - TextHeight) >> 1;
      R.Bottom = R.Top + TextHeight;
      break;
    case avBottom: R.Top = R.Bottom - TextHeight - 1; break;
    case avTop: break;
  }
}

// ---------------------------------------------------------------------------

TLxToolbarStyle ToolbarAutoStyle(TLxAlign Align, bool NewLook, bool ShowDivider) {
  TLxToolbarStyle S;
  S.BorderInner = fsNone;
  if (Align == laLeft || Align == laRight) {
    if (NewLook) {
      S.BorderOuter = ShowDivider ? fsGroove : fsNone;
      S.BorderSides = Align == laLeft ? sdLeftSide : sdRightSide;
      S.FrameSides = sdNoSides;
    } else {
      S.BorderOuter = fsPopup;
      S.BorderSides = sdAllSides;
      S.FrameSides = Align == laLeft ? sdRightSide : sdLeftSide;
    }
  } else if (NewLook) {
    S.BorderOuter = ShowDivider ? fsGroove : fsNone;
    S.BorderSides = Align == laBottom ? sdBottomSide : sdTopSide;
    S.FrameSides = sdNoSides;
  } else {
    S.BorderOuter = fsPopup;
    S.BorderSides = sdAllSides;
    S.FrameSides = Align == laBottom ? sdTopSide : sdBottomSide;
  }
  return S;
}

TLxStatusBarStyle StatusBarAutoStyle(bool NewLook) {
  TLxStatusBarStyle S;
  if (NewLook) {
    S.BorderOuter = fsNone;
    S.FrameSides = sdNoSides;
    S.Height = 19;
  } else {
    S.BorderOuter = fsPopup;
    S.FrameSides = sdTopSide;
    S.Height = 24;
  }
  return S;
}

TLxRect StatusBarClientRect(TLxRect R, bool NewLook, bool SimpleStatus) {
  if (NewLook) {
    R.Bottom += 1;
    if (SimpleStatus) {
      R.Top = 2;
    } else {
      R.Top = 1;
      R.Left -= 1;
      R.Right += 1;
    }
  }
  return R;
}

TLxRect ToolbarPlaceItem(const TLxToolbarItem& It, int Row, int Pos, int CurRowHeight, int Margin, int RowHeight,
                         TOrientation O) {
  int W = It.Width, H = It.Height;
  if (It.Spacer) {
    if (O == orVertical) {
      W = RowHeight + 4;
      H = 8;
    } else {
      W = 8;
      H = RowHeight + 4;
    }
  }
  TLxRect B;
  if (O == orVertical) {
    B.Top = Pos;
    B.Left = (Row - 1) * CurRowHeight + Margin + RowHeight / 2 - W / 2;
  } else {
    B.Left = Pos;
    B.Top = (Row - 1) * CurRowHeight + Margin + RowHeight / 2 - H / 2;
  }
  B.Right = B.Left + W;
  B.Bottom = B.Top + H;
  return B;
}

TLxToolbarLayoutOut ToolbarPositionControls(const TLxToolbarLayoutIn& In, const std::vector<TLxToolbarItem>& Items,
                                            const std::vector<TLxRect>& Current) {
  TLxToolbarLayoutOut Out;
  Out.Bounds = Current;
  Out.Bounds.resize(Items.size());
  Out.Placed.assign(Items.size(), false);
  const bool Vert = In.Orientation == orVertical;
  auto RowHeightOf = [&](int Row) { return In.CalculateRowHeight ? In.CalculateRowHeight(Row) : In.RowHeight; };

  int Pos = In.Margin;
  int Widest = 0;
  int Row = 1;
  int CurRowHeight = RowHeightOf(Row);
  const int Extent = Vert ? In.Height : In.Width;
  for (std::size_t I = 0; I < Items.size(); ++I) {
    const TLxToolbarItem& It = Items[I];
    if (!It.Present || !It.Visible) continue;
    const int Along = Vert ? It.Height : It.Width;
    if (In.WrapControls && I > 0 && Extent - In.Margin < Pos + Along) {
      Widest = std::max(Widest, Pos);
      Pos = In.Margin;
      ++Row;
      CurRowHeight = RowHeightOf(Row);
    }
    if (It.Destroying) continue;
    Out.Placed[I] = true;
    if (In.PositionControl) {
      In.PositionControl(I, Row, Pos);
      continue;
    }
    const TLxRect B = ToolbarPlaceItem(It, Row, Pos, CurRowHeight, In.Margin, In.RowHeight, In.Orientation);
    Out.Bounds[I] = B;
    Pos += Vert ? B.Height() : B.Width();
  }
  Out.Rows = Row;

  if (!In.AutoSize) return Out;
  const bool Side = In.Align == laLeft || In.Align == laRight;
  const bool Edge = In.Align == laTop || In.Align == laBottom;
  if (!Vert) {
    if (Side) {
      if (Widest != 0 && In.Margin + Widest != In.Width) Out.NewWidth = In.Margin + Widest;
    } else if (Edge) {
      const int NewHeight = In.RowHeight * Row + 2 * In.Margin;
      if (NewHeight != In.Height) Out.NewHeight = NewHeight;
    }
  } else {
    if (Side) {
      const int NewWidth = In.RowHeight * Row + 2 * In.Margin;
      if (NewWidth != In.Width) Out.NewWidth = NewWidth;
    } else if (Edge) {
      if (Widest != 0 && In.Margin + Widest != In.Height) Out.NewHeight = In.Margin + Widest;
    }
  }
  return Out;
}

TLxGroove SpacerGroove(TLxRect C) {
  TLxGroove G;
  if (C.Width() > C.Height()) {
    const int Y = C.Top + (C.Bottom - C.Top) / 2 - 1;
    G.Shadow = {{C.Left + 1, Y}, {C.Right, Y}};
    G.Highlight = {{C.Left + 1, Y + 1}, {C.Right, Y + 1}};
  } else {
    const int X = C.Left + (C.Right - C.Left) / 2 - 1;
    G.Shadow = {{X, C.Top + 1}, {X, C.Bottom}};
    G.Highlight = {{X + 1, C.Top + 1}, {X + 1, C.Bottom}};
  }
  return G;
}

TLxSizeGrip SizeGripLines(TLxRect C, int W, int H, int Dpi) {
  const auto S = [Dpi](int DesignPixels) { return ScaleForDpi(DesignPixels, Dpi); };
  TLxSizeGrip G;
  G.PenWidth = S(1);
  G.Fill = {C.Right - S(14), C.Bottom - S(13), C.Right - S(1), C.Bottom};
  for (int K = 0; K < 3; ++K) G.Highlight.push_back({{W - S(13 - 4 * K), H - S(2)}, {W - S(1), H - S(14 - 4 * K)}});
  static constexpr int Shadow[6][2] = {{12, 13}, {11, 12}, {8, 9}, {7, 8}, {4, 5}, {3, 4}};
  for (const auto& Sh : Shadow) G.Shadow.push_back({{W - S(Sh[0]), H - S(2)}, {W - S(1), H - S(Sh[1])}});
  return G;
}

TLxRect SizeGripRect(int Width, int Height, int Dpi) { return {Width - ScaleForDpi(13, Dpi), 0, Width, Height}; }

int SizeGripWidth(int Dpi) { return ScaleForDpi(12, Dpi); }

// ---------------------------------------------------------------------------

TLxPaneLayout SplitterPaneLayout(TLxRect C, TOrientation O, int Position, int SW, bool V1, bool V2) {
  TLxPaneLayout L;
  if (O == orVertical) {
    const int W = C.Width(), H = C.Height();
    if (!V2 && V1)
      L.Pane1 = C;
    else
      L.Pane1 = {C.Left, C.Top, C.Left + W, C.Top + (V1 ? Position : 0)};
    if (V1 && V2)
      L.Bar = {C.Left, C.Top + Position, C.Left + W, C.Top + Position + SW};
    else
      L.Bar = {C.Left, C.Top, C.Left, C.Top};
    if (!V1 && V2)
      L.Pane2 = C;
    else if (V2)
      L.Pane2 = {C.Left, C.Top + Position + SW, C.Left + W, C.Top + Position + SW + (H - Position - SW)};
    else
      L.Pane2 = {C.Left, C.Top, C.Left + W, C.Top};
  } else {
    const int W = C.Width(), H = C.Height();
    if (!V2 && V1)
      L.Pane1 = C;
    else
      L.Pane1 = {C.Left, C.Top, C.Left + (V1 ? Position : 0), C.Top + H};
    if (V1 && V2)
      L.Bar = {C.Left + Position, C.Top, C.Left + Position + SW, C.Top + H};
    else
      L.Bar = {C.Left, C.Top, C.Left, C.Top};
    if (!V1 && V2)
      L.Pane2 = C;
    else if (V2)
      L.Pane2 = {C.Left + Position + SW, C.Top, C.Left + Position + SW + (W - Position - SW), C.Top + H};
    else
      L.Pane2 = {C.Left, C.Top, C.Left, C.Top + H};
  }
  return L;
}

int SplitterPositionLimit(int Size, int SW, int BW, TSplitterStyle Style) {
  return Size - SW - 2 * BW - ((Style == ssGroove || Style == ssBump) ? 4 : 0);
}

int SplitterCheckPosition(const TLxSplitterLimits& L, int P) {
  if (L.Pane1Visible) {
    if (L.PositionMin != -1 && P < L.PositionMin)
      P = L.PositionMin;
    else if (P < 0)
      P = 0;
  }
  if (!L.Pane2Visible) return P;
  if (L.PositionMax != -1 && P > L.PositionMax) return L.PositionMax;
  return std::min(P, SplitterPositionLimit(L.Size, L.SplitterWidth, L.BorderWidth, L.Style));
}

int SplitterFitPane(int Room, int Extent, int MinSize, int OtherMinSize) {
  if (Room <= 0) return 0;
  MinSize = std::max(MinSize, 0);
  OtherMinSize = std::max(OtherMinSize, 0);
  if (Room < MinSize + OtherMinSize)
    return static_cast<int>(static_cast<long long>(Room) * MinSize / (MinSize + OtherMinSize));
  return std::clamp(Extent, MinSize, Room - OtherMinSize);
}

int RoundEven(double V) { return static_cast<int>(std::nearbyint(V)); }

// In extended precision, with ties to even (25 % of 298 is 74).
int SplitterPercentOf(int Position, int Size, int SW, int Current) {
  const int S = Size - SW / 2;
  if (S <= 0) return Current;
  return static_cast<int>(std::nearbyint(static_cast<long double>(Position) / S * 100.0L));
}

int SplitterPositionOf(int Percent, int Size, int SW) {
  const int S = Size - SW / 2;
  return static_cast<int>(std::nearbyint(static_cast<long double>(Percent) * 0.01L * S));
}

TLxGroove SplitterBarGroove(TLxRect Bar, TOrientation O, TSplitterStyle Style) {
  TLxLine First, Second;
  if (O == orHorizontal) {  // a vertical bar
    const int X = Bar.Left + Bar.Width() / 2 - 1;
    First = {{X, Bar.Top}, {X, Bar.Bottom}};
    Second = {{X + 1, Bar.Top}, {X + 1, Bar.Bottom}};
  } else {
    const int Y = Bar.Top + Bar.Height() / 2 - 1;
    First = {{Bar.Left, Y}, {Bar.Right, Y}};
    Second = {{Bar.Left, Y + 1}, {Bar.Right, Y + 1}};
  }
  if (Style == ssBump) return {Second, First};
  return {First, Second};
}

// ---------------------------------------------------------------------------

TLxLEDLayout LEDBarLayout(int Extent, int Segments, int Percent) {
  TLxLEDLayout L;
  if (Extent < 81) Segments = std::min(Segments, 10);
  if (Extent <= 0 || Segments <= 0) return L;
  L.SegSize = Extent / Segments;
  if (L.SegSize == 0) return L;
  L.Segments = Segments;
  L.Lead = (Extent - L.SegSize * Segments) / 2;
  const long long Lit = static_cast<long long>(Segments) * std::max(Percent, 0) / 100;
  L.Lit = static_cast<int>(std::min<long long>(Lit, Segments));
  return L;
}

std::vector<TLxRect> LEDBarSegments(TLxRect R, TOrientation O, const TLxLEDLayout& L) {
  std::vector<TLxRect> V;
  for (int I = 0; I < L.Segments; ++I) {
    if (O == orHorizontal) {
      const int X = R.Left + L.Lead + I * L.SegSize;
      V.push_back({X, R.Top, X + L.SegSize, R.Bottom});
    } else {
      const int Y = R.Bottom - L.Lead - (I + 1) * L.SegSize;
      V.push_back({R.Left, Y, R.Right, Y + L.SegSize});
    }
  }
  return V;
}

TLxRect PercentBarFill(TLxRect R, TOrientation O, int Percent) {
  if (Percent >= 100) return R;
  Percent = std::max(Percent, 0);
  if (O == orHorizontal) {
    R.Right = R.Left + RoundEven(static_cast<double>(Percent) * R.Width() / 100.0);
  } else {
    R.Top = R.Bottom - RoundEven(static_cast<double>(Percent) * R.Height() / 100.0);
  }
  return R;
}

std::string PercentText(unsigned Percent) {
  char Buf[16];
  std::snprintf(Buf, sizeof Buf, "%u%%", Percent);
  return Buf;
}

std::uint16_t ProgressPercent(std::uint16_t Parts, std::uint16_t Total) {
  if (Total == 0) return 0;
  Parts = std::min(Parts, Total);
  return static_cast<std::uint16_t>(RoundEven(Parts * 100.0 / Total));
}

int MinFontHeight(int FontHeight, int SystemFontHeight) {
  return FontHeight + std::min(FontHeight, SystemFontHeight) / 4;
}

// ---------------------------------------------------------------------------

TLxRect StatusCaptionRect(TLxRect Client, TFrameStyle Style, int BorderWidth) {
  return ShrinkSides(Client, sdAllSides, BorderWidth + BorderThickness(Style));
}

int DetectNumGlyphs(int W, int H) {
  if (H > 0 && W > 0 && W % H == 0 && W / H < 5) return W / H;
  return 1;
}

TLxGlyphPlace GlyphStatusPlace(int PaneWidth, int PaneHeight, int GlyphWidth, int GlyphHeight, int NumGlyphs,
                               TGlyphAlignment Align, int GlyphOffset, int BorderWidth, TFrameStyle Style,
                               int CaptionRectHeight) {
  TLxGlyphPlace P;
  P.FrameWidth = GlyphWidth / std::max(NumGlyphs, 1);
  P.DrawHeight = std::max(0, std::min(GlyphHeight, CaptionRectHeight));
  if (Align == gaLeft)
    P.Left = GlyphOffset + BorderWidth;
  else
    P.Left = PaneWidth - P.FrameWidth - GlyphOffset - BorderWidth - 2;
  P.Left += BorderThickness(Style);
  P.Top = BorderWidth + std::abs(PaneHeight - P.DrawHeight - BorderWidth - 1) / 2;
  return P;
}

// ---------------------------------------------------------------------------

int NormalizeAngle(int Angle) { return ((Angle % 360) + 360) % 360; }

// ---------------------------------------------------------------------------

int ExpectedMenuHeight(const std::vector<TLxMenuLine>& Items, int MenuBarHeight) {
  int Tallest = 0, Cur = 4;
  for (const TLxMenuLine& M : Items) {
    if (M.Break) {
      Tallest = std::max(Tallest, Cur);
      Cur = 4;
    }
    if (!M.Visible) continue;
    Cur += M.Separator ? MenuBarHeight / 2 : MenuBarHeight - 2;
  }
  return std::max(Tallest, Cur);
}

TLxPoint MenuButtonPlacement(TLxRect B, int MenuHeight, int ScreenTop, int ScreenBottom) {
  TLxPoint P{0, B.Height()};
  if (B.Bottom + MenuHeight <= ScreenBottom) return P;
  P = {0, -3 - MenuHeight};
  const int Y = B.Top + P.Y;
  if (Y < ScreenTop || Y + MenuHeight > ScreenBottom) P = {B.Width(), -3 - MenuHeight};
  return P;
}

// ---------------------------------------------------------------------------

TLxSpinLayout SpinEditLayout(int Width, int Height, int ButtonWidth, int MinHeight) {
  TLxSpinLayout L;
  L.Height = std::max(Height, MinHeight);
  const int H = L.Height / 2;
  L.UpButton = {0, 0, ButtonWidth, H};
  L.DownButton = {0, H, ButtonWidth, L.Height};
  L.Panel = {Width - ButtonWidth, 0, Width, L.Height};
  L.Edit = {0, 0, Width - ButtonWidth + 1, L.Height};
  return L;
}
