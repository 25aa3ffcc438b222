#include "core/LxIndFrm.h"

#include "core/BkLxUtil.h"
#include "model/ScopeExit.h"

TFrmResetIndentLevel* FrmResetIndentLevel = nullptr;

TFrmResetIndentLevel::TFrmResetIndentLevel() : TLxConfirmForm(328, 101, IDI_QUESTION) {
  Label = AddLabel(this, 56, 8, 261, 52,
                   "You have elected to reset the Indent Level back to 0. All successive lxmEnterMethod and "
                   "lxmExitMethod messages will utilize the new indent level.  Are you sure you wish to reset "
                   "the Indent Level?",
                   true);
  BtnYes = AddButton(this, 160, 68, "&Yes", mrOk);
  BtnYes->SetDefault(true);
  BtnNo = AddButton(this, 244, 68, "&No", mrCancel);
  BtnNo->SetCancel(true);
  FitLayout();
}

bool ActuallyResetIndentLevel(TWinControl& Panel) {
  TFrmResetIndentLevel Form;
  int Left = 0, Top = 0;
  BkLxUtil::CenterToWindow(Form.GetWidth(), Form.GetHeight(), Panel.GetHandle(), Left, Top);
  FrmResetIndentLevel = &Form;
  auto Reset = ScopeExit([] { FrmResetIndentLevel = nullptr; });
  return ShowConfirmAt(Form, Left, Top) == mrOk;
}
