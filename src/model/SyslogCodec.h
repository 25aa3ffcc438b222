// Records as syslog messages (RFC 5424, framed per RFC 6587 over TCP) and
// syslog messages as records: the one encoder and the one decoder that the
// viewer's network listener and the relay share.
//
// The message of a record:
//   <PRI>1 TIMESTAMP HOSTNAME APP-NAME PROCID - [orlimo@32473 kind="K" app="A"
//   type="T" details="D"] TEXT LF
// PRI is facility user (1) with the severity of the kind (SyslogSeverity).
// The element's values are the record's own, converted from the ANSI code
// page to UTF-8, with `"`, `\` and `]` escaped by a backslash; APP-NAME is the
// application name made valid for other tools (SyslogAppName). MSG is the
// text in UTF-8 without a BOM (a relay's templates and filters treat a BOM as
// part of the text) followed by one LF: a relay drops a received message's
// final LF and its forwarding template adds one, so the decoder, which drops
// one final LF, gets the text exactly whether a relay was in between or not.
//
// Receiving: TSyslogSplitter cuts a TCP byte stream into messages, octet
// counted ("LEN SP MSG") or one per line (LF-terminated, as line-oriented
// senders and many relays send); a UDP datagram is one message as it is.
// ParseSyslogMessage reads RFC 5424 and, leniently, RFC 3164 lines.
//
// Nothing here calls the system: the ANSI code page conversion is handed in
// (TAnsiCodec; the platform layer has the system's, PortableAnsiCodec is
// Windows-1252 for tests and other systems).
#pragma once

#include <chrono>
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

// The ANSI code page conversion. FromUtf8 writes "?" for a character the code
// page lacks and for every byte of an invalid UTF-8 sequence.
struct TAnsiCodec {
  std::string (*ToUtf8)(std::string_view Ansi) = nullptr;
  std::string (*FromUtf8)(std::string_view Utf8) = nullptr;
};

// Windows-1252; the five bytes it leaves undefined map to U+0081, U+008D,
// U+008F, U+0090 and U+009D (as the system's conversion does), so every byte
// string goes to UTF-8 and back unchanged.
const TAnsiCodec& PortableAnsiCodec();

// The structured-data element's id (a private enterprise number form).
inline constexpr std::string_view SyslogElementId = "orlimo@32473";
// Facility of the messages sent: user-level messages.
inline constexpr int SyslogFacility = 1;
// A received message longer than this is cut to it (TSyslogSplitter).
inline constexpr std::size_t SyslogMaxMessage = std::size_t{64} * 1024;
// Appended to the text of a cut message.
inline constexpr std::string_view SyslogCutMark = " [cut at 64 KB]";
// RFC 5424's limits of the header fields.
inline constexpr std::size_t SyslogAppNameMax = 48;
inline constexpr std::size_t SyslogHostNameMax = 255;
inline constexpr std::size_t SyslogProcIdMax = 128;

// A record as the network carries it (ANSI strings, as in the list).
struct TSyslogRecord {
  std::int32_t Kind = 0;
  std::string AppName;
  std::string TypeName;
  std::string Text;
  std::string Details;
};

// The sender's part of the header. Empty fields are sent as "-".
struct TSyslogOrigin {
  std::string Timestamp;  // RFC 3339, for example SyslogTimestamp(now)
  std::string HostName;
  std::string ProcId;
};

// Severity of a kind: Error 3, Warning 4, Note 5, every other kind 6.
int SyslogSeverity(std::int32_t Kind);
// Kind of a severity: 0-3 Error, 4 Warning, 5-7 Info.
std::int32_t SyslogKind(int Severity);

// A header field made valid: only printable ASCII without spaces (others
// become "_"), at most Max characters, "-" when empty.
std::string SyslogHeaderField(std::string_view Value, std::size_t Max);
// APP-NAME of an application name (at most 48 characters).
inline std::string SyslogAppName(std::string_view AppName) { return SyslogHeaderField(AppName, SyslogAppNameMax); }

// RFC 3339 UTC time with milliseconds: "2026-12-09T16:23:23.123Z".
std::string SyslogTimestamp(std::chrono::system_clock::time_point Time);

// The message of a record (no framing).
std::string EncodeSyslogMessage(const TSyslogRecord& Record, const TSyslogOrigin& Origin, const TAnsiCodec& Codec);
// Octet-counting frame of a message (TCP): "LEN SP MSG". A UDP datagram is the
// message as it is.
std::string FrameSyslogOctetCounted(std::string_view Message);

// One message cut from a stream.
struct TSyslogFrame {
  std::string Message;
  bool Cut = false;  // longer than SyslogMaxMessage: the rest was dropped
};

// Cuts a TCP byte stream into messages. Feed takes bytes as they arrive, in
// chunks of any size, and appends each complete message to Out. A frame that
// begins with a digit is octet-counted; any other is a line ending at LF (a
// CR before it is dropped, empty lines are skipped). A message over
// SyslogMaxMessage bytes is cut to it and marked, the rest skipped. A length
// that is not a number of 1 to 9 digits followed by a space is malformed:
// counted, and the bytes up to the next LF skipped. Never throws on input.
class TSyslogSplitter {
public:
  void Feed(const char* Data, std::size_t Size, std::vector<TSyslogFrame>& Out);
  // Frames that could not be read (since construction).
  std::uint64_t Malformed() const { return FMalformed; }
  // True while part of a frame is held (a connection that closes now ends
  // inside a message).
  bool InFrame() const { return FState != TState::Start; }

private:
  enum class TState { Start, Length, Counted, Line, SkipCount, SkipLine };
  TState FState = TState::Start;
  std::string FBuffer;
  std::size_t FRemaining = 0;  // Counted/SkipCount: bytes still to come
  std::size_t FSkipAfter = 0;  // Counted: bytes beyond the cut, skipped after it
  std::string FDigits;
  bool FCut = false;
  std::uint64_t FMalformed = 0;
};

// A received message as a record.
struct TSyslogMessage {
  std::int32_t Kind = 0;
  std::string AppName;  // "HOSTNAME/" and the name, or the name
  std::string TypeName;
  std::string Text;
  std::string Details;
  bool FromElement = false;  // the orlimo element was there
};

// Reads one message. LocalHost is this computer's name: a HOSTNAME equal to it
// (ignoring case) or "-" adds no prefix. Cut marks the text as cut. False
// (Out unspecified) when the message is neither RFC 5424 nor a "<PRI>" line.
bool ParseSyslogMessage(std::string_view Message, std::string_view LocalHost, const TAnsiCodec& Codec,
                        TSyslogMessage& Out, bool Cut = false);
