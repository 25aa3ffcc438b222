// Operations on the string grids of the detail pane and the object window.
#pragma once

#include "platform/Grids.h"

// Empties every cell; the row and column counts stay.
void ClearGrid(TStringGrid& Grid);
// Fits the columns to the grid's width (two columns share it; one takes it).
void ResizeGridColumns(TStringGrid& Grid);
// Draws one cell: a raised header row, navy values, text clipped and opaque.
void DrawGridCell(TStringGrid& Grid, int ACol, int ARow, RECT Rect, TGridDrawState State);
// The width of a vertical scroll bar when the grid's window shows one, else 0.
int GridScrollBarWidth(TStringGrid& Grid);
