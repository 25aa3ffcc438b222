// The protocol's own limit: a window that answers every WM_COPYDATA with 1 and
// does nothing else. The intake benchmark measures the viewer against it.
#include <windows.h>

#include "IntakeEcho.h"

namespace {

LRESULT CALLBACK EchoWndProc(HWND Wnd, UINT Msg, WPARAM WParam, LPARAM LParam) {
  switch (Msg) {
    case WM_COPYDATA: return 1;
    case WM_DESTROY: PostQuitMessage(0); return 0;
    default: return DefWindowProcA(Wnd, Msg, WParam, LParam);
  }
}

}  // namespace

int WINAPI WinMain(HINSTANCE Instance, HINSTANCE, LPSTR, int) {
  WNDCLASSA Cls{};
  Cls.lpfnWndProc = EchoWndProc;
  Cls.hInstance = Instance;
  Cls.lpszClassName = LxEchoClassName;
  if (!RegisterClassA(&Cls)) return 1;
  HWND Wnd = CreateWindowExA(0, LxEchoClassName, LxEchoCaption, WS_OVERLAPPEDWINDOW, 0, 0, 200, 100, nullptr, nullptr,
                             Instance, nullptr);
  if (!Wnd) return 1;
  MSG Msg;
  while (GetMessageA(&Msg, nullptr, 0, 0) > 0) {
    TranslateMessage(&Msg);
    DispatchMessageA(&Msg);
  }
  return 0;
}
