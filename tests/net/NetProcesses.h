// Programs of the machine itself started from a Windows program under Wine:
// Debian's rsyslog run in the foreground with the repository's configuration,
// and a second Wine machine (tests/net/machine.sh) for programs that claim the
// viewer's window and mutex. Also free and listening loopback ports.
// Shared by the relay and whole-program tests and the network benchmark.
#pragma once

#include <winsock2.h>
#include <ws2tcpip.h>

#include <windows.h>

#include <cstdio>
#include <string>

namespace orlimo_net {

// Winsock for the program's lifetime (one static object per program).
struct TWinsock {
  TWinsock() {
    WSADATA D;
    WSAStartup(MAKEWORD(2, 2), &D);
  }
  ~TWinsock() { WSACleanup(); }
};

// The viewer's View key, where its network settings are read at start.
inline constexpr const char* ViewerViewKey = "Software\\Brunelk\\Orlimo\\1.0\\View";

// A string value in the viewer's View key of this user.
inline void SetViewerValue(const char* Name, const std::string& Value) {
  HKEY K;
  if (RegCreateKeyExA(HKEY_CURRENT_USER, ViewerViewKey, 0, nullptr, 0, KEY_WRITE, nullptr, &K, nullptr) !=
      ERROR_SUCCESS)
    return;
  RegSetValueExA(K, Name, 0, REG_SZ, reinterpret_cast<const BYTE*>(Value.c_str()),
                 static_cast<DWORD>(Value.size() + 1));
  RegCloseKey(K);
}

// A Unix path for a path Wine shows under its Z: drive ("Z:/tmp/x" -> "/tmp/x").
inline std::string UnixPath(std::string Path) {
  if (Path.size() > 1 && (Path[0] == 'Z' || Path[0] == 'z') && Path[1] == ':') Path.erase(0, 2);
  for (char& C : Path)
    if (C == '\\') C = '/';
  return Path;
}

// Runs a command of the machine's own shell (no double quotes in it); with
// Wait, its exit code (-1 when it could not start or did not end in Ms).
// Wine gives no waitable handle for a Unix process, so the shell writes the
// exit code into a file of its own when the command ended.
inline long Shell(const std::string& Command, bool Wait = true, DWORD Ms = 60000) {
  // Named by the process, the moment and a serial: Wine's process ids start
  // again in every prefix and every run.
  static int Serial = 0;
  LARGE_INTEGER Now;
  QueryPerformanceCounter(&Now);
  const std::string Done = "/tmp/orlimo-shell-" + std::to_string(GetCurrentProcessId()) + "-" +
                           std::to_string(Now.QuadPart) + "-" + std::to_string(++Serial) + ".rc";
  STARTUPINFOA Si{};
  Si.cb = sizeof Si;
  PROCESS_INFORMATION Pi{};
  // Its output never goes to this program's own (a test runner's pipe would
  // stay open as long as a program started in the background runs).
  std::string Line =
      "/bin/sh -c \"" +
      (Wait ? "( " + Command + " ) </dev/null >/dev/null 2>&1; echo $? >" + Done + ".new && mv " + Done + ".new " + Done
            : "( " + Command + " ) </dev/null >/dev/null 2>&1") +
      "\"";
  if (!CreateProcessA(nullptr, Line.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr, &Si, &Pi)) return -1;
  CloseHandle(Pi.hProcess);
  CloseHandle(Pi.hThread);
  if (!Wait) return 0;
  const std::string File = "Z:" + Done;
  const ULONGLONG Deadline = GetTickCount64() + Ms;
  for (;;) {
    if (FILE* F = std::fopen(File.c_str(), "rb")) {
      long Code = -1;
      if (std::fscanf(F, "%ld", &Code) != 1) Code = -1;
      std::fclose(F);
      DeleteFileA(File.c_str());
      return Code;
    }
    if (GetTickCount64() >= Deadline) return -1;
    Sleep(20);  // polling another process's state, not letting time pass
  }
}

// Whether something on 127.0.0.1 accepts TCP connections on Port.
inline bool Accepting(unsigned short Port) {
  const SOCKET S = socket(AF_INET, SOCK_STREAM, IPPROTO_TCP);
  sockaddr_in A{};
  A.sin_family = AF_INET;
  A.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
  A.sin_port = htons(Port);
  const bool Ok = connect(S, reinterpret_cast<sockaddr*>(&A), sizeof A) == 0;
  closesocket(S);
  return Ok;
}

// Waits (at most Ms) until Port accepts connections, or until it does not.
inline bool WaitForPort(unsigned short Port, bool Open, DWORD Ms = 10000) {
  const ULONGLONG Deadline = GetTickCount64() + Ms;
  for (;;) {
    if (Accepting(Port) == Open) return true;
    if (GetTickCount64() >= Deadline) return false;
    Sleep(50);  // polling another process's state, not letting time pass
  }
}

// A TCP port on 127.0.0.1 that nothing listens on just now.
inline unsigned short FreePort() {
  const SOCKET S = socket(AF_INET, SOCK_STREAM, IPPROTO_TCP);
  sockaddr_in A{};
  A.sin_family = AF_INET;
  A.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
  bind(S, reinterpret_cast<sockaddr*>(&A), sizeof A);
  int Len = sizeof A;
  getsockname(S, reinterpret_cast<sockaddr*>(&A), &Len);
  closesocket(S);
  return ntohs(A.sin_port);
}

// rsyslog between two loopback ports: TCP in on In, forwarded to Out.
class TRsyslog {
public:
  TRsyslog(const std::string& Conf, unsigned short In, unsigned short Out) : FConf(UnixPath(Conf)), FIn(In) {
    FDir = "/tmp/orlimo-rsyslog-" + std::to_string(GetCurrentProcessId());
    Shell("mkdir -p " + FDir + " && rm -f " + FDir + "/*");
    FEnv = "ORLIMO_RSYSLOG_DIR=" + FDir + " ORLIMO_RSYSLOG_IN=" + std::to_string(In) +
           " ORLIMO_RSYSLOG_OUT=" + std::to_string(Out);
  }
  ~TRsyslog() {
    Stop();
    Shell("rm -rf " + FDir);
  }
  TRsyslog(const TRsyslog&) = delete;
  TRsyslog& operator=(const TRsyslog&) = delete;
  static bool Available() { return GetFileAttributesA("Z:\\usr\\sbin\\rsyslogd") != INVALID_FILE_ATTRIBUTES; }
  // Starts it and waits until it takes connections.
  bool Start() {
    Shell(FEnv + " /usr/sbin/rsyslogd -n -f " + FConf + " -i " + FDir + "/rsyslogd.pid >" + FDir +
              "/rsyslogd.log 2>&1 </dev/null &",
          false);
    return WaitForPort(FIn, true);
  }
  // What it said (its console output).
  std::string Output() const {
    std::string S;
    const HANDLE F = CreateFileA(("Z:" + FDir + "/rsyslogd.log").c_str(), GENERIC_READ,
                                 FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr, OPEN_EXISTING, 0, nullptr);
    if (F == INVALID_HANDLE_VALUE) return S;
    char Buf[4096];
    DWORD N = 0;
    while (ReadFile(F, Buf, sizeof Buf, &N, nullptr) && N > 0) S.append(Buf, N);
    CloseHandle(F);
    return S;
  }
  // Stops it and waits until the process has gone. Its listening port closes
  // first, while its sessions may still be open: bytes sent into one then are
  // read by a process that is ending and never forwarded, which no sender
  // can tell (plain TCP syslog has no acknowledgement). Gone, it has closed them.
  bool Stop() {
    Shell("[ -f " + FDir + "/rsyslogd.pid ] && P=$(cat " + FDir + "/rsyslogd.pid) && kill $P && " +
          "i=0; while kill -0 $P 2>/dev/null && [ $i -lt 1000 ]; do sleep 0.05; i=$((i + 1)); done");
    return WaitForPort(FIn, false);
  }

private:
  std::string FConf, FDir, FEnv;
  unsigned short FIn;
};

// Another Wine machine: its own prefix and wineserver, so its programs have
// their own windows, window classes and named objects. Programs there reach
// this one only through the network (and the files of the shared disk).
class TSecondMachine {
public:
  // Script is tests/net/machine.sh, Prefix the folder of its prefix (both as
  // Windows or Unix paths); started at once, ended with the object.
  TSecondMachine(const std::string& Script, const std::string& Prefix)
      : FScript(UnixPath(Script)), FPrefix(UnixPath(Prefix)) {
    FStarted = Shell("sh " + FScript + " " + FPrefix + " start", true, 180000) == 0;
  }
  ~TSecondMachine() { Shell("sh " + FScript + " " + FPrefix + " stop"); }
  TSecondMachine(const TSecondMachine&) = delete;
  TSecondMachine& operator=(const TSecondMachine&) = delete;
  bool Started() const { return FStarted; }
  // Runs a program there (Exe and Args without double quotes; a path may be a
  // Windows path under Z:) with its output into the Unix file Output; its exit
  // code, or -1 when it did not end within Ms.
  long Run(const std::string& Exe, const std::string& Args, const std::string& Output, DWORD Ms = 120000) const {
    return Shell(Command(Exe, Args, Output), true, Ms);
  }
  // The same, not waiting for it to end.
  void Start(const std::string& Exe, const std::string& Args, const std::string& Output) const {
    Shell(Command(Exe, Args, Output) + " &", false);
  }

private:
  std::string Command(const std::string& Exe, const std::string& Args, const std::string& Output) const {
    return "sh " + FScript + " " + FPrefix + " run '" + Exe + "' " + Args + " >" + Output + " 2>&1";
  }
  std::string FScript, FPrefix;
  bool FStarted = false;
};

}  // namespace orlimo_net
