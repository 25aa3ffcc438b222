// The application manifest of the windowed programs: each carries one, as
// resource RT_MANIFEST 1, asking for Common Controls version 6, per-monitor
// DPI awareness with its fallbacks, the systems from Windows 7 to 11 and long
// paths, and leaving the code page alone; and a started viewer really runs
// with version 6 of the common controls.
#include "StandaloneUtil.h"

#include <psapi.h>

#include <algorithm>
#include <cctype>

#include <string>
#include <vector>

#ifndef IDEHOST_EXE
#error "IDEHOST_EXE names the stand-in IDE"
#endif
#ifndef LXGALLERY_EXE
#error "LXGALLERY_EXE names the components gallery"
#endif

namespace {

std::string WindowsPath(std::string Path) {
  for (char& C : Path)
    if (C == '/') C = '\\';
  return Path;
}

struct TManifests {
  std::vector<std::string> Ids;  // names of every RT_MANIFEST resource, ids as "#n"
  std::string First;             // the text of RT_MANIFEST 1
};

BOOL CALLBACK CollectManifestName(HMODULE, LPCSTR, LPSTR Name, LONG_PTR Data) {
  auto* Ids = reinterpret_cast<std::vector<std::string>*>(Data);
  Ids->push_back(IS_INTRESOURCE(Name) ? "#" + std::to_string(reinterpret_cast<ULONG_PTR>(Name)) : std::string(Name));
  return TRUE;
}

TManifests ReadManifests(const std::string& File) {
  TManifests M;
  HMODULE Module = LoadLibraryExA(File.c_str(), nullptr, LOAD_LIBRARY_AS_DATAFILE | LOAD_LIBRARY_AS_IMAGE_RESOURCE);
  EXPECT_NE(Module, nullptr) << File;
  if (!Module) return M;
  EnumResourceNamesA(Module, MAKEINTRESOURCEA(24), CollectManifestName, reinterpret_cast<LONG_PTR>(&M.Ids));
  if (HRSRC Res = FindResourceA(Module, MAKEINTRESOURCEA(1), MAKEINTRESOURCEA(24))) {
    const DWORD Size = SizeofResource(Module, Res);
    if (HGLOBAL Data = LoadResource(Module, Res)) M.First.assign(static_cast<const char*>(LockResource(Data)), Size);
  }
  FreeLibrary(Module);
  return M;
}

// The text of every element named Tag (any attributes), in order.
std::vector<std::string> ElementTexts(const std::string& Xml, const std::string& Tag) {
  std::vector<std::string> Texts;
  for (std::size_t At = Xml.find("<" + Tag); At != std::string::npos; At = Xml.find("<" + Tag, At + 1)) {
    const char After = Xml[At + 1 + Tag.size()];
    if (After != ' ' && After != '>' && After != '\t' && After != '\r' && After != '\n') continue;
    const std::size_t Open = Xml.find('>', At);
    const std::size_t Close = Xml.find("</" + Tag + ">", Open);
    if (Open == std::string::npos || Close == std::string::npos) continue;
    Texts.push_back(Xml.substr(Open + 1, Close - Open - 1));
  }
  return Texts;
}

// The attributes of the first assemblyIdentity naming Name.
std::string IdentityOf(const std::string& Xml, const std::string& Name) {
  const std::size_t At = Xml.find("name=\"" + Name + "\"");
  if (At == std::string::npos) return {};
  const std::size_t Start = Xml.rfind("<assemblyIdentity", At);
  const std::size_t End = Xml.find("/>", At);
  if (Start == std::string::npos || End == std::string::npos) return {};
  return Xml.substr(Start, End - Start);
}

void ExpectProgramManifest(const std::string& File) {
  SCOPED_TRACE(File);
  const TManifests M = ReadManifests(File);
  ASSERT_EQ(M.Ids, std::vector<std::string>{"#1"}) << "exactly one manifest, the process's own";
  const std::string& X = M.First;
  ASSERT_FALSE(X.empty());
  EXPECT_EQ(X.rfind("<?xml", 0), 0u);

  const std::string Controls = IdentityOf(X, "Microsoft.Windows.Common-Controls");
  ASSERT_FALSE(Controls.empty()) << X;
  EXPECT_NE(Controls.find("version=\"6.0.0.0\""), std::string::npos) << Controls;
  EXPECT_NE(Controls.find("publicKeyToken=\"6595b64144ccf1df\""), std::string::npos) << Controls;
  EXPECT_NE(Controls.find("type=\"win32\""), std::string::npos) << Controls;
  // The dependency is in a dependentAssembly, not the program's own identity.
  const std::size_t Dep = X.find("<dependentAssembly>");
  ASSERT_NE(Dep, std::string::npos);
  EXPECT_LT(Dep, X.find("Microsoft.Windows.Common-Controls"));

  EXPECT_EQ(ElementTexts(X, "longPathAware"), std::vector<std::string>{"true"});
#if ORLIMO_DPI_AWARE
  EXPECT_EQ(ElementTexts(X, "dpiAware"), std::vector<std::string>{"true/pm"});
  EXPECT_EQ(ElementTexts(X, "dpiAwareness"), std::vector<std::string>{"PerMonitorV2, PerMonitor"});
  EXPECT_NE(X.find("http://schemas.microsoft.com/SMI/2005/WindowsSettings\">true/pm<"), std::string::npos);
  EXPECT_NE(X.find("http://schemas.microsoft.com/SMI/2016/WindowsSettings\">PerMonitorV2"), std::string::npos);
#else
  EXPECT_TRUE(ElementTexts(X, "dpiAware").empty()) << "not declared before the windows scale";
  EXPECT_TRUE(ElementTexts(X, "dpiAwareness").empty());
#endif

  for (const char* Os : {"{35138b9a-5d96-4fbd-8e2d-a2440225f93a}",   // Windows 7
                         "{4a2f28e3-53b9-4441-ba9c-d69d4a4a6e38}",   // Windows 8
                         "{1f676c76-80e1-4239-95bb-83d0f6d0da78}",   // Windows 8.1
                         "{8e0f7a12-bfb3-4fe8-b9a5-48fd50a15a9a}"})  // Windows 10 and 11
    EXPECT_NE(X.find(std::string("<supportedOS Id=\"") + Os + "\"/>"), std::string::npos) << Os;
  EXPECT_EQ(X.find("activeCodePage"), std::string::npos) << "the code page stays the system's";
}

TEST(ProgramManifest, TheViewerCarriesItsManifest) { ExpectProgramManifest(WindowsPath(ORLIMO_EXE)); }
TEST(ProgramManifest, TheStandInIdeCarriesItsManifest) { ExpectProgramManifest(WindowsPath(IDEHOST_EXE)); }
TEST(ProgramManifest, TheGalleryCarriesItsManifest) { ExpectProgramManifest(WindowsPath(LXGALLERY_EXE)); }

// The file of a module loaded in another process, found by its base name.
std::string LoadedModulePath(HANDLE Process, const char* BaseName) {
  std::vector<HMODULE> Modules(512);
  DWORD Needed = 0;
  if (!EnumProcessModules(Process, Modules.data(), static_cast<DWORD>(Modules.size() * sizeof(HMODULE)), &Needed))
    return {};
  Modules.resize(std::min<std::size_t>(Modules.size(), Needed / sizeof(HMODULE)));
  for (HMODULE M : Modules) {
    char Name[MAX_PATH] = {};
    if (GetModuleBaseNameA(Process, M, Name, MAX_PATH) && lstrcmpiA(Name, BaseName) == 0) {
      char Path[MAX_PATH] = {};
      GetModuleFileNameExA(Process, M, Path, MAX_PATH);
      return Path;
    }
  }
  return {};
}

TEST_F(StandaloneProgram, TheStartedViewerRunsWithCommonControlsVersion6) {
  ASSERT_NO_FATAL_FAILURE(StartViewer());
  const std::string Controls = LoadedModulePath(Viewer.Handle(), "comctl32.dll");
  ASSERT_FALSE(Controls.empty()) << "comctl32.dll is not loaded in the viewer";
  // The copy of the side-by-side assembly Microsoft.Windows.Common-Controls
  // 6.0, never the system folder's version 5. (The path is what tells them
  // apart everywhere: Wine's copy of version 6 carries version 5's numbers
  // in its version resource.)
  std::string Lower = Controls;
  for (char& C : Lower) C = static_cast<char>(std::tolower(static_cast<unsigned char>(C)));
  EXPECT_NE(Lower.find("\\winsxs\\"), std::string::npos) << Controls;
  EXPECT_NE(Lower.find("microsoft.windows.common-controls_6595b64144ccf1df_6."), std::string::npos) << Controls;
  char System[MAX_PATH] = {};
  GetSystemDirectoryA(System, MAX_PATH);
  EXPECT_NE(lstrcmpiA(Controls.c_str(), (std::string(System) + "\\comctl32.dll").c_str()), 0) << Controls;

#if ORLIMO_DPI_AWARE
  // The window runs per-monitor aware (v2 where the system has it).
  using TGetContext = HANDLE(WINAPI*)(HWND);
  using TEqual = BOOL(WINAPI*)(HANDLE, HANDLE);
  HMODULE User = GetModuleHandleA("user32.dll");
  auto GetContext =
      reinterpret_cast<TGetContext>(reinterpret_cast<void*>(GetProcAddress(User, "GetWindowDpiAwarenessContext")));
  auto Equal = reinterpret_cast<TEqual>(reinterpret_cast<void*>(GetProcAddress(User, "AreDpiAwarenessContextsEqual")));
  if (GetContext && Equal) {
    const HANDLE Context = GetContext(Window);
    const HANDLE PerMonitorV2 = reinterpret_cast<HANDLE>(static_cast<LONG_PTR>(-4));
    const HANDLE PerMonitor = reinterpret_cast<HANDLE>(static_cast<LONG_PTR>(-3));
    EXPECT_TRUE(Equal(Context, PerMonitorV2) || Equal(Context, PerMonitor));
  }
#endif
  CloseViewer();
}

}  // namespace
