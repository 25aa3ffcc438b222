// A framed panel divided into two panes by a bar the user drags.
#pragma once

#include "components/LxPanel.h"

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

class TCustomForm;
class TLxSplitter;

// One of the two panes; children of the splitter are placed in these.
class LXCMPS_API TLxSplitterPane : public TLxCustomPanel {
public:
  explicit TLxSplitterPane(TComponent* AOwner);
  void WndProc(TMessage& Message) override;

  // The extent (width beside the bar, height above or below it) the pane
  // keeps while the splitter has room for it: the bar is not dragged past it,
  // and a resize takes room from the other pane first (see TLxSplitter::FitPanes).
  int GetMinSize() const { return FMinSize; }
  void SetMinSize(int Value);

protected:
  void VisibleChanged() override;

private:
  int FMinSize = 0;
};

// The published face of one pane.
class LXCMPS_API TLxPaneData {
public:
  explicit TLxPaneData(TLxSplitterPane* Pane) : FPane(Pane) {}
  TLxSplitterPane* GetPane() const { return FPane; }

  TColor GetBorderColor() const { return FPane->GetBorderColor(); }
  void SetBorderColor(TColor Value) { FPane->SetBorderColor(Value); }
  TFrameStyle GetBorderInner() const { return FPane->GetBorderInner(); }
  void SetBorderInner(TFrameStyle Value) { FPane->SetBorderInner(Value); }
  TFrameStyle GetBorderOuter() const { return FPane->GetBorderOuter(); }
  void SetBorderOuter(TFrameStyle Value) { FPane->SetBorderOuter(Value); }
  int GetBorderWidth() const { return FPane->GetBorderWidth(); }
  void SetBorderWidth(int Value) { FPane->SetBorderWidth(Value); }
  TColor GetColor() const { return FPane->GetColor(); }
  void SetColor(TColor Value) { FPane->SetColor(Value); }
  bool GetVisible() const { return FPane->GetVisible(); }
  void SetVisible(bool Value) { FPane->SetVisible(Value); }
  int GetMinSize() const { return FPane->GetMinSize(); }
  void SetMinSize(int Value) { FPane->SetMinSize(Value); }

private:
  TLxSplitterPane* FPane;
};

class LXCMPS_API TLxSplitter : public TLxCustomPanel {
public:
  explicit TLxSplitter(TComponent* AOwner);
  ~TLxSplitter() override;

  // 1 = upper/left, 2 = lower/right.
  TLxPaneData* GetPaneData(int Index) const;
  TLxPaneData* GetUpperLeft() const { return GetPaneData(1); }
  TLxPaneData* GetLowerRight() const { return GetPaneData(2); }

  TOrientation GetOrientation() const { return FOrientation; }
  int GetPosition() const { return FPosition; }
  // Where the bar is when the fixed pane has the size it was last given (by
  // SetPosition or a drag): the position the bar goes back to when the
  // splitter has room again. A squeeze of a resize does not change it.
  int GetGivenPosition() const;
  int GetPositionMin() const { return FPositionMin; }
  int GetPositionMax() const { return FPositionMax; }
  int GetPercent() const { return FPercent; }
  int GetPercentMin() const { return FPercentMin; }
  int GetPercentMax() const { return FPercentMax; }
  bool GetUsePercent() const { return FUsePercent; }
  TFixedPane GetFixedPane() const { return FFixedPane; }
  bool GetLockBar() const { return FLockBar; }
  void SetLockBar(bool Value) { FLockBar = Value; }
  TSplitterStyle GetSplitterStyle() const { return FSplitterStyle; }
  std::uint16_t GetSplitterWidth() const { return FSplitterWidth; }
  TSelectedPane GetSelectedPane() const { return FSelectedPane; }
  RECT GetBarRect() const { return FBarRect; }
  bool GetDragging() const { return FDragging; }

  virtual void SetOrientation(TOrientation Value);
  virtual void SetSelectedPane(TSelectedPane Value);
  // Limits a position the bar is dragged to.
  virtual void CheckPosition(int& Pos);
  virtual void SetFixedPane(TFixedPane Value);
  virtual void SetPosition(int Value);
  virtual void SetPositionMax(int Value);
  virtual void SetPositionMin(int Value);
  virtual void SetPercent(int Value);
  virtual void SetPercentMax(int Value);
  virtual void SetPercentMin(int Value);
  virtual void SetUsePercent(bool Value);
  virtual void SetSplitterStyle(TSplitterStyle Value);
  virtual void SetSplitterWidth(std::uint16_t Value);
  virtual void ResizePanes();
  // Places the bar as a resize does: the fixed pane at the size it was given,
  // as far as the panes' minimum sizes leave room for it.
  void FitPanes();

  // The stored names of the panes' children ("ULControls", "LRControls"):
  // the named controls move into the panes at Loaded.
  void SetULControls(const std::vector<std::string>& Names);
  void SetLRControls(const std::vector<std::string>& Names);
  std::vector<std::string> GetULControls() const;
  std::vector<std::string> GetLRControls() const;

  TNotifyEvent OnChange;
  TPositionChangingEvent OnChanging;

  void AlignControls(TControl* AControl, RECT& Rect) override;
  void WndProc(TMessage& Message) override;

protected:
  void CreateParams(TCreateParams& Params) override;
  void Loaded() override;
  void Paint(TCanvas& Canvas) override;
  void Resize() override;
  virtual void Change();
  virtual bool CanChange(int NewPos);
  void MouseDown(TMouseButton Button, TShiftState Shift, int X, int Y) override;
  void MouseMove(TShiftState Shift, int X, int Y) override;
  // Inverts the drag mask over R of the device context (on the screen while
  // dragging); painting it twice at the same place restores what was there.
  void PaintDragMask(HDC DC, const RECT& R) const;

private:
  int Size() const { return FOrientation == orHorizontal ? FWidth : FHeight; }
  int PositionOfPercent(int Percent) const;
  // The bar's width, the fixed pane's size and the limits follow the DPI.
  void DpiChanged(int FromDpi, int ToDpi) override;
  // The extent between the borders along the bar's axis, less the bar.
  int Room();
  // The given position fitted to the size and the panes' minimums (both panes shown).
  int FittedPosition(int Given);
  void UpdateFixedSize();
  void DrawMask(int Pos);
  void EndDrag(bool Apply);
  void ReparentNamed(std::vector<std::string>& Names, TLxSplitterPane* Pane);
  // Makes the first control inside the splitter the form's active control
  // (a tab stop if there is one).
  void SelectFirst(TCustomForm& Form);

  TLxSplitterPane* FPane1 = nullptr;
  TLxSplitterPane* FPane2 = nullptr;
  std::unique_ptr<TLxPaneData> FPaneData1, FPaneData2;
  TOrientation FOrientation = orHorizontal;
  int FPosition = 100;
  int FPositionMin = -1, FPositionMax = -1;
  int FPercent = 50, FPercentMin = 0, FPercentMax = 100;
  bool FUsePercent = false;
  TFixedPane FFixedPane = fpUpperLeft;
  bool FLockBar = false;
  TSplitterStyle FSplitterStyle = ssStandard;
  std::uint16_t FSplitterWidth = 4;
  TSelectedPane FSelectedPane = spUpperLeft;

  RECT FBarRect{};
  int FFixedSize = 100;
  bool FDragging = false;
  int FDragStartPos = 0;
  int FDragOffset = 0;
  int FLastDrawnPos = 0;
  bool FResizing = false;
  bool FFitting = false;
  TDpiScaledValue FScaledBarWidth, FScaledFixedSize, FScaledMin, FScaledMax, FScaledMinSize1,
      FScaledMinSize2;  // the position follows the size: the fixed pane keeps its given size
  bool FUpdating = false;
  TBitmapHandle FMask;
  HCURSOR FHSplitCursor = nullptr;
  HCURSOR FVSplitCursor = nullptr;
  std::vector<std::string> FULNames, FLRNames;
};
