#include "core/BkGrid.h"

void ClearGrid(TStringGrid& Grid) {
  for (int C = 0; C < Grid.GetColCount(); ++C) Grid.ClearColumn(C);
}

int GridScrollBarWidth(TStringGrid& Grid) {
  if (!Grid.HandleAllocated()) return 0;
  return (GetWindowLongA(Grid.WindowHandle(), GWL_STYLE) & WS_VSCROLL) ? GetSystemMetrics(SM_CXVSCROLL) : 0;
}

void ResizeGridColumns(TStringGrid& Grid) {
  const int W = Grid.GetWidth() - GridScrollBarWidth(Grid);
  if (Grid.GetColCount() == 2) {
    const int First = W / 2;
    Grid.SetColWidth(0, First);
    Grid.SetColWidth(1, W - First - 2);
  } else {
    Grid.SetColWidth(0, W);
  }
}

void DrawGridCell(TStringGrid& Grid, int ACol, int ARow, RECT Rect, TGridDrawState State) {
  TCanvas& C = Grid.GetCanvas();
  if (Grid.GetFixedRows() == 1 && ARow == 0) {
    C.GetPen().SetColor(clBtnHighlight);
    C.MoveTo(Rect.left, Rect.bottom - 1);
    C.LineTo(Rect.left, Rect.top);
    C.LineTo(Rect.right, Rect.top);
    C.GetPen().SetColor(clBtnShadow);
    C.MoveTo(Rect.right - 1, Rect.top + 1);
    C.LineTo(Rect.right - 1, Rect.bottom - 1);
    C.LineTo(Rect.left, Rect.bottom - 1);
    InflateRect(&Rect, -1, -1);
    C.GetFont().SetStyle(C.GetFont().GetStyle() | fsBold);
  }
  if (Grid.GetColCount() == 2 && ACol == 1 && ARow > 0 && !(State & gdSelected)) C.GetFont().SetColor(RGB(0, 0, 128));
  C.TextRect(Rect, Rect.left + 2, Rect.top, Grid.GetCell(ACol, ARow));
}
