// Logging to file with the real program: the messages reach the files while
// it runs (and stay there when it is killed), the files rotate and are kept,
// and a folder that cannot be made is told once while every message is listed.
#include "StandaloneUtil.h"
#include "ViewerWindows.h"

#include <algorithm>
#include <vector>

#include "model/OrlimoMsg.h"
#include "model/OrlimoRecord.h"

namespace {

constexpr char LogFileKey[] = "Software\\Brunelk\\Orlimo\\1.0\\LogFile";

void SetLogValue(const char* Name, const std::string& Value) {
  HKEY Key = nullptr;
  ASSERT_EQ(RegCreateKeyExA(HKEY_CURRENT_USER, LogFileKey, 0, nullptr, 0, KEY_WRITE, nullptr, &Key, nullptr),
            ERROR_SUCCESS);
  RegSetValueExA(Key, Name, 0, REG_SZ, reinterpret_cast<const BYTE*>(Value.c_str()),
                 static_cast<DWORD>(Value.size() + 1));
  RegCloseKey(Key);
}

// The folder's files (names), sorted.
std::vector<std::string> FilesIn(const std::string& Folder) {
  std::vector<std::string> Names;
  WIN32_FIND_DATAA D;
  HANDLE H = FindFirstFileA((Folder + "\\*").c_str(), &D);
  if (H == INVALID_HANDLE_VALUE) return Names;
  do {
    if (!(D.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY)) Names.emplace_back(D.cFileName);
  } while (FindNextFileA(H, &D));
  FindClose(H);
  std::sort(Names.begin(), Names.end());
  return Names;
}

bool IsLogName(const std::string& N) { return N.rfind("Orlimo-", 0) == 0 && N.size() == 31; }

// The log files' bytes one after the other, in the order of their names.
std::string LoggedBytes(const std::string& Folder) {
  std::string All;
  for (const std::string& N : FilesIn(Folder))
    if (IsLogName(N)) All += ReadAll(Folder + "\\" + N);
  return All;
}

// Whether Bytes are whole records, every one.
bool DecodesWhole(const std::string& Bytes) {
  std::size_t Off = 0;
  TOrlimoRecord R;
  while (Off < Bytes.size()) {
    if (DecodeRecord(Bytes.data() + Off, Bytes.size() - Off, R) != TRecordStatus::Ok || R.Size == 0 ||
        Off + R.Size > Bytes.size())
      return false;
    Off += R.Size;
  }
  return true;
}

class LogToFile : public StandaloneProgram {
protected:
  std::string Folder;
  void SetUp() override {
    Folder = TempFile("logs");
    for (const std::string& N : FilesIn(Folder)) DeleteFileA((Folder + "\\" + N).c_str());
    RemoveDirectoryA(Folder.c_str());
    ASSERT_NO_FATAL_FAILURE(Configure(Folder, 10240, 0));
  }
  void TearDown() override {
    for (const std::string& N : FilesIn(Folder)) DeleteFileA((Folder + "\\" + N).c_str());
    RemoveDirectoryA(Folder.c_str());
    RegDeleteKeyA(HKEY_CURRENT_USER, LogFileKey);
  }
  static void Configure(const std::string& Dir, int MaxSizeKB, int Keep) {
    SetLogValue("Enabled", "1");
    SetLogValue("Folder", Dir);
    SetLogValue("MaxSizeKB", std::to_string(MaxSizeKB));
    SetLogValue("Daily", "0");
    SetLogValue("Keep", std::to_string(Keep));
  }
  // Count messages of about Size bytes each as a client sends them (and as
  // they are logged: infos without details keep every byte).
  static std::string Messages(int Count, std::size_t Size) {
    std::string Bytes;
    for (int I = 0; I < Count; ++I) {
      std::string Text = "message " + std::to_string(I) + " ";
      Text.resize(Size - 225, 'x');
      Bytes += LogRecord(I % 3, 1000 + I, Text, "", "E2eClient", "TE2e");
    }
    return Bytes;
  }
  void Send(const std::string& Bytes) {
    const std::string File = TempFile("send.olx");
    ASSERT_NO_FATAL_FAILURE(WriteAll(File, Bytes));
    EXPECT_EQ(RunLxSend("--file " + Quote(File)), 0);
    DeleteFileA(File.c_str());
  }
  // Polls (bounded) until the log files hold Size bytes.
  bool WaitForLogged(std::size_t Size) {
    const ULONGLONG Deadline = GetTickCount64() + 20000;
    while (LoggedBytes(Folder).size() < Size && GetTickCount64() < Deadline) Sleep(20);
    return LoggedBytes(Folder).size() == Size;
  }
};

TEST_F(LogToFile, EveryMessageIsOnDiskWhenTheViewerIsKilled) {
  ASSERT_NO_FATAL_FAILURE(StartViewer());
  const std::string Sent = Messages(50, 300);
  ASSERT_NO_FATAL_FAILURE(Send(Sent));
  ASSERT_TRUE(WaitForLogged(Sent.size()));
  TerminateProcess(Viewer.Handle(), 1);
  EXPECT_EQ(Viewer.Wait(30000), 1);
  const std::vector<std::string> Files = FilesIn(Folder);
  ASSERT_EQ(Files.size(), 1u);
  EXPECT_TRUE(IsLogName(Files[0])) << Files[0];
  const std::string Logged = LoggedBytes(Folder);
  EXPECT_TRUE(DecodesWhole(Logged));
  EXPECT_TRUE(Logged == Sent) << "the log differs from what was sent";
}

TEST_F(LogToFile, FilesRotateBySizeAndTheOldestAreDeleted) {
  ASSERT_NO_FATAL_FAILURE(Configure(Folder, 1, 3));
  CreateDirectoryA(Folder.c_str(), nullptr);
  ASSERT_NO_FATAL_FAILURE(WriteAll(Folder + "\\notes.txt", "mine"));
  ASSERT_NO_FATAL_FAILURE(WriteAll(Folder + "\\Orlimo-20000101-000000-0001.olx", ""));
  ASSERT_NO_FATAL_FAILURE(StartViewer());
  // Three records of 300 bytes per 1 KB file.
  const std::string Sent = Messages(9, 300);
  ASSERT_NO_FATAL_FAILURE(Send(Sent));
  ASSERT_TRUE(WaitForLogged(Sent.size()));
  CloseViewer();
  std::vector<std::string> Logs;
  for (const std::string& N : FilesIn(Folder))
    if (IsLogName(N)) Logs.push_back(N);
  ASSERT_EQ(Logs.size(), 3u);  // the old one went first
  for (const std::string& N : Logs) {
    const std::string Bytes = ReadAll(Folder + "\\" + N);
    EXPECT_EQ(Bytes.size(), 3u * 300) << N;
    EXPECT_TRUE(DecodesWhole(Bytes)) << N;
  }
  EXPECT_TRUE(LoggedBytes(Folder) == Sent);
  EXPECT_EQ(ReadAll(Folder + "\\notes.txt"), "mine");
}

TEST_F(LogToFile, AFolderThatCannotBeMadeIsToldOnceAndEveryMessageIsListed) {
  // A folder below a file cannot be made.
  const std::string Blocker = TempFile("blocker");
  ASSERT_NO_FATAL_FAILURE(WriteAll(Blocker, "x"));
  const std::string Bad = Blocker + "\\logs";
  ASSERT_NO_FATAL_FAILURE(Configure(Bad, 10240, 0));
  ASSERT_NO_FATAL_FAILURE(StartViewer());
  TMessageBoxInfo Box = WaitForMessageBox(Viewer.Id(), 20000);
  ASSERT_NE(Box.Box, nullptr) << "no message box";
  EXPECT_EQ(Box.Caption, "Orlimo");
  EXPECT_NE(Box.Text.find(Blocker), std::string::npos) << Box.Text;  // where it failed, and why
  SendMessageA(Box.Box, WM_COMMAND, IDOK, 0);

  const std::string Sent = Messages(5, 300);
  ASSERT_NO_FATAL_FAILURE(Send(Sent));
  const std::string Saved = SaveLog("listed.olx");
  EXPECT_TRUE(ReadAll(Saved) == Sent) << "the list lost messages";
  DWORD_PTR R = 0;
  SendMessageTimeoutA(Window, WM_NULL, 0, 0, SMTO_BLOCK, 10000, &R);
  EXPECT_EQ(FindBox(Viewer.Id()), nullptr) << "told twice";
  CloseViewer();
  DeleteFileA(Saved.c_str());
  DeleteFileA(Blocker.c_str());
}

}  // namespace
