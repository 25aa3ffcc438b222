#include "core/LxDlgBase.h"

TLxSysIconImage::TLxSysIconImage(TComponent* AOwner, LPCSTR IconId) : TGraphicControl(AOwner) {
  FIcon = LoadIconA(nullptr, IconId);
  SetBounds(8, 8, 32, 32);
}

void TLxSysIconImage::Paint(TCanvas& Canvas) {
  Canvas.GetBrush().SetColor(GetColor());
  Canvas.FillRect(GetClientRect());
  if (FIcon) DrawIconEx(Canvas.GetHandle(), 0, 0, FIcon, 32, 32, 0, nullptr, DI_NORMAL);
}

TLxConfirmForm::TLxConfirmForm(int ClientWidth, int ClientHeight, LPCSTR IconId) : TForm(nullptr) {
  SetBorderStyle(bsDialog);
  SetBorderIcons(biSystemMenu);
  SetFormStyle(fsStayOnTop);
  SetPosition(poDesigned);
  SetCaption("Orlimo");
  GetFont().SetName("MS Sans Serif");
  GetFont().SetHeight(-11);
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

TModalResult ShowConfirmAt(TLxConfirmForm& Form, int Left, int Top) {
  Form.SetLeft(Left);
  Form.SetTop(Top);
  return Form.ShowModal();
}
