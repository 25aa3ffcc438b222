#include "core/LxClrFrm.h"

#include "core/BkLxUtil.h"
#include "model/ScopeExit.h"

TFrmConfirmClear* FrmConfirmClear = nullptr;

TFrmConfirmClear::TFrmConfirmClear() : TLxConfirmForm(326, 47, IDI_QUESTION) {
  Label = AddLabel(this, 52, 16, 0, 0, "Clear All Messages?", false);
  BtnYes = AddButton(this, 160, 12, "&Yes", mrOk);
  BtnYes->SetDefault(true);
  BtnNo = AddButton(this, 244, 12, "&No", mrCancel);
  BtnNo->SetCancel(true);
  FitLayout();
}

bool UserAbortsClear(TWinControl& Panel, std::int32_t ExtraOffset) {
  TFrmConfirmClear Form;
  namespace U = BkLxUtil;
  RECT Work{};
  U::GetDesktopClientRect(Work);
  const U::TLxRect S = U::ScreenRectOf(Panel.GetHandle());
  const U::TLxPoint P = U::ClampToWorkArea(U::TLxPoint{S.Left + 10, S.Top + ExtraOffset + 10}, Form.GetWidth(),
                                           Form.GetHeight(), U::ToLxRect(Work));
  FrmConfirmClear = &Form;
  auto Reset = ScopeExit([] { FrmConfirmClear = nullptr; });
  return ShowConfirmAt(Form, P.X, P.Y) != mrOk;
}
