#include "platform/Registry.h"

#include <algorithm>

namespace {
std::string StripSlash(const std::string& Key) {
  size_t Start = 0;
  while (Start < Key.size() && Key[Start] == '\\') ++Start;
  std::string S = Key.substr(Start);
  while (!S.empty() && S.back() == '\\') S.pop_back();
  return S;
}
// A path from the root key (OpenKey takes a leading backslash so).
std::string RootPath(const std::string& Path) {
  std::string Result(1, '\\');
  Result += Path;
  return Result;
}
}  // namespace

TRegistry::TRegistry() = default;

TRegistry::TRegistry(REGSAM Access) : FAccess(Access) {}

TRegistry::~TRegistry() = default;

void TRegistry::SetRootKey(HKEY Value) {
  CloseKey();
  FRootKey = Value;
}

void TRegistry::CloseKey() {
  FCurrentKey.Reset();
  FCurrentPath.clear();
}

bool TRegistry::OpenKey(const std::string& Key, bool CanCreate) {
  const bool Absolute = !Key.empty() && Key[0] == '\\';
  std::string Path = StripSlash(Key);
  if (!Absolute && FCurrentKey && !FCurrentPath.empty())
    Path = Path.empty() ? FCurrentPath : FCurrentPath + RootPath(Path);
  HKEY Handle = nullptr;
  LONG Rc;
  if (CanCreate)
    Rc = ::RegCreateKeyExA(FRootKey, Path.c_str(), 0, nullptr, REG_OPTION_NON_VOLATILE, FAccess, nullptr, &Handle,
                           nullptr);
  else
    Rc = ::RegOpenKeyExA(FRootKey, Path.c_str(), 0, FAccess, &Handle);
  if (Rc != ERROR_SUCCESS) return false;
  FCurrentKey.Reset(Handle);
  FCurrentPath = Path;
  return true;
}

bool TRegistry::OpenKeyReadOnly(const std::string& Key) {
  const REGSAM Saved = FAccess;
  FAccess = KEY_READ;
  const bool Ok = OpenKey(Key, false);
  FAccess = Saved;
  return Ok;
}

bool TRegistry::KeyExists(const std::string& Key) {
  HKEY Handle = nullptr;
  const std::string Path = StripSlash(Key);
  HKEY Base = (!Key.empty() && Key[0] == '\\') || !FCurrentKey ? FRootKey : FCurrentKey.Get();
  if (::RegOpenKeyExA(Base, Path.c_str(), 0, KEY_READ, &Handle) != ERROR_SUCCESS) return false;
  ::RegCloseKey(Handle);
  return true;
}

bool TRegistry::DeleteKey(const std::string& Key) {
  const std::string Path = StripSlash(Key);
  if (Path.empty()) return false;
  HKEY Base = (!Key.empty() && Key[0] == '\\') || !FCurrentKey ? FRootKey : FCurrentKey.Get();
  ::RegDeleteTreeA(Base, Path.c_str());
  return ::RegDeleteKeyA(Base, Path.c_str()) == ERROR_SUCCESS;
}

void TRegistry::CheckOpen() const {
  if (!FCurrentKey) throw ERegistryException("No registry key is open");
}

bool TRegistry::ValueExists(const std::string& Name) {
  if (!FCurrentKey) return false;
  return ::RegQueryValueExA(FCurrentKey.Get(), Name.c_str(), nullptr, nullptr, nullptr, nullptr) == ERROR_SUCCESS;
}

bool TRegistry::DeleteValue(const std::string& Name) {
  if (!FCurrentKey) return false;
  return ::RegDeleteValueA(FCurrentKey.Get(), Name.c_str()) == ERROR_SUCCESS;
}

std::vector<std::string> TRegistry::GetValueNames() {
  std::vector<std::string> Names;
  if (!FCurrentKey) return Names;
  for (DWORD I = 0;; ++I) {
    char Buffer[16384];
    DWORD Len = sizeof(Buffer);
    if (::RegEnumValueA(FCurrentKey.Get(), I, Buffer, &Len, nullptr, nullptr, nullptr, nullptr) != ERROR_SUCCESS) break;
    Names.emplace_back(Buffer, Len);
  }
  return Names;
}

std::vector<std::string> TRegistry::GetKeyNames() {
  std::vector<std::string> Names;
  if (!FCurrentKey) return Names;
  for (DWORD I = 0;; ++I) {
    char Buffer[256];
    DWORD Len = sizeof(Buffer);
    if (::RegEnumKeyExA(FCurrentKey.Get(), I, Buffer, &Len, nullptr, nullptr, nullptr, nullptr) != ERROR_SUCCESS) break;
    Names.emplace_back(Buffer, Len);
  }
  return Names;
}

std::string TRegistry::ReadString(const std::string& Name) {
  CheckOpen();
  DWORD Type = 0;
  DWORD Size = 0;
  LONG Rc = ::RegQueryValueExA(FCurrentKey.Get(), Name.c_str(), nullptr, &Type, nullptr, &Size);
  if (Rc == ERROR_FILE_NOT_FOUND) return "";
  if (Rc != ERROR_SUCCESS || (Type != REG_SZ && Type != REG_EXPAND_SZ))
    throw ERegistryException("Invalid data type for '" + Name + "'");
  std::string Value(Size, '\0');
  if (Size) {
    Rc = ::RegQueryValueExA(FCurrentKey.Get(), Name.c_str(), nullptr, &Type, reinterpret_cast<BYTE*>(Value.data()),
                            &Size);
    if (Rc != ERROR_SUCCESS) throw ERegistryException("Invalid data type for '" + Name + "'");
    Value.resize(Size);
  }
  // The stored text ends at its first NUL.
  const size_t Nul = Value.find('\0');
  if (Nul != std::string::npos) Value.resize(Nul);
  return Value;
}

void TRegistry::WriteString(const std::string& Name, const std::string& Value) {
  CheckOpen();
  const LONG Rc = ::RegSetValueExA(FCurrentKey.Get(), Name.c_str(), 0, REG_SZ,
                                   reinterpret_cast<const BYTE*>(Value.c_str()), static_cast<DWORD>(Value.size() + 1));
  if (Rc != ERROR_SUCCESS) throw ERegistryException("Failed to set data for '" + Name + "'");
}

int TRegistry::ReadInteger(const std::string& Name) {
  CheckOpen();
  DWORD Type = 0, Data = 0, Size = sizeof(Data);
  const LONG Rc =
      ::RegQueryValueExA(FCurrentKey.Get(), Name.c_str(), nullptr, &Type, reinterpret_cast<BYTE*>(&Data), &Size);
  if (Rc != ERROR_SUCCESS || Type != REG_DWORD) throw ERegistryException("Invalid data type for '" + Name + "'");
  return static_cast<int>(Data);
}

void TRegistry::WriteInteger(const std::string& Name, int Value) {
  CheckOpen();
  const DWORD Data = static_cast<DWORD>(Value);
  const LONG Rc = ::RegSetValueExA(FCurrentKey.Get(), Name.c_str(), 0, REG_DWORD, reinterpret_cast<const BYTE*>(&Data),
                                   sizeof(Data));
  if (Rc != ERROR_SUCCESS) throw ERegistryException("Failed to set data for '" + Name + "'");
}

// ---------------------------------------------------------------- TRegIniFile
TRegIniFile::TRegIniFile(const std::string& FileName, HKEY RootKey)
    : FFileName(StripSlash(FileName)), FRootKey(RootKey) {}

std::string TRegIniFile::SectionPath(const std::string& Section) const {
  const std::string S = StripSlash(Section);
  if (S.empty()) return FFileName;
  if (FFileName.empty()) return S;
  return FFileName + "\\" + S;
}

std::string TRegIniFile::ReadString(const std::string& Section, const std::string& Ident, const std::string& Default) {
  TRegistry Reg(KEY_READ);
  Reg.SetRootKey(FRootKey);
  if (!Reg.OpenKeyReadOnly(RootPath(SectionPath(Section)))) return Default;
  if (!Reg.ValueExists(Ident)) return Default;
  try {
    return Reg.ReadString(Ident);
  } catch (const ERegistryException&) {
    return Default;  // not a string value
  }
}

void TRegIniFile::WriteString(const std::string& Section, const std::string& Ident, const std::string& Value) {
  TRegistry Reg(KEY_READ | KEY_WRITE);
  Reg.SetRootKey(FRootKey);
  const std::string Path = SectionPath(Section);
  if (!Reg.OpenKey(RootPath(Path), true)) throw ERegistryException("Failed to create key " + Path);
  Reg.WriteString(Ident, Value);
}

bool TRegIniFile::ValueExists(const std::string& Section, const std::string& Ident) {
  TRegistry Reg(KEY_READ);
  Reg.SetRootKey(FRootKey);
  return Reg.OpenKeyReadOnly(RootPath(SectionPath(Section))) && Reg.ValueExists(Ident);
}

void TRegIniFile::DeleteKey(const std::string& Section, const std::string& Ident) {
  TRegistry Reg(KEY_READ | KEY_WRITE);
  Reg.SetRootKey(FRootKey);
  if (Reg.OpenKey(RootPath(SectionPath(Section)), false)) Reg.DeleteValue(Ident);
}

void TRegIniFile::EraseSection(const std::string& Section) {
  TRegistry Reg(KEY_READ | KEY_WRITE);
  Reg.SetRootKey(FRootKey);
  if (StripSlash(Section).empty()) return;
  Reg.DeleteKey(RootPath(SectionPath(Section)));
}

std::vector<std::string> TRegIniFile::ReadSection(const std::string& Section) {
  TRegistry Reg(KEY_READ);
  Reg.SetRootKey(FRootKey);
  if (!Reg.OpenKeyReadOnly(RootPath(SectionPath(Section)))) return {};
  return Reg.GetValueNames();
}
