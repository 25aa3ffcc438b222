#include "platform/CommonDialogs.h"

#include "platform/Forms.h"

#include <commdlg.h>

#include <algorithm>
#include <vector>

std::function<bool(TCommonDialog& Dialog)> TCommonDialog::ExecuteHook;

HWND TCommonDialog::OwnerWindow() const {
  HWND Owner = ::GetActiveWindow();
  if (!Owner) {
    TCustomForm* Main = Application->GetMainForm();
    if (Main && Main->HandleAllocated()) Owner = Main->WindowHandle();
  }
  return Owner;
}

std::string TOpenDialog::NativeFilter(const std::string& Filter) {
  std::string Result = Filter;
  for (char& C : Result)
    if (C == '|') C = '\0';
  Result.push_back('\0');
  Result.push_back('\0');
  return Result;
}

bool TOpenDialog::Execute() {
  if (ExecuteHook) return ExecuteHook(*this);
  std::vector<char> Buffer(32768, '\0');
  FileName.copy(Buffer.data(), std::min(FileName.size(), Buffer.size() - 1));
  const std::string NativeFilterText = NativeFilter(Filter);
  OPENFILENAMEA Ofn{};
  Ofn.lStructSize = sizeof(Ofn);
  Ofn.hwndOwner = OwnerWindow();
  Ofn.lpstrFilter = Filter.empty() ? nullptr : NativeFilterText.c_str();
  Ofn.nFilterIndex = static_cast<DWORD>(FilterIndex);
  Ofn.lpstrFile = Buffer.data();
  Ofn.nMaxFile = static_cast<DWORD>(Buffer.size());
  Ofn.lpstrInitialDir = InitialDir.empty() ? nullptr : InitialDir.c_str();
  Ofn.lpstrTitle = Title.empty() ? nullptr : Title.c_str();
  Ofn.lpstrDefExt = DefaultExt.empty() ? nullptr : DefaultExt.c_str();
  Ofn.Flags = OFN_EXPLORER | OFN_ENABLESIZING;
  if (Options & ofOverwritePrompt) Ofn.Flags |= OFN_OVERWRITEPROMPT;
  if (Options & ofHideReadOnly) Ofn.Flags |= OFN_HIDEREADONLY;
  if (Options & ofPathMustExist) Ofn.Flags |= OFN_PATHMUSTEXIST;
  if (Options & ofFileMustExist) Ofn.Flags |= OFN_FILEMUSTEXIST;
  if (Options & ofNoChangeDir) Ofn.Flags |= OFN_NOCHANGEDIR;
  if (Options & ofCreatePrompt) Ofn.Flags |= OFN_CREATEPROMPT;
  const BOOL Ok = IsSave() ? ::GetSaveFileNameA(&Ofn) : ::GetOpenFileNameA(&Ofn);
  if (!Ok) return false;
  FileName = Buffer.data();
  FilterIndex = static_cast<int>(Ofn.nFilterIndex);
  return true;
}

bool TFontDialog::Execute() {
  if (ExecuteHook) return ExecuteHook(*this);
  LOGFONTA LogFont = Font.GetLogFont();
  CHOOSEFONTA Cf{};
  Cf.lStructSize = sizeof(Cf);
  Cf.hwndOwner = OwnerWindow();
  Cf.lpLogFont = &LogFont;
  Cf.Flags = CF_SCREENFONTS | CF_EFFECTS | CF_INITTOLOGFONTSTRUCT;
  Cf.rgbColors = ColorToRGB(Font.GetColor());
  if (!::ChooseFontA(&Cf)) return false;
  Font.SetLogFont(LogFont);
  Font.SetColor(static_cast<TColor>(Cf.rgbColors));
  return true;
}

bool TColorDialog::Execute() {
  if (ExecuteHook) return ExecuteHook(*this);
  CHOOSECOLORA Cc{};
  Cc.lStructSize = sizeof(Cc);
  Cc.hwndOwner = OwnerWindow();
  Cc.rgbResult = ColorToRGB(Color);
  Cc.lpCustColors = FCustomColors;
  Cc.Flags = CC_RGBINIT;
  if (!::ChooseColorA(&Cc)) return false;
  Color = static_cast<TColor>(Cc.rgbResult);
  return true;
}

TPrintDialog::~TPrintDialog() = default;

bool TPrintDialog::Execute() {
  if (ExecuteHook) return ExecuteHook(*this);
  PRINTDLGA Pd{};
  Pd.lStructSize = sizeof(Pd);
  Pd.hwndOwner = OwnerWindow();
  Pd.Flags = PD_RETURNDC | PD_NOPAGENUMS | PD_NOSELECTION | PD_USEDEVMODECOPIESANDCOLLATE;
  const BOOL Ok = ::PrintDlgA(&Pd);
  if (Pd.hDevMode) ::GlobalFree(Pd.hDevMode);
  if (Pd.hDevNames) ::GlobalFree(Pd.hDevNames);
  if (!Ok) return false;
  FDC.Reset(Pd.hDC);
  return Pd.hDC != nullptr;
}
