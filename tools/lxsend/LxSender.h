// The command-line sender's helpers, shared with the whole-program tests and
// the intake benchmark: kind names, escapes, the demonstration stream, the
// messages of a log file, and sending records exactly as given to a chosen
// window (tests send records no client would). Finding, starting and sending
// is the client sender's own code (protocol/client/BkLxIntf.h).
#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include <windows.h>

#include "protocol/client/BkLxIntf.h"

// Which receiving window a message goes to.
enum class TLxTarget {
  Main,       // "TBkFrmOrlimo" / "Orlimo (32-bit)"
  Satellite,  // "TBkFrmLxSatellite" / "Orlimo Satellite Window"
  Any,        // the satellite when it exists, else the main form (a client's order)
};

inline constexpr const char* LxMainClassName = BkLxViewerClass;
inline constexpr const char* LxMainCaption = BkLxViewerCaption;
inline constexpr const char* LxSatelliteClassName = BkLxSatelliteClass;
inline constexpr const char* LxSatelliteCaption = BkLxSatelliteCaption;

// The running receiving window of the target (nothing is started), null when
// there is none.
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

using TLxSendResult = TBkLxSendResult;

// Sends a record exactly as given (dwData = Kind, cbData = its size) with
// SendMessage(WM_COPYDATA) to the target's running window. Taken when the reply is 1.
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
