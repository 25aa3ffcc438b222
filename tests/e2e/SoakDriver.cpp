// soak_driver: Orlimo.exe under a long load (scripts/soak.sh runs it).
//
//   soak_driver SENDERS MESSAGES WRITERS LINES EVERY OUTFOLDER [MEMORYCHECK]
//
// Starts the viewer, switches its debug output capture on by keys (Alt+M, D),
// then SENDERS threads each send MESSAGES Info messages by WM_COPYDATA at
// once ("<s> <i>", application "Soak<s>"), in blocks of EVERY messages in all.
// Alongside every block WRITERS dbgwriter processes write their share of
// LINES debug lines each. After each block the inspector window (over an
// object message sent for it), find, the navigator message choice and the
// preferences are opened by keys and closed again, and the viewer's GDI and
// USER object counts and private bytes are taken. At the end the list is
// saved (save-log command) and every message and debug line must be in the
// file, once.
//
// Figures: GDI and USER objects must end within 5 % of their values after the
// first block. The list keeps every message, so private bytes grow with it:
// what must stay within 5 % (with MEMORYCHECK 1) is their growth per listed
// message over the second half of the run against the first half, both
// counted from the end of the first block (which carries what the viewer
// makes once: the dialogs, their fonts, the capture's buffers).
//
// Exit code 0 when every check held, 1 when one failed, 2 on a usage error.
#include <windows.h>

// After windows.h, which it needs.
#include <psapi.h>

#include <algorithm>
#include <atomic>
#include <cstdio>
#include <cstdlib>
#include <map>
#include <memory>
#include <string>
#include <thread>
#include <vector>

#include "KeyboardUtil.h"
#include "lxsend/LxProcess.h"
#include "lxsend/LxSender.h"
#include "model/OrlimoMsg.h"
#include "model/OrlimoRecord.h"
#include "protocol/client/BkLxIntf.h"

namespace {

struct TSample {
  long long Messages = 0;
  DWORD Gdi = 0;
  DWORD User = 0;
  unsigned long long Private = 0;
};

TSample Measure(HANDLE Process, long long Messages) {
  TSample S;
  S.Messages = Messages;
  S.Gdi = GetGuiResources(Process, GR_GDIOBJECTS);
  S.User = GetGuiResources(Process, GR_USEROBJECTS);
  PROCESS_MEMORY_COUNTERS_EX M{};
  M.cb = sizeof M;
  if (GetProcessMemoryInfo(Process, reinterpret_cast<PROCESS_MEMORY_COUNTERS*>(&M), sizeof M))
    S.Private = M.PrivateUsage ? M.PrivateUsage : M.PagefileUsage;
  else
    std::printf("soak: GetProcessMemoryInfo failed (%lu)\n", GetLastError());
  return S;
}

struct TOtherWindow {
  DWORD Pid;
  HWND Main;
  HWND Found = nullptr;
};

BOOL CALLBACK FindOtherWindow(HWND W, LPARAM Data) {
  auto* S = reinterpret_cast<TOtherWindow*>(Data);
  DWORD Pid = 0;
  GetWindowThreadProcessId(W, &Pid);
  if (Pid != S->Pid || W == S->Main || !IsWindowVisible(W) || ClassOf(W) == "#32768") return TRUE;
  S->Found = W;
  return FALSE;
}

// Another visible top-level window of the viewer, waited for (bounded).
HWND WaitForOtherWindow(HWND Main, DWORD Pid) {
  TOtherWindow S{Pid, Main};
  WaitUntil(Main, [&] {
    S.Found = nullptr;
    EnumWindows(FindOtherWindow, reinterpret_cast<LPARAM>(&S));
    return S.Found != nullptr;
  });
  return S.Found;
}

// Opens a window by a menu's mnemonics and closes it again. False when it did
// not show. A key typed while the busy viewer was still busy with the one
// before can go astray: the menu is closed (Escape) and the keys typed again,
// three times at most.
bool OpenAndClose(TViewerKeyboard& Keys, HWND Main, DWORD Pid, char MenuKey, char ItemKey) {
  for (int Try = 0; Try < 3; ++Try) {
    if (Try > 0) {
      std::printf("soak: Alt+%c, %c again\n", MenuKey, ItemKey);
      Keys.Type(VK_ESCAPE);
      Keys.Type(VK_ESCAPE);
      Settle(Main);
    }
    if (!Keys.Menu(MenuKey, ItemKey)) continue;
    const HWND W = WaitForOtherWindow(Main, Pid);
    if (!W) continue;
    PostMessageA(W, WM_CLOSE, 0, 0);
    if (WaitUntil(Main, [&] { return !IsWindow(W) || !IsWindowVisible(W); })) return true;
  }
  return false;
}

std::string Quote(const std::string& S) { return "\"" + S + "\""; }

// The saved log's bytes, empty when it cannot be read.
std::string ReadFileBytes(const std::string& Name) {
  HANDLE F = CreateFileA(Name.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING, 0, nullptr);
  if (F == INVALID_HANDLE_VALUE) return {};
  LARGE_INTEGER Size{};
  GetFileSizeEx(F, &Size);
  std::string Bytes(static_cast<std::size_t>(Size.QuadPart), '\0');
  std::size_t At = 0;
  DWORD Got = 0;
  while (
      At < Bytes.size() &&
      ReadFile(F, &Bytes[At], static_cast<DWORD>(std::min<std::size_t>(Bytes.size() - At, 1 << 30)), &Got, nullptr) &&
      Got > 0)
    At += Got;
  CloseHandle(F);
  Bytes.resize(At);
  return Bytes;
}

}  // namespace

int main(int argc, char** argv) {
  if (argc != 7 && argc != 8) {
    std::fprintf(stderr, "usage: soak_driver SENDERS MESSAGES WRITERS LINES EVERY OUTFOLDER [MEMORYCHECK]\n");
    return 2;
  }
  const int Senders = std::atoi(argv[1]);
  const long long PerSender = std::atoll(argv[2]);
  const int Writers = std::atoi(argv[3]);
  const long long Lines = std::atoll(argv[4]);
  const long long Every = std::atoll(argv[5]);
  const std::string Out = argv[6];
  const bool MemoryCheck = argc == 8 && std::atoi(argv[7]) != 0;
  if (Senders < 1 || PerSender < 1 || Writers < 0 || Lines < 0 || Every < Senders) return 2;
  const long long Total = PerSender * Senders;
  const long long Blocks = (Total + Every - 1) / Every;

  TLxProcess Viewer;
  if (!Viewer.Start(Quote(ORLIMO_EXE))) {
    std::printf("soak: cannot start %s\n", ORLIMO_EXE);
    return 1;
  }
  const HWND Main = LxWaitForWindow(Viewer, LxMainClassName, LxMainCaption, 30000);
  if (!Main) {
    std::printf("soak: the viewer's window did not appear\n");
    return 1;
  }
  const DWORD Pid = Viewer.Id();
  TViewerKeyboard Keys(Main);
  bool Ok = true;
  const auto Fail = [&Ok](const std::string& What) {
    std::printf("soak: FAILED: %s\n", What.c_str());
    Ok = false;
  };
  if (Writers > 0 && !Keys.Menu('M', 'D')) Fail("Alt+M, D (capture debug output) did not open the menu");
  Settle(Main);

  std::atomic<long long> NotTaken{0};
  std::vector<TSample> Samples;
  const TSample Start = Measure(Viewer.Handle(), 0);
  const ULONGLONG Began = GetTickCount64();
  long long Sent = 0;
  for (long long B = 0; B < Blocks && Ok; ++B) {
    // This block's share of every sender and writer.
    const long long From = B * Every / Senders, To = std::min(PerSender, (B + 1) * Every / Senders);
    const long long LineFrom = B * Lines / Blocks, LineTo = (B + 1) * Lines / Blocks;
    std::vector<std::unique_ptr<TLxProcess>> Dbg;
    for (int K = 0; K < Writers && LineTo > LineFrom; ++K) {
      // dbgwriter -n writes "<tag> <i>" for i from 0: the tag carries the block's first line.
      auto P = std::make_unique<TLxProcess>();
      const std::string Cmd = Quote(DBGWRITER_EXE) + " -t w" + std::to_string(K) + "." + std::to_string(LineFrom) +
                              " -n " + std::to_string(LineTo - LineFrom);
      if (!P->Start(Cmd, SW_HIDE)) Fail("cannot start dbgwriter");
      Dbg.push_back(std::move(P));
    }
    std::vector<std::thread> Threads;
    for (int S = 0; S < Senders; ++S) {
      Threads.emplace_back([&, S] {
        const std::string App = "Soak" + std::to_string(S);
        for (long long I = From; I < To; ++I) {
          const std::string Record = BuildClientRecord(lxmInfo, static_cast<std::int32_t>(GetTickCount()),
                                                       std::to_string(S) + " " + std::to_string(I), "", App, "");
          if (BkLxSendRecordTo(Main, lxmInfo, Record) != TBkLxSendResult::Taken) ++NotTaken;
        }
      });
    }
    for (std::thread& T : Threads) T.join();
    for (auto& P : Dbg)
      if (P->Wait(600000) != 0) Fail("a dbgwriter did not end well");
    Sent += (To - From) * Senders;
    // The dialogs by keys, then the figures. The inspector shows an object
    // message: one more, made the current message.
    BkLxSendRecordTo(Main, lxmObject,
                     BuildClientRecord(lxmObject, 0, "Object " + std::to_string(B), "Block\t" + std::to_string(B),
                                       "Inspect", "TSoakBlock"));
    Settle(Main);
    Keys.Type(VK_END);
    if (!OpenAndClose(Keys, Main, Pid, 'V', 'O')) Fail("the inspector window (Alt+V, O)");
    if (!OpenAndClose(Keys, Main, Pid, 'S', 'F')) Fail("find (Alt+S, F)");
    if (!OpenAndClose(Keys, Main, Pid, 'M', 'M')) Fail("the navigator message (Alt+M, M)");
    if (!OpenAndClose(Keys, Main, Pid, 'V', 'R')) Fail("the preferences (Alt+V, R)");
    Settle(Main);
    Samples.push_back(Measure(Viewer.Handle(), Sent));
    const TSample& S = Samples.back();
    std::printf("soak: %lld messages, %.0f s: GDI %lu, USER %lu, private %.1f MB\n", S.Messages,
                (GetTickCount64() - Began) / 1000.0, S.Gdi, S.User, S.Private / 1048576.0);
    std::fflush(stdout);
  }
  if (NotTaken) Fail(std::to_string(NotTaken.load()) + " messages not taken");

  // Every message and debug line in the saved log, once. The captured lines
  // may still be on their way to the list: saved again until they are there.
  const std::string Saved = Out + "\\soak-saved.olx";
  std::map<std::string, int> Seen;
  long long Found = 0, FoundLines = 0;
  for (int Try = 0; Try < 60 && Ok; ++Try) {
    DeleteFileA(Saved.c_str());
    BkLxSendRecordTo(Main, lxmSaveLog, BuildClientRecord(lxmSaveLog, 0, Saved, "", "soak", ""));
    const std::string Bytes = ReadFileBytes(Saved);
    Seen.clear();
    Found = FoundLines = 0;
    std::size_t Off = 0;
    TOrlimoRecord R;
    while (Off < Bytes.size() && DecodeRecord(Bytes.data() + Off, Bytes.size() - Off, R) == TRecordStatus::Ok) {
      Off += R.Size;
      const std::string Text(R.Text);
      if (R.AppName.substr(0, 4) == "Soak") {
        if (++Seen[Text] == 1) ++Found;
      } else if (!Text.empty() && Text[0] == 'w' && Text.find('.') != std::string::npos) {
        if (++Seen[Text] == 1) ++FoundLines;
      }
    }
    if (Found == Total && FoundLines == Lines * Writers) break;
    Sleep(500);
  }
  std::size_t Twice = 0;
  for (const auto& [Text, N] : Seen) Twice += N > 1;
  std::printf("soak: saved log: %lld of %lld messages, %lld of %lld debug lines, %zu more than once\n", Found, Total,
              FoundLines, Lines * Writers, Twice);
  if (Found != Total || FoundLines != Lines * Writers || Twice) Fail("the saved log does not hold every message once");

  if (!Samples.empty()) {
    const TSample& First = Samples.front();
    const TSample& Mid = Samples[Samples.size() / 2];
    const TSample& Last = Samples.back();
    const auto Within = [](double A, double B) { return B == 0 ? A == 0 : A >= B * 0.95 && A <= B * 1.05; };
    const auto Rate = [](const TSample& A, const TSample& B) {
      return B.Messages > A.Messages ? (double(B.Private) - double(A.Private)) / double(B.Messages - A.Messages) : 0.0;
    };
    const double FirstHalf = Rate(First, Mid), SecondHalf = Rate(Mid, Last);
    std::printf(
        "soak: after the first block / at the end: GDI %lu / %lu, USER %lu / %lu, private %.1f / %.1f MB "
        "(start %.1f MB); private bytes per message over the first / second half: %.1f / %.1f\n",
        First.Gdi, Last.Gdi, First.User, Last.User, First.Private / 1048576.0, Last.Private / 1048576.0,
        Start.Private / 1048576.0, FirstHalf, SecondHalf);
    if (First.Gdi == 0 && First.User == 0) std::printf("soak: GetGuiResources gives no counts on this system\n");
    if (!Within(Last.Gdi, First.Gdi)) Fail("GDI objects grew by more than 5 %");
    if (!Within(Last.User, First.User)) Fail("USER objects grew by more than 5 %");
    if (MemoryCheck && Samples.size() > 2 && !Within(SecondHalf, FirstHalf))
      Fail("private bytes per message changed by more than 5 %");
  }
  DeleteFileA(Saved.c_str());
  PostMessageA(Main, WM_CLOSE, 0, 0);
  if (Viewer.Wait(120000) != 0) Fail("the viewer did not end normally after WM_CLOSE");
  std::printf("soak: %s\n", Ok ? "passed" : "FAILED");
  return Ok ? 0 : 1;
}
