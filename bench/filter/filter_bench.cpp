// The filter over millions of messages of 46-byte texts:
//  - re-filtering the whole list with one Contains rule, a wildcard, a
//    regular expression and the quick text (the shown positions made again);
//  - clearing the filter (the view is the list again);
//  - one new message tested against 10 enabled rules;
//  - the index's memory per shown message.
//
//   filter_bench [messages]     (default 10000000)
#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <functional>
#include <string>
#include <vector>

#include "model/MsgFilter.h"
#include "model/MsgList.h"

namespace {

using TClockT = std::chrono::steady_clock;
double Seconds(TClockT::time_point Start) { return std::chrono::duration<double>(TClockT::now() - Start).count(); }

double Median(int Runs, const std::function<void()>& F) {
  std::vector<double> T;
  for (int I = 0; I < Runs; ++I) {
    const auto Start = TClockT::now();
    F();
    T.push_back(Seconds(Start));
  }
  std::sort(T.begin(), T.end());
  return T[T.size() / 2];
}

// Message texts of 37 to 53 bytes, 46 on average, in four shapes.
const char* const Shapes[] = {"Loaded %07d rows from the cache of the reader", "Processing order %07d of the queue",
                              "Sending %07d bytes to the remote service now, slot",
                              "Record %07d written to the journal file, ok"};

TFilterRule Rule(TFilterAction A, TFilterField F, TFilterMatch M, std::string Pattern) {
  TFilterRule R;
  R.Action = A;
  R.Field = F;
  R.Match = M;
  R.Pattern = std::move(Pattern);
  return R;
}

}  // namespace

int main(int argc, char** argv) {
  const std::int32_t N = argc > 1 ? std::atoi(argv[1]) : 10000000;
  TManualClock Clock(0, 0);
  TOrlimoMsgList L(Clock, "Bench");
  char Buf[128];
  for (std::int32_t I = 0; I < N; ++I) {
    const int Len = std::snprintf(Buf, sizeof Buf, Shapes[I % 4], I % 10000000);
    L.AddMessage(I % 97 == 0 ? lxmWarning : lxmInfo, std::string_view(Buf, static_cast<std::size_t>(Len)),
                 I % 3 ? "BenchClient.exe" : "Worker.exe", "TBenchForm", I, {});
  }
  std::printf("filter: %d messages\n", N);

  TMsgFilter Filter;
  TMsgFilterIndex Index;
  auto Refilter = [&] { Index.Rebuild(L.Count(), [&](std::int32_t I) { return Filter.Shows(L.GetItemMsgInfo(I)); }); };
  const struct {
    const char* Name;
    std::vector<TFilterRule> Rules;
    const char* Quick;
  } Cases[] = {
      {"Contains \"remote SERVICE\"",
       {Rule(TFilterAction::Include, TFilterField::Text, TFilterMatch::Contains, "remote SERVICE")},
       ""},
      {"Exclude contains \"order\"",
       {Rule(TFilterAction::Exclude, TFilterField::Text, TFilterMatch::Contains, "order")},
       ""},
      {"Wildcard \"record *ok\"",
       {Rule(TFilterAction::Include, TFilterField::Text, TFilterMatch::Wildcard, "record *ok")},
       ""},
      {"Wildcard app \"worker.*\"",
       {Rule(TFilterAction::Include, TFilterField::App, TFilterMatch::Wildcard, "worker.*")},
       ""},
      {"Kind 1", {Rule(TFilterAction::Include, TFilterField::Kind, TFilterMatch::Contains, "1")}, ""},
      {"Regex \"order 00[0-9]+5 \"",
       {Rule(TFilterAction::Include, TFilterField::Text, TFilterMatch::Regex, "order 00[0-9]+5 ")},
       ""},
      {"Quick text \"cache\"", {}, "cache"},
  };
  const int Runs = N > 2000000 ? 3 : 5;
  std::printf("%-32s %12s %12s\n", "re-filter", "ms", "shown");
  for (const auto& C : Cases) {
    Filter.SetRules(C.Rules);
    Filter.SetQuickText(C.Quick);
    const double T = Median(C.Rules.size() && C.Rules[0].Match == TFilterMatch::Regex ? 1 : Runs, Refilter);
    std::printf("%-32s %12.1f %12d\n", C.Name, T * 1e3, Index.Count());
  }
  std::printf("  (goal: a Contains rule <= 1000 ms at 10,000,000 messages)\n");

  // Clearing: nothing filters, the view maps straight onto the list.
  Filter.SetRules({});
  Filter.SetQuickText("");
  const double Clear = Median(Runs, [&] {
    Index.Clear();
    if (Filter.Filtering()) Refilter();
  });
  std::printf("clear the filter: %.3f ms (goal <= 50 ms)\n", Clear * 1e3);

  // Memory of the index, with every message shown.
  Index.Rebuild(L.Count(), [](std::int32_t) { return true; });
  std::printf("index: %d shown, about %.1f bytes each (4-byte positions in a deque of 512-byte blocks)\n",
              Index.Count(), 4.0 * (1.0 + 8.0 / 512.0));

  // A new message against 10 enabled rules: 4 includes, 3 excludes, 3 highlights.
  std::vector<TFilterRule> Ten;
  for (const char* P : {"remote service", "journal", "cache", "queue"})
    Ten.push_back(Rule(TFilterAction::Include, TFilterField::Text, TFilterMatch::Contains, P));
  for (const char* P : {"*timeout*", "*refused*", "*denied*"})
    Ten.push_back(Rule(TFilterAction::Exclude, TFilterField::Text, TFilterMatch::Wildcard, P));
  Ten.push_back(Rule(TFilterAction::Highlight, TFilterField::App, TFilterMatch::Wildcard, "worker.*"));
  Ten.push_back(Rule(TFilterAction::Highlight, TFilterField::Kind, TFilterMatch::Contains, "2"));
  Ten.push_back(Rule(TFilterAction::Highlight, TFilterField::Text, TFilterMatch::Contains, "failed"));
  Filter.SetRules(Ten);
  const std::int32_t Probe = std::min<std::int32_t>(N, 100000);
  std::int64_t Shown = 0;
  const double Each = Median(Runs,
                             [&] {
                               for (std::int32_t I = 0; I < Probe; ++I) {
                                 const TOrlimoMsgInfo& M = L.GetItemMsgInfo(I);
                                 Shown += Filter.Shows(M) && Filter.Highlight(M) != nullptr;
                               }
                             }) /
                      Probe;
  std::printf("a new message against 10 rules (shown? and its highlight): %.3f us (goal <= 1 us) [%lld]\n", Each * 1e6,
              static_cast<long long>(Shown % 10));
  return 0;
}
