#include "core/BkListBox.h"

#include "platform/Forms.h"

#include <windowsx.h>

#include <algorithm>
#include <vector>

namespace {

int WheelLines() {
  UINT Lines = 3;
  SystemParametersInfoA(SPI_GETWHEELSCROLLLINES, 0, &Lines, 0);
  return Lines == 0 || Lines > 100 ? 3 : static_cast<int>(Lines);
}

}  // namespace

// ============================================================ TBkVertListBox

TBkVertListBox::TBkVertListBox(TComponent* AOwner) : TCustomControl(AOwner) {
  SetWindowClassName("TBkVertListBox");
  SetColor(clWindow);
  SetTabStop(true);
  SetDoubleBuffered(true);
  SetBounds(0, 0, 121, 97);
  FRepaintTimer = std::make_unique<TTimer>(nullptr);
  FRepaintTimer->SetEnabled(false);
  FRepaintTimer->SetInterval(RepaintInterval);
  FRepaintTimer->SetOnTimer([this](TObject*) { RepaintTimerTick(); });
}

TBkVertListBox::~TBkVertListBox() = default;

void TBkVertListBox::SetItems(TBkListItems* Items) {
  FItems = Items;
  FSel.Cleared();
  FSingleIndex = -1;
  SyncCount();
  MarkDirty();
}

std::string TBkVertListBox::GetItemString(std::int32_t Index) const {
  if (!FItems || Index < 0 || Index >= FItems->Count()) return {};
  return FItems->GetString(Index);
}

void TBkVertListBox::SyncCount() {
  const std::int32_t N = FItems ? FItems->Count() : 0;
  if (N != FSel.Count()) FSel.Resize(N);
}

void TBkVertListBox::ItemInserted(std::int32_t Position) {
  FSel.Inserted(Position);
  if (!FMultiSelect && FSingleIndex >= Position) ++FSingleIndex;
  // An item below the last visible row changes nothing on the screen but the
  // scroll bar (the usual case while messages are appended to a long list).
  // The window's height bounds the client's: most insertions far below the
  // view are decided without asking the system (a load adds a million).
  const auto RowsIn = [this](int H) { return (H + FItemHeight - 1) / FItemHeight; };  // the last one may be cut
  const bool FarBelow = Position >= FSel.TopIndex() + RowsIn(GetHeight());
  if (FarBelow || Position >= FSel.TopIndex() + RowsIn(HandleAllocated() ? GetClientHeight() : GetHeight()))
    MarkScrollDirty();
  else
    MarkDirty();
}

void TBkVertListBox::ItemsCleared() {
  FSel.Cleared();
  FSingleIndex = -1;
  FHorzPos = std::min(FHorzPos, HorizontalExtent);
  MarkDirty();
}

void TBkVertListBox::ItemsReversed() {
  FSel.Reversed();
  if (!FMultiSelect && FSingleIndex >= 0) FSingleIndex = Count() - 1 - FSingleIndex;
  MarkDirty();
}

void TBkVertListBox::ItemsChanged() {
  SyncCount();
  MarkDirty();
}

void TBkVertListBox::DeleteSelectedItems() {
  if (!FItems || FSel.SelCount() == 0) return;
  std::vector<std::uint8_t> Gone(static_cast<std::size_t>(FSel.Count()));
  for (std::int32_t I = 0; I < FSel.Count(); ++I) Gone[static_cast<std::size_t>(I)] = FSel.Selected(I);
  auto IsGone = [&Gone](std::int32_t I) {
    return I >= 0 && static_cast<std::size_t>(I) < Gone.size() && Gone[static_cast<std::size_t>(I)] != 0;
  };
  try {
    FItems->DeleteWhere(IsGone);
  } catch (...) {
    ItemsChanged();
    throw;
  }
  FSel.Deleted(IsGone);
  if (!FMultiSelect) FSingleIndex = -1;
  SyncCount();
  MarkDirty();
}

// ------------------------------------------------------------ selection

void TBkVertListBox::SetSelected(std::int32_t Index, bool Value) {
  SyncCount();
  if (!FMultiSelect) {
    if (Value)
      FSingleIndex = Index;
    else if (FSingleIndex == Index)
      FSingleIndex = -1;
    FSel.DeselectAll();
    if (FSingleIndex >= 0) {
      FSel.Select(FSingleIndex, true);
      FSel.SetCaret(FSingleIndex);
    }
  } else {
    FSel.Select(Index, Value);
  }
  Invalidate();
}

void TBkVertListBox::SelectAll() {
  SyncCount();
  if (!FMultiSelect) return;
  FSel.SelectRange(0, Count() - 1, true);
  Invalidate();
}

void TBkVertListBox::ClearSelection() {
  if (FSel.DeselectAll()) Invalidate();
  if (!FMultiSelect) FSingleIndex = -1;
}

std::int32_t TBkVertListBox::GetItemIndex() const {
  if (!FMultiSelect) return FSingleIndex < Count() ? FSingleIndex : -1;
  return FSel.Caret();
}

void TBkVertListBox::SetItemIndex(std::int32_t Value) {
  SyncCount();
  if (!FMultiSelect) {
    FSingleIndex = (Value >= 0 && Value < Count()) ? Value : -1;
    FSel.DeselectAll();
    if (FSingleIndex >= 0) {
      FSel.Select(FSingleIndex, true);
      FSel.SetCaret(FSingleIndex);
      FSel.MakeVisible(FSingleIndex, PageRows());
    }
  } else {
    SetCaretIndex(Value);
    return;
  }
  MarkDirty();
  Invalidate();
}

void TBkVertListBox::SetCaretIndex(std::int32_t Value) {
  SyncCount();
  if (Value < 0 || Value >= Count()) return;
  FSel.SetCaret(Value);
  FSel.MakeVisible(Value, PageRows());
  MarkDirty();
  Invalidate();
}

void TBkVertListBox::SetTopIndex(std::int32_t Value) {
  SyncCount();
  FSel.SetTopIndex(Value, PageRows());
  MarkDirty();
}

// ------------------------------------------------------------ geometry

void TBkVertListBox::SetItemHeight(int Value) {
  if (Value < 1) Value = 1;
  if (Value == FItemHeight) return;
  FItemHeight = Value;
  if (HandleAllocated()) {
    UpdateScrollBars();
    Invalidate();
  }
}

std::int32_t TBkVertListBox::PageRows() {
  const int H = HandleAllocated() ? GetClientHeight() : GetHeight();
  return std::max(1, H / FItemHeight);
}

RECT TBkVertListBox::ItemRect(std::int32_t Index) {
  const int Top = (Index - FSel.TopIndex()) * FItemHeight;
  return RECT{-FHorzPos, Top, GetClientWidth(), Top + FItemHeight};
}

std::int32_t TBkVertListBox::ItemAtPos(POINT P) {
  if (P.y < 0 || P.x < 0 || P.x >= GetClientWidth()) return -1;
  const std::int32_t I = FSel.TopIndex() + P.y / FItemHeight;
  return I < Count() ? I : -1;
}

void TBkVertListBox::SetHorzPos(int Value) {
  const int MaxPos = std::max(0, HorizontalExtent - GetClientWidth());
  Value = std::clamp(Value, 0, MaxPos);
  if (Value == FHorzPos) return;
  FHorzPos = Value;
  if (HandleAllocated()) {
    SCROLLINFO SI{sizeof SI, SIF_POS, 0, 0, 0, FHorzPos, 0};
    SetScrollInfo(GetHandle(), SB_HORZ, &SI, TRUE);
    FLastHorz.nPos = FHorzPos;
    Invalidate();
  }
}

void TBkVertListBox::BeginUpdate() { ++FUpdateCount; }

void TBkVertListBox::EndUpdate() {
  if (FUpdateCount > 0 && --FUpdateCount == 0) {
    MarkDirty();
    FlushChanges();
  }
}

void TBkVertListBox::MarkDirty() {
  FDirty = true;
  FScrollDirty = true;
  StartRepaintTimer();
}

void TBkVertListBox::MarkScrollDirty() {
  FScrollDirty = true;
  StartRepaintTimer();
}

void TBkVertListBox::StartRepaintTimer() {
  FChangedSinceTick = true;
  if (HandleAllocated() && !FRepaintTimer->GetEnabled()) FRepaintTimer->SetEnabled(true);
}

bool TBkVertListBox::RepaintTimerTick() {
  const bool Busy = OnTick && OnTick();
  if (!FDirty && !FScrollDirty) {
    // Nothing arrived since the last repaint: the timer rests until the next change.
    if (Busy) return false;
    FRepaintTimer->SetEnabled(false);
    FChangedSinceTick = false;
    return false;
  }
  // A scroll-bar update costs as much as a repaint: while a burst goes on out
  // of sight, the bar follows less often; it is exact once the burst ends.
  if (!FDirty && FChangedSinceTick && ++FScrollWaits < ScrollBarTicks) {
    FChangedSinceTick = false;
    return false;
  }
  FlushChanges();
  return true;
}

void TBkVertListBox::FlushChanges() {
  FChangedSinceTick = false;
  FScrollWaits = 0;
  if (!FDirty && !FScrollDirty) return;
  if (FUpdateCount > 0 || !HandleAllocated()) return;
  SyncCount();
  const std::int32_t OldTop = FSel.TopIndex();
  FSel.SetTopIndex(OldTop, PageRows());
  if (FSel.TopIndex() != OldTop) FDirty = true;
  UpdateScrollBars();
  const bool Moved = FDirty;
  if (FDirty) Invalidate();
  FDirty = FScrollDirty = false;
  if (Moved) PictureMoved();
  if (OnFlushed) OnFlushed(this);
}

void TBkVertListBox::UpdateScrollBars() {
  if (!HandleAllocated()) return;
  HWND Wnd = GetHandle();
  // Each call redraws the bar, which is slow: only what changed is set.
  auto Same = [](const SCROLLINFO& A, const SCROLLINFO& B) {
    return A.cbSize == B.cbSize && A.nMin == B.nMin && A.nMax == B.nMax && A.nPage == B.nPage && A.nPos == B.nPos;
  };
  SCROLLINFO V{sizeof V,
               SIF_ALL | SIF_DISABLENOSCROLL,
               0,
               std::max(0, Count() - 1),
               static_cast<UINT>(PageRows()),
               FSel.TopIndex(),
               0};
  if (!Same(V, FLastVert)) {
    SetScrollInfo(Wnd, SB_VERT, &V, TRUE);
    FLastVert = V;
  }
  const int Width = std::max(0, GetClientWidth());
  FHorzPos = std::clamp(FHorzPos, 0, std::max(0, HorizontalExtent - Width));
  SCROLLINFO H{sizeof H, SIF_ALL | SIF_DISABLENOSCROLL, 0, HorizontalExtent - 1, static_cast<UINT>(Width), FHorzPos, 0};
  if (!Same(H, FLastHorz)) {
    SetScrollInfo(Wnd, SB_HORZ, &H, TRUE);
    FLastHorz = H;
  }
}

void TBkVertListBox::ScrollToCaret() { FSel.MakeVisible(FSel.Caret(), PageRows()); }

// ------------------------------------------------------------ window

void TBkVertListBox::CreateParams(TCreateParams& Params) {
  TCustomControl::CreateParams(Params);
  // Both scroll bars always present (disabled when not needed); no class
  // background brush: the list paints every pixel itself.
  Params.Style |= WS_VSCROLL | WS_HSCROLL | WS_TABSTOP;
  Params.Style &= ~static_cast<DWORD>(WS_BORDER);
  Params.ExStyle &= ~static_cast<DWORD>(WS_EX_CLIENTEDGE);
  Params.Background = nullptr;
}

void TBkVertListBox::CreateWnd() {
  FLastVert = SCROLLINFO{};
  FLastHorz = SCROLLINFO{};
  TCustomControl::CreateWnd();
  SyncCount();
  UpdateScrollBars();
  if (FDirty || FScrollDirty) FRepaintTimer->SetEnabled(true);
}

bool TBkVertListBox::EraseBackground(HDC) { return true; }

LRESULT TBkVertListBox::DialogCode(WPARAM) { return DLGC_WANTARROWS | DLGC_WANTCHARS; }

void TBkVertListBox::Resize() {
  TCustomControl::Resize();
  if (HandleAllocated()) {
    FSel.SetTopIndex(FSel.TopIndex(), PageRows());
    UpdateScrollBars();
    Invalidate();
  }
}

void TBkVertListBox::Paint(TCanvas& Canvas) {
  SyncCount();
  const RECT Clip = Canvas.GetClipRect();
  const int Width = GetClientWidth();
  const int Height = GetClientHeight();
  const bool HasFocus = Focused();
  std::int32_t I = FSel.TopIndex();
  int Y = 0;
  for (; I < Count() && Y < Height; ++I, Y += FItemHeight) {
    RECT R = ItemRect(I);
    RECT Visible{};
    if (!IntersectRect(&Visible, &R, &Clip)) continue;
    TOwnerDrawState State = 0;
    if (FSel.Selected(I)) State |= odSelected;
    if (HasFocus && I == GetItemIndex()) State |= odFocused;
    Canvas.GetFont().Assign(GetFont());
    Canvas.GetBrush().SetStyle(bsSolid);
    if (State & odSelected) {
      Canvas.GetBrush().SetColor(clHighlight);
      Canvas.GetFont().SetColor(clHighlightText);
    } else {
      Canvas.GetBrush().SetColor(GetColor());
    }
    DrawItem(I, R, State);
    if (State & odFocused) Canvas.DrawFocusRect(R);
  }
  // An empty list still shows the row its caret is on, as a list box does:
  // filled, with the focus rectangle while the list has the focus.
  if (Count() == 0) {
    const RECT Row{0, 0, Width, FItemHeight};
    Canvas.GetBrush().SetStyle(bsSolid);
    Canvas.GetBrush().SetColor(GetColor());
    Canvas.FillRect(Row);
    if (HasFocus) Canvas.DrawFocusRect(Row);
    Y = FItemHeight;
  }
  // The band below the last item.
  if (Y < Height) {
    Canvas.GetBrush().SetStyle(bsSolid);
    Canvas.GetBrush().SetColor(GetColor());
    Canvas.FillRect(RECT{0, Y, Width, Height});
  }
}

void TBkVertListBox::DrawItem(std::int32_t Index, const RECT& Rect, TOwnerDrawState State) {
  if (OnDrawItem) {
    OnDrawItem(*this, Index, Rect, State);
    return;
  }
  TCanvas& C = GetCanvas();
  C.FillRect(Rect);
  C.TextOut(Rect.left + 2, Rect.top, GetItemString(Index));
}

void TBkVertListBox::SelectionChangedByUser() {
  ScrollToCaret();
  MarkDirty();
  Invalidate();
}

void TBkVertListBox::KeyDown(WORD& Key, TShiftState Shift) {
  TCustomControl::KeyDown(Key, Shift);
  if (Key == 0 || Count() == 0) return;
  SyncCount();
  const bool S = (Shift & ssShift) != 0 && FMultiSelect;
  const bool C = (Shift & ssCtrl) != 0 && FMultiSelect;
  const std::int32_t Caret = std::max(GetItemIndex(), 0);
  const std::int32_t Page = std::max(1, PageRows() - 1);
  std::int32_t Target = -1;
  switch (Key) {
    case VK_UP: Target = Caret - 1; break;
    case VK_DOWN: Target = Caret + 1; break;
    case VK_PRIOR: Target = Caret - Page; break;
    case VK_NEXT: Target = Caret + Page; break;
    case VK_HOME: Target = 0; break;
    case VK_END: Target = Count() - 1; break;
    case VK_LEFT: SetHorzPos(FHorzPos - 8); return;
    case VK_RIGHT: SetHorzPos(FHorzPos + 8); return;
    case VK_SPACE:
      if (!FMultiSelect) return;
      if (C && !S)
        FSel.Select(Caret, !FSel.Selected(Caret));
      else
        FSel.Click(Caret, S, false);
      SelectionChangedByUser();
      Click();
      return;
    default: return;
  }
  Target = std::clamp(Target, 0, Count() - 1);
  if (FMultiSelect) {
    const std::int32_t OldCaret = FSel.Caret();
    const bool Changed = FSel.MoveCaret(Target, S, C);
    SelectionChangedByUser();
    if (Changed || OldCaret != FSel.Caret()) Click();
  } else {
    const bool Changed = Target != FSingleIndex;
    SetItemIndex(Target);
    if (Changed) Click();
  }
}

void TBkVertListBox::StdLButtonDown(TMessage& Message, bool Double) {
  if (CanFocus() && !Focused()) SetFocus();
  if (Double) {
    DblClick();
    return;
  }
  SyncCount();
  const POINT P{GET_X_LPARAM(Message.LParam), GET_Y_LPARAM(Message.LParam)};
  const std::int32_t I = ItemAtPos(P);
  if (I < 0) return;
  const TShiftState Shift = MouseShiftState(Message.WParam);
  if (FMultiSelect) {
    FSel.Click(I, (Shift & ssShift) != 0, (Shift & ssCtrl) != 0);
  } else {
    FSingleIndex = I;
    FSel.DeselectAll();
    FSel.Select(I, true);
    FSel.SetCaret(I);
  }
  FDragging = true;
  SetMouseCapture(true);
  SelectionChangedByUser();
}

void TBkVertListBox::StdMouseMove(TMessage& Message) {
  if (!FDragging || Count() == 0) return;
  POINT P{GET_X_LPARAM(Message.LParam), GET_Y_LPARAM(Message.LParam)};
  std::int32_t I = FSel.TopIndex() + (P.y < 0 ? -1 : P.y / FItemHeight);
  I = std::clamp(I, 0, Count() - 1);
  if (I == GetItemIndex()) return;
  if (FMultiSelect) {
    FSel.MoveCaret(I, true, false);
  } else {
    FSingleIndex = I;
    FSel.DeselectAll();
    FSel.Select(I, true);
    FSel.SetCaret(I);
  }
  SelectionChangedByUser();
}

void TBkVertListBox::StdLButtonUp(TMessage&) {
  if (!FDragging) return;
  FDragging = false;
  SetMouseCapture(false);
  Click();
}

void TBkVertListBox::StdHScroll(TMessage& Message) {
  const int Width = GetClientWidth();
  int Pos = FHorzPos;
  switch (LOWORD(Message.WParam)) {
    case SB_LINELEFT: Pos -= 8; break;
    case SB_LINERIGHT: Pos += 8; break;
    case SB_PAGELEFT: Pos -= Width; break;
    case SB_PAGERIGHT: Pos += Width; break;
    case SB_LEFT: Pos = 0; break;
    case SB_RIGHT: Pos = HorizontalExtent; break;
    case SB_THUMBPOSITION:
    case SB_THUMBTRACK: {
      SCROLLINFO SI{sizeof SI, SIF_TRACKPOS, 0, 0, 0, 0, 0};
      GetScrollInfo(GetHandle(), SB_HORZ, &SI);
      Pos = SI.nTrackPos;
      break;
    }
    default: break;
  }
  SetHorzPos(Pos);
}

void TBkVertListBox::StdVScroll(TMessage& Message) {
  std::int32_t Top = FSel.TopIndex();
  const std::int32_t Page = PageRows();
  switch (LOWORD(Message.WParam)) {
    case SB_LINEUP: --Top; break;
    case SB_LINEDOWN: ++Top; break;
    case SB_PAGEUP: Top -= Page; break;
    case SB_PAGEDOWN: Top += Page; break;
    case SB_TOP: Top = 0; break;
    case SB_BOTTOM: Top = Count(); break;
    case SB_THUMBPOSITION:
    case SB_THUMBTRACK: {
      SCROLLINFO SI{sizeof SI, SIF_TRACKPOS, 0, 0, 0, 0, 0};
      GetScrollInfo(GetHandle(), SB_VERT, &SI);
      Top = SI.nTrackPos;
      break;
    }
    default: return;
  }
  FSel.SetTopIndex(Top, Page);
  UpdateScrollBars();
  Invalidate();
}

void TBkVertListBox::WndProc(TMessage& Message) {
  switch (Message.Msg) {
    case WM_LBUTTONDOWN:
      StdLButtonDown(Message, false);
      Message.Result = 0;
      return;
    case WM_LBUTTONDBLCLK:
      StdLButtonDown(Message, true);
      Message.Result = 0;
      return;
    case WM_MOUSEMOVE: StdMouseMove(Message); break;
    case WM_LBUTTONUP:
      StdLButtonUp(Message);
      Message.Result = 0;
      return;
    case WM_CAPTURECHANGED: FDragging = false; break;
    case WM_HSCROLL:
      StdHScroll(Message);
      Message.Result = 0;
      if (OnHScroll) OnHScroll(this);
      return;
    case WM_VSCROLL:
      StdVScroll(Message);
      Message.Result = 0;
      return;
    case WM_MOUSEWHEEL: {
      const int Delta = GET_WHEEL_DELTA_WPARAM(Message.WParam);
      FSel.SetTopIndex(FSel.TopIndex() - Delta * WheelLines() / WHEEL_DELTA, PageRows());
      UpdateScrollBars();
      Invalidate();
      Message.Result = 0;
      return;
    }
    case WM_SETFOCUS:
    case WM_KILLFOCUS:
      TCustomControl::WndProc(Message);
      Invalidate();  // the focus rectangle
      return;
    // The height of a row as a list box answers it (for tools outside the
    // program: every row is as high as the others).
    case LB_GETITEMHEIGHT: Message.Result = GetItemHeight(); return;
    default: break;
  }
  TCustomControl::WndProc(Message);
}

// ============================================================ TBkPopupEdit

TBkPopupEdit::TBkPopupEdit(TBkEditListBox& OwnerList) : TWinControl(&OwnerList), FOwnerList(OwnerList) {
  SetWindowClassName("TBkPopupEdit");
  SetVisible(false);
  SetTabStop(false);
  SetColor(clWindow);
  SetParent(&OwnerList);
}

void TBkPopupEdit::CreateParams(TCreateParams& Params) {
  TWinControl::CreateParams(Params);
  Params.SysClassName = "EDIT";
  Params.ClassStyle |= CS_SAVEBITS;
  Params.Style |= WS_BORDER | ES_AUTOHSCROLL | ES_LEFT;
  Params.Style &= ~static_cast<DWORD>(WS_TABSTOP | WS_VISIBLE);
  Params.ExStyle &= ~static_cast<DWORD>(WS_EX_CLIENTEDGE);
}

LRESULT TBkPopupEdit::DialogCode(WPARAM) { return DLGC_WANTALLKEYS | DLGC_WANTCHARS | DLGC_HASSETSEL; }

bool TBkPopupEdit::WantsShortCut(WORD Key, TShiftState Shift) {
  // Ctrl+C copies inside the editor; the form's shortcuts never see C.
  if (Key == 'C') return false;
  return TWinControl::WantsShortCut(Key, Shift);
}

void TBkPopupEdit::WndProc(TMessage& Message) {
  switch (Message.Msg) {
    case WM_KEYDOWN:
      switch (Message.WParam) {
        case VK_RETURN:
          FOwnerList.HideEditor(true);
          Message.Result = 0;
          return;
        case VK_ESCAPE:
          FOwnerList.HideEditor(false);
          Message.Result = 0;
          return;
        case VK_TAB: Message.Result = 0; return;
        default: break;
      }
      break;
    case WM_CHAR:
      if (Message.WParam == '\r' || Message.WParam == 27 || Message.WParam == '\t') {
        Message.Result = 0;
        return;
      }
      break;
    case WM_KILLFOCUS:
      TWinControl::WndProc(Message);
      FOwnerList.HideEditor(true);
      return;
    case WM_CANCELMODE:
      TWinControl::WndProc(Message);
      FOwnerList.HideEditor(true);
      return;
    default: break;
  }
  TWinControl::WndProc(Message);
}

// ============================================================ TBkEditListBox

TBkEditListBox::TBkEditListBox(TComponent* AOwner) : TBkVertListBox(AOwner) {
  SetWindowClassName("TBkEditListBox");
  FEditor = new TBkPopupEdit(*this);
  FEditTimer = std::make_unique<TTimer>(nullptr);
  FEditTimer->SetEnabled(false);
  FEditTimer->SetInterval(EditDelay);
  FEditTimer->SetOnTimer([this](TObject*) { EditTimerTimer(); });
}

TBkEditListBox::~TBkEditListBox() = default;

void TBkEditListBox::EditTimerTimer() {
  FEditTimer->SetEnabled(false);
  if (FAllowEdit && GetItemIndex() == FLastIndex && FClickedAgain && GetSelCount() == 1) ShowEditor();
}

void TBkEditListBox::KeyDown(WORD& Key, TShiftState Shift) {
  if (Key == VK_DELETE) {
    if (FAllowDeleteByKbd) DeleteSelected();
    Key = 0;
    return;
  }
  if (Key == VK_F2) {
    FClickedAgain = true;
    ShowEditor();
    Key = 0;
    return;
  }
  TBkVertListBox::KeyDown(Key, Shift);
}

void TBkEditListBox::WndProc(TMessage& Message) {
  switch (Message.Msg) {
    case WM_SETFOCUS:
      TBkVertListBox::WndProc(Message);
      FJustFocused = true;
      return;
    case WM_LBUTTONDOWN:
      if (!FJustFocused) {
        if (GetItemIndex() == FLastIndex)
          FClickedAgain = !FClickedAgain;
        else
          FClickedAgain = true;
      }
      FJustFocused = false;
      FLastIndex = GetItemIndex();
      TBkVertListBox::WndProc(Message);
      return;
    case WM_LBUTTONDBLCLK:
      TBkVertListBox::WndProc(Message);
      FClickedAgain = false;
      FDblClicked = true;
      return;
    case WM_LBUTTONUP: {
      TBkVertListBox::WndProc(Message);
      if (FDblClicked) {
        FDblClicked = false;
        return;
      }
      const POINT P{GET_X_LPARAM(Message.LParam), GET_Y_LPARAM(Message.LParam)};
      if (ItemAtPos(P) >= 0) FEditTimer->SetEnabled(true);
      return;
    }
    default: break;
  }
  TBkVertListBox::WndProc(Message);
}

void TBkEditListBox::ShowEditor() {
  SyncCount();
  if (Count() == 0) return;
  if (FMultiSelect) {
    FEditIndex = GetCaretIndex();
    SetCaretIndex(FEditIndex);
  } else {
    FEditIndex = GetItemIndex();
    if (FEditIndex < 0) return;
    SetSelected(FEditIndex, true);
    SetItemIndex(-1);
  }
  FSel.DeselectAll();
  Invalidate();
  FEditor->SetText(GetItemString(FEditIndex));
  bool AllowShow = true;
  if (OnShowingEditor) OnShowingEditor(this, FEditIndex, AllowShow);
  if (!AllowShow) return;
  // The picture must be current before the editor covers the item.
  FlushChanges();
  PlaceEditor();
  FEditor->SetVisible(true);
  FEditor->BringToFront();
  FEditor->SetFocus();
  SendMessageA(FEditor->GetHandle(), EM_SETSEL, 0, -1);
  FPopupVisible = true;
}

void TBkEditListBox::PlaceEditor() {
  FEditorMoved = false;
  RECT R = ItemRect(FEditIndex);
  R.left += 2;
  R.right -= 2;
  if (OnSizeEditRect) OnSizeEditRect(this, FEditIndex, R);
  FEditor->SetBoundsRect(R);
}

void TBkEditListBox::ItemInserted(std::int32_t Position) {
  TBkVertListBox::ItemInserted(Position);
  if (FPopupVisible && Position <= FEditIndex) {
    ++FEditIndex;
    FEditorMoved = true;
    MarkDirty();
  }
}

void TBkEditListBox::PictureMoved() {
  if (FPopupVisible && FEditorMoved) PlaceEditor();
}

void TBkEditListBox::HideEditor(bool Accept) {
  if (!FPopupVisible) return;
  SyncCount();
  const bool Valid = FEditIndex >= 0 && FEditIndex < Count();
  if (Accept && Valid) {
    if (FItems) FItems->SetString(FEditIndex, FEditor->GetText());
    SetCaretIndex(FEditIndex);
  }
  if (OnHidingEditor) OnHidingEditor(this);
  FPopupVisible = false;
  FEditor->SetVisible(false);
  if (CanFocus()) SetFocus();
  if (Valid) {
    if (FMultiSelect)
      FSel.Select(FEditIndex, true);
    else
      SetItemIndex(FEditIndex);
  }
  Invalidate();
}

void TBkEditListBox::DeleteSelected() {
  {
    TCursorGuard Hourglass;
    BeginUpdate();
    try {
      DeleteSelectedItems();
    } catch (...) {
      EndUpdate();
      throw;
    }
    EndUpdate();
  }
  if (OnDeleteItems) OnDeleteItems(this);
}
