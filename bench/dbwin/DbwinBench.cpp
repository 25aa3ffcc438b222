// Debug output: the viewer's capture against the smallest possible reader
// (map, wait, count, signal), in one run, with the same writers: WRITERS
// writer processes each writing LINES lines at once. The viewer is a panel in
// a shown form with time stamps on; it is done when every line is listed.
// ROUNDS rounds, the two alternating which goes first, so that the load of a
// shared machine hits both alike; the ratio is of the summed times.
//   dbwin_bench [LINES] [WRITERS] [ROUNDS]
#include <windows.h>

#include <psapi.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <map>
#include <memory>
#include <string>
#include <vector>

#include "core/BkOrlimo.h"
#include "model/OrlimoRecord.h"
#include "platform/Forms.h"
#include "protocol/LxDispatch.h"

namespace {

int Lines = 20000;
int Writers = 3;
int Rounds = 1;

struct TWriters {
  std::vector<PROCESS_INFORMATION> Procs;
  HANDLE Go = nullptr;
  explicit TWriters(const char* Tag) {
    const std::string GoName = std::string("OrlimoDbwinBenchGo") + Tag;
    Go = CreateEventA(nullptr, TRUE, FALSE, GoName.c_str());
    for (int I = 0; I < Writers; ++I) {
      STARTUPINFOA Si{};
      Si.cb = sizeof Si;
      PROCESS_INFORMATION Pi{};
      std::string Cmd = std::string("\"") + DBGWRITER_EXE + "\" -g " + GoName + " -t w" + std::to_string(I) + " -n " +
                        std::to_string(Lines);
      if (CreateProcessA(nullptr, Cmd.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr, &Si, &Pi))
        Procs.push_back(Pi);
    }
  }
  ~TWriters() {
    for (PROCESS_INFORMATION& Pi : Procs) {
      if (WaitForSingleObject(Pi.hProcess, 30000) != WAIT_OBJECT_0) TerminateProcess(Pi.hProcess, 1);
      CloseHandle(Pi.hThread);
      CloseHandle(Pi.hProcess);
    }
    CloseHandle(Go);
  }
};

double Seconds(LARGE_INTEGER A, LARGE_INTEGER B) {
  LARGE_INTEGER F;
  QueryPerformanceFrequency(&F);
  return static_cast<double>(B.QuadPart - A.QuadPart) / static_cast<double>(F.QuadPart);
}

// The smallest reader. Returns the seconds until every line arrived, or -1.
double Reference() {
  HANDLE Map = CreateFileMappingA(INVALID_HANDLE_VALUE, nullptr, PAGE_READWRITE, 0, 4096, "DBWIN_BUFFER");
  if (!Map || GetLastError() == ERROR_ALREADY_EXISTS) return -1;
  void* View = MapViewOfFile(Map, FILE_MAP_READ, 0, 0, 4096);
  HANDLE BufferReady = CreateEventA(nullptr, FALSE, FALSE, "DBWIN_BUFFER_READY");
  HANDLE DataReady = CreateEventA(nullptr, FALSE, FALSE, "DBWIN_DATA_READY");
  double Result = -1;
  {
    TWriters W("Ref");
    const long Total = static_cast<long>(Lines) * Writers;
    long Count = 0;
    SetEvent(BufferReady);
    LARGE_INTEGER T0, T1;
    QueryPerformanceCounter(&T0);
    SetEvent(W.Go);
    while (Count < Total && WaitForSingleObject(DataReady, 10000) == WAIT_OBJECT_0) {
      ++Count;
      SetEvent(BufferReady);
    }
    QueryPerformanceCounter(&T1);
    if (Count == Total)
      Result = Seconds(T0, T1);
    else
      std::printf("reference: %ld of %ld lines\n", Count, Total);
  }
  UnmapViewOfFile(View);
  CloseHandle(BufferReady);
  CloseHandle(DataReady);
  CloseHandle(Map);
  return Result;
}

// The viewer's capture. Returns the seconds until every line was listed, or -1.
double Viewer() {
  auto Form = std::make_unique<TForm>(nullptr);
  Form->SetBounds(40, 40, 700, 500);
  auto* C = new TBkOrlimoComposite(Form.get());
  C->SetParent(Form.get());
  C->SetAlign(alClient);
  Form->Show();
  C->SetViewTimeStamp(true);
  if (!C->SetCaptureDebugOutput(true)) return -1;
  const std::int32_t Total = Lines * Writers;
  double Result = -1;
  {
    TWriters W("Viewer");
    LARGE_INTEGER T0, T1;
    QueryPerformanceCounter(&T0);
    SetEvent(W.Go);
    DWORD LastChange = GetTickCount();
    std::int32_t Last = 0;
    while (C->Messages().Count() < Total && GetTickCount() - LastChange < 10000) {
      MsgWaitForMultipleObjects(0, nullptr, FALSE, 100, QS_ALLINPUT);
      Application->ProcessMessages();
      if (C->Messages().Count() != Last) {
        Last = C->Messages().Count();
        LastChange = GetTickCount();
      }
    }
    QueryPerformanceCounter(&T1);
    const std::int32_t Count = C->Messages().Count();
    // Every line once, in each writer's order.
    std::map<std::string, int> Next;
    bool InOrder = true;
    for (std::int32_t I = 0; I < Count; ++I) {
      const std::string Text(C->GetItemMsgInfo(I).Text());
      const std::string Tag = Text.substr(0, Text.find(' '));
      if (Text != Tag + " " + std::to_string(Next[Tag]++)) InOrder = false;
    }
    std::printf("viewer: %d of %d lines listed, %s\n", static_cast<int>(Count), static_cast<int>(Total),
                InOrder ? "each writer's lines in order" : "OUT OF ORDER");
    if (Count == Total && InOrder) Result = Seconds(T0, T1);
  }
  C->SetCaptureDebugOutput(false);
  return Result;
}

std::size_t PrivateBytes() {
  PROCESS_MEMORY_COUNTERS C{};
  C.cb = sizeof C;
  return GetProcessMemoryInfo(GetCurrentProcess(), &C, sizeof C) ? C.PagefileUsage : 0;
}

// Memory of a captured line against a sent message of the same text and names
// (the same record handed to the dispatcher): the lines are captured first, then as many
// messages with the same texts and names are added to the same list (no
// Clear between, so the record pool's kept slabs cannot flatter the second).
void MemoryPerLine() {
  auto Form = std::make_unique<TForm>(nullptr);
  Form->SetBounds(40, 40, 700, 500);
  auto* C = new TBkOrlimoComposite(Form.get());
  C->SetParent(Form.get());
  C->SetAlign(alClient);
  Form->Show();
  C->SetViewTimeStamp(true);
  Application->ProcessMessages();
  const std::int32_t Total = Lines * Writers;
  const std::size_t P0 = PrivateBytes();
  const TOrlimoRecordMemory M0 = OrlimoRecordMemory();
  if (!C->SetCaptureDebugOutput(true)) return;
  {
    TWriters W("Memory");
    SetEvent(W.Go);
    DWORD LastChange = GetTickCount();
    std::int32_t Last = 0;
    while (C->Messages().Count() < Total && GetTickCount() - LastChange < 10000) {
      MsgWaitForMultipleObjects(0, nullptr, FALSE, 100, QS_ALLINPUT);
      Application->ProcessMessages();
      if (C->Messages().Count() != Last) {
        Last = C->Messages().Count();
        LastChange = GetTickCount();
      }
    }
  }
  C->SetCaptureDebugOutput(false);  // the reader's queue and buffers go
  Application->ProcessMessages();
  const std::int32_t Captured = C->Messages().Count();
  const std::size_t P1 = PrivateBytes();
  const TOrlimoRecordMemory M1 = OrlimoRecordMemory();
  for (std::int32_t I = 0; I < Captured; ++I) {
    const TOrlimoMsgInfo& M = C->GetItemMsgInfo(I);
    const std::string Record = BuildClientRecord(M.MsgType(), M.TickCount(), M.Text(), "", M.AppName(), M.TypeName());
    LxDispatchRecord(M.MsgType(), Record.data(), Record.size(), {C}, TLxIntakeMode::MainForm);
  }
  Application->ProcessMessages();
  const std::size_t P2 = PrivateBytes();
  const TOrlimoRecordMemory M2 = OrlimoRecordMemory();
  if (Captured <= 0) return;
  const double N = Captured;
  std::printf(
      "memory per line, %d lines: captured %.1f B private (%.1f B in record slabs), "
      "sent %.1f B private (%.1f B in record slabs)\n",
      static_cast<int>(Captured), (static_cast<double>(P1) - static_cast<double>(P0)) / N,
      (static_cast<double>(M1.SlabBytes) - static_cast<double>(M0.SlabBytes)) / N,
      (static_cast<double>(P2) - static_cast<double>(P1)) / N,
      (static_cast<double>(M2.SlabBytes) - static_cast<double>(M1.SlabBytes)) / N);
}

}  // namespace

int main(int argc, char** argv) {
  if (argc > 1) Lines = std::atoi(argv[1]);
  if (argc > 2) Writers = std::atoi(argv[2]);
  if (argc > 3) Rounds = std::max(1, std::atoi(argv[3]));
  Application->Initialize();
  std::printf("%d writers x %d lines, %d rounds\n", Writers, Lines, Rounds);
  MemoryPerLine();  // first: no record slabs kept from an earlier list yet
  double RefAll = 0, ViewAll = 0;
  for (int R = 0; R < Rounds; ++R) {
    double Ref = -1, View = -1;
    for (int Turn = 0; Turn < 2; ++Turn) {
      if ((Turn == 0) == (R % 2 == 0))
        Ref = Reference();
      else
        View = Viewer();
    }
    if (Ref < 0 || View < 0) {
      std::printf(Ref < 0 ? "reference reader failed\n" : "viewer failed\n");
      return 1;
    }
    std::printf("round %d: reference %.2f s (%.0f lines/s), viewer %.2f s (%.0f lines/s), ratio %.3f\n", R + 1, Ref,
                Lines * Writers / Ref, View, Lines * Writers / View, View / Ref);
    RefAll += Ref;
    ViewAll += View;
  }
  std::printf("reference reader: %.2f s in all\n", RefAll);
  std::printf("viewer:           %.2f s in all\n", ViewAll);
  std::printf("ratio viewer/reference: %.3f (goal <= 1.10)\n", ViewAll / RefAll);
  return 0;
}
