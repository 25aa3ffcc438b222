#include "components/LxSpnEdt.h"

#include <cmath>

namespace {
// The two arrow glyphs every spin edit shares, loaded on first use.
TBitmap& ArrowGlyph(bool Up) {
  static TBitmap UpArrow, DownArrow;
  static bool Loaded = false;
  if (!Loaded) {
    Loaded = true;
    try {
      UpArrow.LoadFromResourceName(LxCmpsInstance(), "LXSPNEDT_UPARROW");
      DownArrow.LoadFromResourceName(LxCmpsInstance(), "LXSPNEDT_DOWNARROW");
    } catch (const std::exception&) {
      // Without the library's resources the buttons show no arrows.
    }
  }
  return Up ? UpArrow : DownArrow;
}
}  // namespace

TLxRapidFireButton::TLxRapidFireButton(TComponent* AOwner) : TLxSpeedButton(AOwner) {}

TLxRapidFireButton::~TLxRapidFireButton() = default;

void TLxRapidFireButton::MouseDown(TMouseButton Button, TShiftState Shift, int X, int Y) {
  TLxSpeedButton::MouseDown(Button, Shift, X, Y);
  if (Button != mbLeft || !GetEnabled()) return;
  if (!FTimer) {
    FTimer = std::make_unique<TTimer>(nullptr);
    FTimer->SetEnabled(false);
    FTimer->SetOnTimer([this](TObject*) { TimerExpired(); });
  }
  FTimer->SetInterval(FInitialDelay);
  FTimer->SetEnabled(true);
}

void TLxRapidFireButton::MouseUp(TMouseButton Button, TShiftState Shift, int X, int Y) {
  if (FTimer) FTimer->SetEnabled(false);
  TLxSpeedButton::MouseUp(Button, Shift, X, Y);
}

void TLxRapidFireButton::TimerExpired() {
  if (FTimer) FTimer->SetInterval(FDelay);
  if (GetPressed() && GetMouseCapture()) Click();
}

// ---------------------------------------------------------------------------

TLxRightEdit::TLxRightEdit(TComponent* AOwner) : TCustomEdit(AOwner) {}

void TLxRightEdit::PaintRight(HDC DC) {
  RECT R{};
  ::GetClientRect(WindowHandle(), &R);
  FillSolid(DC, R, GetColor());
  const std::string Text = GetText();
  TSelectObject Sel(DC, GetFont().GetHandle());
  const int Saved = ::SaveDC(DC);
  ::SetBkMode(DC, TRANSPARENT);
  ::SetTextColor(DC, ColorToRGB(GetEnabled() ? GetFont().GetColor() : clGrayText));
  RECT T{R.left, R.top + 2, R.right - 4, R.bottom};
  ::DrawTextA(DC, Text.c_str(), static_cast<int>(Text.size()), &T, DT_RIGHT | DT_TOP | DT_SINGLELINE | DT_NOPREFIX);
  ::RestoreDC(DC, Saved);
}

void TLxRightEdit::WndProc(TMessage& Message) {
  switch (Message.Msg) {
    case WM_PAINT:
      if (!Focused()) {
        TPaintDC DC(WindowHandle());
        PaintRight(DC.Get());
        Message.Result = 0;
        return;
      }
      break;
    case WM_PRINTCLIENT:
      if (!Focused()) {
        PaintRight(reinterpret_cast<HDC>(Message.WParam));
        Message.Result = 0;
        return;
      }
      break;
    case WM_SETFOCUS:
    case WM_KILLFOCUS:
      TCustomEdit::WndProc(Message);
      Invalidate();
      return;
    default: break;
  }
  TCustomEdit::WndProc(Message);
}

// ---------------------------------------------------------------------------

TLxSpinEdit::TLxSpinEdit(TComponent* AOwner) : TWinControl(AOwner) {
  SetTabStop(true);
  FButtonPanel = new TLxPanel(this);
  FButtonPanel->SetParent(this);
  FButtonPanel->SetBorderColor(clWindow);
  FButtonPanel->SetBorderOuter(fsLowered);
  FButtonPanel->SetBorderSides(sdTopSide | sdRightSide | sdBottomSide);
  FButtonPanel->SetBorderWidth(2);

  auto MakeButton = [this](bool Up) {
    auto* B = new TLxRapidFireButton(this);
    B->SetParent(FButtonPanel);
    B->SetGlyph(ArrowGlyph(Up));
    B->SetNumGlyphs(2);
    B->SetWidth(17);
    B->OnClick = [this, Up](TObject*) {
      if (Up)
        IncValue(FIncrement);
      else
        DecValue(FIncrement);
    };
    B->OnMouseDown = [this](TObject*, TMouseButton Button, TShiftState, int, int) {
      if (Button == mbLeft && GetTabStop() && !FEdit->Focused() && FEdit->CanFocus() && FEdit->HandleAllocated())
        FEdit->SetFocus();
    };
    return B;
  };
  FUpButton = MakeButton(true);
  FDownButton = MakeButton(false);

  FEdit = new TLxRightEdit(this);
  FEdit->SetParent(this);
  FEdit->SetColor(clWindow);
  if (!NewStyleControls()) FEdit->SetCtl3D(false);
  FEdit->SetText("0");
  FEdit->OnChange = [this](TObject*) {
    if (OnChange) OnChange(this);
  };
  FEdit->OnKeyDown = [this](TObject*, WORD& Key, TShiftState Shift) {
    if (TWinControl::OnKeyDown) TWinControl::OnKeyDown(this, Key, Shift);
    EditKeyDown(Key, Shift);
  };
  FEdit->OnKeyUp = [this](TObject*, WORD& Key, TShiftState Shift) {
    if (TWinControl::OnKeyUp) TWinControl::OnKeyUp(this, Key, Shift);
  };
  FEdit->OnKeyPress = [this](TObject*, char& Key) {
    if (TWinControl::OnKeyPress) TWinControl::OnKeyPress(this, Key);
    EditKeyPress(Key);
  };
  FEdit->OnMouseDown = [this](TObject*, TMouseButton B, TShiftState S, int X, int Y) {
    if (TControl::OnMouseDown) TControl::OnMouseDown(this, B, S, X, Y);
  };
  FEdit->OnMouseUp = [this](TObject*, TMouseButton B, TShiftState S, int X, int Y) {
    if (TControl::OnMouseUp) TControl::OnMouseUp(this, B, S, X, Y);
  };
  FEdit->OnMouseMove = [this](TObject*, TShiftState S, int X, int Y) {
    if (TControl::OnMouseMove) TControl::OnMouseMove(this, S, X, Y);
  };
  FEdit->OnEnter = [this](TObject*) {
    if (TWinControl::OnEnter) TWinControl::OnEnter(this);
  };
  FEdit->OnExit = [this](TObject*) {
    const Extended V = GetValue();
    if (FMin != FMax && (V < FMin || V > FMax)) SetValue(V);
    if (TWinControl::OnExit) TWinControl::OnExit(this);
  };
  SetBounds(0, 0, 47, 21);
}

TLxSpinEdit::~TLxSpinEdit() = default;

void TLxSpinEdit::CreateWindowHandle(const TCreateParams& Params) {
  TWinControl::CreateWindowHandle(Params);
  LayoutChildren();
}

void TLxSpinEdit::SetBounds(int ALeft, int ATop, int AWidth, int AHeight) {
  const int MinHeight = GetMinFontHeight(GetFont()) + 4 * ::GetSystemMetrics(SM_CYBORDER) + 1;
  TWinControl::SetBounds(ALeft, ATop, AWidth, std::max(AHeight, MinHeight));
  LayoutChildren();
}

void TLxSpinEdit::FontChanged() {
  TWinControl::FontChanged();
  SetBounds(GetLeft(), GetTop(), GetWidth(), GetHeight());
}

void TLxSpinEdit::LayoutChildren() {
  if (FLayingOut || !FEdit) return;
  FLayingOut = true;
  const TLxSpinLayout L = SpinEditLayout(GetWidth(), GetHeight(), FButtonWidth, 0);
  FUpButton->SetBoundsRect(ToRECT(L.UpButton));
  FDownButton->SetBoundsRect(ToRECT(L.DownButton));
  FButtonPanel->SetBounds(L.Panel.Left, L.Panel.Top, FUpButton->GetWidth(), L.Panel.Height());
  FEdit->SetBoundsRect(ToRECT(L.Edit));
  FButtonPanel->BringToFront();
  FLayingOut = false;
}

void TLxSpinEdit::SetButtonWidth(int Value) {
  if (Value == FButtonWidth) return;
  FButtonWidth = Value;
  LayoutChildren();
}

void TLxSpinEdit::SetButtonUpGlyph(TBitmap& Value) { FUpButton->SetGlyph(Value); }
void TLxSpinEdit::SetButtonDownGlyph(TBitmap& Value) { FDownButton->SetGlyph(Value); }

void TLxSpinEdit::SetColor(TColor Value) {
  TWinControl::SetColor(Value);
  if (FEdit) FEdit->SetColor(Value);
}

Extended TLxSpinEdit::GetValue() {
  const std::optional<Extended> V = SpinParse(FEdit->GetText(), LocaleDecimalSeparator());
  return V ? *V : FMin;
}

void TLxSpinEdit::SetValue(Extended Value) {
  FEdit->SetText(SpinFormat(SpinClamp(Value, FMin, FMax), FDecimals, LocaleDecimalSeparator()));
}

void TLxSpinEdit::SetMin(Extended Value) {
  FMin = Value;
  if (FMin > FMax) FMax = FMin;
  Invalidate();
}

void TLxSpinEdit::SetMax(Extended Value) {
  FMax = Value;
  if (FMax < FMin) FMin = FMax;
  Invalidate();
}

void TLxSpinEdit::SetDecimals(int Value) {
  FDecimals = std::clamp(Value, 0, 18);
  SetValue(GetValue());
}

void TLxSpinEdit::SetIntegersOnly(bool Value) {
  FIntegersOnly = Value;
  if (Value) {
    FDecimals = 0;
    SetValue(std::nearbyint(static_cast<double>(GetValue())));
  }
}

bool TLxSpinEdit::GetReadOnly() const { return FEdit->GetReadOnly(); }
void TLxSpinEdit::SetReadOnly(bool Value) { FEdit->SetReadOnly(Value); }

void TLxSpinEdit::Step(Extended Amount, TSpinButtonType Button) {
  if (GetReadOnly()) {
    ::MessageBeep(0);
    return;
  }
  bool Allow = true;
  if (OnChanging) OnChanging(this, Allow);
  if (!Allow) return;
  SetValue(GetValue() + Amount);
  if (OnClick) OnClick(this, Button);
}

void TLxSpinEdit::IncValue(Extended Amount) { Step(Amount, sbUp); }
void TLxSpinEdit::DecValue(Extended Amount) { Step(-Amount, sbDown); }

bool TLxSpinEdit::IsValidChar(char Key) {
  return SpinAcceptsChar(Key, FIntegersOnly, FAllowKeyEdit, LocaleDecimalSeparator());
}

void TLxSpinEdit::EditKeyDown(WORD& Key, TShiftState) {
  switch (Key) {
    case VK_PRIOR:
      IncValue(FPageSize);
      Key = 0;
      break;
    case VK_NEXT:
      DecValue(FPageSize);
      Key = 0;
      break;
    case VK_UP:
      IncValue(FIncrement);
      Key = 0;
      break;
    case VK_DOWN:
      DecValue(FIncrement);
      Key = 0;
      break;
    case VK_DELETE:
      if (!FAllowKeyEdit) {
        ::MessageBeep(0);
        Key = 0;
      }
      break;
    default: break;
  }
}

void TLxSpinEdit::EditKeyPress(char& Key) {
  if (Key == 0) return;
  if (!IsValidChar(Key)) {
    Key = 0;
    ::MessageBeep(0);
  }
}
