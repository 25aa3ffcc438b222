#include "core/BkLogToFile.h"

#include "platform/LogFolder.h"

TBkLogToFile::TBkLogToFile(TLogFileSystem* FileSystem, TLogWriterClock* Clock) {
  if (!FileSystem) {
    FOwnFs = std::make_unique<TWinLogFileSystem>();
    FileSystem = FOwnFs.get();
  }
  if (!Clock) {
    FOwnClock = std::make_unique<TWinLogWriterClock>();
    Clock = FOwnClock.get();
  }
  FWriter = std::make_unique<TOrlimoLogWriter>(*FileSystem, *Clock);
  FSettings.Folder = DefaultFolder();
}

TBkLogToFile::~TBkLogToFile() = default;

std::string TBkLogToFile::DefaultFolder() { return DefaultLogFolder(DocumentsFolder()); }

void TBkLogToFile::Failed(const ELogFileError& E) {
  FSettings.Enabled = false;
  if (OnFailure) OnFailure(E);
}

void TBkLogToFile::Apply(const TLogFileSettings& Settings) {
  FSettings = Settings;
  try {
    FWriter->Stop();
    if (FSettings.Enabled) FWriter->Start(FSettings.WriterOptions());
  } catch (const ELogFileError& E) {
    Failed(E);
  }
}

void TBkLogToFile::LoadFrom(TSettingsStore& Store) { Apply(ReadLogFileSettings(Store, DefaultFolder())); }

void TBkLogToFile::SaveTo(TSettingsStore& Store) const { WriteLogFileSettings(Store, FSettings, DefaultFolder()); }

void TBkLogToFile::Record(const TOrlimoMsgInfo& Info) {
  if (FSuspended > 0 || !FWriter->Active()) return;
  try {
    FWriter->Append(Info);
  } catch (const ELogFileError& E) {
    Failed(E);
  }
}

bool TBkLogToFile::Tick() {
  try {
    return FWriter->Tick();
  } catch (const ELogFileError& E) {
    Failed(E);
    return false;
  }
}

void TBkLogToFile::Stop() {
  try {
    FWriter->Stop();
  } catch (const ELogFileError&) {
    // Closing: the file ends on a whole record, nobody is left to tell.
  }
}
