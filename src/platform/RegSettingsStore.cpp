#include "platform/RegSettingsStore.h"

#include <utility>

TRegSettingsStore::TRegSettingsStore(std::string BaseKey, HKEY RootKey)
    : FBaseKey(std::move(BaseKey)), FRootKey(RootKey), FReader(KEY_READ), FWriter(KEY_READ | KEY_WRITE) {
  FReader.SetRootKey(FRootKey);
  FWriter.SetRootKey(FRootKey);
  FWriterSection = "";
  FWriterOpen = FWriter.OpenKey(Path(""), true);
}

std::string TRegSettingsStore::Path(const std::string& Section) const {
  std::string P = "\\" + FBaseKey;
  if (!Section.empty()) P += "\\" + Section;
  return P;
}

std::optional<std::string> TRegSettingsStore::Read(const std::string& Section, const std::string& Name) {
  if (!FReaderOpen || FReaderSection != Section) {
    FReaderSection = Section;
    FReaderOpen = FReader.OpenKeyReadOnly(Path(Section));
  }
  if (!FReaderOpen || !FReader.ValueExists(Name)) return std::nullopt;
  try {
    return FReader.ReadString(Name);
  } catch (const ERegistryException&) {
    return std::nullopt;  // a value of another type
  }
}

void TRegSettingsStore::Write(const std::string& Section, const std::string& Name, const std::string& Value) {
  if (!FWriterOpen || FWriterSection != Section) {
    FWriterSection = Section;
    FWriterOpen = FWriter.OpenKey(Path(Section), true);
    if (!FWriterOpen)
      throw ERegistryException("Failed to create key " + FBaseKey + (Section.empty() ? "" : "\\") + Section);
  }
  FWriter.WriteString(Name, Value);
}

void TRegSettingsStore::Remove(const std::string& Section, const std::string& Name) {
  if (!FWriterOpen || FWriterSection != Section) {
    FWriterSection = Section;
    FWriterOpen = FWriter.OpenKey(Path(Section), false);
  }
  if (FWriterOpen && FWriter.ValueExists(Name)) FWriter.DeleteValue(Name);
  if (FReaderSection == Section) FReaderOpen = false;  // read it afresh
}
