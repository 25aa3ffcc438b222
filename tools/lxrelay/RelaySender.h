// The relay's sending side: a bounded queue of framed syslog messages and the
// thread that sends them to one address, over TCP (reconnecting with back-off
// while the peer is away) or UDP.
#pragma once

#include <winsock2.h>

#include <condition_variable>
#include <cstdint>
#include <cstdio>
#include <deque>
#include <mutex>
#include <string>
#include <thread>
#include <vector>

struct TRelayAddress {
  std::string Host;
  std::string Port;
  bool Udp = false;
};

// "HOST:PORT" (the host may be a name, an IPv4 address or "[IPv6]"). False
// when it is not of that form or the port is not 1..65535.
bool ParseRelayAddress(const std::string& Text, TRelayAddress& Out);

class TRelaySender {
public:
  // Console: where connections, drops and the last words go.
  TRelaySender(TRelayAddress To, std::size_t QueueBound, FILE* Console);
  ~TRelaySender();
  TRelaySender(const TRelaySender&) = delete;
  TRelaySender& operator=(const TRelaySender&) = delete;

  void Start();
  // Queues one message (already framed for its transport). When the queue
  // holds its bound the message is dropped and counted.
  void Push(std::string Message);
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

  const TRelayAddress FTo;
  const std::size_t FBound;
  FILE* const FConsole;
  mutable std::mutex FLock;
  std::condition_variable FWake;
  std::deque<std::string> FQueue;
  std::uint64_t FDropped = 0;
  std::uint64_t FDroppedReported = 0;
  std::uint64_t FSent = 0;
  bool FStopping = false;
  std::uint64_t FDeadline = 0;  // GetTickCount64 at which a stop gives up
  SOCKET FSocket = INVALID_SOCKET;
  bool FWasConnected = false;
  std::thread FThread;
};
