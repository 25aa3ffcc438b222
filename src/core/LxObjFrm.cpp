#include "core/LxObjFrm.h"

#include "core/BkGrid.h"

TFrmInspectObject::TFrmInspectObject() : TFrmInspect("Inspect Object", 200, 244, "BKORLIMO_OBJECT") {
  GrdObject = new TStringGrid(this);
  GrdObject->SetParent(Panel);
  GrdObject->SetAlign(alClient);
  GrdObject->SetColCount(2);
  GrdObject->SetCtl3D(false);
  GrdObject->SetBorder(false);
  GrdObject->SetDefaultRowHeight(17);
  GrdObject->SetFixedCols(0);
  GrdObject->SetRowCount(2);
  GrdObject->SetColWidth(0, 106);
  GrdObject->SetColWidth(1, 89);
  GrdObject->SetOptions(goFixedVertLine | goFixedHorzLine | goVertLine | goHorzLine | goColSizing | goRowSelect |
                        goThumbTracking);
  GrdObject->OnDrawCell = [this](TObject*, int ACol, int ARow, RECT Rect, TGridDrawState State) {
    DrawGridCell(*GrdObject, ACol, ARow, Rect, State);
  };
  SetWidth(200);
}

void TFrmInspectObject::CreateParams(TCreateParams& Params) {
  TFrmInspect::CreateParams(Params);
  Params.X = CW_USEDEFAULT;
  Params.Y = CW_USEDEFAULT;
}

void TFrmInspectObject::Resize() {
  TFrmInspect::Resize();
  if (GrdObject) ResizeGridColumns(*GrdObject);
}

void TFrmInspectObject::ChangeScale(int FromDpi, int ToDpi, bool ScaleFonts) {
  TFrmInspect::ChangeScale(FromDpi, ToDpi, ScaleFonts);
  if (GrdObject) ResizeGridColumns(*GrdObject);
}
