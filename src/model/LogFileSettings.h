// The settings of logging to file, kept in the section "LogFile" of the
// viewer's settings store (so "Software\Brunelk\Orlimo\1.0\LogFile", or
// "...\1.0\CodeRush\LogFile" for the panel in the IDE), every value a string:
//   "Enabled"   "0"/"1", default "0"
//   "Folder"    default: the user's documents folder plus "\Orlimo Logs"
//   "MaxSizeKB" decimal, default "10240"; "0" = no size limit
//   "Daily"     "0"/"1", default "1": a new file at the first message after midnight
//   "Keep"      decimal, default "0" = keep every file
// Read as the other settings are: a value that is missing, not a number or
// out of range (a negative size or count, an empty folder) reads as its
// default; a flag is on when its number is not 0.
#pragma once

#include <cstdint>
#include <string>

#include "model/LogWriter.h"

class TSettingsStore;

inline constexpr const char* LogFileSettingsSection = "LogFile";
inline constexpr const char* LogFileFolderName = "Orlimo Logs";

struct TLogFileSettings {
  static constexpr std::int32_t DefaultMaxSizeKB = 10240;
  bool Enabled = false;
  std::string Folder;
  std::int32_t MaxSizeKB = DefaultMaxSizeKB;
  bool Daily = true;
  std::int32_t Keep = 0;

  // What the writer is started with.
  TLogWriterOptions WriterOptions() const;
  bool operator==(const TLogFileSettings&) const = default;
};

// The default folder below the user's documents folder.
std::string DefaultLogFolder(const std::string& DocumentsFolder);
// Every value from Store, or its default (DefaultFolder for the folder).
// Never throws for what the store holds.
TLogFileSettings ReadLogFileSettings(TSettingsStore& Store, const std::string& DefaultFolder);
// Writes every value, sanitised as reading would take it. The store's
// exception when a write fails.
void WriteLogFileSettings(TSettingsStore& Store, const TLogFileSettings& Settings, const std::string& DefaultFolder);
