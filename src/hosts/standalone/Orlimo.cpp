// Orlimo.exe: the standalone viewer. One instance per session: a second start
// ends at once (exit code 0) and leaves the running one alone; clients find
// the running viewer by themselves.
#include <windows.h>

#include <cstdlib>
#include <string>
#include <vector>

#include "hosts/standalone/LxMainFm.h"
#include "platform/Forms.h"

namespace {

constexpr char MutexName[] = "Orlimo 32-bit Mutex";

// The single-instance mutex, owned while the program runs.
class TInstanceMutex {
public:
  TInstanceMutex()
      : FHandle(CreateMutexA(nullptr, TRUE, MutexName)), FExisted(GetLastError() == ERROR_ALREADY_EXISTS) {}
  ~TInstanceMutex() {
    if (!FHandle) return;
    if (!FExisted) ReleaseMutex(FHandle);
    CloseHandle(FHandle);
  }
  TInstanceMutex(const TInstanceMutex&) = delete;
  TInstanceMutex& operator=(const TInstanceMutex&) = delete;
  bool AnotherInstanceRuns() const { return FExisted; }

private:
  HANDLE FHandle;
  bool FExisted;
};

std::vector<std::string> CommandLineArgs() {
  std::vector<std::string> Args;
  for (int I = 1; I < __argc; ++I) Args.emplace_back(__argv[I]);
  return Args;
}

}  // namespace

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR, int) {
  TInstanceMutex Mutex;
  if (Mutex.AnotherInstanceRuns()) return 0;

  Application->Initialize();
  Application->SetTitle("Orlimo");
  TBkFrmOrlimo* Form = nullptr;
  try {
    Form = new TBkFrmOrlimo(nullptr, CommandLineArgs());
    Application->SetMainForm(Form);
    Application->Run();
  } catch (const std::exception& E) {
    Application->HandleException(E);
  }
  delete Form;
  return 0;
}
