// The viewer's settings store in the registry: each section a subkey of the
// base key (the empty section is the base key itself), each value a string
// value.
#pragma once

#include <optional>
#include <string>

#include "model/Settings.h"
#include "platform/Registry.h"

class TRegSettingsStore : public TSettingsStore {
public:
  // Settings under RootKey\BaseKey (the viewer panel's RegistryKey or
  // CodeRushRegistryKey). The base key is created when it does not
  // exist yet; when that fails, reading finds nothing and writing reports it.
  explicit TRegSettingsStore(std::string BaseKey, HKEY RootKey = HKEY_CURRENT_USER);

  // Nothing when the section or the value is missing or the value is not a
  // string value.
  std::optional<std::string> Read(const std::string& Section, const std::string& Name) override;
  // A REG_SZ value, its subkey created when needed; ERegistryException when
  // the subkey cannot be created or the value not written.
  void Write(const std::string& Section, const std::string& Name, const std::string& Value) override;
  void Remove(const std::string& Section, const std::string& Name) override;

  const std::string& GetBaseKey() const { return FBaseKey; }

private:
  std::string Path(const std::string& Section) const;
  std::string FBaseKey;
  HKEY FRootKey;
  // The last section opened for reading and for writing, kept open because
  // the values of a section are read and written one after the other.
  TRegistry FReader;
  std::string FReaderSection;
  bool FReaderOpen = false;
  TRegistry FWriter;
  std::string FWriterSection;
  bool FWriterOpen = false;
};
