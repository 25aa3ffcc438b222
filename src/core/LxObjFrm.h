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
  // Rescaled and laid out for another DPI, the columns share the grid's new
  // width again (as after any resize), not each its own rescaled width.
  void ChangeScale(int FromDpi, int ToDpi, bool ScaleFonts) override;
};
