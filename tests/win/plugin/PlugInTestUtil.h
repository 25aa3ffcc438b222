// What the plug-in tests share: the host program's window with the real
// CodeRush3.dll and LxPnl30.dll loaded, messages sent to the satellite window
// as a client sends them, and the panels' lists read back through their
// save-log operation.
#pragma once

#include <gtest/gtest.h>
#include <windows.h>

#include <cstdio>
#include <cstring>
#include <string>
#include <vector>

#include "hosts/idehost/IdeHostFm.h"
#include "model/OrlimoRecord.h"
#include "platform/Application.h"
#include "protocol/LxIntake.h"
#include "protocol/LxSatFrm.h"

namespace plugin_test {

inline constexpr char SatelliteClass[] = "TBkFrmLxSatellite";
inline constexpr char SatelliteCaption[] = "Orlimo Satellite Window";
inline constexpr char PlugInName[] = "Brunelk_OrlimoPanelPlugIn";
inline constexpr char SettingsKey[] = "Software\\Brunelk\\Orlimo\\1.0\\CodeRush";

inline std::string ModuleDir() {
  char Path[MAX_PATH];
  const DWORD N = GetModuleFileNameA(nullptr, Path, MAX_PATH);
  std::string Dir(Path, N);
  return Dir.substr(0, Dir.find_last_of("\\/") + 1);
}

inline std::string TempFile(const std::string& Name) {
  char Dir[MAX_PATH];
  GetTempPathA(MAX_PATH, Dir);
  return std::string(Dir) + "orlimo-plugin-" + std::to_string(GetCurrentProcessId()) + "-" + Name;
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

inline HWND Satellite() { return FindWindowA(SatelliteClass, SatelliteCaption); }

// The plug-in's satellite window object, or null.
inline TBkFrmLxSatellite* PlugInSatellite() {
  auto Get = reinterpret_cast<TBkFrmLxSatellite* (*)()>(
      reinterpret_cast<void*>(GetProcAddress(GetModuleHandleA("LxPnl30.dll"), "OrlimoSatellite")));
  return Get ? Get() : nullptr;
}

inline BOOL CALLBACK CountSatellite(HWND W, LPARAM Data) {
  char Cls[64] = {};
  GetClassNameA(W, Cls, sizeof Cls);
  if (std::string(Cls) == SatelliteClass) ++*reinterpret_cast<int*>(Data);
  return TRUE;
}

inline int CountSatellites() {
  int Count = 0;
  EnumWindows(CountSatellite, reinterpret_cast<LPARAM>(&Count));
  return Count;
}

// One message as a client sends it; the reply.
inline LRESULT SendRecord(HWND To, std::int32_t Kind, std::int32_t Tick, const std::string& Text) {
  std::string R = BuildClientRecord(Kind, Tick, Text, "", "Test", "");
  COPYDATASTRUCT Cd{static_cast<ULONG_PTR>(static_cast<std::uint32_t>(Kind)), static_cast<DWORD>(R.size()), R.data()};
  return SendMessageA(To, WM_COPYDATA, 0, reinterpret_cast<LPARAM>(&Cd));
}

// The log file record of a message sent by SendRecord.
inline std::string LogRecord(std::int32_t Kind, std::int32_t Tick, const std::string& Text) {
  std::string R;
  EncodeRecord(R, Kind, Tick, Text, "", "Test", "", 1);
  return R;
}

inline std::string ReadSetting(const char* Name) {
  char Buf[64] = {};
  DWORD Size = sizeof Buf;
  const std::string Key = std::string(SettingsKey) + "\\View";
  if (RegGetValueA(HKEY_CURRENT_USER, Key.c_str(), Name, RRF_RT_REG_SZ, nullptr, Buf, &Size) != ERROR_SUCCESS)
    return "<missing>";
  return Buf;
}

inline void WriteSetting(const char* Name, const char* Value) {
  const std::string Key = std::string(SettingsKey) + "\\View";
  RegSetKeyValueA(HKEY_CURRENT_USER, Key.c_str(), Name, REG_SZ, Value, static_cast<DWORD>(std::strlen(Value) + 1));
}

// The host program's window with the plug-in loaded, on a fresh settings key.
class PlugInHost : public ::testing::Test {
protected:
  TIdeHostForm* Form = nullptr;

  void SetUp() override {
    RegDeleteTreeA(HKEY_CURRENT_USER, SettingsKey);
    ASSERT_EQ(Satellite(), nullptr) << "a satellite window is left from elsewhere";
    Form = new TIdeHostForm(nullptr);
    Form->Show();
    ASSERT_TRUE(Form->LoadPlugIn(ModuleDir() + "LxPnl30.dll")) << Form->LastError();
  }
  void TearDown() override {
    delete Form;
    Form = nullptr;
    Application->ProcessMessages();
    RegDeleteTreeA(HKEY_CURRENT_USER, SettingsKey);
  }

  TAbstractPanelInterface* PlugIn() {
    return Form->Host().GetPlugInCount() ? dynamic_cast<TAbstractPanelInterface*>(Form->Host().GetPlugIn(0)) : nullptr;
  }
  // The viewer panel of instance I as the intake windows see it.
  TLxIntakePanel* Panel(int I) {
    if (I >= Form->InstanceCount() || !Form->Instance(I)->Component) return nullptr;
    return dynamic_cast<TLxIntakePanel*>(Form->Instance(I)->Component);
  }
  // What panel I lists, as its saved log.
  std::string Listed(int I) {
    TLxIntakePanel* P = Panel(I);
    if (!P) return "<no panel>";
    const std::string File = TempFile("listed.olx");
    DeleteFileA(File.c_str());
    P->SaveLogFile(File);
    std::string Bytes = ReadAll(File);
    DeleteFileA(File.c_str());
    return Bytes;
  }
  // Shows the panel through the plug-in's toggle command.
  void ShowPanel() {
    ASSERT_TRUE(Form->RunCommand("ToggleOrlimoPanel"));
    ASSERT_EQ(Form->InstanceCount(), 1);
    ASSERT_NE(Panel(0), nullptr);
  }
  LRESULT Send(std::int32_t Kind, std::int32_t Tick, const std::string& Text) {
    return SendRecord(Satellite(), Kind, Tick, Text);
  }
};

}  // namespace plugin_test
