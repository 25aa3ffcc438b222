// lxsend: sends messages to the Orlimo viewer from the command line, a thin
// front end of the client sender (protocol/client/BkLxIntf.h): it finds the
// satellite unless "ByPass" is set, then the viewer, and starts the viewer
// through "ExePath" when none runs.
//
//   lxsend [options] KIND [TEXT [DETAILS]]   one message
//   lxsend [options] --demo                   the demonstration stream
//   lxsend [options] --file LOG.olx           every record of a log file
//   lxsend [options] --close                  asks the receiving window to close
//
// Exit codes: 0 every message taken, 1 usage error, 2 no receiving window,
// 3 a message was not taken (reply 0), 4 the file could not be read, 5 the
// viewer could not be started or a registry value has the wrong type.
#include <windows.h>

#include <cstdio>
#include <cstring>
#include <string>
#include <vector>

#include "lxsend/LxSender.h"
#include "model/LogFile.h"
#include "model/OrlimoMsg.h"
#include "model/OrlimoRecord.h"
#include "protocol/client/BkLxIntf.h"

namespace {

const char Usage[] =
    "usage: lxsend [options] KIND [TEXT [DETAILS]]\n"
    "       lxsend [options] --demo\n"
    "       lxsend [options] --file LOG.olx\n"
    "       lxsend [options] --close     (posts WM_CLOSE to the receiving window)\n"
    "KIND: info warning error checkpoint object stream stringlist property note\n"
    "      enter exit separator wakeup clear scratchpad savelog, or a number\n"
    "With --escapes, TEXT and DETAILS take \\n \\r \\t \\\\ (details lines end at CR, LF or CR LF).\n"
    "A savelog file name is made absolute against the current folder.\n"
    "options:\n"
    "  --app NAME      application name (default: lxsend)\n"
    "  --type NAME     type name (default: none)\n"
    "  --tick N        tick count (default: the system tick count when sending)\n"
    "  --count N       send the message N times\n"
    "  --to main|satellite|any   receiving window (default: any, satellite first\n"
    "                  unless ByPass is set; any and main start the viewer through\n"
    "                  ExePath when none runs)\n"
    "  --wait MS       wait up to MS milliseconds for the window to exist\n"
    "  --escapes       resolve the escapes \\n \\r \\t \\\\ in TEXT and DETAILS\n"
    "  --quiet         print nothing but errors\n"
    "exit: 0 all taken, 1 usage, 2 no window, 3 a message not taken (reply 0), 4 file error,\n"
    "      5 the viewer could not be started or a registry value has the wrong type\n";

int UsageError(const char* What) {
  std::fprintf(stderr, "lxsend: %s\n%s", What, Usage);
  return 1;
}

bool ParseInt(const char* Text, long long Min, long long Max, long long& V) {
  char* End = nullptr;
  V = std::strtoll(Text, &End, 10);
  return End && End != Text && *End == '\0' && V >= Min && V <= Max;
}

// The chosen receiving window, found by the client sender: "main" bypasses the
// satellite, "satellite" looks for nothing else and starts nothing.
class TLxTargetSender {
public:
  explicit TLxTargetSender(TLxTarget Target) : FTarget(Target) {
    if (Target == TLxTarget::Main) FSender.SetByPassSatellite(true);
  }
  // The running window, nothing started.
  HWND FindRunning() const {
    if (FTarget == TLxTarget::Satellite) return FindWindowA(BkLxSatelliteClass, BkLxSatelliteCaption);
    return FSender.FindRunningViewerWindow();
  }
  TBkLxSendResult Send(std::int32_t Kind, const std::string& Record) {
    if (FTarget == TLxTarget::Satellite) return BkLxSendRecordTo(FindRunning(), Kind, Record);
    return FSender.SendRecord(Kind, Record);
  }
  const std::string& AppName() const { return FSender.GetAppName(); }

private:
  TLxTarget FTarget;
  TBkOrlimo FSender;
};

// Waits until the receiving window exists, at most Ms milliseconds. Each check
// waits on nothing but the clock between looks; the loop ends as soon as the
// window is there.
bool WaitForTarget(const TLxTargetSender& Sender, long long Ms) {
  const ULONGLONG Deadline = GetTickCount64() + static_cast<ULONGLONG>(Ms);
  for (;;) {
    if (Sender.FindRunning()) return true;
    if (GetTickCount64() >= Deadline) return false;
    Sleep(10);
  }
}

int Run(int argc, char** argv) {
  std::string App;
  bool HaveApp = false;
  std::string Type;
  bool HaveTick = false;
  std::int32_t Tick = 0;
  long long Count = 1;
  long long WaitMs = 0;
  TLxTarget Target = TLxTarget::Any;
  bool Demo = false;
  bool Close = false;
  bool Escapes = false;
  bool Quiet = false;
  std::string FileName;
  std::vector<std::string> Args;

  for (int I = 1; I < argc; ++I) {
    const std::string A = argv[I];
    auto Value = [&](const char* Name) -> const char* {
      if (I + 1 >= argc) {
        std::fprintf(stderr, "lxsend: %s needs a value\n", Name);
        return nullptr;
      }
      return argv[++I];
    };
    long long V = 0;
    if (A == "--app") {
      const char* S = Value("--app");
      if (!S) return 1;
      App = S;
      HaveApp = true;
    } else if (A == "--type") {
      const char* S = Value("--type");
      if (!S) return 1;
      Type = S;
    } else if (A == "--tick") {
      const char* S = Value("--tick");
      if (!S || !ParseInt(S, -2147483648LL, 4294967295LL, V)) return UsageError("bad --tick");
      Tick = static_cast<std::int32_t>(static_cast<std::uint32_t>(V));
      HaveTick = true;
    } else if (A == "--count") {
      const char* S = Value("--count");
      if (!S || !ParseInt(S, 0, 1000000000LL, Count)) return UsageError("bad --count");
    } else if (A == "--wait") {
      const char* S = Value("--wait");
      if (!S || !ParseInt(S, 0, 3600000LL, WaitMs)) return UsageError("bad --wait");
    } else if (A == "--to") {
      const char* S = Value("--to");
      if (!S) return 1;
      const std::string T = S;
      if (T == "main")
        Target = TLxTarget::Main;
      else if (T == "satellite")
        Target = TLxTarget::Satellite;
      else if (T == "any")
        Target = TLxTarget::Any;
      else
        return UsageError("bad --to");
    } else if (A == "--demo") {
      Demo = true;
    } else if (A == "--file") {
      const char* S = Value("--file");
      if (!S) return 1;
      FileName = S;
    } else if (A == "--escapes") {
      Escapes = true;
    } else if (A == "--close") {
      Close = true;
    } else if (A == "--quiet") {
      Quiet = true;
    } else if (A == "--help" || A == "-h") {
      std::fputs(Usage, stdout);
      return 0;
    } else if (A.size() > 1 && A[0] == '-' && A[1] == '-') {
      return UsageError(("unknown option " + A).c_str());
    } else {
      Args.push_back(A);
    }
  }

  std::vector<TLxMessage> Messages;
  const int Modes = (Demo ? 1 : 0) + (Close ? 1 : 0) + (FileName.empty() ? 0 : 1) + (Args.empty() ? 0 : 1);
  if (Modes != 1) return UsageError("give one of KIND, --demo, --file or --close");
  TLxTargetSender Sender(Target);
  if (!HaveApp) App = Sender.AppName();
  if (Close) {
    if (WaitMs > 0 && !WaitForTarget(Sender, WaitMs)) return 2;
    HWND W = Sender.FindRunning();
    if (!W) {
      std::fprintf(stderr, "lxsend: no receiving window (is Orlimo running?)\n");
      return 2;
    }
    PostMessageA(W, WM_CLOSE, 0, 0);
    return 0;
  }
  if (Demo) {
    Messages = LxDemoStream(HaveTick ? Tick : static_cast<std::int32_t>(GetTickCount() - 60000u));
  } else if (!FileName.empty()) {
    try {
      const TFileBytes Bytes = ReadFileBytes(FileName);
      Messages = LxMessagesFromLog(std::string_view(Bytes.Data.get(), Bytes.Size));
    } catch (const std::exception& E) {
      std::fprintf(stderr, "lxsend: %s\n", E.what());
      return 4;
    }
  } else {
    if (Args.size() > 3) return UsageError("too many arguments");
    TLxMessage M;
    if (!LxParseKind(Args[0], M.Kind)) return UsageError(("unknown kind " + Args[0]).c_str());
    if (Args.size() > 1) M.Text = Escapes ? LxUnescape(Args[1]) : Args[1];
    if (Args.size() > 2) M.Details = Escapes ? LxUnescape(Args[2]) : Args[2];
    if (M.Kind == lxmSaveLog && !M.Text.empty()) {
      char Full[MAX_PATH];
      const DWORD N = GetFullPathNameA(M.Text.c_str(), MAX_PATH, Full, nullptr);
      if (N > 0 && N < MAX_PATH) M.Text = Full;
    }
    M.AppName = App;
    M.TypeName = Type;
    M.TickCount = Tick;
    for (long long I = 0; I < Count; ++I) Messages.push_back(M);
  }
  // A single message without --tick carries the tick count of its sending.
  const bool StampNow = !Demo && FileName.empty() && !HaveTick;

  if (WaitMs > 0 && !WaitForTarget(Sender, WaitMs)) {
    std::fprintf(stderr, "lxsend: no receiving window appeared within %lld ms\n", WaitMs);
    return 2;
  }

  long long Taken = 0, NotTaken = 0;
  for (TLxMessage& M : Messages) {
    if (StampNow) M.TickCount = static_cast<std::int32_t>(GetTickCount());
    // A log file's records go as they were; other messages as the sender builds them.
    const std::string Record =
        FileName.empty()
            ? BkLxBuildRecord(M.Kind, static_cast<std::uint32_t>(M.TickCount), M.Text, M.Details, M.AppName, M.TypeName)
            : BuildClientRecord(M.Kind, M.TickCount, M.Text, M.Details, M.AppName, M.TypeName);
    switch (Sender.Send(M.Kind, Record)) {
      case TLxSendResult::Taken: ++Taken; break;
      case TLxSendResult::NotTaken: ++NotTaken; break;
      case TLxSendResult::NoWindow:
        std::fprintf(stderr, "lxsend: no receiving window (is Orlimo running?)\n");
        return 2;
    }
  }
  if (!Quiet) std::printf("lxsend: %lld sent, %lld taken, %lld not taken\n", Taken + NotTaken, Taken, NotTaken);
  return NotTaken ? 3 : 0;
}

}  // namespace

int main(int argc, char** argv) {
  try {
    return Run(argc, argv);
  } catch (const EOrlimoException& E) {
    std::fprintf(stderr, "lxsend: %s\n", E.what());
    return 5;
  }
}
