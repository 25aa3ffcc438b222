// The string-list inspector window: a string-list message's lines in a text box the user may
// edit, for as long as the user keeps it open.
#pragma once

#include "core/LxInsFrm.h"
#include "platform/StdCtrls.h"

class TFrmInspectStringList : public TFrmInspect {
public:
  TFrmInspectStringList();
  TMemo* EdtStringList = nullptr;
};
