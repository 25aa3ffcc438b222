#include "core/LxInsFrm.h"

TFrmInspect::TFrmInspect(const std::string& Caption, int Width, int Height) : TForm(&InspectorWindowOwner()) {
  SetBorderStyle(bsSizeable);
  SetFormStyle(fsStayOnTop);
  SetCaption(Caption);
  GetFont().SetName("MS Sans Serif");
  GetFont().SetHeight(-11);
  SetWidth(Width);
  SetHeight(Height);
  Panel = new TLxPanel(this);
  Panel->SetParent(this);
  Panel->SetAlign(alClient);
  Panel->SetBorderOuter(fsLowered);
  Panel->SetFrameSides(0);
}

void TFrmInspect::DoClose(TCloseAction& Action) {
  TForm::DoClose(Action);
  if (Action == caHide) Action = caFree;
}

TComponent& InspectorWindowOwner() {
  static TComponent Owner(nullptr);
  return Owner;
}
