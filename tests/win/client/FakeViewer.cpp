// A program the sender starts in place of the viewer, that never offers a
// window the sender takes:
//   FakeViewer busy EVENT    makes a window and never waits for input (never idle)
//   FakeViewer other EVENT   shows a window with another caption and handles its messages
//   FakeViewer viewer EVENT  the same with the viewer's caption (a window the sender takes)
// Each ends when the named event is set (at the latest after 60 s); one whose
// event does not exist ends at once.
#include <windows.h>

#include <cstdlib>
#include <cstring>

int WINAPI WinMain(HINSTANCE Instance, HINSTANCE, LPSTR, int) {
  if (__argc < 3) return 1;
  HANDLE End = OpenEventA(SYNCHRONIZE, FALSE, __argv[2]);
  if (!End) return 2;
  const bool Busy = std::strcmp(__argv[1], "busy") == 0;
  const char* Caption = std::strcmp(__argv[1], "viewer") == 0 ? "Orlimo (32-bit)" : "Not the viewer";
  HWND Window =
      CreateWindowExA(0, "STATIC", Caption, WS_OVERLAPPEDWINDOW, 0, 0, 200, 100, nullptr, nullptr, Instance, nullptr);
  if (Busy) {
    WaitForSingleObject(End, 60000);
  } else {
    ShowWindow(Window, SW_SHOWNORMAL);
    const ULONGLONG Deadline = GetTickCount64() + 60000;
    while (GetTickCount64() < Deadline &&
           MsgWaitForMultipleObjects(1, &End, FALSE, 1000, QS_ALLINPUT) != WAIT_OBJECT_0) {
      MSG Msg;
      while (PeekMessageA(&Msg, nullptr, 0, 0, PM_REMOVE)) DispatchMessageA(&Msg);
    }
  }
  DestroyWindow(Window);
  CloseHandle(End);
  return 0;
}
