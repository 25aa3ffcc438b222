#include "platform/Grids.h"

#include <algorithm>

namespace {
const std::string EmptyCell;
}

TStringGrid::TStringGrid(TComponent* AOwner) : TCustomControl(AOwner) {
  FClickEvents = false;  // a click is a change of the current cell
  SetTabStop(true);
  FColor = clWindow;
  SetBounds(0, 0, 320, 120);
  FColWidths.assign(5, FDefaultColWidth);
  FRowHeights.assign(5, FDefaultRowHeight);
  FCells.assign(5, std::vector<std::string>(5));
}

void TStringGrid::CreateParams(TCreateParams& P) {
  TCustomControl::CreateParams(P);
  if (FBorder) {
    if (FCtl3D)
      P.ExStyle |= WS_EX_CLIENTEDGE;
    else
      P.Style |= WS_BORDER;
  }
  if (GetWindowClassName().empty()) P.WinClassName = "TOrlimoStringGrid";
}

void TStringGrid::CreateWindowHandle(const TCreateParams& P) {
  TCustomControl::CreateWindowHandle(P);
  UpdateScrollBars();
}

void TStringGrid::Changed() {
  UpdateScrollBars();
  Invalidate();
}

void TStringGrid::SetColCount(int Value) {
  Value = std::max(Value, 1);
  if (Value == GetColCount()) return;
  FColWidths.resize(static_cast<size_t>(Value), FDefaultColWidth);
  FCells.resize(static_cast<size_t>(Value), std::vector<std::string>(static_cast<size_t>(GetRowCount())));
  FFixedCols = std::min(FFixedCols, Value - 1);
  FCol = std::clamp(FCol, FFixedCols, Value - 1);
  FLeftCol = std::clamp(FLeftCol, FFixedCols, Value - 1);
  Changed();
}

void TStringGrid::SetRowCount(int Value) {
  Value = std::max(Value, 1);
  if (Value == GetRowCount()) return;
  FRowHeights.resize(static_cast<size_t>(Value), FDefaultRowHeight);
  for (auto& Column : FCells) Column.resize(static_cast<size_t>(Value));
  FFixedRows = std::min(FFixedRows, Value - 1);
  FRow = std::clamp(FRow, FFixedRows, Value - 1);
  FTopRow = std::clamp(FTopRow, FFixedRows, Value - 1);
  Changed();
}

void TStringGrid::SetFixedCols(int Value) {
  FFixedCols = std::clamp(Value, 0, GetColCount() - 1);
  FLeftCol = FFixedCols;
  FCol = std::max(FCol, FFixedCols);
  Changed();
}

void TStringGrid::SetFixedRows(int Value) {
  FFixedRows = std::clamp(Value, 0, GetRowCount() - 1);
  FTopRow = FFixedRows;
  FRow = std::max(FRow, FFixedRows);
  Changed();
}

void TStringGrid::SetDefaultColWidth(int Value) {
  FDefaultColWidth = Value;
  std::fill(FColWidths.begin(), FColWidths.end(), Value);
  Changed();
}

void TStringGrid::SetDefaultRowHeight(int Value) {
  FDefaultRowHeight = Value;
  std::fill(FRowHeights.begin(), FRowHeights.end(), Value);
  Changed();
}

int TStringGrid::GetColWidth(int ACol) const {
  return ACol >= 0 && ACol < GetColCount() ? FColWidths[static_cast<size_t>(ACol)] : 0;
}

void TStringGrid::SetColWidth(int ACol, int Value) {
  if (ACol < 0 || ACol >= GetColCount() || FColWidths[static_cast<size_t>(ACol)] == Value) return;
  FColWidths[static_cast<size_t>(ACol)] = std::max(Value, 0);
  Changed();
}

int TStringGrid::GetRowHeight(int ARow) const {
  return ARow >= 0 && ARow < GetRowCount() ? FRowHeights[static_cast<size_t>(ARow)] : 0;
}

void TStringGrid::SetRowHeight(int ARow, int Value) {
  if (ARow < 0 || ARow >= GetRowCount() || FRowHeights[static_cast<size_t>(ARow)] == Value) return;
  FRowHeights[static_cast<size_t>(ARow)] = std::max(Value, 0);
  Changed();
}

void TStringGrid::SetOptions(TGridOptions Value) {
  if (Value == FOptions) return;
  FOptions = Value;
  Changed();
}

void TStringGrid::SetScrollBars(TScrollStyle Value) {
  if (Value == FScrollBars) return;
  FScrollBars = Value;
  UpdateScrollBars();
}

void TStringGrid::SetBorder(bool Value) {
  if (Value == FBorder) return;
  FBorder = Value;
  RecreateWnd();
}

void TStringGrid::SetCtl3D(bool Value) {
  if (Value == FCtl3D) return;
  FCtl3D = Value;
  RecreateWnd();
}

void TStringGrid::SetFixedColor(TColor Value) {
  FFixedColor = Value;
  Invalidate();
}

const std::string& TStringGrid::GetCell(int ACol, int ARow) const {
  if (ACol < 0 || ACol >= GetColCount() || ARow < 0 || ARow >= GetRowCount()) return EmptyCell;
  return FCells[static_cast<size_t>(ACol)][static_cast<size_t>(ARow)];
}

void TStringGrid::SetCell(int ACol, int ARow, const std::string& Value) {
  if (ACol < 0 || ACol >= GetColCount() || ARow < 0 || ARow >= GetRowCount()) return;
  std::string& Cell = FCells[static_cast<size_t>(ACol)][static_cast<size_t>(ARow)];
  if (Cell == Value) return;
  Cell = Value;
  if (HandleAllocated()) {
    RECT R = CellRect(ACol, ARow);
    if (!::IsRectEmpty(&R)) ::InvalidateRect(WindowHandle(), &R, FALSE);
  }
}

void TStringGrid::ClearColumn(int ACol) {
  if (ACol < 0 || ACol >= GetColCount()) return;
  for (std::string& Cell : FCells[static_cast<size_t>(ACol)]) Cell.clear();
  Invalidate();
}

// ---------------------------------------------------------------- geometry
int TStringGrid::VLine(int ACol) const {
  return (ACol < FFixedCols ? (FOptions & goFixedVertLine) : (FOptions & goVertLine)) ? 1 : 0;
}

int TStringGrid::HLine(int ARow) const {
  return (ARow < FFixedRows ? (FOptions & goFixedHorzLine) : (FOptions & goHorzLine)) ? 1 : 0;
}

int TStringGrid::FixedWidth() const {
  int W = 0;
  for (int C = 0; C < FFixedCols; ++C) W += GetColWidth(C) + VLine(C);
  return W;
}

int TStringGrid::FixedHeight() const {
  int H = 0;
  for (int R = 0; R < FFixedRows; ++R) H += GetRowHeight(R) + HLine(R);
  return H;
}

RECT TStringGrid::CellRect(int ACol, int ARow) {
  if (ACol < 0 || ACol >= GetColCount() || ARow < 0 || ARow >= GetRowCount()) return RECT{0, 0, 0, 0};
  if ((ACol >= FFixedCols && ACol < FLeftCol) || (ARow >= FFixedRows && ARow < FTopRow)) return RECT{0, 0, 0, 0};
  // The walks stop once past the client area: a cell far below the top row
  // costs no more than a visible one.
  const RECT Client = GetClientRect();
  int X = 0;
  if (ACol < FFixedCols) {
    for (int C = 0; C < ACol && X < Client.right; ++C) X += GetColWidth(C) + VLine(C);
  } else {
    X = FixedWidth();
    for (int C = FLeftCol; C < ACol && X < Client.right; ++C) X += GetColWidth(C) + VLine(C);
  }
  int Y = 0;
  if (ARow < FFixedRows) {
    for (int R = 0; R < ARow && Y < Client.bottom; ++R) Y += GetRowHeight(R) + HLine(R);
  } else {
    Y = FixedHeight();
    for (int R = FTopRow; R < ARow && Y < Client.bottom; ++R) Y += GetRowHeight(R) + HLine(R);
  }
  if (X >= Client.right || Y >= Client.bottom) return RECT{0, 0, 0, 0};
  return RECT{X, Y, X + GetColWidth(ACol), Y + GetRowHeight(ARow)};
}

bool TStringGrid::MouseToCell(int X, int Y, int& ACol, int& ARow) {
  ACol = ARow = -1;
  if (X < 0 || Y < 0) return false;
  int Pos = 0;
  for (int C = 0; C < GetColCount(); ++C) {
    if (C == FFixedCols) C = std::max(C, FLeftCol);
    if (C >= GetColCount()) break;
    const int W = GetColWidth(C) + VLine(C);
    if (X < Pos + W) {
      ACol = C;
      break;
    }
    Pos += W;
  }
  Pos = 0;
  for (int R = 0; R < GetRowCount(); ++R) {
    if (R == FFixedRows) R = std::max(R, FTopRow);
    if (R >= GetRowCount()) break;
    const int H = GetRowHeight(R) + HLine(R);
    if (Y < Pos + H) {
      ARow = R;
      break;
    }
    Pos += H;
  }
  return ACol >= 0 && ARow >= 0;
}

int TStringGrid::GetVisibleRowCount() {
  const int Room = GetClientRect().bottom - FixedHeight();
  int Count = 0, Used = 0;
  for (int R = FTopRow; R < GetRowCount(); ++R) {
    Used += GetRowHeight(R) + HLine(R);
    if (Used > Room + HLine(R)) break;
    ++Count;
  }
  return Count;
}

int TStringGrid::GetVisibleColCount() {
  const int Room = GetClientRect().right - FixedWidth();
  int Count = 0, Used = 0;
  for (int C = FLeftCol; C < GetColCount(); ++C) {
    Used += GetColWidth(C) + VLine(C);
    if (Used > Room + VLine(C)) break;
    ++Count;
  }
  return Count;
}

// ---------------------------------------------------------------- scrolling
void TStringGrid::UpdateScrollBars() {
  if (!HandleAllocated() || FUpdatingScrollBars) return;
  FUpdatingScrollBars = true;
  // Two passes: one bar's appearance changes the room for the other.
  for (int Pass = 0; Pass < 2; ++Pass) {
    const RECT Client = GetClientRect();
    // Vertical: rows that fit counted from the last row upward give the page.
    const int RowRoom = Client.bottom - FixedHeight();
    int RowsFit = 0, Used = 0;
    for (int R = GetRowCount() - 1; R >= FFixedRows; --R) {
      Used += GetRowHeight(R) + HLine(R);
      if (Used > RowRoom + HLine(R)) break;
      ++RowsFit;
    }
    const int ScrollRows = GetRowCount() - FFixedRows;
    SCROLLINFO SI{};
    SI.cbSize = sizeof(SI);
    SI.fMask = SIF_RANGE | SIF_PAGE | SIF_POS;
    if (FScrollBars == ssVertical || FScrollBars == ssBoth) {
      SI.nMin = 0;
      SI.nMax = std::max(ScrollRows - 1, 0);
      SI.nPage = static_cast<UINT>(RowsFit >= ScrollRows ? ScrollRows + 1 : std::max(RowsFit, 1));
      SI.nPos = FTopRow - FFixedRows;
      ::SetScrollInfo(WindowHandle(), SB_VERT, &SI, TRUE);
    } else {
      ::ShowScrollBar(WindowHandle(), SB_VERT, FALSE);
    }
    const int ColRoom = Client.right - FixedWidth();
    int ColsFit = 0;
    Used = 0;
    for (int C = GetColCount() - 1; C >= FFixedCols; --C) {
      Used += GetColWidth(C) + VLine(C);
      if (Used > ColRoom + VLine(C)) break;
      ++ColsFit;
    }
    const int ScrollCols = GetColCount() - FFixedCols;
    if (FScrollBars == ssHorizontal || FScrollBars == ssBoth) {
      SI.nMin = 0;
      SI.nMax = std::max(ScrollCols - 1, 0);
      SI.nPage = static_cast<UINT>(ColsFit >= ScrollCols ? ScrollCols + 1 : std::max(ColsFit, 1));
      SI.nPos = FLeftCol - FFixedCols;
      ::SetScrollInfo(WindowHandle(), SB_HORZ, &SI, TRUE);
    } else {
      ::ShowScrollBar(WindowHandle(), SB_HORZ, FALSE);
    }
    // Keep the top row where it leaves no empty space below the last row.
    const int MaxTop = std::max(FFixedRows, GetRowCount() - std::max(RowsFit, 1));
    const int MaxLeft = std::max(FFixedCols, GetColCount() - std::max(ColsFit, 1));
    if (FTopRow > MaxTop) FTopRow = MaxTop;
    if (FLeftCol > MaxLeft) FLeftCol = MaxLeft;
  }
  FUpdatingScrollBars = false;
}

void TStringGrid::SetTopRow(int Value) {
  Value = std::clamp(Value, FFixedRows, std::max(FFixedRows, GetRowCount() - 1));
  if (Value == FTopRow) return;
  FTopRow = Value;
  UpdateScrollBars();
  Invalidate();
  if (OnTopLeftChanged) OnTopLeftChanged(this);
}

void TStringGrid::SetLeftCol(int Value) {
  Value = std::clamp(Value, FFixedCols, std::max(FFixedCols, GetColCount() - 1));
  if (Value == FLeftCol) return;
  FLeftCol = Value;
  UpdateScrollBars();
  Invalidate();
  if (OnTopLeftChanged) OnTopLeftChanged(this);
}

void TStringGrid::ScrollInView(int ACol, int ARow) {
  if (ARow >= FFixedRows) {
    if (ARow < FTopRow) {
      SetTopRow(ARow);
    } else {
      const int Visible = std::max(GetVisibleRowCount(), 1);
      if (ARow >= FTopRow + Visible) SetTopRow(ARow - Visible + 1);
    }
  }
  if (ACol >= FFixedCols && !(FOptions & goRowSelect)) {
    if (ACol < FLeftCol) {
      SetLeftCol(ACol);
    } else {
      const int Visible = std::max(GetVisibleColCount(), 1);
      if (ACol >= FLeftCol + Visible) SetLeftCol(ACol - Visible + 1);
    }
  }
}

void TStringGrid::ScrollMessage(bool Vertical, WPARAM WParam) {
  const int Code = LOWORD(WParam);
  const int Current = Vertical ? FTopRow : FLeftCol;
  const int Fixed = Vertical ? FFixedRows : FFixedCols;
  const int Page = std::max(Vertical ? GetVisibleRowCount() : GetVisibleColCount(), 1);
  int Next = Current;
  switch (Code) {
    case SB_LINEUP: Next = Current - 1; break;
    case SB_LINEDOWN: Next = Current + 1; break;
    case SB_PAGEUP: Next = Current - Page; break;
    case SB_PAGEDOWN: Next = Current + Page; break;
    case SB_TOP: Next = Fixed; break;
    case SB_BOTTOM: Next = Vertical ? GetRowCount() : GetColCount(); break;
    case SB_THUMBTRACK:
    case SB_THUMBPOSITION: {
      if (Code == SB_THUMBTRACK && !(FOptions & goThumbTracking)) return;
      SCROLLINFO SI{};
      SI.cbSize = sizeof(SI);
      SI.fMask = SIF_TRACKPOS;
      ::GetScrollInfo(WindowHandle(), Vertical ? SB_VERT : SB_HORZ, &SI);
      Next = Fixed + SI.nTrackPos;
      break;
    }
    default: return;
  }
  const int Last = Vertical ? std::max(Fixed, GetRowCount() - Page) : std::max(Fixed, GetColCount() - Page);
  Next = std::clamp(Next, Fixed, Last);
  if (Vertical)
    SetTopRow(Next);
  else
    SetLeftCol(Next);
}

// ---------------------------------------------------------------- selection
void TStringGrid::MoveCurrent(int ACol, int ARow, bool ByUser) {
  ACol = std::clamp(ACol, FFixedCols, GetColCount() - 1);
  ARow = std::clamp(ARow, FFixedRows, GetRowCount() - 1);
  if (ACol == FCol && ARow == FRow) {
    ScrollInView(ACol, ARow);
    return;
  }
  bool CanSelect = true;
  if (OnSelectCell) OnSelectCell(this, ACol, ARow, CanSelect);
  if (!CanSelect) return;
  FCol = ACol;
  FRow = ARow;
  ScrollInView(ACol, ARow);
  Invalidate();
  if (ByUser) Click();
}

void TStringGrid::SetRow(int Value) { MoveCurrent(FCol, Value, false); }
void TStringGrid::SetCol(int Value) { MoveCurrent(Value, FRow, false); }

int TStringGrid::SizingBoundary(int X, int Y) {
  if (!(FOptions & goColSizing) || Y >= FixedHeight()) return -1;
  for (int C = 0; C < GetColCount(); ++C) {
    const RECT R = CellRect(C, 0);
    if (::IsRectEmpty(&R)) continue;
    if (X >= R.right - 2 && X <= R.right + 2) return C;
  }
  return -1;
}

void TStringGrid::MouseDown(TMouseButton Button, TShiftState Shift, int X, int Y) {
  if (Button == mbLeft) {
    if (CanFocus() && !Focused()) SetFocus();
    const int Boundary = SizingBoundary(X, Y);
    if (Boundary >= 0) {
      FSizingCol = Boundary;
      FSizingStartX = X;
      FSizingStartWidth = GetColWidth(Boundary);
      SetMouseCapture(true);
    } else {
      int C = 0, R = 0;
      if (MouseToCell(X, Y, C, R) && C >= FFixedCols && R >= FFixedRows) MoveCurrent(C, R, true);
    }
  }
  TCustomControl::MouseDown(Button, Shift, X, Y);
}

void TStringGrid::MouseMove(TShiftState Shift, int X, int Y) {
  if (FSizingCol >= 0) {
    SetColWidth(FSizingCol, std::max(FSizingStartWidth + X - FSizingStartX, 1));
  } else {
    SetCursor(SizingBoundary(X, Y) >= 0 ? crHSplit : crDefault);
  }
  TCustomControl::MouseMove(Shift, X, Y);
}

void TStringGrid::MouseUp(TMouseButton Button, TShiftState Shift, int X, int Y) {
  if (Button == mbLeft && FSizingCol >= 0) {
    FSizingCol = -1;
    SetMouseCapture(false);
  }
  TCustomControl::MouseUp(Button, Shift, X, Y);
}

void TStringGrid::KeyDown(WORD& Key, TShiftState Shift) {
  TCustomControl::KeyDown(Key, Shift);
  const int Page = std::max(GetVisibleRowCount(), 1);
  switch (Key) {
    case VK_UP: MoveCurrent(FCol, FRow - 1, true); break;
    case VK_DOWN: MoveCurrent(FCol, FRow + 1, true); break;
    case VK_PRIOR:
      SetTopRow(FTopRow - Page);
      MoveCurrent(FCol, FRow - Page, true);
      break;
    case VK_NEXT:
      SetTopRow(FTopRow + Page);
      MoveCurrent(FCol, FRow + Page, true);
      break;
    case VK_HOME:
      if (Shift & ssCtrl || FOptions & goRowSelect)
        MoveCurrent(FCol, FFixedRows, true);
      else
        MoveCurrent(FFixedCols, FRow, true);
      break;
    case VK_END:
      if (Shift & ssCtrl || FOptions & goRowSelect)
        MoveCurrent(FCol, GetRowCount() - 1, true);
      else
        MoveCurrent(GetColCount() - 1, FRow, true);
      break;
    case VK_LEFT:
      if (FOptions & goRowSelect)
        SetLeftCol(FLeftCol - 1);
      else
        MoveCurrent(FCol - 1, FRow, true);
      break;
    case VK_RIGHT:
      if (FOptions & goRowSelect)
        SetLeftCol(FLeftCol + 1);
      else
        MoveCurrent(FCol + 1, FRow, true);
      break;
    default: return;
  }
  Key = 0;
}

LRESULT TStringGrid::DialogCode(WPARAM) {
  return DLGC_WANTARROWS | DLGC_WANTCHARS | ((FOptions & goTabs) ? DLGC_WANTTAB : 0);
}

void TStringGrid::Resize() {
  UpdateScrollBars();
  TCustomControl::Resize();
}

void TStringGrid::WndProc(TMessage& M) {
  switch (M.Msg) {
    case WM_VSCROLL:
      ScrollMessage(true, M.WParam);
      M.Result = 0;
      return;
    case WM_HSCROLL:
      ScrollMessage(false, M.WParam);
      M.Result = 0;
      return;
    case WM_MOUSEWHEEL: {
      const int Delta = static_cast<short>(HIWORD(M.WParam));
      SetTopRow(FTopRow - Delta / WHEEL_DELTA * 3);
      M.Result = 0;
      return;
    }
    case WM_SETFOCUS:
    case WM_KILLFOCUS: Invalidate(); break;
    default: break;
  }
  TCustomControl::WndProc(M);
}

// ---------------------------------------------------------------- painting
void TStringGrid::DrawCell(int ACol, int ARow, RECT Rect, TGridDrawState State) {
  TCanvas& C = GetCanvas();
  if (FDefaultDrawing) C.TextRect(Rect, Rect.left + 2, Rect.top + 2, GetCell(ACol, ARow));
  if (OnDrawCell) OnDrawCell(this, ACol, ARow, Rect, State);
}

void TStringGrid::Paint(TCanvas& Canvas) {
  const RECT Client = GetClientRect();
  const bool HasFocus = Focused();
  int Y = 0;
  int LastRight = 0;
  for (int R = 0; R < GetRowCount() && Y < Client.bottom; ++R) {
    if (R == FFixedRows) R = std::max(R, FTopRow);
    if (R >= GetRowCount()) break;
    const int H = GetRowHeight(R);
    int X = 0;
    for (int C = 0; C < GetColCount() && X < Client.right; ++C) {
      if (C == FFixedCols) C = std::max(C, FLeftCol);
      if (C >= GetColCount()) break;
      const int W = GetColWidth(C);
      const RECT Cell{X, Y, X + W, Y + H};
      TGridDrawState State = 0;
      const bool Fixed = C < FFixedCols || R < FFixedRows;
      if (Fixed) {
        State |= gdFixed;
      } else {
        const bool Current = C == FCol && R == FRow;
        if (R == FRow && ((FOptions & goRowSelect) || Current)) State |= gdSelected;
        if (Current && HasFocus) State |= gdFocused;
      }
      Canvas.SetFont(GetFont());
      Canvas.GetBrush().SetStyle(bsSolid);
      if ((State & gdSelected) && (!(State & gdFocused) || (FOptions & (goDrawFocusSelected | goRowSelect)))) {
        Canvas.GetBrush().SetColor(clHighlight);
        Canvas.GetFont().SetColor(clHighlightText);
      } else {
        Canvas.GetBrush().SetColor(Fixed ? FFixedColor : GetColor());
      }
      if (FDefaultDrawing) Canvas.FillRect(Cell);
      DrawCell(C, R, Cell, State);
      if (FDefaultDrawing && (State & gdFocused) && !(FOptions & goRowSelect)) Canvas.DrawFocusRect(Cell);
      // Grid lines right of and below the cell.
      const int VL = VLine(C), HL = HLine(R);
      Canvas.GetBrush().SetStyle(bsSolid);
      Canvas.GetBrush().SetColor(Fixed ? clBlack : clSilver);
      if (VL) Canvas.FillRect(RECT{Cell.right, Cell.top, Cell.right + VL, Cell.bottom + HL});
      if (HL) Canvas.FillRect(RECT{Cell.left, Cell.bottom, Cell.right + VL, Cell.bottom + HL});
      X += W + VL;
    }
    LastRight = std::max(LastRight, X);
    Y += H + HLine(R);
  }
  // What lies right of and below the cells.
  Canvas.GetBrush().SetStyle(bsSolid);
  Canvas.GetBrush().SetColor(GetColor());
  if (LastRight < Client.right) Canvas.FillRect(RECT{LastRight, 0, Client.right, Client.bottom});
  if (Y < Client.bottom) Canvas.FillRect(RECT{0, Y, std::min<LONG>(LastRight, Client.right), Client.bottom});
}

void TStringGrid::DpiChanged(int FromDpi, int ToDpi) {
  TCustomControl::DpiChanged(FromDpi, ToDpi);
  FDefaultColWidth = FScaledDefaultColWidth.Rescale(FDefaultColWidth, FromDpi, ToDpi);
  FDefaultRowHeight = FScaledDefaultRowHeight.Rescale(FDefaultRowHeight, FromDpi, ToDpi);
  auto Rescale = [&](std::vector<int>& Sizes, std::vector<TDpiScaledValue>& Scaled) {
    Scaled.resize(Sizes.size());
    for (size_t I = 0; I < Sizes.size(); ++I) Sizes[I] = Scaled[I].Rescale(Sizes[I], FromDpi, ToDpi);
  };
  Rescale(FColWidths, FScaledColWidths);
  Rescale(FRowHeights, FScaledRowHeights);
  Changed();
}
