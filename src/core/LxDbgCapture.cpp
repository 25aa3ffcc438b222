#include "core/LxDbgCapture.h"

#include <cstring>
#include <unordered_map>
#include <utility>

#include "core/BkLxStr.h"
#include "model/OrlimoMsg.h"
#include "model/OrlimoRecord.h"
#include "platform/Forms.h"
#include "protocol/LxDispatch.h"

namespace {

constexpr DWORD ChannelSize = 4096;
constexpr UINT WM_DBGBATCH = WM_APP + 0x2D0;
constexpr UINT_PTR HoldTimerId = 1;
constexpr UINT HoldTimerInterval = 100;
// While writes keep coming, the GUI takes them this often.
constexpr UINT_PTR DrainTimerId = 2;
constexpr UINT DrainTimerInterval = 30;
// How long a stopping reader waits for a writer that was already let in
// before it lets the next one through.
constexpr DWORD ReleaseWait = 50;
constexpr const char* CaptureClassName = "TLxDbgCapture";

HWND CreateMessageWindow(TLxDbgCapture* Owner) {
  const HINSTANCE Instance = BkLxStr::ResourceModule();
  WNDCLASSA Class{};
  if (!GetClassInfoA(Instance, CaptureClassName, &Class)) {
    Class.lpfnWndProc = &TLxDbgCapture::WindowProc;
    Class.hInstance = Instance;
    Class.lpszClassName = CaptureClassName;
    RegisterClassA(&Class);
  }
  HWND Wnd = CreateWindowExA(0, CaptureClassName, "", 0, 0, 0, 0, 0, HWND_MESSAGE, nullptr, Instance, nullptr);
  if (Wnd) SetWindowLongPtrA(Wnd, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(Owner));
  return Wnd;
}

using TQueryImageName = BOOL(WINAPI*)(HANDLE, DWORD, LPSTR, PDWORD);

TQueryImageName QueryImageNameFunction() {
  const HMODULE Kernel = GetModuleHandleA("kernel32.dll");
  return Kernel ? reinterpret_cast<TQueryImageName>(
                      reinterpret_cast<void*>(GetProcAddress(Kernel, "QueryFullProcessImageNameA")))
                : nullptr;
}

bool ProcessEnded(HANDLE Process) { return WaitForSingleObject(Process, 0) == WAIT_OBJECT_0; }

// The reader thread's names. Each process asked keeps an open handle, so its
// id cannot be given to another process while its name is cached; when a new
// id comes, the names of processes that have ended are dropped.
class TProcessNames {
public:
  TProcessNames() : FQuery(QueryImageNameFunction()), FCache([this](std::uint32_t Pid) { return Lookup(Pid); }) {}
  ~TProcessNames() {
    for (auto& Entry : FHandles) CloseHandle(Entry.second);
  }
  TProcessNames(const TProcessNames&) = delete;
  TProcessNames& operator=(const TProcessNames&) = delete;

  const std::string& Name(std::uint32_t Pid) { return FCache.Name(Pid); }

private:
  std::optional<std::string> Lookup(std::uint32_t Pid) {
    Prune();
    HANDLE Process = OpenProcess(PROCESS_QUERY_LIMITED_INFORMATION | SYNCHRONIZE, FALSE, Pid);
    if (!Process) return std::nullopt;
    if (FQuery) {
      char Path[MAX_PATH * 2];
      DWORD Size = sizeof Path;
      if (FQuery(Process, 0, Path, &Size) && Size > 0) {
        FHandles.emplace_back(Pid, Process);
        return std::string(Path, Size);
      }
    }
    CloseHandle(Process);
    return std::nullopt;
  }
  void Prune() {
    for (std::size_t I = 0; I < FHandles.size();) {
      if (!ProcessEnded(FHandles[I].second)) {
        ++I;
        continue;
      }
      CloseHandle(FHandles[I].second);
      FCache.Forget(FHandles[I].first);
      FHandles[I] = FHandles.back();
      FHandles.pop_back();
    }
  }

  TQueryImageName FQuery;
  TDbgNameCache FCache;
  std::vector<std::pair<std::uint32_t, HANDLE>> FHandles;
};

void CloseIf(HANDLE& Handle) {
  if (Handle) CloseHandle(Handle);
  Handle = nullptr;
}

}  // namespace

TLxDbgCapture::TLxDbgCapture(TLxIntakePanel& Panel, std::string Prefix)
    : FPanel(Panel), FPrefix(std::move(Prefix)), FQueue(std::make_unique<TDbgQueue>()) {
  FWnd = CreateMessageWindow(this);
}

TLxDbgCapture::~TLxDbgCapture() {
  Stop(false);
  if (FWnd) {
    SetWindowLongPtrA(FWnd, GWLP_USERDATA, 0);
    DestroyWindow(FWnd);
  }
}

void TLxDbgCapture::SetQueueBound(std::size_t MaxWrites, std::size_t MaxBytes) {
  if (IsRunning()) return;
  FQueue = std::make_unique<TDbgQueue>(MaxWrites, MaxBytes);
}

TLxDbgCapture::TStart TLxDbgCapture::Start() {
  if (IsRunning()) return TStart::Started;
  FMapping = CreateFileMappingA(INVALID_HANDLE_VALUE, nullptr, PAGE_READWRITE, 0, ChannelSize,
                                (FPrefix + "DBWIN_BUFFER").c_str());
  if (!FMapping) return GetLastError() == ERROR_ACCESS_DENIED ? TStart::Denied : TStart::Failed;
  // Writers only open the section: when it exists already, a reader made it.
  if (GetLastError() == ERROR_ALREADY_EXISTS) {
    CloseIf(FMapping);
    return TStart::Busy;
  }
  FView = static_cast<const unsigned char*>(MapViewOfFile(FMapping, FILE_MAP_READ, 0, 0, ChannelSize));
  FBufferReady = CreateEventA(nullptr, FALSE, FALSE, (FPrefix + "DBWIN_BUFFER_READY").c_str());
  DWORD Error = FBufferReady ? ERROR_SUCCESS : GetLastError();
  FDataReady = CreateEventA(nullptr, FALSE, FALSE, (FPrefix + "DBWIN_DATA_READY").c_str());
  if (!FDataReady && Error == ERROR_SUCCESS) Error = GetLastError();
  FStopEvent = CreateEventA(nullptr, TRUE, FALSE, nullptr);
  FWakeSent = false;
  if (!FView || !FBufferReady || !FDataReady || !FStopEvent || !FWnd) {
    CloseChannel();
    return Error == ERROR_ACCESS_DENIED ? TStart::Denied : TStart::Failed;
  }
  try {
    FThread = std::thread([this] { Run(); });
  } catch (...) {
    CloseChannel();
    return TStart::Failed;
  }
  return TStart::Started;
}

const char* TLxDbgCapture::RefusalText(TStart Result) const {
  if (!IsGlobal()) return BusyText();
  return Result == TStart::Denied ? GlobalDeniedText() : GlobalBusyText();
}

void TLxDbgCapture::Stop(bool ListRest) {
  if (!IsRunning()) return;
  SetEvent(FStopEvent);
  FThread.join();
  CloseChannel();
  if (FDraining) KillTimer(FWnd, DrainTimerId);
  FDraining = false;
  FWakeSent = false;
  if (ListRest) {
    TakeBatch();
    FSplitter.FlushAll(FLines);
    List(FLines);
  } else {
    FQueue->Take();
    std::vector<TDbgLine> Dropped;
    FSplitter.FlushAll(Dropped);
  }
  UpdateTimer();
}

void TLxDbgCapture::CloseChannel() {
  // A writer that opened the channel before it closes holds it open and waits
  // for the buffer (for 10 s). The buffer and the data event go first, so no
  // writer can open the channel any more; the buffer event is left signalled
  // as the last handle goes, which lets in the one that already waits.
  if (FView) UnmapViewOfFile(FView);
  FView = nullptr;
  CloseIf(FMapping);
  CloseIf(FDataReady);
  if (FBufferReady) SetEvent(FBufferReady);
  CloseIf(FBufferReady);
  CloseIf(FStopEvent);
}

void TLxDbgCapture::Run() {
  TProcessNames Names;
  const DWORD Own = GetCurrentProcessId();
  const HANDLE Waits[2] = {FStopEvent, FDataReady};
  char Text[ChannelSize];
  SetEvent(FBufferReady);
  for (bool Last = false; !Last;) {
    // The stop event comes first: a stop is seen even while writes pour in.
    // A write signalled by then is still taken: its writer has gone on as if
    // it was read, and it is listed, or counted as dropped, like the others.
    const DWORD Woke = WaitForMultipleObjects(2, Waits, FALSE, INFINITE);
    if (Woke != WAIT_OBJECT_0 + 1) {
      if (Woke != WAIT_OBJECT_0 || WaitForSingleObject(FDataReady, 0) != WAIT_OBJECT_0) break;
      Last = true;
    }
    DWORD Pid = 0;
    std::memcpy(&Pid, FView, sizeof Pid);
    const auto* Data = reinterpret_cast<const char*>(FView + sizeof Pid);
    const std::size_t Length = strnlen(Data, ChannelSize - sizeof Pid);
    std::memcpy(Text, Data, Length);
    // The writers wait for this: nothing else comes first.
    SetEvent(FBufferReady);
    if (Pid == Own) continue;
    TDbgWrite Write;
    Write.ProcessId = Pid;
    Write.TickCount = static_cast<std::int32_t>(GetTickCount());
    Write.Text.assign(Text, Length);
    Write.AppName = Names.Name(Pid);
    FQueue->Push(std::move(Write));
    if (!FWakeSent.exchange(true)) PostMessageA(FWnd, WM_DBGBATCH, 0, 0);
  }
  ReleaseWriters();
}

void TLxDbgCapture::ReleaseWriters() {
  // Writers take turns: each waits for the buffer, writes and signals. One
  // let in before the stop signals its write; the next one in line is let in
  // in its turn, until no writer comes within the wait.
  SetEvent(FBufferReady);
  while (WaitForSingleObject(FDataReady, ReleaseWait) == WAIT_OBJECT_0) SetEvent(FBufferReady);
}

bool TLxDbgCapture::TakeBatch() {
  // A list-full dialog opened while listing lets this message in again: the
  // outer call goes on until the queue is empty.
  if (FTaking) return true;
  FTaking = true;
  struct TReset {
    bool& Flag;
    ~TReset() { Flag = false; }
  } Reset{FTaking};
  bool Took = false;
  for (;;) {
    TDbgQueue::TBatch Batch = FQueue->Take();
    if (Batch.Writes.empty() && Batch.Dropped == 0) break;
    Took = true;
    if (Batch.Dropped) ListDropped(Batch.Dropped);
    for (const TDbgWrite& Write : Batch.Writes) FSplitter.Feed(Write, FLines);
    List(FLines);
  }
  UpdateTimer();
  return Took;
}

void TLxDbgCapture::Woken() {
  TakeBatch();
  if (!FDraining && IsRunning() && FWnd) FDraining = SetTimer(FWnd, DrainTimerId, DrainTimerInterval, nullptr) != 0;
  // Without the timer every write must wake the GUI again.
  if (!FDraining) FWakeSent = false;
}

void TLxDbgCapture::DrainTick() {
  if (TakeBatch()) return;
  // A quiet tick: the next write wakes the GUI again. One pushed before the
  // flag was cleared found it set and posted nothing: it is taken here.
  KillTimer(FWnd, DrainTimerId);
  FDraining = false;
  FWakeSent = false;
  if (!FQueue->Empty() && !FWakeSent.exchange(true)) Woken();
}

void TLxDbgCapture::FlushHeld(std::int32_t Now) {
  if (FTaking) return;  // the batch being listed comes first
  TakeBatch();
  FSplitter.FlushIdle(Now, FLines);
  for (std::uint32_t Pid : FSplitter.HeldProcesses()) {
    HANDLE Process = OpenProcess(SYNCHRONIZE, FALSE, Pid);
    const bool Ended = !Process || ProcessEnded(Process);
    if (Process) CloseHandle(Process);
    if (Ended) FSplitter.FlushProcess(Pid, FLines);
  }
  List(FLines);
  UpdateTimer();
}

void TLxDbgCapture::List(std::vector<TDbgLine>& Lines) {
  // Lines are taken off before they are listed: a listing that fails leaves
  // none behind to be listed twice.
  std::vector<TDbgLine> Now;
  Now.swap(Lines);
  const std::vector<TLxIntakePanel*> Panels{&FPanel};
  for (const TDbgLine& Line : Now) {
    const std::string Record = BuildDbgRecord(Line);
    LxDispatchRecord(lxmInfo, Record.data(), Record.size(), Panels, TLxIntakeMode::MainForm);
  }
}

void TLxDbgCapture::ListDropped(std::uint64_t Dropped) {
  const std::string Record =
      BuildClientRecord(lxmWarning, static_cast<std::int32_t>(GetTickCount()), DbgDroppedText(Dropped),
                        std::string_view(), std::string_view(), std::string_view());
  LxDispatchRecord(lxmWarning, Record.data(), Record.size(), {&FPanel}, TLxIntakeMode::MainForm);
}

void TLxDbgCapture::UpdateTimer() {
  const bool Want = FSplitter.HasHeld() && FWnd;
  if (Want == FTimerOn) return;
  FTimerOn = Want;
  if (Want)
    SetTimer(FWnd, HoldTimerId, HoldTimerInterval, nullptr);
  else
    KillTimer(FWnd, HoldTimerId);
}

LRESULT CALLBACK TLxDbgCapture::WindowProc(HWND Wnd, UINT Msg, WPARAM WParam, LPARAM LParam) noexcept {
  auto* Self = reinterpret_cast<TLxDbgCapture*>(GetWindowLongPtrA(Wnd, GWLP_USERDATA));
  const bool Timer = Msg == WM_TIMER && (WParam == HoldTimerId || WParam == DrainTimerId);
  if (!Self || (Msg != WM_DBGBATCH && !Timer)) return DefWindowProcA(Wnd, Msg, WParam, LParam);
  try {
    if (Msg == WM_DBGBATCH)
      Self->Woken();
    else if (WParam == DrainTimerId)
      Self->DrainTick();
    else
      Self->FlushHeld(static_cast<std::int32_t>(GetTickCount()));
  } catch (const std::exception& E) {
    Application->HandleException(E);
  } catch (...) {
    Application->HandleUnknownException();
  }
  return 0;
}
