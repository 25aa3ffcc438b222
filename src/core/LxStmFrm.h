// The stream inspector window: a stream message's text in a text box the user may
// edit, for as long as the user keeps it open.
#pragma once

#include "core/LxInsFrm.h"
#include "platform/StdCtrls.h"

class TFrmInspectStream : public TFrmInspect {
public:
  TFrmInspectStream();
  TMemo* EdtStream = nullptr;
};
