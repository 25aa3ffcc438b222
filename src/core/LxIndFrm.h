// The confirmation asked before the indent level is reset to 0.
#pragma once

#include "core/LxDlgBase.h"

class TFrmResetIndentLevel : public TLxConfirmForm {
public:
  TFrmResetIndentLevel();
  TLabel* Label = nullptr;
  TButton* BtnYes = nullptr;
  TButton* BtnNo = nullptr;
};

extern TFrmResetIndentLevel* FrmResetIndentLevel;

// Asks, centred over the panel; true when the user chose Yes.
bool ActuallyResetIndentLevel(TWinControl& Panel);
