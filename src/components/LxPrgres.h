// A progress bar: a percent bar with its percentage, or LED segments.
#pragma once

#include "components/LxPanel.h"

#include <cstdint>

using TLxProgressChangeEvent = std::function<void(TObject* Sender, int Percent)>;

class LXCMPS_API TLxCustomProgressBar : public TGraphicControl {
public:
  explicit TLxCustomProgressBar(TComponent* AOwner);

  TColor GetBackColor() const { return FBackColor; }
  void SetBackColor(TColor Value);
  TColor GetBarColor() const { return FBarColor; }
  void SetBarColor(TColor Value);
  TBarStyle GetBarStyle() const { return FBarStyle; }
  void SetBarStyle(TBarStyle Value);
  int GetBevelWidth() const { return FBevelWidth; }
  void SetBevelWidth(int Value);
  TColor GetBorderColor() const { return FBorderColor; }
  void SetBorderColor(TColor Value);
  TFrameStyle GetBorderInner() const { return FBorderInner; }
  void SetBorderInner(TFrameStyle Value);
  TFrameStyle GetBorderOuter() const { return FBorderOuter; }
  void SetBorderOuter(TFrameStyle Value);
  int GetBorderWidth() const { return FBorderWidth; }
  void SetBorderWidth(int Value);
  std::uint8_t GetInteriorOffset() const { return FInteriorOffset; }
  void SetInteriorOffset(std::uint8_t Value);
  int GetNumSegments() const { return FNumSegments; }
  void SetNumSegments(int Value);
  TOrientation GetOrientation() const { return FOrientation; }
  void SetOrientation(TOrientation Value);
  std::uint16_t GetPartsComplete() const { return FPartsComplete; }
  // Capped at TotalParts; sets Percent from the share done.
  void SetPartsComplete(std::uint16_t Value);
  std::uint16_t GetPercent() const { return FPercent; }
  void SetPercent(std::uint16_t Value);
  std::uint16_t GetTotalParts() const { return FTotalParts; }
  // Starts over: parts and percent go to 0.
  void SetTotalParts(std::uint16_t Value);
  bool GetShowPercent() const { return FShowPercent; }
  void SetShowPercent(bool Value);

  void IncPartsByOne() { IncParts(1); }
  void IncParts(int N);

  // The orientation follows the shape: vertical when taller than wide.
  void SetBounds(int ALeft, int ATop, int AWidth, int AHeight) override;
  void WndProc(TMessage& Message) override;

  TLxProgressChangeEvent OnChange;

protected:
  void Paint(TCanvas& Canvas) override;

private:
  TColor FBackColor = clWhite;
  TColor FBarColor = clHighlight;
  TBarStyle FBarStyle = bsTraditional;
  int FBevelWidth = 1;
  TColor FBorderColor = clBtnFace;
  TFrameStyle FBorderInner = fsNone;
  TFrameStyle FBorderOuter = fsLowered;
  int FBorderWidth = 0;
  std::uint8_t FInteriorOffset = 0;
  int FNumSegments = 20;
  TOrientation FOrientation = orHorizontal;
  std::uint16_t FPartsComplete = 0;
  std::uint16_t FPercent = 0;
  std::uint16_t FTotalParts = 0;
  bool FShowPercent = true;
};

class LXCMPS_API TLxProgressBar : public TLxCustomProgressBar {
public:
  explicit TLxProgressBar(TComponent* AOwner) : TLxCustomProgressBar(AOwner) {}
};
