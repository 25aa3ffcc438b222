#include "core/LxLogFrm.h"

#include <shlobj.h>
#include <windows.h>

#include "core/BkLxUtil.h"
#include "core/LxDlgBase.h"
#include "core/LxHelp.h"
#include "model/Settings.h"

namespace {

// The picker opens at the folder the edit holds.
int CALLBACK StartAt(HWND Wnd, UINT Msg, LPARAM, LPARAM Data) {
  if (Msg == BFFM_INITIALIZED && Data) SendMessageA(Wnd, BFFM_SETSELECTIONA, TRUE, Data);
  return 0;
}

std::string PickFolder(HWND Owner, const std::string& Start) {
  char Name[MAX_PATH] = {};
  BROWSEINFOA Info{};
  Info.hwndOwner = Owner;
  Info.pszDisplayName = Name;
  Info.lpszTitle = "Folder of the log files";
  Info.ulFlags = BIF_RETURNONLYFSDIRS | BIF_NEWDIALOGSTYLE;
  Info.lpfn = StartAt;
  Info.lParam = reinterpret_cast<LPARAM>(Start.c_str());
  PIDLIST_ABSOLUTE Pidl = SHBrowseForFolderA(&Info);
  if (!Pidl) return {};
  char Path[MAX_PATH] = {};
  const bool Ok = SHGetPathFromIDListA(Pidl, Path);
  CoTaskMemFree(Pidl);
  return Ok ? Path : std::string();
}

std::string SizeText(std::int32_t KB) { return std::to_string(KB / 1024); }

}  // namespace

std::function<std::string(HWND, const std::string&)> TFrmLogToFile::BrowseForFolder = PickFolder;

TFrmLogToFile::TFrmLogToFile() : TForm(nullptr) {
  SetBorderStyle(bsDialog);
  SetBorderIcons(biSystemMenu);
  SetPosition(poDesigned);
  SetCaption("Log to File");
  GetFont().SetName("MS Sans Serif");
  GetFont().SetSize(8);
  SetClientWidth(380);
  SetClientHeight(178);

  ChkEnabled = AddControl<TCheckBox>(*this, 8, 8, 364, 17, "&Write every message to a log file");
  LblFolder = AddControl<TLabel>(*this, 8, 37, 40, 13, "&Folder");
  EdtFolder = AddControl<TEdit>(*this, 56, 33, 232, 21);
  LblFolder->SetFocusControl(EdtFolder);
  BtnBrowse = AddControl<TButton>(*this, 296, 32, 75, 23, "&Browse...");
  BtnBrowse->OnClick = [this](TObject*) { BrowseClick(); };
  LblSize = AddControl<TLabel>(*this, 8, 68, 130, 13, "Start a new file every");
  EdtSize = AddControl<TEdit>(*this, 140, 64, 60, 21);
  LblSize->SetFocusControl(EdtSize);
  LblSizeUnit = AddControl<TLabel>(*this, 206, 68, 160, 13, "MB (0 = never)");
  ChkDaily = AddControl<TCheckBox>(*this, 8, 94, 364, 17, "Start a new file at &midnight");
  LblKeep = AddControl<TLabel>(*this, 8, 123, 130, 13, "&Keep the last");
  EdtKeep = AddControl<TEdit>(*this, 140, 119, 60, 21);
  LblKeep->SetFocusControl(EdtKeep);
  LblKeepUnit = AddControl<TLabel>(*this, 206, 123, 160, 13, "files (0 = all)");

  BtnOk = AddControl<TButton>(*this, 134, 148, 75, 25, "OK");
  BtnOk->SetModalResult(mrOk);
  BtnOk->SetDefault(true);
  BtnCancel = AddControl<TButton>(*this, 215, 148, 75, 25, "Cancel");
  BtnCancel->SetModalResult(mrCancel);
  BtnCancel->SetCancel(true);
  BtnHelp = AddControl<TButton>(*this, 296, 148, 75, 25, "Help");
  BtnHelp->OnClick = [](TObject*) {
    static const std::string Jump = "JumpID(\"\",\"LogToFile\")";
    LxHelp::ShowHelp(LxHelp::ProgramDirectory(), HELP_COMMAND, reinterpret_cast<ULONG_PTR>(Jump.c_str()), "logfile");
  };
  SetActiveControl(ChkEnabled);
}

void TFrmLogToFile::BrowseClick() {
  const std::string Folder = BrowseForFolder(HandleAllocated() ? GetHandle() : nullptr, EdtFolder->GetText());
  if (!Folder.empty()) EdtFolder->SetText(Folder);
}

void TFrmLogToFile::SetSettings(const TLogFileSettings& S) {
  FShown = S;
  FShownSize = SizeText(S.MaxSizeKB);
  ChkEnabled->SetChecked(S.Enabled);
  EdtFolder->SetText(S.Folder);
  EdtSize->SetText(FShownSize);
  ChkDaily->SetChecked(S.Daily);
  EdtKeep->SetText(std::to_string(S.Keep));
}

TLogFileSettings TFrmLogToFile::GetSettings() const {
  TLogFileSettings S = FShown;
  S.Enabled = ChkEnabled->GetChecked();
  if (const std::string F = EdtFolder->GetText(); !F.empty()) S.Folder = F;
  const std::string SizeTextNow = EdtSize->GetText();
  const auto MB = ParseSettingsInt(SizeTextNow);
  if (SizeTextNow != FShownSize && MB && *MB >= 0 && *MB <= 0x7FFFFFFF / 1024) S.MaxSizeKB = *MB * 1024;
  S.Daily = ChkDaily->GetChecked();
  if (const auto K = ParseSettingsInt(EdtKeep->GetText()); K && *K >= 0) S.Keep = *K;
  return S;
}

bool AskLogToFile(TWinControl& Panel, TLogFileSettings& Settings) {
  TFrmLogToFile Form;
  Form.SetSettings(Settings);
  int Left = 0, Top = 0;
  BkLxUtil::CenterToWindow(Form.GetWidth(), Form.GetHeight(), Panel.GetHandle(), Left, Top);
  Form.SetLeft(Left);
  Form.SetTop(Top);
  if (Form.ShowModal() != mrOk) return false;
  Settings = Form.GetSettings();
  return true;
}
