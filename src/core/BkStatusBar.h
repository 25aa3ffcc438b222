// The viewer's status bar: the components library's status bar with a look
// that is fixed when it is made (it never restyles itself).
#pragma once

#include "components/LxPanel.h"

class TBkOrlimoStatusBar : public TLxStatusBar {
public:
  // New look: no borders on any side, 19 pixels high. Old look: a popup outer
  // border and no frame line on top, 24 pixels high. Border width 0 in both.
  explicit TBkOrlimoStatusBar(TComponent* AOwner);

  // The look stays as made.
  void AdjustStyle() override {}
};
