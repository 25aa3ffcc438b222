// Operations on the string grids of the detail pane and the object window.
#pragma once

#include "model/OrlimoMsg.h"
#include "platform/Grids.h"

#include <cstddef>

// The longest value a cell of the object grid shows.
inline constexpr std::size_t GridValueMax = 255;

// Fills the grid from an object message: a header row "Property" / "Value",
// then one row per details line, split at its first TAB (a line without one
// is all value); values are cut to GridValueMax characters. A message without
// details lines gets the header and one empty row.
void PopulateGrid(TStringGrid& Grid, int RowHeight, const TOrlimoMsgInfo& Msg);
// Empties every cell; the row and column counts stay.
void ClearGrid(TStringGrid& Grid);
// Fits the columns to the grid's width (two columns share it; one takes it).
void ResizeGridColumns(TStringGrid& Grid);
// Draws one cell: a raised header row, navy values, text clipped and opaque.
void DrawGridCell(TStringGrid& Grid, int ACol, int ARow, RECT Rect, TGridDrawState State);
// The width of a vertical scroll bar when the grid's window shows one, else 0.
int GridScrollBarWidth(TStringGrid& Grid);
