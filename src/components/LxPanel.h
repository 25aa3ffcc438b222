// Framed panels, the wrapping toolbar, the toolbar spacer and the status bar.
#pragma once

#include "components/LxCommon.h"
#include "platform/StdCtrls.h"

#include <memory>
#include <string>
#include <vector>

// Reports the mouse entering and leaving a window (WM_MOUSELEAVE tracking).
class LXCMPS_API TLxMouseTracker {
public:
  // Call from WndProc; returns 1 when the mouse entered, -1 when it left, else 0.
  int Handle(HWND Wnd, const TMessage& Message);
  bool Inside() const { return FInside; }

private:
  bool FInside = false;
};

// ---------------------------------------------------------------------------
// A panel with an outer and an inner border, a bevel between them, frame
// lines and a caption aligned in both directions.
class LXCMPS_API TLxCustomPanel : public TCustomControl {
public:
  explicit TLxCustomPanel(TComponent* AOwner);

  TFrameStyle GetBorderOuter() const { return FBorderOuter; }
  TFrameStyle GetBorderInner() const { return FBorderInner; }
  TSides GetBorderSides() const { return FBorderSides; }
  TColor GetBorderColor() const { return FBorderColor; }
  TColor GetBorderHighlight() const { return FBorderHighlight; }
  TColor GetBorderShadow() const { return FBorderShadow; }
  int GetBorderWidth() const { return FBorderWidth; }
  void SetBorderWidth(int Value);
  int GetBevelWidth() const { return FBevelWidth; }
  void SetBevelWidth(int Value);
  TSides GetFrameSides() const { return FFrameSides; }
  TAlignmentVertical GetAlignmentVertical() const { return FAlignmentVertical; }
  TAlignment GetAlignment() const { return FAlignment; }
  void SetAlignment(TAlignment Value);
  bool GetLocked() const { return FLocked; }
  void SetLocked(bool Value) { FLocked = Value; }

  virtual void SetAlignmentVertical(TAlignmentVertical Value);
  virtual void SetBorderColor(TColor Value);
  virtual void SetBorderInner(TFrameStyle Value);
  virtual void SetBorderOuter(TFrameStyle Value);
  virtual void SetBorderSides(TSides Value);
  virtual void SetBorderHighlight(TColor Value);
  virtual void SetBorderShadow(TColor Value);
  virtual void SetFrameSides(TSides Value);

  // The rectangle the children are aligned in: inside the frame lines, the
  // border width and both borders. (The window's own client rectangle stays
  // the whole window: the frame is painted in it.)
  virtual RECT GetPanelClientRect();
  void AdjustClientRect(RECT& Rect) override;

  TNotifyEvent OnMouseEnter;
  TNotifyEvent OnMouseLeave;

  void WndProc(TMessage& Message) override;

protected:
  void CreateParams(TCreateParams& Params) override;
  void Paint(TCanvas& Canvas) override;
  // Frame lines, outer border, bevel and inner border; returns what is inside.
  RECT PaintBorders(TCanvas& Canvas);
  // The panel's caption in R with both alignments.
  void PaintCaption(TCanvas& Canvas, RECT R);
  RECT PanelRect();  // the framed panel's client rectangle
  virtual void MouseEnter();
  virtual void MouseLeave();
  // A border or side change: re-align and repaint.
  void BordersChanged();

  TFrameStyle FBorderOuter = fsRaised;
  TFrameStyle FBorderInner = fsNone;
  TSides FBorderSides = sdAllSides;
  TColor FBorderColor = clBtnFace;
  TColor FBorderHighlight = clBtnHighlight;
  TColor FBorderShadow = clBtnShadow;
  int FBorderWidth = 0;
  int FBevelWidth = 1;
  TSides FFrameSides = sdNoSides;
  TAlignmentVertical FAlignmentVertical = avCenter;
  TAlignment FAlignment = taCenter;
  bool FLocked = false;
  TLxMouseTracker FMouse;
};

class LXCMPS_API TLxPanel : public TLxCustomPanel {
public:
  explicit TLxPanel(TComponent* AOwner) : TLxCustomPanel(AOwner) {}
};

// ---------------------------------------------------------------------------
// A gap between toolbar buttons, optionally with a groove.
class LXCMPS_API TLxSpacer : public TGraphicControl {
public:
  explicit TLxSpacer(TComponent* AOwner);
  bool GetGrooved() const { return FGrooved; }
  void SetGrooved(bool Value);

protected:
  void Paint(TCanvas& Canvas) override;

private:
  bool FGrooved = false;
};

// ---------------------------------------------------------------------------
// One entry of a toolbar's order list.
class LXCMPS_API TLxToolbarControl {
public:
  virtual ~TLxToolbarControl() = default;
  TControl* Control = nullptr;
  std::string Name;
  // The control as a component: recognises it while it is being destroyed.
  const TComponent* Component = nullptr;
  // Copies per-entry settings from a loaded entry (none at this level).
  virtual void AssignElements(TLxToolbarControl* Source);
};

// The toolbar's controls in layout order. Owns its entries.
class LXCMPS_API TLxToolbarControlList {
public:
  TLxToolbarControlList() = default;
  TLxToolbarControlList(const TLxToolbarControlList&) = delete;
  TLxToolbarControlList& operator=(const TLxToolbarControlList&) = delete;
  virtual ~TLxToolbarControlList() = default;

  int Count() const { return static_cast<int>(FItems.size()); }
  TLxToolbarControl* Items(int Index) const { return FItems.at(static_cast<size_t>(Index)).get(); }

  // The existing index when present, else a new entry's.
  int AddControl(TControl* Control);
  int AddControlName(const std::string& Name);
  int IndexOf(const TControl* Control) const;
  int IndexOfName(const std::string& Name) const;
  // Frees the control's entry; its former index, or -1.
  int RemoveControl(const TControl* Control);
  // The same for a control that is being destroyed (known only as a component).
  int RemoveComponent(const TComponent* Component);
  void Clear() { FItems.clear(); }

  // Turns the loaded names into controls found among Form's components (and
  // among Fallback's children); an entry whose name names no control is dropped.
  void ControlsAreLoaded(TComponent* Form, TWinControl* Fallback);
  // The stored form of the order: the controls' names.
  void ReadControls(const std::vector<std::string>& Names);
  std::vector<std::string> WriteControls() const;

protected:
  virtual std::unique_ptr<TLxToolbarControl> CreateEntry() { return std::make_unique<TLxToolbarControl>(); }

private:
  std::vector<std::unique_ptr<TLxToolbarControl>> FItems;
};

// ---------------------------------------------------------------------------
// A panel that lays its children out in rows (or columns) that wrap.
class LXCMPS_API TLxToolbar : public TLxCustomPanel {
public:
  explicit TLxToolbar(TComponent* AOwner);
  ~TLxToolbar() override;

  bool GetAutoSize() const { return FAutoSize; }
  bool GetAutoStyle() const { return FAutoStyle; }
  void SetAutoStyle(bool Value) { FAutoStyle = Value; }
  int GetMargin() const { return FMargin; }
  TOrientation GetOrientation() const { return FOrientation; }
  int GetRowHeight() const { return FRowHeight; }
  bool GetShowDivider() const { return FShowDivider; }
  bool GetWrapControls() const { return FWrapControls; }
  TLxToolbarControlList& GetControlList() { return *FControlList; }

  // The stored order ("ToolbarControls"): names to resolve at Loaded.
  void SetToolbarControls(const std::vector<std::string>& Names);
  std::vector<std::string> GetToolbarControls() const { return FControlList->WriteControls(); }

  // Lays out all controls of the order list.
  void PositionControls();
  // The rows the controls take when they wrap at the present width (whether
  // or not they do).
  int WrappedRowCount();

  virtual int CalculateRowHeight(int Row);
  virtual void PositionControl(int Index, int Row, int& Pos);
  virtual std::unique_ptr<TLxToolbarControlList> CreateToolbarControlList();
  virtual void AdjustStyle(TAlign Value);
  void SetAlign(TAlign Value) override;
  virtual void SetAutoSize(bool Value);
  virtual void SetMargin(int Value);
  virtual void SetOrientation(TOrientation Value);
  virtual void SetRowHeight(int Value);
  virtual void SetShowDivider(bool Value);
  virtual void SetWrapControls(bool Value);

  void SetBorderInner(TFrameStyle Value) override;
  void SetBorderOuter(TFrameStyle Value) override;
  void SetBorderSides(TSides Value) override;
  void SetFrameSides(TSides Value) override;

  void AlignControls(TControl* AControl, RECT& Rect) override;
  void WndProc(TMessage& Message) override;

protected:
  void Loaded() override;
  void Resize() override;
  void Notification(TComponent* AComponent, TOperation Operation) override;
  void ApplyStyle(const TLxToolbarStyle& S);
  // The margin and the row height follow the DPI; the controls are laid out again.
  void DpiChanged(int FromDpi, int ToDpi) override;

private:
  // The controls of the order list as the layout sees them.
  std::vector<TLxToolbarItem> LayoutItems() const;

  std::unique_ptr<TLxToolbarControlList> FControlList;
  bool FAutoSize = true;
  bool FAutoStyle = true;
  int FMargin = 4;
  TOrientation FOrientation = orHorizontal;
  int FRowHeight = 25;
  int FCurrentRowHeight = 25;
  bool FShowDivider = true;
  bool FWrapControls = true;
  bool FPositioning = false;
  bool FNamesPending = false;
  bool FPositionPosted = false;
  TDpiScaledValue FScaledMargin, FScaledRowHeight;
};

// ---------------------------------------------------------------------------
// A bottom panel with a size grip and a simple (one-text) mode, with the look
// its maker gives it. Simple mode shows or hides the children as they are.
class LXCMPS_API TLxCustomStatusBar : public TLxCustomPanel {
public:
  explicit TLxCustomStatusBar(TComponent* AOwner);

  bool GetShowSizeGrip() const { return FShowSizeGrip; }
  const std::string& GetSimpleCaption() const { return FSimpleCaption; }
  bool GetSimpleStatus() const { return FSimpleStatus; }

  virtual void SetShowSizeGrip(bool Value);
  virtual void SetSimpleCaption(const std::string& Value);
  virtual void SetSimpleStatus(bool Value);

  // (width - 13, 0, width, height).
  RECT SizeGripRect();
  // Whether the grip is shown now (on, and the form not maximised).
  bool SizeGripShowing();
  // Whether Child's right edge reaches the bar's right client edge (on the
  // screen): its last 12 pixels then pass the mouse to the bar's size grip.
  bool ReachesSizeGrip(TWinControl& Child);
  // Answers WM_NCHITTEST for such a child: true (and HTTRANSPARENT) in its
  // last 12 pixels when Child's parent is a status bar it reaches the edge of.
  static bool PassHitToSizeGrip(TWinControl& Child, TMessage& Message);
  // Draws the grip into DC, whose origin is at (OriginX, OriginY) of the bar
  // (panes that cover the corner call this after painting themselves).
  void PaintSizeGrip(HDC DC, int OriginX, int OriginY);

  RECT GetPanelClientRect() override;
  void WndProc(TMessage& Message) override;

protected:
  void Paint(TCanvas& Canvas) override;
  // The size grip moves with the right edge: nothing keeps it where it was.
  void Resize() override;
  void MouseDown(TMouseButton Button, TShiftState Shift, int X, int Y) override;
  HWND FormWindow();
  void ShowChildren(bool Value);

  bool FShowSizeGrip = true;
  std::string FSimpleCaption;
  bool FSimpleStatus = false;
};

// The components' status bar: it styles itself for the system's look while
// AutoStyle is on (an explicit border switches it off), and switches simple
// mode with the alignment suspended.
class LXCMPS_API TLxStatusBar : public TLxCustomStatusBar {
public:
  explicit TLxStatusBar(TComponent* AOwner);

  bool GetAutoStyle() const { return FAutoStyle; }
  void SetAutoStyle(bool Value) { FAutoStyle = Value; }

  virtual void AdjustStyle();
  void SetSimpleStatus(bool Value) override;

  void SetBorderInner(TFrameStyle Value) override;
  void SetBorderOuter(TFrameStyle Value) override;
  void SetBorderSides(TSides Value) override;
  void SetFrameSides(TSides Value) override;

protected:
  void Loaded() override;

private:
  bool FAutoStyle = true;
};
