// The C interface of OrlimoClient.dll over the sender. No exception leaves it:
// a failure becomes ORLIMO_FAILED and its text OrlimoLastError().
#ifndef ORLIMO_CLIENT_EXPORTS
#define ORLIMO_CLIENT_EXPORTS  // this file is the DLL's
#endif
#include "OrlimoClient.h"

#include <cstring>
#include <exception>

#include "BkLxIntf.h"

namespace {

// The calling thread's last error text.
thread_local char LastError[256];

void SetLastErrorText(const char* Text) {
  std::size_t Length = std::strlen(Text);
  if (Length >= sizeof LastError) Length = sizeof LastError - 1;
  std::memcpy(LastError, Text, Length);
  LastError[Length] = '\0';
}

}  // namespace

extern "C" {

ORLIMO_API int ORLIMO_CALL OrlimoSend(int Kind, const char* Text, const char* Details, const char* TypeName) {
  SetLastErrorText("");
  try {
    switch (DefaultSender().SendMsgWithDetails(Kind, Text, Details, TypeName ? TypeName : "")) {
      case TBkLxSendResult::Taken: return ORLIMO_TAKEN;
      case TBkLxSendResult::NotTaken: return ORLIMO_REFUSED;
      case TBkLxSendResult::NoWindow: break;
    }
    return ORLIMO_NO_VIEWER;
  } catch (const std::exception& E) {
    SetLastErrorText(E.what());
  } catch (...) {
    SetLastErrorText("unknown error");
  }
  return ORLIMO_FAILED;
}

ORLIMO_API void* ORLIMO_CALL OrlimoFindViewer(int CanStart) {
  SetLastErrorText("");
  try {
    TBkOrlimo& Sender = DefaultSender();
    return CanStart ? Sender.FindViewerWindow() : Sender.FindRunningViewerWindow();
  } catch (const std::exception& E) {
    SetLastErrorText(E.what());
  } catch (...) {
    SetLastErrorText("unknown error");
  }
  return nullptr;
}

ORLIMO_API const char* ORLIMO_CALL OrlimoLastError(void) { return LastError; }

}  // extern "C"
