// The "Filter and Highlight" dialog: the ordered list of rules, each with
// whether it is enabled, what it does (include, exclude or highlight), the
// field it looks at, how it matches, whether case counts, its pattern and,
// for a highlight, its colours. The rules are edited in place; OK hands them
// back in their order.
#pragma once

#include <string>
#include <vector>

#include "components/LxCmboBx.h"
#include "model/MsgFilter.h"
#include "platform/Forms.h"
#include "platform/StdCtrls.h"

class TFrmFilterRules : public TForm {
public:
  TFrmFilterRules();

  TListBox* LstRules = nullptr;
  TButton* BtnAdd = nullptr;     // "&Add"
  TButton* BtnRemove = nullptr;  // "&Remove"
  TButton* BtnUp = nullptr;      // "&Up"
  TButton* BtnDown = nullptr;    // "Do&wn"
  TCheckBox* ChkEnabled = nullptr;
  TComboBox* CbxAction = nullptr;
  TComboBox* CbxField = nullptr;
  TComboBox* CbxMatch = nullptr;
  TCheckBox* ChkCase = nullptr;
  TEdit* EdtPattern = nullptr;
  TLxColorComboBox* CbxTextColor = nullptr;
  TLxColorComboBox* CbxBackColor = nullptr;
  TButton* BtnOk = nullptr;
  TButton* BtnCancel = nullptr;

  void SetRules(std::vector<TFilterRule> Rules);
  const std::vector<TFilterRule>& GetRules() const { return FRules; }
  // The line the list shows for a rule.
  static std::string RuleText(const TFilterRule& Rule);

  // The buttons' work (also what tests call).
  void AddRule();
  void RemoveRule();
  void MoveRule(int By);

private:
  void RulesChanged(int Select);
  void SelectionChanged();
  void EditorChanged();
  void EnableEditor();
  int Current() const;
  std::vector<TFilterRule> FRules;
  bool FLoading = false;  // the editor is being filled: its changes are not edits
};

// Shows the dialog centred over Panel with Rules; on OK Rules takes the
// dialog's and the answer is true.
bool EditFilterRules(TWinControl& Panel, std::vector<TFilterRule>& Rules);
