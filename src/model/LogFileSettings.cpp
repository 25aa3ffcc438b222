#include "model/LogFileSettings.h"

#include <optional>

#include "model/Settings.h"

namespace {

std::optional<std::string> ReadText(TSettingsStore& Store, const char* Name) {
  try {
    return Store.Read(LogFileSettingsSection, Name);
  } catch (const std::exception&) {
    return std::nullopt;  // unreadable is missing
  }
}

std::int32_t ReadCount(TSettingsStore& Store, const char* Name, std::int32_t Default) {
  const std::optional<std::string> T = ReadText(Store, Name);
  const std::optional<std::int32_t> V = T ? ParseSettingsInt(*T) : std::nullopt;
  return V && *V >= 0 ? *V : Default;
}

bool ReadFlag(TSettingsStore& Store, const char* Name, bool Default) {
  const std::optional<std::string> T = ReadText(Store, Name);
  const std::optional<std::int32_t> V = T ? ParseSettingsInt(*T) : std::nullopt;
  return V ? *V != 0 : Default;
}

}  // namespace

TLogWriterOptions TLogFileSettings::WriterOptions() const {
  return TLogWriterOptions{Folder, static_cast<std::uint64_t>(MaxSizeKB < 0 ? 0 : MaxSizeKB) * 1024, Daily, Keep};
}

std::string DefaultLogFolder(const std::string& DocumentsFolder) {
  return LogFilePath(DocumentsFolder, LogFileFolderName);
}

TLogFileSettings ReadLogFileSettings(TSettingsStore& Store, const std::string& DefaultFolder) {
  TLogFileSettings S;
  S.Enabled = ReadFlag(Store, "Enabled", false);
  const std::optional<std::string> F = ReadText(Store, "Folder");
  S.Folder = F && !F->empty() ? *F : DefaultFolder;
  S.MaxSizeKB = ReadCount(Store, "MaxSizeKB", TLogFileSettings::DefaultMaxSizeKB);
  S.Daily = ReadFlag(Store, "Daily", true);
  S.Keep = ReadCount(Store, "Keep", 0);
  return S;
}

void WriteLogFileSettings(TSettingsStore& Store, const TLogFileSettings& S, const std::string& DefaultFolder) {
  const char* Section = LogFileSettingsSection;
  Store.Write(Section, "Enabled", S.Enabled ? "1" : "0");
  Store.Write(Section, "Folder", S.Folder.empty() ? DefaultFolder : S.Folder);
  Store.Write(Section, "MaxSizeKB",
              std::to_string(S.MaxSizeKB >= 0 ? S.MaxSizeKB : TLogFileSettings::DefaultMaxSizeKB));
  Store.Write(Section, "Daily", S.Daily ? "1" : "0");
  Store.Write(Section, "Keep", std::to_string(S.Keep >= 0 ? S.Keep : 0));
}
