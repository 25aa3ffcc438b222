// BkLxIntf: the sender a program under development contains to send its debug
// messages to the Orlimo viewer.
//
// Each message is one WM_COPYDATA record, sent synchronously to the receiving
// window: the IDE panel's satellite window first (unless ByPassSatellite), then
// the standalone viewer. When neither runs, the viewer is started through the
// command line in HKEY_LOCAL_MACHINE "SOFTWARE\Brunelk\Orlimo\1.1" "ExePath".
//
//   Orlimo::TMethod Scope("TInvoice.CalcTax");      // enter now, exit at scope end
//   Orlimo::Info("Rate table loaded");
//   Orlimo::Object("Customer", {{"Name", "Acme"}, {"City", "Springfield"}}, "TCustomer");
//   SenderText << "total = " << Total << std::endl;  // one Info message per line
//
// This folder is self-contained (plain C++17 and Win32, nothing else from the
// Orlimo sources): copy it into a program, or use its CMake targets.
//
// Threads: every send operation may be called from any thread; the calling
// thread waits until the viewer has handled the message (a viewer showing a
// modal dialog keeps it waiting).
#pragma once

#include <windows.h>

#include <cstdint>
#include <ostream>
#include <stdexcept>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

// Message kind codes (32-bit signed), shared with the viewer's own sources.
#ifndef ORLIMO_KIND_CODES
#define ORLIMO_KIND_CODES
inline constexpr std::int32_t lxmInfo = 0;
inline constexpr std::int32_t lxmWarning = 1;
inline constexpr std::int32_t lxmError = 2;
inline constexpr std::int32_t lxmCheckPoint = 3;
inline constexpr std::int32_t lxmObject = 4;
inline constexpr std::int32_t lxmStream = 5;
inline constexpr std::int32_t lxmStringList = 6;
inline constexpr std::int32_t lxmProperty = 7;
inline constexpr std::int32_t lxmNote = 8;
inline constexpr std::int32_t lxmEnterMethod = 9;
inline constexpr std::int32_t lxmExitMethod = 10;
inline constexpr std::int32_t lxmSeparator = 11;
inline constexpr std::int32_t lxmWakeUpSeparator = 12;
inline constexpr std::int32_t lxmClear = 13;
inline constexpr std::int32_t lxmScratchPad = 14;
inline constexpr std::int32_t lxmSaveLog = 15;
#endif

// The receiving windows, found by class name and caption.
inline constexpr char BkLxSatelliteClass[] = "TBkFrmLxSatellite";
inline constexpr char BkLxSatelliteCaption[] = "Orlimo Satellite Window";
inline constexpr char BkLxViewerClass[] = "TBkFrmOrlimo";
inline constexpr char BkLxViewerCaption[] = "Orlimo (32-bit)";

// The client's registry settings (string values).
inline constexpr char BkLxClientKey[] = "SOFTWARE\\Brunelk\\Orlimo\\1.1";  // HKCU and HKLM
inline constexpr char BkLxByPassSection[] = "CodeRush";                    // HKCU, below BkLxClientKey
inline constexpr char BkLxByPassValue[] = "ByPass";
inline constexpr char BkLxExePathValue[] = "ExePath";  // HKLM

// How long StartViewer waits at most for the started viewer to become idle.
inline constexpr DWORD BkLxDefaultStartWaitLimit = 30000;

// Raised when the viewer cannot be started ("Orlimo (32-bit) could not be started").
class EOrlimoException : public std::runtime_error {
public:
  explicit EOrlimoException(const std::string& Message) : std::runtime_error(Message) {}
};

// A "ByPass" or "ExePath" value that is not a string: "Invalid data type for '<name>'".
class EOrlimoRegistryException : public EOrlimoException {
public:
  using EOrlimoException::EOrlimoException;
};

// What became of one message.
enum class TBkLxSendResult {
  Taken,     // the receiving window replied 1
  NotTaken,  // the receiving window replied 0 (ignoring messages, or a bad command)
  NoWindow,  // no receiving window was found or started: the message is lost
};

// The wire record of one message (227 + N1 + N2 bytes): the 224-byte header,
// the text without one final CR LF (N1 bytes), the details (N2 bytes), a NUL
// and two spare zero bytes. The names are cut to 127 and 79 characters so that
// they stay NUL-terminated. std::length_error when the record would not fit
// 32-bit lengths.
std::string BkLxBuildRecord(std::int32_t Kind, std::uint32_t TickCount, std::string_view Text, std::string_view Details,
                            std::string_view AppName, std::string_view TypeName);

// Sends a record with SendMessage(WM_COPYDATA) to Window (dwData = Kind,
// cbData = the record's size) and waits for the reply. A null Window: NoWindow.
TBkLxSendResult BkLxSendRecordTo(HWND Window, std::int32_t Kind, const std::string& Record);

// The running program's executable file name without folder and extension.
std::string BkLxExecutableName();

// The viewer's main window among the top-level windows of one thread: the
// first that has no parent, is visible and is captioned "Orlimo (32-bit)";
// null when none is. Safe to call from several threads at once.
HWND FindStartedViewerWindow(DWORD ThreadId);

class TBkOrlimo {
public:
  // Reads HKEY_CURRENT_USER "SOFTWARE\Brunelk\Orlimo\1.1" (created when
  // missing), section "CodeRush", value "ByPass": a decimal or 0x-hexadecimal
  // integer, non-zero to bypass the satellite. EOrlimoRegistryException when
  // the value is not a string.
  TBkOrlimo();

  bool GetByPassSatellite() const { return FByPassSatellite; }
  void SetByPassSatellite(bool Value) { FByPassSatellite = Value; }

  // The application name sent with every message; the executable's name
  // unless set.
  const std::string& GetAppName() const { return FAppName; }
  void SetAppName(std::string Value) { FAppName = std::move(Value); }

  // Milliseconds StartViewer waits for the started viewer to become idle
  // (BkLxDefaultStartWaitLimit unless set). A viewer that is not idle by then
  // counts as not found: the message is lost and the next one tries again.
  DWORD GetStartWaitLimit() const { return FStartWaitLimit; }
  void SetStartWaitLimit(DWORD Value) { FStartWaitLimit = Value; }

  // The receiving window, looked up anew for every message: the satellite
  // (unless bypassed), else the standalone viewer, else the viewer started
  // through "ExePath" when that is set (read from the 32-bit registry view,
  // where the 32-bit viewer's setup writes it, then from the program's own).
  // Null when there is none.
  HWND FindViewerWindow();
  // The same without starting anything.
  HWND FindRunningViewerWindow() const;
  // Starts the viewer with CommandLine (cut to 255 characters) and waits until
  // it is idle; Window is then its main window, or null. EOrlimoException when
  // the program cannot be started.
  void StartViewer(const char* CommandLine, HWND& Window);

  // Sends one message: the tick count now, the text without one final CR LF,
  // the details, this sender's application name and TypeName. Null texts are
  // empty.
  TBkLxSendResult SendMsgWithDetails(std::int32_t Kind, const char* Text, const char* Details,
                                     const std::string& TypeName);
  TBkLxSendResult SendMsg(std::int32_t Kind, const char* Text, const std::string& TypeName);
  // Sends a record built by BkLxBuildRecord to the window FindViewerWindow gives.
  TBkLxSendResult SendRecord(std::int32_t Kind, const std::string& Record);

private:
  bool FByPassSatellite = false;
  std::string FAppName;
  DWORD FStartWaitLimit = BkLxDefaultStartWaitLimit;
};

// The program's sender, made at its first use (a wrong "ByPass" type then
// reaches that first caller, and the next use tries again) and kept to the
// program's end.
TBkOrlimo& DefaultSender();

// A text channel: each line written to it (ended by '\n', a CR before it
// dropped) and each full buffer of 128 characters goes to the viewer as one
// Info message through DefaultSender(); flushing sends what is buffered, and
// so do the end of the writing thread and the end of the program. Each
// thread has a buffer of its own, so the lines of two threads never mix.
// A failed send throws from the write (the stream is then bad until clear()).
extern std::ostream SenderText;
inline constexpr std::size_t BkLxSenderTextBuffer = 128;

// Short calls for the usual messages, each one SendMsgWithDetails of DefaultSender().
namespace Orlimo {

using TProperties = std::vector<std::pair<std::string, std::string>>;

void Info(const std::string& Text, const std::string& TypeName = {});
void Warning(const std::string& Text, const std::string& TypeName = {});
void Error(const std::string& Text, const std::string& TypeName = {});
void Note(const std::string& Text, const std::string& TypeName = {});
void CheckPoint();  // the viewer numbers it
void Separator();
// Properties become details lines "name<TAB>value".
void Object(const std::string& Text, const TProperties& Properties, const std::string& TypeName = {});
// Contents as the program formatted them (lines end at CR, LF or CR LF).
void Stream(const std::string& Text, const std::string& Contents, const std::string& TypeName = {});
void StringList(const std::string& Text, const std::vector<std::string>& Lines, const std::string& TypeName = {});
// Sets line 0..99 of the viewer's scratch pad.
void ScratchPad(int Line, const std::string& Text);
void Clear();
// The viewer saves its list as a log file under FileName (a path the viewer can reach).
void SaveLog(const std::string& FileName);

// Enter method now, exit method when the scope ends (also by an exception;
// a failure to send the exit is then dropped).
class TMethod {
public:
  explicit TMethod(std::string Name, std::string TypeName = {});
  ~TMethod();
  TMethod(const TMethod&) = delete;
  TMethod& operator=(const TMethod&) = delete;

private:
  std::string FName;
  std::string FTypeName;
};

}  // namespace Orlimo
