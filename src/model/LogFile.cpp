#include "LogFile.h"

#include <cerrno>
#include <cstdio>
#include <cstring>

#include "MsgList.h"

void WriteLog(const TOrlimoMsgList& List, TOrlimoLogSink& Sink) {
  std::string Buffer;
  const std::int32_t N = List.Count();
  const bool Forward = List.GetInsertAtEnd();
  for (std::int32_t I = 0; I < N; ++I) {
    BuildLogRecord(Buffer, List.GetItemMsgInfo(Forward ? I : N - 1 - I));
    if (Sink.Write(Buffer.data(), Buffer.size()) != Buffer.size()) throw EOrlimoWriteError();
  }
}

TLogLoadResult ReadLog(TOrlimoMsgList& List, const void* Data, std::size_t Size) {
  TLogLoadResult Result;
  const auto* P = static_cast<const char*>(Data);
  std::size_t Offset = 0;
  TOrlimoRecord R;
  while (Offset < Size) {
    const TRecordStatus S = DecodeRecord(P + Offset, Size - Offset, R);
    if (S != TRecordStatus::Ok) {
      Result.Stop = S;
      break;
    }
    List.ProcessMessage(R);
    ++Result.Records;
    Offset += R.Size;
  }
  Result.Offset = Offset;
  return Result;
}

namespace {

struct TFile {
  std::FILE* F = nullptr;
  ~TFile() {
    if (F) std::fclose(F);
  }
};

std::string FileError(const char* What, const std::string& FileName, int Err) {
  return std::string(What) + " \"" + FileName + "\": " + std::strerror(Err);
}

class TFileSink : public TOrlimoLogSink {
public:
  explicit TFileSink(std::FILE* F) : FFile(F) {}
  std::size_t Write(const void* Data, std::size_t Size) override { return std::fwrite(Data, 1, Size, FFile); }

private:
  std::FILE* FFile;
};

}  // namespace

TFileBytes ReadFileBytes(const std::string& FileName) {
  TFile File;
  File.F = std::fopen(FileName.c_str(), "rb");
  if (!File.F) throw EOrlimoFileError(FileError("Cannot open file", FileName, errno));
  TFileBytes Bytes;
  if (std::fseek(File.F, 0, SEEK_END) != 0) throw EOrlimoFileError(FileError("Cannot read file", FileName, errno));
  const long End = std::ftell(File.F);
  if (End < 0 || std::fseek(File.F, 0, SEEK_SET) != 0)
    throw EOrlimoFileError(FileError("Cannot read file", FileName, errno));
  Bytes.Size = static_cast<std::size_t>(End);
  Bytes.Data = std::make_unique_for_overwrite<char[]>(Bytes.Size ? Bytes.Size : 1);
  if (std::fread(Bytes.Data.get(), 1, Bytes.Size, File.F) != Bytes.Size)
    throw EOrlimoFileError(FileError("Cannot read file", FileName, errno));
  return Bytes;
}

void SaveLogFile(const TOrlimoMsgList& List, const std::string& FileName) {
  TFile File;
  File.F = std::fopen(FileName.c_str(), "wb");
  if (!File.F) throw EOrlimoFileError(FileError("Cannot create file", FileName, errno));
  std::setvbuf(File.F, nullptr, _IOFBF, 1 << 20);
  TFileSink Sink(File.F);
  WriteLog(List, Sink);
  std::FILE* F = File.F;
  File.F = nullptr;
  if (std::fclose(F) != 0) throw EOrlimoWriteError();  // buffered bytes that did not reach the file
}

TLogLoadResult LoadLogFile(TOrlimoMsgList& List, const std::string& FileName) {
  const TFileBytes Bytes = ReadFileBytes(FileName);
  return ReadLog(List, Bytes.Data.get(), Bytes.Size);
}

void WriteFileBytes(const std::string& FileName, std::string_view Bytes) {
  TFile File;
  File.F = std::fopen(FileName.c_str(), "wb");
  if (!File.F) throw EOrlimoFileError(FileError("Cannot create file", FileName, errno));
  const bool Ok = std::fwrite(Bytes.data(), 1, Bytes.size(), File.F) == Bytes.size();
  std::FILE* F = File.F;
  File.F = nullptr;
  if (std::fclose(F) != 0 || !Ok) throw EOrlimoFileError(FileError("Cannot write file", FileName, errno));
}
