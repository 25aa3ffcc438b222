#include "components/LxSpdBtn.h"

#include <algorithm>

TLxSpeedButton::TLxSpeedButton(TComponent* AOwner) : TGraphicControl(AOwner), FGlyph(std::make_unique<TBitmap>()) {
  SetBounds(0, 0, 23, 22);
}

TLxSpeedButton::~TLxSpeedButton() = default;

void TLxSpeedButton::SetGlyph(TBitmap& Value) {
  FGlyph->Assign(Value);
  if (!FGlyph->Empty()) FNumGlyphs = DetectNumGlyphs(FGlyph->GetWidth(), FGlyph->GetHeight());
  Invalidate();
}

void TLxSpeedButton::LoadGlyph(HINSTANCE Instance, const std::string& Name) {
  FGlyph->LoadFromResourceName(Instance, Name);
  if (!FGlyph->Empty()) FNumGlyphs = DetectNumGlyphs(FGlyph->GetWidth(), FGlyph->GetHeight());
  Invalidate();
}

void TLxSpeedButton::SetNumGlyphs(int Value) {
  Value = std::clamp(Value, 1, 4);
  if (Value == FNumGlyphs) return;
  FNumGlyphs = Value;
  Invalidate();
}

void TLxSpeedButton::SetFlat(bool Value) {
  if (Value == FFlat) return;
  FFlat = Value;
  Invalidate();
}

void TLxSpeedButton::SetDown(bool Value) {
  if (Value == FDown) return;
  if (FDown && FGroupIndex != 0 && !FAllowAllUp) {
    // The last button down in its group stays down, unless another goes down.
    bool OtherDown = false;
    if (TWinControl* P = GetParent())
      for (int I = 0; I < P->GetControlCount(); ++I)
        if (auto* B = dynamic_cast<TLxSpeedButton*>(P->GetControl(I));
            B && B != this && B->FGroupIndex == FGroupIndex && B->FDown)
          OtherDown = true;
    if (!OtherDown) return;
  }
  FDown = Value;
  if (Value && FGroupIndex != 0)
    if (TWinControl* P = GetParent())
      for (int I = 0; I < P->GetControlCount(); ++I)
        if (auto* B = dynamic_cast<TLxSpeedButton*>(P->GetControl(I));
            B && B != this && B->FGroupIndex == FGroupIndex && B->FDown) {
          B->FDown = false;
          B->Invalidate();
        }
  Invalidate();
}

void TLxSpeedButton::ReleasePress() {
  FPressed = false;
  FHeld = false;
  FMouseDownInside = false;
  if (GetMouseCapture()) SetMouseCapture(false);
  Invalidate();
}

void TLxSpeedButton::Click() {
  if (FGroupIndex != 0) {
    if (FAllowAllUp && FDown)
      SetDown(false);
    else if (!FDown)
      SetDown(true);
  }
  TGraphicControl::Click();
}

void TLxSpeedButton::EnabledChanged() {
  FPressed = false;
  Invalidate();
}

void TLxSpeedButton::MouseDown(TMouseButton Button, TShiftState Shift, int X, int Y) {
  if (Button == mbLeft && GetEnabled()) {
    FHeld = true;
    FPressed = true;
    Invalidate();
    Update();
  }
  TGraphicControl::MouseDown(Button, Shift, X, Y);
}

void TLxSpeedButton::MouseMove(TShiftState Shift, int X, int Y) {
  TGraphicControl::MouseMove(Shift, X, Y);
  if (!FHeld) return;
  const bool Inside = X >= 0 && Y >= 0 && X < GetWidth() && Y < GetHeight();
  if (Inside != FPressed) {
    FPressed = Inside;
    Invalidate();
  }
}

void TLxSpeedButton::MouseUp(TMouseButton Button, TShiftState Shift, int X, int Y) {
  if (Button == mbLeft && FHeld) {
    FHeld = false;
    FPressed = false;
    Invalidate();
  }
  TGraphicControl::MouseUp(Button, Shift, X, Y);
}

void TLxSpeedButton::WndProc(TMessage& Message) {
  const int Change = FMouse.Handle(WindowHandle(), Message);
  if (Change != 0 && FFlat) Invalidate();
  if (Message.Msg == WM_CAPTURECHANGED && FHeld) {
    FHeld = false;
    FPressed = false;
    Invalidate();
  }
  TGraphicControl::WndProc(Message);
}

RECT TLxSpeedButton::GlyphRect() const {
  if (FGlyph->Empty()) return RECT{};
  // The art is at 96 DPI: drawn stretched to the button's DPI.
  const int W = ScaleDesign(FGlyph->GetWidth() / FNumGlyphs), H = ScaleDesign(FGlyph->GetHeight());
  const int X = GetCaption().empty() ? (GetWidth() - W) / 2 : ScaleDesign(4);
  const int Y = (GetHeight() - H) / 2;
  return RECT{X, Y, X + W, Y + H};
}

void TLxSpeedButton::Paint(TCanvas& Canvas) {
  HDC DC = Canvas.GetHandle();
  RECT R{0, 0, GetWidth(), GetHeight()};
  const bool Sunk = FPressed || FDown;
  FillSolid(DC, R, FDown && !FPressed ? cl3DLight : GetColor());
  if (!FFlat) {
    DrawButtonBorder(Canvas, R, Sunk);
  } else if (Sunk) {
    DrawSides(Canvas, R, clBtnShadow, clBtnHighlight, sdAllSides);
  } else if (FMouse.Inside() && GetEnabled()) {
    DrawSides(Canvas, R, clBtnHighlight, clBtnShadow, sdAllSides);
  }
  const int Offset = Sunk ? 1 : 0;
  int GlyphRight = 0;
  if (!FGlyph->Empty()) {
    int Frame = 0;
    if (!GetEnabled())
      Frame = FNumGlyphs > 1 ? 1 : 0;
    else if (FPressed)
      Frame = FNumGlyphs > 2 ? 2 : 0;
    else if (FDown)
      Frame = FNumGlyphs > 3 ? 3 : 0;
    const int FW = FGlyph->GetWidth() / FNumGlyphs, FH = FGlyph->GetHeight();
    const RECT G = GlyphRect();
    const int DW = G.right - G.left, DH = G.bottom - G.top;
    const int X = G.left + Offset, Y = G.top + Offset;
    HDC GlyphDC = FGlyph->GetCanvas().GetHandle();
    const COLORREF Transparent = ::GetPixel(GlyphDC, 0, FH - 1);
    StretchTransparentCopy(DC, X, Y, DW, DH, GlyphDC, Frame * FW, 0, FW, FH, Transparent);
    GlyphRight = X + DW;
  }
  const std::string Text = GetCaption();
  if (!Text.empty()) {
    Canvas.GetFont().Assign(GetFont());
    Canvas.GetBrush().SetStyle(bsClear);
    RECT T{GlyphRight ? GlyphRight + ScaleDesign(4) : Offset, Offset, GetWidth() + Offset, GetHeight() + Offset};
    if (!GetEnabled()) Canvas.GetFont().SetColor(clGrayText);
    Canvas.DrawText(Text, T, DT_SINGLELINE | DT_VCENTER | (GlyphRight ? DT_LEFT : DT_CENTER));
    Canvas.GetBrush().SetStyle(bsSolid);
  }
}
