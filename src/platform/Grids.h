// A grid of text cells drawn by the control itself, with fixed rows and
// columns, grid lines, row selection, column sizing and scroll bars by cell.
#pragma once

#include "platform/Controls.h"
#include "platform/StdCtrls.h"

#include <functional>
#include <string>
#include <vector>

enum TGridOption : unsigned {
  goFixedVertLine = 1,
  goFixedHorzLine = 2,
  goVertLine = 4,
  goHorzLine = 8,
  goRangeSelect = 16,
  goDrawFocusSelected = 32,
  goRowSizing = 64,
  goColSizing = 128,
  goEditing = 1024,
  goTabs = 2048,
  goRowSelect = 4096,
  goThumbTracking = 16384
};
using TGridOptions = unsigned;
enum TGridDrawStateFlag : unsigned { gdSelected = 1, gdFocused = 2, gdFixed = 4 };
using TGridDrawState = unsigned;

class TStringGrid : public TCustomControl {
public:
  explicit TStringGrid(TComponent* AOwner);

  int GetColCount() const { return static_cast<int>(FColWidths.size()); }
  void SetColCount(int Value);
  int GetRowCount() const { return static_cast<int>(FRowHeights.size()); }
  void SetRowCount(int Value);
  int GetFixedCols() const { return FFixedCols; }
  void SetFixedCols(int Value);
  int GetFixedRows() const { return FFixedRows; }
  void SetFixedRows(int Value);
  int GetDefaultColWidth() const { return FDefaultColWidth; }
  void SetDefaultColWidth(int Value);  // every column gets it
  int GetDefaultRowHeight() const { return FDefaultRowHeight; }
  void SetDefaultRowHeight(int Value);  // every row gets it
  int GetColWidth(int ACol) const;
  void SetColWidth(int ACol, int Value);
  int GetRowHeight(int ARow) const;
  void SetRowHeight(int ARow, int Value);
  TGridOptions GetOptions() const { return FOptions; }
  void SetOptions(TGridOptions Value);
  TScrollStyle GetScrollBars() const { return FScrollBars; }
  void SetScrollBars(TScrollStyle Value);
  bool GetBorder() const { return FBorder; }
  void SetBorder(bool Value);  // before the window exists
  bool GetCtl3D() const { return FCtl3D; }
  void SetCtl3D(bool Value);
  TColor GetFixedColor() const { return FFixedColor; }
  void SetFixedColor(TColor Value);
  // When on, each cell is filled and its text drawn before OnDrawCell.
  bool GetDefaultDrawing() const { return FDefaultDrawing; }
  void SetDefaultDrawing(bool Value) { FDefaultDrawing = Value; }

  const std::string& GetCell(int ACol, int ARow) const;
  void SetCell(int ACol, int ARow, const std::string& Value);
  void ClearColumn(int ACol);  // empties every cell of the column

  // The current cell (the selected row with goRowSelect).
  int GetRow() const { return FRow; }
  void SetRow(int Value);
  int GetCol() const { return FCol; }
  void SetCol(int Value);
  int GetTopRow() const { return FTopRow; }
  void SetTopRow(int Value);
  int GetLeftCol() const { return FLeftCol; }
  void SetLeftCol(int Value);
  // Rows (columns) of the scrolling part that are wholly visible.
  int GetVisibleRowCount();
  int GetVisibleColCount();

  // The cell's rectangle in client coordinates (empty when scrolled away).
  RECT CellRect(int ACol, int ARow);
  // The cell at a client point; false outside the cells.
  bool MouseToCell(int X, int Y, int& ACol, int& ARow);

  std::function<void(TObject* Sender, int ACol, int ARow, RECT Rect, TGridDrawState State)> OnDrawCell;
  std::function<void(TObject* Sender, int ACol, int ARow, bool& CanSelect)> OnSelectCell;
  TNotifyEvent OnTopLeftChanged;

  void WndProc(TMessage& Message) override;

protected:
  void CreateParams(TCreateParams& Params) override;
  void CreateWindowHandle(const TCreateParams& Params) override;
  void Paint(TCanvas& Canvas) override;
  void MouseDown(TMouseButton Button, TShiftState Shift, int X, int Y) override;
  void MouseMove(TShiftState Shift, int X, int Y) override;
  void MouseUp(TMouseButton Button, TShiftState Shift, int X, int Y) override;
  void KeyDown(WORD& Key, TShiftState Shift) override;
  void Resize() override;
  LRESULT DialogCode(WPARAM Key) override;
  virtual void DrawCell(int ACol, int ARow, RECT Rect, TGridDrawState State);

protected:
  // The column widths and the row heights follow the DPI.
  void DpiChanged(int FromDpi, int ToDpi) override;

private:
  int VLine(int ACol) const;
  int HLine(int ARow) const;
  int FixedWidth() const;
  int FixedHeight() const;
  void MoveCurrent(int ACol, int ARow, bool ByUser);
  void ScrollInView(int ACol, int ARow);
  void UpdateScrollBars();
  void ScrollMessage(bool Vertical, WPARAM WParam);
  int SizingBoundary(int X, int Y);  // the column whose right edge is at X, or -1
  void Changed();

  std::vector<int> FColWidths;
  std::vector<int> FRowHeights;
  std::vector<std::vector<std::string>> FCells;  // [column][row]
  int FFixedCols = 1;
  int FFixedRows = 1;
  int FDefaultColWidth = 64;
  int FDefaultRowHeight = 24;
  TGridOptions FOptions = goFixedVertLine | goFixedHorzLine | goVertLine | goHorzLine | goRangeSelect;
  TScrollStyle FScrollBars = ssBoth;
  bool FBorder = true;
  bool FCtl3D = true;
  TColor FFixedColor = clBtnFace;
  bool FDefaultDrawing = true;
  int FRow = 1;
  int FCol = 1;
  int FTopRow = 1;
  int FLeftCol = 1;
  int FSizingCol = -1;
  int FSizingStartX = 0;
  int FSizingStartWidth = 0;
  bool FUpdatingScrollBars = false;
  TDpiScaledValue FScaledDefaultColWidth, FScaledDefaultRowHeight;
  std::vector<TDpiScaledValue> FScaledColWidths, FScaledRowHeights;
};
