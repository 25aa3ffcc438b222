// The start and end of LxCmps30.dll. The DLL holds its own copy of the
// platform layer: when it is unloaded (not at the process's end), that copy's
// hidden window, timers and window classes go with its code.
#include <windows.h>

#include "platform/Application.h"

extern "C" BOOL WINAPI DllMain(HINSTANCE, DWORD Reason, LPVOID Reserved) {
  if (Reason == DLL_PROCESS_DETACH && !Reserved) {
    try {
      Application->FinalizeModule();
    } catch (...) {
    }
  }
  return TRUE;
}
