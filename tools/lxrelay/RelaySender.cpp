#include "RelaySender.h"

#include <ws2tcpip.h>

#include <algorithm>
#include <chrono>
#include <cstdlib>
#include <utility>

namespace {

// Back-off between connection attempts: doubled after each failure, reset by a
// success.
constexpr unsigned FirstRetryMs = 100;
constexpr unsigned LongestRetryMs = 2000;
// At most this much of the queue goes in one send (a longer record alone).
constexpr std::size_t BatchBytes = 64 * 1024;
// After the first record of a batch the sender lingers this long, or until
// LingerRecords are queued, so that a client's steady stream goes out in a few
// sends rather than one per record: each send, wait and wake is a call to the
// system, taken from the thread that answers the clients.
constexpr auto Linger = std::chrono::milliseconds(10);
constexpr std::size_t LingerRecords = 256;
// Records taken from the queue and encoded at a time (outside the lock).
constexpr std::size_t TakeRecords = 1024;

}  // namespace

bool ParseRelayAddress(const std::string& Text, TRelayAddress& Out) {
  const std::size_t Colon = Text.rfind(':');
  if (Colon == std::string::npos || Colon == 0 || Colon + 1 == Text.size()) return false;
  std::string Host = Text.substr(0, Colon);
  if (Host.front() == '[') {
    if (Host.size() < 3 || Host.back() != ']') return false;
    Host = Host.substr(1, Host.size() - 2);
  } else if (Host.find(':') != std::string::npos) {
    return false;  // an IPv6 address goes in brackets
  }
  const std::string Port = Text.substr(Colon + 1);
  if (Port.size() > 5 || Port.find_first_not_of("0123456789") != std::string::npos) return false;
  const long N = std::strtol(Port.c_str(), nullptr, 10);
  if (N < 1 || N > 65535) return false;
  Out.Host = Host;
  Out.Port = Port;
  return true;
}

TRelaySender::TRelaySender(TRelayAddress To, std::size_t QueueBound, FILE* Console, TRelayEncoder Encode)
    : FTo(std::move(To)), FBound(std::max<std::size_t>(QueueBound, 1)), FConsole(Console), FEncode(std::move(Encode)) {}

TRelaySender::~TRelaySender() { Stop(0); }

void TRelaySender::Start() {
  if (!FThread.joinable()) FThread = std::thread([this] { Run(); });
}

void TRelaySender::Push(TRelayRecord Record) {
  bool Wake = false;
  {
    const std::lock_guard<std::mutex> Guard(FLock);
    if (FQueue.size() + FTaken >= FBound) {
      if (FDropped == FDroppedReported)
        std::fprintf(FConsole, "lxrelay: the queue is full (%zu records): records are dropped until it has room\n",
                     FBound);
      ++FDropped;
      return;
    }
    FQueue.push_back(std::move(Record));
    Wake = FQueue.size() == 1 || FQueue.size() == LingerRecords;
  }
  // The sender waits for the first record and lingers for a batch; a client's
  // other records cost no wake-up.
  if (Wake) FWake.notify_one();
}

void TRelaySender::Stop(unsigned DrainMs) {
  {
    const std::lock_guard<std::mutex> Guard(FLock);
    if (!FStopping) {
      FStopping = true;
      FDeadline = GetTickCount64() + DrainMs;
    }
  }
  FWake.notify_all();
  if (FThread.joinable()) FThread.join();
  std::fflush(FConsole);
}

std::uint64_t TRelaySender::Dropped() const {
  const std::lock_guard<std::mutex> Guard(FLock);
  return FDropped;
}

std::uint64_t TRelaySender::Sent() const {
  const std::lock_guard<std::mutex> Guard(FLock);
  return FSent;
}

bool TRelaySender::PastDeadline() const { return FStopping && GetTickCount64() >= FDeadline; }

bool TRelaySender::Pause(std::unique_lock<std::mutex>& Lock, unsigned Ms) {
  const std::uint64_t Until = GetTickCount64() + Ms;
  for (;;) {
    // A stop shortens the pause to its deadline.
    const std::uint64_t Limit = FStopping ? std::min(Until, FDeadline) : Until;
    const std::uint64_t Now = GetTickCount64();
    if (Now >= Limit) break;
    FWake.wait_for(Lock, std::chrono::milliseconds(Limit - Now));
  }
  return !PastDeadline();
}

void TRelaySender::ReportDrops(std::unique_lock<std::mutex>&) {
  if (FDropped == FDroppedReported) return;
  std::fprintf(FConsole, "lxrelay: %llu records were dropped while the queue was full\n",
               static_cast<unsigned long long>(FDropped - FDroppedReported));
  std::fflush(FConsole);
  FDroppedReported = FDropped;
}

void TRelaySender::Take(std::unique_lock<std::mutex>& Lock, std::deque<std::string>& Out) {
  std::vector<TRelayRecord> Taken;
  const std::size_t Count = std::min(FQueue.size(), TakeRecords);
  Taken.reserve(Count);
  for (std::size_t I = 0; I < Count; ++I) {
    Taken.push_back(std::move(FQueue.front()));
    FQueue.pop_front();
  }
  FTaken += Count;
  Lock.unlock();
  std::size_t Failed = 0;
  for (const TRelayRecord& R : Taken) {
    try {
      Out.push_back(FEncode(R));
    } catch (...) {
      ++Failed;  // out of memory: the record is lost, and counted
    }
  }
  Lock.lock();
  FTaken -= Failed;
  FDropped += Failed;
}

void TRelaySender::Run() {
  // Sending can wait; a client waiting for its answer cannot: the window's
  // thread goes first.
  SetThreadPriority(GetCurrentThread(), THREAD_PRIORITY_BELOW_NORMAL);
  unsigned Retry = FirstRetryMs;
  std::deque<std::string> Framed;  // taken from the queue, encoded, not yet sent
  std::string Batch;
  std::vector<std::size_t> Ends;  // where each record of the batch ends
  std::unique_lock<std::mutex> Lock(FLock);
  for (;;) {
    if (Framed.empty()) {
      FWake.wait(Lock, [this] { return FStopping || !FQueue.empty(); });
      FWake.wait_for(Lock, Linger, [this] { return FStopping || FQueue.size() >= LingerRecords; });
      if (FQueue.empty() || PastDeadline()) break;
      Take(Lock, Framed);
      if (Framed.empty()) continue;
    } else if (PastDeadline()) {
      break;
    }
    // What is encoded goes in one send (TCP) of up to BatchBytes; the records
    // stay counted until they are sent.
    std::size_t Count = 0;
    Batch.clear();
    Ends.clear();
    for (const std::string& M : Framed) {
      if (Count > 0 && Batch.size() + M.size() > BatchBytes) break;
      Batch += M;
      Ends.push_back(Batch.size());
      ++Count;
    }
    Lock.unlock();
    bool Ok = FSocket != INVALID_SOCKET || Connect();
    if (Ok && !FTo.Udp && PeerClosed()) {
      // The peer has gone (a relay restarting): a send now would vanish.
      Disconnect();
      Ok = Connect();
    }
    // Records whose bytes all went count as sent, also when the connection
    // broke after them: they are not sent twice.
    std::size_t Sent = 0;
    if (Ok && FTo.Udp) {
      while (Ok && Sent < Count) {
        const std::size_t Start = Sent == 0 ? 0 : Ends[Sent - 1];
        const int Size = static_cast<int>(Ends[Sent] - Start);
        Ok = send(FSocket, Batch.data() + Start, Size, 0) == Size;
        if (Ok) ++Sent;
      }
    } else if (Ok) {
      const std::size_t Done = SendBytes(Batch.data(), Batch.size());
      Ok = Done == Batch.size();
      while (Sent < Count && Ends[Sent] <= Done) ++Sent;
    }
    Framed.erase(Framed.begin(), Framed.begin() + static_cast<std::ptrdiff_t>(Sent));
    Lock.lock();
    FTaken -= Sent;
    FSent += Sent;
    if (!Ok) {
      Disconnect();
      if (!Pause(Lock, Retry)) break;
      Retry = std::min(Retry * 2, LongestRetryMs);
      continue;
    }
    Retry = FirstRetryMs;
    if (FQueue.size() + FTaken < FBound) ReportDrops(Lock);
  }
  ReportDrops(Lock);
  const std::size_t Left = FQueue.size() + Framed.size();
  if (Left > 0) {
    std::fprintf(FConsole, "lxrelay: %zu queued records could not be sent\n", Left);
    FQueue.clear();
    FTaken = 0;
  }
  Lock.unlock();
  Framed.clear();
  Disconnect();
}

bool TRelaySender::Connect() {
  addrinfo Hints{};
  Hints.ai_family = AF_UNSPEC;
  Hints.ai_socktype = FTo.Udp ? SOCK_DGRAM : SOCK_STREAM;
  Hints.ai_protocol = FTo.Udp ? IPPROTO_UDP : IPPROTO_TCP;
  addrinfo* List = nullptr;
  if (getaddrinfo(FTo.Host.c_str(), FTo.Port.c_str(), &Hints, &List) != 0) return false;
  for (addrinfo* A = List; A; A = A->ai_next) {
    const SOCKET S = socket(A->ai_family, A->ai_socktype, A->ai_protocol);
    if (S == INVALID_SOCKET) continue;
    if (connect(S, A->ai_addr, static_cast<int>(A->ai_addrlen)) == 0) {
      FSocket = S;
      break;
    }
    closesocket(S);
  }
  freeaddrinfo(List);
  if (FSocket == INVALID_SOCKET) return false;
  if (!FTo.Udp) {
    const BOOL NoDelay = TRUE;
    setsockopt(FSocket, IPPROTO_TCP, TCP_NODELAY, reinterpret_cast<const char*>(&NoDelay), sizeof NoDelay);
    std::fprintf(FConsole, "lxrelay: %s %s:%s\n", FWasConnected ? "connected again to" : "connected to",
                 FTo.Host.c_str(), FTo.Port.c_str());
    std::fflush(FConsole);
    FWasConnected = true;
  }
  return true;
}

void TRelaySender::Disconnect() {
  if (FSocket == INVALID_SOCKET) return;
  if (!FTo.Udp) shutdown(FSocket, SD_SEND);
  closesocket(FSocket);
  FSocket = INVALID_SOCKET;
}

bool TRelaySender::PeerClosed() const {
  // Readable on a connection we never read from: the peer closed it (or
  // reset it, or sent something a syslog receiver does not send).
  fd_set Read;
  FD_ZERO(&Read);
  FD_SET(FSocket, &Read);
  timeval Zero{};
  return select(0, &Read, nullptr, nullptr, &Zero) != 0;
}

std::size_t TRelaySender::SendBytes(const char* Data, std::size_t Size) {
  std::size_t Done = 0;
  while (Done < Size) {
    const int N = send(FSocket, Data + Done, static_cast<int>(Size - Done), 0);
    if (N <= 0) break;
    Done += static_cast<std::size_t>(N);
  }
  return Done;
}
