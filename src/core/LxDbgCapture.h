// Capture of the debug output of every program in the session (the system's
// debug-output channel: OutputDebugString) as a second source of messages.
//
// A reader thread owns the channel: it waits for a write, copies the writer's
// process id and text, hands the buffer back to the writers at once, and only
// then looks up the program's name and queues the write (bounded: see
// TDbgQueue). It touches no window and no list. The GUI thread is woken by
// one posted message when writes come after a quiet spell; it takes
// everything queued as one batch and then goes on taking batches on a short
// timer for as long as writes keep coming, without further messages, so a
// steady stream costs the GUI one wake-up per tick, not one per write. Each
// batch is split into lines handed, in arrival order, to the one dispatcher
// as Info records of the panel it serves (so a panel ignoring messages drops
// them). A second timer lists held line parts after their delay or when
// their process has ended.
//
// Only one reader per session can hold the channel; Start reports when
// another already does. Stop (and the destructor) end the thread at any
// moment; a writer waiting for the buffer is let through before the channel
// is released.
//
// The same reader serves the global channel (services and other sessions):
// the same section and events under the "Global\" prefix. Creating them
// needs the right to create global objects; without it Start says Denied.
#pragma once

#include <atomic>
#include <cstdint>
#include <memory>
#include <string>
#include <thread>
#include <vector>

#include <windows.h>

#include "model/DbgOutput.h"

class TLxIntakePanel;

class TLxDbgCapture {
public:
  // The prefix of the global channel's names.
  static constexpr const char* GlobalPrefix = "Global\\";

  // Panel: where captured lines go (it must outlive the capture). Prefix:
  // put before the channel's names ("" the session's, GlobalPrefix).
  explicit TLxDbgCapture(TLxIntakePanel& Panel, std::string Prefix = std::string());
  ~TLxDbgCapture();
  TLxDbgCapture(const TLxDbgCapture&) = delete;
  TLxDbgCapture& operator=(const TLxDbgCapture&) = delete;

  enum class TStart { Started, Busy, Denied, Failed };
  // Opens the channel and starts the reader. Busy: another reader holds the
  // channel; Denied: the channel's objects may not be created or opened (no
  // right to create global objects). Nothing is left open unless Started,
  // which it also says when already running.
  TStart Start();
  // Ends the reader and releases the channel. ListRest: what was queued and
  // every held part are listed first.
  void Stop(bool ListRest = true);
  bool IsRunning() const { return FThread.joinable(); }
  bool IsGlobal() const { return FPrefix == GlobalPrefix; }

  // Takes and lists everything queued now (what the posted message and the
  // drain timer run). False when nothing was queued.
  bool TakeBatch();
  // Lists held parts DbgHoldDelay ms old at Now and those of ended processes
  // (what the timer runs with the tick count).
  void FlushHeld(std::int32_t Now);
  bool HasHeld() const { return FSplitter.HasHeld(); }
  // The bound of the queue (tests make it small).
  void SetQueueBound(std::size_t MaxWrites, std::size_t MaxBytes);

  // The text when another reader holds the channel.
  static const char* BusyText() { return "Another program is already capturing debug output."; }
  static const char* GlobalBusyText() { return "Another program is already capturing global debug output."; }
  static const char* GlobalDeniedText() {
    return "Global debug output cannot be captured: Orlimo has no right to create global objects (run it as an "
           "administrator).";
  }
  // What the user is told when Start did not give Started.
  const char* RefusalText(TStart Result) const;

  static LRESULT CALLBACK WindowProc(HWND Wnd, UINT Msg, WPARAM WParam, LPARAM LParam) noexcept;

private:
  void Run();
  void ReleaseWriters();
  void CloseChannel();
  void List(std::vector<TDbgLine>& Lines);
  void ListDropped(std::uint64_t Dropped);
  void UpdateTimer();
  void Woken();
  void DrainTick();

  TLxIntakePanel& FPanel;
  const std::string FPrefix;
  HWND FWnd = nullptr;
  std::unique_ptr<TDbgQueue> FQueue;
  TDbgLineSplitter FSplitter;
  std::vector<TDbgLine> FLines;  // reused by each batch
  bool FTaking = false;
  bool FTimerOn = false;
  bool FDraining = false;
  // Set by the reader when it posts the wake-up; cleared by the GUI thread
  // when a drain tick finds the queue empty. While set, the reader posts
  // nothing: the GUI thread is taking batches on its drain timer.
  std::atomic<bool> FWakeSent{false};

  HANDLE FMapping = nullptr;
  const unsigned char* FView = nullptr;
  HANDLE FBufferReady = nullptr;
  HANDLE FDataReady = nullptr;
  HANDLE FStopEvent = nullptr;
  std::thread FThread;
};
