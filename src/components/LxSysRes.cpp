#include "components/LxSysRes.h"

#include <windows.h>

namespace {
using TGetFreeSystemResources = int(WINAPI*)(int);

class TResourceMeter {
public:
  TResourceMeter() = default;
  TResourceMeter(const TResourceMeter&) = delete;
  TResourceMeter& operator=(const TResourceMeter&) = delete;
  ~TResourceMeter() {
    if (FLibrary) ::FreeLibrary(FLibrary);
  }
  TGetFreeSystemResources Function() {
    if (!FFunction) {
      if (!FLibrary) FLibrary = ::LoadLibraryA("RSRC32.DLL");
      if (FLibrary)
        FFunction = reinterpret_cast<TGetFreeSystemResources>(
            reinterpret_cast<void*>(::GetProcAddress(FLibrary, "_MyGetFreeSystemResources32@4")));
    }
    return FFunction;
  }

private:
  HMODULE FLibrary = nullptr;
  TGetFreeSystemResources FFunction = nullptr;
};

TResourceMeter Meter;
}  // namespace

int GetFreeSystemResources(int Selector) {
  const TGetFreeSystemResources F = Meter.Function();
  return F ? F(Selector) : 0;
}
