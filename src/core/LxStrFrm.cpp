#include "core/LxStrFrm.h"

TFrmInspectStringList::TFrmInspectStringList() : TFrmInspect("Inspect String List", 300, 214, "BKORLIMO_STRINGLIST") {
  SetLeft(DesignedLeft);
  SetTop(DesignedTop);
  EdtStringList = new TMemo(this);
  EdtStringList->SetParent(Panel);
  EdtStringList->SetAlign(alClient);
  EdtStringList->SetBorder(false);
  EdtStringList->SetCtl3D(false);
  EdtStringList->SetScrollBars(ssVertical);
  EdtStringList->SetWordWrap(true);
  SetWidth(300);
}
