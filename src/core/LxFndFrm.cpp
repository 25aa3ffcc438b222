#include "core/LxFndFrm.h"

#include "core/BkLxUtil.h"

namespace {

TButton* AddButton(TForm& Form, int Left, const std::string& Caption, TModalResult Result) {
  auto* B = new TButton(&Form);
  B->SetParent(&Form);
  B->SetBounds(Left, 109, 75, 25);
  B->SetCaption(Caption);
  B->SetModalResult(Result);
  return B;
}

}  // namespace

TLxRadioGroup::TLxRadioGroup(TComponent* AOwner, TWinControl* Parent, const std::string& Caption,
                             std::initializer_list<const char*> Items)
    : TGroupBox(AOwner) {
  SetParent(Parent);
  SetCaption(Caption);
  int Top = 16;
  for (const char* Item : Items) {
    auto* R = new TRadioButton(AOwner);
    R->SetParent(this);
    R->SetBounds(10, Top, 120, 17);
    R->SetCaption(Item);
    FButtons.push_back(R);
    Top += 20;
  }
}

int TLxRadioGroup::GetItemIndex() const {
  for (int I = 0; I < Count(); ++I)
    if (GetButton(I)->GetChecked()) return I;
  return -1;
}

void TLxRadioGroup::SetItemIndex(int Index) {
  for (int I = 0; I < Count(); ++I) GetButton(I)->SetChecked(I == Index);
}

TFrmFind::TFrmFind() : TForm(nullptr) {
  SetBorderStyle(bsDialog);
  SetBorderIcons(biSystemMenu);
  SetPosition(poDesigned);
  SetCaption("Find");
  GetFont().SetName("MS Sans Serif");
  GetFont().SetSize(8);
  SetClientWidth(302);
  SetClientHeight(142);

  LblFind = new TLabel(this);
  LblFind->SetParent(this);
  LblFind->SetLeft(8);
  LblFind->SetTop(12);
  LblFind->SetCaption("Text to find");
  EdtFind = new TEdit(this);
  EdtFind->SetParent(this);
  EdtFind->SetBounds(80, 8, 214, 21);
  EdtFind->SetTabOrder(0);
  LblFind->SetFocusControl(EdtFind);

  RgpDirection = new TLxRadioGroup(this, this, "Direction", {"Forwar&d", "&Backward"});
  RgpDirection->SetBounds(8, 40, 137, 61);
  RgpOrigin = new TLxRadioGroup(this, this, "Origin", {"&From Cursor", "&Entire Scope"});
  RgpOrigin->SetBounds(157, 40, 137, 61);

  BtnOk = AddButton(*this, 139, "OK", mrOk);
  BtnOk->SetDefault(true);
  BtnCancel = AddButton(*this, 219, "Cancel", mrCancel);
  BtnCancel->SetCancel(true);
  SetActiveControl(EdtFind);
  // The last search's text comes up selected: typing replaces it.
  OnShow = [this](TObject*) { EdtFind->SelectAll(); };
}

void TFrmFind::SetSearch(const std::string& Text, const TFindOptions& Options) {
  EdtFind->SetText(Text);
  RgpDirection->SetItemIndex(Options.Forward ? 0 : 1);
  RgpOrigin->SetItemIndex(Options.FromCursor ? 0 : 1);
}

std::string TFrmFind::GetText() const { return EdtFind->GetText(); }

TFindOptions TFrmFind::GetOptions() const {
  TFindOptions O;
  O.Forward = RgpDirection->GetItemIndex() == 0;
  O.FromCursor = RgpOrigin->GetItemIndex() == 0;
  return O;
}

bool AskFindText(TWinControl& Panel, std::string& Text, TFindOptions& Options) {
  TFrmFind Form;
  Form.SetSearch(Text, Options);
  int Left = 0, Top = 0;
  BkLxUtil::CenterToWindow(Form.GetWidth(), Form.GetHeight(), Panel.GetHandle(), Left, Top);
  Form.SetLeft(Left);
  Form.SetTop(Top);
  if (Form.ShowModal() != mrOk) return false;
  Text = Form.GetText();
  Options = Form.GetOptions();
  return true;
}
