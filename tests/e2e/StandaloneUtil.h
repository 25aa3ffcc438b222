// What the whole-program tests share: temporary files, the command-line
// sender, the viewer started as its own process, its placement in the
// registry and the message boxes it shows.
#pragma once

#include <gtest/gtest.h>
#include <windows.h>

#include <cstdio>
#include <cstring>
#include <string>

#include "lxsend/LxProcess.h"
#include "lxsend/LxSender.h"
#include "model/OrlimoRecord.h"

#ifndef ORLIMO_EXE
#error "ORLIMO_EXE names the viewer program"
#endif
#ifndef LXSEND_EXE
#error "LXSEND_EXE names the command-line sender"
#endif

inline std::string TempFile(const std::string& Name) {
  char Dir[MAX_PATH];
  GetTempPathA(MAX_PATH, Dir);
  return std::string(Dir) + "orlimo-e2e-" + std::to_string(GetCurrentProcessId()) + "-" + Name;
}

inline std::string ReadAll(const std::string& FileName) {
  std::string Bytes;
  if (FILE* F = std::fopen(FileName.c_str(), "rb")) {
    char Buf[65536];
    std::size_t N;
    while ((N = std::fread(Buf, 1, sizeof Buf, F)) > 0) Bytes.append(Buf, N);
    std::fclose(F);
  }
  return Bytes;
}

inline void WriteAll(const std::string& FileName, const std::string& Bytes) {
  FILE* F = std::fopen(FileName.c_str(), "wb");
  ASSERT_NE(F, nullptr) << FileName;
  ASSERT_EQ(std::fwrite(Bytes.data(), 1, Bytes.size(), F), Bytes.size());
  std::fclose(F);
}

inline bool FileExists(const std::string& FileName) {
  return GetFileAttributesA(FileName.c_str()) != INVALID_FILE_ATTRIBUTES;
}

inline std::string Quote(const std::string& S) { return LxQuote(S); }

// Runs lxsend (a separate client process) against the main form; its exit code.
inline long RunLxSend(const std::string& Args) {
  TLxProcess P;
  if (!P.Start(Quote(LXSEND_EXE) + " --quiet --to main " + Args, SW_HIDE)) return -2;
  return P.Wait(60000);
}

inline BOOL CALLBACK CountViewerWindow(HWND W, LPARAM Data) {
  char Cls[64] = {}, Caption[64] = {};
  GetClassNameA(W, Cls, sizeof Cls);
  GetWindowTextA(W, Caption, sizeof Caption);
  if (std::string(Cls) == LxMainClassName && std::string(Caption) == LxMainCaption) ++*reinterpret_cast<int*>(Data);
  return TRUE;
}

// The windows of class "TBkFrmOrlimo" with the viewer's caption.
inline int CountViewerWindows() {
  int Count = 0;
  EnumWindows(CountViewerWindow, reinterpret_cast<LPARAM>(&Count));
  return Count;
}

class StandaloneProgram : public ::testing::Test {
protected:
  TLxProcess Viewer;
  HWND Window = nullptr;

  // Starts Orlimo.exe with the arguments and waits until its window exists.
  void StartViewer(const std::string& Args = {}) {
    ASSERT_EQ(FindWindowA(LxMainClassName, LxMainCaption), nullptr) << "a viewer is already running";
    Window = nullptr;
    ASSERT_TRUE(Viewer.Start(Quote(ORLIMO_EXE) + (Args.empty() ? "" : " " + Args)));
    Window = LxWaitForWindow(Viewer, LxMainClassName, LxMainCaption, 30000);
    ASSERT_NE(Window, nullptr) << "the viewer's window did not appear";
  }

  // WM_CLOSE ends the program with exit code 0.
  void CloseViewer() {
    PostMessageA(Window, WM_CLOSE, 0, 0);
    EXPECT_EQ(Viewer.Wait(30000), 0) << "the viewer did not end after WM_CLOSE";
    EXPECT_EQ(FindWindowA(LxMainClassName, LxMainCaption), nullptr);
  }

  std::string SaveLog(const std::string& Name) {
    const std::string File = TempFile(Name);
    DeleteFileA(File.c_str());
    EXPECT_EQ(RunLxSend("savelog " + Quote(File)), 0);
    return File;
  }
};

// The log file record of one message.
inline std::string LogRecord(std::int32_t Kind, std::int32_t Tick, const std::string& Text, const std::string& Details,
                             const std::string& App, const std::string& Type) {
  std::string R;
  EncodeRecord(R, Kind, Tick, Text, Details, App, Type, 1);
  return R;
}

// The viewer's message box (class "#32770") and the texts of its static controls.
struct TMessageBoxInfo {
  HWND Box = nullptr;
  std::string Caption;
  std::string Text;
};

inline BOOL CALLBACK FindProcessMessageBox(HWND W, LPARAM Data) {
  auto* Info = reinterpret_cast<std::pair<DWORD, TMessageBoxInfo*>*>(Data);
  char Cls[16] = {};
  GetClassNameA(W, Cls, sizeof Cls);
  DWORD Pid = 0;
  GetWindowThreadProcessId(W, &Pid);
  if (Pid != Info->first || std::string(Cls) != "#32770" || !IsWindowVisible(W)) return TRUE;
  Info->second->Box = W;
  char Text[512] = {};
  GetWindowTextA(W, Text, sizeof Text);
  Info->second->Caption = Text;
  for (HWND C = FindWindowExA(W, nullptr, "Static", nullptr); C; C = FindWindowExA(W, C, "Static", nullptr)) {
    GetWindowTextA(C, Text, sizeof Text);
    Info->second->Text += Text;
  }
  return FALSE;
}

// Waits (bounded) for a message box of the process to appear.
inline TMessageBoxInfo WaitForMessageBox(DWORD Pid, DWORD Ms) {
  TMessageBoxInfo Info;
  std::pair<DWORD, TMessageBoxInfo*> Data{Pid, &Info};
  const ULONGLONG Deadline = GetTickCount64() + Ms;
  while (!Info.Box && GetTickCount64() < Deadline) {
    EnumWindows(FindProcessMessageBox, reinterpret_cast<LPARAM>(&Data));
    if (!Info.Box) Sleep(10);
  }
  return Info;
}

inline constexpr char PositionKey[] = "Software\\Brunelk\\Orlimo\\1.0\\Position";

inline std::string ReadPosition(const char* Name) {
  char Buf[64] = {};
  DWORD Size = sizeof Buf;
  if (RegGetValueA(HKEY_CURRENT_USER, PositionKey, Name, RRF_RT_REG_SZ, nullptr, Buf, &Size) != ERROR_SUCCESS)
    return "<missing>";
  return Buf;
}

inline void WritePosition(const char* Name, const char* Value) {
  RegSetKeyValueA(HKEY_CURRENT_USER, PositionKey, Name, REG_SZ, Value, static_cast<DWORD>(std::strlen(Value) + 1));
}
