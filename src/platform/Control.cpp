// TControl: bounds, visibility, colours, fonts, text, hints and mouse events.
#include "platform/Controls.h"

#include "platform/PlatformExcept.h"

#include <algorithm>

// ---------------------------------------------------------------- TControl
TControl::TControl(TComponent* AOwner) : TComponent(AOwner) {
  FFont.OnChange = [this](TFont&) {
    if (!FChangingParentFont) FParentFont = false;
    FontChanged();
  };
}

TControl::~TControl() {
  if (FParent) FParent->RemoveControl(this);
}

void TControl::SetParent(TWinControl* AParent) {
  if (AParent == FParent) return;
  if (AParent == this) throw EInvalidOperation("A control cannot have itself as its parent");
  if (FParent) FParent->RemoveControl(this);
  if (AParent) AParent->InsertControl(this);
}

void TControl::SetBounds(int ALeft, int ATop, int AWidth, int AHeight) {
  if (AWidth < 0) AWidth = 0;
  if (AHeight < 0) AHeight = 0;
  if (ALeft == FLeft && ATop == FTop && AWidth == FWidth && AHeight == FHeight) return;
  const bool Sized = AWidth != FWidth || AHeight != FHeight;
  FLeft = ALeft;
  FTop = ATop;
  FWidth = AWidth;
  FHeight = AHeight;
  DoSetBounds(ALeft, ATop, AWidth, AHeight);
  RequestAlign();
  (void)Sized;
}

void TControl::ScaleToDpi(int ToDpi, bool ScaleFonts) {
  if (ToDpi <= 0) ToDpi = DesignDpi;
  if (ToDpi != FCurrentDpi) ChangeScale(FCurrentDpi, ToDpi, ScaleFonts);
}

void TControl::ChangeScale(int FromDpi, int ToDpi, bool ScaleFonts) {
  ScaleBounds(FromDpi, ToDpi);
  if (ScaleFonts) ScaleFont(FromDpi, ToDpi);
  FCurrentDpi = ToDpi;
  DpiChanged(FromDpi, ToDpi);
}

void TControl::ScaleFont(int FromDpi, int ToDpi) {
  if (!FParentFont) FFont.SetHeight(FScaledFont.Rescale(FFont.GetHeight(), FromDpi, ToDpi));
}

void TControl::ScaleBounds(int FromDpi, int ToDpi) {
  // The edges are rescaled, not the sizes: controls that touch keep touching.
  const int L = FScaledLeft.Rescale(FLeft, FromDpi, ToDpi);
  const int T = FScaledTop.Rescale(FTop, FromDpi, ToDpi);
  const int R = FScaledRight.Rescale(FLeft + FWidth, FromDpi, ToDpi);
  const int B = FScaledBottom.Rescale(FTop + FHeight, FromDpi, ToDpi);
  SetBounds(L, T, R - L, B - T);
}

void TControl::UpdateBoundsFields(int ALeft, int ATop, int AWidth, int AHeight) {
  FLeft = ALeft;
  FTop = ATop;
  FWidth = AWidth;
  FHeight = AHeight;
}

SIZE TControl::ClientSizeWithoutHandle() const { return SIZE{FWidth, FHeight}; }

RECT TControl::GetClientRect() {
  SIZE S = ClientSizeWithoutHandle();
  return RECT{0, 0, std::max<LONG>(S.cx, 0), std::max<LONG>(S.cy, 0)};
}

void TControl::SetClientWidth(int Value) { SetWidth(FWidth - GetClientWidth() + Value); }

void TControl::SetClientHeight(int Value) { SetHeight(FHeight - GetClientHeight() + Value); }

POINT TControl::ClientToScreen(POINT P) {
  auto* W = dynamic_cast<TWinControl*>(this);
  if (W && W->HandleAllocated()) {
    ::ClientToScreen(W->WindowHandle(), &P);
    return P;
  }
  POINT Origin{FLeft, FTop};
  if (FParent) Origin = FParent->ClientToScreen(Origin);
  return POINT{P.x + Origin.x, P.y + Origin.y};
}

POINT TControl::ScreenToClient(POINT P) {
  auto* W = dynamic_cast<TWinControl*>(this);
  if (W && W->HandleAllocated()) {
    ::ScreenToClient(W->WindowHandle(), &P);
    return P;
  }
  POINT Origin = ClientToScreen(POINT{0, 0});
  return POINT{P.x - Origin.x, P.y - Origin.y};
}

void TControl::SetVisible(bool Value) {
  if (Value == FVisible) return;
  FVisible = Value;
  DoSetVisible(Value);
  VisibleChanged();
  RequestAlign();
}

bool TControl::Showing() const {
  if (!FVisible) return false;
  if (FParent) return FParent->Showing();
  auto* W = dynamic_cast<const TWinControl*>(this);
  if (W && W->GetParentWindow()) return ::IsWindowVisible(W->GetParentWindow()) != FALSE;
  return true;
}

void TControl::SetEnabled(bool Value) {
  if (Value == FEnabled) return;
  FEnabled = Value;
  DoSetEnabled(Value);
  EnabledChanged();
}

void TControl::SetAlign(TAlign Value) {
  if (Value == FAlign) return;
  const TAlign Old = FAlign;
  FAlign = Value;
  if (FParent && (Old != alNone || Value != alNone)) FParent->AlignControl(this);
}

void TControl::SetColor(TColor Value) {
  FParentColor = false;
  if (Value == FColor) return;
  FColor = Value;
  ColorChanged();
}

void TControl::SetParentColor(bool Value) {
  FParentColor = Value;
  if (Value && FParent && FParent->FColor != FColor) {
    FColor = FParent->FColor;
    ColorChanged();
  }
}

void TControl::SetParentFont(bool Value) {
  FParentFont = Value;
  if (Value && FParent) {
    FChangingParentFont = true;
    FFont.Assign(FParent->FFont);
    FChangingParentFont = false;
  }
}

std::string TControl::GetText() const { return DoGetText(); }

void TControl::SetText(const std::string& Value) {
  if (Value == DoGetText()) {
    FText = Value;
    return;
  }
  FText = Value;
  DoSetText(Value);
  TextChanged();
}

bool TControl::GetShowHint() const {
  if (FParentShowHint && FParent) return FParent->GetShowHint();
  return FShowHint;
}

void TControl::SetPopupMenu(TCustomMenu* Value) {
  if (FPopupMenu) RemoveFreeNotification(FPopupMenu);
  FPopupMenu = Value;
  if (Value) FreeNotification(Value);
}

void TControl::Notification(TComponent* AComponent, TOperation Operation) {
  TComponent::Notification(AComponent, Operation);
  if (Operation == opRemove && AComponent == FPopupMenu) FPopupMenu = nullptr;
}

void TControl::RequestAlign() {
  if (FParent && FAlign != alNone) FParent->AlignControl(this);
}

void TControl::Click() {
  if (OnClick) OnClick(this);
}
void TControl::DblClick() {
  if (OnDblClick) OnDblClick(this);
}
void TControl::MouseDown(TMouseButton Button, TShiftState Shift, int X, int Y) {
  if (OnMouseDown) OnMouseDown(this, Button, Shift, X, Y);
}
void TControl::MouseUp(TMouseButton Button, TShiftState Shift, int X, int Y) {
  if (OnMouseUp) OnMouseUp(this, Button, Shift, X, Y);
}
void TControl::MouseMove(TShiftState Shift, int X, int Y) {
  if (OnMouseMove) OnMouseMove(this, Shift, X, Y);
}
void TControl::Resize() {
  if (OnResize) OnResize(this);
}
void TControl::FontChanged() { Invalidate(); }
void TControl::ColorChanged() { Invalidate(); }
void TControl::TextChanged() { Invalidate(); }
void TControl::EnabledChanged() { Invalidate(); }
void TControl::VisibleChanged() {}
