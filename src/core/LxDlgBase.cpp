#include "core/LxDlgBase.h"

#include <algorithm>
#include <climits>

TLxSysIconImage::TLxSysIconImage(TComponent* AOwner, LPCSTR IconId) : TGraphicControl(AOwner) {
  FIcon = LoadIconA(nullptr, IconId);
  SetBounds(8, 8, 32, 32);
}

void TLxSysIconImage::Paint(TCanvas& Canvas) {
  Canvas.GetBrush().SetColor(GetColor());
  Canvas.FillRect(GetClientRect());
  if (FIcon) DrawIconEx(Canvas.GetHandle(), 0, 0, FIcon, GetWidth(), GetHeight(), 0, nullptr, DI_NORMAL);
}

TLxConfirmForm::TLxConfirmForm(int ClientWidth, int ClientHeight, LPCSTR IconId) : TForm(nullptr) {
  SetBorderStyle(bsDialog);
  SetBorderIcons(biSystemMenu);
  SetFormStyle(fsStayOnTop);
  SetPosition(poDesigned);
  SetCaption("Orlimo");
  GetFont().SetName("MS Sans Serif");
  GetFont().SetSize(8);
  SetClientWidth(ClientWidth);
  SetClientHeight(ClientHeight);
  Image = new TLxSysIconImage(this, IconId);
  Image->SetParent(this);
}

TLabel* TLxConfirmForm::AddLabel(TWinControl* Parent, int Left, int Top, int Width, int Height, const std::string& Text,
                                 bool WordWrap) {
  auto* L = new TLabel(this);
  L->SetParent(Parent);
  if (WordWrap) {
    L->SetAutoSize(false);
    L->SetWordWrap(true);
    L->SetBounds(Left, Top, Width, Height);
  } else {
    L->SetLeft(Left);
    L->SetTop(Top);
  }
  L->SetCaption(Text);
  FLabels.push_back(L);
  return L;
}

TButton* TLxConfirmForm::AddButton(TWinControl* Parent, int Left, int Top, const std::string& Caption,
                                   TModalResult Result) {
  auto* B = new TButton(this);
  B->SetParent(Parent);
  B->SetBounds(Left, Top, 75, 25);
  B->SetCaption(Caption);
  B->SetModalResult(Result);
  return B;
}

void TLxConfirmForm::RecordDesign(TWinControl* Parent) {
  for (int I = 0; I < Parent->GetControlCount(); ++I) {
    TControl* C = Parent->GetControl(I);
    const RECT B = C->GetBoundsRect();
    auto ToDesign = [this](LONG V) { return ScaleBetweenDpi(V, GetCurrentDpi(), DesignDpi); };
    FDesign.push_back(TDesigned{C, RECT{ToDesign(B.left), ToDesign(B.top), ToDesign(B.right), ToDesign(B.bottom)}});
    if (auto* W = dynamic_cast<TWinControl*>(C)) RecordDesign(W);
  }
}

void TLxConfirmForm::RestoreDesign() {
  for (const TDesigned& D : FDesign) {
    const RECT B = Designed(D.Control);
    auto* L = dynamic_cast<TCustomLabel*>(D.Control);
    if (L && L->GetAutoSize())  // its size follows its text
      L->SetBounds(B.left, B.top, L->GetWidth(), L->GetHeight());
    else
      D.Control->SetBoundsRect(B);
  }
  SetClientWidth(ScaleDesign(FDesignClientWidth));
  SetClientHeight(ScaleDesign(FDesignClientHeight));
}

RECT TLxConfirmForm::Designed(const TControl* Control) const {
  const auto It =
      std::find_if(FDesign.begin(), FDesign.end(), [&](const TDesigned& D) { return D.Control == Control; });
  const RECT& B = It->Bounds;
  return RECT{ScaleDesign(B.left), ScaleDesign(B.top), ScaleDesign(B.right), ScaleDesign(B.bottom)};
}

void TLxConfirmForm::DpiChanged(int FromDpi, int ToDpi) {
  TForm::DpiChanged(FromDpi, ToDpi);
  if (!FDesign.empty()) FitLayout();
}

SIZE TLxConfirmForm::DesignedMargin(TWinControl* Container) const {
  SIZE Extent{0, 0};
  for (int I = 0; I < Container->GetControlCount(); ++I) {
    const RECT R = Designed(Container->GetControl(I));
    Extent.cx = std::max<LONG>(Extent.cx, R.right);
    Extent.cy = std::max<LONG>(Extent.cy, R.bottom);
  }
  if (Container == this)
    return SIZE{ScaleDesign(FDesignClientWidth) - Extent.cx, ScaleDesign(FDesignClientHeight) - Extent.cy};
  const RECT Own = Designed(Container);
  return SIZE{(Own.right - Own.left) - Extent.cx, (Own.bottom - Own.top) - Extent.cy};
}

void TLxConfirmForm::PushAround(TControl* C, const RECT& Old, int DW, int DH) {
  TWinControl* Parent = C->GetParent();
  SIZE Extent{0, 0};
  for (int I = 0; I < Parent->GetControlCount(); ++I) {
    TControl* S = Parent->GetControl(I);
    RECT R = S->GetBoundsRect();
    if (S != C) {
      const bool RightOf = R.left > Old.left && R.top < Old.bottom && R.bottom > Old.top;
      const bool Below = R.top >= Old.bottom;
      const int X = R.left + (RightOf ? DW : 0);
      const int Y = R.top + (Below ? DH : 0);
      if (X != R.left || Y != R.top) S->SetBounds(X, Y, R.right - R.left, R.bottom - R.top);
      R = S->GetBoundsRect();
    }
    Extent.cx = std::max<LONG>(Extent.cx, R.right);
    Extent.cy = std::max<LONG>(Extent.cy, R.bottom);
  }
  // The container holds its content with the room it was designed to leave.
  const SIZE Margin = DesignedMargin(Parent);
  if (Parent == this) {
    if (Extent.cx + Margin.cx > GetClientWidth()) SetClientWidth(Extent.cx + Margin.cx);
    if (Extent.cy + Margin.cy > GetClientHeight()) SetClientHeight(Extent.cy + Margin.cy);
    return;
  }
  const RECT Was = Parent->GetBoundsRect();
  const int W = Was.right - Was.left, H = Was.bottom - Was.top;
  const int NewW = std::max<int>(W, Extent.cx + Margin.cx), NewH = std::max<int>(H, Extent.cy + Margin.cy);
  if (NewW == W && NewH == H) return;
  Parent->SetBounds(Was.left, Was.top, NewW, NewH);
  PushAround(Parent, Was, NewW - W, NewH - H);
}

void TLxConfirmForm::FitLayout() {
  if (FDesign.empty()) {
    RecordDesign(this);
    FDesignClientWidth = ScaleBetweenDpi(GetClientWidth(), GetCurrentDpi(), DesignDpi);
    FDesignClientHeight = ScaleBetweenDpi(GetClientHeight(), GetCurrentDpi(), DesignDpi);
  } else {
    RestoreDesign();
  }
  for (TLabel* L : FLabels) {
    const RECT Now = L->GetBoundsRect();
    const int W = Now.right - Now.left, H = Now.bottom - Now.top;
    if (L->GetAutoSize()) {
      // One line: it may run up to the nearest control right of it on its line.
      const RECT D = Designed(L);
      const RECT Line{Now.left, Now.top, Now.right, Now.top + (D.bottom - D.top)};
      int RoomRight = INT_MAX;
      TWinControl* Parent = L->GetParent();
      for (int I = 0; I < Parent->GetControlCount(); ++I) {
        const RECT R = Parent->GetControl(I)->GetBoundsRect();
        if (R.left > Line.left && R.top < Line.bottom && R.bottom > Line.top)
          RoomRight = std::min<int>(RoomRight, R.left - LabelGap);
      }
      const int DW = RoomRight == INT_MAX ? 0 : std::max<int>(0, Line.right - RoomRight);
      const int DH = std::max<int>(0, H - (D.bottom - D.top));
      if (DW || DH) PushAround(L, RECT{Line.left, Line.top, Line.right - DW, Line.bottom}, DW, DH);
      continue;
    }
    // Word-wrapped in its designed width: taller when the lines need it, wider
    // when a single word does not fit.
    TCanvas& Canvas = L->GetCanvas();
    Canvas.SetFont(L->GetFont());
    RECT Need{0, 0, W, 0};
    Canvas.DrawText(L->GetCaption(), Need, L->DrawTextFlags() | DT_CALCRECT);
    const int NewW = std::max<int>(W, Need.right), NewH = std::max<int>(H, Need.bottom);
    if (NewW == W && NewH == H) continue;
    L->SetBounds(Now.left, Now.top, NewW, NewH);
    PushAround(L, Now, NewW - W, NewH - H);
  }
}

TModalResult ShowConfirmAt(TLxConfirmForm& Form, int Left, int Top) {
  Form.SetLeft(Left);
  Form.SetTop(Top);
  return Form.ShowModal();
}
