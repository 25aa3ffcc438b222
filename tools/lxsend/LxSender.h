// Sending wire records to a running viewer, for the command-line sender, the
// whole-program tests and the intake benchmark. The records are built by the
// model's codec; the window is looked up with FindWindow before every message,
// as a client does.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include <windows.h>

// Which receiving window a message goes to.
enum class TLxTarget {
  Main,       // "TBkFrmOrlimo" / "Orlimo (32-bit)"
  Satellite,  // "TBkFrmLxSatellite" / "Orlimo Satellite Window"
  Any,        // the satellite when it exists, else the main form (a client's order)
};

inline constexpr char LxMainClassName[] = "TBkFrmOrlimo";
inline constexpr char LxMainCaption[] = "Orlimo (32-bit)";
inline constexpr char LxSatelliteClassName[] = "TBkFrmLxSatellite";
inline constexpr char LxSatelliteCaption[] = "Orlimo Satellite Window";

HWND LxFindTarget(TLxTarget Target);

// One message as a client sends it.
struct TLxMessage {
  std::int32_t Kind = 0;
  std::int32_t TickCount = 0;
  std::string Text;
  std::string Details;
  std::string AppName;
  std::string TypeName;
};

enum class TLxSendResult { Taken, NotTaken, NoWindow };

// Builds the client record (227 + N1 + N2 bytes) and sends it with
// SendMessage(WM_COPYDATA) to the window found now. Taken when the reply is 1.
TLxSendResult LxSend(TLxTarget Target, const TLxMessage& Msg);
// The same with a record already built (dwData = Kind, cbData = its size).
TLxSendResult LxSendRecord(TLxTarget Target, std::int32_t Kind, const std::string& Record);
// Sends a record to a window already found (null: NoWindow).
TLxSendResult LxSendRecordTo(HWND Window, std::int32_t Kind, const std::string& Record);

// Kind codes by name ("info", "warning", ... "savelog") or as a decimal
// number. False when Text is neither.
bool LxParseKind(std::string_view Text, std::int32_t& Kind);
// The name LxParseKind takes for a kind 0..15, else the number.
std::string LxKindName(std::int32_t Kind);

// Resolves the C escapes \n \r \t \\ in Text.
std::string LxUnescape(std::string_view Text);

// The demonstration stream: every kind at least once, two applications,
// nested methods, details of objects, streams and string lists, scratch-pad
// lines. Tick counts run from StartTick in steps of tens to hundreds of ms.
std::vector<TLxMessage> LxDemoStream(std::int32_t StartTick);

// The messages of a log file's bytes (record after record, kind from each
// record's Kind field), stopping at the first record that is not whole.
std::vector<TLxMessage> LxMessagesFromLog(std::string_view Bytes);
