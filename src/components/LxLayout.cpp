#include "components/LxLayout.h"

#include <algorithm>
#include <cctype>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <cstring>

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

TLxSizeGrip SizeGripLines(TLxRect C, int W, int H) {
  TLxSizeGrip G;
  G.Fill = {C.Right - 14, C.Bottom - 13, C.Right - 1, C.Bottom};
  for (int K = 0; K < 3; ++K) G.Highlight.push_back({{W - 13 + 4 * K, H - 2}, {W - 1, H - 14 + 4 * K}});
  static constexpr int Shadow[6][2] = {{12, 13}, {11, 12}, {8, 9}, {7, 8}, {4, 5}, {3, 4}};
  for (const auto& S : Shadow) G.Shadow.push_back({{W - S[0], H - 2}, {W - 1, H - S[1]}});
  return G;
}

TLxRect SizeGripRect(int Width, int Height) { return {Width - 13, 0, Width, Height}; }

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
  if (O == orHorizontal) { // a vertical bar
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

namespace {
void AppendNumber(std::string& Out, int V, int Digits) {
  char Buf[16];
  std::snprintf(Buf, sizeof Buf, "%0*d", Digits, V);
  Out += Buf;
}

bool StartsWithText(std::string_view S, std::size_t At, std::string_view Word) {
  if (S.size() - At < Word.size()) return false;
  for (std::size_t I = 0; I < Word.size(); ++I)
    if (std::tolower(static_cast<unsigned char>(S[At + I])) != Word[I]) return false;
  return true;
}

void FormatInto(std::string& Out, std::string_view F, const TLxDateTime& T, const TLxDateNames& N, int Depth) {
  bool LastWasHour = false;
  std::size_t I = 0;
  auto Run = [&](char C) {
    std::size_t K = 0;
    while (I + K < F.size() && std::tolower(static_cast<unsigned char>(F[I + K])) == C) ++K;
    return K;
  };
  auto HasAmPm = [&] {
    const std::string Lower = [&] {
      std::string L(F);
      for (char& C : L) C = static_cast<char>(std::tolower(static_cast<unsigned char>(C)));
      return L;
    }();
    return Lower.find("am/pm") != std::string::npos || Lower.find("a/p") != std::string::npos ||
           Lower.find("ampm") != std::string::npos;
  };
  while (I < F.size()) {
    const char C = F[I];
    const char L = static_cast<char>(std::tolower(static_cast<unsigned char>(C)));
    if (C == '\'' || C == '"') {
      const std::size_t End = F.find(C, I + 1);
      const std::size_t Stop = End == std::string_view::npos ? F.size() : End;
      Out.append(F.substr(I + 1, Stop - I - 1));
      I = Stop == F.size() ? Stop : Stop + 1;
      continue;
    }
    if (StartsWithText(F, I, "am/pm")) {
      const bool Upper = C == 'A';
      Out += T.Hour < 12 ? (Upper ? "AM" : "am") : (Upper ? "PM" : "pm");
      I += 5;
      continue;
    }
    if (StartsWithText(F, I, "a/p")) {
      Out += T.Hour < 12 ? (C == 'A' ? "A" : "a") : (C == 'A' ? "P" : "p");
      I += 3;
      continue;
    }
    if (StartsWithText(F, I, "ampm")) {
      Out += T.Hour < 12 ? N.TimeAMString : N.TimePMString;
      I += 4;
      continue;
    }
    switch (L) {
    case 'c':
      if (Depth < 2) {
        FormatInto(Out, N.ShortDateFormat, T, N, Depth + 1);
        if (T.Hour || T.Minute || T.Second) {
          Out += ' ';
          FormatInto(Out, N.LongTimeFormat, T, N, Depth + 1);
        }
      }
      ++I;
      break;
    case 'd': {
      const std::size_t K = Run('d');
      if (K == 1) AppendNumber(Out, T.Day, 1);
      else if (K == 2) AppendNumber(Out, T.Day, 2);
      else if (K == 3) Out += N.ShortDay[T.DayOfWeek % 7];
      else if (K == 4) Out += N.LongDay[T.DayOfWeek % 7];
      else if (K == 5 && Depth < 2) FormatInto(Out, N.ShortDateFormat, T, N, Depth + 1);
      else if (Depth < 2) FormatInto(Out, N.LongDateFormat, T, N, Depth + 1);
      I += K;
      break;
    }
    case 'm': {
      const std::size_t K = Run('m');
      if (LastWasHour && K <= 2) AppendNumber(Out, T.Minute, static_cast<int>(K));
      else if (K == 1) AppendNumber(Out, T.Month, 1);
      else if (K == 2) AppendNumber(Out, T.Month, 2);
      else if (K == 3) Out += N.ShortMonth[(T.Month + 11) % 12];
      else Out += N.LongMonth[(T.Month + 11) % 12];
      I += K;
      break;
    }
    case 'y': {
      const std::size_t K = Run('y');
      if (K <= 2) AppendNumber(Out, T.Year % 100, 2);
      else AppendNumber(Out, T.Year, 4);
      I += K;
      break;
    }
    case 'h': {
      const std::size_t K = Run('h');
      int H = T.Hour;
      if (HasAmPm()) {
        H %= 12;
        if (H == 0) H = 12;
      }
      AppendNumber(Out, H, K >= 2 ? 2 : 1);
      I += K;
      LastWasHour = true;
      continue;
    }
    case 'n': {
      const std::size_t K = Run('n');
      AppendNumber(Out, T.Minute, K >= 2 ? 2 : 1);
      I += K;
      break;
    }
    case 's': {
      const std::size_t K = Run('s');
      AppendNumber(Out, T.Second, K >= 2 ? 2 : 1);
      I += K;
      break;
    }
    case 'z': {
      const std::size_t K = Run('z');
      AppendNumber(Out, T.Milli, K >= 3 ? 3 : 1);
      I += K;
      break;
    }
    case 't': {
      const std::size_t K = Run('t');
      if (Depth < 2) FormatInto(Out, K == 1 ? N.ShortTimeFormat : N.LongTimeFormat, T, N, Depth + 1);
      I += K;
      break;
    }
    case '/': Out += N.DateSeparator; ++I; break;
    case ':': Out += N.TimeSeparator; ++I; break;
    default: Out += C; ++I; break;
    }
    if (std::isalpha(static_cast<unsigned char>(C))) LastWasHour = false;
  }
}
} // namespace

std::string FormatDateTimeText(std::string_view Format, const TLxDateTime& T, const TLxDateNames& Names) {
  std::string Out;
  FormatInto(Out, Format.empty() ? std::string_view("c") : Format, T, Names, 0);
  return Out;
}

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

Extended SpinClamp(Extended V, Extended Min, Extended Max) {
  if (Min == Max) return V;
  if (V < Min) return Min;
  if (V > Max) return Max;
  return V;
}

std::string SpinFormat(Extended V, int Decimals, char Sep) {
  Decimals = std::clamp(Decimals, 0, 18);
  const double D = static_cast<double>(V);
  if (!std::isfinite(D)) return std::isnan(D) ? "NAN" : (D < 0 ? "-INF" : "INF");
  // Seven significant digits first.
  char Buf[64];
  std::snprintf(Buf, sizeof Buf, "%.6e", std::fabs(D));
  std::string Digits;
  for (const char* P = Buf; *P && *P != 'e'; ++P)
    if (std::isdigit(static_cast<unsigned char>(*P))) Digits += *P;
  int Exp = std::atoi(std::strchr(Buf, 'e') + 1);
  const bool Neg = D < 0;
  if (Digits.find_first_not_of('0') == std::string::npos) Exp = 0;
  if (Exp >= 7) { // more integer digits than the precision: scientific
    std::snprintf(Buf, sizeof Buf, "%s%c%c%sE+%03d", Neg ? "-" : "", Digits[0], Sep, Digits.substr(1).c_str(), Exp);
    return Buf;
  }
  // Digits as a number 0.Digits x 10^(Exp+1); keep IntDigits + Decimals of them.
  int IntDigits = Exp + 1;                   // may be <= 0
  const int Keep = IntDigits + Decimals;     // digits to keep
  std::string K;                             // kept digits, rounded half up
  if (Keep >= static_cast<int>(Digits.size())) {
    K = Digits + std::string(static_cast<std::size_t>(Keep) - Digits.size(), '0');
  } else if (Keep >= 0) {
    K = Digits.substr(0, static_cast<std::size_t>(Keep));
    if (Digits[static_cast<std::size_t>(Keep)] >= '5') {
      int I = Keep - 1;
      for (; I >= 0; --I) {
        if (K[static_cast<std::size_t>(I)] == '9') {
          K[static_cast<std::size_t>(I)] = '0';
        } else {
          ++K[static_cast<std::size_t>(I)];
          break;
        }
      }
      if (I < 0) {
        K.insert(K.begin(), '1');
        ++IntDigits;
      }
    }
  } else {
    K.clear(); // rounds to zero
  }
  // Lay the kept digits out around the point.
  std::string IntPart, Frac;
  if (IntDigits > 0) {
    IntPart.assign(K, 0, std::min<std::size_t>(K.size(), static_cast<std::size_t>(IntDigits)));
    if (K.size() > static_cast<std::size_t>(IntDigits)) Frac.assign(K, static_cast<std::size_t>(IntDigits));
  } else {
    Frac.append(static_cast<std::size_t>(std::min(-IntDigits, Decimals)), '0');
    Frac.append(K);
  }
  if (IntPart.empty()) IntPart.push_back('0');
  Frac.resize(static_cast<std::size_t>(Decimals), '0');
  const bool AllZero =
      IntPart.find_first_not_of('0') == std::string::npos && Frac.find_first_not_of('0') == std::string::npos;
  std::string S;
  if (Neg && !AllZero) S.push_back('-');
  S.append(IntPart);
  if (Decimals > 0) {
    S.push_back(Sep);
    S.append(Frac);
  }
  return S;
}

std::optional<Extended> SpinParse(std::string_view Text, char Sep) {
  std::size_t B = 0, E = Text.size();
  while (B < E && Text[B] == ' ') ++B;
  while (E > B && Text[E - 1] == ' ') --E;
  std::string N;
  std::size_t I = B;
  if (I < E && (Text[I] == '+' || Text[I] == '-')) N += Text[I++];
  int Mantissa = 0;
  while (I < E && std::isdigit(static_cast<unsigned char>(Text[I]))) { N += Text[I++]; ++Mantissa; }
  if (I < E && Text[I] == Sep) {
    N += '.';
    ++I;
    while (I < E && std::isdigit(static_cast<unsigned char>(Text[I]))) { N += Text[I++]; ++Mantissa; }
  }
  if (Mantissa == 0) return std::nullopt;
  if (I < E && (Text[I] == 'e' || Text[I] == 'E')) {
    N += 'e';
    ++I;
    if (I < E && (Text[I] == '+' || Text[I] == '-')) N += Text[I++];
    int ExpDigits = 0;
    while (I < E && std::isdigit(static_cast<unsigned char>(Text[I]))) { N += Text[I++]; ++ExpDigits; }
    if (ExpDigits == 0) return std::nullopt;
  }
  if (I != E) return std::nullopt;
  const Extended V = std::strtold(N.c_str(), nullptr);
  if (!std::isfinite(static_cast<double>(V))) return std::nullopt;
  return V;
}

bool SpinAcceptsChar(char Ch, bool IntegersOnly, bool AllowKeyEdit, char Sep) {
  const unsigned char C = static_cast<unsigned char>(Ch);
  bool Valid = (Ch == '+' || Ch == '-' || (Ch >= '0' && Ch <= '9')) || (!IntegersOnly && Ch == Sep) ||
               (C < 32 && Ch != '\r');
  if (Valid && !AllowKeyEdit && (C >= 32 || Ch == '\b' || Ch == '.')) Valid = false;
  return Valid;
}

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

// ---------------------------------------------------------------------------

const TLxColorEntry LxColorTable[LxColorCount] = {
    {"Default", 0, false},
    {"Black", 0x000000, false},       {"Maroon", 0x000080, false},  {"Green", 0x008000, false},
    {"Olive", 0x008080, false},       {"Navy", 0x800000, false},    {"Purple", 0x800080, false},
    {"Teal", 0x808000, false},        {"Gray", 0x808080, false},    {"Silver", 0xC0C0C0, false},
    {"Red", 0x0000FF, false},         {"Lime", 0x00FF00, false},    {"Yellow", 0x00FFFF, false},
    {"Blue", 0xFF0000, false},        {"Fuchsia", 0xFF00FF, false}, {"Aqua", 0xFFFF00, false},
    {"White", 0xFFFFFF, false},
    {"ScrollBar", LxSysColor(0), true},       {"Background", LxSysColor(1), true},
    {"ActiveCaption", LxSysColor(2), true},   {"InactiveCaption", LxSysColor(3), true},
    {"Menu", LxSysColor(4), true},            {"Window", LxSysColor(5), true},
    {"WindowFrame", LxSysColor(6), true},     {"MenuText", LxSysColor(7), true},
    {"WindowText", LxSysColor(8), true},      {"CaptionText", LxSysColor(9), true},
    {"ActiveBorder", LxSysColor(10), true},   {"InactiveBorder", LxSysColor(11), true},
    {"AppWorkSpace", LxSysColor(12), true},   {"Highlight", LxSysColor(13), true},
    {"HighlightText", LxSysColor(14), true},  {"BtnFace", LxSysColor(15), true},
    {"BtnShadow", LxSysColor(16), true},      {"GrayText", LxSysColor(17), true},
    {"BtnText", LxSysColor(18), true},        {"InactiveCaptionText", LxSysColor(19), true},
    {"BtnHighlight", LxSysColor(20), true},   {"3DDkShadow", LxSysColor(21), true},
    {"3DLight", LxSysColor(22), true},        {"InfoText", LxSysColor(23), true},
    {"InfoBk", LxSysColor(24), true},
    {"Custom", 0, false},
};

bool IsLightColor(std::uint32_t RGB) {
  return (RGB & 0xFF) > 128 || ((RGB >> 8) & 0xFF) > 128 || ((RGB >> 16) & 0xFF) > 128;
}

// ---------------------------------------------------------------------------

namespace {
bool SameText(std::string_view A, std::string_view B) {
  if (A.size() != B.size()) return false;
  for (std::size_t I = 0; I < A.size(); ++I)
    if (std::tolower(static_cast<unsigned char>(A[I])) != std::tolower(static_cast<unsigned char>(B[I]))) return false;
  return true;
}
int IndexOfText(const std::vector<std::string>& Items, std::string_view S) {
  for (std::size_t I = 0; I < Items.size(); ++I)
    if (SameText(Items[I], S)) return static_cast<int>(I);
  return -1;
}
} // namespace

std::vector<std::string> MruCleanList(const std::vector<std::string>& Stored) {
  std::vector<std::string> Out;
  for (const std::string& S : Stored)
    if (!S.empty() && IndexOfText(Out, S) < 0) Out.push_back(S);
  return Out;
}

void MruPutTop(std::vector<std::string>& Items, const std::string& Text) {
  if (Text.empty()) return;
  const int I = IndexOfText(Items, Text);
  if (I >= 0) Items.erase(Items.begin() + I);
  Items.insert(Items.begin(), Text);
}

std::string MruCountName(const std::string& MruID) { return MruID + "_Count"; }
std::string MruItemName(const std::string& MruID, int Index) { return MruID + "_Item" + std::to_string(Index); }

int FindPrefix(const std::vector<std::string>& Items, std::string_view Prefix) {
  for (std::size_t I = 0; I < Items.size(); ++I)
    if (Items[I].size() >= Prefix.size() && SameText(std::string_view(Items[I]).substr(0, Prefix.size()), Prefix))
      return static_cast<int>(I);
  return -1;
}

TLxTypeAhead::TResult TLxTypeAhead::Char(char C, const TFind& Find) {
  FText += C;
  const int I = Find(FText);
  return I >= 0 ? TResult{TKind::Match, I} : TResult{TKind::NoMatch, -1};
}

TLxTypeAhead::TResult TLxTypeAhead::Backspace(const TFind& Find) {
  if (FText.empty()) return {TKind::Beep, -1};
  FText.pop_back();
  if (FText.empty()) return {TKind::SelectFirst, 0};
  const int I = Find(FText);
  return I >= 0 ? TResult{TKind::Match, I} : TResult{TKind::None, -1};
}

TLxTypeAhead::TResult TLxTypeAhead::Escape() {
  FText.clear();
  return {TKind::SelectFirst, 0};
}
