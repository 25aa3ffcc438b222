// The relay's sending side: a bounded queue of records and the thread that
// encodes them as syslog messages and sends them to one address, over TCP
// (reconnecting with back-off while the peer is away) or UDP.
#pragma once

#include <winsock2.h>

#include <chrono>
#include <condition_variable>
#include <cstdint>
#include <cstdio>
#include <deque>
#include <functional>
#include <mutex>
#include <string>
#include <thread>
#include <vector>

#include "model/SyslogCodec.h"

struct TRelayAddress {
  std::string Host;
  std::string Port;
  bool Udp = false;
};

// "HOST:PORT" (the host may be a name, an IPv4 address or "[IPv6]"). False
// when it is not of that form or the port is not 1..65535.
bool ParseRelayAddress(const std::string& Text, TRelayAddress& Out);

// One record as a client sent it, with the time it came.
struct TRelayRecord {
  TSyslogRecord Record;
  std::chrono::system_clock::time_point Time;
};
// A record as its message, framed for the transport.
using TRelayEncoder = std::function<std::string(const TRelayRecord&)>;

class TRelaySender {
public:
  // Console: where connections, drops and the last words go. Encode runs on
  // the sending thread: a client waits only for its record to be queued.
  TRelaySender(TRelayAddress To, std::size_t QueueBound, FILE* Console, TRelayEncoder Encode);
  ~TRelaySender();
  TRelaySender(const TRelaySender&) = delete;
  TRelaySender& operator=(const TRelaySender&) = delete;

  void Start();
  // Queues one record. When the queue (with the records taken from it and
  // not yet sent) holds its bound the record is dropped and counted.
  void Push(TRelayRecord Record);
  // Sends what is queued, for at most DrainMs, then ends the thread. What is
  // left is reported as lost.
  void Stop(unsigned DrainMs);

  std::uint64_t Dropped() const;
  std::uint64_t Sent() const;

private:
  void Run();
  bool Connect();
  void Disconnect();
  bool PeerClosed() const;
  // Bytes of a TCP stream; how many went before an error.
  std::size_t SendBytes(const char* Data, std::size_t Size);
  // Waits Ms or until Stop; false when stopping has gone past its deadline.
  bool Pause(std::unique_lock<std::mutex>& Lock, unsigned Ms);
  bool PastDeadline() const;
  void ReportDrops(std::unique_lock<std::mutex>& Lock);
  // Moves up to a batch's worth of records from the queue to Out, framed.
  void Take(std::unique_lock<std::mutex>& Lock, std::deque<std::string>& Out);

  const TRelayAddress FTo;
  const std::size_t FBound;
  FILE* const FConsole;
  const TRelayEncoder FEncode;
  mutable std::mutex FLock;
  std::condition_variable FWake;
  std::deque<TRelayRecord> FQueue;
  std::size_t FTaken = 0;  // records taken from the queue and not yet sent
  std::uint64_t FDropped = 0;
  std::uint64_t FDroppedReported = 0;
  std::uint64_t FSent = 0;
  bool FStopping = false;
  std::uint64_t FDeadline = 0;  // GetTickCount64 at which a stop gives up
  SOCKET FSocket = INVALID_SOCKET;
  bool FWasConnected = false;
  std::thread FThread;
};
