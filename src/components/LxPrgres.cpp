#include "components/LxPrgres.h"

#include <algorithm>

TLxCustomProgressBar::TLxCustomProgressBar(TComponent* AOwner) : TGraphicControl(AOwner) { SetBounds(0, 0, 200, 24); }

void TLxCustomProgressBar::SetBounds(int ALeft, int ATop, int AWidth, int AHeight) {
  TGraphicControl::SetBounds(ALeft, ATop, AWidth, AHeight);
  FOrientation = AHeight > AWidth ? orVertical : orHorizontal;
}

#define LX_SETTER(Name, Type, Field)                 \
  void TLxCustomProgressBar::Set##Name(Type Value) { \
    if (Value == Field) return;                      \
    Field = Value;                                   \
    Invalidate();                                    \
  }
LX_SETTER(BackColor, TColor, FBackColor)
LX_SETTER(BarColor, TColor, FBarColor)
LX_SETTER(BarStyle, TBarStyle, FBarStyle)
LX_SETTER(BevelWidth, int, FBevelWidth)
LX_SETTER(BorderColor, TColor, FBorderColor)
LX_SETTER(BorderInner, TFrameStyle, FBorderInner)
LX_SETTER(BorderOuter, TFrameStyle, FBorderOuter)
LX_SETTER(BorderWidth, int, FBorderWidth)
LX_SETTER(InteriorOffset, std::uint8_t, FInteriorOffset)
LX_SETTER(NumSegments, int, FNumSegments)
LX_SETTER(Orientation, TOrientation, FOrientation)
LX_SETTER(ShowPercent, bool, FShowPercent)
#undef LX_SETTER

void TLxCustomProgressBar::SetPercent(std::uint16_t Value) {
  if (Value == FPercent) return;
  FPercent = Value;
  if (OnChange) OnChange(this, FPercent);
  Invalidate();
}

void TLxCustomProgressBar::SetPartsComplete(std::uint16_t Value) {
  FPartsComplete = std::min(Value, FTotalParts);
  SetPercent(ProgressPercent(FPartsComplete, FTotalParts));
}

void TLxCustomProgressBar::SetTotalParts(std::uint16_t Value) {
  FTotalParts = Value;
  FPartsComplete = 0;
  SetPercent(0);
}

void TLxCustomProgressBar::IncParts(int N) {
  SetPartsComplete(static_cast<std::uint16_t>(std::clamp(FPartsComplete + N, 0, 0xFFFF)));
}

void TLxCustomProgressBar::WndProc(TMessage& Message) {
  if (TLxCustomStatusBar::PassHitToSizeGrip(*this, Message)) return;
  TGraphicControl::WndProc(Message);
}

void TLxCustomProgressBar::Paint(TCanvas& Canvas) {
  HDC DC = Canvas.GetHandle();
  RECT R{0, 0, GetWidth(), GetHeight()};
  FillSolid(DC, R, GetColor());
  R = DrawBorder(Canvas, R, FBorderOuter);
  if (FBorderWidth > 0) R = DrawBevel(Canvas, R, FBorderColor, FBorderColor, FBorderWidth, sdAllSides);
  R = DrawBorder(Canvas, R, FBorderInner);
  if (FInteriorOffset > 0) R = DrawBevel(Canvas, R, FBackColor, FBackColor, FInteriorOffset, sdAllSides);
  Canvas.GetFont().Assign(GetFont());
  if (FBarStyle == bsLED)
    DrawLEDBar(Canvas, R, FOrientation, FPercent, FNumSegments, FBackColor, FBarColor);
  else
    DrawPercentBar(Canvas, R, FOrientation, FShowPercent, FPercent, FBackColor, FBarColor);
}
