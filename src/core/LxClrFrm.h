// The confirmation asked before the message list is cleared.
#pragma once

#include "core/LxDlgBase.h"

#include <cstdint>

class TFrmConfirmClear : public TLxConfirmForm {
public:
  TFrmConfirmClear();
  TLabel* Label = nullptr;
  TButton* BtnYes = nullptr;
  TButton* BtnNo = nullptr;
};

// The dialog while it is up (nothing else uses it).
extern TFrmConfirmClear* FrmConfirmClear;

// Asks "Clear All Messages?" just inside the panel's top-left corner, below
// ExtraOffset pixels (the toolbar). True when the user did not confirm.
bool UserAbortsClear(TWinControl& Panel, std::int32_t ExtraOffset);
