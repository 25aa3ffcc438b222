#include "model/OrlimoRecord.h"

#include <bit>
#include <cstring>
#include <limits>
#include <stdexcept>

#include "model/OrlimoMsg.h"
#include "model/ZeroBytes.h"

namespace {

// The bytes of a field up to its first NUL. Names and most texts are short:
// their first bytes are searched a word at a time, inline (a library memchr
// call costs more than the search itself there, and some runtimes search byte
// by byte); what is left of a long text goes to memchr.
std::string_view Field(const unsigned char* P, std::size_t Width) {
  const char* S = reinterpret_cast<const char*>(P);
  std::size_t I = 0;
  if constexpr (std::endian::native == std::endian::little) {
    constexpr std::size_t Inline = 64;
    const std::size_t Words = (Width < Inline ? Width : Inline) / 8;
    for (std::size_t W = 0; W < Words; ++W, I += 8) {
      std::uint64_t V;
      std::memcpy(&V, P + I, 8);
      const std::uint64_t Zero = ZeroBytes(V);
      if (Zero) return std::string_view(S, I + static_cast<std::size_t>(std::countr_zero(Zero)) / 8);
    }
  }
  const void* Z = Width > I ? std::memchr(S + I, 0, Width - I) : nullptr;
  return std::string_view(S, Z ? static_cast<std::size_t>(static_cast<const char*>(Z) - S) : Width);
}

void PutField(unsigned char* P, std::size_t Width, std::string_view S) {
  const std::size_t N = S.size() < Width ? S.size() : Width;
  if (N) std::memcpy(P, S.data(), N);
}

std::int32_t CheckedLength(std::size_t N) {
  if (N > static_cast<std::size_t>(std::numeric_limits<std::int32_t>::max()))
    throw std::length_error("record text too long");
  return static_cast<std::int32_t>(N);
}

}  // namespace

const char* RecordStatusText(TRecordStatus Status) {
  switch (Status) {
    case TRecordStatus::Ok: return "ok";
    case TRecordStatus::TooShort: return "record shorter than its 224-byte header";
    case TRecordStatus::NegativeLength: return "negative text or details length";
    case TRecordStatus::PastEnd: return "text and details reach past the end of the record";
  }
  return "unknown";
}

void WriteInt32LE(unsigned char* P, std::int32_t V) {
  const auto U = static_cast<std::uint32_t>(V);
  P[0] = static_cast<unsigned char>(U);
  P[1] = static_cast<unsigned char>(U >> 8);
  P[2] = static_cast<unsigned char>(U >> 16);
  P[3] = static_cast<unsigned char>(U >> 24);
}

TRecordStatus DecodeRecord(const void* Data, std::size_t Size, TOrlimoRecord& Out) {
  if (Data == nullptr || Size < OrlimoHeaderSize) return TRecordStatus::TooShort;
  const auto* P = static_cast<const unsigned char*>(Data);
  const std::int32_t N1 = ReadInt32LE(P + OrlimoOffsetTextLen);
  const std::int32_t N2 = ReadInt32LE(P + OrlimoOffsetDetailsLen);
  if (N1 < 0 || N2 < 0) return TRecordStatus::NegativeLength;
  // 64-bit sum: on a 32-bit machine 224 + N1 + N2 can exceed size_t.
  const std::uint64_t Body =
      static_cast<std::uint64_t>(OrlimoHeaderSize) + static_cast<std::uint64_t>(N1) + static_cast<std::uint64_t>(N2);
  if (Body > Size) return TRecordStatus::PastEnd;

  Out.Kind = ReadInt32LE(P + OrlimoOffsetKind);
  Out.TickCount = ReadInt32LE(P + OrlimoOffsetTickCount);
  Out.TextLen = N1;
  Out.DetailsLen = N2;
  Out.AppName = Field(P + OrlimoOffsetAppName, OrlimoAppNameField);
  Out.TypeName = Field(P + OrlimoOffsetTypeName, OrlimoTypeNameField);
  const auto* Text = P + OrlimoHeaderSize;
  Out.Text = Field(Text, static_cast<std::size_t>(N1));
  Out.Details = Field(Text + N1, static_cast<std::size_t>(N2));
  const auto Whole = static_cast<std::size_t>(Body);
  Out.Size = Whole < Size ? Whole + 1 : Whole;
  return TRecordStatus::Ok;
}

void EncodeRecord(std::string& Out, std::int32_t Kind, std::int32_t TickCount, std::string_view Text,
                  std::string_view Details, std::string_view AppName, std::string_view TypeName, std::size_t Trailer) {
  const std::int32_t N1 = CheckedLength(Text.size());
  const std::int32_t N2 = CheckedLength(Details.size());
  CheckedLength(Text.size() + Details.size() + OrlimoHeaderSize + Trailer);
  Out.assign(OrlimoHeaderSize + Text.size() + Details.size() + Trailer, '\0');
  auto* P = reinterpret_cast<unsigned char*>(Out.data());
  WriteInt32LE(P + OrlimoOffsetKind, Kind);
  WriteInt32LE(P + OrlimoOffsetTickCount, TickCount);
  WriteInt32LE(P + OrlimoOffsetTextLen, N1);
  WriteInt32LE(P + OrlimoOffsetDetailsLen, N2);
  PutField(P + OrlimoOffsetAppName, OrlimoAppNameField, AppName);
  PutField(P + OrlimoOffsetTypeName, OrlimoTypeNameField, TypeName);
  if (!Text.empty()) std::memcpy(P + OrlimoHeaderSize, Text.data(), Text.size());
  if (!Details.empty()) std::memcpy(P + OrlimoHeaderSize + Text.size(), Details.data(), Details.size());
}

std::string BuildClientRecord(std::int32_t Kind, std::int32_t TickCount, std::string_view Text,
                              std::string_view Details, std::string_view AppName, std::string_view TypeName) {
  std::string R;
  EncodeRecord(R, Kind, TickCount, Text, Details, AppName, TypeName, OrlimoClientTrailer);
  return R;
}

void BuildLogRecord(std::string& Out, const TOrlimoMsgInfo& Info) {
  const std::string_view Text = Info.Text();
  const TOrlimoDetails D = Info.Details();
  // Stored lines end in '\n'; the file has CR LF: one extra byte per line.
  const std::size_t Lines = static_cast<std::size_t>(D.Count());
  const std::size_t N2 = D.Raw().size() + Lines;
  const std::int32_t N1 = CheckedLength(Text.size());
  CheckedLength(OrlimoHeaderSize + Text.size() + N2 + 1);
  Out.assign(OrlimoHeaderSize + Text.size() + N2 + 1, '\0');
  auto* P = reinterpret_cast<unsigned char*>(Out.data());
  WriteInt32LE(P + OrlimoOffsetKind, Info.MsgType());
  WriteInt32LE(P + OrlimoOffsetTickCount, Info.TickCount());
  WriteInt32LE(P + OrlimoOffsetTextLen, N1);
  WriteInt32LE(P + OrlimoOffsetDetailsLen, static_cast<std::int32_t>(N2));
  PutField(P + OrlimoOffsetAppName, OrlimoAppNameField, Info.AppName());
  PutField(P + OrlimoOffsetTypeName, OrlimoTypeNameField, Info.TypeName());
  char* W = Out.data() + OrlimoHeaderSize;
  if (!Text.empty()) std::memcpy(W, Text.data(), Text.size());
  W += Text.size();
  for (const char C : D.Raw()) {
    if (C == '\n') *W++ = '\r';
    *W++ = C;
  }
}
