#include "platform/Timers.h"

#include "platform/Application.h"
#include "platform/PlatformExcept.h"

#include <map>

namespace {
// Never destroyed: timers may still go while static objects are destroyed
// (the application frees its hint timer then).
std::map<UINT_PTR, TTimer*>& TimerTable() {
  static auto* Table = new std::map<UINT_PTR, TTimer*>;
  return *Table;
}
UINT_PTR GNextTimerId = 1;
}  // namespace

TTimer::TTimer(TComponent* AOwner) : TComponent(AOwner) { UpdateTimer(); }

// Never throws and never makes the hidden window: after a module's windows
// have gone there is no timer left to kill.
TTimer::~TTimer() {
  if (!FId) return;
  TimerTable().erase(FId);
  if (HWND H = Application ? Application->ExistingHandle() : nullptr) ::KillTimer(H, FId);
}

void TTimer::SetEnabled(bool Value) {
  if (Value == FEnabled) return;
  FEnabled = Value;
  UpdateTimer();
}

void TTimer::SetInterval(unsigned Value) {
  if (Value == FInterval) return;
  FInterval = Value;
  UpdateTimer();
}

void TTimer::SetOnTimer(TNotifyEvent Value) {
  OnTimer = std::move(Value);
  UpdateTimer();
}

void TTimer::UpdateTimer() {
  if (FId) {
    ::KillTimer(Application->GetHandle(), FId);
    TimerTable().erase(FId);
    FId = 0;
  }
  if (FEnabled && FInterval > 0) {
    const UINT_PTR Id = GNextTimerId++;
    if (!::SetTimer(Application->GetHandle(), Id, FInterval, nullptr))
      throw EOutOfResources("Not enough timers available");
    FId = Id;
    TimerTable()[Id] = this;
  }
}

void TTimer::Timer() {
  if (!OnTimer) return;
  // The handler may free this timer: it runs from a copy, and nothing of the
  // timer is touched after it.
  const TNotifyEvent Handler = OnTimer;
  Handler(this);
}

bool TTimer::DispatchTimer(UINT_PTR Id) {
  auto& Table = TimerTable();
  auto It = Table.find(Id);
  if (It == Table.end()) return false;
  It->second->Timer();
  return true;
}
