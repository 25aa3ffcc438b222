// The message record on the wire (WM_COPYDATA) and in log files.
//
// Layout, all integers 32-bit little-endian whatever the machine:
//   0   Kind        4
//   4   TickCount   4
//   8   TextLen     4   (N1)
//   12  DetailsLen  4   (N2)
//   16  AppName     128 NUL-terminated when shorter
//   144 TypeName    80  NUL-terminated when shorter
//   224 Text        N1
//   224+N1 Details  N2
//   224+N1+N2       one NUL
// A client sends 227 + N1 + N2 bytes (two spare zero bytes); a log record is
// 225 + N1 + N2 bytes, zero-filled, its details lines each ending in CR LF.
//
// Decoding never reads outside the bytes given: a record shorter than the
// header, with negative lengths or with text and details reaching past the
// bytes that arrived is rejected with the reason. The final NUL is not
// required: text and details within the bytes are enough.
#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

class TOrlimoMsgInfo;

inline constexpr std::size_t OrlimoHeaderSize = 224;
inline constexpr std::size_t OrlimoOffsetKind = 0;
inline constexpr std::size_t OrlimoOffsetTickCount = 4;
inline constexpr std::size_t OrlimoOffsetTextLen = 8;
inline constexpr std::size_t OrlimoOffsetDetailsLen = 12;
inline constexpr std::size_t OrlimoOffsetAppName = 16;
inline constexpr std::size_t OrlimoOffsetTypeName = 144;
inline constexpr std::size_t OrlimoAppNameField = 128;
inline constexpr std::size_t OrlimoTypeNameField = 80;
// Bytes a client sends beyond header, text and details (the NUL and two spare bytes).
inline constexpr std::size_t OrlimoClientTrailer = 3;

enum class TRecordStatus {
  Ok,
  TooShort,        // fewer bytes than the 224-byte header
  NegativeLength,  // TextLen or DetailsLen below 0
  PastEnd,         // text and details reach past the bytes that arrived
};

// A short English reason, for reports and tests.
const char* RecordStatusText(TRecordStatus Status);

// A decoded record. The string views point into the bytes that were decoded
// and are valid as long as those bytes are.
struct TOrlimoRecord {
  std::int32_t Kind = 0;
  std::int32_t TickCount = 0;
  std::int32_t TextLen = 0;     // as declared in the header
  std::int32_t DetailsLen = 0;  // as declared in the header
  std::string_view Text;        // first TextLen bytes after the header, cut at a NUL
  std::string_view Details;     // next DetailsLen bytes, cut at a NUL (always present)
  std::string_view AppName;     // up to the first NUL or 128 bytes
  std::string_view TypeName;    // up to the first NUL or 80 bytes
  // Bytes the record occupies: 225 + N1 + N2, or 224 + N1 + N2 when the bytes
  // end before the final NUL. A log reader continues at this offset.
  std::size_t Size = 0;
};

// Decodes the record at Data, of which Size bytes really arrived.
TRecordStatus DecodeRecord(const void* Data, std::size_t Size, TOrlimoRecord& Out);

// Little-endian 32-bit field access.
inline std::int32_t ReadInt32LE(const unsigned char* P) {
  const std::uint32_t V = static_cast<std::uint32_t>(P[0]) | (static_cast<std::uint32_t>(P[1]) << 8) |
                          (static_cast<std::uint32_t>(P[2]) << 16) | (static_cast<std::uint32_t>(P[3]) << 24);
  return static_cast<std::int32_t>(V);
}
void WriteInt32LE(unsigned char* P, std::int32_t V);

// Encodes a record into Out (replacing its contents): the header, the text,
// the details as given, the NUL, then Trailer - 1 more zero bytes. Every byte
// not written by a field is zero. Names longer than their field are cut to it.
// Throws std::length_error when a length does not fit 32-bit signed.
void EncodeRecord(std::string& Out, std::int32_t Kind, std::int32_t TickCount, std::string_view Text,
                  std::string_view Details, std::string_view AppName, std::string_view TypeName,
                  std::size_t Trailer = 1);

// The record a client sends (227 + N1 + N2 bytes), with the details text as
// the client formatted it.
std::string BuildClientRecord(std::int32_t Kind, std::int32_t TickCount, std::string_view Text,
                              std::string_view Details, std::string_view AppName, std::string_view TypeName);

// The log record of a list item (225 + N1 + N2 bytes): the record's kind, tick
// count and names, the item's text, and its details lines each followed by
// CR LF (N2 = 0 without details or with no lines). Out is reused as buffer.
void BuildLogRecord(std::string& Out, const TOrlimoMsgInfo& Info);
