// The installed package, checked from inside the Wine prefix it was installed
// into (scripts/test-package.sh installs and removes it, and runs the groups):
//   Installed.*  the shortcut, ExePath, the .olx file type, the product registration
//   Running.*    the installed lxsend starts the installed viewer through ExePath;
//                a log opens in the viewer through its file type
//   Removed.*    nothing of the install is left; the user's settings stay
// The environment names the install: ORLIMO_INSTALL_DIR (its Windows folder),
// ORLIMO_INSTALL_VIEW (32 or 64, the package's registry view),
// ORLIMO_INSTALL_VERSION and ORLIMO_UPGRADE_CODE.
#include <windows.h>

#include <msi.h>
#include <objbase.h>
#include <shellapi.h>
#include <shlobj.h>
#include <shobjidl.h>

#include <gtest/gtest.h>

#include <cstdlib>
#include <string>
#include <utility>
#include <vector>

#include "lxsend/LxProcess.h"
#include "lxsend/LxSender.h"
#include "model/LogFile.h"
#include "model/OrlimoMsg.h"
#include "model/OrlimoRecord.h"

namespace {

std::string Env(const char* Name) {
  const char* Value = std::getenv(Name);
  return Value ? Value : "";
}

std::string InstallDir() {
  std::string Dir = Env("ORLIMO_INSTALL_DIR");
  if (!Dir.empty() && Dir.back() == '\\') Dir.pop_back();
  return Dir;
}

std::string ViewerExe() { return InstallDir() + "\\Orlimo.exe"; }

// The package's registry view: a 32-bit package writes the 32-bit one.
REGSAM View() { return Env("ORLIMO_INSTALL_VIEW") == "64" ? KEY_WOW64_64KEY : KEY_WOW64_32KEY; }

bool SameText(const std::string& A, const std::string& B) { return lstrcmpiA(A.c_str(), B.c_str()) == 0; }

bool KeyExists(HKEY Root, const char* Path, REGSAM Flags) {
  HKEY Key = nullptr;
  if (RegOpenKeyExA(Root, Path, 0, KEY_READ | Flags, &Key) != ERROR_SUCCESS) return false;
  RegCloseKey(Key);
  return true;
}

// A string value; Type is set to the value's type (REG_NONE when it is missing).
std::string ReadValue(HKEY Root, const char* Path, const char* Name, DWORD& Type) {
  Type = REG_NONE;
  HKEY Key = nullptr;
  // File types are shared by both views on Windows; Wine's 32-bit installer
  // may keep them in either.
  const REGSAM OtherView = View() == KEY_WOW64_32KEY ? KEY_WOW64_64KEY : KEY_WOW64_32KEY;
  if (RegOpenKeyExA(Root, Path, 0, KEY_READ | View(), &Key) != ERROR_SUCCESS &&
      (Root != HKEY_CLASSES_ROOT || RegOpenKeyExA(Root, Path, 0, KEY_READ | OtherView, &Key) != ERROR_SUCCESS))
    return {};
  char Data[1024] = {};
  DWORD Size = sizeof Data - 1;
  if (RegQueryValueExA(Key, Name, nullptr, &Type, reinterpret_cast<BYTE*>(Data), &Size) != ERROR_SUCCESS)
    Type = REG_NONE;
  RegCloseKey(Key);
  return Data;
}

std::string ReadString(HKEY Root, const char* Path, const char* Name) {
  DWORD Type = REG_NONE;
  std::string Value = ReadValue(Root, Path, Name, Type);
  EXPECT_EQ(Type, DWORD{REG_SZ}) << Path << " " << (Name ? Name : "(default)");
  return Value;
}

// Where a per-machine install puts its Start menu entry, and where Wine's
// installer puts it (the user's Start menu, whatever ALLUSERS says).
std::vector<std::string> ShortcutPlaces() {
  std::vector<std::string> Places;
  for (const int Folder : {CSIDL_COMMON_PROGRAMS, CSIDL_PROGRAMS}) {
    char Path[MAX_PATH] = {};
    if (SUCCEEDED(SHGetFolderPathA(nullptr, Folder, nullptr, 0, Path)))
      Places.push_back(std::string(Path) + "\\Orlimo.lnk");
  }
  return Places;
}

bool FileExists(const std::string& Name) { return GetFileAttributesA(Name.c_str()) != INVALID_FILE_ATTRIBUTES; }

// The program a shortcut starts.
std::string ShortcutTarget(const std::string& Link) {
  std::string Target;
  IShellLinkA* Shell = nullptr;
  if (FAILED(CoCreateInstance(CLSID_ShellLink, nullptr, CLSCTX_INPROC_SERVER, IID_IShellLinkA,
                              reinterpret_cast<void**>(&Shell))))
    return Target;
  IPersistFile* File = nullptr;
  if (SUCCEEDED(Shell->QueryInterface(IID_IPersistFile, reinterpret_cast<void**>(&File)))) {
    std::wstring Wide(Link.begin(), Link.end());
    char Path[MAX_PATH] = {};
    if (SUCCEEDED(File->Load(Wide.c_str(), STGM_READ)) && SUCCEEDED(Shell->GetPath(Path, MAX_PATH, nullptr, 0)))
      Target = Path;
    File->Release();
  }
  Shell->Release();
  return Target;
}

// The installed products of Orlimo's upgrade code and their versions.
std::vector<std::pair<std::string, std::string>> InstalledProducts() {
  std::vector<std::pair<std::string, std::string>> Products;
  const std::string Upgrade = Env("ORLIMO_UPGRADE_CODE");
  char Code[39] = {};
  for (DWORD I = 0; MsiEnumRelatedProductsA(Upgrade.c_str(), 0, I, Code) == ERROR_SUCCESS; ++I) {
    char Version[64] = {};
    DWORD Size = sizeof Version;
    MsiGetProductInfoA(Code, "VersionString", Version, &Size);
    Products.emplace_back(Code, Version);
  }
  return Products;
}

std::string TempFile(const std::string& Name) {
  char Dir[MAX_PATH];
  GetTempPathA(MAX_PATH, Dir);
  return std::string(Dir) + "orlimo-setup-" + std::to_string(GetCurrentProcessId()) + "-" + Name;
}

class TComScope {
public:
  TComScope() { CoInitialize(nullptr); }
  ~TComScope() { CoUninitialize(); }
  TComScope(const TComScope&) = delete;
  TComScope& operator=(const TComScope&) = delete;
};

TEST(Installed, TheStartMenuShortcutStartsTheViewer) {
  ASSERT_FALSE(InstallDir().empty()) << "ORLIMO_INSTALL_DIR names the install";
  TComScope Com;
  std::string Found;
  for (const std::string& Link : ShortcutPlaces())
    if (FileExists(Link)) Found = Link;
  ASSERT_FALSE(Found.empty()) << "no Orlimo.lnk in the Start menu";
  EXPECT_PRED2(SameText, ShortcutTarget(Found), ViewerExe());
}

TEST(Installed, ExePathHoldsTheViewersPathInQuotes) {
  EXPECT_EQ(ReadString(HKEY_LOCAL_MACHINE, "SOFTWARE\\Brunelk\\Orlimo\\1.1", "ExePath"), "\"" + ViewerExe() + "\"");
}

TEST(Installed, LogFilesAreOfTheViewersFileType) {
  const std::string ProgId = ReadString(HKEY_CLASSES_ROOT, ".olx", nullptr);
  ASSERT_FALSE(ProgId.empty());
  EXPECT_EQ(ReadString(HKEY_CLASSES_ROOT, ProgId.c_str(), nullptr), "Orlimo log file");
  EXPECT_PRED2(SameText, ReadString(HKEY_CLASSES_ROOT, (ProgId + "\\DefaultIcon").c_str(), nullptr),
               ViewerExe() + ",0");
  EXPECT_PRED2(SameText, ReadString(HKEY_CLASSES_ROOT, (ProgId + "\\shell\\open\\command").c_str(), nullptr),
               "\"" + ViewerExe() + "\" \"%1\"");
}

TEST(Installed, TheProductIsInstalledOnceInThisVersion) {
  const auto Products = InstalledProducts();
  ASSERT_EQ(Products.size(), 1U);
  EXPECT_EQ(Products[0].second, Env("ORLIMO_INSTALL_VERSION"));
}

// The installed viewer's window, found now; closed and waited for at the end.
class TInstalledViewer {
public:
  HWND Window = nullptr;
  bool Find() {
    Window = FindWindowA(LxMainClassName, LxMainCaption);
    if (!Window) return false;
    DWORD Pid = 0;
    GetWindowThreadProcessId(Window, &Pid);
    FProcess = OpenProcess(SYNCHRONIZE | PROCESS_QUERY_LIMITED_INFORMATION, FALSE, Pid);
    return FProcess != nullptr;
  }
  // Polls for the window until it exists, at most Ms.
  bool WaitFor(DWORD Ms) {
    const ULONGLONG End = GetTickCount64() + Ms;
    while (!Find()) {
      if (GetTickCount64() > End) return false;
      MsgWaitForMultipleObjects(0, nullptr, FALSE, 50, QS_ALLINPUT);
    }
    return true;
  }
  std::string Program() const {
    char Path[MAX_PATH] = {};
    DWORD Size = MAX_PATH;
    if (!FProcess || !QueryFullProcessImageNameA(FProcess, 0, Path, &Size)) return {};
    return Path;
  }
  ~TInstalledViewer() {
    if (!FProcess) return;
    PostMessageA(Window, WM_CLOSE, 0, 0);
    EXPECT_EQ(WaitForSingleObject(FProcess, 30000), WAIT_OBJECT_0) << "the viewer did not end";
    CloseHandle(FProcess);
  }
  TInstalledViewer() = default;
  TInstalledViewer(const TInstalledViewer&) = delete;
  TInstalledViewer& operator=(const TInstalledViewer&) = delete;

private:
  HANDLE FProcess = nullptr;
};

// Runs the installed lxsend; its exit code.
long RunInstalledLxSend(const std::string& Args) {
  TLxProcess P;
  if (!P.Start(LxQuote(InstallDir() + "\\lxsend.exe") + " --quiet " + Args, SW_HIDE)) return -2;
  return P.Wait(60000);
}

// The viewer's list, saved by the save-log command the installed lxsend sends.
std::string SavedList(const std::string& Name) {
  const std::string File = TempFile(Name);
  DeleteFileA(File.c_str());
  EXPECT_EQ(RunInstalledLxSend("savelog " + LxQuote(File)), 0);
  const TFileBytes Bytes = ReadFileBytes(File);
  DeleteFileA(File.c_str());
  return std::string(Bytes.Data.get(), Bytes.Size);
}

class Running : public ::testing::Test {
protected:
  void SetUp() override {
    ASSERT_FALSE(InstallDir().empty()) << "ORLIMO_INSTALL_DIR names the install";
    ASSERT_EQ(FindWindowA(LxMainClassName, LxMainCaption), nullptr) << "a viewer is running";
  }
};

TEST_F(Running, TheInstalledLxSendStartsTheInstalledViewerThroughExePath) {
  {
    EXPECT_EQ(RunInstalledLxSend("--app Setup info \"sent by the installed lxsend\""), 0);
    TInstalledViewer Viewer;
    ASSERT_TRUE(Viewer.Find()) << "lxsend started no viewer";
    EXPECT_PRED2(SameText, Viewer.Program(), ViewerExe());
    const std::vector<TLxMessage> Saved = LxMessagesFromLog(SavedList("sent.olx"));
    ASSERT_EQ(Saved.size(), 1U);
    EXPECT_EQ(Saved[0].Kind, lxmInfo);
    EXPECT_EQ(Saved[0].AppName, "Setup");
    EXPECT_EQ(Saved[0].Text, "sent by the installed lxsend");
  }
  // The viewer kept its settings for the user when it closed.
  EXPECT_TRUE(KeyExists(HKEY_CURRENT_USER, "Software\\Brunelk\\Orlimo\\1.0", 0));
}

TEST_F(Running, ALogOpensInTheViewerThroughItsFileType) {
  std::string Log;
  EncodeRecord(Log, lxmInfo, 100, "opened by its file type", "", "Setup", "", 1);
  EncodeRecord(Log, lxmObject, 110, "object", "A\t1\r\nB\t2\r\n", "Setup", "TThing", 1);
  const std::string File = TempFile("opened.olx");
  {
    HANDLE H = CreateFileA(File.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr);
    ASSERT_NE(H, INVALID_HANDLE_VALUE);
    DWORD Written = 0;
    WriteFile(H, Log.data(), static_cast<DWORD>(Log.size()), &Written, nullptr);
    CloseHandle(H);
    ASSERT_EQ(Written, Log.size());
  }
  SHELLEXECUTEINFOA Info{};
  Info.cbSize = sizeof Info;
  Info.fMask = SEE_MASK_NOCLOSEPROCESS | SEE_MASK_FLAG_NO_UI;
  Info.lpVerb = "open";
  Info.lpFile = File.c_str();
  Info.nShow = SW_SHOWNORMAL;
  ASSERT_TRUE(ShellExecuteExA(&Info)) << "error " << GetLastError();
  if (Info.hProcess) CloseHandle(Info.hProcess);
  {
    TInstalledViewer Viewer;
    ASSERT_TRUE(Viewer.WaitFor(30000)) << "the file type started no viewer";
    EXPECT_PRED2(SameText, Viewer.Program(), ViewerExe());
    EXPECT_TRUE(SavedList("resaved.olx") == Log) << "the opened log is not what the viewer lists";
  }
  DeleteFileA(File.c_str());
}

TEST(Removed, NothingOfTheInstallIsLeft) {
  ASSERT_FALSE(InstallDir().empty()) << "ORLIMO_INSTALL_DIR names the install";
  EXPECT_FALSE(FileExists(InstallDir())) << InstallDir();
  for (const std::string& Link : ShortcutPlaces()) EXPECT_FALSE(FileExists(Link)) << Link;
  for (const char* Key : {"SOFTWARE\\Brunelk\\Orlimo\\1.1", "SOFTWARE\\Brunelk"})
    EXPECT_FALSE(KeyExists(HKEY_LOCAL_MACHINE, Key, View())) << Key;
  for (const char* Key : {".olx", "Orlimo.LogFile"}) EXPECT_FALSE(KeyExists(HKEY_CLASSES_ROOT, Key, View())) << Key;
  EXPECT_TRUE(InstalledProducts().empty());
}

TEST(Removed, TheUsersSettingsStay) { EXPECT_TRUE(KeyExists(HKEY_CURRENT_USER, "Software\\Brunelk\\Orlimo\\1.0", 0)); }

}  // namespace
