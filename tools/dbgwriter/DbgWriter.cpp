// dbgwriter: writes debug output, for the capture's tests and benchmark.
//
//   dbgwriter [options] [text ...]
//     each text is one OutputDebugStringA call ("\n" in a text is a line end)
//     -w          the texts after it go through OutputDebugStringW
//     -a          back to OutputDebugStringA
//     -n COUNT    COUNT calls, each "<tag> <i>\n" with i from 0 (after the texts)
//     -t TAG      the tag of -n's lines (default "line")
//     -g EVENT    waits for the named event before writing (several writers start together)
//     -e EVENT    waits for the named event after writing, before it ends
//     -s CLASS    sends one Info message "<tag> sent" by WM_COPYDATA to the window of CLASS first
//     -c PREFIX   writes into the channel whose names start with PREFIX (for example "Global\")
//                 itself, as OutputDebugString does with the session's: waits for the buffer,
//                 writes its process id and the text, signals the write; no reader, no wait
// The exit code is 0, or 2 when a wait failed.
#include <windows.h>

#include <cstdlib>
#include <cstring>
#include <memory>
#include <string>

#include "model/OrlimoMsg.h"
#include "model/OrlimoRecord.h"

namespace {

std::string Unescape(const char* Arg) {
  std::string S;
  for (const char* P = Arg; *P; ++P) {
    if (P[0] == '\\' && P[1] == 'n') {
      S += '\n';
      ++P;
    } else if (P[0] == '\\' && P[1] == 'r') {
      S += '\r';
      ++P;
    } else {
      S += *P;
    }
  }
  return S;
}

// A channel written directly (the -c option).
class TChannel {
public:
  explicit TChannel(const std::string& Prefix) : FPrefix(Prefix) {}
  ~TChannel() { Close(); }
  TChannel(const TChannel&) = delete;
  TChannel& operator=(const TChannel&) = delete;

  void Write(const std::string& Text) {
    // Opened for each write, as OutputDebugString does: a reader may come or go.
    if (!Open()) return;
    if (WaitForSingleObject(FBufferReady, 10000) == WAIT_OBJECT_0) {
      const DWORD Pid = GetCurrentProcessId();
      std::memcpy(FView, &Pid, sizeof Pid);
      const std::size_t Length = Text.size() < Size - sizeof Pid - 1 ? Text.size() : Size - sizeof Pid - 1;
      std::memcpy(FView + sizeof Pid, Text.data(), Length);
      FView[sizeof Pid + Length] = 0;
      SetEvent(FDataReady);
    }
    Close();
  }

private:
  static constexpr DWORD Size = 4096;
  bool Open() {
    FMapping = OpenFileMappingA(FILE_MAP_WRITE, FALSE, (FPrefix + "DBWIN_BUFFER").c_str());
    FBufferReady = OpenEventA(SYNCHRONIZE, FALSE, (FPrefix + "DBWIN_BUFFER_READY").c_str());
    FDataReady = OpenEventA(EVENT_MODIFY_STATE, FALSE, (FPrefix + "DBWIN_DATA_READY").c_str());
    if (FMapping) FView = static_cast<char*>(MapViewOfFile(FMapping, FILE_MAP_WRITE, 0, 0, Size));
    if (FView && FBufferReady && FDataReady) return true;
    Close();
    return false;
  }
  void Close() {
    if (FView) UnmapViewOfFile(FView);
    FView = nullptr;
    for (HANDLE* H : {&FMapping, &FBufferReady, &FDataReady}) {
      if (*H) CloseHandle(*H);
      *H = nullptr;
    }
  }
  std::string FPrefix;
  HANDLE FMapping = nullptr;
  HANDLE FBufferReady = nullptr;
  HANDLE FDataReady = nullptr;
  char* FView = nullptr;
};

TChannel* Channel = nullptr;

void Write(const std::string& Text, bool Wide) {
  if (Channel) {
    Channel->Write(Text);  // ASCII only: -w changes nothing here
    return;
  }
  if (!Wide) {
    OutputDebugStringA(Text.c_str());
    return;
  }
  std::wstring W(Text.begin(), Text.end());  // the tests write ASCII only
  OutputDebugStringW(W.c_str());
}

bool WaitFor(const char* Name) {
  HANDLE Event = OpenEventA(SYNCHRONIZE, FALSE, Name);
  if (!Event) return false;
  const bool Ok = WaitForSingleObject(Event, 60000) == WAIT_OBJECT_0;
  CloseHandle(Event);
  return Ok;
}

}  // namespace

int main(int argc, char** argv) {
  bool Wide = false;
  long Count = 0;
  std::string Tag = "line";
  const char* Go = nullptr;
  const char* End = nullptr;
  const char* SendClass = nullptr;
  const char* Prefix = nullptr;
  for (int I = 1; I < argc; ++I) {
    const std::string A = argv[I];
    if (A == "-n" && I + 1 < argc)
      Count = std::strtol(argv[++I], nullptr, 10);
    else if (A == "-t" && I + 1 < argc)
      Tag = argv[++I];
    else if (A == "-g" && I + 1 < argc)
      Go = argv[++I];
    else if (A == "-e" && I + 1 < argc)
      End = argv[++I];
    else if (A == "-s" && I + 1 < argc)
      SendClass = argv[++I];
    else if (A == "-c" && I + 1 < argc)
      Prefix = argv[++I];
  }
  std::unique_ptr<TChannel> Direct;
  if (Prefix) {
    Direct = std::make_unique<TChannel>(Prefix);
    Channel = Direct.get();
  }
  if (Go && !WaitFor(Go)) return 2;
  if (SendClass) {
    const std::string Record =
        BuildClientRecord(lxmInfo, static_cast<std::int32_t>(GetTickCount()), Tag + " sent", "", "sender", "");
    COPYDATASTRUCT Data{static_cast<ULONG_PTR>(lxmInfo), static_cast<DWORD>(Record.size()),
                        const_cast<char*>(Record.data())};
    if (HWND Wnd = FindWindowA(SendClass, nullptr)) SendMessageA(Wnd, WM_COPYDATA, 0, reinterpret_cast<LPARAM>(&Data));
  }
  for (int I = 1; I < argc; ++I) {
    const std::string A = argv[I];
    if (A == "-w") {
      Wide = true;
    } else if (A == "-a") {
      Wide = false;
    } else if (A == "-n" || A == "-t" || A == "-g" || A == "-e" || A == "-s" || A == "-c") {
      ++I;
    } else {
      Write(Unescape(argv[I]), Wide);
    }
  }
  for (long I = 0; I < Count; ++I) Write(Tag + " " + std::to_string(I) + "\n", Wide);
  if (End && !WaitFor(End)) return 2;
  return 0;
}
