#include "model/LogFile.h"

#include <algorithm>
#include <cerrno>
#include <cstdint>
#include <cstdio>
#include <cstring>
#include <vector>

#include "model/LogChunks.h"
#include "model/MsgList.h"

void WriteLog(const TOrlimoMsgList& List, TOrlimoLogSink& Sink) {
  std::string Buffer;
  const std::int32_t N = List.Count();
  const bool Forward = List.GetInsertAtEnd();
  for (std::int32_t I = 0; I < N; ++I) {
    BuildLogRecord(Buffer, List.GetItemMsgInfo(Forward ? I : N - 1 - I));
    if (Sink.Write(Buffer.data(), Buffer.size()) != Buffer.size()) throw EOrlimoWriteError();
  }
}

namespace {

// Records decoded from the bytes at hand, handed to the list in one call.
class TLoadBatch {
public:
  static constexpr std::size_t MaxRecords = 4096;
  TOrlimoRecord& Next() {
    FRecords.emplace_back();
    return FRecords.back();
  }
  void Drop() { FRecords.pop_back(); }
  bool FullBatch() const { return FRecords.size() >= MaxRecords; }
  bool Empty() const { return FRecords.empty(); }
  // Hands the records over; false when the list was full. Counts what was taken.
  bool Flush(TOrlimoMsgList& List, TLogLoadResult& Result) {
    const std::size_t Taken = List.LoadRecords(FRecords.data(), FRecords.size());
    for (std::size_t I = 0; I < Taken; ++I) Result.Offset += FRecords[I].Size;
    Result.Records += static_cast<std::int32_t>(Taken);
    const bool All = Taken == FRecords.size();
    FRecords.clear();
    if (!All) Result.Full = true;
    return All;
  }

private:
  std::vector<TOrlimoRecord> FRecords;
};

}  // namespace

TLogLoadResult ReadLog(TOrlimoMsgList& List, const void* Data, std::size_t Size) {
  TLogLoadResult Result;
  const auto* P = static_cast<const char*>(Data);
  std::size_t Offset = 0;
  TLoadBatch Batch;
  while (Offset < Size) {
    TOrlimoRecord& R = Batch.Next();
    const TRecordStatus S = DecodeRecord(P + Offset, Size - Offset, R);
    if (S != TRecordStatus::Ok) {
      Batch.Drop();
      Result.Stop = S;
      break;
    }
    Offset += R.Size;
    if (Batch.FullBatch() && !Batch.Flush(List, Result)) return Result;
  }
  if (!Batch.Empty() && !Batch.Flush(List, Result)) Result.Stop = TRecordStatus::Ok;  // full before the damage
  return Result;
}

namespace {

// The whole records of one chunk, decoded, and whether decoding stopped in it.
struct TDecodedChunk {
  std::vector<TOrlimoRecord> Records;
  TRecordStatus Stop = TRecordStatus::Ok;  // damage found here, or what the bytes at the end were
  bool Last = false;                       // nothing comes after this chunk's records
  std::vector<char> Aside;                 // a record put together outside the chunk's buffer
};

// Cuts the chunks into records as they are read (on the reading thread when
// the source is read ahead, so that the loader only builds the list). A
// record that spans chunks is put together in front of the next chunk, or
// aside when it does not fit there (never more memory than the bytes that
// really come, whatever its header claims).
class TLogDecoder : public TLogChunkWork {
public:
  explicit TLogDecoder(std::size_t Buffers) : FChunks(Buffers) {}
  TDecodedChunk& Decoded(std::size_t Buffer) { return FChunks[Buffer]; }

  void Prepare(const TLogChunk& C) override {
    TDecodedChunk& D = FChunks[C.Buffer];
    D.Records.clear();
    D.Stop = TRecordStatus::Ok;
    D.Last = FStopped;
    if (FStopped) return;
    const bool Eof = C.Size == 0;
    const char* P = C.Data;
    std::size_t Avail = C.Size;
    bool FromPending = false;
    if (!FPending.empty()) {
      if (FPending.size() <= TLogChunks::Reserve && C.Size >= FPending.size()) {
        // Usually: the record's start goes in front of the chunk.
        char* Start = C.Data - FPending.size();
        std::memcpy(Start, FPending.data(), FPending.size());
        P = Start;
        Avail += FPending.size();
        FPending.clear();
      } else {
        // A record larger than the room, or chunks smaller than it.
        FPending.insert(FPending.end(), C.Data, C.Data + C.Size);
        P = FPending.data();
        Avail = FPending.size();
        FromPending = true;
      }
    }
    std::size_t Used = 0;
    while (Avail - Used >= OrlimoHeaderSize) {
      const char* R0 = P + Used;
      const auto* H = reinterpret_cast<const unsigned char*>(R0);
      const std::int32_t N1 = ReadInt32LE(H + OrlimoOffsetTextLen);
      const std::int32_t N2 = ReadInt32LE(H + OrlimoOffsetDetailsLen);
      if (N1 < 0 || N2 < 0) {
        D.Stop = TRecordStatus::NegativeLength;
        break;
      }
      const std::uint64_t Body = static_cast<std::uint64_t>(OrlimoHeaderSize) + static_cast<std::uint64_t>(N1) +
                                 static_cast<std::uint64_t>(N2);
      // Decide only when the final NUL is here too, or nothing more comes.
      const std::size_t Left = Avail - Used;
      if (!(Left > Body || (Eof && Left == Body))) break;
      D.Records.emplace_back();
      DecodeRecord(R0, Left, D.Records.back());
      Used += D.Records.back().Size;
    }
    if (Eof && D.Stop == TRecordStatus::Ok && Avail != Used) {
      TOrlimoRecord Tail;
      D.Stop = DecodeRecord(P + Used, Avail - Used, Tail);
    }
    if (Eof || D.Stop != TRecordStatus::Ok) {
      D.Last = FStopped = true;
      if (FromPending) FPending.swap(D.Aside);  // the records point into it
      return;
    }
    if (!FromPending) {
      FPending.assign(P + Used, P + Avail);
    } else if (Used > 0) {
      // The records point into what was put together: it goes with them.
      FPending.swap(D.Aside);
      FPending.assign(D.Aside.begin() + static_cast<std::ptrdiff_t>(Used), D.Aside.end());
    }
  }

private:
  std::vector<TDecodedChunk> FChunks;  // one per buffer
  std::vector<char> FPending;          // the start of a record not yet whole
  bool FStopped = false;
};

}  // namespace

TLogLoadResult ReadLog(TOrlimoMsgList& List, TOrlimoLogSource& Source, std::size_t ChunkSize) {
  TLogLoadResult Result;
  TLogDecoder Decoder(TLogChunks::BufferCount(Source));
  TLogChunks Chunks(Source, ChunkSize, &Decoder);
  for (;;) {
    const TLogChunk C = Chunks.Next();
    const TDecodedChunk& D = Decoder.Decoded(C.Buffer);
    if (!D.Records.empty()) {
      const std::size_t Taken = List.LoadRecords(D.Records.data(), D.Records.size());
      for (std::size_t I = 0; I < Taken; ++I) Result.Offset += D.Records[I].Size;
      Result.Records += static_cast<std::int32_t>(Taken);
      if (Taken != D.Records.size()) {
        Result.Full = true;  // full before any damage
        return Result;
      }
    }
    Result.Stop = D.Stop;
    if (D.Last) break;
  }
  return Result;
}

std::string LogLoadReport(const TLogLoadResult& Result, std::string_view FileName) {
  if (!Result.Skipped()) return {};
  std::string Text = "The log file \"";
  Text += FileName;
  Text += "\" is damaged. ";
  Text += std::to_string(Result.Records);
  Text += Result.Records == 1 ? " record was read; the rest of the file, from byte "
                              : " records were read; the rest of the file, from byte ";
  Text += std::to_string(Result.Offset);
  Text += " on, was skipped (";
  switch (Result.Stop) {
    case TRecordStatus::TooShort: Text += "the file ends inside a record header"; break;
    case TRecordStatus::NegativeLength: Text += "a record declares a negative length"; break;
    default: Text += "the file ends inside a record"; break;
  }
  Text += ").";
  return Text;
}

namespace {

bool IsSlash(char C) { return C == '\\' || C == '/'; }

bool SameLetters(std::string_view A, std::string_view B) {
  if (A.size() != B.size()) return false;
  for (std::size_t I = 0; I < A.size(); ++I) {
    const auto Up = [](char C) { return C >= 'a' && C <= 'z' ? static_cast<char>(C - 'a' + 'A') : C; };
    if (Up(A[I]) != Up(B[I])) return false;
  }
  return true;
}

}  // namespace

bool IsDeviceFileName(std::string_view Name) {
  // \\.\ and \\?\ (the device and raw namespaces), \??\ (the object manager's).
  if (Name.size() >= 4 && IsSlash(Name[0]) && IsSlash(Name[3]) &&
      ((IsSlash(Name[1]) && (Name[2] == '.' || Name[2] == '?')) || (Name[1] == '?' && Name[2] == '?')))
    return true;
  // \\server\pipe\... and \\server\mailslot\...
  if (Name.size() > 2 && IsSlash(Name[0]) && IsSlash(Name[1])) {
    std::size_t From = 2;
    while (From < Name.size() && !IsSlash(Name[From])) ++From;
    std::size_t To = From + 1;
    while (To < Name.size() && !IsSlash(Name[To])) ++To;
    if (From < Name.size()) {
      const std::string_view Share = Name.substr(From + 1, To - From - 1);
      if (SameLetters(Share, "pipe") || SameLetters(Share, "mailslot")) return true;
    }
  }
  // The last part of the name without its extension (a device is a device in
  // any folder and with any extension; trailing blanks and colons do not count).
  while (!Name.empty() && (Name.back() == ':' || Name.back() == ' ')) Name.remove_suffix(1);
  const std::size_t Sep = Name.find_last_of("\\/:");
  std::string_view Base = Sep == std::string_view::npos ? Name : Name.substr(Sep + 1);
  Base = Base.substr(0, Base.find('.'));
  while (!Base.empty() && Base.back() == ' ') Base.remove_suffix(1);
  for (const char* Device : {"CON", "PRN", "AUX", "NUL", "CONIN$", "CONOUT$"})
    if (SameLetters(Base, Device)) return true;
  if (Base.size() == 4 && (SameLetters(Base.substr(0, 3), "COM") || SameLetters(Base.substr(0, 3), "LPT"))) {
    const char N = Base[3];
    // The digits, and the superscripts one to three of the ANSI code page.
    if ((N >= '0' && N <= '9') || N == '\xB9' || N == '\xB2' || N == '\xB3') return true;
  }
  return false;
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

class TFileSource : public TOrlimoLogSource {
public:
  explicit TFileSource(std::FILE* F) : FFile(F) {}
  std::size_t Read(void* Data, std::size_t Size) override {
    const std::size_t Got = std::fread(Data, 1, Size, FFile);
    if (Got < Size && std::ferror(FFile)) throw EOrlimoFileError("Cannot read log file");
    return Got;
  }
  bool ReadsAhead() const override { return true; }

private:
  std::FILE* FFile;
};

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
  // The size as 64 bits: long has 32 on Windows, and logs pass 2 GB.
#ifdef _WIN32
  const bool Sought = _fseeki64(File.F, 0, SEEK_END) == 0;
  const long long End = Sought ? _ftelli64(File.F) : -1;
  const bool Back = End >= 0 && _fseeki64(File.F, 0, SEEK_SET) == 0;
#else
  const bool Sought = fseeko(File.F, 0, SEEK_END) == 0;
  const long long End = Sought ? static_cast<long long>(ftello(File.F)) : -1;
  const bool Back = End >= 0 && fseeko(File.F, 0, SEEK_SET) == 0;
#endif
  if (!Back || static_cast<unsigned long long>(End) > SIZE_MAX)
    throw EOrlimoFileError(FileError("Cannot read file", FileName, errno));
  Bytes.Size = static_cast<std::size_t>(End);
  Bytes.Data = std::make_unique_for_overwrite<char[]>(Bytes.Size ? Bytes.Size : 1);
  // In pieces: one read of a gigabyte or more fails in some runtimes.
  constexpr std::size_t Piece = 64u << 20;
  for (std::size_t Done = 0; Done < Bytes.Size;) {
    const std::size_t Want = std::min(Piece, Bytes.Size - Done);
    const std::size_t Got = std::fread(Bytes.Data.get() + Done, 1, Want, File.F);
    Done += Got;
    if (Got != Want) throw EOrlimoFileError(FileError("Cannot read file", FileName, errno));
  }
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
  TFile File;
  File.F = std::fopen(FileName.c_str(), "rb");
  if (!File.F) throw EOrlimoFileError(FileError("Cannot open file", FileName, errno));
  std::setvbuf(File.F, nullptr, _IONBF, 0);  // straight into the chunk buffer
  TFileSource Source(File.F);
  return ReadLog(List, Source);
}

void SaveTextExport(TOrlimoMsgList& List, const std::string& FileName, std::string_view HeaderFormat,
                    std::string_view DateText, const TExportOptions& Options) {
  WriteFileBytes(FileName, BuildTextExport(List, HeaderFormat, DateText, Options));
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
