// Logging to file for one viewer panel: the settings of the "LogFile"
// section, the writer (model/LogWriter.h) over the Win32 files, and what a
// failure does. Every message the panel's list accepts is handed to Record,
// except the records of a log being loaded (Suspend); the list's repaint
// timer calls Tick. A failure stops logging, turns Enabled off and calls
// OnFailure once (the panel posts itself the message box).
#pragma once

#include <cstdint>
#include <functional>
#include <memory>
#include <string>

#include "model/LogFileSettings.h"
#include "model/LogWriter.h"

class TOrlimoMsgInfo;
class TSettingsStore;

class TBkLogToFile {
public:
  // Null: the Win32 files and clock. Both must outlive this object.
  explicit TBkLogToFile(TLogFileSystem* FileSystem = nullptr, TLogWriterClock* Clock = nullptr);
  ~TBkLogToFile();

  const TLogFileSettings& Settings() const { return FSettings; }
  // Takes the settings: stops, and starts again with them when enabled.
  // A failure to start goes to OnFailure (Enabled is then off).
  void Apply(const TLogFileSettings& Settings);
  // The stored settings (the panel's store), applied.
  void LoadFrom(TSettingsStore& Store);
  void SaveTo(TSettingsStore& Store) const;
  // The folder used when none is stored.
  static std::string DefaultFolder();

  bool Active() const { return FWriter->Active(); }
  // The current file's name (without folder), empty while not logging.
  std::string FileName() const { return FWriter->FileName(); }
  const std::string& FilePath() const { return FWriter->FilePath(); }

  void Record(const TOrlimoMsgInfo& Info);
  // Returns whether the timer should keep running for the log.
  bool Tick();
  // Writes what is buffered and flushes (the panel closes).
  void Stop();

  // While a log file is loaded its records are not logged again.
  class TSuspend {
  public:
    explicit TSuspend(TBkLogToFile& L) : FL(L) { ++FL.FSuspended; }
    ~TSuspend() { --FL.FSuspended; }
    TSuspend(const TSuspend&) = delete;
    TSuspend& operator=(const TSuspend&) = delete;

  private:
    TBkLogToFile& FL;
  };

  // Logging stopped: the file and the system's reason.
  std::function<void(const ELogFileError& Error)> OnFailure;

private:
  void Failed(const ELogFileError& E);

  std::unique_ptr<TLogFileSystem> FOwnFs;
  std::unique_ptr<TLogWriterClock> FOwnClock;
  std::unique_ptr<TOrlimoLogWriter> FWriter;
  TLogFileSettings FSettings;
  int FSuspended = 0;
};
