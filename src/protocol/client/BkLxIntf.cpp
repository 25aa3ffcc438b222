// The sender: finding or starting the viewer, building and sending records.
#include "BkLxIntf.h"

#include <cstring>
#include <limits>

namespace {

// Record layout: 32-bit little-endian integers, then two fixed name fields.
constexpr std::size_t HeaderSize = 224;
constexpr std::size_t OffsetKind = 0;
constexpr std::size_t OffsetTickCount = 4;
constexpr std::size_t OffsetTextLen = 8;
constexpr std::size_t OffsetDetailsLen = 12;
constexpr std::size_t OffsetAppName = 16;
constexpr std::size_t OffsetTypeName = 144;
constexpr std::size_t AppNameMax = 127;  // of a 128-byte field, NUL-terminated
constexpr std::size_t TypeNameMax = 79;  // of an 80-byte field, NUL-terminated
constexpr std::size_t Trailer = 3;       // the NUL and two spare bytes
constexpr std::size_t CommandLineMax = 255;
constexpr std::size_t CaptionMax = 254;

void PutInt32(std::string& Out, std::size_t Offset, std::uint32_t Value) {
  for (int I = 0; I < 4; ++I) Out[Offset + static_cast<std::size_t>(I)] = static_cast<char>((Value >> (8 * I)) & 0xFF);
}

// An open registry key, closed when it goes.
class TBkLxKey {
public:
  TBkLxKey() = default;
  ~TBkLxKey() {
    if (FKey) ::RegCloseKey(FKey);
  }
  TBkLxKey(const TBkLxKey&) = delete;
  TBkLxKey& operator=(const TBkLxKey&) = delete;

  // View: 0 for the program's own registry view, or KEY_WOW64_32KEY / KEY_WOW64_64KEY.
  bool Open(HKEY Root, const char* Path, REGSAM View = 0) {
    return ::RegOpenKeyExA(Root, Path, 0, KEY_READ | View, &FKey) == ERROR_SUCCESS;
  }
  bool Create(HKEY Root, const char* Path) {
    return ::RegCreateKeyExA(Root, Path, 0, nullptr, REG_OPTION_NON_VOLATILE, KEY_READ, nullptr, &FKey, nullptr) ==
           ERROR_SUCCESS;
  }
  HKEY Get() const { return FKey; }

  // The string value Name, "" when it does not exist; EOrlimoRegistryException
  // when it is not a string. The text ends at its first NUL.
  std::string ReadString(const char* Name) const {
    DWORD Type = 0;
    DWORD Size = 0;
    LONG Rc = ::RegQueryValueExA(FKey, Name, nullptr, &Type, nullptr, &Size);
    if (Rc == ERROR_FILE_NOT_FOUND) return {};
    if (Rc != ERROR_SUCCESS || (Type != REG_SZ && Type != REG_EXPAND_SZ))
      throw EOrlimoRegistryException(std::string("Invalid data type for '") + Name + "'");
    std::string Value(Size, '\0');
    if (Size) {
      Rc = ::RegQueryValueExA(FKey, Name, nullptr, &Type, reinterpret_cast<BYTE*>(&Value[0]), &Size);
      if (Rc != ERROR_SUCCESS || (Type != REG_SZ && Type != REG_EXPAND_SZ))
        throw EOrlimoRegistryException(std::string("Invalid data type for '") + Name + "'");
      Value.resize(Size);
    }
    const std::size_t Nul = Value.find('\0');
    if (Nul != std::string::npos) Value.resize(Nul);
    return Value;
  }

private:
  HKEY FKey = nullptr;
};

// An integer text: leading blanks, an optional sign, then decimal digits or
// 0x and hexadecimal digits, nothing after. False when Text is not one or
// does not fit 32 bits.
bool ParseInteger(const std::string& Text, long long& Value) {
  std::size_t I = 0;
  while (I < Text.size() && (Text[I] == ' ' || Text[I] == '\t')) ++I;
  bool Negative = false;
  if (I < Text.size() && (Text[I] == '+' || Text[I] == '-')) Negative = Text[I++] == '-';
  int Base = 10;
  if (I + 1 < Text.size() && Text[I] == '0' && (Text[I + 1] == 'x' || Text[I + 1] == 'X')) {
    Base = 16;
    I += 2;
  }
  if (I == Text.size()) return false;
  long long V = 0;
  for (; I < Text.size(); ++I) {
    const char C = Text[I];
    int Digit;
    if (C >= '0' && C <= '9')
      Digit = C - '0';
    else if (Base == 16 && C >= 'a' && C <= 'f')
      Digit = C - 'a' + 10;
    else if (Base == 16 && C >= 'A' && C <= 'F')
      Digit = C - 'A' + 10;
    else
      return false;
    V = V * Base + Digit;
    if (V > 0xFFFFFFFFLL) return false;
  }
  // Hexadecimal texts may give all 32 bits; decimal ones must fit a signed integer.
  if (Base == 10 && V > (Negative ? 2147483648LL : 2147483647LL)) return false;
  Value = Negative ? -V : V;
  return true;
}

bool ReadByPass() {
  TBkLxKey Base;
  if (!Base.Create(HKEY_CURRENT_USER, BkLxClientKey)) return false;
  TBkLxKey Section;
  if (!Section.Open(Base.Get(), BkLxByPassSection)) return false;
  long long Value = 0;
  return ParseInteger(Section.ReadString(BkLxByPassValue), Value) && Value != 0;
}

// The viewer is a 32-bit program: its installer, and any 32-bit program, write
// HKEY_LOCAL_MACHINE\SOFTWARE in the 32-bit registry view, which a 64-bit
// client does not see without asking for it. That view first, then the
// program's own (the same view for a 32-bit client).
std::string ReadExePath() {
#ifdef _WIN64
  constexpr REGSAM Views[] = {KEY_WOW64_32KEY, 0};
#else
  constexpr REGSAM Views[] = {0};
#endif
  for (const REGSAM View : Views) {
    TBkLxKey Key;
    if (!Key.Open(HKEY_LOCAL_MACHINE, BkLxClientKey, View)) continue;
    std::string Value = Key.ReadString(BkLxExePathValue);
    if (!Value.empty()) return Value;
  }
  return {};
}

// A started process's handles, closed when it goes.
class TBkLxProcessInfo {
public:
  TBkLxProcessInfo() = default;
  ~TBkLxProcessInfo() {
    if (Info.hThread) ::CloseHandle(Info.hThread);
    if (Info.hProcess) ::CloseHandle(Info.hProcess);
  }
  TBkLxProcessInfo(const TBkLxProcessInfo&) = delete;
  TBkLxProcessInfo& operator=(const TBkLxProcessInfo&) = delete;
  PROCESS_INFORMATION Info{};
};

struct TBkLxWindowSearch {
  HWND Found = nullptr;
};

BOOL CALLBACK CheckStartedWindow(HWND Window, LPARAM Data) {
  if (::GetAncestor(Window, GA_PARENT) != ::GetDesktopWindow() || !::IsWindowVisible(Window)) return TRUE;
  char Caption[CaptionMax + 1] = {};
  if (::GetWindowTextA(Window, Caption, sizeof Caption) <= 0) return TRUE;
  if (std::strcmp(Caption, BkLxViewerCaption) != 0) return TRUE;
  reinterpret_cast<TBkLxWindowSearch*>(Data)->Found = Window;
  return FALSE;
}

}  // namespace

std::string BkLxBuildRecord(std::int32_t Kind, std::uint32_t TickCount, std::string_view Text, std::string_view Details,
                            std::string_view AppName, std::string_view TypeName) {
  // One final CR LF of the text is not sent.
  if (Text.size() >= 2 && Text.substr(Text.size() - 2) == "\r\n") Text.remove_suffix(2);
  constexpr std::size_t Limit = static_cast<std::size_t>((std::numeric_limits<std::int32_t>::max)());
  if (Text.size() > Limit || Details.size() > Limit || Text.size() + Details.size() > Limit - HeaderSize - Trailer)
    throw std::length_error("Orlimo message too long");
  std::string Record(HeaderSize + Text.size() + Details.size() + Trailer, '\0');
  PutInt32(Record, OffsetKind, static_cast<std::uint32_t>(Kind));
  PutInt32(Record, OffsetTickCount, TickCount);
  PutInt32(Record, OffsetTextLen, static_cast<std::uint32_t>(Text.size()));
  PutInt32(Record, OffsetDetailsLen, static_cast<std::uint32_t>(Details.size()));
  AppName = AppName.substr(0, AppNameMax);
  TypeName = TypeName.substr(0, TypeNameMax);
  Record.replace(OffsetAppName, AppName.size(), AppName.data(), AppName.size());
  Record.replace(OffsetTypeName, TypeName.size(), TypeName.data(), TypeName.size());
  Record.replace(HeaderSize, Text.size(), Text.data(), Text.size());
  Record.replace(HeaderSize + Text.size(), Details.size(), Details.data(), Details.size());
  return Record;
}

TBkLxSendResult BkLxSendRecordTo(HWND Window, std::int32_t Kind, const std::string& Record) {
  if (!Window) return TBkLxSendResult::NoWindow;
  COPYDATASTRUCT Data{};
  Data.dwData = static_cast<ULONG_PTR>(static_cast<std::uint32_t>(Kind));
  Data.cbData = static_cast<DWORD>(Record.size());
  Data.lpData = const_cast<char*>(Record.data());
  const LRESULT Reply = ::SendMessageA(Window, WM_COPYDATA, 0, reinterpret_cast<LPARAM>(&Data));
  return Reply == 1 ? TBkLxSendResult::Taken : TBkLxSendResult::NotTaken;
}

std::string BkLxExecutableName() {
  std::string Path(MAX_PATH, '\0');
  for (;;) {
    const DWORD N = ::GetModuleFileNameA(nullptr, &Path[0], static_cast<DWORD>(Path.size()));
    if (N == 0) return {};
    if (N < Path.size()) {
      Path.resize(N);
      break;
    }
    Path.resize(Path.size() * 2);  // cut: try a larger buffer
  }
  const std::size_t Slash = Path.find_last_of("\\/:");
  std::string Name = Slash == std::string::npos ? Path : Path.substr(Slash + 1);
  const std::size_t Dot = Name.rfind('.');
  if (Dot != std::string::npos) Name.resize(Dot);
  return Name;
}

HWND FindStartedViewerWindow(DWORD ThreadId) {
  TBkLxWindowSearch Search;
  ::EnumThreadWindows(ThreadId, CheckStartedWindow, reinterpret_cast<LPARAM>(&Search));
  return Search.Found;
}

TBkOrlimo::TBkOrlimo() : FByPassSatellite(ReadByPass()), FAppName(BkLxExecutableName()) {}

HWND TBkOrlimo::FindRunningViewerWindow() const {
  if (!FByPassSatellite) {
    if (HWND Window = ::FindWindowA(BkLxSatelliteClass, BkLxSatelliteCaption)) return Window;
  }
  return ::FindWindowA(BkLxViewerClass, BkLxViewerCaption);
}

HWND TBkOrlimo::FindViewerWindow() {
  if (HWND Window = FindRunningViewerWindow()) return Window;
  const std::string ExePath = ReadExePath();
  if (ExePath.empty()) return nullptr;
  HWND Window = nullptr;
  StartViewer(ExePath.c_str(), Window);
  return Window;
}

void TBkOrlimo::StartViewer(const char* CommandLine, HWND& Window) {
  Window = nullptr;
  std::string Line(CommandLine ? CommandLine : "");
  if (Line.size() > CommandLineMax) Line.resize(CommandLineMax);
  STARTUPINFOA Startup{};
  Startup.cb = sizeof Startup;
  Startup.dwFlags = STARTF_USESHOWWINDOW;
  Startup.wShowWindow = SW_SHOWNORMAL;
  TBkLxProcessInfo Process;
  // The viewer outlives the client: it inherits none of the client's handles
  // (an inherited pipe would keep whoever reads the client's output waiting).
  if (!::CreateProcessA(nullptr, &Line[0], nullptr, nullptr, FALSE, 0, nullptr, nullptr, &Startup, &Process.Info))
    throw EOrlimoException("Orlimo (32-bit) could not be started");
  // A viewer that does not become idle in time is not found this time.
  if (::WaitForInputIdle(Process.Info.hProcess, FStartWaitLimit) == WAIT_TIMEOUT) return;
  Window = FindStartedViewerWindow(Process.Info.dwThreadId);
}

TBkLxSendResult TBkOrlimo::SendRecord(std::int32_t Kind, const std::string& Record) {
  return BkLxSendRecordTo(FindViewerWindow(), Kind, Record);
}

TBkLxSendResult TBkOrlimo::SendMsgWithDetails(std::int32_t Kind, const char* Text, const char* Details,
                                              const std::string& TypeName) {
  const DWORD TickCount = ::GetTickCount();
  return SendRecord(Kind,
                    BkLxBuildRecord(Kind, TickCount, Text ? Text : "", Details ? Details : "", FAppName, TypeName));
}

TBkLxSendResult TBkOrlimo::SendMsg(std::int32_t Kind, const char* Text, const std::string& TypeName) {
  return SendMsgWithDetails(Kind, Text, "", TypeName);
}

TBkOrlimo& DefaultSender() {
  // Never destroyed: what threads and the unit leave unsent at their end goes
  // through it, in whatever order the program's end runs them.
  static TBkOrlimo* const Sender = new TBkOrlimo;
  return *Sender;
}
