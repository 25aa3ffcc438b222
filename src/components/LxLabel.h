// A label with raised, recessed or shadowed text, rotated or curved text,
// and a fly-by colour while the mouse is over it.
#pragma once

#include "components/LxPanel.h"

class LXCMPS_API TLxLabel : public TCustomLabel {
public:
  explicit TLxLabel(TComponent* AOwner);

  int GetAngle() const { return FAngle; }
  // Degrees, brought into 0 to 359; a non-zero angle turns AutoSize off.
  void SetAngle(int Value);
  TCenterPoint GetCenterPoint() const { return FCenterPoint; }
  void SetCenterPoint(TCenterPoint Value);
  TColor GetFlyByColor() const { return FFlyByColor; }
  void SetFlyByColor(TColor Value) { FFlyByColor = Value; }
  bool GetFlyByEnabled() const { return FFlyByEnabled; }
  void SetFlyByEnabled(bool Value);
  bool GetLightTextStyle() const { return FLightTextStyle; }
  void SetLightTextStyle(bool Value);
  TRotation GetRotation() const { return FRotation; }
  void SetRotation(TRotation Value);
  TColor GetHighlightColor() const { return FHighlightColor; }
  void SetHighlightColor(TColor Value);
  TColor GetShadowColor() const { return FShadowColor; }
  void SetShadowColor(TColor Value);
  int GetShadowDepth() const { return FShadowDepth; }
  void SetShadowDepth(int Value);
  TTextStyle GetTextStyle() const { return FTextStyle; }
  void SetTextStyle(TTextStyle Value);

  void AdjustBounds() override;
  void WndProc(TMessage& Message) override;

protected:
  void Paint(TCanvas& Canvas) override;
  void Loaded() override;
  virtual void MouseEnter();
  virtual void MouseLeave();

private:
  // Rotated text needs a TrueType font: others become "Arial".
  void EnsureTrueType();
  // One copy of the caption, moved by (DX, DY), in Color.
  void DrawTextCopy(TCanvas& Canvas, int DX, int DY, TColor Color);
  void DrawFlat(HDC DC, int DX, int DY);
  void DrawCurved(HDC DC, int DX, int DY);

  int FAngle = 0;
  TCenterPoint FCenterPoint = cpCenter;
  TColor FFlyByColor = clHighlight;
  bool FFlyByEnabled = false;
  bool FLightTextStyle = false;
  TRotation FRotation = roNone;
  TColor FHighlightColor = clBtnHighlight;
  TColor FShadowColor = clBtnShadow;
  int FShadowDepth = 2;
  TTextStyle FTextStyle = tsRecessed;
  TLxMouseTracker FMouse;
  bool FFlying = false;
  TColor FSavedFontColor = clWindowText;
};
