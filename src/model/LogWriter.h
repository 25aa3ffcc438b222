// Logging to file while the viewer runs: every message the list accepts is
// appended, as a log record (the same record a saved log holds, so every
// file opens as any other log), to "Orlimo-YYYYMMDD-HHMMSS-NNNN.olx" in the
// chosen folder.
//
// Names: the local time the file was started, then a number counting the
// files this writer started, from 0001 (a name that exists already takes the
// next free number), so sorting the names sorts the files in order.
//
// A new file is started when logging starts, when the next record would take
// the file past the size limit (a record is never split; one bigger than the
// limit gets a file of its own), and at the first record after local midnight
// when Daily is on. With Keep above 0 the oldest files of this naming in the
// folder are deleted until Keep are left; other files are never touched.
//
// Batching: records collect in a buffer that is written when it reaches
// BufferLimit and when its oldest record is WriteDelay old (checked at each
// record and at each Tick: the list's 40 ms timer, so a record is in the file
// within 250 ms). The file is flushed to the disk (FlushFileBuffers) at most
// FlushInterval after a write, at rotation and at Stop. The buffer holds only
// whole records, and a write that fails is cut back to the last whole record.
//
// The file system and the clock are behind small interfaces: the Win32 side
// lives in the platform, tests use fakes.
#pragma once

#include <cstddef>
#include <cstdint>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "model/OrlimoExcept.h"

class TOrlimoMsgInfo;

// A local date and time, to the second.
struct TLogLocalTime {
  int Year = 1970, Month = 1, Day = 1, Hour = 0, Minute = 0, Second = 0;
  bool SameDay(const TLogLocalTime& O) const { return Year == O.Year && Month == O.Month && Day == O.Day; }
};

class TLogWriterClock {
public:
  virtual ~TLogWriterClock() = default;
  virtual std::uint64_t Milliseconds() = 0;  // steady, never goes back
  virtual TLogLocalTime LocalTime() = 0;
};

// Logging had to stop: FileName could not be made, written or flushed, for
// Reason (the system's own text).
class ELogFileError : public Exception {
public:
  ELogFileError(std::string FileName, std::string Reason)
      : Exception("Cannot write the log file \"" + FileName + "\": " + Reason),
        FFileName(std::move(FileName)),
        FReason(std::move(Reason)) {}
  const std::string& FileName() const { return FFileName; }
  const std::string& Reason() const { return FReason; }

private:
  std::string FFileName, FReason;
};

// One open log file. Closed when destroyed.
class TLogFileHandle {
public:
  virtual ~TLogFileHandle() = default;
  // Appends all Size bytes or throws ELogFileError (part may have been written).
  virtual void Write(const void* Data, std::size_t Size) = 0;
  // Everything written reaches the disk, or ELogFileError.
  virtual void Flush() = 0;
  // Cuts the file back to Size bytes, as well as it can.
  virtual void Truncate(std::uint64_t Size) noexcept = 0;
};

class TLogFileSystem {
public:
  virtual ~TLogFileSystem() = default;
  // Creates Folder and its parents when missing; ELogFileError when it cannot.
  virtual void CreateFolder(const std::string& Folder) = 0;
  // Creates a new, empty file open for appending. Null when a file of that
  // name exists; ELogFileError for anything else.
  virtual std::unique_ptr<TLogFileHandle> CreateNew(const std::string& Path) = 0;
  // The names (without folder) of the files in Folder.
  virtual std::vector<std::string> ListNames(const std::string& Folder) = 0;
  // Deletes a file; false when it could not (it stays).
  virtual bool Delete(const std::string& Path) = 0;
};

// Folder + file name, with one separator.
std::string LogFilePath(std::string_view Folder, std::string_view Name);
// "Orlimo-YYYYMMDD-HHMMSS-NNNN.olx" (at least four digits of Number).
std::string LogFileName(const TLogLocalTime& Start, std::int32_t Number);
// Whether Name is of that naming (case aside); when so, Key gets what sorts
// the files in order: the time stamp, then the number.
bool ParseLogFileName(std::string_view Name, std::string* Key = nullptr);

struct TLogWriterOptions {
  std::string Folder;
  std::uint64_t MaxSize = 0;  // bytes per file, 0 = no limit
  bool Daily = true;
  std::int32_t Keep = 0;  // files kept, 0 = all
};

class TOrlimoLogWriter {
public:
  static constexpr std::size_t BufferLimit = std::size_t{64} * 1024;
  static constexpr std::uint64_t WriteDelay = 200;  // ms; plus one 40 ms tick stays within 250
  static constexpr std::uint64_t FlushInterval = 10'000;

  // Both must outlive the writer.
  TOrlimoLogWriter(TLogFileSystem& FileSystem, TLogWriterClock& Clock);
  ~TOrlimoLogWriter();
  TOrlimoLogWriter(const TOrlimoLogWriter&) = delete;
  TOrlimoLogWriter& operator=(const TOrlimoLogWriter&) = delete;

  // Creates the folder and starts the first file (Stop first when active).
  void Start(const TLogWriterOptions& Options);
  // Writes what is buffered, flushes and closes. Inactive afterwards even
  // when that fails (then ELogFileError).
  void Stop();
  bool Active() const { return FFile != nullptr; }
  const TLogWriterOptions& Options() const { return FOptions; }

  // One whole record. Every failure (ELogFileError) leaves the writer
  // inactive, with the file ending on a whole record.
  void Append(std::string_view Record);
  // The log record of a list item.
  void Append(const TOrlimoMsgInfo& Info);
  // The timer: writes a buffer that waited WriteDelay, flushes written bytes
  // FlushInterval after the last flush. Returns whether a later tick still
  // has something to do. ELogFileError as Append.
  bool Tick();

  // The current file's path and name (empty while inactive), the files
  // started so far by this writer.
  const std::string& FilePath() const { return FPath; }
  std::string FileName() const;
  std::int32_t FilesStarted() const { return FNumber; }
  std::uint64_t FileSize() const { return FFileSize; }  // written and buffered
  std::size_t Buffered() const { return FBuffer.size(); }

private:
  void OpenNext();
  void WriteBuffer();
  void FlushFile();
  void ApplyKeep();
  // Closes after a failure: the file is cut back to its whole records.
  [[noreturn]] void Fail(const ELogFileError& E);
  template <class F>
  void Guard(F&& Body);

  TLogFileSystem& FFs;
  TLogWriterClock& FClock;
  TLogWriterOptions FOptions;
  std::unique_ptr<TLogFileHandle> FFile;
  std::string FPath;
  TLogLocalTime FStart;
  std::int32_t FNumber = 0;
  std::string FBuffer;
  std::string FRecord;          // reused for building records
  std::uint64_t FWritten = 0;   // bytes of the file known written (whole records)
  std::uint64_t FFileSize = 0;  // FWritten plus the buffer
  std::uint64_t FBufferSince = 0;
  std::uint64_t FLastFlush = 0;
  bool FUnflushed = false;
};
