// A timer component. OnTimer runs on the GUI thread every Interval ms while
// Enabled; the system timer (SetTimer on the application's window) exists
// while Enabled and Interval > 0, from construction on. Tests drive the
// handler by calling Timer() directly.
#pragma once

#include "platform/Controls.h"

class TTimer : public TComponent {
public:
  explicit TTimer(TComponent* AOwner);
  ~TTimer() override;

  // Enabled is true when created.
  bool GetEnabled() const { return FEnabled; }
  void SetEnabled(bool Value);
  unsigned GetInterval() const { return FInterval; }  // ms, 1000 when created
  void SetInterval(unsigned Value);
  void SetOnTimer(TNotifyEvent Value);
  // Whether a system timer is running now.
  bool IsActive() const { return FId != 0; }

  // What the system timer calls: runs OnTimer.
  virtual void Timer();
  TNotifyEvent OnTimer;

  // Dispatch from the application window.
  static bool DispatchTimer(UINT_PTR Id);

private:
  void UpdateTimer();
  bool FEnabled = true;
  unsigned FInterval = 1000;
  UINT_PTR FId = 0;
};
