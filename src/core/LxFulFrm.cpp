#include "core/LxFulFrm.h"

#include "core/BkLxUtil.h"
#include "model/ScopeExit.h"

TFrmMessageListFull* FrmMessageListFull = nullptr;

TFrmMessageListFull::TFrmMessageListFull() : TLxConfirmForm(382, 215, IDI_HAND) {
  // Minimise and maximise boxes but no system menu: no close box.
  SetBorderIcons(biMinimize | biMaximize);
  Label = AddLabel(this, 48, 8, 314, 26,
                   "Orlimo just received a new message, but the message list is full. Please select one of the "
                   "following options:",
                   true);

  auto MakeGroup = [this](int Top, const std::string& Caption) {
    auto* G = new TGroupBox(this);
    G->SetParent(this);
    G->SetBounds(48, Top, 325, 77);
    G->SetCaption(Caption);
    TFont Bold(GetFont());
    Bold.SetStyle(fsBold);
    G->SetFont(Bold);
    return G;
  };
  auto NormalWeight = [this](TLabel* L) {
    TFont Normal(GetFont());
    Normal.SetStyle(0);
    L->SetFont(Normal);
  };

  GrpIgnore = MakeGroup(44, "Option 1 - Ignore");
  LblIgnore = AddLabel(GrpIgnore, 8, 16, 231, 52,
                       "Ignore all messages. After removing some items from the list, you can instruct Orlimo to "
                       "once again accept messages by clicking the Receive/ Ignore Messages button on the toolbar.",
                       true);
  NormalWeight(LblIgnore);
  BtnIgnore = AddButton(GrpIgnore, 244, 16, "&Ignore", mrIgnore);

  GrpClear = MakeGroup(128, "Option 2 - Clear");
  LblClear = AddLabel(GrpClear, 8, 16, 210, 52,
                      "Clear the message list to make room for messages.  WARNING: The entire contents of the "
                      "message list will be erased. This operation cannot be undone.",
                      true);
  NormalWeight(LblClear);
  BtnClear = AddButton(GrpClear, 240, 16, "&Clear", mrCancel);
  BtnClear->SetCancel(true);
  // No default button: Enter does not close the dialog.
  FitLayout();
}

std::int32_t ListIsFullResponse(TWinControl& Panel) {
  TFrmMessageListFull Form;
  int Left = 0, Top = 0;
  BkLxUtil::CenterToWindow(Form.GetWidth(), Form.GetHeight(), Panel.GetHandle(), Left, Top);
  FrmMessageListFull = &Form;
  auto Reset = ScopeExit([] { FrmMessageListFull = nullptr; });
  return ShowConfirmAt(Form, Left, Top);
}
