// A numeric field with up and down buttons that repeat while held.
#pragma once

#include "components/LxPanel.h"
#include "components/LxSpdBtn.h"
#include "components/LxSpinValue.h"
#include "platform/Timers.h"

#include <memory>

// A speed button that clicks again and again while it is held down: first
// after InitialDelay, then every Delay milliseconds.
class LXCMPS_API TLxRapidFireButton : public TLxSpeedButton {
public:
  explicit TLxRapidFireButton(TComponent* AOwner);
  ~TLxRapidFireButton() override;

  unsigned GetInitialDelay() const { return FInitialDelay; }
  void SetInitialDelay(unsigned Value) { FInitialDelay = Value; }
  unsigned GetDelay() const { return FDelay; }
  void SetDelay(unsigned Value) { FDelay = Value; }
  // The repeat timer (made at the first press; null before).
  TTimer* GetRepeatTimer() const { return FTimer.get(); }
  // One tick of the repeat timer.
  void TimerExpired();

protected:
  void MouseDown(TMouseButton Button, TShiftState Shift, int X, int Y) override;
  void MouseUp(TMouseButton Button, TShiftState Shift, int X, int Y) override;

private:
  unsigned FInitialDelay = 400;
  unsigned FDelay = 100;
  std::unique_ptr<TTimer> FTimer;
};

// The inner edit: right-aligned text while it does not have the focus.
class LXCMPS_API TLxRightEdit : public TCustomEdit {
public:
  explicit TLxRightEdit(TComponent* AOwner);
  void WndProc(TMessage& Message) override;
  // Paints the unfocused look into DC.
  void PaintRight(HDC DC);
};

enum TSpinButtonType : std::uint8_t { sbUp, sbDown };
using TSpinChangingEvent = std::function<void(TObject* Sender, bool& AllowChange)>;
using TSpinButtonEvent = std::function<void(TObject* Sender, TSpinButtonType Button)>;

class LXCMPS_API TLxSpinEdit : public TWinControl {
public:
  explicit TLxSpinEdit(TComponent* AOwner);
  ~TLxSpinEdit() override;

  Extended GetValue();
  void SetValue(Extended Value);
  Extended GetMin() const { return FMin; }
  void SetMin(Extended Value);
  Extended GetMax() const { return FMax; }
  void SetMax(Extended Value);
  Extended GetIncrement() const { return FIncrement; }
  void SetIncrement(Extended Value) { FIncrement = Value; }
  Extended GetPageSize() const { return FPageSize; }
  void SetPageSize(Extended Value) { FPageSize = Value; }
  int GetDecimals() const { return FDecimals; }
  void SetDecimals(int Value);
  bool GetIntegersOnly() const { return FIntegersOnly; }
  void SetIntegersOnly(bool Value);
  bool GetAllowKeyEdit() const { return FAllowKeyEdit; }
  void SetAllowKeyEdit(bool Value) { FAllowKeyEdit = Value; }
  int GetButtonWidth() const { return FButtonWidth; }
  void SetButtonWidth(int Value);
  void SetButtonUpGlyph(TBitmap& Value);
  void SetButtonDownGlyph(TBitmap& Value);
  int GetButtonUpNumGlyphs() const { return FUpButton->GetNumGlyphs(); }
  void SetButtonUpNumGlyphs(int Value) { FUpButton->SetNumGlyphs(Value); }
  int GetButtonDownNumGlyphs() const { return FDownButton->GetNumGlyphs(); }
  void SetButtonDownNumGlyphs(int Value) { FDownButton->SetNumGlyphs(Value); }
  void SetColor(TColor Value) override;

  TLxRightEdit* GetEdit() const { return FEdit; }
  TLxPanel* GetButtonPanel() const { return FButtonPanel; }
  TLxRapidFireButton* GetUpButton() const { return FUpButton; }
  TLxRapidFireButton* GetDownButton() const { return FDownButton; }

  virtual void IncValue(Extended Amount);
  virtual void DecValue(Extended Amount);
  virtual bool IsValidChar(char Key);
  virtual bool GetReadOnly() const;
  virtual void SetReadOnly(bool Value);

  void SetBounds(int ALeft, int ATop, int AWidth, int AHeight) override;

  TNotifyEvent OnChange;          // the text changed
  TSpinChangingEvent OnChanging;  // before a step
  TSpinButtonEvent OnClick;       // after a step, with its direction

  // What the inner edit does with keys (after the user's callbacks).
  void EditKeyDown(WORD& Key, TShiftState Shift);
  void EditKeyPress(char& Key);

protected:
  void FontChanged() override;
  void CreateWindowHandle(const TCreateParams& Params) override;
  void LayoutChildren();
  // The buttons' width follows the DPI; the edit and the buttons are laid out again.
  void DpiChanged(int FromDpi, int ToDpi) override {
    TWinControl::DpiChanged(FromDpi, ToDpi);
    FButtonWidth = FScaledButtonWidth.Rescale(FButtonWidth, FromDpi, ToDpi);
    LayoutChildren();
  }
  void Step(Extended Amount, TSpinButtonType Button);

private:
  TLxPanel* FButtonPanel = nullptr;
  TLxRapidFireButton* FUpButton = nullptr;
  TLxRapidFireButton* FDownButton = nullptr;
  TLxRightEdit* FEdit = nullptr;
  Extended FMin = 0, FMax = 100, FIncrement = 1, FPageSize = 10;
  int FDecimals = 0;
  bool FIntegersOnly = true;
  bool FAllowKeyEdit = false;
  int FButtonWidth = 17;
  TDpiScaledValue FScaledButtonWidth;
  bool FLayingOut = false;
};
