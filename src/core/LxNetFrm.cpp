#include "core/LxNetFrm.h"

#include "core/BkLxUtil.h"
#include "core/LxDlgBase.h"
#include "platform/Application.h"

#include <cstdlib>

TFrmNetMessages::TFrmNetMessages() : TForm(nullptr) {
  SetBorderStyle(bsDialog);
  SetBorderIcons(biSystemMenu);
  SetPosition(poDesigned);
  SetCaption("Network Messages");
  GetFont().SetName("MS Sans Serif");
  GetFont().SetSize(8);
  SetClientWidth(360);
  SetClientHeight(228);

  ChkListen = AddControl<TCheckBox>(*this, 8, 8, 344, 17, "&Listen for syslog messages");
  CbxProtocol = AddControl<TComboBox>(*this, 96, 34, 120, 21);
  CbxProtocol->SetStyle(csDropDownList);
  CbxProtocol->SetItems({"TCP", "UDP", "TCP and UDP"});
  AddControl<TLabel>(*this, 24, 38, 68, 13, "&Protocol")->SetFocusControl(CbxProtocol);
  EdtPort = AddControl<TEdit>(*this, 96, 62, 64, 21);
  AddControl<TLabel>(*this, 24, 66, 68, 13, "P&ort")->SetFocusControl(EdtPort);
  ChkRemote = AddControl<TCheckBox>(*this, 24, 92, 328, 17, "&Accept from other computers");
  LblRemoteWarning =
      AddControl<TLabel>(*this, 40, 112, 312, 28, "Anyone who can reach this port can add messages to the list.");
  LblRemoteWarning->SetWordWrap(true);
  ChkCommands = AddControl<TCheckBox>(*this, 24, 144, 328, 17, "Allow &clear and save commands from the network");
  LblMalformed = AddControl<TLabel>(*this, 8, 172, 344, 13, "");

  BtnOk = AddControl<TButton>(*this, 196, 196, 75, 25, "OK");
  BtnOk->SetModalResult(mrOk);
  BtnOk->SetDefault(true);
  BtnCancel = AddControl<TButton>(*this, 277, 196, 75, 25, "Cancel");
  BtnCancel->SetModalResult(mrCancel);
  BtnCancel->SetCancel(true);

  for (TCheckBox* B : {ChkListen, ChkRemote}) B->OnClick = [this](TObject*) { UpdateControls(); };
  SetActiveControl(ChkListen);
}

void TFrmNetMessages::SetSettings(const TNetSettings& S, std::uint64_t Malformed) {
  ChkListen->SetChecked(S.Listen);
  CbxProtocol->SetItemIndex(S.Protocol >= 0 && S.Protocol <= 2 ? S.Protocol : 0);
  EdtPort->SetText(std::to_string(S.Port));
  ChkRemote->SetChecked(S.Remote);
  ChkCommands->SetChecked(S.Commands);
  LblMalformed->SetCaption("Input that could not be read: " + std::to_string(Malformed));
  UpdateControls();
}

bool TFrmNetMessages::GetSettings(TNetSettings& S) const {
  const std::string Port = EdtPort->GetText();
  char* End = nullptr;
  const long N = std::strtol(Port.c_str(), &End, 10);
  if (Port.empty() || *End || N < 1 || N > 65535) return false;
  S.Listen = ChkListen->GetChecked();
  S.Protocol = CbxProtocol->GetItemIndex() < 0 ? 0 : CbxProtocol->GetItemIndex();
  S.Port = static_cast<std::int32_t>(N);
  S.Remote = ChkRemote->GetChecked();
  S.Commands = ChkCommands->GetChecked();
  return true;
}

void TFrmNetMessages::UpdateControls() {
  const bool On = ChkListen->GetChecked();
  for (TWinControl* C : {static_cast<TWinControl*>(CbxProtocol), static_cast<TWinControl*>(EdtPort),
                         static_cast<TWinControl*>(ChkRemote), static_cast<TWinControl*>(ChkCommands)})
    C->SetEnabled(On);
  LblRemoteWarning->SetVisible(ChkRemote->GetChecked());
}

bool EditNetSettings(TWinControl& Panel, TNetSettings& S, std::uint64_t Malformed) {
  TFrmNetMessages Form;
  Form.SetSettings(S, Malformed);
  int Left = 0, Top = 0;
  BkLxUtil::CenterToWindow(Form.GetWidth(), Form.GetHeight(), Panel.GetHandle(), Left, Top);
  Form.SetLeft(Left);
  Form.SetTop(Top);
  for (;;) {
    if (Form.ShowModal() != mrOk) return false;
    TNetSettings New;
    if (Form.GetSettings(New)) {
      S = New;
      return true;
    }
    Application->MessageBox("The port must be a number from 1 to 65535.", "Orlimo", MB_OK | MB_ICONWARNING);
    Form.EdtPort->SetFocus();
  }
}
