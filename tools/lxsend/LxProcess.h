// Starting a program and waiting for its window, for the whole-program tests
// and the benchmarks that drive Orlimo.exe from outside.
#pragma once

#include <string>

#include <windows.h>

// A started program. A program still running when its TLxProcess is closed
// or destroyed is terminated (exit code 99).
class TLxProcess {
public:
  TLxProcess() = default;
  TLxProcess(const TLxProcess&) = delete;
  TLxProcess& operator=(const TLxProcess&) = delete;
  ~TLxProcess() { Close(); }

  // Starts CommandLine (the program's path quoted by the caller when needed).
  bool Start(std::string CommandLine, WORD ShowWindow = SW_SHOWNORMAL);
  // Waits at most Ms for the program to end: its exit code, or -1 while it runs.
  long Wait(DWORD Ms);
  bool Running() const;
  void Close();

  HANDLE Handle() const { return FInfo.hProcess; }
  DWORD Id() const { return FInfo.dwProcessId; }
  bool Started() const { return FStarted; }

private:
  PROCESS_INFORMATION FInfo{};
  bool FStarted = false;
};

// Waits until a top-level window of Process with this class and caption
// exists, at most Ms; null when it did not appear or the program ended.
HWND LxWaitForWindow(const TLxProcess& Process, const char* ClassName, const char* Caption, DWORD Ms);

// "text" in double quotes.
std::string LxQuote(const std::string& Text);
