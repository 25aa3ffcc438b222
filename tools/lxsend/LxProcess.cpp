#include "lxsend/LxProcess.h"

bool TLxProcess::Start(std::string CommandLine, WORD ShowWindow) {
  Close();
  STARTUPINFOA Si{};
  Si.cb = sizeof Si;
  Si.dwFlags = STARTF_USESHOWWINDOW;
  Si.wShowWindow = ShowWindow;
  FStarted =
      CreateProcessA(nullptr, CommandLine.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr, &Si, &FInfo) != 0;
  return FStarted;
}

long TLxProcess::Wait(DWORD Ms) {
  if (!FStarted || WaitForSingleObject(FInfo.hProcess, Ms) != WAIT_OBJECT_0) return -1;
  DWORD Code = 0;
  GetExitCodeProcess(FInfo.hProcess, &Code);
  return static_cast<long>(Code);
}

bool TLxProcess::Running() const { return FStarted && WaitForSingleObject(FInfo.hProcess, 0) == WAIT_TIMEOUT; }

void TLxProcess::Close() {
  if (!FStarted) return;
  if (Running()) {
    TerminateProcess(FInfo.hProcess, 99);
    WaitForSingleObject(FInfo.hProcess, 10000);
  }
  CloseHandle(FInfo.hThread);
  CloseHandle(FInfo.hProcess);
  FInfo = {};
  FStarted = false;
}

HWND LxWaitForWindow(const TLxProcess& Process, const char* ClassName, const char* Caption, DWORD Ms) {
  if (!Process.Started()) return nullptr;
  const ULONGLONG Deadline = GetTickCount64() + Ms;
  WaitForInputIdle(Process.Handle(), Ms);
  for (;;) {
    // Any window of that identity belonging to the process.
    HWND W = nullptr;
    while ((W = FindWindowExA(nullptr, W, ClassName, Caption)) != nullptr) {
      DWORD Pid = 0;
      GetWindowThreadProcessId(W, &Pid);
      if (Pid == Process.Id()) return W;
    }
    if (GetTickCount64() >= Deadline) return nullptr;
    // Wakes early when the program ends (then the window never comes).
    if (WaitForSingleObject(Process.Handle(), 10) == WAIT_OBJECT_0) return nullptr;
  }
}

std::string LxQuote(const std::string& Text) { return "\"" + Text + "\""; }
