// The viewer's status bar: the components library's status bar with a look
// that is fixed when it is made (it has no style of its own to re-apply), and
// a simple mode that shows or hides the panes as they are.
#pragma once

#include "components/LxPanel.h"

class TBkOrlimoStatusBar : public TLxCustomStatusBar {
public:
  // New look: no borders on any side, 19 pixels high. Old look: a popup outer
  // border and no frame line on top, 24 pixels high. Border width 0 in both.
  explicit TBkOrlimoStatusBar(TComponent* AOwner);
};
