// Syslog messages from the network as a source of messages: a reader thread
// listens on a TCP port (RFC 6587 framing: octet-counted or one message per
// line), a UDP port (one message per datagram) or both, reads each message
// with the syslog codec and queues it; the GUI thread is woken by one posted
// message and takes everything queued as one batch, handing each message to
// the one dispatcher as a record of the panel it serves, time-stamped on
// arrival. Commands that act on the viewer (Clear, save-log) are honoured only
// when allowed.
//
// Limits: a message over 64 KB is cut and marked; at most 64 connections (a
// further one is closed at once); a connection that sends no complete message
// in 60 s is closed; input that cannot be read is counted and skipped.
// Stop (and the destructor) end the thread at any moment and close every
// socket: the port is closed again.
#pragma once

#include <winsock2.h>

#include <atomic>
#include <cstdint>
#include <mutex>
#include <string>
#include <thread>
#include <vector>

#include "model/SyslogCodec.h"

class TLxIntakePanel;

struct TNetListenOptions {
  bool Tcp = true;
  bool Udp = false;
  std::uint16_t Port = 5514;
  bool Remote = false;  // all interfaces; else 127.0.0.1 only
};

class TLxNetIntake {
public:
  static constexpr std::size_t MaxConnections = 64;
  static constexpr unsigned DefaultIdleTimeout = 60000;  // ms without a complete message
  static constexpr std::size_t QueueBound = 100000;      // messages waiting for the GUI

  explicit TLxNetIntake(TLxIntakePanel& Panel);
  ~TLxNetIntake();
  TLxNetIntake(const TLxNetIntake&) = delete;
  TLxNetIntake& operator=(const TLxNetIntake&) = delete;

  enum class TStart { Started, InUse, Failed };
  // Binds the ports (before it returns, so a port in use is known at once)
  // and starts the reader. Nothing stays open unless Started.
  TStart Start(const TNetListenOptions& Options);
  void Stop();
  bool IsRunning() const { return FThread.joinable(); }
  const TNetListenOptions& Options() const { return FOptions; }

  void SetAllowCommands(bool Allow) { FAllowCommands = Allow; }
  // Tests shorten it.
  void SetIdleTimeout(unsigned Ms) { FIdleTimeout = Ms; }

  // Input that could not be read, messages over 64 KB cut, and messages
  // listed, since construction.
  std::uint64_t Malformed() const { return FMalformed; }
  std::uint64_t Received() const { return FReceived; }
  std::size_t Connections() const { return FConnectionCount; }

  // Takes and lists everything queued now (what the posted message runs).
  // False when nothing was queued.
  bool TakeBatch();

  // The text when a port cannot be opened.
  static std::string RefusalText(TStart Result, const TNetListenOptions& Options);

  static LRESULT CALLBACK WindowProc(HWND Wnd, UINT Msg, WPARAM WParam, LPARAM LParam) noexcept;

private:
  struct TConnection {
    SOCKET Socket = INVALID_SOCKET;
    TSyslogSplitter Splitter;
    std::uint64_t LastMessage = 0;  // GetTickCount64 of the last complete message
  };
  void Run();
  void Read(TConnection& C, std::vector<TSyslogFrame>& Frames);
  void Queue(std::vector<TSyslogFrame>& Frames);
  void CloseSockets();

  TLxIntakePanel& FPanel;
  HWND FWnd = nullptr;
  TNetListenOptions FOptions;
  std::string FLocalHost;
  SOCKET FTcp = INVALID_SOCKET;
  SOCKET FUdp = INVALID_SOCKET;
  std::vector<TConnection> FConnections;  // the reader's
  std::thread FThread;
  std::atomic<bool> FStopping{false};
  std::atomic<bool> FAllowCommands{false};
  std::atomic<unsigned> FIdleTimeout{DefaultIdleTimeout};
  std::atomic<std::uint64_t> FMalformed{0};
  std::atomic<std::uint64_t> FReceived{0};
  std::atomic<std::size_t> FConnectionCount{0};
  std::mutex FLock;
  std::vector<TSyslogMessage> FQueue;
  bool FPosted = false;
};
