// Status panes for a status bar: text, glyph, and the self-updating clock,
// lock-key and resource panes that share one timer.
#pragma once

#include "components/LxPanel.h"
#include "platform/Timers.h"

#include <memory>
#include <string>
#include <vector>

class LXCMPS_API TLxCustomStatusPane : public TGraphicControl {
public:
  explicit TLxCustomStatusPane(TComponent* AOwner);

  TFrameStyle GetFrameStyle() const { return FFrameStyle; }
  void SetFrameStyle(TFrameStyle Value);
  int GetBorderWidth() const { return FBorderWidth; }
  void SetBorderWidth(int Value);
  TColor GetFillColor() const { return FFillColor; }
  void SetFillColor(TColor Value);
  TAlignment GetAlignment() const { return FAlignment; }
  void SetAlignment(TAlignment Value);
  int GetCaptionOffset() const { return FCaptionOffset; }
  void SetCaptionOffset(int Value);

  // The rectangle the caption is drawn in.
  virtual RECT GetCaptionRect();
  // Whether the pane's right end sits on the right edge of a status bar
  // (its last 12 pixels then belong to the bar's size grip).
  bool AtSizeGrip();

  TNotifyEvent OnMouseEnter;
  TNotifyEvent OnMouseLeave;

  void WndProc(TMessage& Message) override;

protected:
  void Paint(TCanvas& Canvas) override;
  void TextChanged() override;
  void EnabledChanged() override;
  // Draws Text in R as the pane's caption (engraved when DrawEnabled is off).
  void DrawCaption(TCanvas& Canvas, const RECT& R, const std::string& Text);
  // The text painted as the caption (default: the Caption).
  virtual std::string CaptionText();
  // Whether the caption is drawn normally (off: engraved).
  virtual bool DrawEnabled() { return GetEnabled(); }
  virtual void MouseEnter();
  virtual void MouseLeave();

  TFrameStyle FFrameStyle = fsStatus;
  int FBorderWidth = 1;
  TColor FFillColor = clBtnFace;
  TAlignment FAlignment = taLeftJustify;
  int FCaptionOffset = 2;
  TLxMouseTracker FMouse;
};

class LXCMPS_API TLxStatusPane : public TLxCustomStatusPane {
public:
  explicit TLxStatusPane(TComponent* AOwner) : TLxCustomStatusPane(AOwner) {}
};

// ---------------------------------------------------------------------------

class LXCMPS_API TLxCustomGlyphStatus : public TLxCustomStatusPane {
public:
  explicit TLxCustomGlyphStatus(TComponent* AOwner);
  ~TLxCustomGlyphStatus() override;

  TBitmap& GetGlyph() { return *FGlyph; }
  // Takes the picture of Value; the frames are counted again.
  void SetGlyph(TBitmap& Value);
  // Loads the glyph from a bitmap resource of Instance.
  void LoadGlyph(HINSTANCE Instance, const std::string& Name);
  int GetNumGlyphs() const { return FNumGlyphs; }
  void SetNumGlyphs(int Value);
  TGlyphAlignment GetGlyphAlignment() const { return FGlyphAlignment; }
  void SetGlyphAlignment(TGlyphAlignment Value);
  int GetGlyphOffset() const { return FGlyphOffset; }
  void SetGlyphOffset(int Value);

  RECT GetCaptionRect() override;

protected:
  void Paint(TCanvas& Canvas) override;
  void GlyphChanged();

private:
  std::unique_ptr<TBitmap> FGlyph;
  int FNumGlyphs = 1;
  TGlyphAlignment FGlyphAlignment = gaLeft;
  int FGlyphOffset = 2;
};

class LXCMPS_API TLxGlyphStatus : public TLxCustomGlyphStatus {
public:
  explicit TLxGlyphStatus(TComponent* AOwner) : TLxCustomGlyphStatus(AOwner) {}
};

// ---------------------------------------------------------------------------
class TLxPollingStatus;

// The one timer of all polling panes and the panes it serves, in registration order.
class LXCMPS_API TLxPollingTimer {
public:
  TLxPollingTimer();
  ~TLxPollingTimer();
  TLxPollingTimer(const TLxPollingTimer&) = delete;
  TLxPollingTimer& operator=(const TLxPollingTimer&) = delete;

  TTimer& GetTimer() { return *FTimer; }
  const std::vector<TLxPollingStatus*>& GetPanes() const { return FPanes; }
  void Register(TLxPollingStatus* Pane);
  void Unregister(TLxPollingStatus* Pane);
  // One tick: every registered pane's TimerExpired. A pane freed meanwhile is
  // skipped; when none is left, the timer frees itself as the tick returns.
  void Tick();
  bool Ticking() const { return FTicking > 0; }

  // The shared timer (null while no polling pane exists).
  static TLxPollingTimer* Instance();

private:
  std::unique_ptr<TTimer> FTimer;
  std::vector<TLxPollingStatus*> FPanes;
  int FTicking = 0;
};

class LXCMPS_API TLxPollingStatus : public TLxCustomStatusPane {
public:
  explicit TLxPollingStatus(TComponent* AOwner);
  ~TLxPollingStatus() override;

  // Both apply to every polling pane: there is one timer.
  bool GetActive() const;
  void SetActive(bool Value);
  unsigned GetInterval() const;
  void SetInterval(unsigned Value);

  TNotifyEvent OnTimerExpired;
  virtual void TimerExpired();
};

class LXCMPS_API TLxClockStatus : public TLxPollingStatus {
public:
  explicit TLxClockStatus(TComponent* AOwner);
  const std::string& GetFormat() const { return FFormat; }
  void SetFormat(const std::string& Value);
  void TimerExpired() override;
  RECT GetCaptionRect() override;
  // The clock's text now.
  std::string ClockText();
  const std::string& GetDisplayText() const { return FText; }

protected:
  std::string CaptionText() override { return FText; }

private:
  void UpdateText();
  std::string FFormat;
  std::string FText;
};

enum TLxToggleKey : std::uint8_t { tkCapsLock, tkNumLock, tkScrollLock };

class LXCMPS_API TLxKeyStatus : public TLxPollingStatus {
public:
  explicit TLxKeyStatus(TComponent* AOwner);
  TLxToggleKey GetKey() const { return FKey; }
  void SetKey(TLxToggleKey Value);
  void TimerExpired() override;
  bool GetKeyOn() const { return FKeyOn; }

protected:
  std::string CaptionText() override;
  bool DrawEnabled() override { return GetEnabled() && FKeyOn; }

private:
  bool ReadKey() const;
  TLxToggleKey FKey = tkCapsLock;
  bool FKeyOn = false;
};

enum TLxResourceType : std::uint8_t { rtSystem, rtUser, rtGDI, rtMemory };
enum TLxDisplayStyle : std::uint8_t { dsBar, dsText };

class LXCMPS_API TLxResourceStatus : public TLxPollingStatus {
public:
  explicit TLxResourceStatus(TComponent* AOwner);

  TLxResourceType GetResourceType() const { return FResourceType; }
  void SetResourceType(TLxResourceType Value);
  TLxDisplayStyle GetDisplayStyle() const { return FDisplayStyle; }
  void SetDisplayStyle(TLxDisplayStyle Value);
  TBarStyle GetBarStyle() const { return FBarStyle; }
  void SetBarStyle(TBarStyle Value);
  TColor GetBarColor() const { return FBarColor; }
  void SetBarColor(TColor Value);
  TColor GetBackColor() const { return FBackColor; }
  void SetBackColor(TColor Value);
  int GetNumSegments() const { return FNumSegments; }
  void SetNumSegments(int Value);
  TOrientation GetOrientation() const { return FOrientation; }
  void SetOrientation(TOrientation Value);
  bool GetShowPercent() const { return FShowPercent; }
  void SetShowPercent(bool Value);

  void TimerExpired() override;
  int GetValue() const { return FValue; }

protected:
  void Paint(TCanvas& Canvas) override;
  std::string CaptionText() override;

private:
  void ReadValue();
  TLxResourceType FResourceType = rtSystem;
  TLxDisplayStyle FDisplayStyle = dsBar;
  TBarStyle FBarStyle = bsTraditional;
  TColor FBarColor = clHighlight;
  TColor FBackColor = clBtnFace;
  int FNumSegments = 15;
  TOrientation FOrientation = orHorizontal;
  bool FShowPercent = false;
  int FValue = -1;
  unsigned long long FAvailKB = 0;
};
