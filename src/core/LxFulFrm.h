// The question asked when the message list cannot take another message.
#pragma once

#include "core/LxDlgBase.h"

#include <cstdint>

class TFrmMessageListFull : public TLxConfirmForm {
public:
  TFrmMessageListFull();
  TLabel* Label = nullptr;
  TGroupBox* GrpIgnore = nullptr;
  TLabel* LblIgnore = nullptr;
  TButton* BtnIgnore = nullptr;
  TGroupBox* GrpClear = nullptr;
  TLabel* LblClear = nullptr;
  TButton* BtnClear = nullptr;
};

extern TFrmMessageListFull* FrmMessageListFull;

// Asks, centred over the panel: 5 (mrIgnore) for Ignore, 2 (mrCancel) for Clear.
std::int32_t ListIsFullResponse(TWinControl& Panel);
