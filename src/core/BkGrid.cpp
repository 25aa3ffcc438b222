#include "core/BkGrid.h"

#include <string_view>

void PopulateGrid(TStringGrid& Grid, int RowHeight, const TOrlimoMsgInfo& Msg) {
  const TOrlimoDetails Details = Msg.Details();
  const std::int32_t Lines = Details.Count();
  Grid.SetColCount(2);
  Grid.SetRowCount(Lines > 0 ? Lines + 1 : 2);
  Grid.SetFixedRows(1);
  Grid.SetDefaultRowHeight(RowHeight);
  ResizeGridColumns(Grid);
  Grid.SetCell(0, 0, "Property");
  Grid.SetCell(1, 0, "Value");
  int Row = 1;
  for (const std::string_view Line : Details) {
    const std::size_t Tab = Line.find('\t');
    const std::string_view Name = Tab == std::string_view::npos ? std::string_view() : Line.substr(0, Tab);
    const std::string_view Value = Tab == std::string_view::npos ? Line : Line.substr(Tab + 1);
    Grid.SetCell(0, Row, std::string(Name));
    Grid.SetCell(1, Row, std::string(Value.substr(0, GridValueMax)));
    ++Row;
  }
}

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
