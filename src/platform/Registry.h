// Registry access: a key opened under a root key, string values, and the
// section-and-value access of an ini file kept in the registry.
#pragma once

#include "platform/Gdi.h"
#include "platform/PlatformExcept.h"

#include <string>
#include <vector>

struct TRegCloseKeyTraits {
  using Handle = HKEY;
  static void Close(HKEY Value) noexcept { ::RegCloseKey(Value); }
};
using TRegKeyHandle = TUniqueHandle<TRegCloseKeyTraits>;

class TRegistry {
public:
  // RootKey HKEY_CURRENT_USER; access KEY_ALL_ACCESS (KEY_READ with OpenKeyReadOnly).
  TRegistry();
  explicit TRegistry(REGSAM Access);
  ~TRegistry();
  TRegistry(const TRegistry&) = delete;
  TRegistry& operator=(const TRegistry&) = delete;

  HKEY GetRootKey() const { return FRootKey; }
  void SetRootKey(HKEY Value);
  // Opens a key below the root (a leading "\" is ignored); CanCreate creates
  // it when missing. Returns false when it cannot be opened.
  bool OpenKey(const std::string& Key, bool CanCreate);
  bool OpenKeyReadOnly(const std::string& Key);
  void CloseKey();
  HKEY GetCurrentKey() const { return FCurrentKey.Get(); }
  const std::string& GetCurrentPath() const { return FCurrentPath; }

  bool KeyExists(const std::string& Key);
  bool DeleteKey(const std::string& Key);  // with its sub-keys
  bool ValueExists(const std::string& Name);
  bool DeleteValue(const std::string& Name);
  std::vector<std::string> GetValueNames();
  std::vector<std::string> GetKeyNames();

  // "" when the value does not exist; ERegistryException when it is not a string.
  std::string ReadString(const std::string& Name);
  // Writes REG_SZ; ERegistryException on failure.
  void WriteString(const std::string& Name, const std::string& Value);
  // REG_DWORD values.
  int ReadInteger(const std::string& Name);
  void WriteInteger(const std::string& Name, int Value);

private:
  void CheckOpen() const;
  HKEY FRootKey = HKEY_CURRENT_USER;
  REGSAM FAccess = KEY_ALL_ACCESS;
  TRegKeyHandle FCurrentKey;
  std::string FCurrentPath;
};

// Ini-file style access on a registry key: a section is a sub-key of FileName
// (the empty section is the key itself), an ident a string value in it.
class TRegIniFile {
public:
  explicit TRegIniFile(const std::string& FileName, HKEY RootKey = HKEY_CURRENT_USER);
  const std::string& GetFileName() const { return FFileName; }

  // Default when the section or the value is missing.
  std::string ReadString(const std::string& Section, const std::string& Ident, const std::string& Default);
  // Creates the key and the section when missing; ERegistryException on failure.
  void WriteString(const std::string& Section, const std::string& Ident, const std::string& Value);
  bool ValueExists(const std::string& Section, const std::string& Ident);
  void DeleteKey(const std::string& Section, const std::string& Ident);  // deletes the value
  void EraseSection(const std::string& Section);
  std::vector<std::string> ReadSection(const std::string& Section);  // value names

private:
  std::string SectionPath(const std::string& Section) const;
  std::string FFileName;
  HKEY FRootKey;
};
