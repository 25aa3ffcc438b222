#include "components/LxLabel.h"

#include <cmath>
#include <numbers>

TLxLabel::TLxLabel(TComponent* AOwner) : TCustomLabel(AOwner) {
  SetParentColor(false);
  SetColor(clWindow);
}

void TLxLabel::EnsureTrueType() {
  if (!GetFont().IsTrueType()) GetFont().SetName("Arial");
}

void TLxLabel::SetAngle(int Value) {
  Value = NormalizeAngle(Value);
  if (Value == FAngle) return;
  FAngle = Value;
  if (FAngle != 0) {
    EnsureTrueType();
    SetAutoSize(false);
  }
  Invalidate();
}

void TLxLabel::SetCenterPoint(TCenterPoint Value) {
  if (Value == FCenterPoint) return;
  FCenterPoint = Value;
  Invalidate();
}

void TLxLabel::SetFlyByEnabled(bool Value) {
  if (Value == FFlyByEnabled) return;
  FFlyByEnabled = Value;
  if (!Value && FFlying) {
    FFlying = false;
    GetFont().SetColor(FSavedFontColor);
  }
}

void TLxLabel::SetLightTextStyle(bool Value) {
  if (Value == FLightTextStyle) return;
  FLightTextStyle = Value;
  Invalidate();
}

void TLxLabel::SetRotation(TRotation Value) {
  if (Value == FRotation) return;
  FRotation = Value;
  if (Value != roNone) EnsureTrueType();
  if (Value == roFlat) FCenterPoint = cpCenter;
  Invalidate();
}

void TLxLabel::SetHighlightColor(TColor Value) {
  if (Value == FHighlightColor) return;
  FHighlightColor = Value;
  Invalidate();
}
void TLxLabel::SetShadowColor(TColor Value) {
  if (Value == FShadowColor) return;
  FShadowColor = Value;
  Invalidate();
}
void TLxLabel::SetShadowDepth(int Value) {
  if (Value == FShadowDepth) return;
  FShadowDepth = Value;
  Invalidate();
}
void TLxLabel::SetTextStyle(TTextStyle Value) {
  if (Value == FTextStyle) return;
  FTextStyle = Value;
  Invalidate();
}

void TLxLabel::Loaded() {
  TCustomLabel::Loaded();
  if (FRotation == roNone && FAngle != 0) FRotation = roFlat;
  if (FRotation != roNone || FAngle != 0) EnsureTrueType();
}

void TLxLabel::AdjustBounds() {
  // A rotated caption keeps the bounds it was given.
  if (FRotation != roNone && FAngle != 0) return;
  TCustomLabel::AdjustBounds();
}

void TLxLabel::MouseEnter() {
  if (!FFlyByEnabled || FFlying) return;
  FSavedFontColor = GetFont().GetColor();
  FFlying = true;
  GetFont().SetColor(FFlyByColor);
}

void TLxLabel::MouseLeave() {
  if (!FFlying) return;
  FFlying = false;
  GetFont().SetColor(FSavedFontColor);
}

void TLxLabel::WndProc(TMessage& Message) {
  switch (FMouse.Handle(WindowHandle(), Message)) {
    case 1: MouseEnter(); break;
    case -1: MouseLeave(); break;
    default: break;
  }
  TCustomLabel::WndProc(Message);
}

namespace {
// A font like Base turned by Tenths of a degree.
TFontHandle RotatedFont(TFont& Base, int Tenths) {
  LOGFONTA LF = Base.GetLogFont();
  LF.lfEscapement = Tenths;
  LF.lfOrientation = Tenths;
  LF.lfOutPrecision = OUT_TT_ONLY_PRECIS;
  return TFontHandle(::CreateFontIndirectA(&LF));
}
}  // namespace

void TLxLabel::DrawFlat(HDC DC, int DX, int DY) {
  const std::string Text = GetText();
  TFontHandle Font = RotatedFont(GetFont(), FAngle * 10);
  TSelectObject Sel(DC, Font.Get());
  SIZE Ext{};
  {
    // The unrotated extent of the text.
    TSelectObject Plain(DC, GetFont().GetHandle());
    ::GetTextExtentPoint32A(DC, Text.data(), static_cast<int>(Text.size()), &Ext);
  }
  const int W = GetWidth(), H = GetHeight();
  const int w = Ext.cx, h = Ext.cy;
  int X, Y;
  const TAlignment A = GetAlignment();
  switch (FAngle) {
    case 0:
      X = A == taLeftJustify ? 0 : A == taRightJustify ? W - w : (W - w) / 2;
      Y = (H - h) / 2;
      break;
    case 90:
      X = (W - h) / 2;
      Y = A == taLeftJustify ? H : A == taRightJustify ? w : (H + w) / 2;
      break;
    case 180:
      X = A == taLeftJustify ? W : A == taRightJustify ? w : (W + w) / 2;
      Y = (H + h) / 2;
      break;
    case 270:
      X = (W + h) / 2;
      Y = A == taLeftJustify ? 0 : A == taRightJustify ? H - w : (H - w) / 2;
      break;
    default: {
      // Centred on the label's centre.
      const double T = FAngle * std::numbers::pi / 180.0;
      const double CX = w / 2.0 * std::cos(T) + h / 2.0 * std::sin(T);
      const double CY = -w / 2.0 * std::sin(T) + h / 2.0 * std::cos(T);
      X = static_cast<int>(std::lround(W / 2.0 - CX));
      Y = static_cast<int>(std::lround(H / 2.0 - CY));
      break;
    }
  }
  ::SetTextAlign(DC, TA_LEFT | TA_TOP);
  ::TextOutA(DC, X + DX, Y + DY, Text.data(), static_cast<int>(Text.size()));
}

void TLxLabel::DrawCurved(HDC DC, int DX, int DY) {
  // The caption along an arc that bends down at both ends, its middle at the
  // label's centre.
  const std::string Text = GetText();
  if (Text.empty()) return;
  SIZE Ext{};
  TEXTMETRICA TM{};
  {
    TSelectObject Plain(DC, GetFont().GetHandle());
    ::GetTextExtentPoint32A(DC, Text.data(), static_cast<int>(Text.size()), &Ext);
    ::GetTextMetricsA(DC, &TM);
  }
  // The baseline is a circle arc; the text spans at most a quarter of it.
  const double Radius = std::max<double>(Ext.cx / (std::numbers::pi / 2), GetHeight());
  const double CX = GetWidth() / 2.0;
  const double CY = (GetHeight() - TM.tmHeight) / 2.0 + TM.tmAscent + Radius;
  double S = -Ext.cx / 2.0;
  ::SetTextAlign(DC, TA_CENTER | TA_BASELINE);
  for (char Ch : Text) {
    SIZE CW{};
    {
      TSelectObject Plain(DC, GetFont().GetHandle());
      ::GetTextExtentPoint32A(DC, &Ch, 1, &CW);
    }
    const double Phi = (S + CW.cx / 2.0) / Radius;
    TFontHandle Font = RotatedFont(GetFont(), static_cast<int>(std::lround(-Phi * 1800.0 / std::numbers::pi)));
    TSelectObject Sel(DC, Font.Get());
    const int X = static_cast<int>(std::lround(CX + Radius * std::sin(Phi)));
    const int Y = static_cast<int>(std::lround(CY - Radius * std::cos(Phi)));
    ::TextOutA(DC, X + DX, Y + DY, &Ch, 1);
    S += CW.cx;
  }
}

void TLxLabel::DrawTextCopy(TCanvas& Canvas, int DX, int DY, TColor Color) {
  HDC DC = Canvas.GetHandle();
  const int Saved = ::SaveDC(DC);
  ::SetBkMode(DC, TRANSPARENT);
  ::SetTextColor(DC, ColorToRGB(Color));
  if (FRotation == roCurve) {
    DrawCurved(DC, DX, DY);
  } else if (FRotation == roFlat) {
    DrawFlat(DC, DX, DY);
  } else {
    TSelectObject Sel(DC, GetFont().GetHandle());
    RECT R{DX, DY, GetWidth() + DX, GetHeight() + DY};
    const std::string Text = GetText();
    UINT Flags = DrawTextFlags();
    if (GetLayout() != tlTop) {
      RECT Calc = R;
      ::DrawTextA(DC, Text.c_str(), static_cast<int>(Text.size()), &Calc, Flags | DT_CALCRECT);
      const int TH = Calc.bottom - Calc.top;
      if (GetLayout() == tlCenter)
        R.top += (R.bottom - R.top - TH) / 2;
      else
        R.top = R.bottom - TH;
    }
    ::DrawTextA(DC, Text.c_str(), static_cast<int>(Text.size()), &R, Flags);
  }
  ::RestoreDC(DC, Saved);
}

void TLxLabel::Paint(TCanvas& Canvas) {
  if (!GetTransparent()) FillSolid(Canvas.GetHandle(), RECT{0, 0, GetWidth(), GetHeight()}, GetColor());
  int MainDX = 0;
  switch (FTextStyle) {
    case tsRaised:
      if (!FLightTextStyle) DrawTextCopy(Canvas, 1, 1, FShadowColor);
      DrawTextCopy(Canvas, -1, -1, FHighlightColor);
      break;
    case tsRecessed:
      DrawTextCopy(Canvas, 1, 1, FHighlightColor);
      if (!FLightTextStyle) DrawTextCopy(Canvas, -1, -1, FShadowColor);
      break;
    case tsShadow:
      if (GetAlignment() == taRightJustify) {
        DrawTextCopy(Canvas, 0, FShadowDepth, FShadowColor);
        MainDX = -FShadowDepth;
      } else {
        DrawTextCopy(Canvas, FShadowDepth, FShadowDepth, FShadowColor);
      }
      break;
    case tsNormal: break;
  }
  DrawTextCopy(Canvas, MainDX, 0, GetEnabled() ? GetFont().GetColor() : clGrayText);
}
