// A client that ends with text written to SenderText and no line end:
//   TextEnd TEXT                     the main thread writes it and returns
//   TextEnd --exit-on-thread TEXT    another thread writes it and ends the program
#include <windows.h>

#include <cstdlib>
#include <cstring>

#include "BkLxIntf.h"

static DWORD WINAPI WriteAndExit(LPVOID Text) {
  SenderText << static_cast<const char*>(Text);
  std::exit(0);
}

int main(int Argc, char** Argv) {
  if (Argc == 3 && std::strcmp(Argv[1], "--exit-on-thread") == 0) {
    HANDLE Thread = CreateThread(nullptr, 0, WriteAndExit, Argv[2], 0, nullptr);
    WaitForSingleObject(Thread, INFINITE);
    return 1;
  }
  if (Argc != 2) return 2;
  SenderText << Argv[1];
  return 0;
}
