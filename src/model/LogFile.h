// Log files ("*.olx"): a header-less sequence of records in the wire layout
// (see OrlimoRecord.h), oldest first. An empty list gives a zero-byte file.
//
// Writing goes through a TOrlimoLogSink (the Win32 layer writes to its file;
// the std::FILE helpers here serve tests and benchmarks). Reading decodes the
// file's bytes in place, record after record, into ProcessMessage; a file that
// ends inside a record, or whose lengths are negative or reach past its end,
// loads every whole record before that point and stops there.
#pragma once

#include <cstddef>
#include <cstdint>
#include <memory>
#include <string>
#include <string_view>

#include "model/ExportLine.h"
#include "model/OrlimoExcept.h"
#include "model/OrlimoRecord.h"

class TOrlimoMsgList;

// A record could not be written whole.
class EOrlimoWriteError : public Exception {
public:
  EOrlimoWriteError() : Exception("Problem creating Orlimo log file") {}
  using Exception::Exception;
};

// Declared for completeness; reading stops at a bad record and says so in
// its result instead.
class EOrlimoReadError : public Exception {
public:
  using Exception::Exception;
};

// A file could not be opened, read or closed by the std::FILE helpers below.
class EOrlimoFileError : public Exception {
public:
  using Exception::Exception;
};

// Where log records go. Write returns the number of bytes it took.
class TOrlimoLogSink {
public:
  virtual ~TOrlimoLogSink() = default;
  virtual std::size_t Write(const void* Data, std::size_t Size) = 0;
};

// Appends to a std::string (tests, clipboard-like uses).
class TStringLogSink : public TOrlimoLogSink {
public:
  std::size_t Write(const void* Data, std::size_t Size) override {
    Bytes.append(static_cast<const char*>(Data), Size);
    return Size;
  }
  std::string Bytes;
};

// Writes the whole list, one record per item, oldest first: positions 0, 1, ...
// when InsertAtEnd is on, Count()-1 down to 0 when it is off. A record the sink
// does not take whole raises EOrlimoWriteError; records before it stay written.
void WriteLog(const TOrlimoMsgList& List, TOrlimoLogSink& Sink);

// What a load read. When the file is damaged part way, every whole record
// before the damage is loaded and the rest of the file is skipped.
struct TLogLoadResult {
  std::int32_t Records = 0;                // records the list took
  TRecordStatus Stop = TRecordStatus::Ok;  // why the load stopped early, Ok at the end
  // The list was full: the record at Offset (whole) and the rest were not
  // taken. The caller runs the list-full procedure and may go on from Offset.
  bool Full = false;
  std::uint64_t Offset = 0;  // where it stopped: the first byte not taken (the size when Ok and not Full)
  // The rest of the file, from Offset on, was skipped.
  bool Skipped() const { return Stop != TRecordStatus::Ok; }
};

// What to tell the user after loading FileName: empty when the whole file was
// read, else how many records were read and that the rest, from which byte
// on, was skipped, and why.
std::string LogLoadReport(const TLogLoadResult& Result, std::string_view FileName);

// Feeds every whole record of the file's bytes to the list, as its
// ProcessMessage takes them, in batches (TOrlimoMsgList::LoadRecords). The
// caller clears the list first (loading replaces the list). When the list
// is full the load stops there (Full).
TLogLoadResult ReadLog(TOrlimoMsgList& List, const void* Data, std::size_t Size);

// Where log bytes come from when they are read piece by piece.
class TOrlimoLogSource {
public:
  virtual ~TOrlimoLogSource() = default;
  // Copies up to Size of the next bytes to Data; returns how many, 0 at the end.
  virtual std::size_t Read(void* Data, std::size_t Size) = 0;
  // Whether Read may run on another thread than the loader's: then the next
  // chunks are read while the loader decodes (see TLogChunks).
  virtual bool ReadsAhead() const { return false; }
  // Called on the loader's thread before each chunk is taken (a window
  // answers its messages there).
  virtual void BetweenChunks() {}
};

// The same as ReadLog over all the bytes Source gives, read ChunkSize bytes at
// a time and decoded in the chunk while it is fresh in the cache. A record
// that spans chunks is put together from what came (never more memory than
// the bytes that really come, whatever its header claims).
TLogLoadResult ReadLog(TOrlimoMsgList& List, TOrlimoLogSource& Source, std::size_t ChunkSize = 1 << 20);

// Whether a file name reaches a device, a pipe or the system's raw namespace
// instead of a file: names beginning with \\.\, \\?\ or \??\ (either
// slash), the "pipe" and "mailslot" shares of any server, and the reserved
// device names CON, PRN, AUX, NUL, COM0..COM9, LPT0..LPT9, CONIN$ and CONOUT$
// in any folder, with any extension, in any letter case. Logs and exports
// are never written to such a name.
bool IsDeviceFileName(std::string_view FileName);

// --- std::FILE helpers -------------------------------------------------------
// A file's bytes, read in one go. Throws EOrlimoFileError.
struct TFileBytes {
  std::unique_ptr<char[]> Data;
  std::size_t Size = 0;
};
TFileBytes ReadFileBytes(const std::string& FileName);
// Creates or truncates FileName and writes the list's log (EOrlimoWriteError
// on a short write, EOrlimoFileError when the file cannot be created).
void SaveLogFile(const TOrlimoMsgList& List, const std::string& FileName);
// ReadLog over the file, read in chunks (the caller clears the list first).
// Throws EOrlimoFileError when the file cannot be opened or read.
TLogLoadResult LoadLogFile(TOrlimoMsgList& List, const std::string& FileName);
// Writes Bytes to FileName in one go, replacing it. Throws EOrlimoFileError.
void WriteFileBytes(const std::string& FileName, std::string_view Bytes);
// Writes the list's text export (BuildTextExport) to FileName in one go.
void SaveTextExport(TOrlimoMsgList& List, const std::string& FileName, std::string_view HeaderFormat,
                    std::string_view DateText, const TExportOptions& Options);
