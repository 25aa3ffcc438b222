// Debug output of other programs (the system's debug-output channel) as
// messages: the portable rules of the capture, without the channel itself.
//
//   TDbgLineSplitter  one write may hold several lines; text after the last
//                     line end is held per process and joined with its next
//                     write, or listed on its own after DbgHoldDelay ms
//                     without more from that process, or when it ends.
//   BuildDbgRecord    a line as the record a client would send: an Info
//                     message named after the writing program, typed "PID n".
//   TDbgNameCache     program names by process id, looked up once.
//   TDbgQueue         the bounded queue between the reader thread and the GUI
//                     thread.
//
// Clock values are tick counts (milliseconds, 32-bit, compared by signed
// difference); nothing here reads a clock or sleeps.
#pragma once

#include <cstddef>
#include <cstdint>
#include <functional>
#include <mutex>
#include <optional>
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

// How long a held part waits for the rest of its line.
inline constexpr std::int32_t DbgHoldDelay = 250;

// One complete line of one process. TickCount is the capture time of the
// write that began the line.
struct TDbgLine {
  std::uint32_t ProcessId = 0;
  std::int32_t TickCount = 0;
  std::string Text;
  std::string AppName;  // as the queue entry carried it (may be empty)
};

// One write as the reader took it from the channel.
struct TDbgWrite {
  std::uint32_t ProcessId = 0;
  std::int32_t TickCount = 0;
  std::string Text;
  std::string AppName;
};

class TDbgLineSplitter {
public:
  // Splits Write at LF (a CR before an LF is dropped) and appends the
  // complete lines to Out, the first joined to what was held for its process.
  // The text after the last LF is held; a write ending in LF holds nothing.
  void Feed(const TDbgWrite& Write, std::vector<TDbgLine>& Out);
  // Appends every held part whose last write is DbgHoldDelay ms or more
  // before Now.
  void FlushIdle(std::int32_t Now, std::vector<TDbgLine>& Out);
  // Appends the held part of one process (it has ended), if any.
  void FlushProcess(std::uint32_t ProcessId, std::vector<TDbgLine>& Out);
  // Appends every held part (capture ends), oldest line first.
  void FlushAll(std::vector<TDbgLine>& Out);

  bool HasHeld() const { return !FHeld.empty(); }
  std::vector<std::uint32_t> HeldProcesses() const;

private:
  struct THeld {
    std::string Text;
    std::string AppName;
    std::int32_t FirstTick = 0;  // the line's time stamp
    std::int32_t LastTick = 0;   // for the hold delay
    std::uint64_t Order = 0;     // when the part was first held
  };
  void Emit(std::uint32_t ProcessId, THeld& Held, std::vector<TDbgLine>& Out);
  std::unordered_map<std::uint32_t, THeld> FHeld;
  std::uint64_t FNextOrder = 0;
};

// "PID " and the process id in decimal: the type name of a captured line and
// the program name when the real one cannot be had.
std::string DbgProcessText(std::uint32_t ProcessId);

// A program's name from its image path: the file name without its folder
// ("\" or "/"), cut to 127 characters; "PID n" when that leaves nothing.
std::string DbgImageName(std::string_view ImagePath, std::uint32_t ProcessId);

// The client record (227 + N bytes) of a captured line: kind Info, the line's
// tick count and text, no details, AppName (its own "PID n" when empty) and
// the type name "PID n".
std::string BuildDbgRecord(const TDbgLine& Line);

// Program names by process id. Lookup gives the image path, or nothing when
// the process cannot be asked (gone, no access); the name is looked up once
// and kept, the fallback "PID n" too. When Capacity names are kept the cache
// starts again empty.
class TDbgNameCache {
public:
  using TLookup = std::function<std::optional<std::string>(std::uint32_t ProcessId)>;
  explicit TDbgNameCache(TLookup Lookup, std::size_t Capacity = 512);
  const std::string& Name(std::uint32_t ProcessId);
  // Drops a process's name (it has ended; its id may be given again).
  void Forget(std::uint32_t ProcessId);
  std::size_t Size() const { return FNames.size(); }

private:
  TLookup FLookup;
  std::size_t FCapacity;
  std::unordered_map<std::uint32_t, std::string> FNames;
};

// The queue from the reader thread to the GUI thread. Push never waits for
// the GUI: when the queue holds MaxWrites writes or MaxBytes bytes of text,
// the new write is dropped and counted (what was queued keeps its order).
// Take hands over everything queued and the number dropped since the last
// Take. Thread-safe.
class TDbgQueue {
public:
  static constexpr std::size_t DefaultMaxWrites = 65536;
  static constexpr std::size_t DefaultMaxBytes = 16u << 20;
  explicit TDbgQueue(std::size_t MaxWrites = DefaultMaxWrites, std::size_t MaxBytes = DefaultMaxBytes);

  // Queues Write or counts it dropped. True when nothing was pending before
  // (no write, no drop): the GUI thread needs waking.
  bool Push(TDbgWrite&& Write);

  struct TBatch {
    std::vector<TDbgWrite> Writes;
    std::uint64_t Dropped = 0;
  };
  TBatch Take();
  bool Empty() const;

private:
  mutable std::mutex FLock;
  std::vector<TDbgWrite> FWrites;
  std::size_t FBytes = 0;
  std::uint64_t FDropped = 0;
  std::size_t FMaxWrites;
  std::size_t FMaxBytes;
};

// The text listed (as a Warning) when writes were dropped.
std::string DbgDroppedText(std::uint64_t Dropped);
