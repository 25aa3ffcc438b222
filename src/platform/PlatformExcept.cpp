#include "platform/PlatformExcept.h"

#include <windows.h>

std::string SysErrorMessage(unsigned long ErrorCode) {
  char* Buffer = nullptr;
  DWORD Len =
      ::FormatMessageA(FORMAT_MESSAGE_ALLOCATE_BUFFER | FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS,
                       nullptr, ErrorCode, 0, reinterpret_cast<char*>(&Buffer), 0, nullptr);
  std::string Result;
  if (Len && Buffer) {
    Result.assign(Buffer, Len);
    while (!Result.empty() &&
           (Result.back() == '\n' || Result.back() == '\r' || Result.back() == ' ' || Result.back() == '.'))
      Result.pop_back();
  }
  if (Buffer) ::LocalFree(Buffer);
  if (Result.empty()) Result = "System error " + std::to_string(ErrorCode);
  return Result;
}

std::string LastErrorMessage() { return SysErrorMessage(::GetLastError()); }
