#include "components/LxSplit.h"

#include "model/ScopeExit.h"
#include "platform/Forms.h"

#include <algorithm>

TLxSplitterPane::TLxSplitterPane(TComponent* AOwner) : TLxCustomPanel(AOwner) {
  FBorderOuter = fsNone;
  FBorderInner = fsNone;
  FBorderWidth = 0;
}

void TLxSplitterPane::WndProc(TMessage& Message) {
  // Where a pane has no child the splitter underneath takes the mouse, so the
  // bar between the panes can always be grabbed.
  if (Message.Msg == WM_NCHITTEST) {
    Message.Result = HTTRANSPARENT;
    return;
  }
  TLxCustomPanel::WndProc(Message);
}

void TLxSplitterPane::VisibleChanged() {
  TLxCustomPanel::VisibleChanged();
  // A pane shown again fits the splitter's present size.
  if (auto* S = dynamic_cast<TLxSplitter*>(GetParent())) S->FitPanes();
}

void TLxSplitterPane::SetMinSize(int Value) {
  Value = std::max(Value, 0);
  if (Value == FMinSize) return;
  FMinSize = Value;
  if (auto* S = dynamic_cast<TLxSplitter*>(GetParent())) S->FitPanes();
}

// ---------------------------------------------------------------------------

TLxSplitter::TLxSplitter(TComponent* AOwner) : TLxCustomPanel(AOwner) {
  FBorderOuter = fsNone;
  SetBounds(0, 0, 200, 100);
  FPane1 = new TLxSplitterPane(this);
  FPane1->SetParent(this);
  FPane2 = new TLxSplitterPane(this);
  FPane2->SetParent(this);
  FPaneData1 = std::make_unique<TLxPaneData>(FPane1);
  FPaneData2 = std::make_unique<TLxPaneData>(FPane2);

  // The 8 x 8 checkerboard of the drag mask: black where x + y is odd.
  WORD Bits[8];
  for (int Y = 0; Y < 8; ++Y) {
    WORD Row = 0xFF;
    for (int X = 0; X < 8; ++X)
      if ((X + Y) % 2 == 1) Row = static_cast<WORD>(Row & ~(0x80 >> X));
    Bits[Y] = Row;
  }
  FMask.Reset(::CreateBitmap(8, 8, 1, 1, Bits));

  FHSplitCursor = ::LoadCursorA(LxCmpsInstance(), "LXSPLIT_HSPLIT");
  if (!FHSplitCursor) FHSplitCursor = ::LoadCursorA(nullptr, MAKEINTRESOURCEA(32644));  // IDC_SIZEWE
  FVSplitCursor = ::LoadCursorA(LxCmpsInstance(), "LXSPLIT_VSPLIT");
  if (!FVSplitCursor) FVSplitCursor = ::LoadCursorA(nullptr, MAKEINTRESOURCEA(32645));  // IDC_SIZENS
  FFixedSize = FPosition;
  ResizePanes();
}

TLxSplitter::~TLxSplitter() { FUpdating = true; }

void TLxSplitter::CreateParams(TCreateParams& Params) {
  TLxCustomPanel::CreateParams(Params);
  Params.Style |= WS_CLIPCHILDREN;
}

TLxPaneData* TLxSplitter::GetPaneData(int Index) const {
  return Index == 1 ? FPaneData1.get() : Index == 2 ? FPaneData2.get() : nullptr;
}

int TLxSplitter::PositionOfPercent(int Percent) const { return SplitterPositionOf(Percent, Size(), FSplitterWidth); }

int TLxSplitter::Room() {
  const RECT C = GetPanelClientRect();
  return (FOrientation == orHorizontal ? C.right - C.left : C.bottom - C.top) - FSplitterWidth;
}

int TLxSplitter::GetGivenPosition() const {
  if (FUsePercent) return FPosition;
  return FFixedPane == fpLowerRight ? Size() - FFixedSize : FFixedSize;
}

void TLxSplitter::UpdateFixedSize() { FFixedSize = FFixedPane == fpLowerRight ? Size() - FPosition : FPosition; }

void TLxSplitter::Change() {
  if (OnChange) OnChange(this);
}

bool TLxSplitter::CanChange(int NewPos) {
  bool Allow = true;
  if (OnChanging) OnChanging(this, NewPos, Allow);
  return Allow;
}

void TLxSplitter::SetOrientation(TOrientation Value) {
  if (Value == FOrientation) return;
  FOrientation = Value;
  ResizePanes();
  Invalidate();
}

void TLxSplitter::SetSelectedPane(TSelectedPane Value) {
  FSelectedPane = Value;
  // The keyboard must not stay in a control of a pane that goes behind: while
  // the panes change places the splitter holds it, then its first control.
  TCustomForm* Form = GetParentForm();
  TWinControl* Active = Form ? Form->GetActiveControl() : nullptr;
  const bool HandOver = Active && Active != this && ContainsControl(Active);
  if (HandOver) Form->SetActiveControl(this);
  (Value == spUpperLeft ? FPane1 : FPane2)->BringToFront();
  FPane1->Invalidate();
  FPane2->Invalidate();
  if (HandOver) SelectFirst(*Form);
}

void TLxSplitter::SelectFirst(TCustomForm& Form) {
  std::vector<TWinControl*> List;
  GetTabOrderList(List);
  TWinControl* First = nullptr;
  for (TWinControl* W : List) {
    if (!W->CanFocus()) continue;
    if (W->GetTabStop()) {
      First = W;
      break;
    }
    if (!First) First = W;  // no tab stop at all: the first that can take the focus
  }
  if (First) Form.SetActiveControl(First);
}

void TLxSplitter::CheckPosition(int& Pos) {
  TLxSplitterLimits L;
  L.Size = Size();
  L.SplitterWidth = FSplitterWidth;
  L.BorderWidth = FBorderWidth;
  L.Style = FSplitterStyle;
  L.PositionMin = FPositionMin;
  L.PositionMax = FPositionMax;
  L.Pane1Visible = FPane1->GetVisible();
  L.Pane2Visible = FPane2->GetVisible();
  Pos = SplitterCheckPosition(L, Pos);
  // Both panes shown: each keeps its minimum size while there is room for it.
  const int Min1 = FPane1->GetMinSize(), Min2 = FPane2->GetMinSize();
  if (L.Pane1Visible && L.Pane2Visible && (Min1 > 0 || Min2 > 0)) Pos = SplitterFitPane(Room(), Pos, Min1, Min2);
}

void TLxSplitter::SetFixedPane(TFixedPane Value) {
  if (Value == FFixedPane) return;
  FFixedPane = Value;
  UpdateFixedSize();
}

void TLxSplitter::SetPosition(int Value) {
  if (FUpdating) return;
  if (Value == FPosition && !FResizing) {
    // Asked for where it already is: that is now the place it was given.
    if (!FFitting) UpdateFixedSize();
    return;
  }
  if (!CanChange(Value)) return;
  FPosition = Value;
  FPercent = SplitterPercentOf(Value, Size(), FSplitterWidth, FPercent);
  ResizePanes();
  // A position that only follows the size leaves the fixed pane's given size
  // alone, so the pane gets it back when the splitter grows again.
  if (!FFitting) UpdateFixedSize();
  Change();
}

void TLxSplitter::SetPositionMax(int Value) {
  Value = std::min(Value, SplitterPositionLimit(Size(), FSplitterWidth, FBorderWidth, FSplitterStyle));
  Value = std::max(Value, -1);
  FPositionMax = Value;
  if (Value != -1) {
    if (Value < FPositionMin) FPositionMin = Value;
    FPercentMax = SplitterPercentOf(Value, Size(), FSplitterWidth, FPercentMax);
  }
}

void TLxSplitter::SetPositionMin(int Value) {
  Value = std::max(Value, -1);
  FPositionMin = Value;
  if (Value != -1) {
    if (FPositionMax != -1 && FPositionMax < Value) FPositionMax = Value;
    FPercentMin = SplitterPercentOf(Value, Size(), FSplitterWidth, FPercentMin);
  }
}

void TLxSplitter::SetPercentMax(int Value) {
  FPercentMax = std::min(Value, 100);
  if (FUsePercent) FPositionMax = FPercentMax == 100 ? -1 : PositionOfPercent(FPercentMax);
}

void TLxSplitter::SetPercentMin(int Value) {
  FPercentMin = std::max(Value, 0);
  if (FUsePercent) FPositionMin = FPercentMin == 0 ? -1 : PositionOfPercent(FPercentMin);
}

void TLxSplitter::SetPercent(int Value) {
  FUsePercent = true;
  FPercent = Value;
  SetPosition(PositionOfPercent(Value));
  // The percentage set is the one kept (the position is its rounding).
  FPercent = Value;
}

void TLxSplitter::SetUsePercent(bool Value) {
  FUsePercent = Value;
  if (Value) {
    SetPercentMin(FPercentMin);
    SetPercentMax(FPercentMax);
    const int Percent = FPercent;
    SetPosition(PositionOfPercent(Percent));
    FPercent = Percent;
  } else {
    ResizePanes();
  }
}

void TLxSplitter::SetSplitterStyle(TSplitterStyle Value) {
  if (Value == FSplitterStyle) return;
  FSplitterStyle = Value;
  Invalidate();
}

void TLxSplitter::SetSplitterWidth(std::uint16_t Value) {
  if (Value == FSplitterWidth) return;
  FSplitterWidth = Value;
  ResizePanes();
  Invalidate();
}

void TLxSplitter::ResizePanes() {
  if (!FPane1 || !FPane2 || IsDestroying()) return;
  const TLxPaneLayout L = SplitterPaneLayout(ToLxRect(GetPanelClientRect()), FOrientation, FPosition, FSplitterWidth,
                                             FPane1->GetVisible(), FPane2->GetVisible());
  DisableAlign();
  FPane1->SetBoundsRect(ToRECT(L.Pane1));
  FPane2->SetBoundsRect(ToRECT(L.Pane2));
  EnableAlign();
  if (HandleAllocated()) {
    ::InvalidateRect(WindowHandle(), &FBarRect, FALSE);
    FBarRect = ToRECT(L.Bar);
    ::InvalidateRect(WindowHandle(), &FBarRect, FALSE);
  } else {
    FBarRect = ToRECT(L.Bar);
  }
}

void TLxSplitter::AlignControls(TControl* AControl, RECT& Rect) {
  TLxCustomPanel::AlignControls(AControl, Rect);
  ResizePanes();
}

void TLxSplitter::Resize() {
  TLxCustomPanel::Resize();
  if (FUpdating || IsDestroying()) return;
  FResizing = true;
  auto Reset = ScopeExit([this] {
    FResizing = false;
    FFitting = false;
  });
  const int S = Size();
  int Pos;
  if (FUsePercent) {
    // The limits are the percentages of the new size, 0 % and 100 % included.
    FPositionMin = PositionOfPercent(FPercentMin);
    FPositionMax = PositionOfPercent(FPercentMax);
    Pos = FFixedPane == fpLowerRight ? S - PositionOfPercent(FPercent) : PositionOfPercent(FPercent);
  } else {
    SetPositionMin(FPositionMin);
    SetPositionMax(FPositionMax);
    // From the size the fixed pane was given, not from where an earlier
    // squeeze left the bar.
    Pos = GetGivenPosition();
    FFitting = true;
  }
  CheckPosition(Pos);
  const int Percent = FPercent;
  SetPosition(Pos);
  // Percent mode keeps the percentage it was given: taking it back from the
  // rounded position would drift, and with the lower/right pane fixed it
  // would swap the two panes' shares at every resize.
  if (FUsePercent) FPercent = Percent;
}

void TLxSplitter::FitPanes() {
  if (FUpdating || IsDestroying() || !FPane1 || !FPane2) return;
  int Pos = GetGivenPosition();
  if (!FUsePercent) CheckPosition(Pos);
  if (FUsePercent || Pos == FPosition) {
    ResizePanes();
    return;
  }
  FFitting = true;
  auto Reset = ScopeExit([this] { FFitting = false; });
  SetPosition(Pos);
}

void TLxSplitter::SetULControls(const std::vector<std::string>& Names) {
  FULNames = Names;
  if (HandleAllocated()) ReparentNamed(FULNames, FPane1);
}
void TLxSplitter::SetLRControls(const std::vector<std::string>& Names) {
  FLRNames = Names;
  if (HandleAllocated()) ReparentNamed(FLRNames, FPane2);
}

namespace {
std::vector<std::string> ChildNames(TLxSplitterPane* Pane) {
  std::vector<std::string> Names;
  for (int I = 0; I < Pane->GetControlCount(); ++I) Names.push_back(Pane->GetControl(I)->GetName());
  return Names;
}
}  // namespace

std::vector<std::string> TLxSplitter::GetULControls() const { return ChildNames(FPane1); }
std::vector<std::string> TLxSplitter::GetLRControls() const { return ChildNames(FPane2); }

void TLxSplitter::ReparentNamed(std::vector<std::string>& Names, TLxSplitterPane* Pane) {
  TComponent* Form = GetParentForm();
  if (!Form) Form = GetOwner();
  for (const std::string& N : Names) {
    TControl* C = Form ? dynamic_cast<TControl*>(Form->FindComponent(N)) : nullptr;
    if (C && C != Pane && C != this) C->SetParent(Pane);
  }
  Names.clear();
}

void TLxSplitter::Loaded() {
  TLxCustomPanel::Loaded();
  ReparentNamed(FULNames, FPane1);
  ReparentNamed(FLRNames, FPane2);
  ResizePanes();
}

void TLxSplitter::Paint(TCanvas& Canvas) {
  TLxCustomPanel::Paint(Canvas);
  if (FSplitterStyle == ssStandard || ::IsRectEmpty(&FBarRect)) return;
  FillSolid(Canvas.GetHandle(), FBarRect, GetColor());
  const TLxGroove G = SplitterBarGroove(ToLxRect(FBarRect), FOrientation, FSplitterStyle);
  auto Line = [&](const TLxLine& L, TColor Color) {
    FillSolid(Canvas.GetHandle(), RECT{L.A.X, L.A.Y, std::max(L.B.X, L.A.X + 1), std::max(L.B.Y, L.A.Y + 1)}, Color);
  };
  Line(G.Shadow, clBtnShadow);
  Line(G.Highlight, clBtnHighlight);
}

void TLxSplitter::DrawMask(int Pos) {
  if (!HandleAllocated()) return;
  const RECT C = GetPanelClientRect();
  RECT R;
  if (FOrientation == orHorizontal)
    R = RECT{C.left + Pos, C.top, C.left + Pos + FSplitterWidth, C.bottom};
  else
    R = RECT{C.left, C.top + Pos, C.right, C.top + Pos + FSplitterWidth};
  POINT P{R.left, R.top};
  ::ClientToScreen(WindowHandle(), &P);
  TWindowDC DC(nullptr);
  if (!DC) return;
  PaintDragMask(DC.Get(), RECT{P.x, P.y, P.x + R.right - R.left, P.y + R.bottom - R.top});
}

void TLxSplitter::PaintDragMask(HDC DC, const RECT& R) const {
  TBrushHandle Brush(::CreatePatternBrush(FMask.Get()));
  // The checkerboard's white squares take the grey background and its black
  // ones the black text colour, so every other pixel is XORed with grey.
  const COLORREF OldText = ::SetTextColor(DC, RGB(0, 0, 0));
  const COLORREF OldBk = ::SetBkColor(DC, RGB(0x80, 0x80, 0x80));
  TSelectObject Sel(DC, Brush.Get());
  ::PatBlt(DC, R.left, R.top, R.right - R.left, R.bottom - R.top, PATINVERT);
  ::SetTextColor(DC, OldText);
  ::SetBkColor(DC, OldBk);
}

void TLxSplitter::MouseDown(TMouseButton Button, TShiftState Shift, int X, int Y) {
  TLxCustomPanel::MouseDown(Button, Shift, X, Y);
  const POINT P{X, Y};
  if (Button != mbLeft || (Shift & (ssRight | ssMiddle)) || FLockBar || !::PtInRect(&FBarRect, P)) return;
  SetMouseCapture(true);
  FDragging = true;
  FDragOffset = FOrientation == orHorizontal ? X : Y;
  FDragStartPos = FPosition;
  FLastDrawnPos = FPosition;
  DrawMask(FLastDrawnPos);
}

void TLxSplitter::MouseMove(TShiftState Shift, int X, int Y) {
  TLxCustomPanel::MouseMove(Shift, X, Y);
  if (!FDragging) return;
  int Pos = FDragStartPos + ((FOrientation == orHorizontal ? X : Y) - FDragOffset);
  CheckPosition(Pos);
  if (Pos == FLastDrawnPos) return;
  DrawMask(FLastDrawnPos);
  DrawMask(Pos);
  FLastDrawnPos = Pos;
}

void TLxSplitter::EndDrag(bool Apply) {
  if (!FDragging) return;
  FDragging = false;
  DrawMask(FLastDrawnPos);
  if (Apply) SetPosition(FLastDrawnPos);
}

void TLxSplitter::WndProc(TMessage& Message) {
  switch (Message.Msg) {
    case WM_SETCURSOR:
      if (reinterpret_cast<HWND>(Message.WParam) == WindowHandle() && LOWORD(Message.LParam) == HTCLIENT && !FLockBar) {
        POINT P{};
        ::GetCursorPos(&P);
        ::ScreenToClient(WindowHandle(), &P);
        if (::PtInRect(&FBarRect, P)) {
          ::SetCursor(FOrientation == orHorizontal ? FHSplitCursor : FVSplitCursor);
          Message.Result = TRUE;
          return;
        }
      }
      break;
    case WM_LBUTTONUP:
      // Ends the drag before the capture goes with the release.
      EndDrag(true);
      break;
    case WM_CAPTURECHANGED:
      // Capture taken away mid-drag: the mask goes, the position stays.
      if (FDragging && reinterpret_cast<HWND>(Message.LParam) != WindowHandle()) EndDrag(false);
      break;
    default: break;
  }
  TLxCustomPanel::WndProc(Message);
}

void TLxSplitter::DpiChanged(int FromDpi, int ToDpi) {
  TLxCustomPanel::DpiChanged(FromDpi, ToDpi);
  FUpdating = true;  // the panes are fitted once, below
  FSplitterWidth = static_cast<std::uint16_t>(FScaledBarWidth.Rescale(FSplitterWidth, FromDpi, ToDpi));
  if (!FUsePercent) {
    FFixedSize = FScaledFixedSize.Rescale(FFixedSize, FromDpi, ToDpi);
    if (FPositionMin > 0) FPositionMin = FScaledMin.Rescale(FPositionMin, FromDpi, ToDpi);
    if (FPositionMax > 0) FPositionMax = FScaledMax.Rescale(FPositionMax, FromDpi, ToDpi);
  }
  FPane1->SetMinSize(FScaledMinSize1.Rescale(FPane1->GetMinSize(), FromDpi, ToDpi));
  FPane2->SetMinSize(FScaledMinSize2.Rescale(FPane2->GetMinSize(), FromDpi, ToDpi));
  FUpdating = false;
  // The position again from the fixed pane's size (or the percentage).
  Resize();
  ResizePanes();
}
