#include "platform/LogFolder.h"

#include <shlobj.h>
#include <windows.h>

#include "model/LogFile.h"
#include "platform/PlatformExcept.h"

namespace {

class TWinLogFile : public TLogFileHandle {
public:
  TWinLogFile(HANDLE H, std::string Path) : FHandle(H), FPath(std::move(Path)) {}
  ~TWinLogFile() override { ::CloseHandle(FHandle); }
  TWinLogFile(const TWinLogFile&) = delete;
  TWinLogFile& operator=(const TWinLogFile&) = delete;

  void Write(const void* Data, std::size_t Size) override {
    const auto* P = static_cast<const char*>(Data);
    while (Size > 0) {
      const DWORD Chunk = Size > 0x40000000u ? 0x40000000u : static_cast<DWORD>(Size);
      DWORD Done = 0;
      if (!::WriteFile(FHandle, P, Chunk, &Done, nullptr) || Done == 0) {
        const DWORD E = ::GetLastError();
        throw ELogFileError(FPath, SysErrorMessage(E ? E : ERROR_DISK_FULL));
      }
      P += Done;
      Size -= Done;
    }
  }
  void Flush() override {
    if (!::FlushFileBuffers(FHandle)) throw ELogFileError(FPath, LastErrorMessage());
  }
  void Truncate(std::uint64_t Size) noexcept override {
    LARGE_INTEGER Pos;
    Pos.QuadPart = static_cast<LONGLONG>(Size);
    if (::SetFilePointerEx(FHandle, Pos, nullptr, FILE_BEGIN)) ::SetEndOfFile(FHandle);
  }

private:
  HANDLE FHandle;
  std::string FPath;
};

bool IsFolder(const std::string& Path) {
  const DWORD A = ::GetFileAttributesA(Path.c_str());
  return A != INVALID_FILE_ATTRIBUTES && (A & FILE_ATTRIBUTE_DIRECTORY);
}

}  // namespace

std::string LogPathRefusal(const std::string& Path) {
  // A pipe or a device would take the log and could block the viewer.
  if (IsDeviceFileName(Path)) return "the name is not one of a file on a disk";
  return {};
}

void TWinLogFileSystem::CreateFolder(const std::string& Folder) {
  if (Folder.empty()) throw ELogFileError(Folder, SysErrorMessage(ERROR_PATH_NOT_FOUND));
  if (const std::string Why = LogPathRefusal(Folder); !Why.empty()) throw ELogFileError(Folder, Why);
  std::string F = Folder;
  while (F.size() > 3 && (F.back() == '\\' || F.back() == '/')) F.pop_back();
  if (IsFolder(F)) return;
  // The parents first, then the folder itself.
  const std::size_t Sep = F.find_last_of("\\/");
  if (Sep != std::string::npos && Sep > 0 && F[Sep - 1] != ':' && F[Sep - 1] != '\\') {
    const std::string Parent = F.substr(0, Sep);
    if (!IsFolder(Parent)) CreateFolder(Parent);
  }
  if (!::CreateDirectoryA(F.c_str(), nullptr)) {
    const DWORD E = ::GetLastError();
    if (E != ERROR_ALREADY_EXISTS || !IsFolder(F)) throw ELogFileError(Folder, SysErrorMessage(E));
  }
}

std::unique_ptr<TLogFileHandle> TWinLogFileSystem::CreateNew(const std::string& Path) {
  if (const std::string Why = LogPathRefusal(Path); !Why.empty()) throw ELogFileError(Path, Why);
  // Others may read the file while it grows (the viewer opens it as a log).
  HANDLE H = ::CreateFileA(Path.c_str(), GENERIC_WRITE, FILE_SHARE_READ | FILE_SHARE_DELETE, nullptr, CREATE_NEW,
                           FILE_ATTRIBUTE_NORMAL, nullptr);
  if (H == INVALID_HANDLE_VALUE) {
    const DWORD E = ::GetLastError();
    if (E == ERROR_FILE_EXISTS || E == ERROR_ALREADY_EXISTS) return nullptr;
    throw ELogFileError(Path, SysErrorMessage(E));
  }
  auto File = std::make_unique<TWinLogFile>(H, Path);
  if (::GetFileType(H) != FILE_TYPE_DISK) throw ELogFileError(Path, "The name is not that of a file on a disk.");
  return File;
}

std::vector<std::string> TWinLogFileSystem::ListNames(const std::string& Folder) {
  std::vector<std::string> Names;
  WIN32_FIND_DATAA D;
  HANDLE H = ::FindFirstFileA(LogFilePath(Folder, "*").c_str(), &D);
  if (H == INVALID_HANDLE_VALUE) return Names;
  do {
    if (!(D.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY)) Names.emplace_back(D.cFileName);
  } while (::FindNextFileA(H, &D));
  ::FindClose(H);
  return Names;
}

bool TWinLogFileSystem::Delete(const std::string& Path) { return ::DeleteFileA(Path.c_str()) != 0; }

std::uint64_t TWinLogWriterClock::Milliseconds() { return ::GetTickCount64(); }

TLogLocalTime TWinLogWriterClock::LocalTime() {
  SYSTEMTIME T;
  ::GetLocalTime(&T);
  return TLogLocalTime{T.wYear, T.wMonth, T.wDay, T.wHour, T.wMinute, T.wSecond};
}

std::string DocumentsFolder() {
  char Buf[MAX_PATH] = {};
  if (FAILED(::SHGetFolderPathA(nullptr, CSIDL_PERSONAL, nullptr, SHGFP_TYPE_CURRENT, Buf))) return {};
  return Buf;
}
