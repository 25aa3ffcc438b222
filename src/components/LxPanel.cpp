#include "components/LxPanel.h"

#include "components/LxMatch.h"
#include "model/ScopeExit.h"

#include <algorithm>

int TLxMouseTracker::Handle(HWND Wnd, const TMessage& Message) {
  if (Message.Msg == WM_MOUSEMOVE && !FInside) {
    FInside = true;
    TRACKMOUSEEVENT T{sizeof T, TME_LEAVE, Wnd, 0};
    ::TrackMouseEvent(&T);
    return 1;
  }
  if (Message.Msg == WM_MOUSELEAVE && FInside) {
    FInside = false;
    return -1;
  }
  return 0;
}

// ---------------------------------------------------------------------------

TLxCustomPanel::TLxCustomPanel(TComponent* AOwner) : TCustomControl(AOwner) { SetBounds(0, 0, 185, 41); }

void TLxCustomPanel::CreateParams(TCreateParams& Params) {
  TCustomControl::CreateParams(Params);
  Params.Style |= WS_CLIPCHILDREN;
}

void TLxCustomPanel::WndProc(TMessage& Message) {
  switch (FMouse.Handle(WindowHandle(), Message)) {
    case 1: MouseEnter(); break;
    case -1: MouseLeave(); break;
    default: break;
  }
  TCustomControl::WndProc(Message);
}

void TLxCustomPanel::MouseEnter() {
  if (OnMouseEnter) OnMouseEnter(this);
}
void TLxCustomPanel::MouseLeave() {
  if (OnMouseLeave) OnMouseLeave(this);
}

void TLxCustomPanel::BordersChanged() {
  Realign();
  Invalidate();
}

void TLxCustomPanel::SetBorderWidth(int Value) {
  if (Value == FBorderWidth || Value < 0) return;
  FBorderWidth = Value;
  BordersChanged();
}
void TLxCustomPanel::SetBevelWidth(int Value) {
  if (Value == FBevelWidth || Value < 1) return;
  FBevelWidth = Value;
  BordersChanged();
}
void TLxCustomPanel::SetAlignment(TAlignment Value) {
  if (Value == FAlignment) return;
  FAlignment = Value;
  Invalidate();
}
void TLxCustomPanel::SetAlignmentVertical(TAlignmentVertical Value) {
  if (Value == FAlignmentVertical) return;
  FAlignmentVertical = Value;
  Invalidate();
}
void TLxCustomPanel::SetBorderColor(TColor Value) {
  if (Value == FBorderColor) return;
  FBorderColor = Value;
  Invalidate();
}
void TLxCustomPanel::SetBorderInner(TFrameStyle Value) {
  if (Value == FBorderInner) return;
  FBorderInner = Value;
  BordersChanged();
}
void TLxCustomPanel::SetBorderOuter(TFrameStyle Value) {
  if (Value == FBorderOuter) return;
  FBorderOuter = Value;
  BordersChanged();
}
void TLxCustomPanel::SetBorderSides(TSides Value) {
  if (Value == FBorderSides) return;
  FBorderSides = Value;
  BordersChanged();
}
void TLxCustomPanel::SetBorderHighlight(TColor Value) {
  if (Value == FBorderHighlight) return;
  FBorderHighlight = Value;
  Invalidate();
}
void TLxCustomPanel::SetBorderShadow(TColor Value) {
  if (Value == FBorderShadow) return;
  FBorderShadow = Value;
  Invalidate();
}
void TLxCustomPanel::SetFrameSides(TSides Value) {
  if (Value == FFrameSides) return;
  FFrameSides = Value;
  BordersChanged();
}

RECT TLxCustomPanel::PanelRect() {
  TLxPanelFrame F{FBorderOuter, FBorderInner, FBorderSides, FFrameSides, FBorderWidth};
  return ToRECT(PanelClientRect(TLxRect{0, 0, GetWidth(), GetHeight()}, F));
}

RECT TLxCustomPanel::GetPanelClientRect() { return PanelRect(); }
void TLxCustomPanel::AdjustClientRect(RECT& Rect) { Rect = GetPanelClientRect(); }

RECT TLxCustomPanel::PaintBorders(TCanvas& Canvas) {
  RECT R{0, 0, GetWidth(), GetHeight()};
  R = DrawSides(Canvas, R, clBlack, clBlack, FFrameSides);
  auto Border = [&](TFrameStyle Style) {
    if (Style == fsPopup)
      R = DrawBevel(Canvas, R, FBorderHighlight, FBorderShadow, FBevelWidth, FBorderSides);
    else if (Style == fsStatus)
      R = DrawBevel(Canvas, R, FBorderShadow, FBorderHighlight, FBevelWidth, FBorderSides);
    else
      R = DrawBorderSides(Canvas, R, Style, FBorderSides);
  };
  Border(FBorderOuter);
  if (FBorderWidth > 0) R = DrawBevel(Canvas, R, FBorderColor, FBorderColor, FBorderWidth, sdAllSides);
  Border(FBorderInner);
  return R;
}

void TLxCustomPanel::PaintCaption(TCanvas& Canvas, RECT R) {
  const std::string Text = GetCaption();
  if (Text.empty()) return;
  Canvas.GetFont().Assign(GetFont());
  Canvas.GetBrush().SetStyle(bsClear);
  R.left += 1;
  RECT M = R;
  Canvas.DrawText(Text, M, DT_CALCRECT | DT_WORDBREAK | DT_EXPANDTABS);
  TLxRect L = ToLxRect(R);
  PanelCaptionVertical(FAlignmentVertical, M.bottom - M.top, L);
  R = ToRECT(L);
  Canvas.DrawText(Text, R, DT_WORDBREAK | DT_EXPANDTABS | DrawTextAlignments[FAlignment]);
  Canvas.GetBrush().SetStyle(bsSolid);
}

void TLxCustomPanel::Paint(TCanvas& Canvas) {
  RECT R = PaintBorders(Canvas);
  FillSolid(Canvas.GetHandle(), R, GetColor());
  PaintCaption(Canvas, R);
}

// ---------------------------------------------------------------------------

TLxSpacer::TLxSpacer(TComponent* AOwner) : TGraphicControl(AOwner) {
  SetParentColor(true);
  SetBounds(0, 0, 8, 29);
}

void TLxSpacer::SetGrooved(bool Value) {
  if (Value == FGrooved) return;
  FGrooved = Value;
  Invalidate();
}

void TLxSpacer::Paint(TCanvas& Canvas) {
  const RECT C{0, 0, GetWidth(), GetHeight()};
  // A spacer has no face of its own: what its parent paints there shows
  // through (the borders of a button group it reaches over).
  if (TWinControl* P = GetParent()) {
    HDC DC = Canvas.GetHandle();
    const int Saved = ::SaveDC(DC);
    ::OffsetViewportOrgEx(DC, -GetLeft(), -GetTop(), nullptr);
    P->PaintWindow(DC);
    ::RestoreDC(DC, Saved);
  } else {
    FillSolid(Canvas.GetHandle(), C, GetColor());
  }
  if (!FGrooved) return;
  const TLxGroove G = SpacerGroove(ToLxRect(C));
  auto Line = [&](const TLxLine& L, TColor Color) {
    FillSolid(Canvas.GetHandle(), RECT{L.A.X, L.A.Y, std::max(L.B.X, L.A.X + 1), std::max(L.B.Y, L.A.Y + 1)}, Color);
  };
  Line(G.Shadow, clBtnShadow);
  Line(G.Highlight, clBtnHighlight);
}

// ---------------------------------------------------------------------------

void TLxToolbarControl::AssignElements(TLxToolbarControl*) {}

int TLxToolbarControlList::AddControl(TControl* Control) {
  const int I = IndexOf(Control);
  if (I >= 0) return I;
  auto E = CreateEntry();
  E->Control = Control;
  E->Component = Control;
  if (Control) E->Name = Control->GetName();
  FItems.push_back(std::move(E));
  return Count() - 1;
}

int TLxToolbarControlList::AddControlName(const std::string& Name) {
  const int I = IndexOfName(Name);
  if (I >= 0) return I;
  auto E = CreateEntry();
  E->Name = Name;
  FItems.push_back(std::move(E));
  return Count() - 1;
}

int TLxToolbarControlList::IndexOf(const TControl* Control) const {
  for (int I = 0; I < Count(); ++I)
    if (FItems[static_cast<size_t>(I)]->Control == Control) return I;
  return -1;
}

int TLxToolbarControlList::IndexOfName(const std::string& Name) const {
  for (int I = 0; I < Count(); ++I)
    if (SameText(FItems[static_cast<size_t>(I)]->Name, Name)) return I;
  return -1;
}

int TLxToolbarControlList::RemoveControl(const TControl* Control) {
  const int I = IndexOf(Control);
  if (I >= 0) FItems.erase(FItems.begin() + I);
  return I;
}

int TLxToolbarControlList::RemoveComponent(const TComponent* Component) {
  for (int I = 0; I < Count(); ++I)
    if (Component && FItems[static_cast<size_t>(I)]->Component == Component) {
      FItems.erase(FItems.begin() + I);
      return I;
    }
  return -1;
}

void TLxToolbarControlList::ReadControls(const std::vector<std::string>& Names) {
  FItems.clear();
  for (const std::string& N : Names) AddControlName(N);
}

std::vector<std::string> TLxToolbarControlList::WriteControls() const {
  std::vector<std::string> Names;
  for (const auto& E : FItems) Names.push_back(E->Control ? E->Control->GetName() : E->Name);
  return Names;
}

void TLxToolbarControlList::ControlsAreLoaded(TComponent* Form, TWinControl* Fallback) {
  std::vector<std::unique_ptr<TLxToolbarControl>> Loaded;
  Loaded.swap(FItems);
  for (auto& E : Loaded) {
    TControl* C = nullptr;
    if (Form) C = dynamic_cast<TControl*>(Form->FindComponent(E->Name));
    if (!C && Fallback)
      for (int I = 0; I < Fallback->GetControlCount() && !C; ++I)
        if (SameText(Fallback->GetControl(I)->GetName(), E->Name)) C = Fallback->GetControl(I);
    if (!C || IndexOf(C) >= 0) continue;
    const int Index = AddControl(C);
    Items(Index)->AssignElements(E.get());
  }
}

// ---------------------------------------------------------------------------

TLxToolbar::TLxToolbar(TComponent* AOwner) : TLxCustomPanel(AOwner) {
  SetWindowClassName("TLxToolbar");
  FShowDivider = true;
  if (NewStyleControls()) {
    FBorderInner = fsNone;
    FBorderOuter = fsGroove;
    FBorderSides = sdTopSide;
    FFrameSides = sdNoSides;
  } else {
    FBorderInner = fsNone;
    FBorderOuter = fsPopup;
    FBorderSides = sdAllSides;
    FFrameSides = sdBottomSide;
  }
  FBorderWidth = 0;
  TLxCustomPanel::SetAlign(alTop);
  SetBounds(GetLeft(), GetTop(), 32, 32);
  SetShowHint(true);
  FControlList = CreateToolbarControlList();
}

TLxToolbar::~TLxToolbar() { FPositioning = true; }

std::unique_ptr<TLxToolbarControlList> TLxToolbar::CreateToolbarControlList() {
  return std::make_unique<TLxToolbarControlList>();
}

int TLxToolbar::CalculateRowHeight(int) { return FRowHeight; }

void TLxToolbar::ApplyStyle(const TLxToolbarStyle& S) {
  // Written past the toolbar's own setters so AutoStyle stays on.
  TLxCustomPanel::SetBorderInner(S.BorderInner);
  TLxCustomPanel::SetBorderOuter(S.BorderOuter);
  TLxCustomPanel::SetBorderSides(S.BorderSides);
  TLxCustomPanel::SetFrameSides(S.FrameSides);
}

void TLxToolbar::AdjustStyle(TAlign Value) {
  ApplyStyle(ToolbarAutoStyle(ToLxAlign(Value), NewStyleControls(), FShowDivider));
  Invalidate();
}

void TLxToolbar::SetAlign(TAlign Value) {
  if (FAutoStyle) AdjustStyle(Value);
  TLxCustomPanel::SetAlign(Value);
  if (Value == alLeft || Value == alRight)
    SetWidth(32);
  else
    SetHeight(32);
  PositionControls();
}

void TLxToolbar::SetAutoSize(bool Value) {
  if (Value == FAutoSize) return;
  FAutoSize = Value;
  PositionControls();
}
void TLxToolbar::SetMargin(int Value) {
  if (Value == FMargin) return;
  FMargin = Value;
  PositionControls();
}
void TLxToolbar::SetOrientation(TOrientation Value) {
  if (Value == FOrientation) return;
  FOrientation = Value;
  PositionControls();
}
void TLxToolbar::SetRowHeight(int Value) {
  if (Value == FRowHeight) return;
  FRowHeight = Value;
  PositionControls();
}
void TLxToolbar::SetShowDivider(bool Value) {
  if (Value == FShowDivider) return;
  FShowDivider = Value;
  if (NewStyleControls()) TLxCustomPanel::SetBorderOuter(Value ? fsGroove : fsNone);
  PositionControls();
}
void TLxToolbar::SetWrapControls(bool Value) {
  if (Value == FWrapControls) return;
  FWrapControls = Value;
  PositionControls();
}

void TLxToolbar::SetBorderInner(TFrameStyle Value) {
  if (Value == FBorderInner) return;
  TLxCustomPanel::SetBorderInner(Value);
  FAutoStyle = false;
}
void TLxToolbar::SetBorderOuter(TFrameStyle Value) {
  if (Value == FBorderOuter) return;
  TLxCustomPanel::SetBorderOuter(Value);
  FAutoStyle = false;
}
void TLxToolbar::SetBorderSides(TSides Value) {
  if (Value == FBorderSides) return;
  TLxCustomPanel::SetBorderSides(Value);
  FAutoStyle = false;
}
void TLxToolbar::SetFrameSides(TSides Value) {
  if (Value == FFrameSides) return;
  TLxCustomPanel::SetFrameSides(Value);
  FAutoStyle = false;
}

void TLxToolbar::SetToolbarControls(const std::vector<std::string>& Names) {
  FControlList->ReadControls(Names);
  FNamesPending = !Names.empty();
  if (HandleAllocated()) Loaded();
}

void TLxToolbar::Loaded() {
  TLxCustomPanel::Loaded();
  if (FNamesPending) {
    TComponent* Form = GetParentForm();
    if (!Form) Form = GetOwner();
    FControlList->ControlsAreLoaded(Form, this);
    FNamesPending = false;
    for (int I = 0; I < FControlList->Count(); ++I)
      if (TControl* C = FControlList->Items(I)->Control) C->FreeNotification(this);
  }
  PositionControls();  // children not in the list join it here, in child order
  if (FAutoStyle) AdjustStyle(GetAlign());
}

void TLxToolbar::Notification(TComponent* AComponent, TOperation Operation) {
  TLxCustomPanel::Notification(AComponent, Operation);
  // A control in the list is going: its entry goes and the rest close up.
  if (Operation == opRemove && FControlList && FControlList->RemoveComponent(AComponent) >= 0 && !IsDestroying())
    PositionControls();
}

void TLxToolbar::AlignControls(TControl*, RECT&) { PositionControls(); }

namespace {
// Posted to a toolbar to lay it out once its children have come or gone.
constexpr UINT CM_LXPOSITIONCONTROLS = WM_APP + 0x3D02;
}  // namespace

void TLxToolbar::WndProc(TMessage& Message) {
  if (Message.Msg == WM_PARENTNOTIFY && (LOWORD(Message.WParam) == WM_CREATE || LOWORD(Message.WParam) == WM_DESTROY)) {
    if (!FPositionPosted) {
      FPositionPosted = true;
      ::PostMessageA(WindowHandle(), CM_LXPOSITIONCONTROLS, 0, 0);
    }
  } else if (Message.Msg == CM_LXPOSITIONCONTROLS) {
    FPositionPosted = false;
    PositionControls();
    Message.Result = 0;
    return;
  }
  TLxCustomPanel::WndProc(Message);
}

void TLxToolbar::Resize() {
  TLxCustomPanel::Resize();
  PositionControls();
}

void TLxToolbar::PositionControl(int Index, int Row, int& Pos) {
  TControl* C = FControlList->Items(Index)->Control;
  if (!C || C->IsDestroying()) return;
  TLxToolbarItem It;
  It.Width = C->GetWidth();
  It.Height = C->GetHeight();
  It.Spacer = dynamic_cast<TLxSpacer*>(C) != nullptr;
  const TLxRect B = ToolbarPlaceItem(It, Row, Pos, FCurrentRowHeight, FMargin, FRowHeight, FOrientation);
  C->SetBounds(B.Left, B.Top, B.Width(), B.Height());
  Pos += FOrientation == orVertical ? B.Height() : B.Width();
}

std::vector<TLxToolbarItem> TLxToolbar::LayoutItems() const {
  std::vector<TLxToolbarItem> Items;
  for (int I = 0; I < FControlList->Count(); ++I) {
    TControl* C = FControlList->Items(I)->Control;
    TLxToolbarItem It;
    It.Present = C != nullptr;
    if (C) {
      It.Visible = C->GetVisible();
      It.Destroying = C->IsDestroying();
      It.Width = C->GetWidth();
      It.Height = C->GetHeight();
    }
    Items.push_back(It);
  }
  return Items;
}

int TLxToolbar::WrappedRowCount() {
  if (!FControlList) return 1;
  TLxToolbarLayoutIn In;
  In.Margin = FMargin;
  In.RowHeight = FRowHeight;
  In.WrapControls = true;
  In.AutoSize = false;
  In.Orientation = FOrientation;
  In.Width = GetWidth();
  In.Height = GetHeight();
  const std::vector<TLxToolbarItem> Items = LayoutItems();
  return ToolbarPositionControls(In, Items, std::vector<TLxRect>(Items.size())).Rows;
}

void TLxToolbar::PositionControls() {
  if (FPositioning || !FControlList || IsDestroying()) return;
  FPositioning = true;
  auto Reset = ScopeExit([this] { FPositioning = false; });

  // The list follows the children: those moved to another parent leave it,
  // new ones join at its end (so creation order is the default order).
  for (int I = FControlList->Count() - 1; I >= 0; --I) {
    TControl* C = FControlList->Items(I)->Control;
    if (C && C->GetParent() != this) {
      C->RemoveFreeNotification(this);
      FControlList->RemoveControl(C);
    }
  }
  if (!FNamesPending)
    for (int I = 0; I < GetControlCount(); ++I) {
      TControl* C = GetControl(I);
      if (C->IsDestroying() || FControlList->IndexOf(C) >= 0) continue;
      FControlList->AddControl(C);
      C->FreeNotification(this);
    }

  TLxToolbarLayoutIn In;
  In.Margin = FMargin;
  In.RowHeight = FRowHeight;
  In.WrapControls = FWrapControls;
  In.AutoSize = FAutoSize;
  In.Orientation = FOrientation;
  In.Align = ToLxAlign(GetAlign());
  In.Width = GetWidth();
  In.Height = GetHeight();
  In.CalculateRowHeight = [this](int Row) { return FCurrentRowHeight = CalculateRowHeight(Row); };
  In.PositionControl = [this](std::size_t Index, int Row, int& Pos) {
    PositionControl(static_cast<int>(Index), Row, Pos);
  };
  const std::vector<TLxToolbarItem> Items = LayoutItems();
  const TLxToolbarLayoutOut Out = ToolbarPositionControls(In, Items, std::vector<TLxRect>(Items.size()));
  if (!Out.NewWidth && !Out.NewHeight) return;
  SetBounds(GetLeft(), GetTop(), Out.NewWidth.value_or(GetWidth()), Out.NewHeight.value_or(GetHeight()));
  // Let the parent re-align its other children around the new size.
  if (TWinControl* P = GetParent(); P && P->HandleAllocated()) {
    HWND PW = P->WindowHandle();
    const WPARAM State = ::IsZoomed(PW) ? SIZE_MAXIMIZED : ::IsIconic(PW) ? SIZE_MINIMIZED : SIZE_RESTORED;
    RECT PC{};
    ::GetClientRect(PW, &PC);
    ::PostMessageA(PW, WM_SIZE, State, MAKELPARAM(PC.right, PC.bottom));
  }
}

// ---------------------------------------------------------------------------

TLxCustomStatusBar::TLxCustomStatusBar(TComponent* AOwner) : TLxCustomPanel(AOwner) {
  SetWindowClassName("TLxStatusBar");
  TLxCustomPanel::SetAlign(alBottom);
  FShowSizeGrip = true;
  FSimpleStatus = false;
}

TLxStatusBar::TLxStatusBar(TComponent* AOwner) : TLxCustomStatusBar(AOwner) {
  FAutoStyle = true;
  AdjustStyle();
}

void TLxStatusBar::AdjustStyle() {
  const TLxStatusBarStyle S = StatusBarAutoStyle(NewStyleControls());
  // Past the bar's own setters: AutoStyle stays on, so Loaded applies it again.
  TLxCustomPanel::SetBorderInner(S.BorderInner);
  TLxCustomPanel::SetBorderOuter(S.BorderOuter);
  TLxCustomPanel::SetBorderSides(S.BorderSides);
  TLxCustomPanel::SetFrameSides(S.FrameSides);
  SetBorderWidth(0);
  SetHeight(S.Height);
}

void TLxStatusBar::Loaded() {
  TLxCustomStatusBar::Loaded();
  if (FAutoStyle) AdjustStyle();
}

void TLxCustomStatusBar::Resize() {
  TLxCustomPanel::Resize();
  // A window that grows repaints only its new part, so the grip drawn at the
  // old right end (on the bar or on the pane that reached it) would stay.
  if (HandleAllocated()) ::RedrawWindow(WindowHandle(), nullptr, nullptr, RDW_INVALIDATE | RDW_ALLCHILDREN);
}

void TLxStatusBar::SetBorderInner(TFrameStyle Value) {
  if (Value == FBorderInner) return;
  TLxCustomPanel::SetBorderInner(Value);
  FAutoStyle = false;
}
void TLxStatusBar::SetBorderOuter(TFrameStyle Value) {
  if (Value == FBorderOuter) return;
  TLxCustomPanel::SetBorderOuter(Value);
  FAutoStyle = false;
}
void TLxStatusBar::SetBorderSides(TSides Value) {
  if (Value == FBorderSides) return;
  TLxCustomPanel::SetBorderSides(Value);
  FAutoStyle = false;
}
void TLxStatusBar::SetFrameSides(TSides Value) {
  if (Value == FFrameSides) return;
  TLxCustomPanel::SetFrameSides(Value);
  FAutoStyle = false;
}

void TLxCustomStatusBar::SetShowSizeGrip(bool Value) {
  if (Value == FShowSizeGrip) return;
  FShowSizeGrip = Value;
  Invalidate();
  for (int I = 0; I < GetControlCount(); ++I) GetControl(I)->Invalidate();
}

void TLxCustomStatusBar::SetSimpleCaption(const std::string& Value) {
  if (Value == FSimpleCaption) return;
  FSimpleCaption = Value;
  Invalidate();
}

void TLxCustomStatusBar::ShowChildren(bool Value) {
  for (int I = 0; I < GetControlCount(); ++I) GetControl(I)->SetVisible(Value);
}

void TLxCustomStatusBar::SetSimpleStatus(bool Value) {
  if (Value == FSimpleStatus) return;
  FSimpleStatus = Value;
  ShowChildren(!Value);
  Invalidate();
}

void TLxStatusBar::SetSimpleStatus(bool Value) {
  if (Value == FSimpleStatus) return;
  FSimpleStatus = Value;
  DisableAlign();
  ShowChildren(!Value);
  EnableAlign();
  Realign();
  Invalidate();
}

RECT TLxCustomStatusBar::GetPanelClientRect() {
  return ToRECT(StatusBarClientRect(ToLxRect(PanelRect()), NewStyleControls(), FSimpleStatus));
}

RECT TLxCustomStatusBar::SizeGripRect() { return ToRECT(::SizeGripRect(GetWidth(), GetHeight(), GetCurrentDpi())); }

HWND TLxCustomStatusBar::FormWindow() {
  if (TCustomForm* F = GetParentForm(); F && F->HandleAllocated()) return F->WindowHandle();
  return HandleAllocated() ? ::GetAncestor(WindowHandle(), GA_ROOT) : nullptr;
}

bool TLxCustomStatusBar::SizeGripShowing() {
  if (!FShowSizeGrip) return false;
  HWND F = FormWindow();
  return !(F && ::IsZoomed(F));
}

bool TLxCustomStatusBar::ReachesSizeGrip(TWinControl& Child) {
  if (!HandleAllocated() || !Child.HandleAllocated() || Child.GetParent() != this) return false;
  POINT BarRight{GetPanelClientRect().right, 0};
  ::ClientToScreen(WindowHandle(), &BarRight);
  POINT ChildRight{Child.GetWidth(), 0};
  ::ClientToScreen(Child.WindowHandle(), &ChildRight);
  return ChildRight.x >= BarRight.x;
}

bool TLxCustomStatusBar::PassHitToSizeGrip(TWinControl& Child, TMessage& Message) {
  if (Message.Msg != WM_NCHITTEST || !Child.HandleAllocated()) return false;
  auto* Bar = dynamic_cast<TLxCustomStatusBar*>(Child.GetParent());
  if (!Bar) return false;
  POINT P{static_cast<short>(LOWORD(Message.LParam)), static_cast<short>(HIWORD(Message.LParam))};
  ::ScreenToClient(Child.WindowHandle(), &P);
  if (P.x < Child.GetWidth() - SizeGripWidth(Child.GetCurrentDpi()) || !Bar->ReachesSizeGrip(Child)) return false;
  Message.Result = HTTRANSPARENT;
  return true;
}

void TLxCustomStatusBar::PaintSizeGrip(HDC DC, int OriginX, int OriginY) {
  const TLxRect C = ToLxRect(GetPanelClientRect());
  const TLxSizeGrip G = SizeGripLines(C, GetWidth() - FBorderWidth, GetHeight() - FBorderWidth, GetCurrentDpi());
  const int SavedDC = ::SaveDC(DC);
  ::SetViewportOrgEx(DC, -OriginX, -OriginY, nullptr);
  RECT Fill = ToRECT(G.Fill);
  FillSolid(DC, Fill, GetColor());
  auto Lines = [&](const std::vector<TLxLine>& Ls, TColor Color) {
    TPenHandle Pen(::CreatePen(PS_SOLID, G.PenWidth, ColorToRGB(Color)));
    TSelectObject Sel(DC, Pen.Get());
    for (const TLxLine& L : Ls) {
      ::MoveToEx(DC, L.A.X, L.A.Y, nullptr);
      ::LineTo(DC, L.B.X, L.B.Y);
    }
  };
  Lines(G.Highlight, clBtnHighlight);
  Lines(G.Shadow, clBtnShadow);
  ::RestoreDC(DC, SavedDC);
}

void TLxCustomStatusBar::Paint(TCanvas& Canvas) {
  TLxCustomPanel::Paint(Canvas);
  if (FSimpleStatus) {
    RECT R = GetPanelClientRect();
    if (NewStyleControls())
      R.bottom -= 1;
    else
      ::InflateRect(&R, -2, -2);
    R = DrawBorder(Canvas, R, fsStatus);
    ::InflateRect(&R, -1, -1);
    if (!FSimpleCaption.empty()) {
      Canvas.GetFont().Assign(GetFont());
      Canvas.GetBrush().SetColor(GetColor());
      Canvas.GetBrush().SetStyle(bsSolid);
      const int Y = R.top + (R.bottom - R.top - Canvas.TextHeight("Pp")) / 2;
      Canvas.TextRect(R, R.left + 2, Y, FSimpleCaption);
    }
  }
  if (SizeGripShowing()) PaintSizeGrip(Canvas.GetHandle(), 0, 0);
}

void TLxCustomStatusBar::MouseDown(TMouseButton Button, TShiftState Shift, int X, int Y) {
  TLxCustomPanel::MouseDown(Button, Shift, X, Y);
  const RECT G = SizeGripRect();
  const POINT P{X, Y};
  if (Button == mbLeft && FShowSizeGrip && ::PtInRect(&G, P)) {
    ::ReleaseCapture();
    if (HWND F = FormWindow()) ::SendMessageA(F, WM_SYSCOMMAND, SC_SIZE + 8, 0);
  }
}

void TLxCustomStatusBar::WndProc(TMessage& Message) {
  if (Message.Msg == WM_SETCURSOR && reinterpret_cast<HWND>(Message.WParam) == WindowHandle() &&
      LOWORD(Message.LParam) == HTCLIENT && SizeGripShowing()) {
    POINT P{};
    ::GetCursorPos(&P);
    ::ScreenToClient(WindowHandle(), &P);
    const RECT G = SizeGripRect();
    if (::PtInRect(&G, P)) {
      ::SetCursor(::LoadCursorA(nullptr, MAKEINTRESOURCEA(32642)));  // IDC_SIZENWSE
      Message.Result = TRUE;
      return;
    }
  }
  TLxCustomPanel::WndProc(Message);
}

void TLxToolbar::DpiChanged(int FromDpi, int ToDpi) {
  TLxCustomPanel::DpiChanged(FromDpi, ToDpi);
  FMargin = FScaledMargin.Rescale(FMargin, FromDpi, ToDpi);
  FRowHeight = FScaledRowHeight.Rescale(FRowHeight, FromDpi, ToDpi);
  PositionControls();
}
