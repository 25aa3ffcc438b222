#include "core/LxFltFrm.h"

#include "core/BkLxUtil.h"
#include "core/LxDlgBase.h"

#include <algorithm>
#include <utility>

namespace {

TComboBox* AddList(TForm& Form, int Left, int Top, int Width, const std::vector<std::string>& Items) {
  auto* C = new TComboBox(&Form);
  C->SetParent(&Form);
  C->SetStyle(csDropDownList);
  C->SetBounds(Left, Top, Width, 21);
  C->SetItems(Items);
  return C;
}

TLxColorComboBox* AddColor(TForm& Form, int Left, int Top, int Width, TColor Default) {
  auto* C = new TLxColorComboBox(&Form);
  C->SetParent(&Form);
  C->SetBounds(Left, Top, Width, 22);
  C->SetDefaultColor(Default);
  return C;
}

TLabel* AddCaption(TForm& Form, int Left, int Top, const std::string& Text, TWinControl* For) {
  TLabel* L = AddControl<TLabel>(Form, Left, Top, 84, 13, Text);
  L->SetFocusControl(For);
  return L;
}

const char* const ActionNames[] = {"Include", "Exclude", "Highlight"};
const char* const FieldNames[] = {"Text", "Application", "Type name", "Kind"};
const char* const MatchNames[] = {"Contains", "Wildcard", "Regular expression"};

}  // namespace

TFrmFilterRules::TFrmFilterRules() : TForm(nullptr) {
  SetBorderStyle(bsDialog);
  SetBorderIcons(biSystemMenu);
  SetPosition(poDesigned);
  SetCaption("Filter and Highlight");
  GetFont().SetName("MS Sans Serif");
  GetFont().SetSize(8);
  SetClientWidth(452);
  SetClientHeight(346);

  LstRules = AddControl<TListBox>(*this, 8, 8, 352, 134);
  LstRules->OnClick = [this](TObject*) { SelectionChanged(); };
  BtnAdd = AddControl<TButton>(*this, 369, 8, 75, 23, "&Add");
  BtnAdd->OnClick = [this](TObject*) { AddRule(); };
  BtnRemove = AddControl<TButton>(*this, 369, 37, 75, 23, "&Remove");
  BtnRemove->OnClick = [this](TObject*) { RemoveRule(); };
  BtnUp = AddControl<TButton>(*this, 369, 66, 75, 23, "&Up");
  BtnUp->OnClick = [this](TObject*) { MoveRule(-1); };
  BtnDown = AddControl<TButton>(*this, 369, 95, 75, 23, "Do&wn");
  BtnDown->OnClick = [this](TObject*) { MoveRule(1); };

  ChkEnabled = AddControl<TCheckBox>(*this, 8, 152, 120, 17, "&Enabled");
  ChkCase = AddControl<TCheckBox>(*this, 200, 152, 160, 17, "Case &sensitive");
  CbxAction = AddList(*this, 100, 178, 160, {ActionNames[0], ActionNames[1], ActionNames[2]});
  AddCaption(*this, 8, 182, "A&ction", CbxAction);
  CbxField = AddList(*this, 100, 206, 160, {FieldNames[0], FieldNames[1], FieldNames[2], FieldNames[3]});
  AddCaption(*this, 8, 210, "&Field", CbxField);
  CbxMatch = AddList(*this, 100, 234, 160, {MatchNames[0], MatchNames[1], MatchNames[2]});
  AddCaption(*this, 8, 238, "&Match", CbxMatch);
  EdtPattern = AddControl<TEdit>(*this, 100, 262, 344, 21);
  AddCaption(*this, 8, 266, "&Pattern", EdtPattern);
  CbxTextColor = AddColor(*this, 100, 290, 120, clWindowText);
  AddCaption(*this, 8, 294, "&Text color", CbxTextColor);
  CbxBackColor = AddColor(*this, 324, 290, 120, clWindow);
  AddCaption(*this, 232, 294, "&Background", CbxBackColor);

  BtnOk = AddControl<TButton>(*this, 288, 318, 75, 25, "OK");
  BtnOk->SetModalResult(mrOk);
  BtnOk->SetDefault(true);
  BtnCancel = AddControl<TButton>(*this, 369, 318, 75, 25, "Cancel");
  BtnCancel->SetModalResult(mrCancel);
  BtnCancel->SetCancel(true);

  for (TCheckBox* B : {ChkEnabled, ChkCase}) B->OnClick = [this](TObject*) { EditorChanged(); };
  for (TComboBox* C : {CbxAction, CbxField, CbxMatch}) C->OnChange = [this](TObject*) { EditorChanged(); };
  EdtPattern->OnChange = [this](TObject*) { EditorChanged(); };
  for (TLxColorComboBox* C : {CbxTextColor, CbxBackColor}) C->OnChange = [this](TObject*) { EditorChanged(); };
  SetActiveControl(LstRules);
  EnableEditor();
}

std::string TFrmFilterRules::RuleText(const TFilterRule& Rule) {
  std::string S = Rule.Enabled ? "" : "(off) ";
  S += ActionNames[static_cast<int>(Rule.Action)];
  S += ": ";
  S += FieldNames[static_cast<int>(Rule.Field)];
  if (Rule.Field == TFilterField::Kind) {
    S += " is ";
  } else {
    S += ' ';
    S += Rule.Match == TFilterMatch::Contains   ? "contains"
         : Rule.Match == TFilterMatch::Wildcard ? "is like"
                                                : "matches";
    S += ' ';
  }
  S += '"' + Rule.Pattern + '"';
  if (Rule.CaseSensitive && Rule.Field != TFilterField::Kind) S += " (case)";
  return S;
}

void TFrmFilterRules::SetRules(std::vector<TFilterRule> Rules) {
  FRules = std::move(Rules);
  RulesChanged(FRules.empty() ? -1 : 0);
}

int TFrmFilterRules::Current() const {
  const int I = LstRules->GetItemIndex();
  return I >= 0 && I < static_cast<int>(FRules.size()) ? I : -1;
}

void TFrmFilterRules::RulesChanged(int Select) {
  LstRules->ClearItems();
  for (const TFilterRule& R : FRules) LstRules->AddItem(RuleText(R));
  LstRules->SetItemIndex(Select);
  SelectionChanged();
}

void TFrmFilterRules::SelectionChanged() {
  const int I = Current();
  FLoading = true;
  const TFilterRule R = I >= 0 ? FRules[static_cast<std::size_t>(I)] : TFilterRule{};
  ChkEnabled->SetChecked(I >= 0 && R.Enabled);
  ChkCase->SetChecked(R.CaseSensitive);
  CbxAction->SetItemIndex(static_cast<int>(R.Action));
  CbxField->SetItemIndex(static_cast<int>(R.Field));
  CbxMatch->SetItemIndex(static_cast<int>(R.Match));
  EdtPattern->SetText(R.Pattern);
  CbxTextColor->SetSelectedColor(R.Action == TFilterAction::Highlight ? R.TextColor : clWindowText);
  CbxBackColor->SetSelectedColor(R.Action == TFilterAction::Highlight ? R.BackColor : clWindow);
  FLoading = false;
  EnableEditor();
}

void TFrmFilterRules::EnableEditor() {
  const int I = Current();
  const bool Any = I >= 0;
  for (TWinControl* C :
       std::initializer_list<TWinControl*>{ChkEnabled, ChkCase, CbxAction, CbxField, CbxMatch, EdtPattern, BtnRemove})
    C->SetEnabled(Any);
  const bool Highlight = Any && FRules[static_cast<std::size_t>(I)].Action == TFilterAction::Highlight;
  CbxTextColor->SetEnabled(Highlight);
  CbxBackColor->SetEnabled(Highlight);
  CbxMatch->SetEnabled(Any && FRules[static_cast<std::size_t>(I)].Field != TFilterField::Kind);
  BtnUp->SetEnabled(I > 0);
  BtnDown->SetEnabled(Any && I + 1 < static_cast<int>(FRules.size()));
}

void TFrmFilterRules::EditorChanged() {
  const int I = Current();
  if (FLoading || I < 0) return;
  TFilterRule& R = FRules[static_cast<std::size_t>(I)];
  const bool WasHighlight = R.Action == TFilterAction::Highlight;
  R.Enabled = ChkEnabled->GetChecked();
  R.CaseSensitive = ChkCase->GetChecked();
  R.Action = static_cast<TFilterAction>(std::max(CbxAction->GetItemIndex(), 0));
  R.Field = static_cast<TFilterField>(std::max(CbxField->GetItemIndex(), 0));
  R.Match = static_cast<TFilterMatch>(std::max(CbxMatch->GetItemIndex(), 0));
  R.Pattern = EdtPattern->GetText();
  if (R.Action == TFilterAction::Highlight) {
    if (!WasHighlight) {
      // A new highlight starts from colours that show: dark text on yellow.
      CbxTextColor->SetSelectedColor(clBlack);
      CbxBackColor->SetSelectedColor(clYellow);
    }
    R.TextColor = CbxTextColor->GetSelectedColor();
    R.BackColor = CbxBackColor->GetSelectedColor();
  }
  LstRules->ClearItems();
  for (const TFilterRule& Rule : FRules) LstRules->AddItem(RuleText(Rule));
  LstRules->SetItemIndex(I);
  EnableEditor();
}

void TFrmFilterRules::AddRule() {
  TFilterRule R;
  R.Enabled = true;
  R.TextColor = clBlack;
  R.BackColor = clYellow;
  const int At = Current() + 1 > 0 ? Current() + 1 : static_cast<int>(FRules.size());
  FRules.insert(FRules.begin() + At, R);
  RulesChanged(At);
  if (EdtPattern->CanFocus()) EdtPattern->SetFocus();
}

void TFrmFilterRules::RemoveRule() {
  const int I = Current();
  if (I < 0) return;
  FRules.erase(FRules.begin() + I);
  RulesChanged(std::min(I, static_cast<int>(FRules.size()) - 1));
}

void TFrmFilterRules::MoveRule(int By) {
  const int I = Current();
  const int J = I + By;
  if (I < 0 || J < 0 || J >= static_cast<int>(FRules.size())) return;
  std::swap(FRules[static_cast<std::size_t>(I)], FRules[static_cast<std::size_t>(J)]);
  RulesChanged(J);
}

bool EditFilterRules(TWinControl& Panel, std::vector<TFilterRule>& Rules) {
  TFrmFilterRules Form;
  Form.SetRules(Rules);
  int Left = 0, Top = 0;
  BkLxUtil::CenterToWindow(Form.GetWidth(), Form.GetHeight(), Panel.GetHandle(), Left, Top);
  Form.SetLeft(Left);
  Form.SetTop(Top);
  if (Form.ShowModal() != mrOk) return false;
  Rules = Form.GetRules();
  return true;
}
