#include "model/LogWriter.h"

#include <algorithm>
#include <cctype>
#include <cstdio>
#include <utility>

#include "model/OrlimoRecord.h"

std::string LogFilePath(std::string_view Folder, std::string_view Name) {
  std::string P(Folder);
  if (!P.empty() && P.back() != '\\' && P.back() != '/') P += '\\';
  P += Name;
  return P;
}

std::string LogFileName(const TLogLocalTime& T, std::int32_t Number) {
  char Buf[64];
  std::snprintf(Buf, sizeof Buf, "Orlimo-%04d%02d%02d-%02d%02d%02d-%04d.olx", T.Year, T.Month, T.Day, T.Hour, T.Minute,
                T.Second, static_cast<int>(Number));
  return Buf;
}

bool ParseLogFileName(std::string_view Name, std::string* Key) {
  // Orlimo-YYYYMMDD-HHMMSS-N{4,}.olx
  auto IEquals = [](std::string_view A, std::string_view B) {
    return A.size() == B.size() && std::equal(A.begin(), A.end(), B.begin(), [](char X, char Y) {
             return std::tolower(static_cast<unsigned char>(X)) == std::tolower(static_cast<unsigned char>(Y));
           });
  };
  auto Digits = [](std::string_view S) {
    return !S.empty() && std::all_of(S.begin(), S.end(), [](char C) { return C >= '0' && C <= '9'; });
  };
  constexpr std::size_t Fixed = 7 + 8 + 1 + 6 + 1;  // "Orlimo-" date "-" time "-"
  if (Name.size() < Fixed + 4 + 4) return false;
  if (!IEquals(Name.substr(0, 7), "Orlimo-") || Name[15] != '-' || Name[22] != '-') return false;
  if (!IEquals(Name.substr(Name.size() - 4), ".olx")) return false;
  const std::string_view Date = Name.substr(7, 8), Time = Name.substr(16, 6);
  const std::string_view Number = Name.substr(Fixed, Name.size() - 4 - Fixed);
  if (!Digits(Date) || !Digits(Time) || !Digits(Number) || Number.size() < 4) return false;
  if (Key) {
    // Numbers of different widths sort by value: pad them to one width.
    *Key = std::string(Date) + std::string(Time) + std::string(12 - std::min<std::size_t>(Number.size(), 12), '0') +
           std::string(Number);
  }
  return true;
}

TOrlimoLogWriter::TOrlimoLogWriter(TLogFileSystem& FileSystem, TLogWriterClock& Clock)
    : FFs(FileSystem), FClock(Clock) {}

TOrlimoLogWriter::~TOrlimoLogWriter() {
  try {
    Stop();
  } catch (...) {
    // Nothing to tell anyone now; the file ends on a whole record.
  }
}

std::string TOrlimoLogWriter::FileName() const {
  const std::size_t P = FPath.find_last_of("\\/");
  return P == std::string::npos ? FPath : FPath.substr(P + 1);
}

void TOrlimoLogWriter::Fail(const ELogFileError& E) {
  if (FFile) {
    FFile->Truncate(FWritten);
    FFile.reset();
  }
  FBuffer.clear();
  FUnflushed = false;
  FPath.clear();
  throw E;
}

template <class F>
void TOrlimoLogWriter::Guard(F&& Body) {
  try {
    Body();
  } catch (const ELogFileError& E) {
    Fail(E);
  }
}

void TOrlimoLogWriter::Start(const TLogWriterOptions& Options) {
  Stop();
  FOptions = Options;
  Guard([&] {
    FFs.CreateFolder(FOptions.Folder);
    OpenNext();
  });
}

void TOrlimoLogWriter::Stop() {
  if (!FFile) return;
  Guard([&] {
    WriteBuffer();
    FlushFile();
  });
  FFile.reset();
  FPath.clear();
}

void TOrlimoLogWriter::OpenNext() {
  FStart = FClock.LocalTime();
  std::int32_t N = FNumber;
  for (;;) {
    const std::string Path = LogFilePath(FOptions.Folder, LogFileName(FStart, ++N));
    std::unique_ptr<TLogFileHandle> F = FFs.CreateNew(Path);
    if (!F) continue;
    FFile = std::move(F);
    FPath = Path;
    break;
  }
  FNumber = N;
  FWritten = FFileSize = 0;
  FLastFlush = FClock.Milliseconds();
  FUnflushed = false;
  ApplyKeep();
}

void TOrlimoLogWriter::ApplyKeep() {
  if (FOptions.Keep <= 0) return;
  std::vector<std::pair<std::string, std::string>> Files;  // key, name
  const std::string Current = FileName();
  for (std::string& Name : FFs.ListNames(FOptions.Folder)) {
    std::string Key;
    if (ParseLogFileName(Name, &Key) && Name != Current) Files.emplace_back(std::move(Key), std::move(Name));
  }
  std::sort(Files.begin(), Files.end());
  // The current file is one of those kept.
  const std::size_t Others = static_cast<std::size_t>(FOptions.Keep) - 1;
  for (std::size_t I = 0; I + Others < Files.size(); ++I) FFs.Delete(LogFilePath(FOptions.Folder, Files[I].second));
}

void TOrlimoLogWriter::WriteBuffer() {
  if (FBuffer.empty()) return;
  FFile->Write(FBuffer.data(), FBuffer.size());
  FWritten += FBuffer.size();
  FBuffer.clear();
  FUnflushed = true;
}

void TOrlimoLogWriter::FlushFile() {
  if (FUnflushed) FFile->Flush();
  FUnflushed = false;
  FLastFlush = FClock.Milliseconds();
}

void TOrlimoLogWriter::Append(std::string_view Record) {
  if (!FFile) return;
  Guard([&] {
    const bool NewDay = FOptions.Daily && !FClock.LocalTime().SameDay(FStart);
    const bool TooBig = FOptions.MaxSize != 0 && FFileSize != 0 && FFileSize + Record.size() > FOptions.MaxSize;
    if (NewDay || TooBig) {
      WriteBuffer();
      FlushFile();
      FFile.reset();
      OpenNext();
    }
    const std::uint64_t Now = FClock.Milliseconds();
    if (FBuffer.empty()) FBufferSince = Now;
    FBuffer.append(Record);
    FFileSize += Record.size();
    if (FBuffer.size() >= BufferLimit || Now - FBufferSince >= WriteDelay) WriteBuffer();
  });
}

void TOrlimoLogWriter::Append(const TOrlimoMsgInfo& Info) {
  if (!FFile) return;
  BuildLogRecord(FRecord, Info);
  Append(std::string_view(FRecord));
}

bool TOrlimoLogWriter::Tick() {
  if (!FFile) return false;
  Guard([&] {
    const std::uint64_t Now = FClock.Milliseconds();
    if (!FBuffer.empty() && Now - FBufferSince >= WriteDelay) WriteBuffer();
    if (FUnflushed && Now - FLastFlush >= FlushInterval) FlushFile();
  });
  return !FBuffer.empty() || FUnflushed;
}
