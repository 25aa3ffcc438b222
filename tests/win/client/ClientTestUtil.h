// Helpers of the client sender tests: windows that stand in for the receiving
// windows and keep every record they get, registry values set for one test
// and put back afterwards, and message pumping while another thread or
// process sends.
#pragma once

#include <gtest/gtest.h>
#include <windows.h>

#include <cstdint>
#include <functional>
#include <set>
#include <string>
#include <vector>

#include "model/OrlimoRecord.h"

namespace client_test {

// One WM_COPYDATA as it arrived: dwData and the cbData bytes.
struct TReceived {
  std::uint32_t Kind = 0;
  std::string Bytes;

  // The record decoded by the viewer's codec (fails the test when it does not decode).
  TOrlimoRecord Record() const {
    TOrlimoRecord R;
    EXPECT_EQ(DecodeRecord(Bytes.data(), Bytes.size(), R), TRecordStatus::Ok);
    return R;
  }
  std::string Text() const { return std::string(Record().Text); }
};

// A top-level window with a receiving window's class name and caption that
// keeps what it receives and replies Reply.
class TCaptureWindow {
public:
  TCaptureWindow(const char* ClassName, const char* Caption, LRESULT Reply = 1) : FReply(Reply) {
    static std::set<std::string> Registered;
    if (Registered.insert(ClassName).second) {
      WNDCLASSA Wc{};
      Wc.lpfnWndProc = WndProc;
      Wc.hInstance = GetModuleHandleA(nullptr);
      Wc.lpszClassName = ClassName;
      RegisterClassA(&Wc);
    }
    FHandle = CreateWindowExA(0, ClassName, Caption, WS_OVERLAPPEDWINDOW, 0, 0, 100, 100, nullptr, nullptr,
                              GetModuleHandleA(nullptr), nullptr);
    EXPECT_NE(FHandle, nullptr);
    SetWindowLongPtrA(FHandle, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(this));
  }
  ~TCaptureWindow() { DestroyWindow(FHandle); }
  TCaptureWindow(const TCaptureWindow&) = delete;
  TCaptureWindow& operator=(const TCaptureWindow&) = delete;

  HWND Handle() const { return FHandle; }
  std::vector<TReceived> Received;

  std::vector<std::string> Texts() const {
    std::vector<std::string> Out;
    for (const TReceived& R : Received) Out.push_back(R.Text());
    return Out;
  }

private:
  static LRESULT CALLBACK WndProc(HWND W, UINT Msg, WPARAM WParam, LPARAM LParam) {
    auto* Self = reinterpret_cast<TCaptureWindow*>(GetWindowLongPtrA(W, GWLP_USERDATA));
    if (Msg == WM_COPYDATA && Self) {
      const auto* Data = reinterpret_cast<const COPYDATASTRUCT*>(LParam);
      TReceived R;
      R.Kind = static_cast<std::uint32_t>(Data->dwData);
      R.Bytes.assign(static_cast<const char*>(Data->lpData), Data->cbData);
      Self->Received.push_back(std::move(R));
      return Self->FReply;
    }
    return DefWindowProcA(W, Msg, WParam, LParam);
  }
  HWND FHandle = nullptr;
  LRESULT FReply;
};

// The satellite window and the standalone viewer's window, as clients see them.
struct TSatelliteWindow : TCaptureWindow {
  TSatelliteWindow() : TCaptureWindow("TBkFrmLxSatellite", "Orlimo Satellite Window") {}
};
struct TViewerWindow : TCaptureWindow {
  explicit TViewerWindow(LRESULT Reply = 1) : TCaptureWindow("TBkFrmOrlimo", "Orlimo (32-bit)", Reply) {}
};

// Handles this thread's messages until Done() holds or Handle is signalled
// (bounded: 60 s). False when the limit was reached.
inline bool PumpUntil(HANDLE Handle, const std::function<bool()>& Done = {}) {
  const ULONGLONG Deadline = GetTickCount64() + 60000;
  while (GetTickCount64() < Deadline) {
    if (Done && Done()) return true;
    const DWORD R = MsgWaitForMultipleObjects(Handle ? 1 : 0, Handle ? &Handle : nullptr, FALSE, 1000, QS_ALLINPUT);
    if (Handle && R == WAIT_OBJECT_0) return true;
    MSG Msg;
    while (PeekMessageA(&Msg, nullptr, 0, 0, PM_REMOVE)) DispatchMessageA(&Msg);
  }
  return false;
}

// Runs a program (its command line) while this thread handles the messages
// it sends; its exit code, -1 when it did not end within 60 s (then ended).
inline long RunProgram(std::string CommandLine) {
  STARTUPINFOA Si{};
  Si.cb = sizeof Si;
  PROCESS_INFORMATION Pi{};
  if (!CreateProcessA(nullptr, CommandLine.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr, &Si, &Pi)) return -2;
  long Code = -1;
  if (PumpUntil(Pi.hProcess)) {
    DWORD Exit = 0;
    GetExitCodeProcess(Pi.hProcess, &Exit);
    Code = static_cast<long>(Exit);
  } else {
    TerminateProcess(Pi.hProcess, 99);
  }
  CloseHandle(Pi.hThread);
  CloseHandle(Pi.hProcess);
  return Code;
}

inline std::string Quote(const std::string& S) { return "\"" + S + "\""; }

// View: 0 for this program's own registry view, or KEY_WOW64_32KEY / KEY_WOW64_64KEY.
inline bool KeyExists(HKEY Root, const std::string& Key, REGSAM View = 0) {
  HKEY K = nullptr;
  if (RegOpenKeyExA(Root, Key.c_str(), 0, KEY_READ | View, &K) != ERROR_SUCCESS) return false;
  RegCloseKey(K);
  return true;
}

// A registry value for one test, in one registry view: removed at
// construction, put back (or removed again, with the keys made for it) at
// destruction.
class TRegValue {
public:
  TRegValue(HKEY Root, std::string Key, std::string Name, REGSAM View = 0)
      : FRoot(Root), FKey(std::move(Key)), FName(std::move(Name)), FView(View) {
    // The keys of the path that do not exist yet, deepest first.
    std::string Path = FKey;
    while (!Path.empty() && !KeyExists(FRoot, Path, FView)) {
      FMadeKeys.push_back(Path);
      const std::size_t Cut = Path.rfind('\\');
      Path = Cut == std::string::npos ? std::string() : Path.substr(0, Cut);
    }
    HKEY K = nullptr;
    if (RegOpenKeyExA(FRoot, FKey.c_str(), 0, KEY_READ | FView, &K) == ERROR_SUCCESS) {
      DWORD Size = 0;
      if (RegQueryValueExA(K, FName.c_str(), nullptr, &FOldType, nullptr, &Size) == ERROR_SUCCESS) {
        FOldData.resize(Size);
        RegQueryValueExA(K, FName.c_str(), nullptr, &FOldType, reinterpret_cast<BYTE*>(FOldData.data()), &Size);
        FOldData.resize(Size);
        FHadValue = true;
      }
      RegCloseKey(K);
    }
    Remove();
  }
  ~TRegValue() {
    Remove();
    if (FHadValue) WriteValue(FOldType, FOldData.data(), static_cast<DWORD>(FOldData.size()));
    for (const std::string& K : FMadeKeys) RegDeleteKeyExA(FRoot, K.c_str(), FView, 0);  // only when empty
  }
  TRegValue(const TRegValue&) = delete;
  TRegValue& operator=(const TRegValue&) = delete;

  void Set(DWORD Type, const void* Data, DWORD Size) { ASSERT_EQ(WriteValue(Type, Data, Size), ERROR_SUCCESS); }
  void SetString(const std::string& Value) { Set(REG_SZ, Value.c_str(), static_cast<DWORD>(Value.size() + 1)); }
  void SetDword(DWORD Value) { Set(REG_DWORD, &Value, sizeof Value); }
  void Remove() {
    HKEY K = nullptr;
    if (RegOpenKeyExA(FRoot, FKey.c_str(), 0, KEY_SET_VALUE | FView, &K) == ERROR_SUCCESS) {
      RegDeleteValueA(K, FName.c_str());
      RegCloseKey(K);
    }
  }

private:
  LONG WriteValue(DWORD Type, const void* Data, DWORD Size) {
    HKEY K = nullptr;
    LONG Rc = RegCreateKeyExA(FRoot, FKey.c_str(), 0, nullptr, REG_OPTION_NON_VOLATILE, KEY_SET_VALUE | FView, nullptr,
                              &K, nullptr);
    if (Rc != ERROR_SUCCESS) return Rc;
    Rc = RegSetValueExA(K, FName.c_str(), 0, Type, static_cast<const BYTE*>(Data), Size);
    RegCloseKey(K);
    return Rc;
  }

  HKEY FRoot;
  std::string FKey;
  std::string FName;
  REGSAM FView;
  std::vector<std::string> FMadeKeys;
  bool FHadValue = false;
  DWORD FOldType = 0;
  std::vector<char> FOldData;
};

inline constexpr char ClientKey[] = "SOFTWARE\\Brunelk\\Orlimo\\1.1";
inline constexpr char ByPassKey[] = "SOFTWARE\\Brunelk\\Orlimo\\1.1\\CodeRush";

// "ByPass" for one test.
struct TByPass : TRegValue {
  TByPass() : TRegValue(HKEY_CURRENT_USER, ByPassKey, "ByPass") {}
};

// "ExePath" for one test, in both registry views of HKEY_LOCAL_MACHINE (on a
// system without views, both are the one key). Set... writes the 32-bit view,
// as the 32-bit viewer's setup and a 32-bit reg.exe do.
struct TExePath {
  TRegValue View32{HKEY_LOCAL_MACHINE, ClientKey, "ExePath", KEY_WOW64_32KEY};
  TRegValue View64{HKEY_LOCAL_MACHINE, ClientKey, "ExePath", KEY_WOW64_64KEY};
  void Set(DWORD Type, const void* Data, DWORD Size) { View32.Set(Type, Data, Size); }
  void SetString(const std::string& Value) { View32.SetString(Value); }
  void SetDword(DWORD Value) { View32.SetDword(Value); }
};

}  // namespace client_test
