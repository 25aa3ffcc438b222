// Windows' light or dark choice for applications and the viewer's Theme
// value, set in the real registry for a test and put back afterwards, with
// the program's look back to light.
#pragma once

#include "platform/Theme.h"

#include <windows.h>

#include <gtest/gtest.h>

#include <optional>
#include <string>

inline constexpr const char* PersonalizeKey = "Software\\Microsoft\\Windows\\CurrentVersion\\Themes\\Personalize";

class TThemeRegistry {
public:
  // ViewKey: the viewer's "View" key under HKCU.
  explicit TThemeRegistry(std::string ViewKey) : FViewKey(std::move(ViewKey)) {
    FSavedApps = ReadDword(PersonalizeKey, "AppsUseLightTheme");
    FSavedTheme = ReadText(FViewKey, "Theme");
  }
  ~TThemeRegistry() {
    SetAppsUseLightTheme(FSavedApps);
    SetTheme(FSavedTheme);
    SetDarkLook(false);
  }
  TThemeRegistry(const TThemeRegistry&) = delete;
  TThemeRegistry& operator=(const TThemeRegistry&) = delete;

  // Windows' value: a DWORD, or missing.
  static void SetAppsUseLightTheme(std::optional<DWORD> Value) {
    HKEY Key = nullptr;
    ASSERT_EQ(RegCreateKeyExA(HKEY_CURRENT_USER, PersonalizeKey, 0, nullptr, 0, KEY_SET_VALUE, nullptr, &Key, nullptr),
              ERROR_SUCCESS);
    if (Value)
      RegSetValueExA(Key, "AppsUseLightTheme", 0, REG_DWORD, reinterpret_cast<const BYTE*>(&*Value), sizeof(DWORD));
    else
      RegDeleteValueA(Key, "AppsUseLightTheme");
    RegCloseKey(Key);
  }
  // The viewer's stored value, or none.
  void SetTheme(const std::optional<std::string>& Value) const {
    HKEY Key = nullptr;
    ASSERT_EQ(
        RegCreateKeyExA(HKEY_CURRENT_USER, FViewKey.c_str(), 0, nullptr, 0, KEY_SET_VALUE, nullptr, &Key, nullptr),
        ERROR_SUCCESS);
    if (Value)
      RegSetValueExA(Key, "Theme", 0, REG_SZ, reinterpret_cast<const BYTE*>(Value->c_str()),
                     static_cast<DWORD>(Value->size() + 1));
    else
      RegDeleteValueA(Key, "Theme");
    RegCloseKey(Key);
  }
  std::optional<std::string> StoredTheme() const { return ReadText(FViewKey, "Theme"); }

  static std::optional<DWORD> ReadDword(const char* Path, const char* Name) {
    DWORD Value = 0, Size = sizeof Value, Type = 0;
    if (RegGetValueA(HKEY_CURRENT_USER, Path, Name, RRF_RT_ANY, &Type, &Value, &Size) != ERROR_SUCCESS ||
        Type != REG_DWORD)
      return std::nullopt;
    return Value;
  }
  static std::optional<std::string> ReadText(const std::string& Path, const char* Name) {
    char Text[64] = {};
    DWORD Size = sizeof Text, Type = 0;
    if (RegGetValueA(HKEY_CURRENT_USER, Path.c_str(), Name, RRF_RT_ANY, &Type, Text, &Size) != ERROR_SUCCESS ||
        Type != REG_SZ)
      return std::nullopt;
    return std::string(Text);
  }

private:
  std::string FViewKey;
  std::optional<DWORD> FSavedApps;
  std::optional<std::string> FSavedTheme;
};
