// Benchmark of the searches over the message list: find, the navigator and
// the call stack, on lists of millions of messages.
//
//   navigate_bench [small] [large]       (defaults: 1000000 10000000)
//
// Find is timed with a find text that matches nothing (every item's text is
// read once) and reported as bytes of item text per second, beside a plain
// pass over the same texts (strlen and memchr per item, through the same walk
// over the items) as the reference; then with the only match near the end.
// The navigator is timed at the large size with the only item of the
// navigator kind at the far end; the call stack for an item far below its
// outermost enter method message. Times are medians of several runs.
#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <functional>
#include <string>
#include <vector>

#include "model/CallStack.h"
#include "model/MsgList.h"
#include "model/Navigator.h"

namespace {

using TClockT = std::chrono::steady_clock;

double Seconds(TClockT::time_point Start) { return std::chrono::duration<double>(TClockT::now() - Start).count(); }

// Median time of Runs calls of F, in seconds.
double Time(int Runs, const std::function<void()>& F) {
  std::vector<double> T;
  for (int I = 0; I < Runs; ++I) {
    const auto Start = TClockT::now();
    F();
    T.push_back(Seconds(Start));
  }
  std::sort(T.begin(), T.end());
  return T[T.size() / 2];
}

// Median time per call of F over batches of Calls calls, in seconds.
double TimePerCall(int Calls, const std::function<void()>& F) {
  return Time(5,
              [&] {
                for (int I = 0; I < Calls; ++I) F();
              }) /
         Calls;
}

// Message texts of 37 to 53 bytes, 46 on average, in four shapes.
const char* const Shapes[] = {"Loaded %07d rows from the cache of the reader", "Processing order %07d of the queue",
                              "Sending %07d bytes to the remote service now, slot",
                              "Record %07d written to the journal file, ok"};

std::size_t Text(char* Buf, std::size_t Size, std::int32_t I) {
  return static_cast<std::size_t>(std::snprintf(Buf, Size, Shapes[I % 4], I % 10000000));
}

std::size_t Fill(TOrlimoMsgList& L, std::int32_t N, const std::function<std::int32_t(std::int32_t)>& KindOf) {
  char Buf[128];
  std::size_t Bytes = 0;
  for (std::int32_t I = 0; I < N; ++I) {
    const std::size_t Len = Text(Buf, sizeof Buf, I);
    Bytes += Len;
    L.AddMessage(KindOf(I), std::string_view(Buf, Len), "BenchClient", "TBenchForm", I, {});
  }
  return Bytes;
}

volatile std::int64_t GSink = 0;

void BenchFind(std::int32_t N) {
  TManualClock Clock(0, 0);
  TOrlimoMsgList L(Clock, "Bench");
  const std::size_t Bytes = Fill(L, N, [](std::int32_t) { return lxmInfo; });
  const double MB = static_cast<double>(Bytes) / 1e6;
  std::printf("\n%d items, %.1f MB of text, %.1f bytes per text on average\n", N, MB, static_cast<double>(Bytes) / N);
  const int Runs = N > 2000000 ? 3 : 7;
  const TFindOptions Forward{true, false};

  const double Ref = Time(Runs, [&] {
    // strlen, then memchr (char_traits::find) over the text.
    GSink = GSink +
            L.FindItem(0, true, [](const TOrlimoMsgInfo& R) { return R.Text().find('#') != std::string_view::npos; });
  });
  std::printf("  reference pass (strlen + memchr per item): %7.1f ms, %6.2f GB/s\n", Ref * 1e3, MB / Ref / 1e3);
  for (const char* What : {"zqx", "timeout", "REMOTE SERVICE LATER"}) {
    const TFindText Find(What);
    std::int32_t Found = 0;
    const double T = Time(Runs, [&] { Found = FindNextPosition(L, Find, Forward, true, -1); });
    if (Found != -1) std::printf("  unexpected match of \"%s\" at %d\n", What, Found);
    std::printf("  find \"%s\", no match: %7.1f ms, %6.2f GB/s (%.2f of the reference's time)\n", What, T * 1e3,
                MB / T / 1e3, T / Ref);
  }
  // The only match ten items before the end, searched forward from the top.
  L.SetItemText(N - 10, "Sending 0000000 bytes to the remote service LATER");  // as long as its neighbours
  const TFindText Later("later");
  std::int32_t Found = 0;
  const double Near = Time(Runs, [&] { Found = FindNextPosition(L, Later, Forward, true, -1); });
  const TFindText None("zqx");
  const double Whole = Time(Runs, [&] { GSink = GSink + FindNextPosition(L, None, Forward, true, -1); });
  std::printf("  find \"later\", only match at %d: %7.1f ms; the whole scan %7.1f ms (ratio %.2f)\n", Found, Near * 1e3,
              Whole * 1e3, Near / Whole);
  // Backward from the end, the match is found at once.
  const TFindOptions Backward{false, false};
  const double Back = TimePerCall(1000, [&] { GSink = GSink + FindNextPosition(L, Later, Backward, true, -1); });
  std::printf("  the same backward from the end: %.2f us\n", Back * 1e6);
}

void BenchNavigator(std::int32_t N, bool InsertAtEnd) {
  TManualClock Clock(0, 0);
  TOrlimoMsgList L(Clock, "Bench");
  L.SetInsertAtEnd(InsertAtEnd);
  // One check point, the newest message (at the far end from the oldest).
  Fill(L, N, [N](std::int32_t I) { return I == N - 1 ? lxmCheckPoint : lxmInfo; });
  const std::int32_t Oldest = InsertAtEnd ? 0 : N - 1, Match = InsertAtEnd ? N - 1 : 0;
  std::printf("\n%d items inserted at the %s, the only check point at %d\n", N, InsertAtEnd ? "end" : "top", Match);

  std::optional<TNavButtonStates> B;
  const double Update = TimePerCall(100000, [&] { B = NavButtonStates(L, Oldest); });
  std::printf("  UpdateNavButtons on the oldest item: %.3f us per call (goal <= 1 ms); next/last %s\n", Update * 1e6,
              B && (*B)[NavNext] && (*B)[NavLast] && !(*B)[NavFirst] ? "on, first/prev off" : "WRONG");
  std::int32_t To = -1;
  const double Next = TimePerCall(100000, [&] { To = NavigatorTarget(L, NavNext, Oldest); });
  std::printf("  JumpToMessage next from the oldest item: %.3f us per call (goal <= 20 ms), lands on %d\n", Next * 1e6,
              To);
  // What a click right after an insertion costs (the index follows the list).
  const double AfterAdd = Time(7, [&] {
    L.AddMessage(lxmInfo, "one more", "BenchClient", "", 0, {});
    B = NavButtonStates(L, Oldest);
  });
  std::printf("  one message added, then UpdateNavButtons: %.3f us\n", AfterAdd * 1e6);
  // The walk over every item that the index saves per click.
  const double Scan = Time(
      3, [&] { GSink = GSink + L.FindItem(0, true, [](const TOrlimoMsgInfo& R) { return R.MsgType() == lxmNote; }); });
  std::printf("  for comparison, one walk over all kinds: %.1f ms\n", Scan * 1e3);
  std::printf("  index: %.2f bytes per message\n", static_cast<double>(L.KindIndex().MemoryBytes()) / L.Count());
  // Another navigator kind: its positions are collected on the next click.
  const double Switch = Time(3, [&] {
    L.SetNavigatorMessage(lxmInfo);
    B = NavButtonStates(L, Oldest);
    L.SetNavigatorMessage(lxmCheckPoint);
    B = NavButtonStates(L, Oldest);
  });
  L.SetNavigatorMessage(lxmInfo);
  std::printf(
      "  navigator kind changed to Info and back, a click after each: %.1f ms; index with Info: %.2f bytes per "
      "message\n",
      Switch * 1e3, static_cast<double>(L.KindIndex().MemoryBytes()) / L.Count());
}

// The call-stack walk item by item, for comparison.
std::size_t LinearCallStack(const TOrlimoMsgList& L, std::int32_t Cur) {
  std::size_t Lines = 0;
  std::int64_t W = L.GetItemMsgInfo(Cur).IndentLevel();
  for (std::int32_t I = Cur; I >= 0; --I) {
    const TOrlimoMsgInfo& R = L.GetItemMsgInfo(I);
    if (R.MsgType() == lxmEnterMethod && R.IndentLevel() < W) {
      ++Lines;
      --W;
      if (R.IndentLevel() == 0) break;
    }
  }
  return Lines;
}

void BenchCallStack(std::int32_t N, std::int32_t Depth, std::int32_t Recursion) {
  TManualClock Clock(0, 0);
  TOrlimoMsgList L(Clock, "Bench");
  char Buf[128];
  for (std::int32_t I = 0; I < Depth; ++I) L.AddMessage(lxmEnterMethod, "Enter method", "BenchClient", "", 0, {});
  for (std::int32_t I = 0; I < N; ++I) {
    const std::size_t Len = Text(Buf, sizeof Buf, I);
    L.AddMessage(lxmInfo, std::string_view(Buf, Len), "BenchClient", "", 0, {});
  }
  for (std::int32_t I = 0; I < Recursion; ++I) L.AddMessage(lxmEnterMethod, "Recurse", "BenchClient", "", 0, {});
  for (std::int32_t I = 0; I < Recursion; ++I) L.AddMessage(lxmExitMethod, "Return", "BenchClient", "", 0, {});
  L.AddMessage(lxmInfo, "Here", "BenchClient", "", 0, {});
  const std::int32_t Cur = L.Count() - 1;
  std::vector<TCallStackLine> Lines;
  const double T = TimePerCall(Recursion > 0 ? 100 : 10000, [&] { TraverseCallStack(L, Cur, Lines); });
  const auto Start = TClockT::now();
  const std::size_t Want = LinearCallStack(L, Cur);
  const double Walk = Seconds(Start);
  std::printf("  depth %d, %d items below the outermost enter%s: %.2f us, %zu lines (%s); item by item %.1f ms\n",
              Depth, Cur,
              Recursion ? (", a finished recursion " + std::to_string(Recursion) + " deep just before").c_str() : "",
              T * 1e6, Lines.size(), Lines.size() == Want ? "right" : "WRONG", Walk * 1e3);
}

}  // namespace

int main(int argc, char** argv) {
  const std::int32_t Small = argc > 1 ? std::atoi(argv[1]) : 1000000;
  const std::int32_t Large = argc > 2 ? std::atoi(argv[2]) : 10000000;
  if (Small <= 10 || Large <= 10) {
    std::fprintf(stderr, "usage: navigate_bench [small] [large]\n");
    return 2;
  }
  std::printf("Searches over the message list (%zu-bit build)\n", sizeof(void*) * 8);
  BenchFind(Small);
  BenchFind(Large);
  BenchNavigator(Large, true);
  BenchNavigator(Large, false);
  std::printf("\nTraverseCallStack for the last item\n");
  BenchCallStack(Large, 1, 0);
  BenchCallStack(Large, 100, 0);
  BenchCallStack(Large, 100, 100000);
  return 0;
}
