// The object inspector window: an object message's properties in a grid
// like the inspector pane's, for as long as the user keeps it open.
#pragma once

#include "core/LxInsFrm.h"
#include "platform/Grids.h"

class TFrmInspectObject : public TFrmInspect {
public:
  TFrmInspectObject();
  TStringGrid* GrdObject = nullptr;

protected:
  // The system places the window.
  void CreateParams(TCreateParams& Params) override;
  void Resize() override;
};
