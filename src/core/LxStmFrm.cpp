#include "core/LxStmFrm.h"

TFrmInspectStream::TFrmInspectStream() : TFrmInspect("Inspect Stream", 300, 214, "BKORLIMO_STREAM") {
  SetLeft(DesignedLeft);
  SetTop(DesignedTop);
  EdtStream = new TMemo(this);
  EdtStream->SetParent(Panel);
  EdtStream->SetAlign(alClient);
  EdtStream->SetBorder(false);
  EdtStream->SetCtl3D(false);
  EdtStream->SetScrollBars(ssBoth);
  EdtStream->SetWordWrap(false);
  SetWidth(300);
}
