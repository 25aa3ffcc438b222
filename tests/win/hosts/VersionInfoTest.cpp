// The version resource of every program and DLL the build makes: the one
// project version in numbers and texts, the product name, the copyright line,
// a description of its own and its file name; and the version the About box
// shows is the one the viewer's file carries.
#include "core/LxAbtFrm.h"

#include <windows.h>

#include <gtest/gtest.h>

#include <cstdio>
#include <set>
#include <string>
#include <vector>

namespace {

std::vector<std::string> VersionedFiles() {
  std::vector<std::string> Files;
  std::string List = ORLIMO_VERSIONED_FILES;
  for (std::size_t At = 0; At <= List.size();) {
    std::size_t End = List.find('|', At);
    if (End == std::string::npos) End = List.size();
    std::string File = List.substr(At, End - At);
    for (char& C : File)
      if (C == '/') C = '\\';
    if (!File.empty()) Files.push_back(File);
    At = End + 1;
  }
  return Files;
}

std::string FileName(const std::string& Path) { return Path.substr(Path.find_last_of('\\') + 1); }

struct TVersionInfo {
  bool Found = false;
  VS_FIXEDFILEINFO Fixed{};
  std::vector<char> Data;
  std::string Block;  // "\StringFileInfo\<language><code page>\"

  std::string String(const char* Name) const {
    char* Value = nullptr;
    UINT Length = 0;
    const std::string Path = Block + Name;
    if (!VerQueryValueA(Data.data(), Path.c_str(), reinterpret_cast<void**>(&Value), &Length) || !Value) return {};
    return std::string(Value, Length > 0 && Value[Length - 1] == '\0' ? Length - 1 : Length);
  }
};

TVersionInfo ReadVersionInfo(const std::string& File) {
  TVersionInfo Info;
  DWORD Ignored = 0;
  const DWORD Size = GetFileVersionInfoSizeA(File.c_str(), &Ignored);
  if (Size == 0) return Info;
  Info.Data.resize(Size);
  if (!GetFileVersionInfoA(File.c_str(), 0, Size, Info.Data.data())) return Info;
  VS_FIXEDFILEINFO* Fixed = nullptr;
  UINT Length = 0;
  if (!VerQueryValueA(Info.Data.data(), "\\", reinterpret_cast<void**>(&Fixed), &Length) || Length < sizeof *Fixed)
    return Info;
  Info.Fixed = *Fixed;
  struct TTranslation {
    WORD Language;
    WORD CodePage;
  }* Translation = nullptr;
  if (!VerQueryValueA(Info.Data.data(), "\\VarFileInfo\\Translation", reinterpret_cast<void**>(&Translation),
                      &Length) ||
      Length < sizeof *Translation)
    return Info;
  char Block[64];
  std::snprintf(Block, sizeof Block, "\\StringFileInfo\\%04x%04x\\", Translation->Language, Translation->CodePage);
  Info.Block = Block;
  Info.Found = true;
  return Info;
}

// The project version as the four numbers of the fixed part.
void ProjectVersion(DWORD& High, DWORD& Low) {
  unsigned Part[4] = {0, 0, 0, 0};
  ASSERT_GE(std::sscanf(ORLIMO_VERSION_STRING, "%u.%u.%u.%u", &Part[0], &Part[1], &Part[2], &Part[3]), 2);
  High = MAKELONG(Part[1], Part[0]);
  Low = MAKELONG(Part[3], Part[2]);
}

TEST(VersionInfo, EveryProgramAndDllCarriesTheProjectVersion) {
  const auto Files = VersionedFiles();
  ASSERT_GE(Files.size(), 5U) << ORLIMO_VERSIONED_FILES;
  DWORD High = 0, Low = 0;
  ProjectVersion(High, Low);
  std::set<std::string> Descriptions;
  for (const std::string& File : Files) {
    SCOPED_TRACE(File);
    const TVersionInfo Info = ReadVersionInfo(File);
    ASSERT_TRUE(Info.Found) << "no version resource";
    EXPECT_EQ(Info.Fixed.dwSignature, 0xFEEF04BDU);
    EXPECT_EQ(Info.Fixed.dwFileVersionMS, High);
    EXPECT_EQ(Info.Fixed.dwFileVersionLS, Low);
    EXPECT_EQ(Info.Fixed.dwProductVersionMS, High);
    EXPECT_EQ(Info.Fixed.dwProductVersionLS, Low);
    const bool IsDll = File.size() > 4 && File.compare(File.size() - 4, 4, ".dll") == 0;
    EXPECT_EQ(Info.Fixed.dwFileType, IsDll ? DWORD{VFT_DLL} : DWORD{VFT_APP});
    EXPECT_EQ(Info.String("ProductName"), "Orlimo");
    EXPECT_EQ(Info.String("FileVersion"), ORLIMO_VERSION_STRING);
    EXPECT_EQ(Info.String("ProductVersion"), ORLIMO_VERSION_STRING);
    EXPECT_EQ(Info.String("LegalCopyright"), "Copyright (c) the Orlimo project");
    EXPECT_EQ(Info.String("OriginalFilename"), FileName(File));
    const std::string Description = Info.String("FileDescription");
    EXPECT_NE(Description.find("Orlimo"), std::string::npos) << Description;
    EXPECT_TRUE(Descriptions.insert(Description).second) << "described like another file: " << Description;
  }
}

TEST(VersionInfo, TheAboutBoxShowsTheViewersFileVersion) {
  const TVersionInfo Info = ReadVersionInfo(ORLIMO_EXE);
  ASSERT_TRUE(Info.Found);
  char Shown[64];
  std::snprintf(Shown, sizeof Shown, "Version %u.%u", static_cast<unsigned>(HIWORD(Info.Fixed.dwFileVersionMS)),
                static_cast<unsigned>(LOWORD(Info.Fixed.dwFileVersionMS)));
  EXPECT_STREQ(TLxAboutPicture::Version, Shown);
  // The texts begin with the same numbers.
  EXPECT_EQ(Info.String("ProductVersion").rfind(std::string(Shown + 8) + ".", 0), 0U) << Info.String("ProductVersion");
}

TEST(VersionInfo, AFileWithoutOneHasNone) {
  // The reader itself: a file the build does not stamp (the test program) has no resource.
  char Self[MAX_PATH] = {};
  ASSERT_GT(GetModuleFileNameA(nullptr, Self, MAX_PATH), 0U);
  EXPECT_FALSE(ReadVersionInfo(Self).Found);
}

}  // namespace
