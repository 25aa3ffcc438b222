// Logging to file: the dialog, failures and the file's name in the status bar.
#include "core/BkOrlimo.h"

#include "core/BkLogToFile.h"
#include "core/LxLogFrm.h"
#include "platform/RegSettingsStore.h"

void TBkOrlimoComposite::ChangeLogToFile() {
  TLogFileSettings S = FLogToFile->Settings();
  if (!AskLogToFile(*this, S)) return;
  // Stored first: what the user chose is kept even when it cannot start now.
  TRegSettingsStore Store(SettingsKey());
  WriteLogFileSettings(Store, S, TBkLogToFile::DefaultFolder());
  FLogToFile->Apply(S);
  UpdateStatus();
  DoUpdateMenu();
}

void TBkOrlimoComposite::LogFileFailed(const ELogFileError& Error) {
  // Never a message box here: this runs inside the intake of a message.
  FLogFileError = "Logging to file has stopped.\r\n\r\n" + Error.FileName() + "\r\n" + Error.Reason();
  if (HandleAllocated()) PostMessageA(GetHandle(), UM_LOGFILEERROR, 0, 0);
  DoUpdateMenu();
}

void TBkOrlimoComposite::ShowLogFileError() {
  if (FLogFileError.empty()) return;
  const std::string Text = std::move(FLogFileError);
  FLogFileError.clear();
  UpdateStatus();
  Application->MessageBox(Text, "Orlimo", MB_OK | MB_ICONERROR);
}

void TBkOrlimoComposite::ShowLogFileName(std::int32_t Selected) {
  if (Selected > 0) {
    FLogNameShown.clear();
    return;
  }
  const std::string Name = FLogToFile->FileName();
  if (Name == FLogNameShown) return;
  if (!Name.empty() || FStsTypeName->GetCaption() == FLogNameShown) FStsTypeName->SetCaption(Name);
  FLogNameShown = Name;
}
