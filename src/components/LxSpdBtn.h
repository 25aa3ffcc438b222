// The speed button the components build on: a flat or raised button that
// shows one frame of a glyph strip (up, disabled, pressed, latched down), can
// latch down in a group, and never takes the focus.
#pragma once

#include "components/LxPanel.h"

#include <memory>
#include <string>

class LXCMPS_API TLxSpeedButton : public TGraphicControl {
public:
  explicit TLxSpeedButton(TComponent* AOwner);
  ~TLxSpeedButton() override;

  TBitmap& GetGlyph() { return *FGlyph; }
  // Takes the picture of Value; a strip whose width is 2 to 4 times its
  // height is read as that many frames.
  void SetGlyph(TBitmap& Value);
  void LoadGlyph(HINSTANCE Instance, const std::string& Name);
  int GetNumGlyphs() const { return FNumGlyphs; }
  void SetNumGlyphs(int Value);
  bool GetFlat() const { return FFlat; }
  void SetFlat(bool Value);
  int GetGroupIndex() const { return FGroupIndex; }
  void SetGroupIndex(int Value) { FGroupIndex = Value; }
  bool GetAllowAllUp() const { return FAllowAllUp; }
  void SetAllowAllUp(bool Value) { FAllowAllUp = Value; }
  bool GetDown() const { return FDown; }
  // Latching down releases the other buttons of the group.
  void SetDown(bool Value);

  // The left button is held on the button with the mouse over it.
  bool GetPressed() const { return FPressed; }
  // Lets the button up at once (the press no longer clicks on release).
  void ReleasePress();

  // Where the glyph is drawn when the button is up: one frame of the art,
  // scaled to the button's DPI (empty without a glyph).
  RECT GlyphRect() const;

  void Click() override;
  void WndProc(TMessage& Message) override;

protected:
  void Paint(TCanvas& Canvas) override;
  void MouseDown(TMouseButton Button, TShiftState Shift, int X, int Y) override;
  void MouseMove(TShiftState Shift, int X, int Y) override;
  void MouseUp(TMouseButton Button, TShiftState Shift, int X, int Y) override;
  void EnabledChanged() override;

private:
  std::unique_ptr<TBitmap> FGlyph;
  int FNumGlyphs = 1;
  bool FFlat = false;
  int FGroupIndex = 0;
  bool FAllowAllUp = false;
  bool FDown = false;
  bool FPressed = false;
  bool FHeld = false;
  TLxMouseTracker FMouse;
};
